// Start-up through the splash, the main window's placement in the settings store, its menus and
// its closing.
#include <gtest/gtest.h>

#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell_test_support.h"

using namespace corvexa;
using namespace corvexa::shelltest;

namespace {

std::string Key(const char *key) {
    return std::string(kAppTitle) + "/Settings/" + key;
}

// A desk whose first message box lets the splash's timer tick again, as a nested event loop of a
// real modal message box can.
class ReentrantDesk : public HeadlessDesk {
public:
    using HeadlessDesk::HeadlessDesk;
    void MessageBox(const std::string &text, const std::string &title, MsgIcon icon) override {
        HeadlessDesk::MessageBox(text, title, icon);
        if (Form *splash = Find("frmSplash"); splash != nullptr && !nested_) {
            nested_ = true;
            splash->Click("Timer1");
            const Form *main = Find("frmMain");
            mainVisibleDuringMessage = main != nullptr && main->visible;
        }
    }
    bool mainVisibleDuringMessage = true;

private:
    bool nested_ = false;
};

} // namespace

TEST(ShellStartup, SplashWaitsOneSecondThenItsTickOpensTheMainWindowOnce) {
    ShellDesk s;
    s.desk.clock = 86399.5; // a reading just before midnight on a seconds-since-midnight clock
    s.desk.clockStep = 0.1;
    s.desk.Show("frmSplash");
    Form &splash = s.desk.Get("frmSplash");
    EXPECT_GE(s.desk.clock, 86400.5);
    EXPECT_LT(s.desk.clock, 86400.8);
    EXPECT_EQ(splash.C("lblProductName").caption, "Corvexa Dud17 2006");
    EXPECT_EQ(splash.caption, "");
    EXPECT_TRUE(splash.visible);
    EXPECT_EQ(splash.C("Timer1").interval, 1000); // the tick falls due during the wait
    EXPECT_FALSE(s.desk.Loaded("frmMain"));
    EXPECT_TRUE(s.desk.Log().empty());

    splash.Click("Timer1");
    EXPECT_FALSE(s.desk.Loaded("frmSplash"));
    ASSERT_TRUE(s.desk.Loaded("frmMain"));
    Form &main = s.desk.Get("frmMain");
    EXPECT_TRUE(main.visible);
    EXPECT_EQ(main.windowState, WindowState::Maximised);
    ASSERT_EQ(s.desk.Log().size(), 1U);
    EXPECT_EQ(s.desk.Log().front().text, kFullScreenMessage);
    EXPECT_EQ(s.desk.Log().front().title, kAppTitle);
    EXPECT_EQ(s.desk.Log().front().icon, MsgIcon::None);
    EXPECT_EQ(s.desk.LoadedForms().size(), 1U);
}

TEST(ShellStartup, ATickDuringTheFullScreenMessageDoesNotShowTheMainWindowTwice) {
    Machine machine;
    ReentrantDesk desk(machine);
    RegisterShellForms(desk);
    desk.Show("frmSplash");
    desk.Get("frmSplash").Click("Timer1");
    EXPECT_FALSE(desk.mainVisibleDuringMessage);
    EXPECT_EQ(desk.Log().size(), 1U);
    EXPECT_FALSE(desk.Loaded("frmSplash"));
    EXPECT_TRUE(desk.Get("frmMain").visible);
    EXPECT_EQ(desk.Get("frmMain").left, 1000);
}

TEST(ShellPlacement, FirstRunUsesTheDefaultsThenTheStoredValuesComeBack) {
    {
        ShellDesk s;
        Form &main = s.OpenMain();
        EXPECT_EQ(main.left, 1000);
        EXPECT_EQ(main.top, 1000);
        EXPECT_EQ(main.width, 6500);
        EXPECT_EQ(main.height, 6500);

        main.left = 1500;
        main.top = -240;
        main.width = 9000;
        main.height = 7215;
        main.windowState = WindowState::Normal;
        main.Click("mnuFileExit");
        EXPECT_FALSE(s.desk.Loaded("frmMain"));
        EXPECT_EQ(s.desk.settings[Key("MainLeft")], "1500");
        EXPECT_EQ(s.desk.settings[Key("MainTop")], "-240");
        EXPECT_EQ(s.desk.settings[Key("MainWidth")], "9000");
        EXPECT_EQ(s.desk.settings[Key("MainHeight")], "7215");

        // The next run, on the same store.
        ShellDesk next;
        next.desk.settings = s.desk.settings;
        Form &again = next.OpenMain();
        EXPECT_EQ(again.left, 1500);
        EXPECT_EQ(again.top, -240);
        EXPECT_EQ(again.width, 9000);
        EXPECT_EQ(again.height, 7215);
        EXPECT_EQ(again.windowState, WindowState::Maximised);
    }
}

