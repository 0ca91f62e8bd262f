#include <chrono>
#include <csignal>
#include <random>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "machine/hand_over.h"
#include "program_file_test_support.h"

namespace corvexa::program_file_test {
namespace {

TEST(ProgramFileFormat, RecordsAreQuotedMnemonicAndEightNumbersWithCrLf) {
    Machine m;
    for (size_t i = 0; i < 32; ++i) {
        LoadedSlot(m, i, "NOP", 0, 0, 0, 0, 0, 0, 0, 0);
    }
    LoadedSlot(m, 0, "ADD", 9, 9, 9, 0, 0, 0, 0, 32);
    m.AssembledRd[0] = 3; // the registers come from the assembled copies
    m.AssembledRs[0] = 1;
    m.AssembledRt[0] = 2;
    LoadedSlot(m, 1, "LW", 0, 0, 0, -32768, -8, -32, 31, -1);
    m.AssembledRd[1] = -5;
    LoadedSlot(m, 2, "ADDI", 0, 0, 0, 2147483647, -2147483647 - 1, 0, 0, 0);
    const std::string text = ProgramFileText(m);
    const std::string expected = "\"ADD\",3,1,2,0,0,0,0,32\r\n"
                                 "\"LW\",-5,0,0,-32768,-8,-32,31,-1\r\n"
                                 "\"ADDI\",0,0,0,2147483647,-2147483648,0,0,0\r\n" +
                                 Records(29);
    EXPECT_EQ(text, expected);
}

TEST(ProgramFileFormat, SaveThenLoadGivesBackAllNineFieldsOfEverySlot) {
    ScratchFolder dir;
    Machine m;
    for (size_t i = 0; i < 32; ++i) {
        const auto k = static_cast<int>(i);
        LoadedSlot(m, i, i % 3 == 0 ? "SW" : "BNEQ", static_cast<int16_t>(k),
                   static_cast<int16_t>(-k), static_cast<int16_t>(31 - k), -1000 * k, 70000 * k,
                   static_cast<int16_t>(k - 16), static_cast<int16_t>(k % 32),
                   static_cast<int16_t>(k * 2));
    }
    AssembleProgramStore(m);
    ASSERT_TRUE(WriteProgramFile(dir / "p.INT", m));
    Machine loaded;
    ASSERT_TRUE(LoadProgramFile(loaded, dir / "p.INT"));
    EXPECT_EQ(loaded.ProgMnemonic, m.ProgMnemonic);
    EXPECT_EQ(loaded.RdField, m.RdField);
    EXPECT_EQ(loaded.RsField, m.RsField);
    EXPECT_EQ(loaded.RtField, m.RtField);
    EXPECT_EQ(loaded.ImmField, m.ImmField);
    EXPECT_EQ(loaded.OffsetField, m.OffsetField);
    EXPECT_EQ(loaded.ProgBranchOffset, m.ProgBranchOffset);
    EXPECT_EQ(loaded.ProgShamt, m.ProgShamt);
    EXPECT_EQ(loaded.ProgFunc, m.ProgFunc);
    EXPECT_EQ(ProgramFileText(m), ReadText(dir / "p.INT"));
}

TEST(ProgramFileFormat, ValuesAreTakenWhateverTheLineBreaksAndBlanks) {
    std::string oneLine;
    std::string onePerLine;
    for (int i = 0; i < 32; ++i) {
        oneLine += "\"SUB\",1,2,3,-4,5,-6,7,8,";
        for (const char *v : {"\"SUB\"", "1", "2", "3", "-4", "5", "-6", "7", "8"}) {
            onePerLine += std::string(v) + "\n";
        }
    }
    std::string loose = "\xEF\xBB\xBF\r\n";
    for (int i = 0; i < 32; ++i) {
        loose += "  SUB , +1,\t2 , 003,-4.00, 5 ,-6,7,8  \r\n\r\n";
    }
    loose += "anything after the last record is never read";
    for (const std::string &text : {oneLine, onePerLine, loose}) {
        const auto image = ParseProgramFile(text);
        ASSERT_TRUE(image.has_value()) << text.substr(0, 60);
        for (const ProgramFileRecord &r : *image) {
            EXPECT_EQ(r, (ProgramFileRecord{"SUB", 1, 2, 3, -4, 5, -6, 7, 8}));
        }
    }
}

TEST(ProgramFileFormat, ShortFilesFromSlot25LoadPaddedWithNop) {
    const std::string add = "\"ADD\",1,2,3,0,0,0,0,32";
    auto image = ParseProgramFile(Records(25, add));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ((*image)[24].mnemonic, "ADD");
    for (size_t i = 25; i < 32; ++i) {
        EXPECT_EQ((*image)[i], ProgramFileRecord{"NOP"});
    }
    // A bad value in slot 27: slots 25 and 26, read already, become NOP as well.
    image = ParseProgramFile(Records(27, add) + "\"ADD\",1,2,x,0,0,0,0,32\r\n" + Records(4, add));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ((*image)[24].mnemonic, "ADD");
    EXPECT_EQ((*image)[25], ProgramFileRecord{"NOP"});
    EXPECT_EQ((*image)[31], ProgramFileRecord{"NOP"});
    // A record cut short in slot 25 pads too; anything short before it fails.
    EXPECT_TRUE(ParseProgramFile(Records(25, add) + "\"ADD\",1,2").has_value());
    EXPECT_FALSE(ParseProgramFile(Records(24, add)).has_value());
    EXPECT_FALSE(ParseProgramFile(Records(24, add) + "\"ADD\",1,2,3,0,0,0,0").has_value());
    EXPECT_FALSE(ParseProgramFile("").has_value());
}

TEST(ProgramFileFormat, ValuesOutsideTheirFieldOrNotWholeNumbersAreRefused) {
    const auto parses = [](const std::string &record) {
        return ParseProgramFile(record + "\r\n" + Records(31)).has_value();
    };
    EXPECT_TRUE(parses("\"ADD\",-32768,32767,0,-2147483648,2147483647,-32768,32767,0"));
    EXPECT_TRUE(parses("\"ADD\",-0,0,0,0,0,0,0,0"));
    EXPECT_TRUE(parses("\"XOR\",40,-3,99,0,0,0,0,0")); // only the width is checked
    EXPECT_TRUE(parses("\"\",0,0,0,0,0,0,0,0"));
    for (const char *bad : {
             "\"ADD\",32768,0,0,0,0,0,0,0",
             "\"ADD\",0,-32769,0,0,0,0,0,0",
             "\"ADD\",0,0,0,2147483648,0,0,0,0",
             "\"ADD\",0,0,0,0,-2147483649,0,0,0",
             "\"ADD\",0,0,0,0,0,0,0,99999999999999999999999",
             "\"ADD\",2.5,0,0,0,0,0,0,0",
             "\"ADD\",1e2,0,0,0,0,0,0,0",
             "\"ADD\",,0,0,0,0,0,0,0",
             "\"ADD\",-,0,0,0,0,0,0,0",
             "\"ADD\",1 2,0,0,0,0,0,0,0",
             "\"ADD\"x,0,0,0,0,0,0,0,0",
             "\"ADD,0,0,0,0,0,0,0,0",
             "AD\"D,0,0,0,0,0,0,0,0",
             "\"ADD\",0x10,0,0,0,0,0,0,0",
         }) {
        EXPECT_FALSE(parses(bad)) << bad;
    }
}

// What the format reads loads: a DOS end-of-file mark ends the text, damage in records 26 to 32
// pads slots 25 to 31 with NOP, and a mnemonic of any length is only one no list knows.
TEST(ProgramFileFormat, FilesTheFormatReadsAreNotRefused) {
    const std::string add = "\"ADD\",1,2,3,0,0,0,0,32";
    const auto slots = [](const std::string &text) {
        std::string out;
        if (const auto image = ParseProgramFile(text)) {
            for (const ProgramFileRecord &r : *image) {
                out += r.mnemonic.size() > 8 ? "long " : r.mnemonic + " ";
            }
        }
        return out;
    };
    const auto repeat = [](int n, const std::string &word) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            out += word + " ";
        }
        return out;
    };
    EXPECT_EQ(slots(Records(32, add) + "\x1A"), repeat(32, "ADD"));
    EXPECT_EQ(slots(Records(31, add) + add + "\x1A\x00\xFF garbage"), repeat(32, "ADD"));
    EXPECT_EQ(slots(Records(10, add) + "\x1A" + Records(22, add)), "");
    EXPECT_EQ(slots(Records(25, add) + "\x00\x01\x02\r\n" + Records(6, add)),
              repeat(25, "ADD") + repeat(7, "NOP"));
    EXPECT_EQ(slots(Records(29, add) + "\"AD\x1B\",1,2,3,0,0,0,0,32\r\n" + Records(2, add)),
              repeat(25, "ADD") + repeat(7, "NOP"));
    EXPECT_EQ(slots(Records(24, add) + "\"AD\x1B\",1,2,3,0,0,0,0,32\r\n" + Records(7, add)), "");
    const std::string longMnemonic(5000, 'A');
    EXPECT_EQ(slots("\"" + longMnemonic + "\",0,0,0,0,0,0,0,0\r\n" + Records(31, add)),
              "long " + repeat(31, "ADD"));
    EXPECT_EQ(slots(longMnemonic + ",0,0,0,0,0,0,0,0\r\n" + Records(31, add)),
              "long " + repeat(31, "ADD"));
}

