#include "machine/program_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvexa {

namespace {

// Bytes that never stand in a text file: a file holding them is not a program file.
bool IsBinaryByte(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Reads values as the file's readers always have: commas and line ends both separate values,
// blanks around a value do not count, a quoted value loses its quotes.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : text_(text) { SkipLineEnds(); }

    std::optional<std::string> Next() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            return std::nullopt; // too few values
        }
        std::string value;
        if (text_[pos_] == '"') {
            const size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            value = text_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            if (value.find_first_of("\r\n") != std::string::npos) {
                return std::nullopt;
            }
        } else {
            size_t end = pos_;
            while (end < text_.size() && text_[end] != ',' && !IsLineEnd(text_[end])) {
                ++end;
            }
            size_t last = end;
            while (last > pos_ && IsBlank(text_[last - 1])) {
                --last;
            }
            value = text_.substr(pos_, last - pos_);
            pos_ = end;
            if (value.find('"') != std::string::npos) {
                return std::nullopt;
            }
        }
        if (value.size() > kMaxProgramFileValue || !EndOfValue()) {
            return std::nullopt;
        }
        return value;
    }

private:
    // After a value: blanks, then a comma, one or more line ends (blank lines included) or the
    // end of the text. Anything else, such as text after a closing quote, is an error.
    bool EndOfValue() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            return true;
        }
        if (text_[pos_] == ',') {
            ++pos_;
            return true;
        }
        if (IsLineEnd(text_[pos_])) {
            SkipLineEnds();
            return true;
        }
        return false;
    }

    void SkipLineEnds() {
        size_t p = pos_;
        while (p < text_.size() && (IsLineEnd(text_[p]) || IsBlank(text_[p]))) {
            if (IsLineEnd(text_[p])) {
                pos_ = p + 1;
            }
            ++p;
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
};

// A whole number within [lo, hi]: optional sign, digits, and at most a fraction of zeros.
template <typename T> std::optional<T> WholeNumber(const std::string &s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int64_t magnitude = 0;
    size_t digits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > (int64_t{1} << 40)) {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] == '0'; ++i) {
        }
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

template <typename T> bool ReadNumber(ValueReader &in, T &out) {
    auto value = in.Next();
    if (!value) {
        return false;
    }
    auto n = WholeNumber<T>(*value);
    if (!n) {
        return false;
    }
    out = *n;
    return true;
}

bool ReadRecord(ValueReader &in, ProgramFileRecord &r) {
    auto mnemonic = in.Next();
    if (!mnemonic) {
        return false;
    }
    r.mnemonic = std::move(*mnemonic);
    return ReadNumber(in, r.rd) && ReadNumber(in, r.rs) && ReadNumber(in, r.rt) &&
           ReadNumber(in, r.imm) && ReadNumber(in, r.offset) && ReadNumber(in, r.branchOffset) &&
           ReadNumber(in, r.shamt) && ReadNumber(in, r.func);
}

bool WriteAll(int fd, const std::string &text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string ProgramFileText(const Machine &m) {
    std::string out;
    for (size_t i = 0; i < static_cast<size_t>(kSlots); ++i) {
        out += '"' + m.ProgMnemonic[i] + '"';
        for (const int64_t v :
             {int64_t{m.AssembledRd[i]}, int64_t{m.AssembledRs[i]}, int64_t{m.AssembledRt[i]},
              int64_t{m.ImmField[i]}, int64_t{m.OffsetField[i]}, int64_t{m.ProgBranchOffset[i]},
              int64_t{m.ProgShamt[i]}, int64_t{m.ProgFunc[i]}}) {
            out += ',' + std::to_string(v);
        }
        out += "\r\n";
    }
    return out;
}

std::optional<ProgramImage> ParseProgramFile(std::string_view text) {
    if (text.size() > kMaxProgramFileBytes) {
        return std::nullopt;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") { // a byte-order mark some editors put first
        text.remove_prefix(3);
    }
    for (const char c : text) {
        if (IsBinaryByte(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    ProgramImage image{};
    ValueReader in(text);
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!ReadRecord(in, image[static_cast<size_t>(slot)])) {
            if (slot < kFirstPaddedSlot) {
                return std::nullopt;
            }
            for (int k = kFirstPaddedSlot; k < kSlots; ++k) {
                image[static_cast<size_t>(k)] = ProgramFileRecord{"NOP"};
            }
            break;
        }
    }
    return image;
}

std::optional<ProgramImage> ReadProgramFile(const std::string &path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || ec) {
        return std::nullopt; // a folder, a device or a pipe is never a program file
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kMaxProgramFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return std::nullopt;
    }
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxProgramFileBytes) {
        return std::nullopt;
    }
    return ParseProgramFile(text);
}

bool WriteProgramFile(const std::string &path, const Machine &m) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (target.empty() || !target.has_filename()) {
        return false;
    }
    if (fs::is_symlink(target, ec)) {
        target = fs::weakly_canonical(target, ec); // replace the file the link points at
        if (ec) {
            return false;
        }
    }
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) {
        return false;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string text = ProgramFileText(m);

    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) +
                          "." + std::to_string(++counter) + ".tmp"))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        (void)::fchmod(fd, old.st_mode & 07777); // the replaced file keeps its permissions
    }
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        ok = std::rename(temp.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

void ApplyProgramImage(Machine &m, const ProgramImage &image) {
    for (size_t i = 0; i < static_cast<size_t>(kSlots); ++i) {
        const ProgramFileRecord &r = image[i];
        m.ProgMnemonic[i] = r.mnemonic;
        m.RdField[i] = r.rd;
        m.RsField[i] = r.rs;
        m.RtField[i] = r.rt;
        m.ImmField[i] = r.imm;
        m.OffsetField[i] = r.offset;
        m.ProgBranchOffset[i] = r.branchOffset;
        m.ProgShamt[i] = r.shamt;
        m.ProgFunc[i] = r.func;
    }
}

bool LoadProgramFile(Machine &m, const std::string &path) {
    const auto image = ReadProgramFile(path);
    if (!image) {
        return false;
    }
    ApplyProgramImage(m, *image);
    return true;
}

} // namespace corvexa
