#include <gtest/gtest.h>

#include "machine/assemble.h"
#include "machine/numstr.h"

using namespace corvexa;

namespace {

struct Slot {
    Machine m;
    AssembledTables t;
    bool Assemble(const std::string &op, int rd, int rs, int rt, int imm = 0, int offset = 0,
                  int branch = 0, int shamt = 0) {
        m.ProgMnemonic[0] = op;
        m.RdField[0] = static_cast<int16_t>(rd);
        m.RsField[0] = static_cast<int16_t>(rs);
        m.RtField[0] = static_cast<int16_t>(rt);
        m.ImmField[0] = imm;
        m.OffsetField[0] = offset;
        m.ProgBranchOffset[0] = static_cast<int16_t>(branch);
        m.ProgShamt[0] = static_cast<int16_t>(shamt);
        return AssembleInstruction(m, t, 0);
    }
    std::string Word() const { return WordToHex8(t.InstrWord[0]); }
};

} // namespace

TEST(Assemble, LoadStoreFields) {
    Slot s;
    ASSERT_TRUE(s.Assemble("LW", 3, 0, 5, 0, 100));
    EXPECT_EQ(s.t.ProgOpcode[0], 35);
    EXPECT_EQ(s.t.AluOpName[0], "ADD");
    EXPECT_EQ(s.m.ProgRs[0], 5);
    EXPECT_EQ(s.m.ProgRt[0], 3);
    EXPECT_EQ(s.m.ProgImmediate[0], 100);
    EXPECT_EQ(s.m.ProgRd[0], 0);
    EXPECT_EQ(s.m.ProgShamt[0], 1);
    EXPECT_EQ(s.m.ProgFunc[0], 36);
    EXPECT_EQ(s.Word(), "8CA30064");
    ASSERT_TRUE(s.Assemble("SW", 7, 0, 2, 0, -4));
    EXPECT_EQ(s.Word(), "AC47FFFC");
    EXPECT_EQ(s.m.ProgImmediate[0], -4);
}

TEST(Assemble, NegativeImmediatesAndBranches) {
    Slot s;
    ASSERT_TRUE(s.Assemble("ADDI", 1, 2, 0, -7));
    EXPECT_EQ(s.Word(), "2041FFF9");
    EXPECT_EQ(s.m.ProgImmediate[0], -7);
    EXPECT_EQ(s.m.ProgRd[0], 31);
    EXPECT_EQ(s.m.ProgShamt[0], 31);
    EXPECT_EQ(s.m.ProgFunc[0], 57);
    ASSERT_TRUE(s.Assemble("ADDI", 1, 2, 0, -32768));
    EXPECT_EQ(s.t.InstrWord[0] & 0xFFFF, 32768U);
    ASSERT_TRUE(s.Assemble("ADDI", 1, 2, 0, 0));
    EXPECT_EQ(s.m.ProgRd[0], 0);
    EXPECT_EQ(s.m.ProgShamt[0], 0);
    EXPECT_EQ(s.m.ProgFunc[0], 0);
    ASSERT_TRUE(s.Assemble("BEQ", 1, 2, 0, 0, 0, -3));
    EXPECT_EQ(s.m.ProgRs[0], 1);
    EXPECT_EQ(s.m.ProgRt[0], 2);
    EXPECT_EQ(s.Word(), "1022FFFD");
    EXPECT_EQ(s.m.ProgImmediate[0], -3);
    ASSERT_TRUE(s.Assemble("BNEQ", 4, 5, 0, 0, 0, 2));
    EXPECT_EQ(s.t.ProgOpcode[0], 5);
    EXPECT_EQ(s.Word(), "14850002");
}

TEST(Assemble, RegisterAndShiftFormats) {
    Slot s;
    ASSERT_TRUE(s.Assemble("SLT", 3, 1, 2));
    EXPECT_EQ(s.Word(), "0022182A");
    EXPECT_EQ(s.m.ProgImmediate[0], 6186);
    EXPECT_EQ(s.m.ProgShamt[0], 0);
    EXPECT_EQ(s.m.ProgFunc[0], 42);
    ASSERT_TRUE(s.Assemble("ADDU", 3, 1, 2));
    EXPECT_EQ(s.m.ProgFunc[0], 33);
    EXPECT_EQ(s.t.AluOpName[0], "ADD");
    ASSERT_TRUE(s.Assemble("NOR", 3, 1, 2));
    EXPECT_EQ(s.t.AluOpName[0], "BitNOR(OR-NOT)");
    ASSERT_TRUE(s.Assemble("SLL", 3, 2, 0, 0, 0, 0, 15));
    EXPECT_EQ(s.m.ProgRs[0], 0);
    EXPECT_EQ(s.m.ProgRt[0], 2);
    EXPECT_EQ(s.m.ProgRd[0], 3);
    EXPECT_EQ(s.m.ProgShamt[0], 15); // kept as the writer stored it
    EXPECT_EQ(s.Word(), "00021BC0");
    EXPECT_EQ(s.m.ProgImmediate[0], 7104);
    ASSERT_TRUE(s.Assemble("SRL", 3, 2, 0, 0, 0, 0, 1));
    EXPECT_EQ(s.Word(), "00021842");
}

TEST(Assemble, NopClearsEveryField) {
    Slot s;
    ASSERT_TRUE(s.Assemble("ADD", 5, 1, 2));
    ASSERT_TRUE(s.Assemble("NOP", 5, 1, 2));
    EXPECT_EQ(s.t.InstrWord[0], 0U);
    EXPECT_EQ(s.m.ProgRd[0], 0);
    EXPECT_EQ(s.m.ProgRs[0], 0);
    EXPECT_EQ(s.m.ProgRt[0], 0);
    EXPECT_EQ(s.t.AluOpName[0], "NOP");
}

TEST(Assemble, UnknownMnemonicChangesNothing) {
    Slot s;
    ASSERT_TRUE(s.Assemble("ADD", 5, 1, 2));
    const uint32_t word = s.t.InstrWord[0];
    for (const char *op : {"XOR", "lw", "ADD.S", "", "L.S"}) {
        EXPECT_FALSE(s.Assemble(op, 9, 9, 9, 9)) << op;
        EXPECT_EQ(s.t.InstrWord[0], word);
        EXPECT_EQ(s.m.ProgRd[0], 5);
        EXPECT_EQ(s.t.AluOpName[0], "ADD");
    }
}

TEST(Assemble, OutOfRangeFileValuesStayInsideTheirFields) {
    Slot s;
    ASSERT_TRUE(s.Assemble("ADD", 40, -1, 33));
    EXPECT_EQ(s.m.ProgRd[0], 8);
    EXPECT_EQ(s.m.ProgRs[0], 31);
    EXPECT_EQ(s.m.ProgRt[0], 1);
    ASSERT_TRUE(s.Assemble("ADDI", 1, 2, 0, 70000));
    EXPECT_EQ(s.t.InstrWord[0] & 0xFFFF, 70000U % 65536);
    EXPECT_EQ(s.m.ProgImmediate[0], 70000 - 65536);
    EXPECT_LE(s.t.InstrWord[0] >> 26, 63U);
    ASSERT_TRUE(s.Assemble("SLL", 1, 2, 0, 0, 0, 0, 99));
    EXPECT_EQ((s.t.InstrWord[0] >> 6) & 31U, 99U & 31U);
    EXPECT_FALSE(AssembleInstruction(s.m, s.t, 32));
    EXPECT_FALSE(AssembleInstruction(s.m, s.t, -1));
}
