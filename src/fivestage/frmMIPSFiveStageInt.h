#pragma once
// The five-stage pipeline window: the datapath drawing, the listing, the clock step and the
// commands of its menus.

#include "pipeline/pipeline_window.h"

namespace corvexa {

class frmMIPSFiveStageInt : public PipelineWindow {
public:
    explicit frmMIPSFiveStageInt(Desk &desk);

    void Form_Load() override;

    // ---- options, branch policies, explanations, window commands (five_stage_options.cpp,
    //      five_stage_explain.cpp, five_stage_commands.cpp) ----
    void mnuForwarding_Click();
    void MnuStall_Click();
    void AggBranch_Click();
    void OptNormal_Click();
    void OptAlways_Click();
    void OptDelayed_Click();
    void OptCancelled_Click();
    void lblForward_Click();
    void LblStall_Click();
    void lblValue_Click(int index);
    void Picture2_Click();
    void Picture4_Click();
    void WrProg_Click();
    void MenuMEM_Click();
    void MenuREG_Click();
    void Exit_Click();
    void ViewDetails_Click();

    // ---- program file (five_stage_file.cpp) ----
    void LoadProg_Click();
    void SaveProg_Click();

private:
    void LatchOptions() override;
    void ExplainOwnExeValue(int index) override;
    std::optional<std::string> OwnStateValue(const std::string &name) const override;

    void RegisterOptionHandlers();
    void RegisterExplainHandlers();
    void RegisterCommandHandlers();
    void RegisterFileHandlers();
};

} // namespace corvexa
