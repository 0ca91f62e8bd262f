// The generic renderer against a small window of its own: what the screen shows follows the
// model after every handler, and every way in (button, label, list, menu, timer, close box,
// dialogs) reaches the right handler.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <stdexcept>

#include "gui_support.h"
#include "qt/colours.h"
#include "qt/fonts.h"
#include "qt/qt_desk.h"

namespace corvexa {
namespace {

using gui_test::App;
using gui_test::ClickItem;
using gui_test::Pump;
using gui_test::WhenDialogOpens;

FormLayout TestLayout() {
    FormLayout f;
    f.caption = "Test Window";
    f.width = 6000;
    f.height = 4500;
    f.backColor = 0xFFFFFF;
    f.controls.push_back(MakeLabel("lblValue", 0, "NA", 120, 120, 1200, 255));
    Control hidden = MakeLabel("lblValue", 1, "later", 120, 480, 1200, 255);
    hidden.visible = false;
    f.controls.push_back(hidden);
    f.controls.push_back(MakeControl(ControlKind::Button, "cmdGo", -1, "Go", 120, 900, 900, 375));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdAsk", -1, "Ask", 1200, 900, 900, 375));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdBoom", -1, "Boom", 2280, 900, 900, 375));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdQuit", -1, "Quit", 3360, 900, 900, 375));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdModal", -1, "Modal", 4440, 900, 900, 375));
    Control list = MakeControl(ControlKind::ComboBox, "cmbPick", -1, "", 120, 1500, 1500, 315);
    list.items = {"ADD", "SUB", "LW"};
    f.controls.push_back(list);
    f.controls.push_back(
        MakeControl(ControlKind::CheckBox, "chkOn", -1, "On", 1800, 1500, 900, 255));
    f.controls.push_back(MakeLine("Line1", -1, 120, 2200, 3000, 2200, 0xFF0000, 3));
    Control oval = MakeControl(ControlKind::Shape, "Shape1", -1, "", 3200, 2000, 900, 600);
    oval.shape = ShapeKind::Oval;
    oval.filled = true;
    oval.backColor = 0xC0E0FF;
    f.controls.push_back(oval);
    Control alu = MakeControl(ControlKind::Picture, "Picture1", -1, "", 4300, 2000, 600, 1080);
    alu.pictureKind = "alu";
    f.controls.push_back(alu);
    f.controls.push_back(MakeControl(ControlKind::Timer, "Timer1", -1, "", 0, 0, 0, 0));
    f.controls.push_back(MakeMenu("mnuFile", -1, "&File", ""));
    f.controls.push_back(MakeMenu("mnuOpen", -1, "&Open", "mnuFile"));
    f.controls.push_back(MakeMenu("mnuOpt", -1, "Option", "mnuFile"));
    f.controls.push_back(MakeMenu("mnuCmd", -1, "Command", ""));
    return f;
}

class TestForm : public Form {
public:
    explicit TestForm(Desk &desk) : Form(desk, "frmTest", Layout()) {
        On("cmdGo", [this] {
            ++goes;
            C("lblValue", 0).caption = "Go " + std::to_string(goes);
            C("lblValue", 1).visible = true;
        });
        On("cmdAsk", [this] { answer = this->desk().InputBox("Value?", "", "42"); });
        On("cmdBoom", [] { throw std::out_of_range("control array index out of bounds: 99"); });
        On("cmdQuit", [this] {
            this->desk().Unload(name());
            C("lblValue", 0).caption = "after unload"; // the form object outlives its window
        });
        On("cmdModal", [this] {
            this->desk().ShowModal("frmDialog", name());
            modalReturned = true;
        });
        On("cmbPick", [this] { picked = C("cmbPick").listIndex; });
        On("chkOn", [this] { checkClicks += C("chkOn").checked ? 1 : 100; });
        On("mnuOpt", [this] { C("mnuOpt").checked = !C("mnuOpt").checked; });
        On("mnuCmd", [this] { ++commands; });
        On("Timer1", [this] { ++ticks; });
        On("lblValue", [this](int index) { lastLabel = index; });
    }
    bool QueryClose() override { return allowClose; }
    void Form_Paint() override { ++paints; }

