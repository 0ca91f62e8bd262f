// Randomized co-simulation: generated programs run through the pipeline and through a plain
// sequential interpreter of the same instructions; registers and used memory must agree once the
// last real instruction has written back.
//
// The generator is narrowed where the pipeline differs from sequential execution on purpose:
// - No instruction but a program NOP writes R0. The load-use "strange case" copies the value in WB
//   into a latched operand without excluding R0, so a nonzero result aimed at R0 would reach a
//   reader of R0 (the forwarding units themselves exclude R0).
// - Branches go forward and stay inside the program: a backward branch loops until the user
//   resets, and a target past the last slot ends the run with its message and a reset.
// - Stall detection is always on: without it the early decision in ID compares registers before
//   results in EXE have reached them, by design.
// - With branches decided in ID no branch stands right behind another: the instruction behind a
//   branch is the policy's delay slot, and a branch there would need a model of nested slots.
// - The single-cycle window forwards a store's data only at the memory and keeps no "strange case"
//   rescue of a record held by a load-use stall, by design. So there no store has its data register
//   written two instructions ahead, and nothing right behind a load reads what the instruction
//   before the load writes.
// A run ends as the program ends it: at the clock that fetches past the last slot, whose reset
// then reloads the presets, so registers and memory are taken at that moment.
#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

// Loaded values often equal a preset register (R1 100, R2 222, R3 300), so that a branch that
// compared a stale register would often decide the other way.
int32_t MemoryRule(int32_t address) {
    static constexpr std::array<int32_t, 5> kValues = {100, 222, 300, 7, 0};
    return kValues[static_cast<uint32_t>(address) % kValues.size()];
}

enum class Policy { Normal, AlwaysFlush, Delayed, Cancelled };

// How a run is clocked: the options the first clock latches and the branch policy.
struct Mode {
    bool forwarding = true;
    bool early = false; // branches decided in ID
    Policy policy = Policy::Normal;
    bool singleCycle = false; // the single-cycle window (forwarding on, decided in MEM)
};

// Runs the program store one instruction after another from slot 0. A branch decided in ID
// lets the policy decide whether the instruction behind it runs: Delayed always, Cancelled when
// the branch is taken, Normal when it is not, Always Flush never.
struct Sequential {
    std::array<int32_t, kSlots> r{};
    std::map<int32_t, int32_t> memory{{0, 0}};
    bool taken = false;     // the last branch's condition held
    std::vector<int> trace; // the slots in the order they ran

    Sequential(const Machine &m, const Mode &mode) {
        for (int i = 1; i < kSlots; ++i) {
            r[i] = PresetRegisterValues[i];
        }
        int slot = 0;
        while (slot >= 0 && slot < kSlots) {
            const int next = Step(m, slot);
            r[0] = 0;
            if (!mode.early || !IsBranch(m.ProgMnemonic[slot]) || slot + 1 >= kSlots) {
                slot = next;
                continue;
            }
            const bool behindRuns = mode.policy == Policy::Delayed ||
                                    (mode.policy == Policy::Cancelled && taken) ||
                                    (mode.policy == Policy::Normal && !taken);
            if (behindRuns) {
                Step(m, slot + 1); // never a branch (see the generator)
                r[0] = 0;
            }
            slot = taken ? next : slot + 2;
        }
    }

    int32_t Load(int32_t a) {
        auto it = memory.find(a);
        if (it == memory.end()) {
            it = memory.emplace(a, MemoryRule(a)).first;
        }
        return it->second;
    }

