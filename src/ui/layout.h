#pragma once
// Layout tables: the design state of every control of a window, as data.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace corvexa {

struct FormLayout {
    std::string caption;
    int width = 0, height = 0; // twips
    int32_t backColor = 0x8000000F;
    int32_t foreColor = 0;
    Font font;
    std::vector<Control> controls; // owner is set when the form is made
};

// Small builders that keep layout tables short.
Control MakeLabel(const std::string &name, int index, const std::string &caption, int left, int top,
                  int width, int height);
Control MakeLine(const std::string &name, int index, int x1, int y1, int x2, int y2, int32_t colour,
                 int width = 1);
Control MakeMenu(const std::string &name, int index, const std::string &caption,
                 const std::string &parent);
Control MakeControl(ControlKind kind, const std::string &name, int index,
                    const std::string &caption, int left, int top, int width, int height);

} // namespace corvexa
