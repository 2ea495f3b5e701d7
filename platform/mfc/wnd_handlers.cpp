// CWnd's default message handlers: each passes its message on to the window's previous
// procedure (Default()), except the owner-draw and colour messages, which a parent first
// reflects to the framework object of the control they are about (so a CButton or CListBox
// subclass draws itself), and WM_NCDESTROY, after which the object lets go of the window.
#include "afxwin.h"
#include "thread_state.h"

int CWnd::OnCreate(LPCREATESTRUCTA) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnNcMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}

void CWnd::OnNcDestroy() {
    // The previous procedure frees its own state on WM_NCDESTROY, so it sees it first.
    Default();
    HWND hwnd = m_hWnd;
    if (hwnd && *GetSuperWndProcAddr() &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == &AfxWndProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*GetSuperWndProcAddr()));
    }
    *GetSuperWndProcAddr() = nullptr;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
    Detach();
    PostNcDestroy();  // may delete this
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT) {
    LRESULT result = 0;
    if (wnd && ReflectLastMsg(wnd->m_hWnd, &result)) {
        return reinterpret_cast<HBRUSH>(result);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT* draw) {
    if (draw && draw->CtlType != ODT_MENU && ReflectLastMsg(draw->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int id, MEASUREITEMSTRUCT* measure) {
    // WM_MEASUREITEM names the control by id only.
    if (measure && measure->CtlType != ODT_MENU && m_hWnd) {
        if (HWND control = ::GetDlgItem(m_hWnd, id); control && ReflectLastMsg(control)) {
            return;
        }
    }
    Default();
}

int CWnd::OnCompareItem(int, COMPAREITEMSTRUCT* compare) {
    LRESULT result = 0;
    if (compare && ReflectLastMsg(compare->hwndItem, &result)) {
        return static_cast<int>(result);
    }
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, DELETEITEMSTRUCT* del) {
    if (del && del->CtlType != ODT_MENU && ReflectLastMsg(del->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnHelp() {
    // The help topic of the nearest framework dialog that has a help id, as the framework's
    // HID_BASE_RESOURCE + id; without one, the help file's contents.
    for (HWND hwnd = m_hWnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hwnd));
            dialog && dialog->m_nIDHelp) {
            WinHelp(HID_BASE_RESOURCE + dialog->m_nIDHelp, HELP_CONTEXT);
            return;
        }
    }
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(0, HELP_FINDER);
    }
}

void CWnd::WinHelp(DWORD_PTR data, UINT cmd) {
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(data, cmd);
    }
}
