#include "layouts/stall_help_layout.h"

#include "layouts/explanation_parts.h"

namespace corvexa {

namespace {

FormLayout Build() {
    FormLayout f;
    f.caption = "Information on Stalling Hardware";
    f.width = 14625;
    f.height = 3615;
    f.controls.push_back(ExplanationTextBox("Text1", "", 105, 0, 9345, 1245, 9.75, true));
    f.controls.push_back(
        ExplanationTextBox("Text2", "Current State on Stall:", 0, 1365, 2460, 300, 12, false));
    f.controls.push_back(ExplanationTextBox("Stall_Reason", "", 0, 1740, 9390, 1380, 9.75, true));
    AddComparatorPicture(f, ComparatorPicture{9600,
                                              15,
                                              4425,
                                              3480,
                                              "Comparators for Stall Detection",
                                              {{"ID.Rs", true},
                                               {"ID.Rt", true},
                                               {"EXE.Rx", true},
                                               {"MEM.Rx", true},
                                               {"Mem.RegWrite", false},
                                               {"Exe.RegWrite", false}},
                                              {{"S T A L L", true}}});
    return f;
}

} // namespace

const FormLayout &StallHelpLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
