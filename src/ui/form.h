#pragma once
// Base of every headless window: its controls (made from a layout table), its window properties
// and a dispatch of control events to the window's handlers.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/desk.h"
#include "ui/layout.h"

namespace corvexa {

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// The elements of one control array, indexed like the original (bounds checked).
class ControlArray {
public:
    Control &operator[](int i) const;
    int size() const { return static_cast<int>(elements_.size()); }
    int lower() const { return lower_; }
    void Bind(std::vector<Control *> elements, int lower);
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    std::vector<Control *> elements_;
    int lower_ = 0;
    std::string name_;
};

class Form {
public:
    Form(Desk &desk, std::string name, const FormLayout &layout);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const std::string &name() const { return name_; }
    Desk &desk() { return desk_; }
    Machine &machine() { return desk_.machine(); }

    // Window properties.
    std::string caption;
    int left = 0, top = 0, width = 0, height = 0;
    WindowState windowState = WindowState::Normal;
    bool visible = false;
    bool loaded = false;
    int32_t backColor = 0x8000000F;
    int32_t foreColor = 0;
    Font font;
    bool resizable = true;
    // A window without a frame or caption bar (a splash card).
    bool frameless = false;

    virtual void Form_Load() {}
    virtual void Form_Paint() {}
    virtual void Form_Unload() {}
    // The user closed the window with its close box; returns false to keep it open.
    virtual bool QueryClose() { return true; }

    // One entry for every control event: clicks on buttons, labels, pictures, menu items and list
    // items, ticks of timers. Controls without a handler ignore it.
    void Click(const std::string &control, int index = -1);
    bool HasHandler(const std::string &control) const { return handlers_.count(control) != 0; }

    // Window state by name for checks: "ClockCount", "EXE.AluOUT", "InstrWord" with index 3.
    virtual std::optional<std::string> StateValue(const std::string &name, int index) const;

    Control &C(const std::string &name, int index = -1);
    Control *Find(const std::string &name, int index = -1);
    const std::deque<Control> &controls() const { return controls_; }
    std::deque<Control> &controls() { return controls_; }
    ControlArray Array(const std::string &name);

protected:
    void On(const std::string &control, std::function<void(int)> handler);
    void On(const std::string &control, std::function<void()> handler);

private:
    Desk &desk_;
    std::string name_;
    std::deque<Control> controls_;
    std::map<std::string, size_t> byKey_;
    std::map<std::string, std::function<void(int)>> handlers_;
};

std::string ControlKey(const std::string &name, int index);

} // namespace corvexa
