// The integer program writer on a real screen: every register and mnemonic a row can hold fits
// its list, the controls of a row stand on one line, lists open with one click and the operand
// prompts take their answer from the keyboard.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "gui_support.h"
#include "qt/control_item.h"
#include "qt/qt_desk.h"
#include "registry/all_forms.h"

namespace corvexa {
namespace {

using gui_test::App;
using gui_test::Pump;
using gui_test::WhenDialogOpens;

constexpr int kRows = 32;

// Types text into the open input box and presses Enter, as a student does.
void TypeAnswer(QWidget *dialog, const QString &text) {
    auto *input = qobject_cast<QInputDialog *>(dialog);
    ASSERT_NE(input, nullptr);
    auto *edit = input->findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    for (const QChar ch : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &key);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
}

class WriterScreen : public ::testing::Test {
protected:
    WriterScreen() {
        App();
        RegisterAllForms(desk);
    }

    // Shows the writer, answering its start-address prompt from the keyboard.
    qt::FormWidget *Open() {
        WhenDialogOpens([](QWidget *d) { TypeAnswer(d, QStringLiteral("2000")); });
        desk.Show("frmWriteIntProg");
        Pump(20);
        return desk.WidgetOf("frmWriteIntProg");
    }

    static QComboBox *List(qt::FormWidget *w, const char *name, int row) {
        return qobject_cast<QComboBox *>(w->WidgetFor(name, row));
    }

    // Pixels a list has for the text of its chosen item.
    static int TextRoom(QComboBox *list) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = list->isEditable();
        return list->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
            .width();
    }

    static int LongestItem(QComboBox *list) {
        int longest = 0;
        for (int k = 0; k < list->count(); ++k) {
            longest = std::max(longest, list->fontMetrics().horizontalAdvance(list->itemText(k)));
        }
        return longest;
    }

    // Every visible list is wide enough for its longest item, so "R31" never shows as "R3".
    static void ExpectListsFit(qt::FormWidget *w, const char *when) {
        for (int row = 0; row < kRows; ++row) {
            for (const char *name : {"Instruction1", "cmbRdField", "cmbRsField", "cmbRtField"}) {
                QComboBox *list = List(w, name, row);
                ASSERT_NE(list, nullptr) << name;
                if (list->isVisible()) {
                    EXPECT_GE(TextRoom(list), LongestItem(list))
                        << when << ": " << name << " of row " << row << " is too narrow";
                }
            }
        }
    }

    // The lists and value boxes of a row stand on the row's line: their middles lie within the
    // address box of the row.
    static void ExpectRowsAligned(qt::FormWidget *w, const char *when) {
        for (int row = 0; row < kRows; ++row) {
            const QRectF address = w->view()
                                       ->mapFromScene(w->ItemFor("lblPCValue", row)->boundingRect())
                                       .boundingRect();
            for (const char *name : {"Instruction1", "cmbRdField", "cmbRsField", "cmbRtField"}) {
                QComboBox *list = List(w, name, row);
                if (list->isVisible()) {
                    const double middle = list->geometry().center().y();
                    EXPECT_GE(middle, address.top()) << when << ": " << name << " row " << row;
                    EXPECT_LE(middle, address.bottom()) << when << ": " << name << " row " << row;
                }
            }
        }
    }

