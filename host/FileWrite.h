// The files kvhost reads and writes whole: the profile, the script, the snapshots. Both go
// through the platform's one file discipline (kvwin32/file_write.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Result.h"

namespace kvhost {

// Writes `contents` to `path`: a regular file is replaced through a temporary file beside it
// and a rename (keeping its permission bits, owner and group); a symbolic link is written
// through and stays a link; a device or FIFO is written directly; a file we may not write (or
// whose permission bits let nobody write) is refused. On failure a replaced file is untouched,
// no temporary file is left, and the error names the path and the reason.
Status writeFileAtomically(const std::string& path, std::string_view contents);

// The most bytes kvhost reads from a profile, a script or standard input.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;

// Reads a whole regular file of at most kMaxInputBytes. The error says why not ("cannot read
// 'PATH': it is a folder", "... it is not a regular file", "... it is larger than 64 MiB").
Result<std::string> readInputFile(const std::string& path);

}  // namespace kvhost
