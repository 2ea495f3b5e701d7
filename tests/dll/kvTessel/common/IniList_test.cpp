// Path lists in configuration-file values: expansion of references and relative items, the
// reader's buffer handling and the writer's return to the file's own notation.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "IniList.h"
#include "InstallFixture.h"
#include "PathUtil.h"

namespace {

using kvtest::InstallFixture;

// An installation root, a configuration file without a per-user copy (no home folder), a
// variable holding a list, and a list file to read and write.
class IniListTest : public InstallFixture {
  protected:
    void SetUp() override {
        InstallFixture::SetUp();
        dir.write("cfg/Ventra.ini", "[SIMULATOR]\r\n");
        setVar("TDSROOT", dir.win("root"));
        setVar("VENTRAINIPATH", dir.win("cfg/Ventra.ini"));
        setVar("KV_LIBS", "\"C:\\a\";C:\\b");
        root = dir.win("root");
        folder = dir.win("cfg");
        file = dir.win("list.ini");
    }

    void setValue(const std::string& value) { dir.write("list.ini", "[S]\r\nK=" + value + "\r\n"); }

    // What the file holds after "K=" on its line, as written.
    std::string rawValue() const {
        std::string text = dir.read("list.ini");
        auto at = text.find("K=");
        if (at == std::string::npos)
            return "<no key>";
        auto end = text.find_first_of("\r\n", at);
        return text.substr(at + 2, end - at - 2);
    }

    std::string read(const std::string& value, bool quote, DWORD size = 260,
                     int* result = nullptr) {
        setValue(value);
        std::string buffer(size, '#');
        int r = ReadIniList("S", "K", "dflt", buffer.data(), size, file.c_str(), quote);
        if (result)
            *result = r;
        return buffer.c_str();
    }

