// The one way files are replaced and read whole (kvwin32/file_write.h): links written through,
// devices and FIFOs written directly, owner and permission bits kept, read-only files refused,
// long names, and the reading side's refusals. The tests run as root in CI (and here), so the
// read-only cases rest on the permission bits, which this system honours even for root.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "TempDir.h"
#include "kvwin32/drives.h"
#include "kvwin32/file_write.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

TEST(WriteWholeFile, ALinkIsWrittenThroughAndStaysALink) {
    kvtest::TempDir dir;
    dir.write("real/profile.json", "old");
    fs::create_symlink("real/profile.json", dir.host("relative"));
    fs::create_symlink(dir.host("relative"), dir.host("chain"));  // a link to a link
    fs::create_symlink("real/new.json", dir.host("dangling"));

    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("chain"), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(dir.host("chain")));
    EXPECT_TRUE(fs::is_symlink(dir.host("relative")));
    EXPECT_EQ(dir.read("real/profile.json"), "new");

    // A link to a file not made yet makes the file where the link points.
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("dangling"), "made"), 0);
    EXPECT_TRUE(fs::is_symlink(dir.host("dangling")));
    EXPECT_EQ(dir.read("real/new.json"), "made");
    EXPECT_EQ(entries(dir.host("real")), (std::vector<std::string>{"new.json", "profile.json"}));
}

TEST(WriteWholeFile, AFifoIsWrittenDirectly) {
    kvtest::TempDir dir;
    const std::string fifo = dir.host("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), {});
    });
    EXPECT_EQ(kvwin32::writeWholeFile(fifo, "through the pipe"), 0);
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(entries(dir.host()), std::vector<std::string>{"pipe"});
}

TEST(WriteWholeFile, AnOpenPipeNamedThroughProcIsWrittenDirectly) {
    // What "--out /dev/stdout" reaches when standard output is a pipe: a link whose text
    // ("pipe:[N]") names no file.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_EQ(kvwin32::writeWholeFile("/proc/self/fd/" + std::to_string(fds[1]), "piped"), 0);
    ::close(fds[1]);
    char buffer[16] = {};
    EXPECT_EQ(::read(fds[0], buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "piped");
    ::close(fds[0]);
}

TEST(WriteWholeFile, ADeviceIsWrittenDirectly) {
    // A null device of our own, in a fresh folder (CI runs as root, who may make one).
    kvtest::TempDir dir;
    const std::string device = dir.host("null");
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << std::strerror(errno);
    EXPECT_EQ(kvwin32::writeWholeFile(device, "discarded"), 0);
    const struct stat st = statOf(device);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
    EXPECT_EQ(entries(dir.host()), std::vector<std::string>{"null"});
}

TEST(WriteWholeFile, AReplacedFileKeepsModeOwnerAndGroup) {
    kvtest::TempDir dir;
    dir.write("kept.ini", "old");
    const std::string path = dir.host("kept.ini");
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const ino_t before = statOf(path).st_ino;

    EXPECT_EQ(kvwin32::writeWholeFile(path, "new"), 0);
    const struct stat st = statOf(path);
    EXPECT_EQ(dir.read("kept.ini"), "new");
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_NE(st.st_ino, before) << "replaced through a rename";
    EXPECT_EQ(entries(dir.host()), std::vector<std::string>{"kept.ini"});
}

TEST(WriteWholeFile, AFileWithOtherHardLinksIsRewrittenInPlace) {
    kvtest::TempDir dir;
    dir.write("a.ini", "old");
    fs::create_hard_link(dir.host("a.ini"), dir.host("b.ini"));
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("a.ini"), "new"), 0);
    EXPECT_EQ(dir.read("b.ini"), "new");
    EXPECT_EQ(statOf(dir.host("a.ini")).st_nlink, 2u);
}

TEST(WriteWholeFile, AReadOnlyFileOrFolderIsRefusedEvenForRoot) {
    kvtest::TempDir dir;
    dir.write("ro.json", "old");
    ASSERT_EQ(::chmod(dir.host("ro.json").c_str(), 0444), 0);
    dir.mkdir("locked");
    ASSERT_EQ(::chmod(dir.host("locked").c_str(), 0555), 0);

    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("ro.json"), "new"), EACCES);
    EXPECT_EQ(dir.read("ro.json"), "old");
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("locked/new.json"), "new"), EACCES);
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("missing/new.json"), "new"), ENOENT);
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("locked"), "new"), EISDIR);
    EXPECT_EQ(kvwin32::fileErrorText(EACCES), "Permission denied");
    ::chmod(dir.host("locked").c_str(), 0755);
    EXPECT_TRUE(entries(dir.host("locked")).empty());
    EXPECT_EQ(entries(dir.host()), (std::vector<std::string>{"locked", "ro.json"}));
}

