// The straightforward reference implementation of PathUtil's text clean-up: the separator
// machine, the dot pass over kept components and normalize without the full-path step, written
// plainly as two passes. Tests and the fuzz target compare PathUtil against it; any difference
// in output is a fault.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace PathUtilReference {

namespace detail {

inline bool isSeparator(char c) {
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
inline std::size_t cleanSeparatorsInto(std::string_view path, char* out) {
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
inline bool hasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && !isSeparator(path[0]);
}

// A drive ("C:") or a UNC prefix (the run of two or more leading separators); 0 when the path
// has neither.
inline std::size_t prefixLength(std::string_view path) {
    if (hasDrive(path))
        return 2;
    std::size_t n = 0;
    while (n < path.size() && isSeparator(path[n]))
        ++n;
    return n >= 2 ? n : 0;
}

inline bool isAllDots(std::string_view s) {
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
inline void applyDots(std::string_view path, Part part, bool leadingRelative, KeptParts& kept,
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
inline bool hasDotsComponent(std::string_view path) {
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

}  // namespace detail

using namespace detail;

inline void cleanSeparators(std::string& path) {
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

inline void cleanDots(std::string& path) {
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

// normalize(path, false): separators, then dots when a component consists of dots alone.
inline void normalizeText(std::string& path) {
    cleanSeparators(path);
    if (hasDotsComponent(path))
        cleanDots(path);
}

}  // namespace PathUtilReference
