#include "fivestage/register_forms.h"

#include "fivestage/MenuMemory.h"
#include "fivestage/MenuRegisters.h"
#include "fivestage/frmForwarding.h"
#include "fivestage/frmMIPSFiveStageInt.h"
#include "fivestage/frmStall_Help.h"

namespace corvexa {

void RegisterFiveStageForms(Desk &desk) {
    desk.RegisterForm("frmMIPSFiveStageInt",
                      [](Desk &d) { return std::make_unique<frmMIPSFiveStageInt>(d); });
    desk.RegisterForm("MenuRegisters", [](Desk &d) { return std::make_unique<MenuRegisters>(d); });
    desk.RegisterForm("MenuMemory", [](Desk &d) { return std::make_unique<MenuMemory>(d); });
    desk.RegisterForm("frmForwarding", [](Desk &d) { return std::make_unique<frmForwarding>(d); });
    desk.RegisterForm("frmStall_Help", [](Desk &d) { return std::make_unique<frmStall_Help>(d); });
}

} // namespace corvexa
