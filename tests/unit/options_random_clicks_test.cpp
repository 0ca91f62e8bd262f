// What a student does that no script foresees: options, policies, explanations, window commands,
// the register and memory windows and the clock in random order, windows closed with their close
// box in between. Nothing may crash or read outside a table, and the menus, flags, captions and
// drawings of the options must always agree with one another.
#include <random>
#include <set>

#include "machine/numstr.h"
#include "options_fixture.h"

namespace corvexa::testing {
namespace {

class RandomClicks : public FiveStageWindow {
protected:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // Branches forwards, backwards, onto themselves and out of the program; loads and stores
    // around negative offsets; registers read before anything wrote them.
    void LoadProgram() {
        ClearProgram();
        Slot(0, "LW", 3, 0, 5, 0, -8);
        Slot(1, "ADDI", 1, 3, 0, -1);
        Slot(2, "BEQ", 0, 1, 3, 0, 0, 2);
        Slot(3, "SW", 1, 0, 5, 0, 4);
        Slot(4, "BNEQ", 0, 1, 0, 0, 0, -4);
        Slot(5, "ADD", 6, 1, 3);
        Slot(6, "SLL", 7, 6, 0, 31);
        Slot(7, "BEQ", 0, 0, 0, 0, 0, 40);
        Slot(8, "LW", 8, 0, 1, 0, 32767);
        Slot(9, "BNEQ", 0, 8, 0, 0, 0, -10);
        Slot(10, "SUB", 9, 8, 7);
        HandOver();
    }

    void KeepAnswersQueued() {
        while (desk.PendingAnswers() < 8) {
            switch (Int(0, 9)) {
            case 0:
                desk.QueueAnswer("x"); // refused, then asked again
                break;
            case 1:
                desk.QueueAnswer(std::to_string(Int(-70000, 70000)));
                break;
            default:
                desk.QueueAnswer(std::to_string(Int(-3, 9) * 4));
                break;
            }
        }
    }

    void FiveStageAction() {
        frmMIPSFiveStageInt &w = Window();
        static const char *const kPlain[] = {
            "Clocking",   "Reset",     "mnuForwarding", "MnuStall",     "AggBranch",
            "OptNormal",  "OptAlways", "OptDelayed",    "OptCancelled", "lblBranchPolicy",
            "lblForward", "LblStall",  "Picture2",      "Picture4",     "ViewDetails",
            "MenuREG",    "MenuMEM",   "Timer1",        "StallBlink"};
        struct Indexed {
            const char *array;
            int last;
        };
        static const Indexed kIndexed[] = {{"lblIFValue", 4},
                                           {"lblIDValue", 16},
                                           {"lblEXEValue", 27},
                                           {"lblMEMValue", 16},
                                           {"lblValue", 3}};
        const int pick = Int(0, 9);
        if (pick < 4) {
            last_ = "clock";
            w.Click("Clocking");
        } else if (pick < 7) {
            const char *name = kPlain[Int(0, static_cast<int>(std::size(kPlain)) - 1)];
            // A disabled menu item cannot be chosen.
            if (w.C(name).kind != ControlKind::MenuItem || w.C(name).enabled) {
                last_ = name;
                w.Click(name);
            }
        } else {
            // An explanation changes the strip and nothing else.
            const std::string before = Snapshot();
            const Indexed &a = kIndexed[Int(0, static_cast<int>(std::size(kIndexed)) - 1)];
            last_ = a.array;
            w.Click(a.array, Int(-1, a.last + 1));
            EXPECT_EQ(Snapshot(), before) << last_;
        }
    }

    // Everything an explanation must leave alone: the drawing but for the strip and its timer,
    // the registers and the memory map.
    std::string Snapshot() {
        std::string out;
        for (const Control &c : Window().controls()) {
            if (c.name != "Information" && c.name != "Timer1") {
                out += c.caption + (c.visible ? "+" : "-") + std::to_string(c.foreColor) + "|";
            }
        }
        for (int32_t r : m.RegisterFile) {
            out += std::to_string(r) + ",";
        }
        for (int i = 0; i <= m.MemMapLast && i < kMemMapSize; ++i) {
            out += std::to_string(m.MemMapAddress[static_cast<size_t>(i)]) + ":" +
                   std::to_string(m.MemMapValue[static_cast<size_t>(i)]) + ",";
        }
        return out;
    }

    void StateWindowAction() {
        last_ = "state";
        switch (Int(0, 9)) {
        case 0:
        case 1:
        case 2:
            if (Form *regs = desk.Find("MenuRegisters")) {
                static const char *const kButtons[] = {"cmdInitialize", "cmdRESET", "MenuHexValues",
                                                       "Exit", "Hide"};
                if (Int(0, 1) == 0) {
                    regs->Click("lblRegisterNo", Int(-1, 32));
                } else {
                    regs->Click(kButtons[Int(0, static_cast<int>(std::size(kButtons)) - 1)]);
                }
            }
            break;
        case 3:
        case 4:
            if (Form *mem = desk.Find("MenuMemory")) {
                mem->Click(Int(0, 2) == 0 ? "Exit" : "MenuHexValues");
            }
            break;
        case 5:
            desk.Unload(Int(0, 1) == 0 ? "frmForwarding" : "frmStall_Help"); // its close box
            break;
        case 6:
            desk.Unload(Int(0, 1) == 0 ? "MenuRegisters" : "MenuMemory");
            break;
        default:
            if (Int(0, 20) == 0) {
                last_ = "handover";
                LoadProgram(); // a new hand-over in the middle of everything
            }
            break;
        }
    }

