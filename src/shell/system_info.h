#pragma once
// Where the system information tool lives. This platform has no registry to ask, so a tiny
// read-only stand-in answers the one key the about box reads: the first well-known
// system-information program found in a directory of the program search path.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvexa {

inline constexpr int32_t HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002U);
inline constexpr const char *kSysInfoKey = "SOFTWARE\\Tools\\System Information";
inline constexpr const char *kSysInfoValue = "PATH";

// Candidate programs, most fitting first.
const std::vector<std::string> &SystemInfoCandidates();

// An existing regular file that this user may execute.
bool IsExecutableFile(const std::string &path);

// The full path of the first candidate found in the ':'-separated directory list. Empty and
// relative entries are skipped: they would start whatever lies in the current directory.
std::optional<std::string>
FindProgram(const std::vector<std::string> &candidates, const std::string &searchPath,
            const std::function<bool(const std::string &)> &isExecutable = IsExecutableFile);

// One value of the stand-in registry: root, key and value name must match kSysInfoKey's, and a
// candidate must be installed. The search path is the environment's PATH.
std::optional<std::string> ReadToolKey(int32_t root, const std::string &keyName,
                                       const std::string &valueName, const std::string &searchPath);

// The environment's PATH, empty when unset.
std::string ProgramSearchPath();

} // namespace corvexa
