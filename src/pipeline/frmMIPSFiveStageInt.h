#pragma once
// The five-stage pipeline window: the datapath drawing, the listing and the clock step.

#include "machine/stage.h"
#include "pipeline/pipeline_clock.h"
#include "ui/form.h"

namespace corvexa {

class frmMIPSFiveStageInt : public Form, public PipelineState, private ClockHost {
public:
    explicit frmMIPSFiveStageInt(Desk &desk);

    void Form_Load() override;
    void Form_Paint() override;
    std::optional<std::string> StateValue(const std::string &name, int index) const override;

    // ---- frame and clock step (frmMIPSFiveStageInt.cpp, pipeline_clock.cpp, clock_*.cpp) ----
    void Reset_Click() override;
    void Clocking_Click();
    void RefreshRegisterList() override;
    void Timer1_Timer();
    void StallBlink_Timer();
    // Asks the starting value of register n on its first use (R0 is 0 without asking).
    void PromptRegisterValue(int n) override;
    // Value labels, stage captions and stage boxes hidden, listing rows in their own colour.
    void BlankStageView() { clock_.BlankStageView(); }

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
    void LoadProg_Click();
    void SaveProg_Click();

private:
    void LatchOptions() override;
    void HidePcLines();

    PipelineClock clock_;
    ControlArray lblRegister_;

    void RegisterFrameHandlers();
    void RegisterOptionHandlers();
    void RegisterExplainHandlers();
    void RegisterCommandHandlers();
    void RegisterFileHandlers();
};

} // namespace corvexa
