#pragma once
// Design state of the five-stage pipeline window: every control with its name, index, caption,
// font, colours, start visibility and place on the datapath drawing (twips).
//
// Element pictures (pictureKind) and where their wires meet them, so that a painter draws the
// ports where the wires end:
//   "mux2", "mux3", "mux4"  inputs on the left edge at (k + 1) / (n + 1) of the height (input 0 at
//                           the top), output at the middle of the right edge;
//   "alu"                   inputs on the left edge at 1/4 (A) and 3/4 (B) of the height, result at
//                           the middle of the right edge, zero flag at 1/4 of the right edge;
//   "adder"                 inputs on the left edge at 1/4 and 3/4 of the height, sum at the middle
//                           of the right edge;
//   "and-gate"              inputs on the left edge at 1/4 and 3/4 of the height, output at the
//   middle
//                           of the right edge;
//   "banner"                a one-line decorative strip, no ports.

#include <string>
#include <vector>

#include "ui/layout.h"

namespace corvexa {

const FormLayout &FiveStageLayout();

// A part of the drawing that shows with one state of an option.
struct DrawingPart {
    const char *name;
    int index;
    bool whenOn;
};
// The forwarding hardware and the plain input-B path it replaces.
const std::vector<DrawingPart> &ForwardingDrawing();

// Width in twips that a caption takes in a font, as the renderer's look-alike fonts set it (the
// widest line of a multi-line caption). For captions that size their label, such as the register
// strip, and for checking that a label holds its longest caption.
int EstimatedTextWidth(const Font &font, const std::string &text);

} // namespace corvexa
