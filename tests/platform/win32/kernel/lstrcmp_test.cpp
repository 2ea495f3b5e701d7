// Windows' string order: lstrcmpA, lstrcmpiA, CompareStringA and LCMapStringA's sort keys,
// checked against what Windows answers for ASCII text, against the order's own rules where
// Windows leaves a choice to us (strings that differ only in their marks), and against each
// other: every comparison must agree with the byte order of the two sort keys.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"

namespace {

constexpr DWORD kNoCase = NORM_IGNORECASE;
constexpr DWORD kStringSort = SORT_STRINGSORT;
constexpr DWORD kNoSymbols = NORM_IGNORESYMBOLS;
constexpr int kLess = CSTR_LESS_THAN;
constexpr int kEqual = CSTR_EQUAL;
constexpr int kGreater = CSTR_GREATER_THAN;

// A string as CompareStringA takes it: the characters and the count passed (-1: up to the
// terminator). A literal keeps its NULs: {"a\0x", 4} is 'a', NUL, 'x' and the terminator.
struct Text {
    const char* chars;
    int count = -1;

    std::string_view view() const {
        return count < 0 ? std::string_view(chars)
                         : std::string_view(chars, static_cast<std::size_t>(count));
    }
    std::string shown() const {
        std::string out;
        for (const char c : view()) {
            out += c == '\0' ? std::string("\\0") : std::string(1, c);
        }
        return "\"" + out + "\"/" + std::to_string(count);
    }
};

// The sort key LCMapStringA writes for a text under the comparison flags.
std::string sortKey(const Text& text, DWORD flags) {
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | flags, text.chars,
                                  text.count, nullptr, 0);
    std::string key(static_cast<std::size_t>(std::max(size, 0)), '?');
    if (size > 0) {
        EXPECT_EQ(LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | flags, text.chars, text.count,
                               key.data(), size),
                  size);
    }
    return key;
}

// A key must end in its only zero byte and keep to its bound (what callers allot for it).
::testing::AssertionResult wellFormed(const std::string& key, std::size_t length, DWORD flags) {
    const std::size_t bound = ((flags & NORM_IGNORECASE) != 0 ? 2 : 3) * length + 2;
    if (key.empty() || key.back() != '\0' || key.find('\0') != key.size() - 1) {
        return ::testing::AssertionFailure() << "the key does not end in its only zero byte";
    }
    if (key.size() > bound) {
        return ::testing::AssertionFailure() << "the key takes " << key.size() << " > " << bound;
    }
    return ::testing::AssertionSuccess();
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// The comparison, both ways round, and the byte order of the two sort keys.
void expectOrder(DWORD flags, const Text& a, const Text& b, int answer) {
    const std::string context = a.shown() + " vs " + b.shown() + " flags " + std::to_string(flags);
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, flags, a.chars, a.count, b.chars, b.count),
              answer)
        << context;
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, flags, b.chars, b.count, a.chars, a.count),
              2 * kEqual - answer)
        << context << " (reversed)";
    // LCMapStringA refuses a count of 0, so an empty counted string has no key.
    if (a.count != 0 && b.count != 0) {
        const std::string keyA = sortKey(a, flags);
        const std::string keyB = sortKey(b, flags);
        EXPECT_TRUE(wellFormed(keyA, a.view().size(), flags)) << context;
        EXPECT_TRUE(wellFormed(keyB, b.view().size(), flags)) << context;
        EXPECT_EQ(sign(keyA.compare(keyB)), answer - kEqual) << context << " (sort keys)";
    }
    if (a.count < 0 && b.count < 0 && (flags & ~NORM_IGNORECASE) == 0) {
        const int r = (flags & NORM_IGNORECASE) != 0 ? lstrcmpiA(a.chars, b.chars)
                                                     : lstrcmpA(a.chars, b.chars);
        EXPECT_EQ(r, answer - kEqual) << context << " (lstrcmp)";
    }
}

// ---- What Windows answers -------------------------------------------------------------------

struct Fact {
    DWORD flags;
    Text a;
    Text b;
    int answer;
};

