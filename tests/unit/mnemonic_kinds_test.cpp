#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "machine/mnemonics.h"

using namespace corvexa;

// The clock steers by these answers alone: each names exactly its mnemonics, case-sensitive. The
// floating-point rows, lowercase text, an empty record and the reset marker of WB are of no kind.
TEST(MnemonicKinds, EachKindAnswersExactlyItsMnemonics) {
    std::vector<std::string> texts = {"", "lw", "Nop", "NOP ", "XOR", "0"};
    for (const MnemonicInfo &row : Mnemonics()) {
        texts.emplace_back(row.mnemonic);
    }
    struct Kind {
        const char *name;
        bool (*asks)(std::string_view);
        std::set<std::string> want;
    };
    const Kind kinds[] = {
        {"load", IsLoad, {"LW"}},
        {"store", IsStore, {"SW"}},
        {"immediate into B", IsImmediateIntoB, {"LW", "SW", "ADDI", "ADDIU", "SLTI", "SLTIU"}},
        {"bubble", IsBubble, {"NOP"}},
        {"branch", IsBranchMnemonic, {"BEQ", "BNEQ"}},
        {"taken on equal", [](std::string_view op) { return TakesBranch(op, true); }, {"BEQ"}},
        {"taken on unequal", [](std::string_view op) { return TakesBranch(op, false); }, {"BNEQ"}},
        {"no ALU operation",
         [](std::string_view op) { return AluOpOf(op) == AluOp::None; },
         {"", "lw", "Nop", "NOP ", "XOR", "0", "ADD.S", "SUB.S", "MUL.S", "DIV.S", "L.S", "S.S"}},
    };
    for (const Kind &kind : kinds) {
        for (const std::string &text : texts) {
            EXPECT_EQ(kind.asks(text), kind.want.count(text) == 1)
                << kind.name << ": \"" << text << '"';
        }
    }
}
