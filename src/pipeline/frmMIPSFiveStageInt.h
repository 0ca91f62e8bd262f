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

    // ---- program file (five_stage_file.cpp) ----

private:
    void RegisterFrameHandlers();
    void RegisterOptionHandlers();
    void RegisterExplainHandlers();
    void RegisterCommandHandlers();
    void RegisterFileHandlers();
};

} // namespace corvexa
