#include "scenario/runner.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <type_traits>

#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "machine/state_names.h"
#include "scenario/script.h"
#include "ui/form.h"
#include "ui/headless_desk.h"
#include "writers/program_writer.h"

namespace corvexa::scenario {

namespace fs = std::filesystem;

namespace {

// An expectation that did not hold, or a command that could not run.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<Token>;

std::string Mismatch(const std::string &what, const std::string &expected,
                     const std::string &actual) {
    return what + "\n  expected: " + expected + "\n  actual:   " + actual;
}

int64_t Number(const Token &t, int64_t lo, int64_t hi, const std::string &what) {
    const auto n = t.quoted ? std::nullopt : ParseNumber(t.text);
    if (!n || *n < lo || *n > hi) {
        throw ScriptError(what + " must be a number from " + std::to_string(lo) + " to " +
                          std::to_string(hi) + ", not " + Quote(t.text));
    }
    return *n;
}

template <typename T> T Field(const Token &t, const std::string &what) {
    return static_cast<T>(
        Number(t, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), what));
}

// A control index: a number, or "-" for a single control.
int Index(const Token &t) {
    return (!t.quoted && t.text == "-") ? -1 : static_cast<int>(Number(t, 0, 100000, "INDEX"));
}

bool Flag(const Token &t) {
    if (t.text == "True" || t.text == "true") {
        return true;
    }
    if (t.text == "False" || t.text == "false") {
        return false;
    }
    throw ScriptError("expected True or False, not " + Quote(t.text));
}

std::string FlagText(bool b) {
    return b ? "True" : "False";
}

std::string ColourText(int32_t c) {
    std::ostringstream s;
    s << "&H" << std::hex << std::uppercase << static_cast<uint32_t>(c);
    return s.str();
}

// Control properties that scripts may set and check.
static_assert(std::is_same_v<int32_t, int>, "colours and positions share one member type");
enum class PropKind { Text, Flag, Number, Colour };
struct Property {
    const char *name;
    PropKind kind;
    std::string Control::*text = nullptr;
    bool Control::*flag = nullptr;
    int Control::*number = nullptr;
};

const std::vector<Property> &Properties() {
    static const std::vector<Property> props = {
        {"caption", PropKind::Text, &Control::caption},
        {"text", PropKind::Text, &Control::caption},
        {"visible", PropKind::Flag, nullptr, &Control::visible},
        {"enabled", PropKind::Flag, nullptr, &Control::enabled},
        {"checked", PropKind::Flag, nullptr, &Control::checked},
        {"forecolor", PropKind::Colour, nullptr, nullptr, &Control::foreColor},
        {"backcolor", PropKind::Colour, nullptr, nullptr, &Control::backColor},
        {"bordercolor", PropKind::Colour, nullptr, nullptr, &Control::borderColor},
        {"listindex", PropKind::Number, nullptr, nullptr, &Control::listIndex},
        {"interval", PropKind::Number, nullptr, nullptr, &Control::interval},
        {"left", PropKind::Number, nullptr, nullptr, &Control::left},
        {"top", PropKind::Number, nullptr, nullptr, &Control::top},
        {"width", PropKind::Number, nullptr, nullptr, &Control::width},
        {"height", PropKind::Number, nullptr, nullptr, &Control::height},
    };
    return props;
}

// Property names as the toolkit spells them (ForeColor, Caption) are the same properties.
std::string LowerName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return name;
}

const Property &FindProperty(const std::string &name) {
    const std::string lower = LowerName(name);
    for (const Property &p : Properties()) {
        if (lower == p.name) {
            return p;
        }
    }
    throw ScriptError("unknown property " + name);
}

std::string PropertyText(const Property &p, const Control &c) {
    switch (p.kind) {
    case PropKind::Text:
        return Quote(c.*p.text);
    case PropKind::Flag:
        return FlagText(c.*p.flag);
    case PropKind::Number:
        return std::to_string(c.*p.number);
    case PropKind::Colour:
        return ColourText(c.*p.number);
    }
    return {};
}

int32_t ColourValue(const Token &t) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(Number(t, -2147483648LL, 4294967295LL, "a colour")));
}

