// Windows' string order for ASCII text (lstrcmpA, lstrcmpiA, CompareStringA and the sort keys of
// LCMapStringA), shared with the controls that sort by it.
#pragma once

#include <cstddef>
#include <string_view>

#include "kvwin32/winnls.h"

namespace kvwin32::internal {

// The comparison flags that change how ASCII text orders: NORM_IGNORECASE, NORM_IGNORESYMBOLS
// and SORT_STRINGSORT; other bits are ignored here (the callers refuse the ones they do not take).
inline constexpr DWORD kOrderFlags = NORM_IGNORECASE | NORM_IGNORESYMBOLS | SORT_STRINGSORT;

// The order's answer for two counted strings: -1, 0 or 1.
int compareStrings(std::string_view a, std::string_view b, DWORD flags);
// lstrcmpi's answer, compareStrings with NORM_IGNORECASE: strings equal but for letter case
// compare equal.
int compareStringNoCase(std::string_view a, std::string_view b);
// The size of a text's sort key under `flags` (its ending zero byte included), and the key
// written into `key` (which holds sortKeySize bytes): byte-wise comparison of two keys orders
// as compareStrings does, and no byte but the last is zero. A key takes at most
// 2 * text.size() + 2 bytes with NORM_IGNORECASE, 3 * text.size() + 2 without.
std::size_t sortKeySize(std::string_view text, DWORD flags);
void writeSortKey(std::string_view text, DWORD flags, char* key);

}  // namespace kvwin32::internal
