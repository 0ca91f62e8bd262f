// The EXE stage of a clock: latch transfer, load-use detection, bubbles and flushes, the
// forwarding units of ALU inputs A and B and of the store data, the branch target and the ALU.
#include "machine/numstr.h"
#include "pipeline/pipeline_clock.h"

namespace corvexa {

namespace {

constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kRed = 255;
constexpr int32_t kDarkGreen = 32768;
constexpr int32_t kGreen = 65280;
constexpr int32_t kYellow = 65535;
constexpr int32_t kMagenta = 0xFF00FF;

constexpr const char *kLoadUseText = "Load Use Delay Stall (LUD) Occurred, Insert another "
                                     "Independent Instruction after LW if scheduling is possible";

bool IsImmediateOp(const std::string &op) {
    return op == "ADDI" || op == "ADDIU" || op == "SLTI" || op == "SLTIU";
}

void MakeBubble(StageRecord &r) {
    r.InstrText += "(NOP)";
    r.Colour = kBubbleColour;
    r.Op = "NOP";
    r.RegWrite = 0;
    r.MemWrite = 0;
}

} // namespace

void PipelineClock::ExePhase() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // Step 1. Latch transfer; a record held by a load-use stall stays for a second run.
    if (!m_.ForwardingEnabled || !s.MEM.LoadUseStall) {
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
    s.EXE.LoadUseStall = false;
    c.lblEXEValue[1].foreColor = 0;
    c.lblEXEValue[0].foreColor = 0;
    s.SelectMuxB = 0;

    ExeLoadUseDetection();   // step 2
    ExeBubblesAndFlushes();  // step 3
    ExeAluInputA();          // step 4
    ExeEarlyRegisterWrite(); // step 5
    ExeInputBAndStoreData(); // step 6
    ExeShowValues();         // step 7
    ExeAlu();                // step 8
    // Step 9. Zero flag.
    s.EXE.Zero = s.EXE.AluOUT == 0 ? 1 : 0;
    c.lblEXEValue[25].caption = s.EXE.Zero == 1 ? "1 " : "0 ";
}

// Step 2: a load in MEM whose destination the EXE instruction reads. The record is held for a
// clock; what WB holds now would be gone by then, so it is copied in ("strange case").
void PipelineClock::ExeLoadUseDetection() {
    PipelineState &s = s_;
    if (!(m_.ForwardingEnabled && s.StallDetectionEnabled && s.MEM.Op == "LW")) {
        return;
    }
    if (s.MEM.Rx == s.EXE.Rs) {
        s.EXE.LoadUseStall = true;
        Explain(kLoadUseText);
        if (s.WB.RegWrite == 1 && s.EXE.Rt == s.WB.Rx) {
            ExeStrangeCase(false, "A Strange case.  Data need to be forwarded for this case but no "
                                  "circuit support in the existing hardware");
        }
    }
    const std::string &op = s.EXE.Op;
    const bool rsOnly = op == "SW" || op == "LW" || IsImmediateOp(op) || op == "NOP" || op.empty();
    if (!rsOnly && (s.MEM.Rx == s.EXE.Rs || s.MEM.Rx == s.EXE.Rt)) {
        s.EXE.LoadUseStall = true;
        Explain(kLoadUseText);
        if (s.WB.RegWrite == 1 && s.EXE.Rt == s.WB.Rx) {
            ExeStrangeCase(false, "A Strange case.  Data need to be forwarded for this case but no "
                                  "circuit support in the existing hardware.");
        }
        if (s.WB.RegWrite == 1 && s.EXE.Rs == s.WB.Rx) {
            ExeStrangeCase(true, "A Strange case.  Data forwarded to EXE.A.  NO Exisiting hardware "
                                 "support");
        }
    }
}

void PipelineClock::ExeStrangeCase(bool forA, const char *suffix) {
    if (!v_.loadUseRescue) {
        return;
    }
    PipelineState &s = s_;
    if (forA) {
        s.EXE.A = s.WB.WriteBackValue;
        c_.lblEXEValue[0].foreColor = kGreen;
    } else {
        s.EXE.B = s.WB.WriteBackValue;
        c_.lblEXEValue[1].foreColor = kGreen;
    }
    Explain("STRANGE *******  DATA FORWARDED FROM NO-WHERE FOR PROPER OPERATION");
    if (v_.writesExplanations) {
        m_.ForwardingText += "  \r\n" + c_.Information->caption + suffix;
    }
}

// Step 3.
void PipelineClock::ExeBubblesAndFlushes() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    // 3.1 The copy of a branch stalled in ID under aggressive branching.
    if (m_.ForwardingEnabled && s.EXE.BranchHazardStall) {
        if (s.HazardStall == 1) {
            MakeBubble(s.EXE);
        }
        Explain("  A Stall Occurred because of  " + Num(s.EXE.Rx) +
                " in ID stage.  This situation only happens in Aggressive Branching Case!!!");
        if (v_.writesExplanations) {
            m_.StallText +=
                "\r\n" + c.Information->caption + ".  Note that currently forwarding is ON";
        }
    }
    // 3.2 The copy of an instruction stalled in ID by the look-ahead (forwarding off).
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
    // 3.3 Flushed by a branch taken in MEM at this clock.
    if (s.FlushFlag) {
        s.EXE.InstrText += "(Flushed)";
        s.EXE.Colour = kBubbleColour;
        s.EXE.RegWrite = 0;
        s.EXE.MemWrite = 0;
        s.EXE.Op = "NOP";
    }
    c.lblEXEValue[0].caption = Num(s.EXE.A);
    c.lblEXEValue[1].caption = Num(s.EXE.B);
    c.lblEXEValue[5].foreColor = 0;
    c.lblEXEValue[6].foreColor = 0;
}

