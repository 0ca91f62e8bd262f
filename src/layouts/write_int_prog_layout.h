#pragma once
// Design state of the integer program writer: 32 rows of slot controls and three buttons.

#include <array>

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kWriteIntProgLeft = 2445;
inline constexpr int kWriteIntProgTop = 1440;
inline constexpr int32_t kWriterGreen = 0xC0FFC0;

// The mnemonic list of every row; an item's position is its list index.
inline constexpr std::array<const char *, 20> kIntMnemonics = {
    "LW",  "SW",  "ADD", "SUB", "ADDI", "ADDU", "ADDIU", "SUBU",  "AND",  "OR",
    "NOR", "SLL", "SRL", "BEQ", "BNEQ", "SLT",  "SLTI",  "SLTIU", "SLTU", "NOP"};
inline constexpr int kNopItem = 19;

// Top of a row as designed (where a refill leaves it): a pitch of 300 twips with a larger gap
// after every fifth row.
int WriterDesignRowTop(int row);

const FormLayout &WriteIntProgLayout();

} // namespace corvexa
