#pragma once
// A program writer: one row per program slot, a mnemonic list and the operand controls of the
// chosen instruction's row format. "ASSEMBLE" hands the rows to a pipeline window. The integer
// and floating-point writers are this window with a description of their own.

#include <cstdint>
#include <string>
#include <vector>

#include "layouts/writer_layout.h"
#include "ui/form.h"

namespace corvexa {

struct WriterDescription {
    const char *name;
    WriterLook look; // caption, colours, mnemonic items, extra register lists
    int left, top;
    // Re-entering a value shows the row's register lists again.
    bool reentryShowsRegisters;
    const char *handOverTarget; // the window "ASSEMBLE" brings up to date
};

// The two writers' descriptions, each defined beside its writer.
const WriterDescription &IntWriterDescription();
const WriterDescription &FPWriterDescription();

class ProgramWriter : public Form {
public:
    ProgramWriter(Desk &desk, const WriterDescription &description);

    void Form_Load() override;
    std::optional<std::string> StateValue(const std::string &name, int index) const override;

    void cmdClear_Click();
    void cmdRefresh_Click();
    void cmdEND_Click();
    void Instruction1_Click(int Index);
    void lblOffset_Click(int Index);
    void lblImmArg_Click(int Index);
    void lblBranchOffset_Click(int Index);
    void cmbRdField_Click(int Index) { ListClicked("cmbRdField", Index, &Machine::RdField); }
    void cmbRsField_Click(int Index) { ListClicked("cmbRsField", Index, &Machine::RsField); }
    void cmbRtField_Click(int Index) { ListClicked("cmbRtField", Index, &Machine::RtField); }

    int32_t StartAddress = 0;       // the last start address given, a multiple of 4
    bool SkipAddressPrompt = false; // the next Form_Load leaves the addresses alone

    // The value boxes of a row; each row format shows at most one.
    enum class ValueBox { None, Offset, Imm, BranchOffset };

protected:
    // Stores a list's choice in a register operand, unless the rows are being refilled.
    void ListClicked(const char *list, int Index, SlotTable<int16_t> Machine::*field);

private:
    struct Prompt {
        std::string text, title, defaultText;
        int32_t lowest, highest;
        const char *rangeMessage;
        const char *rangeTitle;
    };
    // The lists of a row's first, second and third register operand.
    struct RegisterLists {
        ControlArray first, second, third;
    };
    void picUP_Click(int Index);

    void FreshRow(int i);
    void RefillRow(int i);
    void HideOperands(int i);
    // The lists of row i in one family, first to third operand; none in a writer without them.
    static std::vector<Control *> ListsOf(const RegisterLists &lists, int i);
    void ShowRow(int i, InstrFormatKind format);
    // Puts a row's separators and offset box beside the lists its format shows.
    void PlaceSeparators(int i, const RegisterLists &lists);
    void EnterValue(int i, ValueBox box, const char *title, bool reentry);
    Control &Box(int i, ValueBox box) const;
    void AskStartAddress(const char *prompt, const char *title);
    int32_t Ask(const Prompt &p);
    Prompt BranchPrompt(int row) const;

    const WriterDescription description_;

    // The controls of row i: the slot's address, mnemonic, operands and separators.
    ControlArray lblPCValue, Instruction1, lblFirstSpace, lblOffset, lbl2ndSpace, lblImmArg,
        lblBranchOffset, lbl3rdSpace;
    RegisterLists integerLists_, floatLists_; // floatLists_ is empty in a writer without them
};

} // namespace corvexa
