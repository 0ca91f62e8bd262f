#include "fpdiagram/frmMultiCycle.h"
#include "shell/all_forms.h"

namespace corvexa {

void RegisterDiagramForms(Desk &desk) {
    desk.RegisterForm("frmMultiCycle", [](Desk &d) { return std::make_unique<frmMultiCycle>(d); });
}

} // namespace corvexa
