// Clicks on the drawing explain its values: the clock guard, every explained element, number
// forms of negative immediates and of instruction words with the top bit set.
#include "options_fixture.h"

namespace corvexa::testing {
namespace {

class ExplainValues : public FiveStageWindow {
protected:
    // ADDI R1,R2,-1 in slot 3 and LW R3,100(R5) in slot 4, latched as if in flight.
    frmMIPSFiveStageInt &Prepared() {
        frmMIPSFiveStageInt &w = Open();
        ClearProgram();
        Slot(3, "ADDI", 1, 2, 0, -1);
        Slot(4, "LW", 3, 0, 5, 0, 100);
        HandOver();
        m.RegisterFile[2] = 222;
        m.RegisterFile[1] = -5;
        w.ClockCount = 4;
        w.FetchIndex = 4;
        w.ID.Slot = 3;
        w.ID.Imm = -1;
        w.ID.Op = "ADDI";
        w.EXE.Slot = 3;
        w.EXE.Imm = -1;
        w.EXE.A = 222;
        w.EXE.B = -5;
        w.EXE.Op = "ADDI";
        return w;
    }
    std::string Explain(const char *array, int index) {
        Window().C("Information").caption = "unchanged";
        Window().Click(array, index);
        return Info();
    }
};

TEST_F(ExplainValues, GuardAnswersCircuitNotClockedUntilTheStageHasAnInstruction) {
    frmMIPSFiveStageInt &w = Open();
    struct Case {
        const char *array;
        int index;
        int needs; // ClockCount from which the stage explains
    };
    const Case cases[] = {{"lblIFValue", 0, 0},  {"lblIFValue", 3, 0},  {"lblIDValue", 2, 1},
                          {"lblIDValue", 10, 1}, {"lblEXEValue", 7, 2}, {"lblEXEValue", 26, 2}};
    for (int clock = -1; clock <= 2; ++clock) {
        w.ClockCount = clock;
        for (const Case &c : cases) {
            w.C("Information").caption = "before";
            w.Click(c.array, c.index);
            auto dialog = desk.TakeOldest();
            if (clock < c.needs) {
                ASSERT_TRUE(dialog) << c.array << c.index << " at " << clock;
                EXPECT_EQ(dialog->text, "Circuit Not Clocked");
                EXPECT_EQ(dialog->title, kAppTitle);
                EXPECT_EQ(dialog->icon, MsgIcon::None);
                EXPECT_EQ(Info(), "before");
            } else {
                EXPECT_FALSE(dialog) << c.array << c.index << " at " << clock;
            }
        }
    }
}

TEST_F(ExplainValues, FetchStageExplainsThePcAndTheWordInEveryBase) {
    frmMIPSFiveStageInt &w = Prepared();
    EXPECT_EQ(Explain("lblIFValue", 0), "Program Counter= 2016");
    EXPECT_EQ(Explain("lblIFValue", 1),
              "IM[PC] = 0x8CA30064, (Bin)= 10001100101000110000000001100100, (Dec)= 2359492708, "
              "Translated to:LW R3,100(R5).");
    EXPECT_TRUE(Visible("Information"));
    EXPECT_EQ(w.C("Timer1").interval, 25000);
    for (int i : {2, 3, 4}) {
        EXPECT_EQ(Explain("lblIFValue", i), "unchanged");
    }
    w.FetchIndex = 3;
    EXPECT_EQ(Explain("lblIFValue", 1),
              "IM[PC] = 0x2041FFFF, (Bin)= 00100000010000011111111111111111, (Dec)= 541196287, "
              "Translated to:ADDI R1,R2,-1.");
    w.FetchIndex = 32; // past the program: nothing to explain, nothing read
    EXPECT_EQ(Explain("lblIFValue", 1), "unchanged");
}

TEST_F(ExplainValues, DecodeStageExplainsFieldsAndRegistersOfANegativeImmediate) {
    frmMIPSFiveStageInt &w = Prepared();
    EXPECT_EQ(Explain("lblIDValue", 0),
              "Rs Field of the instruction = 2, (In Binary) =00010,  REG[2]= 222");
    EXPECT_EQ(Explain("lblIDValue", 1),
              "Rt Field of the instruction = 1, (In Binary) =00001,  REG[1]= -5");
    EXPECT_EQ(Explain("lblIDValue", 4), Explain("lblIDValue", 1));
    EXPECT_EQ(Explain("lblIDValue", 2), "16-bit Immediate Value Field of Instruction = 0xFFFF, (In "
                                        "Binary) =1111111111111111,  In Decimal = -1");
    EXPECT_EQ(Explain("lblIDValue", 3), "32-bit Sign Extended Immediate = 0xFFFFFFFF, (In Binary) "
                                        "=" +
                                            std::string(32, '1') + ",  In Decimal = -1");
    EXPECT_EQ(Explain("lblIDValue", 5),
              "Rd Field of the instruction = 31, (In Binary) =11111, This "
              "value Only Used in R-Type instructions");
    EXPECT_EQ(Explain("lblIDValue", 6), "ID.A = REG[2]= 222");
    EXPECT_EQ(Explain("lblIDValue", 7), "ID.B = REG[1]= -5");
    EXPECT_EQ(Explain("lblIDValue", 9),
              "Next PC for this Instruction.  Note the PC for this instruction is 2012");
    for (int i : {8, 10, 11, 12, 13, 14, 15, 16}) {
        EXPECT_EQ(Explain("lblIDValue", i), "unchanged") << i;
    }

    // Registers are read at the click, not from the latch.
    m.RegisterFile[2] = -7;
    EXPECT_EQ(Explain("lblIDValue", 6), "ID.A = REG[2]= -7");

    w.ID.Imm = -32768;
    EXPECT_EQ(Explain("lblIDValue", 2), "16-bit Immediate Value Field of Instruction = 0x8000, (In "
                                        "Binary) =1000000000000000,  In Decimal = -32768");
    w.ID.Imm = 5;
    EXPECT_EQ(Explain("lblIDValue", 2), "16-bit Immediate Value Field of Instruction = 0x0005, (In "
                                        "Binary) =0000000000000101,  In Decimal = 5");
    EXPECT_EQ(Explain("lblIDValue", 3), "32-bit Sign Extended Immediate = 0x00000005, (In Binary) "
                                        "=" +
                                            std::string(29, '0') + "101,  In Decimal = 5");
}

TEST_F(ExplainValues, ExecuteStageExplainsOperandsFieldsAndTheShiftedImmediate) {
    frmMIPSFiveStageInt &w = Prepared();
    EXPECT_EQ(Explain("lblEXEValue", 0), "ID/EXE.A = 222");
    EXPECT_EQ(Explain("lblEXEValue", 1), "ID/EXE.B = -5");
    EXPECT_EQ(Explain("lblEXEValue", 2), "32-bit Sign Extended Immediate = 0xFFFFFFFF, (In Binary) "
                                         "=" +
                                             std::string(32, '1') + ",  In Decimal = -1");
    EXPECT_EQ(Explain("lblEXEValue", 6), "Final Selected B Input of ALU.  Note For I-type it comes "
                                         "from bottom of MUX, For R-type from TOP");
    EXPECT_EQ(Explain("lblEXEValue", 7),
              "EXE.AluOUT.  A value after Calculation in Exe Stage.  The "
              "ALUOP for this Instruction is ADD");
    EXPECT_EQ(Explain("lblEXEValue", 8), "Function Field =63, (In Binary) =111111, in Hex = 3F and "
                                         "Shift Amount= 31,(In Binary) =11111");
    EXPECT_EQ(Explain("lblEXEValue", 12), "Rx is final destination register chosen from between Rt "
                                          "and Rd.  For R-type Instructions Rx = Rd");
    EXPECT_EQ(Explain("lblEXEValue", 24), "Imm Shifted Left twice (Multiply by 4) =-1 X 4 = -4");
    EXPECT_EQ(Explain("lblEXEValue", 27),
              "Controls For ADDI Look at ALU_OP, Bottom RX MUX, ALU Input Mux");
    for (int i : {3, 4, 5, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 25, 26}) {
        EXPECT_EQ(Explain("lblEXEValue", i), "unchanged") << i;
    }

    // An immediate from a program file beyond 16 bits: 4 x Imm wraps to 32 bits.
    w.EXE.Imm = 0x40000001;
    EXPECT_EQ(Explain("lblEXEValue", 24),
              "Imm Shifted Left twice (Multiply by 4) =1073741825 X 4 = 4");
    EXPECT_TRUE(desk.Log().empty());
}

TEST_F(ExplainValues, UnguardedElementsExplainWhateverTheRecordsHold) {
    frmMIPSFiveStageInt &w = Open();
    EXPECT_EQ(Explain("Picture4", -1), "Circuit output TRUE if BEQ AND Z flag is 1 OR BNEQ and Z "
                                       "Flag is 0. Currently OpCode is  and z is 0, hence Branch "
                                       "FALSE");
    EXPECT_EQ(Explain("lblMEMValue", 11), "EXE/MEM.B = 0");
    EXPECT_EQ(Explain("lblMEMValue", 6), "unchanged");

    w.C("Timer1").interval = 0;
    w.ID.Op = "SW";
    EXPECT_EQ(Explain("lblValue", 2), "Control Hardware that generates controls (Red Coloured "
                                      "Wires) for other stages.  Input is 6-bit OpCode = SW");
    EXPECT_TRUE(Visible("Information"));
    EXPECT_EQ(w.C("Timer1").interval, 0); // this one does not arm the timer
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(Explain("lblValue", i), "unchanged");
    }

    const std::string adder = "ALU for calculating Branch target address (BTA). Its output is "
                              "only useful in branch instructions";
    w.EXE.Op = "ADD";
    EXPECT_EQ(Explain("Picture2", -1), adder);
    w.EXE.Op = "BNEQ";
    EXPECT_EQ(Explain("Picture2", -1), adder + "  like CURRENT instruction.");
    w.EXE.Op = "BEQ";
    EXPECT_EQ(Explain("Picture2", -1), adder + "  like CURRENT instruction.");

    w.MEM.Op = "BEQ";
    w.MEM.Zero = 1;
    w.MEM.BranchTaken = true;
    w.MEM.B = -12;
    EXPECT_EQ(Explain("Picture4", -1),
              "Circuit output TRUE if BEQ AND Z flag is 1 OR BNEQ and Z "
              "Flag is 0. Currently OpCode is BEQ and z is 1, hence branch "
              "TRUE");
    EXPECT_EQ(Explain("lblMEMValue", 11), "EXE/MEM.B = -12");
    EXPECT_TRUE(desk.Log().empty());
}

} // namespace
} // namespace corvexa::testing