    static const FormLayout &Layout() {
        static const FormLayout layout = TestLayout();
        return layout;
    }

    int goes = 0, picked = -1, checkClicks = 0, commands = 0, ticks = 0, lastLabel = -1, paints = 0;
    bool allowClose = false, modalReturned = false;
    std::optional<std::string> answer;
};

FormLayout DialogLayout() {
    FormLayout f;
    f.caption = "Dialog";
    f.width = 3000;
    f.height = 2000;
    f.controls.push_back(MakeControl(ControlKind::Button, "cmdOK", -1, "OK", 120, 120, 900, 375));
    Control timer = MakeControl(ControlKind::Timer, "tmrTick", -1, "", 0, 0, 0, 0);
    timer.interval = 20;
    f.controls.push_back(timer);
    return f;
}

class DialogForm : public Form {
public:
    explicit DialogForm(Desk &desk) : Form(desk, "frmDialog", Layout()) {
        On("cmdOK", [this] { this->desk().Hide(name()); });
        On("tmrTick", [this] { ++ticks; });
    }
    int ticks = 0;
    static const FormLayout &Layout() {
        static const FormLayout layout = DialogLayout();
        return layout;
    }
};

class Renderer : public ::testing::Test {
protected:
    Renderer() {
        App();
        desk.RegisterForm("frmTest", [](Desk &d) { return std::make_unique<TestForm>(d); });
        desk.RegisterForm("frmDialog", [](Desk &d) { return std::make_unique<DialogForm>(d); });
        desk.Show("frmTest");
        form = static_cast<TestForm *>(desk.Find("frmTest"));
        widget = desk.WidgetOf("frmTest");
    }
    qt::ControlItem &Item(const std::string &name, int index = -1) {
        qt::ControlItem *item = widget->ItemFor(name, index);
        EXPECT_NE(item, nullptr) << name;
        return *item;
    }

    Machine machine;
    qt::QtDesk desk{machine};
    TestForm *form = nullptr;
    qt::FormWidget *widget = nullptr;
};

TEST_F(Renderer, WindowAndControlsStartAsTheModelSays) {
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->windowTitle(), "Test Window");
    EXPECT_EQ(Item("lblValue", 0).text(), "NA");
    EXPECT_TRUE(Item("lblValue", 0).isVisible());
    EXPECT_FALSE(Item("lblValue", 1).isVisible());
    auto *go = qobject_cast<QPushButton *>(widget->WidgetFor("cmdGo"));
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->text(), "Go");
    EXPECT_TRUE(go->isVisible());
    auto *list = qobject_cast<QComboBox *>(widget->WidgetFor("cmbPick"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentIndex(), -1);
    ASSERT_NE(widget->ActionFor("mnuFile"), nullptr);
    EXPECT_EQ(widget->ActionFor("mnuFile")->text(), "&File");
    EXPECT_FALSE(widget->ActionFor("mnuOpt")->isChecked());
    // Lines and shapes never take a click: a label under them must still get it.
    EXPECT_EQ(Item("Line1").acceptedMouseButtons(), Qt::NoButton);
    EXPECT_EQ(Item("Shape1").acceptedMouseButtons(), Qt::NoButton);
}

