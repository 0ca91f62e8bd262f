#pragma once
// A five-stage window on a headless desk, with a program put into the store as the writer would.

#include <gtest/gtest.h>

#include <string>

#include "fivestage/frmMIPSFiveStageInt.h"
#include "machine/hand_over.h"
#include "machine/mnemonics.h"
#include "registry/all_forms.h"
#include "ui/headless_desk.h"

namespace corvexa::testing {

class FiveStageWindow : public ::testing::Test {
protected:
    FiveStageWindow() { RegisterAllForms(desk); }

    frmMIPSFiveStageInt &Open() {
        desk.Show("frmMIPSFiveStageInt");
        return Window();
    }
    frmMIPSFiveStageInt &Window() {
        return dynamic_cast<frmMIPSFiveStageInt &>(desk.Get("frmMIPSFiveStageInt"));
    }

    // All 32 slots "NOP" at 2000 + 4 x slot.
    void ClearProgram() {
        for (int i = 0; i < kSlots; ++i) {
            Slot(i, "NOP", 0, 0, 0);
        }
    }
    void Slot(int i, const std::string &mnemonic, int rd, int rs, int rt, int imm = 0,
              int offset = 0, int branchOffset = 0) {
        const auto k = static_cast<size_t>(i);
        m.ProgMnemonic[k] = mnemonic;
        m.RdField[k] = static_cast<int16_t>(rd);
        m.RsField[k] = static_cast<int16_t>(rs);
        m.RtField[k] = static_cast<int16_t>(rt);
        m.ImmField[k] = imm;
        m.OffsetField[k] = offset;
        m.ProgBranchOffset[k] = static_cast<int16_t>(branchOffset);
        m.ProgShamt[k] = 0;
        m.ProgAddress[k] = 2000 + 4 * i;
        m.InstrFormat[k] = RowFormatOf(mnemonic);
    }
    // What the writer's "ASSEMBLE" does, then the repaint that takes the program over.
    void HandOver() {
        AssembleProgramStore(m);
        desk.Refresh("frmMIPSFiveStageInt");
    }
    void Clock(int times = 1) {
        for (int i = 0; i < times; ++i) {
            Window().Click("Clocking");
        }
    }
    std::string Info() { return Window().C("Information").caption; }
    bool Visible(const std::string &name, int index = -1) {
        return Window().C(name, index).visible;
    }

    Machine m;
    HeadlessDesk desk{m};
};

} // namespace corvexa::testing
