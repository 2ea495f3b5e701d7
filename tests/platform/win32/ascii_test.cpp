// The shared ASCII helpers: letter case folded for A-Z only, whatever else the bytes are, and
// trimming of a chosen set of blanks.
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "kvwin32/ascii.h"

namespace {

using namespace kvwin32::ascii;

struct CompareCase {
    std::string_view a;
    std::string_view b;
    int order;  // sign of compareNoCase(a, b)
};

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(Ascii, ComparesWithoutLetterCase) {
    const std::vector<CompareCase> cases = {
        {"", "", 0},
        {"Button", "BUTTON", 0},
        {"button", "Button", 0},
        {"a", "b", -1},
        {"B", "a", 1},
        {"abc", "ABCD", -1},  // a prefix sorts first
        {"abcd", "ABC", 1},
        // '_' (0x5F) lies between 'Z' and 'a': compared lower-cased, it sorts before any letter.
        {"_", "A", -1},
        {"_", "a", -1},
        {"\xC4", "\xE4", -1},  // bytes above 0x7F keep their case: only A-Z fold
        {"\xE4", "\xE4", 0},
        {std::string_view("a\0b", 3), std::string_view("A\0B", 3), 0},  // NULs are bytes too
        {std::string_view("a\0b", 3), "a", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.a << "\" vs \"" << c.b << '"');
        EXPECT_EQ(sign(compareNoCase(c.a, c.b)), c.order);
        EXPECT_EQ(sign(compareNoCase(c.b, c.a)), -c.order);
        EXPECT_EQ(equalNoCase(c.a, c.b), c.order == 0);
    }
}

TEST(Ascii, FoldsOnlyTheLetters) {
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool upper = c >= 'A' && c <= 'Z';
        const bool lower = c >= 'a' && c <= 'z';
        EXPECT_EQ(toLower(ch), upper ? static_cast<char>(c + 32) : ch) << c;
        EXPECT_EQ(toUpper(ch), lower ? static_cast<char>(c - 32) : ch) << c;
    }
}

TEST(Ascii, ReadsHexDigits) {
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        int expected = -1;
        if (c >= '0' && c <= '9') {
            expected = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            expected = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            expected = c - 'A' + 10;
        }
        EXPECT_EQ(hexDigit(ch), expected) << c;
    }
}

struct AffixCase {
    std::string_view text;
    std::string_view affix;
    bool starts;
    bool ends;
};

TEST(Ascii, MatchesPrefixesAndSuffixesWithoutLetterCase) {
    const std::vector<AffixCase> cases = {
        {"Library.DLL", ".dll", false, true},
        {"Library.DLL", "library", true, false},
        {"abc", "", true, true},
        {"", "", true, true},
        {"", "a", false, false},
        {"ab", "abc", false, false},  // longer than the text
        {"ABA", "aba", true, true},
        {"x.dl", ".dll", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" / \"" << c.affix << '"');
        EXPECT_EQ(startsWithNoCase(c.text, c.affix), c.starts);
        EXPECT_EQ(endsWithNoCase(c.text, c.affix), c.ends);
    }
}

struct TrimCase {
    std::string_view text;
    std::string_view blanks;
    std::string_view left;
    std::string_view right;
    std::string_view both;
};

TEST(Ascii, TrimsTheGivenBlanks) {
    const std::vector<TrimCase> cases = {
        {"", kBlanks, "", "", ""},
        {" \t ", kBlanks, "", "", ""},
        {"  a b  ", kBlanks, "a b  ", "  a b", "a b"},
        {"\ta\t", kBlanks, "a\t", "\ta", "a"},
        {"a\r\n", kBlanks, "a\r\n", "a\r\n", "a\r\n"},  // line ends are not blanks
        {"a\r\n", kWhiteSpace, "a\r\n", "a", "a"},
        {"\v\f x \n", kWhiteSpace, "x \n", "\v\f x", "x"},
        {"key = value\r", " \t\r", "key = value\r", "key = value", "key = value"},
        {"xxaxx", "x", "axx", "xxa", "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(trimLeft(c.text, c.blanks), c.left);
        EXPECT_EQ(trimRight(c.text, c.blanks), c.right);
        EXPECT_EQ(trim(c.text, c.blanks), c.both);
    }
    // Blanks and tabs by default.
    EXPECT_EQ(trim(" \tvalue\t "), "value");
}

}  // namespace
