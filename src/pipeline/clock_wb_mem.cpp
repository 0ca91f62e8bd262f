// The two last stages of a clock: write-back and memory access with the branch decision.
#include "machine/numstr.h"
#include "pipeline/memory_map.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

namespace {

constexpr int32_t kGreen = 0x8000;
constexpr int32_t kBrightGreen = 0xFF00;
constexpr int32_t kRed = 255;

} // namespace

void PipelineClock::WbPhase() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // 1. The instruction leaving the pipeline.
    ColourRow(s.WB.Slot, kRetiredColour);
    // 2.
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
    // 3.
    for (int i : {0, 1, 2, 3, 7, 8, 9, 10, 12, 13}) {
        c.lblWBValue[i].visible = true;
    }
    // 4.
    c.lblWBValue[0].caption = Num(s.WB.LMD);
    c.lblWBValue[1].caption = Num(s.WB.AluOUT);
    // 5. Write-back select.
    if (s.WB.Op == "LW") {
        s.WB.WriteBackValue = s.WB.LMD;
        c.lblWBValue[2].caption = Num(s.WB.LMD);
        c.lblWBValue[12].caption = "1";
    } else {
        c.lblWBValue[2].caption = Num(s.WB.AluOUT);
        c.lblWBValue[12].caption = "0";
        s.WB.WriteBackValue = s.WB.AluOUT;
    }
    // 6. Register write; R0 keeps 0 but counts as having a value.
    if (s.WB.RegWrite == 1) {
        const int rx = RegIndex(s.WB.Rx);
        m_.RegisterHasValue[rx] = true;
        if (rx != 0) {
            m_.RegisterFile[rx] = s.WB.WriteBackValue;
        }
    }
    // 7.
    c.lblWBValue[13].caption = "RegWrite" + Num(s.WB.RegWrite);
    c.lblWBValue[3].caption = "Rx=" + Num(s.WB.Rx);
    c.lblWBValue[9].caption = Num(s.WB.WriteBackValue);
    c.txtStageInfo2[4].caption = s.WB.InstrText;
    c.lblWBValue[7].caption = Num(s.WB.RegWrite);
    c.lblWBValue[8].caption = Num(s.WB.Rx);
    // 8.
    c.lblStage[4].visible = true;
    c.txtStageInfo2[4].visible = true;
    c.txtStageInfo2[4].foreColor = s.WB.Colour;
    ColourRow(s.WB.Slot, s.WB.Colour);
}

void PipelineClock::MemPhase() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // 1.
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
    s.MEM.LoadUseStall = s.EXE.LoadUseStall;
    // The copy of a stalled early branch ends its stall here.
    if (s.MEM.BranchHazardStall) {
        s.HazardStall = 0;
    }
    // 2. Load-use bubble.
    if (s.MEM.LoadUseStall) {
        s.MEM.InstrText += "(NOP)";
        if (v_.writesExplanations) {
            m_.StallText += "\r\n  Currently A Load Use Stall has been detected.  ";
        }
        s.MEM.Op = "NOP";
        s.MEM.Colour = kBubbleColour;
        s.MEM.RegWrite = 0;
        s.MEM.MemWrite = 0;
    }
    // 3., 4.
    c.txtStageInfo2[3].caption = s.MEM.InstrText;
    if (!m_.AggressiveBranching) {
        c.lblMEMValue[15].visible = true;
        c.lblMEMValue[9].visible = true;
        c.lblMEMValue[6].visible = true;
    }
    // 5. Store data, default path.
    c.lblMEMValue[1].foreColor = 0;
    c.lblMEMValue[2].caption = "0";
    s.MEM.DataIn = s.MEM.B;
    c.lblMEMValue[11].foreColor = 0;
    // 6. Store data forwarded from WB.
    if (m_.ForwardingEnabled && s.MEM.Op == "SW" && s.WB.RegWrite == 1 && s.MEM.Rx == s.WB.Rx &&
        s.MEM.Rx != 0) {
        s.MEM.DataIn = s.WB.WriteBackValue;
        c.lblMEMValue[1].foreColor = kGreen;
        c.lblMEMValue[11].visible = true;
        c.lblMEMValue[2].visible = true;
        c.lblMEMValue[2].caption = "1";
        c.Information->caption =
            "Data (" + Num(s.WB.WriteBackValue) +
            ") Forwarded between WB stage and MEM Stage at the Data Input of Data Memory ";
        c.Information->visible = true;
        if (v_.writesExplanations) {
            m_.ForwardingText = "\n\r  There is MEM stage Forwarding.  " + c.Information->caption +
                                " because it is store (SW) instruction and RX_MEM is same as "
                                "RX_WB = R" +
                                Str(s.WB.Rx);
        }
        c.Timer1->interval = s.InfoTimerInterval;
    }
    // 7.
    for (int i : {0, 1, 3, 4, 5, 8, 12, 16}) {
        c.lblMEMValue[i].visible = true;
    }
    c.lblStage[3].visible = true;
    c.txtStageInfo2[3].visible = true;
    c.txtStageInfo2[3].foreColor = s.MEM.Colour;
    ColourRow(s.MEM.Slot, s.MEM.Colour);
    c.Line3[94].visible = true;
    // 8.
    c.lblMEMValue[0].caption = Num(s.MEM.AluOUT);
    c.lblMEMValue[4].caption = "Rx=" + Num(s.MEM.Rx);
    c.lblMEMValue[16].caption = Num(s.MEM.AluOUT);
    c.lblMEMValue[9].caption = Num(s.MEM.BTA);
    c.lblMEMValue[1].caption = Num(s.MEM.DataIn);
    c.lblMEMValue[15].caption = Num(s.MEM.Zero);
    c.lblMEMValue[3].caption = Num(s.MEM.MemWrite);
    // 9. Memory access.
    if (s.MEM.Op == "LW" || s.MEM.Op == "SW") {
        s.MEM.LMD = MemAdjust(desk_, s.MEM.AluOUT, s.MEM.DataIn, s.MEM.Op, s.MEM.MemWrite);
    } else {
        s.MEM.LMD = kNoMemoryData;
    }
    c.lblMEMValue[12].caption = Num(s.MEM.LMD);
    // 10. Branch decision in MEM. A branch whose condition holds is taken even while a data
    // stall holds the instruction behind it: the flush below removes that instruction anyway.
    if (!m_.AggressiveBranching) {
        s.FlushFlag = false;
        const bool taken =
            (s.MEM.Op == "BEQ" && s.MEM.Zero == 1) || (s.MEM.Op == "BNEQ" && s.MEM.Zero == 0);
        if (taken) {
            c.lblMEMValue[6].caption = "T R U E";
            c.lblMEMValue[6].backColor = kRed;
            c.lblIFValue[3].caption = Num(s.MEM.BTA);
            c.lblIFValue[4].caption = "1";
            s.MEM.BranchTaken = true;
            s.FlushFlag = true;
        } else {
            c.lblMEMValue[6].caption = "F A L S E";
            c.lblMEMValue[6].backColor = kBrightGreen;
            c.lblIFValue[4].caption = "0";
            s.MEM.BranchTaken = false;
            s.FlushFlag = false;
        }
        if (IsBranch(s.MEM.Op) && s.BranchPolicyAlwaysFlush) {
            s.FlushFlag = true;
        }
    }
}

} // namespace corvexa
