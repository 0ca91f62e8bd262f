#include "ui/form.h"

#include <algorithm>

namespace corvexa {

std::string ControlKey(const std::string &name, int index) {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

Control &ControlArray::operator[](int i) const {
    const int k = i - lower_;
    if (k < 0 || k >= static_cast<int>(elements_.size()) ||
        elements_[static_cast<size_t>(k)] == nullptr) {
        throw std::out_of_range("control array index out of bounds: " + std::to_string(i));
    }
    return *elements_[static_cast<size_t>(k)];
}

void ControlArray::Bind(std::vector<Control *> elements, int lower) {
    elements_ = std::move(elements);
    lower_ = lower;
}

Form::Form(Desk &desk, std::string name, const FormLayout &layout)
    : caption(layout.caption), width(layout.width), height(layout.height),
      backColor(layout.backColor), foreColor(layout.foreColor), font(layout.font), desk_(desk),
      name_(std::move(name)) {
    for (const Control &c : layout.controls) {
        controls_.push_back(c);
        Control &added = controls_.back();
        added.owner = this;
        byKey_[ControlKey(added.name, added.index)] = controls_.size() - 1;
    }
}

Form::~Form() = default;

Control *Form::Find(const std::string &name, int index) {
    auto it = byKey_.find(ControlKey(name, index));
    return it == byKey_.end() ? nullptr : &controls_[it->second];
}

Control &Form::C(const std::string &name, int index) {
    Control *c = Find(name, index);
    if (c == nullptr) {
        throw std::out_of_range(name_ + " has no control " + ControlKey(name, index));
    }
    return *c;
}

ControlArray Form::Array(const std::string &name) {
    int lo = -1;
    int hi = -1;
    for (const Control &c : controls_) {
        if (c.name == name && c.index >= 0) {
            lo = lo < 0 ? c.index : std::min(lo, c.index);
            hi = std::max(hi, c.index);
        }
    }
    std::vector<Control *> elements;
    if (lo >= 0) {
        for (int i = lo; i <= hi; ++i) {
            elements.push_back(Find(name, i));
        }
    }
    ControlArray a;
    a.Bind(std::move(elements), lo < 0 ? 0 : lo);
    return a;
}

void Form::On(const std::string &control, std::function<void(int)> handler) {
    handlers_[control] = std::move(handler);
}

void Form::On(const std::string &control, std::function<void()> handler) {
    handlers_[control] = [h = std::move(handler)](int) { h(); };
}

void Form::Click(const std::string &control, int index) {
    const Desk::Busy busy(desk_);
    auto it = handlers_.find(control);
    if (it != handlers_.end()) {
        // A copy: the handler may unload this very window.
        auto handler = it->second;
        handler(index);
    }
}

std::optional<std::string> Form::StateValue(const std::string &, int) const {
    return std::nullopt;
}

} // namespace corvexa
