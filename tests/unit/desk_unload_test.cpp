// Unloaded windows are freed once nothing runs on them any more, also when a handler unloads the
// window it runs on. Under the sanitizers, a window freed too early is a use after free.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/headless_desk.h"

namespace corvexa {
namespace {

// Window "A" runs `go` on a click; window "B" unloads A when it repaints.
class Probe : public Form {
public:
    Probe(Desk &desk, const std::string &name, std::shared_ptr<int> freed,
          const std::function<void(Probe &)> &go)
        : Form(desk, name, Empty()), freed_(std::move(freed)) {
        On("Go", [this, go] {
            go(*this);
            caption = "ran on"; // still this window's code, after the unload
            *freedWhenDone_ = *freed_;
        });
    }
    ~Probe() override { ++*freed_; }
    void Form_Paint() override {
        if (name() == "B") {
            desk().Unload("A");
        }
    }
    std::shared_ptr<int> freedWhenDone_ = std::make_shared<int>(-1);

private:
    static const FormLayout &Empty() {
        static const FormLayout layout;
        return layout;
    }
    std::shared_ptr<int> freed_;
};

void RegisterProbes(HeadlessDesk &desk, const std::shared_ptr<int> &freed,
                    const std::function<void(Probe &)> &go) {
    for (const char *name : {"A", "B"}) {
        desk.RegisterForm(name,
                          [=](Desk &d) { return std::make_unique<Probe>(d, name, freed, go); });
    }
}

TEST(DeskUnload, ClosedWindowsAreFreedAtOnceAndNoneAreKept) {
    Machine machine;
    HeadlessDesk desk(machine);
    auto freed = std::make_shared<int>(0);
    RegisterProbes(desk, freed, [](Probe &) {});
    for (int cycle = 1; cycle <= 200; ++cycle) {
        desk.Show("A");
        desk.Unload("A");
        ASSERT_EQ(desk.UnloadedKept(), 0U);
        ASSERT_EQ(*freed, cycle);
    }
}

TEST(DeskUnload, AWindowUnloadedUnderItsOwnHandlerGoesWhenTheHandlerReturns) {
    // Directly, and from inside a window operation the handler started.
    const std::function<void(Probe &)> ways[] = {[](Probe &a) { a.desk().Unload("A"); },
                                                 [](Probe &a) { a.desk().Show("B"); }};
    for (const auto &go : ways) {
        Machine machine;
        HeadlessDesk desk(machine);
        auto freed = std::make_shared<int>(0);
        RegisterProbes(desk, freed, go);
        auto &a = static_cast<Probe &>(desk.Get("A"));
        const std::shared_ptr<int> freedWhenDone = a.freedWhenDone_;
        a.Click("Go");
        EXPECT_EQ(*freedWhenDone, 0);
        EXPECT_EQ(*freed, 1);
        EXPECT_FALSE(desk.Loaded("A"));
        EXPECT_EQ(desk.UnloadedKept(), 0U);
    }
}

} // namespace
} // namespace corvexa
