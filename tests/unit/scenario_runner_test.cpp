// How the scenario runner judges scripts: what it drives, what it checks, and that every
// failure names the line and never takes the runner down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <unistd.h>

#include "scenario/runner.h"
#include "ui/form.h"
#include "ui/layout.h"

namespace corvexa::scenario {
namespace {

FormLayout ProbeLayout() {
    FormLayout l;
    l.caption = "Probe";
    l.controls.push_back(MakeLabel("lblOut", -1, "", 0, 0, 100, 100));
    for (int i = 0; i < 3; ++i) {
        l.controls.push_back(
            MakeLabel("lblRow", i, "row " + std::to_string(i), 0, 100 * i, 10, 10));
    }
    l.controls.push_back(MakeControl(ControlKind::Button, "cmdAsk", -1, "Ask", 0, 0, 10, 10));
    l.controls.push_back(MakeControl(ControlKind::Button, "cmdWarn", -1, "Warn", 0, 0, 10, 10));
    l.controls.push_back(MakeControl(ControlKind::Button, "cmdThrow", -1, "Throw", 0, 0, 10, 10));
    l.controls.push_back(MakeControl(ControlKind::Button, "cmdSave", -1, "Save", 0, 0, 10, 10));
    l.controls.push_back(MakeControl(ControlKind::Button, "cmdHide", -1, "Hide", 0, 0, 10, 10));
    Control list = MakeControl(ControlKind::ComboBox, "lstPick", 0, "", 0, 0, 10, 10);
    list.items = {"LW", "ADD", "two  blanks"};
    l.controls.push_back(list);
    Control timer = MakeControl(ControlKind::Timer, "Timer1", -1, "", 0, 0, 0, 0);
    l.controls.push_back(timer);
    l.controls.push_back(MakeMenu("mnuFile", -1, "&File", ""));
    l.controls.push_back(MakeMenu("mnuGo", -1, "&Go", "mnuFile"));
    l.controls.push_back(MakeMenu("mnuArch", 2, "Arch", "mnuFile"));
    return l;
}

// A small window with one handler of each kind the runner has to drive.
class Probe : public Form {
public:
    explicit Probe(Desk &desk, const std::string &name = "frmProbe")
        : Form(desk, name, ProbeLayout()) {
        On("cmdAsk", [this] {
            const auto a = this->desk().InputBox("Value?", "Ask", "7");
            C("lblOut").caption = a ? "got " + *a : "cancelled";
        });
        On("cmdWarn", [this] {
            this->desk().MessageBox("Enter a Proper Integer Value", "Wrong Entry",
                                    MsgIcon::Exclamation);
        });
        On("cmdThrow", [] { throw std::out_of_range("index 40 outside the table"); });
        On("cmdSave", [this] {
            if (auto path = this->desk().SaveFileName("Save", "Program (*.INT)|*.int", "INT")) {
                std::ofstream(*path, std::ios::binary) << "saved\r\n";
            }
        });
        On("cmdHide", [this] { this->desk().Hide(this->name()); });
        On("lstPick",
           [this](int i) { C("lblOut").caption = "picked " + C("lstPick", i).ListText(); });
        On("Timer1", [this] { ++ticks; });
        On("mnuGo", [this] { C("lblOut").caption = "went"; });
        On("mnuArch", [this](int i) { C("lblOut").caption = "arch " + std::to_string(i); });
        On("lblRow", [this](int i) { C("lblOut").caption = "row " + std::to_string(i); });
    }
    void Form_Paint() override {
        if (onPaint) {
            onPaint(machine().ProgramWritten);
        }
    }
    std::optional<std::string> StateValue(const std::string &name, int index) const override {
        if (name == "Ticks" && index < 0) {
            return std::to_string(ticks);
        }
        if (name == "EXE.AluOUT" && index < 0) {
            return "-5";
        }
        return std::nullopt;
    }
    int ticks = 0;
    std::function<void(bool programWritten)> onPaint;
};

struct Outcome {
    ScenarioResult result;
    std::string out;
};

Outcome RunText(const std::string &text) {
    std::ostringstream out;
    Outcome r;
    r.result = RunScenario(text, "t.scn", out, [](Desk &d) {
        d.RegisterForm("frmProbe", [](Desk &desk) { return std::make_unique<Probe>(desk); });
    });
    r.out = out.str();
    return r;
}

// The failure message of a script that must fail, checked to name its line.
std::string FailureAt(const std::string &text, int line) {
    const Outcome r = RunText(text);
    EXPECT_FALSE(r.result.passed) << text;
    const std::string where = "t.scn:" + std::to_string(line) + ": ";
    EXPECT_EQ(r.result.failure.rfind(where, 0), 0U) << r.result.failure;
    return r.result.failure;
}

bool Has(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

TEST(ScenarioRunner, DrivesAWindowThroughEveryFormCommand) {
    const Outcome r = RunText(R"scn(# a comment, then a blank line

open frmProbe
expect-form frmProbe visible True
expect-form frmProbe caption Probe
expect-form frmProbe windowstate Normal
answer 42
click frmProbe cmdAsk
expect-prompt Value? Ask 7
expect frmProbe lblOut caption "got 42"
answer cancel
click frmProbe cmdAsk
expect-prompt Value?
expect frmProbe lblOut text cancelled
click frmProbe cmdWarn
expect-message "Enter a Proper Integer Value" "Wrong Entry" icon=exclamation
select frmProbe lstPick 0 "two  blanks"
expect frmProbe lstPick 0 listindex 2
expect frmProbe lstPick 0 listtext "two  blanks"
expect frmProbe lblOut caption "picked two  blanks"
set frmProbe lstPick 0 listindex 0
expect frmProbe lblOut caption "picked two  blanks"
click frmProbe lblRow 2
expect frmProbe lblOut caption "row 2"
menu frmProbe mnuGo
expect frmProbe lblOut caption went
set frmProbe Timer1 interval 25000
tick frmProbe Timer1
tick frmProbe Timer1
expect-state frmProbe.Ticks 2
expect-state frmProbe.EXE.AluOUT -5
set frmProbe lblRow 1 forecolor &HFF0000
expect frmProbe lblRow 1 forecolor 0xff0000
expect frmProbe lblRow 1 visible True
answer-file prog.int
click frmProbe cmdSave
expect-file-dialog save "Program (*.INT)|*.int" Save
expect-file prog.int "saved\r\n"
expect-no-dialog
dump frmProbe lblRow
click frmProbe cmdHide
expect-form frmProbe visible False
)scn");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
    EXPECT_EQ(r.result.commands, 40); // comments and blank lines are no commands
    EXPECT_EQ(r.out, "frmProbe.lblRow(0) visible=True caption=\"row 0\"\n"
                     "frmProbe.lblRow(1) visible=True caption=\"row 1\"\n"
                     "frmProbe.lblRow(2) visible=True caption=\"row 2\"\n");
}

TEST(ScenarioRunner, FailedExpectationsNameTheLineAndBothValues) {
    std::string f = FailureAt("open frmProbe\n\nexpect frmProbe lblRow 1 caption \"row 2\"\n", 3);
    EXPECT_TRUE(Has(f, "frmProbe.lblRow(1) caption")) << f;
    EXPECT_TRUE(Has(f, "expected: \"row 2\"\n  actual:   \"row 1\"")) << f;

    f = FailureAt("open frmProbe\nexpect frmProbe lblOut backcolor &HC0\n", 2);
    EXPECT_TRUE(Has(f, "expected: &HC0\n  actual:   &HFFFFFF")) << f;

    f = FailureAt("expect-state RegisterFile[3] 7\n", 1);
    EXPECT_TRUE(Has(f, "expected: \"7\"\n  actual:   \"0\"")) << f;

    f = FailureAt("open frmProbe\nclick frmProbe cmdWarn\nexpect-message \"Enter a Proper Integer "
                  "Value\" icon=information\n",
                  3);
    EXPECT_TRUE(Has(f, "expected: information\n  actual:   exclamation")) << f;

    f = FailureAt("open frmProbe\nclick frmProbe cmdWarn\nexpect-message Other\n", 3);
    EXPECT_TRUE(Has(f, "expected: \"Other\"")) << f;

    // The first failure ends the script: the later one is never reached.
    f = FailureAt("expect-state MemMapLast 1\nexpect-state MemMapLast 2\n", 1);
}

TEST(ScenarioRunner, FlagsMatchAsBooleansOrAsZeroAndOne) {
    const Outcome r = RunText("expect-state RegisterHasValue[1] 0\nexpect-state "
                              "RegistersInitialised False\nexpect-state MemMapLast False\n");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
    std::string f = FailureAt("expect-state RegistersInitialised 1\n", 1);
    EXPECT_TRUE(Has(f, "actual:   \"False\"")) << f;
    f = FailureAt("expect-state MemMapLast True\n", 1);
    EXPECT_TRUE(Has(f, "actual:   \"0\"")) << f;
    // Quoted text stays literal.
    f = FailureAt("expect-state MemMapLast \"False\"\n", 1);
    EXPECT_TRUE(Has(f, "actual:   \"0\"")) << f;
}

TEST(ScenarioRunner, PropertyAndIconNamesIgnoreCase) {
    const Outcome r = RunText("open frmProbe\nexpect frmProbe lblOut BackColor &HFFFFFF\n"
                              "expect frmProbe lblRow 1 Caption \"row 1\"\n"
                              "expect-form frmProbe Visible True\n"
                              "click frmProbe cmdWarn\n"
                              "expect-message \"Enter a Proper Integer Value\" icon=Exclamation\n");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
    const std::string f = FailureAt("open frmProbe\nexpect frmProbe lblOut ForeColour 0\n", 2);
    EXPECT_TRUE(Has(f, "unknown property ForeColour")) << f;
}

TEST(ScenarioRunner, AnArrayOfOneElementNeedsNoIndex) {
    const Outcome r = RunText("open frmProbe\nmenu frmProbe mnuArch\n"
                              "expect frmProbe lblOut caption \"arch 2\"\n"
                              "expect frmProbe mnuArch caption Arch\n");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
    const std::string f = FailureAt("open frmProbe\nclick frmProbe lblRow\n", 2);
    EXPECT_TRUE(Has(f, "give an index")) << f;
}

TEST(ScenarioRunner, DialogsAreCheckedInOrder) {
    std::string f = FailureAt("open frmProbe\nanswer 1\nclick frmProbe cmdAsk\nclick frmProbe "
                              "cmdWarn\nexpect-message x\n",
                              5);
    EXPECT_TRUE(Has(f, "expected a message box, but the next dialog is an input box \"Value?\""))
        << f;
    f = FailureAt("open frmProbe\nclick frmProbe cmdWarn\nexpect-no-dialog\n", 3);
    EXPECT_TRUE(Has(f, "1 dialog(s) not checked")) << f;
    f = FailureAt("expect-prompt x\n", 1);
    EXPECT_TRUE(Has(f, "no dialog is left")) << f;
    f = FailureAt("open frmProbe\nanswer-file a\nclick frmProbe cmdSave\nexpect-file-dialog open\n",
                  4);
    EXPECT_TRUE(Has(f, "a save-file dialog")) << f;
}

TEST(ScenarioRunner, WindowFaultsFailTheScriptInsteadOfTheRunner) {
    std::string f = FailureAt("open frmProbe\nclick frmProbe cmdAsk\n", 2);
    EXPECT_TRUE(Has(f, "unexpected input box: \"Value?\"")) << f;
    f = FailureAt("open frmProbe\nclick frmProbe cmdSave\n", 2);
    EXPECT_TRUE(Has(f, "unexpected save-file dialog")) << f;
    f = FailureAt("open frmProbe\n# throws\nclick frmProbe cmdThrow\n", 3);
    EXPECT_TRUE(Has(f, "index 40 outside the table")) << f;
}

TEST(ScenarioRunner, DisabledControlsTakeNoClickHiddenOnesStillDo) {
    // A disabled button asks nothing: the queued answer is left over.
    const Outcome r = RunText(
        "open frmProbe\nset frmProbe cmdAsk enabled False\nanswer 1\nclick frmProbe cmdAsk\n");
    EXPECT_FALSE(r.result.passed);
    EXPECT_TRUE(Has(r.result.failure, "never used")) << r.result.failure;
    std::string f;
    // A hidden window's button still runs its handler.
    f = FailureAt("open frmProbe\nclick frmProbe cmdHide\nclick frmProbe cmdWarn\n"
                  "expect-no-dialog\n",
                  4);
    EXPECT_TRUE(Has(f, "not checked")) << f;
    f = FailureAt("open frmProbe\nmenu frmProbe cmdAsk\n", 2);
    EXPECT_TRUE(Has(f, "not a menu item")) << f;
    f = FailureAt("open frmProbe\ntick frmProbe cmdAsk\n", 2);
    EXPECT_TRUE(Has(f, "not a timer")) << f;
}

TEST(ScenarioRunner, NamesThatDoNotExistAreReported) {
    EXPECT_TRUE(Has(FailureAt("open frmNothing\n", 1), "no such form: frmNothing"));
    EXPECT_TRUE(Has(FailureAt("click frmNothing cmdX\n", 1), "no such form: frmNothing"));
    EXPECT_TRUE(Has(FailureAt("click frmProbe cmdAsk\n", 1), "form frmProbe is not loaded"));
    EXPECT_TRUE(
        Has(FailureAt("expect-state frmProbe.Ticks 0\n", 1), "form frmProbe is not loaded"));
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nexpect-state frmProbe.Nothing[2] 0\n", 2),
                    "frmProbe has no state Nothing[2]"));
    EXPECT_TRUE(Has(FailureAt("expect-state frmOther.X 0\n", 1), "no such form: frmOther"));
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nclick frmProbe cmdNone\n", 2),
                    "frmProbe has no control cmdNone"));
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nclick frmProbe lblRow\n", 2),
                    "lblRow is a control array of frmProbe: give an index"));
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nclick frmProbe lblRow 3\n", 2),
                    "frmProbe has no control lblRow(3)"));
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nselect frmProbe lstPick 0 SUB\n", 2),
                    "has no item \"SUB\"; its items: \"LW\" \"ADD\" \"two  blanks\""));
    EXPECT_TRUE(Has(FailureAt("expect-state RegisterFile[32] 0\n", 1), "outside the table"));
    EXPECT_TRUE(Has(FailureAt("expect-state RegisterFile 0\n", 1), "give an index"));
}

