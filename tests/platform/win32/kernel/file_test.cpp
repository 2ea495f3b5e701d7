// File and folder services and the C runtime's file calls on Windows paths.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempDir.h"
#include "kvwin32/crt.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

namespace fs = std::filesystem;

// C: is a temporary folder holding a file, a read-only file and a folder, and is current.
class FileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tmp.write("Data/File.txt", "data");
        m_tmp.write("Data/ro.txt", "readonly");
        chmod(m_tmp.host("Data/ro.txt").c_str(), 0444);
        m_tmp.mkdir("Data/Folder");
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host()));
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    }

    bool hostExists(const std::string& name) const { return fs::exists(m_tmp.host(name)); }
    mode_t hostMode(const std::string& name) const {
        struct stat st {};
        stat(m_tmp.host(name).c_str(), &st);
        return st.st_mode & 0777;
    }
    // Names in a host folder, to see that nothing was left behind.
    std::size_t entryCount(const std::string& folder) const {
        std::size_t n = 0;
        for ([[maybe_unused]] auto& e : fs::directory_iterator(m_tmp.host(folder)))
            ++n;
        return n;
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
};

TEST_F(FileTest, Attributes) {
    struct Row {
        const char* name;
        DWORD attributes;
        DWORD error;  // when attributes is INVALID_FILE_ATTRIBUTES
    };
    const Row rows[] = {
        {"C:\\Data\\File.txt", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"c:\\data\\FILE.TXT", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"Data/File.txt", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"C:\\Data\\ro.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0},
        {"C:\\Data\\Folder", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\Data\\folder\\", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\Data\\missing.txt", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
        {"C:\\Nowhere\\missing.txt", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"C:\\Data\\File.txt\\x", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"\\\\server\\share\\x", INVALID_FILE_ATTRIBUTES, ERROR_BAD_NETPATH},
        {"Q:\\x", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"C:\\Data\\*.txt", INVALID_FILE_ATTRIBUTES, ERROR_INVALID_NAME},
    };
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesA(row.name), row.attributes) << row.name;
        if (row.attributes == INVALID_FILE_ATTRIBUTES) {
            EXPECT_EQ(GetLastError(), row.error) << row.name;
        }
    }
}

