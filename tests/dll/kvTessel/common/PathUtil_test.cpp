// PathUtil: the three clean-up passes, extensions, rebasing, component positions and the
// file-system helpers.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PathUtil.h"
#include "PathUtilReference.h"
#include "TempDir.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"

namespace {

namespace fs = std::filesystem;

struct TextRow {
    const char* in;
    const char* out;
};

TEST(PathUtilCleanSeparators, Table) {
    const TextRow rows[] = {
        {" C:/dir//sub/ file.txt ", "C:\\dir\\sub\\file.txt"},
        {"\\\\server\\share\\\\x//y", "\\\\server\\share\\x\\y"},
        {"//server/share", "\\\\server\\share"},
        {"\\\\\\server", "\\\\server"},
        {"\"C:\\My Files\\a b.cir\"", "C:\\My Files\\a b.cir"},
        {"a\"b\"c", "abc"},
        {"a\tb", "a b"},
        {"a \t b", "a   b"},
        {"a   \\b", "a\\b"},
        {"dir \\ sub \\ f ", "dir\\sub\\f"},
        {"C : \\x", "C:\\x"},
        {"C:  x", "C:x"},
        {"\t\n x", "x"},
        {"a/ /b", "a\\b"},
        {"x\\", "x\\"},
        {"   ", ""},
        {"", ""},
        {"\"\"", ""},
    };
    for (const auto& row : rows) {
        std::string path = row.in;
        PathUtil::cleanSeparators(path);
        EXPECT_EQ(path, row.out) << "input [" << row.in << ']';
    }
}

TEST(PathUtilCleanDots, Table) {
    const TextRow rows[] = {
        {"a\\b\\..\\c", "a\\c"},
        {"..\\x", "..\\x"},
        {".\\x", ".\\x"},
        {".\\.\\x", ".\\x"},
        {".\\..\\x", ".\\..\\x"},
        {"a\\...\\b", "..\\b"},
        {"a\\b\\c\\...\\d", "a\\d"},
        {"a\\b\\c\\....\\d", "d"},
        {"a\\....\\b", "..\\..\\b"},
        {"a\\.\\b\\.", "a\\b"},
        {"a\\b\\..", "a"},
        {"a\\b\\..\\", "a\\"},
        {"a\\..", ""},
        {"..\\..\\a\\..\\b", "..\\..\\b"},
        {"C:\\a\\..\\b", "C:\\b"},
        {"C:\\a\\..", "C:\\"},
        {"C:\\..\\x", "C:\\..\\x"},
        {"C:.\\x", "C:x"},
        {"C:\\.\\x", "C:\\x"},
        {"\\.\\x", "\\x"},
        {"\\\\server\\share\\.\\x\\..\\y", "\\\\server\\share\\y"},
        {"\\\\server\\..\\x", "\\\\x"},
        {"a.b\\..c\\d..", "a.b\\..c\\d.."},
        {"C:\\", "C:\\"},
        {"", ""},
    };
    for (const auto& row : rows) {
        std::string path = row.in;
        PathUtil::cleanDots(path);
        EXPECT_EQ(path, row.out) << "input [" << row.in << ']';
    }
}

TEST(PathUtilNormalize, WithoutFullPath) {
    const TextRow rows[] = {
        {" C:/dir//sub/ file.txt ", "C:\\dir\\sub\\file.txt"},
        {"\\\\server\\share\\\\dir//x", "\\\\server\\share\\dir\\x"},
        {"a\\b\\..\\c", "a\\c"},
        {"..\\x", "..\\x"},
        {".\\x", ".\\x"},
        {"a\\...\\b", "..\\b"},
        {"\"C:\\Program Files\\My Sim\\a.cir\"", "C:\\Program Files\\My Sim\\a.cir"},
        {" a / . / b / .. / c ", "a\\c"},
        // Components of dots alone wherever one can start; dots inside a name stay.
        {"C:.\\x", "C:x"},
        {"C:..", "C:.."},
        {"a\\b\\...", ""},
        {"a\\b\\. ", "a\\b"},
        {"\\\\srv\\share\\..\\x", "\\\\srv\\x"},
        {"a\\b.\\c", "a\\b.\\c"},
        {"x..\\y", "x..\\y"},
        {"a.b\\.c\\..d", "a.b\\.c\\..d"},
    };
    for (const auto& row : rows) {
        std::string path = row.in;
        PathUtil::normalize(path, false);
        EXPECT_EQ(path, row.out) << "input [" << row.in << ']';
        PathUtil::normalize(path, false);
        EXPECT_EQ(path, row.out) << "normalising twice [" << row.in << ']';
    }
}

// Generated paths of every kind a page may receive: drives, UNC prefixes, quotes, runs of dots,
// blanks and separators, control and high bytes, and lengths past 260 characters. The same
// sequence every run.
std::vector<std::string> generatedPaths(int count) {
    static const char* const pieces[] = {
        "sim",  "a b",  "..",   ".",    "...",  "....",  " . ",  ". .", "..x",  "x..", ".x.",
        "a.b",  " ",    "   ",  "\t",   "\"",   "\"a\"", ":",    "C:",  "c:.",  "::",  "\x01",
        "\x7f", "\xe9", "\xff", "\v\f", "\r\n", "x y z", "ckpt", "Cir", "\"\"", ".\"."};
    static const char* const separators[] = {"\\",  "/",    "//", "\\\\", "\\ ", " /",   " \\ ",
                                             "\t/", "\"\\", ":",  "/\"/", "",    "\\.\\"};
    static const char* const prefixes[] = {
        "",        "C:", "C:\\",  "c:/",    "\\\\srv\\share\\", "//srv/x/", "\\\\\\x",
        "\\",      "/",  " \"",   "\"C:\\", " \t C:",           ".\\",      "..\\..\\",
        "\\\\?\\", "::", "\\ \\", "  /  / "};
    std::vector<std::string> paths;
    paths.reserve(count);
    std::uint32_t state = 2024;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    };
    for (int i = 0; i < count; ++i) {
        std::string path = prefixes[next(std::size(prefixes))];
        // Mostly short, one in eight long enough to go past 260 characters.
        const int depth =
            next(8) == 0 ? 40 + static_cast<int>(next(80)) : static_cast<int>(next(9));
        for (int d = 0; d < depth; ++d) {
            if (d > 0)
                path += separators[next(std::size(separators))];
            if (next(6) == 0) {
                // Any byte at all, a run of dots, or a run of blanks.
                const std::uint32_t kind = next(3);
                const std::size_t n = 1 + next(kind == 0 ? 4 : 12);
                for (std::size_t k = 0; k < n; ++k)
                    path += kind == 0 ? static_cast<char>(next(256)) : kind == 1 ? '.' : ' ';
            } else {
                path += pieces[next(std::size(pieces))];
            }
        }
        if (next(4) == 0)
            path += separators[next(std::size(separators))];
        paths.push_back(std::move(path));
    }
    return paths;
}

