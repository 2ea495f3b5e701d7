// Path utilities: clean-up, extensions, components and folder chains of Windows paths.
#include "PathUtil.h"

#include <algorithm>
#include <array>
#include <cstdint>
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
// after text are written tentatively, each in its place, and a cursor moves past them; a
// character that keeps them writes itself at the cursor and takes everything up to it into the
// length, a separator, a ":" or the end takes them back by writing at the length instead.
enum SeparatorState : unsigned {
    kNothing,         // nothing written yet
    kFirstSeparator,  // just one "\\" (a second may follow: a UNC path's leading "\\")
    kSeparator,       // ends with "\\"
    kColon,           // ends with ":"
    kText,            // ends with another character, perhaps with blanks counted after it
    kDots,            // like kText, in a component that has been dots alone so far (blanks
                      // after them may follow: they are taken back if a separator comes)
    kStateCount
};

// One step per state and byte, packed in a byte: whether the cursor moves past the byte (bit
// 0), whether the length moves up to the cursor (bit 1), whether the byte drops the blanks
// counted and goes at the length (bit 2), the next state times eight (bits 3-5, the shift
// that selects its step below) and whether the byte ends a component of dots alone (bit 6).
constexpr unsigned kAdvances = 1 << 0;
constexpr unsigned kWrites = 1 << 1;
constexpr unsigned kDropsBlanks = 1 << 2;
constexpr unsigned kNextShift = 7 << 3;
constexpr unsigned kEndsDots = 1 << 6;

// The steps of a byte for all five states in one word, the step of state s in byte s. The
// next state is a shift and a mask away from the step before: one short chain from byte to
// byte, with the table looked up by the byte alone, ahead of the chain.
constexpr std::array<std::uint64_t, 256> kSeparatorSteps = [] {
    std::array<std::uint64_t, 256> steps{};
    for (unsigned state = 0; state < kStateCount; ++state) {
        for (unsigned c = 0; c < 256; ++c) {
            unsigned next = state;
            unsigned flags = 0;
            switch (kCharClass[c]) {
                case CharClass::Plain:
                    // A dot at the start of a component, or after its dots, keeps it one of
                    // dots alone (as far as this pass can tell: blanks between dots do not
                    // end it, so it may be taken for one when it is not, never the reverse).
                    next = c == '.' && state != kText ? kDots : kText;
                    flags = kAdvances | kWrites;
                    break;
                case CharClass::Quote:  // quotes go
                    break;
                case CharClass::White:  // after nothing, a separator or a ":" it goes
                    flags = state == kText || state == kDots ? kAdvances : 0;
                    break;
                case CharClass::Separator:  // only the second character may repeat one
                    next = state == kNothing ? kFirstSeparator : kSeparator;
                    flags = kDropsBlanks | (state == kSeparator ? 0 : kAdvances | kWrites) |
                            (state == kDots ? kEndsDots : 0);
                    break;
                case CharClass::Colon:
                    next = kColon;
                    flags = kDropsBlanks | kAdvances | kWrites;
                    break;
            }
            steps[c] |= std::uint64_t{flags | next << 3} << (8 * state);
        }
    }
    return steps;
}();

// What is written for a byte that is: "\\" for either separator, a blank for white space,
// the byte itself otherwise.
constexpr std::array<char, 256> kWritten = [] {
    std::array<char, 256> written{};
    for (unsigned c = 0; c < 256; ++c) {
        written[c] = kCharClass[c] == CharClass::Separator ? '\\'
                     : kCharClass[c] == CharClass::White   ? ' '
                                                           : static_cast<char>(c);
    }
    return written;
}();

