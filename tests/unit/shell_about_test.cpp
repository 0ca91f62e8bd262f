// The about box's credit animation and the way to the system information tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shell/frmAbout.h"
#include "shell/system_info.h"
#include "shell_test_support.h"

using namespace corvexa;
using namespace corvexa::shelltest;
namespace fs = std::filesystem;

namespace {

const std::string kCredit = "Sole Developer: The Corvexa Teaching Team";

struct AboutBox : ShellDesk {
    Form &Open() {
        OpenMain().Click("mnuHelpAbout");
        return desk.Get("frmAbout");
    }
    // Ticks until the credit line starts over; returns the number of ticks of the cycle.
    int RunCycle(Form &about) {
        for (int tick = 1; tick < 100; ++tick) {
            about.Click("Timer1");
            if (about.StateValue("CreditPos", -1) == "0") {
                return tick;
            }
        }
        return -1;
    }
};

// A folder of fake programs that is put first on PATH for the test.
class FakePath {
public:
    FakePath()
        : dir_(fs::temp_directory_path() / ("corvexa_sysinfo_" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
        const char *old = std::getenv("PATH");
        old_ = old == nullptr ? "" : old;
    }
    ~FakePath() {
        ::setenv("PATH", old_.c_str(), 1);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    FakePath(const FakePath &) = delete;
    FakePath &operator=(const FakePath &) = delete;

    std::string Add(const std::string &name, bool executable) {
        const fs::path p = dir_ / name;
        std::ofstream(p) << "#!/bin/sh\n";
        fs::permissions(p, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return p.string();
    }
    std::string dir() const { return dir_.string(); }
    void Use(const std::string &path) { ::setenv("PATH", path.c_str(), 1); }

private:
    fs::path dir_;
    std::string old_;
};

} // namespace

TEST(ShellAbout, CyclesRun27Then26TicksAndTheToggleSurvivesClosing) {
    AboutBox s;
    Form &about = s.Open();
    EXPECT_EQ(s.RunCycle(about), 27);
    EXPECT_EQ(s.RunCycle(about), 26);
    EXPECT_EQ(s.RunCycle(about), 26);

    about.Click("Timer1"); // the toggle is now False: a fresh cycle would take 27 ticks
    about.Click("Timer1"); // True again
    about.Click("cmdOK");
    EXPECT_FALSE(s.desk.Loaded("frmAbout"));

    Form &again = s.Open();
    EXPECT_EQ(again.StateValue("CreditPos", -1), "0");
    EXPECT_EQ(again.StateValue("CreditToggle", -1), "True");
    EXPECT_EQ(again.C("lblVersion").caption, kCredit);
    EXPECT_EQ(s.RunCycle(again), 26);
}

TEST(ShellAbout, SystemInfoStartsTheFirstInstalledToolFromTheSearchPath) {
    FakePath path;
    path.Add("xfce4-taskmanager", true);
    const std::string hardinfo = path.Add("hardinfo", true);
    path.Use("relative/dir::" + path.dir() + "/");
    AboutBox s;
    s.desk.installedPrograms = {hardinfo};
    Form &about = s.Open();
    about.Click("cmdSysInfo");
    EXPECT_EQ(s.desk.started, std::vector<std::string>{hardinfo});
    EXPECT_TRUE(s.desk.Log().empty());
    EXPECT_TRUE(about.visible);
}

TEST(ShellAbout, SystemInfoIsUnavailableWhenNoToolIsFoundOrItFailsToStart) {
    FakePath path;
    path.Add("hardinfo", false);
    path.Use(path.dir());
    AboutBox s;
    Form &about = s.Open();
    about.Click("cmdSysInfo"); // not executable: not found

    path.Add("gnome-system-monitor", true);
    about.Click("cmdSysInfo"); // found, but the desk cannot start it
    EXPECT_TRUE(s.desk.started.empty());
    ASSERT_EQ(s.desk.Log().size(), 2U);
    for (const DialogRecord &r : s.desk.Log()) {
        EXPECT_EQ(r.text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(r.title, kAppTitle);
        EXPECT_EQ(r.icon, MsgIcon::None);
    }
}

TEST(ShellAbout, KeyLookupAnswersOnlyItsOwnKeyAndClearsTheValueOtherwise) {
    FakePath path;
    const std::string tool = path.Add("lxtask", true);
    path.Use(path.dir());
    AboutBox s;
    auto &about = dynamic_cast<frmAbout &>(s.Open());
    std::string value = "stale";
    EXPECT_TRUE(about.GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoKey, "PATH", value));
    EXPECT_EQ(value, tool);
    value = "stale";
    EXPECT_FALSE(about.GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoKey, "MSINFO", value));
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_FALSE(about.GetKeyValue(0, kSysInfoKey, "PATH", value));
    EXPECT_EQ(value, "");
}

TEST(ShellSystemInfo, SearchPathPrefersEarlierCandidatesAndSkipsRelativeEntries) {
    const auto installed = [](std::initializer_list<const char *> paths) {
        std::vector<std::string> list(paths.begin(), paths.end());
        return [list](const std::string &p) {
            return std::find(list.begin(), list.end(), p) != list.end();
        };
    };
    const std::vector<std::string> names = {"first", "second"};
    EXPECT_EQ(FindProgram(names, "/a:/b", installed({"/a/second", "/b/first"})), "/b/first");
    EXPECT_EQ(FindProgram(names, "/", installed({"/first"})), "/first");
    EXPECT_EQ(FindProgram(names, ".:bin::", installed({"./first", "bin/first", "/first"})),
              std::nullopt);
    EXPECT_EQ(FindProgram(names, "", installed({"/first"})), std::nullopt);
}
