// Window commands of the five-stage window: they move between windows or change what the drawing
// shows, never the machine state or the run in progress.
#include <array>
#include <utility>

#include "fivestage/frmMIPSFiveStageInt.h"

namespace corvexa {

namespace {

// The name tags of the drawing that the detail view shows and hides.
constexpr std::array<std::pair<const char *, int>, 18> kDetailGroup = {{
    {"lblIDValue", 10},
    {"lblIDValue", 11},
    {"lblIDValue", 12},
    {"lblIDValue", 13},
    {"lblEXEValue", 15},
    {"lblEXEValue", 16},
    {"lblEXEValue", 18},
    {"lblEXEValue", 19},
    {"lblEXEValue", 21},
    {"lblEXEValue", 22},
    {"lblEXEValue", 23},
    {"lblMEMValue", 7},
    {"lblMEMValue", 10},
    {"lblMEMValue", 11},
    {"lblMEMValue", 13},
    {"lblWBValue", 4},
    {"lblWBValue", 5},
    {"lblWBValue", 11},
}};

// Tags of the branch hardware in EXE and MEM, which is not drawn under aggressive branching.
bool TagsLateBranch(const std::string &name, int index) {
    return (name == "lblEXEValue" && index == 19) ||
           (name == "lblMEMValue" && (index == 7 || index == 10));
}

} // namespace

void frmMIPSFiveStageInt::RegisterCommandHandlers() {
    On("WrProg", [this] { WrProg_Click(); });
    On("MenuMEM", [this] { MenuMEM_Click(); });
    On("MenuREG", [this] { MenuREG_Click(); });
    On("Exit", [this] { Exit_Click(); });
    On("ViewDetails", [this] { ViewDetails_Click(); });
}

void frmMIPSFiveStageInt::WrProg_Click() {
    desk().Hide("MenuMemory");
    desk().Hide("MenuRegisters");
    desk().Show("frmWriteIntProg");
    desk().Refresh("frmWriteIntProg");
}

void frmMIPSFiveStageInt::MenuMEM_Click() {
    desk().Show("MenuMemory");
    desk().Refresh("MenuMemory");
}

void frmMIPSFiveStageInt::MenuREG_Click() {
    desk().Show("MenuRegisters");
    desk().Refresh("MenuRegisters");
}

void frmMIPSFiveStageInt::Exit_Click() {
    desk().Hide(name());
    desk().Show("frmMain");
    desk().Maximise("frmMain");
    desk().Refresh("frmMain");
}

void frmMIPSFiveStageInt::ViewDetails_Click() {
    Control &item = C("ViewDetails");
    item.checked = !item.checked;
    for (const auto &[array, index] : kDetailGroup) {
        const bool hiddenHardware = TagsLateBranch(array, index) && machine().AggressiveBranching;
        C(array, index).visible = item.checked && !hiddenHardware;
    }
}

} // namespace corvexa
