#include "ui/desk.h"

#include <stdexcept>

#include "ui/form.h"

namespace corvexa {

Desk::~Desk() {
    // Forms unload without running handlers: the program is ending.
    forms_.clear();
    retired_.clear();
}

void Desk::Leave() {
    if (--busy_ == 0 && !retired_.empty()) {
        // Moved out first: a window's destructor must not find itself still listed.
        std::vector<std::unique_ptr<Form>> freed = std::move(retired_);
        retired_.clear();
    }
}

void Desk::RegisterForm(const std::string &name, FormFactory factory) {
    factories_[name] = std::move(factory);
}

Form *Desk::Find(const std::string &name) {
    auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.get();
}

bool Desk::Loaded(const std::string &name) const {
    return forms_.count(name) != 0;
}

Form &Desk::Get(const std::string &name) {
    const Busy busy(*this);
    if (Form *f = Find(name)) {
        return *f;
    }
    auto factory = factories_.find(name);
    if (factory == factories_.end()) {
        throw std::invalid_argument("no such form: " + name);
    }
    std::unique_ptr<Form> made = factory->second(*this);
    Form &form = *made;
    forms_[name] = std::move(made);
    loadOrder_.push_back(name);
    form.loaded = true;
    OnCreated(form);
    form.Form_Load();
    OnChanged(form);
    return form;
}

void Desk::Show(const std::string &name) {
    const Busy busy(*this);
    Form &form = Get(name);
    // Shown, or brought to the front when it already stands open: either way it is drawn anew.
    if (!form.visible) {
        form.visible = true;
        OnChanged(form);
    }
    form.Form_Paint();
    OnChanged(form);
    OnShown(form);
}

void Desk::Hide(const std::string &name) {
    Form &form = Get(name);
    form.visible = false;
    OnChanged(form);
}

void Desk::Maximise(const std::string &name) {
    Form &form = Get(name);
    form.windowState = WindowState::Maximised;
    OnChanged(form);
}

// A hidden window is not drawn, so its repaint waits until it is shown.
void Desk::Refresh(const std::string &name) {
    const Busy busy(*this);
    Form &form = Get(name);
    if (form.visible) {
        form.Form_Paint();
    }
    OnChanged(form);
}

void Desk::ShowModal(const std::string &name, const std::string &owner) {
    const Busy busy(*this);
    Form &form = Get(name);
    Form *ownerForm = owner.empty() ? nullptr : Find(owner);
    form.visible = true;
    form.Form_Paint();
    OnChanged(form);
    OnModal(form, ownerForm);
}

void Desk::Unload(const std::string &name) {
    const Busy busy(*this);
    auto it = forms_.find(name);
    if (it == forms_.end()) {
        return;
    }
    Form &form = *it->second;
    form.Form_Unload();
    form.visible = false;
    form.loaded = false;
    OnUnloading(form);
    // A handler of this window may still be running: it goes when the busy scope ends.
    retired_.push_back(std::move(it->second));
    forms_.erase(it);
    std::erase(loadOrder_, name);
}

void Desk::UnloadAll() {
    std::vector<std::string> names;
    for (auto &[name, form] : forms_) {
        names.push_back(name);
    }
    for (const auto &name : names) {
        Unload(name);
    }
}

std::vector<Form *> Desk::LoadedForms() {
    std::vector<Form *> out;
    for (const std::string &name : loadOrder_) {
        if (Form *form = Find(name)) {
            out.push_back(form);
        }
    }
    return out;
}

} // namespace corvexa
