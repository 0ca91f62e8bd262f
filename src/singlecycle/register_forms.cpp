#include "shell/all_forms.h"
#include "singlecycle/frmSingleCycle.h"

namespace corvexa {

void RegisterSingleCycleForms(Desk &desk) {
    desk.RegisterForm("frmSingleCycle",
                      [](Desk &d) { return std::make_unique<frmSingleCycle>(d); });
}

} // namespace corvexa