TEST(ProgramFileFormat, BinaryHugeAndOtherNonFilesAreRefusedQuickly) {
    ScratchFolder dir;
    std::string withNul = Records(32);
    withNul[40] = '\0';
    EXPECT_FALSE(ParseProgramFile(withNul).has_value());
    std::string withEscape = Records(32);
    withEscape[3] = '\x1B';
    EXPECT_FALSE(ParseProgramFile(withEscape).has_value());

    const auto start = std::chrono::steady_clock::now();
    WriteText(dir / "huge.int", Records(32) + std::string(8 << 20, ' '));
    EXPECT_FALSE(ReadProgramFile(dir / "huge.int").has_value());
    WriteText(dir / "line.int", "\"" + std::string(3 << 20, 'A') + "\"" + Records(32));
    EXPECT_FALSE(ReadProgramFile(dir / "line.int").has_value());
    std::string justUnder(kMaxProgramFileBytes, ' ');
    justUnder.replace(0, Records(32).size(), Records(32));
    WriteText(dir / "under.int", justUnder);
    EXPECT_TRUE(ReadProgramFile(dir / "under.int").has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    EXPECT_FALSE(ReadProgramFile(dir / "missing.int").has_value());
    EXPECT_FALSE(ReadProgramFile(dir.path().string()).has_value());
    EXPECT_FALSE(ReadProgramFile("/dev/zero").has_value());
    ASSERT_EQ(::mkfifo((dir / "pipe.int").c_str(), 0600), 0);
    EXPECT_FALSE(ReadProgramFile(dir / "pipe.int").has_value()); // and does not wait for it
}

TEST(ProgramFileFormat, AFailedLoadChangesNothing) {
    ScratchFolder dir;
    Machine m;
    m.ProgMnemonic[0] = "ADD";
    m.RdField[0] = 5;
    m.ImmField[19] = 77;
    WriteText(dir / "short.int", Records(20, "\"SUB\",1,1,1,1,1,1,1,1"));
    EXPECT_FALSE(LoadProgramFile(m, dir / "short.int"));
    EXPECT_EQ(m.ProgMnemonic[0], "ADD");
    EXPECT_EQ(m.RdField[0], 5);
    EXPECT_EQ(m.ImmField[19], 77);
    EXPECT_EQ(m.ProgMnemonic[1], "");
}

TEST(ProgramFileWrite, ReplacesTheFileWholeAndLeavesNoTemporaryBehind) {
    ScratchFolder dir;
    Machine m;
    m.ProgMnemonic.fill("NOP");
    WriteText(dir / "p.int", "old contents");
    ASSERT_EQ(::chmod((dir / "p.int").c_str(), 0640), 0);
    ASSERT_TRUE(WriteProgramFile(dir / "p.int", m));
    EXPECT_EQ(ReadText(dir / "p.int"), Records(32));
    EXPECT_EQ(dir.Entries(), 1U);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "p.int").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);

    // Through a link, the file the link names is replaced and the link stays.
    std::filesystem::create_symlink(dir / "p.int", dir / "link.int");
    m.ProgMnemonic[0] = "ADD";
    ASSERT_TRUE(WriteProgramFile(dir / "link.int", m));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.int"));
    EXPECT_EQ(ReadText(dir / "p.int").substr(0, 5), "\"ADD\"");
}

