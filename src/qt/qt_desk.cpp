#include "qt/qt_desk.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "qt/control_item.h"
#include "qt/form_widget.h"

namespace corvexa::qt {

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

constexpr double kFrameSeconds = 1.0 / 60; // how often an animation shows its progress
constexpr double kAnimationGap = 0.25;     // a pause longer than this starts a new animation

QString TitleOr(const std::string &title) {
    return QString::fromStdString(title.empty() ? std::string(kAppTitle) : title);
}

QString Suffix(const std::string &defaultExt) {
    QString s = QString::fromStdString(defaultExt);
    while (s.startsWith(QLatin1Char('.'))) {
        s.remove(0, 1);
    }
    return s;
}

} // namespace

QString QtFileFilter(const std::string &filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    static const QRegularExpression inParens(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        // Patterns a description already shows in parentheses are kept and merged with the
        // pattern part, so "(*.INT)|*.int" matches both spellings on a case-sensitive system.
        const QRegularExpressionMatch m = inParens.match(description);
        if (m.hasMatch()) {
            for (const QString &p : m.captured(1).split(
                     QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
                patterns << p;
            }
            description = description.left(m.capturedStart()).trimmed();
        }
        for (const QString &p : parts[i + 1].split(QRegularExpression(QStringLiteral("[;\\s]+")),
                                                   Qt::SkipEmptyParts)) {
            if (!patterns.contains(p)) {
                patterns << p;
            }
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        out << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QtDesk::QtDesk(Machine &machine) : Desk(machine) {
    clock_.start();
    // The program ends when its last window goes, as the model decides (see RunHandler).
    QApplication::setQuitOnLastWindowClosed(false);
}

QtDesk::~QtDesk() {
    // Windows go before the forms they show.
    for (auto &[name, widget] : widgets_) {
        delete widget.data();
    }
    widgets_.clear();
    for (auto &widget : retired_) {
        delete widget.data();
    }
    retired_.clear();
    // Windows whose deferred deletion the event loop did not reach before it ended.
    for (auto &widget : dying_) {
        delete widget.data();
    }
    dying_.clear();
}

FormWidget *QtDesk::WidgetOf(const std::string &name) const {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second.data();
}

bool QtDesk::Idle() const {
    return depth_ == (modal_.empty() ? 0 : modal_.back().baseDepth);
}

void QtDesk::OnCreated(Form &form) {
    if (FormWidget *old = WidgetOf(form.name())) {
        Retire(old);
    }
    FormWidget *widget = new FormWidget(*this, form);
    widgets_[form.name()] = widget;
    // Timers enabled in the design run from the moment the window is made, before its loading
    // code: a load that takes a while finds their first tick due.
    widget->SyncTimers();
}

void QtDesk::OnChanged(Form &form) {
    FormWidget *w = WidgetOf(form.name());
    if (w == nullptr || w->form() != &form) {
        return;
    }
    if (form.visible) {
        everShown_ = true;
    } else {
        EndModalOf(form.name());
    }
    if (depth_ == 0) {
        w->SyncAll();
    } else if (w->isVisible()) {
        w->SyncWindow();
    }
    // A window that appears inside a handler is shown when the handler is done, in the state it
    // leaves: one made visible and then maximised appears maximised at once.
}

void QtDesk::OnShown(Form &form) {
    FormWidget *w = WidgetOf(form.name());
    if (w != nullptr && w->form() == &form) {
        w->RequestFront();
        if (depth_ == 0) {
            w->SyncWindow();
        }
    }
}

void QtDesk::OnModal(Form &form, Form *owner) {
    QPointer<FormWidget> w = WidgetOf(form.name());
    if (!w || !form.visible) {
        return;
    }
    SyncVisible();
    w->hide();
    w->setWindowModality(Qt::ApplicationModal);
    if (FormWidget *ow = owner != nullptr ? WidgetOf(owner->name()) : nullptr) {
        w->winId();
        if (w->windowHandle() != nullptr && ow->windowHandle() != nullptr) {
            w->windowHandle()->setTransientParent(ow->windowHandle());
        }
    }
    w->SyncWindow();
    QEventLoop loop;
    modal_.push_back({form.name(), &loop, depth_});
    loop.exec(QEventLoop::DialogExec);
    modal_.pop_back();
    if (w) {
        const bool shown = w->isVisible();
        w->hide();
        w->setWindowModality(Qt::NonModal);
        if (shown) {
            w->SyncWindow();
        }
    }
}

void QtDesk::EndModalOf(const std::string &name) {
    for (ModalRun &run : modal_) {
        if (run.name == name) {
            run.loop->quit();
        }
    }
}

void QtDesk::OnUnloading(Form &form) {
    FormWidget *w = WidgetOf(form.name());
    if (w != nullptr && w->form() == &form) {
        widgets_.erase(form.name());
        Retire(w);
    }
    EndModalOf(form.name());
}

void QtDesk::Retire(FormWidget *widget) {
    widget->Detach();
    // A handler of this very window may still be running: it goes when all handlers are done.
    retired_.emplace_back(widget);
    if (depth_ == 0) {
        AfterOutermostHandler();
    }
}

void QtDesk::SyncVisible() {
    for (auto &[name, widget] : widgets_) {
        if (!widget) {
            continue;
        }
        const Form *f = widget->form();
        if (f != nullptr && f->visible) {
            widget->SyncAll();
        } else {
            widget->SyncWindow();
            widget->SyncTimers();
        }
    }
}

void QtDesk::RunHandler(const std::function<void()> &handler) {
    ++depth_;
    try {
        const Busy busy(*this);
        handler();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "corvexa: a command failed: %s\n", e.what());
        MessageBox(std::string("This command could not be completed:\n") + e.what(), "",
                   MsgIcon::Critical);
    } catch (...) {
        std::fputs("corvexa: a command failed\n", stderr);
        MessageBox("This command could not be completed.", "", MsgIcon::Critical);
    }
    --depth_;
    SyncVisible();
    if (depth_ == 0) {
        AfterOutermostHandler();
    }
}

void QtDesk::AfterOutermostHandler() {
    for (auto &widget : retired_) {
        if (widget) {
            widget->deleteLater();
            dying_.push_back(widget);
        }
    }
    retired_.clear();
    std::erase_if(dying_, [](const QPointer<FormWidget> &w) { return w.isNull(); });
    bool anyVisible = false;
    for (Form *f : LoadedForms()) {
        anyVisible = anyVisible || f->visible;
    }
    if (everShown_ && !anyVisible) {
        QCoreApplication::quit();
    }
}

void QtDesk::UserClose(Form &form) {
    const std::string name = form.name();
    RunHandler([this, &form, name] {
        if (form.QueryClose()) {
            Unload(name);
        }
    });
}

QWidget *QtDesk::DialogParent() const {
    QWidget *active = QApplication::activeWindow();
    if (qobject_cast<FormWidget *>(active) != nullptr) {
        return active;
    }
    for (const auto &[name, widget] : widgets_) {
        if (widget && widget->isVisible()) {
            return widget.data();
        }
    }
    return nullptr;
}

void QtDesk::MessageBox(const std::string &text, const std::string &title, MsgIcon icon) {
    SyncVisible();
    QMessageBox box(ToQtIcon(icon), TitleOr(title), DisplayText(text), QMessageBox::Ok,
                    DialogParent());
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

std::optional<std::string> QtDesk::InputBox(const std::string &prompt, const std::string &title,
                                            const std::string &defaultAnswer) {
    SyncVisible();
    QInputDialog dialog(DialogParent());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(TitleOr(title));
    dialog.setLabelText(DisplayText(prompt));
    dialog.setTextValue(QString::fromStdString(defaultAnswer));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtDesk::OpenFileName(const std::string &title, const std::string &filter,
                                                const std::string &defaultExt) {
    SyncVisible();
    QFileDialog dialog(DialogParent(), QString::fromStdString(title));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that names no file is the caller's to report, as it reports every failed read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFileFilter(filter));
    dialog.setDefaultSuffix(Suffix(defaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtDesk::SaveFileName(const std::string &title, const std::string &filter,
                                                const std::string &defaultExt) {
    SyncVisible();
    QFileDialog dialog(DialogParent(), QString::fromStdString(title));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // a save replaces the file unasked
    dialog.setNameFilter(QtFileFilter(filter));
    dialog.setDefaultSuffix(Suffix(defaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

void QtDesk::Beep() {
    QApplication::beep();
}

std::optional<std::string> QtDesk::GetSetting(const std::string &app, const std::string &section,
                                              const std::string &key) {
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvexa"),
                    QString::fromStdString(app));
    const QString path =
        QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
    if (!store.contains(path)) {
        return std::nullopt;
    }
    return store.value(path).toString().toStdString();
}

void QtDesk::SaveSetting(const std::string &app, const std::string &section, const std::string &key,
                         const std::string &value) {
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvexa"),
                    QString::fromStdString(app));
    store.setValue(QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key),
                   QString::fromStdString(value));
}

double QtDesk::MonotonicSeconds() {
    return static_cast<double>(clock_.nsecsElapsed()) / 1e9;
}

bool QtDesk::StartProgram(const std::string &path) {
    return QProcess::startDetached(QString::fromStdString(path), {});
}

void QtDesk::ProcessEvents() {
    SyncVisible();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Each frame lets the event loop paint, without user input; timers, focus changes and close boxes
// wait while a handler runs (see Idle), so no other handler starts. The steps are timed from the
// first, so their total is as asked however long painting takes.
void QtDesk::Animate(double seconds) {
    const double now = MonotonicSeconds();
    if (now - animationDue_ > kAnimationGap) {
        animationDue_ = now;
    }
    animationDue_ += seconds;
    if (now - lastFrame_ >= kFrameSeconds) {
        lastFrame_ = now;
        ProcessEvents();
    }
    const double wait = animationDue_ - MonotonicSeconds();
    if (wait > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
    }
}

} // namespace corvexa::qt