TEST_F(Renderer, HandlersReachTheModelAndTheScreenFollows) {
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdGo"))->click();
    EXPECT_EQ(form->goes, 1);
    EXPECT_EQ(Item("lblValue", 0).text(), "Go 1");
    EXPECT_TRUE(Item("lblValue", 1).isVisible());

    ClickItem(*widget, Item("lblValue", 0));
    EXPECT_EQ(form->lastLabel, 0);
    // A hidden label is not there to be clicked.
    form->lastLabel = -1;
    form->C("lblValue", 0).visible = false;
    desk.SyncVisible();
    ClickItem(*widget, Item("lblValue", 0));
    EXPECT_EQ(form->lastLabel, -1);

    auto *list = qobject_cast<QComboBox *>(widget->WidgetFor("cmbPick"));
    emit list->activated(2);
    EXPECT_EQ(form->picked, 2);
    EXPECT_EQ(form->C("cmbPick").ListText(), "LW");
    // Set from code: the list on screen follows.
    form->C("cmbPick").SetListIndex(0);
    desk.SyncVisible();
    EXPECT_EQ(list->currentText(), "ADD");

    auto *box = qobject_cast<QCheckBox *>(widget->WidgetFor("chkOn"));
    box->click();
    EXPECT_TRUE(form->C("chkOn").checked);
    EXPECT_EQ(form->checkClicks, 1);
}

TEST_F(Renderer, MenusFollowCheckMarksVisibilityAndEnabling) {
    QAction *option = widget->ActionFor("mnuOpt");
    option->trigger();
    EXPECT_TRUE(form->C("mnuOpt").checked);
    EXPECT_TRUE(option->isChecked());
    option->trigger();
    EXPECT_FALSE(form->C("mnuOpt").checked);
    EXPECT_FALSE(option->isChecked());

    widget->ActionFor("mnuCmd")->trigger(); // a command on the bar itself
    EXPECT_EQ(form->commands, 1);

    form->C("mnuOpen").visible = false;
    form->C("mnuOpt").enabled = false;
    form->C("mnuOpt").caption = "Option &2";
    desk.SyncVisible();
    EXPECT_FALSE(widget->ActionFor("mnuOpen")->isVisible());
    EXPECT_FALSE(option->isEnabled());
    EXPECT_EQ(option->text(), "Option &2");
}