TEST(ShellPlacement, AStoredValueThatIsNoUsableNumberFallsBackToItsDefault) {
    ShellDesk s;
    s.desk.settings[Key("MainLeft")] = "abc";
    s.desk.settings[Key("MainTop")] = "2000.5";
    s.desk.settings[Key("MainWidth")] = "0";
    s.desk.settings[Key("MainHeight")] = "99999999999";
    Form &main = s.OpenMain();
    EXPECT_EQ(main.left, 1000);
    EXPECT_EQ(main.top, 2000);
    EXPECT_EQ(main.width, 6500);
    EXPECT_EQ(main.height, 6500);
}

TEST(ShellPlacement, ClosingWhileMinimisedKeepsTheStoredValues) {
    ShellDesk s;
    s.desk.settings[Key("MainLeft")] = "300";
    Form &main = s.OpenMain();
    main.left = 7777;
    main.windowState = WindowState::Minimised;
    s.desk.Unload("frmMain");
    EXPECT_EQ(s.desk.settings[Key("MainLeft")], "300");
    EXPECT_EQ(s.desk.settings.count(Key("MainWidth")), 0U);
}

TEST(ShellPlacement, ClosingWhileMaximisedSavesTheWindowsValues) {
    ShellDesk s;
    Form &main = s.OpenMain();
    ASSERT_EQ(main.windowState, WindowState::Maximised);
    s.desk.Unload("frmMain");
    EXPECT_EQ(s.desk.settings[Key("MainWidth")], "6500");
}

TEST(ShellMain, ClosingTheMainWindowUnloadsEveryWindowHiddenOrNot) {
    ShellDesk s;
    Form &main = s.OpenMain();
    main.Click("mnuMIPS5StageInt", 2);
    main.Click("mnuSingleCycle", 1);
    s.desk.Hide("frmMIPSFiveStageInt");
    s.desk.Get("frmAbout"); // loaded, never shown
    ASSERT_EQ(s.desk.LoadedForms().size(), 4U);
    s.desk.Unload("frmMain"); // the close box
    EXPECT_TRUE(s.desk.LoadedForms().empty());
}

TEST(ShellMain, ClosingUnloadsTheOtherWindowsNewestFirst) {
    struct Logged : StubWindow {
        Logged(Desk &d, const std::string &name, std::vector<std::string> &log)
            : StubWindow(d, name), log_(log) {}
        void Form_Unload() override { log_.push_back(name()); }
        std::vector<std::string> &log_;
    };
    std::vector<std::string> log;
    Machine machine;
    HeadlessDesk desk(machine);
    RegisterShellForms(desk);
    for (const char *name : {"frmMIPSFiveStageInt", "frmSingleCycle", "frmMultiCycle"}) {
        desk.RegisterForm(name,
                          [name, &log](Desk &d) { return std::make_unique<Logged>(d, name, log); });
    }
    desk.Show("frmMain");
    Form &main = desk.Get("frmMain");
    main.Click("mnuMultiCycle", 3);
    main.Click("mnuMIPS5StageInt", 2);
    main.Click("mnuSingleCycle", 1);
    desk.Hide("frmMIPSFiveStageInt");
    main.Click("mnuFileExit");
    EXPECT_EQ(log,
              (std::vector<std::string>{"frmSingleCycle", "frmMIPSFiveStageInt", "frmMultiCycle"}));
    EXPECT_TRUE(desk.LoadedForms().empty());
}

