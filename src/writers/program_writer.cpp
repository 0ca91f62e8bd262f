#include "writers/program_writer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "machine/hand_over.h"
#include "ui/number_prompt.h"

namespace corvexa {

namespace {

constexpr const char *kProperInteger = "Enter a Proper Integer Value";
constexpr const char *kWrongEntry = "Wrong Entry";
constexpr const char *kOffsetText = "Please enter a 16-bit Offset Value";
constexpr const char *kOffsetTitle = "Offset Value for Load/Store";
constexpr const char *kFPOffsetTitle = "Offset Value for FP Load/Store";
constexpr const char *kImmediateText = "Please enter a 16-bit Immediate Value";
constexpr const char *kImmediateTitle = "Immediate Value for I-Type";
constexpr const char *kShiftText = "Please enter Shift Amount between 0 to 31";
constexpr const char *kShiftTitle = "Shift Amount for I-Type";
constexpr int kLastAddressStep = 4 * (kSlots - 1);

// Widths the fresh layout gives the row controls.
constexpr int kAddressWidth = 1095;
constexpr int kMnemonicWidth = 1000;
constexpr int kOperandWidth = 800;
// The floating-point lists keep fixed left edges 840 apart: a little narrower than the integer
// ones, they leave room for the separators between them.
constexpr int kFloatListWidth = 730;
constexpr int kSeparatorWidth = 90;
constexpr int kBoxHeight = 230;
constexpr int kRowGap = 10;
constexpr int kGroupGap = 100; // before rows 5, 10, ..., 30
constexpr int kValueDrop = 25; // value boxes sit a little below their row's top
constexpr int kChainGap = 2;

using ValueBox = ProgramWriter::ValueBox;

// What a row of each format shows: which of its three register operands (in the integer or the
// floating-point lists), which value box, and the title of the prompt that asks its value when
// the mnemonic is chosen. A row showing an offset writes its base register in parentheses.
struct RowShape {
    bool first, second, third;
    bool floating;
    ValueBox value;
    const char *valueTitle;
};

constexpr std::array<RowShape, 7> kRowShapes = {{
    {false, false, false, false, ValueBox::None, nullptr},       // FormatNop
    {true, false, true, false, ValueBox::Offset, kOffsetTitle},  // FormatLoadStore
    {true, true, false, false, ValueBox::Imm, nullptr},          // FormatImmediate
    {true, true, false, false, ValueBox::BranchOffset, nullptr}, // FormatBranch
    {true, true, true, false, ValueBox::None, nullptr},          // FormatRegister
    {true, true, true, true, ValueBox::None, nullptr},           // FormatFPArith
    {true, false, true, true, ValueBox::Offset, kFPOffsetTitle}, // FormatFPLoadStore
}};

const RowShape &ShapeOf(InstrFormatKind format) {
    return kRowShapes.at(static_cast<size_t>(format));
}

bool ValidRow(int i) {
    return i >= 0 && i < kSlots;
}
size_t Slot(int i) {
    return static_cast<size_t>(i);
}

int After(const Control &c) {
    return c.left + c.width + kChainGap;
}

bool IsShift(const std::string &mnemonic) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    return row != nullptr && row->kind == InstrKind::Shift;
}

// A list shows text: its item when it has one, otherwise the text alone with no item chosen.
// Either way the list's click handler runs, as it does for any choice made from code.
void ShowListText(Control &list, const std::string &text) {
    const auto it = std::find(list.items.begin(), list.items.end(), text);
    list.caption = text;
    list.SetListIndex(it == list.items.end() ? -1 : static_cast<int>(it - list.items.begin()));
}

// A register list shows register n; a number no list item stands for (only a program file can
// bring one) is shown as text with no item chosen, so nothing indexes outside the list.
void ShowRegister(Control &list, int n) {
    ShowListText(list, "R" + std::to_string(n));
}

void SyncListCaption(Control &list) {
    if (list.listIndex >= 0 && list.listIndex < static_cast<int>(list.items.size())) {
        list.caption = list.ListText();
    }
}

std::string ListTextOrCaption(const Control &list) {
    return list.listIndex >= 0 && list.listIndex < static_cast<int>(list.items.size())
               ? list.ListText()
               : list.caption;
}

} // namespace

