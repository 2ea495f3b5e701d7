// The emulated current directory: GetCurrentDirectoryA and SetCurrentDirectoryA.
//
// The current directory is a Windows path kept by kvwin32 alone. SetCurrentDirectoryA never
// changes the host process's working directory: the host's own relative paths (its command
// line, its output files) must keep meaning what they meant.
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#include "internal/hostpath.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

using kvwin32::internal::kMaxPath;

extern "C" DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    std::string current = kvwin32::internal::currentDirectories().current;
    if (!buffer)
        bufferLength = 0;
    // Too small: the size needed, terminator included, and the buffer is left alone.
    if (current.size() >= bufferLength)
        return static_cast<DWORD>(current.size() + 1);
    std::memcpy(buffer, current.c_str(), current.size() + 1);
    return static_cast<DWORD>(current.size());
}

extern "C" BOOL SetCurrentDirectoryA(LPCSTR pathName) {
    if (!pathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto full = kvwin32::internal::fullWindowsPath(pathName);
    if (!full)
        return FALSE;
    // Windows keeps the current directory with a trailing separator in a MAX_PATH buffer, so
    // a directory of MAX_PATH - 1 characters or more is refused.
    std::string stored = *full;
    if (stored.size() > 3 && stored.back() == '\\')
        stored.pop_back();
    if (stored.size() + 2 > kMaxPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    auto host = kvwin32::internal::hostPath(*full);
    if (!host)
        return FALSE;
    struct stat st;
    if (stat(host->c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? kvwin32::internal::missingEntryError(*host)
                                     : kvwin32::internal::errorFromErrno(errno));
        return FALSE;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    // The case the caller typed is kept, as Windows keeps it.
    kvwin32::internal::setCurrentDirectory(stored);
    return TRUE;
}
