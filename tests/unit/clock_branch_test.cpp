// What happens to the instruction behind a branch under each policy, decided in ID, and the
// blind flush of Always Flush decided in MEM.
#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

enum class Policy { Normal, AlwaysFlush, Delayed, Cancelled };

void SetPolicy(frmMIPSFiveStageInt &w, Policy p) {
    w.BranchPolicyNormal = p == Policy::Normal;
    w.BranchPolicyAlwaysFlush = p == Policy::AlwaysFlush;
    w.BranchPolicyDelayed = p == Policy::Delayed;
    w.BranchPolicyCancelled = p == Policy::Cancelled;
}

struct EarlyBranch : ::testing::TestWithParam<std::tuple<Policy, bool, bool>> {};

TEST_P(EarlyBranch, ThePolicyDecidesWhetherTheNextInstructionRuns) {
    const auto [policy, taken, forwarding] = GetParam();
    Pipeline p;
    p.Branch(0, "BEQ", 1, taken ? 1 : 2, 1); // R1 = 100, R2 = 222
    p.Imm(1, "ADDI", 9, 0, 1);               // the instruction behind the branch
    p.Imm(2, "ADDI", 10, 0, 2);              // the target
    p.Assemble();
    p.Options(forwarding, true, true);
    p.Preset();
    SetPolicy(*p.w, policy);
    p.Clock(8);
    const bool runs = policy == Policy::Delayed || (policy == Policy::Normal && !taken) ||
                      (policy == Policy::Cancelled && taken);
    EXPECT_EQ(p.m.RegisterFile[9], runs ? 1 : 900);
    EXPECT_EQ(p.m.RegisterFile[10], 2);
    p.ExpectNoDialog();
}

INSTANTIATE_TEST_SUITE_P(ClockBranch, EarlyBranch,
                         ::testing::Combine(::testing::Values(Policy::Normal, Policy::AlwaysFlush,
                                                              Policy::Delayed, Policy::Cancelled),
                                            ::testing::Bool(), ::testing::Bool()));

TEST(ClockBranch, AlwaysFlushInMemFlushesBehindANotTakenBranch) {
    Pipeline p;
    p.Branch(0, "BNEQ", 1, 1, 5);
    p.Imm(1, "ADDI", 9, 0, 1);
    p.Imm(2, "ADDI", 10, 0, 2);
    p.Imm(3, "ADDI", 11, 0, 3);
    p.Imm(4, "ADDI", 12, 0, 4);
    p.Assemble();
    p.Options(true, true);
    p.Preset();
    SetPolicy(*p.w, Policy::AlwaysFlush);
    p.Clock(4);
    EXPECT_EQ(p.C("lblMEMValue", 6).caption, "F A L S E");
    EXPECT_EQ(p.C("txtStageInfo2", 2).caption, "ADDI R9,R0,1(Flushed)");
    p.Clock();
    EXPECT_EQ(p.w->FetchIndex, 4);
    p.Clock(5);
    EXPECT_EQ(p.m.RegisterFile[9], 900);
    EXPECT_EQ(p.m.RegisterFile[11], 5550);
    EXPECT_EQ(p.m.RegisterFile[12], 4);
}

// Forwarding on: a branch in ID whose source the instruction in EXE writes waits one clock; the
// copy sent down as a bubble explains why.
TEST(ClockBranch, AnEarlyBranchWaitsForAResultStillInExe) {
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, 222);
    p.Branch(1, "BEQ", 1, 2, 1); // 222 = 222 once R1 is written
    p.Imm(2, "ADDI", 9, 0, 1);
    p.Imm(3, "ADDI", 10, 0, 2);
    p.Assemble();
    p.Options(true, true, true);
    p.Preset();
    p.Clock(3);
    EXPECT_EQ(p.w->HazardStall, 1);
    EXPECT_EQ(p.State("ID.BranchHazardStall"), "True");
    p.Clock();
    EXPECT_EQ(p.C("txtStageInfo2", 2).caption, "BEQ R1,R2,1(NOP)");
    EXPECT_EQ(p.m.StallText, " \r\n  A Stall Occurred because of  1 in ID stage.  This situation "
                             "only happens in Aggressive Branching Case!!!.  Note that currently "
                             "forwarding is ON");
    // The bubble keeps its Rs, so the A-input unit still forwards to it.
    EXPECT_EQ(p.C("lblEXEValue", 9).caption, "1");
    EXPECT_EQ(p.m.RegisterFile[1], 222); // copied from MEM for the branch
    EXPECT_EQ(p.State("ID.BranchTaken"), "True");
    p.Clock(6);
    EXPECT_EQ(p.m.RegisterFile[9], 900);
    EXPECT_EQ(p.m.RegisterFile[10], 2);
}

} // namespace
} // namespace corvexa::clocktest