// Windows' answers for ASCII text, as Wine's conformance tests record them. Where Windows
// versions differ (embedded NULs before XP), the answer of the current ones.
const Fact kFacts[] = {
    // Symbols before digits before letters; ASCII order among the symbols.
    {0, {"EndDialog"}, {"_Property"}, kGreater},
    {0, {"osp_vba.sreg0070"}, {"_IEWWBrowserComp"}, kGreater},
    {0, {"r"}, {"\\"}, kGreater},
    {0, {"osp_vba.sreg0031"}, {"OriginalDatabase"}, kGreater},
    {0, {".AAA"}, {"Aab"}, kLess},
    {0, {".AAA"}, {"A.ab"}, kLess},
    {0, {"{100}{83}{71}{71}{71}"}, {"Global_DataAccess_JRO"}, kLess},
    {0, {"a"}, {"{"}, kGreater},
    {0, {"A"}, {"{"}, kGreater},
    {0, {"3.5", 0}, {"4.0"}, kLess},
    {0, {"3.5"}, {"4.0"}, kLess},
    {0, {"3.520.4403.2"}, {"4.0.2927.10"}, kLess},
    {kNoCase | LOCALE_USE_CP_ACP, {"#"}, {"."}, kLess},
    {kNoCase, {"_"}, {"."}, kGreater},
    // Windows: unequal (which way is ours: ASCII order).
    {0, {"\2", 2}, {"\1", 2}, kGreater},
    // Letter case after the letters, lower case first.
    {0, {"AAA"}, {"aaa"}, kGreater},
    {0, {"AAA"}, {"aab"}, kLess},
    {0, {"AAA"}, {"Aab"}, kLess},
    {0, {"aa"}, {"AB"}, kLess},
    {0, {"aa"}, {"Aab"}, kLess},
    {0, {"aB"}, {"Aab"}, kGreater},
    {0, {"Ba"}, {"bab"}, kLess},
    {kNoCase, {"Salut"}, {"Salute"}, kLess},
    {kNoCase, {"Salut"}, {"SaLuT"}, kEqual},
    {kNoCase, {"Salut"}, {"hola"}, kGreater},
    {kNoCase, {"haha"}, {"hoho"}, kLess},
    {kNoCase, {"haha"}, {"hoho", 0}, kGreater},
    {kNoCase, {"Salut", 5}, {"saLuT"}, kEqual},
    // Hyphen and apostrophe: no weight in the word sort, symbols in the string sort.
    {0, {"-o"}, {"/m"}, kGreater},
    {0, {"/m"}, {"-o"}, kLess},
    {kStringSort, {"-o"}, {"/m"}, kLess},
    {kStringSort, {"/m"}, {"-o"}, kGreater},
    {0, {"'o"}, {"/m"}, kGreater},
    {0, {"/m"}, {"'o"}, kLess},
    {kStringSort, {"'o"}, {"/m"}, kLess},
    {kStringSort, {"/m"}, {"'o"}, kGreater},
    {0, {"'o"}, {"-o"}, kLess},
    {kStringSort, {"'o"}, {"-o"}, kLess},
    {0, {"'"}, {"-"}, kLess},
    {kStringSort, {"'"}, {"-"}, kLess},
    {0, {"`o"}, {"/m"}, kGreater},
    {0, {"/m"}, {"`o"}, kLess},
    {kStringSort, {"`o"}, {"/m"}, kGreater},
    {kStringSort, {"/m"}, {"`o"}, kLess},
    {0, {"`o"}, {"-m"}, kLess},
    {0, {"-m"}, {"`o"}, kGreater},
    {kStringSort, {"`o"}, {"-m"}, kGreater},
    {kStringSort, {"-m"}, {"`o"}, kLess},
    {0, {"a-", 3}, {"a\0", 3}, kGreater},
    {0, {"a'", 3}, {"a\0", 3}, kGreater},
    {kStringSort, {"a-", 3}, {"a\0", 3}, kGreater},
    {kStringSort, {"a'", 3}, {"a\0", 3}, kGreater},
    // NULs inside a counted string weigh nothing; what follows them still counts.
    {0, {"aLuZkUtZ", 8}, {"aLuZkUtZ", 9}, kEqual},
    {0, {"aLuZkUtZ", 7}, {"aLuZkUtZ\0A", 10}, kLess},
    {0, {"aLuZkUtZ", 8}, {"aLuZkUtZ\0A", 10}, kLess},
    {0, {"aLu\0ZkUtZ", 8}, {"aLu\0ZkUtZ\0A", 10}, kLess},
    {0, {"a", 1}, {"a\0\0", 4}, kEqual},
    {0, {"a", 2}, {"a\0\0", 4}, kEqual},
    {0, {"a\0\0", 4}, {"a", 1}, kEqual},
    {0, {"a\0\0", 4}, {"a", 2}, kEqual},
    {0, {"a", 1}, {"a\0x", 4}, kLess},
    {0, {"a", 2}, {"a\0x", 4}, kLess},
    {0, {"a\0x", 4}, {"a", 1}, kGreater},
    {0, {"a\0x", 4}, {"a", 2}, kGreater},
    {0, {"a\0b"}, {"a"}, kEqual},
    {0, {"a\0b", 4}, {"a", 2}, kGreater},
    // Without symbols, punctuation and spaces weigh nothing.
    {kNoSymbols, {"a.", 3}, {"a\0", 3}, kEqual},
    {kNoSymbols, {"a ", 3}, {"a\0", 3}, kEqual},
    // Flags about characters beyond ASCII change nothing here.
    {LOCALE_USE_CP_ACP, {"NULL"}, {"NULL"}, kEqual},
    {LINGUISTIC_IGNORECASE, {"NULL"}, {"NULL"}, kEqual},
    {LINGUISTIC_IGNOREDIACRITIC, {"NULL"}, {"NULL"}, kEqual},
    {NORM_IGNOREKANATYPE, {"NULL"}, {"NULL"}, kEqual},
    {NORM_IGNORENONSPACE, {"NULL"}, {"NULL"}, kEqual},
    {NORM_IGNOREWIDTH, {"NULL"}, {"NULL"}, kEqual},
    {NORM_LINGUISTIC_CASING, {"NULL"}, {"NULL"}, kEqual},
};

