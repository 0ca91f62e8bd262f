#include "machine/mnemonics.h"

#include <algorithm>
#include <array>

namespace corvexa {

namespace {

using enum ImmSource;
constexpr InstrKind I = InstrKind::I;
constexpr InstrKind R = InstrKind::R;
constexpr InstrKind Shift = InstrKind::Shift;
constexpr InstrKind NoKind = InstrKind::None;

constexpr std::array<MnemonicInfo, 26> kMnemonics = {{
    {"LW", FormatLoadStore, false, true, I, 35, 0, "ADD", Offset},
    {"SW", FormatLoadStore, false, true, I, 43, 0, "ADD", Offset},
    {"ADD", FormatRegister, false, true, R, 0, 32, "ADD", None},
    {"SUB", FormatRegister, false, true, R, 0, 34, "SUB", None},
    {"ADDI", FormatImmediate, false, true, I, 8, 0, "ADD", Imm},
    {"ADDU", FormatRegister, false, true, R, 0, 33, "ADD", None},
    {"ADDIU", FormatImmediate, false, true, I, 9, 0, "ADD", Imm},
    {"SUBU", FormatRegister, false, true, R, 0, 35, "SUB", None},
    {"AND", FormatRegister, false, true, R, 0, 36, "BitAND", None},
    {"OR", FormatRegister, false, true, R, 0, 37, "BitOR", None},
    {"NOR", FormatRegister, false, true, R, 0, 39, "BitNOR(OR-NOT)", None},
    {"SLL", FormatImmediate, false, true, Shift, 0, 0, "Shift L", None},
    {"SRL", FormatImmediate, false, true, Shift, 0, 2, "Shift R", None},
    {"BEQ", FormatBranch, true, true, I, 4, 0, "SUB", BranchOffset},
    {"BNEQ", FormatBranch, true, true, I, 5, 0, "SUB", BranchOffset},
    {"SLT", FormatRegister, false, true, R, 0, 42, "SUB", None},
    {"SLTI", FormatImmediate, false, true, I, 10, 0, "SUB", Imm},
    {"SLTIU", FormatImmediate, false, true, I, 11, 0, "SUB", Imm},
    {"SLTU", FormatRegister, false, true, R, 0, 43, "SUB", None},
    {"NOP", FormatNop, false, true, NoKind, 0, 0, "NOP", None},
    // The pipeline windows run integer programs only: these have no encoding.
    {"ADD.S", FormatFPArith, false, false, NoKind, 0, 0, "", None},
    {"SUB.S", FormatFPArith, false, false, NoKind, 0, 0, "", None},
    {"MUL.S", FormatFPArith, false, false, NoKind, 0, 0, "", None},
    {"DIV.S", FormatFPArith, false, false, NoKind, 0, 0, "", None},
    {"L.S", FormatFPLoadStore, false, false, NoKind, 0, 0, "", None},
    {"S.S", FormatFPLoadStore, false, false, NoKind, 0, 0, "", None},
}};

static_assert(kMnemonics[kIntegerMnemonicCount - 1].mnemonic == "NOP");

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

bool IsBranchMnemonic(std::string_view mnemonic) {
    const MnemonicInfo *row = FindMnemonic(mnemonic);
    return row != nullptr && row->branch;
}

} // namespace corvexa
