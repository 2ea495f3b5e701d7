// The installation environment: installation root and folders, the configuration file and its
// per-user copy, HOME and Path, per-user registration, the administrator test and the version.
#include "InstallEnvironment.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "kvwin32/crt.h"
#include "tds/csf.h"
#include "tds/tds.h"

namespace {

// The release this library belongs to and the number of the build that made it. The build
// number is stamped by the release build; source builds carry 0.
constexpr const char* kVersionRelease = "17.0.0";
constexpr const char* kVersionBuild = "0";
// The version tag of the source drop, the third word of the identification string.
constexpr const char* kVersionTag = "kvTessel_17.0.0";
// The marker that lets what(1)-style tools find the identification string in the binary.
constexpr const char* kIdentMarker = "@(#)";
constexpr const char* kModuleName = "kvTessel64";

// Largest configuration-file path the registry value may hold, terminator included.
constexpr DWORD kConfigValueSize = 261;

bool exists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> variable(const char* name) {
    const char* value = kvcrt::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

void putVariable(std::string_view name, std::string_view value) {
    std::string assignment = std::string(name) + "=" + std::string(value);
    _putenv(assignment.c_str());
}

// Drive and folder of the main program, with its trailing separator; empty when unknown.
const std::string& hostFolder() {
    auto& cache = InstallEnvironmentCache::instance();
    if (!cache.hostFolderKnown) {
        cache.hostFolderKnown = true;
        std::array<char, 1024> buffer{};
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n > 0 && n < buffer.size()) {
            std::string_view exe(buffer.data(), n);
            std::size_t slash = exe.find_last_of("\\/");
            if (slash != std::string_view::npos)
                cache.hostFolder = std::string(exe.substr(0, slash + 1));
        }
    }
    return cache.hostFolder;
}

// The root the installation library reports, or empty.
std::string askInstallationLibrary() {
    std::unique_ptr<char, decltype(&std::free)> root(tdsGetInstallRoot(), &std::free);
    return root ? std::string(root.get()) : std::string();
}

// The setup-file search for a relative name; the hit when it can be read and written.
std::optional<std::string> searchWritableSetupFile(const std::string& relative) {
    std::array<char, CSF_PATH_BUFFER_SIZE> found{};
    if (csfSearch(relative.c_str(), found.data()) != CSF_FOUND)
        return std::nullopt;
    found.back() = '\0';
    if (_access(found.data(), 6) != 0)
        return std::nullopt;
    return std::string(found.data());
}

// Creates a folder unless something of that name exists; failures show in the access test
// that follows.
void ensureFolder(const std::string& folder) {
    if (!exists(folder))
        CreateDirectoryA(folder.c_str(), nullptr);
}

// The build date of this file written month/day/year, from the compiler's "Mmm dd yyyy".
std::string buildDate() {
    static constexpr const char* kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (std::strncmp(kMonths + 3 * m, date, 3) == 0)
            month = m + 1;
    }
    int day = std::atoi(date + 4);
    int year = std::atoi(date + 7);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%d", month, day, year);
    return text;
}

// The blank-separated word at index (0-based) of a text, or empty.
std::string word(std::string_view text, int index) {
    std::size_t pos = 0;
    for (int i = 0;; ++i) {
        pos = text.find_first_not_of(' ', pos);
        if (pos == std::string_view::npos)
            return {};
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (i == index)
            return std::string(text.substr(pos, end - pos));
        pos = end;
    }
}

}  // namespace

InstallEnvironmentCache& InstallEnvironmentCache::instance() {
    static InstallEnvironmentCache cache;
    return cache;
}

void resetInstallEnvironment() {
    InstallEnvironmentCache::instance() = InstallEnvironmentCache{};
}

