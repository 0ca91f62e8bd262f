// The program's start through the real desk: splash, the full-screen message, the main window
// maximised, the five-stage window from the Architecture menu, the about box's animation on real
// timers, the placement kept in a settings file between runs, and the end of the event loop when
// the main window is closed.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "gui_support.h"
#include "qt/qt_desk.h"
#include "registry/all_forms.h"
#include "ui/status_text.h"

namespace corvexa {
namespace {

using gui_test::App;
using gui_test::Pump;
using gui_test::WhenDialogOpens;

// Every message box is answered with OK; their texts are kept.
class Answerer {
public:
    Answerer() {
        poll_.setInterval(2);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString());
                box->accept();
            }
        });
        poll_.start();
    }
    std::vector<std::string> texts;

private:
    QTimer poll_;
};

bool PumpUntil(const std::function<bool()> &done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) {
            return false;
        }
        Pump(5);
    }
    return true;
}

// Saves a picture of a window for people to look at.
void Picture(QWidget &w, const char *file) {
    QDir().mkpath(QStringLiteral(CORVEXA_ARTEFACT_DIR));
    w.grab().save(QStringLiteral(CORVEXA_ARTEFACT_DIR "/") + QLatin1String(file));
}

class StartupSmoke : public ::testing::Test {
protected:
    StartupSmoke() {
        App();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }
    static QVariant Stored(const char *key) {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvexa"),
                        QString::fromLatin1(kAppTitle));
        return store.value(QStringLiteral("Settings/") + QLatin1String(key));
    }
    static void Store(const char *key, const QString &value) {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvexa"),
                        QString::fromLatin1(kAppTitle));
        store.setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
    }

    QTemporaryDir settingsDir;
};

TEST_F(StartupSmoke, SplashLeadsToTheMainWindowWhichOpensTheFiveStageWindow) {
    Machine machine;
    qt::QtDesk desk(machine);
    RegisterAllForms(desk);
    Answerer answers;

    desk.Show("frmSplash");
    qt::FormWidget *splash = desk.WidgetOf("frmSplash");
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint)) << "a splash has no frame";
    EXPECT_EQ(splash->ItemFor("lblProductName")->text().toStdString(), kAppTitle);
    Picture(*splash, "splash.png");

    ASSERT_TRUE(PumpUntil([&] { return !desk.Loaded("frmSplash"); }));
    ASSERT_EQ(answers.texts.size(), 1U);
    EXPECT_EQ(answers.texts[0], "This Application Runs in Full Screen Mode only (1024 X 768)");
    qt::FormWidget *main = desk.WidgetOf("frmMain");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return main->isVisible() && main->isMaximized(); }));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Corvexa Oct 11, 2006"));
    EXPECT_EQ(desk.LoadedForms().size(), 1U);
    main->resize(1024, 768);
    Pump(20);
    Picture(*main, "main_window.png");

    QAction *five = main->ActionFor("mnuMIPS5StageInt", 2);
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->text(), QStringLiteral("MIPS 5-Stage Integer Pipeline"));
    five->trigger();
    qt::FormWidget *pipeline = desk.WidgetOf("frmMIPSFiveStageInt");
    ASSERT_NE(pipeline, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return pipeline->isVisible() && pipeline->isMaximized(); }));
    EXPECT_TRUE(main->isVisible());

    main->ActionFor("mnuROB", 6)->trigger();
    ASSERT_EQ(answers.texts.size(), 2U);
    EXPECT_EQ(answers.texts[1], "Working on this code.");
}

