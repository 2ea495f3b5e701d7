// The case-insensitive string order of lstrcmpiA, shared with the controls that sort by it.
#pragma once

#include <cstddef>
#include <string_view>

namespace kvwin32::internal {

// lstrcmpi's answer: <0, 0 or >0; strings equal but for letter case compare equal.
int compareStringNoCase(std::string_view a, std::string_view b);
// The size of a text's sort key in that order (its ending zero byte included), and the key
// written into `key` (which holds sortKeySize bytes): byte-wise comparison of two keys orders
// as compareStringNoCase does.
std::size_t sortKeySize(std::string_view text);
void writeSortKey(std::string_view text, char* key);

}  // namespace kvwin32::internal
