// The preprocessor of resource scripts: conditionals, macros, includes and code pages.
#include <gtest/gtest.h>

#include "RcTestSupport.h"
#include "Script.h"

namespace {

// Which of the strings 1 (taken branch) and 2 (other branch) a conditional keeps.
struct ConditionalRow {
    const char* prelude;
    const char* condition;  // the opening directive
    bool takesFirst;
};

const ConditionalRow kConditionals[] = {
    {"#define X", "#ifdef X", true},
    {"", "#ifdef X", false},
    {"", "#ifndef X", true},
    {"#define X 0", "#ifndef X", false},
    {"#define X 0", "#if X", false},
    {"#define X 3", "#if X == 3", true},
    {"#define X 3", "#if X > 2 && X < 4", true},
    {"", "#if defined(X) || defined Y", false},
    {"#define Y", "#if defined(X) || defined Y", true},
    {"", "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)", true},
    {"", "#if 0", false},
    {"", "#if 1", true},
    {"", "#if UNKNOWN_NAME", false},
    {"", "#if (2 + 3) * 2 == 10 ? 1 : 0", true},
    {"#define X\n#undef X", "#ifdef X", false},
    {"", "#ifdef RC_INVOKED", true},
    {"", "#ifdef APSTUDIO_INVOKED", false},
    {"#define A B\n#define B 7", "#if A == 7", true},
};

TEST(Preprocessor, ConditionalsChooseTheBranch) {
    kvtest::TempDir dir;
    for (const ConditionalRow& row : kConditionals) {
        SCOPED_TRACE(std::string(row.prelude) + " / " + row.condition);
        kvrc::Script s = rctest::compile(dir, std::string(row.prelude) + "\n" + row.condition +
                                                  "\nSTRINGTABLE BEGIN 1 \"first\" END\n"
                                                  "#else\nSTRINGTABLE BEGIN 2 \"second\" END\n"
                                                  "#endif\n");
        ASSERT_EQ(s.resources.size(), 1u);
        // Slot 1 holds "first" (length 5), slot 2 "second": the byte at 2 is slot 1's length.
        EXPECT_EQ(s.resources[0].data[2] != 0, row.takesFirst);
    }
}

TEST(Preprocessor, ElifChainsTakeOneBranch) {
    kvtest::TempDir dir;
    const char* chain =
        "#if V == 1\nSTRINGTABLE BEGIN 1 \"a\" END\n"
        "#elif V == 2\nSTRINGTABLE BEGIN 2 \"b\" END\n"
        "#elif V >= 2\nSTRINGTABLE BEGIN 3 \"c\" END\n"
        "#else\nSTRINGTABLE BEGIN 4 \"d\" END\n#endif\n";
    const std::pair<int, int> kExpect[] = {{1, 1}, {2, 2}, {3, 3}, {9, 3}, {0, 4}};
    for (auto [value, slot] : kExpect) {
        SCOPED_TRACE(value);
        kvrc::Script s = rctest::compile(dir, "#define V " + std::to_string(value) + "\n" + chain);
        ASSERT_EQ(s.resources.size(), 1u);
        std::size_t pos = 0;
        int found = -1;
        for (int i = 0; i < 16; ++i) {
            if (s.resources[0].data[pos])
                found = i;
            pos += 2 + 2 * s.resources[0].data[pos];
        }
        EXPECT_EQ(found, slot);
    }
}

TEST(Preprocessor, NestedConditionalsInsideSkippedBranchesStaySkipped) {
    kvtest::TempDir dir;
    kvrc::Script s = rctest::compile(dir,
                                     "#if 0\n#ifdef RC_INVOKED\nnot a statement\n#else\n"
                                     "neither\n#endif\n#error never\n#endif\n"
                                     "STRINGTABLE BEGIN 1 \"kept\" END\n");
    EXPECT_EQ(s.resources.size(), 1u);
}

TEST(Preprocessor, MacrosExpandInStatementsAndComments) {
    kvtest::TempDir dir;
    kvrc::Script s = rctest::compile(dir,
                                     "#define BASE 100\n"
                                     "#define IDS_X (BASE + 5) /* a comment */\n"
                                     "#define LONG_DEF \\\n   7\n"
                                     "/* STRINGTABLE BEGIN 999 \"commented\" END\n"
                                     "   still a comment */\n"
                                     "STRINGTABLE // trailing\nBEGIN\n"
                                     "  IDS_X \"x\" /* inline */ LONG_DEF \"seven\"\nEND\n");
    ASSERT_EQ(s.resources.size(), 2u);
    EXPECT_EQ(s.resources[0].name.ordinal, 1);  // 7 / 16 + 1
    EXPECT_EQ(s.resources[1].name.ordinal, 7);  // 105 / 16 + 1
}

TEST(Preprocessor, HeadersGiveOnlyTheirDirectives) {
    kvtest::TempDir dir;
    dir.write("res/ids.h",
              "#pragma once\n#define IDS_A 3\nint notResourceScript(void);\n"
              "struct S { int x; };\n#include \"more.H\"\n");
    dir.write("res/more.h", "#define IDS_B (IDS_A + 1)\n");
    dir.write("inc/fromInclude.h", "#define IDS_C 5\n");
    kvrc::Script s = rctest::compile(dir,
                                     "#include \"res\\\\ids.h\"\n"
                                     "#include <fromInclude.h>\n"
                                     "#include <windows.h>\n#include \"afxres.h\"\n"
                                     "#include \"afxres.rc\"\n#include <WinRes.h>\n"
                                     "STRINGTABLE BEGIN IDS_A \"a\" IDS_B \"b\" IDS_C \"c\" END\n");
    ASSERT_EQ(s.resources.size(), 1u);
    ASSERT_EQ(s.dependencies.size(), 3u);
    EXPECT_NE(s.dependencies[0].find("ids.h"), std::string::npos);
    EXPECT_NE(s.dependencies[1].find("more.h"), std::string::npos);
    EXPECT_NE(s.dependencies[2].find("fromInclude.h"), std::string::npos);
}

TEST(Preprocessor, IncludedScriptsContributeStatementsWithTheirOwnLines) {
    kvtest::TempDir dir;
    dir.write("part.rc", "\n\nSTRINGTABLE BEGIN 1 \"x\" END\n");
    kvrc::Script s = rctest::compile(dir, "#include \"part.rc\"\n");
    ASSERT_EQ(s.resources.size(), 1u);
    EXPECT_EQ(s.resources[0].where.line, 3);
    EXPECT_NE(s.resources[0].where.fileName().find("part.rc"), std::string::npos);
}

TEST(Preprocessor, SelfReferentialMacrosStop) {
    kvtest::TempDir dir;
    EXPECT_EQ(rctest::errorOf(dir, "#define X X\nSTRINGTABLE BEGIN X \"a\" END\n"),
              "<dir>/test.rc(2): error: undefined symbol 'X'");
}

}  // namespace
