// The standard scroll bars of a window: the state each bar keeps (range, page, position,
// disabled arrows), the functions that set and read it (SetScrollInfo and its kin), showing and
// hiding a bar as its range needs one, the bars' geometry and painting in the classic look, the
// hit test, and following a mouse pressed on a bar (DefWindowProc's SC_VSCROLL / SC_HSCROLL).
//
// A bar shows while its window has WS_VSCROLL / WS_HSCROLL; SetScrollInfo takes the style bit
// off when the range no longer needs a bar and gives it back when it does, and every change of
// the bit recomputes the frame (SWP_FRAMECHANGED), so the client area grows or shrinks by the
// bar and the window hears WM_NCCALCSIZE and WM_SIZE.
//
// Scroll bar controls (class "ScrollBar", SB_CTL) do not exist in this window system: the
// functions refuse SB_CTL, except ShowScrollBar, which shows or hides the window itself as
// Windows does for a control.
#include <algorithm>

#include "internal/control.h"
#include "internal/window.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// The smallest thumb drawn, in pixels along the bar, and the smallest track (between the
// arrows) a thumb is drawn in at all: the classic look's sizes.
constexpr int kMinThumb = 8;
constexpr int kMinTrack = 4;

// Windows takes the structure with or without its last member (nTrackPos, read only).
bool validInfoSize(UINT size) {
    return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int);
}

bool isStandardBar(int bar) {
    return bar == SB_HORZ || bar == SB_VERT;
}

DWORD styleBitOf(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

ScrollBars& barsOf(Window& w) {
    if (!w.scrollBars) {
        w.scrollBars = std::make_shared<ScrollBars>();
    }
    return *w.scrollBars;
}

ScrollBarState& barOf(ScrollBars& bars, int bar) {
    return bar == SB_VERT ? bars.vert : bars.horz;
}

// The greatest position: the page's last line stands on the range's last one.
long long maxPosOf(const ScrollBarState& b) {
    return static_cast<long long>(b.max) -
           std::max<long long>(static_cast<long long>(b.page) - 1, 0);
}

// Whether the range leaves nothing to scroll: empty, or no larger than a page.
bool nothingToScroll(const ScrollBarState& b) {
    return b.min >= b.max || static_cast<long long>(b.page) > static_cast<long long>(b.max) - b.min;
}

// Shows or hides bars (a mask of WS_VSCROLL / WS_HSCROLL) by their style bits; a change
// recomputes the frame. True when a bit changed.
bool setBarsShown(HWND hwnd, DWORD bits, bool show) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return false;
    }
    const DWORD before = w->style;
    setStyleBits(*w, show ? bits : 0, show ? 0 : bits);
    if (w->style == before) {
        return false;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

// ---- Geometry -----------------------------------------------------------------------------------

// A bar's parts along its length, in pixels from the bar's start.
struct BarLayout {
    int length = 0;     // the whole bar
    int arrow = 0;      // each arrow button
    int thumbPos = 0;   // where the thumb starts
    int thumbSize = 0;  // 0 when no thumb shows
};

long long roundedDiv(long long a, long long b) {
    return b == 0 ? 0 : (a >= 0 ? (a + b / 2) / b : (a - b / 2) / b);
}

// The arrows are square; a bar too short for two of them and the smallest track shares its
// length between them, less that track, and has no thumb. The thumb is as long against the
// track as the page against the range (square without a page), never shorter than kMinThumb,
// and placed by the position (by the dragged place while it is dragged); a range with
// nothing to scroll keeps it at the start. A disabled bar or a track too short for the thumb
// shows none.
BarLayout layoutOf(const RECT& rect, bool vertical, const ScrollBarState& b) {
    BarLayout l;
    l.length =
        std::max(0, static_cast<int>(vertical ? rect.bottom - rect.top : rect.right - rect.left));
    const int thickness = vertical ? rect.right - rect.left : rect.bottom - rect.top;
    if (l.length <= 2 * thickness + kMinTrack) {
        l.arrow = l.length > kMinTrack ? (l.length - kMinTrack) / 2 : 0;
        return l;
    }
    l.arrow = thickness;
    const int track = l.length - 2 * l.arrow;
    if ((b.disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH) {
        return l;
    }
    long long size = thickness;
    if (b.page != 0) {
        size = std::max<long long>(roundedDiv(static_cast<long long>(track) * b.page,
                                              static_cast<long long>(b.max) - b.min + 1),
                                   kMinThumb);
    }
    if (size > track) {
        return l;
    }
    const long long maxPos = maxPosOf(b);
    const int at = b.tracking ? b.trackPos : b.pos;
    const long long travel = track - size;
    const long long offset =
        b.min >= maxPos ? 0
                        : roundedDiv((static_cast<long long>(at) - b.min) * travel, maxPos - b.min);
    l.thumbSize = static_cast<int>(size);
    l.thumbPos = l.arrow + static_cast<int>(std::clamp<long long>(offset, 0, travel));
    return l;
}

// The state of a bar for painting and tracking (the default one of a window without state).
ScrollBarState stateFor(HWND hwnd, int bar) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || !w->scrollBars) {
        return ScrollBarState{};
    }
    return barOf(*w->scrollBars, bar);
}

