// Costs of the window manager's hot paths: sending a message, a post and its retrieval, and
// creating and destroying a child window.
#include <benchmark/benchmark.h>

#include "kvwin32/winuser.h"

namespace {

LRESULT benchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        return static_cast<LRESULT>(wParam + 1);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND benchWindow(HWND parent = nullptr) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = benchProc;
        wc.lpszClassName = "KvBench";
        return RegisterClassA(&wc);
    }();
    return CreateWindowExA(0, MAKEINTATOM(atom), "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10,
                           parent, nullptr, nullptr, nullptr);
}

void BM_SendMessage(benchmark::State& state) {
    HWND hwnd = benchWindow();
    WPARAM n = 0;
    for (auto _ : state) {
        n = static_cast<WPARAM>(SendMessageA(hwnd, WM_USER, n, 0));
    }
    benchmark::DoNotOptimize(n);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SendMessage);

void BM_PostAndPeek(benchmark::State& state) {
    HWND hwnd = benchWindow();
    MSG msg;
    for (auto _ : state) {
        PostMessageA(hwnd, WM_USER, 0, 0);
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageA(&msg);
    }
    DestroyWindow(hwnd);
}
BENCHMARK(BM_PostAndPeek);

void BM_CreateDestroyChild(benchmark::State& state) {
    HWND parent = benchWindow();
    for (auto _ : state) {
        DestroyWindow(benchWindow(parent));
    }
    DestroyWindow(parent);
}
BENCHMARK(BM_CreateDestroyChild);

}  // namespace
