#pragma once
// The main window: the way into the simulator windows, help, the about box, and the window
// placement kept between runs.

#include <string>

#include "ui/form.h"
#include "ui/status_text.h"

namespace corvexa {

inline constexpr const char *kSettingsSection = "Settings";
inline constexpr const char *kFullScreenMessage =
    "This Application Runs in Full Screen Mode only (1024 X 768)";
inline constexpr const char *kNoHelpMessage =
    "Unable to display Help Contents. There is no Help associated with this project.";
inline constexpr const char *kWorkingMessage = "Working on this code.";

// A placement key with its default, in twips.
struct PlacementKey {
    const char *key;
    int fallback;
};
inline constexpr PlacementKey kPlacementKeys[4] = {
    {"MainLeft", 1000}, {"MainTop", 1000}, {"MainWidth", 6500}, {"MainHeight", 6500}};

class frmMain : public Form {
public:
    explicit frmMain(Desk &desk);

    void Form_Initialize();
    void Form_Load() override;
    void Form_Unload() override;
    void Form_GotFocus();
    void Form_LostFocus();

    void mnuFileExit_Click();
    void mnuSingleCycle_Click(int Index);
    void mnuMIPS5StageInt_Click(int Index);
    void mnuMultiCycle_Click(int Index);
    void mnuFPProgWriter_Click();
    void mnuScoreboard_Click(int Index);
    void mnuTomasulo_Click(int Index);
    void mnuROB_Click(int Index);
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();

private:
    // Shows a simulator window maximised; false when this build has no such window.
    bool OpenMaximised(const std::string &form, const std::string &title);
    void ShowHelp();
    void RestorePlacement();
    void SavePlacement();
};

} // namespace corvexa
