#pragma once
// Where the labels of the register strip stand along the top of a pipeline window: left to right
// from the window's left edge, a further row below where a row is full, never under the program
// listing or past the window's right edge, no label over another.

#include <vector>

namespace corvexa {

struct StripPlace {
    int left = 0;
    int top = 0;
    int width = 0;
};

// widths: what each label needs for its caption, in strip order (twips); the first label stands
// at (left, top). The strip keeps clear of the listing's left edge and of the window's right
// edge, whichever comes first. Labels are narrowed evenly (their text then drawn smaller) only
// where even the last row would otherwise overflow.
std::vector<StripPlace> RegisterStripPlacement(const std::vector<int> &widths, int left, int top,
                                               int listingLeft, int windowWidth);

} // namespace corvexa