TEST(WriteWholeFile, EveryLegalNameLengthIsWritten) {
    kvtest::TempDir dir;
    for (std::size_t length : {1u, 64u, 200u, 245u, 246u, 250u, 255u}) {
        const std::string name(length, 'n');
        EXPECT_EQ(kvwin32::writeWholeFile(dir.host(name), "x"), 0) << length;
        EXPECT_EQ(kvwin32::writeWholeFile(dir.host(name), "y"), 0) << length;  // a replacement
        EXPECT_EQ(dir.read(name), "y") << length;
        fs::remove(dir.host(name));
    }
    EXPECT_TRUE(entries(dir.host()).empty()) << "no temporary file left";
}

TEST(WriteWholeFile, AFailedFillLeavesTheOldFileAndNoTemporary) {
    kvtest::TempDir dir;
    dir.write("p.json", "old");
    EXPECT_EQ(kvwin32::writeWholeFile(dir.host("p.json"), [](int) { return ENOSPC; }), ENOSPC);
    EXPECT_EQ(dir.read("p.json"), "old");
    EXPECT_EQ(entries(dir.host()), std::vector<std::string>{"p.json"});
}

TEST(ReadRegularFile, RefusesFoldersDevicesFifosAndLargeFiles) {
    kvtest::TempDir dir;
    dir.mkdir("folder");
    ASSERT_EQ(::mkfifo(dir.host("fifo").c_str(), 0600), 0);
    // An endless device of our own, like /dev/zero.
    ASSERT_EQ(::mknod(dir.host("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
    dir.write("small", "12345");

    std::string bytes = "untouched";
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("folder"), bytes), EISDIR);
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("fifo"), bytes), kvwin32::kNotARegularFile);
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("zero"), bytes), kvwin32::kNotARegularFile);
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("missing"), bytes), ENOENT);
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("small"), bytes, 4), kvwin32::kFileTooLarge);
    EXPECT_EQ(bytes, "untouched");
    EXPECT_EQ(kvwin32::readRegularFile(dir.host("small"), bytes, 5), 0);
    EXPECT_EQ(bytes, "12345");

    EXPECT_EQ(kvwin32::fileErrorText(EISDIR), "it is a folder");
    EXPECT_EQ(kvwin32::fileErrorText(kvwin32::kNotARegularFile), "it is not a regular file");
    EXPECT_EQ(kvwin32::fileErrorText(kvwin32::kFileTooLarge), "it is larger than 64 MiB");
}

TEST(CopyFileThroughLinks, ACopyOntoALinkWritesTheLinkedFile) {
    kvwin32::PathStateSaver saved;
    kvtest::TempDir dir;
    ASSERT_TRUE(kvwin32::setDriveTable("C:=" + dir.host()));
    dir.write("source.ini", "[a]\r\nx=1\r\n");
    dir.write("users/real.ini", "old");
    fs::create_symlink("users/real.ini", dir.host("copy.ini"));
    EXPECT_TRUE(CopyFileA("C:\\source.ini", "C:\\copy.ini", FALSE));
    EXPECT_TRUE(fs::is_symlink(dir.host("copy.ini")));
    EXPECT_EQ(dir.read("users/real.ini"), "[a]\r\nx=1\r\n");

    // A device is no source: its reading might never end.
    ASSERT_EQ(::mknod(dir.host("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
    SetLastError(0);
    EXPECT_FALSE(CopyFileA("C:\\zero", "C:\\z.ini", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(WritePrivateProfileThroughLinks, AConfigurationLinkStaysALinkAtAnyNameLength) {
    kvwin32::PathStateSaver saved;
    kvtest::TempDir dir;
    ASSERT_TRUE(kvwin32::setDriveTable("C:=" + dir.host()));
    const std::string longName = std::string(251, 'c') + ".ini";  // 255 bytes
    dir.write(longName, "[a]\r\nx=1\r\n");
    EXPECT_TRUE(WritePrivateProfileStringA("a", "x", "2", ("C:\\" + longName).c_str()));
    EXPECT_EQ(dir.read(longName), "[a]\r\nx=2\r\n");
    EXPECT_EQ(entries(dir.host()), std::vector<std::string>{longName});
}

}  // namespace
