// The Configuration Files page's rules as tables: the three path rules, the four searches of
// the duplicate test, the row order of the scopes and the moves within a scope. Paths live on
// drives C: and D: of a drive table over a temporary folder, so existence tests ask a real
// file system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include <windows.h>

#include "kvwin32/drives.h"
#include "kvwin32/registry_file.h"
#include "pages/files/FileRules.h"

namespace {

// C: and D: over two folders of a temporary folder; the current folder is C:\work.
class FileRulesTest : public ::testing::Test {
  protected:
    FileRulesTest() {
        m_saved = kvwin32::driveTable();
        m_dir.mkdir("c/work");
        m_dir.mkdir("d");
        kvwin32::setDriveTable("C:=" + m_dir.host("c") + ";D:=" + m_dir.host("d"));
        ::GetCurrentDirectoryA(sizeof m_savedCwd, m_savedCwd);
        ::SetCurrentDirectoryA("C:\\work");
    }
    ~FileRulesTest() override {
        ::SetCurrentDirectoryA(m_savedCwd);
        kvwin32::setDriveTable(m_saved);
    }
    kvtest::TempDir m_dir;
    std::string m_saved;
    char m_savedCwd[260] = {};
};

struct PathCase {
    const char* path;
    const char* base;
    const char* expected;
};

TEST_F(FileRulesTest, MakeAbsolutePath) {
    const PathCase cases[] = {
        {"", "C:\\proj\\", ""},
        {"C:\\Proj\\Lib\\..\\x.LIB", "C:\\proj\\", "C:\\Proj\\x.LIB"},
        {"rel\\x.lib", "C:\\proj\\", "C:\\work\\rel\\x.lib"},  // against the current folder
        {".\\lib\\x.lib", "C:\\proj\\", "C:\\proj\\lib\\x.lib"},
        {"..\\other\\x.lib", "C:\\proj\\", "C:\\other\\x.lib"},
        {".\\x.lib", "", ".\\x.lib"},  // no base: stays
        // A base without its trailing separator (profileDir) is joined with one.
        {".\\x.stl", "D:\\p\\p1", "D:\\p\\p1\\x.stl"},
        {"..\\x.stl", "D:\\p\\p1", "D:\\p\\x.stl"},
        {"D:/y.lib", "C:\\proj\\", "D:\\y.lib"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(MakeAbsolutePath(c.path, c.base), c.expected) << c.path << " on " << c.base;
    }
}

TEST_F(FileRulesTest, ResolveDotPath) {
    struct Case {
        const char* path;
        const char* base;
        bool hasGeneral;
        const char* expected;
    };
    const Case cases[] = {
        {".\\lib\\x.lib", "C:\\proj\\", true, "C:\\proj\\lib\\x.lib"},
        {".\\lib\\x.lib", "C:\\proj\\", false, ".\\lib\\x.lib"},  // no general record: stays
        {"x.lib", "C:\\proj\\", false, "C:\\work\\x.lib"},
        {"C:\\a\\.\\b\\x.lib", "C:\\proj\\", true, "C:\\a\\b\\x.lib"},
        {"..\\x.lib", "C:\\proj\\sub", true, "C:\\proj\\x.lib"},
        {".\\x.lib", "", true, "C:\\work\\x.lib"},  // an empty base: the current folder
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveDotPath(c.path, c.base, c.hasGeneral), c.expected) << c.path;
    }
}

TEST_F(FileRulesTest, MakeRelativePath) {
    const PathCase cases[] = {
        // Below the base: ".\" and lower case.
        {"C:\\Proj\\Lib\\Opamp.LIB", "C:\\proj\\", ".\\lib\\opamp.lib"},
        {"C:\\Proj\\Lib\\Opamp.LIB", "C:\\proj", ".\\lib\\opamp.lib"},
        // Beside it: one level up.
        {"C:\\Other\\x.lib", "C:\\proj\\", "..\\other\\x.lib"},
        // Two levels up: no form, the path unchanged in its own case.
        {"C:\\Other\\x.lib", "C:\\proj\\deep\\", "C:\\Other\\x.lib"},
        // Another drive: unchanged.
        {"D:\\y.lib", "C:\\proj\\", "D:\\y.lib"},
        // A base at the root has no parent.
        {"D:\\Y.lib", "C:\\", "D:\\Y.lib"},
        {"C:\\Y.lib", "C:\\", ".\\y.lib"},
        // A relative path is made absolute first.
        {".\\Sub\\Z.inc", "C:\\proj\\", ".\\sub\\z.inc"},
        {"..\\Z.inc", "C:\\proj\\a\\", "..\\z.inc"},
        // A file whose name only begins like the base folder is not below it.
        {"C:\\projects\\x.lib", "C:\\proj\\", "..\\projects\\x.lib"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(MakeRelativePath(c.path, c.base), c.expected) << c.path << " on " << c.base;
    }
}

TEST_F(FileRulesTest, FindPresenceSearchesEveryFormOfTheFile) {
    m_dir.write("c/proj/lib/opamp.lib", "* opamp\n");
    m_dir.write("c/proj/profiles/p1/stim.stl", "* stim\n");
    m_dir.write("c/proj/opamp.lib", "* opamp\n");
    const PathBases bases{"C:\\proj\\", "C:\\proj\\profiles\\p1", true, true};
    PathBases noProfileScope = bases;
    noProfileScope.profileScope = false;

    struct Case {
        const char* name;
        std::vector<FileRow> rows;
        const char* path;
        const PathBases* bases;
        Presence expected;
    };
    const std::vector<FileRow> globalRow = {{"C:\\Proj\\Lib\\Opamp.LIB", FileScope::global}};
    const std::vector<FileRow> designRow = {{".\\lib\\opamp.lib", FileScope::design}};
    const std::vector<FileRow> profileRow = {{".\\stim.stl", FileScope::profile}};
    const Case cases[] = {
        {"empty list", {}, "C:\\proj\\lib\\opamp.lib", &bases, Presence::absent},
        {"missing file", globalRow, "C:\\proj\\lib\\none.lib", &bases, Presence::missing},
        {"global row, other case", globalRow, "c:\\PROJ\\lib\\OPAMP.lib", &bases,
         Presence::present},
        {"global row, slashes", globalRow, "C:/proj/lib/opamp.lib", &bases, Presence::present},
        {"global row, dotted", globalRow, "C:\\proj\\lib\\..\\lib\\opamp.lib", &bases,
         Presence::present},
        {"design row by its relative form", designRow, "C:\\Proj\\lib\\opamp.lib", &bases,
         Presence::present},
        {"design row typed relative", designRow, ".\\LIB\\opamp.lib", &bases, Presence::present},
        {"design form among global rows only is absent",
         {{".\\lib\\opamp.lib", FileScope::global}},
         "C:\\proj\\lib\\opamp.lib",
         &bases,
         Presence::absent},
        {"profile row by its relative form", profileRow, "C:\\proj\\profiles\\p1\\stim.stl", &bases,
         Presence::present},
        {"profile rows are not searched without the profile scope", profileRow,
         "C:\\proj\\profiles\\p1\\stim.stl", &noProfileScope, Presence::absent},
        {"the first match decides: a design row hides a later profile row",
         {{".\\stim.stl", FileScope::design}, {".\\stim.stl", FileScope::profile}},
         "C:\\proj\\profiles\\p1\\stim.stl",
         &bases,
         Presence::absent},
        {"a bare name is looked for as \".\\name\" among global rows",
         {{".\\OPAMP.lib", FileScope::global}},
         "opamp.lib",
         &bases,
         Presence::present},
        {"... but not among profile rows, where it means another file",
         {{".\\OPAMP.lib", FileScope::profile}},
         "opamp.lib",
         &bases,
         Presence::absent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresenceAnswer answer = FindPresence(c.rows, c.path, *c.bases, true);
        EXPECT_EQ(answer.presence, c.expected);
    }
}

TEST_F(FileRulesTest, FindPresenceResolvesTheCandidate) {
    m_dir.write("c/proj/opamp.lib", "* opamp\n");
    const PathBases bases{"C:\\proj\\", "C:\\proj\\profiles\\p1", true, true};
    // A bare name is taken from the design folder.
    PresenceAnswer answer = FindPresence({}, "OPAMP.lib", bases, true);
    EXPECT_EQ(answer.presence, Presence::absent);
    EXPECT_EQ(answer.candidate, "C:\\proj\\OPAMP.lib");
    // Without report, a missing file is only resolved.
    answer = FindPresence({}, "C:\\nowhere\\x.lib", bases, false);
    EXPECT_EQ(answer.presence, Presence::absent);
    EXPECT_EQ(answer.candidate, "C:\\nowhere\\x.lib");
    // Without a general record a dotted name stays as it is.
    const PathBases bare{"C:\\proj\\profiles\\p1", "C:\\proj\\profiles\\p1", false, true};
    answer = FindPresence({}, "x.lib", bare, false);
    EXPECT_EQ(answer.candidate, ".\\x.lib");
}

TEST(FileRowOrder, NewRowsKeepTheGroupsInOrder) {
    // Adding in any order leaves profile rows first, then design rows, then global rows, each
    // group newest first.
    std::vector<FileRow> rows;
    GroupCounts counts;
    const FileRow adds[] = {
        {"g1", FileScope::global}, {"d1", FileScope::design}, {"p1", FileScope::profile},
        {"g2", FileScope::global}, {"d2", FileScope::design}, {"p2", FileScope::profile},
        {"g3", FileScope::global},
    };
    for (const FileRow& add : adds) {
        rows.insert(rows.begin() + InsertIndex(add.scope, counts), add);
        counts.profile += add.scope == FileScope::profile ? 1 : 0;
        counts.design += add.scope == FileScope::design ? 1 : 0;
    }
    std::vector<std::string> texts;
    for (const FileRow& row : rows) {
        texts.push_back(row.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"p2", "p1", "d2", "d1", "g3", "g2", "g1"}));
    EXPECT_EQ(counts, (GroupCounts{2, 2}));
}

TEST(FileRowOrder, MovesStayWithinTheScope) {
    using S = FileScope;
    const std::vector<S> scopes = {S::profile, S::profile, S::design, S::global, S::global};
    struct Case {
        int row;
        int previous;
        int next;
    };
    const Case cases[] = {
        {0, -1, 1},  {1, 0, -1},  // last profile row: no Down
        {2, -1, -1},              // a lone design row moves nowhere
        {3, -1, 4},  {4, 3, -1}, {-1, -1, -1}, {5, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviousSameScope(scopes, c.row), c.previous) << c.row;
        EXPECT_EQ(NextSameScope(scopes, c.row), c.next) << c.row;
    }
}

TEST_F(FileRulesTest, StoredListsLoadGroupedAndRederived) {
    const PathBases bases{"C:\\proj\\", "C:\\proj\\profiles\\p1", true, true};
    const std::vector<std::string> global = {"C:\\G1.lib", "C:\\G2.lib"};
    const std::vector<std::string> design = {".\\Lib\\D1.lib", "C:/Proj/D2.lib", "bare.lib"};
    const std::vector<std::string> profile = {".\\P1.lib", "C:\\proj\\profiles\\p1\\P2.lib"};
    GroupCounts counts{7, 7};
    const std::vector<FileRow> rows = CategoryRows(global, design, profile, bases, counts);
    const std::vector<FileRow> expected = {
        {".\\p1.lib", FileScope::profile},     {".\\p2.lib", FileScope::profile},
        {".\\lib\\d1.lib", FileScope::design}, {".\\d2.lib", FileScope::design},
        {"bare.lib", FileScope::design},       {"C:\\G1.lib", FileScope::global},
        {"C:\\G2.lib", FileScope::global},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(counts, (GroupCounts{2, 3}));
}

TEST(FileRowOrder, GlobalMarker) {
    EXPECT_EQ(StoredGlobal("C:\\x.lib"), "C:\\x.lib*");
    EXPECT_EQ(ShownGlobal("C:\\x.lib*"), "C:\\x.lib");
    EXPECT_EQ(ShownGlobal("C:\\x.lib"),
              "C:\\x.lib");  // entries without the marker load as they are
    EXPECT_EQ(ShownGlobal("*"), "");
}

// Where LOCALIZE is read: the file the registry value names when it is a string value, else
// ventra.ini in the Windows folder; 1 when the file or the key is missing.
TEST_F(FileRulesTest, LocalizeComesFromTheConfigurationFileTheRegistryNames) {
    m_dir.write("d/windows/ventra.ini", "[SIM PROFILE]\nLOCALIZE=0\n");
    m_dir.write("d/named.ini", "[sim profile]\nlocalize=2\n");
    ::SetEnvironmentVariableA("WINDIR", "D:\\windows");
    const std::string key =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Switchyard\\17.0.0\\ProductConfiguration\\Shared]"
        "\r\n";
    struct Case {
        const char* name;
        std::string registry;  // ".reg" body, empty for no key
        const char* file;
        int flag;
    };
    const Case cases[] = {
        {"no key: the Windows folder", "", "D:\\windows\\ventra.ini", 0},
        {"a string value", key + "\"VentraConfigFile\"=\"D:\\\\named.ini\"\r\n", "D:\\named.ini",
         2},
        {"an expandable string value",
         key +
             "\"VentraConfigFile\"=hex(2):44,00,3a,00,5c,00,6e,00,61,00,6d,00,65,00,64,00,2e,00,69,"
             "00,6e,00,69,00,00,00\r\n",
         "D:\\named.ini", 2},
        {"a number: the Windows folder", key + "\"VentraConfigFile\"=dword:00000001\r\n",
         "D:\\windows\\ventra.ini", 0},
        {"a key without the value", key, "D:\\windows\\ventra.ini", 0},
        {"a named file that does not exist: the default",
         key + "\"VentraConfigFile\"=\"D:\\\\none.ini\"\r\n", "D:\\none.ini", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kvwin32::clearRegistry();
        if (!c.registry.empty()) {
            const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + c.registry;
            ASSERT_EQ(kvwin32::loadRegistryText(text).error, static_cast<DWORD>(ERROR_SUCCESS));
        }
        EXPECT_EQ(LocalizeConfigFile(), c.file);
        EXPECT_EQ(ReadLocalizeFlag(), c.flag);
    }
    kvwin32::clearRegistry();
    ::SetEnvironmentVariableA("WINDIR", nullptr);
}

}  // namespace
