#pragma once
// The one mnemonic table: for every mnemonic the writers offer, its writer row format, its
// kinds, its ALU operation, and how the pipeline windows assemble it. The clock asks the table
// what an instruction is; it never compares mnemonic texts itself.

#include <cstdint>
#include <span>
#include <string_view>

#include "machine/machine.h"

namespace corvexa {

enum class InstrKind { I, R, Shift, None };

// Where the immediate of an I-format instruction comes from in the program store.
enum class ImmSource { Offset, Imm, BranchOffset, None };

// What the ALU computes. SetLess is shown by the name of the subtraction it is made of.
enum class AluOp { None, Nop, Add, Sub, SetLess, And, Or, Nor, ShiftLeft, ShiftRight };

// When a branch is taken: its two operands equal, or not.
enum class BranchOn { Never, Equal, NotEqual };

// The kinds the clock asks of a mnemonic, as bits. ALU input B takes the immediate of every
// kImmediateB instruction, loads and stores included. A kBubble does nothing; the clock writes
// its mnemonic into the records it turns into bubbles.
using Kinds = uint8_t;
inline constexpr Kinds kNoKinds = 0;
inline constexpr Kinds kLoad = 1U << 0U;
inline constexpr Kinds kStore = 1U << 1U;
inline constexpr Kinds kImmediateB = 1U << 2U;
inline constexpr Kinds kBubble = 1U << 3U;

struct MnemonicInfo {
    std::string_view mnemonic;
    InstrFormatKind rowFormat; // operand layout of a writer row holding it
    Kinds kinds;
    BranchOn branchOn;
    AluOp alu;
    bool encoded; // false: the pipeline windows' assembling does not know it
    InstrKind kind;
    int16_t opcode;
    int16_t funct;
    ImmSource immSource;
};

// The mnemonic of the instruction that does nothing: an empty writer slot holds it, and so does
// a record the clock turns into a bubble or flushes.
inline constexpr std::string_view kNopMnemonic = "NOP";

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

// What the clock asks of a record's mnemonic. A text outside the table (an empty record, a
// lowercase or unknown mnemonic a program file brought) is of no kind and has no ALU operation.
bool IsLoad(std::string_view mnemonic);
bool IsStore(std::string_view mnemonic);
bool IsImmediateIntoB(std::string_view mnemonic);
bool IsBubble(std::string_view mnemonic);
bool IsBranchMnemonic(std::string_view mnemonic);
// Whether a branch is taken, given whether its operands are equal; false for any other mnemonic.
bool TakesBranch(std::string_view mnemonic, bool operandsEqual);
AluOp AluOpOf(std::string_view mnemonic);

// The ALU operation as the drawing and the explanations name it; empty for None.
std::string_view AluOpName(AluOp op);

} // namespace corvexa
