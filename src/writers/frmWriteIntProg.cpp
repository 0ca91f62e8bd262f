#include "writers/frmWriteIntProg.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "layouts/write_int_prog_layout.h"
#include "machine/hand_over.h"
#include "ui/number_prompt.h"

namespace corvexa {

namespace {

constexpr const char *kProperInteger = "Enter a Proper Integer Value";
constexpr const char *kWrongEntry = "Wrong Entry";
constexpr const char *kOffsetText = "Please enter a 16-bit Offset Value";
constexpr const char *kOffsetTitle = "Offset Value for Load/Store";
constexpr const char *kImmediateText = "Please enter a 16-bit Immediate Value";
constexpr const char *kImmediateTitle = "Immediate Value for I-Type";
constexpr const char *kShiftText = "Please enter Shift Amount between 0 to 31";
constexpr const char *kShiftTitle = "Shift Amount for I-Type";
constexpr int kLastAddressStep = 4 * (kSlots - 1);

// Widths the fresh layout gives the row controls.
constexpr int kAddressWidth = 1095;
constexpr int kMnemonicWidth = 1000;
constexpr int kOperandWidth = 800;
constexpr int kSeparatorWidth = 90;
constexpr int kBoxHeight = 230;
constexpr int kRowGap = 10;
constexpr int kGroupGap = 100; // before rows 5, 10, ..., 30
constexpr int kValueDrop = 25; // value boxes sit a little below their row's top
constexpr int kChainGap = 2;

bool ValidRow(int i) {
    return i >= 0 && i < kSlots;
}
size_t Slot(int i) {
    return static_cast<size_t>(i);
}

int After(const Control &c) {
    return c.left + c.width + kChainGap;
}

bool IsOneOf(const std::string &s, std::initializer_list<const char *> names) {
    return std::any_of(names.begin(), names.end(), [&](const char *n) { return s == n; });
}

bool IsLoadStore(const std::string &m) {
    return IsOneOf(m, {"SW", "LW"});
}
bool IsImmediate(const std::string &m) {
    return IsOneOf(m, {"SLTIU", "SLTI", "ADDIU", "ADDI"});
}
bool IsShift(const std::string &m) {
    return IsOneOf(m, {"SRL", "SLL"});
}
bool IsBranch(const std::string &m) {
    return IsOneOf(m, {"BNEQ", "BEQ"});
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

frmWriteIntProg::frmWriteIntProg(Desk &desk)
    : Form(desk, "frmWriteIntProg", WriteIntProgLayout()), lblPCValue(Array("lblPCValue")),
      Instruction1(Array("Instruction1")), cmbRdField(Array("cmbRdField")),
      lblFirstSpace(Array("lblFirstSpace")), cmbRsField(Array("cmbRsField")),
      lblOffset(Array("lblOffset")), lbl2ndSpace(Array("lbl2ndSpace")),
      cmbRtField(Array("cmbRtField")), lblImmArg(Array("lblImmArg")),
      lblBranchOffset(Array("lblBranchOffset")), lbl3rdSpace(Array("lbl3rdSpace")) {
    left = kWriteIntProgLeft;
    top = kWriteIntProgTop;
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

void frmWriteIntProg::Form_Load() {
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

void frmWriteIntProg::FreshRow(int i) {
    Machine &m = machine();
    const size_t s = Slot(i);

    for (Control *box : {&lblPCValue[i], &lblBranchOffset[i], &lblOffset[i], &lblImmArg[i],
                         &lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        box->height = kBoxHeight;
    }
    lblPCValue[i].width = kAddressWidth;
    Instruction1[i].width = kMnemonicWidth;
    for (Control *c : {&cmbRdField[i], &cmbRsField[i], &cmbRtField[i], &lblOffset[i], &lblImmArg[i],
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
    for (Control *c : {&Instruction1[i], &cmbRdField[i], &cmbRsField[i], &cmbRtField[i],
                       &lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->top = rowTop;
    }
    for (Control *c : {&lblOffset[i], &lblImmArg[i], &lblBranchOffset[i]}) {
        c->top = rowTop + kValueDrop;
    }
    Instruction1[i].left = After(lblPCValue[i]);
    cmbRdField[i].left = After(Instruction1[i]);
    lblFirstSpace[i].left = After(cmbRdField[i]);
    cmbRsField[i].left = After(lblFirstSpace[i]);
    lblOffset[i].left = After(lblFirstSpace[i]);
    lbl2ndSpace[i].left = After(cmbRsField[i]);
    cmbRtField[i].left = After(lbl2ndSpace[i]);
    lblImmArg[i].left = After(lbl2ndSpace[i]);
    lblBranchOffset[i].left = After(lbl2ndSpace[i]);
    lbl3rdSpace[i].left = After(cmbRtField[i]);

    m.RsField[s] = m.RtField[s] = m.RdField[s] = 0;
    m.ProgBranchOffset[s] = 0;
    m.ImmField[s] = m.OffsetField[s] = 0;
    m.ProgFunc[s] = m.ProgShamt[s] = 0;

    Instruction1[i].visible = true;
    Instruction1[i].caption = kIntMnemonics[kNopItem];
    Instruction1[i].SetListIndex(kNopItem);
    for (Control *list : {&cmbRdField[i], &cmbRsField[i], &cmbRtField[i]}) {
        list->SetListIndex(0);
    }
    lblBranchOffset[i].caption = "0";
    lblImmArg[i].caption = "0";
    for (Control *c : {&cmbRdField[i], &cmbRsField[i], &cmbRtField[i], &lblOffset[i], &lblImmArg[i],
                       &lblBranchOffset[i], &lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->visible = false;
    }
    m.ProgMnemonic[s] = "NOP";
    m.InstrFormat[s] = FormatNop;
    SkipAddressPrompt = false;
}

void frmWriteIntProg::RefillRow(int i) {
    Machine &m = machine();
    const size_t s = Slot(i);
    const std::string mnemonic = m.ProgMnemonic[s];

    Instruction1[i].visible = true;
    for (Control *c : {&cmbRdField[i], &cmbRsField[i], &cmbRtField[i], &lblOffset[i], &lblImmArg[i],
                       &lblBranchOffset[i], &lblFirstSpace[i], &lbl2ndSpace[i], &lbl3rdSpace[i]}) {
        c->visible = false;
    }
    ShowListText(Instruction1[i], mnemonic);
    lbl2ndSpace[i].caption = ", ";

    if (IsLoadStore(mnemonic)) {
        m.InstrFormat[s] = FormatLoadStore;
        lblOffset[i].caption = std::to_string(m.OffsetField[s]);
        ShowRegister(cmbRdField[i], m.RdField[s]);
        ShowRegister(cmbRtField[i], m.RtField[s]);
        ShowOperands(i, false, true, true);
        lblOffset[i].visible = true;
    } else if (IsImmediate(mnemonic) || IsShift(mnemonic)) {
        m.InstrFormat[s] = FormatImmediate;
        lblImmArg[i].caption = std::to_string(m.ImmField[s]);
        ShowRegister(cmbRdField[i], m.RdField[s]);
        ShowRegister(cmbRsField[i], m.RsField[s]);
        ShowOperands(i, true, false, false);
        lblImmArg[i].visible = true;
    } else if (IsBranch(mnemonic)) {
        m.InstrFormat[s] = FormatBranch;
        lblBranchOffset[i].caption = std::to_string(m.ProgBranchOffset[s]);
        ShowRegister(cmbRdField[i], m.RdField[s]);
        ShowRegister(cmbRsField[i], m.RsField[s]);
        ShowOperands(i, true, false, false);
        lblBranchOffset[i].visible = true;
    } else if (mnemonic == "NOP") {
        m.InstrFormat[s] = FormatNop;
    } else {
        // Every other mnemonic, one the list does not hold included, is shown with three
        // registers, as the listing will show it.
        m.InstrFormat[s] = FormatRegister;
        ShowRegister(cmbRdField[i], m.RdField[s]);
        ShowRegister(cmbRtField[i], m.RtField[s]);
        ShowRegister(cmbRsField[i], m.RsField[s]);
        ShowOperands(i, true, true, false);
    }
}

// Makes the registers and separators of a row's format visible: always Rd and the first
// separator; Rs and Rt as asked; a load or store puts its base register in parentheses.
void frmWriteIntProg::ShowOperands(int i, bool rs, bool rt, bool loadStore) {
    cmbRdField[i].visible = true;
    cmbRsField[i].visible = rs;
    cmbRtField[i].visible = rt;
    lblFirstSpace[i].visible = true;
    lbl2ndSpace[i].visible = true;
    lbl2ndSpace[i].caption = loadStore ? "(" : ", ";
    lbl3rdSpace[i].visible = loadStore;
}

void frmWriteIntProg::AskStartAddress(const char *prompt, const char *title) {
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

int32_t frmWriteIntProg::Ask(const Prompt &p) {
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

frmWriteIntProg::Prompt frmWriteIntProg::BranchPrompt(int row) const {
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

void frmWriteIntProg::Instruction1_Click(int Index) {
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

    for (Control *list : {&cmbRsField[Index], &cmbRtField[Index], &cmbRdField[Index]}) {
        list->visible = false;
    }
    for (Control *list : {&cmbRsField[Index], &cmbRtField[Index], &cmbRdField[Index]}) {
        list->SetListIndex(0);
    }
    for (Control *c : {&lblBranchOffset[Index], &lblOffset[Index], &lblImmArg[Index],
                       &lblFirstSpace[Index], &lbl2ndSpace[Index]}) {
        c->visible = false;
    }
    lbl2ndSpace[Index].caption = ", ";
    lbl3rdSpace[Index].visible = false;

    if (IsLoadStore(mnemonic)) {
        m.InstrFormat[s] = FormatLoadStore;
        const int32_t v = Ask({kOffsetText, kOffsetTitle, "0", -32768, 32767,
                               "Enter a 16-bit Value", "Value Too Large"});
        m.OffsetField[s] = v;
        lblOffset[Index].caption = std::to_string(v);
        lblOffset[Index].visible = true;
        ShowOperands(Index, false, true, true);
    } else if (IsImmediate(mnemonic) || IsShift(mnemonic)) {
        m.InstrFormat[s] = FormatImmediate;
        int32_t v = 0;
        if (IsShift(mnemonic)) {
            v = Ask({kShiftText, kShiftTitle, "0", 0, 31, "Enter a Value between 0 to 31",
                     "Value Out of Range"});
            m.ProgShamt[s] = static_cast<int16_t>(v);
        } else {
            v = Ask({kImmediateText, kImmediateTitle, "0", -32768, 32767,
                     "Enter a 16-bit Immediate Value", "Value Out of Range"});
        }
        m.ImmField[s] = v;
        lblImmArg[Index].caption = std::to_string(v);
        lblImmArg[Index].visible = true;
        ShowOperands(Index, true, false, false);
    } else if (IsBranch(mnemonic)) {
        m.InstrFormat[s] = FormatBranch;
        const int32_t v = Ask(BranchPrompt(Index));
        m.ProgBranchOffset[s] = static_cast<int16_t>(v);
        lblBranchOffset[Index].caption = std::to_string(v);
        lblBranchOffset[Index].visible = true;
        ShowOperands(Index, true, false, false);
    } else if (mnemonic == "NOP") {
        m.InstrFormat[s] = FormatNop;
    } else {
        m.InstrFormat[s] = FormatRegister;
        ShowOperands(Index, true, true, false);
    }
    m.LoadingFlag = false;
}

void frmWriteIntProg::lblOffset_Click(int Index) {
    if (!ValidRow(Index)) {
        return;
    }
    const int32_t v = Ask(
        {kOffsetText, kOffsetTitle, "0", -32768, 32767, "Enter a 16-bit Value", "Value Too Large"});
    machine().OffsetField[Slot(Index)] = v;
    lblOffset[Index].caption = std::to_string(v);
    lblOffset[Index].visible = true;
    cmbRdField[Index].visible = true;
    cmbRtField[Index].visible = true;
}

void frmWriteIntProg::lblImmArg_Click(int Index) {
    if (!ValidRow(Index)) {
        return;
    }
    Machine &m = machine();
    const size_t s = Slot(Index);
    int32_t v = 0;
    if (IsShift(m.ProgMnemonic[s])) {
        // A shift's amount is asked again as a shift amount and kept in both tables, so the
        // listing and the assembled word never disagree.
        v = Ask({kShiftText, kShiftTitle, "0", 0, 31, "Enter a Value between 0 to 31",
                 "Value Out of Range"});
        m.ProgShamt[s] = static_cast<int16_t>(v);
    } else {
        v = Ask({kImmediateText, kImmediateTitle, "0", -32768, 32767, "Enter a 16-bit Value",
                 "Value Too Large"});
    }
    m.ImmField[s] = v;
    lblImmArg[Index].caption = std::to_string(v);
    lblImmArg[Index].visible = true;
    cmbRdField[Index].visible = true;
    cmbRsField[Index].visible = true;
}

void frmWriteIntProg::lblBranchOffset_Click(int Index) {
    if (!ValidRow(Index)) {
        return;
    }
    const int32_t v = Ask(BranchPrompt(Index));
    machine().ProgBranchOffset[Slot(Index)] = static_cast<int16_t>(v);
    lblBranchOffset[Index].caption = std::to_string(v);
    lblBranchOffset[Index].visible = true;
    cmbRdField[Index].visible = true;
    cmbRsField[Index].visible = true;
}

void frmWriteIntProg::RegisterListClicked(const char *list, int Index, int16_t &field) {
    Control &c = C(list, Index);
    SyncListCaption(c);
    // Text typed into the list's text part chooses no item and is never stored.
    if (!machine().LoadingFlag && c.listIndex >= 0 && c.listIndex < kSlots) {
        field = static_cast<int16_t>(c.listIndex);
    }
}

void frmWriteIntProg::cmbRdField_Click(int Index) {
    if (ValidRow(Index)) {
        RegisterListClicked("cmbRdField", Index, machine().RdField[Slot(Index)]);
    }
}

void frmWriteIntProg::cmbRsField_Click(int Index) {
    if (ValidRow(Index)) {
        RegisterListClicked("cmbRsField", Index, machine().RsField[Slot(Index)]);
    }
}

void frmWriteIntProg::cmbRtField_Click(int Index) {
    if (ValidRow(Index)) {
        RegisterListClicked("cmbRtField", Index, machine().RtField[Slot(Index)]);
    }
}

void frmWriteIntProg::cmdClear_Click() {
    Form_Load();
}

void frmWriteIntProg::cmdRefresh_Click() {
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

void frmWriteIntProg::cmdEND_Click() {
    desk().Hide(name());
    AssembleProgramStore(machine());
    if (desk().Known("frmMIPSFiveStageInt")) {
        desk().Refresh("frmMIPSFiveStageInt");
    }
}

void frmWriteIntProg::picUP_Click(int Index) {
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

std::optional<std::string> frmWriteIntProg::StateValue(const std::string &name, int) const {
    if (name == "StartAddress") {
        return std::to_string(StartAddress);
    }
    if (name == "SkipAddressPrompt") {
        return SkipAddressPrompt ? "True" : "False";
    }
    return std::nullopt;
}

} // namespace corvexa
