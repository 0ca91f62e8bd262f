#pragma once
// The instruction set: turning one program slot into its fields and 32-bit instruction word.

#include <cstdint>

#include "machine/machine.h"
#include "machine/mnemonics.h"
#include "machine/stage.h"

namespace corvexa {

// Fills ProgOpcode, AluOpName, InstrWord (window tables) and ProgRs, ProgRt, ProgRd,
// ProgImmediate, ProgShamt, ProgFunc (shared) for one slot. Returns false and changes nothing for
// an unknown mnemonic or one without an encoding. Values from a program file outside their field
// widths are taken modulo the width, so nothing indexes outside a table.
bool AssembleInstruction(Machine &m, AssembledTables &t, int slot);

} // namespace corvexa
