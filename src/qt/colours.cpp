#include "qt/colours.h"

#include "ui/controls.h"

namespace corvexa::qt {

namespace {

QColor SystemColour(uint32_t index, const QPalette &p) {
    switch (index) {
    case 0x01: // desktop
        return p.color(QPalette::Dark);
    case 0x02: // active title bar
    case 0x0D: // highlight
        return p.color(QPalette::Highlight);
    case 0x05: // window background
        return p.color(QPalette::Base);
    case 0x06: // window frame
    case 0x15: // 3D dark shadow
        return p.color(QPalette::Shadow);
    case 0x07: // menu text
    case 0x08: // window text
        return p.color(QPalette::Text);
    case 0x04: // menu bar
    case 0x0F: // button face
        return p.color(QPalette::Button);
    case 0x09: // title text
    case 0x0E: // highlight text
        return p.color(QPalette::HighlightedText);
    case 0x10: // button shadow
        return p.color(QPalette::Mid);
    case 0x11: // grey text
        return p.color(QPalette::Disabled, QPalette::Text);
    case 0x12: // button text
        return p.color(QPalette::ButtonText);
    case 0x14: // 3D highlight
        return p.color(QPalette::Light);
    case 0x16: // 3D light
        return p.color(QPalette::Midlight);
    case 0x17: // tooltip text
        return p.color(QPalette::ToolTipText);
    case 0x18: // tooltip background
        return p.color(QPalette::ToolTipBase);
    default:
        return p.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(int32_t colour, const QPalette &palette) {
    if (colour == kNoColour) {
        return Qt::transparent;
    }
    const auto bits = static_cast<uint32_t>(colour);
    if ((bits & 0x80000000U) != 0) {
        return SystemColour(bits & 0xFFU, palette);
    }
    return {static_cast<int>(bits & 0xFFU), static_cast<int>((bits >> 8) & 0xFFU),
            static_cast<int>((bits >> 16) & 0xFFU)};
}

} // namespace corvexa::qt
