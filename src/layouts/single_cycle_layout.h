#pragma once
// Design state of the single-cycle window: the five-stage drawing moved 45 twips left and 60 up,
// with its own exceptions, 25 listing rows, no menus, and its "test" button.

#include "ui/layout.h"

namespace corvexa {

const FormLayout &SingleCycleLayout();

// The window's placement when it is not maximised (twips).
inline constexpr int kSingleCycleLeft = 60, kSingleCycleTop = 345;
inline constexpr int kSingleCycleWidth = 12540, kSingleCycleHeight = 9810;
inline constexpr int kSingleCycleRows = 25;
// The "test" button, which stands on the register strip's row.
inline constexpr int kTestButtonLeft = 645, kTestButtonTop = 225;
inline constexpr int kTestButtonWidth = 1560, kTestButtonHeight = 345;

} // namespace corvexa
