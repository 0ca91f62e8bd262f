// The two last stages of a clock: write-back and memory access with the branch decision.
#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"
#include "pipeline/memory_map.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

void PipelineClock::WbPhase() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const ControlArray &wb = c.lblWBValue;
    // The instruction leaving the pipeline.
    ColourRow(s.WB.Slot, kRetiredColour);
    s.WB.AluOUT = s.MEM.AluOUT;
    s.WB.LMD = s.MEM.LMD;
    s.WB.Rx = s.MEM.Rx;
    s.WB.Op = s.MEM.Op;
    s.WB.InstrText = s.MEM.InstrText;
    s.WB.Slot = s.MEM.Slot;
    s.WB.BranchTaken = s.MEM.BranchTaken;
    s.WB.Colour = s.MEM.Colour;
    s.WB.RegWrite = s.MEM.RegWrite;
    s.WB.BTA = s.MEM.BTA;
    for (int i : {WbLabel::Lmd, WbLabel::AluOut, WbLabel::Value, WbLabel::Rx, WbLabel::RegWrite,
                  WbLabel::WritePort, WbLabel::ValueStrip, WbLabel::ValueStripTag,
                  WbLabel::SelectValue, WbLabel::RegWriteControl}) {
        wb[i].visible = true;
    }
    wb[WbLabel::Lmd].caption = Num(s.WB.LMD);
    wb[WbLabel::AluOut].caption = Num(s.WB.AluOUT);
    // Write-back select.
    if (IsLoad(s.WB.Op)) {
        s.WB.WriteBackValue = s.WB.LMD;
        wb[WbLabel::Value].caption = Num(s.WB.LMD);
        wb[WbLabel::SelectValue].caption = "1";
    } else {
        wb[WbLabel::Value].caption = Num(s.WB.AluOUT);
        wb[WbLabel::SelectValue].caption = "0";
        s.WB.WriteBackValue = s.WB.AluOUT;
    }
    // Register write; R0 keeps 0 but counts as having a value.
    if (s.WB.RegWrite == 1) {
        const int rx = RegIndex(s.WB.Rx);
        m_.RegisterHasValue[rx] = true;
        if (rx != 0) {
            m_.RegisterFile[rx] = s.WB.WriteBackValue;
        }
    }
    wb[WbLabel::RegWriteControl].caption = "RegWrite" + Num(s.WB.RegWrite);
    wb[WbLabel::Rx].caption = "Rx=" + Num(s.WB.Rx);
    wb[WbLabel::ValueStrip].caption = Num(s.WB.WriteBackValue);
    c.txtStageInfo2[Stage::WB].caption = s.WB.InstrText;
    wb[WbLabel::RegWrite].caption = Num(s.WB.RegWrite);
    wb[WbLabel::WritePort].caption = Num(s.WB.Rx);
    c.lblStage[Stage::WB].visible = true;
    c.txtStageInfo2[Stage::WB].visible = true;
    c.txtStageInfo2[Stage::WB].foreColor = s.WB.Colour;
    ColourRow(s.WB.Slot, s.WB.Colour);
}

void PipelineClock::MemPhase(bool loadUseBubble) {
    MemTakeOver();
    MemLoadUseBubble(loadUseBubble);
    MemAccessAndBranch();
}

void PipelineClock::MemTakeOver() {
    PipelineState &s = s_;
    s.MEM.RegWrite = s.EXE.RegWrite;
    s.MEM.MemWrite = s.EXE.MemWrite;
    s.MEM.Slot = s.EXE.Slot;
    s.MEM.AluOUT = s.EXE.AluOUT;
    s.MEM.BTA = s.EXE.BTA;
    s.MEM.Zero = s.EXE.Zero;
    s.MEM.Rx = s.EXE.Rx;
    s.MEM.Op = s.EXE.Op;
    s.MEM.InstrText = s.EXE.InstrText;
    s.MEM.NPC = s.EXE.NPC;
    s.MEM.B = s.EXE.B;
    s.MEM.Colour = s.EXE.Colour;
    s.MEM.BranchHazardStall = s.EXE.BranchHazardStall;
    // The copy of a stalled early branch ends its stall here.
    if (s.MEM.BranchHazardStall) {
        s.HazardStall = 0;
    }
}

void PipelineClock::MemLoadUseBubble(bool stalled) {
    if (!stalled) {
        return;
    }
    StageRecord &mem = s_.MEM;
    mem.InstrText += "(NOP)";
    if (v_.writesExplanations) {
        m_.StallText += "\r\n  Currently A Load Use Stall has been detected.  ";
    }
    mem.Op = kNopMnemonic;
    mem.Colour = kBubbleColour;
    mem.RegWrite = 0;
    mem.MemWrite = 0;
}

