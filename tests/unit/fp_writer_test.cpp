// The floating-point writer's "ASSEMBLE" refreshes the diagram window, creating it hidden (a hidden
// window is not repainted), and leaves the five-stage window alone.
#include <algorithm>

#include "writer_test_support.h"

namespace corvexa::writer_test {
namespace {

class DiagramStandIn : public Form {
public:
    explicit DiagramStandIn(Desk &desk) : Form(desk, "frmMultiCycle", Empty()) {}
    void Form_Load() override { ++loads; }
    void Form_Paint() override { ++paints; }
    int loads = 0;
    int paints = 0;

private:
    static const FormLayout &Empty() {
        static const FormLayout layout;
        return layout;
    }
};

TEST_F(WriterTest, FloatingPointAssembleRefreshesTheDiagramHidden) {
    desk.RegisterForm("frmMultiCycle", [](Desk &d) { return std::make_unique<DiagramStandIn>(d); });
    desk.QueueAnswer("2000");
    desk.Show("frmWriteFPProg");
    Form &writer = desk.Get("frmWriteFPProg");
    writer.Click("cmdEND");
    EXPECT_FALSE(writer.visible);
    ASSERT_TRUE(desk.Loaded("frmMultiCycle"));
    auto &diagram = static_cast<DiagramStandIn &>(desk.Get("frmMultiCycle"));
    EXPECT_FALSE(diagram.visible);
    EXPECT_EQ(diagram.loads, 1);
    EXPECT_EQ(diagram.paints, 0);
    EXPECT_FALSE(desk.Loaded("frmMIPSFiveStageInt"));
    EXPECT_TRUE(m.ProgramWritten);

    // A second hand-over finds it made.
    desk.Show("frmWriteFPProg");
    writer.Click("cmdEND");
    EXPECT_EQ(diagram.loads, 1);
    EXPECT_EQ(diagram.paints, 0);
}

// The comma, "(" and ")" boxes of a row read between its lists: none lies under a list it shows,
// whichever family the row's mnemonic uses and as it changes.
TEST_F(WriterTest, FloatingPointRowsShowTheirSeparatorsBetweenTheLists) {
    desk.QueueAnswer("2000");
    desk.Show("frmWriteFPProg");
    Form &w = desk.Get("frmWriteFPProg");
    const auto choose = [&](int row, const std::string &mnemonic) {
        desk.QueueAnswer("-4");
        Control &list = w.C("Instruction1", row);
        const auto at = std::find(list.items.begin(), list.items.end(), mnemonic);
        ASSERT_NE(at, list.items.end());
        list.SetListIndex(static_cast<int>(at - list.items.begin()));
    };
    const auto expectClear = [&](int row, const std::string &mnemonic) {
        for (const char *sep : {"lblFirstSpace", "lbl2ndSpace", "lbl3rdSpace", "lblOffset"}) {
            const Control &s = w.C(sep, row);
            for (const Control &c : w.controls()) {
                const bool list = c.name.rfind("cmb", 0) == 0 && c.index == row;
                if (s.visible && list && c.visible) {
                    EXPECT_TRUE(s.left >= c.left + c.width || s.left + s.width <= c.left)
                        << mnemonic << ": " << sep << " under " << c.name;
                }
            }
        }
    };
    for (const char *mnemonic : {"ADD.S", "L.S", "SW", "ADD", "S.S", "LW"}) {
        choose(3, mnemonic);
        expectClear(3, mnemonic);
    }
}

} // namespace
} // namespace corvexa::writer_test
