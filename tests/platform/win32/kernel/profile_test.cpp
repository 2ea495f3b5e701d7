// Tests of the private-profile read functions: GetPrivateProfileStringA, GetPrivateProfileIntA,
// GetPrivateProfileSectionA and GetPrivateProfileSectionNamesA, against the return values and
// buffer contents Windows gives.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

// Makes NULs and line ends visible in failure messages.
std::string shown(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\0') {
            out += "\\0";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// A buffer pre-filled with a marker byte, so that writes past what a call should touch show.
struct Buffer {
    static constexpr char kMarker = '\x0c';
    char bytes[512];
    Buffer() { std::memset(bytes, kMarker, sizeof bytes); }
};

// Sets an environment variable of the library's overlay for one test and restores it after.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name) {
        char old[1024];
        const DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
        if (n > 0 && n < sizeof old)
            m_old = std::string(old, n);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(m_name, m_old ? m_old->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class ProfileRead : public ::testing::Test {
  protected:
    // The file the tests read, written with exactly these bytes.
    std::string file(std::string_view bytes, std::string_view name = "test.ini") {
        m_dir.write(name, bytes);
        return m_dir.win(name);
    }

    // GetPrivateProfileStringA into a fresh buffer; the result is the returned count and the
    // bytes up to and including two past it.
    std::pair<DWORD, std::string> get(const char* app, const char* key, const char* def, DWORD size,
                                      const std::string& path) {
        Buffer buffer;
        const DWORD n = GetPrivateProfileStringA(app, key, def, buffer.bytes, size, path.c_str());
        return {n, std::string(buffer.bytes, std::min<std::size_t>(n + 2, sizeof buffer.bytes))};
    }

    kvtest::TempDir m_dir;
};

// The file the string tests read, after the one Windows' own behaviour is recorded against.
constexpr std::string_view kSample =
    "[section1]\r\n"
    "name1=val1\r\n"
    "name2=\"val2\"\r\n"
    "name3\r\n"
    "name4=a\r\n"
    "  Spaced Key  =   spaced value   \r\n"
    "quoted1='single'\r\n"
    "quoted2=\"mismatch'\r\n"
    "quoted3=\"\r\n"
    "quoted4=\"\"\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    ";comment=hidden\r\n"
    "high=\xC3\xA9t\xC3\xA9\r\n"
    "[section2]\r\n"
    "[ Padded Section ]\r\n"
    "k=v\r\n"
    "[section1]\r\n"
    "late=only in the duplicate\r\n";

TEST_F(ProfileRead, LooksUpValuesAsWindowsDoes) {
    const std::string path = file(kSample);
    struct Row {
        const char* app;
        const char* key;
        const char* def;
        std::string_view expected;
    };
    const Row rows[] = {
        {"section1", "name1", "default", "val1"},
        {"SECTION1", "NaMe1", "default", "val1"},
        {"  section1 ", "\tname1 ", "default", "val1"},
        {"section1", "name2", "default", "val2"},
        {"section1", "quoted1", "default", "single"},
        {"section1", "quoted2", "default", "\"mismatch'"},
        {"section1", "quoted3", "default", "\""},
        {"section1", "quoted4", "default", ""},
        {"section1", "spaced key", "default", "spaced value"},
        {"section1", "dup", "default", "first"},
        {"section1", "high", "default", "\xC3\xA9t\xC3\xA9"},
        {"padded section", "K", "default", "v"},
        // A line without '=' is no value; comments are never keys.
        {"section1", "name3", "default", "default"},
        {"section1", ";comment", "default", "default"},
        // Only the first section of a name is looked at.
        {"section1", "late", "default", "default"},
        {"notasection", "name1", "default", "default"},
        {"section1", "notakey", "default", "default"},
        {"section1", "", "default", "default"},
        {"", "name1", "default", "default"},
        {"section1", "notakey", nullptr, ""},
        {"section1", "notakey", "default  ", "default"},
        {"section1", "notakey", "one two  ", "one two"},
        {"section1", "notakey", "  lead", "  lead"},
        {"section1", "notakey", "\"quoted\"", "quoted"},
    };
    for (const Row& row : rows) {
        const auto [n, bytes] = get(row.app, row.key, row.def, 260, path);
        EXPECT_EQ(n, row.expected.size()) << row.app << "/" << row.key;
        EXPECT_EQ(std::string_view(bytes.c_str()), row.expected) << row.app << "/" << row.key;
    }
}

TEST_F(ProfileRead, CutsValuesToTheBuffer) {
    const std::string path = file(kSample);
    struct Row {
        const char* key;
        DWORD size;
        DWORD expectedCount;
        std::string_view expected;  // buffer contents including the terminator
    };
    const Row rows[] = {
        {"name1", 4, 3, std::string_view("val\0", 4)},
        {"name1", 5, 4, std::string_view("val1\0", 5)},
        {"name4", 1, 0, std::string_view("\0", 1)},
        {"name2", 3, 2, std::string_view("va\0", 3)},  // quotes go before the cut
        {"notakey", 4, 3, std::string_view("def\0", 4)},
    };
    for (const Row& row : rows) {
        const auto [n, bytes] = get("section1", row.key, "default", row.size, path);
        EXPECT_EQ(n, row.expectedCount) << row.key << " size " << row.size;
        EXPECT_EQ(shown(bytes.substr(0, row.expected.size())), shown(row.expected))
            << row.key << " size " << row.size;
        EXPECT_EQ(bytes[row.size], Buffer::kMarker) << "wrote past the buffer, size " << row.size;
    }

    // A zero size or a null buffer writes nothing.
    Buffer buffer;
    EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "x", buffer.bytes, 0, path.c_str()),
              0u);
    EXPECT_EQ(buffer.bytes[0], Buffer::kMarker);
    EXPECT_EQ(GetPrivateProfileStringA("section1", "name1", "x", nullptr, 10, path.c_str()), 0u);
}

