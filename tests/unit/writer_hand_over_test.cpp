#include <gtest/gtest.h>

#include "machine/hand_over.h"
#include "machine/mnemonics.h"

namespace corvexa {
namespace {

// A slot as a writer leaves it: the row format of its mnemonic.
void Slot(Machine &m, int i, const char *mnemonic, int16_t rd, int16_t rs, int16_t rt) {
    const auto k = static_cast<size_t>(i);
    m.ProgMnemonic[k] = mnemonic;
    m.InstrFormat[k] = RowFormatOf(mnemonic);
    m.RdField[k] = rd;
    m.RsField[k] = rs;
    m.RtField[k] = rt;
}

TEST(WriterHandOver, ProgTextOfOfEveryFormat) {
    Machine m;
    Slot(m, 0, "LW", 3, 9, 5);
    m.OffsetField[0] = -8;
    Slot(m, 1, "SW", 4, 0, 6);
    m.OffsetField[1] = 32767;
    Slot(m, 2, "ADDI", 1, 2, 7);
    m.ImmField[2] = -7;
    Slot(m, 3, "SLL", 4, 2, 0);
    m.ImmField[3] = 3;
    m.ProgShamt[3] = 9; // the listing shows the immediate table, not the shift field
    Slot(m, 4, "BEQ", 1, 2, 3);
    m.ProgBranchOffset[4] = -3;
    Slot(m, 5, "ADD", 1, 2, 3);
    Slot(m, 6, "NOP", 8, 8, 8);
    AssembleProgramStore(m);
    EXPECT_EQ(m.ProgText[0], "LW R3,-8(R5)");
    EXPECT_EQ(m.ProgText[1], "SW R4,32767(R6)");
    EXPECT_EQ(m.ProgText[2], "ADDI R1,R2,-7");
    EXPECT_EQ(m.ProgText[3], "SLL R4,R2,3");
    EXPECT_EQ(m.ProgText[4], "BEQ R1,R2,-3");
    EXPECT_EQ(m.ProgText[5], "ADD R1,R2,R3");
    EXPECT_EQ(m.ProgText[6], "NOP");
}

TEST(WriterHandOver, CopiesHiddenRegistersAndRaisesFlags) {
    Machine m;
    Slot(m, 7, "LW", 3, 11, 5); // Rs is not shown in a load row
    m.LoadingFlag = true;
    m.RefreshDone = true;
    AssembleProgramStore(m);
    EXPECT_EQ(m.AssembledRd[7], 3);
    EXPECT_EQ(m.AssembledRs[7], 11);
    EXPECT_EQ(m.AssembledRt[7], 5);
    EXPECT_TRUE(m.ProgramWritten);
    EXPECT_FALSE(m.LoadingFlag);
    EXPECT_FALSE(m.RefreshDone);
}

TEST(WriterHandOver, UnknownFormatKeepsTextAndOddValuesStayText) {
    Machine m;
    m.ProgText[2] = "kept";
    Slot(m, 2, "ADD.S", 1, 2, 3);
    Slot(m, 3, "XOR", 40, -3, 32767); // from a program file
    Slot(m, 4, "ADD", 1, 2, 3);
    m.InstrFormat[4] = 99;
    m.ProgText[4] = "old";
    AssembleProgramStore(m);
    EXPECT_EQ(m.ProgText[2], "kept");
    EXPECT_EQ(m.ProgText[3], "XOR R40,R-3,R32767");
    EXPECT_EQ(m.ProgText[4], "old");
    EXPECT_FALSE(ProgTextOf(m, 32).has_value());
    EXPECT_FALSE(ProgTextOf(m, -1).has_value());
}

} // namespace
} // namespace corvexa
