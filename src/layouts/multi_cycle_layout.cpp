#include "layouts/multi_cycle_layout.h"

#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "ui/named_colours.h"

namespace corvexa {

namespace {

using colour::kBlack;
using colour::kDarkGreen;
using colour::kDarkGrey;
using colour::kMagenta;
using colour::kRed;
using colour::kWhite;

constexpr int32_t kGrey = 0xE0E0E0;
constexpr int32_t kListingGreen = 0xC0FFC0;
constexpr int32_t kWindowColour = static_cast<int32_t>(0x80000005);

Control &Add(FormLayout &f, Control c) {
    f.controls.push_back(std::move(c));
    return f.controls.back();
}

void AddMenus(FormLayout &f) {
    auto menu = [&f](const std::string &name, int index, const std::string &caption,
                     const std::string &parent) { Add(f, MakeMenu(name, index, caption, parent)); };
    menu("File", -1, "&File", "");
    menu("mnuLoad", -1, "&Load Program", "File");
    menu("mnuWrite", -1, "&Write Program", "File");
    menu("mnuSave", -1, "&Save Program", "File");
    menu("mnuEXIT", -1, "&Exit", "File");
    menu("mnuOptions", -1, "&Options", "");
    menu("mnuForwarding", -1, "Forwarding", "mnuOptions");
    // The dots only space the bar, as on the five-stage window.
    for (int i = 2; i <= 5; ++i) {
        menu("p", i, ".", "");
    }
    menu("mnuMemory", -1, "&Memory", "");
    menu("mnuRegister", -1, "&Register", "");
    for (int i = 6; i <= 9; ++i) {
        menu("q", i, ".", "");
    }
    menu("mnuBranch", -1, "&Branch Policy", "");
    menu("mnuNormal", -1, "Nomral (Predict NT)", "mnuBranch");
    menu("mnuDelayed", -1, "Delayed", "mnuBranch");
}

Control &StageBox(FormLayout &f, const std::string &name, int index, const std::string &text,
                  int left, int top, int width, int height, double points, int32_t colour) {
    Control &c =
        Add(f, MakeControl(ControlKind::TextBox, name, index, text, left, top, width, height));
    c.font = Font{"Arial Black", points};
    c.foreColor = colour;
    // "M 10" takes two lines in its narrow box.
    c.multiLine = true;
    return c;
}

void AddStages(FormLayout &f) {
    StageBox(f, "Text1", -1, "IF", 945, 5220, 1065, 840, 24, kBlack);
    StageBox(f, "ID", -1, "ID", 2775, 5220, 1065, 840, 24, kBlack);
    StageBox(f, "EXE", -1, " EXE ", 7185, 2550, 1470, 840, 24, 0x00C000);
    constexpr std::array<int, 5> kAdderLefts = {5700, 6630, 7605, 8505, 9510};
    for (int i = 0; i < 5; ++i) {
        StageBox(f, "FPAdd", i, "A" + std::to_string(i + 1), kAdderLefts[i], i == 4 ? 4845 : 4860,
                 600, 840, 18, 0x0040C0);
    }
    constexpr std::array<int, 10> kMultiplierLefts = {5175, 5760, 6360, 6990,  7590,
                                                      8220, 8865, 9525, 10170, 10815};
    for (int i = 0; i < 10; ++i) {
        StageBox(f, "txtFPMul", i, i < 9 ? "M" + std::to_string(i + 1) : "M 10",
                 kMultiplierLefts[i], 6915, 435, 840, 12, 0x800080);
    }
    StageBox(f, "Text4", -1, "DIVIDE", 5145, 8925, 6075, 885, 24, kBlack);
    StageBox(f, "Text2", -1, "MEM", 12045, 5310, 1080, 705, 18, kBlack);
    StageBox(f, "Text3", -1, "WB", 13425, 5340, 975, 690, 18, kBlack);
}

Control &Label(FormLayout &f, const std::string &name, int index, const std::string &caption,
               int left, int top, int width, int height, const Font &font, int32_t fore,
               int32_t back) {
    Control &c = Add(f, MakeLabel(name, index, caption, left, top, width, height));
    c.font = font;
    c.foreColor = fore;
    c.backColor = back;
    return c;
}

void AddLabels(FormLayout &f) {
    const Font registerFont{"Arial Narrow", 15.75};
    for (auto [index, left, top] : {std::tuple{1, 2550, 3195}, std::tuple{2, 13125, 7245}}) {
        Label(f, "Label" + std::to_string(index), -1, " Register File ", left, top, 1245, 810,
              registerFont, kMagenta, kWindowColour)
            .alignment = Align::Center;
    }

    constexpr std::array<std::array<int, 3>, 5> kStageInfo = {{{540, 4755, 1875},
                                                               {2190, 2655, 2175},
                                                               {6960, 2145, 1995},
                                                               {11460, 4515, 1815},
                                                               {12570, 3360, 1815}}};
    for (int i = 0; i < 5; ++i) {
        const auto [left, top, width] = kStageInfo[static_cast<size_t>(i)];
        Control &info = Add(f, MakeControl(ControlKind::TextBox, "txtStageInfo2", i, "Text3", left,
                                           top, width, 315));
        info.font = Font{"Arial Narrow", 9.75};
        info.backColor = kGrey;
    }

    const Font tiny{"Arial Black", 6.75};
    const Font small{"Arial Black", 8.25};
    Label(f, "lblMEMValue", 0, "NA", 12045, 2895, 210, 195, tiny, kDarkGrey, kWhite);
    Label(f, "lblMEMValue", 1, "NA", 12075, 3300, 270, 225, small, kDarkGrey, kWhite).alignment =
        Align::Right;
    Label(f, "lblMEMValue", 2, "0", 12090, 3645, 150, 330, Font{"Arial Black", 11.25}, kRed,
          0xC0C0FF);
    Label(f, "lblMEMValue", 3, "0", 12105, 4155, 90, 195, tiny, kRed, kWhite);
    for (auto [index, left, top] :
         {std::tuple{0, 13665, 4185}, std::tuple{1, 13665, 4560}, std::tuple{2, 13680, 4920}}) {
        Label(f, "lblWBValue", index, "NA", left, top, 210, 195, tiny, kDarkGrey, kWhite);
    }
    Label(f, "lblWBValue", 3, "Rx=", 13845, 6195, 345, 225, small, kRed, kGrey);

    Label(f, "Information", -1, "Information", 45, 10920, 15195, 315, Font{"Arial", 12, true},
          kBlack, 0x80C0FF);
    Control &banner =
        Add(f, MakeControl(ControlKind::Picture, "Picture14", -1, "", 30, 10740, 4680, 180));
    banner.pictureKind = "banner";
    banner.backColor = kGrey;
}

// Rows in groups of five; the last seven rows stand as they were placed by hand.
int ListingRowTop(int row) {
    constexpr std::array<int, 7> kLastRows = {6600, 6825, 7050, 7260, 7500, 7770, 7980};
    return row < 25 ? 240 * row + 120 * (row / 5) : kLastRows[static_cast<size_t>(row - 25)];
}

void AddListing(FormLayout &f) {
    const Font font;
    for (int i = 0; i < 32; ++i) {
        const int top = ListingRowTop(i);
        Label(f, "lblPC", i, "PC Value", 14550, top, 660, 195, font, kDarkGreen, kListingGreen)
            .alignment = Align::Right;
        Label(f, "lblProg", i, "Instruc1", 15255, top, 1800, 255, font, 0xC00000, kListingGreen);
        Label(f, "lblINumber", i, std::to_string(i), 16935, top, 195, 255, font, 0x404080,
              kListingGreen)
            .alignment = Align::Center;
    }
}

struct Wire {
    const char *name;
    int index;
    int x1, y1, x2, y2;
    int width;
};

// The paths between the stages, each arrow head drawn as two short strokes.
constexpr Wire kWires[] = {
    {"StageLine", 5, 2745, 5565, 1980, 5565, 3},   {"StageLine", 0, 2775, 5550, 2565, 5475, 3},
    {"StageLine", 1, 2760, 5595, 2565, 5670, 3},   {"Line1", -1, 2925, 4050, 2925, 5205, 3},
    {"Line2", -1, 3015, 5025, 2910, 5190, 3},      {"Line3", -1, 2820, 5025, 2910, 5190, 3},
    {"Line4", -1, 3585, 4050, 3585, 5205, 3},      {"Line5", -1, 3690, 5025, 3585, 5190, 3},
    {"Line6", -1, 3495, 5025, 3585, 5190, 3},      {"Line7", 0, 7155, 2895, 3855, 5310, 3},
    {"Line17", -1, 7005, 2910, 7155, 2880, 1},     {"Line18", -1, 7080, 3045, 7155, 2910, 1},
    {"Line8", -1, 5670, 5265, 3825, 5550, 3},      {"Line15", -1, 5550, 5385, 5670, 5280, 1},
    {"Line16", -1, 5520, 5190, 5655, 5235, 1},     {"Line9", -1, 5160, 7335, 3825, 5685, 3},
    {"Line27", -1, 5100, 7110, 5175, 7335, 1},     {"Line28", -1, 4995, 7245, 5160, 7350, 1},
    {"Line10", -1, 5145, 9360, 3840, 5985, 3},     {"Line29", -1, 5145, 9330, 4980, 9150, 2},
    {"Line30", -1, 5100, 9075, 5130, 9300, 2},     {"AddLine", 0, 6615, 5250, 6300, 5250, 3},
    {"AddLine", 1, 10665, 5250, 7185, 5250, 3},    {"AddLine", 2, 10620, 5250, 8145, 5250, 3},
    {"AddLine", 3, 10650, 5250, 9030, 5250, 3},    {"AddLine", 4, 10665, 5250, 10020, 5250, 3},
    {"Line12", -1, 12045, 5640, 10635, 5250, 3},   {"MulLine", 0, 11220, 7305, 7410, 7305, 3},
    {"MulLine", 1, 11280, 7305, 8010, 7305, 3},    {"MulLine", 2, 11295, 7305, 8670, 7305, 3},
    {"MulLine", 3, 11250, 7320, 9300, 7320, 3},    {"MulLine", 4, 11265, 7305, 9975, 7305, 3},
    {"MulLine", 5, 11280, 7320, 10650, 7320, 3},   {"Line13", -1, 12015, 5790, 11280, 7305, 3},
    {"Line14", -1, 12090, 6030, 11205, 9375, 3},   {"Line11", -1, 12030, 5400, 8640, 2895, 3},
    {"Line19", -1, 11955, 5220, 12030, 5385, 2},   {"Line20", -1, 11835, 5355, 12000, 5415, 2},
    {"Line21", -1, 11895, 5520, 12030, 5640, 2},   {"Line22", -1, 11850, 5685, 12000, 5655, 2},
    {"Line23", -1, 12030, 5790, 11820, 5910, 2},   {"Line24", -1, 11970, 6015, 12030, 5820, 2},
    {"Line25", -1, 12075, 6075, 12135, 6270, 2},   {"Line26", -1, 12075, 6090, 11940, 6210, 2},
    {"StageLine", 2, 13410, 5670, 13080, 5670, 3}, {"StageLine", 3, 13395, 5655, 13185, 5580, 3},
    {"StageLine", 4, 13380, 5700, 13185, 5775, 3}, {"Line33", -1, 13710, 6045, 13710, 7200, 3},
    {"Line31", -1, 13620, 7020, 13710, 7185, 3},   {"Line32", -1, 13815, 7020, 13710, 7185, 3},
};

void AddWires(FormLayout &f) {
    for (const Wire &w : kWires) {
        Add(f, MakeLine(w.name, w.index, w.x1, w.y1, w.x2, w.y2, kBlack, w.width));
    }
}

FormLayout Build() {
    FormLayout f;
    f.caption = "MIPS FP Pipeline";
    f.width = 17160;
    f.height = 11610;
    f.backColor = kGrey;
    AddMenus(f);
    AddWires(f);
    AddStages(f);
    AddLabels(f);
    AddListing(f);
    return f;
}

} // namespace

const FormLayout &MultiCycleLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
