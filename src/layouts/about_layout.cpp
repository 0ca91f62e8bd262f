#include "layouts/about_layout.h"

#include "layouts/splash_layout.h"

namespace corvexa {

namespace {

constexpr int32_t kBack = 0x80FFFF;

Control BoxLabel(const std::string &name, const std::string &caption, int left, int top, int width,
                 int height, const Font &font, int32_t textColour) {
    Control c = MakeLabel(name, -1, caption, left, top, width, height);
    c.backColor = kBack;
    c.foreColor = textColour;
    c.font = font;
    return c;
}

FormLayout Build() {
    FormLayout f;
    f.caption = "About Corvexa";
    f.width = 5865;
    f.height = 3630;
    f.backColor = kBack;
    f.font = Font{"Arial Narrow", 8.25, true};

    auto &c = f.controls;
    Control image = MakeControl(ControlKind::Picture, "Image1", -1, "", 180, 300, 1335, 915);
    image.pictureKind = "logo";
    c.push_back(image);

    Control title = BoxLabel("lblTitle", "Application Title", 1920, 180, 3735, 1200,
                             Font{"MS Sans Serif", 24, false}, 0x8080FF);
    title.alignment = Align::Center;
    c.push_back(title);
    c.push_back(BoxLabel("lblDescription", kInstitution, 540, 1680, 4995, 390,
                         Font{"Arial Narrow", 11.25, false}, 0x404080));
    c.push_back(BoxLabel("lblVersion", "Version", 240, 2160, 3975, 225, Font{"Tahoma", 8.25, true},
                         0x008080));
    // Two lines make an etched separator.
    c.push_back(MakeLine("Line1", 1, 225, 2430, 5657, 2430, 0x808080));
    c.push_back(MakeLine("Line1", 0, 240, 2445, 5657, 2445, 0xFFFFFF, 2));
    c.push_back(BoxLabel("lblDisclaimer", "Warning: Smoking is Not Good for Your Pipeline", 240,
                         2460, 3450, 345, Font{"MS Sans Serif", 8.25, false}, 0x0000FF));

    // Buttons take the window's font; "OK" comes first in the tab order.
    c.push_back(MakeControl(ControlKind::Button, "cmdOK", -1, "OK", 4245, 2625, 1467, 345));
    c.back().font = f.font;
    c.push_back(MakeControl(ControlKind::Button, "cmdSysInfo", -1, "&System Info...", 4260, 3075,
                            1452, 345));
    c.back().font = f.font;
    c.push_back(MakeControl(ControlKind::Timer, "Timer1", -1, "", 0, 0, 0, 0));
    return f;
}

} // namespace

const FormLayout &AboutLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
