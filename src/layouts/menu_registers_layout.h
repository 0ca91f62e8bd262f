#pragma once
// Design state of the register window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kMenuRegistersLeft = 5880;
inline constexpr int kMenuRegistersTop = 1770;

const FormLayout &MenuRegistersLayout();

} // namespace corvexa
