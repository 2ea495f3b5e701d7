// Modal loops of a thread. A modal loop (a dialog box, a property sheet run modally, a
// framework's modal loop) names the window it runs for while it runs, so that the thread knows
// which window a person is answering, even when it has no owner to disable.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <vector>

#include "kvwin32/windef.h"

namespace kvwin32 {

// Names a window as the one the calling thread's innermost modal loop runs for, for the
// object's lifetime.
class ModalLoopScope {
  public:
    explicit ModalLoopScope(HWND window);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

  private:
    HWND m_window;
};

// The windows of the calling thread's running modal loops, outermost first.
std::vector<HWND> modalLoopWindows();

}  // namespace kvwin32

#pragma GCC visibility pop
