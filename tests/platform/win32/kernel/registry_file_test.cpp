// The ".reg" reader: what each line becomes, which lines are reported, and importing files
// into the registry.
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempDir.h"
#include "internal/registry.h"
#include "kvwin32/registry_file.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winreg.h"

namespace {

using kvwin32::internal::parseRegFile;
using kvwin32::internal::RegOp;
using kvwin32::internal::RegOpKind;

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00\r\n";

std::vector<BYTE> bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

// UTF-16LE with the byte-order mark, as regedit exports.
std::string utf16File(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string describe(const RegOp& op) {
    static const char* kinds[] = {"create", "delete-key", "set", "delete-value"};
    std::string s = kinds[static_cast<int>(op.kind)];
    s += " " + op.path + " [" + op.valueName + "] type " + std::to_string(op.type) + " data";
    for (BYTE b : op.data)
        s += " " + std::to_string(b);
    return s;
}

// One value line below "[HKEY_CURRENT_USER\Software\Kv]".
struct ValueRow {
    const char* line;
    RegOpKind kind;
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

TEST(RegFileParser, ValueLines) {
    const ValueRow rows[] = {
        {R"("Name"="text")", RegOpKind::SetValue, "Name", REG_SZ, bytes({"text", 5})},
        {R"(@="default")", RegOpKind::SetValue, "", REG_SZ, bytes({"default", 8})},
        {R"("Path"="C:\\sim\\\"q\"")", RegOpKind::SetValue, "Path", REG_SZ,
         bytes({"C:\\sim\\\"q\"", 11})},
        {R"("Odd\x"="a\nb")", RegOpKind::SetValue, "Odd\\x", REG_SZ, bytes({"a\\nb", 5})},
        {R"("a=b" = "c" ; comment)", RegOpKind::SetValue, "a=b", REG_SZ, bytes({"c", 2})},
        {R"("Empty"="")", RegOpKind::SetValue, "Empty", REG_SZ, {0}},
        {R"("Count"=dword:0000001a)", RegOpKind::SetValue, "Count", REG_DWORD, {0x1a, 0, 0, 0}},
        {R"("Big"=DWORD:FFFFFFFE ; max)",
         RegOpKind::SetValue,
         "Big",
         REG_DWORD,
         {0xfe, 0xff, 0xff, 0xff}},
        {R"("Short"=dword:1)", RegOpKind::SetValue, "Short", REG_DWORD, {1, 0, 0, 0}},
        {R"("Bin"=hex:01,ab,FF)", RegOpKind::SetValue, "Bin", REG_BINARY, {0x01, 0xab, 0xff}},
        {R"("NoBytes"=hex:)", RegOpKind::SetValue, "NoBytes", REG_BINARY, {}},
        {R"("None"=hex(0):05)", RegOpKind::SetValue, "None", REG_NONE, {5}},
        {R"("Qword"=hex(b):01,00,00,00,00,00,00,00)",
         RegOpKind::SetValue,
         "Qword",
         11,
         {1, 0, 0, 0, 0, 0, 0, 0}},
        {R"("Exp"=hex(2):25,00,41,00,25,00,00,00)", RegOpKind::SetValue, "Exp", REG_EXPAND_SZ,
         bytes({"%A%", 4})},
        {R"("Multi"=hex(7):61,00,00,00,62,00,00,00,00,00)", RegOpKind::SetValue, "Multi",
         REG_MULTI_SZ, bytes({"a\0b\0", 5})},
        {R"("Euro"=hex(2):ac,20,3a,04,00,00)", RegOpKind::SetValue, "Euro", REG_EXPAND_SZ,
         bytes({"\x80?", 3})},
        {R"("Gone"=-)", RegOpKind::DeleteValue, "Gone", REG_NONE, {}},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.line);
        std::string text(kHeader5);
        text += "\r\n[HKEY_CURRENT_USER\\Software\\Kv]\r\n";
        text += row.line;
        text += "\r\n";
        auto parsed = parseRegFile(text);
        ASSERT_TRUE(parsed.recognised);
        ASSERT_TRUE(parsed.diagnostics.empty()) << parsed.diagnostics[0].message;
        ASSERT_EQ(parsed.ops.size(), 2u);
        const RegOp& op = parsed.ops[1];
        RegOp expected;
        expected.kind = row.kind;
        expected.path = "Software\\Kv";
        expected.valueName = row.name;
        expected.type = row.type;
        expected.data = row.data;
        EXPECT_EQ(describe(op), describe(expected));
        EXPECT_EQ(op.root, HKEY_CURRENT_USER);
        EXPECT_EQ(op.line, 4u);
    }
}

TEST(RegFileParser, MalformedLinesAreReportedWithTheirNumbers) {
    struct Row {
        const char* line;
    };
    const Row rows[] = {
        {R"("Name"="unterminated)"},
        {R"("Name="x")"},
        {R"("Name" "x")"},
        {R"("Name"=dword:)"},
        {R"("Name"=dword:123456789)"},
        {R"("Name"=dword:12g4)"},
        {R"("Name"=dword:-1)"},
        {R"("Name"=hex:1,xyz)"},
        {R"("Name"=hex:123)"},
        {R"("Name"=hex:01,,02)"},
        {R"("Name"=hex(zz):01)"},
        {R"("Name"=qword:01)"},
        {R"("Name"=text)"},
        {R"("Name"="x" junk)"},
        {R"("Name"=- junk)"},
        {R"(Name=value)"},
        {R"([HKEY_NOWHERE\Software])"},
        {R"([HKLM\Software])"},
        {R"([HKEY_CURRENT_USER\Software)"},
        {R"([HKEY_CURRENT_USER\\Software])"},
        {R"([HKEY_CURRENT_USER\a\\b])"},
        {R"([])"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        std::string text(kHeader5);
        text += "[HKEY_CURRENT_USER\\Software\\Kv]\n";
        text += row.line;
        text += "\n\"After\"=\"still read\"\n";
        auto parsed = parseRegFile(text);
        ASSERT_EQ(parsed.diagnostics.size(), 1u);
        EXPECT_EQ(parsed.diagnostics[0].line, 3u);
        EXPECT_FALSE(parsed.diagnostics[0].message.empty());
        bool keyLine = row.line[0] == '[';
        // After a bad key line, values have nowhere to go; otherwise they still apply.
        ASSERT_EQ(parsed.ops.size(), keyLine ? 1u : 2u);
        if (!keyLine) {
            EXPECT_EQ(parsed.ops[1].valueName, "After");
        }
    }
}

TEST(RegFileParser, HeaderDecidesWhetherThisIsARegistryFile) {
    struct Row {
        std::string text;
        bool recognised;
    };
    const Row rows[] = {
        {"Windows Registry Editor Version 5.00\n", true},
        {"REGEDIT4\r\n", true},
        {"  REGEDIT4  \n[HKEY_USERS\\x]\n", true},
        {"REGEDIT5\n", false},
        {"\n", false},
        {"", false},
        {"[HKEY_USERS\\x]\n", false},
        {"\xFF\xFE", false},
        {utf16File(u"Windows Registry Editor Version 5.00\r\n"), true},
        {"\xEF\xBB\xBFWindows Registry Editor Version 5.00\n", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto parsed = parseRegFile(row.text);
        EXPECT_EQ(parsed.recognised, row.recognised);
        if (!row.recognised) {
            ASSERT_EQ(parsed.diagnostics.size(), 1u);
            EXPECT_EQ(parsed.diagnostics[0].line, 1u);
            EXPECT_TRUE(parsed.ops.empty());
        }
    }
}

TEST(RegFileParser, KeysCommentsAndContinuations) {
    const std::string text = std::string(kHeader5) +
                             "; exported settings\n"
                             "\n"
                             "[-HKEY_LOCAL_MACHINE\\Software\\Old]\n"
                             "[hkey_local_machine\\Software\\Kv\\]\n"
                             "\"Bin\"=hex:01,02,\\\n"
                             "  03,04,\\\n"
                             "; a comment between continuation lines\n"
                             "  05\n"
                             "\"Next\"=dword:00000002\n"
                             "[HKEY_CLASSES_ROOT]\n"
                             "@=\"root default\"\n";
    auto parsed = parseRegFile(text);
    ASSERT_TRUE(parsed.diagnostics.empty()) << parsed.diagnostics[0].message;
    ASSERT_EQ(parsed.ops.size(), 6u);
    EXPECT_EQ(parsed.ops[0].kind, RegOpKind::DeleteKey);
    EXPECT_EQ(parsed.ops[0].path, "Software\\Old");
    EXPECT_EQ(parsed.ops[1].kind, RegOpKind::CreateKey);
    EXPECT_EQ(parsed.ops[1].root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(parsed.ops[1].path, "Software\\Kv");
    EXPECT_EQ(parsed.ops[2].data, (std::vector<BYTE>{1, 2, 3, 4, 5}));
    EXPECT_EQ(parsed.ops[2].line, 6u);
    EXPECT_EQ(parsed.ops[3].valueName, "Next");
    EXPECT_EQ(parsed.ops[3].line, 10u);
    EXPECT_EQ(parsed.ops[4].root, HKEY_CLASSES_ROOT);
    EXPECT_EQ(parsed.ops[4].path, "");
    EXPECT_EQ(parsed.ops[5].valueName, "");
}

TEST(RegFileParser, ValueBeforeAnyKeyIsReported) {
    auto parsed = parseRegFile("REGEDIT4\n\"x\"=\"y\"\n");
    ASSERT_EQ(parsed.diagnostics.size(), 1u);
    EXPECT_EQ(parsed.diagnostics[0].line, 2u);
    EXPECT_TRUE(parsed.ops.empty());
}

TEST(RegFileParser, Regedit4HexStringsAreAnsiBytes) {
    auto parsed = parseRegFile("REGEDIT4\n[HKEY_USERS\\k]\n\"e\"=hex(2):41,42,00\n");
    ASSERT_EQ(parsed.ops.size(), 2u);
    EXPECT_EQ(parsed.ops[1].data, bytes({"AB", 3}));
}

TEST(RegFileParser, Utf16FileBecomesAnsi) {
    auto parsed = parseRegFile(utf16File(
        u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\K\u00e4]\r\n"
        u"\"Caf\u00e9\"=\"\u20ac \u4e2d \U0001F600\"\r\n"));
    ASSERT_TRUE(parsed.diagnostics.empty());
    ASSERT_EQ(parsed.ops.size(), 2u);
    EXPECT_EQ(parsed.ops[0].path, "Software\\K\xe4");
    EXPECT_EQ(parsed.ops[1].valueName, "Caf\xe9");
    EXPECT_EQ(parsed.ops[1].data, bytes({"\x80 ? ?", 6}));
}

TEST(RegFileParser, Utf8FileWithByteOrderMarkBecomesAnsi) {
    auto parsed = parseRegFile(
        "\xEF\xBB\xBFREGEDIT4\n[HKEY_USERS\\k]\n\"caf\xC3\xA9\"=\"\xE2\x82\xAC\xFF\"\n");
    ASSERT_TRUE(parsed.diagnostics.empty());
    ASSERT_EQ(parsed.ops.size(), 2u);
    EXPECT_EQ(parsed.ops[1].valueName, "caf\xe9");
    EXPECT_EQ(parsed.ops[1].data, bytes({"\x80?", 3})) << "a stray byte becomes '?'";
}

class RegFileImport : public ::testing::Test {
  protected:
    void SetUp() override { kvwin32::clearRegistry(); }
    void TearDown() override { kvwin32::clearRegistry(); }

    static std::string queryString(HKEY root, const char* path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        char buf[128] = "";
        DWORD size = sizeof buf;
        LONG error =
            RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
        RegCloseKey(key);
        return error == ERROR_SUCCESS ? std::string(buf, size) : "<no value>";
    }
};

TEST_F(RegFileImport, FileChangesTheRegistry) {
    kvtest::TempDir dir;
    dir.write("settings.reg", utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                        u"[HKEY_LOCAL_MACHINE\\Software\\Kv\\17.0]\r\n"
                                        u"\"InstallDir\"=\"C:\\\\Kv\"\r\n"
                                        u"\"Lib\"=hex(2):25,00,4b,00,56,00,25,00,00,00\r\n"
                                        u"\"Broken\"=dword:xyz\r\n"
                                        u"\"Stale\"=\"x\"\r\n"
                                        u"\"Stale\"=-\r\n"));
    auto load = kvwin32::loadRegistryFile(dir.host("settings.reg"));
    EXPECT_EQ(load.error, static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(load.diagnostics.size(), 1u);
    EXPECT_EQ(load.diagnostics[0].line, 6u);
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "software\\KV\\17.0", "InstallDir"),
              std::string("C:\\Kv\0", 6));
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Kv\\17.0", "Lib"),
              std::string("%KV%\0", 5));
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Kv\\17.0", "Stale"), "<no value>");

