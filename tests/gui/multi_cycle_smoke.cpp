// The floating-point pipeline diagram on a real screen, opened from the main window's menu, with
// every caption at its own size in its box. Pictures of it at the smallest screen the program is
// made for and at a wide one go to the artefact folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMessageBox>

#include "gui_support.h"
#include "qt/qt_desk.h"
#include "registry/all_forms.h"

namespace corvexa {
namespace {

using gui_test::App;
using gui_test::Pump;
using gui_test::WhenDialogOpens;

// The caption drawn smallest against its design size (the renderer shrinks a caption that does
// not fit its box), and which control it is.
std::pair<double, std::string> MostShrunkText(Form &form, qt::FormWidget &widget) {
    std::pair<double, std::string> most{1.0, ""};
    for (const Control &c : form.controls()) {
        const qt::ControlItem *item = widget.ItemFor(c.name, c.index);
        if (item == nullptr || item->text().isEmpty()) {
            continue;
        }
        const double ratio = item->drawnFont().pixelSize() / (c.font.points * 20);
        if (ratio < most.first) {
            most = {ratio, ControlKey(c.name, c.index)};
        }
    }
    return most;
}

void Grab(qt::FormWidget &widget, const QString &file) {
    Pump(10);
    QDir().mkpath(QStringLiteral(CORVEXA_ARTEFACT_DIR));
    widget.grab().save(QStringLiteral(CORVEXA_ARTEFACT_DIR) + QLatin1Char('/') + file);
}

TEST(MultiCycleScreen, OpensFromTheMainMenuMaximisedAndReadable) {
    App();
    Machine machine;
    qt::QtDesk desk{machine};
    RegisterAllForms(desk);
    WhenDialogOpens([](QWidget *d) { qobject_cast<QMessageBox *>(d)->accept(); });
    desk.Show("frmMain");
    Pump(20);
    QAction *open = desk.WidgetOf("frmMain")->ActionFor("mnuMultiCycle", 3);
    ASSERT_NE(open, nullptr);
    open->trigger();
    qt::FormWidget *widget = desk.WidgetOf("frmMultiCycle");
    ASSERT_NE(widget, nullptr);
    Form &form = *desk.Find("frmMultiCycle");
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(widget->isMaximized());
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("MIPS FP Pipeline"));

    // Every caption fits its box at its own size, "M 10" on two lines; the look-alike of the
    // listing's font is a little wider than the original.
    const auto [ratio, control] = MostShrunkText(form, *widget);
    EXPECT_GE(ratio, 0.9) << control;

    form.windowState = WindowState::Normal;
    desk.SyncVisible();
    for (auto [w, h] : {std::pair{1024, 768 - 60}, std::pair{1920, 1080 - 60}}) {
        widget->resize(w, h);
        Grab(*widget, QStringLiteral("multi_cycle_%1x%2.png").arg(w).arg(h));
    }
}

} // namespace
} // namespace corvexa
