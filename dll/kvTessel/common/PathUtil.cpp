// Path utilities: clean-up, extensions, components and folder chains of Windows paths.
#include "PathUtil.h"

#include <optional>
#include <vector>

#include <windows.h>

namespace PathUtil {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// The white space the clean-up pass recognises: the C locale's, byte by byte.
bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A drive is recognised by the ":" in second place (the letter is not checked, but a separator
// is never a drive letter).
bool hasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && !isSeparator(path[0]);
}

// A drive ("C:") or a UNC prefix (the run of two or more leading separators); 0 when the path
// has neither.
std::size_t prefixLength(std::string_view path) {
    if (hasDrive(path))
        return 2;
    std::size_t n = 0;
    while (n < path.size() && isSeparator(path[n]))
        ++n;
    return n >= 2 ? n : 0;
}

// Calls visit(range) for each component in order until it returns false.
template <typename Visit>
void forEachComponent(std::string_view path, Visit visit) {
    std::size_t i = 0;
    if (hasDrive(path)) {
        if (!visit(Range{0, 2}))
            return;
        i = 2;
    }
    while (i < path.size()) {
        while (i < path.size() && isSeparator(path[i]))
            ++i;
        if (i == path.size())
            break;
        std::size_t begin = i;
        while (i < path.size() && !isSeparator(path[i]))
            ++i;
        if (!visit(Range{begin, i}))
            return;
    }
}

bool isAllDots(std::string_view s) {
    return s.find_first_not_of('.') == std::string_view::npos;
}

// The dot rules applied to one component, against the components kept so far. `floor` counts
// the kept components that can no longer be removed (leading ".", ".." that could not climb).
void applyDots(std::string_view part, bool leadingRelative, std::vector<std::string_view>& kept,
               std::size_t& floor) {
    if (part.size() > 2 && isAllDots(part)) {
        // n dots climb n - 1 levels: one ".." now, then the same rule for n - 1 dots.
        applyDots("..", false, kept, floor);
        applyDots(part.substr(1), false, kept, floor);
        return;
    }
    if (part == ".") {
        if (leadingRelative) {
            kept.push_back(part);
            floor = kept.size();
        }
        return;
    }
    if (part == "..") {
        if (kept.size() > floor) {
            kept.pop_back();
        } else {
            kept.push_back(part);
            floor = kept.size();
        }
        return;
    }
    kept.push_back(part);
}

}  // namespace

void cleanSeparators(std::string& path) {
    std::string out;
    out.reserve(path.size());
    auto takeBackBlanks = [&out] {
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
    };
    for (char c : path) {
        if (c == '"')
            continue;
        if (isWhite(c)) {
            if (out.empty() || out.back() == '\\' || out.back() == ':')
                continue;
            out += ' ';
        } else if (isSeparator(c)) {
            takeBackBlanks();
            // Only the second character may repeat a separator: a UNC path's leading "\\".
            if (!out.empty() && out.back() == '\\' && out.size() != 1)
                continue;
            out += '\\';
        } else if (c == ':') {
            takeBackBlanks();
            out += ':';
        } else {
            out += c;
        }
    }
    takeBackBlanks();
    path = std::move(out);
}

void cleanDots(std::string& path) {
    std::size_t prefix = prefixLength(path);
    std::string_view rest = std::string_view(path).substr(prefix);
    bool leadingSeparator = !rest.empty() && isSeparator(rest.front());
    bool trailingSeparator = !rest.empty() && isSeparator(rest.back());

    std::vector<std::string_view> kept;
    std::size_t floor = 0;
    bool first = true;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isSeparator(rest[i]))
            ++i;
        if (i == rest.size())
            break;
        std::size_t begin = i;
        while (i < rest.size() && !isSeparator(rest[i]))
            ++i;
        // A leading "." of a path without drive, UNC prefix or root keeps it relative.
        bool leadingRelative = first && prefix == 0 && !leadingSeparator;
        applyDots(rest.substr(begin, i - begin), leadingRelative, kept, floor);
        first = false;
    }

    std::string out(path, 0, prefix);
    if (leadingSeparator)
        out += '\\';
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (k > 0)
            out += '\\';
        out += kept[k];
    }
    if (trailingSeparator && !kept.empty())
        out += '\\';
    path = std::move(out);
}

void normalize(std::string& path, bool makeFull) {
    cleanSeparators(path);
    cleanDots(path);
    if (!makeFull)
        return;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return;
    path.assign(full, length);
    cleanSeparators(path);
}

void setExtension(std::string& path, std::string_view source) {
    // Copied first: source may be a view of path itself.
    std::string extension(source);
    std::size_t dot = extension.rfind('.');
    if (dot != std::string::npos && extension.find_first_of("\\/", dot) == std::string::npos &&
        dot + 1 < extension.size())
        extension.erase(0, dot + 1);

    std::size_t oldDot = path.rfind('.');
    bool hasOld =
        oldDot != std::string::npos && path.find_first_of("\\/", oldDot) == std::string::npos;
    if (!extension.empty()) {
        if (hasOld)
            path.replace(oldDot + 1, std::string::npos, extension);
        else
            path += "." + extension;
    } else if (hasOld) {
        path.erase(oldDot);
    }
}

void rebase(std::string& path, std::string_view reference) {
    std::string name(fileName(path).in(path));
    std::string folder(directory(reference).in(reference));
    if (folder.empty()) {
        path = std::move(name);
        return;
    }
    path = folder + "\\" + name;
    cleanSeparators(path);
}

bool createDirectories(std::string_view dir) {
    int count = componentCount(dir);
    // An empty name has no chain to create.
    if (count == 0)
        return false;
    auto prefixThrough = [dir](int index) {
        return std::string(dir.substr(0, component(dir, index).end));
    };
    int deepest = 0;
    for (int i = count - 1; i >= 1; --i) {
        DWORD attributes = GetFileAttributesA(prefixThrough(i).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        deepest = i;
        break;
    }
    for (int i = deepest + 1; i < count; ++i)
        if (!CreateDirectoryA(prefixThrough(i).c_str(), nullptr))
            return false;
    return true;
}

bool exists(std::string_view path) {
    return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(std::string_view path) {
    DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(std::string_view path) {
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int componentCount(std::string_view path) {
    int count = 0;
    forEachComponent(path, [&count](Range) {
        ++count;
        return true;
    });
    return count;
}

Range component(std::string_view path, int index) {
    Range atEnd{path.size(), path.size()};
    if (index < 0 || path.empty())
        return atEnd;
    int seen = 0;
    std::optional<Range> found;
    std::optional<Range> last;
    forEachComponent(path, [&](Range r) {
        last = r;
        if (seen++ == index) {
            found = r;
            return false;
        }
        return true;
    });
    if (found)
        return *found;
    // Beyond the last component: the empty range where it ends (the path's end if none).
    if (last)
        return Range{last->end, last->end};
    return atEnd;
}

Range fileName(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos)
        return Range{slash + 1, path.size()};
    return Range{prefixLength(path), path.size()};
}

Range directory(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos)
        return Range{0, 0};
    return Range{0, slash + 1};
}

}  // namespace PathUtil
