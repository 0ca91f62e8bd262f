#include "shell/frmSplash.h"

#include <chrono>
#include <thread>

#include "layouts/splash_layout.h"

namespace corvexa {

frmSplash::frmSplash(Desk &desk) : Form(desk, "frmSplash", SplashLayout()) {
    left = kSplashLeft;
    top = kSplashTop;
    resizable = false;
    frameless = true;
    On("Timer1", [this] { Timer1_Timer(); });
}

void frmSplash::Form_Load() {
    C("lblProductName").caption = kAppTitle;
    // A monotonic clock, so the wait also ends when midnight or a clock change falls inside it.
    // Nothing is painted meanwhile: the splash appears when loading is done.
    const double start = desk().MonotonicSeconds();
    double now = start;
    while (now < start + kSplashWaitSeconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        now = desk().MonotonicSeconds();
    }
    // Timer1 has been running since the window was made, so its tick is due as soon as the
    // splash is on the screen.
}

void frmSplash::Timer1_Timer() {
    // One tick only: the main window's first message box runs a nested event loop in which this
    // timer could tick again and show the main window before it has been placed.
    C("Timer1").enabled = false;
    if (mainShown_) {
        return;
    }
    mainShown_ = true;
    desk().Show("frmMain");
    desk().Unload(name());
}

} // namespace corvexa