TEST(ScenarioRunner, ScriptMistakesAreReportedAsSuch) {
    for (const char *bad :
         {"opne frmProbe\n", "\"open\" frmProbe\n", "open\n", "open a b\n",
          "set-program 32 NOP 0 0 0 0 0 0 0\n", "set-program 0 LW 32768 0 0 0 0 0 0\n",
          "set-program 0 LW 0 0 0 2147483648 0 0 0\n", "set-start -4\n", "set-start abc\n",
          "expect-state RegisterFile[1 0\n", "expect-message\n", "expect-message x icon=loud\n",
          "write-file ../x a\n", "write-file /tmp/x a\n", "answer-file ../../etc/passwd\n",
          "answer \"unclosed\n", "expect-file-dialog print\n"}) {
        const Outcome r = RunText(bad);
        EXPECT_FALSE(r.result.passed) << bad;
        EXPECT_TRUE(Has(r.result.failure, "t.scn:1: script error: ")) << r.result.failure;
    }
    EXPECT_TRUE(Has(FailureAt("open frmProbe\nset frmProbe lstPick 0 listindex 3\n", 2),
                    "listindex must be a number from -1 to 2"));
    EXPECT_TRUE(
        Has(FailureAt("open frmProbe\nset frmProbe lblOut size 3\n", 2), "unknown property size"));
}