// The clean-up passes agree with the straightforward reference implementation on every
// generated path: separators, dots (on raw text too) and normalize without the full-path step.
TEST(PathUtilNormalize, AgreesWithReferenceOnGeneratedPaths) {
    const std::vector<std::string> paths = generatedPaths(300'000);
    std::size_t longPaths = 0;
    std::size_t mismatches = 0;
    std::string firstMismatch;
    const auto compare = [&](const char* what, const std::string& in, const std::string& got,
                             const std::string& expected) {
        if (got == expected)
            return;
        if (mismatches++ == 0)
            firstMismatch =
                std::string(what) + " [" + in + "] gives [" + got + "], not [" + expected + "]";
    };
    for (const std::string& in : paths) {
        longPaths += in.size() > 260;
        std::string got = in;
        std::string expected = in;
        PathUtil::normalize(got, false);
        PathUtilReference::normalizeText(expected);
        compare("normalize", in, got, expected);

        got = in;
        expected = in;
        PathUtil::cleanSeparators(got);
        PathUtilReference::cleanSeparators(expected);
        compare("cleanSeparators", in, got, expected);

        got = in;
        expected = in;
        PathUtil::cleanDots(got);
        PathUtilReference::cleanDots(expected);
        compare("cleanDots", in, got, expected);
    }
    EXPECT_EQ(mismatches, 0u) << firstMismatch;
    // The generator reaches past the 260-character limit often enough to matter.
    EXPECT_GT(longPaths, paths.size() / 20);
}

// Full paths need a known current directory: C: is a temporary folder and C:\work is current.
class PathUtilFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tmp.mkdir("work");
        m_tmp.write("work/file.txt", "x");
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host()));
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\work"));
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
};

