#include "machine/program_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "machine/mnemonics.h"

namespace corvexa {

namespace {

// Bytes that never stand in a text file: a value holding one is a read error.
bool IsBinaryByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}

// The DOS end-of-file mark: editors of that age put it after the last line.
constexpr char kEndOfFileMark = '\x1A';

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
        if (std::any_of(value.begin(), value.end(), IsBinaryByte) || !EndOfValue()) {
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

// Owns one open file descriptor.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// A write past the file-size limit raises SIGXFSZ, which by default ends the process and with it
// the work in every window. Held back for this thread while a save writes, the write fails with
// EFBIG like any other; a signal the save raised is then taken back, so nothing else sees it.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        sigset_t before;
        sigemptyset(&before);
        // A caller that holds it already keeps it, and whatever is pending for it.
        held_ = ::pthread_sigmask(SIG_BLOCK, &signal_, &before) == 0 &&
                sigismember(&before, SIGXFSZ) == 0;
    }
    ~FileSizeSignalHeld() {
        if (!held_) {
            return;
        }
        const int savedErrno = errno;
        const timespec now{};
        while (::sigtimedwait(&signal_, nullptr, &now) < 0 && errno == EINTR) {
        }
        ::pthread_sigmask(SIG_UNBLOCK, &signal_, nullptr);
        errno = savedErrno;
    }
    FileSizeSignalHeld(const FileSizeSignalHeld &) = delete;
    FileSizeSignalHeld &operator=(const FileSizeSignalHeld &) = delete;

private:
    sigset_t signal_{};
    bool held_ = false;
};

// The system cuts a write at the file-size limit whatever the file's size, so a text longer than
// the limit can only be written in part.
bool WithinFileSizeLimit(size_t size) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           size <= limit.rlim_cur;
}

// Makes the folder's new entry last through a crash of the machine. The file is in place by now,
// so a folder the system will not open or sync is no failed save: only its lasting is not assured.
void SyncFolder(int dir) {
    const Descriptor folder(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        (void)::fsync(folder.get());
    }
}

// The short name of the file written for a target, so that a name near the file system's limit
// can still be saved. It is the same for every save of one target: a save killed while its new
// file had this name leaves one file at most, and the next save takes it over.
std::string TemporaryName(const std::string &target) {
    uint32_t hash = 2166136261U; // FNV-1a
    for (const char c : target) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    static constexpr std::string_view kDigits = "0123456789abcdef";
    std::string name = ".cvx";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name += kDigits[(hash >> static_cast<unsigned>(shift)) & 0xFU];
    }
    return name + ".tmp";
}

// Gives name to an anonymous file, or opens a new file of that name, taking over a file left
// there by a save that did not finish.
template <typename Make> bool TakeOverName(int dir, const std::string &name, Make make) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (make()) {
            return true;
        }
        if (errno != EEXIST || ::unlinkat(dir, name.c_str(), 0) != 0) {
            return false;
        }
    }
    return false;
}

// Names an anonymous file through /proc, which needs no privilege, unlike AT_EMPTY_PATH.
bool LinkAnonymous(int fd, int dir, const std::string &name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), dir, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// The file that is to take the target's place. It is anonymous where the system allows (name
// left empty), so that a save killed half-way leaves nothing behind; otherwise short-named.
Descriptor CreateReplacement(int dir, const std::string &target, std::string &name) {
    name.clear();
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) == 0) {
        Descriptor anonymous(::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        if (anonymous.valid()) {
            return anonymous;
        }
    }
#endif
    const std::string temp = TemporaryName(target);
    int fd = -1;
    if (!TakeOverName(dir, temp, [&] {
            fd = ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd >= 0;
        })) {
        return Descriptor{};
    }
    name = temp;
    return Descriptor(fd);
}

// A replacement keeps the replaced file's mode, and its owner where this user may give it.
void KeepOwnerAndMode(int fd, const struct stat &old) {
    [[maybe_unused]] const int owner = ::fchown(fd, old.st_uid, old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

// For a file whose folder takes no new names: the new text goes over the old one. The size limit
// is checked and the space reserved first, so either fails before the old contents change.
bool OverwriteInPlace(int fd, const std::string &text) {
    struct stat st {};
    if (!WithinFileSizeLimit(text.size()) || ::fstat(fd, &st) != 0) {
        return false;
    }
    const auto size = static_cast<off_t>(text.size());
    if (size > st.st_size && ::posix_fallocate(fd, 0, size) != 0) {
        [[maybe_unused]] const int undone = ::ftruncate(fd, st.st_size);
        return false;
    }
    return WriteAll(fd, text) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
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
    text = text.substr(0, text.find(kEndOfFileMark));
    ProgramImage image{};
    ValueReader in(text);
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!ReadRecord(in, image[static_cast<size_t>(slot)])) {
            if (slot < kFirstPaddedSlot) {
                return std::nullopt;
            }
            for (int k = kFirstPaddedSlot; k < kSlots; ++k) {
                image[static_cast<size_t>(k)] = ProgramFileRecord{std::string(kNopMnemonic)};
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
    const std::string fileName = target.filename().string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string text = ProgramFileText(m);
    const FileSizeSignalHeld sizeLimitFails;

    // An existing file is replaced only where this user may write it; opening it for writing
    // lets the system judge (mode, owner, access lists, read-only mounts).
    Descriptor existing;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            return false;
        }
        existing = Descriptor(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (!existing.valid() || ::fstat(existing.get(), &old) != 0 || !S_ISREG(old.st_mode)) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;
    }

    const Descriptor dir(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        return false;
    }
    std::string tempName;
    const Descriptor temp = CreateReplacement(dir.get(), fileName, tempName);
    if (!temp.valid()) {
        const bool folderLocked = errno == EACCES || errno == EPERM;
        return folderLocked && existing.valid() && OverwriteInPlace(existing.get(), text);
    }
    if (existing.valid()) {
        KeepOwnerAndMode(temp.get(), old);
    }
    const auto discard = [&] {
        if (!tempName.empty()) {
            ::unlinkat(dir.get(), tempName.c_str(), 0);
        }
        return false;
    };
    if (!WriteAll(temp.get(), text) || ::fsync(temp.get()) != 0) {
        return discard();
    }
    if (tempName.empty()) {
        if (!existing.valid()) {
            if (!LinkAnonymous(temp.get(), dir.get(), fileName)) {
                return false;
            }
            // A file left by an earlier save of this name, killed while it had its short name,
            // goes now that the name is taken.
            ::unlinkat(dir.get(), TemporaryName(fileName).c_str(), 0);
            SyncFolder(dir.get());
            return true;
        }
        // No call puts an anonymous file in place of a name: it is named for the moment of the
        // rename.
        const std::string candidate = TemporaryName(fileName);
        if (!TakeOverName(dir.get(), candidate,
                          [&] { return LinkAnonymous(temp.get(), dir.get(), candidate); })) {
            return false;
        }
        tempName = candidate;
    }
    if (::renameat(dir.get(), tempName.c_str(), dir.get(), fileName.c_str()) != 0) {
        return discard();
    }
    SyncFolder(dir.get());
    return true;
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