TEST(LstrcmpTest, WindowsAnswers) {
    for (const Fact& fact : kFacts) {
        expectOrder(fact.flags, fact.a, fact.b, fact.answer);
    }
    const std::string many(256, 'a');
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, many.data(), 256, many.data(), 256), kEqual);
}

TEST(LstrcmpTest, NullStringsAndRefusals) {
    EXPECT_EQ(lstrcmpA("", ""), 0);
    EXPECT_EQ(lstrcmpA(nullptr, nullptr), 0);
    EXPECT_EQ(lstrcmpA("", nullptr), 1);
    EXPECT_EQ(lstrcmpA(nullptr, ""), -1);
    EXPECT_EQ(lstrcmpiA(nullptr, "a"), -1);
    EXPECT_EQ(lstrcmpiA("#", "."), -1);  // exactly -1, not any negative number

    SetLastError(0);
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, SORT_DIGITSASNUMBERS, "NULL", -1, "NULL", -1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    SetLastError(0);
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, nullptr, -1, "a", -1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// ---- Sort keys --------------------------------------------------------------------------------

TEST(LstrcmpTest, SortKeysAsWindowsMakesThem) {
    const char upper[] = "\tJUST! A, TEST; STRING 1/*+-.\r\n";
    const char lower[] = "\tjust! a, test; string 1/*+-.\r\n";
    const Text upperText{upper};
    // The count or the terminator: the same key, ending in a zero byte.
    const std::string whole = sortKey(upperText, 0);
    EXPECT_EQ(sortKey({upper, static_cast<int>(std::strlen(upper))}, 0), whole);
    EXPECT_TRUE(wellFormed(whole, std::strlen(upper), 0));
    // Without case, the key is the key of the text in lower case.
    EXPECT_EQ(sortKey(upperText, NORM_IGNORECASE), sortKey({lower}, 0));
    // Without symbols, the key is the key of the text stripped of spaces and punctuation.
    EXPECT_EQ(sortKey({lower}, NORM_IGNORESYMBOLS), sortKey({"justateststring1"}, 0));

    char key[64];
    SetLastError(0);
    EXPECT_EQ(LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, upper, 0, key, sizeof key), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // No mapping but the sort key is made, and LCMAP_UPPERCASE (0x200) cannot join it.
    for (const DWORD flags : {DWORD{LCMAP_SORTKEY | 0x200}, DWORD{0}, DWORD{SORT_STRINGSORT},
                              DWORD{LCMAP_SORTKEY | SORT_DIGITSASNUMBERS}}) {
        SetLastError(0);
        EXPECT_EQ(LCMapStringA(LOCALE_USER_DEFAULT, flags, upper, -1, key, sizeof key), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS)) << flags;
    }
    SetLastError(0);
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, "abcd", -1, nullptr, 0);
    ASSERT_GT(size, 1);
    EXPECT_EQ(LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, "abcd", -1, key, size - 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, "abcd", -1, key, size), size);
}

// ---- The order where Windows leaves the choice to us ------------------------------------------

// Strings in ascending order under the flags, each group of equal ones.
struct Ladder {
    DWORD flags;
    std::vector<std::vector<Text>> steps;
};