    int Step(const Machine &m, int i) {
        trace.push_back(i);
        const std::string &op = m.ProgMnemonic[i];
        const int rd = m.RdField[i];
        const int32_t a = r[m.RsField[i]];
        const int32_t b = r[m.RtField[i]];
        const int64_t imm = m.ImmField[i];
        const int shamt = m.ProgShamt[i] & 31;
        const auto wrap = [](int64_t v) { return Wrap32(v); };
        if (op == "LW") {
            r[rd] = Load(wrap(int64_t{b} + m.OffsetField[i]));
        } else if (op == "SW") {
            memory[wrap(int64_t{b} + m.OffsetField[i])] = r[rd];
        } else if (op == "ADDI" || op == "ADDIU") {
            r[rd] = wrap(a + imm);
        } else if (op == "SLTI" || op == "SLTIU") {
            r[rd] = a < imm ? 1 : 0;
        } else if (op == "SLL") {
            r[rd] = wrap(static_cast<uint32_t>(a) << shamt);
        } else if (op == "SRL") {
            r[rd] = wrap(static_cast<uint32_t>(a) >> shamt);
        } else if (op == "ADD" || op == "ADDU") {
            r[rd] = wrap(int64_t{a} + b);
        } else if (op == "SUB" || op == "SUBU") {
            r[rd] = wrap(int64_t{a} - b);
        } else if (op == "AND") {
            r[rd] = a & b;
        } else if (op == "OR") {
            r[rd] = a | b;
        } else if (op == "NOR") {
            r[rd] = ~(a | b);
        } else if (op == "SLT" || op == "SLTU") {
            r[rd] = a < b ? 1 : 0;
        } else if (op == "BEQ" || op == "BNEQ") {
            const bool equal = r[rd] == a;
            taken = equal == (op == "BEQ");
            if (taken) {
                return i + m.ProgBranchOffset[i] + 1;
            }
        }
        return i + 1;
    }
};

class Generator {
public:
    // With branches decided in ID, no branch stands right behind another one.
    Generator(unsigned seed, const Mode &mode)
        : rng_(seed), early_(mode.early), singleCycle_(mode.singleCycle) {}

    // Fills slots 0 .. n-1 with real instructions; the rest stay NOP.
    void Program(Pipeline &p) {
        p.ClearProgram();
        const int n = Pick(1, 26);
        for (int slot = 0; slot < n; ++slot) {
            Instruction(p, slot);
            const bool branchPair = early_ && slot > 0 && IsBranch(p.m.ProgMnemonic[slot]) &&
                                    IsBranch(p.m.ProgMnemonic[slot - 1]);
            if (branchPair || (singleCycle_ && UncoveredBySingleCycle(p.m, slot))) {
                p.Set(slot, "NOP", 0, 0, 0);
            }
        }
    }

private:
    // The register an instruction writes, or -1.
    static int Writes(const Machine &m, int slot) {
        const std::string &op = m.ProgMnemonic[slot];
        return op == "SW" || op == "NOP" || IsBranch(op) ? -1 : m.RdField[slot];
    }
    static bool Reads(const Machine &m, int slot, int r) {
        return r > 0 && (m.RdField[slot] == r || m.RsField[slot] == r || m.RtField[slot] == r);
    }
    static bool UncoveredBySingleCycle(const Machine &m, int slot) {
        if (slot < 2) {
            return false;
        }
        const int twoAhead = Writes(m, slot - 2);
        const bool staleStore =
            m.ProgMnemonic[slot] == "SW" && twoAhead > 0 && m.RdField[slot] == twoAhead;
        const bool heldPastLoad = m.ProgMnemonic[slot - 1] == "LW" && Reads(m, slot, twoAhead);
        return staleStore || heldPastLoad;
    }

