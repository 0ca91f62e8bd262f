#pragma once
// A desk with the shell's windows and empty stand-ins for the simulator windows they open.

#include <memory>
#include <string>

#include "machine/machine.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa::shelltest {

class StubWindow : public Form {
public:
    StubWindow(Desk &desk, const std::string &name) : Form(desk, name, Empty()) {}
    void Form_Load() override { ++loads; }
    int loads = 0;
    int state = 0; // something a user changed, to see whether the window was kept

private:
    static const FormLayout &Empty() {
        static const FormLayout layout;
        return layout;
    }
};

struct ShellDesk {
    Machine machine;
    HeadlessDesk desk{machine};

    explicit ShellDesk(bool withSimulators = true) {
        RegisterShellForms(desk);
        if (withSimulators) {
            for (const char *name : {"frmMIPSFiveStageInt", "frmSingleCycle", "frmMultiCycle"}) {
                desk.RegisterForm(
                    name, [name](Desk &d) { return std::make_unique<StubWindow>(d, name); });
            }
        }
    }

    // The main window as the splash leaves it, its full-screen message checked and gone.
    Form &OpenMain() {
        desk.Show("frmMain");
        desk.Log().clear();
        return desk.Get("frmMain");
    }
};

} // namespace corvexa::shelltest
