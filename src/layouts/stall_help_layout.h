#pragma once
// Design state of the stall-detection explanation window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kStallHelpLeft = 1110;
inline constexpr int kStallHelpTop = 615;

const FormLayout &StallHelpLayout();

} // namespace corvexa
