// File lookup and reading for the resource compiler.
#include "SourceFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include "kvwin32/ascii.h"

namespace kvrc {

namespace fs = std::filesystem;

namespace {

// A file larger than this is not a resource anyone meant to embed.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

// Resolves a relative name component by component under `base`, each tried exactly and then
// by a case-insensitive scan of its folder.
std::optional<fs::path> resolveUnder(const fs::path& base, std::string_view name) {
    std::string normal(name);
    std::replace(normal.begin(), normal.end(), '\\', '/');
    fs::path current = normal.starts_with('/') ? fs::path("/") : base;
    std::error_code ec;
    std::stringstream parts(normal);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == ".")
            continue;
        fs::path exact = current / part;
        if (part == ".." || fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        std::optional<fs::path> found;
        for (auto it = fs::directory_iterator(current, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            if (kvwin32::ascii::equalNoCase(it->path().filename().string(), part)) {
                found = it->path();
                break;
            }
        }
        if (!found)
            return std::nullopt;
        current = *found;
    }
    if (!fs::is_regular_file(current, ec))
        return std::nullopt;
    return current;
}

}  // namespace

SourceFiles::SourceFiles(std::vector<std::string> includeDirs, bool allowFiles)
    : m_includeDirs(std::move(includeDirs)), m_allowFiles(allowFiles) {}

std::optional<std::string> SourceFiles::find(std::string_view name, const std::string& besideDir,
                                             bool searchBeside) const {
    if (!m_allowFiles || name.empty())
        return std::nullopt;
    if (searchBeside)
        if (auto p = resolveUnder(besideDir, name))
            return p->string();
    for (const std::string& dir : m_includeDirs)
        if (auto p = resolveUnder(dir, name))
            return p->string();
    return std::nullopt;
}

std::string SourceFiles::read(const std::string& hostPath, const Location& where) {
    std::error_code ec;
    if (!m_allowFiles || !fs::is_regular_file(hostPath, ec))
        throw RcError(where, "cannot open file '" + hostPath + "'");
    auto size = fs::file_size(hostPath, ec);
    if (ec || size > kMaxFileSize)
        throw RcError(where, "file too large '" + hostPath + "'");
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        throw RcError(where, "cannot open file '" + hostPath + "'");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::string absolute = fs::absolute(hostPath, ec).lexically_normal().string();
    if (std::find(m_dependencies.begin(), m_dependencies.end(), absolute) == m_dependencies.end())
        m_dependencies.push_back(absolute);
    return bytes;
}

std::string folderOf(const std::string& hostPath) {
    fs::path parent = fs::path(hostPath).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

}  // namespace kvrc
