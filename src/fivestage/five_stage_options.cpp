// The pipeline options (forwarding, stall detection, aggressive branching), the four branch
// policies and the explanations reached from their indicators. Every switch ends the run.
#include <array>

#include "fivestage/frmMIPSFiveStageInt.h"
#include "layouts/five_stage_labels.h"
#include "layouts/five_stage_layout.h"

namespace corvexa {

namespace {

constexpr std::array<int, 25> kEarlyBranchWires = {62,  64,  119, 120, 121, 122, 123, 124, 125,
                                                   126, 127, 128, 129, 130, 131, 132, 133, 134,
                                                   135, 136, 137, 139, 140, 141, 142};
constexpr std::array<int, 20> kLateBranchWires = {4,  17, 24, 25,  30,  31,  32,  73,  78,  79,
                                                  96, 97, 98, 100, 101, 103, 104, 105, 106, 112};
constexpr std::array<const char *, 8> kLateBranchLines = {"Line42", "Line43", "Line46", "Line47",
                                                          "Line54", "Line55", "Line58", "Line59"};

enum class Policy { Normal, AlwaysFlush, Delayed, Cancelled };

const char *PolicyCaption(Policy p) {
    switch (p) {
    case Policy::AlwaysFlush:
        return "Always Flush";
    case Policy::Delayed:
        return "Delayed Branching (Always Execute)";
    case Policy::Cancelled:
        return "Cancelled Branching (predict taken)";
    case Policy::Normal:
        break;
    }
    return "Normal (Predict Not Taken)";
}

void SetPolicyFlags(PipelineState &s, Policy p) {
    s.BranchPolicyNormal = p == Policy::Normal;
    s.BranchPolicyAlwaysFlush = p == Policy::AlwaysFlush;
    s.BranchPolicyDelayed = p == Policy::Delayed;
    s.BranchPolicyCancelled = p == Policy::Cancelled;
}

void ShowIf(Form &f, const std::string &name, int index, bool visible) {
    f.C(name, index).visible = visible;
}

// The four policy commands share one scheme; only the item, the caption and the flag differ.
void ChoosePolicy(frmMIPSFiveStageInt &w, Policy p) {
    w.C("OptNormal").checked = p == Policy::Normal;
    w.C("OptAlways").checked = p == Policy::AlwaysFlush;
    Control &delayed = w.C("OptDelayed");
    Control &cancelled = w.C("OptCancelled");
    const bool early = w.machine().AggressiveBranching;
    delayed.enabled = early;
    cancelled.enabled = early;
    delayed.checked = early && p == Policy::Delayed;
    cancelled.checked = early && p == Policy::Cancelled;
    w.C("lblBranchPolicy").caption = PolicyCaption(p);
    SetPolicyFlags(w, p);
    w.Reset_Click();
}

} // namespace

void frmMIPSFiveStageInt::RegisterOptionHandlers() {
    On("mnuForwarding", [this] { mnuForwarding_Click(); });
    On("MnuStall", [this] { MnuStall_Click(); });
    On("AggBranch", [this] { AggBranch_Click(); });
    On("OptNormal", [this] { OptNormal_Click(); });
    On("OptAlways", [this] { OptAlways_Click(); });
    // A disabled menu item cannot be chosen.
    On("OptDelayed", [this] {
        if (C("OptDelayed").enabled) {
            OptDelayed_Click();
        }
    });
    On("OptCancelled", [this] {
        if (C("OptCancelled").enabled) {
            OptCancelled_Click();
        }
    });
    On("lblForward", [this] { lblForward_Click(); });
    On("LblStall", [this] { LblStall_Click(); });
}

void frmMIPSFiveStageInt::mnuForwarding_Click() {
    Control &item = C("mnuForwarding");
    const bool on = !item.checked;
    Reset_Click();
    item.checked = on;
    for (const DrawingPart &part : ForwardingDrawing()) {
        ShowIf(*this, part.name, part.index, part.whenOn == on);
    }
    if (!on) {
        // The clock step shows the A-input select again at the next EXE phase.
        ShowIf(*this, "lblEXEValue", ExeLabel::SelectA, false);
    }
    ShowIf(*this, "lblMEMValue", MemLabel::SelectData, on);
    ShowIf(*this, "Forward_Bubble", 0, on);
    ShowIf(*this, "lblForward", -1, on);
    machine().ForwardingEnabled = on;
}

void frmMIPSFiveStageInt::MnuStall_Click() {
    Reset_Click();
    Control &item = C("MnuStall");
    Control &blink = C("StallBlink");
    if (item.checked) {
        item.checked = false;
        C("LblStall").visible = false;
        C("Stall_Bubble", 0).visible = false;
        blink.enabled = false;
        StallDetectionEnabled = false;
        HazardStall = 0;
    } else {
        Reset_Click();
        item.checked = true;
        C("LblStall").visible = true;
        C("Stall_Bubble", 0).visible = true;
        blink.enabled = true;
        blink.interval = kStallBlinkInterval;
        StallDetectionEnabled = true;
    }
}

void frmMIPSFiveStageInt::AggBranch_Click() {
    Control &item = C("AggBranch");
    const bool on = !item.checked;
    item.checked = on;
    Reset_Click();
    C("OptNormal").checked = true;
    C("OptAlways").checked = false;
    C("OptDelayed").checked = false;
    C("OptCancelled").checked = false;
    C("OptCancelled").enabled = on;
    C("OptDelayed").enabled = on;
    SetPolicyFlags(*this, Policy::Normal);
    C("lblBranchPolicy").caption = PolicyCaption(Policy::Normal);

    for (const char *element : {"Picture12", "Picture13", "Text2"}) {
        ShowIf(*this, element, -1, on);
    }
    ShowIf(*this, "Shape1", 10, on);
    for (int wire : kEarlyBranchWires) {
        ShowIf(*this, "Line3", wire, on);
    }
    for (const char *element : {"Picture2", "Picture4", "Text1"}) {
        ShowIf(*this, element, -1, !on);
    }
    for (int wire : kLateBranchWires) {
        ShowIf(*this, "Line3", wire, !on);
    }
    for (const char *line : kLateBranchLines) {
        ShowIf(*this, line, -1, !on);
    }
    if (on) {
        // The late branch hardware is not drawn: its values and tags go with it.
        for (int i : {int{ExeLabel::BranchTarget}, int{ExeLabel::Npc}, 19}) {
            ShowIf(*this, "lblEXEValue", i, false);
        }
        for (int i : {7, int{MemLabel::BranchTarget}, 10}) {
            ShowIf(*this, "lblMEMValue", i, false);
        }
    }
    machine().AggressiveBranching = on;
}

void frmMIPSFiveStageInt::OptNormal_Click() {
    ChoosePolicy(*this, Policy::Normal);
}
void frmMIPSFiveStageInt::OptAlways_Click() {
    ChoosePolicy(*this, Policy::AlwaysFlush);
}
void frmMIPSFiveStageInt::OptDelayed_Click() {
    ChoosePolicy(*this, Policy::Delayed);
}
void frmMIPSFiveStageInt::OptCancelled_Click() {
    ChoosePolicy(*this, Policy::Cancelled);
}

void frmMIPSFiveStageInt::lblForward_Click() {
    desk().Show("frmForwarding");
}

void frmMIPSFiveStageInt::LblStall_Click() {
    ShowExplanation("Stall Detection Automatically Detects Data and Control Hazards.");
    desk().Show("frmStall_Help");
}

} // namespace corvexa
