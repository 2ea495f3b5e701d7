// CWnd's thin members: each forwards to the Win32 function of the same name for m_hWnd and
// wraps returned handles with FromHandle. A CWnd without a window answers as Windows does for
// a null handle (0, FALSE, null), never by touching a stale handle.
#include <algorithm>
#include <vector>

#include "afxwin.h"

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const {
    return m_hWnd ? FromHandle(::GetDlgItem(m_hWnd, id)) : nullptr;
}

void CWnd::GetDlgItem(int id, HWND* hwnd) const {
    if (hwnd) {
        *hwnd = m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
    }
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int id) {
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id));
}

CWnd* CWnd::GetParent() const {
    return m_hWnd ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}

CWnd* CWnd::SetParent(CWnd* newParent) {
    return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const {
    return m_hWnd ? FromHandle(::GetWindow(m_hWnd, GW_OWNER)) : nullptr;
}

CWnd* CWnd::GetParentOwner() const {
    HWND hwnd = m_hWnd;
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        hwnd = ::GetParent(hwnd);
    }
    return FromHandle(hwnd);
}

CWnd* CWnd::GetTopLevelParent() const {
    // Up through parents of child windows and owners of the others.
    HWND top = m_hWnd;
    while (top) {
        HWND up = (GetWindowLongA(top, GWL_STYLE) & WS_CHILD) ? ::GetParent(top)
                                                              : ::GetWindow(top, GW_OWNER);
        if (!up) {
            break;
        }
        top = up;
    }
    return FromHandle(top);
}

CWnd* CWnd::GetWindow(UINT cmd) const {
    return m_hWnd ? FromHandle(::GetWindow(m_hWnd, cmd)) : nullptr;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

BOOL CWnd::IsChild(const CWnd* wnd) const {
    return wnd && ::IsChild(m_hWnd, wnd->m_hWnd);
}

void CWnd::SetWindowText(LPCSTR text) {
    ::SetWindowTextA(m_hWnd, text);
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const {
    return ::GetWindowTextA(m_hWnd, buffer, maxCount);
}

void CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(std::max(length, 0)) + 1);
    const int copied = ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    text = CString(buffer.data(), std::max(copied, 0));
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetDlgItemText(int id, LPCSTR text) {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

int CWnd::GetDlgItemText(int id, LPSTR buffer, int maxCount) const {
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, buffer, maxCount));
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    HWND item = m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
    if (item) {
        FromHandle(item)->GetWindowText(text);
    }
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

void CWnd::CheckDlgButton(int id, UINT check) {
    ::SendDlgItemMessageA(m_hWnd, id, BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(::SendDlgItemMessageA(m_hWnd, id, BM_GETCHECK, 0, 0));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id) {
        ::SendDlgItemMessageA(m_hWnd, id, BM_SETCHECK, id == checkId ? BST_CHECKED : 0, 0);
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (int id = firstId; id <= lastId; ++id) {
        HWND item = ::GetDlgItem(m_hWnd, id);
        if (item && ::SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::ShowWindow(int cmdShow) {
    return ::ShowWindow(m_hWnd, cmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
CWnd* CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}
CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}
BOOL CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd);
}
void CWnd::BringWindowToTop() {
    ::BringWindowToTop(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   repaint);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    // The framework's wndTop, wndTopMost ... are CWnd objects whose handles are the HWND_ values.
    HWND after = insertAfter ? insertAfter->m_hWnd : HWND_TOP;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}
void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}
void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd, point);
}
void CWnd::ClientToScreen(LPPOINT point) const {
    ::ClientToScreen(m_hWnd, point);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (rect) {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
    }
}

void CWnd::ClientToScreen(LPRECT rect) const {
    if (rect) {
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
    }
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    if (!m_hWnd) {
        return;
    }
    RECT self{};
    ::GetWindowRect(m_hWnd, &self);
    const bool child = (GetStyle() & WS_CHILD) != 0;
    HWND center = alternateOwner ? alternateOwner->m_hWnd
                                 : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (center) {
        ::GetWindowRect(center, &area);
    }
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    POINT origin{(area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2};
    if (child) {
        ::ScreenToClient(::GetParent(m_hWnd), &origin);
    }
    ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::ValidateRect(LPCRECT rect) {
    ::ValidateRect(m_hWnd, rect);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
void CWnd::SetRedraw(BOOL redraw) {
    ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0);
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

namespace {

BOOL modifyStyle(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    if (!hwnd) {
        return FALSE;
    }
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(hwnd, index));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle) {
        return FALSE;
    }
    ::SetWindowLongA(hwnd, index, static_cast<LONG>(newStyle));
    if (flags != 0) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    }
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return modifyStyle(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return modifyStyle(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr),
                   redraw);
}

CFont* CWnd::GetFont() const {
    auto font = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return font ? CFont::FromHandle(font) : nullptr;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_SETICON, bigIcon ? 1 : 0, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL bigIcon) const {
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bigIcon ? 1 : 0, 0));
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
    if (!caption) {
        caption = AfxGetAppName();
    }
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

BOOL CWnd::IsDialogMessage(LPMSG msg) {
    return ::IsDialogMessageA(m_hWnd, msg);
}
