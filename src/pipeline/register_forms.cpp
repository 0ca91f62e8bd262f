#include "shell/all_forms.h"

#include "pipeline/MenuMemory.h"
#include "pipeline/MenuRegisters.h"
#include "pipeline/frmForwarding.h"
#include "pipeline/frmMIPSFiveStageInt.h"
#include "pipeline/frmStall_Help.h"

namespace corvexa {

void RegisterPipelineForms(Desk &desk) {
    desk.RegisterForm("frmMIPSFiveStageInt",
                      [](Desk &d) { return std::make_unique<frmMIPSFiveStageInt>(d); });
    desk.RegisterForm("MenuRegisters", [](Desk &d) { return std::make_unique<MenuRegisters>(d); });
    desk.RegisterForm("MenuMemory", [](Desk &d) { return std::make_unique<MenuMemory>(d); });
    desk.RegisterForm("frmForwarding", [](Desk &d) { return std::make_unique<frmForwarding>(d); });
    desk.RegisterForm("frmStall_Help", [](Desk &d) { return std::make_unique<frmStall_Help>(d); });
}

} // namespace corvexa
