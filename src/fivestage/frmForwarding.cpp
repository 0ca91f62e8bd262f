#include "fivestage/frmForwarding.h"

#include "layouts/forwarding_layout.h"

namespace corvexa {

frmForwarding::frmForwarding(Desk &desk) : Form(desk, "frmForwarding", ForwardingLayout()) {
    left = kForwardingLeft;
    top = kForwardingTop;
}

void frmForwarding::Form_Load() {
    Control &text1 = C("Text1");
    text1.caption = " The Forwarding Hardware consists of several 5-bit comparators";
    text1.caption += " that compares Rs and Rt fields of instruction in EXE stage ";
    text1.caption += " with instructions in MEM stage and WB stage. If comparison";
    text1.caption +=
        " is TRUE and any of the matching instructions is going to write in the register file ";
    text1.caption += " then forwarding is detected and it generates outputs for Multiplexers at "
                     "the A and B input of ALU to forward data.";
    text1.caption += "   For further detail please refer to table A.22 in the text book";
    text1.caption +=
        "  Stall detection is no more required except for Load Use Delay and Branches.";
    text1.visible = true;

    // A copy: later clocks do not change what the open window says.
    Control &reason = C("For_Reason");
    reason.caption = machine().ForwardingText;
    reason.visible = true;
}

} // namespace corvexa