// ---- Painting -----------------------------------------------------------------------------------

// The track in the classic dither of face and highlight.
void paintTrack(HDC dc, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            SetPixel(dc, x, y, GetSysColor((x + y) % 2 ? COLOR_3DFACE : COLOR_3DHILIGHT));
        }
    }
}

void paintBar(HWND hwnd, HDC dc, int bar) {
    RECT rect{};
    if (!scrollBarRect(hwnd, bar, rect)) {
        return;
    }
    const bool vertical = bar == SB_VERT;
    const ScrollBarState b = stateFor(hwnd, bar);
    const BarLayout l = layoutOf(rect, vertical, b);
    // A part of the bar from `from` to `to` along it.
    auto part = [&](int from, int to) {
        return vertical ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                        : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
    };
    // An arrow greys when it is disabled (SIF_DISABLENOSCROLL disables both when there is
    // nothing to scroll).
    drawArrowButton(dc, part(0, l.arrow), vertical ? ArrowDirection::Up : ArrowDirection::Left,
                    false, !(b.disabled & ESB_DISABLE_LTUP));
    drawArrowButton(dc, part(l.length - l.arrow, l.length),
                    vertical ? ArrowDirection::Down : ArrowDirection::Right, false,
                    !(b.disabled & ESB_DISABLE_RTDN));
    paintTrack(dc, part(l.arrow, l.length - l.arrow));
    if (l.thumbSize > 0) {
        // The thumb: a raised button face.
        RECT thumb = part(l.thumbPos, l.thumbPos + l.thumbSize);
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

// ---- Tracking
// -------------------------------------------------------------------------------------

enum class BarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

BarPart partAt(const BarLayout& l, int along) {
    if (along < 0 || along >= l.length) {
        return BarPart::None;
    }
    if (along < l.arrow) {
        return BarPart::LineUp;
    }
    if (along >= l.length - l.arrow) {
        return BarPart::LineDown;
    }
    if (l.thumbSize == 0) {
        // No thumb: the track scrolls by pages towards the half clicked.
        return along < l.length / 2 ? BarPart::PageUp : BarPart::PageDown;
    }
    if (along < l.thumbPos) {
        return BarPart::PageUp;
    }
    return along < l.thumbPos + l.thumbSize ? BarPart::Thumb : BarPart::PageDown;
}

// The position a thumb dragged to start at `thumbStart` (pixels along the bar) stands for.
int positionAt(const BarLayout& l, const ScrollBarState& b, int thumbStart) {
    const long long travel = l.length - 2 * l.arrow - l.thumbSize;
    const long long maxPos = maxPosOf(b);
    if (travel <= 0 || maxPos <= b.min) {
        return b.min;
    }
    const long long offset = std::clamp<long long>(thumbStart - l.arrow, 0, travel);
    return static_cast<int>(b.min + roundedDiv(offset * (maxPos - b.min), travel));
}

// A point of a bar, in pixels along it from its start.
int alongBar(HWND hwnd, int bar, const RECT& rect, POINT screen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    return bar == SB_VERT ? screen.y - window.top - rect.top : screen.x - window.left - rect.left;
}

void sendScroll(HWND hwnd, int bar, WORD code, int pos = 0) {
    SendMessageA(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

void setTracking(HWND hwnd, int bar, bool on, int pos) {
    if (Window* w = windowRecord(hwnd)) {
        ScrollBarState& b = barOf(barsOf(*w), bar);
        b.tracking = on;
        b.trackPos = pos;
    }
}

}  // namespace

void createScrollBars(Window& window) {
    if (window.style & (WS_VSCROLL | WS_HSCROLL)) {
        barsOf(window);
    }
}

bool scrollBarRect(HWND hwnd, int bar, RECT& rect) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || !isStandardBar(bar) || !(w->style & styleBitOf(bar))) {
        return false;
    }
    const RECT client = clientRectInWindow(hwnd);
    if (bar == SB_VERT) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const bool left = (w->exStyle & WS_EX_LEFTSCROLLBAR) != 0;
        rect = RECT{left ? client.left - width : client.right, client.top,
                    left ? client.left : client.right + width, client.bottom};
    } else {
        rect = RECT{client.left, client.bottom, client.right,
                    client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    }
    return true;
}

void paintScrollBars(HWND hwnd, HDC dc) {
    paintBar(hwnd, dc, SB_VERT);
    paintBar(hwnd, dc, SB_HORZ);
    RECT vertical{};
    RECT horizontal{};
    if (scrollBarRect(hwnd, SB_VERT, vertical) && scrollBarRect(hwnd, SB_HORZ, horizontal)) {
        RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_3DFACE));
    }
}

