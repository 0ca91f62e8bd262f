// The frame of the five-stage window: its start state, its clock and the options its first clock
// latches from the menus.
#include "fivestage/frmMIPSFiveStageInt.h"
#include "fivestage/five_stage_clock.h"

#include "layouts/five_stage_layout.h"

namespace corvexa {

frmMIPSFiveStageInt::frmMIPSFiveStageInt(Desk &desk)
    : PipelineWindow(desk, "frmMIPSFiveStageInt", FiveStageLayout(), FrameTraits{}) {
    MakeClock<FiveStageClock>(FiveStageVariant());
    RegisterOptionHandlers();
    RegisterExplainHandlers();
    RegisterCommandHandlers();
    RegisterFileHandlers();
}

void frmMIPSFiveStageInt::Form_Load() {
    C("OptNormal").checked = true;
    C("OptAlways").checked = false;
    C("OptCancelled").enabled = false;
    C("OptDelayed").enabled = false;
    LoadStartState();
}

void frmMIPSFiveStageInt::LatchOptions() {
    StallDetectionEnabled = C("MnuStall").checked;
    machine().ForwardingEnabled = C("mnuForwarding").checked;
    machine().AggressiveBranching = C("AggBranch").checked;
}

std::optional<std::string> frmMIPSFiveStageInt::OwnStateValue(const std::string &name) const {
    if (name == "IDStalled") {
        return BoolText(IDStalled);
    }
    return std::nullopt;
}

} // namespace corvexa
