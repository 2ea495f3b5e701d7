// Cost of PathUtil::normalize on the kind of names pages receive: a million varied paths,
// generated once and deterministically, cleaned without and with the full-path step, beside a
// plain copy of the same strings; and a million names as users type them.
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

// Names as users type them: a drive, folders and a file with its extension, now and then a
// doubled or forward separator; a dot in every name, but no "." or ".." of its own.
const std::vector<std::string>& typicalPaths() {
    static const std::vector<std::string> paths = [] {
        static const char* const folders[] = {"proj",   "profiles",    "Sim Runs", "lib",
                                              "amp_v2", "checkpoints", "out"};
        static const char* const files[] = {"amp.cir", "p1.sim",   "models.lib",
                                            "run.dat", "bias.out", "netlist.net"};
        static const char* const separators[] = {"\\", "\\", "\\", "/", "\\\\"};
        std::vector<std::string> out;
        out.reserve(1'000'000);
        std::uint32_t state = 54321;
        auto next = [&state](std::uint32_t bound) {
            state = state * 1664525u + 1013904223u;
            return (state >> 8) % bound;
        };
        for (int i = 0; i < 1'000'000; ++i) {
            std::string path = "D:";
            int depth = 1 + static_cast<int>(next(5));
            for (int d = 0; d < depth; ++d) {
                path += separators[next(std::size(separators))];
                path += folders[next(std::size(folders))];
            }
            path += "\\";
            path += files[next(std::size(files))];
            out.push_back(std::move(path));
        }
        return out;
    }();
    return paths;
}

void normalizeEach(benchmark::State& state, const std::vector<std::string>& paths, bool makeFull) {
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
    normalizeEach(state, samplePaths(), false);
}
void BM_NormalizeFull(benchmark::State& state) {
    normalizeEach(state, samplePaths(), true);
}
void BM_NormalizeTypicalText(benchmark::State& state) {
    normalizeEach(state, typicalPaths(), false);
}

}  // namespace

BENCHMARK(BM_CopyPaths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeTypicalText)->Unit(benchmark::kMillisecond);
