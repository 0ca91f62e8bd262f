#pragma once
// A five-stage window on a headless desk, with a program written slot by slot as the writer leaves
// it, options set by their menu check marks, and memory prompts answered by a rule if one is given.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fivestage/frmMIPSFiveStageInt.h"
#include "machine/assemble.h"
#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa::clocktest {

inline constexpr const char *kMemoryPrompt = "Please enter Initial Value of Memory Location ";

// Answers the first-load prompt of a memory location from a rule of its address.
class RuleDesk : public HeadlessDesk {
public:
    using HeadlessDesk::HeadlessDesk;
    std::function<int32_t(int32_t)> memoryRule;
    int memoryPrompts = 0;
    std::function<void(const std::string &)> onMessage; // runs before the message is logged

    void MessageBox(const std::string &text, const std::string &title, MsgIcon icon) override {
        if (onMessage) {
            onMessage(text);
        }
        HeadlessDesk::MessageBox(text, title, icon);
    }

    std::optional<std::string> InputBox(const std::string &prompt, const std::string &title,
                                        const std::string &defaultAnswer) override {
        const std::string head = kMemoryPrompt;
        if (memoryRule && prompt.rfind(head, 0) == 0) {
            ++memoryPrompts;
            return std::to_string(memoryRule(std::stoi(prompt.substr(head.size()))));
        }
        return HeadlessDesk::InputBox(prompt, title, defaultAnswer);
    }
};

struct Pipeline {
    Machine m;
    RuleDesk desk{m};
    PipelineWindow *win = nullptr;
    frmMIPSFiveStageInt *w = nullptr; // null for the single-cycle window

    explicit Pipeline(const std::string &window = "frmMIPSFiveStageInt") : window_(window) {
        RegisterAllForms(desk);
        desk.Show(window);
        win = dynamic_cast<PipelineWindow *>(&desk.Get(window));
        w = dynamic_cast<frmMIPSFiveStageInt *>(win);
        ClearProgram();
    }

    void ClearProgram(int32_t start = 2000) {
        for (int i = 0; i < kSlots; ++i) {
            Set(i, "NOP", 0, 0, 0);
            m.ProgAddress[i] = start + 4 * i;
        }
    }

    // One slot as the writer fills it: RD, RS, RT are the writer's operands in their order.
    void Set(int slot, const std::string &op, int rd, int rs, int rt, int32_t imm = 0,
             int32_t offset = 0, int branchOffset = 0, int shamt = 0) {
        m.ProgMnemonic[slot] = op;
        m.RdField[slot] = static_cast<int16_t>(rd);
        m.RsField[slot] = static_cast<int16_t>(rs);
        m.RtField[slot] = static_cast<int16_t>(rt);
        m.ImmField[slot] = imm;
        m.OffsetField[slot] = offset;
        m.ProgBranchOffset[slot] = static_cast<int16_t>(branchOffset);
        m.ProgShamt[slot] = static_cast<int16_t>(shamt);
        m.InstrFormat[slot] = RowFormatOf(op);
    }
    // Writer shorthands.
    void Lw(int slot, int rd, int32_t offset, int base) { Set(slot, "LW", rd, 0, base, 0, offset); }
    void Sw(int slot, int rd, int32_t offset, int base) { Set(slot, "SW", rd, 0, base, 0, offset); }
    void Alu(int slot, const std::string &op, int rd, int rs, int rt) { Set(slot, op, rd, rs, rt); }
    void Imm(int slot, const std::string &op, int rd, int rs, int32_t imm) {
        Set(slot, op, rd, rs, 0, imm);
    }
    void Shift(int slot, const std::string &op, int rd, int rs, int shamt) {
        Set(slot, op, rd, rs, 0, shamt, 0, 0, shamt);
    }
    void Branch(int slot, const std::string &op, int a, int b, int offset) {
        Set(slot, op, a, b, 0, 0, 0, offset);
    }

    // What "ASSEMBLE" does, then the window's repaint takes the program.
    void Assemble() {
        AssembleProgramStore(m);
        desk.Refresh(window_);
    }

    // Options as the first clock latches them: the five-stage window's menu check marks (the
    // single-cycle window's are fixed).
    void Options(bool forwarding, bool stall, bool aggressive = false) {
        if (w == nullptr) {
            return;
        }
        w->C("mnuForwarding").checked = forwarding;
        w->C("MnuStall").checked = stall;
        w->C("AggBranch").checked = aggressive;
    }

    // Every register preset, so no starting value is asked for.
    void Preset() {
        m.RegistersInitialised = true;
        win->Reset_Click();
    }

    void Clock(int n = 1) {
        for (int i = 0; i < n; ++i) {
            win->Clocking_Click();
        }
    }

    Control &C(const std::string &name, int index = -1) { return win->C(name, index); }
    std::string State(const std::string &name, int index = -1) {
        return win->StateValue(name, index).value_or("<none>");
    }

    // The oldest dialog not yet looked at.
    DialogRecord Dialog() {
        auto d = desk.TakeOldest();
        EXPECT_TRUE(d.has_value()) << "no dialog";
        return d.value_or(DialogRecord{});
    }
    void ExpectNoDialog() {
        EXPECT_TRUE(desk.Log().empty()) << "unexpected dialog: " << desk.Log().front().text;
    }

private:
    std::string window_;
};

} // namespace corvexa::clocktest
