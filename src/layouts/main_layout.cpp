#include "layouts/main_layout.h"

namespace corvexa {

namespace {

constexpr int kStatusBarHeight = 330;
// The inside of the 7125 x 6120 window, below its caption and menu bar: the status bar sits at
// its bottom.
constexpr int kInsideWidth = 7005;
constexpr int kInsideHeight = 5355;

FormLayout Build() {
    FormLayout f;
    f.caption = "Corvexa Oct 11, 2006";
    f.width = kInsideWidth;
    f.height = kInsideHeight;
    f.backColor = kMainFocusColour;
    f.foreColor = 0xC00000;
    f.font = Font{"Arial", 14.25, false};

    auto &c = f.controls;
    c.push_back(MakeMenu("mnuFile", -1, "&File", ""));
    c.push_back(MakeMenu("mnuFileBar1", -1, "-", "mnuFile"));
    c.push_back(MakeMenu("mnuFileExit", -1, "E&xit", "mnuFile"));
    c.push_back(MakeMenu("mnuHelpBar0", -1, "-", "mnuFile"));
    c.push_back(MakeMenu("mnuArch", -1, "Architecture", ""));
    c.push_back(MakeMenu("mnuSingleCycle", 1, "MIPS Single Cycle", "mnuArch"));
    c.push_back(MakeMenu("mnuMIPS5StageInt", 2, "MIPS 5-Stage Integer Pipeline", "mnuArch"));
    c.push_back(MakeMenu("mnuMultiCycle", 3, "MIPS Multiple-Cycle FP Pipeline", "mnuArch"));
    c.push_back(MakeMenu("mnuFPProgWriter", -1, "Floating Point Program Writer", "mnuArch"));
    c.push_back(MakeMenu("mnuScoreboard", 4, "Scoreboard", "mnuArch"));
    c.push_back(MakeMenu("mnuTomasulo", 5, "Tomasulos", "mnuArch"));
    c.push_back(MakeMenu("mnuROB", 6, "ROB", "mnuArch"));
    c.push_back(MakeMenu("mnuHelp", -1, "&Help", ""));
    c.push_back(MakeMenu("mnuHelpContents", -1, "&Contents", "mnuHelp"));
    c.push_back(MakeMenu("mnuHelpSearchForHelpOn", -1, "&Search For Help On...", "mnuHelp"));
    c.push_back(MakeMenu("mnuHelpAbout", -1, "&About ", "mnuHelp"));

    // The status bar along the bottom: a wide status panel, then the date and the time, which
    // the panels show as they are now whatever their stored texts. It is the toolkit's status
    // bar, so it spans the window at its own size however large the window.
    const char *const texts[kStatusPanels] = {"Status", "10/16/2006", "10:10 PM"};
    const char *const kinds[kStatusPanels] = {"", "date", "time"};
    const int lefts[kStatusPanels + 1] = {0, 4005, 5505, kInsideWidth};
    for (int i = 0; i < kStatusPanels; ++i) {
        Control panel = MakeControl(ControlKind::StatusPanel, "sbStatusBar", i + 1, texts[i],
                                    lefts[i], kInsideHeight - kStatusBarHeight,
                                    lefts[i + 1] - lefts[i], kStatusBarHeight);
        panel.font = Font{"Haettenschweiler", 9.75, false};
        panel.backColor = kNoColour;
        panel.foreColor = 0x000000;
        panel.alignment = i == 0 ? Align::Left : Align::Center;
        panel.pictureKind = kinds[i];
        c.push_back(panel);
    }
    return f;
}

} // namespace

const FormLayout &MainLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
