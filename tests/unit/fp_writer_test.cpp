// The floating-point writer's "ASSEMBLE" refreshes the diagram window, creating it hidden (a hidden
// window is not repainted), and leaves the five-stage window alone.
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

} // namespace
} // namespace corvexa::writer_test
