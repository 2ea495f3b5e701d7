// Path utilities: clean-up, extensions, components and folder chains of Windows paths.
#include "PathUtil.h"

#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include <windows.h>

namespace PathUtil {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// What the clean-up pass does with each byte. White space is the C locale's, byte by byte.
enum class CharClass : unsigned char { Plain, Quote, White, Separator, Colon };

constexpr std::array<CharClass, 256> kCharClass = [] {
    std::array<CharClass, 256> classes{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        classes[c] = CharClass::White;
    classes['"'] = CharClass::Quote;
    classes['\\'] = CharClass::Separator;
    classes['/'] = CharClass::Separator;
    classes[':'] = CharClass::Colon;
    return classes;
}();

// cleanSeparators as a machine whose state is what the text written so far ends with. Blanks
// are not written when met but counted, and written when a character follows that keeps them;
// a separator, a ":" or the end takes them back by forgetting the count.
enum SeparatorState : unsigned {
    kNothing,         // nothing written yet
    kFirstSeparator,  // just one "\\" (a second may follow: a UNC path's leading "\\")
    kSeparator,       // ends with "\\"
    kColon,           // ends with ":"
    kText,            // ends with another character, perhaps with blanks counted after it
    kStateCount
};

// One step per state and byte, packed: the next state (bits 0-2), whether the byte is written
// (bit 3), whether it counts as a blank (bit 4), whether the blanks counted so far stay counted
// (bit 5) and whether it is text that writes them (bit 6).
constexpr unsigned kNextState = 7;
constexpr unsigned kWrites = 1 << 3;
constexpr unsigned kCountsBlank = 1 << 4;
constexpr unsigned kKeepsBlanks = 1 << 5;
constexpr unsigned kIsText = 1 << 6;

constexpr std::array<unsigned char, 8 * 256> kSeparatorSteps = [] {
    std::array<unsigned char, 8 * 256> steps{};
    for (unsigned state = 0; state < kStateCount; ++state) {
        for (unsigned c = 0; c < 256; ++c) {
            unsigned step = state;
            switch (kCharClass[c]) {
                case CharClass::Plain:
                    step = kText | kWrites | kIsText;
                    break;
                case CharClass::Quote:  // quotes go
                    step = state | kKeepsBlanks;
                    break;
                case CharClass::White:  // after nothing, a separator or a ":" it goes
                    step = state | kKeepsBlanks | (state == kText ? kCountsBlank : 0);
                    break;
                case CharClass::Separator:  // only the second character may repeat one
                    step = state == kNothing     ? kFirstSeparator | kWrites
                           : state == kSeparator ? kSeparator
                                                 : kSeparator | kWrites;
                    break;
                case CharClass::Colon:
                    step = kColon | kWrites;
                    break;
            }
            steps[state * 256 + c] = static_cast<unsigned char>(step);
        }
    }
    return steps;
}();

// What is written for a byte that is: "\\" for either separator, the byte itself otherwise.
constexpr std::array<char, 256> kWritten = [] {
    std::array<char, 256> written{};
    for (unsigned c = 0; c < 256; ++c)
        written[c] = kCharClass[c] == CharClass::Separator ? '\\' : static_cast<char>(c);
    return written;
}();

// cleanSeparators from path into out, which has room for path.size() + 8 characters; returns
// the length written. Each byte takes one step from the table and the same few operations
// whatever it is: names mix letters, blanks and separators too irregularly for the processor
// to guess which way a test goes, and a wrong guess costs more than the step.
std::size_t cleanSeparatorsInto(std::string_view path, char* out) {
    std::size_t length = 0;
    std::size_t blanks = 0;  // counted after the text written so far
    unsigned state = kNothing;
    for (const char byte : path) {
        const auto c = static_cast<unsigned char>(byte);
        const unsigned step = kSeparatorSteps[state * 256 + c];
        const std::size_t text = (step & kIsText) != 0;
        if (blanks > 8 && text) [[unlikely]] {
            std::memset(out + length, ' ', blanks);
            length += blanks;
            blanks = 0;
        }
        // Blanks are written ahead every time; text keeps as many as were counted.
        std::memcpy(out + length, "        ", 8);
        const std::size_t kept = blanks & (0 - text);
        out[length + kept] = kWritten[c];
        length += kept + ((step & kWrites) != 0);
        blanks = (blanks + ((step & kCountsBlank) != 0)) &
                 (0 - static_cast<std::size_t>((step & kKeepsBlanks) != 0));
        state = step & kNextState;
    }
    return length;
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

// A component kept by cleanDots, as its position in the path.
struct Part {
    std::size_t begin;
    std::size_t size;
};

// The components cleanDots keeps: on the stack for the paths met in practice, on the heap
// beyond.
class KeptParts {
  public:
    void push(Part part) {
        if (m_count < kInline) {
            m_inline[m_count] = part;
        } else {
            m_heap.push_back(part);
        }
        ++m_count;
    }
    void pop() {
        if (m_count > kInline)
            m_heap.pop_back();
        --m_count;
    }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const Part& operator[](std::size_t i) const {
        return i < kInline ? m_inline[i] : m_heap[i - kInline];
    }

  private:
    static constexpr std::size_t kInline = 48;
    std::array<Part, kInline> m_inline;
    std::vector<Part> m_heap;
    std::size_t m_count = 0;
};

// The dot rules applied to one component at [begin, begin + size) of path, against the
// components kept so far. `floor` counts the kept components that can no longer be removed
// (leading ".", ".." that could not climb).
void applyDots(std::string_view path, Part part, bool leadingRelative, KeptParts& kept,
               std::size_t& floor) {
    const auto climb = [&](Part dots) {
        if (kept.size() > floor) {
            kept.pop();
        } else {
            kept.push(dots);
            floor = kept.size();
        }
    };
    const std::string_view text = path.substr(part.begin, part.size);
    if (part.size >= 2 && isAllDots(text)) {
        // n dots climb n - 1 levels, each one written ".." when it cannot climb.
        for (std::size_t k = 0; k + 1 < part.size; ++k)
            climb(Part{part.begin + k, 2});
        return;
    }
    if (text == ".") {
        if (leadingRelative) {
            kept.push(part);
            floor = kept.size();
        }
        return;
    }
    kept.push(part);
}

// Whether a component of a path consists of dots alone ("." or ".." or more).
bool hasDotsComponent(std::string_view path) {
    for (std::size_t dot = path.find('.'); dot != std::string_view::npos;
         dot = path.find('.', dot + 1)) {
        if (dot > 0 && !isSeparator(path[dot - 1]) && path[dot - 1] != ':')
            continue;
        std::size_t end = dot;
        while (end < path.size() && path[end] == '.')
            ++end;
        if (end == path.size() || isSeparator(path[end]))
            return true;
        dot = end;
    }
    return false;
}

}  // namespace

void cleanSeparators(std::string& path) {
    char local[512];
    std::string large;
    char* out = local;
    // Room for the longest result (the path itself) and for the eight blanks written at once.
    if (path.size() + 8 > sizeof local) {
        large.resize(path.size() + 8);
        out = large.data();
    }
    const std::size_t length = cleanSeparatorsInto(path, out);
    path.assign(out, length);
}

void cleanDots(std::string& path) {
    const std::size_t prefix = prefixLength(path);
    const std::string_view all = path;
    const std::string_view rest = all.substr(prefix);
    const bool leadingSeparator = !rest.empty() && isSeparator(rest.front());
    const bool trailingSeparator = !rest.empty() && isSeparator(rest.back());

    KeptParts kept;
    std::size_t floor = 0;
    bool first = true;
    std::size_t i = prefix;
    while (i < all.size()) {
        while (i < all.size() && isSeparator(all[i]))
            ++i;
        if (i == all.size())
            break;
        const std::size_t begin = i;
        while (i < all.size() && !isSeparator(all[i]))
            ++i;
        // A leading "." of a path without drive, UNC prefix or root keeps it relative.
        const bool leadingRelative = first && prefix == 0 && !leadingSeparator;
        applyDots(all, Part{begin, i - begin}, leadingRelative, kept, floor);
        first = false;
    }

    // The result is written over the path when no part of it lands beyond where that part
    // was read (the usual case: it only drops text); otherwise (n dots that cannot climb give
    // n - 1 "..\\") into another buffer, three times the path's length at most.
    const auto write = [&](char* out, bool inPlace) -> std::size_t {
        const char* const from = all.data();
        std::size_t at = prefix;
        if (!inPlace)
            std::memcpy(out, from, prefix);
        if (leadingSeparator)
            out[at++] = '\\';
        for (std::size_t k = 0; k < kept.size(); ++k) {
            if (k > 0)
                out[at++] = '\\';
            const Part part = kept[k];
            if (inPlace && at + part.size > part.begin + part.size)
                return std::string::npos;
            if (at != part.begin || !inPlace)
                std::memmove(out + at, from + part.begin, part.size);
            at += part.size;
        }
        if (trailingSeparator && !kept.empty())
            out[at++] = '\\';
        return at;
    };
    bool fitsInPlace = true;
    {
        // Dry run: where each part would land.
        std::size_t at = prefix + (leadingSeparator ? 1 : 0);
        for (std::size_t k = 0; k < kept.size() && fitsInPlace; ++k) {
            at += k > 0 ? 1 : 0;
            fitsInPlace = at <= kept[k].begin;
            at += kept[k].size;
        }
    }
    if (fitsInPlace) {
        path.resize(write(path.data(), true));
        return;
    }
    const std::size_t bound = 3 * path.size() + 2;
    char local[768];
    if (bound <= sizeof local) {
        // Copied back into the path's own buffer, which keeps its capacity for the next use.
        const std::size_t n = write(local, false);
        path.assign(local, n);
        return;
    }
    std::string out(bound, '\0');
    out.resize(write(out.data(), false));
    path = std::move(out);
}

void normalize(std::string& path, bool makeFull) {
    cleanSeparators(path);
    // After cleanSeparators a path without a component of dots alone is one cleanDots leaves
    // as it is: it is looked for first, which is cheaper than the pass.
    if (hasDotsComponent(path))
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
