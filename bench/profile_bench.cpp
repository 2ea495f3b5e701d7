// Benchmarks of the private-profile functions on a 10,000-key INI file: repeated lookups
// (served from the parsed-file cache) beside one stat and a hash lookup and beside the stat
// alone, the parse a changed file costs beside a bare newline scan, and one write.
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include <sys/stat.h>

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
    const std::string& hostPath() const { return m_host; }

  private:
    std::string m_folder;   // host folder
    std::string m_host;     // host path of the file
    std::string m_windows;  // Windows path of the file
};

// The file of the lookup benchmarks, written once and then left unchanged. Reads trust the
// cached copy of a file only once its change time is a couple of seconds old (see
// stampSettled), so the first use waits until then, as an unchanged file on a user's disk is.
const BenchFile& settledFile() {
    static const BenchFile file;
    static const bool settled = [] {
        std::this_thread::sleep_for(std::chrono::nanoseconds(kvwin32::internal::kStampSettleNs) +
                                    std::chrono::milliseconds(200));
        return true;
    }();
    benchmark::DoNotOptimize(settled);
    return file;
}

// Keys spread over the file, in the case the file does not use.
std::vector<std::string> lookupKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < 64; ++i)
        keys.push_back("KEY" + std::to_string(i * 151 % kKeys));
    return keys;
}

void BM_GetPrivateProfileStringCached(benchmark::State& state) {
    const BenchFile& file = settledFile();
    const std::vector<std::string> keys = lookupKeys();
    char buffer[64];
    std::size_t next = 0;
    for (auto _ : state) {
        const DWORD n = GetPrivateProfileStringA("keys", keys[next].c_str(), "", buffer,
                                                 sizeof buffer, file.windowsPath());
        benchmark::DoNotOptimize(n);
        next = (next + 1) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetPrivateProfileStringCached);

// Baseline for the cached lookup: one stat of the same file and one lookup in a hash map of
// its 10,000 keys (already folded to lower case, as a dictionary of a parsed file would be).
void BM_StatAndHashLookup(benchmark::State& state) {
    const BenchFile& file = settledFile();
    std::unordered_map<std::string, std::string> values;
    for (int i = 0; i < kKeys; ++i)
        values.emplace("key" + std::to_string(i), "value number " + std::to_string(i));
    std::vector<std::string> keys = lookupKeys();
    for (std::string& key : keys)
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t next = 0;
    for (auto _ : state) {
        struct stat st {};
        const int statResult = ::stat(file.hostPath().c_str(), &st);
        benchmark::DoNotOptimize(statResult);
        auto it = values.find(keys[next]);
        benchmark::DoNotOptimize(it);
        next = (next + 1) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatAndHashLookup);

// The floor under any lookup that sees every change of the file: the one stat of it alone.
// A lookup can be no faster than this while it asks the file system on every call.
void BM_StatOnly(benchmark::State& state) {
    const BenchFile& file = settledFile();
    for (auto _ : state) {
        struct stat st {};
        const int statResult = ::stat(file.hostPath().c_str(), &st);
        benchmark::DoNotOptimize(statResult);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatOnly);

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
void BM_IniNewlineScan(benchmark::State& state) {
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
BENCHMARK(BM_IniNewlineScan);

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