    Machine machine;
    qt::QtDesk desk{machine};
};

TEST_F(WriterScreen, ListsHoldEveryItemAndRowsStayOnTheirLines) {
    // A program file loaded before the writer was ever shown: the rows keep their design places.
    const char *mnemonics[] = {"ADD", "SLTIU", "BNEQ", "LW", "ADDIU"};
    for (int i = 0; i < kRows; ++i) {
        const auto s = static_cast<size_t>(i);
        machine.ProgMnemonic[s] = mnemonics[i % 5];
        machine.RdField[s] = static_cast<int16_t>(31 - (i % 4));
        machine.RsField[s] = 28;
        machine.RtField[s] = 30;
        machine.OffsetField[s] = -32768;
        machine.ImmField[s] = -32768;
    }
    machine.LoadingFlag = true;
    qt::FormWidget *w = Open();
    ASSERT_NE(w, nullptr);
    w->resize(1024, 768);
    Pump(20);
    EXPECT_EQ(List(w, "cmbRdField", 0)->currentText(), QStringLiteral("R31"));
    ExpectListsFit(w, "refilled");
    ExpectRowsAligned(w, "refilled");

    // The fresh layout of "C L E A R", with registers chosen in every row.
    machine.LoadingFlag = false;
    WhenDialogOpens([](QWidget *d) { TypeAnswer(d, QStringLiteral("2000")); });
    desk.RunHandler([this] { desk.Find("frmWriteIntProg")->Click("cmdClear"); });
    Pump(20);
    for (int i = 0; i < kRows; ++i) {
        desk.RunHandler([this, i] {
            Form *f = desk.Find("frmWriteIntProg");
            f->C("Instruction1", i).SetListIndex(2); // ADD asks nothing
            f->C("cmbRdField", i).SetListIndex(31);
        });
    }
    Pump(20);
    ExpectListsFit(w, "fresh");
    ExpectRowsAligned(w, "fresh");
}

TEST_F(WriterScreen, OneClickOpensAListAndPromptsTakeTheKeyboard) {
    qt::FormWidget *w = Open();
    ASSERT_NE(w, nullptr);
    QComboBox *mnemonic = List(w, "Instruction1", 3);
    ASSERT_TRUE(mnemonic->isVisible());
    const QPoint middle = mnemonic->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(middle),
                      mnemonic->mapToGlobal(QPointF(middle)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(mnemonic, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(middle),
                        mnemonic->mapToGlobal(QPointF(middle)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(mnemonic, &release);
    Pump(20);
    ASSERT_NE(mnemonic->view(), nullptr);
    EXPECT_TRUE(mnemonic->view()->isVisible());
    mnemonic->hidePopup();
    Pump(10);

    // The wheel rolled over a closed list chooses nothing: the row stays as it was.
    QComboBox *below = List(w, "Instruction1", 4);
    const QPoint at = below->rect().center();
    QWheelEvent wheel(QPointF(at), below->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(below, &wheel);
    Pump(10);
    EXPECT_EQ(below->currentIndex(), 19);
    EXPECT_EQ(machine.ProgMnemonic[4], "NOP");

    // Choosing "LW" asks its offset modally; the answer is typed and taken with Enter.
    bool modal = false;
    WhenDialogOpens([&modal](QWidget *d) {
        modal = d->isModal();
        TypeAnswer(d, QStringLiteral("-12"));
    });
    emit mnemonic->activated(0);
    Pump(20);
    EXPECT_TRUE(modal);
    EXPECT_EQ(machine.OffsetField[3], -12);
    EXPECT_EQ(w->ItemFor("lblOffset", 3)->text(), QStringLiteral("-12"));
}

// Answers every modal dialog while it lives: a file dialog gets the name given (or is cancelled
// when it would ask before replacing a file), a message box is noted and closed.
class DialogAnswerer {
public:
    DialogAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }

    QString fileName;
    std::vector<std::string> messages;
    bool askedBeforeReplacing = false;

private:
    void Answer() {
        QWidget *dialog = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            messages.push_back(box->text().toStdString());
            box->accept();
        } else if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
            if (files->acceptMode() == QFileDialog::AcceptSave &&
                !files->testOption(QFileDialog::DontConfirmOverwrite)) {
                askedBeforeReplacing = true;
                files->reject();
                return;
            }
            files->selectFile(fileName);
            static_cast<QDialog *>(files)->accept(); // what Enter in the name field does
            if (files->isVisible()) {                // it refused the name itself
                files->reject();
            }
        }
    }

    QTimer timer_;
};

TEST_F(WriterScreen, ProgramFilesAreReplacedUnaskedAndAMissingFileIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    desk.Show("frmMIPSFiveStageInt");
    Pump(20);
    qt::FormWidget *pipeline = desk.WidgetOf("frmMIPSFiveStageInt");
    ASSERT_NE(pipeline, nullptr);
    machine.ProgMnemonic.fill("NOP");
    DialogAnswerer answers;

    // Saved twice to the same name: the second save replaces the file without a question.
    answers.fileName = dir.filePath(QStringLiteral("prog.INT"));
    for (int k = 0; k < 2; ++k) {
        pipeline->ActionFor("SaveProg")->trigger();
        Pump(20);
    }
    EXPECT_FALSE(answers.askedBeforeReplacing);
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_TRUE(QFile::exists(answers.fileName));

    // A name typed for a file that is not there: the load reports it, once, and changes nothing.
    answers.fileName = dir.filePath(QStringLiteral("missing.INT"));
    answers.messages.clear();
    machine.ProgMnemonic[0] = "ADD";
    pipeline->ActionFor("LoadProg")->trigger();
    Pump(20);
    EXPECT_EQ(answers.messages, std::vector<std::string>{"Some Error in File "});
    EXPECT_EQ(machine.ProgMnemonic[0], "ADD");
    EXPECT_FALSE(machine.LoadingFlag);
}

} // namespace
} // namespace corvexa
