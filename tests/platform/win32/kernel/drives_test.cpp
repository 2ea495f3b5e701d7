// The drive table: parsing and refusing tables, host <-> Windows path mapping, the
// case-insensitive component lookup and what it remembers between calls.
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include "SettledClock.h"
#include "TempDir.h"
#include "internal/hostpath.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

// C: is a temporary folder and D: its sub-folder "d"; everything is put back afterwards.
class DrivesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tmp.mkdir("d");
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host() + ";D:=" + m_tmp.host() + "/d"));
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
};

TEST(DriveTable, ParsesAndRefuses) {
    struct Row {
        const char* text;
        bool accepted;
        const char* table;  // driveTable() afterwards when accepted
    };
    const Row rows[] = {
        {"C:=/srv/sim", true, "C:=/srv/sim"},
        {"C:=/srv/sim;D:=/mnt/d", true, "C:=/srv/sim;D:=/mnt/d"},
        {"d:=/mnt/d;c:=/", true, "C:=/;D:=/mnt/d"},
        {"C:=/srv//sim/;", true, "C:=/srv/sim"},
        {"C:=/srv/./x/../sim", true, "C:=/srv/sim"},
        {"", false, nullptr},
        {";", false, nullptr},
        {"C:/srv", false, nullptr},
        {"C=/srv", false, nullptr},
        {"C:=srv", false, nullptr},
        {"C:=", false, nullptr},
        {"1:=/srv", false, nullptr},
        {"CD:=/srv", false, nullptr},
        {"C:=/a;C:=/b", false, nullptr},
        {"C:=/a;c:=/b", false, nullptr},
        {"C:=/a;junk", false, nullptr},
    };
    kvwin32::PathStateSaver saved;
    for (const auto& row : rows) {
        ASSERT_TRUE(kvwin32::setDriveTable("Z:=/before"));
        EXPECT_EQ(kvwin32::setDriveTable(row.text), row.accepted) << "table \"" << row.text << '"';
        std::string expected = row.accepted ? row.table : "Z:=/before";
        EXPECT_EQ(kvwin32::driveTable(), expected) << "table \"" << row.text << '"';
    }
}

TEST(DriveTable, ARefusedTableSaysWhy) {
    struct Row {
        const char* text;
        const char* why;  // nullptr: accepted
    };
    const Row rows[] = {
        {"C:=/srv;D:=/mnt/d", nullptr},
        {"", "it names no drive"},
        {";;", "it names no drive"},
        {"C=/srv", "\"C=/srv\" does not start with a drive letter and ':'"},
        {"1:=/srv", "\"1:=/srv\" does not start with a drive letter and ':'"},
        {"C:/srv", "\"C:/srv\" has no '=' after the drive"},
        {"C:=srv", "\"C:=srv\" does not map the drive to an absolute folder (one starting with /)"},
        {"C:=/a;c:=/b", "\"c:=/b\" maps drive C: a second time"},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> why = kvwin32::driveTableError(row.text);
        if (row.why == nullptr) {
            EXPECT_FALSE(why) << row.text;
        } else {
            EXPECT_EQ(why.value_or("<accepted>"), row.why) << row.text;
        }
    }
}

TEST(DriveTable, SaverPutsTableAndCurrentDirectoryBack) {
    std::string tableBefore = kvwin32::driveTable();
    char before[1024];
    ASSERT_GT(GetCurrentDirectoryA(sizeof before, before), 0u);
    {
        kvwin32::PathStateSaver saved;
        kvtest::TempDir tmp;
        ASSERT_TRUE(kvwin32::setDriveTable("Q:=" + tmp.host()));
        ASSERT_TRUE(SetCurrentDirectoryA("Q:\\"));
        EXPECT_NE(kvwin32::driveTable(), tableBefore);
    }
    char after[1024];
    ASSERT_GT(GetCurrentDirectoryA(sizeof after, after), 0u);
    EXPECT_EQ(kvwin32::driveTable(), tableBefore);
    EXPECT_STREQ(after, before);
}

TEST(DriveTable, WorkingDirectoryOutsideEveryDriveStartsAtRootOfC) {
    kvwin32::PathStateSaver saved;
    kvtest::TempDir tmp;
    char buffer[MAX_PATH];
    ASSERT_TRUE(kvwin32::setDriveTable("D:=" + tmp.host() + ";C:=" + tmp.host() + "/c"));
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, buffer), 0u);
    EXPECT_STREQ(buffer, "C:\\");
    ASSERT_TRUE(kvwin32::setDriveTable("F:=" + tmp.host() + ";E:=" + tmp.host() + "/e"));
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, buffer), 0u);
    EXPECT_STREQ(buffer, "E:\\");
}

