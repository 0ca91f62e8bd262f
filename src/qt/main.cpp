#include <QApplication>

#include "machine/machine.h"
#include "qt/qt_desk.h"
#include "shell/all_forms.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(corvexa::kAppTitle));
    corvexa::Machine machine;
    corvexa::qt::QtDesk desk(machine);
    corvexa::RegisterAllForms(desk);
    if (desk.Known("frmSplash")) {
        desk.Show("frmSplash");
    } else if (desk.Known("frmMain")) {
        desk.Show("frmMain");
    } else if (desk.Known("frmMIPSFiveStageInt")) {
        desk.Maximise("frmMIPSFiveStageInt");
        desk.Show("frmMIPSFiveStageInt");
    } else {
        return 1;
    }
    return QApplication::exec();
}
