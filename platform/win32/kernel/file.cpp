// File and folder services on Windows paths: attributes, folders, copying and deleting.
//
// Windows judges write access by the read-only attribute, not by who the caller is; the host
// may run us as root, who may write anything, so the read-only checks below look at the owner
// write bit themselves rather than trusting the host call to refuse.
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "internal/hostpath.h"
#include "kvwin32/file_write.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::errorFromErrno;
using kvwin32::internal::hostPath;
using kvwin32::internal::missingEntryError;

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::optional<std::string> resolve(LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    return hostPath(name);
}

// The error for a failed stat/lstat of a host path: Windows tells a missing entry in an
// existing folder (file not found) from a missing folder (path not found).
DWORD lookupError(int err, const std::string& host) {
    if (err == ENOENT || err == ENOTDIR)
        return missingEntryError(host);
    return errorFromErrno(err);
}

// stat of a resolved path; false with the last error set when it does not exist.
bool statEntry(const std::string& host, struct stat& st) {
    if (stat(host.c_str(), &st) == 0)
        return true;
    SetLastError(lookupError(errno, host));
    return false;
}

bool isReadOnly(const struct stat& st) {
    return (st.st_mode & S_IWUSR) == 0;
}

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

// Copies every byte from one descriptor to another; 0 or the errno of the failure.
int copyBytes(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t got = read(from, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
    }
}

}  // namespace

extern "C" DWORD GetFileAttributesA(LPCSTR fileName) {
    auto host = resolve(fileName);
    if (!host)
        return INVALID_FILE_ATTRIBUTES;
    struct stat st;
    if (!statEntry(*host, st))
        return INVALID_FILE_ATTRIBUTES;
    // Folders report just the folder bit: Windows does not enforce read-only on folders and
    // SetFileAttributesA leaves their permissions alone.
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    // Plain files report FILE_ATTRIBUTE_ARCHIVE, as files written on a typical Windows volume
    // do; the owner's write bit stands for the read-only attribute.
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (isReadOnly(st))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

extern "C" BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
    auto host = resolve(fileName);
    if (!host)
        return FALSE;
    struct stat st;
    if (!statEntry(*host, st))
        return FALSE;
    if (S_ISDIR(st.st_mode))
        return TRUE;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~kWriteBits) : (mode | S_IWUSR);
    if (chmod(host->c_str(), mode) != 0) {
        SetLastError(errorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES) {
    auto host = resolve(pathName);
    if (!host)
        return FALSE;
    if (mkdir(host->c_str(), 0777) == 0)
        return TRUE;
    // A missing parent is ERROR_PATH_NOT_FOUND: the new folder itself is never "not found".
    int err = errno;
    SetLastError(err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND : errorFromErrno(err));
    return FALSE;
}

extern "C" BOOL RemoveDirectoryA(LPCSTR pathName) {
    auto host = resolve(pathName);
    if (!host)
        return FALSE;
    struct stat st;
    if (lstat(host->c_str(), &st) != 0) {
        SetLastError(lookupError(errno, *host));
        return FALSE;
    }
    // A file given to RemoveDirectoryA is "the directory name is invalid".
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (rmdir(host->c_str()) == 0)
        return TRUE;
    int err = errno;
    SetLastError(err == EEXIST || err == ENOTEMPTY ? ERROR_DIR_NOT_EMPTY : errorFromErrno(err));
    return FALSE;
}

extern "C" BOOL DeleteFileA(LPCSTR fileName) {
    auto host = resolve(fileName);
    if (!host)
        return FALSE;
    struct stat st;
    if (lstat(host->c_str(), &st) != 0) {
        SetLastError(lookupError(errno, *host));
        return FALSE;
    }
    // Windows refuses to delete a folder or a read-only file with ERROR_ACCESS_DENIED.
    if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && isReadOnly(st))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(host->c_str()) != 0) {
        SetLastError(lookupError(errno, *host));
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
    auto source = resolve(existingFileName);
    if (!source)
        return FALSE;
    auto target = resolve(newFileName);
    if (!target)
        return FALSE;

    struct stat from;
    if (!statEntry(*source, from))
        return FALSE;
    // A folder is refused as on Windows; a device or FIFO, whose reading might never end, too.
    if (!S_ISREG(from.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    struct stat to;
    if (stat(target->c_str(), &to) == 0) {
        if (failIfExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        // Windows will not replace a folder or a read-only file.
        if (S_ISDIR(to.st_mode) || isReadOnly(to)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        // Copying a file onto itself finds the source already open.
        if (to.st_dev == from.st_dev && to.st_ino == from.st_ino) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return FALSE;
        }
    }

    FileDescriptor input(open(source->c_str(), O_RDONLY | O_CLOEXEC));
    if (input.get() < 0) {
        SetLastError(lookupError(errno, *source));
        return FALSE;
    }
    // The copy is written beside the target and renamed into place, so a failure at any point
    // leaves the old target (or no target) exactly as it was; a target that is a link is
    // written through. Windows copies the attributes (read-only among them) and the
    // last-write time.
    kvwin32::FileWriteOptions options;
    options.mode = from.st_mode & 07777;
    options.accessed = from.st_atim;
    options.modified = from.st_mtim;
    options.failIfExists = failIfExists != FALSE;
    const int err = kvwin32::writeWholeFile(
        *target, [&](int fd) { return copyBytes(input.get(), fd); }, options);
    if (err != 0) {
        SetLastError(err == EEXIST                     ? ERROR_FILE_EXISTS
                     : err == ENOENT || err == ENOTDIR ? ERROR_PATH_NOT_FOUND
                     : err == EISDIR                   ? ERROR_ACCESS_DENIED
                                                       : errorFromErrno(err));
        return FALSE;
    }
    return TRUE;
}
