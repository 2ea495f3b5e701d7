// CInPlaceEdit: the edit laid over a row of CListBoxEx while the row is edited. Enter and
// Escape, and the loss of the focus, are reported to its notify window (the list) with
// "ipc_CtrlMsg"; the keys never reach the dialog.
#pragma once

#include <afxwin.h>

class CInPlaceEdit : public CEdit {
  public:
    // Creates the edit with `style` plus the styles of an in-place edit (child, multi-line so
    // that it keeps Enter, auto-scrolling, selection kept when not focused).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL PreTranslateMessage(MSG* msg) override;

    // The window reports go to (the parent at creation).
    HWND notifyWindow() const { return m_notify; }

  protected:
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnKillFocus(CWnd* newWnd);
    DECLARE_MESSAGE_MAP()

  private:
    // The window reports go to: the parent named in the creation parameters.
    HWND m_notify = nullptr;
};
