// Clicks on the elements only the five-stage drawing explains.
#include "fivestage/frmMIPSFiveStageInt.h"
#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"

namespace corvexa {

void frmMIPSFiveStageInt::RegisterExplainHandlers() {
    On("lblValue", [this](int index) { lblValue_Click(index); });
    On("Picture2", [this] { Picture2_Click(); });
    On("Picture4", [this] { Picture4_Click(); });
}

void frmMIPSFiveStageInt::ExplainOwnExeValue(int index) {
    if (index == ExeLabel::Controls) {
        ShowExplanation("Controls For " + EXE.Op + " Look at ALU_OP, Bottom RX MUX, ALU Input Mux");
    }
}

void frmMIPSFiveStageInt::lblValue_Click(int index) {
    if (index == 2) {
        ShowExplanation("Control Hardware that generates controls (Red Coloured Wires) for other "
                        "stages.  Input is 6-bit OpCode = " +
                            ID.Op,
                        false);
    }
}

void frmMIPSFiveStageInt::Picture2_Click() {
    std::string text = "ALU for calculating Branch target address (BTA). Its output is only "
                       "useful in branch instructions";
    if (IsBranchMnemonic(EXE.Op)) {
        text += "  like CURRENT instruction.";
    }
    ShowExplanation(text);
}

void frmMIPSFiveStageInt::Picture4_Click() {
    ShowExplanation("Circuit output TRUE if BEQ AND Z flag is 1 OR BNEQ and Z Flag is 0"
                    ". Currently OpCode is " +
                    MEM.Op + " and z is " + Num(MEM.Zero) +
                    (MEM.BranchTaken ? ", hence branch TRUE" : ", hence Branch FALSE"));
}

} // namespace corvexa