TEST_F(ProfileRead, MissingFilesGiveTheDefault) {
    const std::string missing = m_dir.win("nonexistent.ini");
    auto [n, bytes] = get("section1", "name1", "default", 260, missing);
    EXPECT_EQ(n, 7u);
    EXPECT_STREQ(bytes.c_str(), "default");
    std::tie(n, bytes) = get("section1", "name1", "default", 260, m_dir.win("nofolder\\x.ini"));
    EXPECT_STREQ(bytes.c_str(), "default");
    std::tie(n, bytes) = get("section1", "name1", "default", 260, "");
    EXPECT_STREQ(bytes.c_str(), "default");
    // A folder is no file.
    m_dir.mkdir("folder.ini");
    std::tie(n, bytes) = get("section1", "name1", "default", 260, m_dir.win("folder.ini"));
    EXPECT_STREQ(bytes.c_str(), "default");
    EXPECT_EQ(GetPrivateProfileIntA("section1", "name1", -5, missing.c_str()),
              static_cast<UINT>(-5));
}

TEST_F(ProfileRead, EnumeratesSectionNamesWithWindowsTruncation) {
    const std::string path = file("[section1]\r\n[section2]\r\n[section3]\r\n");
    struct Row {
        DWORD size;
        DWORD expectedCount;
        std::string_view expected;  // the buffer up to and including the final NUL
    };
    using namespace std::string_view_literals;
    const Row rows[] = {
        {100, 27, "section1\0section2\0section3\0\0"sv},
        {29, 27, "section1\0section2\0section3\0\0"sv},
        // A list that exactly fills the buffer is reported as cut.
        {28, 26, "section1\0section2\0section3\0\0"sv},
        {27, 25, "section1\0section2\0section\0\0"sv},
        {16, 14, "section1\0secti\0\0"sv},
        {10, 8, "section1\0\0"sv},
        {9, 7, "section\0\0"sv},
        {2, 0, "\0\0"sv},
        {1, 0, "\0"sv},
    };
    for (const Row& row : rows) {
        Buffer names;
        const DWORD n = GetPrivateProfileSectionNamesA(names.bytes, row.size, path.c_str());
        EXPECT_EQ(n, row.expectedCount) << "size " << row.size;
        EXPECT_EQ(shown(std::string_view(names.bytes, row.expected.size())), shown(row.expected))
            << "size " << row.size;
        EXPECT_EQ(names.bytes[row.size], Buffer::kMarker) << "size " << row.size;

        // A null section name asks GetPrivateProfileStringA for the same list.
        const auto [m, bytes] = get(nullptr, "ignored", "default", row.size, path);
        EXPECT_EQ(m, row.expectedCount) << "size " << row.size;
        EXPECT_EQ(shown(bytes.substr(0, row.expected.size())), shown(row.expected));
    }
}