// The expected value written in the same form as PropertyText gives the actual one.
std::string ExpectedText(const Property &p, const Token &t) {
    switch (p.kind) {
    case PropKind::Text:
        return Quote(t.text);
    case PropKind::Flag:
        return FlagText(Flag(t));
    case PropKind::Number:
        return std::to_string(Field<int32_t>(t, p.name));
    case PropKind::Colour:
        return ColourText(ColourValue(t));
    }
    return {};
}

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "corvexa-scn-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
};

class Runner {
public:
    Runner(std::ostream &out, const FormRegistrar &registerForms) : out_(out) {
        registerForms(desk_);
    }

    void Run(const Args &words, int line) {
        line_ = line;
        const std::string command = words[0].text;
        const Args args(words.begin() + 1, words.end());
        const auto it = Commands().find(command);
        if (words[0].quoted || it == Commands().end()) {
            throw ScriptError("unknown command " + Quote(command));
        }
        (this->*(it->second))(args);
    }

    // Answers queued but never asked for; empty when all is well.
    std::string Leftovers() const {
        if (allowUnused_) {
            return {};
        }
        const auto unused = [](const std::vector<int> &lines, size_t pending, const char *what) {
            return pending == 0
                       ? std::string()
                       : std::to_string(pending) + " " + what + " never used (the first at line " +
                             std::to_string(lines[lines.size() - pending]) + ")";
        };
        std::string a = unused(answerLines_, desk_.PendingAnswers(), "answer(s)");
        const std::string f = unused(fileLines_, desk_.PendingFiles(), "file answer(s)");
        a += (!a.empty() && !f.empty() ? "; " : "") + f;
        return a.empty() ? a : a + "; end the file with allow-unused-answers if that is meant";
    }

private:
    using Command = void (Runner::*)(const Args &);

    static const std::map<std::string, Command> &Commands() {
        static const std::map<std::string, Command> commands = {
            {"open", &Runner::Open},
            {"answer", &Runner::Answer},
            {"answer-file", &Runner::AnswerFile},
            {"write-file", &Runner::WriteFile},
            {"expect-file", &Runner::ExpectFile},
            {"menu", &Runner::Menu},
            {"click", &Runner::ClickControl},
            {"select", &Runner::Select},
            {"tick", &Runner::Tick},
            {"set", &Runner::Set},
            {"clear-program", &Runner::ClearProgram},
            {"set-program", &Runner::SetProgram},
            {"set-start", &Runner::SetStart},
            {"assemble", &Runner::Assemble},
            {"expect", &Runner::Expect},
            {"expect-form", &Runner::ExpectForm},
            {"set-form", &Runner::SetForm},
            {"close", &Runner::Close},
            {"focus", &Runner::Focus},
            {"setting", &Runner::Setting},
            {"expect-setting", &Runner::ExpectSetting},
            {"expect-beeps", &Runner::ExpectBeeps},
            {"expect-state", &Runner::ExpectState},
            {"expect-message", &Runner::ExpectMessage},
            {"expect-prompt", &Runner::ExpectPrompt},
            {"expect-file-dialog", &Runner::ExpectFileDialog},
            {"expect-no-dialog", &Runner::ExpectNoDialog},
            {"dump", &Runner::Dump},
            {"allow-unused-answers", &Runner::AllowUnused},
        };
        return commands;
    }

    static void Arity(const Args &a, size_t lo, size_t hi, const char *usage) {
        if (a.size() < lo || a.size() > hi) {
            throw ScriptError(std::string("usage: ") + usage);
        }
    }

    // ---- forms and controls ----

    Form &LoadedForm(const std::string &name) {
        if (!desk_.Known(name)) {
            throw Failure("no such form: " + name);
        }
        Form *form = desk_.Find(name);
        if (form == nullptr) {
            throw Failure("form " + name + " is not loaded");
        }
        return *form;
    }

    // A control array of one element (a menu item that carries an index) may be named without it.
    static int ResolveIndex(Form &form, const std::string &name, int index) {
        if (index < 0 && form.Find(name, index) == nullptr) {
            const ControlArray array = form.Array(name);
            if (array.size() == 1) {
                return array.lower();
            }
        }
        return index;
    }

    static Control &ControlOf(Form &form, const std::string &name, int index) {
        index = ResolveIndex(form, name, index);
        if (Control *c = form.Find(name, index)) {
            return *c;
        }
        if (index < 0 && form.Array(name).size() > 0) {
            throw Failure(name + " is a control array of " + form.name() + ": give an index");
        }
        throw Failure(form.name() + " has no control " + ControlKey(name, index));
    }

