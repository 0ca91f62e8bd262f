// The ID and IF stage steps of a clock: decode and register read, the early branch decision, the
// stall look-aheads, the fetch with its branch policy, and the end of the clock.
#include <algorithm>

#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

namespace {

void Flush(StageRecord &r) {
    r.InstrText += "(Flushed)";
    r.Op = kNopMnemonic;
    r.Colour = kBubbleColour;
    r.Rs = r.Rt = r.Rd = 0;
    r.Imm = 0;
}

} // namespace

bool PipelineClock::LoadFeedsBranch(const StageRecord &producer) const {
    const StageRecord &id = s_.ID;
    return m_.AggressiveBranching && IsBranch(id.Op) && IsLoad(producer.Op) &&
           producer.RegWrite == 1 &&
           ((id.Rs != 0 && producer.Rx == id.Rs) || (id.Rt != 0 && producer.Rx == id.Rt));
}

// The result in MEM goes straight into the register file for the branch in ID. A load in MEM
// holds only its address there; the branch waits for its write-back instead (IF look-ahead).
void PipelineClock::EarlyBranchOperandUpdate() {
    const StageRecord &mem = s_.MEM;
    if (mem.RegWrite != 1 || IsLoad(mem.Op)) {
        return;
    }
    for (int r : {int{s_.ID.Rs}, int{s_.ID.Rt}}) {
        if (r != 0 && mem.Rx == r) {
            m_.RegisterFile[RegIndex(r)] = mem.AluOUT;
        }
    }
}

int32_t PipelineClock::ReadRegister(int n) {
    const int r = RegIndex(n);
    if (!m_.RegisterHasValue[r]) {
        m_.RegisterHasValue[r] = true;
        if (!m_.RegistersInitialised) {
            host_.PromptRegisterValue(r);
        }
    }
    return m_.RegisterFile[r];
}

bool PipelineClock::IdHeldByHazard() const {
    if (m_.ForwardingEnabled) {
        return s_.ID.BranchHazardStall && s_.HazardStall == 1;
    }
    return s_.HazardStall == 1;
}

void PipelineClock::IdPhase(bool held) {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const ControlArray &id = c.lblIDValue;
    if (!held) {
        s.ID.Slot = s.IF.Slot;
        s.ID.NPC = s.IF.NPC;
        s.ID.Rt = s.IF.Rt;
        s.ID.Rd = s.IF.Rd;
        s.ID.Rs = s.IF.Rs;
        s.ID.Op = s.IF.Op;
        s.ID.InstrText = s.IF.InstrText;
        s.ID.Imm = s.IF.Imm;
        s.ID.Colour = s.IF.Colour;
    }
    id[IdLabel::Rs].caption = "Rs=" + Num(s.ID.Rs);
    id[IdLabel::Rt].caption = "Rt=" + Num(s.ID.Rt);
    id[IdLabel::RtOut].caption = "Rt=" + Num(s.ID.Rt);
    id[IdLabel::RdOut].caption = "Rd=" + Num(s.ID.Rd);
    // Early operand update for a branch decided here.
    if (m_.AggressiveBranching && IsBranch(s.ID.Op)) {
        EarlyBranchOperandUpdate();
    }
    // Control signals.
    s.ID.RegWrite = (IsStore(s.ID.Op) || IsBranch(s.ID.Op)) ? 0 : 1;
    s.ID.MemWrite = IsStore(s.ID.Op) ? 1 : 0;
    // Flushed by a branch taken in MEM.
    if (s.FlushFlag) {
        Flush(s.ID);
        s.ID.RegWrite = 0;
        s.ID.MemWrite = 0;
    }
    // Register reads; a held record reads again and sees this clock's write-back.
    s.ID.A = ReadRegister(s.ID.Rs);
    id[IdLabel::A].caption = Num(s.ID.A);
    s.ID.B = ReadRegister(s.ID.Rt);
    id[IdLabel::B].caption = Num(s.ID.B);
    id[IdLabel::Npc].visible = true;
    id[IdLabel::Opcode].caption = s.ID.Op;
    id[IdLabel::Npc].caption = "NPC= " + Num(s.ID.NPC);
    id[IdLabel::Imm16].caption = hex4(s.ID.Imm);
    id[IdLabel::Imm32].caption = hex8(s.ID.Imm);
    c.txtStageInfo2[Stage::ID].caption = s.ID.InstrText;
    for (int i = IdLabel::Rs; i <= IdLabel::Opcode; ++i) {
        id[i].visible = true;
    }
    c.lblStage[Stage::ID].visible = true;
    c.txtStageInfo2[Stage::ID].foreColor = s.ID.Colour;
    ColourRow(s.ID.Slot, s.ID.Colour);
    c.txtStageInfo2[Stage::ID].visible = true;
}

