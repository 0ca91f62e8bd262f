// Window commands of the five-stage window and the detail view's quirks.
#include "options_fixture.h"

namespace corvexa::testing {
namespace {

using WindowCommands = FiveStageWindow;

const std::pair<const char *, int> kDetailGroup[] = {
    {"lblIDValue", 10},  {"lblIDValue", 11},  {"lblIDValue", 12},  {"lblIDValue", 13},
    {"lblEXEValue", 15}, {"lblEXEValue", 16}, {"lblEXEValue", 18}, {"lblEXEValue", 19},
    {"lblEXEValue", 21}, {"lblEXEValue", 22}, {"lblEXEValue", 23}, {"lblMEMValue", 7},
    {"lblMEMValue", 10}, {"lblMEMValue", 11}, {"lblMEMValue", 13}, {"lblWBValue", 4},
    {"lblWBValue", 5},   {"lblWBValue", 11}};

bool LateBranchTag(const std::string &array, int index) {
    return (array == "lblEXEValue" && index == 19) ||
           (array == "lblMEMValue" && (index == 7 || index == 10));
}

int VisibleTags(frmMIPSFiveStageInt &w) {
    int n = 0;
    for (auto [array, index] : kDetailGroup) {
        n += w.C(array, index).visible ? 1 : 0;
    }
    return n;
}

TEST_F(WindowCommands, DetailViewStartsCheckedButHiddenAndNeedsTwoClicks) {
    frmMIPSFiveStageInt &w = Open();
    EXPECT_TRUE(w.C("ViewDetails").checked);
    EXPECT_EQ(VisibleTags(w), 0);

    w.Click("ViewDetails");
    EXPECT_FALSE(w.C("ViewDetails").checked);
    EXPECT_EQ(VisibleTags(w), 0);

    w.Click("ViewDetails");
    EXPECT_TRUE(w.C("ViewDetails").checked);
    EXPECT_EQ(VisibleTags(w), 18);
    EXPECT_EQ(w.C("lblMEMValue", 7).caption, "Br.  Add"); // only visibility changes

    w.Click("Reset"); // a reset hides them whatever the check mark says
    EXPECT_TRUE(w.C("ViewDetails").checked);
    EXPECT_EQ(VisibleTags(w), 0);
}

TEST_F(WindowCommands, DetailViewLeavesTheLateBranchTagsHiddenUnderAggressiveBranching) {
    frmMIPSFiveStageInt &w = Open();
    w.Click("ViewDetails");
    w.Click("ViewDetails");
    w.Click("AggBranch"); // hides "BR.Add", "Br.  Add", "Outcome"
    for (auto [array, index] : kDetailGroup) {
        if (LateBranchTag(array, index)) {
            EXPECT_FALSE(w.C(array, index).visible) << array << index;
        }
    }
    w.Click("ViewDetails");
    w.Click("ViewDetails");
    for (auto [array, index] : kDetailGroup) {
        EXPECT_EQ(w.C(array, index).visible, !LateBranchTag(array, index)) << array << index;
    }

    w.Click("AggBranch"); // off again: the three tags stay hidden until the view is switched
    EXPECT_FALSE(w.C("lblEXEValue", 19).visible);
    w.Click("ViewDetails");
    EXPECT_EQ(VisibleTags(w), 0);
    w.Click("ViewDetails");
    EXPECT_EQ(VisibleTags(w), 18);
}

TEST_F(WindowCommands, MemoryAndRegistersShowTheirWindowsUpToDate) {
    frmMIPSFiveStageInt &w = Open();
    m.RegisterFile[6] = 666;
    m.RegisterHasValue[6] = true;
    w.Click("MenuREG");
    Form &regs = desk.Get("MenuRegisters");
    EXPECT_TRUE(regs.visible);
    EXPECT_EQ(regs.C("lblRegisteValue", 6).caption, "666");
    EXPECT_TRUE(regs.C("OptRegUsed", 6).checked);

    m.MemMapLast = 1;
    m.MemMapAddress[1] = 2000;
    m.MemMapValue[1] = 7;
    w.Click("MenuMEM");
    Form &mem = desk.Get("MenuMemory");
    EXPECT_TRUE(mem.visible);
    EXPECT_TRUE(regs.visible); // neither hides the other
    EXPECT_TRUE(mem.C("Label1", 1).visible);
    EXPECT_EQ(mem.C("Label1", 1).caption, "2000");

    // Shown again after being hidden: brought up to date, hex view ended.
    mem.Click("MenuHexValues");
    mem.Click("Exit");
    m.MemMapValue[1] = 8;
    w.Click("MenuMEM");
    EXPECT_EQ(mem.C("lblMemData", 1).caption, "8");
    EXPECT_FALSE(mem.C("MenuHexValues").checked);
    EXPECT_TRUE(w.visible);
}

TEST_F(WindowCommands, WriteProgramHidesTheStateWindowsAndShowsTheWriter) {
    frmMIPSFiveStageInt &w = Open();
    w.Click("MenuREG");
    w.Click("MenuMEM");
    if (!desk.Known("frmWriteIntProg")) {
        GTEST_SKIP() << "the program writer is not registered yet";
    }
    desk.QueueAnswer("2000"); // the writer asks for the start address when it is created
    w.Click("WrProg");
    EXPECT_FALSE(desk.Get("MenuRegisters").visible);
    EXPECT_FALSE(desk.Get("MenuMemory").visible);
    EXPECT_TRUE(desk.Get("frmWriteIntProg").visible);
    EXPECT_TRUE(w.visible);
}

TEST_F(WindowCommands, WriteProgramCreatesNeverShownStateWindowsHidden) {
    frmMIPSFiveStageInt &w = Open();
    if (!desk.Known("frmWriteIntProg")) {
        GTEST_SKIP() << "the program writer is not registered yet";
    }
    desk.QueueAnswer("2000");
    w.Click("WrProg");
    EXPECT_TRUE(desk.Loaded("MenuRegisters"));
    EXPECT_FALSE(desk.Get("MenuRegisters").visible);
    EXPECT_TRUE(desk.Loaded("MenuMemory"));
    EXPECT_FALSE(desk.Get("MenuMemory").visible);
}

TEST_F(WindowCommands, ExitKeepsTheWholeRunForTheNextOpening) {
    frmMIPSFiveStageInt &w = Open();
    if (!desk.Known("frmMain")) {
        GTEST_SKIP() << "the main window is not registered yet";
    }
    desk.Get("frmMain"); // created before, as the program starts with it
    desk.Log().clear();
    w.ClockCount = 9;
    w.C("lblClockCount").caption = "10";
    w.Click("Exit");
    EXPECT_FALSE(w.visible);
    EXPECT_TRUE(desk.Loaded("frmMIPSFiveStageInt"));
    Form &main = desk.Get("frmMain");
    EXPECT_TRUE(main.visible);
    EXPECT_EQ(main.windowState, WindowState::Maximised);

    desk.Show("frmMIPSFiveStageInt");
    EXPECT_EQ(&Window(), &w);
    EXPECT_EQ(w.ClockCount, 9);
    EXPECT_EQ(w.C("lblClockCount").caption, "10");
}

} // namespace
} // namespace corvexa::testing
