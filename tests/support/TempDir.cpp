#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "kvwin32/drives.h"

namespace kvtest {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "kvtest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_host = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only entries behind; make everything removable first.
    for (auto it = fs::recursive_directory_iterator(m_host, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(m_host, ec);
}

std::string TempDir::win() const {
    auto w = kvwin32::windowsFromHost(m_host);
    if (!w)
        throw std::runtime_error("temporary folder is on no drive: " + m_host);
    return *w;
}

std::string TempDir::host(std::string_view name) const {
    return m_host + "/" + std::string(name);
}

std::string TempDir::win(std::string_view name) const {
    std::string w = win() + "\\" + std::string(name);
    for (char& c : w)
        if (c == '/')
            c = '\\';
    return w;
}

void TempDir::write(std::string_view name, std::string_view bytes) const {
    fs::path p = host(name);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::read(std::string_view name) const {
    return readHostFile(host(name));
}

void TempDir::mkdir(std::string_view name) const {
    fs::create_directories(host(name));
}

std::string readHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace kvtest