TEST_F(ProfileRead, SectionNamesOfOddFiles) {
    // Names are listed as written, trimmed, duplicates included; "[]" cannot be listed.
    const std::string path =
        file("\xEF\xBB\xBF[First]\nx=1\n[]\n[ second ]\n[first]\n[third] ; note\n[broken\n");
    Buffer names;
    const DWORD n = GetPrivateProfileSectionNamesA(names.bytes, 100, path.c_str());
    const std::string_view expected("First\0second\0first\0third\0\0", 26);
    EXPECT_EQ(n, expected.size() - 1);
    EXPECT_EQ(shown(std::string_view(names.bytes, expected.size())), shown(expected));

    // A missing file: an empty list, a single NUL.
    Buffer none;
    EXPECT_EQ(GetPrivateProfileSectionNamesA(none.bytes, 10, m_dir.win("none.ini").c_str()), 0u);
    EXPECT_EQ(none.bytes[0], '\0');
    EXPECT_EQ(none.bytes[1], Buffer::kMarker);
}

TEST_F(ProfileRead, EnumeratesKeyNamesOfASection) {
    const std::string path = file(
        "[s]\r\nname1=val1\r\nname2=\r\nname3\r\n;c=1\r\n=nokey\r\nname4=val4\r\n[empty]\r\n"
        "[bare]\r\njust a line\r\n");
    struct Row {
        const char* section;
        DWORD size;
        DWORD expectedCount;
        std::string_view expected;
    };
    using namespace std::string_view_literals;
    const Row rows[] = {
        // Lines without '=', comments and a key without a name are not listed.
        {"s", 100, 18, "name1\0name2\0name4\0\0"sv},
        {"S", 20, 18, "name1\0name2\0name4\0\0"sv},
        {"S", 19, 17, "name1\0name2\0name4\0\0"sv},  // an exact fit counts as cut
        {"s", 16, 14, "name1\0name2\0na\0\0"sv},
        {"s", 3, 1, "n\0\0"sv},
        // Nothing to list gives the default.
        {"empty", 100, 7, "default\0"sv},
        {"bare", 100, 7, "default\0"sv},
        {"missing", 100, 7, "default\0"sv},
    };
    for (const Row& row : rows) {
        const auto [n, bytes] = get(row.section, nullptr, "default", row.size, path);
        EXPECT_EQ(n, row.expectedCount) << row.section << " size " << row.size;
        EXPECT_EQ(shown(bytes.substr(0, row.expected.size())), shown(row.expected))
            << row.section << " size " << row.size;
    }
}

TEST_F(ProfileRead, ReturnsTheLinesOfASection) {
    const std::string path = file(
        "[section1]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n[section2]\r\n"
        "[section3]\r\n=val5\r\n"
        "[spaced]\r\n ; comment\r\n\r\n  a  =  \"quoted\"  \r\n\tb = c = d\r\n");
    struct Row {
        const char* section;
        DWORD size;
        DWORD expectedCount;
        std::string_view expected;
    };
    using namespace std::string_view_literals;
    const Row rows[] = {
        {"section1", 100, 35, "name1=val1\0name2=\0name3\0name4=val4\0\0"sv},
        {"section1", 24, 22, "name1=val1\0name2=\0name\0\0"sv},
        {"section2", 100, 0, "\0\0"sv},
        {"section3", 100, 6, "=val5\0\0"sv},
        {"spaced", 100, 19, "a=\"quoted\"\0b=c = d\0\0"sv},
        {"missing", 100, 0, "\0\0"sv},
    };
    for (const Row& row : rows) {
        Buffer lines;
        SetLastError(0xdeadbeef);
        const DWORD n = GetPrivateProfileSectionA(row.section, lines.bytes, row.size, path.c_str());
        EXPECT_EQ(n, row.expectedCount) << row.section;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << row.section;
        EXPECT_EQ(shown(std::string_view(lines.bytes, row.expected.size())), shown(row.expected))
            << row.section;
    }
}

