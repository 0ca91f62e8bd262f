#include "layouts/splash_layout.h"

namespace corvexa {

namespace {

constexpr int32_t kCard = 0x80C0FF;

Control CardLabel(const std::string &name, const std::string &caption, int left, int top, int width,
                  int height, int32_t textColour) {
    Control c = MakeLabel(name, -1, caption, left, top, width, height);
    c.backColor = kCard;
    c.foreColor = textColour;
    return c;
}

FormLayout Build() {
    FormLayout f;
    f.caption = "";
    f.width = 7455;
    f.height = 4710;
    f.backColor = kCard;

    Control frame =
        MakeControl(ControlKind::Frame, "fraMainFrame", -1, "Brenhal-2005", 0, 0, 7380, 4590);
    frame.backColor = kCard;
    f.controls.push_back(frame);

    Control logo = MakeControl(ControlKind::Picture, "picLogo", -1, "", 120, 840, 2175, 1620);
    logo.pictureKind = "logo";
    f.controls.push_back(logo);
    // The second picture sits at the first one's corner (positions here are the window's) and
    // covers it.
    Control cover = MakeControl(ControlKind::Picture, "Picture1", -1, "", 120, 840, 2190, 1650);
    cover.pictureKind = "logo";
    f.controls.push_back(cover);

    Control product = CardLabel("lblProductName", "Product", 3120, 1440, 2730, 675, 0xFF8080);
    product.font = Font{"Roman", 29.25, true};
    f.controls.push_back(product);

    f.controls.push_back(
        CardLabel("Label1", "D e v e l o p e d   b y", 3840, 2400, 1485, 195, 0xFFFF80));

    Control credit = CardLabel("lblCompanyProduct", kCreditName, 3240, 2640, 2850, 240, 0xC0FFC0);
    credit.font = Font{"MS Sans Serif", 9.75, true};
    f.controls.push_back(credit);

    f.controls.push_back(CardLabel("lblCompany", kInstitution, 240, 4200, 3735, 255, 0x0000FF));

    Control timer = MakeControl(ControlKind::Timer, "Timer1", -1, "", 0, 0, 0, 0);
    timer.interval = kSplashTimerInterval;
    f.controls.push_back(timer);
    return f;
}

} // namespace

const FormLayout &SplashLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
