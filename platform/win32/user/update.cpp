// The invalid (update) area of a window: InvalidateRect, ValidateRect, UpdateWindow,
// GetUpdateRect. The area is kept as its bounding rectangle; GetMessageA produces WM_PAINT
// for a visible window that has one, and DefWindowProc's WM_PAINT validates it.
#include <algorithm>

#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::Window;

RECT clientArea(const Window& w) {
    return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

void invalidate(Window& w, const RECT* rect) {
    RECT area = clientArea(w);
    RECT r = area;
    if (rect && !IntersectRect(&r, rect, &area)) {
        return;
    }
    if (IsRectEmpty(&r)) {
        return;
    }
    if (w.hasUpdate) {
        UnionRect(&w.update, &w.update, &r);
    } else {
        w.update = r;
        w.hasUpdate = true;
    }
}

// Validating a part keeps the bounding rectangle of what stays invalid: a band across the
// whole width or height is cut off, anything else in the middle leaves the area as it was.
void validate(Window& w, const RECT* rect) {
    if (!w.hasUpdate) {
        return;
    }
    if (rect == nullptr) {
        w.hasUpdate = false;
        return;
    }
    RECT& u = w.update;
    bool coversWidth = rect->left <= u.left && rect->right >= u.right;
    bool coversHeight = rect->top <= u.top && rect->bottom >= u.bottom;
    if (coversWidth && coversHeight) {
        w.hasUpdate = false;
    } else if (coversWidth && rect->top <= u.top && rect->bottom > u.top) {
        u.top = rect->bottom;
    } else if (coversWidth && rect->bottom >= u.bottom && rect->top < u.bottom) {
        u.bottom = rect->top;
    } else if (coversHeight && rect->left <= u.left && rect->right > u.left) {
        u.left = rect->right;
    } else if (coversHeight && rect->right >= u.right && rect->left < u.right) {
        u.right = rect->left;
    }
    if (IsRectEmpty(&u)) {
        w.hasUpdate = false;
    }
}

void updateTree(HWND hwnd) {
    Window* w = kvwin32::internal::windowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    if (w->hasUpdate && IsWindowVisible(hwnd)) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
    for (HWND child : kvwin32::internal::childrenOf(hwnd)) {
        updateTree(child);
    }
}

}  // namespace

extern "C" BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL /*erase*/) {
    if (hwnd == nullptr) {
        // A null window stands for every window: the top-level ones repaint.
        for (HWND top : kvwin32::internal::childrenOf(GetDesktopWindow())) {
            if (Window* w = kvwin32::internal::windowRecord(top)) {
                invalidate(*w, nullptr);
            }
        }
        return TRUE;
    }
    Window* w = kvwin32::internal::windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    invalidate(*w, rect);
    return TRUE;
}

extern "C" BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = kvwin32::internal::windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    validate(*w, rect);
    return TRUE;
}

extern "C" BOOL UpdateWindow(HWND hwnd) {
    if (kvwin32::internal::windowOrError(hwnd) == nullptr) {
        return FALSE;
    }
    updateTree(hwnd);
    return TRUE;
}

extern "C" BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL /*erase*/) {
    Window* w = kvwin32::internal::windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (rect) {
        *rect = w->hasUpdate ? w->update : RECT{0, 0, 0, 0};
    }
    return w->hasUpdate;
}