    // A disabled control, or one under a disabled menu, takes no click, as on screen. Hidden
    // controls and hidden windows still run their handlers, so a script can reach every handler.
    static bool Enabled(Form &form, const Control &c) {
        for (const Control *p = &c; p != nullptr;
             p = p->parent.empty() ? nullptr : form.Find(p->parent)) {
            if (!p->enabled) {
                return false;
            }
        }
        return true;
    }

    void Open(const Args &a) {
        Arity(a, 1, 1, "open FORM");
        if (!desk_.Known(a[0].text)) {
            throw Failure("no such form: " + a[0].text);
        }
        desk_.Show(a[0].text);
    }

    void Menu(const Args &a) {
        Arity(a, 2, 3, "menu FORM ITEM [INDEX]");
        Form &form = LoadedForm(a[0].text);
        const int index = ResolveIndex(form, a[1].text, a.size() == 3 ? Index(a[2]) : -1);
        Control &item = ControlOf(form, a[1].text, index);
        if (item.kind != ControlKind::MenuItem) {
            throw Failure(a[1].text + " is not a menu item");
        }
        if (Enabled(form, item)) {
            form.Click(item.name, index);
        }
    }

    void ClickControl(const Args &a) {
        Arity(a, 2, 3, "click FORM CONTROL [INDEX]");
        Form &form = LoadedForm(a[0].text);
        const int index = ResolveIndex(form, a[1].text, a.size() == 3 ? Index(a[2]) : -1);
        if (Enabled(form, ControlOf(form, a[1].text, index))) {
            form.Click(a[1].text, index);
        }
    }

    void Select(const Args &a) {
        Arity(a, 4, 4, "select FORM CONTROL INDEX|- ITEM");
        Form &form = LoadedForm(a[0].text);
        Control &list = ControlOf(form, a[1].text, Index(a[2]));
        if (!Enabled(form, list)) {
            return;
        }
        for (size_t i = 0; i < list.items.size(); ++i) {
            if (list.items[i] == a[3].text) {
                list.SetListIndex(static_cast<int>(i));
                return;
            }
        }
        std::string items;
        for (const auto &item : list.items) {
            items += " " + Quote(item);
        }
        throw Failure(ControlKey(list.name, list.index) + " has no item " + Quote(a[3].text) +
                      "; its items:" + (items.empty() ? " none" : items));
    }

    void Tick(const Args &a) {
        Arity(a, 2, 2, "tick FORM TIMER");
        Form &form = LoadedForm(a[0].text);
        Control &timer = ControlOf(form, a[1].text, -1);
        if (timer.kind != ControlKind::Timer) {
            throw Failure(a[1].text + " is not a timer");
        }
        // One tick runs the timer's handler whatever its interval, so a script needs no wait.
        form.Click(timer.name, -1);
    }

    void Set(const Args &a) {
        Arity(a, 4, 5, "set FORM CONTROL [INDEX] PROPERTY VALUE");
        Form &form = LoadedForm(a[0].text);
        Control &c = ControlOf(form, a[1].text, a.size() == 5 ? Index(a[2]) : -1);
        const Property &p = FindProperty(a[a.size() - 2].text);
        const Token &v = a.back();
        switch (p.kind) {
        case PropKind::Text:
            c.*p.text = v.text;
            break;
        case PropKind::Flag:
            c.*p.flag = Flag(v);
            break;
        case PropKind::Colour:
            c.*p.number = ColourValue(v);
            break;
        case PropKind::Number:
            c.*p.number = p.number == &Control::listIndex
                              ? static_cast<int>(Number(
                                    v, -1, static_cast<int64_t>(c.items.size()) - 1, "listindex"))
                              : Field<int32_t>(v, p.name);
            break;
        }
    }

    void Expect(const Args &a) {
        Arity(a, 4, 5, "expect FORM CONTROL [INDEX] PROPERTY VALUE");
        Form &form = LoadedForm(a[0].text);
        const Control &c = ControlOf(form, a[1].text, a.size() == 5 ? Index(a[2]) : -1);
        const std::string prop = LowerName(a[a.size() - 2].text);
        std::string actual;
        std::string expected;
        if (prop == "listtext") {
            actual = Quote(c.ListText());
            expected = Quote(a.back().text);
        } else {
            const Property &p = FindProperty(a[a.size() - 2].text);
            actual = PropertyText(p, c);
            expected = ExpectedText(p, a.back());
        }
        if (actual != expected) {
            throw Failure(Mismatch(form.name() + "." + ControlKey(c.name, c.index) + " " + prop,
                                   expected, actual));
        }
    }