// cleanSeparators of size bytes from path into out, which may be path itself (nothing is
// written beyond the byte being read); returns the length written and tells whether the text
// written may have a component of dots alone (never "no" when it has one). Each byte takes the same
// few operations whatever it is, without a test: names mix letters, blanks and separators too
// irregularly for the processor to guess which way a test goes, and a wrong guess costs more than
// the step.
std::size_t cleanSeparatorsInto(const char* path, std::size_t size, char* out, bool& dotComponent) {
    unsigned seen = 0;
    std::size_t length = 0;  // of the text written
    std::size_t cursor = 0;  // past the blanks written tentatively after it
    unsigned shift = kNothing * 8;
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        const std::uint64_t steps = kSeparatorSteps[c];
        const auto step = static_cast<std::uint8_t>(steps >> shift);
        shift = step & kNextShift;
        // Written in every case (a quote or a blank dropped is overwritten later), the byte
        // counts only when the step writes.
        const std::size_t at = (step & kDropsBlanks) != 0 ? length : cursor;
        out[at] = kWritten[c];
        seen |= step;
        cursor = at + (step & kAdvances);
        length = (step & kWrites) != 0 ? cursor : length;
    }
    dotComponent = (seen & kEndsDots) != 0 || shift == kDots * 8;
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

// Room for the work of normalize and cleanDots on a path of `size` characters: the text with
// separators written "\\" (with 16 characters to spare, so that it can be read and a component
// copied eight bytes at a time), the result (3 * size + 2 at most, n dots that cannot climb
// giving n - 1 "..\\", with the same spare) and the starts of the components kept in it. On the
// stack for the paths met in practice, on the heap beyond.
struct Scratch {
    char* text;
    char* out;
    std::uint32_t* starts;
};

template <typename Use>
void withScratch(std::size_t size, Use use) {
    constexpr std::size_t kLocal = 256;
    if (size <= kLocal) {
        char text[kLocal + 16];
        char out[3 * kLocal + 2 + 16];
        std::uint32_t starts[kLocal + 1];
        use(Scratch{text, out, starts});
        return;
    }
    std::vector<char> chars(size + 16 + 3 * size + 2 + 16);
    std::vector<std::uint32_t> starts(size + 1);
    use(Scratch{chars.data(), chars.data() + size + 16, starts.data()});
}

// Makes path the size bytes at text, reusing its buffer.
void store(std::string& path, const char* text, std::size_t size) {
    if (size <= path.size()) {
        path.resize(size);
        std::memcpy(path.data(), text, size);
    } else {
        path.assign(text, size);
    }
}

// Copies size bytes eight at a time: both sides have eight bytes to spare past the end.
void copyWords(char* to, const char* from, std::size_t size) {
    for (std::size_t i = 0; i < size; i += 8)
        std::memcpy(to + i, from + i, 8);
}

// Whether the size bytes at part are all dots; eight bytes past them may be read.
bool allDots(const char* part, std::size_t size) {
    constexpr std::uint64_t kDotWord = 0x2e2e2e2e2e2e2e2eull;
    for (;; part += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, part, 8);
        word ^= kDotWord;
        if (size <= 8)
            return (word & (~std::uint64_t{0} >> (64 - 8 * size))) == 0;
        if (word != 0)
            return false;
    }
}

// Where the first "\\" at or after begin is in text, length when there is none; text has 16
// readable bytes past length.
std::size_t nextSeparator(const char* text, std::size_t begin, std::size_t length) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    for (std::size_t at = begin; at < length; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + at, 8);
        word ^= kOnes * '\\';
        // The lowest byte flagged is the first "\\" (a flag above it may be false).
        const std::uint64_t found = (word - kOnes) & ~word & (kOnes << 7);
        if (found != 0)
            return std::min(at + static_cast<std::size_t>(__builtin_ctzll(found) >> 3), length);
    }
    return length;
}

