// The five-stage window's clock sequence and its own steps.
#include "fivestage/five_stage_clock.h"
#include "layouts/five_stage_labels.h"
#include "machine/mnemonics.h"
#include "machine/numstr.h"

namespace corvexa {

namespace {

// The look-ahead never waits for a bubble or a flushed record.
bool LookAheadIgnores(std::string_view op) {
    return IsBubble(op);
}

// Mnemonics whose input B never takes a forwarded register; a store's data has a path of its own.
bool InputBSkips(const std::string &op) {
    return (IsImmediateIntoB(op) && !IsStore(op)) || op.empty();
}

} // namespace

void FiveStageClock::Clock() {
    PipelineState &s = s_;
    StartClockAndWriteBack();
    // EXE's load-use flag travels on to MEM, which turns into the bubble; the fetch and ID hold
    // while MEM carries it.
    if (s.ClockCount >= Stage::MEM) {
        s.MEM.LoadUseStall = s.EXE.LoadUseStall;
        MemPhase(s.MEM.LoadUseStall);
    }
    if (s.ClockCount >= Stage::EXE) {
        ExePhase(m_.ForwardingEnabled && s.MEM.LoadUseStall);
    }
    if (s.ClockCount >= Stage::ID) {
        s.IDStalled = IdHeldByHazard() || s.MEM.LoadUseStall;
        IdPhase(s.IDStalled);
    }
    IfPhase(s.MEM.LoadUseStall);
}

// A load in MEM whose destination the EXE instruction reads. The record is held for a clock;
// what WB holds now would be gone by then, so it is copied in ("strange case").
void FiveStageClock::ExeLoadUseDetection() {
    PipelineState &s = s_;
    s.EXE.LoadUseStall = false;
    c_.lblEXEValue[ExeLabel::B].foreColor = colour::kBlack;
    c_.lblEXEValue[ExeLabel::A].foreColor = colour::kBlack;
    if (!(m_.ForwardingEnabled && s.StallDetectionEnabled && IsLoad(s.MEM.Op))) {
        return;
    }
    const bool rtFromWb = s.WB.RegWrite == 1 && s.EXE.Rt == s.WB.Rx;
    if (LoadUseOnRs()) {
        s.EXE.LoadUseStall = true;
        Explain(kLoadUseText);
        if (rtFromWb) {
            ExeRescueHeldOperand(false, "A Strange case.  Data need to be forwarded for this case "
                                        "but no circuit support in the existing hardware");
        }
    }
    if (LoadUseOnSources()) {
        s.EXE.LoadUseStall = true;
        Explain(kLoadUseText);
        if (rtFromWb) {
            ExeRescueHeldOperand(false, "A Strange case.  Data need to be forwarded for this case "
                                        "but no circuit support in the existing hardware.");
        }
        if (s.WB.RegWrite == 1 && s.EXE.Rs == s.WB.Rx) {
            ExeRescueHeldOperand(true, "A Strange case.  Data forwarded to EXE.A.  NO Exisiting "
                                       "hardware support");
        }
    }
}

void FiveStageClock::ExeRescueHeldOperand(bool forA, const char *suffix) {
    PipelineState &s = s_;
    if (forA) {
        s.EXE.A = s.WB.WriteBackValue;
        c_.lblEXEValue[ExeLabel::A].foreColor = colour::kGreen;
    } else {
        s.EXE.B = s.WB.WriteBackValue;
        c_.lblEXEValue[ExeLabel::B].foreColor = colour::kGreen;
    }
    Explain("STRANGE *******  DATA FORWARDED FROM NO-WHERE FOR PROPER OPERATION");
    m_.ForwardingText += "  \r\n" + c_.Information->caption + suffix;
}

// Input B: MEM before WB; a store's data forwarded from WB into the EXE latch itself.
void FiveStageClock::ExeInputB() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    c.lblEXEValue[ExeLabel::StoreData].foreColor = colour::kBlack;
    if (!m_.ForwardingEnabled) {
        return;
    }
    s.SelectMuxB = 0;
    const std::string &op = s.EXE.Op;
    if (InputBSkips(op)) {
        return;
    }
    if (IsStore(op)) {
        if (s.WB.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.WB.Rx) {
            s.EXE.B = IsLoad(s.WB.Op) ? s.WB.LMD : s.WB.AluOUT;
            Explain("Data (" + Num(s.EXE.B) +
                    ") Forwarded between WB stage and Exe Stage for B. A MUX for this not shown in "
                    "Diagram");
            m_.ForwardingText += "  \r\n" + c.Information->caption +
                                 " because Rt Field of Instruction in EXE stage is same as RX "
                                 "field in WB = R" +
                                 Str(s.WB.Rx) +
                                 ".  A Special MUX required for this particular case has not "
                                 "been shown in the diagram for Simplicity.";
            c.lblEXEValue[ExeLabel::StoreData].foreColor = colour::kGreen;
            c.lblForward->foreColor = colour::kRed;
        }
        return;
    }
    if (s.MEM.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.MEM.Rx) {
        ForwardBFromMem();
    } else if (s.WB.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.WB.Rx) {
        ForwardBFromWb();
    }
}

// Forwarding off: an instruction in EXE or MEM that writes a source of the instruction in ID
// stalls it until the value is in the register file. The last test that holds names the reason;
// the stage is where the older instruction will be at the next clock.
void FiveStageClock::IfStallLookAhead() {
    PipelineState &s = s_;
    const std::string &op = s.ID.Op;
    s.RtIsSource = s.ID.Rt != 0 && !RtIsNoSource(op);
    if (s.ID.Rs == 0 && !s.RtIsSource) {
        return;
    }
    const LookAheadHits h = LookAheadHazard(LookAheadIgnores);
    if (h.any()) {
        auto reason = [](const char *stage, int16_t rx, const char *field) {
            return std::string(" Instruction in ") + stage + " Stage has same destination (R" +
                   Str(rx) + ") as source required (" + field + ")";
        };
        if (h.rtExe) {
            m_.StallReasonText = reason("MEM", s.EXE.Rx, "Rt");
        }
        if (h.rtMem) {
            m_.StallReasonText = reason("WB", s.MEM.Rx, "Rt");
        }
        if (h.rsExe) {
            m_.StallReasonText = reason("MEM", s.EXE.Rx, "Rs");
        }
        if (h.rsMem) {
            m_.StallReasonText = reason("WB", s.MEM.Rx, "Rs");
        }
    }
    HoldIdForHazard(h.any());
}

// A branch held in ID by its own stall keeps the instruction behind it.
bool FiveStageClock::IfFlushDue() const {
    return s_.FlushFlag || (s_.PolicyFlush && !s_.ID.BranchHazardStall);
}

} // namespace corvexa