ProgramWriter::ProgramWriter(Desk &desk, const WriterDescription &description)
    : Form(desk, description.name, WriterLayout(description.look)), description_(description),
      lblPCValue(Array("lblPCValue")), Instruction1(Array("Instruction1")),
      lblFirstSpace(Array("lblFirstSpace")), lblOffset(Array("lblOffset")),
      lbl2ndSpace(Array("lbl2ndSpace")), lblImmArg(Array("lblImmArg")),
      lblBranchOffset(Array("lblBranchOffset")),
      lbl3rdSpace(Array("lbl3rdSpace")), integerLists_{Array("cmbRdField"), Array("cmbRsField"),
                                                       Array("cmbRtField")},
      floatLists_{Array("cmbFdField"), Array("cmbFsField"), Array("cmbFtField")} {
    left = description.left;
    top = description.top;
    On("cmdClear", [this] { cmdClear_Click(); });
    On("cmdRefresh", [this] { cmdRefresh_Click(); });
    On("cmdEND", [this] { cmdEND_Click(); });
    On("Instruction1", [this](int i) { Instruction1_Click(i); });
    On("lblOffset", [this](int i) { lblOffset_Click(i); });
    On("lblImmArg", [this](int i) { lblImmArg_Click(i); });
    On("lblBranchOffset", [this](int i) { lblBranchOffset_Click(i); });
    On("cmbRdField", [this](int i) { cmbRdField_Click(i); });
    On("cmbRsField", [this](int i) { cmbRsField_Click(i); });
    On("cmbRtField", [this](int i) { cmbRtField_Click(i); });
    On("picUP", [this](int i) { picUP_Click(i); });
}

void ProgramWriter::Form_Load() {
    Machine &m = machine();
    for (int i = 0; i < kSlots; ++i) {
        if (m.LoadingFlag) {
            RefillRow(i);
        } else {
            FreshRow(i);
        }
    }
    m.LoadingFlag = false;
    if (SkipAddressPrompt) {
        SkipAddressPrompt = false;
        return;
    }
    AskStartAddress("Please enter Sarting Value of Program Counter", "Start Value for PC");
}