const Ladder kLadders[] = {
    // The word sort with case: case before marks; no marks first, then the earlier mark, at
    // the same place an apostrophe before a hyphen, and fewer marks before more.
    {0,
     {{{"coop"}, {"co\0op", 5}},
      {{"co'op"}},
      {{"co-op"}, {"co-\0op", 6}},
      {{"coo-p"}},
      {{"coop-"}},
      {{"coop-'"}},
      {{"coop--"}},
      {{"Coop"}},
      {{"Co-op"}},
      {{"cop"}},
      {{"co-pa"}}}},
    {kNoCase,
     {{{"coop"}, {"Coop"}, {"COOP"}},
      {{"co'op"}, {"CO'OP"}},
      {{"co-op"}, {"Co-op"}},
      {{"coo-p"}},
      {{"cop"}}}},
    // The first letter whose case differs decides.
    {0, {{{"aaa"}}, {{"aaA"}}, {{"aAa"}}, {{"aA-a"}}, {{"aAa-"}}, {{"Aaa"}}, {{"AAA"}}}},
    // The string sort: marks are symbols.
    {kStringSort, {{{"co'op"}}, {{"co-op"}}, {{"coop"}}, {{"Coop"}}, {{"cop"}}}},
    {kStringSort | kNoCase, {{{"co-op"}, {"CO-OP"}}, {{"coop"}, {"COOP"}}}},
    // Without symbols nothing of the marks is left either.
    {kNoSymbols | kNoCase,
     {{{"coop"}, {"co-op"}, {"C.O.O.P."}, {"co op"}, {"co'op"}, {"\tco\r\nop"}}, {{"cop"}}}},
    {kNoSymbols, {{{"coop"}, {"co-op"}, {"co op"}}, {{"Co.op"}}, {{"cop"}}}},
};

TEST(LstrcmpTest, MarksAndCaseDecideInTheirTurn) {
    for (const Ladder& ladder : kLadders) {
        for (std::size_t i = 0; i < ladder.steps.size(); ++i) {
            for (std::size_t j = 0; j < ladder.steps.size(); ++j) {
                const int answer = i < j ? kLess : i == j ? kEqual : kGreater;
                for (const Text& a : ladder.steps[i]) {
                    for (const Text& b : ladder.steps[j]) {
                        expectOrder(ladder.flags, a, b, answer);
                    }
                }
            }
        }
    }
}

// Every string of up to three characters from a small alphabet, under every choice of the
// flags that change the order: each comparison agrees with the byte order of the sort keys,
// which makes the comparison a consistent order; lstrcmpA and lstrcmpiA agree with it.
TEST(LstrcmpTest, ComparisonsAgreeWithSortKeys) {
    const std::string alphabet("aAb-'. 1\0", 9);
    std::vector<std::string> texts{""};
    for (std::size_t from = 0, length = 1; length <= 3; ++length) {
        const std::size_t to = texts.size();
        for (std::size_t i = from; i < to; ++i) {
            for (const char c : alphabet) {
                texts.push_back(texts[i] + c);
            }
        }
        from = to;
    }
    // Long runs, where a mark's place or a capital lies far in.
    texts.push_back(std::string(300, '-'));
    texts.push_back(std::string(299, 'x') + "-");
    texts.push_back(std::string(299, 'x') + "X");
    for (DWORD flags = 0; flags < 8; ++flags) {
        const DWORD order = ((flags & 1) != 0 ? NORM_IGNORECASE : 0) |
                            ((flags & 2) != 0 ? NORM_IGNORESYMBOLS : 0) |
                            ((flags & 4) != 0 ? SORT_STRINGSORT : 0);
        std::vector<std::string> keys;
        for (const std::string& text : texts) {
            // The empty text by its terminator: a count of 0 has no key.
            const Text counted{text.c_str(), text.empty() ? -1 : static_cast<int>(text.size())};
            keys.push_back(sortKey(counted, order));
            ASSERT_TRUE(wellFormed(keys.back(), text.size(), order)) << counted.shown();
        }
        int disagreements = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = 0; j < texts.size(); ++j) {
                const std::string& a = texts[i];
                const std::string& b = texts[j];
                const int answer =
                    CompareStringA(LOCALE_USER_DEFAULT, order, a.data(), static_cast<int>(a.size()),
                                   b.data(), static_cast<int>(b.size()));
                if (answer - kEqual != sign(keys[i].compare(keys[j])) && ++disagreements <= 5) {
                    ADD_FAILURE() << Text{a.data(), static_cast<int>(a.size())}.shown() << " vs "
                                  << Text{b.data(), static_cast<int>(b.size())}.shown() << " flags "
                                  << order << ": " << answer;
                }
                const bool terminated =
                    a.find('\0') == std::string::npos && b.find('\0') == std::string::npos;
                if (terminated && (order & ~NORM_IGNORECASE) == 0) {
                    const int r = order != 0 ? lstrcmpiA(a.c_str(), b.c_str())
                                             : lstrcmpA(a.c_str(), b.c_str());
                    EXPECT_EQ(r, answer - kEqual) << a << " vs " << b;
                }
            }
        }
        EXPECT_EQ(disagreements, 0) << "flags " << order;
    }
}

}  // namespace
