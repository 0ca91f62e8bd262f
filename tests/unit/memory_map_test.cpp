// The used-memory map: first-load prompts, ordered inserts, stores, and a full map.
#include <gtest/gtest.h>

#include "pipeline/memory_map.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

struct MapDesk {
    Machine m;
    HeadlessDesk desk{m};
    MapDesk() { RegisterAllForms(desk); }

    int32_t Load(int32_t a) { return MemAdjust(desk, a, 0, "LW", 0); }
    int32_t Store(int32_t a, int32_t v) { return MemAdjust(desk, a, v, "SW", 1); }
    std::vector<std::pair<int32_t, int32_t>> Entries() const {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int i = 0; i <= m.MemMapLast; ++i) {
            out.emplace_back(m.MemMapAddress[i], m.MemMapValue[i]);
        }
        return out;
    }
};

using Entries = std::vector<std::pair<int32_t, int32_t>>;

TEST(MemoryMap, LoadsAskOnceStoresInsertInAddressOrder) {
    MapDesk d;
    d.desk.QueueAnswer("5");
    EXPECT_EQ(d.Load(2000), 5);
    auto prompt = d.desk.TakeOldest();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->text, "Please enter Initial Value of Memory Location 2000");
    EXPECT_EQ(prompt->title, "First Load/Store Reference");
    EXPECT_EQ(prompt->defaultAnswer, "");
    EXPECT_EQ(d.Load(2000), 5); // no second prompt
    EXPECT_EQ(d.Store(1000, 9), 9);
    EXPECT_EQ(d.Load(1000), 9);
    EXPECT_EQ(d.Entries(), (Entries{{0, 0}, {1000, 9}, {2000, 5}}));
    // Address 0 is always known; a store to it changes entry 0.
    EXPECT_EQ(d.Load(0), 0);
    EXPECT_EQ(d.Store(0, 7), 7);
    EXPECT_EQ(d.Entries(), (Entries{{0, 7}, {1000, 9}, {2000, 5}}));
    // A negative address goes in front of entry 0.
    d.desk.QueueAnswer("-3");
    EXPECT_EQ(d.Load(-4), -3);
    EXPECT_EQ(d.Entries(), (Entries{{-4, -3}, {0, 7}, {1000, 9}, {2000, 5}}));
    d.desk.Log().clear();
    // Neither a load nor a store: 999, nothing changes, wherever the address lies.
    EXPECT_EQ(MemAdjust(d.desk, 5000, 1, "SW", 0), kNoMemoryData);
    EXPECT_EQ(MemAdjust(d.desk, 1000, 1, "ADD", 0), kNoMemoryData);
    EXPECT_EQ(d.m.MemMapLast, 3);
    // Only the exact mnemonic "LW" loads, and the load test comes first.
    EXPECT_EQ(MemAdjust(d.desk, 1000, 1, "LW", 1), 9);
    EXPECT_TRUE(d.desk.Log().empty());
}

TEST(MemoryMap, WrongAnswersAreRefusedAndTheWindowsHidden) {
    MapDesk d;
    d.desk.Show("MenuMemory");
    d.desk.Show("MenuRegisters");
    for (const char *answer : {"ten", ""}) {
        d.desk.QueueAnswer(answer);
    }
    d.desk.QueueAnswer(std::nullopt);
    d.desk.QueueAnswer("13.5");
    EXPECT_EQ(d.Load(44), 14);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d.desk.TakeOldest()->kind, DialogRecord::Kind::Input);
        auto msg = d.desk.TakeOldest();
        EXPECT_EQ(msg->text, "Enter a Proper Integer Value in decimal");
        EXPECT_EQ(msg->title, "Wrong Entry");
        EXPECT_EQ(msg->icon, MsgIcon::Exclamation);
    }
    EXPECT_FALSE(d.desk.Get("MenuMemory").visible);
    EXPECT_FALSE(d.desk.Get("MenuRegisters").visible);
    d.desk.QueueAnswer("12.5");
    EXPECT_EQ(d.Load(48), 12);
}

TEST(MemoryMap, FullMapReportsANewAddressAndChangesNothing) {
    MapDesk d;
    for (int i = 0; i <= kMemMapLastMax; ++i) {
        d.m.MemMapAddress[i] = 8 * i;
        d.m.MemMapValue[i] = i;
    }
    d.m.MemMapLast = kMemMapLastMax;
    const Entries before = d.Entries();
    // Known addresses still work.
    EXPECT_EQ(d.Load(800), 100);
    EXPECT_EQ(d.Store(8, -1), -1);
    // New addresses, above, inside and below the map: a message each, nothing recorded.
    EXPECT_EQ(d.Load(4), 0);
    EXPECT_EQ(d.Store(5000, 3), 3);
    EXPECT_EQ(d.Load(-8), 0);
    EXPECT_EQ(d.desk.Log().size(), 3u);
    for (const DialogRecord &r : d.desk.Log()) {
        EXPECT_EQ(r.kind, DialogRecord::Kind::Message);
        EXPECT_EQ(r.icon, MsgIcon::Exclamation);
    }
    Entries after = before;
    after[1].second = -1;
    EXPECT_EQ(d.Entries(), after);
    EXPECT_EQ(d.m.MemMapLast, kMemMapLastMax);
}

TEST(MemoryMap, ALastIndexOutsideTheTablesIsKeptInside) {
    MapDesk d;
    d.m.MemMapLast = 500;
    EXPECT_EQ(d.Store(4, 1), 1); // full: reported, not written past the tables
    d.m.MemMapLast = -3;
    EXPECT_EQ(d.Store(4, 2), 2); // taken as an empty map
    EXPECT_EQ(d.m.MemMapLast, 1);
    EXPECT_EQ(d.m.MemMapAddress[1], 4);
}

} // namespace
} // namespace corvexa
