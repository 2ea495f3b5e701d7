// Window positions and visibility: SetWindowPos and its messages, ShowWindow, rectangles and
// coordinate mapping, hit-testing by point, and the non-client frame the styles give.
#include <algorithm>

#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

bool isChildStyle(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

RECT offsetRect(RECT r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The z-order flags and insert-after window, checked before anything is sent.
bool checkInsertAfter(Window& w, WINDOWPOS& wp) {
    if (wp.flags & SWP_NOZORDER) {
        return true;
    }
    HWND after = wp.hwndInsertAfter;
    if (after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST ||
        after == HWND_NOTOPMOST) {
        return true;
    }
    if (after == w.handle) {
        wp.flags |= SWP_NOZORDER;
        return true;
    }
    Window* other = windowOrError(after);
    if (other == nullptr) {
        return false;
    }
    // Only a sibling can be the window to go after.
    if (other->parent != w.parent) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

// Redundant flags are dropped, as Windows does: an unchanged size or place, a z-order that is
// already right, a show or hide that changes nothing.
void dropRedundantFlags(const Window& w, WINDOWPOS& wp, const RECT& newRect) {
    if (newRect.right - newRect.left == w.window.right - w.window.left &&
        newRect.bottom - newRect.top == w.window.bottom - w.window.top) {
        wp.flags |= SWP_NOSIZE;
    }
    if (newRect.left == w.window.left && newRect.top == w.window.top) {
        wp.flags |= SWP_NOMOVE;
    }
    bool visible = (w.style & WS_VISIBLE) != 0;
    if ((wp.flags & SWP_SHOWWINDOW) && visible) {
        wp.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
    }
    if ((wp.flags & SWP_HIDEWINDOW) && !visible) {
        wp.flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
    }
    if (!(wp.flags & SWP_NOZORDER)) {
        Window* parent = windowRecord(w.parent);
        const auto& list = parent->children;
        HWND after = wp.hwndInsertAfter;
        bool topmostChange = after == HWND_TOPMOST     ? !(w.exStyle & WS_EX_TOPMOST)
                             : after == HWND_NOTOPMOST ? (w.exStyle & WS_EX_TOPMOST) != 0
                                                       : false;
        if (!topmostChange) {
            auto pos = std::find(list.begin(), list.end(), w.handle);
            bool already = (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST)
                               ? pos == list.begin()
                           : after == HWND_BOTTOM ? pos + 1 == list.end()
                                                  : pos != list.begin() && *(pos - 1) == after;
            if (already) {
                wp.flags |= SWP_NOZORDER;
            }
        }
    }
}

}  // namespace

RECT frameInsets(DWORD style, DWORD exStyle) {
    // The outer frame: a static edge alone is one pixel, a dialog or sizing frame has a
    // two-pixel edge, a sizing frame adds the difference to a dialog frame, and a border or
    // dialog frame adds one more line.
    int adjust = 0;
    if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) {
        adjust = 1;
    } else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME))) {
        adjust = 2;
    }
    if (style & WS_THICKFRAME) {
        adjust += GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
    }
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) {
        ++adjust;
    }
    RECT insets{adjust, adjust, adjust, adjust};
    if ((style & WS_CAPTION) == WS_CAPTION) {
        insets.top +=
            GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        insets.left += GetSystemMetrics(SM_CXEDGE);
        insets.right += GetSystemMetrics(SM_CXEDGE);
        insets.top += GetSystemMetrics(SM_CYEDGE);
        insets.bottom += GetSystemMetrics(SM_CYEDGE);
    }
    return insets;
}

