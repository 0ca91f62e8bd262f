#include <memory>

#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell/register_forms.h"

namespace corvexa {

void RegisterShellForms(Desk &desk) {
    desk.RegisterForm("frmSplash", [](Desk &d) { return std::make_unique<frmSplash>(d); });
    desk.RegisterForm("frmMain", [](Desk &d) { return std::make_unique<frmMain>(d); });
    // The about box's animation toggle belongs to the window object, which survives an unload;
    // here windows are made afresh, so the toggle lives as long as the desk's registration.
    auto creditToggle = std::make_shared<bool>(false);
    desk.RegisterForm("frmAbout", [creditToggle](Desk &d) {
        return std::make_unique<frmAbout>(d, creditToggle);
    });
}

} // namespace corvexa
