#pragma once
// Parts of the two explanation windows: their Arial text boxes and their pictures: a box of
// comparators with labelled arrows going in and out, drawn with shapes, lines and labels so that
// they scale with the window.

#include <string>
#include <vector>

#include "ui/layout.h"

namespace corvexa {

struct PictureArrow {
    std::string label;
    bool wide = true; // a bus of several bits; thin arrows carry one control bit
};

struct ComparatorPicture {
    int left = 0, top = 0, width = 0, height = 0; // the picture box, twips
    std::string title;                            // written inside the box, one word per line
    std::vector<PictureArrow> inputs;             // entering from the left, top to bottom
    std::vector<PictureArrow> outputs;            // leaving to the right, top to bottom
};

// A text box of an explanation window in Arial.
Control ExplanationTextBox(const std::string &name, const std::string &text, int left, int top,
                           int width, int height, double points, bool multiLine);

// Adds, in drawing order: the picture box `Forwardin_pic`, its ground `picGround`, the comparator
// box `picFrame`, the arrow lines `picLine`(0..) and the labels `picText`(0..).
void AddComparatorPicture(FormLayout &layout, const ComparatorPicture &picture);

} // namespace corvexa