TEST(ShellMain, ArchitectureOpensTheSimulatorWindowsMaximisedAndKeepsThem) {
    ShellDesk s;
    Form &main = s.OpenMain();

    main.Click("mnuMIPS5StageInt", 2);
    auto &five = dynamic_cast<StubWindow &>(s.desk.Get("frmMIPSFiveStageInt"));
    EXPECT_TRUE(five.visible);
    EXPECT_EQ(five.windowState, WindowState::Maximised);
    EXPECT_EQ(s.desk.beeps, 2);
    five.state = 42;
    s.desk.Hide("frmMIPSFiveStageInt");
    main.Click("mnuMIPS5StageInt", 2);
    EXPECT_EQ(&s.desk.Get("frmMIPSFiveStageInt"), &five);
    EXPECT_EQ(five.state, 42);
    EXPECT_EQ(five.loads, 1);
    EXPECT_TRUE(five.visible);
    EXPECT_EQ(s.desk.beeps, 4);

    main.Click("mnuSingleCycle", 1);
    EXPECT_EQ(s.desk.Get("frmSingleCycle").windowState, WindowState::Maximised);
    EXPECT_EQ(s.desk.beeps, 4);
    main.Click("mnuMultiCycle", 3);
    EXPECT_TRUE(s.desk.Get("frmMultiCycle").visible);
    EXPECT_EQ(s.desk.beeps, 6);
    EXPECT_TRUE(main.visible);
    EXPECT_TRUE(s.desk.Log().empty());
}

TEST(ShellMain, WindowsThisBuildLacksAreReportedNotFaked) {
    ShellDesk s(false);
    Form &main = s.OpenMain();
    const size_t before = s.desk.LoadedForms().size();
    main.Click("mnuSingleCycle", 1);
    main.Click("mnuMultiCycle", 3);
    main.Click("mnuMIPS5StageInt", 2);
    EXPECT_EQ(s.desk.LoadedForms().size(), before);
    EXPECT_EQ(s.desk.beeps, 0);
    ASSERT_EQ(s.desk.Log().size(), 3U);
    EXPECT_EQ(s.desk.Log()[0].text,
              "The MIPS Single Cycle window is not available in this version.");
    EXPECT_EQ(s.desk.Log()[1].text,
              "The MIPS Multiple-Cycle FP Pipeline window is not available in this version.");
    EXPECT_EQ(s.desk.Log()[2].title, kAppTitle);
}

TEST(ShellMain, AboutOpensModallyAndFocusChangesTheBackColour) {
    ShellDesk s;
    Form &main = s.OpenMain();
    main.Click("mnuHelpAbout");
    EXPECT_TRUE(s.desk.Get("frmAbout").visible);
    main.Click("Form_LostFocus");
    EXPECT_EQ(main.backColor, 0xC0CF6F);
    main.Click("Form_GotFocus");
    EXPECT_EQ(main.backColor, 0xC0C0FF);
}

TEST(ShellMain, StatusBarShowsDateAndTimeInTheDesignedForm) {
    std::tm t{};
    t.tm_year = 2006 - 1900;
    t.tm_mon = 9;
    t.tm_mday = 16;
    t.tm_hour = 22;
    t.tm_min = 10;
    EXPECT_EQ(StatusDate(t), "10/16/2006");
    EXPECT_EQ(StatusTime(t), "10:10 PM");
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 0;
    t.tm_min = 7;
    EXPECT_EQ(StatusDate(t), "1/5/2006");
    EXPECT_EQ(StatusTime(t), "12:07 AM");
    t.tm_hour = 12;
    EXPECT_EQ(StatusTime(t), "12:07 PM");
}

TEST(ShellMain, StatusClockWakesOnlyWhenTheMinuteChanges) {
    std::tm t{};
    t.tm_sec = 0;
    EXPECT_EQ(MsUntilNextMinute(t, 0), 60000); // just changed: a whole minute to the next
    t.tm_sec = 30;
    EXPECT_EQ(MsUntilNextMinute(t, 250), 29750);
    t.tm_sec = 59;
    EXPECT_EQ(MsUntilNextMinute(t, 999), 1); // never zero: no busy wakes at the change
    t.tm_sec = 60;                           // a leap second
    EXPECT_EQ(MsUntilNextMinute(t, 500), 500);
    const int now = MsUntilNextMinute();
    EXPECT_GE(now, 1);
    EXPECT_LE(now, 60000);
}
