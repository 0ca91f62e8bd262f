// The EXE stage steps of a clock: latch transfer, load-use tests, bubbles and flushes, the
// forwarding units of ALU input A and the paths into input B, the branch target and the ALU.
#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

using colour::kBlack;
using colour::kBlue;
using colour::kDarkGreen;
using colour::kGreen;
using colour::kRed;
using colour::kYellow;

namespace {

// Instructions whose second register field is no source of the ALU.
bool ReadsRsOnly(const std::string &op) {
    return IsImmediateIntoB(op) || IsBubble(op) || op.empty();
}

// Results before the 32-bit wrap. A set-less compares the whole values, as a subtraction wide
// enough never to overflow would.
int64_t AluResult(AluOp op, int32_t a, int32_t b, int shamt) {
    switch (op) {
    case AluOp::Add:
        return int64_t{a} + b;
    case AluOp::Sub:
        return int64_t{a} - b;
    case AluOp::SetLess:
        return a < b ? 1 : 0;
    case AluOp::And:
        return a & b;
    case AluOp::Or:
        return a | b;
    case AluOp::Nor:
        return ~(a | b);
    case AluOp::ShiftLeft:
        return int64_t{static_cast<uint32_t>(static_cast<uint32_t>(b) << shamt)}; // 32-bit pattern
    case AluOp::ShiftRight:
        return static_cast<int64_t>(static_cast<uint32_t>(b) >> shamt);
    case AluOp::None:
    case AluOp::Nop:
        break;
    }
    return 0;
}

void MakeBubble(StageRecord &r) {
    r.InstrText += "(NOP)";
    r.Colour = kBubbleColour;
    r.Op = kNopMnemonic;
    r.RegWrite = 0;
    r.MemWrite = 0;
}

} // namespace

void PipelineClock::ExePhase(bool held) {
    ExeTakeOver(held);
    ExeLoadUseDetection();
    ExeBubblesAndFlushes();
    ExeAluInputA();
    ExeEarlyRegisterWrite();
    ExeInputB();
    ExeShowValues();
    ExeAlu();
    ExeZeroFlag();
}

void PipelineClock::ExeTakeOver(bool held) {
    PipelineState &s = s_;
    if (!held) {
        s.EXE.NPC = s.ID.NPC;
        s.EXE.B = s.ID.B;
        s.EXE.A = s.ID.A;
        s.EXE.Imm = s.ID.Imm;
        s.EXE.Rd = s.ID.Rd;
        s.EXE.Rt = s.ID.Rt;
        s.EXE.Rs = s.ID.Rs;
        s.EXE.Op = s.ID.Op;
        s.EXE.InstrText = s.ID.InstrText;
        s.EXE.Colour = s.ID.Colour;
        s.EXE.BranchHazardStall = s.ID.BranchHazardStall;
        s.EXE.RegWrite = s.ID.RegWrite;
        s.EXE.MemWrite = s.ID.MemWrite;
        s.EXE.Slot = s.ID.Slot;
    }
    s.SelectMuxB = 0;
}

// A load in MEM (the caller has checked) writes the register the EXE instruction reads as Rs.
bool PipelineClock::LoadUseOnRs() const {
    return s_.MEM.Rx == s_.EXE.Rs;
}

// ... or one of its two sources, for an instruction that reads both.
bool PipelineClock::LoadUseOnSources() const {
    return !ReadsRsOnly(s_.EXE.Op) && (s_.MEM.Rx == s_.EXE.Rs || s_.MEM.Rx == s_.EXE.Rt);
}