void PipelineClock::IfPhase(bool &loadUseFlag) {
    PipelineState &s = s_;
    IfNextFetchIndex(loadUseFlag);
    s.ID.BranchTaken = false;
    if (m_.AggressiveBranching) {
        IfEarlyBranchDecision();
    }
    // The ID controls before a look-ahead zeroes them.
    const int16_t savedRegWrite = s.ID.RegWrite;
    const int16_t savedMemWrite = s.ID.MemWrite;
    if (!m_.ForwardingEnabled) {
        if (s.StallDetectionEnabled) {
            IfStallLookAhead();
        }
        // Release: once the bubbles made for the stall fill EXE and MEM, the stall ends.
        if (s.MEM.RegWrite == 0 && s.MEM.MemWrite == 0 && s.EXE.RegWrite == 0 &&
            s.EXE.MemWrite == 0) {
            s.HazardStall = 0;
            s.ID.RegWrite = savedRegWrite;
            s.ID.MemWrite = savedMemWrite;
        }
    }
    s.ID.BranchHazardStall = false;
    if (m_.ForwardingEnabled && m_.AggressiveBranching && s.StallDetectionEnabled &&
        !IsBubble(s.ID.Op)) {
        IfBranchHazardLookAhead();
    }
    const int colours = std::clamp(v_.colourCount, 1, static_cast<int>(InstructionColours.size()));
    s.IF.Colour =
        InstructionColours[static_cast<size_t>(std::clamp<int>(s.ColourIndex, 0, colours - 1))];
    // End of program: nothing is read for a slot that does not exist.
    if (s.FetchIndex < 0 || s.FetchIndex >= kSlots) {
        EndRun();
        return;
    }
    IfFetchAndShow();
    host_.RefreshRegisterList();
}

// A branch target outside the program ends the run like a fetch past the last slot.
void PipelineClock::IfNextFetchIndex(bool &loadUseFlag) {
    PipelineState &s = s_;
    if (s.ClockCount == 0) {
        s.FetchIndex = 0;
        s.ColourIndex = 0;
        loadUseFlag = false;
        return;
    }
    if (s.HazardStall != 0 || loadUseFlag) {
        return;
    }
    auto target = [&](int16_t branchSlot) {
        const int slot = RegIndex(branchSlot);
        const int t = slot + m_.ProgBranchOffset[slot] + 1;
        return static_cast<int16_t>(t >= 0 && t < kSlots ? t : kSlots);
    };
    if (s.WB.BranchTaken) {
        s.FetchIndex = target(s.WB.Slot);
    }
    if (s.ID.BranchTaken) {
        s.FetchIndex = target(s.EXE.Slot);
    }
    if (!s.WB.BranchTaken && !s.ID.BranchTaken) {
        s.FetchIndex = static_cast<int16_t>(std::min<int>(s.FetchIndex + 1, kSlots));
        ++s.ColourIndex;
        if (s.ColourIndex > v_.colourCount - 1) {
            s.ColourIndex = 0;
        }
    }
}

// Branch decided in ID with the operands read this clock.
void PipelineClock::IfEarlyBranchDecision() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    s.ID.BTA = Wrap32(int64_t{s.ID.NPC} + int64_t{4} * s.ID.Imm);
    const ControlArray &id = c.lblIDValue;
    for (int i : {IdLabel::BranchOutcome, IdLabel::BranchNpc, IdLabel::BranchTarget}) {
        id[i].visible = true;
    }
    id[IdLabel::Npc].visible = false;
    for (int i : {ExeLabel::BranchTarget, ExeLabel::Npc, ExeLabel::ImmTimes4}) {
        c.lblEXEValue[i].visible = false;
    }
    id[IdLabel::BranchOutcome].caption = "False";
    c.lblIFValue[IfLabel::SelectPc].caption = "0";
    id[IdLabel::BranchNpc].caption = Num(s.ID.NPC);
    id[IdLabel::BranchTarget].caption = Num(s.ID.BTA);
    if (TakesBranch(s.ID.Op, s.ID.A == s.ID.B)) {
        s.ID.BranchTaken = true;
        id[IdLabel::BranchOutcome].caption = "True";
        c.lblIFValue[IfLabel::SelectPc].caption = "1";
        c.lblIFValue[IfLabel::NextPc].caption = Num(s.ID.BTA);
    }
}

bool PipelineClock::RtIsNoSource(const std::string &op) {
    return (IsImmediateIntoB(op) && !IsStore(op)) || op.empty();
}

