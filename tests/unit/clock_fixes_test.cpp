// Choices and mended faults of the clock step: 32-bit results, a long session, a branch taken
// during a data stall, loads feeding an early branch, stale latches at the start of a run, and
// branch targets or register numbers outside the tables.
#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

TEST(ClockFixes, ResultsWrapToThirtyTwoBitsWhereverTheyGo) {
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, 32767);
    p.Shift(1, "SLL", 2, 1, 16);           // 2147418112
    p.Alu(2, "ADD", 3, 2, 2);              // both inputs forwarded from MEM: 4294836224 wraps
    p.Alu(3, "SUB", 4, 3, 2);              // -131072 - 2147418112 wraps
    p.Shift(4, "SLL", 5, 1, 30);           // 0x7FFF << 30 keeps its low 32 bits
    p.Set(5, "SLL", 6, 1, 0, 0, 0, 0, 33); // a shift amount from a file: the 5-bit field counts
    p.Branch(6, "BEQ", 1, 2, 1);
    p.Assemble();
    p.m.ProgAddress[6] = 2147483644; // the next PC and the branch target pass the 32-bit range
    p.Options(true, true);
    p.Preset();
    p.Clock(5);
    EXPECT_EQ(p.State("EXE.AluOUT"), "-131072");
    EXPECT_EQ(p.C("lblEXEValue", 7).caption, "-131072");
    p.Clock();
    EXPECT_EQ(p.C("lblEXEValue", 5).caption, "-131072"); // forwarded as wrapped
    EXPECT_EQ(p.State("EXE.AluOUT"), "2147418112");
    p.Clock();
    EXPECT_EQ(p.State("IF.NPC"), "-2147483648");
    p.Clock(2);
    EXPECT_EQ(p.State("EXE.BTA"), "-2147483644");
    EXPECT_EQ(p.C("lblEXEValue", 13).caption, "-2147483644");
    p.Clock(5);
    EXPECT_EQ(p.m.RegisterFile[3], -131072);
    EXPECT_EQ(p.m.RegisterFile[4], 2147418112);
    EXPECT_EQ(p.m.RegisterFile[5], -1073741824);
    EXPECT_EQ(p.m.RegisterFile[6], 65534);
    p.ExpectNoDialog();
}

TEST(ClockFixes, ALongSessionCountsPastTheSixteenBitRange) {
    Pipeline p;
    p.Branch(0, "BEQ", 0, 0, -1); // branches to itself until reset
    p.Assemble();
    p.Preset();
    p.Clock(33000);
    EXPECT_EQ(p.C("lblClockCount").caption, "33000");
    EXPECT_EQ(p.State("ClockCount"), "32999");
    p.ExpectNoDialog();
}

// Forwarding off: SUB waits in ID for the ADD before the branch; the branch is taken meanwhile.
TEST(ClockFixes, ABranchInMemIsTakenWhileADataStallHoldsId) {
    Pipeline p;
    p.Alu(0, "ADD", 1, 2, 3);
    p.Branch(1, "BEQ", 4, 4, 2);
    p.Alu(2, "SUB", 5, 1, 6);
    p.Imm(3, "ADDI", 7, 0, 1);
    p.Imm(4, "ADDI", 8, 0, 2);
    p.Assemble();
    p.Options(false, true);
    p.Preset();
    p.Clock(4);
    EXPECT_EQ(p.w->HazardStall, 1);
    p.Clock();
    EXPECT_EQ(p.State("MEM.BranchTaken"), "True");
    EXPECT_EQ(p.w->HazardStall, 0);
    EXPECT_EQ(p.C("txtStageInfo2", 1).caption, "SUB R5,R1,R6(Flushed)");
    p.Clock();
    EXPECT_EQ(p.w->FetchIndex, 4);
    p.Clock(5);
    EXPECT_EQ(p.m.RegisterFile[5], 500);
    EXPECT_EQ(p.m.RegisterFile[7], 700);
    EXPECT_EQ(p.m.RegisterFile[8], 2);
}

// Branches decided in ID compare a loaded value, never the load's address; they wait for it,
// whether the load feeds the branch's first or second register.
struct LoadThenBranch : ::testing::TestWithParam<std::tuple<bool, int, bool>> {};

