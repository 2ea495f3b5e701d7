// Where the host tests find their data files (tests/host/data): under the source folder that
// ctest names in KV_TEST_SOURCE_DIR, or beside this header when the program runs on its own
// (the compiler may name this header relative to the build folder, the parent of the test
// program's folder).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kvtest {

// The host path of `name` in tests/host/data.
inline std::string hostDataPath(const std::string& name) {
    if (const char* dir = std::getenv("KV_TEST_SOURCE_DIR"); dir != nullptr && *dir != '\0') {
        return std::string(dir) + "/host/data/" + name;
    }
    std::filesystem::path here = __FILE__;
    if (here.is_relative()) {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        here = exe.parent_path().parent_path() / here;
    }
    return (here.parent_path() / "data" / name).string();
}

// The bytes of a host file, or "<missing>".
inline std::string readDataFile(const std::string& path) {
    std::string out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return "<missing>";
    }
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        out.append(buf, n);
    }
    std::fclose(f);
    return out;
}

}  // namespace kvtest
