// DefWindowProcA: what Windows does with the messages a window procedure passes on. Each case
// unpacks the parameters and calls one helper.
#include <algorithm>
#include <cstring>

#include "internal/window.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser_menu.h"

namespace {

using kvwin32::internal::Window;
using kvwin32::internal::windowRecord;

constexpr LPARAM kNotifyFormatQuery = 3;  // NF_QUERY
constexpr LRESULT kNotifyFormatAnsi = 1;  // NFR_ANSI

bool isChild(const Window& w) {
    return (w.style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

// The window text lives in the record; controls that keep their own answer these messages
// themselves.
LRESULT setText(Window& w, LPCSTR text) {
    // An ordinal name (0xFFFF followed by an id, as static icons get) is no text.
    w.text = (text && static_cast<unsigned char>(text[0]) != 0xff) ? text : "";
    return TRUE;
}

LRESULT getText(const Window& w, size_t size, LPSTR buffer) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    size_t n = std::min(w.text.size(), size - 1);
    std::memcpy(buffer, w.text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT nonclientCreate(Window& w, const CREATESTRUCTA* cs) {
    kvwin32::internal::createScrollBars(w);
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        setText(w, cs->lpszName);
    }
    return TRUE;
}

// wParam FALSE: lParam is the window rectangle, to become the client rectangle; TRUE: the
// first rectangle of NCCALCSIZE_PARAMS is.
LRESULT nonclientCalcSize(const Window& w, bool params, LPARAM lParam) {
    if (lParam == 0) {
        return 0;
    }
    RECT* rect = params ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                        : reinterpret_cast<RECT*>(lParam);
    *rect = kvwin32::internal::clientRectFor(w.style, w.exStyle, *rect);
    return 0;
}

// Windows tells a window it moved or changed size from the WM_WINDOWPOSCHANGED it passes on:
// WM_MOVE first, then WM_SIZE, each only when the client area moved or changed size.
LRESULT windowPosChanged(HWND hwnd, const WINDOWPOS* wp) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || wp == nullptr) {
        return 0;
    }
    RECT c = w->client;
    if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(c.left, c.top));
    }
    if (!(wp->flags & SWP_NOCLIENTSIZE) || (wp->flags & SWP_STATECHANGED)) {
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    }
    return 0;
}

LRESULT hitTest(HWND hwnd, POINT screen) {
    RECT window;
    GetWindowRect(hwnd, &window);
    if (!PtInRect(&window, screen)) {
        return HTNOWHERE;
    }
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    RECT clientRect;
    GetClientRect(hwnd, &clientRect);
    if (PtInRect(&clientRect, client)) {
        return HTCLIENT;
    }
    if (LRESULT bar = kvwin32::internal::scrollBarHitTest(hwnd, screen); bar != HTNOWHERE) {
        return bar;
    }
    Window* w = windowRecord(hwnd);
    if ((w->style & WS_CAPTION) == WS_CAPTION && client.y < 0 &&
        client.y >= -GetSystemMetrics(SM_CYCAPTION)) {
        return HTCAPTION;
    }
    return HTBORDER;
}

// Messages a child does not handle go up to its parent (WM_SETCURSOR, WM_MOUSEACTIVATE,
// WM_CONTEXTMENU, WM_HELP, WM_MOUSEWHEEL).
LRESULT askParent(const Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!isChild(w) || w.parent == nullptr) {
        return 0;
    }
    return SendMessageA(w.parent, msg, wParam, lParam);
}

LRESULT mouseActivate(const Window& w, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = askParent(w, WM_MOUSEACTIVATE, wParam, lParam);
    return answer ? answer : MA_ACTIVATE;
}

// Activation gives the keyboard focus to the window itself, unless it is minimized.
LRESULT activate(HWND hwnd, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
        SetFocus(hwnd);
    }
    return 0;
}

// Controls get the colours of their kind: edit fields and list boxes the window colours,
// everything else the 3-D face.
LRESULT controlColor(UINT msg, HDC dc) {
    bool windowColours = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    if (dc) {
        SetTextColor(dc, GetSysColor(windowColours ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(windowColours ? COLOR_WINDOW : COLOR_3DFACE));
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(windowColours ? COLOR_WINDOW : COLOR_3DFACE));
}

LRESULT cancelMode(HWND hwnd) {
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    return 0;
}

// A press on a scroll bar becomes the system command that follows it, as Windows routes it.
LRESULT nonclientButtonDown(HWND hwnd, WPARAM hit, LPARAM point) {
    if (hit == HTVSCROLL) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_VSCROLL + HTVSCROLL, point);
    } else if (hit == HTHSCROLL) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_HSCROLL + HTHSCROLL, point);
    }
    return 0;
}

LRESULT sysCommand(HWND hwnd, WPARAM command, LPARAM point) {
    const POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    switch (command & 0xfff0) {
        case SC_CLOSE:
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_VSCROLL:
            kvwin32::internal::trackScrollBar(hwnd, SB_VERT, screen);
            break;
        case SC_HSCROLL:
            kvwin32::internal::trackScrollBar(hwnd, SB_HORZ, screen);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

extern "C" LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (msg) {
        case WM_NCCREATE:
            return nonclientCreate(*w, reinterpret_cast<CREATESTRUCTA*>(lParam));
        case WM_NCCALCSIZE:
            return nonclientCalcSize(*w, wParam != 0, lParam);
        case WM_SETTEXT:
            return setText(*w, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return getText(*w, wParam, reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_WINDOWPOSCHANGED:
            return windowPosChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_NCHITTEST:
            return hitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_SETCURSOR:
        case WM_CONTEXTMENU:
        case WM_HELP:
        case WM_MOUSEWHEEL:
            return askParent(*w, msg, wParam, lParam);
        case WM_MOUSEACTIVATE:
            return mouseActivate(*w, wParam, lParam);
        case WM_ACTIVATE:
            return activate(hwnd, wParam);
        case WM_NCACTIVATE:
            return TRUE;
        case WM_PAINT:
            ValidateRect(hwnd, nullptr);
            return 0;
        // The class background brush fills the client area; without one (or without a DC)
        // the background counts as not erased.
        case WM_ERASEBKGND:
            return kvwin32::internal::eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return controlColor(msg, reinterpret_cast<HDC>(wParam));
        case WM_CANCELMODE:
            return cancelMode(hwnd);
        case WM_SYSCOMMAND:
            return sysCommand(hwnd, wParam, lParam);
        case WM_NCLBUTTONDOWN:
            return nonclientButtonDown(hwnd, wParam, lParam);
        case WM_NOTIFYFORMAT:
            return lParam == kNotifyFormatQuery ? kNotifyFormatAnsi : 0;
        case WM_GETDLGCODE:
        case WM_PARENTNOTIFY:
        default:
            return 0;
    }
}
