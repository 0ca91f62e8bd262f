#include "writer_test_support.h"

namespace corvexa::writer_test {
namespace {

TEST_F(WriterTest, FreshLayoutPlacesRowsAndChainsColumns) {
    frmWriteIntProg &w = Open();
    const int expectedTop[] = {0, 240, 960, 1300, 8040};
    const int rows[] = {0, 1, 4, 5, 31};
    for (int k = 0; k < 5; ++k) {
        const int i = rows[k];
        const int top = expectedTop[k];
        EXPECT_EQ(w.C("lblPCValue", i).top, top) << "row " << i;
        for (const char *c : {"Instruction1", "cmbRdField", "cmbRsField", "cmbRtField",
                              "lblFirstSpace", "lbl2ndSpace", "lbl3rdSpace"}) {
            EXPECT_EQ(w.C(c, i).top, top) << c << " row " << i;
        }
        for (const char *c : {"lblOffset", "lblImmArg", "lblBranchOffset"}) {
            EXPECT_EQ(w.C(c, i).top, top + 25) << c << " row " << i;
            EXPECT_EQ(w.C(c, i).height, 230);
        }
        EXPECT_EQ(w.C("lblPCValue", i).left, 0);
        EXPECT_EQ(w.C("Instruction1", i).left, 1097);
        EXPECT_EQ(w.C("cmbRdField", i).left, 2099);
        EXPECT_EQ(w.C("lblFirstSpace", i).left, 2901);
        EXPECT_EQ(w.C("cmbRsField", i).left, 2993);
        EXPECT_EQ(w.C("lblOffset", i).left, 2993);
        EXPECT_EQ(w.C("lbl2ndSpace", i).left, 3795);
        EXPECT_EQ(w.C("cmbRtField", i).left, 3887);
        EXPECT_EQ(w.C("lblImmArg", i).left, 3887);
        EXPECT_EQ(w.C("lblBranchOffset", i).left, 3887);
        EXPECT_EQ(w.C("lbl3rdSpace", i).left, 4689);
        // The pictures stand beside their row, centred on it.
        for (const char *c : {"picUP", "PicDown", "PicInsert", "PicDelete"}) {
            const Control &p = w.C(c, i);
            EXPECT_EQ(p.top + p.height / 2, top + 230 / 2) << c << " row " << i;
        }
    }
}

TEST_F(WriterTest, FreshLayoutEmptiesTheProgram) {
    m.ProgMnemonic[3] = "ADD";
    m.RdField[3] = 4;
    m.OffsetField[9] = 77;
    m.ProgShamt[31] = 3;
    m.ProgText[3] = "ADD R4,R0,R0";
    frmWriteIntProg &w = Open();
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(m.ProgMnemonic[i], "NOP");
        EXPECT_EQ(m.InstrFormat[i], FormatNop);
        EXPECT_EQ(m.RdField[i] | m.RsField[i] | m.RtField[i] | m.ProgBranchOffset[i] |
                      m.ProgShamt[i] | m.ProgFunc[i],
                  0);
        EXPECT_EQ(m.ImmField[i] | m.OffsetField[i], 0);
        const int row = static_cast<int>(i);
        EXPECT_TRUE(Visible("Instruction1", row));
        EXPECT_EQ(w.C("Instruction1", row).listIndex, kNopItem);
        EXPECT_EQ(Text("Instruction1", row), "NOP");
        for (const char *c : {"cmbRdField", "cmbRsField", "cmbRtField", "lblOffset", "lblImmArg",
                              "lblBranchOffset", "lblFirstSpace", "lbl2ndSpace", "lbl3rdSpace"}) {
            EXPECT_FALSE(Visible(c, row)) << c;
        }
        EXPECT_EQ(w.C("cmbRsField", row).listIndex, 0);
        EXPECT_EQ(Text("lblImmArg", row), "0");
        EXPECT_EQ(Text("lblBranchOffset", row), "0");
    }
    EXPECT_EQ(m.ProgText[3], "ADD R4,R0,R0"); // only ASSEMBLE writes the listing
    EXPECT_FALSE(m.LoadingFlag);
    ExpectNoDialog();
}

TEST_F(WriterTest, StartAddressPromptRefusesUntilAWholeNumberOfAtLeastZero) {
    desk.QueueAnswer("abc");
    desk.QueueAnswer("");
    desk.QueueAnswer(std::nullopt);
    desk.QueueAnswer("-8");
    desk.QueueAnswer("2147483645"); // the last slot's address would not fit
    desk.QueueAnswer("2003");
    desk.Show("frmWriteIntProg");
    frmWriteIntProg &w = Writer();
    for (int k = 0; k < 3; ++k) {
        ExpectPrompt("Please enter Sarting Value of Program Counter", "Start Value for PC", "2000");
        ExpectMessage("Enter a Proper Integer Value", "Wrong Entry");
    }
    SkipPrompts(2); // -8 is refused without a message
    ExpectMessage("Enter a Proper Integer Value", "Wrong Entry");
    SkipPrompts(1);
    ExpectNoDialog();
    EXPECT_EQ(w.StartAddress, 2000);
    EXPECT_EQ(Text("lblPCValue", 0), "2000:");
    EXPECT_EQ(Text("lblPCValue", 31), "2124:");
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(m.ProgAddress[i], 2000 + 4 * static_cast<int>(i));
    }
}

