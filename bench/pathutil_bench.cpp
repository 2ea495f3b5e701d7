// Cost of PathUtil::normalize on the kind of names pages receive: a million varied paths,
// generated once and deterministically, cleaned without and with the full-path step, beside a
// plain copy of the same strings.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "PathUtil.h"

namespace {

const std::vector<std::string>& samplePaths() {
    static const std::vector<std::string> paths = [] {
        static const char* const pieces[] = {"sim", "amp", "..",  ".",    "lib",  " out ",
                                             "...", "Cir", "a b", "stim", "ckpt", "x.cir"};
        static const char* const separators[] = {"\\", "/", "//", "\\ ", " /"};
        static const char* const prefixes[] = {"", "C:", "C:\\", "\\\\srv\\share\\", "\\", " \""};
        std::vector<std::string> out;
        out.reserve(1'000'000);
        std::uint32_t state = 12345;
        auto next = [&state](std::uint32_t bound) {
            state = state * 1664525u + 1013904223u;  // a fixed linear congruential sequence
            return (state >> 8) % bound;
        };
        for (int i = 0; i < 1'000'000; ++i) {
            std::string path = prefixes[next(std::size(prefixes))];
            int depth = 1 + static_cast<int>(next(8));
            for (int d = 0; d < depth; ++d) {
                if (d > 0)
                    path += separators[next(std::size(separators))];
                path += pieces[next(std::size(pieces))];
            }
            out.push_back(std::move(path));
        }
        return out;
    }();
    return paths;
}

void normalizePaths(benchmark::State& state, bool makeFull) {
    const auto& paths = samplePaths();
    std::string work;
    for (auto _ : state) {
        for (const auto& p : paths) {
            work = p;
            PathUtil::normalize(work, makeFull);
            benchmark::DoNotOptimize(work.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

// Baseline: the copy of each string that the other benchmarks make before cleaning it.
void BM_CopyPaths(benchmark::State& state) {
    const auto& paths = samplePaths();
    std::string work;
    for (auto _ : state) {
        for (const auto& p : paths) {
            work = p;
            benchmark::DoNotOptimize(work.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

void BM_NormalizeText(benchmark::State& state) {
    normalizePaths(state, false);
}
void BM_NormalizeFull(benchmark::State& state) {
    normalizePaths(state, true);
}

}  // namespace

BENCHMARK(BM_CopyPaths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeFull)->Unit(benchmark::kMillisecond);
