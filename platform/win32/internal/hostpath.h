// Internal: mapping between Windows paths and host paths through the drive table, with the
// case-insensitive component lookup Windows users expect on a case-sensitive file system.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kvwin32/windef.h"

struct stat;

namespace kvwin32::internal {

// The full-path buffer of the original system: longer paths are refused.
inline constexpr std::size_t kMaxPath = 260;

// Host path of the entry a Windows path names (relative paths resolve against the current
// directory). Each existing component is found exactly, else by a case-insensitive lookup in
// a listing of its folder (kept while the folder is unchanged); components that do not exist
// keep the case they were given. A name whose components were all found exactly is remembered
// and costs one lstat the next time. Fails (nullopt, with the last error set) for UNC paths,
// unknown drives and over-long paths.
std::optional<std::string> hostPath(std::string_view windowsPath);

// hostPath, and the stat of the entry it gives (statError 0, or the errno of the failed stat).
// A name resolved before with every component found as written costs only that stat.
std::optional<std::string> hostPathAndStat(std::string_view windowsPath, struct stat& st,
                                           int& statError);

// How many times a folder was read to find a name in it ignoring case. Folders are read
// again only when they changed; tests and benchmarks count the reads.
std::uint64_t folderScanCount();

// The time, in nanoseconds since the epoch, that stamps of files and folders are compared
// with to tell whether they are settled.
std::int64_t fileClockNow();
// Replaces that clock (null: the system's) so that tests can move time on.
void setFileClockForTesting(std::int64_t (*clock)());

// What a cache of something read from the file system can trust. A file system stamps a
// change with a coarse clock (a tick of a few milliseconds, a second, two on FAT), so a second
// change soon after the first can leave every stamp as it was: same size, same times. A stamp
// is settled when its change time lies more than kStampSettleNs before the moment the thing
// was read (seenNs, taken before reading): any later change then carries a later change time.
// The change time, unlike the modification time, cannot be set back by a program. Until then
// a cache reads the thing again on each use (and compares). Two seconds cover the coarsest
// stamps and small clock differences of a network file system.
inline constexpr std::int64_t kStampSettleNs = 2'000'000'000;
inline bool stampSettled(std::int64_t changedNs, std::int64_t seenNs) {
    return changedNs < seenNs - kStampSettleNs;
}

// Windows path of a host path ("/srv/sim/a" with C:=/srv/sim gives "C:\a"); nullopt when no
// drive covers it.
std::optional<std::string> windowsPath(std::string_view hostPath);

// The Win32 error for an errno value.
DWORD errorFromErrno(int err);

// The Win32 error for a host path that could not be found: ERROR_FILE_NOT_FOUND when its
// folder exists, ERROR_PATH_NOT_FOUND when the folder itself is missing (or is a file).
DWORD missingEntryError(const std::string& hostPath);

// The emulated current directory and the directory last made current on each drive ('A' is
// index 0), as full Windows paths without a trailing separator except at a drive root; an
// empty entry means the drive has none yet.
struct CurrentDirectories {
    std::string current;
    std::array<std::string, 26> perDrive;
};

// A copy of the process's current directories.
CurrentDirectories currentDirectories();

// Makes a full Windows path (drive form, no trailing separator except at the root) the current
// directory and the remembered directory of its drive.
void setCurrentDirectory(const std::string& fullPath);

// The full Windows path of a name against the given directories, as GetFullPathNameA computes
// it, without any length limit; nullopt for an empty or all-blank name.
std::optional<std::string> fullPathName(std::string_view name, const CurrentDirectories& dirs);

// fullPathName against the process's current directories; sets ERROR_INVALID_NAME on failure.
std::optional<std::string> fullWindowsPath(std::string_view name);

}  // namespace kvwin32::internal