    void ExpectForm(const Args &a) {
        Arity(a, 3, 3, "expect-form FORM loaded|visible|caption|windowstate|width|height VALUE");
        const std::string &name = a[0].text;
        const std::string prop = LowerName(a[1].text);
        if (!desk_.Known(name)) {
            throw Failure("no such form: " + name);
        }
        std::string actual;
        std::string expected = a[2].text;
        if (prop == "loaded") {
            actual = FlagText(desk_.Loaded(name));
            expected = FlagText(Flag(a[2]));
        } else {
            Form &form = LoadedForm(name);
            if (prop == "visible") {
                actual = FlagText(form.visible);
                expected = FlagText(Flag(a[2]));
            } else if (prop == "caption") {
                actual = Quote(form.caption);
                expected = Quote(a[2].text);
            } else if (prop == "windowstate") {
                static const char *const states[] = {"Normal", "Minimised", "Maximised"};
                actual = states[static_cast<int>(form.windowState) % 3];
            } else if (prop == "width" || prop == "height") {
                actual = std::to_string(prop == "width" ? form.width : form.height);
            } else if (prop == "left" || prop == "top") {
                actual = std::to_string(prop == "left" ? form.left : form.top);
            } else if (prop == "backcolor") {
                actual = ColourText(form.backColor);
                expected = ColourText(ColourValue(a[2]));
            } else {
                throw ScriptError("unknown form property " + prop);
            }
        }
        if (actual != expected) {
            throw Failure(Mismatch(name + " " + prop, expected, actual));
        }
    }

    // What the user does to a window frame: move, size, minimise, maximise. No handler runs.
    void SetForm(const Args &a) {
        Arity(a, 3, 3, "set-form FORM windowstate|left|top|width|height VALUE");
        Form &form = LoadedForm(a[0].text);
        const std::string &prop = a[1].text;
        if (prop == "windowstate") {
            static const char *const states[] = {"Normal", "Minimised", "Maximised"};
            for (int i = 0; i < 3; ++i) {
                if (a[2].text == states[i]) {
                    form.windowState = static_cast<WindowState>(i);
                    return;
                }
            }
            throw ScriptError("expected Normal, Minimised or Maximised, not " + Quote(a[2].text));
        }
        int *const field = prop == "left"     ? &form.left
                           : prop == "top"    ? &form.top
                           : prop == "width"  ? &form.width
                           : prop == "height" ? &form.height
                                              : nullptr;
        if (field == nullptr) {
            throw ScriptError("unknown form property " + prop);
        }
        *field = Field<int32_t>(a[2], prop);
    }

    // The window's close box, as the screen delivers it.
    void Close(const Args &a) {
        Arity(a, 1, 1, "close FORM");
        Form &form = LoadedForm(a[0].text);
        if (form.QueryClose()) {
            desk_.Unload(a[0].text);
        }
    }

    // The window becomes the active one (True) or another window does (False).
    void Focus(const Args &a) {
        Arity(a, 2, 2, "focus FORM True|False");
        Form &form = LoadedForm(a[0].text);
        const char *const handler = Flag(a[1]) ? "Form_GotFocus" : "Form_LostFocus";
        if (form.HasHandler(handler)) {
            form.Click(handler);
        }
    }

    void Setting(const Args &a) {
        Arity(a, 4, 4, "setting APP SECTION KEY VALUE");
        desk_.SaveSetting(a[0].text, a[1].text, a[2].text, a[3].text);
    }

    void ExpectSetting(const Args &a) {
        Arity(a, 4, 4, "expect-setting APP SECTION KEY VALUE|none");
        const auto value = desk_.GetSetting(a[0].text, a[1].text, a[2].text);
        const std::string actual = value ? Quote(*value) : "none";
        const std::string expected =
            !a[3].quoted && a[3].text == "none" ? "none" : Quote(a[3].text);
        if (actual != expected) {
            throw Failure(Mismatch("setting " + a[2].text, expected, actual));
        }
    }

