// The value labels of the five-stage drawing: one array per stage, each element beside the wire or
// element whose value it shows, or a fixed name tag.

#include <vector>

#include "layouts/five_stage_parts.h"

namespace corvexa::five_stage {

namespace {

struct Spot {
    int index;
    const char *caption;
    int left, top, width, height;
};

Control &Value(FormLayout &f, const char *array, const Spot &s) {
    Control c = MakeLabel(array, s.index, s.caption, s.left, s.top, s.width, s.height);
    c.font = MakeFont("Arial Black", 6.75);
    c.foreColor = kDarkGrey;
    c.backColor = kWhite;
    c.alignment = Align::Center;
    // The window's load hides every value label; they appear as the clock reaches their stage.
    c.visible = false;
    f.controls.push_back(c);
    return f.controls.back();
}

void Style(Control &c, int32_t fore, int32_t back) {
    c.foreColor = fore;
    c.backColor = back;
}

void AddIF(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 1065, 4380, 660, 195}, // fetch address, on the PC output
        {1, "NA", 120, 6900, 2325, 195}, // fetched instruction, under the instruction memory
        {2, "NA", 1740, 3105, 690, 180}, // PC + 4, under its adder
        {3, "NA", 1005, 3480, 720, 195}, // next PC, on the multiplexer output
        {4, "NA", 705, 2070, 210, 195},  // next-PC multiplexer select
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblIFValue", s);
        if (s.index == 1) {
            c.font = MakeFont("Arial Narrow", 8.25, true);
            c.alignment = Align::Left;
        }
        if (s.index == 4) {
            Style(c, kWhite, kRed);
        }
    }
}

void AddID(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 2880, 4155, 630, 195},  // Rs at read port 1
        {1, "NA", 2880, 4635, 630, 195},  // Rt at read port 2
        {2, "NA", 2880, 6135, 630, 195},  // 16-bit immediate
        {3, "NA", 4380, 6450, 810, 195},  // sign-extended immediate
        {4, "NA", 4440, 7095, 660, 195},  // Rt passed on
        {5, "NA", 4440, 7575, 660, 195},  // Rd passed on
        {6, "NA", 4365, 4050, 840, 240},  // value read for Rs
        {7, "NA", 4365, 4530, 840, 240},  // value read for Rt
        {8, "NA", 2880, 2955, 600, 195},  // opcode to the control unit
        {9, "NA", 2880, 1725, 1050, 195}, // NPC passed on
        {10, "A=", 4365, 3840, 300, 195}, // tags
        {11, "B=", 4365, 4320, 300, 195},
        {12, "Imm16", 2880, 5940, 540, 195},
        {13, "Imm32", 4380, 6255, 540, 195},
        {14, "NA", 4740, 2475, 495, 195}, // early branch outcome
        {15, "NA", 2880, 1455, 660, 195}, // NPC at the early branch adder
        {16, "NA", 4380, 1245, 750, 195}, // early branch target
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblIDValue", s);
        if (s.index == 2 || s.index == 3) {
            c.foreColor = kMagenta;
        }
        if (s.index == 6 || s.index == 7) {
            c.font = MakeFont("Arial Black", 9);
        }
        if (s.index == 14) {
            Style(c, kDarkGrey, 0xFFFF00);
        }
    }
}

void AddEXE(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 5760, 3780, 900, 195},   // ID/EXE.A
        {1, "NA", 5760, 4740, 900, 195},   // ID/EXE.B
        {2, "NA", 5760, 6480, 900, 195},   // immediate, 32 bits
        {3, "NA", 5700, 7335, 570, 195},   // Rt
        {4, "NA", 5700, 8040, 570, 195},   // Rd
        {5, "NA", 7200, 3555, 1140, 255},  // ALU input A
        {6, "NA", 7200, 5175, 1140, 240},  // ALU input B
        {7, "NA", 8010, 4200, 375, 195},   // ALU result
        {8, "NA", 7410, 5700, 900, 390},   // func and shamt fields
        {9, "NA", 6915, 3240, 240, 300},   // A-input multiplexer select
        {10, "NA", 6915, 5715, 240, 300},  // B-input multiplexer select
        {11, "NA", 7425, 3360, 900, 195},  // ALU operation
        {12, "NA", 6450, 7815, 1080, 240}, // destination register
        {13, "NA", 7770, 2115, 600, 195},  // branch target
        {14, "NA", 5700, 1560, 1110, 195}, // NPC
        {15, "A'", 7170, 3990, 180, 195},  // tags
        {16, "B'", 7170, 4635, 180, 195},
        {17, "NA", 5760, 6960, 900, 210}, // B on the store-data path
        {18, "ALU_O", 8010, 4665, 375, 195},
        {19, "BR.Add", 7770, 1890, 540, 195},
        {20, "NA", 6120, 7320, 210, 195}, // destination multiplexer select
        {21, "A", 5700, 3990, 180, 195},
        {22, "B", 5700, 4950, 180, 195},
        {23, "Imm32", 5760, 6270, 540, 195},
        {24, "NA", 6360, 2955, 600, 195}, // immediate times 4
        {25, "NA", 8010, 3900, 255, 150}, // zero flag
        {26, "From Control", 4890, 3030, 660, 375},
        {27, "Info", 4380, 3075, 435, 225},
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblEXEValue", s);
        switch (s.index) {
        case 1:
            c.foreColor = kBlack;
            break;
        case 2:
            c.foreColor = kMagenta;
            break;
        case 5:
            c.font = MakeFont("Arial Black", 9.75);
            break;
        case 6:
            c.font = MakeFont("Arial Black", 9);
            break;
        case 8:
            c.font = MakeFont("Arial Narrow", 9);
            c.multiLine = true;
            break;
        case 9:
        case 10:
            c.font = MakeFont("Arial Black", 12, true);
            c.foreColor = kRed;
            break;
        case 11:
            c.font = MakeFont("MS Serif", 9.75);
            c.foreColor = kRed;
            break;
        case 12:
            c.font = MakeFont("Arial Black", 9.75);
            Style(c, kRed, kSelectGrey);
            break;
        case 17:
            c.font = MakeFont("Arial Black", 8.25);
            break;
        case 20:
            Style(c, kWhite, kRed);
            break;
        case 25:
            c.font = MakeFont("Arial Black", 5.25);
            Style(c, kWhite, kRed);
            break;
        case 26:
            c.foreColor = kRed;
            break;
        default:
            break;
        }
    }
}

