// The single-cycle clock sequence run on the five-stage window's state: a shorter colour cycle, no
// explanation strings, and no store-data path into EXE.
#include "clock_test_support.h"

#include "singlecycle/single_cycle_clock.h"

namespace corvexa::clocktest {
namespace {

class Host : public ClockHost {
public:
    explicit Host(frmMIPSFiveStageInt &w) : w_(w) {}
    void LatchOptions() override {
        w_.StallDetectionEnabled = w_.C("MnuStall").checked;
        w_.machine().ForwardingEnabled = w_.C("mnuForwarding").checked;
        w_.machine().AggressiveBranching = w_.C("AggBranch").checked;
    }
    void PromptRegisterValue(int n) override { w_.PromptRegisterValue(n); }
    void Reset_Click() override { w_.Reset_Click(); }
    void RefreshRegisterList() override { w_.RefreshRegisterList(); }

private:
    frmMIPSFiveStageInt &w_;
};

TEST(ClockVariant, ASecondWindowRunsTheSameEngineWithItsDifferences) {
    Pipeline p;
    p.Imm(0, "ADDI", 1, 0, 5);
    p.Alu(1, "ADD", 2, 1, 1); // forwarded from MEM: no explanation string is written
    p.Sw(2, 1, 0, 0);         // R1 written two ahead: stores the value read in ID
    p.Assemble();
    p.Options(true, true);
    p.Preset();
    Host host(*p.w);
    SingleCycleClock clock(*p.w, p.desk, host, ClockControls::Bind(*p.w), SingleCycleVariant());
    p.m.ForwardingText = "earlier";

    std::vector<int32_t> colours;
    for (int i = 0; i < 8; ++i) {
        clock.Clock();
        colours.push_back(p.w->IF.Colour);
    }
    EXPECT_EQ(colours[5], InstructionColours[0]); // the sixth fetch starts the cycle again
    EXPECT_EQ(colours[4], InstructionColours[4]);
    EXPECT_EQ(p.m.ForwardingText, "earlier");
    EXPECT_EQ(p.m.RegisterFile[2], 10);
    EXPECT_EQ(p.m.MemMapValue[0], 100);
}

} // namespace
} // namespace corvexa::clocktest
