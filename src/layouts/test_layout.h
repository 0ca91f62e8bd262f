#pragma once
// Design state of the test window: a grid of text boxes and the button that fills them.

#include "ui/layout.h"

namespace corvexa {

// Where the test window opens (twips).
inline constexpr int kTestWindowLeft = 60;
inline constexpr int kTestWindowTop = 345;
inline constexpr int kTestRows = 23;
inline constexpr int kTestColumns = 24;
inline constexpr int kTestBoxes = kTestRows * kTestColumns; // box(0) to box(551)

const FormLayout &TestLayout();

} // namespace corvexa
