// The forwarding and stall explanation windows: fixed texts, the copy of the clock's explanation
// made at load, and pictures that stay inside their boxes.
#include <gtest/gtest.h>

#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

class ExplainWindows : public ::testing::Test {
protected:
    ExplainWindows() { RegisterFiveStageForms(desk); }
    Machine m;
    HeadlessDesk desk{m};
};

TEST_F(ExplainWindows, ForwardingWindowCopiesTheTextOnlyWhenItLoads) {
    m.ForwardingText = " EXE.Rs = MEM.Rx";
    desk.Show("frmForwarding");
    Form &w = desk.Get("frmForwarding");
    EXPECT_EQ(w.caption, "Information on Forwarding");
    EXPECT_EQ(w.C("Text1").caption,
              " The Forwarding Hardware consists of several 5-bit comparators that compares Rs "
              "and Rt fields of instruction in EXE stage  with instructions in MEM stage and WB "
              "stage. If comparison is TRUE and any of the matching instructions is going to "
              "write in the register file  then forwarding is detected and it generates outputs "
              "for Multiplexers at the A and B input of ALU to forward data.   For further detail "
              "please refer to table A.22 in the text book  Stall detection is no more required "
              "except for Load Use Delay and Branches.");
    EXPECT_TRUE(w.C("Text1").visible);
    EXPECT_EQ(w.C("Text2").caption, "Current State on Forwarding:");
    EXPECT_EQ(w.C("For_Reason").caption, " EXE.Rs = MEM.Rx");
    EXPECT_TRUE(w.C("For_Reason").visible);

    m.ForwardingText = " ";
    desk.Show("frmForwarding");
    EXPECT_EQ(w.C("For_Reason").caption, " EXE.Rs = MEM.Rx");

    desk.Unload("frmForwarding"); // the close box
    desk.Show("frmForwarding");
    EXPECT_EQ(desk.Get("frmForwarding").C("For_Reason").caption, " ");
}

TEST_F(ExplainWindows, StallWindowCopiesTheTextOnlyWhenItLoads) {
    m.StallText = " Stall: ID.Rs = EXE.Rx";
    desk.Show("frmStall_Help");
    Form &w = desk.Get("frmStall_Help");
    EXPECT_EQ(w.caption, "Information on Stalling Hardware");
    EXPECT_EQ(w.C("Text1").caption,
              " The Stalling Hardware consists of several 5-bit comparators that compares Rs and "
              "Rt fields of instruction in ID stage  with instructions in EXE stage and MEM "
              "stage. If comparison is TRUE and any of the matching instructions is going to "
              "write in the register file  then a STALL is detected and the instructions in ID "
              "and IF stage are stalled.   When forwarding is ON   Stall detection is no more "
              "required except for Load Use Delay and Branches.");
    EXPECT_EQ(w.C("Text2").caption, "Current State on Stall:");
    EXPECT_EQ(w.C("Stall_Reason").caption, " Stall: ID.Rs = EXE.Rx");

    m.StallText = "later";
    desk.Show("frmStall_Help");
    EXPECT_EQ(w.C("Stall_Reason").caption, " Stall: ID.Rs = EXE.Rx");
}

// Every element of a picture lies inside the picture box, and every label the picture needs is
// there.
void CheckPicture(Form &w, const std::vector<std::string> &labels) {
    const Control &box = w.C("Forwardin_pic");
    auto inside = [&box](int x, int y) {
        return x >= box.left && x <= box.left + box.width && y >= box.top &&
               y <= box.top + box.height;
    };
    std::vector<std::string> found;
    int lines = 0;
    for (const Control &c : w.controls()) {
        if (c.name == "picLine") {
            ++lines;
            EXPECT_TRUE(inside(c.x1, c.y1) && inside(c.x2, c.y2)) << "picLine " << c.index;
        } else if (c.name == "picText" || c.name == "picFrame") {
            EXPECT_TRUE(inside(c.left, c.top) && inside(c.left + c.width, c.top + c.height))
                << c.name << " " << c.index << " " << c.caption;
            found.push_back(c.caption);
        }
    }
    for (const std::string &label : labels) {
        EXPECT_NE(std::find(found.begin(), found.end(), label), found.end()) << label;
    }
    EXPECT_GE(lines, 3 * static_cast<int>(labels.size() - 1)); // a shaft and a head per arrow
    EXPECT_LE(box.left + box.width, w.width);
}

TEST_F(ExplainWindows, PicturesShowTheirComparatorsAndArrows) {
    desk.Show("frmForwarding");
    CheckPicture(desk.Get("frmForwarding"),
                 {"Forwarding\r\nComparators", "EXE.Rs", "EXE.Rt", "MEM.Rx", "WB.Rx",
                  "Mem.RegWrite", "WB.RegWrite", "Select MUX A", "Select MUX B"});
    desk.Show("frmStall_Help");
    CheckPicture(desk.Get("frmStall_Help"),
                 {"Comparators\r\nfor\r\nStall\r\nDetection", "ID.Rs", "ID.Rt", "EXE.Rx", "MEM.Rx",
                  "Mem.RegWrite", "Exe.RegWrite", "S T A L L"});
}

} // namespace
} // namespace corvexa
