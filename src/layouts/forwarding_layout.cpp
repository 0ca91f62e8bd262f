#include "layouts/forwarding_layout.h"

#include "layouts/explanation_parts.h"

namespace corvexa {

namespace {

FormLayout Build() {
    FormLayout f;
    f.caption = "Information on Forwarding";
    f.width = 14370;
    f.height = 3405;
    f.controls.push_back(ExplanationTextBox("Text1", "", 120, 30, 9345, 1245, 9.75, true));
    f.controls.push_back(ExplanationTextBox("Text2", "Current State on Forwarding:", 15, 1410, 3180,
                                            300, 12, false));
    f.controls.push_back(ExplanationTextBox("For_Reason", "", 15, 1770, 9390, 1380, 9.75, true));
    AddComparatorPicture(f, ComparatorPicture{9615,
                                              45,
                                              4650,
                                              3300,
                                              "Forwarding Comparators",
                                              {{"EXE.Rs", true},
                                               {"EXE.Rt", true},
                                               {"MEM.Rx", true},
                                               {"WB.Rx", true},
                                               {"Mem.RegWrite", false},
                                               {"WB.RegWrite", false}},
                                              {{"Select MUX A", true}, {"Select MUX B", true}}});
    return f;
}

} // namespace

const FormLayout &ForwardingLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
