// The variable filter's matcher on adversarial patterns: many stars before a piece that never
// comes, question marks, and long pieces, on names of 10 000 "a" whose ends match the pattern's
// ends, so that the whole name must be scanned. A backtracking matcher
// takes exponential or quadratic time on these; this one scans each name a bounded number of
// times, so the bytes per second stay of one order whatever the pattern.
#include <string>

#include <benchmark/benchmark.h>

#include "pages/measurements/Wildcard.h"

namespace {

const char* const kPatterns[] = {
    "A*",                               // the everyday prefix filter
    "*a*a*a*a*b",                       // ends at once: no b at the end
    "a*a*a*a*b*a",                      // stars before a letter that never comes
    "a*a*a*a*a*a*a*a*a*a*a*a*a*a*b*a",  // more of them
    "?*?a?*?a?*?a?*?a?*b*?",            // question marks between the stars
    "a*aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab*a",  // a piece that almost matches
    "a*aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab*a",  // two
                                                                                           // words
};

void BM_WildcardAdversarial(benchmark::State& state) {
    const WildcardPattern pattern(kPatterns[state.range(0)]);
    const std::string name(10000, 'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(pattern.matches(name));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(name.size()));
    state.SetLabel(kPatterns[state.range(0)]);
}
BENCHMARK(BM_WildcardAdversarial)->DenseRange(0, 6);

// Compiling and matching once, as a single call does.
void BM_WildcardOneCall(benchmark::State& state) {
    const std::string name = "V(X_AMP.X_STAGE2.Q17:B)";
    for (auto _ : state) {
        benchmark::DoNotOptimize(WildcardMatch("*a*a*a*a*b", name));
    }
}
BENCHMARK(BM_WildcardOneCall);

}  // namespace
