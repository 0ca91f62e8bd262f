#pragma once
// Pieces of the five-stage window's layout table, one file each.

#include <cstdint>
#include <string>

#include "ui/layout.h"

namespace corvexa::five_stage {

// Colours (red in the low byte).
inline constexpr int32_t kWhite = 0xFFFFFF;
inline constexpr int32_t kBlack = 0x000000;
inline constexpr int32_t kRed = 0x0000FF;
inline constexpr int32_t kGreen = 0x00FF00;
inline constexpr int32_t kYellow = 0x00FFFF;
inline constexpr int32_t kDarkGrey = 0x404040;
inline constexpr int32_t kMagenta = 0xC000C0;
inline constexpr int32_t kRegisterBlue = 0xFF8080; // pipeline registers and the PC
inline constexpr int32_t kOvalFill = 0xC0E0FF;
inline constexpr int32_t kTagPink = 0xC0C0FF;
inline constexpr int32_t kSelectGrey = 0xE0E0E0;
inline constexpr int32_t kForwardGreen = 0x80FF80;

Font MakeFont(const std::string &face, double points, bool bold = false);
// The window's own font, which controls without a font of their own carry.
Font FormFont();

void AddValueLabels(FormLayout &f);
void AddWires(FormLayout &f);

} // namespace corvexa::five_stage
