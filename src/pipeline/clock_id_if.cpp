// The ID and IF stages of a clock: decode and register read, the early branch decision, the stall
// look-aheads, the fetch with its branch policy, and the end of the clock.
#include <algorithm>

#include "machine/numstr.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

namespace {

void Flush(StageRecord &r) {
    r.InstrText += "(Flushed)";
    r.Op = "NOP";
    r.Colour = kBubbleColour;
    r.Rs = r.Rt = r.Rd = 0;
    r.Imm = 0;
}

} // namespace

bool PipelineClock::LoadFeedsBranch(const StageRecord &producer) const {
    const StageRecord &id = s_.ID;
    return m_.AggressiveBranching && IsBranch(id.Op) && producer.Op == "LW" &&
           producer.RegWrite == 1 &&
           ((id.Rs != 0 && producer.Rx == id.Rs) || (id.Rt != 0 && producer.Rx == id.Rt));
}

// The result in MEM goes straight into the register file for the branch in ID. A load in MEM
// holds only its address there; the branch waits for its write-back instead (IF look-ahead).
void PipelineClock::EarlyBranchOperandUpdate() {
    const StageRecord &mem = s_.MEM;
    if (mem.RegWrite != 1 || mem.Op == "LW") {
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

void PipelineClock::IdPhase() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // 1. Hold decision.
    s.IDStalled = false;
    if (m_.ForwardingEnabled) {
        s.IDStalled = s.ID.BranchHazardStall && s.HazardStall == 1;
    } else {
        s.IDStalled = s.HazardStall == 1;
    }
    if (s.MEM.LoadUseStall) {
        s.IDStalled = true;
    }
    // 2. Transfer.
    if (!s.IDStalled) {
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
    // 3.
    c.lblIDValue[0].caption = "Rs=" + Num(s.ID.Rs);
    c.lblIDValue[1].caption = "Rt=" + Num(s.ID.Rt);
    c.lblIDValue[4].caption = "Rt=" + Num(s.ID.Rt);
    c.lblIDValue[5].caption = "Rd=" + Num(s.ID.Rd);
    // 4. Early operand update for a branch decided here.
    if (m_.AggressiveBranching && IsBranch(s.ID.Op)) {
        EarlyBranchOperandUpdate();
    }
    // 5. Control signals.
    s.ID.RegWrite = (s.ID.Op == "SW" || IsBranch(s.ID.Op)) ? 0 : 1;
    s.ID.MemWrite = s.ID.Op == "SW" ? 1 : 0;
    // 6. Flush.
    if (s.FlushFlag) {
        Flush(s.ID);
        s.ID.RegWrite = 0;
        s.ID.MemWrite = 0;
    }
    // 7., 8. Register reads; a held record reads again and sees this clock's write-back.
    s.ID.A = ReadRegister(s.ID.Rs);
    c.lblIDValue[6].caption = Num(s.ID.A);
    s.ID.B = ReadRegister(s.ID.Rt);
    c.lblIDValue[7].caption = Num(s.ID.B);
    // 9.
    c.lblIDValue[9].visible = true;
    c.lblIDValue[8].caption = s.ID.Op;
    c.lblIDValue[9].caption = "NPC= " + Num(s.ID.NPC);
    c.lblIDValue[2].caption = hex4(s.ID.Imm);
    c.lblIDValue[3].caption = hex8(s.ID.Imm);
    c.txtStageInfo2[1].caption = s.ID.InstrText;
    for (int i = 0; i <= 8; ++i) {
        c.lblIDValue[i].visible = true;
    }
    c.lblStage[1].visible = true;
    c.txtStageInfo2[1].foreColor = s.ID.Colour;
    ColourRow(s.ID.Slot, s.ID.Colour);
    c.txtStageInfo2[1].visible = true;
}

void PipelineClock::IfPhase() {
    PipelineState &s = s_;
    IfNextFetchIndex(); // 1.
    // 2.
    s.ID.BranchTaken = false;
    // 3.
    if (m_.AggressiveBranching) {
        IfEarlyBranchDecision();
    }
    // 4. The ID controls before a look-ahead zeroes them.
    const int16_t savedRegWrite = s.ID.RegWrite;
    const int16_t savedMemWrite = s.ID.MemWrite;
    // 5.
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
    // 6., 7.
    s.ID.BranchHazardStall = false;
    if (m_.ForwardingEnabled && m_.AggressiveBranching && s.StallDetectionEnabled &&
        s.ID.Op != "NOP") {
        IfBranchHazardLookAhead();
    }
    // 8.
    const int colours = std::clamp(v_.colourCount, 1, static_cast<int>(InstructionColours.size()));
    s.IF.Colour =
        InstructionColours[static_cast<size_t>(std::clamp<int>(s.ColourIndex, 0, colours - 1))];
    // 9. End of program: nothing is read for a slot that does not exist.
    if (s.FetchIndex < 0 || s.FetchIndex >= kSlots) {
        EndRun();
        return;
    }
    IfFetchAndShow(); // 10. to 13.
    // 14.
    host_.RefreshRegisterList();
}

// Step 1. A branch target outside the program ends the run like a fetch past the last slot.
void PipelineClock::IfNextFetchIndex() {
    PipelineState &s = s_;
    if (s.ClockCount == 0) {
        s.FetchIndex = 0;
        s.ColourIndex = 0;
        s.MEM.LoadUseStall = false;
        return;
    }
    if (s.HazardStall != 0 || s.MEM.LoadUseStall) {
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

// Step 3. Branch decided in ID with the operands read this clock.
void PipelineClock::IfEarlyBranchDecision() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    s.ID.BTA = Wrap32(int64_t{s.ID.NPC} + int64_t{4} * s.ID.Imm);
    for (int i : {14, 15, 16}) {
        c.lblIDValue[i].visible = true;
    }
    c.lblIDValue[9].visible = false;
    for (int i : {13, 14, 24}) {
        c.lblEXEValue[i].visible = false;
    }
    c.lblIDValue[14].caption = "False";
    c.lblIFValue[4].caption = "0";
    c.lblIDValue[15].caption = Num(s.ID.NPC);
    c.lblIDValue[16].caption = Num(s.ID.BTA);
    if ((s.ID.Op == "BEQ" && s.ID.A == s.ID.B) || (s.ID.Op == "BNEQ" && s.ID.A != s.ID.B)) {
        s.ID.BranchTaken = true;
        c.lblIDValue[14].caption = "True";
        c.lblIFValue[4].caption = "1";
        c.lblIFValue[3].caption = Num(s.ID.BTA);
    }
}

// Step 5.1. Forwarding off: an instruction in EXE or MEM that writes a source of the instruction
// in ID stalls it until the value is in the register file.
void PipelineClock::IfStallLookAhead() {
    PipelineState &s = s_;
    const std::string &op = s.ID.Op;
    if (s.ID.Rt != 0) {
        s.RtIsSource = !(op == "LW" || op == "ADDI" || op == "ADDIU" || op == "SLTI" ||
                         op == "SLTIU" || op.empty());
    } else {
        s.RtIsSource = false;
    }
    if (s.ID.Rs == 0 && !s.RtIsSource) {
        return;
    }
    const bool exeLive = s.EXE.Op != "NOP";
    const bool memLive = s.MEM.Op != "NOP";
    const bool rtExe = s.RtIsSource && s.EXE.Rx == s.ID.Rt && exeLive;
    const bool rtMem = s.RtIsSource && s.MEM.Rx == s.ID.Rt && memLive;
    const bool rsExe = s.EXE.Rx == s.ID.Rs && exeLive;
    const bool rsMem = s.MEM.Rx == s.ID.Rs && memLive;
    if (!(rsExe || rsMem || rtExe || rtMem)) {
        s.HazardStall = 0;
        return;
    }
    // The last test that holds names the reason; the stage is where the older instruction will be
    // at the next clock.
    if (v_.writesExplanations) {
        auto reason = [](const char *stage, int16_t rx, const char *field) {
            return std::string(" Instruction in ") + stage + " Stage has same destination (R" +
                   Str(rx) + ") as source required (" + field + ")";
        };
        if (rtExe) {
            m_.StallReasonText = reason("MEM", s.EXE.Rx, "Rt");
        }
        if (rtMem) {
            m_.StallReasonText = reason("WB", s.MEM.Rx, "Rt");
        }
        if (rsExe) {
            m_.StallReasonText = reason("MEM", s.EXE.Rx, "Rs");
        }
        if (rsMem) {
            m_.StallReasonText = reason("WB", s.MEM.Rx, "Rs");
        }
    }
    s.HazardStall = 1;
    s.ID.RegWrite = 0;
    s.ID.MemWrite = 0;
}

// Step 7. Forwarding on, branch decided in ID: a result still in EXE cannot reach the compare;
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
    s.HazardStall = 1;
    s.ID.BranchHazardStall = true;
    s.ID.RegWrite = 0;
    s.ID.MemWrite = 0;
}

// Steps 10 to 13.
void PipelineClock::IfFetchAndShow() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const int fi = s.FetchIndex;
    // 10. Fetch.
    s.IF.Slot = s.FetchIndex;
    s.IF.InstrText = m_.ProgText[fi];
    s.IF.NPC = Wrap32(int64_t{m_.ProgAddress[fi]} + 4);
    s.IF.Op = m_.ProgMnemonic[fi];
    s.IF.Rt = static_cast<int16_t>(RegIndex(m_.ProgRt[fi]));
    s.IF.Rd = static_cast<int16_t>(RegIndex(m_.ProgRd[fi]));
    s.IF.Rs = static_cast<int16_t>(RegIndex(m_.ProgRs[fi]));
    s.IF.Imm = m_.ProgImmediate[fi];
    // 11. Branch policy for the instruction fetched behind a branch decided in ID.
    s.PolicyFlush = false;
    if (m_.AggressiveBranching && IsBranch(s.ID.Op)) {
        s.PolicyFlush = s.BranchPolicyAlwaysFlush ||
                        (s.BranchPolicyCancelled && !s.ID.BranchTaken) ||
                        (s.BranchPolicyNormal && s.ID.BranchTaken);
    }
    // 12. Flush of IF.
    if (s.FlushFlag || (s.PolicyFlush && !s.ID.BranchHazardStall)) {
        Flush(s.IF);
        s.FlushFlag = false;
    }
    // 13. Display.
    c.lblIFValue[0].caption = Num(m_.ProgAddress[fi]);
    c.lblIFValue[1].caption = s.IF.InstrText;
    c.lblIFValue[2].caption = Num(s.IF.NPC);
    c.txtStageInfo2[0].caption = s.IF.InstrText;
    if (!s.MEM.BranchTaken && !s.ID.BranchTaken) {
        c.lblIFValue[3].caption = Num(Wrap32(int64_t{m_.ProgAddress[fi]} + 4));
    }
    for (int i = 0; i <= 4; ++i) {
        c.lblIFValue[i].visible = true;
    }
    c.lblStage[0].visible = true;
    for (Control *line : c.pcLines) {
        if (line != nullptr) {
            line->visible = true;
        }
    }
    c.txtStageInfo2[0].foreColor = s.IF.Colour;
    ColourRow(fi, s.IF.Colour);
    c.txtStageInfo2[0].visible = true;
}

} // namespace corvexa