TEST_F(Renderer, TimersFollowIntervalAndHoldTicksDuringHandlers) {
    QTimer *timer = widget->TimerFor("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive()); // interval 0 does not tick
    form->C("Timer1").interval = 20;
    desk.SyncVisible();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 20);
    Pump(120);
    EXPECT_GE(form->ticks, 2);
    // A window loaded but never shown keeps its timers running, however often handlers of
    // other windows run between its ticks.
    desk.RunHandler([this] { desk.Get("frmDialog"); }); // loaded inside a handler
    auto &hidden = static_cast<DialogForm &>(*desk.Find("frmDialog"));
    QElapsedTimer busy;
    busy.start();
    while (busy.elapsed() < 150) {
        desk.RunHandler([] {});
        QCoreApplication::processEvents();
    }
    EXPECT_GE(hidden.ticks, 2);
    // A tick that falls inside another handler (here: a dialog open inside it) waits.
    const int before = form->ticks;
    WhenDialogOpens([](QWidget *dialog) {
        QTimer::singleShot(100, dialog, [dialog] { static_cast<QDialog *>(dialog)->reject(); });
    });
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdAsk"))->click();
    EXPECT_EQ(form->ticks, before);
    form->C("Timer1").enabled = false;
    desk.SyncVisible();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(Renderer, InputBoxOffersDefaultAndCancelGivesNoAnswer) {
    QString prompt, title, offered;
    WhenDialogOpens([&](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        ASSERT_NE(input, nullptr);
        prompt = input->labelText();
        title = input->windowTitle();
        offered = input->textValue();
        input->setTextValue("7");
        input->accept();
    });
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdAsk"))->click();
    EXPECT_EQ(prompt, "Value?");
    EXPECT_EQ(title, kAppTitle);
    EXPECT_EQ(offered, "42");
    EXPECT_EQ(form->answer, std::optional<std::string>("7"));

    WhenDialogOpens([](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdAsk"))->click();
    EXPECT_EQ(form->answer, std::nullopt);
}

TEST_F(Renderer, MessageBoxTitleIconAndTheScreenBehindIt) {
    form->C("lblValue", 0).caption = "set before the box";
    QString title, text, shownBehind;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenDialogOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        shownBehind = Item("lblValue", 0).text();
        box->accept();
    });
    desk.MessageBox("Enter a Proper Integer Value", "", MsgIcon::Exclamation);
    EXPECT_EQ(title, kAppTitle);
    EXPECT_EQ(text, "Enter a Proper Integer Value");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(shownBehind, "set before the box");
}

TEST_F(Renderer, AFailingHandlerIsReportedAndTheWindowLivesOn) {
    QString text;
    WhenDialogOpens([&](QWidget *dialog) {
        text = static_cast<QMessageBox *>(dialog)->text();
        static_cast<QMessageBox *>(dialog)->accept();
    });
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdBoom"))->click();
    EXPECT_TRUE(text.contains("out of bounds"));
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(desk.HandlerDepth(), 0);
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdGo"))->click();
    EXPECT_EQ(form->goes, 1);
}

TEST_F(Renderer, CloseBoxAsksTheFormFirst) {
    widget->close();
    EXPECT_TRUE(desk.Loaded("frmTest"));
    EXPECT_TRUE(widget->isVisible());
    form->allowClose = true;
    widget->close();
    EXPECT_FALSE(desk.Loaded("frmTest"));
    EXPECT_EQ(desk.WidgetOf("frmTest"), nullptr);
    Pump(20);
    // Loaded again on next use, with a window of its own.
    desk.Show("frmTest");
    ASSERT_NE(desk.WidgetOf("frmTest"), nullptr);
    EXPECT_TRUE(desk.WidgetOf("frmTest")->isVisible());
}

TEST_F(Renderer, AWindowMayUnloadItselfInsideItsOwnHandler) {
    QPointer<qt::FormWidget> old = widget;
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdQuit"))->click();
    EXPECT_FALSE(desk.Loaded("frmTest"));
    Pump(20);
    EXPECT_TRUE(old.isNull()); // gone once the handler was done
}

TEST_F(Renderer, ModalWindowHoldsItsCallerUntilHidden) {
    bool ownerBlocked = false;
    WhenDialogOpens([&](QWidget *dialog) {
        auto *modal = qobject_cast<qt::FormWidget *>(dialog);
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->formName(), "frmDialog");
        ownerBlocked = QApplication::activeModalWidget() == modal && !form->modalReturned;
        qobject_cast<QPushButton *>(modal->WidgetFor("cmdOK"))->click();
    });
    qobject_cast<QPushButton *>(widget->WidgetFor("cmdModal"))->click();
    EXPECT_TRUE(ownerBlocked);
    EXPECT_TRUE(form->modalReturned);
    EXPECT_FALSE(desk.WidgetOf("frmDialog")->isVisible());
    EXPECT_EQ(desk.WidgetOf("frmDialog")->windowModality(), Qt::NonModal);
}

// The style would draw a closed list in its own grey and a coloured button as a pale gradient.
TEST_F(Renderer, ButtonsAndClosedListsShowTheirOwnColourFlat) {
    form->C("cmbPick").backColor = 0xC0E0FF;
    form->C("cmdGo").backColor = 0xC0FFC0;
    form->C("cmdGo").caption = ""; // its middle free of text
    desk.SyncVisible();
    QWidget *list = widget->WidgetFor("cmbPick");
    QWidget *go = widget->WidgetFor("cmdGo");
    const auto middle = [](QWidget *w) {
        return w->grab().toImage().pixelColor(w->rect().center());
    };
    EXPECT_EQ(middle(list), QColor(0xFF, 0xE0, 0xC0));
    EXPECT_EQ(middle(go), QColor(0xC0, 0xFF, 0xC0));

    // Its text and its focus frame stand out on the fill.
    form->C("cmdGo").caption = "Go";
    desk.SyncVisible();
    widget->activateWindow();
    widget->setAttribute(Qt::WA_KeyboardFocusChange);
    go->setFocus(Qt::TabFocusReason);
    Pump(10);
    ASSERT_TRUE(go->hasFocus());
    const QImage shot = go->grab().toImage();
    int ink = 0;
    for (int x = 0; x < shot.width(); ++x) {
        ink += qGray(shot.pixel(x, shot.height() / 2)) < 100 ? 1 : 0;
    }
    EXPECT_GT(ink, 1);
    EXPECT_EQ(shot.pixelColor(0, shot.height() / 2).name(),
              go->palette().color(QPalette::Highlight).name());
}

