// A message module and the registration of its catalog files.
#include "sb/SBMessageModule.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "kvwin32/ascii.h"
#include "kvwin32/crt.h"
#include "sb/SBCatalog.h"
#include "sb/SBLibraryMessages.h"
#include "sb/SBMessageManager.h"
#include "sb/SBStatus.h"

namespace {

// The full-path limit of the original; a longer candidate path is not tried.
constexpr std::size_t kMaxPath = 260;

using kvwin32::ascii::equalNoCase;

std::string joinPath(std::string folder, std::string_view name) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    folder += '\\';
    folder += name;
    return folder;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

enum class ReadOutcome { Missing, Failed, Read };

// The bytes of a file, reading at most one byte more than a catalog may hold.
ReadOutcome readFile(const std::string& path, std::string& bytes) {
    // A host path (the library's own folder when no drive covers it) is opened as it stands.
    std::unique_ptr<FILE, FileCloser> file(
        path.starts_with('/') ? std::fopen(path.c_str(), "rb") : kvcrt::fopen(path.c_str(), "rb"));
    if (!file)
        return ReadOutcome::Missing;
    char chunk[8192];
    while (bytes.size() <= sb::kMaxCatalogBytes) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, n);
        if (n < sizeof chunk)
            break;
    }
    return std::ferror(file.get()) ? ReadOutcome::Failed : ReadOutcome::Read;
}

std::string joinFolders(const std::vector<std::string>& folders) {
    std::string list;
    for (const std::string& f : folders)
        list += (list.empty() ? "" : "; ") + f;
    return list.empty() ? "no catalog folder" : list;
}

}  // namespace

SBMessageModule::SBMessageModule(std::string name, SBMessageModule* parent)
    : m_name(std::move(name)), m_parent(parent) {}

bool SBMessageModule::registerCatalog(const char* fileName, SBStatus& status) {
    const std::string_view name = fileName ? fileName : "";
    if (std::any_of(m_catalogs.begin(), m_catalogs.end(),
                    [&](const std::string& c) { return equalNoCase(c, name); }))
        return true;

    SBMessageManager& manager = SBMessageManager::getInstance();
    // A catalog that failed once is reported once; later attempts fail quietly.
    const auto fail = [&](SBMessage report) {
        if (manager.noteFailedCatalog(name))
            status.addMessage(std::move(report));
        return false;
    };

    const std::vector<std::string> folders = manager.catalogFolders();
    for (const std::string& folder : name.empty() ? std::vector<std::string>{} : folders) {
        const std::string path =
            folder.starts_with('/') ? folder + "/" + std::string(name) : joinPath(folder, name);
        if (path.size() >= kMaxPath)
            continue;
        std::string bytes;
        const ReadOutcome outcome = readFile(path, bytes);
        if (outcome == ReadOutcome::Missing)
            continue;
        if (outcome == ReadOutcome::Failed)
            return fail(sb::libraryMessage(sb::LibraryMessage::CatalogMalformed,
                                           {path, std::string("the file cannot be read")}));
        // The first file found is the catalog: a broken one is reported, not skipped.
        sb::CatalogReadResult result = sb::readCatalog(bytes);
        if (!result.catalog)
            return fail(sb::libraryMessage(sb::LibraryMessage::CatalogMalformed,
                                           {path, std::move(result.error)}));
        if (!equalNoCase(result.catalog->module, m_name))
            return fail(sb::libraryMessage(sb::LibraryMessage::CatalogWrongModule,
                                           {path, result.catalog->module, m_name}));
        for (sb::CatalogMessage& m : result.catalog->messages)
            m_messages.try_emplace(m.number, Entry{m.type, std::move(m.text)});
        m_catalogs.emplace_back(name);
        return true;
    }
    return fail(sb::libraryMessage(sb::LibraryMessage::CatalogNotFound,
                                   {std::string(name), joinFolders(folders)}));
}

const SBMessageModule::Entry* SBMessageModule::find(int number) const {
    // Parents are set once per module; a chain that loops back is cut at its length.
    const SBMessageModule* module = this;
    for (int depth = 0; module && depth < 64; ++depth, module = module->m_parent) {
        const auto it = module->m_messages.find(number);
        if (it != module->m_messages.end())
            return &it->second;
    }
    return nullptr;
}
