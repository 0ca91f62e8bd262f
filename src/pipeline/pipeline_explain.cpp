// Clicks on the value labels of the drawing explain them in the Information strip.
#include "layouts/five_stage_labels.h"
#include "machine/numstr.h"
#include "pipeline/pipeline_window.h"

namespace corvexa {

namespace {

// A slot read from a latch; nothing is explained for one outside the program.
bool ValidSlot(int s) {
    return s >= 0 && s < kSlots;
}

std::string ImmediateAsWord(int32_t imm) {
    return "32-bit Sign Extended Immediate = 0x" + hex8(imm) +
           ", (In Binary) =" + HexToBin(hex8(imm)) + ",  In Decimal = " + Num(imm);
}

// 4 x Imm wraps to 32 bits, as the branch-target adder computes it.
int32_t TimesFour(int32_t imm) {
    return static_cast<int32_t>(static_cast<uint32_t>(imm) * 4U);
}

} // namespace

void PipelineWindow::lblIFValue_Click(int index) {
    if (ClockCount < Stage::IF) {
        desk().MessageBox("Circuit Not Clocked");
        return;
    }
    const int s = FetchIndex;
    if (!ValidSlot(s)) {
        return;
    }
    const Machine &m = machine();
    const auto slot = static_cast<size_t>(s);
    switch (index) {
    case IfLabel::Address:
        ShowExplanation("Program Counter= " + Num(m.ProgAddress[slot]));
        break;
    case IfLabel::Instruction: {
        const uint32_t word = Tables.InstrWord[slot];
        const std::string h = WordToHex8(word);
        ShowExplanation("IM[PC] = 0x" + h + ", (Bin)= " + HexToBin(h) + ", (Dec)= " + Num(word) +
                        ", Translated to:" + m.ProgText[slot] + ".");
        break;
    }
    default:
        break;
    }
}

void PipelineWindow::lblIDValue_Click(int index) {
    if (ClockCount < Stage::ID) {
        desk().MessageBox("Circuit Not Clocked");
        return;
    }
    if (!ValidSlot(ID.Slot)) {
        return;
    }
    const Machine &m = machine();
    const auto slot = static_cast<size_t>(ID.Slot);
    const int rs = RegIndex(m.ProgRs[slot]);
    const int rt = RegIndex(m.ProgRt[slot]);
    // Register values are read now, not taken from the latched A and B.
    auto reg = [&m](int r) {
        return "REG[" + Num(r) + "]= " + Num(m.RegisterFile[static_cast<size_t>(r)]);
    };
    auto field = [&reg](const char *what, int r) {
        return std::string(what) + Num(r) + ", (In Binary) =" + IntToBinPadded(r, 5) + ",  " +
               reg(r);
    };
    switch (index) {
    case IdLabel::Rs:
        ShowExplanation(field("Rs Field of the instruction = ", rs));
        break;
    case IdLabel::Rt:
    case IdLabel::RtOut:
        ShowExplanation(field("Rt Field of the instruction = ", rt));
        break;
    case IdLabel::Imm16: {
        const int32_t u = ID.Imm >= 0 ? ID.Imm : static_cast<int32_t>(ID.Imm + 65536);
        ShowExplanation("16-bit Immediate Value Field of Instruction = 0x" + hex4(ID.Imm) +
                        ", (In Binary) =" + IntToBinPadded(u, 16) +
                        ",  In Decimal = " + Num(ID.Imm));
        break;
    }
    case IdLabel::Imm32:
        ShowExplanation(ImmediateAsWord(ID.Imm));
        break;
    case IdLabel::RdOut: {
        const int rd = RegIndex(m.ProgRd[slot]);
        ShowExplanation("Rd Field of the instruction = " + Num(rd) + ", (In Binary) =" +
                        IntToBinPadded(rd, 5) + ", This value Only Used in R-Type instructions");
        break;
    }
    case IdLabel::A:
        ShowExplanation("ID.A = " + reg(rs));
        break;
    case IdLabel::B:
        ShowExplanation("ID.B = " + reg(rt));
        break;
    case IdLabel::Npc:
        ShowExplanation("Next PC for this Instruction.  Note the PC for this instruction is " +
                        Num(m.ProgAddress[slot]));
        break;
    default:
        break;
    }
}

void PipelineWindow::lblEXEValue_Click(int index) {
    if (ClockCount < Stage::EXE) {
        desk().MessageBox("Circuit Not Clocked");
        return;
    }
    if (!ValidSlot(EXE.Slot)) {
        return;
    }
    const Machine &m = machine();
    const auto slot = static_cast<size_t>(EXE.Slot);
    switch (index) {
    case ExeLabel::A:
        ShowExplanation("ID/EXE.A = " + Num(EXE.A));
        break;
    case ExeLabel::B:
        ShowExplanation("ID/EXE.B = " + Num(EXE.B));
        break;
    case ExeLabel::Imm32:
        ShowExplanation(ImmediateAsWord(EXE.Imm));
        break;
    case ExeLabel::AluB:
        ShowExplanation("Final Selected B Input of ALU.  Note For I-type it comes from bottom of "
                        "MUX, For R-type from TOP");
        break;
    case ExeLabel::AluOut:
        ShowExplanation("EXE.AluOUT.  A value after Calculation in Exe Stage.  The ALUOP for this "
                        "Instruction is " +
                        Tables.AluOpName[slot]);
        break;
    case ExeLabel::FuncShamt: {
        const int f = m.ProgFunc[slot];
        const int shamt = m.ProgShamt[slot] & 31; // the amount the ALU shifts by
        ShowExplanation("Function Field =" + Num(f) + ", (In Binary) =" + IntToBinPadded(f, 6) +
                        ", in Hex = " + hex2(f) + " and Shift Amount= " + Num(shamt) +
                        ",(In Binary) =" + IntToBinPadded(shamt, 5));
        break;
    }
    case ExeLabel::Rx:
        ShowExplanation("Rx is final destination register chosen from between Rt and Rd.  For "
                        "R-type Instructions Rx = Rd");
        break;
    case ExeLabel::ImmTimes4:
        ShowExplanation("Imm Shifted Left twice (Multiply by 4) =" + Num(EXE.Imm) +
                        " X 4 = " + Num(TimesFour(EXE.Imm)));
        break;
    default:
        ExplainOwnExeValue(index);
        break;
    }
}

void PipelineWindow::lblMEMValue_Click(int index) {
    if (index == MemLabel::TagB) {
        ShowExplanation("EXE/MEM.B = " + Num(MEM.B));
    }
}

} // namespace corvexa
