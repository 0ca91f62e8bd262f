#pragma once
// The five-stage window's clock sequence and the data that sets it apart.

#include "pipeline/pipeline_clock.h"

namespace corvexa {

inline ClockVariant FiveStageVariant() {
    return ClockVariant{};
}

// The five-stage window's clock: two load-use flags (EXE's, copied on to MEM), the "strange case"
// rescue of a held operand, input B from MEM before WB and a store's data forwarded into EXE.
class FiveStageClock final : public PipelineClock {
public:
    using PipelineClock::PipelineClock;
    void Clock() override;

private:
    void ExeLoadUseDetection() override;
    void ExeRescueHeldOperand(bool forA, const char *suffix);
    void ExeInputB() override;
    void IfStallLookAhead() override;
    bool IfFlushDue() const override;
};

} // namespace corvexa
