#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>

#include "machine/machine.h"
#include "qt/qt_desk.h"
#include "qt/startup_probe.h"
#include "shell/all_forms.h"

int main(int argc, char **argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(corvexa::kAppTitle));
    corvexa::Machine machine;
    corvexa::qt::QtDesk desk(machine);
    corvexa::RegisterAllForms(desk);
    if (std::getenv("CORVEXA_STARTUP_PROBE") != nullptr) {
        corvexa::qt::ArmStartupProbe(desk, sinceMain);
    }
    // Everything else follows from the splash's timer.
    desk.Show("frmSplash");
    return QApplication::exec();
}
