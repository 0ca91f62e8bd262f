#pragma once
// Named elements of the control arrays of the pipeline drawing: the value labels (lblIFValue,
// lblIDValue, lblEXEValue, lblMEMValue, lblWBValue) and the stage row, shared by the layout table
// and everything that writes the controls. Value labels not named here are fixed name tags.

#include <array>

namespace corvexa {

// The stage row under the drawing: lblStage (the stage's name) and txtStageInfo2 (the instruction
// in the stage) have one element per stage, IF on the left.
namespace Stage {
enum : int { IF = 0, ID = 1, EXE = 2, MEM = 3, WB = 4 };
inline constexpr int kCount = WB + 1;
} // namespace Stage

// Wires of the Line3 array that only show once a value runs along them: the clock shows each as
// its stage fills, and a reset hides them all again.
namespace ValueWire {
enum : int { LatchA = 40, AluInputA = 41, AluResult = 63, MemoryAddress = 94 };
} // namespace ValueWire
inline constexpr std::array<int, 4> kValueWires = {ValueWire::LatchA, ValueWire::AluInputA,
                                                   ValueWire::AluResult, ValueWire::MemoryAddress};

namespace IfLabel {
enum : int { Address = 0, Instruction = 1, PcPlus4 = 2, NextPc = 3, SelectPc = 4 };
} // namespace IfLabel

namespace IdLabel {
enum : int {
    Rs = 0,
    Rt = 1,
    Imm16 = 2,
    Imm32 = 3,
    RtOut = 4,
    RdOut = 5,
    A = 6,
    B = 7,
    Opcode = 8,
    Npc = 9,
    BranchOutcome = 14,
    BranchNpc = 15,
    BranchTarget = 16
};
} // namespace IdLabel

namespace ExeLabel {
enum : int {
    A = 0,
    B = 1,
    Imm32 = 2,
    Rt = 3,
    Rd = 4,
    AluA = 5,
    AluB = 6,
    AluOut = 7,
    FuncShamt = 8,
    SelectA = 9,
    SelectB = 10,
    AluOp = 11,
    Rx = 12,
    BranchTarget = 13,
    Npc = 14,
    StoreData = 17,
    SelectRx = 20,
    ImmTimes4 = 24,
    Zero = 25,
    Controls = 27
};
} // namespace ExeLabel

namespace MemLabel {
enum : int {
    Address = 0,
    DataIn = 1,
    SelectData = 2,
    MemWrite = 3,
    Rx = 4,
    LmdTag = 5,
    BranchOutcome = 6,
    MemWriteTag = 8,
    BranchTarget = 9,
    TagB = 11,
    Loaded = 12,
    Zero = 15,
    AluOut = 16
};
} // namespace MemLabel

namespace WbLabel {
enum : int {
    Lmd = 0,
    AluOut = 1,
    Value = 2,
    Rx = 3,
    RegWrite = 7,
    WritePort = 8,
    ValueStrip = 9,
    ValueStripTag = 10,
    SelectValue = 12,
    RegWriteControl = 13
};
} // namespace WbLabel

} // namespace corvexa
