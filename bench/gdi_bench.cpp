// Benchmarks of the painting paths a page redraw exercises: fills, text and blits.
#include <benchmark/benchmark.h>

#include "kvwin32/wingdi.h"
#include "kvwin32/winuser_draw.h"

namespace {

// A memory DC with a 32-bit bitmap of the size of a typical property page.
struct Page {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(400, 300, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~Page() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void BM_FillRect(benchmark::State& state) {
    Page page;
    RECT r{0, 0, 400, 300};
    for (auto _ : state) {
        FillRect(page.dc, &r, GetSysColorBrush(COLOR_3DFACE));
    }
    state.SetItemsProcessed(state.iterations() * 400 * 300);
}
BENCHMARK(BM_FillRect);

void BM_DrawTextLabel(benchmark::State& state) {
    Page page;
    RECT r{10, 10, 200, 30};
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawTextA(page.dc, "&Simulation temperature:", -1, &r,
                                           DT_SINGLELINE | DT_VCENTER | DT_LEFT));
    }
}
BENCHMARK(BM_DrawTextLabel);

void BM_DrawEdgeButton(benchmark::State& state) {
    Page page;
    for (auto _ : state) {
        RECT r{20, 20, 95, 43};
        DrawEdge(page.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
}
BENCHMARK(BM_DrawEdgeButton);

void BM_BitBltPage(benchmark::State& state) {
    Page from;
    Page to;
    for (auto _ : state) {
        BitBlt(to.dc, 0, 0, 400, 300, from.dc, 0, 0, SRCCOPY);
    }
    state.SetItemsProcessed(state.iterations() * 400 * 300);
}
BENCHMARK(BM_BitBltPage);

}  // namespace