// The style caches its pictures of a button under the button's palette: a palette of a window's
// own would leave its pictures behind when the window goes.
TEST_F(Renderer, AButtonInTheWindowsOwnColoursSharesItsPalette) {
    form->C("cmdAsk").backColor = static_cast<int32_t>(0x8000000F);
    desk.SyncVisible();
    QWidget *ask = widget->WidgetFor("cmdAsk");
    EXPECT_EQ(ask->palette().cacheKey(), ask->parentWidget()->palette().cacheKey());
}

// The platform puts the program's name on a title bar whose title is empty; a blank shows nothing.
TEST_F(Renderer, AnEmptyCaptionLeavesTheTitleBarBlank) {
    const auto blank = [](const QWidget *w) {
        return !w->windowTitle().isEmpty() && w->windowTitle().trimmed().isEmpty();
    };
    desk.RegisterForm("frmUntitled", [](Desk &d) {
        static const FormLayout layout = [] {
            FormLayout f;
            f.width = 3000;
            f.height = 2000;
            return f;
        }();
        return std::make_unique<Form>(d, "frmUntitled", layout);
    });
    desk.Show("frmUntitled"); // empty from the start
    EXPECT_TRUE(blank(desk.WidgetOf("frmUntitled")));
    form->caption = "";
    desk.SyncVisible();
    EXPECT_TRUE(blank(widget));
}

TEST_F(Renderer, DrawingScalesWithTheWindowKeepingProportions) {
    widget->resize(600, 700);
    Pump(10);
    const double small = widget->Scale();
    const QRect goSmall = widget->WidgetFor("cmdGo")->geometry();
    widget->resize(1200, 1400);
    Pump(10);
    const double large = widget->Scale();
    const QRect goLarge = widget->WidgetFor("cmdGo")->geometry();
    EXPECT_NEAR(large / small, 2.0, 0.05);
    EXPECT_NEAR(static_cast<double>(goLarge.width()) / goSmall.width(), 2.0, 0.1);
    // The whole design fits: width limits here, so it fills the width.
    EXPECT_NEAR(6000 * large, widget->view()->viewport()->width(), 2.0);
    EXPECT_LE(4500 * large, widget->view()->viewport()->height() + 1);
}

TEST_F(Renderer, PlacementFitsTheScreenAndTheUsersChangesReachTheModel) {
    const QRect screen = widget->screen()->availableGeometry();
    form->left = 1500;
    form->top = 1500;
    form->width = 6000;
    form->height = 4500;
    desk.SyncVisible();
    EXPECT_EQ(widget->pos(), QPoint(100, 100));
    EXPECT_EQ(widget->size(), QSize(400, 300));
    // Laid out for a larger screen: made to fit, all of it on the screen.
    form->width = (screen.width() + 500) * 15;
    form->height = (screen.height() + 500) * 15;
    desk.SyncVisible();
    EXPECT_LE(widget->frameGeometry().right(), screen.right());
    EXPECT_LE(widget->frameGeometry().bottom(), screen.bottom());
    EXPECT_GE(widget->x(), screen.left());
    // The user moves and resizes the window, then minimises it: the model knows, so a saved
    // placement is the one on the screen and a minimised window is not saved.
    widget->setGeometry(QRect(screen.topLeft() + QPoint(40, 60), QSize(300, 200)));
    Pump(10);
    EXPECT_EQ(form->left, widget->frameGeometry().x() * 15);
    EXPECT_EQ(form->width, 300 * 15);
    EXPECT_EQ(form->height, 200 * 15);
    widget->showMinimized();
    Pump(10);
    EXPECT_EQ(form->windowState, WindowState::Minimised);
    widget->showNormal();
    Pump(10);
    EXPECT_EQ(form->windowState, WindowState::Normal);
}

