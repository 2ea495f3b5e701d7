// The parameter file check as a table: files that pass, and files that fail at each step with
// the error naming the line and the full path. The seed corpus of fuzz_mcparams holds the same
// files.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TempDir.h"
#include "pages/analysis/MCWCParamFile.h"

namespace {

const ParameterFileTexts kTexts{": NAME - ", ": VALUE - "};

struct Case {
    const char* name;
    std::string bytes;
    // Expected error without the path ("" : passes).
    std::string error;
};

std::string longLine(std::size_t length, char fill) {
    return std::string(length, fill);
}

const Case kCases[] = {
    {"two columns", "R1 C1\n1 2\n3.5 -4\n", ""},
    {"comments and blank lines first", "* a comment\n\n   \n,\t,\nR C\n*x\n+1,.5\n", ""},
    {"unit letters after digits", "R1 C1\n10k 2uF\n", ""},
    {"extra values ignored", "A B\n1 2 x y\n", ""},
    {"crlf", "A B\r\n1 2\r\n", ""},
    {"zero byte ends a line", std::string("A\n1\0zz\n", 7), ""},
    {"comment only", "* nothing here\n*\n", "Error: Parameter table not found in file - "},
    {"empty file", "", "Error: Parameter table not found in file - "},
    {"header only", "A B\n", "Error: Parameter value is missing in file - "},
    {"missing value on line 2", "R1 C1\n10k\n",
     "Error (line 2): Parameter value is missing in file - "},
    {"header token not a letter", "* c\nA 2B\n1 2\n", "Error (line 2): NAME - "},
    {"value not a number", "A B\n1 2\n3 x\n", "Error (line 3): VALUE - "},
    // With CR alone nothing ends a line: the whole file is one header whose third token is a
    // number.
    {"cr only", "A B\r1 2\r", "Error (line 1): NAME - "},
    // A line of 1031 characters is one line; the rest of a longer one is the next line.
    {"line of exactly the piece length", "A\n" + longLine(1031, '1') + "\n", ""},
    {"line longer than the piece", "A\n" + longLine(1031, '1') + "x\n", "Error (line 3): VALUE - "},
    {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "Error (line 1): NAME - "},
    {"binary starting with a zero byte", std::string("\0\0\x01\x02", 4),
     "Error: Parameter table not found in file - "},
};

TEST(ParameterFileCheck, EachFilePassesOrFailsWithItsLineAndPath) {
    kvtest::TempDir dir;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        dir.write("p.mcp", c.bytes);
        const std::string path = dir.win("p.mcp");
        const std::optional<std::string> error = CheckParameterFile(path, kTexts);
        if (c.error.empty()) {
            EXPECT_EQ(error, std::nullopt);
        } else {
            EXPECT_EQ(error, c.error + path);
        }
    }
}

TEST(ParameterFileCheck, AFileThatCannotBeOpenedIsNotFound) {
    kvtest::TempDir dir;
    const std::string path = dir.win("absent.mcp");
    EXPECT_EQ(CheckParameterFile(path, kTexts), "Error: File not found - " + path);
}

TEST(ParameterFileCheck, OneEndlessLineIsReadInPieces) {
    // Ten megabytes without a line end: a header of one letter token, then pieces of digits.
    kvtest::TempDir dir;
    dir.write("long.mcp", "A\n" + longLine(10'000'000, '7'));
    EXPECT_EQ(CheckParameterFile(dir.win("long.mcp"), kTexts), std::nullopt);
}

TEST(ParameterFileCheck, TheCatalogTextsAreQuoted) {
    kvtest::TempDir dir;
    dir.write("p.mcp", "1A\n");
    const std::string path = dir.win("p.mcp");
    EXPECT_EQ(CheckParameterFile(path),
              "Error (line 1): Parameter name must begin with a letter in file - " + path);
}

}  // namespace
