// Thousands of damaged and random program files: the loader never crashes, never reads outside a
// table, and either loads a whole program or changes nothing. Loaded oddities then go through the
// writer's refill and "ASSEMBLE".

#include <random>
#include <tuple>

#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "program_file_test_support.h"
#include "writer_test_support.h"

namespace corvexa::program_file_test {
namespace {

auto ProgramTables(const Machine &m) {
    return std::tie(m.ProgMnemonic, m.RdField, m.RsField, m.RtField, m.ImmField, m.OffsetField,
                    m.ProgBranchOffset, m.ProgShamt, m.ProgFunc, m.ProgText, m.InstrFormat,
                    m.ProgAddress, m.AssembledRd, m.AssembledRs, m.AssembledRt, m.LoadingFlag);
}

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::string Number() {
        switch (Int(0, 5)) {
        case 0:
            return std::to_string(Int(-40, 40));
        case 1:
            return std::to_string(Int(-40000, 40000));
        case 2:
            return std::to_string(static_cast<int64_t>(Int(-3, 3)) * 2147483647LL + Int(-2, 2));
        case 3:
            return std::string(static_cast<size_t>(Int(1, 30)), static_cast<char>('0' + Int(0, 9)));
        case 4:
            return Int(0, 1) ? "2.5" : "-0.000";
        default:
            return "";
        }
    }

    std::string Mnemonic() {
        // Every mnemonic of the writers, and text only a program file brings.
        static const char *const odd[] = {"XOR", "lw", ""};
        const auto rows = Mnemonics();
        const int known = static_cast<int>(rows.size());
        const int pick = Int(0, known + 2);
        std::string m = pick < known ? std::string(rows[static_cast<size_t>(pick)].mnemonic)
                                     : odd[pick - known];
        return Int(0, 4) == 0 ? m : "\"" + m + "\"";
    }

    // A file that is nearly right: records with plausible or odd values.
    std::string Plausible() {
        std::string out;
        const bool odd = Int(0, 1) == 0; // half the files hold only values that fit their field
        const int records = Int(0, 5) == 0 ? Int(0, 34) : 32;
        for (int r = 0; r < records; ++r) {
            out += Mnemonic();
            for (int f = 0; f < 8; ++f) {
                out += "," + (odd && Int(0, 60) == 0 ? Number() : std::to_string(Int(-5, 40)));
            }
            out += Int(0, 8) == 0 ? "\n" : "\r\n";
        }
        return out;
    }

    std::string Damage(std::string s) {
        static const char specials[] = {',', '"', '\r', '\n', ' ', '\0', '\x1A', '\xFF', '-'};
        const int edits = Int(1, 6);
        for (int e = 0; e < edits; ++e) {
            const size_t at =
                s.empty() ? 0 : static_cast<size_t>(Int(0, static_cast<int>(s.size()) - 1));
            switch (Int(0, 6)) {
            case 0:
                if (!s.empty()) {
                    s[at] = static_cast<char>(Int(0, 255));
                }
                break;
            case 1:
                s.insert(at, 1, specials[Int(0, 8)]);
                break;
            case 2:
                s.erase(at, static_cast<size_t>(Int(1, 40)));
                break;
            case 3:
                s.resize(at);
                break;
            case 4:
                s.insert(at, s.substr(at, static_cast<size_t>(Int(1, 200))));
                break;
            case 5:
                s.insert(at, Number());
                break;
            default:
                if (!s.empty()) {
                    s[at] = specials[Int(0, 8)];
                }
                break;
            }
        }
        return s;
    }

    std::string Random() {
        std::string s(static_cast<size_t>(Int(0, 3000)), ' ');
        for (char &c : s) {
            c = Int(0, 3) == 0 ? ",\"\r\n0123456789-"[Int(0, 14)] : static_cast<char>(Int(0, 255));
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

// The parser works on text, so the texts go to it directly; the first refused and the first
// loaded text also go through a file on disk.
TEST(ProgramFileFuzz, DamagedFilesLoadWholeOrChangeNothing) {
    ScratchFolder dir;
    const std::string path = dir / "fuzz.int";
    Mutator mut(20061017);
    int loaded = 0;
    int refused = 0;
    for (int round = 0; round < 6000; ++round) {
        std::string text;
        switch (round % 3) {
        case 0:
            text = mut.Plausible();
            break;
        case 1:
            text = mut.Damage(mut.Plausible());
            break;
        default:
            text = mut.Random();
            break;
        }
        const auto image = ParseProgramFile(text);
        if ((image ? loaded : refused) == 0) {
            WriteText(path, text);
            Machine m;
            m.ProgMnemonic.fill("KEEP");
            m.RdField[31] = 31;
            m.ImmField[0] = -123;
            m.ProgText[7] = "kept";
            Machine expected = m;
            if (image) {
                ApplyProgramImage(expected, *image);
            }
            ASSERT_EQ(LoadProgramFile(m, path), image.has_value()) << "round " << round;
            ASSERT_TRUE(ProgramTables(m) == ProgramTables(expected)) << "round " << round;
        }
        if (!image) {
            ++refused;
            continue;
        }
        ++loaded;
        // Whatever loaded saves and loads back the same.
        Machine m;
        ApplyProgramImage(m, *image);
        AssembleProgramStore(m);
        const std::string saved = ProgramFileText(m);
        const auto again = ParseProgramFile(saved);
        ASSERT_TRUE(again.has_value()) << "round " << round;
        Machine reloaded;
        ApplyProgramImage(reloaded, *again);
        ASSERT_EQ(reloaded.ProgMnemonic, m.ProgMnemonic);
        ASSERT_EQ(reloaded.RdField, m.RdField);
        ASSERT_EQ(reloaded.ImmField, m.ImmField);
        ASSERT_EQ(reloaded.ProgFunc, m.ProgFunc);
    }
    // Both roads are exercised, not only refusals.
    EXPECT_GT(loaded, 1000);
    EXPECT_GT(refused, 1000);
}

class LoadedOdditiesTest : public writer_test::WriterTest {};

TEST_F(LoadedOdditiesTest, RefillAndAssembleTakeAnyLoadedProgram) {
    Mutator mut(1024768);
    desk.QueueAnswer("2000");
    desk.Show("frmWriteIntProg");
    int programs = 0;
    for (int round = 0; round < 1500; ++round) {
        const auto image =
            ParseProgramFile(round % 2 ? mut.Plausible() : mut.Damage(mut.Plausible()));
        if (!image) {
            continue;
        }
        ++programs;
        ApplyProgramImage(m, *image);
        m.LoadingFlag = true;
        m.RefreshDone = false;
        desk.QueueAnswer("2000");
        Writer().Click("cmdRefresh");
        for (int i = 0; i < 32; ++i) {
            const Control &rd = Writer().C("cmbRdField", i);
            ASSERT_GE(rd.listIndex, -1);
            ASSERT_LT(rd.listIndex, 32);
            ASSERT_EQ(Writer().C("Instruction1", i).caption,
                      m.ProgMnemonic[static_cast<size_t>(i)]);
        }
        Writer().Click("picUP", 1 + round % 31);
        Writer().Click("cmdEND");
        desk.Show("frmWriteIntProg");
    }
    EXPECT_GT(programs, 300);
}

} // namespace
} // namespace corvexa::program_file_test
