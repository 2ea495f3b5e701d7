// The Monte Carlo parameter file check on a generated 100 MB table (a header of eight names,
// then rows of eight values with unit letters), beside a bare scan of the same bytes for line
// ends: the check should stay within a small factor of reading the file at all.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "pages/analysis/MCWCParamFile.h"

namespace {

const std::string& tableFile() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "kvbench_params.mcp").string();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::string chunk = "* generated parameter table\nR1 R2 C1 C2 L1 Q1BF Q2BF VT\n";
        std::size_t written = 0;
        unsigned state = 7;
        std::string row;
        while (written < 100u << 20) {
            row.clear();
            for (int c = 0; c < 8; ++c) {
                state = state * 1664525u + 1013904223u;
                row += std::to_string(state >> 20);
                row += c % 3 == 0 ? "k" : (c % 3 == 1 ? "u" : "");
                row += c < 7 ? (c % 2 == 0 ? " " : ",\t") : "\r\n";
            }
            chunk += row;
            if (chunk.size() > (1u << 20)) {
                written += std::fwrite(chunk.data(), 1, chunk.size(), out);
                chunk.clear();
            }
        }
        written += std::fwrite(chunk.data(), 1, chunk.size(), out);
        std::fclose(out);
        return file;
    }();
    return path;
}

void BM_ParameterFileCheck(benchmark::State& state) {
    const std::string& path = tableFile();
    const ParameterFileTexts texts{": name - ", ": value - "};
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        auto error = CheckParameterStream(file, path, texts);
        std::fclose(file);
        benchmark::DoNotOptimize(error);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ParameterFileCheck)->Unit(benchmark::kMillisecond);

// Reading the same bytes and counting line ends, and nothing else.
void BM_NewlineScan(benchmark::State& state) {
    const std::string& path = tableFile();
    std::vector<char> block(1 << 20);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::size_t lines = 0;
        std::size_t got;
        while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
            for (const char *p = block.data(), *end = p + got;
                 (p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr; ++p) {
                ++lines;
            }
        }
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_NewlineScan)->Unit(benchmark::kMillisecond);

}  // namespace