void PipelineClock::MemAccessAndBranch() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const ControlArray &mem = c.lblMEMValue;
    c.txtStageInfo2[Stage::MEM].caption = s.MEM.InstrText;
    if (!m_.AggressiveBranching) {
        for (int i : {MemLabel::Zero, MemLabel::BranchTarget, MemLabel::BranchOutcome}) {
            mem[i].visible = true;
        }
    }
    // Store data, default path.
    mem[MemLabel::DataIn].foreColor = colour::kBlack;
    mem[MemLabel::SelectData].caption = "0";
    s.MEM.DataIn = s.MEM.B;
    if (v_.coloursOperandSources) {
        mem[MemLabel::TagB].foreColor = colour::kBlack;
    }
    // Store data forwarded from WB.
    if (m_.ForwardingEnabled && IsStore(s.MEM.Op) && s.WB.RegWrite == 1 && s.MEM.Rx == s.WB.Rx &&
        s.MEM.Rx != 0) {
        s.MEM.DataIn = s.WB.WriteBackValue;
        mem[MemLabel::DataIn].foreColor = v_.storeForwardColour;
        mem[MemLabel::TagB].visible = true;
        mem[MemLabel::SelectData].visible = true;
        mem[MemLabel::SelectData].caption = "1";
        Explain("Data (" + Num(s.WB.WriteBackValue) +
                ") Forwarded between WB stage and MEM Stage at the Data Input of Data Memory" +
                v_.storeForwardTextEnd);
        if (v_.writesExplanations) {
            m_.ForwardingText = "\n\r  There is MEM stage Forwarding.  " + c.Information->caption +
                                " because it is store (SW) instruction and RX_MEM is same as "
                                "RX_WB = R" +
                                Str(s.WB.Rx);
        }
    }
    for (int i : {MemLabel::Address, MemLabel::DataIn, MemLabel::MemWrite, MemLabel::Rx,
                  MemLabel::LmdTag, MemLabel::MemWriteTag, MemLabel::Loaded, MemLabel::AluOut}) {
        mem[i].visible = true;
    }
    c.lblStage[Stage::MEM].visible = true;
    c.txtStageInfo2[Stage::MEM].visible = true;
    c.txtStageInfo2[Stage::MEM].foreColor = s.MEM.Colour;
    ColourRow(s.MEM.Slot, s.MEM.Colour);
    c.Line3[ValueWire::MemoryAddress].visible = true;
    mem[MemLabel::Address].caption = Num(s.MEM.AluOUT);
    mem[MemLabel::Rx].caption = "Rx=" + Num(s.MEM.Rx);
    mem[MemLabel::AluOut].caption = Num(s.MEM.AluOUT);
    mem[MemLabel::BranchTarget].caption = Num(s.MEM.BTA);
    mem[MemLabel::DataIn].caption = Num(s.MEM.DataIn);
    mem[MemLabel::Zero].caption = Num(s.MEM.Zero);
    mem[MemLabel::MemWrite].caption = Num(s.MEM.MemWrite);
    // Memory access.
    if (IsLoad(s.MEM.Op) || IsStore(s.MEM.Op)) {
        s.MEM.LMD = MemAdjust(desk_, s.MEM.AluOUT, s.MEM.DataIn, s.MEM.Op, s.MEM.MemWrite);
    } else {
        s.MEM.LMD = kNoMemoryData;
    }
    mem[MemLabel::Loaded].caption = Num(s.MEM.LMD);
    // Branch decision in MEM. A branch whose condition holds is taken even while a data stall
    // holds the instruction behind it: the flush removes that instruction anyway.
    if (!m_.AggressiveBranching) {
        s.FlushFlag = false;
        const bool taken = TakesBranch(s.MEM.Op, s.MEM.Zero == 1);
        if (taken) {
            mem[MemLabel::BranchOutcome].caption = "T R U E";
            mem[MemLabel::BranchOutcome].backColor = colour::kRed;
            c.lblIFValue[IfLabel::NextPc].caption = Num(s.MEM.BTA);
            c.lblIFValue[IfLabel::SelectPc].caption = "1";
            s.MEM.BranchTaken = true;
            s.FlushFlag = true;
        } else {
            mem[MemLabel::BranchOutcome].caption = "F A L S E";
            mem[MemLabel::BranchOutcome].backColor = colour::kGreen;
            c.lblIFValue[IfLabel::SelectPc].caption = "0";
            s.MEM.BranchTaken = false;
            s.FlushFlag = false;
        }
        if (IsBranch(s.MEM.Op) && s.BranchPolicyAlwaysFlush) {
            s.FlushFlag = true;
        }
    }
}

} // namespace corvexa
