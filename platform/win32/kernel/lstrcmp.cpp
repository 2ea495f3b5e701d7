// lstrcmpA, lstrcmpiA, CompareStringA and LCMapStringA's sort keys: Windows' string order for
// ASCII text, the order sorted list boxes and combo boxes keep their items in.
//
// Windows compares in levels, each consulted only where the ones before found the strings equal:
//   1. the characters' weights: symbols (punctuation, spaces, control characters) before digits
//      before letters, letters without case. NUL characters weigh nothing anywhere, and in the
//      word sort (the default) neither do hyphens and apostrophes, so "co-op" sorts with "coop";
//      NORM_IGNORESYMBOLS drops spaces and punctuation (marks included) altogether.
//   2. letter case, unless NORM_IGNORECASE: at the first letter whose case differs, the lower
//      case one sorts first ("aaa" before "AAA").
//   3. the word sort's marks, unless SORT_STRINGSORT (where they weigh as the symbols they are)
//      or NORM_IGNORESYMBOLS: a string without marks sorts before one with them ("coop" before
//      "co-op"). Between strings that differ only in their marks Windows promises no order
//      beyond that; ours reads as a list would be read: the first mark that differs in place or
//      kind decides, the mark that stands earlier (counting the characters that weigh or are
//      marks, NULs not) sorting first, and at the same place an apostrophe before a hyphen, as
//      in ASCII; a string whose marks all match the other's first ones sorts first. So
//      "a-b" < "ab-", "co'op" < "co-op" < "coo-p", and "ab-c" < "ab-c-".
#include <algorithm>
#include <array>
#include <limits>

#include "internal/lstrcmp.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"

