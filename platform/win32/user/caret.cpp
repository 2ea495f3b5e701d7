// The caret of each thread (CreateCaret, ShowCaret, SetCaretPos ...) and where it shows for a
// live screen. A caret is made hidden; ShowCaret and HideCaret count, as on Windows, and only
// the owner may show or hide it. DestroyCaret, or creating another, removes the old one.
#include <algorithm>

#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_caret.h"

namespace {

struct Caret {
    HWND owner = nullptr;  // null: no caret
    int width = 0;
    int height = 0;
    POINT position{};  // client coordinates of the owner
    int hidden = 0;    // HideCaret calls not yet undone; made hidden (1)
};

Caret& threadCaret() {
    thread_local Caret caret;
    return caret;
}

}  // namespace

extern "C" BOOL CreateCaret(HWND hwnd, HBITMAP /*bitmap*/, int width, int height) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // A zero size means the system's: a line one pixel wide, the dialog font's height.
    Caret& caret = threadCaret();
    caret = Caret{};
    caret.owner = hwnd;
    caret.width = width > 0 ? std::min(width, 64) : 1;
    caret.height = height > 0 ? std::min(height, 256) : 13;
    caret.hidden = 1;
    return TRUE;
}

extern "C" BOOL DestroyCaret(void) {
    Caret& caret = threadCaret();
    if (caret.owner == nullptr) {
        return FALSE;
    }
    caret = Caret{};
    return TRUE;
}

extern "C" BOOL ShowCaret(HWND hwnd) {
    Caret& caret = threadCaret();
    if (caret.owner == nullptr || (hwnd != nullptr && hwnd != caret.owner) || caret.hidden == 0) {
        return FALSE;
    }
    --caret.hidden;
    return TRUE;
}

extern "C" BOOL HideCaret(HWND hwnd) {
    Caret& caret = threadCaret();
    if (caret.owner == nullptr || (hwnd != nullptr && hwnd != caret.owner)) {
        return FALSE;
    }
    ++caret.hidden;
    return TRUE;
}

extern "C" BOOL SetCaretPos(int x, int y) {
    Caret& caret = threadCaret();
    if (caret.owner == nullptr) {
        return FALSE;
    }
    caret.position = POINT{x, y};
    return TRUE;
}

extern "C" BOOL GetCaretPos(LPPOINT point) {
    if (point == nullptr) {
        return FALSE;
    }
    *point = threadCaret().position;
    return TRUE;
}

extern "C" UINT GetCaretBlinkTime(void) {
    return 530;  // Windows' default, in milliseconds
}

namespace kvwin32 {

bool caretOnWindow(HWND top, RECT& rect) {
    const Caret& caret = threadCaret();
    if (caret.owner == nullptr || caret.hidden > 0 || !IsWindow(caret.owner) ||
        !IsWindowVisible(caret.owner) || GetAncestor(caret.owner, GA_ROOT) != top) {
        return false;
    }
    POINT at = caret.position;
    ClientToScreen(caret.owner, &at);
    RECT window{};
    GetWindowRect(top, &window);
    // The caret shows inside its owner's client area only.
    RECT client{};
    GetClientRect(caret.owner, &client);
    POINT origin{0, 0};
    ClientToScreen(caret.owner, &origin);
    const RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    RECT shown{at.x, at.y, at.x + caret.width, at.y + caret.height};
    shown = RECT{std::max(shown.left, area.left), std::max(shown.top, area.top),
                 std::min(shown.right, area.right), std::min(shown.bottom, area.bottom)};
    if (shown.left >= shown.right || shown.top >= shown.bottom) {
        return false;
    }
    rect = RECT{shown.left - window.left, shown.top - window.top, shown.right - window.left,
                shown.bottom - window.top};
    return true;
}

}  // namespace kvwin32