TEST_F(FileTest, ReadOnlyAttributeIsTheOwnerWriteBit) {
    ASSERT_TRUE(SetFileAttributesA("C:\\DATA\\file.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(hostMode("Data/File.txt") & 0222, 0u);
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\File.txt"),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA("C:\\Data\\File.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_NE(hostMode("Data/File.txt") & S_IWUSR, 0u);
    ASSERT_TRUE(SetFileAttributesA("C:\\Data\\ro.txt", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\ro.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    SetLastError(0);
    EXPECT_FALSE(SetFileAttributesA("C:\\Data\\none", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, CreateAndRemoveDirectories) {
    struct Row {
        const char* operation;
        const char* name;
        BOOL result;
        DWORD error;
    };
    const Row rows[] = {
        {"create", "C:\\data\\NewDir", TRUE, 0},
        {"create", "C:\\Data\\newdir", FALSE, ERROR_ALREADY_EXISTS},
        {"create", "C:\\Data\\File.txt", FALSE, ERROR_ALREADY_EXISTS},
        {"create", "C:\\Missing\\x", FALSE, ERROR_PATH_NOT_FOUND},
        {"create", "C:\\Data\\NewDir\\Inner", TRUE, 0},
        {"remove", "C:\\Data\\NEWDIR", FALSE, ERROR_DIR_NOT_EMPTY},
        {"remove", "C:\\Data\\NewDir\\inner", TRUE, 0},
        {"remove", "C:\\Data\\newdir", TRUE, 0},
        {"remove", "C:\\Data\\NewDir", FALSE, ERROR_FILE_NOT_FOUND},
        {"remove", "C:\\Gone\\NewDir", FALSE, ERROR_PATH_NOT_FOUND},
        {"remove", "C:\\Data\\File.txt", FALSE, ERROR_DIRECTORY},
        {"create", "\\\\server\\share\\x", FALSE, ERROR_BAD_NETPATH},
    };
    for (const auto& row : rows) {
        SetLastError(0);
        std::string op = row.operation;
        BOOL result =
            op == "create" ? CreateDirectoryA(row.name, nullptr) : RemoveDirectoryA(row.name);
        EXPECT_EQ(result, row.result) << op << ' ' << row.name;
        if (!row.result) {
            EXPECT_EQ(GetLastError(), row.error) << op << ' ' << row.name;
        }
    }
    // The new folder was made inside the existing "Data", with the case it was given.
    EXPECT_FALSE(hostExists("Data/NewDir"));
    ASSERT_TRUE(CreateDirectoryA("C:\\DATA\\MixedCase", nullptr));
    EXPECT_TRUE(fs::is_directory(m_tmp.host("Data/MixedCase")));
}

TEST_F(FileTest, DeleteFile) {
    struct Row {
        const char* name;
        BOOL result;
        DWORD error;
    };
    const Row rows[] = {
        {"C:\\Data\\ro.txt", FALSE, ERROR_ACCESS_DENIED},
        {"C:\\Data\\Folder", FALSE, ERROR_ACCESS_DENIED},
        {"C:\\Data\\none.txt", FALSE, ERROR_FILE_NOT_FOUND},
        {"C:\\None\\none.txt", FALSE, ERROR_PATH_NOT_FOUND},
        {"c:\\data\\file.TXT", TRUE, 0},
    };
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_EQ(DeleteFileA(row.name), row.result) << row.name;
        if (!row.result) {
            EXPECT_EQ(GetLastError(), row.error) << row.name;
        }
    }
    EXPECT_FALSE(hostExists("Data/File.txt"));
    EXPECT_TRUE(hostExists("Data/ro.txt"));
    EXPECT_TRUE(hostExists("Data/Folder"));
}

TEST_F(FileTest, CopyFileRefusals) {
    m_tmp.write("Data/target.txt", "old");
    m_tmp.write("Data/rotarget.txt", "kept");
    chmod(m_tmp.host("Data/rotarget.txt").c_str(), 0444);
    struct Row {
        const char* from;
        const char* to;
        BOOL failIfExists;
        DWORD error;
    };
    const Row rows[] = {
        {"C:\\Data\\File.txt", "C:\\Data\\target.txt", TRUE, ERROR_FILE_EXISTS},
        {"C:\\Data\\File.txt", "C:\\Data\\rotarget.txt", FALSE, ERROR_ACCESS_DENIED},
        {"C:\\Data\\File.txt", "C:\\Data\\Folder", FALSE, ERROR_ACCESS_DENIED},
        {"C:\\Data\\none.txt", "C:\\Data\\new.txt", FALSE, ERROR_FILE_NOT_FOUND},
        {"C:\\None\\none.txt", "C:\\Data\\new.txt", FALSE, ERROR_PATH_NOT_FOUND},
        {"C:\\Data\\Folder", "C:\\Data\\new.txt", FALSE, ERROR_ACCESS_DENIED},
        {"C:\\Data\\File.txt", "C:\\None\\new.txt", FALSE, ERROR_PATH_NOT_FOUND},
        {"C:\\Data\\File.txt", "C:\\data\\file.TXT", FALSE, ERROR_SHARING_VIOLATION},
        {"C:\\Data\\File.txt", "\\\\server\\share\\x", FALSE, ERROR_BAD_NETPATH},
    };
    const std::size_t entriesBefore = entryCount("Data");
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_FALSE(CopyFileA(row.from, row.to, row.failIfExists)) << row.from << " -> " << row.to;
        EXPECT_EQ(GetLastError(), row.error) << row.from << " -> " << row.to;
    }
    // Every target as it was, and no temporary file left behind.
    EXPECT_EQ(m_tmp.read("Data/target.txt"), "old");
    EXPECT_EQ(m_tmp.read("Data/rotarget.txt"), "kept");
    EXPECT_EQ(m_tmp.read("Data/File.txt"), "data");
    EXPECT_FALSE(hostExists("Data/new.txt"));
    EXPECT_EQ(entryCount("Data"), entriesBefore);
}

TEST_F(FileTest, CopyFileWritesAndReplaces) {
    m_tmp.write("Data/target.txt", "an older and longer content");
    ASSERT_TRUE(CopyFileA("C:\\data\\file.txt", "C:\\Data\\Copy.TXT", TRUE));
    EXPECT_EQ(m_tmp.read("Data/Copy.TXT"), "data");
    ASSERT_TRUE(CopyFileA("C:\\Data\\File.txt", "C:\\DATA\\TARGET.txt", FALSE));
    EXPECT_EQ(m_tmp.read("Data/target.txt"), "data");
    EXPECT_FALSE(hostExists("Data/TARGET.txt"));
    // The read-only attribute travels with the copy.
    ASSERT_TRUE(CopyFileA("C:\\Data\\ro.txt", "C:\\Data\\ro-copy.txt", FALSE));
    EXPECT_EQ(m_tmp.read("Data/ro-copy.txt"), "readonly");
    EXPECT_NE(GetFileAttributesA("C:\\Data\\ro-copy.txt") & FILE_ATTRIBUTE_READONLY, 0u);
    // Large enough to need several reads.
    std::string big(200000, 'b');
    for (std::size_t i = 0; i < big.size(); i += 97)
        big[i] = static_cast<char>('a' + i % 26);
    m_tmp.write("Data/big.bin", big);
    ASSERT_TRUE(CopyFileA("C:\\Data\\big.bin", "C:\\Data\\big-copy.bin", FALSE));
    EXPECT_EQ(m_tmp.read("Data/big-copy.bin"), big);
}

TEST_F(FileTest, SetCurrentDirectoryNeverMovesTheHost) {
    const fs::path hostBefore = fs::current_path();
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\data\\folder"));
    EXPECT_EQ(fs::current_path(), hostBefore);
    // Relative names now resolve there.
    ASSERT_TRUE(CreateDirectoryA("Inner", nullptr));
    EXPECT_TRUE(fs::is_directory(m_tmp.host("Data/Folder/Inner")));
    EXPECT_EQ(GetFileAttributesA("..\\File.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    struct Row {
        const char* name;
        DWORD error;
    };
    const Row rows[] = {
        {"C:\\Data\\missing", ERROR_FILE_NOT_FOUND},
        {"C:\\Missing\\deeper", ERROR_PATH_NOT_FOUND},
        {"C:\\Data\\File.txt", ERROR_DIRECTORY},
        {"\\\\server\\share", ERROR_BAD_NETPATH},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
    };
    char before[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, before), 0u);
    for (const auto& row : rows) {
        SetLastError(0);
        EXPECT_FALSE(SetCurrentDirectoryA(row.name)) << row.name;
        EXPECT_EQ(GetLastError(), row.error) << row.name;
        char after[MAX_PATH];
        ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, after), 0u);
        EXPECT_STREQ(after, before) << "after " << row.name;
    }
}

TEST_F(FileTest, Access) {
    struct Row {
        const char* name;
        int mode;
        int result;
        int err;
    };
    const Row rows[] = {
        {"C:\\Data\\File.txt", 0, 0, 0},
        {"c:\\data\\file.txt", 6, 0, 0},
        {"C:\\Data\\ro.txt", 4, 0, 0},
        {"C:\\Data\\ro.txt", 2, -1, EACCES},
        {"C:\\Data\\ro.txt", 6, -1, EACCES},
        {"C:\\Data\\Folder", 6, 0, 0},
        {"C:\\Data\\none", 0, -1, ENOENT},
        {"C:\\None\\none", 0, -1, ENOENT},
        {"C:\\Data\\File.txt", 1, -1, EINVAL},
        {"C:\\Data\\File.txt", 8, -1, EINVAL},
        {nullptr, 0, -1, EINVAL},
    };
    for (const auto& row : rows) {
        const char* name = row.name ? row.name : "(null)";
        errno = 0;
        EXPECT_EQ(_access(row.name, row.mode), row.result) << name << " mode " << row.mode;
        if (row.result != 0) {
            EXPECT_EQ(errno, row.err) << name << " mode " << row.mode;
        }
    }
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

TEST_F(FileTest, FopenResolvesAndCreatesWithTheGivenCase) {
    {
        File f(kvcrt::fopen("C:\\DATA\\New.Txt", "w"));
        ASSERT_TRUE(f);
        std::fputs("one", f.get());
    }
    EXPECT_EQ(m_tmp.read("Data/New.Txt"), "one");
    {
        File f(kvcrt::fopen("c:\\data\\new.txt", "ab"));
        ASSERT_TRUE(f);
        std::fputs("two", f.get());
    }
    EXPECT_EQ(m_tmp.read("Data/New.Txt"), "onetwo");
    {
        File f(kvcrt::fopen("data/NEW.TXT", "rt"));
        ASSERT_TRUE(f);
        char buffer[16] = {};
        ASSERT_NE(std::fgets(buffer, sizeof buffer, f.get()), nullptr);
        EXPECT_STREQ(buffer, "onetwo");
    }
}

TEST_F(FileTest, FopenRefusals) {
    struct Row {
        const char* name;
        const char* mode;
        int err;
    };
    const Row rows[] = {
        {"C:\\Data\\ro.txt", "w", EACCES},   {"C:\\Data\\ro.txt", "r+", EACCES},
        {"C:\\Data\\ro.txt", "a", EACCES},   {"C:\\Data\\Folder", "r", EACCES},
        {"C:\\Data\\none.txt", "r", ENOENT}, {"C:\\None\\x.txt", "w", ENOENT},
        {"C:\\Data\\File.txt", "x", EINVAL}, {"C:\\Data\\File.txt", "", EINVAL},
        {"C:\\Data\\a?.txt", "w", EINVAL},   {"\\\\server\\share\\x", "r", ENOENT},
    };
    for (const auto& row : rows) {
        errno = 0;
        File f(kvcrt::fopen(row.name, row.mode));
        EXPECT_FALSE(f) << row.name << " \"" << row.mode << '"';
        EXPECT_EQ(errno, row.err) << row.name << " \"" << row.mode << '"';
    }
    EXPECT_EQ(m_tmp.read("Data/ro.txt"), "readonly");
    errno = 0;
    EXPECT_EQ(kvcrt::fopen(nullptr, "r"), nullptr);
    EXPECT_EQ(errno, EINVAL);
}

}  // namespace
