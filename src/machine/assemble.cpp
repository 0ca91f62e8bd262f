#include "machine/assemble.h"

namespace corvexa {

namespace {

uint32_t Reg(int16_t field) {
    return static_cast<uint32_t>(RegIndex(field));
}

} // namespace

bool AssembleInstruction(Machine &m, AssembledTables &t, int slot) {
    if (slot < 0 || slot >= kSlots) {
        return false;
    }
    const auto s = static_cast<size_t>(slot);
    const MnemonicInfo *info = FindMnemonic(m.ProgMnemonic[s]);
    if (info == nullptr || !info->encoded) {
        return false;
    }
    t.ProgOpcode[s] = info->opcode;
    t.AluOpName[s] = std::string(AluOpName(info->alu));
    const auto opcode = static_cast<uint32_t>(info->opcode);
    const auto funct = static_cast<uint32_t>(info->funct);

    switch (info->kind) {
    case InstrKind::I: {
        uint32_t rs = 0;
        uint32_t rt = 0;
        int64_t imm = 0;
        if (info->immSource == ImmSource::Offset) {
            rs = Reg(m.RtField[s]);
            rt = Reg(m.RdField[s]);
            imm = m.OffsetField[s];
        } else if (info->immSource == ImmSource::Imm) {
            rs = Reg(m.RsField[s]);
            rt = Reg(m.RdField[s]);
            imm = m.ImmField[s];
        } else {
            rs = Reg(m.RdField[s]);
            rt = Reg(m.RsField[s]);
            imm = m.ProgBranchOffset[s];
        }
        // The 16-bit field of the immediate; equal to 65536 - |imm| for a negative one.
        const auto imm16 = static_cast<uint32_t>(imm & 0xFFFF);
        m.ProgRs[s] = static_cast<int16_t>(rs);
        m.ProgRt[s] = static_cast<int16_t>(rt);
        m.ProgImmediate[s] = static_cast<int16_t>(imm16); // the signed value as entered
        t.InstrWord[s] = ((opcode * 32 + rs) * 32 + rt) * 65536 + imm16;
        m.ProgRd[s] = static_cast<int16_t>(imm16 / 2048);
        m.ProgShamt[s] = static_cast<int16_t>((imm16 % 2048) / 64);
        m.ProgFunc[s] = static_cast<int16_t>(imm16 % 64);
        break;
    }
    case InstrKind::R: {
        const uint32_t rs = Reg(m.RsField[s]);
        const uint32_t rt = Reg(m.RtField[s]);
        const uint32_t rd = Reg(m.RdField[s]);
        m.ProgFunc[s] = info->funct;
        const uint32_t word = (((rs * 32) + rt) * 32 + rd) * 2048 + funct;
        t.InstrWord[s] = word;
        m.ProgImmediate[s] = static_cast<int32_t>(word % 65536);
        m.ProgRs[s] = static_cast<int16_t>(rs);
        m.ProgRt[s] = static_cast<int16_t>(rt);
        m.ProgRd[s] = static_cast<int16_t>(rd);
        m.ProgShamt[s] = 0;
        break;
    }
    case InstrKind::Shift: {
        m.ProgFunc[s] = info->funct;
        const uint32_t rt = Reg(m.RsField[s]);
        const uint32_t rd = Reg(m.RdField[s]);
        m.ProgRt[s] = static_cast<int16_t>(rt);
        m.ProgRd[s] = static_cast<int16_t>(rd);
        m.ProgRs[s] = 0;
        const auto shamt = static_cast<uint32_t>(m.ProgShamt[s]) & 31U;
        const uint32_t word = (((rt * 32) + rd) * 32 + shamt) * 64 + funct;
        t.InstrWord[s] = word;
        m.ProgImmediate[s] = static_cast<int32_t>(word % 65536);
        break;
    }
    case InstrKind::None:
        m.ProgFunc[s] = 0;
        t.InstrWord[s] = 0;
        m.ProgImmediate[s] = 0;
        m.ProgShamt[s] = 0;
        m.ProgRs[s] = 0;
        m.ProgRt[s] = 0;
        m.ProgRd[s] = 0;
        break;
    }
    return true;
}

} // namespace corvexa
