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
        {0, "NA", 1020, 4650, 630, 195}, // fetch address, under the PC output
        {1, "NA", 120, 6540, 2325, 195}, // fetched instruction, under the instruction memory
        {2, "NA", 1530, 1770, 750, 195}, // PC + 4, on its way back to the multiplexer
        {3, "NA", 120, 3735, 975, 195},  // next PC, on the multiplexer output
        {4, "NA", 900, 2055, 210, 195},  // next-PC multiplexer select
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblIFValue", s);
        if (s.index == 1) {
            // Set off to the right, under the memory it comes out of.
            c.alignment = Align::Right;
        }
        if (s.index == 4) {
            Style(c, kWhite, kRed);
        }
    }
}

void AddID(FormLayout &f) {
    const std::vector<Spot> spots = {
        {0, "NA", 2955, 4095, 435, 195},  // Rs at read port 1
        {1, "NA", 2955, 4635, 435, 195},  // Rt at read port 2
        {2, "NA", 2955, 6375, 435, 195},  // 16-bit immediate
        {3, "NA", 4350, 6375, 840, 195},  // sign-extended immediate
        {4, "NA", 4650, 7560, 540, 195},  // Rt passed on
        {5, "NA", 4650, 8040, 540, 195},  // Rd passed on
        {6, "NA", 4350, 4050, 840, 240},  // value read for Rs
        {7, "NA", 4350, 4590, 840, 240},  // value read for Rt
        {8, "NA", 2955, 2910, 450, 195},  // opcode to the control unit
        {9, "NA", 3090, 2610, 1065, 195}, // NPC passed on
        {10, "A=", 4350, 3840, 300, 195}, // tags
        {11, "B=", 4350, 4380, 300, 195},
        {12, "Imm16", 2955, 6630, 435, 195},
        {13, "Imm32", 4350, 6630, 480, 195},
        {14, "NA", 4680, 1710, 465, 195}, // early branch outcome
        {15, "NA", 3090, 1410, 690, 195}, // NPC at the early branch adder
        {16, "NA", 4530, 1380, 615, 195}, // early branch target
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblIDValue", s);
        if (s.index == 2 || s.index == 3) {
            c.foreColor = kPurple;
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
        {0, "NA", 5805, 4095, 660, 195},   // ID/EXE.A
        {1, "NA", 5805, 4635, 660, 195},   // ID/EXE.B
        {2, "NA", 5805, 6375, 660, 195},   // immediate, 32 bits
        {3, "NA", 5640, 7515, 405, 195},   // Rt
        {4, "NA", 5640, 8085, 405, 195},   // Rd
        {5, "NA", 7170, 3555, 1050, 270},  // ALU input A
        {6, "NA", 7335, 4950, 1050, 240},  // ALU input B
        {7, "NA", 7785, 4170, 615, 195},   // ALU result
        {8, "NA", 7335, 5205, 1050, 435},  // func and shamt fields
        {9, "NA", 6600, 3450, 210, 300},   // A-input multiplexer select
        {10, "NA", 6885, 5685, 210, 300},  // B-input multiplexer select
        {11, "NA", 6840, 3165, 1545, 225}, // ALU operation
        {12, "NA", 6885, 7620, 690, 255},  // destination register
        {13, "NA", 7680, 2070, 705, 195},  // branch target
        {14, "NA", 6270, 1800, 1005, 180}, // NPC
        {15, "A'", 7170, 4155, 180, 195},  // tags
        {16, "B'", 7170, 4410, 180, 195},
        {17, "NA", 7335, 6825, 1050, 210}, // B on the store-data path
        {18, "ALU_O", 7785, 4425, 540, 195},
        {19, "BR.Add", 7680, 2325, 540, 195},
        {20, "NA", 6105, 7350, 210, 195}, // destination multiplexer select
        {21, "A", 5805, 3900, 180, 195},
        {22, "B", 5805, 4440, 180, 195},
        {23, "Imm32", 5805, 6180, 480, 195},
        {24, "NA", 6360, 2895, 630, 195}, // immediate times 4
        {25, "NA", 7800, 3945, 210, 150}, // zero flag
        {26, "From Control", 4890, 2955, 660, 375},
        {27, "Info", 4395, 3075, 435, 225},
    };
    for (const Spot &s : spots) {
        Control &c = Value(f, "lblEXEValue", s);
        switch (s.index) {
        case 1:
            c.foreColor = kBlack;
            break;
        case 2:
            c.foreColor = kPurple;
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
        {0, "NA", 8985, 4170, 705, 195},   // data-memory address
        {1, "NA", 9960, 5685, 765, 210},   // write data
        {2, "NA", 8985, 5685, 210, 285},   // store-data multiplexer select
        {3, "NA", 10305, 2970, 210, 195},  // MemWrite
        {4, "NA", 9930, 7680, 540, 195},   // destination register
        {5, "LMD", 10155, 4350, 420, 195}, // tag
        {6, "NA", 10110, 2295, 660, 195},  // branch outcome
        {7, "Br.  Add", 9090, 1155, 600, 195},  {8, "MemWrite", 9525, 2970, 765, 195},
        {9, "NA", 9090, 1365, 660, 195}, // branch target
        {10, "Outcome", 10110, 2085, 600, 195}, {11, "B", 9960, 5895, 180, 195},
        {12, "NA", 10155, 4110, 675, 195}, // loaded value
        {13, "ALUout", 8985, 4410, 540, 195},   {14, ".", 10680, 3000, 45, 195},
        {15, "NA", 9270, 2655, 210, 195},  // zero flag
        {16, "NA", 10155, 5430, 675, 195}, // ALU result passed on
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
        {0, "NA", 11325, 4110, 660, 195}, // LMD
        {1, "NA", 11325, 5670, 660, 195}, // ALU result
        {2, "NA", 11940, 5175, 615, 195}, // write-back value
        {3, "NA", 11325, 7665, 540, 210}, // destination register
        {4, "MEM/WB.LMD", 11325, 3915, 960, 195},
        {5, " ALUout", 11325, 5865, 600, 195},
        {6, "RegWrite", 11340, 2880, 615, 195},
        {7, "NA", 11490, 2610, 210, 195}, // RegWrite
        {8, "NA", 3105, 5070, 285, 210},  // destination at the write port
        {9, "NA", 10425, 8490, 675, 195}, // write-back value in the bottom strip
        {10, "M/W. ALUout=", 9300, 8490, 1110, 195},
        {11, "Res=", 11970, 4920, 360, 195},
        {12, "NA", 11685, 4590, 210, 195}, // write-back multiplexer select
        {13, "NA", 11535, 2355, 675, 195}, // RegWrite
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
        {0, "Sign", 3615, 6405, 420, 195},
        {1, "Next PC", 120, 3525, 660, 195},
        {2, "Cont", 3540, 3060, 480, 240},
        {3, "Ext", 3855, 6600, 300, 195},
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
