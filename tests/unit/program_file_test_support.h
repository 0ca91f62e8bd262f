#pragma once
// Helpers of the program file tests: a scratch folder and whole-file reads and writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "machine/program_file.h"

namespace corvexa::program_file_test {

class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("corvexa-progfile-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::string operator/(const std::string &name) const { return (path_ / name).string(); }
    const std::filesystem::path &path() const { return path_; }
    size_t Entries() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(path_)) {
            ++n;
        }
        return n;
    }

private:
    std::filesystem::path path_;
};

// Fills one slot as a loaded program file leaves it: the nine stored fields, no format, no listing.
inline void LoadedSlot(Machine &m, int slot, const char *mnemonic, int16_t rd, int16_t rs,
                       int16_t rt, int32_t imm = 0, int32_t offset = 0, int16_t branch = 0,
                       int16_t shamt = 0, int16_t func = 0) {
    const auto i = static_cast<size_t>(slot);
    m.ProgMnemonic[i] = mnemonic;
    m.RdField[i] = rd;
    m.RsField[i] = rs;
    m.RtField[i] = rt;
    m.ImmField[i] = imm;
    m.OffsetField[i] = offset;
    m.ProgBranchOffset[i] = branch;
    m.ProgShamt[i] = shamt;
    m.ProgFunc[i] = func;
}

inline void WriteText(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The text of n records of one slot each, "NOP" with zeros unless given.
inline std::string Records(int n, const std::string &record = "\"NOP\",0,0,0,0,0,0,0,0") {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += record + "\r\n";
    }
    return out;
}

} // namespace corvexa::program_file_test
