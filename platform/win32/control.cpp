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

}  // namespace kvwin32::internal
