// The installation environment: the configuration file and its per-user copy, the root and
// its folders, HOME and Path, per-user registration and the version text.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <cstdio>
#include <string>

#include "InstallFixture.h"

namespace {

namespace fs = std::filesystem;
using kvtest::InstallFixture;

constexpr const char* kKeyLine =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Switchyard\\17.0.0\\ProductConfiguration\\Shared]\r\n";

class IniFilePath : public InstallFixture {
  protected:
    void SetUp() override {
        InstallFixture::SetUp();
        dir.write("inst/Ventra.ini", "[SIMULATOR]\r\nLIBPATH=a\r\n");
        dir.mkdir("home");
        setVar("HOME", dir.win("home"));
    }
    std::string copyHost() const {
        return dir.host("home/tdssetup/Korva_Ventra/17.0.0/Ventra.ini");
    }
};

TEST_F(IniFilePath, KeyWithoutValueGivesNothingEvenWithTheVariable) {
    loadRegistry(std::string(kKeyLine) + "\"Other\"=\"x\"\r\n");
    setVar("VENTRAINIPATH", dir.win("inst/Ventra.ini"));
    EXPECT_EQ(GetIniFilePath(), "");
    EXPECT_FALSE(fs::exists(dir.host("home/tdssetup"))) << "no copy for a refused file";
}

TEST_F(IniFilePath, RegistryValueTypes) {
    const std::string file = dir.win("inst/Ventra.ini");
    // hex(2) and hex(7) spell REG_EXPAND_SZ and REG_MULTI_SZ as their UTF-16LE bytes.
    auto hexOf = [](const std::string& text, int terminators) {
        std::string hex;
        for (unsigned char c : text) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "%02x,", c);
            hex += byte;
            hex += "00,";
        }
        for (int i = 0; i < terminators; ++i)
            hex += "00,00,";
        hex.pop_back();
        return hex;
    };
    struct Row {
        std::string value;
        bool found;
    };
    const Row rows[] = {
        {"\"" + regEscape(file) + "\"", true},
        {"hex(2):" + hexOf(file, 1), true},
        {"hex(7):" + hexOf(file, 2), true},
        {"dword:00000001", false},
        {"\"" + regEscape(dir.win("inst/Missing.ini")) + "\"", false},
        {"\"\"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        kvwin32::clearRegistry();
        loadRegistry(std::string(kKeyLine) + "\"VentraConfigFile\"=" + row.value + "\r\n");
        std::string path = GetIniFilePath();
        EXPECT_EQ(path.empty() ? "<empty>" : hostOf(path), row.found ? copyHost() : "<empty>");
    }
}

TEST_F(IniFilePath, VariableGivesAPerUserCopyMadeOnce) {
    setVar("VENTRAINIPATH", dir.win("inst/Ventra.ini"));
    std::string path = GetIniFilePath();
    EXPECT_EQ(hostOf(path), copyHost());
    EXPECT_EQ(kvtest::readHostFile(copyHost()), "[SIMULATOR]\r\nLIBPATH=a\r\n");
    EXPECT_TRUE(fs::is_directory(dir.host("home/tdssetup/Korva_Ventra/backup")));
    EXPECT_EQ(InstallEnvironmentCache::instance().lastIniFilePath, path);

    // A newer installed file never replaces the user's copy.
    dir.write("inst/Ventra.ini", "[SIMULATOR]\r\nLIBPATH=newer\r\n");
    EXPECT_EQ(hostOf(GetIniFilePath()), copyHost());
    EXPECT_EQ(kvtest::readHostFile(copyHost()), "[SIMULATOR]\r\nLIBPATH=a\r\n");
}

