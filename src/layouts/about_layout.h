#pragma once
// Design state of the about box.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kAboutLeft = 390;
inline constexpr int kAboutTop = 780;

const FormLayout &AboutLayout();

} // namespace corvexa