// Step 4. ALU input A: MEM before WB; the address of a load in MEM is never forwarded.
void PipelineClock::ExeAluInputA() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    if (!m_.ForwardingEnabled) {
        s.AluA = s.EXE.A;
        c.lblEXEValue[9].caption = "0";
        c.lblForward->foreColor = kBlue;
    } else {
        c.lblEXEValue[9].visible = true;
        if (s.MEM.Op != "LW" && s.MEM.RegWrite == 1 && s.EXE.Rs != 0 && s.EXE.Rs == s.MEM.Rx) {
            s.AluA = s.MEM.AluOUT;
            c.lblEXEValue[9].caption = "1";
            c.lblForward->foreColor = kRed;
            c.lblEXEValue[5].foreColor = kDarkGreen;
            Explain("Data  (" + Num(s.AluA) +
                    ") Forwarded between MEM stage and Exe Stage on A Input of ALU");
            if (v_.writesExplanations) {
                m_.ForwardingText += "\r\n" + c.Information->caption +
                                     " because Rs Field of Instruction in EXE stage is same as RX "
                                     "field in MEM (R" +
                                     Str(s.MEM.Rx) + "). WB forwarding to Rs Neglected.";
            }
        } else if (s.WB.RegWrite == 1 && s.EXE.Rs != 0 && s.EXE.Rs == s.WB.Rx) {
            s.AluA = s.WB.Op == "LW" ? s.WB.LMD : s.WB.AluOUT;
            c.lblEXEValue[9].caption = "2";
            c.lblForward->foreColor = kRed;
            c.lblEXEValue[5].foreColor = kGreen;
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
            c.lblEXEValue[9].caption = "0";
            c.lblForward->foreColor = kBlue;
        }
    }
    c.lblEXEValue[5].caption = Num(s.AluA);
}

// Step 5. The branch held in ID by an early-branch stall gets the result now in MEM.
void PipelineClock::ExeEarlyRegisterWrite() {
    if (s_.EXE.BranchHazardStall) {
        EarlyBranchOperandUpdate();
    }
}

