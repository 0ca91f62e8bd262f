#include "shell/frmMain.h"

#include "layouts/main_layout.h"
#include "machine/numstr.h"
#include "machine/whole_number.h"

namespace corvexa {

frmMain::frmMain(Desk &desk) : Form(desk, "frmMain", MainLayout()) {
    On("Form_GotFocus", [this] { Form_GotFocus(); });
    On("Form_LostFocus", [this] { Form_LostFocus(); });
    On("mnuFileExit", [this] { mnuFileExit_Click(); });
    On("mnuSingleCycle", [this](int i) { mnuSingleCycle_Click(i); });
    On("mnuMIPS5StageInt", [this](int i) { mnuMIPS5StageInt_Click(i); });
    On("mnuMultiCycle", [this](int i) { mnuMultiCycle_Click(i); });
    On("mnuFPProgWriter", [this] { mnuFPProgWriter_Click(); });
    On("mnuScoreboard", [this](int i) { mnuScoreboard_Click(i); });
    On("mnuTomasulo", [this](int i) { mnuTomasulo_Click(i); });
    On("mnuROB", [this](int i) { mnuROB_Click(i); });
    On("mnuHelpContents", [this] { mnuHelpContents_Click(); });
    On("mnuHelpSearchForHelpOn", [this] { mnuHelpSearchForHelpOn_Click(); });
    On("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });
}

void frmMain::Form_Initialize() {
    desk().MessageBox(kFullScreenMessage, kAppTitle);
}

void frmMain::Form_Load() {
    // The window object and its loading are one step here, so its one-time start comes first.
    Form_Initialize();
    RestorePlacement();
    windowState = WindowState::Maximised;
}

void frmMain::Form_Unload() {
    // Closing the main window ends the program: every other window goes, hidden ones too.
    std::vector<std::string> others;
    for (Form *form : desk().LoadedForms()) {
        if (form != this) {
            others.push_back(form->name());
        }
    }
    for (auto it = others.rbegin(); it != others.rend(); ++it) {
        desk().Unload(*it);
    }
    if (windowState == WindowState::Minimised) {
        return;
    }
    SavePlacement();
}

void frmMain::RestorePlacement() {
    int *const targets[4] = {&left, &top, &width, &height};
    for (int k = 0; k < 4; ++k) {
        const PlacementKey &p = kPlacementKeys[k];
        std::optional<int32_t> value =
            ParseWholeNumber(desk().GetSetting(kAppTitle, kSettingsSection, p.key));
        // Only the program writes these, but a hand-edited store may hold anything: a text that
        // is no number, or a size that would leave no window to restore to, counts as absent.
        const bool isSize = k >= 2;
        if (!value || (isSize && *value <= 0)) {
            value = p.fallback;
        }
        *targets[k] = *value;
    }
}

void frmMain::SavePlacement() {
    const int values[4] = {left, top, width, height};
    for (int k = 0; k < 4; ++k) {
        desk().SaveSetting(kAppTitle, kSettingsSection, kPlacementKeys[k].key, Num(values[k]));
    }
}

void frmMain::Form_GotFocus() {
    backColor = kMainFocusColour;
}

void frmMain::Form_LostFocus() {
    backColor = kMainNoFocusColour;
}

void frmMain::mnuFileExit_Click() {
    desk().Unload(name());
}

bool frmMain::OpenMaximised(const std::string &form, const std::string &title) {
    if (!desk().Known(form)) {
        desk().MessageBox("The " + title + " window is not available in this version.", kAppTitle);
        return false;
    }
    desk().Show(form);
    desk().Maximise(form);
    return true;
}

void frmMain::mnuSingleCycle_Click(int) {
    OpenMaximised("frmSingleCycle", "MIPS Single Cycle");
}

void frmMain::mnuMIPS5StageInt_Click(int) {
    if (OpenMaximised("frmMIPSFiveStageInt", "MIPS 5-Stage Integer Pipeline")) {
        desk().Beep();
        desk().Beep();
    }
}

void frmMain::mnuMultiCycle_Click(int) {
    if (OpenMaximised("frmMultiCycle", "MIPS Multiple-Cycle FP Pipeline")) {
        desk().Beep();
        desk().Beep();
    }
}

// The floating-point writer has no other way in.
void frmMain::mnuFPProgWriter_Click() {
    desk().Show("frmWriteFPProg");
}

void frmMain::mnuScoreboard_Click(int) {
    desk().MessageBox(kWorkingMessage, kAppTitle);
}

void frmMain::mnuTomasulo_Click(int) {
    desk().MessageBox(kWorkingMessage, kAppTitle);
}

void frmMain::mnuROB_Click(int) {
    desk().MessageBox(kWorkingMessage, kAppTitle);
}

// No help file ships with the program, so both help commands can only say so.
void frmMain::ShowHelp() {
    desk().MessageBox(kNoHelpMessage, caption, MsgIcon::Information);
}

void frmMain::mnuHelpContents_Click() {
    ShowHelp();
}

void frmMain::mnuHelpSearchForHelpOn_Click() {
    ShowHelp();
}

void frmMain::mnuHelpAbout_Click() {
    desk().ShowModal("frmAbout", name());
}

} // namespace corvexa