// The status bar is the window's own, not part of the scaled drawing: on a large screen it still
// runs along the whole bottom edge in text of the usual size.
TEST_F(StartupSmoke, TheStatusBarSpansTheBottomEdgeAtItsOwnSizeOnAnyScreen) {
    Machine machine;
    qt::QtDesk desk(machine);
    RegisterAllForms(desk);
    Answerer answers;
    desk.Show("frmMain");
    qt::FormWidget *main = desk.WidgetOf("frmMain");
    ASSERT_TRUE(PumpUntil([&] { return main->isVisible(); }));
    QWidget *status = main->WidgetFor("sbStatusBar", 1);
    QWidget *clock = main->WidgetFor("sbStatusBar", 3);
    ASSERT_NE(status, nullptr);
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(qobject_cast<QLabel *>(status)->text(), QStringLiteral("Status"));
    int textSize = -1;
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(500, 400)}) {
        main->resize(size);
        Pump(20);
        const QRect s = status->geometry();
        const QRect c = clock->geometry();
        const QPoint bottomRight = clock->mapTo(main, c.bottomRight() - c.topLeft());
        EXPECT_LE(main->height() - bottomRight.y(), 8) << size.width();
        EXPECT_LE(main->width() - bottomRight.x(), 30) << size.width();
        EXPECT_GT(s.width(), c.width()) << size.width(); // the status panel takes the rest
        if (textSize < 0) {
            textSize = status->font().pixelSize();
        }
        EXPECT_EQ(status->font().pixelSize(), textSize) << size.width();
    }
    EXPECT_GT(textSize, 8);
    EXPECT_LT(textSize, 20);
    // The model's captions reach the panels; the date panel shows today, its stored text stays.
    desk.RunHandler([&] { desk.Get("frmMain").C("sbStatusBar", 1).caption = "Ready"; });
    EXPECT_EQ(qobject_cast<QLabel *>(status)->text(), QStringLiteral("Ready"));
    EXPECT_EQ(desk.Get("frmMain").C("sbStatusBar", 2).caption, "10/16/2006");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(qobject_cast<QLabel *>(main->WidgetFor("sbStatusBar", 2))->text().toStdString(),
              StatusDate(local));
}

TEST_F(StartupSmoke, TheAboutBoxTypesItsCreditOnRealTimersUntilOk) {
    Machine machine;
    qt::QtDesk desk(machine);
    RegisterAllForms(desk);
    Answerer answers;
    desk.Show("frmMain");
    qt::FormWidget *main = desk.WidgetOf("frmMain");
    ASSERT_TRUE(PumpUntil([&] { return main->isVisible(); }));

    std::vector<std::string> seen;
    WhenDialogOpens([&](QWidget *dialog) {
        auto *about = qobject_cast<qt::FormWidget *>(dialog);
        ASSERT_NE(about, nullptr);
        // Some ticks into the first cycle: the whole credit line has given way to part of it.
        PumpUntil(
            [&] {
                const auto typed = about->ItemFor("lblVersion")->text().size();
                return typed >= 18 && typed < 41;
            },
            3000);
        seen.push_back(about->ItemFor("lblVersion")->text().toStdString());
        Picture(*about, "about_box.png");
        qobject_cast<QPushButton *>(about->WidgetFor("cmdOK"))->click();
    });
    main->ActionFor("mnuHelpAbout")->trigger(); // returns when the box is closed
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].rfind("Sole Developer: ", 0), 0U) << seen[0];
    EXPECT_LT(seen[0].size(), 41U);
    EXPECT_FALSE(desk.Loaded("frmAbout"));
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(StartupSmoke, PlacementIsKeptBetweenRunsAndClosingTheMainWindowEndsTheProgram) {
    Store("MainLeft", QStringLiteral("not a number"));
    int frameLeft = -1; // the window's left is that of its frame
    {
        Machine machine;
        qt::QtDesk desk(machine);
        RegisterAllForms(desk);
        Answerer answers;
        desk.Show("frmMain");
        Form &form = desk.Get("frmMain");
        EXPECT_EQ(form.left, 1000);
        EXPECT_EQ(form.width, 6500);
        qt::FormWidget *main = desk.WidgetOf("frmMain");
        ASSERT_TRUE(PumpUntil([&] { return main->isVisible(); }));
        main->ActionFor("mnuMIPS5StageInt", 2)->trigger();

        // The user restores the window and moves and sizes it.
        main->showNormal();
        main->setGeometry(100, 80, 600, 500);
        Pump(20);
        frameLeft = main->frameGeometry().x() * 15;
        // Closing it unloads every window and ends the event loop.
        QTimer::singleShot(0, main, [main] { main->close(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        watchdog.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(desk.LoadedForms().empty());
    }
    EXPECT_EQ(Stored("MainLeft").toString(), QString::number(frameLeft));
    EXPECT_EQ(Stored("MainWidth").toString(), QStringLiteral("9000"));
    EXPECT_EQ(Stored("MainHeight").toString(), QStringLiteral("7500"));

    Machine machine;
    qt::QtDesk desk(machine);
    RegisterAllForms(desk);
    Answerer answers;
    desk.Show("frmMain");
    qt::FormWidget *main = desk.WidgetOf("frmMain");
    ASSERT_TRUE(PumpUntil([&] { return main->isVisible() && main->isMaximized(); }));
    EXPECT_EQ(main->normalGeometry().size(), QSize(600, 500));
    main->showNormal();
    Pump(20);
    EXPECT_EQ(main->geometry(), QRect(100, 80, 600, 500));
}

} // namespace
} // namespace corvexa
