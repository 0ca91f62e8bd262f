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
// - Branches are decided in MEM under the Normal policy: the early decision in ID compares
//   registers before results in EXE have reached them when stall detection is off, by design.
#include <map>
#include <random>
#include <sstream>

#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

int32_t MemoryRule(int32_t address) {
    return static_cast<int32_t>(static_cast<uint32_t>(address) * 3U + 7U); // wraps like the machine
}

// Runs the program store one instruction after another from slot 0.
struct Sequential {
    std::array<int32_t, kSlots> r{};
    std::map<int32_t, int32_t> memory{{0, 0}};

    explicit Sequential(const Machine &m) {
        for (int i = 1; i < kSlots; ++i) {
            r[i] = PresetRegisterValues[i];
        }
        int slot = 0;
        while (slot >= 0 && slot < kSlots) {
            slot = Step(m, slot);
            r[0] = 0;
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
            if (equal == (op == "BEQ")) {
                return i + m.ProgBranchOffset[i] + 1;
            }
        }
        return i + 1;
    }
};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    // Fills slots 0 .. n-1 with real instructions; the rest stay NOP.
    void Program(Pipeline &p) {
        p.ClearProgram();
        const int n = Pick(1, 26);
        for (int slot = 0; slot < n; ++slot) {
            Instruction(p, slot);
        }
    }

private:
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
        static const char *const kAlu[] = {"ADD", "ADDU", "SUB", "SUBU", "AND",
                                           "OR",  "NOR",  "SLT", "SLTU"};
        static const char *const kImm[] = {"ADDI", "ADDIU", "SLTI", "SLTIU"};
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
            p.Alu(slot, kAlu[Pick(0, 8)], Dest(), Source(), Source());
            break;
        case 5:
        case 6:
            p.Imm(slot, kImm[Pick(0, 3)], Dest(), Source(), Immediate());
            break;
        case 7:
            p.Shift(slot, Pick(0, 1) == 0 ? "SLL" : "SRL", Dest(), Source(), Pick(0, 31));
            break;
        case 8: {
            // Equal registers now and then, so that branches are taken.
            const int a = Source();
            const int b = Pick(0, 2) == 0 ? a : Source();
            p.Branch(slot, Pick(0, 1) == 0 ? "BEQ" : "BNEQ", a, b, Pick(0, std::min(4, 30 - slot)));
            break;
        }
        default:
            p.Set(slot, "NOP", 0, 0, 0);
            break;
        }
    }

    std::mt19937 rng_;
};

std::string Listing(const Machine &m) {
    std::ostringstream out;
    for (int i = 0; i < kSlots && m.ProgText[i] != "NOP"; ++i) {
        out << i << ": " << m.ProgText[i] << "\n";
    }
    return out.str();
}

// Runs one generated program both ways; returns false (with a failure) when they disagree.
bool RunBoth(unsigned seed, bool forwarding) {
    Pipeline p;
    p.desk.memoryRule = MemoryRule;
    Generator(seed).Program(p);
    p.Assemble();
    p.Options(forwarding, true, false);
    p.Preset();

    // Slot 31 is fetched only after every real instruction (slots 0 to 25) has written back.
    int clocks = 0;
    do {
        p.Clock();
        ++clocks;
    } while (p.w->FetchIndex != 31 && clocks < 1000);

    const Sequential seq(p.m);
    bool same = clocks < 1000 && p.desk.Log().empty();
    for (int i = 0; i < kSlots; ++i) {
        same = same && p.m.RegisterFile[i] == seq.r[i];
    }
    std::map<int32_t, int32_t> used;
    for (int i = 0; i <= p.m.MemMapLast; ++i) {
        used[p.m.MemMapAddress[i]] = p.m.MemMapValue[i];
    }
    same = same && used == seq.memory && static_cast<int>(seq.memory.size()) == p.m.MemMapLast + 1;
    if (!same) {
        std::ostringstream regs;
        for (int i = 0; i < kSlots; ++i) {
            if (p.m.RegisterFile[i] != seq.r[i]) {
                regs << " R" << i << " pipeline " << p.m.RegisterFile[i] << " sequential "
                     << seq.r[i] << ";";
            }
        }
        ADD_FAILURE() << "seed " << seed << (forwarding ? " forwarding on" : " forwarding off")
                      << ", " << clocks << " clocks, dialogs " << p.desk.Log().size() << "\n"
                      << Listing(p.m) << "registers:" << regs.str() << "\nmemory entries "
                      << p.m.MemMapLast + 1 << " vs " << seq.memory.size();
    }
    return same;
}

TEST(CoSimulation, ForwardingAndStallDetectionMatchSequentialExecution) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        if (!RunBoth(seed, true)) {
            break;
        }
    }
}

TEST(CoSimulation, StallDetectionWithoutForwardingMatchesSequentialExecution) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        if (!RunBoth(seed, false)) {
            break;
        }
    }
}

} // namespace
} // namespace corvexa::clocktest
