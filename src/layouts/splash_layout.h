#pragma once
// Design state of the start-up splash window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kSplashLeft = 2040;
inline constexpr int kSplashTop = 585;
inline constexpr int kSplashTimerInterval = 1000; // ms

// The developer credit and the institution the splash and the about box name.
inline constexpr const char *kCreditName = "The Corvexa Teaching Team";
inline constexpr const char *kInstitution = "Corvexa Computer Architecture Teaching Group";

const FormLayout &SplashLayout();

} // namespace corvexa
