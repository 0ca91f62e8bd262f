#include "layouts/explanation_parts.h"

#include "ui/named_colours.h"

namespace corvexa {

namespace {

constexpr int32_t kBusColour = 0xC00000;     // dark blue, as the data wires of the datapath
constexpr int32_t kControlColour = 0x0000FF; // red, as the control wires
constexpr int kBusWidth = 5;
constexpr int kHeadLength = 140;
constexpr int kHeadHalf = 100;
constexpr int kLabelHeight = 220;

struct Builder {
    FormLayout &layout;
    int lineIndex = 0;
    int textIndex = 0;

    void Arrow(int x1, int y, int x2, bool wide) {
        const int32_t colour = wide ? kBusColour : kControlColour;
        const int width = wide ? kBusWidth : 1;
        const int headWidth = wide ? 3 : 1;
        layout.controls.push_back(MakeLine("picLine", lineIndex++, x1, y, x2, y, colour, width));
        layout.controls.push_back(MakeLine("picLine", lineIndex++, x2, y, x2 - kHeadLength,
                                           y - kHeadHalf, colour, headWidth));
        layout.controls.push_back(MakeLine("picLine", lineIndex++, x2, y, x2 - kHeadLength,
                                           y + kHeadHalf, colour, headWidth));
    }

    void Text(const std::string &caption, int left, int top, int width, int height, Align align,
              double points, bool bold) {
        Control c = MakeLabel("picText", textIndex++, caption, left, top, width, height);
        c.transparent = true;
        c.alignment = align;
        c.font = Font{"Arial", points, bold};
        c.foreColor = colour::kBlack;
        layout.controls.push_back(c);
    }
};

std::string OneWordPerLine(const std::string &title) {
    std::string out;
    for (char ch : title) {
        out += ch == ' ' ? std::string("\r\n") : std::string(1, ch);
    }
    return out;
}

} // namespace

Control ExplanationTextBox(const std::string &name, const std::string &text, int left, int top,
                           int width, int height, double points, bool multiLine) {
    Control c = MakeControl(ControlKind::TextBox, name, -1, text, left, top, width, height);
    c.font = Font{"Arial", points, false};
    c.multiLine = multiLine;
    return c;
}

void AddComparatorPicture(FormLayout &layout, const ComparatorPicture &p) {
    // The picture box itself paints nothing: it stands above lines and shapes, so its white ground
    // is a shape of its own, under the drawing.
    Control pic = MakeControl(ControlKind::Picture, "Forwardin_pic", -1, "", p.left, p.top, p.width,
                              p.height);
    pic.transparent = true;
    layout.controls.push_back(pic);

    Control ground =
        MakeControl(ControlKind::Shape, "picGround", -1, "", p.left, p.top, p.width, p.height);
    ground.shape = ShapeKind::Rectangle;
    ground.filled = true;
    ground.backColor = 0xFFFFFF;
    ground.borderColor = 0x808080;
    ground.borderWidth = 1;
    layout.controls.push_back(ground);

    const int boxLeft = p.left + p.width * 36 / 100;
    const int boxWidth = p.width * 30 / 100;
    const int boxTop = p.top + p.height * 8 / 100;
    const int boxHeight = p.height * 84 / 100;
    const int boxRight = boxLeft + boxWidth;
    const int margin = 90;

    Control box =
        MakeControl(ControlKind::Shape, "picFrame", -1, "", boxLeft, boxTop, boxWidth, boxHeight);
    box.shape = ShapeKind::Rectangle;
    box.filled = true;
    box.backColor = 0xC0FFFF; // light yellow
    box.borderColor = colour::kBlack;
    box.borderWidth = 2;
    layout.controls.push_back(box);

    Builder b{layout};
    const auto inputs = static_cast<int>(p.inputs.size());
    for (int i = 0; i < inputs; ++i) {
        const PictureArrow &a = p.inputs[static_cast<size_t>(i)];
        const int y = boxTop + (i + 1) * boxHeight / (inputs + 1);
        b.Arrow(p.left + margin, y, boxLeft, a.wide);
    }
    const auto outputs = static_cast<int>(p.outputs.size());
    for (int i = 0; i < outputs; ++i) {
        const PictureArrow &a = p.outputs[static_cast<size_t>(i)];
        const int y = boxTop + (i + 1) * boxHeight / (outputs + 1);
        b.Arrow(boxRight, y, p.left + p.width - margin, a.wide);
    }

    b.Text(OneWordPerLine(p.title), boxLeft + 30, boxTop + boxHeight / 2 - 500, boxWidth - 60, 1000,
           Align::Center, 9, true);
    for (int i = 0; i < inputs; ++i) {
        const PictureArrow &a = p.inputs[static_cast<size_t>(i)];
        const int y = boxTop + (i + 1) * boxHeight / (inputs + 1);
        b.Text(a.label, p.left + margin, y - kLabelHeight - 40, boxLeft - p.left - margin,
               kLabelHeight, Align::Left, 8, true);
    }
    for (int i = 0; i < outputs; ++i) {
        const PictureArrow &a = p.outputs[static_cast<size_t>(i)];
        const int y = boxTop + (i + 1) * boxHeight / (outputs + 1);
        b.Text(a.label, boxRight + 60, y - kLabelHeight - 40, p.left + p.width - boxRight - 60,
               kLabelHeight, Align::Left, 8, true);
    }
}

} // namespace corvexa
