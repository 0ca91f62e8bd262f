#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <string>

#include "machine/machine.h"
#include "qt/qt_desk.h"
#include "qt/startup_probe.h"
#include "registry/all_forms.h"

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
    // The splash starts everything else through its timer.
    desk.RunHandler([&desk] { desk.Show("frmSplash"); });
    bool anyVisible = false;
    for (corvexa::Form *form : desk.LoadedForms()) {
        anyVisible = anyVisible || form->visible;
    }
    if (!anyVisible) {
        return 1; // nothing could be shown: do not linger without a window
    }
    return QApplication::exec();
}