TEST_F(WriterTest, StartAddressRoundsDownAndAcceptsTheHighestThatFits) {
    Open("2");
    EXPECT_EQ(Text("lblPCValue", 0), "0:");
    EXPECT_EQ(Text("lblPCValue", 31), "124:");
    desk.QueueAnswer("2147483524"); // the last slot would lie beyond the 32-bit range
    desk.QueueAnswer("2147483523.4");
    Writer().Click("cmdClear");
    SkipPrompts(1);
    ExpectMessage("Enter a Proper Integer Value", "Wrong Entry");
    SkipPrompts(1);
    ExpectNoDialog();
    EXPECT_EQ(Writer().StartAddress, 2147483520);
    EXPECT_EQ(m.ProgAddress[31], 2147483644);
}

TEST_F(WriterTest, RegisterListsStoreOnlyChosenItemsAndNotWhileLoading) {
    frmWriteIntProg &w = Open();
    Choose(4, "ADD");
    w.C("cmbRsField", 4).SetListIndex(7);
    EXPECT_EQ(m.RsField[4], 7);
    EXPECT_EQ(Text("cmbRsField", 4), "R7");
    w.C("cmbRdField", 4).SetListIndex(31);
    w.C("cmbRtField", 4).SetListIndex(12);
    EXPECT_EQ(m.RdField[4], 31);
    EXPECT_EQ(m.RtField[4], 12);

    // Text typed into the text part chooses no item.
    Control &rs = w.C("cmbRsField", 4);
    rs.caption = "R9";
    rs.SetListIndex(-1);
    EXPECT_EQ(m.RsField[4], 7);
    EXPECT_EQ(rs.caption, "R9");

    m.LoadingFlag = true;
    w.C("cmbRdField", 4).SetListIndex(2);
    EXPECT_EQ(m.RdField[4], 31);
    EXPECT_TRUE(m.LoadingFlag);

    // A click with a row index no row has changes nothing and does not throw.
    m.LoadingFlag = false;
    EXPECT_NO_THROW(w.cmbRdField_Click(32));
    EXPECT_NO_THROW(w.cmbRdField_Click(-1));
    EXPECT_NO_THROW(w.Instruction1_Click(40));
}

TEST_F(WriterTest, ClearAfterAssembleKeepsTheHandedOverListing) {
    Open();
    Choose(0, "ADDI", "5");
    Writer().C("cmbRdField", 0).SetListIndex(1);
    Writer().Click("cmdEND");
    EXPECT_EQ(m.ProgText[0], "ADDI R1,R0,5");
    desk.Show("frmWriteIntProg");
    desk.QueueAnswer("3000");
    Writer().Click("cmdClear");
    EXPECT_EQ(m.ProgMnemonic[0], "NOP");
    EXPECT_EQ(m.ImmField[0], 0);
    EXPECT_FALSE(Visible("lblImmArg", 0));
    EXPECT_EQ(Text("lblPCValue", 0), "3000:");
    EXPECT_EQ(m.ProgText[0], "ADDI R1,R0,5");
    EXPECT_EQ(m.AssembledRd[0], 1);
}

} // namespace
} // namespace corvexa::writer_test