TEST_P(LoadThenBranch, TheBranchComparesTheLoadedValue) {
    const auto [forwarding, gap, intoRt] = GetParam();
    Pipeline p;
    p.Sw(0, 2, 8, 0); // 222 at address 8
    const int load = 1 + (2 - gap);
    p.Lw(load, 1, 8, 0);
    if (intoRt) {
        p.Branch(3, "BEQ", 2, 1, 1); // 222 = 222: taken, slot 4 skipped
    } else {
        p.Branch(3, "BEQ", 1, 2, 1);
    }
    p.Imm(4, "ADDI", 9, 0, 1);
    p.Imm(5, "ADDI", 10, 0, 2);
    p.Assemble();
    p.Options(forwarding, true, true);
    p.Preset();
    int targetClock = 0;
    for (int clock = 1; clock <= 14; ++clock) {
        p.Clock();
        EXPECT_NE(p.m.RegisterFile[1], 8) << "clock " << clock;
        // A load right ahead is covered by the load-use hold alone: the copy of the branch held
        // in EXE stays a single bubble.
        EXPECT_EQ(p.w->EXE.InstrText.find("(NOP)(NOP)"), std::string::npos) << "clock " << clock;
        if (targetClock == 0 && p.w->FetchIndex == 5) {
            targetClock = clock;
        }
    }
    EXPECT_EQ(p.m.RegisterFile[1], 222);
    EXPECT_EQ(p.m.RegisterFile[9], 900);
    EXPECT_EQ(p.m.RegisterFile[10], 2);
    if (forwarding) {
        // The branch is in ID at clock 5: one stall for a load two ahead, two for one right ahead.
        EXPECT_EQ(targetClock, 6 + (gap == 2 ? 1 : 2));
    }
    p.ExpectNoDialog();
}

INSTANTIATE_TEST_SUITE_P(ClockFixes, LoadThenBranch,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1, 2),
                                            ::testing::Bool()));

TEST(ClockFixes, ANewRunIsNotSteeredByTheLatchesOfAnEarlierOne) {
    // A taken branch decided as the fetch runs off the program leaves a flush behind.
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, 1);
    p.Branch(29, "BEQ", 0, 0, 0);
    p.Assemble();
    p.Preset();
    p.Clock(33);
    EXPECT_EQ(p.Dialog().text, "Oh No. You have come too far. Go Back!");
    p.Clock();
    EXPECT_EQ(p.C("txtStageInfo2", 0).caption, "ADDI R1,R0,1");

    // A new program handed over while a stall holds ID starts clean.
    p.ClearProgram();
    p.Alu(0, "ADD", 1, 2, 3);
    p.Alu(1, "SUB", 4, 1, 5);
    p.Assemble();
    p.Options(false, true);
    p.Clock(3);
    ASSERT_EQ(p.w->HazardStall, 1);
    p.ClearProgram();
    p.Imm(0, "ADDI", 9, 0, 7);
    p.Assemble();
    p.Clock(2);
    EXPECT_EQ(p.w->FetchIndex, 1);
    p.Clock(4);
    EXPECT_EQ(p.m.RegisterFile[4], 444);
    EXPECT_EQ(p.m.RegisterFile[9], 7);
}

TEST(ClockFixes, BranchTargetsOutsideTheProgramEndTheRun) {
    for (int offset : {40, -10}) {
        Pipeline p;
        p.Branch(2, "BEQ", 0, 0, offset);
        p.Assemble();
        p.Preset();
        p.Clock(7); // the branch is in WB at clock 7
        EXPECT_EQ(p.Dialog().text, "Oh No. You have come too far. Go Back!") << offset;
        EXPECT_EQ(p.w->ClockCount, -1);
        p.ExpectNoDialog();
    }
}

TEST(ClockFixes, RegisterNumbersFromAFileStayInsideTheTables) {
    Pipeline p;
    p.Alu(0, "ADD", 40, 33, -1);
    p.Lw(1, 100, 0, 70);
    p.Assemble();
    p.desk.QueueAnswer("5");
    p.Preset();
    p.Clock(6);
    EXPECT_EQ(p.m.RegisterFile[RegIndex(p.m.ProgRd[0])],
              Wrap32(int64_t{PresetRegisterValues[RegIndex(p.m.ProgRs[0])]} +
                     PresetRegisterValues[RegIndex(p.m.ProgRt[0])]));
}

} // namespace
} // namespace corvexa::clocktest
