#include "ui/layout.h"

namespace corvexa {

Control MakeControl(ControlKind kind, const std::string &name, int index,
                    const std::string &caption, int left, int top, int width, int height) {
    Control c;
    c.kind = kind;
    c.name = name;
    c.index = index;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

Control MakeLabel(const std::string &name, int index, const std::string &caption, int left, int top,
                  int width, int height) {
    return MakeControl(ControlKind::Label, name, index, caption, left, top, width, height);
}

Control MakeLine(const std::string &name, int index, int x1, int y1, int x2, int y2, int32_t colour,
                 int width) {
    Control c;
    c.kind = ControlKind::Line;
    c.name = name;
    c.index = index;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.borderColor = colour;
    c.borderWidth = width;
    return c;
}

Control MakeMenu(const std::string &name, int index, const std::string &caption,
                 const std::string &parent) {
    Control c;
    c.kind = ControlKind::MenuItem;
    c.name = name;
    c.index = index;
    c.caption = caption;
    c.parent = parent;
    return c;
}

} // namespace corvexa
