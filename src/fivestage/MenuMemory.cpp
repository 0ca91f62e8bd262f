#include "fivestage/MenuMemory.h"

#include <algorithm>

#include "layouts/menu_memory_layout.h"
#include "machine/numstr.h"

namespace corvexa {

MenuMemory::MenuMemory(Desk &desk) : Form(desk, "MenuMemory", MenuMemoryLayout()) {
    left = kMenuMemoryLeft;
    top = kMenuMemoryTop;
    Label1 = Array("Label1");
    lblMemData = Array("lblMemData");

    On("MenuHexValues", [this] { MenuHexValues_Click(); });
    On("Exit", [this] { Exit_Click(); });
}

int MenuMemory::WidthFor(int memMapLast) {
    if (memMapLast < 25) {
        return 2500;
    }
    if (memMapLast < 50) {
        return 4755;
    }
    if (memMapLast < 75) {
        return 7110;
    }
    return 9540;
}

// MemMapLast comes from the map's own bookkeeping; it is clamped so that no row outside the
// tables is ever read.
int MenuMemory::LastShown() {
    return std::clamp<int>(machine().MemMapLast, -1, kMemMapSize - 1);
}

void MenuMemory::WriteRows(bool hex) {
    const Machine &m = machine();
    const int last = LastShown();
    auto text = [hex](int32_t v) { return hex ? hex8(v) : Num(v); };
    for (int i = 0; i <= std::min(last, kMemLabelRows - 1); ++i) {
        Label1[i].caption = text(m.MemMapAddress[static_cast<size_t>(i)]);
        lblMemData[i].caption = text(m.MemMapValue[static_cast<size_t>(i)]);
    }
    if (last == kMemLabelRows) {
        C("lblMemExtraAddress").caption = text(m.MemMapAddress[kMemLabelRows]);
        C("lblMemExtraValue").caption = text(m.MemMapValue[kMemLabelRows]);
    }
}

void MenuMemory::Listing() {
    const int last = LastShown();
    width = WidthFor(last);
    for (int i = 0; i < kMemLabelRows; ++i) {
        Label1[i].visible = false;
        lblMemData[i].visible = false;
    }
    C("lblMemExtraAddress").visible = false;
    C("lblMemExtraValue").visible = false;
    for (int i = 0; i <= std::min(last, kMemLabelRows - 1); ++i) {
        Label1[i].visible = true;
        lblMemData[i].visible = true;
    }
    if (last == kMemLabelRows) {
        C("lblMemExtraAddress").visible = true;
        C("lblMemExtraValue").visible = true;
    }
    WriteRows(false);
}

void MenuMemory::Form_Load() {
    C("MenuHexValues").checked = false;
    Listing();
}

void MenuMemory::Form_Paint() {
    C("MenuHexValues").checked = false;
    Listing();
}

void MenuMemory::MenuHexValues_Click() {
    Control &item = C("MenuHexValues");
    item.checked = !item.checked;
    WriteRows(item.checked);
}

void MenuMemory::Exit_Click() {
    desk().Hide(name());
}

} // namespace corvexa
