// The single-cycle window's clock sequence and its own steps.
#include "singlecycle/single_cycle_clock.h"
#include "layouts/five_stage_labels.h"

#include "machine/mnemonics.h"

namespace corvexa {

namespace {

// The look-ahead never waits for a store, which writes no register.
bool LookAheadIgnores(std::string_view op) {
    return IsStore(op);
}

// Mnemonics whose input B never takes a forwarded register; a store's data is forwarded only at
// the memory.
bool InputBSkips(const std::string &op) {
    return IsImmediateIntoB(op) || op.empty();
}

} // namespace

// One load-use flag: EXE sets it, IF reads it in the same clock and holds the fetch, and the next
// clock's MEM turns into the bubble while EXE keeps its record. The hold follows the flag alone:
// the five-stage window's first clock may switch the shared forwarding off in between, and the
// instruction whose copy MEM drops must still run.
void SingleCycleClock::Clock() {
    bool &loadUse = s_.LoadUseStall;
    StartClockAndWriteBack();
    const int32_t clock = s_.ClockCount;
    if (clock >= Stage::MEM) {
        MemPhase(loadUse);
    }
    if (clock >= Stage::EXE) {
        ExePhase(loadUse);
    }
    if (clock >= Stage::ID) {
        IdPhase(IdHeldByHazard());
    }
    IfPhase(loadUse);
}

// The flag lives one clock whatever the options: one left set with forwarding off would hold the
// fetch and turn every instruction into a bubble in MEM for ever.
void SingleCycleClock::ExeLoadUseDetection() {
    PipelineState &s = s_;
    s.LoadUseStall = false;
    if (!(m_.ForwardingEnabled && s.StallDetectionEnabled)) {
        return;
    }
    if (IsLoad(s.MEM.Op) && (LoadUseOnRs() || LoadUseOnSources())) {
        s.LoadUseStall = true;
        Explain(kLoadUseText);
    }
}

// Input B: WB first, then MEM, so that MEM's value wins when both write the register.
void SingleCycleClock::ExeInputB() {
    PipelineState &s = s_;
    if (!m_.ForwardingEnabled) {
        return;
    }
    s.SelectMuxB = 0;
    if (InputBSkips(s.EXE.Op) || s.EXE.Rt == 0) {
        return;
    }
    if (s.WB.Rx == s.EXE.Rt && s.WB.RegWrite == 1) {
        ForwardBFromWb();
    }
    if (s.MEM.Rx == s.EXE.Rt && s.MEM.RegWrite == 1) {
        ForwardBFromMem();
    }
}

// Forwarding off: Rt counts as a source for every instruction that reads it, whatever its number.
void SingleCycleClock::IfStallLookAhead() {
    PipelineState &s = s_;
    const std::string &op = s.ID.Op;
    s.RtIsSource = !RtIsNoSource(op);
    if (s.ID.Rs == 0 && !s.RtIsSource) {
        return;
    }
    HoldIdForHazard(LookAheadHazard(LookAheadIgnores).any());
}

bool SingleCycleClock::IfFlushDue() const {
    return s_.FlushFlag || s_.PolicyFlush;
}

} // namespace corvexa
