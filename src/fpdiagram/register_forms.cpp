#include "fpdiagram/register_forms.h"
#include "fpdiagram/frmMultiCycle.h"

namespace corvexa {

void RegisterDiagramForms(Desk &desk) {
    desk.RegisterForm("frmMultiCycle", [](Desk &d) { return std::make_unique<frmMultiCycle>(d); });
}

} // namespace corvexa