    // The options as the menus show them, the flags and every element drawn for them agree.
    void ExpectOptionsAgree(int seed, int step) {
        frmMIPSFiveStageInt &w = Window();
        const std::string where =
            "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + last_;

        const bool forwarding = w.C("mnuForwarding").checked;
        EXPECT_EQ(m.ForwardingEnabled, forwarding) << where;
        for (const char *c : {"lblForward", "Picture5", "Picture7", "Picture10"}) {
            EXPECT_EQ(w.C(c).visible, forwarding) << where << " " << c;
        }
        EXPECT_EQ(w.C("Forward_Bubble", 0).visible, forwarding) << where;
        EXPECT_EQ(w.C("Picture11").visible, !forwarding) << where;
        EXPECT_EQ(w.C("Line3", 117).visible, !forwarding) << where;

        const bool stall = w.C("MnuStall").checked;
        EXPECT_EQ(w.C("LblStall").visible, stall) << where;
        EXPECT_EQ(w.C("Stall_Bubble", 0).visible, stall) << where;
        const Control &blink = w.C("StallBlink");
        EXPECT_EQ(blink.enabled && blink.interval > 0, stall) << where; // ticking
        if (w.ClockCount >= 0) {
            EXPECT_EQ(w.StallDetectionEnabled, stall) << where;
        }

        const bool early = w.C("AggBranch").checked;
        EXPECT_EQ(m.AggressiveBranching, early) << where;
        for (const char *c : {"Picture12", "Picture13", "Text2"}) {
            EXPECT_EQ(w.C(c).visible, early) << where << " " << c;
        }
        for (const char *c : {"Picture2", "Picture4", "Text1"}) {
            EXPECT_EQ(w.C(c).visible, !early) << where << " " << c;
        }
        EXPECT_EQ(w.C("OptDelayed").enabled, early) << where;
        EXPECT_EQ(w.C("OptCancelled").enabled, early) << where;

        struct Policy {
            const char *item;
            bool flag;
            const char *caption;
        };
        const Policy policies[] = {
            {"OptNormal", w.BranchPolicyNormal, "Normal (Predict Not Taken)"},
            {"OptAlways", w.BranchPolicyAlwaysFlush, "Always Flush"},
            {"OptDelayed", w.BranchPolicyDelayed, "Delayed Branching (Always Execute)"},
            {"OptCancelled", w.BranchPolicyCancelled, "Cancelled Branching (predict taken)"}};
        int active = 0;
        for (const Policy &p : policies) {
            EXPECT_EQ(w.C(p.item).checked, p.flag) << where << " " << p.item;
            if (p.flag) {
                ++active;
                EXPECT_EQ(w.C("lblBranchPolicy").caption, p.caption) << where;
            }
        }
        EXPECT_EQ(active, 1) << where;
        if (!early) {
            EXPECT_FALSE(w.BranchPolicyDelayed || w.BranchPolicyCancelled) << where;
        }

        // Every switch ends the run: the next clock is the first, and no stall carries over.
        static const std::set<std::string> kSwitches = {"Reset",      "mnuForwarding", "MnuStall",
                                                        "AggBranch",  "OptNormal",     "OptAlways",
                                                        "OptDelayed", "OptCancelled"};
        if (kSwitches.count(last_) != 0) {
            EXPECT_EQ(w.ClockCount, -1) << where;
            EXPECT_EQ(w.HazardStall, 0) << where;
            EXPECT_FALSE(w.StallDetectionEnabled && !stall) << where;
        }

        EXPECT_GE(m.MemMapLast, 0) << where;
        EXPECT_LE(m.MemMapLast, kMemMapSize - 1) << where;
        if (w.ClockCount < 0) {
            EXPECT_EQ(w.C("lblClockCount").caption, "CC") << where;
        } else {
            EXPECT_EQ(w.C("lblClockCount").caption, Num(w.ClockCount + 1)) << where;
        }
    }

    // Only the messages these commands can give; every other dialog is an input box.
    void ExpectOnlyKnownMessages(int seed) {
        while (auto dialog = desk.TakeOldest()) {
            if (dialog->kind != DialogRecord::Kind::Message) {
                continue;
            }
            const std::string &t = dialog->text;
            EXPECT_TRUE(t == "Circuit Not Clocked" || t == "Enter a Proper Integer Value" ||
                        t == "Enter a Proper Integer Value in decimal" ||
                        t == "Oh No. You have come too far. Go Back!")
                << "seed " << seed << ": " << t;
        }
    }

    std::mt19937 rng_;
    std::string last_;
};

TEST_F(RandomClicks, OptionsStayConsistentAndNothingBreaks) {
    Open();
    LoadProgram();
    for (int seed = 1; seed <= 30; ++seed) {
        rng_.seed(static_cast<uint32_t>(seed));
        for (int step = 0; step < 200; ++step) {
            KeepAnswersQueued();
            if (Int(0, 3) == 0) {
                StateWindowAction();
            } else {
                FiveStageAction();
            }
            ExpectOptionsAgree(seed, step);
            if (HasFailure()) {
                return;
            }
        }
        ExpectOnlyKnownMessages(seed);
    }
}

} // namespace
} // namespace corvexa::testing