    // The integer mnemonics of one row format and kind, in the table's order.
    static std::vector<std::string> Family(InstrFormatKind format, InstrKind kind) {
        std::vector<std::string> out;
        for (const MnemonicInfo &row : IntegerMnemonics()) {
            if (row.rowFormat == format && row.kind == kind) {
                out.emplace_back(row.mnemonic);
            }
        }
        return out;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    // A few registers only, so that most instructions depend on their neighbours.
    int Source() { return Pick(0, 6); }
    int Dest() { return Pick(1, 6); }
    int32_t Immediate() {
        switch (Pick(0, 3)) {
        case 0:
            return Pick(-32768, 32767);
        default:
            return Pick(-20, 20);
        }
    }

    void Instruction(Pipeline &p, int slot) {
        static const std::vector<std::string> kAlu = Family(FormatRegister, InstrKind::R);
        static const std::vector<std::string> kImm = Family(FormatImmediate, InstrKind::I);
        switch (Pick(0, 9)) {
        case 0:
        case 1: {
            // Mostly small addresses from R0, so that loads meet earlier stores.
            const bool fromZero = Pick(0, 2) != 0;
            const int base = fromZero ? 0 : Source();
            const int32_t offset = fromZero ? 4 * Pick(0, 6) : Pick(-8, 8);
            if (Pick(0, 1) == 0) {
                p.Lw(slot, Dest(), offset, base);
            } else {
                p.Sw(slot, Source(), offset, base);
            }
            break;
        }
        case 2:
        case 3:
        case 4:
            p.Alu(slot, kAlu[Pick(0, static_cast<int>(kAlu.size()) - 1)], Dest(), Source(),
                  Source());
            break;
        case 5:
        case 6:
            p.Imm(slot, kImm[Pick(0, static_cast<int>(kImm.size()) - 1)], Dest(), Source(),
                  Immediate());
            break;
        case 7:
            p.Shift(slot, Pick(0, 1) == 0 ? "SLL" : "SRL", Dest(), Source(), Pick(0, 31));
            break;
        case 8: {
            // Often a register one of the last two instructions writes, compared with one of R0 to
            // R3, whose values loads often give: the branch must wait for that result. Otherwise
            // equal registers now and then, so that branches are taken.
            const bool waits = slot > 0 && Pick(0, 1) == 0;
            const int back = slot > 1 && Pick(0, 2) != 0 ? 2 : 1;
            const int a = waits ? p.m.RdField[slot - back] : Source();
            const int b = waits ? Pick(0, 3) : Pick(0, 2) == 0 ? a : Source();
            p.Branch(slot, Pick(0, 1) == 0 ? "BEQ" : "BNEQ", a, b, Pick(0, std::min(4, 30 - slot)));
            break;
        }
        default:
            p.Set(slot, "NOP", 0, 0, 0);
            break;
        }
    }

    std::mt19937 rng_;
    bool early_;
    bool singleCycle_;
};

std::string Listing(const Machine &m) {
    std::ostringstream out;
    for (int i = 0; i < kSlots && m.ProgText[i] != "NOP"; ++i) {
        out << i << ": " << m.ProgText[i] << "\n";
    }
    return out.str();
}

// Runs one generated program both ways; returns false (with a failure) when they disagree.
bool RunBoth(unsigned seed, const Mode &mode) {
    Pipeline p(mode.singleCycle ? "frmSingleCycle" : "frmMIPSFiveStageInt");
    p.desk.memoryRule = MemoryRule;
    Generator(seed, mode).Program(p);
    p.Assemble();
    p.Options(mode.forwarding, true, mode.early);
    p.Preset();
    PipelineWindow &w = *p.win;
    w.BranchPolicyNormal = mode.policy == Policy::Normal;
    w.BranchPolicyAlwaysFlush = mode.policy == Policy::AlwaysFlush;
    w.BranchPolicyDelayed = mode.policy == Policy::Delayed;
    w.BranchPolicyCancelled = mode.policy == Policy::Cancelled;

    // The slots in the order they leave WB, bubbles and flushed records left out.
    std::vector<int> retired;
    const auto retire = [&w, &retired] {
        const std::string &text = w.WB.InstrText;
        const auto endsWith = [&](const std::string &tail) {
            return text.size() >= tail.size() &&
                   text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
        };
        if (w.ClockCount >= 4 && !endsWith("(NOP)") && !endsWith("(Flushed)")) {
            retired.push_back(w.WB.Slot);
        }
    };
    bool ended = false;
    std::array<int32_t, kSlots> registers{};
    std::map<int32_t, int32_t> used;
    p.desk.onMessage = [&](const std::string &text) {
        if (ended || text != "Oh No. You have come too far. Go Back!") {
            return;
        }
        ended = true;
        retire();
        registers = p.m.RegisterFile;
        for (int i = 0; i <= p.m.MemMapLast; ++i) {
            used[p.m.MemMapAddress[i]] = p.m.MemMapValue[i];
        }
    };
    int clocks = 0;
    while (!ended && clocks < 1000) {
        p.Clock();
        ++clocks;
        if (!ended) {
            retire();
        }
    }

    const Sequential seq(p.m, mode);
    bool same = ended && p.desk.Log().size() == 1;
    for (int i = 0; i < kSlots; ++i) {
        same = same && registers[i] == seq.r[i];
    }
    same = same && used == seq.memory;
    // The same path: what left WB is the start of the sequential order, and took in every real
    // instruction the sequential run executed.
    size_t lastReal = 0;
    for (size_t k = 0; k < seq.trace.size(); ++k) {
        if (p.m.ProgMnemonic[seq.trace[k]] != "NOP") {
            lastReal = k + 1;
        }
    }
    same = same && retired.size() >= lastReal && retired.size() <= seq.trace.size() &&
           std::equal(retired.begin(), retired.end(), seq.trace.begin());
    if (!same) {
        std::ostringstream regs;
        for (int i = 0; i < kSlots; ++i) {
            if (registers[i] != seq.r[i]) {
                regs << " R" << i << " pipeline " << registers[i] << " sequential " << seq.r[i]
                     << ";";
            }
        }
        ADD_FAILURE() << "seed " << seed << (mode.singleCycle ? " single cycle" : "")
                      << (mode.forwarding ? " forwarding on" : " forwarding off")
                      << (mode.early ? ", decided in ID, policy " : "")
                      << (mode.early ? static_cast<int>(mode.policy) : 0) << ", " << clocks
                      << " clocks, dialogs " << p.desk.Log().size() << "\n"
                      << Listing(p.m) << "registers:" << regs.str() << "\nmemory entries "
                      << used.size() << " vs " << seq.memory.size();
    }
    return same;
}

TEST(CoSimulation, ForwardingAndStallDetectionMatchSequentialExecution) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        if (!RunBoth(seed, Mode{true})) {
            break;
        }
    }
}

