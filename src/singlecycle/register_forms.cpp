#include <memory>

#include "shell/all_forms.h"
#include "singlecycle/frmTEST.h"

namespace corvexa {

void RegisterSingleCycleForms(Desk &desk) {
    desk.RegisterForm("frmTEST", [](Desk &d) { return std::make_unique<frmTEST>(d); });
}

} // namespace corvexa
