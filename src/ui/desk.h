#pragma once
// Window operations and platform services. Windows meet only through a Desk and the shared
// machine state; a QtDesk shows real windows, a HeadlessDesk serves tests and scenarios.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace corvexa {

class Form;
class Desk;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };

inline constexpr const char *kAppTitle = "Corvexa Dud17 2006";

using FormFactory = std::function<std::unique_ptr<Form>(Desk &)>;

class Desk {
public:
    explicit Desk(Machine &machine) : machine_(machine) {}
    virtual ~Desk();
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    Machine &machine() { return machine_; }

    void RegisterForm(const std::string &name, FormFactory factory);
    bool Known(const std::string &name) const { return factories_.count(name) != 0; }

    // The window object, created (and loaded) on first use.
    Form &Get(const std::string &name);
    Form *Find(const std::string &name); // nullptr when not loaded
    bool Loaded(const std::string &name) const;

    void Show(const std::string &name);
    void Hide(const std::string &name);
    void Maximise(const std::string &name);
    void Refresh(const std::string &name);
    void ShowModal(const std::string &name, const std::string &owner);
    void Unload(const std::string &name);
    void UnloadAll();
    std::vector<Form *> LoadedForms(); // in loading order

    // Handlers and window operations run inside a busy scope. A window unloaded meanwhile may
    // still have code running on it; it is freed when the outermost scope ends.
    class Busy {
    public:
        explicit Busy(Desk &desk) : desk_(desk) { ++desk_.busy_; }
        ~Busy() { desk_.Leave(); }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        Desk &desk_;
    };
    // Unloaded windows not yet freed (for checks).
    size_t UnloadedKept() const { return retired_.size(); }

    // Dialogs.
    virtual void MessageBox(const std::string &text, const std::string &title = "",
                            MsgIcon icon = MsgIcon::None) = 0;
    virtual std::optional<std::string> InputBox(const std::string &prompt,
                                                const std::string &title = "",
                                                const std::string &defaultAnswer = "") = 0;
    // filter as the system writes it: "Description|pattern"
    virtual std::optional<std::string> OpenFileName(const std::string &title,
                                                    const std::string &filter,
                                                    const std::string &defaultExt) = 0;
    virtual std::optional<std::string> SaveFileName(const std::string &title,
                                                    const std::string &filter,
                                                    const std::string &defaultExt) = 0;

    // Platform services.
    virtual void Beep() = 0;
    virtual std::optional<std::string>
    GetSetting(const std::string &app, const std::string &section, const std::string &key) = 0;
    virtual void SaveSetting(const std::string &app, const std::string &section,
                             const std::string &key, const std::string &value) = 0;
    virtual double MonotonicSeconds() = 0;
    virtual bool StartProgram(const std::string &path) = 0;
    virtual void ProcessEvents() {}
    // A pause in which the user watches a handler's progress: the screen shows the state reached,
    // then the handler goes on after about that long. No other handler runs meanwhile. A desk
    // without a screen does not wait.
    virtual void Animate(double seconds) { (void)seconds; }

protected:
    // Hooks for a real screen: a form was created, changed visibility or state, or went away.
    virtual void OnCreated(Form &) {}
    virtual void OnChanged(Form &) {}
    // A window was asked to show itself: one already visible comes to the front too.
    virtual void OnShown(Form &) {}
    virtual void OnModal(Form &, Form *) {}
    virtual void OnUnloading(Form &) {}

private:
    void Leave();

    Machine &machine_;
    std::map<std::string, FormFactory> factories_;
    std::map<std::string, std::unique_ptr<Form>> forms_;
    std::vector<std::string> loadOrder_;         // names of the loaded forms, oldest first
    std::vector<std::unique_ptr<Form>> retired_; // unloaded, waiting for the busy scope to end
    int busy_ = 0;
};

} // namespace corvexa
