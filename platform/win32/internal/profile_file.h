// Internal: the file side of the private-profile functions. An INI file is read whole and
// identified by what changes when anyone rewrites it; a write replaces it atomically, so a
// crash never leaves a user's configuration half written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kvwin32/windef.h"

struct stat;

namespace kvwin32::internal {

// What tells one version of a file from another: a rewrite in place changes the size or the
// times, a replacement by rename changes the inode. A change within the resolution of the
// times can keep all of them: see stampSettled in hostpath.h for how readers stay safe.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time in nanoseconds since the epoch
    std::int64_t changedNs = 0;   // change time (of contents or attributes), likewise
    bool operator==(const FileIdentity&) const = default;
};

// The identity a stat of the file gives.
FileIdentity identityOf(const struct stat& st);

// Identity of the file at a host path; ERROR_SUCCESS or the Win32 error.
DWORD identifyFile(const std::string& hostPath, FileIdentity& identity);

// Reads a whole file (lines of any length, files up to kMaxReadFileBytes) and the identity of
// what was read; ERROR_SUCCESS or the Win32 error (ERROR_ACCESS_DENIED for a folder,
// ERROR_NOT_ENOUGH_MEMORY beyond the limit).
DWORD readWholeFile(const std::string& hostPath, std::string& bytes, FileIdentity& identity);

// Replaces the contents of a file, or creates it, with kvwin32::writeWholeFile (through a
// temporary file and a rename; a link stays a link, a device is written directly, the file
// keeps its permission bits, owner and group). A read-only file or folder refuses the write
// with ERROR_ACCESS_DENIED, a missing folder with ERROR_PATH_NOT_FOUND. On any failure the
// original is untouched and no temporary file is left behind. Returns ERROR_SUCCESS or the
// Win32 error.
DWORD replaceFileAtomically(const std::string& hostPath, std::string_view bytes);

}  // namespace kvwin32::internal
