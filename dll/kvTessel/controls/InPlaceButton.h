// CInPlaceButton: the "..." browse button at the right end of CListBoxEx's in-place edit. A
// click and the loss of the focus are reported to its notify window (the list) with
// "ipc_CtrlMsg", and so is Escape.
#pragma once

#include <afxwin.h>

class CInPlaceButton : public CButton {
  public:
    // Creates the button (always a child).
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnKillFocus(CWnd* newWnd);
    DECLARE_MESSAGE_MAP()

  private:
    // A click is being reported (a second click meanwhile is ignored).
    BOOL m_busy = FALSE;
    // The window reports go to: the parent named in the creation parameters.
    HWND m_notify = nullptr;
    // Focus-loss reports are held back while a click is being reported (the browse hook may
    // open a window that takes the focus).
    BOOL m_holdFocusReports = FALSE;
};
