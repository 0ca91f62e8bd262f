#pragma once
// The floating-point pipeline diagram: a fixed picture of the stages and of the adder, multiplier
// and divider paths beside a program listing. It has no behaviour: its menus carry no commands and
// nothing on it is ever filled in, so a refresh after an assembly leaves it as designed.

#include "ui/form.h"

namespace corvexa {

class frmMultiCycle : public Form {
public:
    explicit frmMultiCycle(Desk &desk);
};

} // namespace corvexa
