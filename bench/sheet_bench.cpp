// Benchmarks of what a host pays around the sheet: reading and writing a whole profile as
// kvhost's JSON, and creating, showing and destroying the modeless "Simulation Settings" sheet
// on it (every page built from its template, the General page loaded from the profile).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "ProfileJson.h"
#include "kvTessel/Exports.h"
#include "kvwin32/winuser.h"

namespace {

// A profile with every sub-record present, as a complete host would hand over.
kvhost::ProfileDocument completeProfile() {
    kvhost::Result<kvhost::ProfileDocument> doc =
        kvhost::ProfileDocument::fromJson(kvhost::ProfileDocument::schemaJson(true));
    if (!doc) {
        std::abort();
    }
    SimProfile& profile = doc.value().profile();
    profile.general->profileName = "bench";
    profile.general->circuitMode = 1;
    profile.general->inputEditable = 1;
    profile.general->designFile = "C:\\bench\\amp.cir";
    profile.profileDir = "C:\\bench\\profiles\\bench";
    return std::move(doc).value();
}

void BM_ProfileJsonRoundTrip(benchmark::State& state) {
    const std::string text = completeProfile().dump();
    for (auto _ : state) {
        kvhost::Result<kvhost::ProfileDocument> doc = kvhost::ProfileDocument::parse(text);
        benchmark::DoNotOptimize(doc.value().dump());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ProfileJsonRoundTrip);

// Dispatches what is posted, as a host's loop does while the modeless sheet exists.
void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (DllPreTranslateMessage(&msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void BM_OpenAndCloseModelessSheet(benchmark::State& state) {
    kvhost::ProfileDocument doc = completeProfile();
    for (auto _ : state) {
        CSimPropertySheet* sheet = DllCreateModelessDialog(&doc.profile(), nullptr, 1);
        DllShowModelessDialog(sheet, SETTINGS_SHOW_NORMAL);
        pump();
        benchmark::DoNotOptimize(DllIsDialogDisplayed(sheet));
        DllDeleteModelessDialog(sheet);
        pump();
    }
}
BENCHMARK(BM_OpenAndCloseModelessSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
