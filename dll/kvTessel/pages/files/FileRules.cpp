// The Configuration Files page's path and list rules.
#include "FileRules.h"

#include <afxwin.h>

#include <array>

#include "InstallEnvironment.h"
#include "PathUtil.h"

namespace {

// The buffer of the platform's full-path call, as the page has always sized it.
constexpr DWORD kFullPathBuffer = 260;

bool beginsWithDot(std::string_view path) {
    return !path.empty() && path.front() == '.';
}

// A base folder followed by a path that begins with ".". A base without a trailing separator
// (profileDir has none) gets one in between, so that ".\x" lands in the folder and "..\x" in
// its parent rather than being glued onto the folder's last name.
std::string joinDotPath(std::string_view base, std::string_view path) {
    std::string joined(base);
    if (!joined.empty() && joined.back() != '\\' && joined.back() != '/') {
        joined += '\\';
    }
    joined += path;
    return joined;
}

}  // namespace

bool HasSeparator(std::string_view text) {
    return text.find_first_of("\\/") != std::string_view::npos;
}

std::string LowerCase(std::string_view text) {
    CString folded(std::string(text).c_str());
    folded.MakeLower();
    return static_cast<LPCSTR>(folded);
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

std::string FullPath(std::string_view path) {
    const std::string name(path);
    std::array<char, kFullPathBuffer> buffer{};
    const DWORD length = ::GetFullPathNameA(name.c_str(), kFullPathBuffer, buffer.data(), nullptr);
    if (length == 0 || length >= kFullPathBuffer) {
        return name;
    }
    return std::string(buffer.data(), length);
}

std::string ResolveDotPath(std::string_view path, std::string_view base, bool hasGeneral) {
    if (beginsWithDot(path)) {
        return hasGeneral ? FullPath(joinDotPath(base, path)) : std::string(path);
    }
    return FullPath(path);
}

std::string MakeAbsolutePath(std::string_view path, std::string_view base) {
    if (path.empty()) {
        return {};
    }
    if (!beginsWithDot(path)) {
        return FullPath(path);
    }
    return base.empty() ? std::string(path) : FullPath(joinDotPath(base, path));
}

std::string MakeRelativePath(std::string_view path, std::string_view base) {
    std::string full = MakeAbsolutePath(path, base);
    std::string fullBase = FullPath(base);
    if (fullBase.empty() || fullBase.back() != '\\') {
        fullBase += '\\';
    }
    full = LowerCase(full);
    fullBase = LowerCase(fullBase);
    if (full.starts_with(fullBase)) {
        return ".\\" + full.substr(fullBase.size());
    }
    // The parent: cut just after the separator before the base's last folder name.
    if (fullBase.size() >= 2) {
        const std::size_t before = fullBase.rfind('\\', fullBase.size() - 2);
        if (before != std::string::npos) {
            const std::string parent = fullBase.substr(0, before + 1);
            if (full.starts_with(parent)) {
                return "..\\" + full.substr(parent.size());
            }
        }
    }
    return std::string(path);
}

namespace {

// The first row showing `text` (ignoring case), as the list view's string search finds it.
const FileRow* firstMatch(std::span<const FileRow> rows, std::string_view text) {
    for (const FileRow& row : rows) {
        if (SameTextIgnoringCase(row.text, text)) {
            return &row;
        }
    }
    return nullptr;
}

bool firstMatchHasScope(std::span<const FileRow> rows, std::string_view text, FileScope scope) {
    const FileRow* row = firstMatch(rows, text);
    return row != nullptr && row->scope == scope;
}

}  // namespace

PresenceAnswer FindPresence(std::span<const FileRow> rows, std::string_view path,
                            const PathBases& bases, bool report) {
    std::string typed(path);
    if (!HasSeparator(typed)) {
        typed = ".\\" + typed;
    }
    PresenceAnswer answer;
    answer.candidate = ResolveDotPath(typed, bases.design, bases.hasGeneral);
    if (report) {
        std::string normalised = answer.candidate;
        PathUtil::normalize(normalised, false);
        if (!PathUtil::exists(normalised)) {
            answer.presence = Presence::missing;
            return answer;
        }
    }
    const bool relative = HasSeparator(answer.candidate) && bases.hasGeneral;
    const std::string designForm =
        relative ? MakeRelativePath(answer.candidate, bases.design) : answer.candidate;
    const std::string profileForm =
        relative ? MakeRelativePath(answer.candidate, bases.profile + "\\") : answer.candidate;

    const bool present =
        firstMatch(rows, answer.candidate) != nullptr ||
        firstMatchHasScope(rows, designForm, FileScope::design) ||
        (bases.profileScope && firstMatchHasScope(rows, profileForm, FileScope::profile)) ||
        firstMatchHasScope(rows, typed, FileScope::global);
    answer.presence = present ? Presence::present : Presence::absent;
    return answer;
}

std::string DesignRowText(std::string_view path, const PathBases& bases) {
    if (HasSeparator(path) && bases.hasGeneral) {
        return MakeRelativePath(path, bases.design);
    }
    return std::string(path);
}

int InsertIndex(FileScope scope, GroupCounts counts) {
    switch (scope) {
        case FileScope::profile:
            return 0;
        case FileScope::design:
            return counts.profile;
        case FileScope::global:
            break;
    }
    return counts.profile + counts.design;
}

int NextSameScope(std::span<const FileScope> scopes, int row) {
    if (row < 0 || row >= static_cast<int>(scopes.size())) {
        return -1;
    }
    for (int i = row + 1; i < static_cast<int>(scopes.size()); ++i) {
        if (scopes[static_cast<std::size_t>(i)] == scopes[static_cast<std::size_t>(row)]) {
            return i;
        }
    }
    return -1;
}

int PreviousSameScope(std::span<const FileScope> scopes, int row) {
    if (row < 0 || row >= static_cast<int>(scopes.size())) {
        return -1;
    }
    for (int i = row - 1; i >= 0; --i) {
        if (scopes[static_cast<std::size_t>(i)] == scopes[static_cast<std::size_t>(row)]) {
            return i;
        }
    }
    return -1;
}

namespace {

std::string withBackslashes(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

}  // namespace

std::vector<FileRow> CategoryRows(std::span<const std::string> global,
                                  std::span<const std::string> design,
                                  std::span<const std::string> profile, const PathBases& bases,
                                  GroupCounts& counts) {
    counts = {};
    std::vector<FileRow> rows;
    for (const std::string& entry : global) {
        rows.push_back({entry, FileScope::global});
    }
    // Stored relative forms are shown re-derived from the folders they are measured from.
    auto shown = [&bases](const std::string& stored, const std::string& base) {
        std::string text = withBackslashes(stored);
        return HasSeparator(text) && bases.hasGeneral ? MakeRelativePath(text, base) : text;
    };
    for (const std::string& entry : design) {
        const auto at = rows.begin() + counts.profile + counts.design;
        rows.insert(at, {shown(entry, bases.design), FileScope::design});
        ++counts.design;
    }
    for (const std::string& entry : profile) {
        rows.insert(rows.begin() + counts.profile,
                    {shown(entry, bases.profile), FileScope::profile});
        ++counts.profile;
    }
    return rows;
}

std::string StoredGlobal(std::string_view shown) {
    return std::string(shown) + "*";
}

std::string ShownGlobal(std::string_view stored) {
    if (!stored.empty() && stored.back() == '*') {
        stored.remove_suffix(1);
    }
    return std::string(stored);
}

std::string LocalizeConfigFile() {
    // The value is read into 261 bytes, as the installation's other readers do.
    constexpr DWORD kValueSize = 261;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, install::kConfigKey, 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        std::array<char, kValueSize + 1> value{};
        DWORD type = REG_NONE;
        DWORD size = kValueSize;
        const LONG error = ::RegQueryValueExA(key, install::kConfigValue, nullptr, &type,
                                              reinterpret_cast<LPBYTE>(value.data()), &size);
        ::RegCloseKey(key);
        if (error == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)) {
            return value.data();
        }
    }
    std::array<char, MAX_PATH + 1> windows{};
    const UINT length = ::GetWindowsDirectoryA(windows.data(), static_cast<UINT>(windows.size()));
    std::string folder = length > 0 && length < windows.size() ? windows.data() : "";
    return folder + "\\ventra.ini";
}

int ReadLocalizeFlag() {
    const std::string file = LocalizeConfigFile();
    return static_cast<int>(::GetPrivateProfileIntA("SIM PROFILE", "LOCALIZE", 1, file.c_str()));
}
