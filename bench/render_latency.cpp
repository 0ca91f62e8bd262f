// Render latency of one clock: the real pipeline windows, five-stage and single-cycle (offscreen
// unless told otherwise), a 32-slot program with forwarding on, and N clicks of "Clock It" in each,
// each timed from the click to the window re-synced from the model and painted in full.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "qt/form_widget.h"
#include "qt/qt_desk.h"
#include "registry/all_forms.h"

namespace {

using namespace corvexa;

// Register-register work with a dependency on the instruction before it in most slots, and a
// store now and then: forwarding every clock, no prompts (registers are preset, nothing is
// loaded before it is stored).
void HandOverProgram(Machine &m) {
    const char *ops[] = {"ADD", "SUB", "AND", "OR", "SLT", "ADD", "NOR", "SUB"};
    for (size_t i = 0; i < kSlots; ++i) {
        m.ProgAddress[i] = 2000 + 4 * static_cast<int32_t>(i);
        m.ImmField[i] = m.OffsetField[i] = 0;
        m.ProgBranchOffset[i] = m.ProgShamt[i] = m.ProgFunc[i] = 0;
        const auto r = static_cast<int16_t>(1 + i % 30);
        if (i % 7 == 6) {
            m.ProgMnemonic[i] = "SW";
            m.InstrFormat[i] = RowFormatOf(m.ProgMnemonic[i]);
            m.RdField[i] = r;
            m.RtField[i] = 0;
            m.RsField[i] = 0;
            m.OffsetField[i] = static_cast<int32_t>(4 * i);
            continue;
        }
        m.ProgMnemonic[i] = ops[i % std::size(ops)];
        m.InstrFormat[i] = RowFormatOf(m.ProgMnemonic[i]);
        m.RdField[i] = r;
        m.RsField[i] = static_cast<int16_t>(i == 0 ? 2 : 1 + (i - 1) % 30);
        m.RtField[i] = static_cast<int16_t>(1 + (i + 5) % 30);
    }
    m.RegistersInitialised = true;
    m.RegisterFile = PresetRegisterValues;
    AssembleProgramStore(m);
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto k = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(k, v.size() - 1)];
}

// Clocks one window through runs of the program; returns false when the window cannot be clocked.
bool Measure(qt::QtDesk &desk, Machine &machine, const std::string &name, int clicks, int width,
             int height) {
    desk.Maximise(name);
    desk.Show(name);
    Form &form = *desk.Find(name);
    qt::FormWidget &window = *desk.WidgetOf(name);
    form.windowState = WindowState::Normal;
    desk.SyncVisible();
    window.resize(width, height);
    QCoreApplication::processEvents();

    // A dialog would stop the probe: answer it and count it.
    int dialogs = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&dialogs] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++dialogs;
            std::fprintf(stderr, "dialog: %s\n", box->text().toStdString().c_str());
            box->accept();
        }
    });
    guard.start(50);

    HandOverProgram(machine);
    desk.Refresh(name);
    if (form.HasHandler("mnuForwarding") && !form.C("mnuForwarding").checked) {
        form.Click("mnuForwarding"); // forwarding on: the busiest drawing
    }
    desk.SyncVisible();
    auto *clock = qobject_cast<QPushButton *>(window.WidgetFor("Clocking"));
    auto *reset = qobject_cast<QPushButton *>(window.WidgetFor("Reset"));
    if (clock == nullptr || reset == nullptr) {
        std::fprintf(stderr, "render latency: %s has no \"Clock It\" or reset button\n",
                     name.c_str());
        return false;
    }
    window.repaint();

    std::vector<double> total, handler, paint;
    QElapsedTimer t;
    int inRun = 0;
    const int perRun = 30; // the 33rd clock would fetch beyond the last slot
    for (int i = 0; i < clicks; ++i) {
        if (inRun == perRun) {
            reset->click();
            QCoreApplication::processEvents();
            window.repaint();
            inRun = 0;
        }
        t.start();
        clock->click(); // handler, then every visible window re-synced
        const qint64 synced = t.nsecsElapsed();
        QCoreApplication::processEvents();
        window.repaint();
        const qint64 done = t.nsecsElapsed();
        total.push_back(static_cast<double>(done) / 1e6);
        handler.push_back(static_cast<double>(synced) / 1e6);
        paint.push_back(static_cast<double>(done - synced) / 1e6);
        ++inRun;
    }
    desk.Hide(name);
    std::printf("%s, window %dx%d, %d clicks of \"Clock It\", %d dialogs answered\n", name.c_str(),
                window.width(), window.height(), clicks, dialogs);
    std::printf("  clock step and re-sync: median %.2f ms, p99 %.2f ms\n", Percentile(handler, 0.5),
                Percentile(handler, 0.99));
    std::printf("  paint: median %.2f ms, p99 %.2f ms\n", Percentile(paint, 0.5),
                Percentile(paint, 0.99));
    std::printf("  render latency: median %.2f ms, p99 %.2f ms\n", Percentile(total, 0.5),
                Percentile(total, 0.99));
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    int clicks = 300;
    int width = 1024, height = 768;
    if (argc > 1) {
        clicks = std::max(10, std::atoi(argv[1]));
    }
    if (argc > 3) {
        width = std::max(320, std::atoi(argv[2]));
        height = std::max(240, std::atoi(argv[3]));
    }

    Machine machine;
    qt::QtDesk desk(machine);
    RegisterAllForms(desk);
    for (const char *name : {"frmMIPSFiveStageInt", "frmSingleCycle"}) {
        if (!Measure(desk, machine, name, clicks, width, height)) {
            return 1;
        }
    }
    return 0;
}
