#pragma once
// Colours of the model (24-bit, red in the low byte, or a system colour with the high bit set)
// as Qt colours.

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace corvexa::qt {

// kNoColour gives a transparent colour.
QColor ToQColor(int32_t colour, const QPalette &palette);

} // namespace corvexa::qt
