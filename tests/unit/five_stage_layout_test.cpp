// The five-stage window's design state: inventory, start state of the switched drawings, and the
// geometry faults a student would see (controls off the window, labels on top of each other).
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FiveStageLayout, PositionsFixedByTheWindowsDesign) {
    struct At {
        const char *name;
        int index, left, top;
    };
    for (const At &a :
         {At{"PC", -1, 660, 4260}, At{"Picture1", -1, 7380, 3840}, At{"Picture7", -1, 9300, 5820},
          At{"txtPipeLine", 3, 8400, 1260}, At{"Shape4", -1, 9060, 8640},
          At{"Information", -1, 45, 10470}, At{"lblProg", 0, 13380, 180},
          At{"lblINumber", 31, 15060, 8145}, At{"txtStageInfo1", 3, 8985, 9660},
          At{"lblStage", 4, 11220, 9060}, At{"lblRegister", 0, 5760, 420}}) {
        const Control &c = Get(a.name, a.index);
        EXPECT_EQ(c.left, a.left) << a.name << a.index;
        EXPECT_EQ(c.top, a.top) << a.name << a.index;
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
    for (int i : {20, 37, 41, 44, 46, 68, 69, 71, 72, 82, 83, 89, 91, 92, 93, 95, 111}) {
        EXPECT_FALSE(Get("Line3", i).visible) << "forwarding wire " << i;
        EXPECT_EQ(Get("Line3", i).borderColor, 0x80FF80) << i;
        EXPECT_EQ(Get("Line3", i).borderWidth, 4) << i;
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

} // namespace
} // namespace corvexa
