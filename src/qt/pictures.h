#pragma once
// Element pictures of the datapath drawings, painted as vector drawings so they scale cleanly.
// Kinds: "alu", "adder", "mux2", "mux3", "mux4", "and-gate", "banner", "logo", "triangle-up",
// "triangle-down" and "letter-" followed by the text to show; any other kind is drawn as a box
// with its name. Elements wider than tall are drawn turned a quarter (inputs
// on top, output below).

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <string>

namespace corvexa::qt {

bool KnownPictureKind(const std::string &kind);

// ink: outline and lettering.
void PaintElement(QPainter &painter, const QRectF &box, const std::string &kind, const QColor &ink);

} // namespace corvexa::qt
