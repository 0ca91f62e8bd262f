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
