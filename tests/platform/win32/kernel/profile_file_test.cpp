// Tests of WritePrivateProfileStringA: the bytes it writes, the lines it leaves alone, its
// failures (which must leave the old file and no temporary file behind), and the cache of
// parsed files that reads go through.
#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "SettledClock.h"
#include "TempDir.h"
#include "internal/profile_cache.h"
#include "internal/profile_file.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

namespace fs = std::filesystem;
using kvwin32::internal::ProfileCache;

std::string shown(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

class ProfileWrite : public ::testing::Test {
  protected:
    std::string path(std::string_view name = "test.ini") const { return m_dir.win(name); }

    bool write(const char* app, const char* key, const char* value,
               std::string_view name = "test.ini") {
        return WritePrivateProfileStringA(app, key, value, path(name).c_str()) != FALSE;
    }

    std::string read(const char* app, const char* key, std::string_view name = "test.ini") {
        char buffer[256];
        GetPrivateProfileStringA(app, key, "<default>", buffer, sizeof buffer, path(name).c_str());
        return buffer;
    }

    // Names in a folder of the test's directory ("" for the directory itself).
    std::vector<std::string> entries(std::string_view folder = "") const {
        std::vector<std::string> names;
        for (const auto& e :
             fs::directory_iterator(folder.empty() ? m_dir.host() : m_dir.host(folder))) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static void setPermissions(const std::string& hostPath, fs::perms perms) {
        fs::permissions(hostPath, perms, fs::perm_options::replace);
    }

    kvtest::TempDir m_dir;
};

TEST_F(ProfileWrite, BuildsAFileAsWindowsWritesIt) {
    struct Step {
        const char* app;
        const char* key;
        const char* value;
        std::string_view file;  // the whole file after the step
    };
    const Step steps[] = {
        {"App1", "key1", "string1", "[App1]\r\nkey1=string1\r\n"},
        {"App1", "key2", "string2", "[App1]\r\nkey1=string1\r\nkey2=string2\r\n"},
        {"App2", "key4", "string4",
         "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n"},
        {"app1", "KEY1", "  changed",
         "[App1]\r\nkey1=changed\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n"},
        {"App1", "key2", nullptr, "[App1]\r\nkey1=changed\r\n[App2]\r\nkey4=string4\r\n"},
        {"App1", "key2", nullptr, "[App1]\r\nkey1=changed\r\n[App2]\r\nkey4=string4\r\n"},
        {"App3", "key5", "",
         "[App1]\r\nkey1=changed\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=\r\n"},
        {"App1", nullptr, "ignored", "[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=\r\n"},
        {"App2", nullptr, nullptr, "[App3]\r\nkey5=\r\n"},
        {"App3", "key5", nullptr, "[App3]\r\n"},
    };
    int index = 0;
    for (const Step& step : steps) {
        EXPECT_TRUE(write(step.app, step.key, step.value)) << "step " << index;
        EXPECT_EQ(shown(m_dir.read("test.ini")), shown(step.file)) << "step " << index;
        ++index;
    }
}

TEST_F(ProfileWrite, LeavesEveryOtherLineByteForByte) {
    // Comments, odd spacing, blank lines, lines without '=', tabs, bytes above 0x7F, mixed line
    // ends and a last line without one.
    const std::string original =
        "; header comment \xE4\xF6\xFC\r\n"
        "\r\n"
        "orphan line before any section\n"
        "[ Main ]   ; trailing note\r\n"
        "  Alpha   =  1   \r\n"
        "\tBeta=\t\"two\" \r\n"
        "no equals sign here\r\n"
        "\r\n"
        "   \r\n"
        "; a comment\xA0with a non-breaking space\r"
        "[Other]\n"
        "gamma = \xC3\x9F\n"
        "delta=4";
    struct Row {
        const char* app;
        const char* key;
        const char* value;
        std::string_view expected;
    };
    const Row rows[] = {
        {"main", "alpha", "one",
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\nAlpha=one\r\n\tBeta=\t\"two\" \r\nno equals sign here\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma = \xC3\x9F\ndelta=4"},
        {"Main", "new", "value",
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\n  Alpha   =  1   \r\n\tBeta=\t\"two\" \r\n"
         "no equals sign here\r\nnew=value\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma = \xC3\x9F\ndelta=4"},
        {"other", "epsilon", "5",
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\n  Alpha   =  1   \r\n\tBeta=\t\"two\" \r\n"
         "no equals sign here\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma = \xC3\x9F\ndelta=4"
         "\r\nepsilon=5\r\n"},
        {"Third", "k", "v",
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\n  Alpha   =  1   \r\n\tBeta=\t\"two\" \r\n"
         "no equals sign here\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma = \xC3\x9F\ndelta=4"
         "\r\n[Third]\r\nk=v\r\n"},
        {"main", "beta", nullptr,
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\n  Alpha   =  1   \r\n"
         "no equals sign here\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma = \xC3\x9F\ndelta=4"},
        {"main", nullptr, nullptr,
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[Other]\ngamma = \xC3\x9F\ndelta=4"},
        {"other", "gamma", "\xC3\x9F\xC3\x9F",
         "; header comment \xE4\xF6\xFC\r\n\r\norphan line before any section\n"
         "[ Main ]   ; trailing note\r\n  Alpha   =  1   \r\n\tBeta=\t\"two\" \r\n"
         "no equals sign here\r\n"
         "\r\n   \r\n; a comment\xA0with a non-breaking space\r[Other]\ngamma=\xC3\x9F\xC3\x9F\n"
         "delta=4"},
    };
    for (const Row& row : rows) {
        m_dir.write("test.ini", original);
        ASSERT_TRUE(write(row.app, row.key, row.value)) << row.app;
        EXPECT_EQ(shown(m_dir.read("test.ini")), shown(row.expected))
            << row.app << "/" << (row.key ? row.key : "(null)");
    }
}

TEST_F(ProfileWrite, FollowsTheFilesLineEndings) {
    m_dir.write("lf.ini", "[a]\nx=1\n");
    ASSERT_TRUE(write("a", "y", "2", "lf.ini"));
    ASSERT_TRUE(write("b", "z", "3", "lf.ini"));
    EXPECT_EQ(shown(m_dir.read("lf.ini")), shown("[a]\nx=1\ny=2\n[b]\nz=3\n"));

    m_dir.write("crlf.ini", "[a]\r\nx=1\r\n");
    ASSERT_TRUE(write("a", "y", "2", "crlf.ini"));
    EXPECT_EQ(shown(m_dir.read("crlf.ini")), shown("[a]\r\nx=1\r\ny=2\r\n"));
}

TEST_F(ProfileWrite, KeepsAByteOrderMark) {
    m_dir.write("bom.ini", "\xEF\xBB\xBF[a]\r\nx=1\r\n");
    ASSERT_TRUE(write("a", "x", "2", "bom.ini"));
    EXPECT_EQ(m_dir.read("bom.ini"), "\xEF\xBB\xBF[a]\r\nx=2\r\n");
    EXPECT_EQ(read("a", "x", "bom.ini"), "2");
}

TEST_F(ProfileWrite, WrittenValuesReadBack) {
    const char* values[] = {"plain",           "with spaces inside",   "\"quoted\"",     "x=y=z",
                            "; not a comment", "\xC3\xA9\xE2\x82\xAC", "[not a section]"};
    for (const char* value : values) {
        ASSERT_TRUE(write("Sec", "Key", value)) << value;
        char buffer[64];
        GetPrivateProfileStringA("Sec", "Key", "", buffer, sizeof buffer, path().c_str());
        // Quotes come off on the way back, as on Windows.
        std::string_view expected = value;
        if (expected.front() == '"')
            expected = expected.substr(1, expected.size() - 2);
        EXPECT_EQ(std::string_view(buffer), expected) << value;
    }
}

TEST_F(ProfileWrite, RejectsBadArgumentsWithoutTouchingTheFile) {
    m_dir.write("test.ini", "[a]\r\nx=1\r\n");
    struct Row {
        const char* app;
        const char* key;
        const char* value;
        std::string file;
        DWORD error;
    };
    const Row rows[] = {
        {nullptr, "key", "string", path(), ERROR_FILE_NOT_FOUND},
        {"a", "key", "string", "", ERROR_ACCESS_DENIED},
        {"a", "key", "string", m_dir.win("missing\\test.ini"), ERROR_PATH_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(WritePrivateProfileStringA(row.app, row.key, row.value, row.file.c_str()))
            << row.file;
        EXPECT_EQ(GetLastError(), row.error) << row.file;
    }
    EXPECT_EQ(m_dir.read("test.ini"), "[a]\r\nx=1\r\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"test.ini"});
    // The call Windows documents as a flush reports FALSE and changes nothing.
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, path().c_str()));
    EXPECT_EQ(m_dir.read("test.ini"), "[a]\r\nx=1\r\n");
}

TEST_F(ProfileWrite, DeletingFromAMissingFileCreatesNothing) {
    EXPECT_TRUE(write("a", "k", nullptr, "none.ini"));
    EXPECT_TRUE(write("a", nullptr, nullptr, "none.ini"));
    EXPECT_TRUE(entries().empty());
}

TEST_F(ProfileWrite, AnUnchangedValueDoesNotRewriteTheFile) {
    m_dir.write("test.ini", "[a]\r\nx=1\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(m_dir.host("test.ini").c_str(), &before), 0);
    ASSERT_TRUE(write("a", "x", "1"));
    ASSERT_TRUE(write("a", "y", nullptr));
    struct stat after {};
    ASSERT_EQ(::stat(m_dir.host("test.ini").c_str(), &after), 0);
    // A rewrite replaces the file by rename, which gives it a new inode.
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileWrite, ReadOnlyFileOrFolderRefusesTheWrite) {
    m_dir.write("ro/file.ini", "[a]\r\nx=1\r\n");
    m_dir.write("rw/locked.ini", "[a]\r\nx=1\r\n");
    setPermissions(m_dir.host("rw/locked.ini"), fs::perms::owner_read | fs::perms::group_read);
    setPermissions(m_dir.host("ro"), fs::perms::owner_read | fs::perms::owner_exec);

    struct Row {
        std::string_view file;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"rw/locked.ini", "x", "2"},       {"rw/locked.ini", "y", "2"},
        {"rw/locked.ini", "x", nullptr},   {"ro/file.ini", "x", "2"},
        {"ro/file.ini", nullptr, nullptr}, {"ro/new.ini", "x", "2"},
    };
    for (const Row& row : rows) {
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(write("a", row.key, row.value, row.file)) << row.file;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << row.file;
    }
    setPermissions(m_dir.host("ro"), fs::perms::owner_all);
    EXPECT_EQ(m_dir.read("ro/file.ini"), "[a]\r\nx=1\r\n");
    EXPECT_EQ(m_dir.read("rw/locked.ini"), "[a]\r\nx=1\r\n");
    EXPECT_EQ(entries("ro"), std::vector<std::string>{"file.ini"});
    EXPECT_EQ(entries("rw"), std::vector<std::string>{"locked.ini"});
}

TEST_F(ProfileWrite, AFailedReplaceLeavesNoTemporaryFile) {
    // Renaming a file over a folder fails after the temporary file was written.
    m_dir.mkdir("target.ini");
    m_dir.write("target.ini/inside", "x");
    EXPECT_EQ(kvwin32::internal::replaceFileAtomically(m_dir.host("target.ini"), "[a]\r\n"),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(entries(), std::vector<std::string>{"target.ini"});
    EXPECT_EQ(entries("target.ini"), std::vector<std::string>{"inside"});
}

TEST_F(ProfileWrite, KeepsPermissionBitsAndFollowsLinks) {
    m_dir.write("real.ini", "[a]\r\nx=1\r\n");
    setPermissions(m_dir.host("real.ini"),
                   fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(m_dir.host("real.ini"), m_dir.host("link.ini"));
    ASSERT_TRUE(write("a", "x", "2", "link.ini"));
    EXPECT_TRUE(fs::is_symlink(m_dir.host("link.ini")));
    EXPECT_EQ(m_dir.read("real.ini"), "[a]\r\nx=2\r\n");
    EXPECT_EQ(fs::status(m_dir.host("real.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileWrite, BareNamesAreWrittenToTheWindowsFolder) {
    char saved[1024];
    const DWORD n = GetEnvironmentVariableA("WINDIR", saved, sizeof saved);
    m_dir.mkdir("windows");
    SetEnvironmentVariableA("WINDIR", m_dir.win("windows").c_str());
    const BOOL written = WritePrivateProfileStringA("App", "key", "string", "bare.ini");
    SetEnvironmentVariableA("WINDIR", n > 0 && n < sizeof saved ? saved : nullptr);
    EXPECT_TRUE(written);
    EXPECT_EQ(m_dir.read("windows/bare.ini"), "[App]\r\nkey=string\r\n");
}

// Rewrites a file in place (same inode) and sets its modification time when one is given.
void rewriteInPlace(const std::string& hostPath, std::string_view bytes,
                    std::optional<timespec> modified) {
    {
        std::fstream out(hostPath, std::ios::in | std::ios::out | std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    if (!modified)
        return;
    const timespec times[2] = {*modified, *modified};
    ASSERT_EQ(::utimensat(AT_FDCWD, hostPath.c_str(), times, 0), 0);
}

TEST_F(ProfileWrite, CacheNoticesEveryChangeToTheFile) {
    const std::string host = m_dir.host("test.ini");
    m_dir.write("test.ini", "[a]\r\nx=111\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(host.c_str(), &st), 0);
    const timespec original = st.st_mtim;

    ProfileCache& cache = ProfileCache::instance();
    EXPECT_EQ(read("a", "x"), "111");
    const auto parses = cache.parseCount();
    EXPECT_EQ(read("a", "x"), "111");
    EXPECT_EQ(read("a", "y"), "<default>");
    EXPECT_EQ(cache.parseCount(), parses) << "an unchanged file was parsed again";

    // Same size, the modification time one nanosecond later.
    timespec later = original;
    later.tv_nsec = (later.tv_nsec + 1) % 1'000'000'000;
    if (later.tv_nsec == 0)
        later.tv_sec += 1;
    rewriteInPlace(host, "[a]\r\nx=333\r\n", later);
    EXPECT_EQ(read("a", "x"), "333");

    // Another size, the time put back.
    m_dir.write("test.ini", "[a]\r\nx=4444\r\n");
    const timespec times[2] = {original, original};
    ASSERT_EQ(::utimensat(AT_FDCWD, host.c_str(), times, 0), 0);
    EXPECT_EQ(read("a", "x"), "4444");

    // A write of this process is seen at once, and a deleted file gives the default.
    ASSERT_TRUE(write("a", "x", "5"));
    EXPECT_EQ(read("a", "x"), "5");
    fs::remove(host);
    EXPECT_EQ(read("a", "x"), "<default>");
}

// Ways a file can be rewritten with the same size right after it was read; the next read must
// see each of them.
TEST_F(ProfileWrite, CacheSeesRewritesThatKeepTheSizeWithinTheSameSecond) {
    struct Row {
        const char* how;
        std::function<void(const std::string& host, std::string_view bytes, timespec was)> rewrite;
    };
    const Row rows[] = {
        {"in place", [](const std::string& host, std::string_view bytes,
                        timespec) { rewriteInPlace(host, bytes, std::nullopt); }},
        // Every time put back: size, inode and modification time all as they were read.
        {"in place, time put back", [](const std::string& host, std::string_view bytes,
                                       timespec was) { rewriteInPlace(host, bytes, was); }},
        {"replaced by rename, time put back",
         [](const std::string& host, std::string_view bytes, timespec was) {
             const std::string temporary = host + ".new";
             {
                 std::ofstream out(temporary, std::ios::binary);
                 out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
             }
             const timespec times[2] = {was, was};
             ASSERT_EQ(::utimensat(AT_FDCWD, temporary.c_str(), times, 0), 0);
             fs::rename(temporary, host);
         }},
    };
    for (const Row& row : rows) {
        const std::string host = m_dir.host("test.ini");
        m_dir.write("test.ini", "[a]\r\nx=111\r\n");
        EXPECT_EQ(read("a", "x"), "111") << row.how;
        EXPECT_EQ(read("a", "x"), "111") << row.how;
        struct stat st {};
        ASSERT_EQ(::stat(host.c_str(), &st), 0);
        row.rewrite(host, "[a]\r\nx=222\r\n", st.st_mtim);
        EXPECT_EQ(read("a", "x"), "222") << row.how;
    }
}

TEST_F(ProfileWrite, CacheReadsAFileAgainUntilItIsSettled) {
    ProfileCache& cache = ProfileCache::instance();
    m_dir.write("test.ini", "[a]\r\nx=1\r\n");
    struct Step {
        bool settledClock;     // the clock runs a minute ahead
        std::uint64_t reads;   // times the file was read from disk
        std::uint64_t parses;  // of those, times it was parsed
    };
    const Step steps[] = {
        {false, 1, 1},  // the first read
        {false, 1, 0},  // just written: read again, the same bytes need no parse
        {false, 1, 0},
        {true, 1, 0},  // settled now: read once more to be sure of what the identity stands for
        {true, 0, 0},  // and from then on taken on its identity alone
        {true, 0, 0},
    };
    int index = 0;
    for (const Step& step : steps) {
        std::optional<kvtest::SettledClock> clock;
        if (step.settledClock)
            clock.emplace();
        const auto reads = cache.readCount();
        const auto parses = cache.parseCount();
        EXPECT_EQ(read("a", "x"), "1");
        EXPECT_EQ(cache.readCount() - reads, step.reads) << "step " << index;
        EXPECT_EQ(cache.parseCount() - parses, step.parses) << "step " << index;
        ++index;
    }
}

}  // namespace
