// The Windows and temporary folders: where they come from and the Windows return rules.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "internal/hostpath.h"
#include "kvwin32/environment.h"
#include "kvwin32/winbase.h"

namespace {

class SystemFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        kvwin32::resetEnvironmentOverlay();
        for (const char* name : {"WINDIR", "TMP", "TEMP", "USERPROFILE", "TMPDIR"})
            SetEnvironmentVariableA(name, nullptr);
    }
    void TearDown() override { kvwin32::resetEnvironmentOverlay(); }

    static std::string windowsDirectory() {
        char buf[MAX_PATH];
        UINT n = GetWindowsDirectoryA(buf, sizeof buf);
        EXPECT_EQ(n, std::strlen(buf));
        return buf;
    }
    static std::string tempPath() {
        char buf[MAX_PATH];
        DWORD n = GetTempPathA(sizeof buf, buf);
        EXPECT_EQ(n, std::strlen(buf));
        return buf;
    }
};

TEST_F(SystemFolders, WindowsDirectoryFromWindir) {
    EXPECT_EQ(windowsDirectory(), "C:\\Windows");
    SetEnvironmentVariableA("windir", "D:\\WinNT\\");
    EXPECT_EQ(windowsDirectory(), "D:\\WinNT");
    SetEnvironmentVariableA("WINDIR", "E:\\");
    EXPECT_EQ(windowsDirectory(), "E:\\") << "a drive root keeps its backslash";
    SetEnvironmentVariableA("WINDIR", "");
    EXPECT_EQ(windowsDirectory(), "C:\\Windows") << "empty counts as unset";
}

TEST_F(SystemFolders, TempPathTakesTheFirstVariableSet) {
    struct Row {
        const char* tmp;
        const char* temp;
        const char* userProfile;
        const char* expected;
    };
    const Row rows[] = {
        {"C:\\T1", "C:\\T2", "C:\\Users\\me", "C:\\T1\\"},
        {nullptr, "C:\\T2\\", "C:\\Users\\me", "C:\\T2\\"},
        {"", "C:\\T2", nullptr, "C:\\T2\\"},
        {nullptr, nullptr, "C:\\Users\\me", "C:\\Users\\me\\"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        SetEnvironmentVariableA("TMP", row.tmp);
        SetEnvironmentVariableA("TEMP", row.temp);
        SetEnvironmentVariableA("USERPROFILE", row.userProfile);
        EXPECT_EQ(tempPath(), row.expected);
    }
}

TEST_F(SystemFolders, TempPathFallsBackToHostFolders) {
    SetEnvironmentVariableA("TMPDIR", "/var/kvtmp");
    EXPECT_EQ(tempPath(), *kvwin32::internal::windowsPath("/var/kvtmp") + "\\");
    SetEnvironmentVariableA("TMPDIR", nullptr);
    EXPECT_EQ(tempPath(), *kvwin32::internal::windowsPath("/tmp") + "\\");
}

TEST_F(SystemFolders, TooSmallBufferGivesSizeNeeded) {
    SetEnvironmentVariableA("TMP", "C:\\Temp");
    char buf[16] = "untouched";
    EXPECT_EQ(GetTempPathA(0, nullptr), 9u);
    EXPECT_EQ(GetTempPathA(8, buf), 9u);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(GetTempPathA(9, buf), 8u);
    EXPECT_STREQ(buf, "C:\\Temp\\");

    EXPECT_EQ(GetWindowsDirectoryA(buf, 10), 11u);
    EXPECT_EQ(GetWindowsDirectoryA(buf, 11), 10u);
    EXPECT_STREQ(buf, "C:\\Windows");
}

}  // namespace
