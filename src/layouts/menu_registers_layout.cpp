#include "layouts/menu_registers_layout.h"

#include <array>

namespace corvexa {

namespace {

constexpr int32_t kWindowColour = 0xFFC0C0;   // #C0C0FF
constexpr int32_t kSystemWindow = 0x80000005; // the platform's window background
constexpr std::array<int, 32> kRowTop = {
    0,    210,  435,  645,  855,  1065, 1290, 1500, 1710, 1920, 2145, 2355, 2565, 2775, 3000, 3210,
    3420, 3645, 3855, 4065, 4275, 4500, 4710, 4920, 5130, 5355, 5565, 5775, 5985, 6210, 6435, 6660};

FormLayout Build() {
    FormLayout f;
    f.caption = "MIPS Registers";
    f.width = 3510;
    f.height = 8355;
    f.backColor = kWindowColour;

    f.controls.push_back(MakeMenu("Exit", -1, "E&xit", ""));
    f.controls.push_back(MakeMenu("HexView", -1, "&HexView", ""));
    f.controls.push_back(MakeMenu("MenuHexValues", -1, "HexValue", "HexView"));

    for (int n = 0; n < 32; ++n) {
        const int top = kRowTop[static_cast<size_t>(n)];

        // The box ends before its register's name begins: a box reaching into the name would
        // cover the left stroke of its "R".
        Control box = MakeControl(ControlKind::CheckBox, "OptRegUsed", n, " ", 150, top, 255, 195);
        box.enabled = false;
        box.foreColor = 0xFFFFFF;
        box.backColor = kSystemWindow;
        f.controls.push_back(box);

        Control name = MakeLabel("lblRegisterNo", n, "R" + std::to_string(n), n == 30 ? 435 : 420,
                                 top, 345, 195);
        name.foreColor = 0xC00000; // #0000C0
        name.backColor = 0xFFFFFF;
        f.controls.push_back(name);

        int valueTop = top;
        if (n == 0) {
            valueTop = -15;
        } else if (n == 30) {
            valueTop = 6420;
        } else if (n == 31) {
            valueTop = 6675;
        }
        Control value =
            MakeLabel("lblRegisteValue", n, "0", n == 24 ? 825 : 840, valueTop, 1500, 195);
        value.foreColor = 0x800000; // #000080
        value.backColor = kWindowColour;
        f.controls.push_back(value);
    }

    Control init =
        MakeControl(ControlKind::Button, "cmdInitialize", -1, "INITIALIZE", 2295, 45, 1035, 375);
    init.backColor = 0xC0FFC0;
    f.controls.push_back(init);

    Control reset = MakeControl(ControlKind::Button, "cmdRESET", -1, "RESET", 2325, 600, 1035, 390);
    reset.backColor = 0x8000000F;
    f.controls.push_back(reset);

    Control hide = MakeControl(ControlKind::Button, "Hide", -1, "H I D E", 2355, 1860, 780, 600);
    hide.backColor = 0x8000000F;
    f.controls.push_back(hide);

    Control note = MakeLabel("Label1", -1,
                             "R0 is always zero.  Checked registers are those that are "
                             "initialized/used in the current program.   Click on a register to "
                             "assign a value.",
                             360, 7020, 2895, 1125);
    note.font = Font{"Arial", 9, false};
    note.backColor = kWindowColour;
    f.controls.push_back(note);
    return f;
}

} // namespace

const FormLayout &MenuRegistersLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
