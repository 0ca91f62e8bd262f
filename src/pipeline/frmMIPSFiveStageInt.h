#pragma once
// The five-stage pipeline window: the datapath drawing, the listing and the clock step.

#include "machine/stage.h"
#include "ui/form.h"

namespace corvexa {

class frmMIPSFiveStageInt : public Form, public PipelineState {
public:
    explicit frmMIPSFiveStageInt(Desk &desk);

    void Form_Load() override;
    void Form_Paint() override;
    std::optional<std::string> StateValue(const std::string &name, int index) const override;

    // ---- frame and clock step (frmMIPSFiveStageInt.cpp, clock_*.cpp) ----
    void Reset_Click();
    void Clocking_Click();
    void RefreshRegisterList();
    void Timer1_Timer();
    void StallBlink_Timer();

    // ---- options, branch policies, explanations, window commands (five_stage_options.cpp,
    //      five_stage_explain.cpp, five_stage_commands.cpp) ----
    void mnuForwarding_Click();
    void MnuStall_Click();
    void AggBranch_Click();
    void OptNormal_Click();
    void OptAlways_Click();
    void OptDelayed_Click();
    void OptCancelled_Click();
    void lblBranchPolicy_Click();
    void lblForward_Click();
    void LblStall_Click();
    void lblIFValue_Click(int index);
    void lblIDValue_Click(int index);
    void lblEXEValue_Click(int index);
    void lblMEMValue_Click(int index);
    void lblValue_Click(int index);
    void Picture2_Click();
    void Picture4_Click();
    void WrProg_Click();
    void MenuMEM_Click();
    void MenuREG_Click();
    void Exit_Click();
    void ViewDetails_Click();
    // The explanation strip: caption, visible, and (unless told not to) the re-show timer.
    void ShowExplanation(const std::string &text, bool armTimer = true);

    // ---- program file (five_stage_file.cpp) ----

private:
    void RegisterFrameHandlers();
    void RegisterOptionHandlers();
    void RegisterExplainHandlers();
    void RegisterCommandHandlers();
    void RegisterFileHandlers();
};

} // namespace corvexa