LRESULT scrollBarHitTest(HWND hwnd, POINT screen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    const POINT at{screen.x - window.left, screen.y - window.top};
    RECT rect{};
    if (scrollBarRect(hwnd, SB_VERT, rect) && PtInRect(&rect, at)) {
        return HTVSCROLL;
    }
    if (scrollBarRect(hwnd, SB_HORZ, rect) && PtInRect(&rect, at)) {
        return HTHSCROLL;
    }
    return HTNOWHERE;
}

// A press on an arrow scrolls a line, on the track a page (once: there are no timers to
// repeat it while the button is held); a press on the thumb drags it, with SB_THUMBTRACK for
// each new place and SB_THUMBPOSITION where it is let go. SB_ENDSCROLL ends every press. The
// loop takes the mouse through capture and dispatches whatever else arrives meanwhile; it
// ends when the button is released, the capture is lost, or the input ends.
void trackScrollBar(HWND hwnd, int bar, POINT screen) {
    RECT rect{};
    if (!isStandardBar(bar) || !scrollBarRect(hwnd, bar, rect)) {
        return;
    }
    const ScrollBarState start = stateFor(hwnd, bar);
    const BarLayout l = layoutOf(rect, bar == SB_VERT, start);
    const BarPart part = partAt(l, alongBar(hwnd, bar, rect, screen));
    // The window decides what a press means; only disabled parts take none.
    if (part == BarPart::None || (start.disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH) {
        return;
    }
    if ((part == BarPart::LineUp && (start.disabled & ESB_DISABLE_LTUP)) ||
        (part == BarPart::LineDown && (start.disabled & ESB_DISABLE_RTDN))) {
        return;
    }
    // A window that held the mouse already (a combo box's dropped list) keeps it afterwards.
    const bool heldCapture = GetCapture() == hwnd;
    SetCapture(hwnd);
    const int grip = alongBar(hwnd, bar, rect, screen) - l.thumbPos;  // mouse within the thumb
    int tracked = start.pos;
    switch (part) {
        case BarPart::LineUp:
            sendScroll(hwnd, bar, SB_LINEUP);
            break;
        case BarPart::LineDown:
            sendScroll(hwnd, bar, SB_LINEDOWN);
            break;
        case BarPart::PageUp:
            sendScroll(hwnd, bar, SB_PAGEUP);
            break;
        case BarPart::PageDown:
            sendScroll(hwnd, bar, SB_PAGEDOWN);
            break;
        case BarPart::Thumb:
            setTracking(hwnd, bar, true, tracked);
            break;
        case BarPart::None:
            break;
    }
    bool released = false;
    MSG msg{};
    while (!released && IsWindow(hwnd) && GetCapture() == hwnd) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            }
            break;
        }
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        released = msg.message == WM_LBUTTONUP;
        if (part != BarPart::Thumb) {
            continue;
        }
        POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        ClientToScreen(msg.hwnd, &at);
        RECT now{};
        if (!scrollBarRect(hwnd, bar, now)) {
            break;
        }
        const int pos = positionAt(layoutOf(now, bar == SB_VERT, stateFor(hwnd, bar)),
                                   stateFor(hwnd, bar), alongBar(hwnd, bar, now, at) - grip);
        if (pos != tracked) {
            tracked = pos;
            setTracking(hwnd, bar, true, pos);
            sendScroll(hwnd, bar, SB_THUMBTRACK, pos);
        }
        if (released) {
            setTracking(hwnd, bar, false, 0);
            sendScroll(hwnd, bar, SB_THUMBPOSITION, tracked);
        }
    }
    if (IsWindow(hwnd)) {
        setTracking(hwnd, bar, false, 0);
        if (released) {
            sendScroll(hwnd, bar, SB_ENDSCROLL);
        }
    }
    if (GetCapture() == hwnd && !heldCapture) {
        ReleaseCapture();
    }
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

