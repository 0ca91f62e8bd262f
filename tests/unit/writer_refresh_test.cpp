#include "program_file_test_support.h"
#include "writer_test_support.h"

namespace corvexa::writer_test {

using program_file_test::LoadedSlot;
namespace {

TEST_F(WriterTest, AssembleHidesTheWriterAndHandsOverToThePipelineWindow) {
    frmWriteIntProg &w = Open();
    Choose(0, "LW", "-8");
    w.C("cmbRdField", 0).SetListIndex(3);
    w.C("cmbRtField", 0).SetListIndex(5);
    Choose(1, "SLL", "3");
    w.C("cmbRdField", 1).SetListIndex(4);
    w.C("cmbRsField", 1).SetListIndex(2);
    Choose(10, "BEQ", "-3");
    w.C("cmbRdField", 10).SetListIndex(1);
    w.C("cmbRsField", 10).SetListIndex(2);
    m.LoadingFlag = true;
    m.RefreshDone = true;
    SkipPrompts(3);
    desk.Show("frmMIPSFiveStageInt");
    auto &pipeline = static_cast<PipelineStandIn &>(desk.Get("frmMIPSFiveStageInt"));
    pipeline.paints = 0;
    w.Click("cmdEND");
    EXPECT_FALSE(w.visible);
    EXPECT_EQ(m.ProgText[0], "LW R3,-8(R5)");
    EXPECT_EQ(m.ProgText[1], "SLL R4,R2,3");
    EXPECT_EQ(m.ProgText[10], "BEQ R1,R2,-3");
    EXPECT_EQ(m.ProgText[31], "NOP");
    EXPECT_FALSE(m.LoadingFlag);
    EXPECT_FALSE(m.RefreshDone);
    EXPECT_EQ(pipeline.paints, 1);
    EXPECT_TRUE(pipeline.sawProgramWritten);
    // The rows stay for the next showing, which asks nothing.
    desk.Show("frmWriteIntProg");
    EXPECT_EQ(m.ProgMnemonic[0], "LW");
    ExpectNoDialog();
}

TEST_F(WriterTest, RefreshTakesOverALoadedProgramOnceAndAsksTheCodeStart) {
    frmWriteIntProg &w = Open();
    LoadedSlot(m, 0, "LW", 3, 9, 5, 0, -8);
    LoadedSlot(m, 1, "SLL", 4, 2, 0, 5, 0, 0, 7); // shown from ImmField; the shift field stays 7
    LoadedSlot(m, 2, "BNEQ", 1, 2, 0, 0, 0, -3);
    LoadedSlot(m, 3, "SUBU", 6, 7, 8);
    LoadedSlot(m, 4, "NOP", 0, 0, 0);
    m.LoadingFlag = true;
    m.RefreshDone = false;
    desk.QueueAnswer("4097");
    w.Click("cmdRefresh");
    ExpectPrompt("Please enter Sarting Value of Code Memory/Program Counter",
                 "Start Value for PC/Instruction Memory", "2000");
    ExpectNoDialog();
    EXPECT_TRUE(m.RefreshDone);
    EXPECT_FALSE(m.LoadingFlag);
    EXPECT_EQ(Text("lblPCValue", 0), "4096:");
    EXPECT_EQ(m.ProgAddress[31], 4220);

    EXPECT_EQ(Text("Instruction1", 0), "LW");
    EXPECT_EQ(m.InstrFormat[0], FormatLoadStore);
    EXPECT_EQ(Text("lblOffset", 0), "-8");
    EXPECT_EQ(Text("cmbRdField", 0), "R3");
    EXPECT_EQ(Text("cmbRtField", 0), "R5");
    EXPECT_EQ(Text("lbl2ndSpace", 0), "(");
    EXPECT_TRUE(Visible("lbl3rdSpace", 0));
    EXPECT_FALSE(Visible("cmbRsField", 0));
    EXPECT_EQ(m.RsField[0], 9); // nothing stored by the lists set from code

    EXPECT_EQ(m.InstrFormat[1], FormatImmediate);
    EXPECT_EQ(Text("lblImmArg", 1), "5");
    EXPECT_EQ(m.ProgShamt[1], 7);
    EXPECT_EQ(m.InstrFormat[2], FormatBranch);
    EXPECT_EQ(Text("lblBranchOffset", 2), "-3");
    EXPECT_EQ(m.InstrFormat[3], FormatRegister);
    EXPECT_EQ(Text("cmbRtField", 3), "R8");
    EXPECT_EQ(m.InstrFormat[4], FormatNop);
    EXPECT_FALSE(Visible("cmbRdField", 4));

    // A second press, and a press after a second load, do nothing.
    w.Click("cmdRefresh");
    LoadedSlot(m, 0, "ADD", 1, 1, 1);
    m.LoadingFlag = true;
    w.Click("cmdRefresh");
    ExpectNoDialog();
    EXPECT_EQ(Text("Instruction1", 0), "LW");
    EXPECT_TRUE(m.LoadingFlag);
    // "C L E A R" then refills from the store.
    desk.QueueAnswer("2000");
    w.Click("cmdClear");
    SkipPrompts(1);
    EXPECT_EQ(Text("Instruction1", 0), "ADD");
    EXPECT_FALSE(m.LoadingFlag);

    // After "ASSEMBLE", "REFRESH" is inert again.
    w.Click("cmdEND");
    m.LoadingFlag = false;
    w.Click("cmdRefresh");
    ExpectNoDialog();
}

TEST_F(WriterTest, AssembleRightAfterALoadUsesTheRowsFormats) {
    frmWriteIntProg &w = Open();
    Choose(0, "ADDI", "5"); // the row's format stays immediate
    LoadedSlot(m, 0, "ADD", 1, 2, 3, 9);
    m.LoadingFlag = true;
    w.Click("cmdEND");
    EXPECT_EQ(m.ProgText[0], "ADD R1,R2,9");
}

TEST_F(WriterTest, MoveUpExchangesSlotsKeepsAddressesAndAsksNothing) {
    frmWriteIntProg &w = Open();
    LoadedSlot(m, 4, "ADD", 1, 2, 3, 11, 12, 13, 14, 32);
    LoadedSlot(m, 5, "LW", 7, 8, 9, 21, 22, 23, 24, 25);
    m.AssembledRd[4] = 1;
    m.AssembledRd[5] = 7;
    m.RefreshDone = true;
    w.Click("picUP", 5);
    ExpectNoDialog();
    EXPECT_EQ(m.ProgMnemonic[4], "LW");
    EXPECT_EQ(m.ProgMnemonic[5], "ADD");
    EXPECT_EQ(m.RdField[4], 7);
    EXPECT_EQ(m.RsField[4], 8);
    EXPECT_EQ(m.RtField[4], 9);
    EXPECT_EQ(m.ImmField[4], 21);
    EXPECT_EQ(m.OffsetField[4], 22);
    EXPECT_EQ(m.ProgBranchOffset[4], 23);
    EXPECT_EQ(m.ProgShamt[4], 24);
    EXPECT_EQ(m.ProgFunc[4], 25);
    EXPECT_EQ(m.AssembledRd[4], 7);
    EXPECT_EQ(m.ProgFunc[5], 32);
    EXPECT_EQ(m.InstrFormat[4], FormatLoadStore);
    EXPECT_EQ(m.InstrFormat[5], FormatRegister);
    EXPECT_EQ(Text("Instruction1", 4), "LW");
    EXPECT_EQ(Text("lblOffset", 4), "22");
    EXPECT_EQ(Text("lblPCValue", 4), "2016:");
    EXPECT_EQ(m.ProgAddress[5], 2020);
    EXPECT_FALSE(m.LoadingFlag);
    EXPECT_FALSE(w.SkipAddressPrompt);
    EXPECT_TRUE(m.RefreshDone);

    // Walking it to the top never asks for the start address; row 0 does nothing.
    for (int row = 4; row >= 0; --row) {
        w.Click("picUP", row);
    }
    ExpectNoDialog();
    EXPECT_EQ(m.ProgMnemonic[0], "LW");
    EXPECT_EQ(m.ProgMnemonic[1], "NOP");
    EXPECT_EQ(m.ProgMnemonic[5], "ADD");
    for (const char *p : {"PicDown", "PicInsert", "PicDelete"}) {
        w.Click(p, 3);
    }
    EXPECT_EQ(m.ProgMnemonic[0], "LW");
    ExpectNoDialog();
}

TEST_F(WriterTest, RefillShowsValuesTheListsCannotHoldAsText) {
    frmWriteIntProg &w = Open();
    LoadedSlot(m, 0, "XOR", 40, -3, 32767);
    LoadedSlot(m, 1, "lw", 1, 2, 3);
    LoadedSlot(m, 2, "", 0, 0, 0);
    LoadedSlot(m, 3, "LW", -32768, 0, 99, 0, 5);
    LoadedSlot(m, 4, "ADD.S", 1, 2, 3);
    m.LoadingFlag = true;
    desk.QueueAnswer("2000");
    w.Click("cmdRefresh");

    EXPECT_EQ(Text("Instruction1", 0), "XOR");
    EXPECT_EQ(w.C("Instruction1", 0).listIndex, -1);
    EXPECT_EQ(m.InstrFormat[0], FormatRegister);
    EXPECT_EQ(Text("cmbRdField", 0), "R40");
    EXPECT_EQ(w.C("cmbRdField", 0).listIndex, -1);
    EXPECT_EQ(Text("cmbRsField", 0), "R-3");
    EXPECT_EQ(Text("cmbRtField", 0), "R32767");
    EXPECT_EQ(m.RdField[0], 40); // shown, never changed
    EXPECT_EQ(Text("Instruction1", 1), "lw");
    EXPECT_EQ(m.InstrFormat[1], FormatRegister);
    EXPECT_EQ(Text("Instruction1", 2), "");
    EXPECT_EQ(Text("cmbRdField", 3), "R-32768");
    EXPECT_EQ(Text("cmbRtField", 3), "R99");
    EXPECT_EQ(m.InstrFormat[4], FormatRegister);

    w.Click("cmdEND");
    EXPECT_EQ(m.ProgText[0], "XOR R40,R-3,R32767");
    EXPECT_EQ(m.ProgText[3], "LW R-32768,5(R99)");

    // Choosing a register in such a row afterwards stores the chosen item.
    desk.Show("frmWriteIntProg");
    w.C("cmbRdField", 0).SetListIndex(6);
    EXPECT_EQ(m.RdField[0], 6);
    EXPECT_EQ(Text("cmbRdField", 0), "R6");
}

TEST_F(WriterTest, WriterFirstShownByALoadRefillsAtItsDesignPlaces) {
    LoadedSlot(m, 0, "ADDI", 2, 3, 0, -7);
    for (int i = 1; i < 32; ++i) {
        LoadedSlot(m, i, "NOP", 0, 0, 0);
    }
    m.LoadingFlag = true;
    desk.QueueAnswer("1000");
    desk.Show("frmWriteIntProg");
    ExpectPrompt("Please enter Sarting Value of Program Counter", "Start Value for PC", "2000");
    frmWriteIntProg &w = Writer();
    EXPECT_FALSE(m.LoadingFlag);
    EXPECT_EQ(Text("lblImmArg", 0), "-7");
    EXPECT_EQ(Text("lblPCValue", 31), "1124:");
    for (int i : {0, 5, 31}) {
        EXPECT_EQ(w.C("lblPCValue", i).top, WriterDesignRowTop(i));
        EXPECT_EQ(w.C("picUP", i).top, WriterDesignRowTop(i) + 60);
    }
    // "REFRESH" after a load that created the writer does nothing.
    w.Click("cmdRefresh");
    ExpectNoDialog();
}

} // namespace
} // namespace corvexa::writer_test
