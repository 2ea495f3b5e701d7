// Whole-file writes and reads on host paths (see kvwin32/file_write.h).
#include "kvwin32/file_write.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "internal/unique_fd.h"

namespace kvwin32 {
namespace {

using internal::UniqueFd;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names once every symbolic link on the way is followed; the path of
// a link that names nothing yet is where the new file goes, as open(O_CREAT) would put it.
// 0, or ELOOP after as many links as the kernel itself would follow.
int followLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return errno;
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    return ELOOP;
}

// Write permission as this system sees it (see the header): nobody writes a file without any
// write bit; otherwise the kernel decides for the caller's effective identity.
int writePermission(const std::string& path, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int applyAttributes(int fd, const FileWriteOptions& options, std::optional<unsigned> mode) {
    if (options.mode)
        mode = options.mode;
    if (mode && ::fchmod(fd, static_cast<mode_t>(*mode & 07777)) != 0)
        return errno;
    if (options.accessed || options.modified) {
        struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
        if (options.accessed)
            times[0] = *options.accessed;
        if (options.modified)
            times[1] = *options.modified;
        if (::futimens(fd, times) != 0)
            return errno;
    }
    return 0;
}

// Writes into the file itself: a device or FIFO (no truncation, nothing but the writes), or a
// regular file that must stay the same inode (truncated first).
int writeInPlace(const std::string& path, bool regular, const std::function<int(int)>& fill,
                 const FileWriteOptions& options) {
    const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | (regular ? O_TRUNC : 0);
    UniqueFd fd(::open(path.c_str(), flags));
    if (!fd.valid())
        return errno;
    if (const int err = fill(fd.get()))
        return err;
    if (regular) {
        if (const int err = applyAttributes(fd.get(), options, std::nullopt))
            return err;
        if (::fsync(fd.get()) != 0)
            return errno;
    }
    return fd.close();
}

// A new file beside `target` named "." + at most 64 bytes of its name + ".kvtmp-" + six
// random characters: at most 78 bytes, within every file system's name limit whatever the
// target's name.
UniqueFd createTemporaryBeside(const std::string& target, mode_t mode, std::string& tempPath) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    const std::string prefix = folderOf(target) + "/." + nameOf(target).substr(0, 64) + ".kvtmp-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix;
        for (int i = 0; i < 6; ++i)
            tempPath += kChars[random() % (sizeof kChars - 1)];
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return UniqueFd(fd);
    }
    errno = EEXIST;
    return UniqueFd(-1);
}

// A folder without any write bit takes no new names, even from root (see the header).
bool folderWriteProtected(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

int writeWholeFile(const std::string& hostPath, const std::function<int(int)>& fill,
                   const FileWriteOptions& options) {
    // What the path names, as the kernel sees it through every link (a link of /proc/self/fd
    // names its pipe or device, whatever its text says).
    struct stat st {};
    const bool exists = ::stat(hostPath.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists && options.failIfExists)
        return EEXIST;
    if (exists && S_ISDIR(st.st_mode))
        return EISDIR;
    if (exists && !S_ISREG(st.st_mode))
        return writeInPlace(hostPath, false, fill, options);
    if (exists) {
        if (const int err = writePermission(hostPath, st))
            return err;
        // Replacing one name of several would split them apart.
        if (st.st_nlink > 1)
            return writeInPlace(hostPath, true, fill, options);
    }
    // The name to replace: the file at the end of the links, beside which the temporary file
    // goes. When the links' text does not lead to the file the kernel found (a link to a file
    // that was deleted), the file is rewritten through the path as given.
    std::string target = hostPath;
    if (const int err = followLinks(target))
        return err;
    if (exists) {
        struct stat found {};
        if (::lstat(target.c_str(), &found) != 0 || found.st_dev != st.st_dev ||
            found.st_ino != st.st_ino)
            return writeInPlace(hostPath, true, fill, options);
    }

    const std::string folder = folderOf(target);
    if (folderWriteProtected(folder))
        return EACCES;
    std::string tempPath;
    // A replaced file is private until it has its owner's permission bits.
    UniqueFd fd = createTemporaryBeside(target, exists ? 0600 : 0666, tempPath);
    if (!fd.valid()) {
        const int err = errno;
        // A folder we may not add to still lets us rewrite a file we may write.
        if (exists && (err == EACCES || err == EPERM))
            return writeInPlace(target, true, fill, options);
        return err;
    }

    auto abandon = [&](int err) {
        fd.reset();
        ::unlink(tempPath.c_str());
        return err;
    };
    std::optional<unsigned> mode;
    if (exists) {
        struct stat made {};
        if (::fstat(fd.get(), &made) != 0)
            return abandon(errno);
        if ((made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
            ::fchown(fd.get(), st.st_uid, st.st_gid) != 0) {
            // Only the owner's own rewrite keeps the file theirs.
            abandon(0);
            return writeInPlace(target, true, fill, options);
        }
        mode = st.st_mode & 07777;  // after the chown, which may clear set-id bits
    }
    if (const int err = fill(fd.get()))
        return abandon(err);
    if (const int err = applyAttributes(fd.get(), options, mode))
        return abandon(err);
    if (::fsync(fd.get()) != 0)
        return abandon(errno);
    if (const int err = fd.close())
        return abandon(err);
    if (options.failIfExists) {
        // link() refuses an existing name, so a target that appeared meanwhile is kept.
        const int err = ::link(tempPath.c_str(), target.c_str()) == 0 ? 0 : errno;
        ::unlink(tempPath.c_str());
        if (err != 0)
            return err;
    } else if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        return abandon(errno);
    }
    // Make the rename itself durable; the data is already on disk, so a failure here is not
    // reported.
    UniqueFd folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid())
        ::fsync(folderFd.get());
    return 0;
}

int writeWholeFile(const std::string& hostPath, std::string_view bytes,
                   const FileWriteOptions& options) {
    return writeWholeFile(
        hostPath,
        [bytes](int fd) mutable {
            while (!bytes.empty()) {
                const ssize_t n = ::write(fd, bytes.data(), bytes.size());
                if (n < 0) {
                    if (errno == EINTR)
                        continue;
                    return errno;
                }
                bytes.remove_prefix(static_cast<std::size_t>(n));
            }
            return 0;
        },
        options);
}

int readRegularFile(const std::string& hostPath, std::string& bytes, std::size_t limit) {
    // Opened without waiting, so that a FIFO with no writer is refused rather than waited for.
    UniqueFd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        return errno;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return kNotARegularFile;
    if (static_cast<std::uint64_t>(st.st_size) > limit)
        return kFileTooLarge;
    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        // A file that grows while we read it is still held to the limit.
        if (text.size() + static_cast<std::size_t>(n) > limit)
            return kFileTooLarge;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    bytes = std::move(text);
    return 0;
}

std::string fileErrorText(int error, std::size_t limit) {
    switch (error) {
        case 0:
            return "no error";
        case EISDIR:
            return "it is a folder";
        case kNotARegularFile:
            return "it is not a regular file";
        case kFileTooLarge:
            return "it is larger than " + (limit % (1u << 20) == 0
                                               ? std::to_string(limit >> 20) + " MiB"
                                               : std::to_string(limit) + " bytes");
        default:
            return std::strerror(error);
    }
}

}  // namespace kvwin32
