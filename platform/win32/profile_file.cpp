// Reading INI files whole and replacing them atomically (see profile_file.h).
#include "internal/profile_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "internal/hostpath.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

namespace {

// A file descriptor closed when it goes out of scope.
class UniqueFd {
  public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close succeeded (a failed close may lose data).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    void reset() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

  private:
    int m_fd;  // owned descriptor, or -1
};

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

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

// A folder or file whose permission bits let nobody write is read-only for us too, even for
// a process that the host would let through: that is what the user who made it so expects,
// as with the read-only attribute on Windows.
bool isWriteProtected(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Creates a new temporary file beside target ("." + name + ".kvtmp-" + random digits) with
// the given permission bits (subject to the umask), or returns an invalid descriptor.
UniqueFd createTemporaryBeside(const std::string& target, mode_t mode, std::string& tempPath) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::string folder = parentFolder(target);
    // At most 64 bytes of the name, so that a long file name still leaves room for the suffix.
    const std::string name = target.substr(target.rfind('/') + 1, 64);
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempPath = folder + "/." + name + ".kvtmp-" + std::to_string(random() % 1'000'000'000);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return UniqueFd(fd);
    }
    errno = EEXIST;
    return UniqueFd(-1);
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
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return ERROR_SUCCESS;
}

DWORD replaceFileAtomically(const std::string& hostPath, std::string_view bytes) {
    std::string target = hostPath;
    struct stat st {};
    bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        // Renaming over a link would replace the link itself; replace the file it names.
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
            exists = ::stat(target.c_str(), &st) == 0;
        }
    }
    if (exists && !S_ISLNK(st.st_mode) && isWriteProtected(st))
        return ERROR_ACCESS_DENIED;

    const std::string folder = parentFolder(target);
    struct stat folderStat {};
    if (::stat(folder.c_str(), &folderStat) != 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ERROR_PATH_NOT_FOUND : writeError(errno);
    }
    if (!S_ISDIR(folderStat.st_mode))
        return ERROR_PATH_NOT_FOUND;
    if (isWriteProtected(folderStat))
        return ERROR_ACCESS_DENIED;

    // New files get the usual permission bits, subject to the umask; a replaced file keeps
    // its own.
    const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
    std::string tempPath;
    UniqueFd fd = createTemporaryBeside(target, mode, tempPath);
    if (!fd.valid()) {
        return errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : writeError(errno);
    }

    int failure = 0;
    if (!writeAll(fd.get(), bytes)) {
        failure = errno;
    } else if (exists && ::fchmod(fd.get(), mode) != 0) {
        failure = errno;
    } else if (::fsync(fd.get()) != 0) {
        failure = errno;
    } else if (!fd.close()) {
        failure = errno;
    } else if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        fd.reset();
        ::unlink(tempPath.c_str());
        return writeError(failure);
    }

    // Make the rename itself durable; the data is already on disk, so a failure here is not
    // reported.
    UniqueFd folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid())
        ::fsync(folderFd.get());
    return ERROR_SUCCESS;
}

}  // namespace kvwin32::internal
