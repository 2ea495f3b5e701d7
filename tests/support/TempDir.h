// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace kvtest {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Host path of the folder, without a trailing "/".
    const std::string& host() const { return m_host; }
    // Windows path of the folder as the drive table sees it, without a trailing "\".
    std::string win() const;
    // Host and Windows paths of a name inside the folder ("a/b.txt" may name a sub-folder).
    std::string host(std::string_view name) const;
    std::string win(std::string_view name) const;

    // Writes a file (creating its folders) with exactly these bytes.
    void write(std::string_view name, std::string_view bytes) const;
    // The bytes of a file, or "<missing>" when it cannot be read.
    std::string read(std::string_view name) const;
    void mkdir(std::string_view name) const;

  private:
    std::string m_host;
};

// The bytes of a host file, or "<missing>".
std::string readHostFile(const std::string& hostPath);

}  // namespace kvtest