TEST(DriveTable, WorkingDirectoryInsideADriveIsTheCurrentDirectory) {
    kvwin32::PathStateSaver saved;
    std::string cwd = std::filesystem::current_path().string();
    ASSERT_TRUE(kvwin32::setDriveTable("C:=/;W:=" + cwd));
    char buffer[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, buffer), 0u);
    EXPECT_STREQ(buffer, "W:\\");
}

TEST_F(DrivesTest, HostPathsSeenThroughTheTable) {
    struct Row {
        std::string host;
        std::optional<std::string> windows;
    };
    const std::string base = m_tmp.host();
    const Row rows[] = {
        {base, "C:\\"},
        {base + "/", "C:\\"},
        {base + "/sim/amp.cir", "C:\\sim\\amp.cir"},
        {base + "//sim/./x/../amp.cir", "C:\\sim\\amp.cir"},
        {base + "/d", "D:\\"},  // the deeper drive wins
        {base + "/d/x", "D:\\x"},
        {base + "/dd/x", "C:\\dd\\x"},  // "dd" is not inside "d"
        {"/", std::nullopt},
        {base + "/..", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(kvwin32::windowsFromHost(row.host), row.windows) << "host " << row.host;
}

TEST_F(DrivesTest, ComponentsAreFoundIgnoringCase) {
    m_tmp.write("Sim/Amp.cir", "x");
    m_tmp.write("multi/ABC", "1");
    m_tmp.write("multi/Abc", "2");
    m_tmp.write("multi/abc", "3");
    struct Row {
        const char* windows;
        const char* host;  // relative to the temporary folder
    };
    const Row rows[] = {
        {"C:\\Sim\\Amp.cir", "Sim/Amp.cir"},
        {"C:\\SIM\\amp.CIR", "Sim/Amp.cir"},
        {"c:/sim/amp.cir", "Sim/Amp.cir"},
        {"C:\\sim\\New\\File.TXT", "Sim/New/File.TXT"},  // missing parts keep their case
        {"C:\\multi\\Abc", "multi/Abc"},                 // the exact name first
        {"C:\\multi\\aBC", "multi/ABC"},                 // then the first in byte order
        {"C:\\sim\\", "Sim/"},
        {"D:\\x", "d/x"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(kvwin32::hostFromWindows(row.windows), m_tmp.host(row.host))
            << "windows " << row.windows;
}

TEST_F(DrivesTest, LinuxPathIsRootedOnTheCurrentDrive) {
    m_tmp.write("home/me/x.cir", "x");
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
    EXPECT_EQ(kvwin32::hostFromWindows("/x.cir"), m_tmp.host("d/x.cir"));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\home"));
    EXPECT_EQ(kvwin32::hostFromWindows("/home/me/x.cir"), m_tmp.host("home/me/x.cir"));
    EXPECT_EQ(kvwin32::hostFromWindows("me/x.cir"), m_tmp.host("home/me/x.cir"));
}

TEST_F(DrivesTest, NamesThatReachNothingFail) {
    struct Row {
        std::string windows;
        DWORD error;
    };
    const Row rows[] = {
        {"\\\\server\\share\\x", ERROR_BAD_NETPATH},
        {"//server/share/x", ERROR_BAD_NETPATH},
        {"\\\\.\\pipe\\x", ERROR_BAD_NETPATH},
        {"Q:\\x", ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
        {"C:\\a?b", ERROR_INVALID_NAME},
        {"C:\\a*", ERROR_INVALID_NAME},
        {"C:\\a:b", ERROR_INVALID_NAME},
        {"C:\\a|b\\c", ERROR_INVALID_NAME},
        {"C:\\" + std::string(300, 'x'), ERROR_FILENAME_EXCED_RANGE},
        {"C:\\" + std::string(257, 'x'), ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_EQ(kvwin32::hostFromWindows(row.windows), std::nullopt) << row.windows;
        EXPECT_EQ(GetLastError(), row.error) << row.windows;
    }
    EXPECT_NE(kvwin32::hostFromWindows("C:\\" + std::string(256, 'x')), std::nullopt);
}

TEST_F(DrivesTest, ErrnoValuesMapToWindowsErrors) {
    struct Row {
        int err;
        DWORD error;
    };
    const Row rows[] = {
        {ENOENT, ERROR_FILE_NOT_FOUND},   {ENOTDIR, ERROR_PATH_NOT_FOUND},
        {EACCES, ERROR_ACCESS_DENIED},    {EEXIST, ERROR_ALREADY_EXISTS},
        {ENOTEMPTY, ERROR_DIR_NOT_EMPTY}, {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
        {ENOSPC, ERROR_DISK_FULL},
    };
    for (const auto& row : rows)
        EXPECT_EQ(kvwin32::internal::errorFromErrno(row.err), row.error) << "errno " << row.err;
}

// Sets a host folder's modification time to a fixed moment long past, so that its stamp
// differs from whatever it was listed with.
void backdateFolder(const std::string& hostFolder) {
    const timespec past{1'000'000'000, 0};
    const timespec times[2] = {past, past};
    ASSERT_EQ(::utimensat(AT_FDCWD, hostFolder.c_str(), times, 0), 0);
}

TEST_F(DrivesTest, FoldersAreListedOnceUntilTheyChange) {
    const kvtest::SettledClock settled;
    m_tmp.write("Sim/Amp.cir", "x");
    m_tmp.write("Sim/Other.cir", "x");
    struct Step {
        const char* change;   // a file the step writes first (nullptr: nothing)
        const char* changed;  // the folder that write changes ("" for the drive's folder)
        const char* windows;  // the name looked up
        const char* host;     // what it finds, relative to the temporary folder
        std::uint64_t scans;  // folders read for it
    };
    const Step steps[] = {
        {nullptr, nullptr, "C:\\SIM\\amp.CIR", "Sim/Amp.cir", 2},      // the drive's folder and Sim
        {nullptr, nullptr, "C:\\SIM\\amp.CIR", "Sim/Amp.cir", 0},      // the same name again
        {nullptr, nullptr, "C:\\sim\\OTHER.cir", "Sim/Other.cir", 0},  // same folders
        {nullptr, nullptr, "C:\\sim\\missing.cir", "Sim/missing.cir", 0},  // a miss as well
        // Sim changed: it is read again, and the new entry comes first in byte order.
        {"Sim/AMp.cir", "Sim", "C:\\SIM\\amp.CIR", "Sim/AMp.cir", 1},
        {nullptr, nullptr, "C:\\SIM\\amp.CIR", "Sim/AMp.cir", 0},
        // A folder "sim" beside "Sim": the drive's folder is read again, "Sim" still first.
        {"sim/x", "", "C:\\SIM\\amp.CIR", "Sim/AMp.cir", 1},
        {nullptr, nullptr, "C:\\SIM\\amp.CIR", "Sim/AMp.cir", 0},
    };
    for (const Step& step : steps) {
        if (step.change) {
            m_tmp.write(step.change, "y");
            // The stamp is moved by hand: within one tick of the file system's clock a change
            // can leave it as it was, which is what settling guards against (tested below).
            backdateFolder(*step.changed ? m_tmp.host(step.changed) : m_tmp.host());
        }
        const std::uint64_t before = kvwin32::internal::folderScanCount();
        EXPECT_EQ(kvwin32::hostFromWindows(step.windows), m_tmp.host(step.host))
            << "windows " << step.windows;
        EXPECT_EQ(kvwin32::internal::folderScanCount() - before, step.scans)
            << "windows " << step.windows;
    }
}

TEST_F(DrivesTest, FoldersChangedMomentsAgoAreListedEachTime) {
    // With the real clock, a folder just written is not settled: a second change within the
    // same tick could keep its stamp, so every lookup reads it again.
    m_tmp.write("Fresh/Item.txt", "x");
    for (int round = 0; round < 2; ++round) {
        const std::uint64_t before = kvwin32::internal::folderScanCount();
        EXPECT_EQ(kvwin32::hostFromWindows("C:\\Fresh\\ITEM.TXT"), m_tmp.host("Fresh/Item.txt"));
        EXPECT_EQ(kvwin32::internal::folderScanCount() - before, 1u) << "round " << round;
    }
}

TEST_F(DrivesTest, RememberedNamesFollowTheFileSystemAndTheCurrentDirectory) {
    struct Step {
        std::function<void()> change;  // done before the lookup (empty: nothing)
        const char* windows;
        const char* host;  // relative to the temporary folder
    };
    const Step steps[] = {
        {[&] { m_tmp.write("Data/File.txt", "1"); }, "C:\\Data\\File.txt", "Data/File.txt"},
        {{}, "C:\\Data\\File.txt", "Data/File.txt"},
        // The remembered path is gone: the name is resolved again, ignoring case.
        {[&] {
             std::filesystem::remove(m_tmp.host("Data/File.txt"));
             m_tmp.write("Data/file.TXT", "2");
         },
         "C:\\Data\\File.txt", "Data/file.TXT"},
        // The exact name is back and comes first again.
        {[&] { m_tmp.write("Data/File.txt", "3"); }, "C:\\Data\\File.txt", "Data/File.txt"},
        // A relative name follows the current directory.
        {[] { ASSERT_TRUE(SetCurrentDirectoryA("C:\\Data")); }, "File.txt", "Data/File.txt"},
        {[] { ASSERT_TRUE(SetCurrentDirectoryA("D:\\")); }, "File.txt", "d/File.txt"},
        // And every name follows the drive table.
        {[&] { ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host("d"))); },
         "C:\\Data\\File.txt", "d/Data/File.txt"},
    };
    for (const Step& step : steps) {
        if (step.change)
            step.change();
        EXPECT_EQ(kvwin32::hostFromWindows(step.windows), m_tmp.host(step.host))
            << "windows " << step.windows;
    }
}

}  // namespace
