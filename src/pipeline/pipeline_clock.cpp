// The frame of a clock: counter, option latch, the resets at a clock's start, and what every
// stage step shares. The stage steps are in clock_wb_mem.cpp, clock_exe.cpp and clock_id_if.cpp;
// the two windows' clock sequences in five_stage_clock.cpp and single_cycle_clock.cpp.
#include "pipeline/pipeline_clock.h"

#include <limits>

#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"

namespace corvexa {

bool IsBranch(const std::string &op) {
    return IsBranchMnemonic(op);
}

ClockControls ClockControls::Bind(Form &form) {
    ClockControls c;
    c.lblIFValue = form.Array("lblIFValue");
    c.lblIDValue = form.Array("lblIDValue");
    c.lblEXEValue = form.Array("lblEXEValue");
    c.lblMEMValue = form.Array("lblMEMValue");
    c.lblWBValue = form.Array("lblWBValue");
    c.lblStage = form.Array("lblStage");
    c.txtStageInfo2 = form.Array("txtStageInfo2");
    c.lblProg = form.Array("lblProg");
    c.Line3 = form.Array("Line3");
    c.Information = &form.C("Information");
    c.Timer1 = &form.C("Timer1");
    c.lblForward = &form.C("lblForward");
    c.lblClockCount = &form.C("lblClockCount");
    c.exeControls = form.Find("lblEXEValue", ExeLabel::Controls);
    c.pcLines = {form.Find("Line62"), form.Find("Line63"), form.Find("Line64"),
                 form.Find("Line66")};
    return c;
}

PipelineClock::PipelineClock(PipelineState &state, Desk &desk, ClockHost &host,
                             ClockControls controls, ClockVariant variant)
    : s_(state), desk_(desk), m_(desk.machine()), host_(host), c_(std::move(controls)),
      v_(variant) {}

void PipelineClock::StartClockAndWriteBack() {
    // The counter is wide enough for any session, and stops rather than overflows.
    if (s_.ClockCount < std::numeric_limits<int32_t>::max()) {
        ++s_.ClockCount;
    }
    if (v_.writesExplanations) {
        m_.ForwardingText = " ";
        m_.StallText = " ";
    }
    // First clock of a run. A program hand-over or a program load starts a run without a
    // reset, and a run ended by fetching past the last slot can leave a flush pending: none of
    // that may steer the first fetches of the new run.
    if (s_.ClockCount == 0) {
        ClearLatches();
        s_.FlushFlag = false;
        host_.LatchOptions();
    }
    c_.lblClockCount->caption = Num(int64_t{s_.ClockCount} + 1);
    c_.Information->visible = false;
    c_.Information->caption = " ";
    // From here the phases run from WB back to IF: each stage takes over what the stage before
    // it held at the end of the previous clock. The first instruction reaches a stage at the
    // clock whose number, counted from 0, is the stage's own: the stage works from then on.
    if (s_.ClockCount >= Stage::WB) {
        WbPhase();
    }
}

void PipelineClock::ClearLatches() {
    PipelineState &s = s_;
    s.EXE.AluOUT = s.MEM.AluOUT = s.WB.AluOUT = 0;
    s.EXE.BTA = s.MEM.BTA = 0;
    s.MEM.LMD = s.WB.LMD = 0;
    s.EXE.Zero = s.MEM.Zero = 0;
    s.MEM.BranchTaken = s.WB.BranchTaken = false;
    s.ID.RegWrite = s.EXE.RegWrite = s.MEM.RegWrite = s.WB.RegWrite = 0;
    s.ID.MemWrite = s.EXE.MemWrite = s.MEM.MemWrite = 0;
    s.StallDetectionEnabled = false;
    s.RtIsSource = false;
    s.MEM.LoadUseStall = false;
    s.LoadUseStall = false;
    s.HazardStall = 0;
    s.EXE.Rx = s.MEM.Rx = s.WB.Rx = 0;
    s.ID.A = s.ID.B = s.EXE.A = s.EXE.B = s.MEM.B = 0;
    s.MEM.DataIn = 0;
    s.WB.WriteBackValue = 0;
    s.IF.Imm = s.ID.Imm = s.EXE.Imm = 0;
    s.IF.NPC = s.ID.NPC = s.EXE.NPC = s.MEM.NPC = 0;
    for (StageRecord *r : {&s.IF, &s.ID, &s.EXE}) {
        r->Rs = r->Rt = r->Rd = 0;
    }
    s.AluA = s.AluB = s.ForwardedB = 0;
    for (StageRecord *r : {&s.IF, &s.ID, &s.EXE, &s.MEM}) {
        r->Op.clear();
        r->InstrText.clear();
    }
    s.WB.Op = "0";
    s.WB.InstrText = "0";
    for (StageRecord *r : {&s.IF, &s.ID, &s.EXE, &s.MEM, &s.WB}) {
        r->Colour = colour::kBlack;
    }
    s.ColourIndex = 0;
}

void PipelineClock::BlankStageView() {
    for (const ControlArray *a :
         {&c_.lblIFValue, &c_.lblIDValue, &c_.lblEXEValue, &c_.lblMEMValue, &c_.lblWBValue}) {
        for (Control *e : *a) {
            e->visible = false;
        }
    }
    for (int i = Stage::IF; i < Stage::kCount; ++i) {
        c_.lblStage[i].visible = false;
        c_.txtStageInfo2[i].visible = false;
        c_.txtStageInfo2[i].foreColor = colour::kBlack;
    }
    for (Control *row : c_.lblProg) {
        row->foreColor = kListingColour;
    }
}

void PipelineClock::Explain(const std::string &text) {
    c_.Information->caption = text;
    c_.Information->visible = true;
    c_.Timer1->interval = s_.InfoTimerInterval;
}

// Slots without a listing row of their own colour nothing.
void PipelineClock::ColourRow(int slot, int32_t colour) {
    const int k = slot - c_.lblProg.lower();
    if (k >= 0 && k < c_.lblProg.size()) {
        c_.lblProg[slot].foreColor = colour;
    }
}

void PipelineClock::EndRun() {
    desk_.MessageBox("Oh No. You have come too far. Go Back!");
    host_.Reset_Click();
}

} // namespace corvexa