TEST(ProgramFileWrite, UnwritablePlacesFailAndKeepTheOldFile) {
    ScratchFolder dir;
    Machine m;
    EXPECT_FALSE(WriteProgramFile(dir / "no-such-folder/p.int", m));
    WriteText(dir / "plain", "a file, not a folder");
    EXPECT_FALSE(WriteProgramFile(dir / "plain/p.int", m));
    std::filesystem::create_directory(dir / "folder.int");
    WriteText(dir / "folder.int/keep", "kept");
    EXPECT_FALSE(WriteProgramFile(dir / "folder.int", m));
    EXPECT_EQ(ReadText(dir / "folder.int/keep"), "kept");
    EXPECT_FALSE(WriteProgramFile("", m));
    EXPECT_EQ(dir.Entries(), 2U);
}

// Runs body in a child process as an ordinary user, since an administrator may write anywhere;
// gives back the child's exit status.
template <typename Body> int AsOrdinaryUser(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

mode_t ModeOf(const std::string &path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ProgramFileWrite, TheTargetsPermissionsAreHonoured) {
    ScratchFolder dir;
    const std::string good = Records(32, "\"ADD\",1,2,3,0,0,0,0,32");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string readOnly = dir / "read-only.int";
    WriteText(readOnly, good);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    std::filesystem::create_directory(dir / "locked");
    const std::string inLocked = dir / "locked/p.int";
    WriteText(inLocked, good);
    ASSERT_EQ(::chmod(inLocked.c_str(), 0666), 0);
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0555), 0);

    const int status = AsOrdinaryUser([&] {
        Machine m;
        m.ProgMnemonic.fill("NOP");
        return (WriteProgramFile(readOnly, m) ? 1 : 0) | (WriteProgramFile(inLocked, m) ? 0 : 2) |
               (WriteProgramFile(dir / "locked/new.int", m) ? 4 : 0);
    });
    ::chmod((dir / "locked").c_str(), 0755);
    EXPECT_EQ(status, 0) << "1: read-only file replaced, 2: file in a locked folder refused, 4: "
                            "new file in a locked folder reported saved";
    EXPECT_EQ(ReadText(readOnly), good);
    EXPECT_EQ(ModeOf(readOnly), 0444U);
    EXPECT_EQ(ReadText(inLocked), Records(32));
    EXPECT_EQ(ModeOf(inLocked), 0666U);
    EXPECT_EQ(dir.Entries(), 2U);
    size_t entries = 0;
    for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(dir / "locked")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1U);
}

