// Benchmarks of the private-profile functions on a 10,000-key INI file: repeated lookups
// (served from the parsed-file cache), the parse a changed file costs, and one write.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "internal/hostpath.h"
#include "internal/profile_document.h"
#include "kvwin32/winbase.h"

namespace {

constexpr int kKeys = 10000;

std::string iniText() {
    std::string text = "; generated settings\r\n[General]\r\nversion=17\r\n\r\n[Keys]\r\n";
    for (int i = 0; i < kKeys; ++i) {
        text += "Key" + std::to_string(i) + " = value number " + std::to_string(i) + "\r\n";
    }
    text += "[Tail]\r\nlast=1\r\n";
    return text;
}

// A folder holding the benchmark's INI file, removed at exit.
class BenchFile {
  public:
    BenchFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_folder = pattern;
        m_host = m_folder + "/settings.ini";
        rewrite();
        m_windows = *kvwin32::internal::windowsPath(m_host);
    }
    ~BenchFile() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;

    void rewrite() const {
        std::ofstream out(m_host, std::ios::binary | std::ios::trunc);
        const std::string text = iniText();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const char* windowsPath() const { return m_windows.c_str(); }

  private:
    std::string m_folder;   // host folder
    std::string m_host;     // host path of the file
    std::string m_windows;  // Windows path of the file
};

void BM_GetPrivateProfileStringCached(benchmark::State& state) {
    BenchFile file;
    char buffer[64];
    std::string keys[64];
    for (int i = 0; i < 64; ++i)
        keys[i] = "KEY" + std::to_string(i * 151 % kKeys);
    int next = 0;
    for (auto _ : state) {
        const DWORD n = GetPrivateProfileStringA("keys", keys[next].c_str(), "", buffer,
                                                 sizeof buffer, file.windowsPath());
        benchmark::DoNotOptimize(n);
        next = (next + 1) % 64;
    }
}
BENCHMARK(BM_GetPrivateProfileStringCached);

void BM_ParseTenThousandKeys(benchmark::State& state) {
    const std::string text = iniText();
    for (auto _ : state) {
        kvwin32::internal::ProfileDocument document(text);
        benchmark::DoNotOptimize(document.sections().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseTenThousandKeys);

// Baseline for the parse: finding every line end of the same bytes and nothing more.
void BM_NewlineScan(benchmark::State& state) {
    const std::string text = iniText();
    for (auto _ : state) {
        std::size_t lines = 0;
        const char* at = text.data();
        const char* const end = text.data() + text.size();
        while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
            ++lines;
            at = static_cast<const char*>(found) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_NewlineScan);

void BM_WritePrivateProfileString(benchmark::State& state) {
    BenchFile file;
    int round = 0;
    for (auto _ : state) {
        const std::string value = "changed " + std::to_string(round++);
        const BOOL ok =
            WritePrivateProfileStringA("Keys", "Key5000", value.c_str(), file.windowsPath());
        if (!ok)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WritePrivateProfileString)->Unit(benchmark::kMillisecond);

}  // namespace
