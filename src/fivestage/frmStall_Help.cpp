#include "fivestage/frmStall_Help.h"

#include "layouts/stall_help_layout.h"

namespace corvexa {

frmStall_Help::frmStall_Help(Desk &desk) : Form(desk, "frmStall_Help", StallHelpLayout()) {
    left = kStallHelpLeft;
    top = kStallHelpTop;
}

void frmStall_Help::Form_Load() {
    Control &text1 = C("Text1");
    text1.caption = " The Stalling Hardware consists of several 5-bit comparators";
    text1.caption += " that compares Rs and Rt fields of instruction in ID stage ";
    text1.caption += " with instructions in EXE stage and MEM stage. If comparison";
    text1.caption +=
        " is TRUE and any of the matching instructions is going to write in the register file ";
    text1.caption +=
        " then a STALL is detected and the instructions in ID and IF stage are stalled.";
    text1.caption += "   When forwarding is ON ";
    text1.caption +=
        "  Stall detection is no more required except for Load Use Delay and Branches.";
    text1.visible = true;

    // A copy: later clocks do not change what the open window says.
    Control &reason = C("Stall_Reason");
    reason.caption = machine().StallText;
    reason.visible = true;
}

} // namespace corvexa
