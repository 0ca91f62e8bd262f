#include <chrono>
#include <csignal>

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
    const std::string longMnemonic(kMaxProgramFileValue + 1, 'A');
    EXPECT_FALSE(parses("\"" + longMnemonic + "\",0,0,0,0,0,0,0,0"));
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

TEST(ProgramFileWrite, AFolderWithoutWritePermissionFailsAndKeepsTheOldFile) {
    ScratchFolder dir;
    const std::string good = Records(32, "\"ADD\",1,2,3,0,0,0,0,32");
    std::filesystem::create_directory(dir / "locked");
    const std::string path = dir / "locked/p.int";
    WriteText(path, good);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0); // the file itself could be written over
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);

    // The save runs in a child process as an ordinary user, since an administrator may write
    // anywhere.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        Machine m;
        m.ProgMnemonic.fill("NOP");
        ::_exit(WriteProgramFile(path, m) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
    EXPECT_EQ(ReadText(path), good);
    size_t entries = 0;
    for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(dir / "locked")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1U);
    ::chmod((dir / "locked").c_str(), 0755);
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

} // namespace
} // namespace corvexa::program_file_test
