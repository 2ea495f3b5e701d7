// The browse button of CListBoxEx's in-place editor.
#include "InPlaceButton.h"

#include "InPlaceNotify.h"

BEGIN_MESSAGE_MAP(CInPlaceButton, CButton)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CInPlaceButton::Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    const BOOL created = CButton::Create(caption, style | WS_CHILD, rect, parent, id);
    // A window of a system class is bound to its object once it exists, after WM_CREATE: the
    // notify window is then taken here.
    if (created && m_notify == nullptr) {
        m_notify = ::GetParent(m_hWnd);
    }
    return created;
}

int CInPlaceButton::OnCreate(LPCREATESTRUCTA create) {
    if (CButton::OnCreate(create) == -1) {
        return -1;
    }
    m_notify = create->hwndParent;
    return 0;
}

BOOL CInPlaceButton::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        InPlaceNotify report{m_hWnd, kInPlaceKey, VK_ESCAPE, msg->pt};
        SendInPlaceReport(m_notify, report);  // the list closes the editors itself
        return TRUE;
    }
    return CButton::PreTranslateMessage(msg);
}

BOOL CInPlaceButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
        return CButton::OnChildNotify(message, wParam, lParam, result);
    }
    if (!m_busy) {
        m_busy = TRUE;
        m_holdFocusReports = TRUE;
        InPlaceNotify report{nullptr, kInPlaceClicked,
                             static_cast<UINT_PTR>(::GetWindowLongA(m_hWnd, GWL_ID)),
                             CurrentMessagePoint()};
        SendInPlaceReport(m_notify, report);
        m_holdFocusReports = FALSE;
        m_busy = FALSE;
    }
    if (result != nullptr) {
        *result = 0;
    }
    return TRUE;
}

void CInPlaceButton::OnKillFocus(CWnd* newWnd) {
    if (IsWindowVisible() && !m_holdFocusReports) {
        InPlaceNotify report{
            nullptr, kInPlaceFocusLost,
            reinterpret_cast<UINT_PTR>(newWnd != nullptr ? newWnd->m_hWnd : nullptr),
            CurrentMessagePoint()};
        if (SendInPlaceReport(m_notify, report)) {
            HideInPlaceEditor(*this, m_notify);
        }
    }
    CButton::OnKillFocus(newWnd);
}
