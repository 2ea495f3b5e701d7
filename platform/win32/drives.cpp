// PLACEHOLDER until the drive table lands: C: is "/", no case-insensitive lookup.
#include <cerrno>
#include <string>
#include <unistd.h>

#include "internal/hostpath.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

std::optional<std::string> hostPath(std::string_view windowsPath) {
    std::string p(windowsPath);
    if (p.size() >= 2 && p[1] == ':') p.erase(0, 2);
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.empty() || p[0] != '/') {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) return std::nullopt;
        p = std::string(cwd) + "/" + p;
    }
    return p;
}

std::optional<std::string> windowsPath(std::string_view hostPath) {
    std::string p = "C:";
    p += hostPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

DWORD errorFromErrno(int err) {
    switch (err) {
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM: return ERROR_ACCESS_DENIED;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case ENOSPC: return ERROR_DISK_FULL;
        default: return ERROR_INVALID_PARAMETER;
    }
}

}  // namespace kvwin32::internal
