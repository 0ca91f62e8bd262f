#include "layouts/five_stage_layout.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layouts/five_stage_labels.h"
#include "layouts/five_stage_parts.h"

namespace corvexa {

namespace five_stage {

Font MakeFont(const std::string &face, double points, bool bold) {
    Font font;
    font.face = face;
    font.points = points;
    font.bold = bold;
    return font;
}

Font FormFont() {
    return MakeFont("MS Sans Serif", 8.25, true);
}

} // namespace five_stage

namespace {

using namespace five_stage;

// Lines of a multi-line caption, joined with the toolkit's line break.
std::string Lines(const std::vector<std::string> &lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines[i];
    }
    return text;
}

// One letter per line, as the memories and pipeline registers write their names.
std::vector<std::string> Letters(const std::string &word) {
    std::vector<std::string> out;
    for (char ch : word) {
        out.emplace_back(1, ch);
    }
    return out;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto &part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<std::string> Blank(int n) {
    return std::vector<std::string>(static_cast<size_t>(n));
}

Control &Add(FormLayout &f, Control c) {
    f.controls.push_back(std::move(c));
    return f.controls.back();
}

Control &Menu(FormLayout &f, const std::string &name, int index, const std::string &caption,
              const std::string &parent) {
    return Add(f, MakeMenu(name, index, caption, parent));
}

void AddMenus(FormLayout &f) {
    Menu(f, "mnuProgram", -1, "&File", "");
    Menu(f, "WrProg", -1, "&Write Program", "mnuProgram");
    Menu(f, "LoadProg", -1, "&Load Program", "mnuProgram");
    Menu(f, "SaveProg", -1, "&Save Program", "mnuProgram");
    Menu(f, "Exit", -1, "&Exit", "mnuProgram");

    Menu(f, "Options", -1, "&Options", "");
    Menu(f, "mnuForwarding", -1, "Forwarding", "Options");
    Menu(f, "MnuStall", -1, "Stall Dectection", "Options");
    Menu(f, "AggBranch", -1, "Aggressive Branching", "Options");

    Menu(f, "View", -1, "&View", "");
    Menu(f, "ViewDetails", -1, "View &Details", "View").checked = true;

    // The dots only space the bar; they carry no command and no shortcut.
    for (int i = 0; i <= 6; ++i) {
        Menu(f, "O", i, ".", "");
    }
    Menu(f, "MenuMEM", -1, "Memory", "");
    Menu(f, "MenuREG", -1, "Registers", "");
    for (int i = 0; i <= 3; ++i) {
        Menu(f, "p", i, ".", "");
    }

    Menu(f, "MnuBranchPolicy", -1, "Branch Policy", "");
    Menu(f, "OptNormal", -1, "Normal (Predict NT)", "MnuBranchPolicy").checked = true;
    Menu(f, "OptAlways", -1, "Always Flush", "MnuBranchPolicy");
    Menu(f, "OptDelayed", -1, "Delayed Branching", "MnuBranchPolicy").enabled = false;
    Menu(f, "OptCancelled", -1, "Cancelled Branching", "MnuBranchPolicy").enabled = false;
}

Control &Label(FormLayout &f, const std::string &name, int index, const std::string &caption,
               int left, int top, int width, int height) {
    Control &c = Add(f, MakeLabel(name, index, caption, left, top, width, height));
    c.font = FormFont();
    c.foreColor = 0xC000;
    c.backColor = kWhite;
    return c;
}

Control &Box(FormLayout &f, const std::string &name, int index, const std::string &text, int left,
             int top, int width, int height) {
    Control &c =
        Add(f, MakeControl(ControlKind::TextBox, name, index, text, left, top, width, height));
    c.font = FormFont();
    c.foreColor = kBlack;
    c.backColor = kWhite;
    c.multiLine = true;
    return c;
}

Control &Shape(FormLayout &f, const std::string &name, int index, ShapeKind kind, int left, int top,
               int width, int height) {
    Control &c = Add(f, MakeControl(ControlKind::Shape, name, index, "", left, top, width, height));
    c.shape = kind;
    return c;
}

Control &Oval(FormLayout &f, int index, int left, int top, int width, int height) {
    Control &c = Shape(f, "Shape1", index, ShapeKind::Oval, left, top, width, height);
    c.filled = true;
    c.backColor = kOvalFill;
    c.borderColor = kOvalFill;
    return c;
}

Control &Picture(FormLayout &f, const std::string &name, const std::string &kind, int left, int top,
                 int width, int height) {
    Control &c = Add(f, MakeControl(ControlKind::Picture, name, -1, "", left, top, width, height));
    c.pictureKind = kind;
    c.backColor = kWhite;
    // An element is drawn as its outline alone: a multiplexer stands on its oval, and on the
    // single-cycle window's grey no white plate shows around an adder, the ALU or a gate.
    c.transparent = kind != "banner";
    return c;
}

void AddButtonsAndIndicators(FormLayout &f) {
    Control &clock =
        Add(f, MakeControl(ControlKind::Button, "Clocking", -1, "Clock It", 120, 7080, 855, 435));
    clock.font = MakeFont("Arial Black", 8.25);
    clock.backColor = static_cast<int32_t>(0x8000000F);

    Control &reset =
        Add(f, MakeControl(ControlKind::Button, "Reset", -1, "R E S E T", 120, 8535, 975, 375));
    reset.font = MakeFont("Terminal", 6, true);
    reset.backColor = static_cast<int32_t>(0x8000000F);

    Control &count = Label(f, "lblClockCount", -1, "CC", 225, 7800, 705, 555);
    count.font = MakeFont("MS Sans Serif", 24);
    count.foreColor = 0x40C0;
    count.backColor = 0xC0FFFF;
    count.alignment = Align::Center;

    Control &policy =
        Label(f, "lblBranchPolicy", -1, "Normal (Predict Not Taken)", 9315, 135, 2700, 225);
    policy.foreColor = 0xC00000;

    Control &stallBubble = Shape(f, "Stall_Bubble", 0, ShapeKind::Oval, 13170, 8550, 1800, 1080);
    stallBubble.filled = true;
    stallBubble.backColor = kYellow;
    stallBubble.borderColor = kYellow;
    stallBubble.visible = false;

    Control &stall = Label(f, "LblStall", -1, "Stall Detection ON", 13530, 8670, 1125, 810);
    stall.font = MakeFont("Arial", 12);
    stall.foreColor = 0xFF0000;
    stall.backColor = kYellow;
    stall.alignment = Align::Center;
    stall.visible = false;

    Control &fwdBubble = Shape(f, "Forward_Bubble", 0, ShapeKind::Oval, 13200, 9525, 1815, 960);
    fwdBubble.filled = true;
    fwdBubble.backColor = kGreen;
    fwdBubble.borderColor = kGreen;
    fwdBubble.visible = false;

    Control &fwd = Label(f, "lblForward", -1, "Forwarding ON", 13425, 9750, 1425, 540);
    fwd.font = MakeFont("Arial", 12);
    fwd.foreColor = 0xC0;
    fwd.backColor = kGreen;
    fwd.alignment = Align::Center;
    fwd.visible = false;

    Control &banner = Picture(f, "Picture14", "banner", 45, 10275, 4680, 180);
    banner.backColor = 0x80C0FF;

    // A single blank: the explanation timer shows the strip only when it holds a text.
    Control &info = Label(f, "Information", -1, " ", 45, 10470, 15195, 315);
    info.font = MakeFont("Arial", 12, true);
    info.foreColor = kBlack;
    info.backColor = 0x80C0FF;
    info.visible = false;

    Add(f, MakeControl(ControlKind::Timer, "Timer1", -1, "", 0, 0, 0, 0));
    Add(f, MakeControl(ControlKind::Timer, "StallBlink", -1, "", 0, 0, 0, 0));
    Control &dialog =
        Add(f, MakeControl(ControlKind::FileDialog, "CommonDialog1", -1, "", 0, 0, 0, 0));
    dialog.visible = false;
}

void AddDatapathElements(FormLayout &f) {
    // Ovals first: they stand behind the elements and labels they group.
    Oval(f, 0, 6720, 4590, 660, 1170).visible = false; // B-input multiplexer with forwarding
    Oval(f, 1, 5955, 7455, 510, 885);                  // destination-register multiplexer
    Oval(f, 2, 3420, 2820, 720, 720).shape = ShapeKind::Circle; // control unit
    Oval(f, 3, 3540, 6330, 720, 540);                           // sign extension
    Oval(f, 4, 11535, 4695, 510, 885);                          // write-back multiplexer
    Oval(f, 5, 6720, 3450, 540, 1320).visible = false;          // A-input multiplexer
    Oval(f, 6, 9195, 5715, 510, 885).visible = false;           // store-data multiplexer
    Oval(f, 7, 555, 2175, 510, 885);                            // next-PC multiplexer
    Oval(f, 8, 9480, 2880, 1095, 405);                          // memory-write control
    Oval(f, 9, 6735, 4515, 510, 885);                  // B-input multiplexer without forwarding
    Oval(f, 10, 4695, 1815, 540, 660).visible = false; // branch decision in ID

    Control &pc =
        Box(f, "PC", -1, Lines({"", "", "", "", " PC", "", "", ""}), 660, 4260, 360, 1815);
    pc.font = MakeFont("MS Sans Serif", 7.5, true);
    pc.backColor = kRegisterBlue;
    pc.alignment = Align::Center;

    Picture(f, "Picture8", "mux2", 660, 2280, 300, 675);
    Picture(f, "Picture3", "adder", 1740, 2340, 420, 480);
    Control &plus4 = Label(f, "Label1", -1, "+4", 1260, 2040, 420, 360);
    plus4.font = MakeFont("MS Sans Serif", 13.5);
    plus4.foreColor = 0x4000;
    plus4.transparent = true;

    Control &im =
        Box(f, "txPipeLine", 0, Lines(Join({Letters("INSTRUCTION"), Blank(1), Letters("MEMORY")})),
            1740, 3300, 405, 3180);
    im.font = MakeFont("MS Sans Serif", 7.5, true);
    im.backColor = 0xC0C0;
    im.alignment = Align::Center;

    Control &ifid = Box(f, "txtPipeLine", 1,
                        Lines(Join({{"IF/", "ID", "__", ""},
                                    Letters("NPC"),
                                    {"", "__"},
                                    Blank(6),
                                    Letters("INSTRUCTION"),
                                    {"__"}})),
                        2460, 1560, 375, 6600);
    ifid.font = MakeFont("MS Sans Serif", 7.5, true);
    ifid.backColor = kRegisterBlue;
    ifid.alignment = Align::Center;

    Control &rf =
        Box(f, "txtPipeLine", 0, Lines({"", "", "", "Register", "File"}), 3540, 4080, 720, 1680);
    rf.font = MakeFont("MS Sans Serif", 7.5, true);
    rf.backColor = 0x808000;
    rf.foreColor = kWhite;
    rf.alignment = Align::Center;

    Picture(f, "Picture12", "adder", 3900, 1440, 450, 780).visible = false;
    Control &shift2 = Box(f, "Text2", -1, Lines({"Shift ", "Left", "2"}), 3240, 1800, 540, 600);
    shift2.foreColor = kDarkGrey;
    shift2.backColor = kTagPink;
    shift2.alignment = Align::Center;
    shift2.visible = false;
    Picture(f, "Picture13", "and-gate", 4800, 1920, 330, 450).visible = false;

    Control &idexe =
        Box(f, "txtPipeLine", 2, Lines(Join({{"ID/", "EXE"}, Blank(15), {"A"}, Blank(2), {"B"}})),
            5220, 1365, 405, 6840);
    idexe.font = MakeFont("MS Sans Serif", 7.5, true);
    idexe.backColor = kRegisterBlue;
    idexe.alignment = Align::Center;

    Picture(f, "Picture5", "mux3", 6840, 3540, 300, 1140).visible = false;
    Picture(f, "Picture10", "mux4", 6840, 4680, 420, 975).visible = false;
    Picture(f, "Picture11", "mux2", 6840, 4620, 300, 675);
    Picture(f, "Picture1", "alu", 7380, 3840, 390, 1080);
    Picture(f, "Picture2", "adder", 7260, 1980, 390, 600);
    Control &shift1 = Box(f, "Text1", -1, Lines({"Shift ", "Left", "2"}), 6360, 2280, 540, 600);
    shift1.foreColor = kDarkGrey;
    shift1.backColor = kTagPink;
    shift1.alignment = Align::Center;
    Picture(f, "Picture6", "mux2", 6060, 7560, 300, 675);

    Control &exemem = Box(f, "txtPipeLine", 3,
                          Lines(Join({{"EXE", "/", "MEM", ""},
                                      Letters("NPC"),
                                      Blank(10),
                                      {"ALU", "out"},
                                      Blank(14),
                                      {"B"}})),
                          8400, 1260, 435, 6975);
    exemem.font = MakeFont("MS Sans Serif", 7.5, true);
    exemem.backColor = kRegisterBlue;
    exemem.alignment = Align::Center;

    Picture(f, "Picture4", "and-gate", 9600, 2280, 330, 450);
    Control &dm =
        Box(f, "txPipeLine", 1, Lines(Join({Letters("DATA"), Blank(1), Letters("MEMORY")})), 9720,
            3360, 405, 2100);
    dm.font = MakeFont("MS Sans Serif", 7.5, true);
    dm.backColor = 0x4040;
    dm.foreColor = kWhite;
    dm.alignment = Align::Center;
    Picture(f, "Picture7", "mux2", 9300, 5820, 300, 675).visible = false;

    Control &memwb =
        Box(f, "txtPipeLine", 4,
            Lines(Join({{"MEM", "/", "WB"}, Blank(14), {"LMD"}, Blank(6), {"ALU", "out"}})), 10860,
            1380, 435, 6840);
    memwb.font = MakeFont("MS Sans Serif", 7.5, true);
    memwb.backColor = kRegisterBlue;
    memwb.alignment = Align::Center;

    Picture(f, "Picture9", "mux2", 11640, 4800, 300, 675);

    // Red-outlined boxes around the control signals carried from stage to stage.
    for (auto [name, left, top, width, height] :
         {std::tuple{"Shape2", 4320, 2880, 1515, 615}, std::tuple{"Shape3", 8520, 1440, 735, 435},
          std::tuple{"Shape6", 10980, 2580, 735, 255}}) {
        Control &box = Shape(f, name, -1, ShapeKind::Rectangle, left, top, width, height);
        box.borderColor = kRed;
    }
    // Junction marks where the write-back value branches off to the forwarding paths.
    for (auto [name, left] : {std::pair{"Shape4", 9060}, std::pair{"Shape5", 6420}}) {
        Control &mark = Shape(f, name, -1, ShapeKind::Square, left, 8640, 135, 135);
        mark.filled = true;
        mark.backColor = kGreen;
        mark.borderColor = kGreen;
    }
}

// The program listing: rows 240 apart, with a small gap after every fifth row.
int ListingRowTop(int row) {
    static constexpr int kGaps[] = {90, 90, 90, 90, 90, 75};
    int top = 180 + 240 * row;
    for (int g = 0; g < 6; ++g) {
        if (row > 4 + 5 * g) {
            top += kGaps[g];
        }
    }
    return top;
}

// The listing's columns side by side: the text column holds the widest listing text
// ("ADDIU R28,R27,-32768") whole, with the slot number beside it and not over its end.
constexpr int kListingPcLeft = 12615;
constexpr int kListingPcWidth = 600;
constexpr int kListingTextLeft = 13260;
constexpr int kListingNumberLeft = 15060;

void AddListing(FormLayout &f) {
    for (int i = 0; i < 32; ++i) {
        const int top = ListingRowTop(i);
        Control &pc = Label(f, "lblPC", i, "PC Value", kListingPcLeft, top, kListingPcWidth, 225);
        pc.foreColor = 0x8000;
        pc.alignment = Align::Right;
        pc.visible = false;

        Control &prog = Label(f, "lblProg", i, "Instruc1", kListingTextLeft, top,
                              kListingNumberLeft - kListingTextLeft - 10, 225);
        prog.foreColor = 0xC00000;
        prog.visible = false;

        Control &number =
            Label(f, "lblINumber", i, std::to_string(i), kListingNumberLeft, top, 195, 225);
        number.foreColor = 0x404080;
        number.backColor = 0xFFC0FF;
        number.alignment = Align::Center;
        number.visible = false;
    }
}

void AddRegisterStrip(FormLayout &f) {
    for (int i = 0; i <= 16; ++i) {
        Control &reg = Label(f, "lblRegister", i, i == 0 ? "abcd" : "A=", 5760 + 765 * i / 2, 420,
                             i == 0 ? 420 : 375, 225);
        reg.font = MakeFont("Arial", 9, true);
        reg.foreColor = kBlack;
        reg.visible = false;
    }
}

void AddStageRow(FormLayout &f) {
    static constexpr int kColumn[Stage::kCount] = {540, 3180, 6240, 9000, 11220};
    static constexpr int kWidth[Stage::kCount] = {2580, 3000, 2700, 2160, 1920};
    static const char *const kStage[Stage::kCount] = {"IF", "ID", "EXE", "MEM", "WB"};
    for (int s = Stage::IF; s < Stage::kCount; ++s) {
        Control &stage = Label(f, "lblStage", s, kStage[s], kColumn[s], 9060, 900, 300);
        stage.font = MakeFont("MS Sans Serif", 12);
        stage.foreColor = 0x40C0;
        stage.backColor = kTagPink;
        stage.alignment = Align::Center;
        stage.visible = false;

        Control &text = Box(f, "txtStageInfo2", s, "", kColumn[s], 9360, kWidth[s], 285);
        text.font = MakeFont("Arial Narrow", 9.75, true);
        text.multiLine = false;
        text.visible = false;

        Control &unused = Box(f, "txtStageInfo1", s, "Text3", s == Stage::MEM ? 8985 : kColumn[s],
                              9660, kWidth[s], 675);
        unused.font = MakeFont("MS Sans Serif", 8.25);
        unused.visible = false;
    }
}

FormLayout Build() {
    FormLayout f;
    f.caption = "MIPS 5-Stage Integer Piepline(Sep 2006)";
    f.width = 15270;
    f.height = 11010;
    f.backColor = kWhite;
    f.foreColor = 0xC000;
    f.font = FormFont();

    AddMenus(f);
    AddDatapathElements(f);
    AddWires(f);
    AddButtonsAndIndicators(f);
    AddListing(f);
    AddRegisterStrip(f);
    AddStageRow(f);
    AddValueLabels(f);
    return f;
}

} // namespace

const std::vector<DrawingPart> &ForwardingDrawing() {
    static const std::vector<DrawingPart> parts = [] {
        std::vector<DrawingPart> v;
        for (int wire : {20, 31, 37, 41, 44, 46, 68, 69, 71, 72, 82, 83, 89, 91, 92, 93, 95, 111}) {
            v.push_back({"Line3", wire, true});
        }
        for (int shape : {5, 6, 0}) {
            v.push_back({"Shape1", shape, true});
        }
        for (const char *picture : {"Picture5", "Picture7", "Picture10"}) {
            v.push_back({picture, -1, true});
        }
        for (const char *arrow : {"Line14", "Line15", "Line16", "Line17", "Line31", "Line32",
                                  "Line33", "Line34", "Line35", "Line36", "Line37", "Line38",
                                  "Line39", "Line40", "Line41", "Line48", "Line49"}) {
            v.push_back({arrow, -1, true});
        }
        v.push_back({"Picture11", -1, false});
        v.push_back({"Shape1", 9, false});
        v.push_back({"Line3", 117, false});
        v.push_back({"Line3", 118, false});
        return v;
    }();
    return parts;
}

const FormLayout &FiveStageLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
