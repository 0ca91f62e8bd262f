#pragma once
// The pipeline latches: one StageRecord per stage, and the window state of a pipeline window.

#include <array>
#include <cstdint>
#include <string>

#include "machine/machine.h"

namespace corvexa {

// One instruction as it stands in one stage. Not every stage uses every field.
struct StageRecord {
    int16_t Slot = 0;
    std::string Op;
    std::string InstrText;
    int32_t Colour = 0;
    int32_t NPC = 0;
    int16_t Rs = 0, Rt = 0, Rd = 0;
    int32_t Imm = 0;
    int32_t A = 0, B = 0;
    int16_t RegWrite = 0, MemWrite = 0;
    int16_t Rx = 0;
    int32_t AluOUT = 0;
    int32_t BTA = 0;
    int16_t Zero = 0;
    int32_t LMD = 0;
    int32_t DataIn = 0;
    int32_t WriteBackValue = 0;
    bool BranchTaken = false;
    bool LoadUseStall = false;
    bool BranchHazardStall = false;
};

inline constexpr std::array<int32_t, 15> InstructionColours = {
    0x808080, 0x40C0, 0xFF80FF, 0x8000, 0xC0C0,   0x80FF80, 0xC0,    0xC000C0,
    0xC0C000, 0x40C0, 0x8080FF, 0xC000, 0xFFC0FF, 0x404080, 0xC0C0C0};

inline constexpr int32_t kRetiredColour = 0xFF0000; // listing row of a retired instruction
inline constexpr int32_t kListingColour = 0xC00000; // listing text before a run
inline constexpr int32_t kBubbleColour = 255;       // bubbles and flushed records

// ms until the explanation strip, once hidden, shows its text again.
inline constexpr int16_t kInfoTimerInterval = 25000;

// Per-slot tables a pipeline window fills when it assembles the program.
struct AssembledTables {
    SlotTable<int16_t> ProgOpcode{};
    SlotTable<std::string> AluOpName{};
    SlotTable<uint32_t> InstrWord{};
};

// State a pipeline window keeps for itself.
struct PipelineState {
    StageRecord IF, ID, EXE, MEM, WB;
    int32_t ClockCount = -1; // clocks done minus one; kept wider than 16 bits so it never overflows
    int16_t FetchIndex = 0;
    int16_t ColourIndex = 0;
    int16_t HazardStall = 0;
    bool IDStalled = false;
    bool LoadUseStall = false;      // the single-cycle window's one load-use flag
    int16_t BranchWaitRegister = 0; // the register a branch held in ID waits for
    bool FlushFlag = false;
    bool PolicyFlush = false;
    bool RtIsSource = false;
    bool StallDetectionEnabled = false;
    bool BranchPolicyNormal = true;
    bool BranchPolicyAlwaysFlush = false;
    bool BranchPolicyDelayed = false;
    bool BranchPolicyCancelled = false;
    int16_t InfoTimerInterval = kInfoTimerInterval;
    int32_t AluA = 0, AluB = 0, ForwardedB = 0;
    int SelectMuxB = 0;
    AssembledTables Tables;
};

} // namespace corvexa