    void ExpectBeeps(const Args &a) {
        Arity(a, 1, 1, "expect-beeps N");
        const std::string expected = std::to_string(Number(a[0], 0, 1000000, "a count"));
        const std::string actual = std::to_string(desk_.beeps);
        if (actual != expected) {
            throw Failure(Mismatch("beeps", expected, actual));
        }
    }

    // ---- shared and window state ----

    void ExpectState(const Args &a) {
        Arity(a, 2, 2, "expect-state NAME[INDEX] VALUE");
        std::string name = a[0].text;
        int index = -1;
        if (const size_t open = name.find('['); open != std::string::npos) {
            if (name.back() != ']') {
                throw ScriptError("expected NAME[INDEX], not " + name);
            }
            index = static_cast<int>(
                Number(Token{name.substr(open + 1, name.size() - open - 2)}, 0, 100000, "INDEX"));
            name.resize(open);
        }
        std::optional<std::string> actual;
        if (const size_t dot = name.find('.'); dot != std::string::npos) {
            const Form &form = LoadedForm(name.substr(0, dot));
            actual = form.StateValue(name.substr(dot + 1), index);
            if (!actual) {
                throw Failure(form.name() + " has no state " + a[0].text.substr(dot + 1) +
                              " (unknown name, or an index outside its table)");
            }
        } else {
            StateLookup found = SharedStateValue(desk_.machine(), name, index);
            if (!found.value) {
                throw Failure(found.error);
            }
            actual = found.value;
        }
        // Unquoted hexadecimal stands for its decimal value; everything else is compared as text.
        std::string expected = a[1].text;
        if (!a[1].quoted && expected.size() > 2 &&
            (expected[0] == '&' || expected.substr(0, 2) == "0x" ||
             expected.substr(0, 2) == "0X")) {
            if (auto n = ParseNumber(expected)) {
                expected = std::to_string(*n);
            }
        }
        // Some flags are booleans and some are 0 or 1; a script may write either form for both.
        if (!a[1].quoted) {
            if ((expected == "True" && *actual == "1") || (expected == "1" && *actual == "True")) {
                expected = *actual;
            } else if ((expected == "False" && *actual == "0") ||
                       (expected == "0" && *actual == "False")) {
                expected = *actual;
            }
        }
        if (*actual != expected) {
            throw Failure(Mismatch(a[0].text, Quote(expected), Quote(*actual)));
        }
    }

    void ClearProgram(const Args &a) {
        Arity(a, 0, 0, "clear-program");
        Machine &m = desk_.machine();
        for (size_t i = 0; i < kSlots; ++i) {
            m.ProgMnemonic[i] = "NOP";
            m.InstrFormat[i] = FormatNop;
            m.RdField[i] = m.RsField[i] = m.RtField[i] = 0;
            m.ImmField[i] = m.OffsetField[i] = 0;
            m.ProgBranchOffset[i] = m.ProgShamt[i] = m.ProgFunc[i] = 0;
            m.ProgAddress[i] = start_ + 4 * static_cast<int32_t>(i);
        }
    }

    void SetProgram(const Args &a) {
        Arity(a, 9, 9, "set-program SLOT MNEMONIC RD RS RT IMM OFFSET BROFFSET SHAMT");
        Machine &m = desk_.machine();
        const auto i = static_cast<size_t>(Number(a[0], 0, kSlots - 1, "SLOT"));
        const std::string &op = a[1].text;
        m.ProgMnemonic[i] = op;
        m.RdField[i] = Field<int16_t>(a[2], "RD");
        m.RsField[i] = Field<int16_t>(a[3], "RS");
        m.RtField[i] = Field<int16_t>(a[4], "RT");
        m.ImmField[i] = Field<int32_t>(a[5], "IMM");
        m.OffsetField[i] = Field<int32_t>(a[6], "OFFSET");
        m.ProgBranchOffset[i] = Field<int16_t>(a[7], "BROFFSET");
        m.ProgShamt[i] = Field<int16_t>(a[8], "SHAMT");
        // The writers' row format of the mnemonic; one that no writer offers is a register row.
        m.InstrFormat[i] = RowFormatOf(op);
        m.ProgAddress[i] = start_ + 4 * static_cast<int32_t>(i);
    }

