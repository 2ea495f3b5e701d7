// The caret: the blinking mark a window with the keyboard focus shows where typing goes. One
// caret a thread, owned by the window that created it, made hidden (ShowCaret shows it; each
// HideCaret needs its ShowCaret), at a position in its owner's client coordinates. The system
// draws it over the window on the screen; it is no part of the window's own painting, so
// pictures of a window (snapshots) do not show it.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

#ifdef __cplusplus
extern "C" {
#endif

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret(void);
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT point);
UINT GetCaretBlinkTime(void);

#ifdef __cplusplus
}

namespace kvwin32 {

// Extension for a live screen: the caret of the calling thread as it shows on a top-level
// window, in that window's coordinates; false when no caret shows there (none, hidden, or
// owned by a window of another top-level window).
bool caretOnWindow(HWND top, RECT& rect);

}  // namespace kvwin32
#endif

#pragma GCC visibility pop
