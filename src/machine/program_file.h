#pragma once
// The program file: 32 records, one per slot, of a quoted mnemonic and eight whole numbers
// joined by commas, each record ending in CR LF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine/machine.h"

namespace corvexa {

// One slot as the file holds it.
struct ProgramFileRecord {
    std::string mnemonic;
    int16_t rd = 0, rs = 0, rt = 0;
    int32_t imm = 0, offset = 0;
    int16_t branchOffset = 0, shamt = 0, func = 0;

    bool operator==(const ProgramFileRecord &) const = default;
};

using ProgramImage = std::array<ProgramFileRecord, kSlots>;

// A real program file is about 4 KB; anything much larger is refused unread.
inline constexpr std::size_t kMaxProgramFileBytes = std::size_t{64} * 1024;
// A file that ends, or goes wrong, at this slot or later loads with the rest padded with NOP.
inline constexpr int kFirstPaddedSlot = 25;

// The file's text for the program as the tables hold it (registers from the assembled copies).
std::string ProgramFileText(const Machine &m);

// Parses a whole file's text; nothing when it is not a program file.
std::optional<ProgramImage> ParseProgramFile(std::string_view text);

// Reads and parses a file, refusing anything but a regular file of at most kMaxProgramFileBytes.
std::optional<ProgramImage> ReadProgramFile(const std::string &path);

// Writes the program to path through a new file in the same folder that then takes the old one's
// place with its mode, so a failed save never leaves a damaged file in place of a good one. A file
// this user may not write is left alone; a writable file in a folder that takes no new names is
// written over in place, where that holds only for a text that fits in one memory page (every
// ordinary program): a save killed while writing a longer one may leave a mix of old and new that
// loads.
// False on any failure.
bool WriteProgramFile(const std::string &path, const Machine &m);

// Puts a loaded program into the nine tables the file fills.
void ApplyProgramImage(Machine &m, const ProgramImage &image);

// Reads a whole program file and only then puts it into the tables: on false nothing changed.
bool LoadProgramFile(Machine &m, const std::string &path);

} // namespace corvexa
