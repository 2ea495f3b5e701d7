// csfInitialize and csfSearch: finding setup files along KV_SETUP_PATH.
#include <cstring>
#include <optional>
#include <string_view>

#include "kvwin32/ascii.h"
#include "kvwin32/crt.h"
#include "kvwin32/winbase.h"
#include "tds/csf.h"

namespace {

// The folders of the setup-file search; one list per process.
struct SetupSearch {
    std::optional<std::vector<std::string>> folders;  // nullopt until csfInitialize

    static SetupSearch& instance() {
        static SetupSearch search;
        return search;
    }
};

std::string_view trimEntry(std::string_view entry) {
    entry = kvwin32::ascii::trim(entry);
    if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
        entry = entry.substr(1, entry.size() - 2);
    return entry;
}

std::vector<std::string> readSearchPath() {
    std::vector<std::string> folders;
    const char* value = kvcrt::getenv("KV_SETUP_PATH");
    std::string_view rest = value ? value : "";
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        const std::string_view entry = trimEntry(rest.substr(0, semicolon));
        if (!entry.empty())
            folders.emplace_back(entry);
        rest = semicolon == std::string_view::npos ? "" : rest.substr(semicolon + 1);
    }
    return folders;
}

bool isAbsolute(std::string_view name) {
    return name.front() == '\\' || name.front() == '/' || (name.size() >= 2 && name[1] == ':');
}

// Writes the full path of an existing entry into buffer; false when there is no such entry or
// its full path does not fit.
bool answerIfExists(const std::string& path, char* buffer) {
    if (path.size() >= CSF_PATH_BUFFER_SIZE)
        return false;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD length = GetFullPathNameA(path.c_str(), CSF_PATH_BUFFER_SIZE, buffer, nullptr);
    if (length == 0 || length >= CSF_PATH_BUFFER_SIZE) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

extern "C" int csfInitialize(void) {
    SetupSearch::instance().folders = readSearchPath();
    return 0;
}

extern "C" int csfSearch(const char* name, char* buffer) {
    if (!buffer)
        return CSF_BAD_ARGUMENT;
    buffer[0] = '\0';
    if (!name || !*name)
        return CSF_BAD_ARGUMENT;
    const std::string_view wanted = name;
    if (isAbsolute(wanted))
        return answerIfExists(std::string(wanted), buffer) ? CSF_FOUND : CSF_NOT_FOUND;

    SetupSearch& search = SetupSearch::instance();
    if (!search.folders)
        csfInitialize();
    for (std::string folder : *search.folders) {
        while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
            folder.pop_back();
        if (answerIfExists(folder + "\\" + std::string(wanted), buffer))
            return CSF_FOUND;
    }
    return CSF_NOT_FOUND;
}

namespace tds {

std::vector<std::string> setupSearchFolders() {
    const SetupSearch& search = SetupSearch::instance();
    return search.folders ? *search.folders : std::vector<std::string>{};
}

void resetSetupSearch() {
    SetupSearch::instance().folders.reset();
}

}  // namespace tds
