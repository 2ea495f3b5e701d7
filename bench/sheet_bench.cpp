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
#include "kvwin32/robot.h"
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

// Opening the modeless sheet on its Analysis page, choosing every analysis type in turn (each
// rebuilds the option list and shows its first dialog) and pressing OK, which validates the
// bias point list and saves all fourteen slots.
void BM_AnalysisPageThroughEveryType(benchmark::State& state) {
    kvhost::ProfileDocument doc = completeProfile();
    doc.profile().transient->runToTime = "1m";
    doc.profile().general->circuitMode = 0;  // a circuit-file profile always opens on General
    kvwin32::Robot robot;
    const auto typeCombo = kvwin32::ControlQuery::byText("Analysis type:");
    const char* types[] = {"DC Sweep", "AC Sweep/Noise", "Time Domain (Transient)", "Bias Point"};
    for (auto _ : state) {
        doc.profile().analysisType = 0;
        CSimPropertySheet* sheet = DllCreateModelessDialog(&doc.profile(), nullptr, 1);
        DllSetActivePage(sheet, 1);
        DllShowModelessDialog(sheet, SETTINGS_SHOW_NORMAL);
        pump();
        for (const char* type : types) {
            if (const auto done = robot.select(typeCombo, kvwin32::ItemQuery::named(type));
                !done.ok()) {
                state.SkipWithError(done.error.c_str());
                break;
            }
            pump();
        }
        if (!robot.click(kvwin32::ControlQuery::byText("OK")).ok()) {
            state.SkipWithError("OK refused");
        }
        pump();
        if (doc.profile().analysisType != 3) {
            state.SkipWithError("OK did not apply the bias point analysis");
        }
        DllDeleteModelessDialog(sheet);
        pump();
    }
}
BENCHMARK(BM_AnalysisPageThroughEveryType)->Unit(benchmark::kMicrosecond);

}  // namespace
