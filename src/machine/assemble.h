#pragma once
// The instruction set: turning one program slot into its fields and 32-bit instruction word.

#include <cstdint>
#include <optional>
#include <string_view>

#include "machine/machine.h"
#include "machine/stage.h"

namespace corvexa {

enum class InstrKind { I, R, Shift, None };

// Where the operands of an I-format instruction come from in the program store.
enum class ImmSource { Offset, Imm, BranchOffset, None };

struct InstructionInfo {
    std::string_view mnemonic;
    InstrKind kind;
    int16_t opcode;
    int16_t funct;
    std::string_view aluOpName;
    ImmSource immSource;
};

// The row of the instruction table for a mnemonic (exact, case-sensitive), or nullptr.
const InstructionInfo *FindInstruction(std::string_view mnemonic);

// Fills ProgOpcode, AluOpName, InstrWord (window tables) and ProgRs, ProgRt, ProgRd,
// ProgImmediate, ProgShamt, ProgFunc (shared) for one slot. Returns false and changes nothing for
// an unknown mnemonic. Values from a program file outside their field widths are taken modulo the
// width, so nothing indexes outside a table.
bool AssembleInstruction(Machine &m, AssembledTables &t, int slot);

} // namespace corvexa