    std::string root, folder, file;
};

TEST_F(IniListTest, ReadExpandsTable) {
    const std::string parent = folder.substr(0, folder.rfind('\\'));
    struct Row {
        std::string value;
        bool quote;
        std::string expected;
    };
    const Row rows[] = {
        {"$TDSROOT\\lib;.\\x.prb", false, root + "\\lib;" + folder + "\\x.prb"},
        {"\"C:\\a\";\"C:\\a\"", false, "C:\\a"},
        {"x;x;y;x", false, "x;y;x"},
        {"a;;b;", false, "a;b"},
        {"\"\"\"a\"\"\";b", false, "a;b"},
        {"$KV_UNSET_VARIABLE", false, "$KV_UNSET_VARIABLE"},
        {"$KV_UNSET_VARIABLE\\x;C:\\y", false, "C:\\y"},
        {"$KV_LIBS\\inc", false, "C:\\a\\inc;C:\\b\\inc"},
        {"$kv_libs", false, "C:\\a;C:\\b"},
        {"$TDSROOT", false, root},
        {"..\\up\\z", false, parent + "\\up\\z"},
        {".\\.\\a", false, folder + "\\a"},
        {".\\..\\a\\.\\b", false, parent + "\\a\\.\\b"},
        {"./a", false, "./a"},
        {"a;b", true, "\"a\";\"b\""},
        {"$TDSROOT\\lib;$TDSROOT\\lib", true, "\"" + root + "\\lib\""},
    };
    for (const Row& row : rows) {
        int result = -1;
        EXPECT_EQ(read(row.value, row.quote, 260, &result), row.expected)
            << "value [" << row.value << "] quote " << row.quote;
        EXPECT_EQ(result, 1);
    }
}

TEST_F(IniListTest, MissingValueGivesTheDefault) {
    dir.write("list.ini", "[S]\r\nOther=1\r\nK=\r\n");
    char buffer[16];
    EXPECT_EQ(ReadIniList("S", "Missing", "dflt", buffer, sizeof buffer, file.c_str(), false), 0);
    EXPECT_STREQ(buffer, "dflt");
    EXPECT_EQ(ReadIniList("S", "K", nullptr, buffer, sizeof buffer, file.c_str(), false), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ReadIniList("S", "Missing", "a long default", buffer, 5, file.c_str(), false), 0);
    EXPECT_STREQ(buffer, "a lo");
    EXPECT_EQ(ReadIniList(nullptr, "K", "d", buffer, sizeof buffer, file.c_str(), false), 0);
    EXPECT_STREQ(buffer, "d");
    EXPECT_EQ(ReadIniList("S", "K", "d", nullptr, 10, file.c_str(), false), 0);
}

TEST_F(IniListTest, LongResultsKeepWholeItems) {
    // Expanded, "$TDSROOT\lib" outgrows a buffer that held the value as read.
    const std::string lib = root + "\\lib";
    struct Row {
        std::string value;
        DWORD size;
        std::string expected;
    };
    const Row rows[] = {
        {"a;$TDSROOT\\lib", static_cast<DWORD>(lib.size() + 3), "a;" + lib},
        {"a;$TDSROOT\\lib", static_cast<DWORD>(lib.size() + 2), "a"},
        {"$TDSROOT\\lib;a", static_cast<DWORD>(lib.size()), "$TDSROOT\\lib;a"},
        {"$TDSROOT\\lib", 8, "$TDSROO"},
    };
    for (const Row& row : rows) {
        std::string got = read(row.value, false, row.size);
        EXPECT_EQ(got, row.expected) << "value [" << row.value << "] size " << row.size;
        EXPECT_LT(got.size(), row.size);
    }
}

TEST_F(IniListTest, RelativeItemsWithoutAConfigurationFileStayAsWritten) {
    setVar("VENTRAINIPATH", dir.win("cfg/Missing.ini"));
    EXPECT_EQ(read(".\\x.prb;..\\y", false), ".\\x.prb;..\\y");
}

TEST_F(IniListTest, WriteTable) {
    struct Row {
        std::string current;
        std::string next;  // "<null>" writes a null value
        bool quote;
        std::string expected;
    };
    const std::string lib = root + "\\lib";
    const std::string prb = folder + "\\x.prb";
    const Row rows[] = {
        {"OFF", "ON", false, "ON"},
        {"$TDSROOT\\lib;.\\x.prb", lib + ";" + prb, false, "$TDSROOT\\lib;.\\x.prb"},
        {"$TDSROOT\\lib;.\\x.prb", prb + ";" + lib, false, ".\\x.prb;$TDSROOT\\lib"},
        {"$TDSROOT\\lib", "\"" + lib + "\"", true, "\"$TDSROOT\\lib\""},
        {"$TDSROOT\\LIB;C:\\Keep", "c:\\keep;" + lib, false, "C:\\Keep;$TDSROOT\\LIB"},
        {"a;b;c", "c;new;a", false, "c;new;a"},
        {"$KV_LIBS\\inc", "C:\\a\\inc;C:\\b\\inc", false, "$KV_LIBS\\inc"},
        // Repeating only part of a reference's items drops the reference altogether.
        {"$KV_LIBS\\inc", "C:\\a\\inc", false, ""},
        {"x", "x;x", false, "x;x"},
        {"$TDSROOT\\lib", lib + ";" + lib, false, "$TDSROOT\\lib"},
        {"a", "<null>", false, ""},
        {"a", "", false, ""},
        {"a", "b;;c", true, "\"b\";\"c\""},
    };
    for (const Row& row : rows) {
        setValue(row.current);
        const char* next = row.next == "<null>" ? nullptr : row.next.c_str();
        EXPECT_EQ(WriteIniList("S", "K", next, file.c_str(), row.quote), 1);
        EXPECT_EQ(rawValue(), row.expected)
            << "current [" << row.current << "] new [" << row.next << "]";
    }
}

TEST_F(IniListTest, ReadThenWriteRestoresTheText) {
    const std::string values[] = {"$TDSROOT\\lib;.\\x.prb", "..\\up;C:\\p;$KV_LIBS", "OFF"};
    for (const std::string& value : values) {
        std::string expanded = read(value, false);
        ASSERT_EQ(WriteIniList("S", "K", expanded.c_str(), file.c_str(), false), 1);
        EXPECT_EQ(rawValue(), value) << "expanded [" << expanded << "]";
    }
}

}  // namespace

namespace {

// The example installation shipped with the sources, read the way kvhost sets it up: its
// folder as drive C:, its registry file loaded, the root on C:.
TEST_F(InstallFixture, ExampleInstallationReadsItsLists) {
    const char* testSource = std::getenv("KV_TEST_SOURCE_DIR");
    ASSERT_NE(testSource, nullptr) << "KV_TEST_SOURCE_DIR is not set (run through ctest)";
    const std::string example = std::string(testSource) + "/../examples/install";
    ASSERT_EQ(kvwin32::loadRegistryFile(example + "/ventra.reg").error,
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_TRUE(kvwin32::setDriveTable("C:=" + std::filesystem::canonical(example).string()));
    setVar("TDSROOT", "C:");
    // Without a home folder the installed file itself is used and nothing is copied.
    EXPECT_EQ(GetIniFilePath(), "C:\\tools\\bin\\Ventra.ini");

    char buffer[260];
    EXPECT_EQ(ReadIniList("SIMULATOR", "LIBPATH", "", buffer, sizeof buffer,
                          "C:\\tools\\bin\\Ventra.ini", false),
              1);
    EXPECT_STREQ(buffer, "C:\\tools\\ventra\\lib;C:\\tools\\bin\\models;C:\\user\\lib");
    for (const char* section : {"Stimulus Files", "Library Files", "Include Files"}) {
        char keys[256] = {};
        EXPECT_GT(
            GetPrivateProfileSectionA(section, keys, sizeof keys, "C:\\tools\\bin\\Ventra.ini"), 0u)
            << section;
    }
    EXPECT_TRUE(PathUtil::isDirectory("C:\\tools\\kvResources\\ENU"));
}

}  // namespace