TEST_F(PathUtilFileTest, NormalizeWithFullPath) {
    const TextRow rows[] = {
        {"x.cir", "C:\\work\\x.cir"},
        {" .\\sub / x.cir ", "C:\\work\\sub\\x.cir"},
        {"..\\x", "C:\\x"},
        {"a\\...\\b", "C:\\b"},
        {"/home/me/x.cir", "C:\\home\\me\\x.cir"},
        {"C:x", "C:\\work\\x"},
        {"\\\\server\\share\\x\\..\\y", "\\\\server\\share\\y"},
        {"\"name.\"", "C:\\work\\name"},
        // Failures of the full-path step leave the cleaned path alone.
        {"", ""},
        {"  \"\" ", ""},
    };
    for (const auto& row : rows) {
        std::string path = row.in;
        PathUtil::normalize(path, true);
        EXPECT_EQ(path, row.out) << "input [" << row.in << ']';
    }
    // A full path of MAX_PATH characters or more is not taken.
    std::string longName(255, 'n');
    std::string path = longName;
    PathUtil::normalize(path, true);
    EXPECT_EQ(path, longName);
}

TEST(PathUtilExtension, Table) {
    struct Row {
        const char* path;
        const char* source;
        const char* out;
    };
    const Row rows[] = {
        {"design.dsn", "out", "design.out"},
        {"design", "x.lib", "design.lib"},
        {"dir.old\\design", "cir", "dir.old\\design.cir"},
        {"dir.old/design", "cir", "dir.old/design.cir"},
        {"design.dsn", ".cir", "design.cir"},
        {"design.dsn", "C:\\lib.d\\x.lib", "design.lib"},
        {"design.dsn", "C:\\lib.d\\x", "design.C:\\lib.d\\x"},
        {"design.dsn", "", "design"},
        {"dir.old\\design", "", "dir.old\\design"},
        {"design.", "out", "design.out"},
        {"design.", "", "design"},
        {"a.b.c", "d", "a.b.d"},
        {"", "cir", ".cir"},
    };
    for (const auto& row : rows) {
        std::string path = row.path;
        PathUtil::setExtension(path, row.source);
        EXPECT_EQ(path, row.out) << '[' << row.path << "] + [" << row.source << ']';
    }
    std::string self = "design.dsn";
    PathUtil::setExtension(self, self);
    EXPECT_EQ(self, "design.dsn");
}

TEST(PathUtilRebase, Table) {
    struct Row {
        const char* path;
        const char* reference;
        const char* out;
    };
    const Row rows[] = {
        {"C:\\old\\x.cir", "D:\\new\\y.cir", "D:\\new\\x.cir"},
        {"C:\\old\\x.cir", "D:\\new\\", "D:\\new\\x.cir"},
        {"x.cir", "D:/new/y", "D:\\new\\x.cir"},
        {"C:x.cir", "\\\\srv\\share\\y", "\\\\srv\\share\\x.cir"},
        {"C:\\old\\x.cir", "y.cir", "x.cir"},
        {"C:\\old\\x.cir", "D:y.cir", "x.cir"},
        {"C:\\old\\", "D:\\new\\y", "D:\\new\\"},
    };
    for (const auto& row : rows) {
        std::string path = row.path;
        PathUtil::rebase(path, row.reference);
        EXPECT_EQ(path, row.out) << '[' << row.path << "] onto [" << row.reference << ']';
    }
}

TEST(PathUtilComponents, CountsAndPositions) {
    struct Row {
        const char* path;
        int count;
        // Text of components 0, 1 and 2 ("" when beyond).
        const char* parts[3];
    };
    const Row rows[] = {
        {"C:\\dir\\sub\\file.txt", 4, {"C:", "dir", "sub"}},
        {"C:dir", 2, {"C:", "dir", ""}},
        {"C:", 1, {"C:", "", ""}},
        {"\\\\server\\share\\x", 3, {"server", "share", "x"}},
        {"a/b//c/", 3, {"a", "b", "c"}},
        {"\\", 0, {"", "", ""}},
        {"", 0, {"", "", ""}},
        {"name", 1, {"name", "", ""}},
    };
    for (const auto& row : rows) {
        std::string_view path = row.path;
        EXPECT_EQ(PathUtil::componentCount(path), row.count) << '[' << row.path << ']';
        for (int i = 0; i < 3; ++i) {
            auto range = PathUtil::component(path, i);
            EXPECT_LE(range.begin, range.end);
            EXPECT_LE(range.end, path.size());
            EXPECT_EQ(range.in(path), row.parts[i]) << '[' << row.path << "] component " << i;
        }
    }
}

