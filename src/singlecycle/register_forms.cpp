#include <memory>

#include "singlecycle/frmSingleCycle.h"
#include "singlecycle/frmTEST.h"
#include "singlecycle/register_forms.h"

namespace corvexa {

void RegisterSingleCycleForms(Desk &desk) {
    desk.RegisterForm("frmSingleCycle",
                      [](Desk &d) { return std::make_unique<frmSingleCycle>(d); });
    desk.RegisterForm("frmTEST", [](Desk &d) { return std::make_unique<frmTEST>(d); });
}

} // namespace corvexa
