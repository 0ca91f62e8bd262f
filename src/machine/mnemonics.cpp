#include "machine/mnemonics.h"

#include <algorithm>
#include <array>

namespace corvexa {

namespace {

using enum AluOp;
using enum BranchOn;
constexpr ImmSource Offset = ImmSource::Offset;
constexpr ImmSource Imm = ImmSource::Imm;
constexpr ImmSource BranchOffset = ImmSource::BranchOffset;
constexpr ImmSource NoImm = ImmSource::None;
constexpr AluOp NoAlu = AluOp::None;
constexpr InstrKind I = InstrKind::I;
constexpr InstrKind R = InstrKind::R;
constexpr InstrKind Shift = InstrKind::Shift;
constexpr InstrKind NoKind = InstrKind::None;

constexpr std::array<MnemonicInfo, 26> kMnemonics = {{
    {"LW", FormatLoadStore, kLoad | kImmediateB, Never, Add, true, I, 35, 0, Offset},
    {"SW", FormatLoadStore, kStore | kImmediateB, Never, Add, true, I, 43, 0, Offset},
    {"ADD", FormatRegister, kNoKinds, Never, Add, true, R, 0, 32, NoImm},
    {"SUB", FormatRegister, kNoKinds, Never, Sub, true, R, 0, 34, NoImm},
    {"ADDI", FormatImmediate, kImmediateB, Never, Add, true, I, 8, 0, Imm},
    {"ADDU", FormatRegister, kNoKinds, Never, Add, true, R, 0, 33, NoImm},
    {"ADDIU", FormatImmediate, kImmediateB, Never, Add, true, I, 9, 0, Imm},
    {"SUBU", FormatRegister, kNoKinds, Never, Sub, true, R, 0, 35, NoImm},
    {"AND", FormatRegister, kNoKinds, Never, And, true, R, 0, 36, NoImm},
    {"OR", FormatRegister, kNoKinds, Never, Or, true, R, 0, 37, NoImm},
    {"NOR", FormatRegister, kNoKinds, Never, Nor, true, R, 0, 39, NoImm},
    {"SLL", FormatImmediate, kNoKinds, Never, ShiftLeft, true, Shift, 0, 0, NoImm},
    {"SRL", FormatImmediate, kNoKinds, Never, ShiftRight, true, Shift, 0, 2, NoImm},
    {"BEQ", FormatBranch, kNoKinds, Equal, Sub, true, I, 4, 0, BranchOffset},
    {"BNEQ", FormatBranch, kNoKinds, NotEqual, Sub, true, I, 5, 0, BranchOffset},
    {"SLT", FormatRegister, kNoKinds, Never, SetLess, true, R, 0, 42, NoImm},
    {"SLTI", FormatImmediate, kImmediateB, Never, SetLess, true, I, 10, 0, Imm},
    {"SLTIU", FormatImmediate, kImmediateB, Never, SetLess, true, I, 11, 0, Imm},
    {"SLTU", FormatRegister, kNoKinds, Never, SetLess, true, R, 0, 43, NoImm},
    {"NOP", FormatNop, kBubble, Never, Nop, true, NoKind, 0, 0, NoImm},
    // The pipeline windows run integer programs only: these have no encoding, no kind and no ALU
    // operation there.
    {"ADD.S", FormatFPArith, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
    {"SUB.S", FormatFPArith, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
    {"MUL.S", FormatFPArith, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
    {"DIV.S", FormatFPArith, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
    {"L.S", FormatFPLoadStore, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
    {"S.S", FormatFPLoadStore, kNoKinds, Never, NoAlu, false, NoKind, 0, 0, NoImm},
}};

static_assert(kMnemonics[kIntegerMnemonicCount - 1].mnemonic == kNopMnemonic);

bool HasKind(std::string_view mnemonic, Kinds kind) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    return row != nullptr && (row->kinds & kind) != 0;
}

} // namespace

std::span<const MnemonicInfo> Mnemonics() {
    return kMnemonics;
}

std::span<const MnemonicInfo> IntegerMnemonics() {
    return Mnemonics().first<kIntegerMnemonicCount>();
}

const MnemonicInfo *FindMnemonic(std::string_view mnemonic, std::span<const MnemonicInfo> among) {
    const auto it = std::find_if(among.begin(), among.end(),
                                 [&](const MnemonicInfo &row) { return row.mnemonic == mnemonic; });
    return it == among.end() ? nullptr : &*it;
}

InstrFormatKind RowFormatOf(std::string_view mnemonic, std::span<const MnemonicInfo> among) {
    const MnemonicInfo *row = FindMnemonic(mnemonic, among);
    return row != nullptr ? row->rowFormat : FormatRegister;
}

InstrFormatKind LastRowFormat(std::span<const MnemonicInfo> among) {
    InstrFormatKind last = FormatNop;
    for (const MnemonicInfo &row : among) {
        last = std::max(last, row.rowFormat);
    }
    return last;
}

bool IsLoad(std::string_view mnemonic) {
    return HasKind(mnemonic, kLoad);
}

bool IsStore(std::string_view mnemonic) {
    return HasKind(mnemonic, kStore);
}

bool IsImmediateIntoB(std::string_view mnemonic) {
    return HasKind(mnemonic, kImmediateB);
}

bool IsBubble(std::string_view mnemonic) {
    return HasKind(mnemonic, kBubble);
}

bool IsBranchMnemonic(std::string_view mnemonic) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    return row != nullptr && row->branchOn != BranchOn::Never;
}

bool TakesBranch(std::string_view mnemonic, bool operandsEqual) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    if (row == nullptr) {
        return false;
    }
    return (row->branchOn == BranchOn::Equal && operandsEqual) ||
           (row->branchOn == BranchOn::NotEqual && !operandsEqual);
}

AluOp AluOpOf(std::string_view mnemonic) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    return row != nullptr ? row->alu : AluOp::None;
}

std::string_view AluOpName(AluOp op) {
    switch (op) {
    case AluOp::Nop:
        return "NOP";
    case AluOp::Add:
        return "ADD";
    case AluOp::Sub:
    case AluOp::SetLess:
        return "SUB";
    case AluOp::And:
        return "BitAND";
    case AluOp::Or:
        return "BitOR";
    case AluOp::Nor:
        return "BitNOR(OR-NOT)";
    case AluOp::ShiftLeft:
        return "Shift L";
    case AluOp::ShiftRight:
        return "Shift R";
    case AluOp::None:
        break;
    }
    return "";
}

} // namespace corvexa
