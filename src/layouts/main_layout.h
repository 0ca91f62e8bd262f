#pragma once
// Design state of the main window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int32_t kMainFocusColour = 0xC0C0FF;
inline constexpr int32_t kMainNoFocusColour = 0xC0CF6F;
inline constexpr int kStatusPanels = 3; // sbStatusBar(1..3)

const FormLayout &MainLayout();

} // namespace corvexa
