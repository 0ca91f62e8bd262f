#include "singlecycle/frmSingleCycle.h"
#include "singlecycle/single_cycle_clock.h"

#include "layouts/single_cycle_layout.h"

namespace corvexa {

namespace {

// The window has no option commands: its drawing says "Forwarding ON" and "Stall Detection ON",
// and branches are decided in MEM. A reset and the first clock read these same values.
constexpr bool kForwarding = true;
constexpr bool kStallDetection = true;
constexpr bool kEarlyBranchDecision = false;

constexpr int kStripLeft = kTestButtonLeft + kTestButtonWidth + 80;

FrameTraits SingleCycleTraits() {
    FrameTraits t;
    t.offersRegisterDefault = false;
    t.timerShowsBlankStrip = true;
    // The strip starts right of the "test" button.
    t.registerStripLeft = kStripLeft;
    return t;
}

} // namespace

frmSingleCycle::frmSingleCycle(Desk &desk)
    : PipelineWindow(desk, "frmSingleCycle", SingleCycleLayout(), SingleCycleTraits()) {
    MakeClock<SingleCycleClock>(SingleCycleVariant());
    On("LblStall", [this] { LblStall_Click(); });
    On("Test", [this] { Test_Click(); });
}

void frmSingleCycle::Form_Load() {
    LoadStartState();
    machine().TestColourAccumulator = 0;
    left = kSingleCycleLeft;
    top = kSingleCycleTop;
    width = kSingleCycleWidth;
    height = kSingleCycleHeight;
}

// The first clock's latch also sets the options the five-stage window shares.
void frmSingleCycle::LatchOptions() {
    StallDetectionEnabled = kStallDetection;
    machine().ForwardingEnabled = kForwarding;
    machine().AggressiveBranching = kEarlyBranchDecision;
}

void frmSingleCycle::ResetOptions() {
    if (kStallDetection) {
        StallDetectionEnabled = true;
    }
}

void frmSingleCycle::LblStall_Click() {
    ShowExplanation("Stall Detection Automatically Detects Data and Control Hazards.  The Hardware "
                    "for this Circuit is not shown.");
}

void frmSingleCycle::Test_Click() {
    if (!desk().Known("frmTEST")) {
        return;
    }
    desk().Show("frmTEST");
    desk().Refresh("frmTEST");
}

std::optional<std::string> frmSingleCycle::OwnStateValue(const std::string &name) const {
    if (name == "LoadUseStall") {
        return BoolText(LoadUseStall);
    }
    return std::nullopt;
}

} // namespace corvexa
