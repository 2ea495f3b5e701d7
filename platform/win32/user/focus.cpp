// Keyboard focus, activation, enabling and mouse capture, each kept per thread as Windows
// keeps them with the thread's input state.
#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

bool isChildStyle(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

// Moves the focus with WM_KILLFOCUS (wParam: the window getting it) to the old window, then
// WM_SETFOCUS (wParam: the window that lost it) to the new one unless the first message
// already moved the focus elsewhere.
HWND moveFocus(HWND hwnd) {
    ThreadInput& input = threadInput();
    HWND previous = input.focus;
    if (previous == hwnd) {
        return previous;
    }
    input.focus = hwnd;
    if (previous && IsWindow(previous)) {
        callWindow(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd && threadInput().focus == hwnd && IsWindow(hwnd)) {
        callWindow(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

// Windows announces an application switch to every top-level window of the thread.
void sendActivateApp(bool active) {
    for (HWND top : childrenOf(desktopWindow())) {
        Window* w = windowRecord(top);
        if (w && w->threadId == GetCurrentThreadId()) {
            callWindow(top, WM_ACTIVATEAPP, active, 0);
        }
    }
}

// The sequence of Windows: the old window hears WM_NCACTIVATE(FALSE) and
// WM_ACTIVATE(WA_INACTIVE), the new one WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE); each
// names the other in lParam. Then, when asked, the focus follows if it is not already inside
// the new window.
bool changeActiveWindow(HWND hwnd, bool takeFocus) {
    ThreadInput& input = threadInput();
    HWND previous = input.active;
    if (previous == hwnd) {
        return true;
    }
    if (previous && IsWindow(previous)) {
        callWindow(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd));
    }
    threadInput().active = hwnd;
    if (previous == nullptr || hwnd == nullptr) {
        sendActivateApp(hwnd != nullptr);
    }
    if (previous && IsWindow(previous)) {
        callWindow(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd && IsWindow(hwnd)) {
        callWindow(hwnd, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
        callWindow(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    }
    if (takeFocus && threadInput().active == hwnd) {
        HWND focus = threadInput().focus;
        if (hwnd == nullptr || focus == nullptr || GetAncestor(focus, GA_ROOT) != hwnd) {
            moveFocus(hwnd);
        }
    }
    return true;
}

// A window can be activated when it is a visible, enabled top-level window of the thread.
bool canActivate(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    return w && !isChildStyle(w->style) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
           w->threadId == GetCurrentThreadId() && !w->destroying;
}

}  // namespace

bool activateWindow(HWND hwnd) {
    return changeActiveWindow(hwnd, true);
}

// Windows hands the activation to a popup's owner first, then to the next window below in
// z-order; when none can take it, nothing is active.
void activateOtherWindow(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    HWND next = nullptr;
    if (w && (w->style & WS_POPUP) && w->owner) {
        HWND owner = GetAncestor(w->owner, GA_ROOT);
        if (canActivate(owner)) {
            next = owner;
        }
    }
    for (HWND below = hwnd; next == nullptr && (below = GetWindow(below, GW_HWNDNEXT));) {
        if (canActivate(below)) {
            next = below;
        }
    }
    changeActiveWindow(next, true);
}

void forgetWindowInput(HWND hwnd) {
    ThreadInput& input = threadInput();
    if (input.focus == hwnd) {
        input.focus = nullptr;
    }
    if (input.active == hwnd) {
        input.active = nullptr;
    }
    if (input.capture == hwnd) {
        input.capture = nullptr;
    }
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HWND SetFocus(HWND hwnd) {
    if (hwnd == nullptr) {
        return moveFocus(nullptr);
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    if (w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (threadInput().focus == hwnd) {
        return hwnd;
    }
    // A window inside a disabled or minimized window, or a child cut off from a top-level
    // window, cannot take the focus. Hidden windows can.
    HWND top = hwnd;
    for (Window* t = w;; t = windowRecord(top)) {
        if (t->style & (WS_MINIMIZE | WS_DISABLED)) {
            return nullptr;
        }
        if (!isChildStyle(t->style)) {
            break;
        }
        if (isRootWindow(t->parent)) {
            return nullptr;
        }
        top = t->parent;
    }
    if (top != threadInput().active) {
        if (!changeActiveWindow(top, false) || !IsWindow(hwnd)) {
            return nullptr;
        }
    }
    return moveFocus(hwnd);
}

extern "C" HWND GetFocus() {
    return threadInput().focus;
}

extern "C" HWND SetActiveWindow(HWND hwnd) {
    HWND previous = threadInput().active;
    if (hwnd) {
        Window* w = windowOrError(hwnd);
        if (w == nullptr) {
            return nullptr;
        }
        // Child windows are never active; Windows answers the active window without error.
        if (isChildStyle(w->style)) {
            return previous;
        }
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
    }
    changeActiveWindow(hwnd, true);
    return previous;
}

extern "C" HWND GetActiveWindow() {
    return threadInput().active;
}

// One desktop, one foreground: the active window of the calling thread.
extern "C" HWND GetForegroundWindow() {
    return threadInput().active;
}

extern "C" BOOL SetForegroundWindow(HWND hwnd) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr || w->threadId != GetCurrentThreadId()) {
        return FALSE;
    }
    return changeActiveWindow(GetAncestor(hwnd, GA_ROOT), true) ? TRUE : FALSE;
}

extern "C" BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable) {
        if (wasDisabled) {
            setStyleBits(*w, 0, WS_DISABLED);
            callWindow(hwnd, WM_ENABLE, TRUE, 0);
        }
        return wasDisabled;
    }
    // Windows cancels modes (capture, tracking) before disabling, even when already disabled.
    callWindow(hwnd, WM_CANCELMODE, 0, 0);
    if ((w = windowRecord(hwnd)) == nullptr) {
        return wasDisabled;
    }
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (!wasDisabled) {
        setStyleBits(*w, WS_DISABLED, 0);
        // A disabled window cannot keep the focus; a focused child of it keeps it, as on
        // Windows.
        if (threadInput().focus == hwnd) {
            SetFocus(nullptr);
        }
        callWindow(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

extern "C" BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = windowOrError(hwnd);
    return w && !(w->style & WS_DISABLED);
}

extern "C" HWND SetCapture(HWND hwnd) {
    ThreadInput& input = threadInput();
    HWND previous = input.capture;
    if (hwnd && windowOrError(hwnd) == nullptr) {
        return nullptr;
    }
    if (previous == hwnd) {
        return previous;
    }
    input.capture = hwnd;
    if (previous && IsWindow(previous)) {
        callWindow(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

extern "C" BOOL ReleaseCapture() {
    SetCapture(nullptr);
    return TRUE;
}

extern "C" HWND GetCapture() {
    return threadInput().capture;
}
