#pragma once
// The shared machine state: the program store, the register file, the used-memory map and the
// hand-over flags that every window reads or writes. One object exists per program run.

#include <array>
#include <cstdint>
#include <string>

namespace corvexa {

inline constexpr int kSlots = 32;       // program slots and registers
inline constexpr int kMemMapSize = 101; // entries 0..100 of the used-memory map

template <typename T> using SlotTable = std::array<T, kSlots>;

// Operand layouts of a program-writer row (InstrFormat).
enum InstrFormatKind : int16_t {
    FormatNop = 0,
    FormatLoadStore = 1,
    FormatImmediate = 2,
    FormatBranch = 3,
    FormatRegister = 4,
    FormatFPArith = 5,
    FormatFPLoadStore = 6,
};

// Starting values of R1..R31 loaded by "INITIALIZE"; index 0 is R0, which is never preset.
inline constexpr std::array<int32_t, kSlots> PresetRegisterValues = {
    0,      100,   222,   300,   444,    500,    666,    700,  888,    900,    220,
    5550,   234,   3456,  6789,  898989, 232323, 454540, 7878, 121212, 909090, 343434,
    122020, 67258, 85464, 24544, 56,     89,     22,     667,  908,    334};

struct Machine {
    // Program store, as the writers leave it.
    SlotTable<std::string> ProgText{};
    SlotTable<std::string> ProgMnemonic{};
    SlotTable<int16_t> RdField{}, RsField{}, RtField{};
    SlotTable<int16_t> AssembledRd{}, AssembledRs{}, AssembledRt{};
    SlotTable<int16_t> InstrFormat{};
    SlotTable<int32_t> ImmField{}, OffsetField{};
    SlotTable<int16_t> ProgBranchOffset{};
    SlotTable<int16_t> ProgShamt{}, ProgFunc{};
    SlotTable<int32_t> ProgAddress{};

    // Decoded fields, written when a pipeline window assembles the program.
    SlotTable<int16_t> ProgRs{}, ProgRt{}, ProgRd{};
    SlotTable<int32_t> ProgImmediate{};

    // Registers.
    SlotTable<int32_t> RegisterFile{};
    SlotTable<bool> RegisterHasValue{};
    bool RegistersInitialised = false;

    // Used-memory map: entries 0..MemMapLast in use, sorted by address.
    std::array<int32_t, kMemMapSize> MemMapAddress{};
    std::array<int32_t, kMemMapSize> MemMapValue{};
    int16_t MemMapLast = 0;

    // Explanations of the current clock.
    std::string ForwardingText, StallText, StallReasonText;

    // Hand-over between the writers and the pipeline windows.
    bool ProgramWritten = false;
    bool LoadingFlag = false;
    bool RefreshDone = false;

    // Pipeline options latched at the first clock of a run.
    bool ForwardingEnabled = false;
    bool AggressiveBranching = false;

    // Padding tables: entry k holds k characters.
    std::array<std::string, 33> ZeroPad{}, OnePad{};
    std::array<std::string, 9> FPad{};

    // Running sum of the test window, four decimal places, held scaled by 10000.
    int64_t TestColourAccumulator = 0;

    void FillPadTables();
};

// Register numbers from stored data are kept inside the tables whatever the data say.
inline constexpr int RegIndex(int n) {
    return n & 31;
}

} // namespace corvexa