namespace kvwin32::internal {

namespace {

constexpr bool isUpper(unsigned char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr bool isLetter(unsigned char c) {
    return isUpper(c) || (c >= 'a' && c <= 'z');
}

constexpr bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// The marks of the word sort.
constexpr bool isMark(unsigned char c) {
    return c == '-' || c == '\'';
}

// What NORM_IGNORESYMBOLS drops: ASCII punctuation and white space (control characters that are
// not spaces stay, as do bytes beyond ASCII).
constexpr bool isSymbol(unsigned char c) {
    const bool space = c == ' ' || (c >= '\t' && c <= '\r');
    const bool punctuation = c > ' ' && c < 0x7f && !isLetter(c) && !isDigit(c);
    return space || punctuation;
}

// A character's weight at the first level, 0 for none: symbols before digits before letters,
// letters without case, ASCII order within each group.
constexpr int primaryWeight(unsigned char c) {
    if (c == 0) {
        return 0;
    }
    if (isLetter(c)) {
        return 0x300 + (isUpper(c) ? c - 'A' + 'a' : c);
    }
    if (isDigit(c)) {
        return 0x200 + c;
    }
    return 0x100 + c;
}

using Weights = std::array<short, 256>;

// The first level's weights under each choice of flags: the word sort, the string sort, and
// without symbols.
enum class Table { Word, String, NoSymbols };

constexpr Weights makeWeights(Table table) {
    Weights weights{};
    for (int c = 0; c < 256; ++c) {
        const auto ch = static_cast<unsigned char>(c);
        const bool dropped =
            (table == Table::Word && isMark(ch)) || (table == Table::NoSymbols && isSymbol(ch));
        weights[static_cast<std::size_t>(c)] = static_cast<short>(dropped ? 0 : primaryWeight(ch));
    }
    return weights;
}

constexpr Weights kWordWeights = makeWeights(Table::Word);
constexpr Weights kStringWeights = makeWeights(Table::String);
constexpr Weights kNoSymbolWeights = makeWeights(Table::NoSymbols);

// How one choice of flags orders: the first level's weights and the later levels it consults.
struct Order {
    const Weights& weights;
    bool caseLevel;  // without NORM_IGNORECASE
    bool markLevel;  // the word sort's marks: neither SORT_STRINGSORT nor NORM_IGNORESYMBOLS
};

constexpr Order orderOf(DWORD flags) {
    const bool noSymbols = (flags & NORM_IGNORESYMBOLS) != 0;
    const bool stringSort = (flags & SORT_STRINGSORT) != 0;
    return {noSymbols    ? kNoSymbolWeights
            : stringSort ? kStringWeights
                         : kWordWeights,
            (flags & NORM_IGNORECASE) == 0, !noSymbols && !stringSort};
}

// lstrcmpi's order, which sorted list boxes compare by.
constexpr Order kNoCaseOrder = orderOf(NORM_IGNORECASE);

// The weight of text[i] (0 for a character that weighs nothing, NUL included).
inline int weightAt(const Weights& weights, std::string_view text, std::size_t i) {
    return weights[static_cast<unsigned char>(text[i])];
}

// The first level from positions i and j on: -1, 0 or 1.
int comparePrimary(std::string_view a, std::string_view b, std::size_t i, std::size_t j,
                   const Weights& weights) {
    while (true) {
        int wa = 0;
        int wb = 0;
        while (i < a.size() && (wa = weightAt(weights, a, i)) == 0) {
            ++i;
        }
        while (j < b.size() && (wb = weightAt(weights, b, j)) == 0) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        }
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Letter case, between strings equal at the first level (so their weighing characters pair up).
int compareCase(std::string_view a, std::string_view b, std::size_t i, std::size_t j,
                const Weights& weights) {
    while (true) {
        while (i < a.size() && weightAt(weights, a, i) == 0) {
            ++i;
        }
        while (j < b.size() && weightAt(weights, b, j) == 0) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return 0;
        }
        const bool upperA = isUpper(static_cast<unsigned char>(a[i]));
        const bool upperB = isUpper(static_cast<unsigned char>(b[j]));
        if (upperA != upperB) {
            return upperA ? 1 : -1;
        }
        ++i;
        ++j;
    }
}

// The word sort's marks, between strings equal at the levels before. In the word sort every
// character but NUL either weighs or is a mark: a mark's place counts those before it.
int compareMarks(std::string_view a, std::string_view b, std::size_t i, std::size_t j) {
    std::size_t placeA = 0;
    std::size_t placeB = 0;
    while (true) {
        for (; i < a.size() && !isMark(static_cast<unsigned char>(a[i])); ++i) {
            placeA += a[i] != '\0' ? 1 : 0;
        }
        for (; j < b.size() && !isMark(static_cast<unsigned char>(b[j])); ++j) {
            placeB += b[j] != '\0' ? 1 : 0;
        }
        if (i == a.size() || j == b.size()) {
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        }
        if (placeA != placeB) {
            return placeA < placeB ? -1 : 1;
        }
        if (a[i] != b[j]) {
            return a[i] == '\'' ? -1 : 1;
        }
        ++i;
        ++j;
        ++placeA;
        ++placeB;
    }
}

inline int compareWith(std::string_view a, std::string_view b, const Order& order) {
    // Equal bytes weigh the same at every level and stand at the same places, so the comparison
    // can begin where the bytes first differ (names in a list often share long beginnings).
    const auto common = static_cast<std::size_t>(
        std::mismatch(a.begin(),
                      a.begin() + static_cast<std::ptrdiff_t>(std::min(a.size(), b.size())),
                      b.begin())
            .first -
        a.begin());
    int result = comparePrimary(a, b, common, common, order.weights);
    if (result == 0 && order.caseLevel) {
        result = compareCase(a, b, common, common, order.weights);
    }
    if (result == 0 && order.markLevel) {
        result = compareMarks(a, b, common, common);
    }
    return result;
}

// Each first-level weight's place among all of them, from 2 up (0 ends a sort key and 1
// separates its levels): comparing sort keys byte by byte then orders as the weights do. The
// string sort's weights hold every other table's.
constexpr std::array<unsigned char, 256> kRanks = [] {
    // Which weights occur, then how many distinct ones lie below each: a few thousand steps,
    // well inside what a compiler evaluates at compile time.
    std::array<bool, 0x400> present{};
    for (const short w : kStringWeights) {
        present[static_cast<std::size_t>(w)] = true;
    }
    std::array<int, 0x400> below{};
    int distinct = 0;
    for (std::size_t w = 1; w < present.size(); ++w) {
        below[w] = distinct;
        distinct += present[w] ? 1 : 0;
    }
    std::array<unsigned char, 256> ranks{};
    for (std::size_t c = 0; c < ranks.size(); ++c) {
        ranks[c] =
            static_cast<unsigned char>(2 + below[static_cast<std::size_t>(kStringWeights[c])]);
    }
    return ranks;
}();

// A sort key: the first level's ranks; then, where a later level has something to say, 1 and
// a byte for each weighing character up to the last capital (2 lower case or no letter, 3 upper
// case); then, where there are marks, 1 and a byte for each character that weighs or is a mark,
// up to the last mark (2 apostrophe, 3 hyphen, 4 any other); then 0. A level left out compares
// as empty, below any byte it could hold: an all-lower-case text's key is its key without case.
struct KeyShape {
    std::size_t primary = 0;  // weighing characters
    std::size_t cases = 0;    // case bytes: up to the last capital
    std::size_t marks = 0;    // mark bytes: up to the last mark
};

KeyShape shapeOf(std::string_view text, const Order& order) {
    KeyShape shape;
    std::size_t places = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (order.weights[c] != 0) {
            ++shape.primary;
            if (order.caseLevel && isUpper(c)) {
                shape.cases = shape.primary;
            }
        }
        if (order.markLevel && c != 0) {
            ++places;
            if (isMark(c)) {
                shape.marks = places;
            }
        }
    }
    return shape;
}

std::size_t keySize(const KeyShape& shape) {
    std::size_t size = shape.primary + 1;
    if (shape.cases > 0 || shape.marks > 0) {
        size += 1 + shape.cases;
    }
    if (shape.marks > 0) {
        size += 1 + shape.marks;
    }
    return size;
}

}  // namespace

int compareStrings(std::string_view a, std::string_view b, DWORD flags) {
    return compareWith(a, b, orderOf(flags));
}

int compareStringNoCase(std::string_view a, std::string_view b) {
    return compareWith(a, b, kNoCaseOrder);
}

std::size_t sortKeySize(std::string_view text, DWORD flags) {
    return keySize(shapeOf(text, orderOf(flags)));
}

void writeSortKey(std::string_view text, DWORD flags, char* key) {
    const Order order = orderOf(flags);
    const KeyShape shape = shapeOf(text, order);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (order.weights[c] != 0) {
            *key++ = static_cast<char>(kRanks[c]);
        }
    }
    if (shape.cases > 0 || shape.marks > 0) {
        *key++ = '\x01';
        std::size_t written = 0;
        for (std::size_t i = 0; i < text.size() && written < shape.cases; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (order.weights[c] != 0) {
                *key++ = isUpper(c) ? '\x03' : '\x02';
                ++written;
            }
        }
    }
    if (shape.marks > 0) {
        *key++ = '\x01';
        std::size_t written = 0;
        for (std::size_t i = 0; i < text.size() && written < shape.marks; ++i) {
            const char c = text[i];
            if (c != '\0') {
                *key++ = c == '\'' ? '\x02' : c == '-' ? '\x03' : '\x04';
                ++written;
            }
        }
    }
    *key = '\0';
}

}  // namespace kvwin32::internal

