// Writing and reading whole files on host paths, the one way every part of the system replaces
// a user's file (INI files, copied configuration files, kvhost's profile and snapshots) and
// reads a file a user names (profiles, scripts, ".reg" files). Not a Win32 interface.
//
// A write never destroys what it does not own:
// - a symbolic link is followed (through any chain of links) and the file it names is written;
//   the link stays a link, as writing through a link does on Windows;
// - a device, FIFO or socket is written directly, never replaced by a regular file;
// - a regular file is replaced through a temporary file beside it and a rename, so that a
//   reader or a crash sees the old contents or the new ones, never a part; the new file keeps
//   the old one's permission bits, owner and group. When the owner cannot be kept (a file of
//   another user that we may write) or the file has other hard links, it is rewritten in place
//   instead, so that it stays the other user's and every link sees the new contents;
// - a file whose permission bits let nobody write is read-only, even for a process the host
//   would let through (root): that is what the user who made it so expects, as with the
//   read-only attribute on Windows. A file the caller may not write is refused.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kvwin32 {

struct FileWriteOptions {
    // Permission bits to give the file; default: a replaced file keeps its own, a new file gets
    // 0666 less the umask.
    std::optional<unsigned> mode;
    // Last-access and last-write times to give the file (a copy keeps its source's).
    std::optional<std::timespec> accessed;
    std::optional<std::timespec> modified;
    // Refuse with EEXIST when the target exists (checked again at the rename, so a file that
    // appears meanwhile is kept).
    bool failIfExists = false;
};

// Writes the contents a filler puts into an open descriptor (it returns 0 or an errno value)
// to the file at a host path, as described above. Returns 0, or the errno value of the
// failure (EACCES for a read-only or forbidden file, EISDIR for a folder, ENOENT or ENOTDIR
// for a missing folder, ...). On failure a replaced file is untouched and no temporary file is
// left behind.
int writeWholeFile(const std::string& hostPath, const std::function<int(int fd)>& fill,
                   const FileWriteOptions& options = {});
int writeWholeFile(const std::string& hostPath, std::string_view bytes,
                   const FileWriteOptions& options = {});

// The most bytes readRegularFile takes by default: far beyond any profile, script, INI or
// ".reg" file, yet a bound on what a file can make us hold in memory.
inline constexpr std::size_t kMaxReadFileBytes = std::size_t{64} << 20;

// readRegularFile's refusals beyond errno values.
inline constexpr int kNotARegularFile = -1;  // a device, FIFO or socket (EISDIR for a folder)
inline constexpr int kFileTooLarge = -2;     // more than the limit

// Reads a whole regular file of at most `limit` bytes. Returns 0, an errno value, EISDIR for a
// folder, kNotARegularFile or kFileTooLarge; `bytes` holds the file only on success.
int readRegularFile(const std::string& hostPath, std::string& bytes,
                    std::size_t limit = kMaxReadFileBytes);

// The reason for a failure of the functions above, for a message: "Permission denied", "it is
// a folder", "it is not a regular file", "it is larger than 64 MiB", ...
std::string fileErrorText(int error, std::size_t limit = kMaxReadFileBytes);

}  // namespace kvwin32

#pragma GCC visibility pop
