#pragma once
// The register window: R0..R31 of the shared register file, which of them have a value in the
// current run, and ways to give them values.

#include "ui/form.h"

namespace corvexa {

class MenuRegisters : public Form {
public:
    explicit MenuRegisters(Desk &desk);

    void Form_Load() override;
    void Form_Paint() override;

    void cmdInitialize_Click();
    void cmdRESET_Click();
    void lblRegisterNo_Click(int index);
    void MenuHexValues_Click();
    void Exit_Click();
    void Hide_Click();

private:
    void ShowValues(bool hex);
    void ShowMarks();

    ControlArray OptRegUsed, lblRegisterNo, lblRegisteValue;
};

} // namespace corvexa
