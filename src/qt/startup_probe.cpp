#include "qt/startup_probe.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "qt/form_widget.h"
#include "qt/qt_desk.h"
#include "shell/frmSplash.h"

namespace corvexa::qt {

namespace {

// Milliseconds since the process was started by the system (10 ms resolution), or -1.
double MsSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    // Field 22 of the file is the start time; the text after ')' begins at field 3.
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double startMs = std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 -
           startMs;
}

long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

bool Shown(QtDesk &desk, const char *form) {
    FormWidget *w = desk.WidgetOf(form);
    if (w == nullptr || !w->isVisible() || !w->isMaximized()) {
        return false;
    }
    w->repaint(); // painted now, not at the next turn of the event loop
    return true;
}

} // namespace

void ArmStartupProbe(QtDesk &desk, const QElapsedTimer &sinceMain) {
    auto *poll = new QTimer(qApp);
    poll->setInterval(1);
    auto step = std::make_shared<int>(0);
    auto mainAt = std::make_shared<double>(0);
    QObject::connect(poll, &QTimer::timeout, [&desk, &sinceMain, poll, step, mainAt] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            box->accept();
            return;
        }
        if (*step == 0 && Shown(desk, "frmMain")) {
            *step = 1;
            const double wait = kSplashWaitSeconds * 1000.0;
            *mainAt = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
            std::fprintf(stderr,
                         "startup probe: main window after %.1f ms since main(), %.1f ms since "
                         "process start, without the %.0f ms splash wait\n",
                         *mainAt - wait, MsSinceProcessStart() - wait, wait);
            desk.RunHandler([&desk] { desk.Get("frmMain").Click("mnuMIPS5StageInt", 2); });
        } else if (*step == 1 && Shown(desk, "frmMIPSFiveStageInt")) {
            *step = 2;
            poll->stop();
            const double fiveAt = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
            std::fprintf(stderr, "startup probe: five-stage window %.1f ms after the main window\n",
                         fiveAt - *mainAt);
            std::fprintf(stderr, "startup probe: peak memory %.1f MiB\n",
                         static_cast<double>(PeakKiB()) / 1024.0);
            // exit, not quit: quit asks every window to close, and the windows leave that to the
            // model.
            QCoreApplication::exit(0);
        }
    });
    poll->start();
}

} // namespace corvexa::qt
