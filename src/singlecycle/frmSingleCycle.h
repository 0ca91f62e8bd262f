#pragma once
// The single-cycle computer window: the pipeline drawing with its own clock sequence, options that
// are always on, 25 listing rows and no menus.

#include "pipeline/pipeline_window.h"

namespace corvexa {

class frmSingleCycle : public PipelineWindow {
public:
    explicit frmSingleCycle(Desk &desk);

    void Form_Load() override;
    void LblStall_Click();
    void Test_Click();

private:
    void LatchOptions() override;
    void ResetOptions() override;
    std::optional<std::string> OwnStateValue(const std::string &name) const override;
};

} // namespace corvexa
