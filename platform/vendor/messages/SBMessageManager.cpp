// The process-wide table of message modules and the catalog search folders.
#include "sb/SBMessageManager.h"

#include <algorithm>
#include <dlfcn.h>

#include "kvwin32/ascii.h"
#include "kvwin32/crt.h"
#include "kvwin32/drives.h"

namespace {

// An object of this shared library: its address tells dladdr which file holds the library.
const char kLibraryAnchor = 0;

std::string upper(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return out;
}

std::string lower(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), kvwin32::ascii::toLower);
    return out;
}

// The folder that holds this library's file: its Windows path when a drive covers it, else its
// host path (a program may map its drives elsewhere; the catalogs shipped beside the library
// must still be found).
std::optional<std::string> libraryFolder() {
    Dl_info info{};
    if (!dladdr(&kLibraryAnchor, &info) || !info.dli_fname)
        return std::nullopt;
    std::string host = info.dli_fname;
    const std::size_t slash = host.rfind('/');
    host = slash == std::string::npos ? "." : host.substr(0, slash == 0 ? 1 : slash);
    if (std::optional<std::string> windows = kvwin32::windowsFromHost(host))
        return windows;
    return host;
}

}  // namespace

bool SBMessageManager::initMS() {
    getInstance();
    return true;
}

SBMessageManager& SBMessageManager::getInstance() {
    static SBMessageManager manager;
    return manager;
}

SBMessageModule* SBMessageManager::loadModule(const char* name, SBMessageModule* parent) {
    if (!name || !*name)
        return nullptr;
    std::unique_ptr<SBMessageModule>& slot = m_modules[upper(name)];
    if (!slot)
        slot = std::make_unique<SBMessageModule>(name, parent);
    return slot.get();
}

SBMessageModule* SBMessageManager::findModule(std::string_view name) const {
    const auto it = m_modules.find(upper(name));
    return it == m_modules.end() ? nullptr : it->second.get();
}

void SBMessageManager::setCatalogFolder(std::optional<std::string> folder) {
    m_catalogFolder = std::move(folder);
}

std::vector<std::string> SBMessageManager::catalogFolders() const {
    std::vector<std::string> folders;
    const char* root = kvcrt::getenv("TDSROOT");
    if (root && *root) {
        std::string folder = root;
        while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
            folder.pop_back();
        folders.push_back(folder + "\\tools\\catalogs");
    }
    if (m_catalogFolder) {
        folders.push_back(*m_catalogFolder);
    } else if (std::optional<std::string> beside = libraryFolder()) {
        folders.push_back(*beside);
    }
    return folders;
}

void SBMessageManager::reset() {
    m_modules.clear();
    m_failedCatalogs.clear();
    m_catalogFolder.reset();
}

bool SBMessageManager::noteFailedCatalog(std::string_view fileName) {
    return m_failedCatalogs.insert(lower(fileName)).second;
}
