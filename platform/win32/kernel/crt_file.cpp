// The C runtime's file calls on Windows paths: _access and fopen.
#include <cerrno>
#include <string>

#include <sys/stat.h>

#include "internal/hostpath.h"
#include "kvwin32/crt.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

// The errno the runtime reports for a path the file services could not resolve.
int errnoFromLastError() {
    switch (GetLastError()) {
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
            return EINVAL;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        default:
            return ENOENT;
    }
}

std::optional<std::string> resolveForCrt(const char* path) {
    if (!path) {
        errno = EINVAL;
        return std::nullopt;
    }
    DWORD saved = GetLastError();
    auto host = kvwin32::internal::hostPath(path);
    if (!host)
        errno = errnoFromLastError();
    // The runtime reports through errno and leaves the last error as it found it.
    SetLastError(saved);
    return host;
}

}  // namespace

extern "C" int _access(const char* path, int mode) {
    // Only existence (0), write (2), read (4) and both (6) are valid modes.
    if (mode & ~6) {
        errno = EINVAL;
        return -1;
    }
    auto host = resolveForCrt(path);
    if (!host)
        return -1;
    struct stat st;
    if (stat(host->c_str(), &st) != 0) {
        errno = ENOENT;
        return -1;
    }
    // On Windows everything that exists can be read, and write access is the read-only
    // attribute, which folders do not honour.
    if ((mode & 2) && !S_ISDIR(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

namespace kvcrt {

FILE* fopen(const char* path, const char* mode) {
    if (!mode) {
        errno = EINVAL;
        return nullptr;
    }
    // The first letter says what to do; "+" adds the other direction; "b" and "t" say
    // nothing on this system.
    std::string hostMode;
    std::string_view m(mode);
    if (m.empty() || (m[0] != 'r' && m[0] != 'w' && m[0] != 'a')) {
        errno = EINVAL;
        return nullptr;
    }
    hostMode += m[0];
    bool update = m.find('+') != std::string_view::npos;
    if (update)
        hostMode += '+';
    auto host = resolveForCrt(path);
    if (!host)
        return nullptr;

    struct stat st;
    if (stat(host->c_str(), &st) == 0) {
        // Windows opens no folder as a stream, and writes no read-only file.
        bool writes = m[0] != 'r' || update;
        if (S_ISDIR(st.st_mode) || (writes && (st.st_mode & S_IWUSR) == 0)) {
            errno = EACCES;
            return nullptr;
        }
    }
    return std::fopen(host->c_str(), hostMode.c_str());
}

}  // namespace kvcrt