// The dot rules, in one pass over the components of text (length bytes, separators all
// "\\", 16 readable bytes past the end) after its prefix (a drive or a UNC prefix, written as
// it is), written into scratch.out; returns the length written. Empty components are passed
// over. "." components vanish except a leading one of a relative path; each further dot of a
// component of dots alone removes the last component kept, or is written ".." when none can
// be removed (then neither that ".." nor anything before it is ever removed). Kept components
// are written as they come; the stack of their starts lets a climb take one back.
std::size_t writeWithoutDots(const char* text, std::size_t length, std::size_t prefix,
                             const Scratch& scratch) {
    char* const out = scratch.out;
    std::uint32_t* const starts = scratch.starts;
    const bool leadingSeparator = length > prefix && text[prefix] == '\\';
    const bool trailingSeparator = length > prefix && text[length - 1] == '\\';
    std::memcpy(out, text, prefix);
    std::size_t at = prefix;
    if (leadingSeparator)
        out[at++] = '\\';
    std::size_t kept = 0;   // components kept
    std::size_t floor = 0;  // of which the first `floor` can no longer be removed
    const auto push = [&](const char* part, std::size_t size) {
        starts[kept] = static_cast<std::uint32_t>(at);
        out[at] = '\\';
        at += kept > 0;
        ++kept;
        copyWords(out + at, part, size);
        at += size;
    };
    // Dots to copy from, with the bytes to spare.
    static constexpr char kDots[8] = "..";
    bool relativeStart = prefix == 0 && !leadingSeparator;
    for (std::size_t begin = prefix; begin <= length;) {
        const std::size_t end = nextSeparator(text, begin, length);
        const char* const part = text + begin;
        const std::size_t size = end - begin;
        begin = end + 1;
        if (size == 0)
            continue;
        const bool leadingRelative = relativeStart;
        relativeStart = false;
        if (!allDots(part, size)) [[likely]] {
            push(part, size);
        } else if (size == 1) {
            if (leadingRelative) {
                push(kDots, 1);
                floor = kept;
            }
        } else {
            for (std::size_t n = 1; n < size; ++n) {
                if (kept > floor) {
                    at = starts[--kept];
                } else {
                    push(kDots, 2);
                    floor = kept;
                }
            }
        }
    }
    if (trailingSeparator && kept > 0)
        out[at++] = '\\';
    return at;
}

}  // namespace

void cleanSeparators(std::string& path) {
    // In place: the text only shrinks, each byte written no later than where it was read.
    bool dotComponent = false;
    path.resize(cleanSeparatorsInto(path.data(), path.size(), path.data(), dotComponent));
}

void cleanDots(std::string& path) {
    const std::size_t prefix = prefixLength(path);
    withScratch(path.size(), [&](const Scratch& scratch) {
        // Every separator after the prefix ends a component, and the leading and trailing ones
        // are written as "\\".
        const std::size_t size = path.size();
        std::memcpy(scratch.text, path.data(), size);
        std::memset(scratch.text + size, 0, 16);
        for (std::size_t i = prefix; i < size; ++i) {
            if (isSeparator(path[i]))
                scratch.text[i] = '\\';
        }
        store(path, scratch.out, writeWithoutDots(scratch.text, size, prefix, scratch));
    });
}

void normalize(std::string& path, bool makeFull) {
    // Separators and dots in two steps over one scratch: the separator machine writes the
    // cleaned text, then the dot rules go from separator to separator, eight bytes at a time.
    // The machine notes whether a component may be dots alone; when none is, the dot rules
    // have nothing to do ("file.ext" has a dot, but no such component) and the cleaned text
    // is the result.
    withScratch(path.size(), [&](const Scratch& scratch) {
        bool dotComponent = false;
        const std::size_t length =
            cleanSeparatorsInto(path.data(), path.size(), scratch.text, dotComponent);
        if (!dotComponent) {
            store(path, scratch.text, length);
            return;
        }
        // The cleaned text has at most two leading separators (a UNC prefix), single ones
        // after them.
        std::memset(scratch.text + length, 0, 16);
        const std::size_t prefix = prefixLength(std::string_view(scratch.text, length));
        store(path, scratch.out, writeWithoutDots(scratch.text, length, prefix, scratch));
    });
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