void PipelineClock::ExeBubblesAndFlushes() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // The copy of a branch stalled in ID under aggressive branching; it names the register the
    // branch waits for.
    if (m_.ForwardingEnabled && s.EXE.BranchHazardStall) {
        if (s.HazardStall == 1) {
            MakeBubble(s.EXE);
        }
        Explain(std::string(v_.branchStallTextLead) + "A Stall Occurred because of  " +
                Num(s.BranchWaitRegister) +
                " in ID stage.  This situation only happens in Aggressive Branching Case!!!");
        if (v_.writesExplanations) {
            m_.StallText +=
                "\r\n" + c.Information->caption + ".  Note that currently forwarding is ON";
        }
    }
    // The copy of an instruction stalled in ID by the look-ahead (forwarding off).
    if (!m_.ForwardingEnabled && s.HazardStall == 1) {
        if (v_.writesExplanations) {
            m_.StallText += " A stall is detected and Instruction (" + s.EXE.InstrText +
                            ") has been stalled in ID stage and so is (" + s.IF.InstrText +
                            ") in IF stage.This happened becuase of " + m_.StallReasonText +
                            ".  A Copy of this instruction goes in EXE stage but all control are "
                            "made = 0 (RegWrite and MemWrite = 0).  Note that currently "
                            "forwarding is OFF";
        }
        MakeBubble(s.EXE);
    }
    // Flushed by a branch taken in MEM at this clock.
    if (s.FlushFlag) {
        s.EXE.InstrText += "(Flushed)";
        s.EXE.Colour = kBubbleColour;
        s.EXE.RegWrite = 0;
        s.EXE.MemWrite = 0;
        s.EXE.Op = kNopMnemonic;
    }
    c.lblEXEValue[ExeLabel::A].caption = Num(s.EXE.A);
    c.lblEXEValue[ExeLabel::B].caption = Num(s.EXE.B);
    c.lblEXEValue[ExeLabel::AluA].foreColor = kBlack;
    c.lblEXEValue[ExeLabel::AluB].foreColor = kBlack;
}

// ALU input A: MEM before WB; the address of a load in MEM is never forwarded.
void PipelineClock::ExeAluInputA() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    Control &select = c.lblEXEValue[ExeLabel::SelectA];
    if (!m_.ForwardingEnabled) {
        s.AluA = s.EXE.A;
        select.caption = "0";
        c.lblForward->foreColor = kBlue;
    } else {
        select.visible = true;
        if (!IsLoad(s.MEM.Op) && s.MEM.RegWrite == 1 && s.EXE.Rs != 0 && s.EXE.Rs == s.MEM.Rx) {
            s.AluA = s.MEM.AluOUT;
            select.caption = "1";
            c.lblForward->foreColor = kRed;
            c.lblEXEValue[ExeLabel::AluA].foreColor = kDarkGreen;
            Explain("Data  (" + Num(s.AluA) +
                    ") Forwarded between MEM stage and Exe Stage on A Input of ALU");
            if (v_.writesExplanations) {
                m_.ForwardingText += "\r\n" + c.Information->caption +
                                     " because Rs Field of Instruction in EXE stage is same as RX "
                                     "field in MEM (R" +
                                     Str(s.MEM.Rx) + "). WB forwarding to Rs Neglected.";
            }
        } else if (s.WB.RegWrite == 1 && s.EXE.Rs != 0 && s.EXE.Rs == s.WB.Rx) {
            s.AluA = IsLoad(s.WB.Op) ? s.WB.LMD : s.WB.AluOUT;
            select.caption = "2";
            c.lblForward->foreColor = kRed;
            c.lblEXEValue[ExeLabel::AluA].foreColor = kGreen;
            Explain("Data (" + Num(s.AluA) +
                    ") Forwarded between WB stage and Exe Stage on A Input of ALU");
            if (v_.writesExplanations) {
                m_.ForwardingText += "\r\n" + c.Information->caption +
                                     " because Rs Field of Instruction in EXE stage is same as RX "
                                     "field in WB = R" +
                                     Str(s.WB.Rx);
            }
        } else {
            s.AluA = s.EXE.A;
            select.caption = "0";
            c.lblForward->foreColor = kBlue;
        }
    }
    c.lblEXEValue[ExeLabel::AluA].caption = Num(s.AluA);
}

