// The used-memory window: rows by column, the width rule, the hex view, never a row outside the
// map.
#include <gtest/gtest.h>

#include "fivestage/MenuMemory.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

class MemoryWindow : public ::testing::Test {
protected:
    MemoryWindow() { RegisterFiveStageForms(desk); }

    void Fill(int last) {
        m.MemMapLast = static_cast<int16_t>(last);
        for (int i = 0; i <= last && i < kMemMapSize; ++i) {
            m.MemMapAddress[static_cast<size_t>(i)] = 1000 + 4 * i;
            m.MemMapValue[static_cast<size_t>(i)] = -i;
        }
    }
    Form &Open() {
        desk.Show("MenuMemory");
        Form &w = desk.Get("MenuMemory");
        desk.Refresh("MenuMemory");
        return w;
    }
    int VisibleRows(Form &w) {
        int n = 0;
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(w.C("Label1", i).visible, w.C("lblMemData", i).visible) << i;
            n += w.C("Label1", i).visible ? 1 : 0;
        }
        return n;
    }

    Machine m;
    HeadlessDesk desk{m};
};

TEST_F(MemoryWindow, FreshStartShowsOneRowOfZeros) {
    Form &w = Open();
    EXPECT_EQ(w.width, 2500);
    EXPECT_EQ(VisibleRows(w), 1);
    EXPECT_EQ(w.C("Label1", 0).caption, "0");
    EXPECT_EQ(w.C("lblMemData", 0).caption, "0");
    EXPECT_EQ(w.C("Label3", 100).caption, "Address");
    EXPECT_EQ(w.C("lblMemData", 100).caption, "Value");
    EXPECT_TRUE(w.C("lblMemData", 100).visible);
}

TEST_F(MemoryWindow, WidthFollowsTheColumnOfTheLastEntry) {
    const std::pair<int, int> cases[] = {{0, 2500},  {24, 2500}, {25, 4755}, {49, 4755}, {50, 7110},
                                         {74, 7110}, {75, 9540}, {99, 9540}, {100, 9540}};
    Form &w = Open();
    for (auto [last, width] : cases) {
        Fill(last);
        desk.Refresh("MenuMemory");
        EXPECT_EQ(w.width, width) << "MemMapLast " << last;
        EXPECT_EQ(VisibleRows(w), std::min(last + 1, 100)) << "MemMapLast " << last;
        EXPECT_EQ(w.height, 8400);
    }
}

TEST_F(MemoryWindow, EachColumnStartsAtTheTopWithTheNext25Entries) {
    Fill(25);
    Form &w = Open();
    const Control &first = w.C("Label1", 0);
    const Control &second = w.C("Label1", 25);
    EXPECT_EQ(second.caption, "1100");
    EXPECT_EQ(w.C("lblMemData", 25).caption, "-25");
    EXPECT_EQ(second.top, first.top);
    EXPECT_GT(second.left, w.C("lblMemData", 24).left);
    // Rows of one column never overlap and stay above the note.
    for (int c = 0; c < 4; ++c) {
        for (int r = 1; r < 25; ++r) {
            const Control &above = w.C("Label1", c * 25 + r - 1);
            const Control &below = w.C("Label1", c * 25 + r);
            EXPECT_GE(below.top, above.top + above.height) << c << "," << r;
        }
        EXPECT_LT(w.C("Label1", c * 25 + 24).top + 195, w.C("Info", -1).top);
    }
}

TEST_F(MemoryWindow, HexViewSwitchesCaptionsOnlyAndEndsAtTheNextRepaint) {
    m.MemMapLast = 1;
    m.MemMapAddress[0] = 0;
    m.MemMapValue[0] = 0;
    m.MemMapAddress[1] = 2000;
    m.MemMapValue[1] = -1;
    Form &w = Open();

    w.Click("MenuHexValues");
    EXPECT_TRUE(w.C("MenuHexValues").checked);
    EXPECT_EQ(w.C("Label1", 1).caption, "000007D0");
    EXPECT_EQ(w.C("lblMemData", 1).caption, "FFFFFFFF");
    EXPECT_EQ(w.C("Label1", 0).caption, "00000000");

    // The window is not told when the map grows: the switch writes captions, not visibility.
    m.MemMapLast = 2;
    m.MemMapAddress[2] = 2004;
    w.Click("MenuHexValues");
    EXPECT_FALSE(w.C("MenuHexValues").checked);
    EXPECT_EQ(w.C("Label1", 1).caption, "2000");
    EXPECT_EQ(w.C("lblMemData", 1).caption, "-1");
    EXPECT_FALSE(w.C("Label1", 2).visible);
    EXPECT_EQ(w.width, 2500);

    w.Click("MenuHexValues");
    desk.Refresh("MenuMemory");
    EXPECT_FALSE(w.C("MenuHexValues").checked);
    EXPECT_EQ(w.C("Label1", 1).caption, "2000");
    EXPECT_TRUE(w.C("Label1", 2).visible);
    w.Click("MenuHexValues");
    EXPECT_EQ(w.C("Label1", 2).caption, "000007D4");
}

TEST_F(MemoryWindow, EntriesAboveTheLastAreNeverShown) {
    Fill(30);
    Form &w = Open();
    m.MemMapLast = 2; // the map was emptied; old pairs stay in the tables
    desk.Refresh("MenuMemory");
    EXPECT_EQ(VisibleRows(w), 3);
    EXPECT_EQ(w.width, 2500);
    EXPECT_FALSE(w.C("lblMemExtraAddress").visible);
}

TEST_F(MemoryWindow, TheHundredAndFirstEntryHasARowOfItsOwn) {
    Fill(100);
    Form &w = Open();
    EXPECT_EQ(VisibleRows(w), 100);
    Control &address = w.C("lblMemExtraAddress");
    Control &value = w.C("lblMemExtraValue");
    EXPECT_TRUE(address.visible);
    EXPECT_TRUE(value.visible);
    EXPECT_EQ(address.caption, "1400");
    EXPECT_EQ(value.caption, "-100");
    EXPECT_EQ(address.left, w.C("Label1", 99).left);
    EXPECT_GE(address.top, w.C("Label1", 99).top + 195);
    EXPECT_LE(address.top + address.height, w.height);
    w.Click("MenuHexValues");
    EXPECT_EQ(value.caption, "FFFFFF9C");
    EXPECT_EQ(w.C("lblMemData", 100).caption, "Value"); // the heading is not a row

    Fill(99);
    desk.Refresh("MenuMemory");
    EXPECT_FALSE(address.visible);
}

TEST_F(MemoryWindow, AnOutOfRangeLastEntryReadsNothingOutsideTheMap) {
    Form &w = Open();
    m.MemMapLast = 500;
    desk.Refresh("MenuMemory");
    EXPECT_EQ(VisibleRows(w), 100);
    EXPECT_TRUE(w.C("lblMemExtraValue").visible);
    m.MemMapLast = -3;
    desk.Refresh("MenuMemory");
    EXPECT_EQ(VisibleRows(w), 0);
    EXPECT_EQ(w.width, 2500);
}

TEST_F(MemoryWindow, ExitHidesAndKeepsTheWindow) {
    Form &w = Open();
    w.Click("Exit");
    EXPECT_FALSE(w.visible);
    EXPECT_TRUE(desk.Loaded("MenuMemory"));
}

} // namespace
} // namespace corvexa
