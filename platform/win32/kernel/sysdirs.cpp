// The Windows folder and the temporary folder, as the environment overlay and the drive table
// describe them. Neither function checks that the folder exists: Windows does not either.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "internal/environment.h"
#include "internal/hostpath.h"
#include "kvwin32/winbase.h"

namespace {

// Copies a result with the return convention the folder functions share: the length without
// the terminator when it fits, else the size needed including the terminator (the buffer is
// then left alone).
DWORD copyResult(const std::string& text, LPSTR buffer, DWORD size) {
    if (!buffer || text.size() >= size)
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

// A variable of the overlay; an empty value counts as unset, as GetEnvironmentVariable
// reports it.
std::optional<std::string> nonEmptyVariable(std::string_view name) {
    auto value = kvwin32::internal::getVariable(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

std::string windowsDirectory() {
    std::string dir = nonEmptyVariable("WINDIR").value_or("C:\\Windows");
    // "C:\Windows", never "C:\Windows\"; a drive root keeps its backslash.
    while (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

std::string temporaryDirectory() {
    std::optional<std::string> dir;
    for (std::string_view name : {"TMP", "TEMP", "USERPROFILE"}) {
        if ((dir = nonEmptyVariable(name)))
            break;
    }
    // Linux addition: a host that only has the POSIX TMPDIR (a host path) or the usual /tmp
    // still gets its own temporary folder, seen through the drive table.
    if (!dir) {
        if (auto tmpdir = nonEmptyVariable("TMPDIR"))
            dir = kvwin32::internal::windowsPath(*tmpdir);
    }
    if (!dir)
        dir = kvwin32::internal::windowsPath("/tmp");
    if (!dir)
        dir = windowsDirectory();
    if (dir->back() != '\\')
        *dir += '\\';
    return *dir;
}

}  // namespace

extern "C" UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return copyResult(windowsDirectory(), buffer, size);
}

extern "C" DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer) {
    return copyResult(temporaryDirectory(), buffer, bufferLength);
}