RECT clientRectFor(DWORD style, DWORD exStyle, const RECT& window) {
    RECT insets = frameInsets(style, exStyle);
    if (style & WS_VSCROLL) {
        (exStyle & WS_EX_LEFTSCROLLBAR ? insets.left : insets.right) +=
            GetSystemMetrics(SM_CXVSCROLL);
    }
    if (style & WS_HSCROLL) {
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    RECT client{window.left + insets.left, window.top + insets.top, window.right - insets.right,
                window.bottom - insets.bottom};
    // A frame larger than the window leaves an empty client area, never a negative one.
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

POINT clientOrigin(HWND hwnd) {
    POINT origin{0, 0};
    for (Window* w = windowRecord(hwnd); w && !isRootWindow(w->handle);
         w = windowRecord(w->parent)) {
        origin.x += w->client.left;
        origin.y += w->client.top;
    }
    return origin;
}

RECT clientRectInWindow(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return RECT{};
    }
    return offsetRect(w->client, -w->window.left, -w->window.top);
}

void sendSizeAndMove(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    RECT c = w->client;
    callWindow(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    callWindow(hwnd, WM_MOVE, 0, MAKELPARAM(c.left, c.top));
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                             UINT flags) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (isRootWindow(hwnd)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    WINDOWPOS wp{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    if (!checkInsertAfter(*w, wp)) {
        return FALSE;
    }
    if (hwnd == threadInput().active) {
        wp.flags |= SWP_NOACTIVATE;
    } else if (!isChildStyle(w->style) && !(wp.flags & SWP_NOACTIVATE)) {
        // Activating a top-level window brings it to the top.
        wp.flags &= ~static_cast<UINT>(SWP_NOZORDER);
        wp.hwndInsertAfter = HWND_TOP;
    }
    if (wp.flags & SWP_NOMOVE) {
        wp.x = w->window.left;
        wp.y = w->window.top;
    }
    if (wp.flags & SWP_NOSIZE) {
        wp.cx = w->window.right - w->window.left;
        wp.cy = w->window.bottom - w->window.top;
    }
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        callWindow(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if ((w = windowRecord(hwnd)) == nullptr) {
            return FALSE;
        }
    }
    RECT newWindow{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    if (wp.flags & SWP_NOMOVE) {
        newWindow =
            offsetRect(newWindow, w->window.left - newWindow.left, w->window.top - newWindow.top);
    }
    if (wp.flags & SWP_NOSIZE) {
        newWindow.right = newWindow.left + (w->window.right - w->window.left);
        newWindow.bottom = newWindow.top + (w->window.bottom - w->window.top);
    }
    dropRedundantFlags(*w, wp, newWindow);

    RECT oldWindow = w->window;
    RECT oldClient = w->client;
    RECT newClient =
        offsetRect(oldClient, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
    if ((wp.flags & (SWP_FRAMECHANGED | SWP_NOSIZE)) != SWP_NOSIZE) {
        NCCALCSIZE_PARAMS params{{newWindow, oldWindow, oldClient}, &wp};
        callWindow(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if ((w = windowRecord(hwnd)) == nullptr) {
            return FALSE;
        }
        newClient = params.rgrc[0];
    }
    w->window = newWindow;
    w->client = newClient;
    if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
        newClient.bottom - newClient.top == oldClient.bottom - oldClient.top) {
        wp.flags |= SWP_NOCLIENTSIZE;
    }
    if (newClient.left == oldClient.left && newClient.top == oldClient.top) {
        wp.flags |= SWP_NOCLIENTMOVE;
    }
    if (!(wp.flags & SWP_NOZORDER)) {
        if (wp.hwndInsertAfter == HWND_TOPMOST) {
            w->exStyle |= WS_EX_TOPMOST;
        } else if (wp.hwndInsertAfter == HWND_NOTOPMOST) {
            w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        }
        relinkWindow(*w, wp.hwndInsertAfter);
    }
    if (wp.flags & SWP_SHOWWINDOW) {
        setStyleBits(*w, WS_VISIBLE, 0);
    } else if (wp.flags & SWP_HIDEWINDOW) {
        setStyleBits(*w, 0, WS_VISIBLE);
    }
    // A window shown or resized is painted again.
    if (!(wp.flags & SWP_NOREDRAW) &&
        ((wp.flags & SWP_SHOWWINDOW) || !(wp.flags & SWP_NOCLIENTSIZE))) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    if (!(wp.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
        // Children hear WM_CHILDACTIVATE; top-level windows are activated.
        if (isChildStyle(w->style)) {
            callWindow(hwnd, WM_CHILDACTIVATE, 0, 0);
        } else {
            activateWindow(hwnd);
        }
        if ((w = windowRecord(hwnd)) == nullptr) {
            return TRUE;
        }
    }
    constexpr UINT kNoChange =
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE;
    constexpr UINT kStatus = kNoChange | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW;
    // WM_WINDOWPOSCHANGED carries the final place, and is not sent when nothing changed.
    if ((wp.flags & kStatus) != kNoChange) {
        wp.x = w->window.left;
        wp.y = w->window.top;
        wp.cx = w->window.right - w->window.left;
        wp.cy = w->window.bottom - w->window.top;
        callWindow(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    }
    return TRUE;
}

extern "C" BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

extern "C" BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// There are no minimized or maximized windows on the headless desktop: the commands that
// would minimize or maximize show the window as it is (the minimizing ones without
// activating it).
extern "C" BOOL ShowWindow(HWND hwnd, int cmdShow) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool child = (w->style & WS_CHILD) != 0;
    UINT swp = SWP_NOSIZE | SWP_NOMOVE;
    switch (cmdShow) {
        case SW_HIDE:
            if (!wasVisible) {
                return FALSE;
            }
            swp |= SWP_HIDEWINDOW;
            if (child) {
                swp |= SWP_NOACTIVATE | SWP_NOZORDER;
            }
            break;
        case SW_SHOWNOACTIVATE:
            swp |= SWP_NOZORDER;
            [[fallthrough]];
        case SW_SHOWNA:
        case SW_SHOWMINNOACTIVE:
        case SW_MINIMIZE:
        case SW_FORCEMINIMIZE:
            swp |= SWP_NOACTIVATE;
            [[fallthrough]];
        case SW_SHOW:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMAXIMIZED:
            if (wasVisible) {
                return TRUE;
            }
            swp |= SWP_SHOWWINDOW;
            if (child) {
                swp |= SWP_NOACTIVATE | SWP_NOZORDER;
            }
            break;
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
        case SW_RESTORE:
            if (wasVisible) {
                return TRUE;
            }
            // Restoring recomputes the frame, so the window hears WM_NCCALCSIZE.
            swp |= SWP_SHOWWINDOW | SWP_FRAMECHANGED;
            if (child) {
                swp |= SWP_NOACTIVATE | SWP_NOZORDER;
            }
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
    bool show = cmdShow != SW_HIDE;
    if (show != wasVisible || cmdShow == SW_SHOWNA) {
        callWindow(hwnd, WM_SHOWWINDOW, show, 0);
        if ((w = windowRecord(hwnd)) == nullptr) {
            return wasVisible;
        }
    }
    // Under a hidden parent only the style changes: nothing moves on the screen.
    if (!IsWindowVisible(w->parent)) {
        setStyleBits(*w, show ? WS_VISIBLE : 0, show ? 0 : WS_VISIBLE);
    } else {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, swp);
    }
    if (!IsWindow(hwnd)) {
        return wasVisible;
    }
    if (!show) {
        if (hwnd == threadInput().active) {
            activateOtherWindow(hwnd);
        }
        // The focus inside a hidden window goes back to its parent.
        HWND focus = threadInput().focus;
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) {
            HWND parent = GetAncestor(hwnd, GA_PARENT);
            SetFocus(isRootWindow(parent) ? nullptr : parent);
        }
    }
    if ((w = windowRecord(hwnd)) && w->needSize) {
        // The first show of an overlapped window completes its creation.
        w->needSize = false;
        sendSizeAndMove(hwnd);
    }
    return wasVisible;
}

extern "C" BOOL IsWindowVisible(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    for (; w; w = windowRecord(w->parent)) {
        if (!(w->style & WS_VISIBLE)) {
            return FALSE;
        }
        if (isRootWindow(w->handle)) {
            break;
        }
    }
    return TRUE;
}

extern "C" BOOL IsIconic(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

extern "C" BOOL IsZoomed(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

extern "C" BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    POINT origin = clientOrigin(w->parent);
    *rect = offsetRect(w->window, origin.x, origin.y);
    return TRUE;
}

extern "C" BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

extern "C" BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Scroll bars are not part of the adjustment, as Windows documents.
    RECT insets = frameInsets(style, exStyle);
    rect->left -= insets.left;
    rect->top -= insets.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

extern "C" BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

extern "C" int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    if ((from && windowOrError(from) == nullptr) || (to && windowOrError(to) == nullptr)) {
        return 0;
    }
    POINT a = from ? clientOrigin(from) : POINT{0, 0};
    POINT b = to ? clientOrigin(to) : POINT{0, 0};
    LONG dx = a.x - b.x;
    LONG dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

extern "C" BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    if (windowOrError(hwnd) == nullptr || point == nullptr) {
        return FALSE;
    }
    MapWindowPoints(hwnd, nullptr, point, 1);
    return TRUE;
}

extern "C" BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    if (windowOrError(hwnd) == nullptr || point == nullptr) {
        return FALSE;
    }
    MapWindowPoints(nullptr, hwnd, point, 1);
    return TRUE;
}

extern "C" HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
    Window* p = windowOrError(parent);
    if (p == nullptr) {
        return nullptr;
    }
    RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (!contains(client, point)) {
        return nullptr;
    }
    for (HWND child : childrenOf(parent)) {
        Window* c = windowRecord(child);
        if (c == nullptr || !contains(c->window, point)) {
            continue;
        }
        if (((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) ||
            ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) ||
            ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))) {
            continue;
        }
        return child;
    }
    return parent;
}

extern "C" HWND ChildWindowFromPoint(HWND parent, POINT point) {
    return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

// Descends from the desktop through visible windows. A disabled child is never the answer:
// its parent is, as the one the mouse message would reach.
extern "C" HWND WindowFromPoint(POINT point) {
    HWND found = desktopWindow();
    POINT local = point;
    for (;;) {
        HWND next = nullptr;
        for (HWND child : childrenOf(found)) {
            Window* c = windowRecord(child);
            if (c && (c->style & WS_VISIBLE) && contains(c->window, local)) {
                next = child;
                break;
            }
        }
        if (next == nullptr) {
            return found;
        }
        Window* c = windowRecord(next);
        if ((c->style & WS_DISABLED) && isChildStyle(c->style)) {
            return found == desktopWindow() ? next : found;
        }
        found = next;
        local.x = point.x - clientOrigin(found).x;
        local.y = point.y - clientOrigin(found).y;
    }
}
