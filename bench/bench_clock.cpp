// One "Clock It" of a 32-slot program with forwarding and stall detection on, captions included.
// A run is reset before it would fetch past the last slot; the reset is part of the timing,
// spread over the clocks of a run.
#include <benchmark/benchmark.h>

#include "fivestage/frmMIPSFiveStageInt.h"
#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

struct Slot {
    const char *op;
    int16_t rd, rs, rt;
    int32_t imm, offset;
    int16_t branchOffset, shamt;
};

// Eight instructions that forward, stall on a load and store, repeated four times.
constexpr Slot kPattern[] = {
    {"ADDI", 1, 2, 0, 5, 0, 0, 0}, {"ADD", 3, 1, 1, 0, 0, 0, 0}, {"SW", 3, 0, 0, 0, 16, 0, 0},
    {"LW", 4, 0, 0, 0, 16, 0, 0},  {"SUB", 5, 4, 3, 0, 0, 0, 0}, {"BEQ", 5, 1, 0, 0, 0, 2, 0},
    {"SLL", 6, 5, 0, 3, 0, 0, 3},  {"OR", 7, 6, 4, 0, 0, 0, 0},
};

void BM_ClockItFiveStage(benchmark::State &state) {
    Machine m;
    HeadlessDesk desk(m);
    RegisterAllForms(desk);
    desk.Show("frmMIPSFiveStageInt");
    auto &w = dynamic_cast<frmMIPSFiveStageInt &>(desk.Get("frmMIPSFiveStageInt"));
    for (int i = 0; i < kSlots; ++i) {
        const Slot &s = kPattern[i % 8];
        m.ProgMnemonic[i] = s.op;
        m.RdField[i] = s.rd;
        m.RsField[i] = s.rs;
        m.RtField[i] = s.rt;
        m.ImmField[i] = s.imm;
        m.OffsetField[i] = s.offset;
        m.ProgBranchOffset[i] = s.branchOffset;
        m.ProgShamt[i] = s.shamt;
        m.InstrFormat[i] = RowFormatOf(s.op);
        m.ProgAddress[i] = 2000 + 4 * i;
    }
    AssembleProgramStore(m);
    desk.Refresh("frmMIPSFiveStageInt");
    w.C("mnuForwarding").checked = true;
    w.C("MnuStall").checked = true;
    m.RegistersInitialised = true;
    w.Reset_Click();

    for (auto _ : state) {
        w.Clocking_Click();
        if (w.FetchIndex >= kSlots - 1) {
            w.Reset_Click();
        }
    }
    state.counters["clocks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (!desk.Log().empty()) {
        state.SkipWithError("a dialog appeared during the benchmark");
    }
}
BENCHMARK(BM_ClockItFiveStage)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace corvexa
