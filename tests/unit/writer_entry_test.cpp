#include "writer_test_support.h"

namespace corvexa::writer_test {
namespace {

const char *kBranchLead = "Branch Offset is in Terms of Number of Instructions from Instruction "
                          "after the Branch\r\rPlease enter a Branch Offset between  ";

TEST_F(WriterTest, LoadRowShowsDataRegisterOffsetAndBaseInParentheses) {
    Open();
    Choose(3, "LW", "100");
    ExpectPrompt("Please enter a 16-bit Offset Value", "Offset Value for Load/Store", "0");
    ExpectNoDialog();
    EXPECT_EQ(m.ProgMnemonic[3], "LW");
    EXPECT_EQ(m.InstrFormat[3], FormatLoadStore);
    EXPECT_EQ(m.OffsetField[3], 100);
    for (const char *c :
         {"cmbRdField", "lblFirstSpace", "lblOffset", "lbl2ndSpace", "cmbRtField", "lbl3rdSpace"}) {
        EXPECT_TRUE(Visible(c, 3)) << c;
    }
    for (const char *c : {"cmbRsField", "lblImmArg", "lblBranchOffset"}) {
        EXPECT_FALSE(Visible(c, 3)) << c;
    }
    EXPECT_EQ(Text("cmbRdField", 3), "R0");
    EXPECT_EQ(Text("lblOffset", 3), "100");
    EXPECT_EQ(Text("lbl2ndSpace", 3), "(");
    EXPECT_EQ(Text("cmbRtField", 3), "R0");
}

TEST_F(WriterTest, SixteenBitPromptsAcceptTheirBoundsAndNameTheirOwnRangeMessages) {
    Open();
    desk.QueueAnswer("32768");
    desk.QueueAnswer("-32769");
    Choose(0, "SW", "-32768");
    SkipPrompts(1);
    ExpectMessage("Enter a 16-bit Value", "Value Too Large");
    SkipPrompts(1);
    ExpectMessage("Enter a 16-bit Value", "Value Too Large");
    SkipPrompts(1);
    ExpectNoDialog();
    EXPECT_EQ(m.OffsetField[0], -32768);

    desk.QueueAnswer("32768");
    Choose(1, "SLTIU", "32767");
    ExpectPrompt("Please enter a 16-bit Immediate Value", "Immediate Value for I-Type", "0");
    ExpectMessage("Enter a 16-bit Immediate Value", "Value Out of Range");
    SkipPrompts(1);
    EXPECT_EQ(m.ImmField[1], 32767);
    EXPECT_EQ(m.InstrFormat[1], FormatImmediate);

    // Re-entering an immediate names the other message.
    desk.QueueAnswer("-40000");
    desk.QueueAnswer("7");
    Writer().Click("lblImmArg", 1);
    ExpectPrompt("Please enter a 16-bit Immediate Value", "Immediate Value for I-Type", "0");
    ExpectMessage("Enter a 16-bit Value", "Value Too Large");
    SkipPrompts(1);
    EXPECT_EQ(m.ImmField[1], 7);
    EXPECT_EQ(Text("lblImmArg", 1), "7");
}

TEST_F(WriterTest, ShiftAmountIsBoundedAndKeptInBothTables) {
    Open();
    desk.QueueAnswer("32");
    desk.QueueAnswer("-1");
    Choose(2, "SLL", "31");
    ExpectPrompt("Please enter Shift Amount between 0 to 31", "Shift Amount for I-Type", "0");
    ExpectMessage("Enter a Value between 0 to 31", "Value Out of Range");
    SkipPrompts(1);
    ExpectMessage("Enter a Value between 0 to 31", "Value Out of Range");
    SkipPrompts(1);
    EXPECT_EQ(m.ProgShamt[2], 31);
    EXPECT_EQ(m.ImmField[2], 31);
    EXPECT_TRUE(Visible("cmbRsField", 2));
    EXPECT_FALSE(Visible("cmbRtField", 2));

    Choose(2, "SRL", "0");
    SkipPrompts(1);
    EXPECT_EQ(m.ProgShamt[2], 0);

    // Clicking the amount of a shift row asks a shift amount again and stores it in both.
    desk.QueueAnswer("40");
    desk.QueueAnswer("5");
    Writer().Click("lblImmArg", 2);
    ExpectPrompt("Please enter Shift Amount between 0 to 31", "Shift Amount for I-Type", "0");
    ExpectMessage("Enter a Value between 0 to 31", "Value Out of Range");
    SkipPrompts(1);
    EXPECT_EQ(m.ProgShamt[2], 5);
    EXPECT_EQ(m.ImmField[2], 5);
    EXPECT_EQ(Text("lblImmArg", 2), "5");
}

TEST_F(WriterTest, BranchPromptNamesTheRowsOwnBounds) {
    Open();
    desk.QueueAnswer("-2");
    desk.QueueAnswer("31");
    Choose(0, "BEQ", "-1");
    ExpectPrompt(std::string(kBranchLead) + "-1  to  30", "Branch Offset", "");
    ExpectMessage("Offset too big for this 32 instruction simulator", "Offset Out of Range");
    SkipPrompts(1);
    ExpectMessage("Offset too big for this 32 instruction simulator", "Offset Out of Range");
    SkipPrompts(1);
    ExpectNoDialog();
    EXPECT_EQ(m.ProgBranchOffset[0], -1);
    EXPECT_EQ(m.InstrFormat[0], FormatBranch);
    desk.QueueAnswer("30");
    Writer().Click("lblBranchOffset", 0);
    ExpectPrompt(std::string(kBranchLead) + "-1  to  30", "Branch Offset", "");
    EXPECT_EQ(m.ProgBranchOffset[0], 30);
    EXPECT_EQ(Text("lblBranchOffset", 0), "30");

    desk.QueueAnswer("0");
    desk.QueueAnswer("-32");
    Choose(31, "BNEQ");
    ExpectPrompt(std::string(kBranchLead) + "-32  to  -1", "Branch Offset", "");
    ExpectMessage("Offset too big for this 32 instruction simulator", "Offset Out of Range");
    SkipPrompts(1);
    EXPECT_EQ(m.ProgBranchOffset[31], -32);
    EXPECT_TRUE(Visible("cmbRdField", 31));
    EXPECT_TRUE(Visible("cmbRsField", 31));
    EXPECT_TRUE(Visible("lblBranchOffset", 31));
    EXPECT_FALSE(Visible("lbl3rdSpace", 31));
}

TEST_F(WriterTest, AnswersRoundHalfToEvenAndNonNumbersAskAgain) {
    Open();
    Choose(5, "ADDI", "2.5");
    SkipPrompts(1);
    EXPECT_EQ(m.ImmField[5], 2);
    Choose(5, "ADDI", "3.5");
    SkipPrompts(1);
    EXPECT_EQ(m.ImmField[5], 4);
    desk.QueueAnswer("abc");
    desk.QueueAnswer(std::nullopt);
    Choose(5, "ADDIU", "-6");
    SkipPrompts(1);
    ExpectMessage("Enter a Proper Integer Value", "Wrong Entry");
    SkipPrompts(1);
    ExpectMessage("Enter a Proper Integer Value", "Wrong Entry");
    SkipPrompts(1);
    ExpectNoDialog();
    EXPECT_EQ(m.ImmField[5], -6);
}

TEST_F(WriterTest, ChangingTheMnemonicResetsRegistersAndKeepsOtherFields) {
    frmWriteIntProg &w = Open();
    Choose(3, "LW", "100");
    SkipPrompts(1);
    w.C("cmbRdField", 3).SetListIndex(3);
    w.C("cmbRtField", 3).SetListIndex(5);
    Choose(3, "ADD");
    EXPECT_EQ(m.InstrFormat[3], FormatRegister);
    EXPECT_EQ(m.OffsetField[3], 100);
    EXPECT_EQ(m.RdField[3], 0);
    EXPECT_EQ(m.RtField[3], 0);
    EXPECT_FALSE(Visible("lblOffset", 3));
    EXPECT_FALSE(Visible("lbl3rdSpace", 3));
    EXPECT_EQ(Text("lbl2ndSpace", 3), ", ");
    for (const char *c : {"cmbRdField", "cmbRsField", "cmbRtField"}) {
        EXPECT_TRUE(Visible(c, 3)) << c;
        EXPECT_EQ(Text(c, 3), "R0");
    }
    // The same mnemonic again resets the registers too.
    w.C("cmbRsField", 3).SetListIndex(9);
    Choose(3, "ADD");
    EXPECT_EQ(m.RsField[3], 0);

    Choose(3, "NOP");
    EXPECT_EQ(m.InstrFormat[3], FormatNop);
    for (const char *c :
         {"cmbRdField", "cmbRsField", "cmbRtField", "lblFirstSpace", "lbl2ndSpace"}) {
        EXPECT_FALSE(Visible(c, 3)) << c;
    }
    ExpectNoDialog();
}

TEST_F(WriterTest, WhileLoadingAChoiceStoresNothing) {
    Open();
    m.LoadingFlag = true;
    Choose(6, "ADDI"); // no prompt is asked: no answer is queued
    EXPECT_EQ(m.ProgMnemonic[6], "NOP");
    EXPECT_EQ(m.InstrFormat[6], FormatNop);
    EXPECT_TRUE(m.LoadingFlag);
    ExpectNoDialog();
}

TEST_F(WriterTest, ReenteringAValueShowsOnlyItsRowsRegisters) {
    Open();
    Choose(7, "ADDI", "1");
    desk.QueueAnswer("7");
    Writer().Click("lblImmArg", 7);
    EXPECT_EQ(Text("lblImmArg", 7), "7");
    EXPECT_TRUE(Visible("cmbRdField", 7));
    EXPECT_TRUE(Visible("cmbRsField", 7));
    EXPECT_FALSE(Visible("cmbRtField", 7));

    Choose(8, "SW", "4");
    desk.QueueAnswer("-12");
    Writer().Click("lblOffset", 8);
    EXPECT_EQ(m.OffsetField[8], -12);
    EXPECT_EQ(m.InstrFormat[8], FormatLoadStore);
    EXPECT_EQ(Text("lblOffset", 8), "-12");
    EXPECT_FALSE(Visible("cmbRsField", 8));
}

} // namespace
} // namespace corvexa::writer_test
