#include "machine/hand_over.h"

namespace corvexa {

namespace {

std::string Reg(int n) {
    return "R" + std::to_string(n);
}

std::string FReg(int n) {
    return "F" + std::to_string(n);
}

} // namespace

std::optional<std::string> ProgTextOf(const Machine &m, int slot, InstrFormatKind lastFormat) {
    if (slot < 0 || slot >= kSlots || m.InstrFormat[static_cast<size_t>(slot)] > lastFormat) {
        return std::nullopt;
    }
    const auto i = static_cast<size_t>(slot);
    const std::string &mnemonic = m.ProgMnemonic[i];
    const std::string rd = " " + Reg(m.RdField[i]) + ",";
    switch (m.InstrFormat[i]) {
    case FormatNop:
        return mnemonic;
    case FormatLoadStore:
        return mnemonic + rd + std::to_string(m.OffsetField[i]) + "(" + Reg(m.RtField[i]) + ")";
    case FormatImmediate:
        return mnemonic + rd + Reg(m.RsField[i]) + "," + std::to_string(m.ImmField[i]);
    case FormatBranch:
        return mnemonic + rd + Reg(m.RsField[i]) + "," + std::to_string(m.ProgBranchOffset[i]);
    case FormatRegister:
        return mnemonic + rd + Reg(m.RsField[i]) + "," + Reg(m.RtField[i]);
    case FormatFPArith:
        return mnemonic + " " + FReg(m.RdField[i]) + "," + FReg(m.RsField[i]) + "," +
               FReg(m.RtField[i]);
    case FormatFPLoadStore:
        return mnemonic + " " + FReg(m.RdField[i]) + "," + std::to_string(m.OffsetField[i]) + "(" +
               FReg(m.RtField[i]) + ")";
    default:
        return std::nullopt;
    }
}

void AssembleProgramStore(Machine &m, InstrFormatKind lastFormat) {
    for (int slot = 0; slot < kSlots; ++slot) {
        const auto i = static_cast<size_t>(slot);
        m.AssembledRs[i] = m.RsField[i];
        m.AssembledRd[i] = m.RdField[i];
        m.AssembledRt[i] = m.RtField[i];
        if (auto text = ProgTextOf(m, slot, lastFormat)) {
            m.ProgText[i] = std::move(*text);
        }
    }
    m.ProgramWritten = true;
    m.LoadingFlag = false;
    m.RefreshDone = false;
}

} // namespace corvexa