TEST_F(ProfileRead, SectionLinesRejectBadArguments) {
    const std::string path = file("[s]\nk=v\n");
    Buffer lines;
    struct Row {
        const char* section;
        char* buffer;
        const char* file;
        DWORD error;
    };
    const Row rows[] = {
        {nullptr, lines.bytes, path.c_str(), ERROR_INVALID_PARAMETER},
        {"s", nullptr, path.c_str(), ERROR_INVALID_PARAMETER},
        {"s", lines.bytes, nullptr, ERROR_FILE_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(GetPrivateProfileSectionA(row.section, row.buffer, 100, row.file), 0u);
        EXPECT_EQ(GetLastError(), row.error);
    }
}

TEST_F(ProfileRead, ReadsIntegers) {
    const std::string path = file(
        "[n]\nplain=42\nnegative=-1\nhex=0x10\nquoted=\"12\"\nempty=\ntext=abc\nbig=4294967297\n"
        "long=1234567890123456789012345678901234567890\n");
    struct Row {
        const char* key;
        INT def;
        UINT expected;
    };
    const Row rows[] = {
        {"plain", 7, 42},
        {"negative", 7, 4294967295u},
        {"hex", 7, 16},
        {"quoted", 7, 12},
        {"empty", 7, 7},
        {"missing", -3, 4294967293u},
        {"text", 7, 0},
        {"big", 7, 1},
        // Only the first 29 characters are read.
        {"long", 7, 1849262357u},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetPrivateProfileIntA("n", row.key, row.def, path.c_str()), row.expected)
            << row.key;
    }
}

TEST_F(ProfileRead, AcceptsEveryLineEnding) {
    for (std::string_view eol : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (std::string_view line : {"[section1]", "name1=val1", "name4=a", "[section2]"}) {
            text += line;
            text += eol;
        }
        const std::string path = file(text);
        const auto [n, bytes] = get("section1", "name4", "default", 260, path);
        EXPECT_STREQ(bytes.c_str(), "a") << shown(eol);
        const auto [m, names] = get(nullptr, nullptr, nullptr, 260, path);
        EXPECT_EQ(shown(names.substr(0, 19)), shown({"section1\0section2\0\0", 19})) << shown(eol);
    }
}

TEST_F(ProfileRead, ReadsLongLinesWhole) {
    const std::string longValue(200000, 'x');
    const std::string path = file("[s]\n" + std::string(5000, ' ') + "k=" + longValue + "\n");
    std::string buffer(longValue.size() + 1, '\0');
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path.c_str()),
              longValue.size());
    EXPECT_EQ(buffer.c_str(), longValue);
}

TEST_F(ProfileRead, SkipsAByteOrderMark) {
    const std::string path = file("\xEF\xBB\xBF[s]\r\nk=v\r\n");
    EXPECT_STREQ(get("s", "k", "", 260, path).second.c_str(), "v");
}

TEST_F(ProfileRead, BareNamesLiveInTheWindowsFolder) {
    ScopedVariable windir("WINDIR", m_dir.win("windows"));
    m_dir.write("windows/app.ini", "[s]\r\nk=from windows\r\n");
    m_dir.write("windows/win.ini", "[s]\r\nk=from win.ini\r\n");
    EXPECT_STREQ(get("s", "k", "", 260, "app.ini").second.c_str(), "from windows");
    EXPECT_STREQ(get("s", "k", "", 260, "APP.INI").second.c_str(), "from windows");
    EXPECT_STREQ(get("s", "k", "", 260, "other.ini").second.c_str(), "");

    Buffer buffer;
    GetPrivateProfileStringA("s", "k", "", buffer.bytes, 260, nullptr);
    EXPECT_STREQ(buffer.bytes, "from win.ini");
}