namespace {

// The flags CompareStringA and sort keys take: those that order ASCII text, and those that
// concern only characters beyond it (accents, kana, widths, the code page), accepted without
// effect. LINGUISTIC_IGNORECASE ignores the case of ASCII letters as NORM_IGNORECASE does.
constexpr DWORD kAcceptedFlags = kvwin32::internal::kOrderFlags | LINGUISTIC_IGNORECASE |
                                 NORM_IGNORENONSPACE | LINGUISTIC_IGNOREDIACRITIC |
                                 NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH | NORM_LINGUISTIC_CASING |
                                 LOCALE_USE_CP_ACP;

DWORD orderFlags(DWORD flags) {
    return (flags & kvwin32::internal::kOrderFlags) |
           ((flags & LINGUISTIC_IGNORECASE) != 0 ? NORM_IGNORECASE : 0);
}

// A counted string: count -1 runs up to the terminator; otherwise NULs inside count (and weigh
// nothing).
std::string_view counted(LPCSTR text, int count) {
    return count < 0 ? std::string_view(text)
                     : std::string_view(text, static_cast<std::size_t>(count));
}

// lstrcmpA and lstrcmpiA: a null string sorts before every other one.
int compareTerminated(LPCSTR a, LPCSTR b, DWORD flags) {
    if (a == nullptr || b == nullptr) {
        return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
    }
    return kvwin32::internal::compareStrings(a, b, flags);
}

}  // namespace

extern "C" int lstrcmpA(LPCSTR a, LPCSTR b) {
    return compareTerminated(a, b, 0);
}

extern "C" int lstrcmpiA(LPCSTR a, LPCSTR b) {
    if (a == nullptr || b == nullptr) {
        return compareTerminated(a, b, NORM_IGNORECASE);
    }
    return kvwin32::internal::compareStringNoCase(a, b);
}

extern "C" int CompareStringA(LCID, DWORD flags, LPCSTR a, int countA, LPCSTR b, int countB) {
    if (a == nullptr || b == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((flags & ~kAcceptedFlags) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const int order = kvwin32::internal::compareStrings(counted(a, countA), counted(b, countB),
                                                        orderFlags(flags));
    return CSTR_EQUAL + order;
}

extern "C" int LCMapStringA(LCID, DWORD flags, LPCSTR source, int sourceCount, LPSTR destination,
                            int destinationSize) {
    // Windows looks at the arguments before the flags: a count of 0 is refused whatever is asked.
    if (source == nullptr || sourceCount == 0 || destinationSize < 0 ||
        (destinationSize > 0 && destination == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Sort keys are the only mapping made (no case mapping, no width or script conversion).
    if ((flags & LCMAP_SORTKEY) == 0 || (flags & ~(LCMAP_SORTKEY | kAcceptedFlags)) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const std::string_view text = counted(source, sourceCount);
    const DWORD order = orderFlags(flags);
    const std::size_t size = kvwin32::internal::sortKeySize(text, order);
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);  // no int can tell the size
        return 0;
    }
    if (destinationSize == 0) {
        return static_cast<int>(size);
    }
    if (size > static_cast<std::size_t>(destinationSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    kvwin32::internal::writeSortKey(text, order, destination);
    return static_cast<int>(size);
}
