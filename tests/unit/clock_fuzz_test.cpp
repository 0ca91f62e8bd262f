// A student let loose: random programs (fields a program file could hold, unknown mnemonics
// included), random options, resets, hand-overs, timer ticks and clicks on the drawing, and any
// answer to the prompts. Nothing may throw, hang or leave the tables; the sanitizer build runs it
// too.
#include <random>

#include "clock_test_support.h"

namespace corvexa::clocktest {
namespace {

// Answers every prompt at random: whole numbers, fractions, huge numbers, text, empty, Cancel.
// Refusals loop back to the prompt, so a valid answer comes often enough to end each loop.
class RandomDesk : public HeadlessDesk {
public:
    explicit RandomDesk(Machine &m, unsigned seed) : HeadlessDesk(m), rng_(seed) {}
    int messages = 0;
    int prompts = 0;

    void MessageBox(const std::string &, const std::string &, MsgIcon) override { ++messages; }
    std::optional<std::string> InputBox(const std::string &, const std::string &,
                                        const std::string &) override {
        ++prompts;
        switch (Pick(0, 9)) {
        case 0:
            return std::nullopt;
        case 1:
            return std::string();
        case 2:
            return std::string("abc");
        case 3:
            return std::string("1e12");
        case 4:
            return std::string("-2.5");
        default:
            return std::to_string(Pick(-3, 3) * (Pick(0, 1) == 0 ? 1 : 2147483647 / 3));
        }
    }
    std::optional<std::string> OpenFileName(const std::string &, const std::string &,
                                            const std::string &) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(const std::string &, const std::string &,
                                            const std::string &) override {
        return std::nullopt;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937 rng_;
};

void RandomProgram(Machine &m, RandomDesk &d) {
    // Every mnemonic of the writers, and text only a program file brings.
    static const char *const kOdd[] = {"XOR", "", "lw"};
    const auto rows = Mnemonics();
    const int known = static_cast<int>(rows.size());
    const int32_t start = 4 * d.Pick(-10, 600);
    for (int i = 0; i < kSlots; ++i) {
        const int pick = d.Pick(0, known + 2);
        m.ProgMnemonic[i] = pick < known ? std::string(rows[static_cast<size_t>(pick)].mnemonic)
                                         : kOdd[pick - known];
        const auto reg = [&] {
            return static_cast<int16_t>(d.Pick(0, 9) == 0 ? d.Pick(-40, 40) : d.Pick(0, 7));
        };
        m.RdField[i] = reg();
        m.RsField[i] = reg();
        m.RtField[i] = reg();
        m.ImmField[i] = d.Pick(0, 5) == 0 ? d.Pick(-2000000000, 2000000000) : d.Pick(-40, 40);
        m.OffsetField[i] = d.Pick(0, 5) == 0 ? d.Pick(-2000000000, 2000000000) : 4 * d.Pick(-4, 8);
        m.ProgBranchOffset[i] = static_cast<int16_t>(d.Pick(-40, 40));
        m.ProgShamt[i] = static_cast<int16_t>(d.Pick(-5, 40));
        m.ProgFunc[i] = static_cast<int16_t>(d.Pick(-5, 70));
        m.ProgAddress[i] = start + 4 * i;
        m.InstrFormat[i] = static_cast<int16_t>(d.Pick(0, 6));
    }
}

void ExpectMapSound(const Machine &m) {
    ASSERT_GE(m.MemMapLast, 0);
    ASSERT_LE(m.MemMapLast, kMemMapSize - 1);
    for (int i = 1; i <= m.MemMapLast; ++i) {
        ASSERT_LT(m.MemMapAddress[i - 1], m.MemMapAddress[i]) << "entry " << i;
    }
}

TEST(ClockFuzz, RandomClicksAndAnswersStayInsideTheTables) {
    static const char *const kMenus[] = {
        "mnuForwarding", "MnuStall", "AggBranch", "OptNormal",   "OptAlways", "OptDelayed",
        "OptCancelled",  "MenuMEM",  "MenuREG",   "ViewDetails", "LoadProg",  "SaveProg"};
    // Labels of either drawing, and elements one window lacks (lblEXEValue 27 in the single-cycle
    // window, index -1).
    static const char *const kLabels[] = {"lblIFValue",  "lblIDValue", "lblEXEValue",
                                          "lblMEMValue", "lblValue",   "lblWBValue",
                                          "lblForward",  "LblStall",   "lblBranchPolicy"};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Machine m;
        RandomDesk d(m, seed);
        RegisterAllForms(d);
        d.Show("frmMIPSFiveStageInt");
        auto &five = dynamic_cast<PipelineWindow &>(d.Get("frmMIPSFiveStageInt"));
        // Every other seed the single-cycle window runs beside it on the shared flags.
        PipelineWindow *single = nullptr;
        if (seed % 2 == 0) {
            d.Show("frmSingleCycle");
            single = &dynamic_cast<PipelineWindow &>(d.Get("frmSingleCycle"));
        }
        for (int step = 0; step < 400; ++step) {
            PipelineWindow &w = single != nullptr && d.Pick(0, 1) == 0 ? *single : five;
            const int what = d.Pick(0, 99);
            if (what < 60) {
                w.Click("Clocking");
            } else if (what < 63) {
                RandomProgram(m, d);
                AssembleProgramStore(m);
                d.Refresh(w.name());
            } else if (what < 66) {
                w.Click("Reset");
            } else if (what < 76) {
                w.Click(kMenus[d.Pick(0, 11)]);
            } else if (what < 80) {
                w.Click(d.Pick(0, 1) == 0 ? "Timer1" : "StallBlink");
            } else if (what < 82) {
                m.RegistersInitialised = !m.RegistersInitialised;
            } else {
                w.Click(kLabels[d.Pick(0, 8)], d.Pick(-1, 27));
            }
            ExpectMapSound(m);
            for (const PipelineWindow *p : {&five, single}) {
                if (p == nullptr) {
                    continue;
                }
                ASSERT_GE(p->ClockCount, -1);
                ASSERT_GE(p->ColourIndex, 0);
                ASSERT_LT(p->ColourIndex, p == single ? 5 : 15);
            }
        }
        EXPECT_GT(d.prompts + d.messages, 0) << "seed " << seed;
        if (single != nullptr) {
            EXPECT_FALSE(single->StateValue("InstructionColours", 5)) << "five entries only";
        }
    }
}

} // namespace
} // namespace corvexa::clocktest
