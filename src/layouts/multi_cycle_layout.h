#pragma once
// Design state of the floating-point pipeline diagram: IF and ID, the integer EXE stage beside the
// adder, multiplier and divider paths, MEM and WB, and a 32-row program listing.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kMultiCycleLeft = 60;
inline constexpr int kMultiCycleTop = 660;

const FormLayout &MultiCycleLayout();

} // namespace corvexa
