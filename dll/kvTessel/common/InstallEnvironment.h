// The library's installation environment: where the product is installed, which simulator
// configuration file to use (with a per-user working copy), the environment variables the
// library needs before its first dialog, per-user class registration and the version text.
// Free functions over a few process-wide values computed once; nothing here shows a window.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include <windows.h>

// The resource library loaded for one module and the resource handle it replaced.
struct LoadedResourceLibrary {
    HINSTANCE previous = nullptr;  // resource handle that was current before the load
    HMODULE library = nullptr;     // the loaded resource library
};

// The process-wide values of the installation environment. Windows keeps these per process
// too (a changed installation needs a new process), so they live in this one object; only the
// user-interface thread touches them, hence no locks.
struct InstallEnvironmentCache {
    bool rootKnown = false;        // installRoot has been computed
    std::string installRoot;       // installation root, empty when none was found
    bool hostFolderKnown = false;  // hostFolder has been computed
    std::string hostFolder;        // drive and folder of the main program, ending in "\"
    bool pathChecked = false;      // EnsureToolsOnPath has run in this process
    std::string lastIniFilePath;   // what GetIniFilePath answered last
    std::map<std::string, LoadedResourceLibrary> resourceLibraries;  // by module name

    // The one instance of the process.
    static InstallEnvironmentCache& instance();
};

// Forgets every cached value, as if the process had just started (for tests). Loaded
// resource libraries stay loaded; only the record of them is dropped.
void resetInstallEnvironment();

// Names the installation shares with the rest of the product family.
namespace install {
inline constexpr const char* kRootProgram = "tds_root.exe";
inline constexpr const char* kConfigKey =
    "SOFTWARE\\Tarvo\\Switchyard\\17.0.0\\ProductConfiguration\\Shared";
inline constexpr const char* kConfigValue = "VentraConfigFile";
inline constexpr const char* kConfigVariable = "VENTRAINIPATH";
inline constexpr const char* kConfigFileName = "Ventra.ini";
inline constexpr const char* kProductKey = "Korva_Ventra";
inline constexpr const char* kRelease = "17.0.0";
inline constexpr const char* kSetupFolder = "tdssetup";
inline constexpr const char* kPathMarker = "TDSKORVA_INTERNALVAR_PATH_MODIFIED";
inline constexpr const char* kRegisterInMachineSwitch = "KORVA_REGISTER_IN_HKLM";
inline constexpr const char* kDisableAdminSwitch = "TDN_KORVA_DISABLE_ADMIN_MODE";
}  // namespace install

// The installation root, computed on the first call (empty when it cannot be found).
const std::string& GetInstallRoot();

// An installation folder by kind, with a trailing "\" added on request to a non-empty result:
// 0 the root, 1 to 3 root\tools\bin, 4 root\tools\drafter, 5 root\tools\ventra (the
// sub-folder only below a non-empty root), 6 the host program's folder, other kinds empty.
std::string InstallFolder(int kind, bool addTrailingSeparator);

// Path of the configuration file to use, recomputed on every call: the per-user copy when one
// can be made, else the installed file, else empty.
std::string GetIniFilePath();

// Finds or makes the per-user copy of an installed file below the home folder
// (home/tdssetup/productKey/release/name); true with its path in out.
bool LocateUserIniFile(std::string_view productKey, std::string_view release,
                       std::string_view installedFile, std::string& out);

// Sets HOME from HOMEPATH when HOME is missing.
void EnsureHomeVariable();

// Puts the host program's folder in front of Path, once per process and once per family of
// nested hosts.
void EnsureToolsOnPath();

// Redirects class registration to the current user unless the user is an administrator or
// registration in the local machine is asked for; answers the result of opening or creating
// the user's CLSID key, or 1 when nothing was redirected.
LONG BeginPerUserRegistration();

// Removes the redirection BeginPerUserRegistration installed.
void EndPerUserRegistration();

// Whether the caller counts as an administrator: never when TDN_KORVA_DISABLE_ADMIN_MODE is
// set, otherwise when the effective user is the superuser.
bool IsUserAdmin();

// The library's version as "release-build (tag) month/day/year"; always true.
bool GetVersionText(std::string& out);

// The module identification string "marker kvTessel64 tag month/day/year".
std::string ModuleIdentification();