    void SetStart(const Args &a) {
        Arity(a, 1, 1, "set-start ADDRESS");
        start_ = static_cast<int32_t>(
            Number(a[0], 0, std::numeric_limits<int32_t>::max() - 4 * (kSlots - 1), "ADDRESS"));
    }

    void Assemble(const Args &a) {
        Arity(a, 0, 1, "assemble [FORM]");
        // The listing texts of the writer that hands over to FORM: only the floating-point
        // writer lists its own two formats.
        const WriterDescription &writer =
            !a.empty() && a[0].text == FPWriterDescription().handOverTarget
                ? FPWriterDescription()
                : IntWriterDescription();
        AssembleProgramStore(desk_.machine(), LastRowFormat(writer.look.mnemonics));
        // Each writer hands over to its own pipeline window.
        if (!a.empty()) {
            if (!desk_.Known(a[0].text)) {
                throw Failure("no such form: " + a[0].text);
            }
            desk_.Refresh(a[0].text);
        } else if (desk_.Known("frmMIPSFiveStageInt")) {
            desk_.Refresh("frmMIPSFiveStageInt");
        }
    }

    // ---- dialogs ----

    void Answer(const Args &a) {
        Arity(a, 1, 1, "answer TEXT|cancel");
        desk_.QueueAnswer(!a[0].quoted && a[0].text == "cancel" ? std::nullopt
                                                                : std::optional(a[0].text));
        answerLines_.push_back(line_);
    }

    void AnswerFile(const Args &a) {
        Arity(a, 1, 1, "answer-file NAME|cancel");
        desk_.QueueFile(!a[0].quoted && a[0].text == "cancel" ? std::nullopt
                                                              : std::optional(Path(a[0].text)));
        fileLines_.push_back(line_);
    }

    DialogRecord Oldest(DialogRecord::Kind kind, const char *what) {
        static const char *const kinds[] = {"a message box", "an input box", "an open-file dialog",
                                            "a save-file dialog"};
        auto d = desk_.TakeOldest();
        if (!d) {
            throw Failure(std::string("expected ") + what + ", but no dialog is left to check");
        }
        if (d->kind != kind) {
            throw Failure(std::string("expected ") + what + ", but the next dialog is " +
                          kinds[static_cast<int>(d->kind)] + " " + Quote(d->text));
        }
        return *d;
    }

    static void Same(const std::string &what, const std::string &expected,
                     const std::string &actual) {
        if (expected != actual) {
            throw Failure(Mismatch(what, Quote(expected), Quote(actual)));
        }
    }

    void ExpectMessage(const Args &a) {
        // Indexed by MsgIcon.
        static const std::vector<std::string> icons = {"none", "critical", "question",
                                                       "exclamation", "information"};
        Args texts;
        std::optional<std::string> icon;
        for (const Token &t : a) {
            if (!t.quoted && t.text.rfind("icon=", 0) == 0) {
                icon = LowerName(t.text.substr(5));
                if (std::find(icons.begin(), icons.end(), *icon) == icons.end()) {
                    throw ScriptError("unknown icon " + *icon);
                }
            } else {
                texts.push_back(t);
            }
        }
        Arity(texts, 1, 2, "expect-message TEXT [TITLE] [icon=NAME]");
        const DialogRecord d = Oldest(DialogRecord::Kind::Message, "a message box");
        Same("message text", texts[0].text, d.text);
        if (texts.size() > 1) {
            Same("message title", texts[1].text, d.title);
        }
        const std::string &actual = icons.at(static_cast<size_t>(d.icon));
        if (icon && *icon != actual) {
            throw Failure(Mismatch("message icon of " + Quote(d.text), *icon, actual));
        }
    }

    void ExpectPrompt(const Args &a) {
        Arity(a, 1, 3, "expect-prompt TEXT [TITLE [DEFAULT]]");
        const DialogRecord d = Oldest(DialogRecord::Kind::Input, "an input box");
        Same("prompt", a[0].text, d.text);
        if (a.size() > 1) {
            Same("prompt title", a[1].text, d.title);
        }
        if (a.size() > 2) {
            Same("prompt default", a[2].text, d.defaultAnswer);
        }
    }

