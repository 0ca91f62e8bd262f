#include "fivestage/MenuRegisters.h"

#include "layouts/menu_registers_layout.h"
#include "machine/numstr.h"
#include "ui/number_prompt.h"

namespace corvexa {

MenuRegisters::MenuRegisters(Desk &desk) : Form(desk, "MenuRegisters", MenuRegistersLayout()) {
    left = kMenuRegistersLeft;
    top = kMenuRegistersTop;
    OptRegUsed = Array("OptRegUsed");
    lblRegisterNo = Array("lblRegisterNo");
    lblRegisteValue = Array("lblRegisteValue");

    On("cmdInitialize", [this] { cmdInitialize_Click(); });
    On("cmdRESET", [this] { cmdRESET_Click(); });
    On("lblRegisterNo", [this](int index) { lblRegisterNo_Click(index); });
    On("MenuHexValues", [this] { MenuHexValues_Click(); });
    On("Exit", [this] { Exit_Click(); });
    On("Hide", [this] { Hide_Click(); });
}

void MenuRegisters::ShowMarks() {
    const Machine &m = machine();
    for (int n = 0; n < kSlots; ++n) {
        OptRegUsed[n].checked = m.RegisterHasValue[static_cast<size_t>(n)];
    }
}

void MenuRegisters::ShowValues(bool hex) {
    const Machine &m = machine();
    for (int n = 0; n < kSlots; ++n) {
        const int32_t v = m.RegisterFile[static_cast<size_t>(n)];
        lblRegisteValue[n].caption = hex ? hex8(v) : Num(v);
    }
}

void MenuRegisters::Form_Load() {
    C("MenuHexValues").checked = false;
    for (int n = 0; n < kSlots; ++n) {
        OptRegUsed[n].enabled = false;
    }
    ShowMarks();
    ShowValues(false);
}

void MenuRegisters::Form_Paint() {
    C("MenuHexValues").checked = false;
    ShowMarks();
    ShowValues(false);
}

void MenuRegisters::cmdInitialize_Click() {
    Machine &m = machine();
    m.RegistersInitialised = true;
    for (size_t n = 1; n < kSlots; ++n) {
        m.RegisterFile[n] = PresetRegisterValues[n];
    }
    Form_Paint();
}

void MenuRegisters::cmdRESET_Click() {
    Machine &m = machine();
    m.RegistersInitialised = false;
    m.RegisterHasValue.fill(false);
    m.RegisterFile.fill(0);
    Form_Paint();
}

void MenuRegisters::lblRegisterNo_Click(int index) {
    // R0 always holds 0; other indices do not name a register.
    if (index < 1 || index >= kSlots) {
        return;
    }
    NumberPrompt p{"Enter Value to be assigned to register " + Num(index), "Enter Register Value",
                   "0"};
    p.cancelGivesUp = true; // Cancel keeps the register as it was.
    const std::optional<int32_t> value = AskWholeNumber(desk(), p);
    if (!value) {
        return;
    }
    machine().RegisterFile[static_cast<size_t>(index)] = *value;
    Form_Paint();
}

void MenuRegisters::MenuHexValues_Click() {
    Control &item = C("MenuHexValues");
    item.checked = !item.checked;
    ShowValues(item.checked);
}

void MenuRegisters::Exit_Click() {
    desk().Hide(name());
}

void MenuRegisters::Hide_Click() {
    desk().Hide(name());
}

} // namespace corvexa