const std::string& GetInstallRoot() {
    auto& cache = InstallEnvironmentCache::instance();
    if (cache.rootKnown)
        return cache.installRoot;
    cache.rootKnown = true;
    std::string root = askInstallationLibrary();
    if (root.empty()) {
        // A host that never initialised the installation library: do it for it, under the
        // name of the family's root-finding program.
        EnsureToolsOnPath();
        const char* const argv[] = {install::kRootProgram};
        tdsInit(1, argv);
        root = askInstallationLibrary();
    }
    if (root.empty()) {
        // The root program lives in root\tools\bin: two levels up from the host's folder.
        // The folder keeps its own trailing separator, so the root reads "...\bin\\..\..";
        // it is left as it is (not normalised), and the file functions read the doubled
        // separator as one.
        const std::string& folder = hostFolder();
        if (!folder.empty() && exists(folder + install::kRootProgram))
            root = folder + "\\..\\..";
    }
    cache.installRoot = root;
    return cache.installRoot;
}

std::string InstallFolder(int kind, bool addTrailingSeparator) {
    std::string folder;
    switch (kind) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: {
            folder = GetInstallRoot();
            static constexpr const char* kSubFolders[] = {nullptr,          "tools\\bin",
                                                          "tools\\bin",     "tools\\bin",
                                                          "tools\\drafter", "tools\\ventra"};
            if (kind > 0 && !folder.empty())
                folder += std::string("\\") + kSubFolders[kind];
            break;
        }
        case 6:
            // The host folder comes with its trailing separator; a request adds another one.
            folder = hostFolder();
            break;
        default:
            break;
    }
    if (addTrailingSeparator && !folder.empty())
        folder += "\\";
    return folder;
}

std::string GetIniFilePath() {
    std::string candidate;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, install::kConfigKey, 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        // An administrator's setting in the registry wins; a key without the value means
        // "no configuration file", whatever the environment says.
        std::array<char, kConfigValueSize + 1> value{};
        DWORD type = REG_NONE;
        DWORD size = kConfigValueSize;
        LONG error = RegQueryValueExA(key, install::kConfigValue, nullptr, &type,
                                      reinterpret_cast<LPBYTE>(value.data()), &size);
        if (error == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ))
            candidate = value.data();
        RegCloseKey(key);
    } else if (auto named = variable(install::kConfigVariable)) {
        candidate = *named;
    } else if (!GetInstallRoot().empty()) {
        candidate = GetInstallRoot() + "\\tools\\bin\\" + install::kConfigFileName;
    } else {
        std::array<char, MAX_PATH + 1> windows{};
        UINT n = GetWindowsDirectoryA(windows.data(), static_cast<UINT>(windows.size()));
        if (n > 0 && n < windows.size())
            candidate = std::string(windows.data()) + "\\" + install::kConfigFileName;
    }

    std::string result;
    if (exists(candidate)) {
        std::string copy;
        if (!LocateUserIniFile(install::kProductKey, install::kRelease, candidate, copy)) {
            result = candidate;
        } else {
            result = copy;
            std::size_t slash = copy.rfind('/');
            if (slash != std::string::npos)
                ensureFolder(copy.substr(0, slash + 1) + "../backup");
        }
    }
    InstallEnvironmentCache::instance().lastIniFilePath = result;
    return result;
}

