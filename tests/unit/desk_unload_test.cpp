// Unloaded windows are freed once nothing runs on them any more, also when a handler unloads the
// window it runs on. Run under the sanitizers, a window freed too early is a use after free.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shell/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa {
namespace {

class Probe : public Form {
public:
    using Action = std::function<void(Probe &)>;
    Probe(Desk &desk, const std::string &name, std::shared_ptr<int> freed, Action onPaint,
          Action onClick)
        : Form(desk, name, Empty()), freed_(std::move(freed)), onPaint_(std::move(onPaint)) {
        On("Go", [this, onClick] {
            onClick(*this);
            // Still this window's code, after whatever the action did to the window.
            caption = "done";
            *freedWhenDone = *freed_;
        });
    }
    ~Probe() override { ++*freed_; }
    void Form_Paint() override {
        if (onPaint_) {
            onPaint_(*this);
        }
    }
    std::shared_ptr<int> freedWhenDone = std::make_shared<int>(-1);

private:
    static const FormLayout &Empty() {
        static const FormLayout layout = [] {
            FormLayout l;
            l.caption = "probe";
            return l;
        }();
        return layout;
    }
    std::shared_ptr<int> freed_;
    Action onPaint_;
};

struct ProbeDesk {
    Machine machine;
    HeadlessDesk desk{machine};
    std::shared_ptr<int> freedA = std::make_shared<int>(0);
    std::shared_ptr<int> freedB = std::make_shared<int>(0);

    ProbeDesk(Probe::Action clickA, Probe::Action paintB) {
        desk.RegisterForm("A", [this, clickA](Desk &d) {
            return std::make_unique<Probe>(d, "A", freedA, nullptr, clickA);
        });
        desk.RegisterForm("B", [this, paintB](Desk &d) {
            return std::make_unique<Probe>(d, "B", freedB, paintB, [](Probe &) {});
        });
    }
};

TEST(DeskUnload, OpenCloseCyclesKeepNoWindowAndFreeEachOne) {
    ProbeDesk p([](Probe &) {}, nullptr);
    for (int cycle = 1; cycle <= 200; ++cycle) {
        p.desk.Show("A");
        p.desk.Unload("A");
        ASSERT_EQ(p.desk.UnloadedKept(), 0U);
        ASSERT_EQ(*p.freedA, cycle);
    }
    EXPECT_FALSE(p.desk.Loaded("A"));

    // The real five-stage window, the largest one, goes the same way.
    Machine machine;
    HeadlessDesk desk(machine);
    RegisterAllForms(desk);
    for (int cycle = 0; cycle < 3; ++cycle) {
        desk.Show("frmMIPSFiveStageInt");
        desk.Get("frmMIPSFiveStageInt").Click("Clocking");
        desk.Unload("frmMIPSFiveStageInt");
        EXPECT_EQ(desk.UnloadedKept(), 0U);
    }
}

TEST(DeskUnload, AWindowUnloadedUnderItsOwnHandlerGoesWhenTheHandlerReturns) {
    // Directly, and from inside a window operation the handler started (B's repaint unloads A).
    ProbeDesk direct([](Probe &a) { a.desk().Unload("A"); }, nullptr);
    ProbeDesk nested([](Probe &a) { a.desk().Show("B"); }, [](Probe &b) { b.desk().Unload("A"); });
    for (ProbeDesk *p : {&direct, &nested}) {
        auto &a = static_cast<Probe &>(p->desk.Get("A"));
        const std::shared_ptr<int> freedWhenDone = a.freedWhenDone;
        a.Click("Go");
        EXPECT_EQ(*freedWhenDone, 0); // A ran on to its end, then went
        EXPECT_EQ(*p->freedA, 1);
        EXPECT_FALSE(p->desk.Loaded("A"));
        EXPECT_EQ(p->desk.UnloadedKept(), 0U);
    }
    // Opened again, it is a new window.
    EXPECT_EQ(direct.desk.Get("A").caption, "probe");
}

} // namespace
} // namespace corvexa