TEST_F(ProfileRead, RelativePathsUseTheCurrentDirectory) {
    char saved[1024];
    ASSERT_GT(GetCurrentDirectoryA(sizeof saved, saved), 0u);
    ScopedVariable windir("WINDIR", m_dir.win("windows"));
    m_dir.write("cwd/sub/rel.ini", "[s]\r\nk=relative\r\n");
    ASSERT_TRUE(SetCurrentDirectoryA(m_dir.win("cwd").c_str()));
    const std::string value = get("s", "k", "", 260, "sub\\rel.ini").second;
    const std::string dotted = get("s", "k", "", 260, ".\\sub\\rel.ini").second;
    SetCurrentDirectoryA(saved);
    EXPECT_STREQ(value.c_str(), "relative");
    EXPECT_STREQ(dotted.c_str(), "relative");
}

// GetPrivateProfileIntA with parts missing: a missing file, section or key gives the default,
// whatever the value's sign; a value written by WritePrivateProfileStringA is read back as
// Windows reads numbers.
TEST_F(ProfileRead, IntegersOfMissingPartsAndWrittenValues) {
    const std::string path = m_dir.win("int.ini");
    struct Row {
        const char* section;
        const char* key;
        const char* written;  // written to Test/ProfileInt first, when not null
        INT def;
        UINT expected;
    };
    const Row rows[] = {
        {nullptr, nullptr, nullptr, -1, 4294967295u},
        {nullptr, nullptr, nullptr, 1, 1},
        {"Test", nullptr, nullptr, -1, 4294967295u},
        {"Test", nullptr, nullptr, 1, 1},
        {nullptr, "ProfileInt", nullptr, -1, 4294967295u},
        {"Test", "ProfileInt", nullptr, -1, 4294967295u},
        {"Test", "ProfileInt", nullptr, 1, 1},
        {"Test", "ProfileInt", "-1", 1, 4294967295u},
        {"Test", "ProfileInt", "1", -1, 1},
        {"Test", "ProfileInt", "+1", -1, 1},
        {"Test", "ProfileInt", "4294967296", 1, 0},
        {"Test", "ProfileInt", "4294967297", -1, 1},
        {"Test", "ProfileInt", "-4294967297", 1, 4294967295u},
        {"Test", "ProfileInt", "42A94967297", -1, 42},
        {"Test", "ProfileInt", "B4294967297", 1, 0},
    };
    for (const Row& row : rows) {
        if (row.written) {
            ASSERT_TRUE(
                WritePrivateProfileStringA("Test", "ProfileInt", row.written, path.c_str()));
        }
        EXPECT_EQ(GetPrivateProfileIntA(row.section, row.key, row.def, path.c_str()), row.expected)
            << (row.section ? row.section : "(null)") << "/" << (row.key ? row.key : "(null)")
            << " written " << (row.written ? row.written : "(nothing)");
    }
}

// A key written into a section with a line without '=' joins the list of keys, which still
// leaves that line out.
TEST_F(ProfileRead, KeyListAfterAWrite) {
    const std::string path = file("[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "name5", "val5", path.c_str()));
    const auto [n, bytes] = get("s", nullptr, "", 100, path);
    EXPECT_EQ(n, 24u);
    EXPECT_EQ(shown(bytes.substr(0, 25)), shown({"name1\0name2\0name4\0name5\0\0", 25}));
    // An existing section without keys, read with an empty default: nothing, and an empty text.
    const std::string other = file("[section1]\r\nname1=val1\r\n[section2]\r\n", "two.ini");
    const auto [m, text] = get("section2", "DoesntExist", "", 260, other);
    EXPECT_EQ(m, 0u);
    EXPECT_STREQ(text.c_str(), "");
}

}  // namespace
