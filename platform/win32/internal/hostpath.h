// Internal: mapping between Windows paths and host paths through the drive table, with the
// case-insensitive component lookup Windows users expect on a case-sensitive file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kvwin32/windef.h"

namespace kvwin32::internal {

// The full-path buffer of the original system: longer paths are refused.
inline constexpr std::size_t kMaxPath = 260;

// Host path of the entry a Windows path names (relative paths resolve against the current
// directory). Each existing component is found exactly, else by a case-insensitive scan of its
// folder; components that do not exist keep the case they were given. Fails (nullopt, with the
// last error set) for UNC paths, unknown drives and over-long paths.
std::optional<std::string> hostPath(std::string_view windowsPath);

// Windows path of a host path ("/srv/sim/a" with C:=/srv/sim gives "C:\a"); nullopt when no
// drive covers it.
std::optional<std::string> windowsPath(std::string_view hostPath);

// The Win32 error for an errno value.
DWORD errorFromErrno(int err);

}  // namespace kvwin32::internal
