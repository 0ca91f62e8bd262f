#include "layouts/menu_memory_layout.h"

#include <array>

namespace corvexa {

namespace {

constexpr int32_t kAddressColour = 0xFF0000; // #0000FF
constexpr int32_t kValueColour = 0xFF00FF;   // #FF00FF
constexpr std::array<int, kMemColumns> kAddressLeft = {60, 2400, 4740, 7080};
constexpr std::array<int, kMemColumns> kValueLeft = {1080, 3420, 5760, 8100};
constexpr std::array<int, kMemRows> kRowTop = {240,  465,  705,  930,  1155, 1395, 1620, 1845, 2085,
                                               2310, 2535, 2775, 3000, 3225, 3465, 3690, 3915, 4155,
                                               4380, 4605, 4845, 5070, 5295, 5535, 5760};

Control RowLabel(const std::string &name, int index, int left, int top, int width, int32_t colour) {
    Control c = MakeLabel(name, index, "", left, top, width, 195);
    c.font = Font{"Courier", 9.75, false};
    c.foreColor = colour;
    c.backColor = 0xFFFFFF;
    c.visible = false;
    return c;
}

FormLayout Build() {
    FormLayout f;
    f.caption = "Used Memory Info";
    f.width = 9630;
    f.height = 8400;

    f.controls.push_back(MakeMenu("Exit", -1, "E&xit", ""));
    f.controls.push_back(MakeMenu("HexVew", -1, "HexView", ""));
    f.controls.push_back(MakeMenu("MenuHexValues", -1, "HexValues", "HexVew"));

    Control head = MakeLabel("Label3", 100, "Address", 60, 0, 1005, 195);
    head.font = Font{"Arial Narrow", 9.75, false};
    head.foreColor = kAddressColour;
    f.controls.push_back(head);
    head = MakeLabel("lblMemData", 100, "Value", 1080, 0, 1005, 195);
    head.font = Font{"Arial Narrow", 9.75, false};
    head.foreColor = kValueColour;
    f.controls.push_back(head);

    for (int i = 0; i < kMemLabelRows; ++i) {
        const int c = i / kMemRows;
        const int r = i % kMemRows;
        int top = kRowTop[static_cast<size_t>(r)];
        int left = kAddressLeft[static_cast<size_t>(c)];
        int width = 1005;
        if (c == 0) {
            top = 240 + 230 * r;
            width = 1000;
            if (r == kMemRows - 1) {
                left = 55;
                width = 1005;
            }
        }
        f.controls.push_back(RowLabel("Label1", i, left, top, width, kAddressColour));
        f.controls.push_back(
            RowLabel("lblMemData", i, kValueLeft[static_cast<size_t>(c)], top, 1005, kValueColour));
    }

    // Entry 100, one row below the fourth column.
    f.controls.push_back(
        RowLabel("lblMemExtraAddress", -1, kAddressLeft[3], 5985, 1005, kAddressColour));
    f.controls.push_back(RowLabel("lblMemExtraValue", -1, kValueLeft[3], 5985, 1005, kValueColour));

    Control info = MakeLabel("Info", -1,
                             "This Memory Map shows all memory references/ addresses actually used "
                             "(read or wrritten to) in the program.  All other memory locations "
                             "assume random value in a real processor, but for padagogical reasons "
                             "I have assumed them to have 999.",
                             60, 6060, 1995, 1995);
    info.backColor = 0x8000000F;
    f.controls.push_back(info);
    return f;
}

} // namespace

const FormLayout &MenuMemoryLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
