#pragma once
// The one mnemonic table: for every mnemonic the writers offer, its writer row format, whether it
// branches, and how the pipeline windows assemble it.

#include <cstdint>
#include <span>
#include <string_view>

#include "machine/machine.h"

namespace corvexa {

enum class InstrKind { I, R, Shift, None };

// Where the immediate of an I-format instruction comes from in the program store.
enum class ImmSource { Offset, Imm, BranchOffset, None };

struct MnemonicInfo {
    std::string_view mnemonic;
    InstrFormatKind rowFormat; // operand layout of a writer row holding it
    bool branch;
    bool encoded; // false: the pipeline windows' assembling does not know it
    InstrKind kind;
    int16_t opcode;
    int16_t funct;
    std::string_view aluOpName;
    ImmSource immSource;
};

// Every row, in the order of the writers' mnemonic lists (a row's position is its list index).
std::span<const MnemonicInfo> Mnemonics();

// The integer writer offers the first rows only; the floating-point rows follow them.
inline constexpr int kIntegerMnemonicCount = 20;
std::span<const MnemonicInfo> IntegerMnemonics();

// The row of a mnemonic (exact, case-sensitive) among the given rows, or nullptr.
const MnemonicInfo *FindMnemonic(std::string_view mnemonic,
                                 std::span<const MnemonicInfo> among = Mnemonics());

// The row format a writer gives a mnemonic: the table's, or FormatRegister for a mnemonic
// outside the writer's rows (a program file may bring any text).
InstrFormatKind RowFormatOf(std::string_view mnemonic,
                            std::span<const MnemonicInfo> among = Mnemonics());

// The highest row format among the given rows: a writer lists no slot of a format beyond it.
InstrFormatKind LastRowFormat(std::span<const MnemonicInfo> among);

bool IsBranchMnemonic(std::string_view mnemonic);

} // namespace corvexa
