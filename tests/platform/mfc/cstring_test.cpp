// CString: searching, slicing, trimming, formatting and comparing as the framework does, with
// out-of-range arguments clamped.
#include <gtest/gtest.h>

#include "afx.h"

namespace {

struct SliceRow {
    const char* text;
    const char* op;  // "left", "mid", "mid2", "right"
    int a;
    int b;
    const char* expected;
};

TEST(CStringTest, SlicesClampOutOfRangeArguments) {
    const SliceRow rows[] = {
        {"abcdef", "left", 2, 0, "ab"},
        {"abcdef", "left", 99, 0, "abcdef"},
        {"abcdef", "left", -1, 0, ""},
        {"abcdef", "mid", 2, 0, "cdef"},
        {"abcdef", "mid", 6, 0, ""},
        {"abcdef", "mid", 60, 0, ""},
        {"abcdef", "mid", -3, 0, "abcdef"},
        {"abcdef", "mid2", 1, 3, "bcd"},
        {"abcdef", "mid2", 4, 30, "ef"},
        {"abcdef", "mid2", 1, -2, ""},
        {"abcdef", "right", 2, 0, "ef"},
        {"abcdef", "right", 10, 0, "abcdef"},
        {"", "right", 1, 0, ""},
    };
    for (const SliceRow& row : rows) {
        const CString s(row.text);
        const std::string op = row.op;
        const CString got = op == "left"   ? s.Left(row.a)
                            : op == "mid"  ? s.Mid(row.a)
                            : op == "mid2" ? s.Mid(row.a, row.b)
                                           : s.Right(row.a);
        EXPECT_STREQ(got, row.expected)
            << row.text << " " << row.op << "(" << row.a << ", " << row.b << ")";
    }
}

TEST(CStringTest, FindsCharactersAndTexts) {
    const CString s("a.b.c\\d.e");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 99), -1);
    EXPECT_EQ(s.Find('.', -1), -1);
    EXPECT_EQ(s.Find("c\\"), 4);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find(static_cast<LPCSTR>(nullptr)), -1);
    EXPECT_EQ(s.ReverseFind('.'), 7);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("\\/"), 5);
    EXPECT_EQ(s.FindOneOf(""), -1);
}

struct TrimRow {
    const char* text;
    const char* targets;  // null: white space
    const char* both;
    const char* left;
    const char* right;
};

TEST(CStringTest, TrimsWhiteSpaceOrTheGivenCharacters) {
    const TrimRow rows[] = {
        {"  a b \t\n", nullptr, "a b", "a b \t\n", "  a b"},
        {"", nullptr, "", "", ""},
        {"   ", nullptr, "", "", ""},
        {"xxaxbxx", "x", "axb", "axbxx", "xxaxb"},
        {"\"quoted\"", "\"", "quoted", "quoted\"", "\"quoted"},
        {"abc", "", "abc", "abc", "abc"},
    };
    for (const TrimRow& row : rows) {
        CString both(row.text), left(row.text), right(row.text);
        if (row.targets) {
            both.Trim(row.targets), left.TrimLeft(row.targets), right.TrimRight(row.targets);
        } else {
            both.Trim(), left.TrimLeft(), right.TrimRight();
        }
        EXPECT_STREQ(both, row.both) << "[" << row.text << "]";
        EXPECT_STREQ(left, row.left) << "[" << row.text << "]";
        EXPECT_STREQ(right, row.right) << "[" << row.text << "]";
    }
}

TEST(CStringTest, EditsInPlace) {
    CString s("C:/sim/amp.cir");
    EXPECT_EQ(s.Replace('/', '\\'), 2);
    EXPECT_STREQ(s, "C:\\sim\\amp.cir");
    EXPECT_EQ(s.Replace("amp", "filter"), 1);
    EXPECT_STREQ(s, "C:\\sim\\filter.cir");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Remove('\\'), 2);
    EXPECT_STREQ(s, "C:simfilter.cir");
    EXPECT_EQ(s.Insert(2, "\\"), 16);
    EXPECT_EQ(s.Insert(99, '!'), 17);
    EXPECT_STREQ(s, "C:\\simfilter.cir!");
    EXPECT_EQ(s.Delete(16, 5), 16);
    EXPECT_EQ(s.Delete(-4, 3), 13);
    EXPECT_STREQ(s, "simfilter.cir");
    s.MakeUpper();
    EXPECT_STREQ(s, "SIMFILTER.CIR");
    s.SetAt(0, 's');
    s.SetAt(99, 'x');
    EXPECT_EQ(s.GetAt(0), 's');
    EXPECT_EQ(s[99], '\0');
}

TEST(CStringTest, FormatsAnyLength) {
    CString s;
    s.Format("%d-%s-%.2f", 42, "x", 1.5);
    EXPECT_STREQ(s, "42-x-1.50");
    s.AppendFormat("/%05u", 7U);
    EXPECT_STREQ(s, "42-x-1.50/00007");
    const std::string big(5000, 'q');
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, ComparesBytesAndIgnoresCaseWhenAsked) {
    struct Row {
        const char* a;
        const char* b;
        int compare;
        int noCase;
    } rows[] = {
        {"abc", "abc", 0, 0},  {"abc", "ABC", 1, 0}, {"abc", "abd", -1, -1},
        {"ab", "abc", -1, -1}, {"", "", 0, 0},       {"\xe9", "a", 1, 1},
    };
    for (const Row& row : rows) {
        const CString a(row.a);
        EXPECT_EQ(a.Compare(row.b), row.compare) << row.a << " vs " << row.b;
        EXPECT_EQ(a.CompareNoCase(row.b), row.noCase) << row.a << " vs " << row.b;
    }
    EXPECT_TRUE(CString("x") == "x");
    EXPECT_TRUE("y" != CString("x"));
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_EQ(CString("a") + "b" + 'c' + CString("d"), CString("abcd"));
    EXPECT_EQ(CString(static_cast<LPCSTR>(nullptr)), CString(""));
}

TEST(CStringTest, BufferRoundTripSettlesTheLength) {
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    std::snprintf(buffer, 11, "%s", "hello");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "hello");
    EXPECT_EQ(s.GetLength(), 5);
    buffer = s.GetBufferSetLength(3);
    buffer[2] = 'y';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "hey");
    s.GetBuffer(0);
    s.ReleaseBuffer(99);  // longer than the buffer: kept as it is
    EXPECT_STREQ(s, "hey");
}

}  // namespace