// The branch held in ID by an early-branch stall gets the result now in MEM.
void PipelineClock::ExeEarlyRegisterWrite() {
    if (s_.EXE.BranchHazardStall) {
        EarlyBranchOperandUpdate();
    }
}

void PipelineClock::ForwardBFromMem() {
    PipelineState &s = s_;
    s.ForwardedB = s.MEM.AluOUT;
    s.SelectMuxB = 2;
    c_.lblForward->foreColor = kYellow;
    if (v_.coloursOperandSources) {
        c_.lblEXEValue[ExeLabel::AluB].foreColor = kDarkGreen;
    }
    Explain("Data (" + Num(s.ForwardedB) +
            ") Forwarded between MEM stage and Exe Stage on B Input of ALU");
    if (v_.writesExplanations) {
        m_.ForwardingText += "  \r\n" + c_.Information->caption +
                             " because Rt Field of Instruction in EXE stage is same as RX field "
                             "in MEM (R" +
                             Str(s.MEM.Rx) + ").  WB Forwarding (Rt)Ignored.";
    }
}

void PipelineClock::ForwardBFromWb() {
    PipelineState &s = s_;
    s.ForwardedB = IsLoad(s.WB.Op) ? s.WB.LMD : s.WB.AluOUT;
    s.SelectMuxB = 3;
    c_.lblForward->foreColor = kRed;
    if (v_.coloursOperandSources) {
        c_.lblEXEValue[ExeLabel::AluB].foreColor = kGreen;
    }
    Explain("Data (" + Num(s.ForwardedB) +
            ") Forwarded between WB stage and Exe Stage on B Input of ALU");
    if (v_.writesExplanations) {
        m_.ForwardingText += "  \r\n" + c_.Information->caption +
                             " because Rt Field of Instruction in EXE stage is same as RX field "
                             "in WB = R" +
                             Str(s.WB.Rx);
    }
}

void PipelineClock::ExeShowValues() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const ControlArray &exe = c.lblEXEValue;
    exe[ExeLabel::StoreData].caption = Num(s.EXE.B);
    exe[ExeLabel::Rt].caption = "Rt=" + Num(s.EXE.Rt);
    exe[ExeLabel::Rd].caption = "Rd=" + Num(s.EXE.Rd);
    exe[ExeLabel::Imm32].caption = hex8(s.EXE.Imm);
    exe[ExeLabel::Npc].caption = "NPC= " + Num(s.EXE.NPC);
    const int32_t imm4 = Wrap32(int64_t{4} * s.EXE.Imm);
    exe[ExeLabel::ImmTimes4].caption = Num(imm4);
    s.EXE.BTA = Wrap32(int64_t{s.EXE.NPC} + imm4);
    exe[ExeLabel::BranchTarget].caption = Num(s.EXE.BTA);

    c.txtStageInfo2[Stage::EXE].caption = s.EXE.InstrText;
    for (int wire : {ValueWire::LatchA, ValueWire::AluInputA, ValueWire::AluResult}) {
        c.Line3[wire].visible = true;
    }
    for (int i :
         {ExeLabel::A, ExeLabel::B, ExeLabel::Imm32, ExeLabel::Rt, ExeLabel::Rd, ExeLabel::AluA,
          ExeLabel::AluB, ExeLabel::AluOut, ExeLabel::FuncShamt, ExeLabel::SelectB, ExeLabel::AluOp,
          ExeLabel::Rx, ExeLabel::BranchTarget, ExeLabel::Npc, ExeLabel::StoreData,
          ExeLabel::SelectRx, ExeLabel::ImmTimes4, ExeLabel::Zero}) {
        exe[i].visible = true;
    }
    if (c.exeControls != nullptr) {
        c.exeControls->visible = true;
    }
    c.lblStage[Stage::EXE].visible = true;
    c.txtStageInfo2[Stage::EXE].foreColor = s.EXE.Colour;
    ColourRow(s.EXE.Slot, s.EXE.Colour);
    c.txtStageInfo2[Stage::EXE].visible = true;
}

