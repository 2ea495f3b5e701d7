// The in-place edit of CListBoxEx.
#include "InPlaceEdit.h"

#include "InPlaceNotify.h"

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CInPlaceEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const BOOL created = CEdit::Create(
        style | WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN, rect,
        parent, id);
    // A window of a system class is bound to its object once it exists, after WM_CREATE: the
    // notify window is then taken here.
    if (created && m_notify == nullptr) {
        m_notify = ::GetParent(m_hWnd);
    }
    return created;
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCTA create) {
    if (CEdit::OnCreate(create) == -1) {
        return -1;
    }
    m_notify = create->hwndParent;
    return 0;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        InPlaceNotify report{m_hWnd, kInPlaceKey, msg->wParam, msg->pt};
        if (SendInPlaceReport(m_notify, report)) {
            HideInPlaceEditor(*this, m_notify);
        }
        return TRUE;  // both keys stay here: Enter must not press the dialog's default button
    }
    return CEdit::PreTranslateMessage(msg);
}

void CInPlaceEdit::OnKillFocus(CWnd* newWnd) {
    if (IsWindowVisible()) {
        InPlaceNotify report{
            m_hWnd, kInPlaceFocusLost,
            reinterpret_cast<UINT_PTR>(newWnd != nullptr ? newWnd->m_hWnd : nullptr),
            CurrentMessagePoint()};
        if (SendInPlaceReport(m_notify, report)) {
            HideInPlaceEditor(*this, m_notify);
        }
    }
    CEdit::OnKillFocus(newWnd);
}