// Step 6. Input B, and a store's data forwarded from WB into the EXE latch itself.
void PipelineClock::ExeInputBAndStoreData() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    c.lblEXEValue[17].foreColor = 0;
    if (!m_.ForwardingEnabled) {
        return;
    }
    s.SelectMuxB = 0;
    const std::string &op = s.EXE.Op;
    if (op == "LW" || IsImmediateOp(op) || op.empty()) {
        return;
    }
    if (op == "SW") {
        if (v_.storeDataIntoExe && s.WB.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.WB.Rx) {
            s.EXE.B = s.WB.Op == "LW" ? s.WB.LMD : s.WB.AluOUT;
            Explain("Data (" + Num(s.EXE.B) +
                    ") Forwarded between WB stage and Exe Stage for B. A MUX for this not shown in "
                    "Diagram");
            if (v_.writesExplanations) {
                m_.ForwardingText += "  \r\n" + c.Information->caption +
                                     " because Rt Field of Instruction in EXE stage is same as RX "
                                     "field in WB = R" +
                                     Str(s.WB.Rx) +
                                     ".  A Special MUX required for this particular case has not "
                                     "been shown in the diagram for Simplicity.";
            }
            c.lblEXEValue[17].foreColor = kGreen;
            c.lblForward->foreColor = kRed;
        }
        return;
    }
    if (s.MEM.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.MEM.Rx) {
        s.ForwardedB = s.MEM.AluOUT;
        s.SelectMuxB = 2;
        c.lblForward->foreColor = kYellow;
        c.lblEXEValue[6].foreColor = kDarkGreen;
        Explain("Data (" + Num(s.ForwardedB) +
                ") Forwarded between MEM stage and Exe Stage on B Input of ALU");
        if (v_.writesExplanations) {
            m_.ForwardingText += "  \r\n" + c.Information->caption +
                                 " because Rt Field of Instruction in EXE stage is same as RX "
                                 "field in MEM (R" +
                                 Str(s.MEM.Rx) + ").  WB Forwarding (Rt)Ignored.";
        }
    } else if (s.WB.RegWrite == 1 && s.EXE.Rt != 0 && s.EXE.Rt == s.WB.Rx) {
        s.ForwardedB = s.WB.Op == "LW" ? s.WB.LMD : s.WB.AluOUT;
        s.SelectMuxB = 3;
        c.lblForward->foreColor = kRed;
        c.lblEXEValue[6].foreColor = kGreen;
        Explain("Data (" + Num(s.ForwardedB) +
                ") Forwarded between WB stage and Exe Stage on B Input of ALU");
        if (v_.writesExplanations) {
            m_.ForwardingText += "  \r\n" + c.Information->caption +
                                 " because Rt Field of Instruction in EXE stage is same as RX "
                                 "field in WB = R" +
                                 Str(s.WB.Rx);
        }
    }
}

// Step 7.
void PipelineClock::ExeShowValues() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    c.lblEXEValue[17].caption = Num(s.EXE.B);
    c.lblEXEValue[3].caption = "Rt=" + Num(s.EXE.Rt);
    c.lblEXEValue[4].caption = "Rd=" + Num(s.EXE.Rd);
    c.lblEXEValue[2].caption = hex8(s.EXE.Imm);
    c.lblEXEValue[14].caption = "NPC= " + Num(s.EXE.NPC);
    c.lblEXEValue[17].caption = Num(s.EXE.B);
    const int32_t imm4 = Wrap32(int64_t{4} * s.EXE.Imm);
    c.lblEXEValue[24].caption = Num(imm4);
    s.EXE.BTA = Wrap32(int64_t{s.EXE.NPC} + imm4);
    c.lblEXEValue[13].caption = Num(s.EXE.BTA);

    c.txtStageInfo2[2].caption = s.EXE.InstrText;
    c.Line3[40].visible = true;
    c.Line3[41].visible = true;
    c.Line3[63].visible = true;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 17, 20, 24, 25, 27}) {
        c.lblEXEValue[i].visible = true;
    }
    c.lblStage[2].visible = true;
    c.txtStageInfo2[2].foreColor = s.EXE.Colour;
    ColourRow(s.EXE.Slot, s.EXE.Colour);
    c.txtStageInfo2[2].visible = true;
}

