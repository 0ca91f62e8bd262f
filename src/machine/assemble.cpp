#include "machine/assemble.h"

#include <array>

namespace corvexa {

namespace {

constexpr std::array<InstructionInfo, 20> kInstructions = {{
    {"LW", InstrKind::I, 35, 0, "ADD", ImmSource::Offset},
    {"SW", InstrKind::I, 43, 0, "ADD", ImmSource::Offset},
    {"ADDI", InstrKind::I, 8, 0, "ADD", ImmSource::Imm},
    {"ADDIU", InstrKind::I, 9, 0, "ADD", ImmSource::Imm},
    {"SLTI", InstrKind::I, 10, 0, "SUB", ImmSource::Imm},
    {"SLTIU", InstrKind::I, 11, 0, "SUB", ImmSource::Imm},
    {"BEQ", InstrKind::I, 4, 0, "SUB", ImmSource::BranchOffset},
    {"BNEQ", InstrKind::I, 5, 0, "SUB", ImmSource::BranchOffset},
    {"ADD", InstrKind::R, 0, 32, "ADD", ImmSource::None},
    {"ADDU", InstrKind::R, 0, 33, "ADD", ImmSource::None},
    {"SUB", InstrKind::R, 0, 34, "SUB", ImmSource::None},
    {"SUBU", InstrKind::R, 0, 35, "SUB", ImmSource::None},
    {"AND", InstrKind::R, 0, 36, "BitAND", ImmSource::None},
    {"NOR", InstrKind::R, 0, 39, "BitNOR(OR-NOT)", ImmSource::None},
    {"OR", InstrKind::R, 0, 37, "BitOR", ImmSource::None},
    {"SLT", InstrKind::R, 0, 42, "SUB", ImmSource::None},
    {"SLTU", InstrKind::R, 0, 43, "SUB", ImmSource::None},
    {"SLL", InstrKind::Shift, 0, 0, "Shift L", ImmSource::None},
    {"SRL", InstrKind::Shift, 0, 2, "Shift R", ImmSource::None},
    {"NOP", InstrKind::None, 0, 0, "NOP", ImmSource::None},
}};

uint32_t Reg(int16_t field) {
    return static_cast<uint32_t>(RegIndex(field));
}

} // namespace

const InstructionInfo *FindInstruction(std::string_view mnemonic) {
    for (const InstructionInfo &info : kInstructions) {
        if (info.mnemonic == mnemonic) {
            return &info;
        }
    }
    return nullptr;
}

bool AssembleInstruction(Machine &m, AssembledTables &t, int slot) {
    if (slot < 0 || slot >= kSlots) {
        return false;
    }
    const auto s = static_cast<size_t>(slot);
    const InstructionInfo *info = FindInstruction(m.ProgMnemonic[s]);
    if (info == nullptr) {
        return false;
    }
    t.ProgOpcode[s] = info->opcode;
    t.AluOpName[s] = std::string(info->aluOpName);
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
