// The real five-stage window through the real desk: a program handed over, forwarding switched
// on, "Clock It" clicked through a case that forwards, and the screen compared with the model
// control by control after every click. Pictures of the window go to the artefact folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QPushButton>

#include "gui_support.h"
#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "qt/qt_desk.h"
#include "registry/all_forms.h"

namespace corvexa {
namespace {

using gui_test::App;
using gui_test::Pump;

struct Row {
    const char *op;
    int rd, rs, rt;
};

// R1 is used by the next two instructions and R4 by the one after it: forwarding from MEM and
// from WB to both ALU inputs.
void HandOverForwardingProgram(Machine &m) {
    const Row rows[] = {{"ADD", 1, 2, 3}, {"SUB", 4, 1, 5}, {"ADD", 6, 4, 1}, {"OR", 7, 6, 4}};
    for (size_t i = 0; i < kSlots; ++i) {
        m.ProgMnemonic[i] = "NOP";
        m.InstrFormat[i] = FormatNop;
        m.RdField[i] = m.RsField[i] = m.RtField[i] = 0;
        m.ImmField[i] = m.OffsetField[i] = 0;
        m.ProgBranchOffset[i] = m.ProgShamt[i] = m.ProgFunc[i] = 0;
        m.ProgAddress[i] = 2000 + 4 * static_cast<int32_t>(i);
    }
    for (size_t i = 0; i < std::size(rows); ++i) {
        m.ProgMnemonic[i] = rows[i].op;
        m.InstrFormat[i] = RowFormatOf(rows[i].op);
        m.RdField[i] = static_cast<int16_t>(rows[i].rd);
        m.RsField[i] = static_cast<int16_t>(rows[i].rs);
        m.RtField[i] = static_cast<int16_t>(rows[i].rt);
    }
    // Registers preset, as after the register window's "INITIALIZE": no prompt interrupts a clock.
    m.RegistersInitialised = true;
    m.RegisterFile = PresetRegisterValues;
    AssembleProgramStore(m);
}

// Every drawn control shows exactly what the model holds; returns the first difference.
std::string FirstDifference(Form &form, qt::FormWidget &widget) {
    for (const Control &c : form.controls()) {
        const qt::ControlItem *item = widget.ItemFor(c.name, c.index);
        if (item == nullptr) {
            continue;
        }
        const std::string key = ControlKey(c.name, c.index);
        if (item->isVisible() != c.visible) {
            return key + " visible on screen " + (item->isVisible() ? "yes" : "no");
        }
        if (item->text() != qt::DisplayText(c.caption) && c.kind != ControlKind::Line &&
            c.kind != ControlKind::Shape) {
            return key + " shows \"" + item->text().toStdString() + "\" instead of \"" + c.caption +
                   "\"";
        }
        if (!qt::SameLook(item->shown(), c)) {
            return key + " is drawn from an old state";
        }
    }
    for (const Control &c : form.controls()) {
        if (QWidget *w = widget.WidgetFor(c.name, c.index)) {
            if (w->isVisibleTo(widget.view()->viewport()) != c.visible) {
                return ControlKey(c.name, c.index) + " widget visibility differs";
            }
        }
        if (QAction *a = widget.ActionFor(c.name, c.index)) {
            if (a->isVisible() != c.visible || a->isEnabled() != c.enabled ||
                a->isChecked() != c.checked) {
                return ControlKey(c.name, c.index) + " menu item differs";
            }
        }
    }
    return {};
}

// Saves a picture of the window and tells how much of it is drawn (not background).
double Grab(qt::FormWidget &widget, const QString &file) {
    Pump(10);
    const QImage image = widget.grab().toImage();
    QDir().mkpath(QStringLiteral(CORVEXA_ARTEFACT_DIR));
    image.save(QStringLiteral(CORVEXA_ARTEFACT_DIR) + QLatin1Char('/') + file);
    int inked = 0;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return inked / (image.width() / 3.0 * image.height() / 3.0);
}

class FiveStageSmoke : public ::testing::Test {
protected:
    FiveStageSmoke() {
        App();
        RegisterAllForms(desk);
        desk.Maximise("frmMIPSFiveStageInt");
        desk.Show("frmMIPSFiveStageInt");
        form = desk.Find("frmMIPSFiveStageInt");
        widget = desk.WidgetOf("frmMIPSFiveStageInt");
    }
    void SetWindowSize(int w, int h) {
        form->windowState = WindowState::Normal;
        desk.SyncVisible();
        widget->resize(w, h);
        Pump(10);
    }
    void Click(const char *button) {
        auto *b = qobject_cast<QPushButton *>(widget->WidgetFor(button));
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isVisible()) << button;
        b->click();
    }

    Machine machine;
    qt::QtDesk desk{machine};
    Form *form = nullptr;
    qt::FormWidget *widget = nullptr;
};

TEST_F(FiveStageSmoke, ClocksThroughForwardingAndTheScreenFollowsTheModel) {
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(widget->isMaximized());
    EXPECT_EQ(widget->windowTitle().toStdString(), form->caption);
    SetWindowSize(1024, 768);

    HandOverForwardingProgram(machine);
    desk.Refresh("frmMIPSFiveStageInt");
    EXPECT_EQ(FirstDifference(*form, *widget), "");
    EXPECT_EQ(widget->ItemFor("lblPC", 0)->text(), "2000 :");
    EXPECT_EQ(widget->ItemFor("lblProg", 1)->text(), "SUB R4,R1,R5");
    EXPECT_EQ(widget->ItemFor("lblClockCount")->text(), "CC");
    EXPECT_FALSE(widget->ItemFor("lblEXEValue", 7)->isVisible());

    QAction *forwarding = widget->ActionFor("mnuForwarding");
    ASSERT_NE(forwarding, nullptr);
    EXPECT_FALSE(forwarding->isChecked());
    EXPECT_FALSE(widget->ItemFor("lblForward")->isVisible());
    forwarding->trigger();
    EXPECT_TRUE(forwarding->isChecked());
    EXPECT_TRUE(widget->ItemFor("lblForward")->isVisible());
    EXPECT_TRUE(widget->ItemFor("Picture5")->isVisible());
    EXPECT_FALSE(widget->ItemFor("Picture11")->isVisible());
    EXPECT_EQ(FirstDifference(*form, *widget), "");

    bool forwarded = false;
    for (int clock = 1; clock <= 5; ++clock) {
        Click("Clocking");
        EXPECT_EQ(FirstDifference(*form, *widget), "") << "after clock " << clock;
        EXPECT_EQ(widget->ItemFor("lblClockCount")->text().toStdString(),
                  form->C("lblClockCount").caption);
        // The indicator turns from blue when a value is forwarded.
        forwarded = forwarded || form->C("lblForward").foreColor != 0xFF0000;
    }
    EXPECT_TRUE(forwarded);
    EXPECT_TRUE(widget->ItemFor("lblStage", 2)->isVisible());
    EXPECT_TRUE(widget->ItemFor("lblEXEValue", 7)->isVisible());

    EXPECT_GT(Grab(*widget, QStringLiteral("five_stage_1024x768.png")), 0.02);
    SetWindowSize(1920, 1080);
    EXPECT_GT(Grab(*widget, QStringLiteral("five_stage_1920x1080.png")), 0.02);

    Click("Reset");
    EXPECT_EQ(FirstDifference(*form, *widget), "");
    EXPECT_EQ(widget->ItemFor("lblClockCount")->text(), "CC");
    EXPECT_FALSE(widget->ItemFor("lblEXEValue", 7)->isVisible());
}

} // namespace
} // namespace corvexa
