#pragma once
// Helpers shared by the offscreen GUI tests: one QApplication, clicks on drawn controls, answers
// to modal dialogs.

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QTimer>
#include <functional>

#include "qt/control_item.h"
#include "qt/form_widget.h"

namespace corvexa::gui_test {

// Made once and never destroyed: tearing Qt down among the program's exit handlers crashes in
// Qt's input-device cleanup.
inline QApplication &App() {
    static int argc = 1;
    static char name[] = "corvexa_gui_test";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}

// Runs the event loop for a while (timers, deferred deletions, paints).
inline void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

// A left click in the middle of a drawn control, through the view as a user's mouse would do it.
inline void ClickItem(qt::FormWidget &w, const qt::ControlItem &item) {
    QWidget *vp = w.view()->viewport();
    const QPoint at = w.view()->mapFromScene(item.boundingRect().center());
    const QPointF global = vp->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
}

// Hands the next modal dialog to `answer` as soon as it is open.
inline void WhenDialogOpens(std::function<void(QWidget *)> answer) {
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer)] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start();
}

} // namespace corvexa::gui_test