TEST(ProgramFileWrite, NamesNearTheLimitSaveAndAKilledSaveLeavesNoStrayFile) {
    ScratchFolder dir;
    Machine m;
    m.ProgMnemonic.fill("NOP");
    const std::string longName = dir / (std::string(246, 'p') + ".int");
    ASSERT_TRUE(WriteProgramFile(longName, m));
    EXPECT_EQ(ReadText(longName), Records(32));

    // Saves killed at random moments, of a new file and over an existing one: the folder then
    // holds only complete programs.
    std::mt19937 rng(7);
    for (int kill = 0; kill < 40; ++kill) {
        const std::string target = dir / (kill % 2 == 0 ? "fresh.int" : "kept.int");
        if (kill % 2 == 0) {
            std::filesystem::remove(target);
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                WriteProgramFile(target, m);
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 2000)(rng));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string text = ReadText(target);
        ASSERT_TRUE(text.empty() || text == Records(32)) << "kill " << kill;
    }
    // A save killed in the moment its new file has a name leaves that file; it is one at most
    // per target, and the next save takes it over.
    EXPECT_LE(dir.Entries(), 5U);
    ASSERT_TRUE(WriteProgramFile(dir / "kept.int", m));
    ASSERT_TRUE(WriteProgramFile(dir / "fresh.int", m));
    EXPECT_EQ(dir.Entries(), 3U);
}

TEST(ProgramFileWrite, AWriteThatFailsHalfWayKeepsTheOldFileIntact) {
    ScratchFolder dir;
    const std::string good = Records(32, "\"ADD\",1,2,3,0,0,0,0,32");
    WriteText(dir / "p.int", good);
    Machine m;
    m.ProgMnemonic.fill("NOP");

    // Files may grow to 100 bytes only: the save's write stops part-way, as on a full disk.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = WriteProgramFile(dir / "p.int", m);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadText(dir / "p.int"), good);
    EXPECT_EQ(dir.Entries(), 1U);
}

// The size limit's signal keeps its default, which ends the process: every kind of save must fail
// as a plain error, and neither a replaced nor an overwritten file may change.
TEST(ProgramFileWrite, ASizeLimitFailsTheSaveAndTheProgramRunsOn) {
    ScratchFolder dir;
    const std::string good = Records(32, "\"ADD\",1,2,3,0,0,0,0,32");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    WriteText(dir / "p.int", good);
    ASSERT_EQ(::chmod((dir / "p.int").c_str(), 0666), 0);
    std::filesystem::create_directory(dir / "locked");
    const std::string inLocked = dir / "locked/p.int";
    WriteText(inLocked, good);
    ASSERT_EQ(::chmod(inLocked.c_str(), 0666), 0);
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0555), 0);

    const int status = AsOrdinaryUser([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit limit {};
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 8;
        }
        limit.rlim_cur = 500; // below the new text, which is shorter than the old one
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 8;
        }
        Machine m;
        m.ProgMnemonic.fill("NOP");
        return (WriteProgramFile(dir / "p.int", m) ? 1 : 0) |
               (WriteProgramFile(dir / "new.int", m) ? 2 : 0) |
               (WriteProgramFile(inLocked, m) ? 4 : 0);
    });
    ::chmod((dir / "locked").c_str(), 0755);
    EXPECT_EQ(status, 0) << "-1: the process was ended; 1, 2, 4: a save reported done";
    EXPECT_EQ(ReadText(dir / "p.int"), good);
    EXPECT_EQ(ReadText(inLocked), good);
    EXPECT_EQ(dir.Entries(), 2U);
}

} // namespace
} // namespace corvexa::program_file_test
