// Reading INI files whole and replacing them atomically (see profile_file.h).
#include "internal/profile_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "internal/hostpath.h"
#include "internal/unique_fd.h"
#include "kvwin32/file_write.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
}

namespace {

// The Win32 error a failed write reports for an errno value.
DWORD writeError(int err) {
    switch (err) {
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return ERROR_ACCESS_DENIED;
        case EDQUOT:
        case ENOSPC:
            return ERROR_DISK_FULL;
        case EIO:
            return ERROR_WRITE_FAULT;
        default:
            return errorFromErrno(err);
    }
}

}  // namespace

DWORD identifyFile(const std::string& hostPath, FileIdentity& identity) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0)
        return errorFromErrno(errno);
    identity = identityOf(st);
    return ERROR_SUCCESS;
}

DWORD readWholeFile(const std::string& hostPath, std::string& bytes, FileIdentity& identity) {
    UniqueFd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return errorFromErrno(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return errorFromErrno(errno);
    // Windows refuses to open a folder as a file.
    if (S_ISDIR(st.st_mode))
        return ERROR_ACCESS_DENIED;
    identity = identityOf(st);

    bytes.clear();
    if (S_ISREG(st.st_mode))
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ERROR_READ_FAULT;
        }
        // A device that never ends (or a file beyond any configuration) is not read into
        // memory without bound.
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxReadFileBytes) {
            bytes.clear();
            return ERROR_NOT_ENOUGH_MEMORY;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return ERROR_SUCCESS;
}

DWORD replaceFileAtomically(const std::string& hostPath, std::string_view bytes) {
    const int err = writeWholeFile(hostPath, bytes);
    if (err == 0)
        return ERROR_SUCCESS;
    return err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND : writeError(err);
}

}  // namespace kvwin32::internal
