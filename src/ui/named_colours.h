#pragma once
// The colours the windows and their clock steps name, as 24-bit values with red in the low byte.

#include <cstdint>

namespace corvexa::colour {

inline constexpr int32_t kBlack = 0x000000;
inline constexpr int32_t kWhite = 0xFFFFFF;
inline constexpr int32_t kRed = 0x0000FF;
inline constexpr int32_t kGreen = 0x00FF00;
inline constexpr int32_t kDarkGreen = 0x008000;
inline constexpr int32_t kBlue = 0xFF0000;
inline constexpr int32_t kYellow = 0x00FFFF;
inline constexpr int32_t kMagenta = 0xFF00FF;
inline constexpr int32_t kPurple = 0xC000C0;
inline constexpr int32_t kDarkGrey = 0x404040;

} // namespace corvexa::colour
