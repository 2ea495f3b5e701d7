// lstrcmpiA and CompareStringA without case: Windows' case-insensitive string order, the order
// sorted list boxes and combo boxes keep their items in.
#include <algorithm>
#include <array>
#include <cctype>

#include "internal/lstrcmp.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"

namespace kvwin32::internal {

namespace {

// The order of a character in Windows' case-insensitive string sort: punctuation and symbols
// before digits, digits before letters, letters without case.
constexpr int sortWeight(unsigned char c) {
    const bool upper = c >= 'A' && c <= 'Z';
    const bool lower = c >= 'a' && c <= 'z';
    if (upper || lower) {
        return 0x300 + (upper ? c - 'A' + 'a' : c);
    }
    if (c >= '0' && c <= '9') {
        return 0x200 + c;
    }
    return 0x100 + c;
}

constexpr std::array<short, 256> kWeights = [] {
    std::array<short, 256> weights{};
    for (int c = 0; c < 256; ++c) {
        weights[static_cast<std::size_t>(c)] =
            static_cast<short>(sortWeight(static_cast<unsigned char>(c)));
    }
    return weights;
}();

// Windows sorts with a word sort: hyphens and apostrophes count only when the strings are
// otherwise equal ("co-op" sorts with "coop").
bool ignoredInWordSort(unsigned char c) {
    return c == '-' || c == '\'';
}

int compareWeights(std::string_view a, std::string_view b, bool skipWordMarks) {
    // Equal bytes weigh the same and are skipped the same way, so the comparison can begin
    // where the bytes first differ (names in a list often share long beginnings).
    const auto common = static_cast<std::size_t>(
        std::mismatch(a.begin(),
                      a.begin() + static_cast<std::ptrdiff_t>(std::min(a.size(), b.size())),
                      b.begin())
            .first -
        a.begin());
    std::size_t i = common;
    std::size_t j = common;
    while (true) {
        if (skipWordMarks) {
            while (i < a.size() && ignoredInWordSort(static_cast<unsigned char>(a[i]))) {
                ++i;
            }
            while (j < b.size() && ignoredInWordSort(static_cast<unsigned char>(b[j]))) {
                ++j;
            }
        }
        if (i == a.size() || j == b.size()) {
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        }
        const int wa = kWeights[static_cast<unsigned char>(a[i])];
        const int wb = kWeights[static_cast<unsigned char>(b[j])];
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Each weight's place among all weights, from 2 up (0 ends a sort key and 1 separates its
// levels): comparing sort keys byte by byte then orders as the weights do.
constexpr std::array<unsigned char, 256> kRanks = [] {
    // Which weights occur, then how many distinct ones lie below each: a few thousand steps,
    // well inside what a compiler evaluates at compile time.
    std::array<bool, 0x400> present{};
    for (int c = 0; c < 256; ++c) {
        present[static_cast<std::size_t>(sortWeight(static_cast<unsigned char>(c)))] = true;
    }
    std::array<int, 0x400> below{};
    int distinct = 0;
    for (std::size_t w = 0; w < present.size(); ++w) {
        below[w] = distinct;
        distinct += present[w] ? 1 : 0;
    }
    std::array<unsigned char, 256> ranks{};
    for (int c = 0; c < 256; ++c) {
        ranks[static_cast<std::size_t>(c)] = static_cast<unsigned char>(
            2 + below[static_cast<std::size_t>(sortWeight(static_cast<unsigned char>(c)))]);
    }
    return ranks;
}();

}  // namespace

std::size_t sortKeySize(std::string_view text) {
    std::size_t marks = 0;
    for (const char c : text) {
        marks += ignoredInWordSort(static_cast<unsigned char>(c)) ? 1 : 0;
    }
    return 2 * text.size() - marks + 2;
}

void writeSortKey(std::string_view text, char* key) {
    for (const char c : text) {
        if (!ignoredInWordSort(static_cast<unsigned char>(c))) {
            *key++ = static_cast<char>(kRanks[static_cast<unsigned char>(c)]);
        }
    }
    *key++ = '\x01';
    for (const char c : text) {
        *key++ = static_cast<char>(kRanks[static_cast<unsigned char>(c)]);
    }
    *key = '\0';
}

int compareStringNoCase(std::string_view a, std::string_view b) {
    const int primary = compareWeights(a, b, true);
    return primary != 0 ? primary : compareWeights(a, b, false);
}

}  // namespace kvwin32::internal

extern "C" int lstrcmpiA(LPCSTR a, LPCSTR b) {
    // Windows orders a null string before every other one.
    if (a == nullptr || b == nullptr) {
        return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
    }
    return kvwin32::internal::compareStringNoCase(a, b);
}

extern "C" int CompareStringA(LCID, DWORD flags, LPCSTR a, int countA, LPCSTR b, int countB) {
    if (flags != NORM_IGNORECASE) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (a == nullptr || b == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string_view first =
        countA < 0 ? std::string_view(a) : std::string_view(a, static_cast<std::size_t>(countA));
    const std::string_view second =
        countB < 0 ? std::string_view(b) : std::string_view(b, static_cast<std::size_t>(countB));
    const int order = kvwin32::internal::compareStringNoCase(first, second);
    return order < 0 ? CSTR_LESS_THAN : order == 0 ? CSTR_EQUAL : CSTR_GREATER_THAN;
}

extern "C" int LCMapStringA(LCID, DWORD flags, LPCSTR source, int sourceCount, LPSTR destination,
                            int destinationSize) {
    if (flags != (LCMAP_SORTKEY | NORM_IGNORECASE) && flags != LCMAP_SORTKEY) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (source == nullptr || destinationSize < 0 ||
        (destinationSize > 0 && destination == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Keys without case only: letter case never orders list boxes, which these keys serve.
    const std::string_view text =
        sourceCount < 0 ? std::string_view(source)
                        : std::string_view(source, static_cast<std::size_t>(sourceCount));
    const std::size_t size = kvwin32::internal::sortKeySize(text);
    if (destinationSize == 0) {
        return static_cast<int>(size);
    }
    if (size > static_cast<std::size_t>(destinationSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    kvwin32::internal::writeSortKey(text, destination);
    return static_cast<int>(size);
}
