// The option and policy commands of the five-stage window: what each draws, checks and enables,
// and that every switch ends the run in progress.
#include "options_fixture.h"

namespace corvexa::testing {
namespace {

using OptionSwitches = FiveStageWindow;

const int kForwardingWires[] = {20, 31, 37, 41, 44, 46, 68, 69, 71,
                                72, 82, 83, 89, 91, 92, 93, 95, 111};
const char *const kForwardingArrows[] = {"Line14", "Line15", "Line16", "Line17", "Line31", "Line32",
                                         "Line33", "Line34", "Line35", "Line36", "Line37", "Line38",
                                         "Line39", "Line40", "Line41", "Line48", "Line49"};

void ExpectForwardingDrawing(frmMIPSFiveStageInt &w, bool on) {
    for (int wire : kForwardingWires) {
        EXPECT_EQ(w.C("Line3", wire).visible, on) << "Line3(" << wire << ")";
    }
    for (const char *arrow : kForwardingArrows) {
        EXPECT_EQ(w.C(arrow).visible, on) << arrow;
    }
    for (int shape : {0, 5, 6}) {
        EXPECT_EQ(w.C("Shape1", shape).visible, on) << "Shape1(" << shape << ")";
    }
    for (const char *picture : {"Picture5", "Picture7", "Picture10", "lblForward"}) {
        EXPECT_EQ(w.C(picture).visible, on) << picture;
    }
    EXPECT_EQ(w.C("Forward_Bubble", 0).visible, on);
    EXPECT_EQ(w.C("lblMEMValue", 2).visible, on);
    EXPECT_EQ(w.C("Picture11").visible, !on);
    EXPECT_EQ(w.C("Shape1", 9).visible, !on);
    EXPECT_EQ(w.C("Line3", 117).visible, !on);
    EXPECT_EQ(w.C("Line3", 118).visible, !on);
}

TEST_F(OptionSwitches, ForwardingRedrawsTheDatapathAndResetsTheRun) {
    frmMIPSFiveStageInt &w = Open();
    EXPECT_FALSE(w.C("mnuForwarding").checked);
    ExpectForwardingDrawing(w, false);

    w.ClockCount = 6; // a run in progress
    w.Click("mnuForwarding");
    EXPECT_TRUE(w.C("mnuForwarding").checked);
    EXPECT_TRUE(m.ForwardingEnabled);
    EXPECT_EQ(w.ClockCount, -1);
    EXPECT_EQ(w.C("lblClockCount").caption, "CC");
    ExpectForwardingDrawing(w, true);
    EXPECT_FALSE(w.C("lblEXEValue", 9).visible); // shown by the next EXE phase, not here

    w.C("lblEXEValue", 9).visible = true;
    w.ClockCount = 3;
    w.Click("mnuForwarding");
    EXPECT_FALSE(w.C("mnuForwarding").checked);
    EXPECT_FALSE(m.ForwardingEnabled);
    EXPECT_EQ(w.ClockCount, -1);
    ExpectForwardingDrawing(w, false);
    EXPECT_FALSE(w.C("lblEXEValue", 9).visible);
}

TEST_F(OptionSwitches, StallDetectionShowsItsBlinkingIndicatorAndClearsAPendingStall) {
    frmMIPSFiveStageInt &w = Open();
    EXPECT_FALSE(Visible("LblStall"));
    w.ClockCount = 4;
    w.Click("MnuStall");
    EXPECT_TRUE(w.C("MnuStall").checked);
    EXPECT_TRUE(Visible("LblStall"));
    EXPECT_TRUE(Visible("Stall_Bubble", 0));
    EXPECT_TRUE(w.C("StallBlink").enabled);
    EXPECT_EQ(w.C("StallBlink").interval, 100);
    EXPECT_TRUE(w.StallDetectionEnabled);
    EXPECT_EQ(w.ClockCount, -1);

    w.ClockCount = 2;
    w.HazardStall = 1;
    w.Click("MnuStall");
    EXPECT_FALSE(w.C("MnuStall").checked);
    EXPECT_FALSE(Visible("LblStall"));
    EXPECT_FALSE(Visible("Stall_Bubble", 0));
    EXPECT_FALSE(w.C("StallBlink").enabled);
    EXPECT_FALSE(w.StallDetectionEnabled);
    EXPECT_EQ(w.HazardStall, 0);
    EXPECT_EQ(w.ClockCount, -1);
}

const int kEarlyWires[] = {62,  64,  119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129,
                           130, 131, 132, 133, 134, 135, 136, 137, 139, 140, 141, 142};
const int kLateWires[] = {4,  17, 24, 25,  30,  31,  32,  73,  78,  79,
                          96, 97, 98, 100, 101, 103, 104, 105, 106, 112};
const char *const kLateLines[] = {"Line42", "Line43", "Line46", "Line47",
                                  "Line54", "Line55", "Line58", "Line59"};

void ExpectBranchDrawing(frmMIPSFiveStageInt &w, bool early) {
    for (const char *c : {"Picture12", "Picture13", "Text2"}) {
        EXPECT_EQ(w.C(c).visible, early) << c;
    }
    EXPECT_EQ(w.C("Shape1", 10).visible, early);
    for (int wire : kEarlyWires) {
        EXPECT_EQ(w.C("Line3", wire).visible, early) << "Line3(" << wire << ")";
    }
    for (const char *c : {"Picture2", "Picture4", "Text1"}) {
        EXPECT_EQ(w.C(c).visible, !early) << c;
    }
    for (int wire : kLateWires) {
        if (wire == 31) {
            continue; // also a forwarding wire: the option switched last decides
        }
        EXPECT_EQ(w.C("Line3", wire).visible, !early) << "Line3(" << wire << ")";
    }
    for (const char *c : kLateLines) {
        EXPECT_EQ(w.C(c).visible, !early) << c;
    }
}

void ExpectPolicy(frmMIPSFiveStageInt &w, const char *checkedItem, const char *caption) {
    for (const char *item : {"OptNormal", "OptAlways", "OptDelayed", "OptCancelled"}) {
        EXPECT_EQ(w.C(item).checked, std::string(item) == checkedItem) << item;
    }
    EXPECT_EQ(w.C("lblBranchPolicy").caption, caption);
    const int flags = int{w.BranchPolicyNormal} + int{w.BranchPolicyAlwaysFlush} +
                      int{w.BranchPolicyDelayed} + int{w.BranchPolicyCancelled};
    EXPECT_EQ(flags, 1);
}

TEST_F(OptionSwitches, AggressiveBranchingSwapsTheBranchHardwareAndResetsThePolicy) {
    frmMIPSFiveStageInt &w = Open();
    ExpectBranchDrawing(w, false); // as the window opens
    EXPECT_FALSE(w.C("OptDelayed").enabled);
    EXPECT_FALSE(w.C("OptCancelled").enabled);
    ExpectPolicy(w, "OptNormal", "Normal (Predict Not Taken)");

    for (int i : {13, 14, 19}) {
        w.C("lblEXEValue", i).visible = true;
    }
    for (int i : {7, 9, 10}) {
        w.C("lblMEMValue", i).visible = true;
    }
    w.ClockCount = 5;
    w.Click("AggBranch");
    EXPECT_TRUE(w.C("AggBranch").checked);
    EXPECT_TRUE(m.AggressiveBranching);
    EXPECT_EQ(w.ClockCount, -1);
    EXPECT_TRUE(w.C("OptDelayed").enabled);
    EXPECT_TRUE(w.C("OptCancelled").enabled);
    ExpectBranchDrawing(w, true);
    for (int i : {13, 14, 19}) {
        EXPECT_FALSE(w.C("lblEXEValue", i).visible) << i;
    }
    for (int i : {7, 9, 10}) {
        EXPECT_FALSE(w.C("lblMEMValue", i).visible) << i;
    }

    w.Click("OptDelayed");
    ExpectPolicy(w, "OptDelayed", "Delayed Branching (Always Execute)");
    EXPECT_TRUE(w.BranchPolicyDelayed);

    w.Click("AggBranch"); // off: back to Normal, the late hardware drawn, its labels not shown
    EXPECT_FALSE(m.AggressiveBranching);
    ExpectPolicy(w, "OptNormal", "Normal (Predict Not Taken)");
    EXPECT_TRUE(w.BranchPolicyNormal);
    EXPECT_FALSE(w.C("OptDelayed").enabled);
    EXPECT_FALSE(w.C("OptCancelled").enabled);
    ExpectBranchDrawing(w, false);
    EXPECT_FALSE(w.C("lblEXEValue", 19).visible);
    EXPECT_FALSE(w.C("lblMEMValue", 7).visible);

    w.Click("AggBranch");
    ExpectPolicy(w, "OptNormal", "Normal (Predict Not Taken)");
}

TEST_F(OptionSwitches, EachPolicyChecksItsItemSetsItsCaptionAndResets) {
    frmMIPSFiveStageInt &w = Open();
    w.ClockCount = 3;
    w.Click("OptAlways");
    ExpectPolicy(w, "OptAlways", "Always Flush");
    EXPECT_TRUE(w.BranchPolicyAlwaysFlush);
    EXPECT_EQ(w.ClockCount, -1);

    // Without aggressive branching Delayed and Cancelled cannot be chosen.
    w.Click("OptDelayed");
    w.Click("OptCancelled");
    ExpectPolicy(w, "OptAlways", "Always Flush");

    w.Click("AggBranch");
    w.Click("OptCancelled");
    ExpectPolicy(w, "OptCancelled", "Cancelled Branching (predict taken)");
    EXPECT_TRUE(w.BranchPolicyCancelled);
    EXPECT_TRUE(w.C("OptDelayed").enabled);
    w.Click("OptAlways");
    ExpectPolicy(w, "OptAlways", "Always Flush");
    EXPECT_TRUE(w.C("OptCancelled").enabled);
    w.ClockCount = 7;
    w.Click("OptNormal");
    ExpectPolicy(w, "OptNormal", "Normal (Predict Not Taken)");
    EXPECT_EQ(w.ClockCount, -1);
}

TEST_F(OptionSwitches, BranchPolicyLabelExplainsTheActivePolicy) {
    frmMIPSFiveStageInt &w = Open();
    w.Click("lblBranchPolicy"); // before any clock
    EXPECT_EQ(Info(), "In Predict NT, Pipeline is Flushed if branch is TAKEN.  Otherwise "
                      "instruction already in the Pipeline are executed as Normal");
    EXPECT_TRUE(Visible("Information"));
    EXPECT_EQ(w.C("Timer1").interval, 25000);

    w.Click("OptAlways");
    w.Click("lblBranchPolicy");
    EXPECT_EQ(Info(), "Always Flush: Instructions in the pipeline are Flushed blindly, without "
                      "waiting for branch outcome.  This policy is not used a lot.");
    w.Click("AggBranch");
    w.Click("OptDelayed");
    w.Click("lblBranchPolicy");
    EXPECT_EQ(Info(), "Delayed Branching is like Always Execute: Instructions in the pipeline are "
                      "always executed no matter what is the branch outcome.");
    w.Click("OptCancelled");
    w.Click("lblBranchPolicy");
    EXPECT_EQ(Info(), "Cancelled Branching: Only execute instructions in the pipeline is if Branch "
                      "is TRUE, otherwise flush. Needs BEQL/BNEQL Opcodes");
    EXPECT_TRUE(desk.Log().empty());
}

TEST_F(OptionSwitches, IndicatorsOpenTheirExplanationWindows) {
    frmMIPSFiveStageInt &w = Open();
    m.ForwardingText = " forwarded";
    m.StallText = " stalled";
    w.Click("mnuForwarding");
    w.Click("lblForward");
    ASSERT_TRUE(desk.Loaded("frmForwarding"));
    EXPECT_TRUE(desk.Get("frmForwarding").visible);
    EXPECT_EQ(desk.Get("frmForwarding").C("For_Reason").caption, " forwarded");

    w.Click("MnuStall");
    w.Click("LblStall");
    EXPECT_EQ(Info(), "Stall Detection Automatically Detects Data and Control Hazards.");
    EXPECT_TRUE(Visible("Information"));
    EXPECT_EQ(w.C("Timer1").interval, 25000);
    ASSERT_TRUE(desk.Loaded("frmStall_Help"));
    EXPECT_TRUE(desk.Get("frmStall_Help").visible);
    EXPECT_EQ(desk.Get("frmStall_Help").C("Stall_Reason").caption, " stalled");
    EXPECT_TRUE(w.visible); // neither window is modal nor hides the drawing
}

} // namespace
} // namespace corvexa::testing