// Step 8. The ALU. Results are wrapped to 32 bits; the shift amount is the 5-bit field.
void PipelineClock::ExeAlu() {
    PipelineState &s = s_;
    const ClockControls &c = c_;
    const std::string &op = s.EXE.Op;
    const int slot = RegIndex(s.EXE.Slot);
    const int shamt = m_.ProgShamt[slot] & 31;

    enum class Row { Immediate, RegisterB, Nop, Unknown } row = Row::Unknown;
    int64_t out = 0;
    auto registerB = [&] {
        c.lblEXEValue[10].caption = "0";
        s.AluB = s.EXE.B;
        if (s.SelectMuxB > 1) {
            s.AluB = s.ForwardedB;
            c.lblEXEValue[10].caption = Num(s.SelectMuxB);
        }
        row = Row::RegisterB;
    };
    if (op == "LW" || op == "SW") {
        s.AluB = s.EXE.Imm;
        out = int64_t{s.AluA} + s.AluB;
        row = Row::Immediate;
    } else if (op == "ADDI" || op == "ADDIU") {
        out = int64_t{s.AluA} + s.EXE.Imm;
        row = Row::Immediate;
    } else if (op == "SLTI" || op == "SLTIU") {
        out = s.AluA < s.EXE.Imm ? 1 : 0;
        row = Row::Immediate;
    } else if (op == "SLL") {
        registerB();
        out = int64_t{static_cast<uint32_t>(static_cast<uint32_t>(s.AluB)
                                            << shamt)}; // the 32-bit pattern, shifted
    } else if (op == "SRL") {
        registerB();
        out = static_cast<int64_t>(static_cast<uint32_t>(s.AluB) >> shamt);
    } else if (op == "BEQ" || op == "BNEQ" || op == "SUB" || op == "SUBU") {
        registerB();
        out = int64_t{s.AluA} - s.AluB;
    } else if (op == "NOP") {
        row = Row::Nop;
    } else if (op == "ADD" || op == "ADDU") {
        registerB();
        out = int64_t{s.AluA} + s.AluB;
    } else if (op == "AND") {
        registerB();
        out = s.AluA & s.AluB;
    } else if (op == "NOR") {
        registerB();
        out = ~(s.AluA | s.AluB);
    } else if (op == "OR") {
        registerB();
        out = s.AluA | s.AluB;
    } else if (op == "SLT" || op == "SLTU") {
        registerB();
        out = int64_t{s.AluA} - s.AluB < 0 ? 1 : 0;
    }

    switch (row) {
    case Row::Unknown:
        desk_.MessageBox("Unrecognised Command Caught in EXE Stage");
        return;
    case Row::Immediate:
        s.EXE.AluOUT = Wrap32(out);
        s.EXE.Rx = s.EXE.Rt;
        c.lblEXEValue[20].caption = "0";
        c.lblEXEValue[10].caption = "1";
        c.lblEXEValue[6].caption = Num(op == "LW" || op == "SW" ? s.AluB : s.EXE.Imm);
        c.lblEXEValue[6].foreColor = kMagenta;
        c.lblEXEValue[12].caption = "Rx: " + Num(s.EXE.Rx);
        break;
    case Row::RegisterB:
        s.EXE.AluOUT = Wrap32(out);
        s.EXE.Rx = IsBranch(op) ? s.EXE.Rt : s.EXE.Rd;
        c.lblEXEValue[20].caption = IsBranch(op) ? "0" : "1";
        c.lblEXEValue[6].caption = Num(s.AluB);
        c.lblEXEValue[12].caption = "RX: " + Num(s.EXE.Rx);
        break;
    case Row::Nop:
        s.EXE.AluOUT = 0;
        s.EXE.Rx = s.EXE.Rd;
        c.lblEXEValue[20].caption = "1";
        c.lblEXEValue[10].caption = "0";
        c.lblEXEValue[6].caption = Num(m_.RegisterFile[RegIndex(s.EXE.Rt)]);
        c.lblEXEValue[12].caption = "RX: " + Num(s.EXE.Rx);
        break;
    }
    c.lblEXEValue[7].caption = Num(s.EXE.AluOUT);
    c.lblEXEValue[11].caption = s.Tables.AluOpName[slot];
    c.lblEXEValue[8].caption =
        "func " + Num(m_.ProgFunc[slot]) + "\r\nShmt " + Num(m_.ProgShamt[slot]);
}

} // namespace corvexa
