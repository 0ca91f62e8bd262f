#pragma once
// Pieces of the five-stage window's layout table, one file each.

#include <cstdint>
#include <string>

#include "ui/layout.h"
#include "ui/named_colours.h"

namespace corvexa::five_stage {

using colour::kBlack;
using colour::kDarkGrey;
using colour::kGreen;
using colour::kPurple;
using colour::kRed;
using colour::kWhite;
using colour::kYellow;
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
