// Benchmarks of painting: the whole "Simulation Settings" sheet (frame, tab control, the
// General page and every control on it, the sheet's buttons) rendered into pixels, as a
// snapshot and every frame of the live window do, and the same picture encoded as PNG.
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "kvTessel/Exports.h"
#include "kvTessel/SimProfile.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"

namespace {

// The sheet's window: the visible top-level window holding a tab control.
HWND sheetWindow() {
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && FindWindowExA(w, nullptr, "SysTabControl32", nullptr)) {
            return w;
        }
    }
    return nullptr;
}

class OpenSheet {
  public:
    OpenSheet() {
        m_general.profileName = "bench";
        m_general.circuitMode = 1;
        m_general.inputEditable = 1;
        m_general.designFile = "C:\\bench\\amp.cir";
        m_general.outputFile = "C:\\bench\\profiles\\bench\\amp.out";
        m_general.waveformFile = "C:\\bench\\profiles\\bench\\amp.dat";
        m_general.notes = "A gain stage with a 1 kHz sine input.";
        m_profile.general = &m_general;
        m_profile.profileDir = "C:\\bench\\profiles\\bench";
        m_sheet = DllCreateModelessDialog(&m_profile, nullptr, 1);
        DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (DllPreTranslateMessage(&msg) == 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        m_window = sheetWindow();
        if (m_window == nullptr) {
            std::abort();
        }
    }
    ~OpenSheet() { DllDeleteModelessDialog(m_sheet); }
    HWND window() const { return m_window; }

  private:
    GeneralSettings m_general;
    SimProfile m_profile;
    CSimPropertySheet* m_sheet = nullptr;
    HWND m_window = nullptr;
};

void BM_RenderWholeSheet(benchmark::State& state) {
    OpenSheet sheet;
    long long pixels = 0;
    for (auto _ : state) {
        const kvwin32::PixelImage image = kvwin32::renderWindow(sheet.window());
        pixels += static_cast<long long>(image.pixels.size());
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderWholeSheet)->Unit(benchmark::kMillisecond);

void BM_EncodeSheetPng(benchmark::State& state) {
    OpenSheet sheet;
    const kvwin32::PixelImage image = kvwin32::renderWindow(sheet.window());
    for (auto _ : state) {
        benchmark::DoNotOptimize(kvwin32::encodePng(image));
    }
}
BENCHMARK(BM_EncodeSheetPng)->Unit(benchmark::kMillisecond);

}  // namespace
