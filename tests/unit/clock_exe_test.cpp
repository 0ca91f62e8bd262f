// The ALU and the forwarding units as a student meets them, quirks included.
#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

TEST(ClockExe, AluOperationsOnThirtyTwoBitPatterns) {
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, -8);
    p.Shift(1, "SRL", 2, 1, 1);
    p.Imm(2, "ADDI", 3, 0, 7);
    p.Shift(3, "SRL", 4, 3, 1);
    p.Imm(4, "ADDI", 5, 0, 3);
    p.Shift(5, "SLL", 6, 5, 4);
    p.Imm(6, "ADDI", 7, 0, 1);
    p.Alu(7, "SLTU", 8, 1, 7); // -8 < 1 as signed numbers
    p.Alu(8, "NOR", 9, 0, 0);
    p.Alu(9, "AND", 10, 1, 3); // ...11111000 and 111
    p.Alu(10, "OR", 11, 1, 3);
    p.Imm(11, "SLTIU", 12, 1, 0);
    p.Alu(12, "ADDU", 13, 6, 3);
    p.Alu(13, "ADD", 0, 6, 6); // R0 keeps 0 but now has a value
    p.Assemble();
    p.Options(true, true);
    p.Preset();
    p.Clock(20);
    const std::array<int32_t, 14> expected = {0, -8, 2147483644, 7, 3,  3, 48,
                                              1, 1,  -1,         0, -1, 1, 55};
    for (int r = 0; r < 14; ++r) {
        EXPECT_EQ(p.m.RegisterFile[r], expected[r]) << "R" << r;
    }
    EXPECT_TRUE(p.m.RegisterHasValue[0]);
    EXPECT_EQ(p.C("lblRegister", 0).caption, "R0=0");
    p.ExpectNoDialog();
}

// Forwarding on, stall detection off: a load's address in MEM is never forwarded to input A, but
// input B takes it.
TEST(ClockExe, WithoutStallDetectionALoadInMemFeedsInputBItsAddress) {
    Pipeline p;
    p.Sw(0, 2, 8, 0);
    p.Lw(1, 1, 8, 0);
    p.Alu(2, "ADD", 3, 1, 0); // reads R1 as Rs: the value from ID, 100
    p.Lw(3, 4, 8, 0);
    p.Alu(4, "ADD", 5, 0, 4); // reads R4 as Rt: the address 8 from MEM
    p.Assemble();
    p.Options(true, false);
    p.Preset();
    p.Clock(5);
    EXPECT_EQ(p.C("lblEXEValue", 9).caption, "0");
    EXPECT_EQ(p.C("lblEXEValue", 5).caption, "100");
    p.Clock(2);
    EXPECT_EQ(p.C("lblEXEValue", 10).caption, "2");
    EXPECT_EQ(p.C("lblEXEValue", 6).caption, "8");
    EXPECT_EQ(p.C("lblForward").foreColor, 65535);
    p.Clock(3);
    EXPECT_EQ(p.m.RegisterFile[3], 100);
    EXPECT_EQ(p.m.RegisterFile[5], 8);
    EXPECT_EQ(p.m.RegisterFile[1], 222);
}

// Both MEM and WB write the EXE instruction's Rs: MEM wins. R0 is never forwarded.
TEST(ClockExe, MemBeforeWbAndNeverRegisterZero) {
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, 5);
    p.Imm(1, "ADDI", 1, 0, 6);
    p.Alu(2, "ADD", 2, 1, 1);
    p.Alu(3, "ADD", 0, 1, 1); // writes R0
    p.Alu(4, "SUB", 3, 0, 0);
    p.Assemble();
    p.Options(true, true);
    p.Preset();
    p.Clock(5);
    EXPECT_EQ(p.C("Information").caption,
              "Data (6) Forwarded between MEM stage and Exe Stage on B Input of ALU");
    EXPECT_NE(p.m.ForwardingText.find("WB forwarding to Rs Neglected."), std::string::npos);
    EXPECT_EQ(p.C("lblEXEValue", 7).caption, "12");
    p.Clock(2);
    EXPECT_EQ(p.C("lblEXEValue", 9).caption, "0");
    EXPECT_EQ(p.C("lblEXEValue", 10).caption, "0");
    EXPECT_EQ(p.State("SelectMuxB"), "0");
    p.Clock(3);
    EXPECT_EQ(p.m.RegisterFile[3], 0);
}

} // namespace
} // namespace corvexa::clocktest
