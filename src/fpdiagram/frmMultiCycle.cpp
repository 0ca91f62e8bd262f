#include "fpdiagram/frmMultiCycle.h"

#include "layouts/multi_cycle_layout.h"

namespace corvexa {

frmMultiCycle::frmMultiCycle(Desk &desk) : Form(desk, "frmMultiCycle", MultiCycleLayout()) {
    left = kMultiCycleLeft;
    top = kMultiCycleTop;
}

} // namespace corvexa
