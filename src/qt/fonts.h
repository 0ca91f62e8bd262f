#pragma once
// The one table that maps the system's font faces to installed look-alikes.

#include <QFont>
#include <QStringList>

#include "ui/controls.h"

namespace corvexa::qt {

struct FaceSubstitute {
    QStringList families; // first installed one wins
    bool heavy = false;   // a face that is black by design (Arial Black)
};

FaceSubstitute SubstituteFace(const std::string &face);

// The model's font at a size of points x unitsPerPoint pixels of the paint device: 20 on a
// drawing in twips, 20 x (pixels per twip) on a widget.
QFont MakeFont(const Font &font, double unitsPerPoint);

} // namespace corvexa::qt
