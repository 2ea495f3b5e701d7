// Listing a design's output variables on the Measurements page: 1,000,000 variables, filtered
// with "V(*" and added to a sorted list box as the page does it, beside a bare std::sort of the
// same names. The listing should stay within twice the sort.
//   BM_SortNames            std::sort of the 1,000,000 names (a fresh unsorted copy each time)
//   BM_ListVariables/0      the voltages alone (every one matches "V(*")
//   BM_ListVariables/1      half voltages, the rest currents and power (half match)
//   BM_ListEverything       the filter "*" on the mixed design: all three kinds, each sorted run
//                           landing before or after the ones listed before it
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "kvTessel/MeasurementSettings.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "pages/measurements/VariableListing.h"

namespace {

constexpr std::size_t kVariables = 1000000;

// A name as a simulator writes it: a kind letter, then a node or device path inside
// subcircuits, such as "V(X_AMP3.X_STAGE12.N004711)".
std::string variableName(char kind, std::uint32_t r) {
    std::string name(1, kind);
    name += "(X_AMP" + std::to_string(r % 97) + ".X_STAGE" + std::to_string((r / 97) % 53) +
            (kind == 'V' ? ".N" : ".R") + std::to_string(r % 1000003) + ")";
    return name;
}

// The design: all voltages, or half voltages and a quarter each of currents and power, in
// the shuffled order a host may hand them over.
const MeasurementSettings& design(bool mixed) {
    static MeasurementSettings designs[2];
    MeasurementSettings& d = designs[mixed ? 1 : 0];
    if (d.voltageVars.empty()) {
        std::uint32_t state = 2463534242u;
        for (std::size_t i = 0; i < kVariables; ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const std::size_t quarter = mixed ? i % 4 : 0;
            const char kind = quarter < 2 ? 'V' : (quarter == 2 ? 'I' : 'W');
            OutputVariable v;
            v.name = variableName(kind, static_cast<std::uint32_t>(i) * 7919u + (state % 7));
            (kind == 'V'   ? d.voltageVars
             : kind == 'I' ? d.currentVars
                           : d.powerVars)
                .push_back(std::move(v));
        }
    }
    return d;
}

std::vector<std::string> allNames(const MeasurementSettings& d) {
    std::vector<std::string> names;
    for (const auto* list : {&d.voltageVars, &d.currentVars, &d.powerVars}) {
        for (const OutputVariable& v : *list) {
            names.push_back(v.name);
        }
    }
    return names;
}

HWND sortedList() {
    return CreateWindowExA(0, WC_LISTBOXA, "", WS_POPUP | LBS_SORT | LBS_NOTIFY | WS_VSCROLL, 0, 0,
                           200, 300, nullptr, nullptr, nullptr, nullptr);
}

void BM_SortNames(benchmark::State& state) {
    const std::vector<std::string> names = allNames(design(state.range(0) != 0));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = names;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
        state.PauseTiming();
        copy = {};
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortNames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The page's listing: the filter marks the variables, then each kind's listed names go into
// the list box. Emptying the list box between runs is not timed.
void listWith(benchmark::State& state, const char* filter, bool mixed) {
    MeasurementSettings d = design(mixed);
    HWND list = sortedList();
    int listed = 0;
    for (auto _ : state) {
        MarkListed(d, filter);
        listed = 0;
        for (const VariableKind kind : kVariableKinds) {
            listed += AddListedNames(list, VariablesOf(d, kind));
        }
        benchmark::DoNotOptimize(listed);
        state.PauseTiming();
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        state.ResumeTiming();
    }
    state.counters["listed"] = listed;
    DestroyWindow(list);
}

void BM_ListVariables(benchmark::State& state) {
    listWith(state, "V(*", state.range(0) != 0);
}
BENCHMARK(BM_ListVariables)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ListEverything(benchmark::State& state) {
    listWith(state, "*", true);
}
BENCHMARK(BM_ListEverything)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
