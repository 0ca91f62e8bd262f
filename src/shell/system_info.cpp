#include "shell/system_info.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace corvexa {

const std::vector<std::string> &SystemInfoCandidates() {
    static const std::vector<std::string> names = {
        "hardinfo2",
        "hardinfo",
        "gnome-system-monitor",
        "mate-system-monitor",
        "plasma-systemmonitor",
        "ksysguard",
        "xfce4-taskmanager",
        "lxtask",
    };
    return names;
}

bool IsExecutableFile(const std::string &path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string>
FindProgram(const std::vector<std::string> &candidates, const std::string &searchPath,
            const std::function<bool(const std::string &)> &isExecutable) {
    std::vector<std::string> dirs;
    size_t from = 0;
    while (from <= searchPath.size()) {
        size_t to = searchPath.find(':', from);
        if (to == std::string::npos) {
            to = searchPath.size();
        }
        std::string dir = searchPath.substr(from, to - from);
        if (!dir.empty() && dir.front() == '/') {
            while (dir.size() > 1 && dir.back() == '/') {
                dir.pop_back();
            }
            dirs.push_back(dir == "/" ? "" : dir);
        }
        from = to + 1;
    }
    for (const std::string &name : candidates) {
        for (const std::string &dir : dirs) {
            std::string path = dir;
            path += '/';
            path += name;
            if (isExecutable(path)) {
                return path;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadToolKey(int32_t root, const std::string &keyName,
                                       const std::string &valueName,
                                       const std::string &searchPath) {
    if (root != HKEY_LOCAL_MACHINE || keyName != kSysInfoKey || valueName != kSysInfoValue) {
        return std::nullopt;
    }
    return FindProgram(SystemInfoCandidates(), searchPath);
}

std::string ProgramSearchPath() {
    const char *path = std::getenv("PATH");
    return path == nullptr ? std::string() : std::string(path);
}

} // namespace corvexa
