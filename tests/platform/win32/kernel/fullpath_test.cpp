// GetFullPathNameA and GetCurrentDirectoryA: how names resolve against the current
// directories, and the buffer rules of both calls.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

// C:, D: and E: are temporary folders; C:\work is current, D:'s last directory was D:\dd, and
// E: has never been current.
class FullPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tmp.mkdir("c/work/sub");
        m_tmp.mkdir("d/dd");
        m_tmp.mkdir("e");
        const std::string& h = m_tmp.host();
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + h + "/c;D:=" + h + "/d;E:=" + h + "/e"));
        ASSERT_TRUE(SetCurrentDirectoryA("D:\\dd"));
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\work"));
    }

    static std::string current() {
        char buffer[MAX_PATH];
        DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
        return n > 0 && n < MAX_PATH ? std::string(buffer, n) : "<failed>";
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
};

struct FullPathRow {
    const char* name;
    const char* full;
    const char* filePart;  // null when there is none
};

const FullPathRow kFullPathRows[] = {
    // Relative to the current directory.
    {"x.cir", "C:\\work\\x.cir", "x.cir"},
    {"sub\\x.cir", "C:\\work\\sub\\x.cir", "x.cir"},
    {".", "C:\\work", "work"},
    {".\\", "C:\\work\\", nullptr},
    {"..", "C:\\", nullptr},
    {"..\\..\\..\\x", "C:\\x", "x"},
    {"sub\\..\\y", "C:\\work\\y", "y"},
    {"./sub/./f", "C:\\work\\sub\\f", "f"},
    {"sub\\", "C:\\work\\sub\\", nullptr},
    // Rooted on the current drive; a host's Linux path is one of these.
    {"\\x", "C:\\x", "x"},
    {"\\", "C:\\", nullptr},
    {"/home/me/x.cir", "C:\\home\\me\\x.cir", "x.cir"},
    {"\\..\\x", "C:\\x", "x"},
    // Drive-relative: the drive's own directory, else its root.
    {"C:x", "C:\\work\\x", "x"},
    {"c:x", "C:\\work\\x", "x"},
    {"C:", "C:\\work", "work"},
    {"D:x", "D:\\dd\\x", "x"},
    {"D:..\\y", "D:\\y", "y"},
    {"D:", "D:\\dd", "dd"},
    {"E:x", "E:\\x", "x"},
    {"e:", "e:\\", nullptr},
    {"Q:x", "Q:\\x", "x"},  // text only: no drive Q: is needed
    // A drive's root keeps the letter as typed; a drive's directory comes out as stored.
    {"e:x", "e:\\x", "x"},
    {"d:x", "D:\\dd\\x", "x"},
    {"d:", "D:\\dd", "dd"},
    {"c:", "C:\\work", "work"},
    // Absolute: the letter keeps the case the caller typed.
    {"d:\\A\\b", "d:\\A\\b", "b"},
    {"c:/test", "c:\\test", "test"},
    {"c:\\", "c:\\", nullptr},
    {"c:\\work\\..\\x", "c:\\x", "x"},
    {"C:/a/b", "C:\\a\\b", "b"},
    {"C:\\a\\\\b//c", "C:\\a\\b\\c", "c"},
    {"C:\\a\\", "C:\\a\\", nullptr},
    {"C:\\a\\.", "C:\\a", "a"},
    {"C:\\a\\.\\", "C:\\a\\", nullptr},
    {"C:\\a\\..", "C:\\", nullptr},
    {"C:\\a\\..\\", "C:\\", nullptr},
    {"C:\\a\\b\\..\\c", "C:\\a\\c", "c"},
    {"C:\\..\\..\\x", "C:\\x", "x"},
    // Dots and blanks at the ends of components.
    {"C:\\a\\b.\\c", "C:\\a\\b\\c", "c"},
    {"C:\\a\\b..\\c", "C:\\a\\b.\\c", "c"},
    {"C:\\a\\name.", "C:\\a\\name", "name"},
    {"C:\\a\\name. . ", "C:\\a\\name", "name"},
    {"C:\\a\\name  ", "C:\\a\\name", "name"},
    {"C:\\a b \\c", "C:\\a b \\c", "c"},
    {"x.cir ", "C:\\work\\x.cir", "x.cir"},
    // UNC names resolve as text; ".." stops at the share.
    {"\\\\server\\share\\x", "\\\\server\\share\\x", "x"},
    {"//server/share/a", "\\\\server\\share\\a", "a"},
    {"\\\\server\\share\\x\\..\\..\\y", "\\\\server\\share\\y", "y"},
    {"\\\\server\\share", "\\\\server\\share", "share"},
    {"\\\\server\\share\\a\\\\b", "\\\\server\\share\\a\\b", "b"},
};

TEST_F(FullPathTest, ResolvesNames) {
    for (const auto& row : kFullPathRows) {
        char buffer[MAX_PATH];
        std::memset(buffer, 'Z', sizeof buffer);
        LPSTR filePart = buffer + 7;  // must be overwritten
        DWORD n = GetFullPathNameA(row.name, MAX_PATH, buffer, &filePart);
        ASSERT_GT(n, 0u) << "name \"" << row.name << "\" error " << GetLastError();
        EXPECT_EQ(std::string(buffer), row.full) << "name \"" << row.name << '"';
        EXPECT_EQ(n, std::strlen(row.full)) << "name \"" << row.name << '"';
        if (row.filePart) {
            EXPECT_STREQ(filePart, row.filePart) << "name \"" << row.name << '"';
        } else {
            EXPECT_EQ(filePart, nullptr) << "name \"" << row.name << '"';
        }
    }
}

