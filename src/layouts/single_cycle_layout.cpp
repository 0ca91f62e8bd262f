#include "layouts/single_cycle_layout.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "layouts/five_stage_labels.h"
#include "layouts/five_stage_layout.h"
#include "layouts/five_stage_parts.h"

namespace corvexa {

namespace {

using namespace five_stage;

constexpr int kShiftLeft = 45;
constexpr int kShiftUp = 60;
constexpr int32_t kSystemHighlight = static_cast<int32_t>(0x8000000D);

// A control placed otherwise than by the common shift: moved and resized against its five-stage
// place, or (absolute) placed anew.
struct Exception {
    const char *name;
    int index;
    int dx, dy, dw, dh;
    std::optional<double> points; // a smaller font of the same face
    bool absolute = false;
};

const std::vector<Exception> &Exceptions() {
    static const std::vector<Exception> list = {
        {"Clocking", -1, 75, 7020, 855, 435, {}, true},
        {"Reset", -1, 75, 8460, 975, 375, {}, true},
        {"lblBranchPolicy", -1, 6015, 60, 585, 195, {}, true},
        {"LblStall", -1, 13275, 6900, 1125, 810, {}, true},
        {"lblForward", -1, 13140, 8160, 1425, 540, {}, true},
        {"lblIFValue", IfLabel::Instruction, -45, -150, 0, 0, {}},
        {"lblStage", Stage::MEM, -45, -45, 0, 0, {}},
        {"lblEXEValue", 15, -45, -45, 0, 0, {}},
        {"txtPipeLine", 2, -45, -45, 0, 0, {}},
        {"txtStageInfo1", Stage::MEM, -30, -60, 0, 0, {}},
        {"lblEXEValue", 22, -30, -285, 0, 0, {}},
        {"lblEXEValue", ExeLabel::AluA, -45, -60, -270, -75, 6.75},
        {"lblEXEValue", ExeLabel::AluB, 0, -90, -75, -60, 6.75},
        {"lblIDValue", IdLabel::A, -45, -60, -75, -60, 6.75},
        {"lblIDValue", IdLabel::B, -30, -60, -75, -60, 6.75},
        {"lblEXEValue", ExeLabel::StoreData, -45, -30, -30, -30, 6.75},
        {"lblMEMValue", MemLabel::DataIn, 75, -30, -60, -30, 6.75},
        {"Line3", 138, -30, -60, 0, 0, {}},
    };
    return list;
}

bool Missing(const Control &c) {
    static const std::vector<std::string> gone = {"Forward_Bubble", "Stall_Bubble", "Line62",
                                                  "Line63",         "Line64",       "Line66"};
    if (c.kind == ControlKind::MenuItem ||
        std::find(gone.begin(), gone.end(), c.name) != gone.end()) {
        return true;
    }
    const bool listing = c.name == "lblPC" || c.name == "lblProg" || c.name == "lblINumber";
    return (listing && c.index >= kSingleCycleRows) ||
           (c.name == "Line3" && (c.index == 145 || c.index == 146)) ||
           (c.name == "lblEXEValue" && c.index == ExeLabel::Controls);
}

void Shift(Control &c, int dx, int dy) {
    if (c.kind == ControlKind::Line) {
        c.x1 += dx;
        c.x2 += dx;
        c.y1 += dy;
        c.y2 += dy;
    } else {
        c.left += dx;
        c.top += dy;
    }
}

void Apply(Control &c, const Exception &e) {
    if (e.absolute) {
        c.left = e.dx;
        c.top = e.dy;
        c.width = e.dw;
        c.height = e.dh;
        return;
    }
    Shift(c, e.dx, e.dy);
    c.width += e.dw;
    c.height += e.dh;
    if (e.points) {
        c.font.points = *e.points;
    }
}

Control Indicator(const char *name, int left, int top, int width, int height, int32_t colour) {
    Control c = MakeControl(ControlKind::Shape, name, 0, "", left, top, width, height);
    c.shape = ShapeKind::Oval;
    c.filled = true;
    c.backColor = colour;
    c.borderColor = colour;
    return c;
}

FormLayout Build() {
    const FormLayout &five = FiveStageLayout();
    FormLayout f;
    f.caption = "MIPS Single Cycle Computer";
    // The drawing keeps its whole extent; the window's own size is given at its load.
    f.width = five.width - kShiftLeft;
    f.height = five.height - kShiftUp;
    f.backColor = 0xC0C0C0;
    f.foreColor = kSystemHighlight;
    // Two ovals stand where the five-stage listing has its rows 25 to 31.
    f.controls.push_back(Indicator("Shape7", 12975, 6780, 1755, 1035, kYellow));
    f.controls.push_back(Indicator("Shape8", 12975, 7980, 1755, 855, kGreen));
    for (const Control &source : five.controls) {
        if (Missing(source)) {
            continue;
        }
        Control c = source;
        // No window font here: what carried it takes the default font.
        const Font windowFont = FormFont();
        if (c.font.face == windowFont.face && c.font.points == windowFont.points &&
            c.font.bold == windowFont.bold) {
            c.font = Font{};
        }
        const auto e =
            std::find_if(Exceptions().begin(), Exceptions().end(), [&c](const Exception &x) {
                return x.name == c.name && x.index == c.index;
            });
        if (e != Exceptions().end()) {
            Apply(c, *e);
        } else {
            Shift(c, -kShiftLeft, -kShiftUp);
        }
        f.controls.push_back(std::move(c));
    }
    for (Control &c : f.controls) {
        if (c.name == "Line3" && c.index == 19) {
            c.x1 -= 375 - kShiftLeft;
        }
        if (c.name == "lblEXEValue" && c.index == ExeLabel::B) {
            c.foreColor = kDarkGrey;
        }
        if (c.name == "txtPipeLine" && c.index == 2) {
            const std::string gap = "A\r\n\r\n\r\nB";
            const auto at = c.caption.find(gap);
            if (at != std::string::npos) {
                c.caption.replace(at, gap.size(), "A\r\nB");
            }
        }
        // The policy caption is given the room it needs to be read.
        if (c.name == "lblBranchPolicy") {
            c.width = std::max(c.width, EstimatedTextWidth(c.font, c.caption) + 60);
        }
        // The options are always on here: their indicators and the forwarding hardware show.
        if (c.name == "LblStall" || c.name == "lblForward") {
            c.visible = true;
        }
    }
    for (const DrawingPart &part : ForwardingDrawing()) {
        for (Control &c : f.controls) {
            if (c.name == part.name && c.index == part.index) {
                c.visible = part.whenOn;
            }
        }
    }
    Control test = MakeControl(ControlKind::Button, "Test", -1, "test", kTestButtonLeft,
                               kTestButtonTop, kTestButtonWidth, kTestButtonHeight);
    test.backColor = static_cast<int32_t>(0x8000000F);
    f.controls.push_back(test);
    return f;
}

} // namespace

const FormLayout &SingleCycleLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
