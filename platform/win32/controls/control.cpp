// What every control's window procedure shares: state records, parent notifications, fonts,
// colours and the clipboard text (see internal/control.h).
#include "internal/control.h"

namespace kvwin32::internal {

void detachState(HWND hwnd) {
    if (Window* w = windowRecord(hwnd)) {
        w->controlState.reset();
    }
}

int controlId(HWND control) {
    return static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
}

void notifyParent(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        return;
    }
    const auto id = static_cast<WORD>(controlId(control));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

LRESULT notifyParentNm(HWND control, NMHDR& header, UINT code) {
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(controlId(control));
    header.code = code;
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        return 0;
    }
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

HBRUSH controlColors(HWND control, HDC dc, UINT ctlColorMessage) {
    HWND parent = GetParent(control);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    const auto lParam = reinterpret_cast<LPARAM>(control);
    LRESULT brush = parent ? SendMessageA(parent, ctlColorMessage, wParam, lParam) : 0;
    if (brush == 0) {
        brush = DefWindowProcA(parent ? parent : control, ctlColorMessage, wParam, lParam);
    }
    return reinterpret_cast<HBRUSH>(brush);
}

LRESULT setControlFont(HWND control, ControlState& state, WPARAM font, LPARAM redraw) {
    state.font = reinterpret_cast<HFONT>(font);
    if (LOWORD(redraw)) {
        InvalidateRect(control, nullptr, TRUE);
    }
    return 0;
}

bool isControlEnabled(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & WS_DISABLED) == 0;
}

// The horizontal codes are the vertical ones by other names (SB_LINELEFT is SB_LINEUP...).
std::optional<long long> scrollRequestTarget(WPARAM request, long long current, long long page,
                                             long long last) {
    switch (LOWORD(request)) {
        case SB_LINEUP:
            return current - 1;
        case SB_LINEDOWN:
            return current + 1;
        case SB_PAGEUP:
            return current - page;
        case SB_PAGEDOWN:
            return current + page;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            return HIWORD(request);
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return last;
        default:
            return std::nullopt;
    }
}

int wheelRows(int& remain, WPARAM wParam, int perNotch) {
    const int delta = static_cast<short>(HIWORD(wParam));
    if (remain != 0 && (delta < 0) == (remain < 0)) {
        remain += delta;
    } else {
        remain = delta;
    }
    if (perNotch <= 0) {
        return 0;
    }
    const int rows = perNotch * remain / WHEEL_DELTA;
    remain -= WHEEL_DELTA * rows / perNotch;
    return rows;
}

void drawBitmapInRect(HDC dc, HBITMAP bitmap, const RECT& rect, bool center) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) != sizeof info) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = rect.left;
    int y = rect.top;
    if (center && info.bmWidth <= width) {
        x += (width - info.bmWidth) / 2;
    }
    if (center && info.bmHeight <= height) {
        y += (height - info.bmHeight) / 2;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (old != nullptr) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        RestoreDC(dc, saved);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

ClipboardText& ClipboardText::instance() {
    static ClipboardText clipboard;
    return clipboard;
}

namespace {

// One arrow in a colour, offset by (dx, dy): rows (or columns) of 7, 5, 3 and 1 pixels.
void fillArrow(HDC dc, const RECT& rect, ArrowDirection direction, HBRUSH brush, int dx, int dy) {
    const int cx = (rect.left + rect.right) / 2 + dx;
    const int cy = (rect.top + rect.bottom) / 2 + dy;
    for (int step = 0; step < 4; ++step) {
        RECT line{};
        switch (direction) {
            case ArrowDirection::Down:
                line = RECT{cx - 3 + step, cy - 2 + step, cx + 4 - step, cy - 1 + step};
                break;
            case ArrowDirection::Up:
                line = RECT{cx - 3 + step, cy + 1 - step, cx + 4 - step, cy + 2 - step};
                break;
            case ArrowDirection::Right:
                line = RECT{cx - 2 + step, cy - 3 + step, cx - 1 + step, cy + 4 - step};
                break;
            case ArrowDirection::Left:
                line = RECT{cx + 1 - step, cy - 3 + step, cx + 2 - step, cy + 4 - step};
                break;
        }
        FillRect(dc, &line, brush);
    }
}

}  // namespace

void drawArrowGlyph(HDC dc, const RECT& rect, ArrowDirection direction, bool enabled) {
    if (enabled) {
        fillArrow(dc, rect, direction, GetSysColorBrush(COLOR_BTNTEXT), 0, 0);
        return;
    }
    fillArrow(dc, rect, direction, GetSysColorBrush(COLOR_3DHILIGHT), 1, 1);
    fillArrow(dc, rect, direction, GetSysColorBrush(COLOR_3DSHADOW), 0, 0);
}

void drawArrowButton(HDC dc, const RECT& rect, ArrowDirection direction, bool pushed,
                     bool enabled) {
    RECT face = rect;
    FillRect(dc, &face, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &face, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT glyph = rect;
    if (pushed) {
        OffsetRect(&glyph, 1, 1);
    }
    drawArrowGlyph(dc, glyph, direction, enabled);
}

void drawDisabledText(HDC dc, const std::string& text, RECT rect, UINT format) {
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF color = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, color);
    SetBkMode(dc, mode);
}

}  // namespace kvwin32::internal