    void ExpectFileDialog(const Args &a) {
        Arity(a, 1, 3, "expect-file-dialog open|save [FILTER [TITLE]]");
        if (a[0].text != "open" && a[0].text != "save") {
            throw ScriptError("expect-file-dialog takes open or save, not " + a[0].text);
        }
        const DialogRecord d = a[0].text == "open"
                                   ? Oldest(DialogRecord::Kind::OpenFile, "an open-file dialog")
                                   : Oldest(DialogRecord::Kind::SaveFile, "a save-file dialog");
        if (a.size() > 1) {
            Same("file dialog filter", a[1].text, d.text);
        }
        if (a.size() > 2) {
            Same("file dialog title", a[2].text, d.title);
        }
    }

    void ExpectNoDialog(const Args &a) {
        Arity(a, 0, 0, "expect-no-dialog");
        if (!desk_.Log().empty()) {
            const DialogRecord &d = desk_.Log().front();
            throw Failure(std::to_string(desk_.Log().size()) +
                          " dialog(s) not checked, the first: " + Quote(d.text) + " (title " +
                          Quote(d.title) + ")");
        }
    }

    void AllowUnused(const Args &a) {
        Arity(a, 0, 0, "allow-unused-answers");
        allowUnused_ = true;
    }

    // ---- files ----

    std::string Path(const std::string &name) const {
        const fs::path p(name);
        if (name.empty() || p.is_absolute()) {
            throw ScriptError("file names are relative to the scenario's folder: " + Quote(name));
        }
        for (const auto &part : p) {
            if (part == "..") {
                throw ScriptError("file names stay inside the scenario's folder: " + Quote(name));
            }
        }
        return (folder_.path / p).string();
    }

    void WriteFile(const Args &a) {
        Arity(a, 2, 2, "write-file NAME TEXT");
        const fs::path path = Path(a[0].text);
        fs::create_directories(path.parent_path());
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << a[1].text;
        if (!file) {
            throw Failure("cannot write " + a[0].text);
        }
    }

    void ExpectFile(const Args &a) {
        Arity(a, 2, 2, "expect-file NAME TEXT");
        std::ifstream file(Path(a[0].text), std::ios::binary);
        if (!file) {
            throw Failure("file " + a[0].text + " does not exist");
        }
        const std::string actual((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
        const std::string &expected = a[1].text;
        if (actual != expected) {
            size_t at = 0;
            while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
                ++at;
            }
            throw Failure(Mismatch("file " + a[0].text + " (first difference at byte " +
                                       std::to_string(at) + ")",
                                   Quote(expected), Quote(actual)));
        }
    }

    void Dump(const Args &a) {
        Arity(a, 2, 2, "dump FORM CONTROL");
        Form &form = LoadedForm(a[0].text);
        bool any = false;
        for (const Control &c : form.controls()) {
            if (c.name == a[1].text) {
                out_ << form.name() << "." << ControlKey(c.name, c.index)
                     << " visible=" << FlagText(c.visible) << " caption=" << Quote(c.caption)
                     << "\n";
                any = true;
            }
        }
        if (!any) {
            throw Failure(form.name() + " has no control " + a[1].text);
        }
    }

    Machine machine_;
    HeadlessDesk desk_{machine_};
    TempFolder folder_;
    std::ostream &out_;
    int line_ = 0;
    int32_t start_ = 2000;
    std::vector<int> answerLines_, fileLines_;
    bool allowUnused_ = false;
};

} // namespace

ScenarioResult RunScenario(const std::string &text, const std::string &label, std::ostream &out,
                           const FormRegistrar &registerForms) {
    ScenarioResult result;
    int line = 0;
    const auto fail = [&](const std::string &why) {
        result.passed = false;
        result.failure = label + ":" + std::to_string(line) + ": " + why;
        return result;
    };
    try {
        Runner runner(out, registerForms);
        std::istringstream lines(text);
        std::string content;
        while (std::getline(lines, content)) {
            ++line;
            const Args words = Tokenize(content);
            if (!words.empty()) {
                ++result.commands;
                runner.Run(words, line);
            }
        }
        if (const std::string left = runner.Leftovers(); !left.empty()) {
            return fail(left);
        }
    } catch (const ScriptError &e) {
        return fail(std::string("script error: ") + e.what());
    } catch (const Failure &e) {
        return fail(e.what());
    } catch (const UnexpectedDialog &e) {
        return fail(e.what());
    } catch (const std::exception &e) {
        return fail(std::string("error from the windows: ") + e.what());
    }
    return result;
}

} // namespace corvexa::scenario