TEST(ScenarioRunner, UnusedAnswersFailUnlessAllowed) {
    std::string f = FailureAt("answer 1\nanswer 2\n# end\n", 3);
    EXPECT_TRUE(Has(f, "2 answer(s) never used (the first at line 1)")) << f;
    f = FailureAt("open frmProbe\nanswer 1\nclick frmProbe cmdAsk\nanswer 2\nanswer-file x\n", 5);
    EXPECT_TRUE(Has(f, "1 answer(s) never used (the first at line 4); 1 file answer(s) never used "
                       "(the first at line 5)"))
        << f;
    EXPECT_TRUE(RunText("answer 1\nanswer-file cancel\nallow-unused-answers\n").result.passed);
}

TEST(ScenarioRunner, ProgramStoreCommandsFillTheSlotsAsTheWriterWould) {
    const Outcome r = RunText(R"scn(expect-state ProgAddress[0] 0
clear-program
expect-state ProgMnemonic[0] NOP
expect-state ProgAddress[31] 2124
set-start 0x100
set-program 1 LW 3 9 5 0 -8 0 0
set-program 2 SLL 4 2 0 3 0 0 3
set-program 3 BNEQ 1 2 0 0 0 -3 0
set-program 4 XOR 1 2 3 0 0 0 0
set-program 5 NOP 40 -1 77 0 0 0 0
expect-state InstrFormat[1] 1
expect-state InstrFormat[2] 2
expect-state InstrFormat[3] 3
expect-state InstrFormat[4] 4
expect-state InstrFormat[5] 0
expect-state ProgAddress[0] 2000
expect-state ProgAddress[5] 276
expect-state ProgShamt[2] 3
assemble
expect-state ProgText[0] NOP
expect-state ProgText[1] "LW R3,-8(R5)"
expect-state ProgText[2] "SLL R4,R2,3"
expect-state ProgText[3] "BNEQ R1,R2,-3"
expect-state ProgText[4] "XOR R1,R2,R3"
expect-state AssembledRs[1] 9
expect-state AssembledRd[5] 40
expect-state AssembledRs[5] -1
expect-state ProgramWritten True
expect-state LoadingFlag False
expect-state ProgAddress[5] 0x114
)scn");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
}

