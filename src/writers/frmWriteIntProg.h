#pragma once
// The integer program writer: one row per program slot, a mnemonic list and the operand controls
// of the chosen instruction's format. "ASSEMBLE" hands the rows to the pipeline windows.

#include <cstdint>
#include <string>

#include "ui/form.h"

namespace corvexa {

class frmWriteIntProg : public Form {
public:
    explicit frmWriteIntProg(Desk &desk);

    void Form_Load() override;
    std::optional<std::string> StateValue(const std::string &name, int index) const override;

    void cmdClear_Click();
    void cmdRefresh_Click();
    void cmdEND_Click();
    void Instruction1_Click(int Index);
    void lblOffset_Click(int Index);
    void lblImmArg_Click(int Index);
    void lblBranchOffset_Click(int Index);
    void cmbRdField_Click(int Index);
    void cmbRsField_Click(int Index);
    void cmbRtField_Click(int Index);

    int32_t StartAddress = 0;       // the last start address given, a multiple of 4
    bool SkipAddressPrompt = false; // the next Form_Load leaves the addresses alone

private:
    struct Prompt {
        std::string text, title, defaultText;
        int32_t lowest, highest;
        const char *rangeMessage;
        const char *rangeTitle;
    };

    void picUP_Click(int Index);

    void FreshRow(int i);
    void RefillRow(int i);
    void AskStartAddress(const char *prompt, const char *title);
    int32_t Ask(const Prompt &p);
    Prompt BranchPrompt(int row) const;
    void ShowOperands(int i, bool rs, bool rt, bool loadStore);
    void RegisterListClicked(const char *list, int Index, int16_t &field);

    // The controls of row i: the slot's address, mnemonic, operands and separators.
    ControlArray lblPCValue, Instruction1, cmbRdField, lblFirstSpace, cmbRsField, lblOffset,
        lbl2ndSpace, cmbRtField, lblImmArg, lblBranchOffset, lbl3rdSpace;
};

} // namespace corvexa