void ProgramWriter::FreshRow(int i) {
    Machine &m = machine();
    const size_t s = Slot(i);
    const RegisterLists &r = integerLists_;

    for (Control *box : {&lblPCValue[i], &lblBranchOffset[i], &lblOffset[i], &lblImmArg[i],
                         &lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        box->height = kBoxHeight;
    }
    lblPCValue[i].width = kAddressWidth;
    Instruction1[i].width = kMnemonicWidth;
    for (Control *c : {&r.first[i], &r.second[i], &r.third[i], &lblOffset[i], &lblImmArg[i],
                       &lblBranchOffset[i]}) {
        c->width = kOperandWidth;
    }
    for (Control *c : {&lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->width = kSeparatorWidth;
    }
    if (i > 0) {
        const Control &above = lblPCValue[i - 1];
        lblPCValue[i].top = above.top + above.height + kRowGap + (i % 5 == 0 ? kGroupGap : 0);
    }
    const int rowTop = lblPCValue[i].top;
    for (Control *c : {&Instruction1[i], &r.first[i], &r.second[i], &r.third[i], &lblFirstSpace[i],
                       &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->top = rowTop;
    }
    for (Control *c : {&lblOffset[i], &lblImmArg[i], &lblBranchOffset[i]}) {
        c->top = rowTop + kValueDrop;
    }
    // The row's pictures follow it: a click on the arrow beside a row must act on that row.
    for (const char *picture : {"picUP", "PicDown", "PicInsert", "PicDelete"}) {
        Control &p = C(picture, i);
        p.top = rowTop + (kBoxHeight - p.height) / 2;
    }
    Instruction1[i].left = After(lblPCValue[i]);
    r.first[i].left = After(Instruction1[i]);
    r.second[i].left = After(r.first[i]) + kSeparatorWidth + kChainGap;
    r.third[i].left = After(r.second[i]) + kSeparatorWidth + kChainGap;
    PlaceSeparators(i, r);
    lblImmArg[i].left = After(lbl2ndSpace[i]);
    lblBranchOffset[i].left = After(lbl2ndSpace[i]);
    // The floating-point lists keep their own left edges.
    for (Control *list : ListsOf(floatLists_, i)) {
        list->top = rowTop;
        list->width = kFloatListWidth;
    }

    m.RsField[s] = m.RtField[s] = m.RdField[s] = 0;
    m.ProgBranchOffset[s] = 0;
    m.ImmField[s] = m.OffsetField[s] = 0;
    m.ProgFunc[s] = m.ProgShamt[s] = 0;

    Instruction1[i].visible = true;
    Instruction1[i].caption = Instruction1[i].items[kNopItem];
    Instruction1[i].SetListIndex(kNopItem);
    for (const RegisterLists *lists : {&integerLists_, &floatLists_}) {
        for (Control *list : ListsOf(*lists, i)) {
            list->SetListIndex(0);
        }
    }
    lblBranchOffset[i].caption = "0";
    lblImmArg[i].caption = "0";
    HideOperands(i);
    m.ProgMnemonic[s] = kNopMnemonic;
    m.InstrFormat[s] = FormatNop;
    SkipAddressPrompt = false;
}

void ProgramWriter::HideOperands(int i) {
    for (Control *c : {&lblOffset[i], &lblImmArg[i], &lblBranchOffset[i], &lblFirstSpace[i],
                       &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->visible = false;
    }
    for (const RegisterLists *lists : {&integerLists_, &floatLists_}) {
        for (Control *list : ListsOf(*lists, i)) {
            list->visible = false;
        }
    }
}

std::vector<Control *> ProgramWriter::ListsOf(const RegisterLists &lists, int i) {
    if (lists.first.size() == 0) {
        return {};
    }
    return {&lists.first[i], &lists.second[i], &lists.third[i]};
}

void ProgramWriter::RefillRow(int i) {
    Machine &m = machine();
    const size_t s = Slot(i);
    const std::string mnemonic = m.ProgMnemonic[s];

    Instruction1[i].visible = true;
    HideOperands(i);
    ShowListText(Instruction1[i], mnemonic);
    lbl2ndSpace[i].caption = ", ";

    // Every mnemonic the list does not hold is shown with three registers, as the listing will
    // show it.
    const InstrFormatKind format = RowFormatOf(mnemonic, description_.look.mnemonics);
    m.InstrFormat[s] = format;
    const RowShape &shape = ShapeOf(format);
    switch (shape.value) {
    case ValueBox::Offset:
        lblOffset[i].caption = std::to_string(m.OffsetField[s]);
        break;
    case ValueBox::Imm:
        lblImmArg[i].caption = std::to_string(m.ImmField[s]);
        break;
    case ValueBox::BranchOffset:
        lblBranchOffset[i].caption = std::to_string(m.ProgBranchOffset[s]);
        break;
    case ValueBox::None:
        break;
    }
    const RegisterLists &lists = shape.floating ? floatLists_ : integerLists_;
    if (shape.first) {
        ShowRegister(lists.first[i], m.RdField[s]);
    }
    if (shape.second) {
        ShowRegister(lists.second[i], m.RsField[s]);
    }
    if (shape.third) {
        ShowRegister(lists.third[i], m.RtField[s]);
    }
    ShowRow(i, format);
}

// Makes the registers, value box and separators of a row's format visible; a row showing an
// offset puts its base register in parentheses.
void ProgramWriter::ShowRow(int i, InstrFormatKind format) {
    const RowShape &shape = ShapeOf(format);
    if (!shape.first) {
        return;
    }
    const RegisterLists &lists = shape.floating ? floatLists_ : integerLists_;
    // Separators move only in a writer with both families, and only where a row changes family.
    const bool besideFloatLists =
        floatLists_.first.size() > 0 && lblFirstSpace[i].left == After(floatLists_.first[i]);
    if (shape.floating != besideFloatLists) {
        PlaceSeparators(i, lists);
    }
    lists.first[i].visible = true;
    lists.second[i].visible = shape.second;
    lists.third[i].visible = shape.third;
    if (shape.value != ValueBox::None) {
        Box(i, shape.value).visible = true;
    }
    const bool parentheses = shape.value == ValueBox::Offset;
    lblFirstSpace[i].visible = true;
    lbl2ndSpace[i].visible = true;
    lbl2ndSpace[i].caption = parentheses ? "(" : ", ";
    lbl3rdSpace[i].visible = parentheses;
}

void ProgramWriter::PlaceSeparators(int i, const RegisterLists &lists) {
    lblFirstSpace[i].left = After(lists.first[i]);
    lblOffset[i].left = After(lblFirstSpace[i]);
    if (&lists == &integerLists_) {
        lbl2ndSpace[i].left = After(lists.second[i]);
        lblOffset[i].width = kOperandWidth;
    } else {
        // The base register's "(" goes right before it, whatever the offset box leaves.
        lists.first[i].width = lists.second[i].width = lists.third[i].width = kFloatListWidth;
        lbl2ndSpace[i].left = lists.third[i].left - kChainGap - kSeparatorWidth;
        lblOffset[i].width = lbl2ndSpace[i].left - kChainGap - lblOffset[i].left;
    }
    lbl3rdSpace[i].left = After(lists.third[i]);
}

Control &ProgramWriter::Box(int i, ValueBox box) const {
    switch (box) {
    case ValueBox::Offset:
        return lblOffset[i];
    case ValueBox::Imm:
        return lblImmArg[i];
    default:
        return lblBranchOffset[i];
    }
}

void ProgramWriter::AskStartAddress(const char *prompt, const char *title) {
    Machine &m = machine();
    NumberPrompt ask{prompt, title, "2000"};
    ask.wrong = {kProperInteger, kWrongEntry};
    // A negative start is asked again without a word; one whose last slot passes the 32-bit range
    // is refused.
    ask.refuse = [](int32_t answer) -> std::optional<Complaint> {
        if (answer < 0) {
            return Complaint{};
        }
        if ((int64_t{answer} / 4) * 4 + kLastAddressStep > std::numeric_limits<int32_t>::max()) {
            return Complaint{kProperInteger, kWrongEntry};
        }
        return std::nullopt;
    };
    StartAddress = (*AskWholeNumber(desk(), ask) / 4) * 4;
    for (int i = 0; i < kSlots; ++i) {
        const int32_t address = StartAddress + 4 * i;
        lblPCValue[i].caption = std::to_string(address) + ":";
        m.ProgAddress[Slot(i)] = address;
    }
}

int32_t ProgramWriter::Ask(const Prompt &p) {
    NumberPrompt ask{p.text, p.title, p.defaultText};
    ask.wrong = {kProperInteger, kWrongEntry};
    ask.refuse = [&p](int32_t answer) -> std::optional<Complaint> {
        if (answer < p.lowest || answer > p.highest) {
            return Complaint{p.rangeMessage, p.rangeTitle};
        }
        return std::nullopt;
    };
    return *AskWholeNumber(desk(), ask);
}

ProgramWriter::Prompt ProgramWriter::BranchPrompt(int row) const {
    const int lowest = -(row + 1);
    const int highest = 30 - row;
    return {"Branch Offset is in Terms of Number of Instructions from Instruction after the "
            "Branch\r\rPlease enter a Branch Offset between  " +
                std::to_string(lowest) + "  to  " + std::to_string(highest),
            "Branch Offset",
            "",
            lowest,
            highest,
            "Offset too big for this 32 instruction simulator",
            "Offset Out of Range"};
}

// Asks a row's value until it is accepted, stores it and shows it in its box. A shift's amount
// is asked as a shift amount also when re-entered and kept in both tables, so the listing and the
// assembled word never disagree.
void ProgramWriter::EnterValue(int i, ValueBox box, const char *title, bool reentry) {
    Machine &m = machine();
    const size_t s = Slot(i);
    int32_t v = 0;
    switch (box) {
    case ValueBox::Offset:
        v = Ask(
            {kOffsetText, title, "0", -32768, 32767, "Enter a 16-bit Value", "Value Too Large"});
        m.OffsetField[s] = v;
        break;
    case ValueBox::Imm:
        if (IsShift(m.ProgMnemonic[s])) {
            v = Ask({kShiftText, kShiftTitle, "0", 0, 31, "Enter a Value between 0 to 31",
                     "Value Out of Range"});
            m.ProgShamt[s] = static_cast<int16_t>(v);
        } else if (reentry) {
            v = Ask({kImmediateText, kImmediateTitle, "0", -32768, 32767, "Enter a 16-bit Value",
                     "Value Too Large"});
        } else {
            v = Ask({kImmediateText, kImmediateTitle, "0", -32768, 32767,
                     "Enter a 16-bit Immediate Value", "Value Out of Range"});
        }
        m.ImmField[s] = v;
        break;
    case ValueBox::BranchOffset:
        v = Ask(BranchPrompt(i));
        m.ProgBranchOffset[s] = static_cast<int16_t>(v);
        break;
    case ValueBox::None:
        return;
    }
    Control &shown = Box(i, box);
    shown.caption = std::to_string(v);
    shown.visible = true;
    if (reentry && description_.reentryShowsRegisters) {
        integerLists_.first[i].visible = true;
        (box == ValueBox::Offset ? integerLists_.third : integerLists_.second)[i].visible = true;
    }
}

void ProgramWriter::Instruction1_Click(int Index) {
    if (!ValidRow(Index)) {
        return;
    }
    SyncListCaption(Instruction1[Index]);
    Machine &m = machine();
    if (m.LoadingFlag) {
        return;
    }
    const size_t s = Slot(Index);
    const std::string mnemonic = ListTextOrCaption(Instruction1[Index]);
    m.ProgMnemonic[s] = mnemonic;

    // Every choice, the same mnemonic again included, resets the row's registers to R0.
    for (const RegisterLists *lists : {&integerLists_, &floatLists_}) {
        const std::vector<Control *> row = ListsOf(*lists, Index);
        if (row.empty()) {
            continue;
        }
        for (Control *list : {row[1], row[2], row[0]}) {
            list->visible = false;
        }
        for (Control *list : {row[1], row[2], row[0]}) {
            list->SetListIndex(0);
        }
    }
    for (Control *c : {&lblBranchOffset[Index], &lblOffset[Index], &lblImmArg[Index],
                       &lblFirstSpace[Index], &lbl2ndSpace[Index]}) {
        c->visible = false;
    }
    lbl2ndSpace[Index].caption = ", ";
    lbl3rdSpace[Index].visible = false;

    const InstrFormatKind format = RowFormatOf(mnemonic, description_.look.mnemonics);
    m.InstrFormat[s] = format;
    const RowShape &shape = ShapeOf(format);
    EnterValue(Index, shape.value, shape.valueTitle, false);
    ShowRow(Index, format);
    m.LoadingFlag = false;
}

void ProgramWriter::lblOffset_Click(int Index) {
    if (ValidRow(Index)) {
        EnterValue(Index, ValueBox::Offset, kOffsetTitle, true);
    }
}

void ProgramWriter::lblImmArg_Click(int Index) {
    if (ValidRow(Index)) {
        EnterValue(Index, ValueBox::Imm, nullptr, true);
    }
}

void ProgramWriter::lblBranchOffset_Click(int Index) {
    if (ValidRow(Index)) {
        EnterValue(Index, ValueBox::BranchOffset, nullptr, true);
    }
}

void ProgramWriter::ListClicked(const char *list, int Index, SlotTable<int16_t> Machine::*field) {
    if (!ValidRow(Index)) {
        return;
    }
    Control &c = C(list, Index);
    SyncListCaption(c);
    // Text typed into the list's text part chooses no item and is never stored.
    if (!machine().LoadingFlag && c.listIndex >= 0 && c.listIndex < kSlots) {
        (machine().*field)[Slot(Index)] = static_cast<int16_t>(c.listIndex);
    }
}

void ProgramWriter::cmdClear_Click() {
    Form_Load();
}

void ProgramWriter::cmdRefresh_Click() {
    Machine &m = machine();
    if (!m.LoadingFlag || m.RefreshDone) {
        return;
    }
    for (int i = 0; i < kSlots; ++i) {
        RefillRow(i);
    }
    m.RefreshDone = true;
    m.LoadingFlag = false;
    AskStartAddress("Please enter Sarting Value of Code Memory/Program Counter",
                    "Start Value for PC/Instruction Memory");
}

void ProgramWriter::cmdEND_Click() {
    desk().Hide(name());
    // A writer lists the row formats of its own mnemonics only.
    AssembleProgramStore(machine(), LastRowFormat(description_.look.mnemonics));
    if (desk().Known(description_.handOverTarget)) {
        desk().Refresh(description_.handOverTarget);
    }
}

void ProgramWriter::picUP_Click(int Index) {
    if (Index <= 0 || Index >= kSlots) {
        return;
    }
    Machine &m = machine();
    const size_t a = Slot(Index);
    const size_t b = Slot(Index - 1);
    std::swap(m.ProgMnemonic[a], m.ProgMnemonic[b]);
    for (auto *table : {&m.RdField, &m.RsField, &m.RtField, &m.AssembledRd, &m.AssembledRt,
                        &m.AssembledRs, &m.ProgBranchOffset, &m.ProgShamt, &m.ProgFunc}) {
        std::swap((*table)[a], (*table)[b]);
    }
    std::swap(m.ImmField[a], m.ImmField[b]);
    std::swap(m.OffsetField[a], m.OffsetField[b]);
    m.LoadingFlag = true;
    SkipAddressPrompt = true;
    Form_Load();
}

std::optional<std::string> ProgramWriter::StateValue(const std::string &name, int) const {
    if (name == "StartAddress") {
        return std::to_string(StartAddress);
    }
    if (name == "SkipAddressPrompt") {
        return SkipAddressPrompt ? "True" : "False";
    }
    return std::nullopt;
}

} // namespace corvexa
