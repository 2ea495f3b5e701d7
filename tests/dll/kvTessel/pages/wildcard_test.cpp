// The variable filter's wildcard matcher as a table, and beside a plain reference matcher on
// generated patterns and names (fuzz_wildcard does the same on any bytes).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/measurements/Wildcard.h"

namespace {

struct Case {
    const char* pattern;
    const char* name;
    bool matches;
};

const Case kCases[] = {
    {"*", "", true},
    {"*", "V(out)", true},
    {"", "", true},
    {"", "x", false},
    {"V(*", "V(out)", true},
    {"V(*", "v(out)", true},
    {"v(*", "V(OUT)", true},
    {"V(*", "I(R1)", false},
    {"V(*", "V", false},
    {"V(OUT)", "v(out)", true},
    {"V(OUT)", "V(OUT)x", false},
    {"?", "", false},
    {"?", "a", true},
    {"?", "ab", false},
    {"I(?1)", "I(R1)", true},
    {"I(?1)", "I(1)", false},
    {"*(R?)", "I(R1)", true},
    {"*1*", "I(R1)", true},
    {"**", "", true},
    {"*a*b", "ab", true},
    {"*a*b", "ba", false},
    {"a*b*c", "abc", true},
    {"a*b*c", "acb", false},
    {"a*a", "a", false},
    {"a*a", "aa", true},
    {"*aa*aa", "aaa", false},
    {"*aa*aa", "aaaa", true},
    {"*ab*abc", "ababc", true},
    {"*ab*abc", "abc", false},
    {"*ab*abc", "abxabc", true},
    {"x*a?a*", "xabababa", true},
    // A backslash makes the next character literal; a lone one at the end matches nothing.
    {"\\*", "*", true},
    {"\\*", "a", false},
    {"\\?", "?", true},
    {"\\?", "a", false},
    {"a\\\\b", "a\\b", true},
    {"\\a", "A", true},
    {"*\\", "x\\", false},
    {"\\", "", false},
    {"V(*\\)", "V(out)", true},
    // Letters only change case; other bytes compare as they are.
    {"\xe9*", "\xc9x", false},
    {"\xe9*", "\xe9x", true},
    {"[*", "{x", false},
};

TEST(Wildcard, Table) {
    for (const Case& c : kCases) {
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches)
            << "pattern " << c.pattern << " name " << c.name;
    }
}

TEST(Wildcard, ACompiledPatternMatchesManyNames) {
    const WildcardPattern pattern("*a*a*a*a*b");
    EXPECT_FALSE(pattern.matches(std::string(100000, 'a')));
    EXPECT_TRUE(pattern.matches(std::string(100000, 'a') + "b"));
    EXPECT_FALSE(pattern.matches("aaab"));
    EXPECT_TRUE(pattern.matches("xAxaxAxAxB"));
}

// Pieces longer than one 64-bit word of positions.
TEST(Wildcard, LongPieces) {
    const std::string piece = std::string(70, 'a') + "?" + std::string(70, 'b');
    const std::string name = std::string(200, 'a') + "X" + std::string(70, 'B') + "tail";
    EXPECT_TRUE(WildcardMatch("*" + piece + "*", name));
    EXPECT_FALSE(WildcardMatch("*" + piece + "c*", name));
    EXPECT_TRUE(WildcardMatch(std::string(200, 'A') + "*tail", name));
    EXPECT_FALSE(WildcardMatch(std::string(201, 'A') + "*tail", name));
}

// The obvious matcher: dynamic programming over pattern and name positions.
bool reference(const std::string& pattern, const std::string& name) {
    std::vector<std::pair<char, int>> items;  // 0 literal, 1 any one, 2 any run
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
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    std::vector<std::vector<bool>> m(items.size() + 1, std::vector<bool>(name.size() + 1));
    m[0][0] = true;
    for (std::size_t p = 1; p <= items.size(); ++p) {
        for (std::size_t n = 0; n <= name.size(); ++n) {
            const auto [c, kind] = items[p - 1];
            if (kind == 2) {
                m[p][n] = m[p - 1][n] || (n > 0 && m[p][n - 1]);
            } else if (n > 0) {
                m[p][n] = m[p - 1][n - 1] && (kind == 1 || up(c) == up(name[n - 1]));
            }
        }
    }
    return m[items.size()][name.size()];
}

TEST(Wildcard, AgreesWithTheReferenceMatcher) {
    const char alphabet[] = {'a', 'B', 'b', '*', '?', '\\'};
    unsigned state = 12345;
    auto next = [&](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string pattern;
        std::string name;
        for (unsigned i = next(8); i > 0; --i) {
            pattern += alphabet[next(6)];
        }
        for (unsigned i = next(10); i > 0; --i) {
            name += alphabet[next(3)];
        }
        ASSERT_EQ(WildcardMatch(pattern, name), reference(pattern, name))
            << "pattern " << pattern << " name " << name;
    }
}

}  // namespace
