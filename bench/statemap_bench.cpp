// Reading a 100 MB "state_map" beside a bare scan for line ends of the same file in the same
// run: the reader should cost a small multiple of the scan (under four times).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "pages/analysis/StateMap.h"

namespace {

// A file removed when the program ends.
struct TemporaryFile {
    std::string path;
    ~TemporaryFile() {
        if (!path.empty()) {
            std::remove(path.c_str());
        }
    }
};

// A 100 MB map written once: records of the three kinds, other records, CR LF line ends.
const std::string& mapFile() {
    static const TemporaryFile file{[] {
        const std::string name = (std::filesystem::temp_directory_path() /
                                  ("kvbench_state_map." + std::to_string(getpid())))
                                     .string();
        std::FILE* file = std::fopen(name.c_str(), "wb");
        if (file == nullptr) {
            return std::string();
        }
        static const char* const kinds[] = {"SINT", "TP", "RINT", "NOTE", "sint"};
        std::string block;
        std::uint64_t written = 0;
        for (std::uint32_t i = 0; written < 100'000'000; ++i) {
            block += kinds[i % 5];
            block += " p" + std::to_string(i) + " " + std::to_string(i % 9973) + ".5e-6";
            block += i % 7 == 0 ? "\r\n"
                                : (i % 5 == 3 ? "  real " + std::to_string(i) + "\n" : " 12.5\n");
            if (block.size() > (1 << 20)) {
                written += std::fwrite(block.data(), 1, block.size(), file);
                block.clear();
            }
        }
        std::fclose(file);
        return name;
    }()};
    return file.path;
}

void BM_StateMapRead(benchmark::State& state) {
    mapFile();  // written before the clock runs
    for (auto _ : state) {
        std::FILE* file = std::fopen(mapFile().c_str(), "rb");
        if (file == nullptr) {
            state.SkipWithError("cannot open the map");
            return;
        }
        StateMap map = ParseStateMap(file);
        std::fclose(file);
        benchmark::DoNotOptimize(map.simulationCount());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(mapFile())));
}
BENCHMARK(BM_StateMapRead)->Unit(benchmark::kMillisecond);

// The floor: the same file read in the same blocks, counting its LFs.
void BM_StateMapNewlineScan(benchmark::State& state) {
    std::vector<char> block(1 << 16);
    for (auto _ : state) {
        std::FILE* file = std::fopen(mapFile().c_str(), "rb");
        if (file == nullptr) {
            state.SkipWithError("cannot open the map");
            return;
        }
        std::size_t lines = 0;
        std::size_t got = 0;
        while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
            for (const char* p = block.data();
                 (p = static_cast<const char*>(std::memchr(p, '\n', got - (p - block.data())))) !=
                 nullptr;
                 ++p) {
                ++lines;
            }
        }
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(mapFile())));
}
BENCHMARK(BM_StateMapNewlineScan)->Unit(benchmark::kMillisecond);

}  // namespace
