#pragma once
// The single-cycle window's clock sequence and the data that sets it apart.

#include "pipeline/pipeline_clock.h"

namespace corvexa {

inline ClockVariant SingleCycleVariant() {
    ClockVariant v;
    v.colourCount = 5;
    v.writesExplanations = false;
    v.coloursOperandSources = false;
    v.storeForwardColour = colour::kRed;
    v.storeForwardTextEnd = "";
    v.branchStallTextLead = "";
    return v;
}

// The single-cycle window's clock: one load-use flag set by EXE and read by IF in the same clock,
// input B from WB then MEM, a store's data forwarded only at the memory, a look-ahead that never
// waits for a store, and a policy flush whatever the branch stall.
class SingleCycleClock final : public PipelineClock {
public:
    using PipelineClock::PipelineClock;
    void Clock() override;

private:
    void ExeLoadUseDetection() override;
    void ExeInputB() override;
    void IfStallLookAhead() override;
    bool IfFlushDue() const override;
};

} // namespace corvexa