// The ALU. Results are wrapped to 32 bits; the shift amount is the 5-bit field, and the drawing
// shows the amount used.
void PipelineClock::ExeAlu() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const ControlArray &exe = c.lblEXEValue;
    const std::string &op = s.EXE.Op;
    const int slot = RegIndex(s.EXE.Slot);
    const int shamt = m_.ProgShamt[slot] & 31;

    const AluOp alu = AluOpOf(op);
    if (alu == AluOp::None) {
        desk_.MessageBox("Unrecognised Command Caught in EXE Stage");
        return;
    }
    enum class Row { Immediate, RegisterB, Nop } row = Row::RegisterB;
    int32_t b = 0;
    if (alu == AluOp::Nop) {
        row = Row::Nop;
    } else if (IsImmediateIntoB(op)) {
        // A load or store keeps its immediate as input B; the other immediates leave the last
        // register input there.
        if (IsLoad(op) || IsStore(op)) {
            s.AluB = s.EXE.Imm;
        }
        b = s.EXE.Imm;
        row = Row::Immediate;
    } else {
        exe[ExeLabel::SelectB].caption = "0";
        s.AluB = s.EXE.B;
        if (s.SelectMuxB > 1) {
            s.AluB = s.ForwardedB;
            exe[ExeLabel::SelectB].caption = Num(s.SelectMuxB);
        }
        b = s.AluB;
    }
    const int64_t out = AluResult(alu, s.AluA, b, shamt);

    switch (row) {
    case Row::Immediate:
        s.EXE.AluOUT = Wrap32(out);
        s.EXE.Rx = s.EXE.Rt;
        exe[ExeLabel::SelectRx].caption = "0";
        exe[ExeLabel::SelectB].caption = "1";
        exe[ExeLabel::AluB].caption = Num(s.EXE.Imm);
        if (v_.coloursOperandSources) {
            exe[ExeLabel::AluB].foreColor = colour::kMagenta;
        }
        exe[ExeLabel::Rx].caption = "Rx: " + Num(s.EXE.Rx);
        break;
    case Row::RegisterB:
        s.EXE.AluOUT = Wrap32(out);
        s.EXE.Rx = IsBranch(op) ? s.EXE.Rt : s.EXE.Rd;
        exe[ExeLabel::SelectRx].caption = IsBranch(op) ? "0" : "1";
        exe[ExeLabel::AluB].caption = Num(s.AluB);
        exe[ExeLabel::Rx].caption = "RX: " + Num(s.EXE.Rx);
        break;
    case Row::Nop:
        s.EXE.AluOUT = 0;
        s.EXE.Rx = s.EXE.Rd;
        exe[ExeLabel::SelectRx].caption = "1";
        exe[ExeLabel::SelectB].caption = "0";
        exe[ExeLabel::AluB].caption = Num(m_.RegisterFile[RegIndex(s.EXE.Rt)]);
        exe[ExeLabel::Rx].caption = "RX: " + Num(s.EXE.Rx);
        break;
    }
    exe[ExeLabel::AluOut].caption = Num(s.EXE.AluOUT);
    exe[ExeLabel::AluOp].caption = s.Tables.AluOpName[slot];
    exe[ExeLabel::FuncShamt].caption = "func " + Num(m_.ProgFunc[slot]) + "\r\nShmt " + Num(shamt);
}

void PipelineClock::ExeZeroFlag() {
    s_.EXE.Zero = s_.EXE.AluOUT == 0 ? 1 : 0;
    c_.lblEXEValue[ExeLabel::Zero].caption = s_.EXE.Zero == 1 ? "1 " : "0 ";
}

} // namespace corvexa
