// The register window: presets, reset, setting one register through its prompt, the hex view.
#include <gtest/gtest.h>

#include "fivestage/MenuRegisters.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

class RegistersWindow : public ::testing::Test {
protected:
    RegistersWindow() { RegisterFiveStageForms(desk); }

    Form &Open() {
        desk.Show("MenuRegisters");
        return desk.Get("MenuRegisters");
    }
    std::string Value(int n) { return desk.Get("MenuRegisters").C("lblRegisteValue", n).caption; }
    bool Marked(int n) { return desk.Get("MenuRegisters").C("OptRegUsed", n).checked; }

    Machine m;
    HeadlessDesk desk{m};
};

TEST_F(RegistersWindow, InitializeLoadsThePresetsWithoutMarkingAnyRegister) {
    m.RegisterHasValue[4] = true;
    m.RegisterFile[0] = 0;
    Form &w = Open();
    w.Click("cmdInitialize");

    EXPECT_TRUE(m.RegistersInitialised);
    EXPECT_EQ(Value(0), "0");
    EXPECT_EQ(Value(1), "100");
    EXPECT_EQ(Value(17), "454540");
    EXPECT_EQ(Value(31), "334");
    for (int n = 0; n < kSlots; ++n) {
        EXPECT_EQ(Marked(n), n == 4) << "R" << n;
        EXPECT_FALSE(w.C("OptRegUsed", n).enabled);
    }
}

TEST_F(RegistersWindow, ResetClearsValuesMarksAndThePresetFlag) {
    Form &w = Open();
    w.Click("cmdInitialize");
    m.RegisterHasValue[9] = true;
    m.RegisterFile[0] = 0;
    w.Click("cmdRESET");

    EXPECT_FALSE(m.RegistersInitialised);
    for (int n = 0; n < kSlots; ++n) {
        EXPECT_EQ(m.RegisterFile[static_cast<size_t>(n)], 0);
        EXPECT_EQ(Value(n), "0");
        EXPECT_FALSE(Marked(n));
    }
}

TEST_F(RegistersWindow, SettingOneRegisterAsksWithItsNumberAndKeepsTheMarks) {
    Form &w = Open();
    w.Click("lblRegisterNo", 0); // R0 asks nothing
    EXPECT_TRUE(desk.Log().empty());

    desk.QueueAnswer("-1");
    w.Click("lblRegisterNo", 7);
    auto prompt = desk.TakeOldest();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->kind, DialogRecord::Kind::Input);
    EXPECT_EQ(prompt->text, "Enter Value to be assigned to register 7");
    EXPECT_EQ(prompt->title, "Enter Register Value");
    EXPECT_EQ(prompt->defaultAnswer, "0");
    EXPECT_EQ(m.RegisterFile[7], -1);
    EXPECT_EQ(Value(7), "-1");
    EXPECT_FALSE(m.RegisterHasValue[7]);
    EXPECT_FALSE(Marked(7));

    // Indices that name no register are ignored.
    w.Click("lblRegisterNo", 32);
    w.Click("lblRegisterNo", -1);
    EXPECT_TRUE(desk.Log().empty());
}

TEST_F(RegistersWindow, WrongAnswersAreRefusedUntilAWholeNumberComes) {
    Form &w = Open();
    m.RegisterFile[5] = 500;
    for (const char *answer : {"abc", "", "4294967296", "-2147483649"}) {
        desk.QueueAnswer(answer);
    }
    desk.QueueAnswer("2.5"); // halves go to the even neighbour
    w.Click("lblRegisterNo", 5);

    for (int i = 0; i < 4; ++i) {
        auto prompt = desk.TakeOldest();
        ASSERT_TRUE(prompt);
        EXPECT_EQ(prompt->kind, DialogRecord::Kind::Input);
        auto msg = desk.TakeOldest();
        ASSERT_TRUE(msg);
        EXPECT_EQ(msg->kind, DialogRecord::Kind::Message);
        EXPECT_EQ(msg->text, "Enter a Proper Integer Value");
        EXPECT_EQ(msg->title, "Wrong Entry");
        EXPECT_EQ(msg->icon, MsgIcon::Exclamation);
    }
    ASSERT_TRUE(desk.TakeOldest());
    EXPECT_TRUE(desk.Log().empty());
    EXPECT_EQ(m.RegisterFile[5], 2);
    EXPECT_EQ(Value(5), "2");
}

TEST_F(RegistersWindow, CancelLeavesTheRegisterUnchanged) {
    Form &w = Open();
    m.RegisterFile[3] = 300;
    desk.QueueAnswer(std::nullopt);
    w.Click("lblRegisterNo", 3);
    EXPECT_EQ(m.RegisterFile[3], 300);
    EXPECT_EQ(desk.Log().size(), 1U); // the prompt, no message
    desk.Log().clear();

    desk.QueueAnswer("x");
    desk.QueueAnswer(std::nullopt); // a wrong answer first, then Cancel
    w.Click("lblRegisterNo", 3);
    EXPECT_EQ(m.RegisterFile[3], 300);
    EXPECT_EQ(desk.Log().size(), 3U); // prompt, message, prompt
}

TEST_F(RegistersWindow, HexViewLastsUntilTheNextRepaint) {
    Form &w = Open();
    m.RegisterFile[7] = -1;
    m.RegisterFile[8] = 255;
    desk.Refresh("MenuRegisters");

    w.Click("MenuHexValues");
    EXPECT_TRUE(w.C("MenuHexValues").checked);
    EXPECT_EQ(Value(7), "FFFFFFFF");
    EXPECT_EQ(Value(8), "000000FF");
    EXPECT_EQ(Value(0), "00000000");

    desk.Refresh("MenuRegisters");
    EXPECT_FALSE(w.C("MenuHexValues").checked);
    EXPECT_EQ(Value(7), "-1");

    w.Click("MenuHexValues");
    w.Click("MenuHexValues");
    EXPECT_FALSE(w.C("MenuHexValues").checked);
    EXPECT_EQ(Value(8), "255");
}

TEST_F(RegistersWindow, HidingKeepsEveryValueAndRepaintShowsNewMarks) {
    Form &w = Open();
    w.Click("cmdInitialize");
    w.Click("Hide");
    EXPECT_FALSE(w.visible);
    m.RegisterHasValue[12] = true; // the pipeline wrote R12 meanwhile
    desk.Show("MenuRegisters");
    desk.Refresh("MenuRegisters");
    EXPECT_TRUE(w.visible);
    EXPECT_EQ(Value(12), "234");
    EXPECT_TRUE(Marked(12));

    w.Click("Exit");
    EXPECT_FALSE(w.visible);
    EXPECT_TRUE(desk.Loaded("MenuRegisters"));
    EXPECT_TRUE(m.RegistersInitialised);
}

} // namespace
} // namespace corvexa
