// The variable filter's matcher against the obvious dynamic-programming matcher: the first
// byte says how much of the rest is the pattern, the remainder is the name; both must give the
// same answer on every input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pages/measurements/Wildcard.h"

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool reference(const std::string& pattern, const std::string& name) {
    struct Item {
        char c;
        int kind;  // 0 literal, 1 any one, 2 any run
    };
    std::vector<Item> items;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\') {
            if (++i == pattern.size()) {
                return false;
            }
            items.push_back({pattern[i], 0});
        } else {
            items.push_back({pattern[i], pattern[i] == '*' ? 2 : pattern[i] == '?' ? 1 : 0});
        }
    }
    std::vector<char> row(name.size() + 1, 0);
    row[0] = 1;
    for (const Item& item : items) {
        std::vector<char> next(name.size() + 1, 0);
        for (std::size_t n = 0; n <= name.size(); ++n) {
            if (item.kind == 2) {
                next[n] = row[n] || (n > 0 && next[n - 1]);
            } else if (n > 0) {
                next[n] = row[n - 1] && (item.kind == 1 || upper(item.c) == upper(name[n - 1]));
            }
        }
        row.swap(next);
    }
    return row[name.size()] != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t split = data[0] % size;
    const std::string pattern(reinterpret_cast<const char*>(data) + 1, split);
    const std::string name(reinterpret_cast<const char*>(data) + 1 + split, size - 1 - split);
    if (WildcardPattern(pattern).matches(name) != reference(pattern, name)) {
        std::abort();
    }
    return 0;
}
