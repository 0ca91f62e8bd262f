// The five-stage window's design state: inventory, start state of the switched drawings, and the
// geometry faults a student would see (controls off the window, labels on top of each other).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "layouts/five_stage_layout.h"

namespace corvexa {
namespace {

const std::vector<Control> &Controls() {
    return FiveStageLayout().controls;
}

const Control *Find(const std::string &name, int index = -1) {
    for (const Control &c : Controls()) {
        if (c.name == name && c.index == index) {
            return &c;
        }
    }
    return nullptr;
}

const Control &Get(const std::string &name, int index = -1) {
    const Control *c = Find(name, index);
    if (c == nullptr) {
        throw std::runtime_error("no control " + name + "(" + std::to_string(index) + ")");
    }
    return *c;
}

std::set<int> Indices(const std::string &name) {
    std::set<int> out;
    for (const Control &c : Controls()) {
        if (c.name == name) {
            out.insert(c.index);
        }
    }
    return out;
}

std::set<int> Range(int lo, int hi) {
    std::set<int> out;
    for (int i = lo; i <= hi; ++i) {
        out.insert(i);
    }
    return out;
}

TEST(FiveStageLayout, WindowProperties) {
    const FormLayout &f = FiveStageLayout();
    EXPECT_EQ(f.caption, "MIPS 5-Stage Integer Piepline(Sep 2006)");
    EXPECT_EQ(f.width, 15270);
    EXPECT_EQ(f.height, 11010);
    EXPECT_EQ(f.backColor, 0xFFFFFF);
    EXPECT_EQ(f.foreColor, 0xC000);
    EXPECT_EQ(f.font.face, "MS Sans Serif");
    EXPECT_TRUE(f.font.bold);
}

TEST(FiveStageLayout, EveryControlIsUniqueAndEveryArrayComplete) {
    std::set<std::pair<std::string, int>> seen;
    for (const Control &c : Controls()) {
        EXPECT_TRUE(seen.insert({c.name, c.index}).second) << "twice: " << c.name << " " << c.index;
    }
    const std::map<std::string, int> arrays = {{"lblIFValue", 5},
                                               {"lblIDValue", 17},
                                               {"lblEXEValue", 28},
                                               {"lblMEMValue", 17},
                                               {"lblWBValue", 14},
                                               {"lblValue", 4},
                                               {"lblPC", 32},
                                               {"lblProg", 32},
                                               {"lblINumber", 32},
                                               {"lblRegister", 17},
                                               {"lblStage", 5},
                                               {"txtStageInfo2", 5},
                                               {"txtStageInfo1", 5},
                                               {"Shape1", 11},
                                               {"txtPipeLine", 5},
                                               {"txPipeLine", 2},
                                               {"Line3", 147},
                                               {"O", 7},
                                               {"p", 4},
                                               {"Stall_Bubble", 1},
                                               {"Forward_Bubble", 1}};
    for (const auto &[name, count] : arrays) {
        EXPECT_EQ(Indices(name), Range(0, count - 1)) << name;
    }
    // 262 wires: the array and 115 single lines; "Line3" is the array, and no line is number 44.
    int lines = 0;
    for (const Control &c : Controls()) {
        lines += c.kind == ControlKind::Line ? 1 : 0;
    }
    EXPECT_EQ(lines, 262);
    for (int n = 1; n <= 117; ++n) {
        const bool exists = Find("Line" + std::to_string(n)) != nullptr;
        EXPECT_EQ(exists, n != 3 && n != 44) << "Line" << n;
    }
    for (const char *single :
         {"PC",        "Picture1",      "Picture2",        "Picture3", "Picture4",   "Picture5",
          "Picture6",  "Picture7",      "Picture8",        "Picture9", "Picture10",  "Picture11",
          "Picture12", "Picture13",     "Picture14",       "Text1",    "Text2",      "Label1",
          "Shape2",    "Shape3",        "Shape4",          "Shape5",   "Shape6",     "Clocking",
          "Reset",     "lblClockCount", "lblBranchPolicy", "LblStall", "lblForward", "Information",
          "Timer1",    "StallBlink",    "CommonDialog1"}) {
        EXPECT_NE(Find(single), nullptr) << single;
    }
}

TEST(FiveStageLayout, MenuBarOrderChecksAndEnabledStates) {
    std::vector<std::string> bar;
    std::map<std::string, std::string> parentOf;
    for (const Control &c : Controls()) {
        if (c.kind != ControlKind::MenuItem) {
            continue;
        }
        if (c.parent.empty()) {
            bar.push_back(c.index < 0 ? c.name : c.name + std::to_string(c.index));
        } else {
            parentOf[c.name] = c.parent;
            // A sub-item follows its parent on the bar.
            EXPECT_EQ(bar.back(), c.parent) << c.name;
        }
    }
    const std::vector<std::string> expected = {"mnuProgram",
                                               "Options",
                                               "View",
                                               "O0",
                                               "O1",
                                               "O2",
                                               "O3",
                                               "O4",
                                               "O5",
                                               "O6",
                                               "MenuMEM",
                                               "MenuREG",
                                               "p0",
                                               "p1",
                                               "p2",
                                               "p3",
                                               "MnuBranchPolicy"};
    EXPECT_EQ(bar, expected);
    EXPECT_EQ(parentOf["SaveProg"], "mnuProgram");
    EXPECT_EQ(parentOf["AggBranch"], "Options");
    EXPECT_EQ(parentOf["OptCancelled"], "MnuBranchPolicy");

    EXPECT_EQ(Get("MnuStall").caption, "Stall Dectection");
    EXPECT_EQ(Get("ViewDetails").caption, "View &Details");
    EXPECT_TRUE(Get("ViewDetails").checked);
    EXPECT_TRUE(Get("OptNormal").checked);
    for (const char *off :
         {"mnuForwarding", "MnuStall", "AggBranch", "OptAlways", "OptDelayed", "OptCancelled"}) {
        EXPECT_FALSE(Get(off).checked) << off;
    }
    EXPECT_FALSE(Get("OptDelayed").enabled);
    EXPECT_FALSE(Get("OptCancelled").enabled);
    EXPECT_TRUE(Get("OptAlways").enabled);
}

TEST(FiveStageLayout, DesignCaptionsOfTagsAndFrame) {
    const std::map<std::pair<std::string, int>, std::string> captions = {
        {{"lblIDValue", 10}, "A="},
        {{"lblIDValue", 13}, "Imm32"},
        {{"lblEXEValue", 15}, "A'"},
        {{"lblEXEValue", 19}, "BR.Add"},
        {{"lblEXEValue", 26}, "From Control"},
        {{"lblEXEValue", 27}, "Info"},
        {{"lblMEMValue", 7}, "Br.  Add"},
        {{"lblMEMValue", 14}, "."},
        {{"lblWBValue", 4}, "MEM/WB.LMD"},
        {{"lblWBValue", 5}, " ALUout"},
        {{"lblWBValue", 10}, "M/W. ALUout="},
        {{"lblValue", 1}, "Next PC"},
        {{"lblINumber", 31}, "31"},
        {{"lblProg", 0}, "Instruc1"},
        {{"lblPC", 7}, "PC Value"},
        {{"txtStageInfo1", 3}, "Text3"},
        {{"lblStage", 2}, "EXE"},
        {{"Clocking", -1}, "Clock It"},
        {{"Reset", -1}, "R E S E T"},
        {{"lblClockCount", -1}, "CC"},
        {{"LblStall", -1}, "Stall Detection ON"},
        {{"lblForward", -1}, "Forwarding ON"},
        {{"Label1", -1}, "+4"}};
    for (const auto &[key, caption] : captions) {
        EXPECT_EQ(Get(key.first, key.second).caption, caption) << key.first << key.second;
    }
    for (const char *array : {"lblIFValue", "lblIDValue", "lblEXEValue", "lblMEMValue"}) {
        EXPECT_EQ(Get(array, 0).caption, "NA") << array;
    }
    // The PC box names itself on its fifth line.
    const std::string pc = Get("PC").caption;
    size_t pos = 0;
    for (int line = 0; line < 4; ++line) {
        pos = pc.find("\r\n", pos);
        ASSERT_NE(pos, std::string::npos);
        pos += 2;
    }
    EXPECT_EQ(pc.substr(pos, 3), " PC");
}

// Value labels are small Arial Black 6.75 unless the design gives one a font of its own; a font
// picked for looks elsewhere changes how far a value runs on a projector.
TEST(FiveStageLayout, ValueLabelFonts) {
    const std::map<std::pair<std::string, int>, std::pair<std::string, double>> own = {
        {{"lblIDValue", 6}, {"Arial Black", 9}},      {{"lblIDValue", 7}, {"Arial Black", 9}},
        {{"lblEXEValue", 5}, {"Arial Black", 9.75}},  {{"lblEXEValue", 6}, {"Arial Black", 9}},
        {{"lblEXEValue", 8}, {"Arial Narrow", 9}},    {{"lblEXEValue", 9}, {"Arial Black", 12}},
        {{"lblEXEValue", 10}, {"Arial Black", 12}},   {{"lblEXEValue", 11}, {"MS Serif", 9.75}},
        {{"lblEXEValue", 12}, {"Arial Black", 9.75}}, {{"lblEXEValue", 17}, {"Arial Black", 8.25}},
        {{"lblEXEValue", 25}, {"Arial Black", 5.25}}, {{"lblMEMValue", 1}, {"Arial Black", 8.25}},
        {{"lblMEMValue", 2}, {"Arial Black", 11.25}}, {{"lblMEMValue", 8}, {"MS Serif", 0}},
        {{"lblMEMValue", 10}, {"MS Serif", 6.75}},    {{"lblWBValue", 3}, {"Arial Black", 8.25}},
        {{"lblWBValue", 6}, {"MS Serif", 0}},         {{"lblWBValue", 8}, {"Arial Black", 8.25}}};
    for (const Control &c : Controls()) {
        const bool value = c.name == "lblIFValue" || c.name == "lblIDValue" ||
                           c.name == "lblEXEValue" || c.name == "lblMEMValue" ||
                           c.name == "lblWBValue";
        if (!value) {
            continue;
        }
        const auto it = own.find({c.name, c.index});
        const auto [face, points] =
            it == own.end() ? std::pair<std::string, double>{"Arial Black", 6.75} : it->second;
        EXPECT_EQ(c.font.face, face) << c.name << c.index;
        if (points > 0) {
            EXPECT_DOUBLE_EQ(c.font.points, points) << c.name << c.index;
        }
    }
    // Where the design says bold it is bold, and only there.
    EXPECT_TRUE(Get("lblEXEValue", 9).font.bold);
    EXPECT_TRUE(Get("lblMEMValue", 10).font.bold);
    EXPECT_FALSE(Get("lblEXEValue", 7).font.bold);
    EXPECT_FALSE(Get("Label1").font.bold);
    EXPECT_DOUBLE_EQ(Get("Label1").font.points, 13.5);
    EXPECT_TRUE(Get("Information").font.bold);
    EXPECT_TRUE(Get("Reset").font.bold);
    EXPECT_FALSE(Get("lblClockCount").font.bold);
}

TEST(FiveStageLayout, PositionsFixedByTheWindowsDesign) {
    struct At {
        const char *name;
        int index, left, top;
    };
    for (const At &a :
         {At{"PC", -1, 660, 4260}, At{"Picture1", -1, 7380, 3840}, At{"Picture7", -1, 9300, 5820},
          At{"txtPipeLine", 3, 8400, 1260}, At{"Shape4", -1, 9060, 8640},
          At{"Information", -1, 45, 10470}, At{"lblINumber", 31, 15060, 8145},
          At{"txtStageInfo1", 3, 8985, 9660}, At{"lblStage", 4, 11220, 9060},
          At{"lblRegister", 0, 5760, 420}, At{"lblRegister", 16, 11880, 420}}) {
        const Control &c = Get(a.name, a.index);
        EXPECT_EQ(c.left, a.left) << a.name << a.index;
        EXPECT_EQ(c.top, a.top) << a.name << a.index;
    }
    // The listing's three columns side by side: no text of a row hidden by its neighbour, the
    // widest texts whole at the listing's own size.
    Font listing;
    listing.face = "MS Sans Serif";
    listing.points = 8.25;
    listing.bold = true;
    for (int row = 0; row < 32; ++row) {
        const Control &pc = Get("lblPC", row);
        const Control &prog = Get("lblProg", row);
        const Control &number = Get("lblINumber", row);
        EXPECT_LE(pc.left + pc.width, prog.left) << row;
        EXPECT_LE(prog.left + prog.width, number.left) << row;
        EXPECT_EQ(number.width, 195);
        EXPECT_EQ(prog.font.face, listing.face);
        for (const char *text :
             {"SLTIU R31,R31,-32768", "ADDIU R28,R27,-32768", "LW R31,-32768(R31)"}) {
            EXPECT_LE(EstimatedTextWidth(listing, text), prog.width) << text;
        }
        EXPECT_LE(EstimatedTextWidth(listing, "99996 :"), pc.width);
    }
    for (int i = 1; i <= 4; ++i) {
        const Control &reg = Get("txtPipeLine", i);
        EXPECT_GE(reg.width, 315);
        EXPECT_LE(reg.width, 495);
        EXPECT_GE(reg.height, 6600);
        EXPECT_LE(reg.height, 6975);
    }
}

// What a student sees before anything is switched on: forwarding off, branch decided in MEM,
// no indicators, no listing, no value labels.
TEST(FiveStageLayout, StartVisibilityOfTheSwitchedDrawings) {
    for (int i : {20, 31, 37, 41, 44, 46, 68, 69, 71, 72, 82, 83, 89, 91, 92, 93, 95, 111}) {
        EXPECT_FALSE(Get("Line3", i).visible) << "forwarding wire " << i;
    }
    for (int n : {14, 15, 16, 17, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 48, 49}) {
        EXPECT_FALSE(Get("Line" + std::to_string(n)).visible) << "arrow Line" << n;
    }
    for (const char *name :
         {"Picture5", "Picture7", "Picture10", "Forward_Bubble", "lblForward", "Stall_Bubble",
          "LblStall", "Information", "Picture12", "Picture13", "Text2", "CommonDialog1"}) {
        const int index = std::string(name).find("Bubble") != std::string::npos ? 0 : -1;
        EXPECT_FALSE(Get(name, index).visible) << name;
    }
    for (int i : {0, 5, 6, 10}) {
        EXPECT_FALSE(Get("Shape1", i).visible) << "Shape1 " << i;
    }
    EXPECT_TRUE(Get("Shape1", 9).visible);
    EXPECT_TRUE(Get("Picture11").visible);
    EXPECT_TRUE(Get("Line3", 117).visible);
    EXPECT_TRUE(Get("Line3", 118).visible);

    std::set<int> early = {62, 64};
    for (int i = 119; i <= 142; ++i) {
        if (i != 138) {
            early.insert(i);
        }
    }
    for (int i : early) {
        EXPECT_FALSE(Get("Line3", i).visible) << "early-branch wire " << i;
    }
    for (int i :
         {4, 17, 24, 25, 30, 32, 73, 78, 79, 96, 97, 98, 100, 101, 103, 104, 105, 106, 112}) {
        EXPECT_TRUE(Get("Line3", i).visible) << "late-branch wire " << i;
    }
    for (int n : {42, 43, 46, 47, 54, 55, 58, 59}) {
        EXPECT_TRUE(Get("Line" + std::to_string(n)).visible) << "late-branch Line" << n;
    }
    for (const char *name : {"Picture2", "Picture4", "Text1"}) {
        EXPECT_TRUE(Get(name).visible) << name;
    }
    for (int i : {40, 41, 63, 94}) {
        EXPECT_FALSE(Get("Line3", i).visible) << "stage wire " << i;
    }
    for (const Control &c : Controls()) {
        const bool hiddenArray =
            c.name == "lblIFValue" || c.name == "lblIDValue" || c.name == "lblEXEValue" ||
            c.name == "lblMEMValue" || c.name == "lblWBValue" || c.name == "lblPC" ||
            c.name == "lblProg" || c.name == "lblINumber" || c.name == "txtStageInfo1" ||
            c.name == "txtStageInfo2" || c.name == "lblStage";
        if (hiddenArray) {
            EXPECT_FALSE(c.visible) << c.name << c.index;
        }
        if (c.kind == ControlKind::Timer) {
            EXPECT_EQ(c.interval, 0) << c.name;
        }
    }
}

// ---- geometry ----

struct Box {
    int left, top, right, bottom;
};

Box BoxOf(const Control &c) {
    return {c.left, c.top, c.left + c.width, c.top + c.height};
}

bool Overlap(const Box &a, const Box &b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Key(const Control &c) {
    return c.name + "(" + std::to_string(c.index) + ")";
}

// Labels that no handler ever shows.
bool NeverShown(const Control &c) {
    return (c.name == "lblEXEValue" && c.index == 26) ||
           (c.name == "lblMEMValue" && c.index == 14) || (c.name == "lblWBValue" && c.index == 6) ||
           c.name == "txtStageInfo1";
}

bool ValueArray(const Control &c) {
    return c.name == "lblIFValue" || c.name == "lblIDValue" || c.name == "lblEXEValue" ||
           c.name == "lblMEMValue" || c.name == "lblWBValue";
}

// Every text that can be on the drawing during a run.
std::vector<const Control *> Texts() {
    std::vector<const Control *> out;
    for (const Control &c : Controls()) {
        const bool text = c.kind == ControlKind::Label || c.kind == ControlKind::TextBox ||
                          c.kind == ControlKind::Button;
        if (text && !NeverShown(c) && c.name != "lblRegister") {
            out.push_back(&c);
        }
    }
    return out;
}

TEST(FiveStageLayoutGeometry, EverythingInsideTheWindowAndTheDrawingLeftOfTheListing) {
    const FormLayout &f = FiveStageLayout();
    for (const Control &c : Controls()) {
        if (c.kind == ControlKind::MenuItem || c.kind == ControlKind::Timer ||
            c.kind == ControlKind::FileDialog) {
            continue;
        }
        if (c.kind == ControlKind::Line) {
            for (auto [x, y] : {std::pair{c.x1, c.y1}, std::pair{c.x2, c.y2}}) {
                EXPECT_TRUE(x >= 0 && x <= f.width && y >= 0 && y <= f.height) << Key(c);
            }
            EXPECT_NE(std::abs(c.x2 - c.x1) + std::abs(c.y2 - c.y1), 0)
                << Key(c) << " has no length";
            // Wires stay on the drawing: left of the listing, above the stage strip.
            EXPECT_LT(std::max(c.x1, c.x2), 12675) << Key(c);
            EXPECT_LT(std::max(c.y1, c.y2), 9060) << Key(c);
            continue;
        }
        const Box b = BoxOf(c);
        EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= f.width && b.bottom <= f.height)
            << Key(c) << " leaves the window";
        EXPECT_GT(c.width, 0) << Key(c);
        EXPECT_GT(c.height, 0) << Key(c);
        if (ValueArray(c) || c.kind == ControlKind::Picture) {
            if (c.name != "Picture14") {
                EXPECT_LE(b.right, 12675) << Key(c) << " runs into the listing";
                EXPECT_LE(b.bottom, 9060) << Key(c) << " runs into the stage strip";
            }
        }
    }
}

TEST(FiveStageLayoutGeometry, NoTwoTextsOverlap) {
    const std::vector<const Control *> texts = Texts();
    // By design the listing's slot number stands over the end of its row's text label.
    const auto designed = [](const Control &a, const Control &b) {
        return a.name == "lblProg" && b.name == "lblINumber" && a.index == b.index;
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        for (size_t j = i + 1; j < texts.size(); ++j) {
            if (designed(*texts[i], *texts[j]) || designed(*texts[j], *texts[i])) {
                continue;
            }
            EXPECT_FALSE(Overlap(BoxOf(*texts[i]), BoxOf(*texts[j])))
                << Key(*texts[i]) << " overlaps " << Key(*texts[j]);
        }
    }
    // Value labels never cover an element picture either.
    for (const Control *t : texts) {
        for (const Control &p : Controls()) {
            if (p.kind == ControlKind::Picture && ValueArray(*t)) {
                EXPECT_FALSE(Overlap(BoxOf(*t), BoxOf(p))) << Key(*t) << " covers " << p.name;
            }
        }
    }
}

// Only forwarding paths take the forwarding colour: A into its multiplexer and the B
// multiplexer's output into the ALU are ordinary values. The forwarding trunk stays clear of the
// arrowheads on the B multiplexer's inputs, so each input shows which wire enters it.
TEST(FiveStageLayoutGeometry, ForwardingColourOnlyOnForwardingPaths) {
    const Control &muxA = Get("Picture5");
    const Control &muxB = Get("Picture10");
    int ordinary = 0;
    for (const Control &c : Controls()) {
        if (c.kind != ControlKind::Line) {
            continue;
        }
        const bool intoA = c.x2 == muxA.left && c.y1 == c.y2 && c.y2 == muxA.top + muxA.height / 4;
        const bool outOfB = c.x1 == muxB.left + muxB.width && c.y1 == muxB.top + muxB.height / 2;
        if (intoA || outOfB) {
            EXPECT_EQ(c.borderColor, 0xFF0000) << Key(c);
            ++ordinary;
        }
        if (c.borderColor == 0x80FF80 && c.x1 == c.x2) {
            EXPECT_FALSE(c.x1 > muxB.left - 120 && c.x1 <= muxB.left &&
                         std::max(c.y1, c.y2) > muxB.top &&
                         std::min(c.y1, c.y2) < muxB.top + muxB.height)
                << Key(c) << " runs over the B multiplexer's input arrowheads";
        }
    }
    EXPECT_GE(ordinary, 2);
}

// Drawn on a 1024 x 768 screen, a forwarding trunk passing the ALU multiplexers' inputs leaves a
// gap of 3 pixels or more before each arrowhead, or the heads merge into it.
TEST(FiveStageLayoutGeometry, ForwardingTrunksStandClearOfTheInputArrowheads) {
    const double pixelsPerTwip = 1024.0 / FiveStageLayout().width;
    const auto halfPen = [](const Control &c) { return c.borderWidth * 15 / 2; };
    int passed = 0;
    for (const Control &trunk : Controls()) {
        if (trunk.kind != ControlKind::Line || trunk.borderColor != 0x80FF80 ||
            trunk.x1 != trunk.x2) {
            continue;
        }
        for (const char *mux : {"Picture5", "Picture10"}) {
            for (const Control &head : Controls()) {
                const bool arrowhead = head.kind == ControlKind::Line && head.x2 == Get(mux).left &&
                                       head.y1 != head.y2;
                if (!arrowhead || std::max(head.y1, head.y2) < std::min(trunk.y1, trunk.y2) ||
                    std::min(head.y1, head.y2) > std::max(trunk.y1, trunk.y2)) {
                    continue;
                }
                const int gap =
                    std::min(head.x1, head.x2) - halfPen(head) - trunk.x1 - halfPen(trunk);
                EXPECT_GE(gap * pixelsPerTwip, 3.0) << Key(trunk) << " and " << Key(head);
                ++passed;
            }
        }
    }
    EXPECT_GT(passed, 0);
}

// A wire through a caption makes it unreadable; wires may end at a label's edge.
TEST(FiveStageLayoutGeometry, NoWireRunsThroughAText) {
    constexpr int kMargin = 15;
    for (const Control &line : Controls()) {
        if (line.kind != ControlKind::Line) {
            continue;
        }
        for (const Control *t : Texts()) {
            if (t->name == "txtPipeLine" && t->index > 0) {
                continue; // wires cross the pipeline registers, behind them
            }
            const Box b = BoxOf(*t);
            const Box inner{b.left + kMargin, b.top + kMargin, b.right - kMargin,
                            b.bottom - kMargin};
            // Wires here run along the axes or are short arrowhead strokes: sample them.
            bool through = false;
            for (int k = 0; k <= 64 && !through; ++k) {
                const int x = line.x1 + (line.x2 - line.x1) * k / 64;
                const int y = line.y1 + (line.y2 - line.y1) * k / 64;
                through = x > inner.left && x < inner.right && y > inner.top && y < inner.bottom;
            }
            EXPECT_FALSE(through) << Key(line) << " runs through " << Key(*t);
        }
    }
}

// The longest caption each value label shows in a run: 8-digit numbers, the longest texts.
TEST(FiveStageLayoutGeometry, EveryLabelHoldsItsLongestCaption) {
    const std::string number = "12345678";
    const std::map<std::string, std::map<int, std::string>> longest = {
        {"lblIFValue",
         {{0, number}, {1, "ADDIU R31,R31,-32768(Flushed)"}, {2, number}, {3, number}, {4, "1"}}},
        {"lblIDValue",
         {{0, "Rs=31"},
          {1, "Rt=31"},
          {2, "FFFF"},
          {3, "FFFFFFFF"},
          {4, "Rt=31"},
          {5, "Rd=31"},
          {6, number},
          {7, number},
          {8, "ADDIU"},
          {9, "NPC= " + number},
          {14, "False"},
          {15, number},
          {16, number}}},
        {"lblEXEValue",
         {{0, number},
          {1, number},
          {2, "FFFFFFFF"},
          {3, "Rt=31"},
          {4, "Rd=31"},
          {5, number},
          {6, number},
          {7, number},
          {8, "func 42\r\nShmt 31"},
          {9, "2"},
          {10, "3"},
          {11, "BitNOR(OR-NOT)"},
          {12, "RX: 31"},
          {13, number},
          {14, "NPC= " + number},
          {17, number},
          {20, "1"},
          {24, "-131072"},
          {25, "1 "}}},
        {"lblMEMValue",
         {{0, number},
          {1, number},
          {2, "1"},
          {3, "1"},
          {4, "Rx=31"},
          {6, "F A L S E"},
          {9, number},
          {12, number},
          {15, "1"},
          {16, number}}},
        {"lblWBValue",
         {{0, number},
          {1, number},
          {2, number},
          {3, "Rx=31"},
          {7, "1"},
          {8, "31"},
          {9, number},
          {12, "1"},
          {13, "RegWrite1"}}},
    };
    int checked = 0;
    for (const Control *t : Texts()) {
        std::string caption = t->caption;
        const auto array = longest.find(t->name);
        if (array != longest.end()) {
            const auto it = array->second.find(t->index);
            if (it != array->second.end()) {
                caption = it->second;
            }
        }
        if (t->name == "lblPC") {
            caption = "12124 :"; // an address and its colon
        }
        if (t->name == "lblProg" || t->name == "txtStageInfo2" || t->name == "LblStall" ||
            t->name == "lblForward" || t->name == "Information" || caption.empty()) {
            continue; // fixed by the window's design, or wrapped
        }
        const int inset = t->kind == ControlKind::TextBox ? 90 : 0;
        // 2 % for rounding in the renderer's font sizes.
        EXPECT_LE(EstimatedTextWidth(t->font, caption), (t->width - inset) * 102 / 100)
            << Key(*t) << " cannot hold \"" << caption << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

// The wires that the clock and the options switch by number are the wires they mean.
TEST(FiveStageLayoutGeometry, NamedWiresMeetTheirElements) {
    const Control &alu = Get("Picture1");
    const Control &idexe = Get("txtPipeLine", 2);
    const Control &exemem = Get("txtPipeLine", 3);
    const Control &memory = Get("txPipeLine", 1);
    const Control &in = Get("Line3", 40);
    const Control &toAlu = Get("Line3", 41);
    const Control &out = Get("Line3", 63);
    const Control &address = Get("Line3", 94);
    EXPECT_EQ(in.x1, idexe.left + idexe.width);
    EXPECT_EQ(toAlu.x2, alu.left);
    EXPECT_EQ(toAlu.y2, alu.top + alu.height / 4) << "A enters the ALU's upper input";
    EXPECT_EQ(out.x1, alu.left + alu.width);
    EXPECT_EQ(out.x2, exemem.left);
    EXPECT_EQ(address.x1, exemem.left + exemem.width);
    EXPECT_EQ(address.x2, memory.left);
    EXPECT_EQ(address.y1, out.y1) << "the ALU result crosses EXE/MEM on one level";

    // The plain wires run straight through the places of the multiplexers they stand in for,
    // and join up with the wires before and after them.
    for (auto [wire, mux] : {std::pair{117, "Picture5"}, std::pair{118, "Picture7"}}) {
        const Control &w = Get("Line3", wire);
        const Control &m = Get(mux);
        EXPECT_EQ(w.y1, w.y2) << wire;
        EXPECT_LE(std::min(w.x1, w.x2), m.left) << wire;
        EXPECT_GE(std::max(w.x1, w.x2), m.left + m.width) << wire;
        EXPECT_GT(w.y1, m.top) << wire;
        EXPECT_LT(w.y1, m.top + m.height) << wire;
    }
    EXPECT_EQ(Get("Line3", 117).x2, toAlu.x1);
    EXPECT_EQ(Get("Line3", 117).y2, toAlu.y1);
}

TEST(FiveStageLayoutGeometry, TextWidthsFollowTheFont) {
    Font bold;
    bold.face = "Arial Black";
    bold.points = 6.75;
    EXPECT_EQ(EstimatedTextWidth(bold, "12345678"), 626); // 8 x 580/1000 em x 135 twips
    // Wider with the size; a narrow face is narrower; a multi-line caption is as wide as its
    // widest line.
    Font big = bold;
    big.points = 13.5;
    EXPECT_EQ(EstimatedTextWidth(big, "12345678"), 1253);
    Font narrow = bold;
    narrow.face = "Arial Narrow";
    EXPECT_LT(EstimatedTextWidth(narrow, "12345678"), 626);
    EXPECT_EQ(EstimatedTextWidth(bold, "1\r\n12345678\r\n12"), 626);
    EXPECT_EQ(EstimatedTextWidth(bold, ""), 0);
}

} // namespace
} // namespace corvexa