TEST(PathUtilComponents, EdgeIndices) {
    using PathUtil::Range;
    struct Row {
        const char* path;
        int index;
        Range range;
    };
    const Row rows[] = {
        {"C:\\dir\\sub", -1, {10, 10}},
        {"", 0, {0, 0}},
        {"C:\\dir\\sub\\", 3, {10, 10}},  // beyond: where the last one ends
        {"C:\\dir\\sub\\", 99, {10, 10}},
        {"C:\\dir\\sub", 2, {7, 10}},
        {"\\\\", 0, {2, 2}},
    };
    for (const auto& row : rows) {
        auto range = PathUtil::component(row.path, row.index);
        EXPECT_EQ(range.begin, row.range.begin) << '[' << row.path << "] " << row.index;
        EXPECT_EQ(range.end, row.range.end) << '[' << row.path << "] " << row.index;
    }
}

TEST(PathUtilComponents, FileNameAndDirectory) {
    struct Row {
        const char* path;
        const char* fileName;
        const char* directory;
    };
    const Row rows[] = {
        {"C:\\dir\\file.txt", "file.txt", "C:\\dir\\"},
        {"C:/dir/file.txt", "file.txt", "C:/dir/"},
        {"C:file.txt", "file.txt", ""},
        {"file.txt", "file.txt", ""},
        {"C:\\dir\\", "", "C:\\dir\\"},
        {"\\\\srv\\share", "share", "\\\\srv\\"},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        std::string_view path = row.path;
        EXPECT_EQ(PathUtil::fileName(path).in(path), row.fileName) << '[' << row.path << ']';
        EXPECT_EQ(PathUtil::directory(path).in(path), row.directory) << '[' << row.path << ']';
    }
}

TEST_F(PathUtilFileTest, ExistenceTests) {
    struct Row {
        const char* path;
        bool exists;
        bool isDirectory;
        bool isFile;
    };
    const Row rows[] = {
        {"C:\\work\\file.txt", true, false, true}, {"C:\\WORK\\FILE.TXT", true, false, true},
        {"file.txt", true, false, true},           {"C:\\work", true, true, false},
        {"C:\\work\\none", false, false, false},   {"", false, false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PathUtil::exists(row.path), row.exists) << '[' << row.path << ']';
        EXPECT_EQ(PathUtil::isDirectory(row.path), row.isDirectory) << '[' << row.path << ']';
        EXPECT_EQ(PathUtil::isFile(row.path), row.isFile) << '[' << row.path << ']';
    }
}

TEST_F(PathUtilFileTest, IsFileOfEmptyPathDoesNotAsk) {
    // An empty name never reaches the file system, so the last error stays as it was.
    SetLastError(12345);
    EXPECT_FALSE(PathUtil::isFile(""));
    EXPECT_EQ(GetLastError(), 12345u);
}

TEST_F(PathUtilFileTest, CreateDirectories) {
    EXPECT_TRUE(PathUtil::createDirectories("C:\\work\\a\\b\\c"));
    EXPECT_TRUE(fs::is_directory(m_tmp.host("work/a/b/c")));
    EXPECT_TRUE(PathUtil::createDirectories("C:\\work\\a\\b\\c"));  // already there
    EXPECT_TRUE(PathUtil::createDirectories("C:\\WORK\\A\\New"));   // found ignoring case
    EXPECT_TRUE(fs::is_directory(m_tmp.host("work/a/New")));
    m_tmp.mkdir("work/rel");
    EXPECT_TRUE(PathUtil::createDirectories("rel\\x\\y"));  // relative, against C:\work
    EXPECT_TRUE(fs::is_directory(m_tmp.host("work/rel/x/y")));
    EXPECT_FALSE(PathUtil::createDirectories(""));
}

TEST_F(PathUtilFileTest, CreateDirectoriesStopsAtAFile) {
    EXPECT_FALSE(PathUtil::createDirectories("C:\\work\\file.txt\\x\\y"));
    EXPECT_FALSE(PathUtil::createDirectories("C:\\work\\file.txt"));
    EXPECT_TRUE(fs::is_regular_file(m_tmp.host("work/file.txt")));
    std::size_t entries = 0;
    for ([[maybe_unused]] auto& e : fs::recursive_directory_iterator(m_tmp.host()))
        ++entries;
    EXPECT_EQ(entries, 2u);  // work and work/file.txt, nothing created
}

TEST_F(PathUtilFileTest, CreateDirectoriesReportsTheFailingStep) {
    // A UNC chain reaches nothing, so its creation fails.
    EXPECT_FALSE(PathUtil::createDirectories("\\\\server\\share\\x"));
    // The first component of a relative path is taken as existing, never created.
    EXPECT_FALSE(PathUtil::createDirectories("missing\\x"));
    EXPECT_FALSE(fs::exists(m_tmp.host("work/missing")));
}

}  // namespace