TEST(ScenarioRunner, AssembleRefreshesTheFiveStageWindowAfterTheHandOver) {
    std::vector<bool> paints; // ProgramWritten as each repaint saw it
    std::ostringstream out;
    // Hidden, the window does not repaint: the program waits until it is shown.
    const auto result =
        RunScenario("assemble\nopen frmMIPSFiveStageInt\nassemble\n", "t.scn", out, [&](Desk &d) {
            d.RegisterForm("frmMIPSFiveStageInt", [&](Desk &desk) {
                auto made = std::make_unique<Probe>(desk, "frmMIPSFiveStageInt");
                made->onPaint = [&](bool written) { paints.push_back(written); };
                return made;
            });
        });
    ASSERT_TRUE(result.passed) << result.failure;
    EXPECT_EQ(paints, (std::vector<bool>{true, true}));
}

TEST(ScenarioRunner, FilesLiveInAFolderOfTheirOwnThatGoesAway) {
    const Outcome r = RunText("write-file sub/p.int \"A\\x00\\xff\\r\\n\"\n"
                              "expect-file sub/p.int \"A\\x00\\xff\\r\\n\"\n"
                              "open frmProbe\nanswer-file sub/p.int\nclick frmProbe cmdSave\n"
                              "expect-file-dialog save\nexpect-file sub/p.int \"saved\\r\\n\"\n");
    EXPECT_TRUE(r.result.passed) << r.result.failure;

    std::string f = FailureAt("write-file a.int \"12\\r\\n\"\nexpect-file a.int \"12\\n\"\n", 2);
    EXPECT_TRUE(Has(f, "file a.int (first difference at byte 2)")) << f;
    EXPECT_TRUE(Has(f, "expected: \"12\\n\"\n  actual:   \"12\\r\\n\"")) << f;
    EXPECT_TRUE(Has(FailureAt("expect-file none.int x\n", 1), "file none.int does not exist"));

    // Each script starts in an empty folder, and nothing of it is left afterwards.
    EXPECT_TRUE(Has(FailureAt("expect-file sub/p.int x\n", 1), "does not exist"));
    namespace fs = std::filesystem;
    const fs::path tmp =
        fs::temp_directory_path() / ("scenario-runner-test-" + std::to_string(getpid()));
    fs::create_directories(tmp);
    const std::string oldTmp = std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "";
    setenv("TMPDIR", tmp.c_str(), 1);
    const Outcome passed = RunText("write-file x \"1\"\n");
    const Outcome failed = RunText("write-file d/x \"1\"\nexpect-state MemMapLast 9\n");
    const bool empty = fs::is_empty(tmp);
    oldTmp.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", oldTmp.c_str(), 1);
    fs::remove_all(tmp);
    EXPECT_TRUE(passed.result.passed) << passed.result.failure;
    EXPECT_FALSE(failed.result.passed);
    EXPECT_TRUE(empty);
}

TEST(ScenarioRunner, EachScriptStartsFromAFreshMachine) {
    ASSERT_TRUE(RunText("set-program 0 ADD 1 2 3 0 0 0 0\nassemble\n").result.passed);
    const Outcome r = RunText("expect-state ProgText[0] \"\"\nexpect-state ProgramWritten False\n"
                              "expect-state ProgMnemonic[0] \"\"\n");
    EXPECT_TRUE(r.result.passed) << r.result.failure;
}

} // namespace
} // namespace corvexa::scenario