TEST_F(Renderer, AWindowGivenANewSizeShowsThatMuchOfItsDrawing) {
    // As a window that widens itself to show more columns: what lies beyond stays hidden.
    form->width = 3000;
    desk.SyncVisible();
    EXPECT_EQ(widget->scene()->sceneRect(), QRectF(0, 0, 3000, 4500));
    EXPECT_TRUE(widget->WidgetFor("cmdGo")->isVisible());
    EXPECT_FALSE(widget->WidgetFor("cmdModal")->isVisible()); // at 4440, beyond the edge
    widget->resize(900, 600); // wide: margins left and right of the drawing
    Pump(10);
    const QImage shot = widget->view()->grab().toImage();
    const QPoint beyond = widget->view()->mapFromScene(QPointF(4600, 2500)); // the ALU picture
    ASSERT_TRUE(shot.rect().contains(beyond));
    EXPECT_EQ(shot.pixelColor(beyond), QColor(Qt::white));
    // Maximised, the whole design fills the screen whatever restored size the code gave it (the
    // main window restores a saved placement, then maximises).
    form->windowState = WindowState::Maximised;
    desk.SyncVisible();
    EXPECT_EQ(widget->scene()->sceneRect(), QRectF(0, 0, 6000, 4500));
    EXPECT_TRUE(widget->WidgetFor("cmdModal")->isVisible());
    form->windowState = WindowState::Normal;
    desk.SyncVisible();
    EXPECT_EQ(widget->scene()->sceneRect(), QRectF(0, 0, 3000, 4500));
    form->width = 6000;
    desk.SyncVisible();
    EXPECT_TRUE(widget->WidgetFor("cmdModal")->isVisible());
    EXPECT_NE(widget->view()->grab().toImage().pixelColor(beyond), QColor(Qt::white));
}

TEST_F(Renderer, ARestoredWindowIsDrawnAnewByItsRepaintHandler) {
    Pump(20);
    const int before = form->paints;
    widget->showMinimized();
    Pump(20);
    EXPECT_EQ(form->windowState, WindowState::Minimised);
    widget->showNormal();
    Pump(20);
    EXPECT_EQ(form->windowState, WindowState::Normal);
    EXPECT_GT(form->paints, before);
}

// A menu that shows a window already open behind another must bring it forward, or the
// command seems to do nothing.
TEST_F(Renderer, ShowingAVisibleWindowBringsItToTheFrontAndRepaintsIt) {
    desk.Show("frmDialog");
    qt::FormWidget *dialog = desk.WidgetOf("frmDialog");
    dialog->activateWindow();
    Pump(20);
    ASSERT_EQ(QApplication::activeWindow(), dialog);
    const int before = form->paints;
    desk.Show("frmTest");
    Pump(20);
    EXPECT_EQ(QApplication::activeWindow(), widget);
    EXPECT_GT(form->paints, before);
}