bool LocateUserIniFile(std::string_view productKey, std::string_view release,
                       std::string_view installedFile, std::string& out) {
    std::string_view name = installedFile;
    std::size_t cut = installedFile.rfind('/');
    if (cut == std::string_view::npos)
        cut = installedFile.rfind('\\');
    if (cut != std::string_view::npos)
        name = installedFile.substr(cut + 1);

    const std::string relative =
        std::string(productKey) + "/" + std::string(release) + "/" + std::string(name);
    EnsureHomeVariable();
    if (auto hit = searchWritableSetupFile(relative)) {
        out = *hit;
        return true;
    }
    auto home = variable("HOME");
    if (!home)
        return false;
    if (auto hit = searchWritableSetupFile(relative)) {
        out = *hit;
        return true;
    }

    std::string folder = *home + "/" + install::kSetupFolder;
    ensureFolder(folder);
    folder += "/" + std::string(productKey);
    ensureFolder(folder);
    folder += "/" + std::string(release);
    ensureFolder(folder);
    if (_access(folder.c_str(), 6) != 0) {
        SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (_access(folder.c_str(), 6) != 0) {
            // A home that cannot take the copy: the temporary folder (which ends in a
            // separator) gets it instead.
            std::array<char, MAX_PATH + 1> temp{};
            DWORD n = GetTempPathA(static_cast<DWORD>(temp.size()), temp.data());
            folder = (n > 0 && n < temp.size()) ? std::string(temp.data()) : std::string();
            folder += std::string(release);
            ensureFolder(folder);
        }
    }

    const std::string copy = folder + "/" + std::string(name);
    if (_access(copy.c_str(), 0) != 0) {
        // Never overwrite: a user's copy, once made, is theirs. The copy keeps the installed
        // file's read-only bit on Windows, so it is cleared.
        const std::string source(installedFile);
        CopyFileA(source.c_str(), copy.c_str(), TRUE);
        SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Opening for appending creates an empty file when the copy failed, and proves that the
    // copy can be written.
    FILE* file = kvcrt::fopen(copy.c_str(), "a");
    if (!file)
        return false;
    std::fclose(file);
    out = copy;
    return true;
}

void EnsureHomeVariable() {
    if (kvcrt::getenv("HOME"))
        return;
    auto homePath = variable("HOMEPATH");
    if (!homePath)
        return;
    // HOMEPATH is a folder without its drive; the family's tools have always assumed C:
    // rather than consulting HOMEDRIVE.
    putVariable("HOME", homePath->find(':') != std::string::npos ? *homePath : "C:" + *homePath);
}

void EnsureToolsOnPath() {
    auto& cache = InstallEnvironmentCache::instance();
    if (cache.pathChecked)
        return;
    cache.pathChecked = true;
    auto path = variable("Path");
    if (!path || kvcrt::getenv(install::kPathMarker))
        return;
    // Environment names are case-insensitive on Windows: "Path" is whatever spelling the
    // process inherited.
    putVariable("Path", hostFolder() + ";" + *path);
    putVariable(install::kPathMarker, "TRUE");
}

LONG BeginPerUserRegistration() {
    if (kvcrt::getenv(install::kRegisterInMachineSwitch) || IsUserAdmin())
        return 1;
    putVariable("OAPERUSERTLIBREG", "1");
    // The automation library's per-user switch exists only on newer Windows; where the
    // library is not loaded (always, on this platform) the variable above has to do.
    if (HMODULE automation = GetModuleHandleA("oleaut32.dll")) {
        using EnableFn = void (*)(void);
        if (auto enable = reinterpret_cast<EnableFn>(reinterpret_cast<void*>(
                GetProcAddress(automation, "OaEnablePerUserTLibRegistration"))))
            enable();
    }
    HKEY clsid = nullptr;
    LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\CLASSES\\CLSID", 0, KEY_READ, &clsid);
    if (result != ERROR_SUCCESS)
        result = RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\CLASSES\\CLSID", 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &clsid, nullptr);
    if (result == ERROR_SUCCESS)
        RegCloseKey(clsid);
    HKEY classes = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes", 0, KEY_ALL_ACCESS, &classes) ==
        ERROR_SUCCESS) {
        // The override keeps its own reference; the handle can go.
        RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
        RegCloseKey(classes);
    }
    return result;
}

void EndPerUserRegistration() {
    if (kvcrt::getenv(install::kRegisterInMachineSwitch) || IsUserAdmin())
        return;
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
}

bool IsUserAdmin() {
    if (kvcrt::getenv(install::kDisableAdminSwitch))
        return false;
    // The superuser is this platform's member of the built-in Administrators group.
    return ::geteuid() == 0;
}

std::string ModuleIdentification() {
    return std::string(kIdentMarker) + " " + kModuleName + " " + kVersionTag + " " + buildDate();
}

bool GetVersionText(std::string& out) {
    const std::string ident = ModuleIdentification();
    // A build without a release number calls itself "Unreleased" in the release's place.
    std::string release = kVersionRelease;
    if (release.empty())
        release = "Unreleased";
    out = release + "-" + kVersionBuild + " (" + word(ident, 2) + ") " + word(ident, 3);
    return true;
}