    auto removal = kvwin32::loadRegistryText("REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software\\Kv]\n");
    EXPECT_EQ(removal.error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software\\Kv\\17.0", "Lib"), "<no key>");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "Software", nullptr), "<no value>")
        << "the parent stays";
}

TEST_F(RegFileImport, UnreadableOrForeignFilesAreErrors) {
    kvtest::TempDir dir;
    EXPECT_EQ(kvwin32::loadRegistryFile(dir.host("missing.reg")).error,
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(kvwin32::loadRegistryFile(dir.host()).error, static_cast<DWORD>(ERROR_SUCCESS));
    dir.write("notes.txt", "[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n");
    auto load = kvwin32::loadRegistryFile(dir.host("notes.txt"));
    EXPECT_EQ(load.error, static_cast<DWORD>(ERROR_BADDB));
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "x", "a"), "<no key>") << "nothing applied";
}

TEST_F(RegFileImport, DeletingAPredefinedKeyIsRefused) {
    auto load = kvwin32::loadRegistryText("REGEDIT4\n[HKEY_USERS\\k]\n[-HKEY_USERS]\n");
    EXPECT_EQ(load.error, static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(load.diagnostics.size(), 1u);
    EXPECT_EQ(load.diagnostics[0].line, 3u);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_USERS, "k", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

namespace {

// "[HKEY_CURRENT_USER\k\k\...]" with `levels` keys below the root.
std::string deepKeyFile(std::size_t levels) {
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER";
    for (std::size_t i = 0; i < levels; ++i)
        text += "\\k";
    return text + "]\n\"v\"=\"deep\"\n";
}

TEST_F(RegFileImport, KeysDeeperThan512LevelsAreRefusedWithTheirLine) {
    auto deepest = kvwin32::loadRegistryText(deepKeyFile(512));
    EXPECT_EQ(deepest.error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(deepest.diagnostics.empty());

    auto deeper = kvwin32::loadRegistryText(deepKeyFile(513));
    EXPECT_EQ(deeper.error, static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(deeper.diagnostics.size(), 1u);
    EXPECT_EQ(deeper.diagnostics[0].line, 3u);
    EXPECT_EQ(deeper.diagnostics[0].message, "key deeper than 512 levels");

    // 300,000 levels: refused on reading, nothing built that could recurse at exit.
    auto huge = kvwin32::loadRegistryText(deepKeyFile(300000));
    ASSERT_FALSE(huge.diagnostics.empty());
    EXPECT_EQ(huge.diagnostics[0].line, 3u);
    kvwin32::clearRegistry();
}

TEST_F(RegFileImport, TheRegistryCreatesNoKeyBelow512LevelsThroughHandlesEither) {
    std::string path = "k";
    for (int i = 1; i < 500; ++i)
        path += "\\k";
    HKEY deep = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &deep, nullptr),
              ERROR_SUCCESS);
    std::string rest = "k";
    for (int i = 1; i < 12; ++i)
        rest += "\\k";
    HKEY deeper = nullptr;
    EXPECT_EQ(RegCreateKeyExA(deep, rest.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deeper,
                              nullptr),
              ERROR_SUCCESS)
        << "512 levels";
    RegCloseKey(deeper);
    EXPECT_EQ(RegCreateKeyExA(deep, (rest + "\\k").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &deeper, nullptr),
              ERROR_INVALID_PARAMETER)
        << "513 levels";
    EXPECT_EQ(deeper, nullptr);
    RegCloseKey(deep);
}

TEST_F(RegFileImport, AFileThatCannotBeReadSaysWhy) {
    kvtest::TempDir dir;
    dir.mkdir("folder.reg");
    auto folder = kvwin32::loadRegistryFile(dir.host("folder.reg"));
    EXPECT_NE(folder.error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(folder.reason, "it is a folder");
    ASSERT_EQ(::mkfifo(dir.host("fifo.reg").c_str(), 0600), 0);
    auto fifo = kvwin32::loadRegistryFile(dir.host("fifo.reg"));
    EXPECT_EQ(fifo.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(fifo.reason, "it is not a regular file");
}

}  // namespace