TEST(CoSimulation, StallDetectionWithoutForwardingMatchesSequentialExecution) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        if (!RunBoth(seed, Mode{false})) {
            break;
        }
    }
}

TEST(CoSimulation, SingleCycleWindowMatchesSequentialExecution) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        if (!RunBoth(seed, Mode{true, false, Policy::Normal, true})) {
            break;
        }
    }
}

struct EarlyCoSimulation : ::testing::TestWithParam<std::tuple<Policy, bool>> {};

TEST_P(EarlyCoSimulation, BranchesDecidedInIdMatchSequentialExecutionUnderThePolicy) {
    const auto [policy, forwarding] = GetParam();
    for (unsigned seed = 1; seed <= 250; ++seed) {
        if (!RunBoth(seed, Mode{forwarding, true, policy})) {
            break;
        }
    }
}

// A taken forward branch near the last real slot reaches the end of the program soon after: the run
// is compared when the program ends, not when the last slot is fetched.
TEST(CoSimulation, RunsEndingSoonAfterATakenBranchMatchSequentialExecution) {
    for (unsigned seed : {2640U, 3707U, 6106U, 7250U, 8126U}) {
        for (Policy policy : {Policy::Delayed, Policy::Cancelled}) {
            for (bool forwarding : {false, true}) {
                RunBoth(seed, Mode{forwarding, true, policy});
            }
        }
    }
}

std::string ModeName(const ::testing::TestParamInfo<std::tuple<Policy, bool>> &info) {
    static const std::array<const char *, 4> kNames = {"Normal", "AlwaysFlush", "Delayed",
                                                       "Cancelled"};
    return std::string(kNames[static_cast<size_t>(std::get<0>(info.param))]) +
           (std::get<1>(info.param) ? "Forwarding" : "NoForwarding");
}

INSTANTIATE_TEST_SUITE_P(CoSimulation, EarlyCoSimulation,
                         ::testing::Combine(::testing::Values(Policy::Normal, Policy::AlwaysFlush,
                                                              Policy::Delayed, Policy::Cancelled),
                                            ::testing::Bool()),
                         ModeName);

} // namespace
} // namespace corvexa::clocktest