void AddMEM(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 8880, 3795, 810, 195},   // data-memory address
        {1, "NA", 8880, 5280, 810, 210},   // write data
        {2, "NA", 9330, 6540, 240, 285},   // store-data multiplexer select
        {3, "NA", 9960, 1950, 210, 195},   // MemWrite
        {4, "NA", 8880, 7575, 840, 195},   // destination register
        {5, "LMD", 10230, 4050, 420, 195}, // tag
        {6, "NA", 10005, 2430, 765, 195},  // branch outcome
        {7, "Br.  Add", 8880, 1095, 720, 195},  {8, "MemWrite", 9360, 1755, 810, 195},
        {9, "NA", 8880, 1290, 840, 195}, // branch target
        {10, "Outcome", 10005, 2235, 660, 195}, {11, "B", 8880, 5085, 180, 195},
        {12, "NA", 10170, 4260, 660, 195}, // loaded value
        {13, "ALUout", 8880, 3600, 540, 195},   {14, ".", 10680, 3000, 45, 195},
        {15, "NA", 9210, 2790, 210, 195},  // zero flag
        {16, "NA", 10170, 5820, 660, 195}, // ALU result passed on
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblMEMValue", s);
        switch (s.index) {
        case 1:
            c.font = MakeFont("Arial Black", 8.25);
            break;
        case 2:
            c.font = MakeFont("Arial Black", 11.25);
            Style(c, kRed, kTagPink);
            break;
        case 3:
            c.foreColor = kRed;
            break;
        case 4:
            Style(c, kRed, kSelectGrey);
            break;
        case 8:
            c.font = MakeFont("MS Serif", 8.25);
            c.foreColor = kRed;
            break;
        case 10:
            c.font = MakeFont("MS Serif", 6.75, true);
            c.foreColor = kBlack;
            break;
        case 15:
            Style(c, kWhite, kRed);
            break;
        default:
            break;
        }
    }
}

void AddWB(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 11310, 4650, 660, 195}, // LMD
        {1, "NA", 11310, 5430, 660, 195}, // ALU result
        {2, "NA", 11970, 4800, 660, 195}, // write-back value
        {3, "NA", 11340, 7575, 720, 210}, // destination register
        {4, "MEM/WB.LMD", 11310, 4455, 900, 195},
        {5, " ALUout", 11310, 5625, 600, 195},
        {6, "RegWrite", 11340, 2235, 660, 195},
        {7, "NA", 11340, 2580, 210, 195}, // RegWrite
        {8, "NA", 2880, 5310, 630, 210},  // destination at the write port
        {9, "NA", 7440, 8460, 900, 195},  // write-back value in the bottom strip
        {10, "M/W. ALUout=", 6360, 8460, 1050, 195},
        {11, "Res=", 11970, 4605, 390, 195},
        {12, "NA", 11700, 5550, 210, 195}, // write-back multiplexer select
        {13, "NA", 11340, 2835, 900, 195}, // RegWrite
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblWBValue", s);
        switch (s.index) {
        case 3:
            c.font = MakeFont("Arial Black", 8.25);
            Style(c, kRed, kSelectGrey);
            break;
        case 6:
            c.font = MakeFont("MS Serif", 8.25);
            Style(c, kWhite, kRed);
            break;
        case 7:
        case 12:
            Style(c, kWhite, kRed);
            break;
        case 8:
            c.font = MakeFont("Arial Black", 8.25);
            c.backColor = 0x8080FF;
            break;
        case 9:
        case 10:
            Style(c, kWhite, kRegisterBlue);
            break;
        default:
            break;
        }
    }
}

void AddTags(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "Sign", 3555, 6420, 420, 195},
        {1, "Next PC", 120, 4320, 525, 195},
        {2, "Cont", 3600, 2985, 600, 225},
        {3, "Ext", 3975, 6600, 300, 195},
    };
    for (const Spot &s : spots) {
        Control c = MakeLabel("lblValue", s.index, s.caption, s.left, s.top, s.width, s.height);
        c.font = s.index == 2 ? MakeFont("Arial Black", 8.25) : FormFont();
        c.foreColor = kBlack;
        c.backColor = kTagPink;
        c.alignment = Align::Center;
        f.controls.push_back(c);
    }
}

} // namespace

void AddValueLabels(FormLayout &f) {
    AddIF(f);
    AddID(f);
    AddEXE(f);
    AddMEM(f);
    AddWB(f);
    AddTags(f);
}

} // namespace corvexa::five_stage
