#include "layouts/test_layout.h"

namespace corvexa {

namespace {

constexpr int32_t kWindowBackground = static_cast<int32_t>(0x80000005U);
constexpr int32_t kWindowText = static_cast<int32_t>(0x80000008U);
constexpr int kBoxWidth = 585;
constexpr int kBoxHeight = 315;
constexpr int kColumnStep = 591;  // the last column starts at 13593
constexpr int kFirstRowTop = 330; // the last row starts at 9720
constexpr int kLastRowTop = 9720;

FormLayout Build() {
    FormLayout f;
    f.caption = "";
    f.width = 15225;
    f.height = 10440;
    f.backColor = kWindowBackground;
    f.font = Font{"Arial", 6};

    auto &c = f.controls;
    Control press = MakeControl(ControlKind::Button, "Press", -1, "Press This", 150, 0, 2055, 285);
    press.font = Font{"Arial", 9.75};
    c.push_back(press);
    // Box k lies in row k / 24, column k % 24, rows spread evenly from the first top to the last.
    for (int k = 0; k < kTestBoxes; ++k) {
        const int row = k / kTestColumns;
        const int column = k % kTestColumns;
        const int top = kFirstRowTop + (row * (kLastRowTop - kFirstRowTop) + (kTestRows - 1) / 2) /
                                           (kTestRows - 1);
        Control box = MakeControl(ControlKind::TextBox, "box", k, "Text1", column * kColumnStep,
                                  top, kBoxWidth, kBoxHeight);
        box.font = f.font;
        box.backColor = kWindowBackground;
        box.foreColor = kWindowText;
        c.push_back(box);
    }
    return f;
}

} // namespace

const FormLayout &TestLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
