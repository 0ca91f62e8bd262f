#pragma once
// The used-memory window: every entry of the used-memory map in use, address and value, in up to
// four columns of 25 rows.

#include "ui/form.h"

namespace corvexa {

class MenuMemory : public Form {
public:
    explicit MenuMemory(Desk &desk);

    void Form_Load() override;
    void Form_Paint() override;

    void MenuHexValues_Click();
    void Exit_Click();

    // The window width for the map's last entry in use.
    static int WidthFor(int memMapLast);

private:
    void Listing();
    void WriteRows(bool hex);
    int LastShown();

    ControlArray Label1, lblMemData;
};

} // namespace corvexa
