// The five-stage window's frame: start state, program hand-over, reset, register strip, timers
// and the option latch of the first clock.
#include "clock_test_support.h"
#include "layouts/five_stage_layout.h"

namespace corvexa::clocktest {
namespace {

TEST(ClockFrame, LoadingTheWindowSetsItsStartState) {
    Machine m;
    HeadlessDesk desk(m);
    RegisterAllForms(desk);
    m.RegistersInitialised = true;
    m.RegisterFile[4] = 9;
    m.RegisterHasValue[4] = true;
    auto &w = dynamic_cast<frmMIPSFiveStageInt &>(desk.Get("frmMIPSFiveStageInt"));
    EXPECT_FALSE(m.RegistersInitialised);
    EXPECT_EQ(m.RegisterFile[4], 0);
    EXPECT_FALSE(m.RegisterHasValue[4]);
    EXPECT_EQ(w.ClockCount, -1);
    EXPECT_EQ(w.InfoTimerInterval, 25000);
    EXPECT_TRUE(w.BranchPolicyNormal);
    EXPECT_TRUE(w.C("OptNormal").checked);
    EXPECT_FALSE(w.C("OptDelayed").enabled);
    EXPECT_FALSE(w.C("OptCancelled").enabled);
    EXPECT_EQ(w.C("lblBranchPolicy").caption, "Normal (Predict Not Taken)");
    EXPECT_EQ(w.C("lblClockCount").caption, "CC");
    EXPECT_FALSE(w.C("lblEXEValue", 2).visible);
    EXPECT_FALSE(w.C("Line62").visible);
    EXPECT_EQ(m.ZeroPad[32], std::string(32, '0'));
    EXPECT_EQ(m.FPad[8], "FFFFFFFF");
}

TEST(ClockFrame, HandOverListsAndAssemblesOnlyWhenAProgramWasWritten) {
    Pipeline p;
    p.Alu(0, "ADD", 5, 1, 2);
    p.Assemble();
    EXPECT_FALSE(p.m.ProgramWritten);
    EXPECT_EQ(p.C("lblPC", 0).caption, "2000 :");
    EXPECT_EQ(p.C("lblProg", 0).caption, "ADD R5,R1,R2");
    EXPECT_TRUE(p.C("lblINumber", 31).visible);
    EXPECT_EQ(p.State("InstrWord", 0), std::to_string(0x00222820));
    EXPECT_EQ(p.State("AluOpName", 0), "ADD");

    // An ordinary repaint changes nothing.
    p.m.ProgText[0] = "changed";
    p.desk.Refresh("frmMIPSFiveStageInt");
    EXPECT_EQ(p.C("lblProg", 0).caption, "ADD R5,R1,R2");

    // With the registers initialised they keep their values but lose their marks.
    p.Preset();
    p.Clock(3);
    p.Assemble();
    EXPECT_EQ(p.m.RegisterFile[5], 500);
    EXPECT_FALSE(p.m.RegisterHasValue[1]);
    EXPECT_FALSE(p.C("lblRegister", 0).visible);
    EXPECT_EQ(p.C("lblClockCount").caption, "CC");
}

TEST(ClockFrame, AnUnknownMnemonicIsReportedPerSlotAndHidesTheWindow) {
    Pipeline p;
    p.Alu(3, "XOR", 1, 2, 3);
    p.Alu(7, "ADD.S", 1, 2, 3);
    p.Alu(8, "SUB", 4, 5, 6);
    p.Assemble();
    for (int i = 0; i < 2; ++i) {
        const DialogRecord d = p.Dialog();
        EXPECT_EQ(d.text, "Op Code Not Recognized or Not Included");
        EXPECT_EQ(d.title, kAppTitle);
        EXPECT_EQ(d.icon, MsgIcon::None);
    }
    p.ExpectNoDialog();
    EXPECT_FALSE(p.w->visible);
    EXPECT_EQ(p.State("AluOpName", 8), "SUB"); // later slots are still assembled

    // The unknown operation reaches EXE: one message, and the clock goes on.
    p.desk.Show("frmMIPSFiveStageInt");
    p.Preset();
    p.Clock(6);
    EXPECT_EQ(p.Dialog().text, "Unrecognised Command Caught in EXE Stage");
    p.ExpectNoDialog();
    p.Clock(2);
    EXPECT_EQ(p.State("WB.Op"), "XOR");
}

TEST(ClockFrame, ResetPresetsRegistersYetLeavesTheStripEmpty) {
    Pipeline p;
    for (int i = 0; i < 12; ++i) {
        p.Alu(i, "ADD", i + 1, 0, 0);
    }
    p.Assemble();
    p.Preset();
    p.Clock(17);
    EXPECT_TRUE(p.C("lblRegister", 12).visible); // R0 to R12
    for (int k = 1; k <= 12; ++k) {
        // Each label is as wide as its caption and starts after the one before.
        const Control &before = p.C("lblRegister", k - 1);
        const Control &label = p.C("lblRegister", k);
        EXPECT_GE(before.width, EstimatedTextWidth(before.font, before.caption));
        EXPECT_EQ(label.left, before.left + before.width + 80);
    }
    p.w->Reset_Click();
    EXPECT_EQ(p.m.RegisterFile[7], 700);
    EXPECT_EQ(p.m.RegisterFile[0], 0);
    for (int k = 0; k <= 16; ++k) {
        EXPECT_FALSE(p.C("lblRegister", k).visible);
    }
    EXPECT_EQ(p.State("WB.Op"), "0");
    EXPECT_EQ(p.State("StallDetectionEnabled"), "False");
    EXPECT_FALSE(p.C("Line3", 41).visible);
}

TEST(ClockFrame, RegisterStripPlacesLabelsAndShowsAtMostSeventeen) {
    Pipeline p;
    p.m.RegisterHasValue.fill(true);
    p.m.RegisterFile[0] = 0;
    p.m.RegisterFile[1] = -5;
    p.w->RefreshRegisterList();
    const Control &first = p.C("lblRegister", 0);
    const Control &second = p.C("lblRegister", 1);
    EXPECT_EQ(first.left, 10);
    EXPECT_EQ(second.left, first.left + first.width + 80);
    EXPECT_EQ(second.caption, "R1=-5");
    EXPECT_EQ(p.C("lblRegister", 16).caption, "R16=0");
    EXPECT_TRUE(p.C("lblRegister", 16).visible);
}

TEST(ClockFrame, TimersReShowExplanationsAndRampTheStallIndicator) {
    Pipeline p;
    Control &info = p.C("Information");
    p.w->Timer1_Timer();
    EXPECT_FALSE(info.visible); // caption " "
    info.caption = "text";
    p.w->Timer1_Timer();
    EXPECT_TRUE(info.visible);

    Control &stall = p.C("LblStall");
    stall.foreColor = 51100;
    p.w->StallBlink_Timer();
    EXPECT_EQ(stall.foreColor, 51200);
    p.w->StallBlink_Timer();
    EXPECT_EQ(stall.foreColor, 500);
}

TEST(ClockFrame, RegisterPromptOffersElevenTimesTheNumber) {
    Pipeline p;
    p.m.RegisterFile[0] = 3;
    p.w->PromptRegisterValue(0);
    EXPECT_EQ(p.m.RegisterFile[0], 0);
    p.ExpectNoDialog();
    p.desk.QueueAnswer("-2.5");
    p.w->PromptRegisterValue(7);
    EXPECT_EQ(p.Dialog().defaultAnswer, "777");
    EXPECT_EQ(p.m.RegisterFile[7], -2);
}

TEST(ClockFrame, OptionsAreLatchedAtTheFirstClockOnly) {
    Pipeline p;
    p.Options(true, true, false);
    p.Clock();
    EXPECT_TRUE(p.m.ForwardingEnabled);
    EXPECT_TRUE(p.w->StallDetectionEnabled);
    p.Options(false, false, true); // check marks changed without a reset
    p.Clock();
    EXPECT_TRUE(p.m.ForwardingEnabled);
    EXPECT_FALSE(p.m.AggressiveBranching);
    p.w->Reset_Click();
    p.Clock();
    EXPECT_FALSE(p.m.ForwardingEnabled);
    EXPECT_TRUE(p.m.AggressiveBranching);
}

} // namespace
} // namespace corvexa::clocktest
