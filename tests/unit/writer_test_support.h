#pragma once
// A headless desk with the integer writer and a stand-in pipeline window that counts its
// repaints, for the writer's tests.

#include <gtest/gtest.h>

#include <string>

#include "layouts/writer_layout.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"
#include "writers/frmWriteIntProg.h"

namespace corvexa::writer_test {

class PipelineStandIn : public Form {
public:
    explicit PipelineStandIn(Desk &desk) : Form(desk, "frmMIPSFiveStageInt", EmptyLayout()) {}
    void Form_Paint() override {
        ++paints;
        sawProgramWritten = machine().ProgramWritten;
    }
    int paints = 0;
    bool sawProgramWritten = false;

private:
    static const FormLayout &EmptyLayout() {
        static const FormLayout layout;
        return layout;
    }
};

class WriterTest : public ::testing::Test {
protected:
    WriterTest() {
        RegisterWriterForms(desk);
        desk.RegisterForm("frmMIPSFiveStageInt",
                          [](Desk &d) { return std::make_unique<PipelineStandIn>(d); });
    }

    // Shows the writer, answering its start-address prompt.
    frmWriteIntProg &Open(const std::string &start = "2000") {
        desk.QueueAnswer(start);
        desk.Show("frmWriteIntProg");
        ExpectPrompt("Please enter Sarting Value of Program Counter", "Start Value for PC", "2000");
        return Writer();
    }

    frmWriteIntProg &Writer() {
        return static_cast<frmWriteIntProg &>(desk.Get("frmWriteIntProg"));
    }

    // Chooses a mnemonic in a row as the user does, answering its prompt.
    void Choose(int row, const std::string &mnemonic, const std::string &answer = "") {
        if (!answer.empty()) {
            desk.QueueAnswer(answer);
        }
        Control &list = Writer().C("Instruction1", row);
        for (size_t k = 0; k < list.items.size(); ++k) {
            if (list.items[k] == mnemonic) {
                list.SetListIndex(static_cast<int>(k));
                return;
            }
        }
        FAIL() << "no item " << mnemonic;
    }

    void ExpectPrompt(const std::string &text, const std::string &title,
                      const std::string &defaultAnswer) {
        auto r = desk.TakeOldest();
        ASSERT_TRUE(r.has_value()) << "no dialog, expected prompt " << text;
        EXPECT_EQ(r->kind, DialogRecord::Kind::Input);
        EXPECT_EQ(r->text, text);
        EXPECT_EQ(r->title, title);
        EXPECT_EQ(r->defaultAnswer, defaultAnswer);
    }

    void ExpectMessage(const std::string &text, const std::string &title,
                       MsgIcon icon = MsgIcon::Exclamation) {
        auto r = desk.TakeOldest();
        ASSERT_TRUE(r.has_value()) << "no dialog, expected message " << text;
        EXPECT_EQ(r->kind, DialogRecord::Kind::Message);
        EXPECT_EQ(r->text, text);
        EXPECT_EQ(r->title, title);
        EXPECT_EQ(r->icon, icon);
    }

    // Skips the prompts (answered) of one accepted entry, checking nothing else was shown.
    void SkipPrompts(int n) {
        for (int k = 0; k < n; ++k) {
            auto r = desk.TakeOldest();
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(r->kind, DialogRecord::Kind::Input) << r->text;
        }
    }

    void ExpectNoDialog() {
        auto r = desk.TakeOldest();
        EXPECT_FALSE(r.has_value()) << "unexpected dialog: " << r->text;
    }

    bool Visible(const std::string &control, int row) { return Writer().C(control, row).visible; }
    std::string Text(const std::string &control, int row) {
        return Writer().C(control, row).caption;
    }

    Machine m;
    HeadlessDesk desk{m};
};

} // namespace corvexa::writer_test