PipelineClock::LookAheadHits
PipelineClock::LookAheadHazard(bool (*ignores)(std::string_view op)) const {
    const PipelineState &s = s_;
    const bool exeLive = !ignores(s.EXE.Op);
    const bool memLive = !ignores(s.MEM.Op);
    LookAheadHits h;
    h.rtExe = s.RtIsSource && s.EXE.Rx == s.ID.Rt && exeLive;
    h.rtMem = s.RtIsSource && s.MEM.Rx == s.ID.Rt && memLive;
    h.rsExe = s.EXE.Rx == s.ID.Rs && exeLive;
    h.rsMem = s.MEM.Rx == s.ID.Rs && memLive;
    return h;
}

void PipelineClock::HoldIdForHazard(bool hazard) {
    if (!hazard) {
        s_.HazardStall = 0;
        return;
    }
    s_.HazardStall = 1;
    s_.ID.RegWrite = 0;
    s_.ID.MemWrite = 0;
}

// Forwarding on, branch decided in ID: a result still in EXE cannot reach the compare;
// nor can a load's data before its write-back. A load-use hazard found in EXE this clock holds ID
// anyway, and the branch is decided again once the load has written back.
void PipelineClock::IfBranchHazardLookAhead() {
    PipelineState &s = s_;
    const StageRecord &id = s.ID;
    const bool exeHazard =
        IsBranch(id.Op) && ((s.EXE.Rx == id.Rs && id.Rs != 0) || (s.EXE.Rx == id.Rt && id.Rt != 0));
    const bool loadHazard = LoadFeedsBranch(s.MEM) && !s.EXE.LoadUseStall;
    if (!exeHazard && !loadHazard) {
        s.HazardStall = 0;
        return;
    }
    // The register the branch waits for: the result in EXE, or else the load in MEM.
    if (exeHazard) {
        s.BranchWaitRegister = s.EXE.Rx;
    } else {
        s.BranchWaitRegister = s.MEM.Rx;
    }
    s.HazardStall = 1;
    s.ID.BranchHazardStall = true;
    s.ID.RegWrite = 0;
    s.ID.MemWrite = 0;
}

void PipelineClock::IfFetchAndShow() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const int fi = s.FetchIndex;
    s.IF.Slot = s.FetchIndex;
    s.IF.InstrText = m_.ProgText[fi];
    s.IF.NPC = Wrap32(int64_t{m_.ProgAddress[fi]} + 4);
    s.IF.Op = m_.ProgMnemonic[fi];
    s.IF.Rt = static_cast<int16_t>(RegIndex(m_.ProgRt[fi]));
    s.IF.Rd = static_cast<int16_t>(RegIndex(m_.ProgRd[fi]));
    s.IF.Rs = static_cast<int16_t>(RegIndex(m_.ProgRs[fi]));
    s.IF.Imm = m_.ProgImmediate[fi];
    // Branch policy for the instruction fetched behind a branch decided in ID.
    s.PolicyFlush = false;
    if (m_.AggressiveBranching && IsBranch(s.ID.Op)) {
        s.PolicyFlush = s.BranchPolicyAlwaysFlush ||
                        (s.BranchPolicyCancelled && !s.ID.BranchTaken) ||
                        (s.BranchPolicyNormal && s.ID.BranchTaken);
    }
    if (IfFlushDue()) {
        Flush(s.IF);
        s.FlushFlag = false;
    }
    c.lblIFValue[IfLabel::Address].caption = Num(m_.ProgAddress[fi]);
    c.lblIFValue[IfLabel::Instruction].caption = s.IF.InstrText;
    c.lblIFValue[IfLabel::PcPlus4].caption = Num(s.IF.NPC);
    c.txtStageInfo2[Stage::IF].caption = s.IF.InstrText;
    if (!s.MEM.BranchTaken && !s.ID.BranchTaken) {
        c.lblIFValue[IfLabel::NextPc].caption = Num(Wrap32(int64_t{m_.ProgAddress[fi]} + 4));
    }
    for (int i = IfLabel::Address; i <= IfLabel::SelectPc; ++i) {
        c.lblIFValue[i].visible = true;
    }
    c.lblStage[Stage::IF].visible = true;
    for (Control *line : c.pcLines) {
        if (line != nullptr) {
            line->visible = true;
        }
    }
    c.txtStageInfo2[Stage::IF].foreColor = s.IF.Colour;
    ColourRow(fi, s.IF.Colour);
    c.txtStageInfo2[Stage::IF].visible = true;
}

} // namespace corvexa
