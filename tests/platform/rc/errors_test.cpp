// Errors stop a compilation with "file(line): error: reason", for each kind of mistake.
#include <gtest/gtest.h>

#include "RcTestSupport.h"

namespace {

struct ErrorRow {
    const char* script;
    const char* message;
};

const ErrorRow kErrors[] = {
    // Unknown statements, at top level and inside blocks.
    {"FOO BAR\n", "<dir>/test.rc(1): error: unknown statement 'BAR'"},
    {"\n1 WIDGET 0\n", "<dir>/test.rc(2): error: unknown statement 'WIDGET'"},
    {"LONELY\n", "<dir>/test.rc(1): error: unknown statement 'LONELY'"},
    {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  SPINNER 1, 2\nEND\n",
     "<dir>/test.rc(3): error: unknown statement 'SPINNER' in dialog"},
    {"1 DIALOGEX 0, 0, 1, 1\nTITLE \"x\"\nBEGIN\nEND\n",
     "<dir>/test.rc(2): error: unknown statement 'TITLE' in dialog 1"},
    {"STRINGTABLE FONT BEGIN END\n",
     "<dir>/test.rc(1): error: unknown statement 'FONT' in STRINGTABLE"},
    {"#frobnicate\n", "<dir>/test.rc(1): error: unknown preprocessor directive '#frobnicate'"},
    // Undefined symbols wherever a number is expected.
    {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", IDC_MISSING, 0, 0, 1, 1\nEND\n",
     "<dir>/test.rc(3): error: undefined symbol 'IDC_MISSING'"},
    {"1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_CHILD | WS_BOGUS\nBEGIN\nEND\n",
     "<dir>/test.rc(2): error: undefined symbol 'WS_BOGUS'"},
    {"STRINGTABLE\nBEGIN\n  IDS_NOPE \"x\"\nEND\n",
     "<dir>/test.rc(3): error: undefined symbol 'IDS_NOPE'"},
    {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n CONTROL \"\", 1, Spinner, 0, 0, 0, 1, 1\nEND\n",
     "<dir>/test.rc(3): error: undefined symbol 'Spinner'"},
    // Unterminated strings and blocks.
    {"STRINGTABLE\nBEGIN\n  1 \"abc\nEND\n", "<dir>/test.rc(3): error: unterminated string"},
    {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n",
     "<dir>/test.rc(2): error: unterminated block: BEGIN without END"},
    {"STRINGTABLE\n{\n  1 \"a\"\n",
     "<dir>/test.rc(2): error: unterminated block: BEGIN without END"},
    {"1 TEXTINCLUDE\n\"x\"\n",
     "<dir>/test.rc(1): error: unterminated block: TEXTINCLUDE has no BEGIN"},
    {"1 VERSIONINFO\nBEGIN\n BLOCK \"x\"\n BEGIN\n END\n",
     "<dir>/test.rc(2): error: unterminated block: BEGIN without END"},
    {"1 DIALOGEX 0, 0, 1, 1\nSTYLE 0\n",
     "<dir>/test.rc(2): error: unterminated block: dialog 1 has no BEGIN"},
    {"#ifdef X\n\n", "<dir>/test.rc(1): error: unterminated #if"},
    {"\n#else\n", "<dir>/test.rc(2): error: #else without #if"},
    {"#endif\n", "<dir>/test.rc(1): error: #endif without #if"},
    {"#if 1\n#else\n#else\n#endif\n", "<dir>/test.rc(3): error: #else after #else"},
    // Missing files.
    {"\n\n1 BITMAP \"missing.bmp\"\n", "<dir>/test.rc(3): error: cannot find file 'missing.bmp'"},
    {"1 ICON \"res\\\\none.ico\"\n", "<dir>/test.rc(1): error: cannot find file 'res\\none.ico'"},
    {"#include \"nothere.h\"\n", "<dir>/test.rc(1): error: cannot open include file 'nothere.h'"},
    {"#include <nothere.h>\n", "<dir>/test.rc(1): error: cannot open include file 'nothere.h'"},
    // Duplicates.
    {"1 DIALOGEX 0, 0, 1, 1 BEGIN END\n\n1 DIALOGEX 0, 0, 1, 1 BEGIN END\n",
     "<dir>/test.rc(3): error: duplicate resource: type 5, name 1"},
    {"A DIALOGEX 0, 0, 1, 1 BEGIN END\na DIALOGEX 0, 0, 1, 1 BEGIN END\n",
     "<dir>/test.rc(2): error: duplicate resource: type 5, name A"},
    // Malformed input.
    {"1 DIALOGEX 0, 0, 1, 1 @\n", "<dir>/test.rc(1): error: unexpected character '@'"},
    {"1 DIALOGEX 0, 0, 1\nBEGIN END\n",
     "<dir>/test.rc(2): error: expected ',' after the dialog's width, found 'BEGIN'"},
    {"STRINGTABLE BEGIN 70000 \"x\" END\n",
     "<dir>/test.rc(1): error: string id out of range: 70000"},
    {"1 DIALOGEX 0, 0, 40000, 1 BEGIN END\n", "<dir>/test.rc(1): error: coordinate out of range"},
    {"1 DIALOGEX 0, 0, 4 / 0, 1 BEGIN END\n", "<dir>/test.rc(1): error: division by zero"},
    {"#pragma code_page(932)\n", "<dir>/test.rc(1): error: unsupported code page '932'"},
    {"#error Stop here\n", "<dir>/test.rc(1): error: #error Stop here"},
    {"STRINGTABLE BEGIN 1 \"a\" 2 END\n",
     "<dir>/test.rc(1): error: expected a string, found 'END'"},
    {"1 DIALOGEX 0, 0, 1, 1 BEGIN LTEXT \"a\", 1, 0, 0, 1\n",
     "<dir>/test.rc(1): error: unexpected end of file, expected ',' after the control's width"},
    {"1 DIALOGEX 0x1Z, 0, 1, 1\n", "<dir>/test.rc(1): error: malformed number '0x1Z'"},
};

TEST(CompileErrors, EachKindNamesFileAndLine) {
    kvtest::TempDir dir;
    for (const ErrorRow& row : kErrors) {
        SCOPED_TRACE(row.script);
        EXPECT_EQ(rctest::errorOf(dir, row.script), row.message);
    }
}

TEST(CompileErrors, ErrorsInsideIncludedFilesNameThatFile) {
    kvtest::TempDir dir;
    dir.write("inc/bad.h", "#define A 1\n#error stop here\n");
    dir.write("part.rc", "STRINGTABLE BEGIN\n 1 \"a\"\n UNDEFINED_ID \"b\"\nEND\n");
    EXPECT_EQ(rctest::errorOf(dir, "\n#include <bad.h>\n"),
              "<dir>/inc/bad.h(2): error: #error stop here");
    EXPECT_EQ(rctest::errorOf(dir, "#include \"part.rc\"\n"),
              "<dir>/part.rc(3): error: undefined symbol 'UNDEFINED_ID'");
}

TEST(CompileErrors, BrokenImageFilesAreRefused) {
    kvtest::TempDir dir;
    dir.write("bad.bmp", "XXnot a bitmap at all, really");
    dir.write("bad.ico", std::string("\0\0\1\0\1\0", 6) + std::string(16, '\x7f'));
    dir.write("short.cur", std::string("\0\0\2\0", 4));
    EXPECT_EQ(rctest::errorOf(dir, "1 BITMAP \"bad.bmp\"\n"),
              "<dir>/test.rc(1): error: 'bad.bmp' is not a bitmap file");
    EXPECT_EQ(rctest::errorOf(dir, "1 ICON \"bad.ico\"\n"),
              "<dir>/test.rc(1): error: 'bad.ico' is not a valid icon file: image 1 lies outside "
              "the file");
    EXPECT_EQ(rctest::errorOf(dir, "1 CURSOR \"short.cur\"\n"),
              "<dir>/test.rc(1): error: 'short.cur' is not a valid cursor file: too short");
    EXPECT_EQ(rctest::errorOf(dir, "1 CURSOR \"bad.ico\"\n"),
              "<dir>/test.rc(1): error: 'bad.ico' is not a valid cursor file: wrong header");
}

TEST(CompileErrors, IncludeCyclesStop) {
    kvtest::TempDir dir;
    dir.write("loop.rc", "#include \"loop.rc\"\n");
    EXPECT_EQ(rctest::errorOf(dir, "#include \"loop.rc\"\n"),
              "<dir>/loop.rc(1): error: #include nested too deeply");
}

}  // namespace

namespace {

TEST(CompileErrors, DeepNestingIsRefusedNotOverflowed) {
    kvtest::TempDir dir;
    const std::string deep(5000, '(');
    EXPECT_EQ(rctest::errorOf(dir, "STRINGTABLE BEGIN " + deep + "1 \"x\" END\n"),
              "<dir>/test.rc(1): error: expression nested too deeply");
    EXPECT_EQ(rctest::errorOf(dir, "#if " + std::string(5000, '!') + "1\n#endif\n"),
              "<dir>/test.rc(1): error: #if expression nested too deeply");
    std::string ternary = "#if 1";
    for (int i = 0; i < 3000; ++i)
        ternary += " ? 1";
    EXPECT_EQ(rctest::errorOf(dir, ternary + "\n#endif\n"),
              "<dir>/test.rc(1): error: #if expression nested too deeply");
}

}  // namespace