// Sets the parts of a bar the mask names and keeps them consistent: the range never runs
// backwards, the page is at most the range's size, the position stays where a whole page
// fits. A change of range or page shows the bar when there is something to scroll and hides
// it when there is not, or with SIF_DISABLENOSCROLL keeps it shown and disables it. Every
// picture of a window paints its frame afresh, so there is nothing to redraw here.
extern "C" int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL /*redraw*/) {
    if (!isStandardBar(bar) || info == nullptr || !validInfoSize(info->cbSize)) {
        return 0;
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    ScrollBarState& b = barOf(barsOf(*w), bar);
    if (info->fMask & SIF_RANGE) {
        b.min = info->nMin;
        b.max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) {
        b.page = info->nPage;
    }
    const long long size = static_cast<long long>(b.max) - b.min + 1;
    if (static_cast<long long>(b.page) > size) {
        b.page = static_cast<UINT>(size);
    }
    if (info->fMask & SIF_POS) {
        b.pos = info->nPos;
    }
    b.pos = static_cast<int>(
        std::clamp<long long>(b.pos, b.min, std::max<long long>(maxPosOf(b), b.min)));
    const int pos = b.pos;
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        if (nothingToScroll(b)) {
            if (info->fMask & SIF_DISABLENOSCROLL) {
                b.disabled = ESB_DISABLE_BOTH;
                setBarsShown(hwnd, styleBitOf(bar), true);
            } else {
                setBarsShown(hwnd, styleBitOf(bar), false);
            }
        } else if ((info->fMask & ~SIF_DISABLENOSCROLL) != SIF_PAGE) {
            // A new page alone neither shows nor enables a bar, as on Windows.
            b.disabled = 0;
            setBarsShown(hwnd, styleBitOf(bar), true);
        }
    }
    return pos;
}

extern "C" BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!isStandardBar(bar) || info == nullptr || !validInfoSize(info->cbSize)) {
        return FALSE;
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr || !w->scrollBars) {
        return FALSE;
    }
    const ScrollBarState& b = barOf(*w->scrollBars, bar);
    if (info->fMask & SIF_RANGE) {
        info->nMin = b.min;
        info->nMax = b.max;
    }
    if (info->fMask & SIF_PAGE) {
        info->nPage = b.page;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = b.pos;
    }
    if ((info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO)) {
        info->nTrackPos = b.tracking ? b.trackPos : b.pos;
    }
    return (info->fMask & SIF_ALL) != 0;
}

// The previous position.
extern "C" int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    if (!isStandardBar(bar)) {
        return 0;
    }
    const int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

extern "C" int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

// A range wider than a LONG can hold is refused.
extern "C" BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    if (static_cast<long long>(maxPos) - minPos > 0x7fffffffLL) {
        SetLastError(ERROR_INVALID_SCROLLBAR_RANGE);
        return FALSE;
    }
    if (!isStandardBar(bar) || windowOrError(hwnd) == nullptr) {
        return FALSE;
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

// A window without scroll bars answers an empty range (0, 0).
extern "C" BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    if (minPos == nullptr || maxPos == nullptr || !isStandardBar(bar)) {
        return FALSE;
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    *minPos = 0;
    *maxPos = 0;
    if (w->scrollBars) {
        const ScrollBarState& b = barOf(*w->scrollBars, bar);
        *minPos = b.min;
        *maxPos = b.max;
    }
    return TRUE;
}

extern "C" BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    DWORD bits = 0;
    switch (bar) {
        case SB_CTL:
            ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
            return TRUE;
        case SB_HORZ:
        case SB_VERT:
            bits = styleBitOf(bar);
            break;
        case SB_BOTH:
            bits = WS_HSCROLL | WS_VSCROLL;
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
    barsOf(*w);
    setBarsShown(hwnd, bits, show != FALSE);
    return TRUE;
}

// Disables the arrows named (ESB_ENABLE_BOTH enables both); FALSE when nothing changed.
extern "C" BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ScrollBars& bars = barsOf(*w);
    bool changed = false;
    for (const int one : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && static_cast<int>(bar) != one) {
            continue;
        }
        ScrollBarState& b = barOf(bars, one);
        const UINT now = arrows & ESB_DISABLE_BOTH;
        changed = changed || b.disabled != now;
        b.disabled = now;
    }
    return changed;
}