TEST_F(FullPathTest, BufferRules) {
    const std::string expected = "C:\\work\\abc";
    const DWORD length = static_cast<DWORD>(expected.size());
    char buffer[64];

    // Exactly large enough: the length without the terminator.
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(GetFullPathNameA("abc", length + 1, buffer, nullptr), length);
    EXPECT_EQ(std::string(buffer), expected);

    // One short: the size needed, terminator included, and the buffer untouched.
    std::memset(buffer, 'Z', sizeof buffer);
    LPSTR filePart = buffer;
    EXPECT_EQ(GetFullPathNameA("abc", length, buffer, &filePart), length + 1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'Z'));
    EXPECT_EQ(filePart, buffer);

    // No buffer at all asks for the size.
    EXPECT_EQ(GetFullPathNameA("abc", 0, nullptr, nullptr), length + 1);
}

TEST_F(FullPathTest, Failures) {
    struct Row {
        std::string name;
        DWORD error;
    };
    const Row rows[] = {
        {"", ERROR_INVALID_NAME},
        {"   ", ERROR_INVALID_NAME},
        {std::string(261, 'x'), ERROR_FILENAME_EXCED_RANGE},
        // Within the input limit, but the full path reaches MAX_PATH characters.
        {std::string(260 - 8, 'x'), ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& row : rows) {
        char buffer[MAX_PATH];
        SetLastError(0);
        EXPECT_EQ(GetFullPathNameA(row.name.c_str(), MAX_PATH, buffer, nullptr), 0u)
            << "name of " << row.name.size() << " characters";
        EXPECT_EQ(GetLastError(), row.error) << "name of " << row.name.size() << " characters";
    }
    SetLastError(0);
    EXPECT_EQ(GetFullPathNameA(nullptr, MAX_PATH, nullptr, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // "C:\work\" is 8 characters: 251 more make the longest full path the ANSI call gives.
    char buffer[MAX_PATH];
    EXPECT_EQ(GetFullPathNameA(std::string(251, 'x').c_str(), MAX_PATH, buffer, nullptr), 259u);
}

TEST_F(FullPathTest, CurrentDirectoryBufferRules) {
    const std::string expected = "C:\\work";
    const DWORD length = static_cast<DWORD>(expected.size());
    char buffer[32];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(length, buffer), length + 1);
    EXPECT_EQ(buffer[0], 'Z');
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
    EXPECT_EQ(GetCurrentDirectoryA(length + 1, buffer), length);
    EXPECT_EQ(std::string(buffer), expected);
}

TEST_F(FullPathTest, SetCurrentDirectoryKeepsTypedCaseAndDropsTrailingSeparator) {
    struct Row {
        const char* name;
        const char* current;
    };
    const Row rows[] = {
        {"SUB\\", "C:\\work\\SUB"},
        {"..", "C:\\work"},
        {"\\", "C:\\"},
        {"d:", "D:\\dd"},
        {"C:", "C:\\"},    // C:'s directory when it was last current
        {"e:\\", "e:\\"},  // the letter as typed, as GetFullPathNameA gives it
        {"C:/Work/sub/.", "C:\\Work\\sub"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(SetCurrentDirectoryA(row.name)) << row.name << " error " << GetLastError();
        EXPECT_EQ(current(), row.current) << "after " << row.name;
    }
}

TEST_F(FullPathTest, DriveDirectoriesFollowSetCurrentDirectory) {
    ASSERT_TRUE(SetCurrentDirectoryA("E:\\"));
    char buffer[MAX_PATH];
    ASSERT_GT(GetFullPathNameA("C:x", MAX_PATH, buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "C:\\work\\x");
    ASSERT_GT(GetFullPathNameA("x", MAX_PATH, buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "E:\\x");
}

// The current drive named alone is the current directory: setting it changes nothing, however
// the letter is written; with a separator it is the drive's root.
TEST_F(FullPathTest, CurrentDriveAloneIsTheCurrentDirectory) {
    struct Row {
        const char* name;
        const char* current;
    };
    const Row rows[] = {{"C:", "C:\\work"}, {"c:", "C:\\work"}, {"c:\\", "c:\\"}};
    for (const Row& row : rows) {
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\work"));
        ASSERT_TRUE(SetCurrentDirectoryA(row.name)) << row.name;
        EXPECT_EQ(current(), row.current) << row.name;
    }
    // A drive-relative name on the current drive, with either separator, joins the current
    // directory; on another drive never made current it joins that drive's root.
    char buffer[MAX_PATH];
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\work"));
    ASSERT_GT(GetFullPathNameA("C:sub/x.cir", MAX_PATH, buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "C:\\work\\sub\\x.cir");
    ASSERT_GT(GetFullPathNameA("E:sub\\x.cir", MAX_PATH, buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "E:\\sub\\x.cir");
}

}  // namespace
