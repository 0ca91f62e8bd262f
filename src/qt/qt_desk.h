#pragma once
// The Desk of the real program: one FormWidget per loaded form, real dialogs, the per-user
// settings store, the system beep. Every handler the user starts runs through RunHandler, which
// re-syncs every visible window when the handler is done.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/desk.h"

class QEventLoop;
class QWidget;

namespace corvexa::qt {

class FormWidget;

// "Description|pattern;pattern|..." as the system writes file filters, as Qt wants them.
QString QtFileFilter(const std::string &filter);

class QtDesk : public Desk {
public:
    explicit QtDesk(Machine &machine);
    ~QtDesk() override;
    QtDesk(const QtDesk &) = delete;
    QtDesk &operator=(const QtDesk &) = delete;

    void MessageBox(const std::string &text, const std::string &title = "",
                    MsgIcon icon = MsgIcon::None) override;
    std::optional<std::string> InputBox(const std::string &prompt, const std::string &title = "",
                                        const std::string &defaultAnswer = "") override;
    std::optional<std::string> OpenFileName(const std::string &title, const std::string &filter,
                                            const std::string &defaultExt) override;
    std::optional<std::string> SaveFileName(const std::string &title, const std::string &filter,
                                            const std::string &defaultExt) override;
    void Beep() override;
    std::optional<std::string> GetSetting(const std::string &app, const std::string &section,
                                          const std::string &key) override;
    void SaveSetting(const std::string &app, const std::string &section, const std::string &key,
                     const std::string &value) override;
    double MonotonicSeconds() override;
    bool StartProgram(const std::string &path) override;
    void ProcessEvents() override;
    void Animate(double seconds) override;

    // Runs one handler started by the user or a timer, then brings every visible window up to
    // date. A handler that throws is reported and does not take the program down.
    void RunHandler(const std::function<void()> &handler);
    // The user's close box: ask the form, then unload it.
    void UserClose(Form &form);
    // Timer ticks and focus events wait while a handler (or a dialog inside it) is running, so
    // no handler ever starts in the middle of another one.
    bool Idle() const;

    void SyncVisible();
    FormWidget *WidgetOf(const std::string &name) const;
    int HandlerDepth() const { return depth_; }

protected:
    void OnCreated(Form &form) override;
    void OnChanged(Form &form) override;
    void OnShown(Form &form) override;
    void OnModal(Form &form, Form *owner) override;
    void OnUnloading(Form &form) override;

private:
    QWidget *DialogParent() const;
    void Retire(FormWidget *widget);
    void AfterOutermostHandler();
    void EndModalOf(const std::string &name);

    struct ModalRun {
        std::string name;
        QEventLoop *loop;
        int baseDepth;
    };

    std::map<std::string, QPointer<FormWidget>> widgets_;
    std::vector<QPointer<FormWidget>> retired_;
    std::vector<QPointer<FormWidget>> dying_; // deletion handed to the event loop
    std::vector<ModalRun> modal_;
    QElapsedTimer clock_;
    double animationDue_ = 0; // seconds on clock_ when the animation's current step is due
    double lastFrame_ = 0;
    int depth_ = 0;
    bool everShown_ = false;
};

} // namespace corvexa::qt
