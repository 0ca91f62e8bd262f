#pragma once
// The start-up splash: the title over a card, a one-second wait, then the main window.

#include "ui/form.h"

namespace corvexa {

inline constexpr double kSplashWaitSeconds = 1.0;

class frmSplash : public Form {
public:
    explicit frmSplash(Desk &desk);

    void Form_Load() override;
    void Timer1_Timer();

private:
    bool mainShown_ = false;
};

} // namespace corvexa