TEST_F(IniFilePath, ReadOnlyInstalledFileGivesAWritableCopy) {
    ASSERT_EQ(chmod(dir.host("inst/Ventra.ini").c_str(), 0444), 0);
    setVar("VENTRAINIPATH", dir.win("inst/Ventra.ini"));
    ASSERT_EQ(hostOf(GetIniFilePath()), copyHost());
    struct stat st {};
    ASSERT_EQ(stat(copyHost().c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST_F(IniFilePath, SetupSearchHitWinsOverTheHomeCopy) {
    dir.write("setup/Korva_Ventra/17.0.0/Ventra.ini", "[S]\r\n");
    setVar("KV_SETUP_PATH", dir.win("setup"));
    setVar("VENTRAINIPATH", dir.win("inst/Ventra.ini"));
    EXPECT_EQ(hostOf(GetIniFilePath()), dir.host("setup/Korva_Ventra/17.0.0/Ventra.ini"));
    EXPECT_FALSE(fs::exists(dir.host("home/tdssetup")));
}

TEST_F(IniFilePath, WithoutAHomeTheInstalledFileIsUsed) {
    SetEnvironmentVariableA("HOME", nullptr);
    setVar("VENTRAINIPATH", dir.win("inst/Ventra.ini"));
    EXPECT_EQ(GetIniFilePath(), dir.win("inst/Ventra.ini"));
}

TEST_F(IniFilePath, CandidatesWithoutKeyOrVariable) {
    // Below the root first; the Windows folder without one.
    dir.write("root/tools/bin/Ventra.ini", "[R]\r\n");
    dir.write("windows/Ventra.ini", "[W]\r\n");
    SetEnvironmentVariableA("HOME", nullptr);
    setVar("TDSROOT", dir.win("root"));
    EXPECT_EQ(hostOf(GetIniFilePath()), dir.host("root/tools/bin/Ventra.ini"));

    resetInstallEnvironment();
    SetEnvironmentVariableA("TDSROOT", nullptr);
    tds::resetInstallation();
    ASSERT_EQ(GetInstallRoot(), "") << "the test program's folder holds tds_root.exe";
    EXPECT_EQ(hostOf(GetIniFilePath()), dir.host("windows/Ventra.ini"));
}

TEST_F(IniFilePath, VariableNamingNothingGivesNothing) {
    setVar("VENTRAINIPATH", "");
    EXPECT_EQ(GetIniFilePath(), "");
    setVar("VENTRAINIPATH", dir.win("inst/Missing.ini"));
    EXPECT_EQ(GetIniFilePath(), "");
}

TEST_F(InstallFixture, InstallFolderTable) {
    std::string exe(1024, '\0');
    exe.resize(GetModuleFileNameA(nullptr, exe.data(), 1024));
    // The host folder keeps its trailing separator; asking for one adds another.
    const std::string host = exe.substr(0, exe.find_last_of('\\') + 1);
    struct Row {
        int kind;
        bool trailing;
        std::string withRoot;
        std::string withoutRoot;
    };
    const Row rows[] = {
        {0, false, "C:\\r", ""},
        {0, true, "C:\\r\\", ""},
        {1, false, "C:\\r\\tools\\bin", ""},
        {2, true, "C:\\r\\tools\\bin\\", ""},
        {3, false, "C:\\r\\tools\\bin", ""},
        {4, false, "C:\\r\\tools\\drafter", ""},
        {4, true, "C:\\r\\tools\\drafter\\", ""},
        {5, false, "C:\\r\\tools\\ventra", ""},
        {6, false, host, host},
        {6, true, host + "\\", host + "\\"},
        {7, true, "", ""},
        {-1, false, "", ""},
    };
    setVar("TDSROOT", "C:\\r");
    for (const Row& row : rows)
        EXPECT_EQ(InstallFolder(row.kind, row.trailing), row.withRoot)
            << "kind " << row.kind << " trailing " << row.trailing;

    resetInstallEnvironment();
    SetEnvironmentVariableA("TDSROOT", nullptr);
    ASSERT_EQ(GetInstallRoot(), "") << "the test program's folder holds tds_root.exe";
    for (const Row& row : rows)
        EXPECT_EQ(InstallFolder(row.kind, row.trailing), row.withoutRoot)
            << "kind " << row.kind << " trailing " << row.trailing << " without root";
}

TEST_F(InstallFixture, InstallRootIsComputedOnce) {
    setVar("TDSROOT", "C:\\first");
    EXPECT_EQ(GetInstallRoot(), "C:\\first");
    setVar("TDSROOT", "C:\\second");
    EXPECT_EQ(GetInstallRoot(), "C:\\first");
    EXPECT_EQ(tds::programName(), "") << "the library was asked without initialising it";
}

TEST_F(InstallFixture, InstallRootInitialisesTheInstallationLibrary) {
    setVar("Path", "C:\\bin");
    GetInstallRoot();
    EXPECT_EQ(tds::programName(), "tds_root.exe");
    EXPECT_EQ(var(install::kPathMarker), "TRUE") << "Path was extended first";
}

TEST_F(InstallFixture, EnsureHomeVariableTable) {
    struct Row {
        const char* home;      // null: unset
        const char* homePath;  // null: unset
        const char* expected;
    };
    const Row rows[] = {
        {nullptr, "\\Users\\me", "C:\\Users\\me"},
        {nullptr, "D:\\me", "D:\\me"},
        {nullptr, "", "C:"},
        {"/h", "\\x", "/h"},
        {"", "\\x", ""},
        {nullptr, nullptr, "<unset>"},
    };
    for (const Row& row : rows) {
        SetEnvironmentVariableA("HOME", row.home);
        SetEnvironmentVariableA("HOMEPATH", row.homePath);
        SetEnvironmentVariableA("HOMEDRIVE", "E:");
        EnsureHomeVariable();
        EXPECT_EQ(var("HOME"), row.expected)
            << "HOME " << (row.home ? row.home : "<unset>") << " HOMEPATH "
            << (row.homePath ? row.homePath : "<unset>");
    }
}

TEST_F(InstallFixture, EnsureToolsOnPathTable) {
    const std::string folder = InstallFolder(6, false);
    struct Row {
        const char* path;    // null: unset
        const char* marker;  // null: unset
        std::string expectedPath;
        const char* expectedMarker;
    };
    const Row rows[] = {
        {"C:\\a;C:\\b", nullptr, folder + ";C:\\a;C:\\b", "TRUE"},
        {"", nullptr, folder + ";", "TRUE"},
        {"C:\\a", "TRUE", "C:\\a", "TRUE"},
        {"C:\\a", "", "C:\\a", ""},
        {nullptr, nullptr, "<unset>", "<unset>"},
    };
    for (const Row& row : rows) {
        resetInstallEnvironment();
        SetEnvironmentVariableA("PATH", row.path);
        SetEnvironmentVariableA(install::kPathMarker, row.marker);
        EnsureToolsOnPath();
        EXPECT_EQ(var("Path"), row.expectedPath) << "Path " << (row.path ? row.path : "<unset>");
        EXPECT_EQ(var(install::kPathMarker), row.expectedMarker);
    }
    // Once per process: a second call does nothing even when the marker went away.
    resetInstallEnvironment();
    setVar("Path", "C:\\x");
    EnsureToolsOnPath();
    setVar("Path", "C:\\y");
    SetEnvironmentVariableA(install::kPathMarker, nullptr);
    EnsureToolsOnPath();
    EXPECT_EQ(var("Path"), "C:\\y");
}

TEST_F(InstallFixture, AdministratorSwitch) {
    EXPECT_EQ(IsUserAdmin(), geteuid() == 0);
    setVar(install::kDisableAdminSwitch, "");
    EXPECT_FALSE(IsUserAdmin()) << "set, even to nothing, turns administrator mode off";
}

TEST_F(InstallFixture, PerUserRegistrationRedirectsClassesRoot) {
    setVar(install::kDisableAdminSwitch, "1");
    EXPECT_EQ(BeginPerUserRegistration(), ERROR_SUCCESS);
    EXPECT_EQ(var("OAPERUSERTLIBREG"), "1");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\CLSID", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // A registration under the classes root lands in the user's classes.
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{A}", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{A}", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);

    EndPerUserRegistration();
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{B}", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{B}", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST_F(InstallFixture, MachineRegistrationSwitchLeavesEverythingAlone) {
    setVar(install::kDisableAdminSwitch, "1");
    setVar(install::kRegisterInMachineSwitch, "1");
    EXPECT_EQ(BeginPerUserRegistration(), 1);
    EXPECT_EQ(var("OAPERUSERTLIBREG"), "<unset>");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\CLSID", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EndPerUserRegistration();
}

TEST(VersionText, ReleaseBuildTagAndDate) {
    std::string text;
    ASSERT_TRUE(GetVersionText(text));
    int build = -1, month = 0, day = 0, year = 0, used = 0;
    char tag[64] = {};
    ASSERT_EQ(std::sscanf(text.c_str(), "17.0.0-%d (%63[^)]) %d/%d/%d%n", &build, tag, &month, &day,
                          &year, &used),
              5)
        << text;
    EXPECT_EQ(static_cast<std::size_t>(used), text.size()) << text;
    EXPECT_EQ(ModuleIdentification(), "@(#) kvTessel64 " + std::string(tag) + " " +
                                          std::to_string(month) + "/" + std::to_string(day) + "/" +
                                          std::to_string(year));
    EXPECT_GE(month, 1);
    EXPECT_LE(month, 12);
    EXPECT_GE(day, 1);
    EXPECT_LE(day, 31);
    EXPECT_GE(year, 2024);
}

}  // namespace
