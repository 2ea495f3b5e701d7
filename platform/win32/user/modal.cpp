// The calling thread's stack of running modal loops (Windows keeps such state with the
// thread: a modal loop belongs to the thread that runs it).
#include "kvwin32/modal.h"

#include <algorithm>

namespace kvwin32 {

namespace {

std::vector<HWND>& loops() {
    thread_local std::vector<HWND> windows;
    return windows;
}

}  // namespace

ModalLoopScope::ModalLoopScope(HWND window) : m_window(window) {
    loops().push_back(window);
}

ModalLoopScope::~ModalLoopScope() {
    std::vector<HWND>& windows = loops();
    // Loops end in reverse order; the search keeps the stack right if one ends out of turn.
    const auto it = std::find(windows.rbegin(), windows.rend(), m_window);
    if (it != windows.rend()) {
        windows.erase(std::next(it).base());
    }
}

std::vector<HWND> modalLoopWindows() {
    return loops();
}

}  // namespace kvwin32