TEST(RendererTables, FontsComeFromTheSubstitutionTable) {
    App();
    EXPECT_EQ(qt::SubstituteFace("Arial").families.front(), "Liberation Sans");
    EXPECT_EQ(qt::SubstituteFace("Arial Narrow").families.front(), "Liberation Sans Narrow");
    EXPECT_EQ(qt::SubstituteFace("Courier New").families.front(), "Liberation Mono");
    EXPECT_EQ(qt::SubstituteFace("MS Serif").families.front(), "Liberation Serif");
    EXPECT_EQ(qt::SubstituteFace("Times New Roman").families.front(), "Liberation Serif");
    EXPECT_EQ(qt::SubstituteFace("terminal ").families.front(), "Liberation Mono");
    EXPECT_EQ(qt::SubstituteFace("Haettenschweiler").families.front(), "Liberation Sans Narrow");
    EXPECT_TRUE(qt::SubstituteFace("Haettenschweiler").heavy);
    const QFont black = qt::MakeFont(Font{"Arial Black", 6.75, false}, 20);
    // A true heavy face, not the bold sans.
    EXPECT_EQ(black.weight(), QFont::Black);
    EXPECT_EQ(QFontInfo(black).family(), "Lato");
    EXPECT_EQ(QFontInfo(black).weight(), QFont::Black);
    EXPECT_EQ(black.pixelSize(), 135); // 6.75 points in twips
    EXPECT_EQ(QFontInfo(qt::MakeFont(Font{"MS Sans Serif", 8.25, false}, 1.0)).family(),
              "Liberation Sans");
    // A face nobody has still gives a readable sans.
    const QFont odd = qt::MakeFont(Font{"Bauhaus 93", 10, false}, 1.0);
    EXPECT_TRUE(QFontInfo(odd).family() == "Liberation Sans" ||
                QFontInfo(odd).family() == "DejaVu Sans");
    // Nonsense sizes from data do not reach Qt.
    EXPECT_EQ(qt::MakeFont(Font{"Arial", -3, false}, 20).pixelSize(), 165);
}

TEST(RendererTables, ColoursAreBlueGreenRedWithSystemColours) {
    App();
    const QPalette p = QApplication::palette();
    EXPECT_EQ(qt::ToQColor(0x0000FF, p), QColor(255, 0, 0));
    EXPECT_EQ(qt::ToQColor(0xFF0000, p), QColor(0, 0, 255));
    EXPECT_EQ(qt::ToQColor(0x80C0FF, p), QColor(0xFF, 0xC0, 0x80));
    EXPECT_EQ(qt::ToQColor(static_cast<int32_t>(0x8000000F), p), p.color(QPalette::Button));
    EXPECT_EQ(qt::ToQColor(static_cast<int32_t>(0x80000005), p), p.color(QPalette::Base));
    EXPECT_EQ(qt::ToQColor(kNoColour, p).alpha(), 0);
}

TEST(RendererTables, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(qt::QtFileFilter("Integer MIPS Program (*.INT)|*.int"),
              "Integer MIPS Program (*.INT *.int)");
    EXPECT_EQ(qt::QtFileFilter("Text (*.txt)|*.txt|All Files|*.*"),
              "Text (*.txt);;All Files (*.*)");
    EXPECT_EQ(qt::QtFileFilter("Programs|*.int;*.fp"), "Programs (*.int *.fp)");
    EXPECT_EQ(qt::QtFileFilter(""), "");
}

TEST(RendererTables, LabelTextThatDoesNotFitShrinksInsteadOfLosingDigits) {
    App();
    Control c = MakeLabel("lblEXEValue", 7, "-2147483648", 0, 0, 600, 195);
    c.font = Font{"Arial Black", 6.75, false};
    qt::ControlItem item(c, 0);
    item.Update(c, QApplication::palette());
    EXPECT_LT(item.drawnFont().pixelSize(), 135);
    EXPECT_LE(QFontMetricsF(item.drawnFont()).horizontalAdvance(item.text()), 601);
    // A caption that fits keeps its size; CR LF breaks lines.
    c.caption = "func 32\r\nShmt 0";
    item.Update(c, QApplication::palette());
    EXPECT_EQ(item.drawnFont().pixelSize(), 135);
    EXPECT_EQ(item.text(), "func 32\nShmt 0");
}

} // namespace
} // namespace corvexa
