// GetFullPathNameA: how Windows turns any name (relative, drive-relative, rooted, UNC) into a
// full path, as text only; nothing here looks at the file system.
#include <cstring>
#include <vector>

#include "internal/hostpath.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Length of the "\\server\share\" root of a UNC name: ".." never climbs above it.
std::size_t uncRootLength(std::string_view name) {
    std::size_t i = 2;
    for (int part = 0; part < 2; ++part) {
        while (i < name.size() && !isSeparator(name[i]))
            ++i;
        while (i < name.size() && isSeparator(name[i]))
            ++i;
    }
    return i;
}

// A directory as the base of a relative name: with exactly one trailing separator.
std::string withSeparator(std::string dir) {
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

// Windows' clean-up of a joined path after its first `mark` characters (the root, which it
// never touches): "/" becomes "\", doubled separators collapse, "." components vanish, ".."
// removes the component before it but never climbs above the root, a component followed by
// a separator loses one trailing dot ("a.\b" is "a\b"), and trailing dots and blanks of the
// whole path go.
std::string collapse(std::string path, std::size_t mark) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    mark = std::min(mark, path.size());
    std::string root = path.substr(0, mark);
    std::string_view rest = std::string_view(path).substr(mark);

    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < rest.size()) {
        std::size_t j = rest.find('\\', i);
        if (j == std::string_view::npos)
            j = rest.size();
        if (j > i)
            parts.push_back(rest.substr(i, j - i));
        i = j + 1;
    }
    bool trailingSeparator = !rest.empty() && rest.back() == '\\';

    std::vector<std::string_view> kept;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        std::string_view part = parts[k];
        bool last = k + 1 == parts.size() && !trailingSeparator;
        if (part == ".") {
            if (last)
                trailingSeparator = false;
            continue;
        }
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
            if (last)
                trailingSeparator = false;
            continue;
        }
        if (!last && part.back() == '.')
            part.remove_suffix(1);
        kept.push_back(part);
    }

    std::string out = root;
    // A root that is not a drive root ("\\server" alone) needs the separator before a part.
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (!out.empty() && out.back() != '\\')
            out += '\\';
        out += kept[k];
    }
    if (trailingSeparator && !kept.empty())
        out += '\\';
    while (out.size() > mark && (out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return out;
}

}  // namespace

std::optional<std::string> fullPathName(std::string_view name, const CurrentDirectories& dirs) {
    // A name of blanks only is refused like an empty one.
    if (name.find_first_not_of(' ') == std::string_view::npos)
        return std::nullopt;

    const std::string& current = dirs.current;
    if (name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1])) {
        // "\\.\x" and "\\?\x" are device names: only the four-character prefix is a root.
        if (name.size() >= 3 && (name[2] == '.' || name[2] == '?') &&
            (name.size() == 3 || isSeparator(name[3]))) {
            std::string path = "\\\\" + std::string(1, name[2]) + "\\";
            if (name.size() > 4)
                path += name.substr(4);
            return collapse(std::move(path), 4);
        }
        return collapse(std::string(name), uncRootLength(name));
    }
    if (name.size() >= 2 && name[1] == ':' && isDriveLetter(name[0])) {
        // The letter keeps the case the caller typed, as on Windows ("c:/x" is "c:\x"); only
        // a directory taken from the current ones comes out as it was stored there.
        char drive = name[0];
        std::string_view rest = name.substr(2);
        if (!rest.empty() && isSeparator(rest[0]))
            return collapse(std::string{drive, ':'} + std::string(rest), 3);
        // Drive-relative: the directory that drive had when it was last current, else its
        // root. "X:" alone is that directory itself, without a trailing separator.
        std::string base = current;
        if (base.empty() || asciiUpper(base[0]) != asciiUpper(drive)) {
            base = dirs.perDrive[static_cast<std::size_t>(asciiUpper(drive) - 'A')];
            if (base.empty())
                base = std::string{drive, ':', '\\'};
        }
        if (rest.empty())
            return base;
        return collapse(withSeparator(base) + std::string(rest), 3);
    }
    if (isSeparator(name[0])) {
        // Rooted without a drive: the root of the current drive.
        return collapse(current.substr(0, 2) + std::string(name), 3);
    }
    return collapse(withSeparator(current) + std::string(name), 3);
}

std::optional<std::string> fullWindowsPath(std::string_view name) {
    auto full = fullPathName(name, currentDirectories());
    if (!full)
        SetLastError(ERROR_INVALID_NAME);
    return full;
}

}  // namespace kvwin32::internal

using kvwin32::internal::kMaxPath;

extern "C" DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer,
                                  LPSTR* filePart) {
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // The ANSI call converts the name into, and resolves it within, MAX_PATH characters.
    std::string_view name(fileName);
    if (name.size() > kMaxPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    auto full = kvwin32::internal::fullWindowsPath(name);
    if (!full)
        return 0;
    if (full->size() >= kMaxPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    if (!buffer)
        bufferLength = 0;
    // Too small: the size needed, terminator included, and the buffer is left alone.
    if (full->size() >= bufferLength)
        return static_cast<DWORD>(full->size() + 1);
    std::memcpy(buffer, full->c_str(), full->size() + 1);
    if (filePart) {
        // The file part follows the last separator; a path ending in one has none.
        std::size_t slash = full->rfind('\\');
        bool hasPart = slash != std::string::npos && slash >= 2 && slash + 1 < full->size();
        *filePart = hasPart ? buffer + slash + 1 : nullptr;
    }
    return static_cast<DWORD>(full->size());
}
