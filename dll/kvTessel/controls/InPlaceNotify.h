// What an in-place editor (CInPlaceEdit, CInPlaceButton) tells the list it edits for: a key,
// a click of the browse button or the loss of the focus, sent with the registered window
// message "ipc_CtrlMsg" (wParam 0, lParam the report's address). A nonzero reply asks the
// editor to hide itself and give the focus back to the list; zero changes nothing.
#pragma once

#include <afxwin.h>

#include <cstdint>

// Report codes.
enum : std::uint32_t {
    kInPlaceKey = 1,        // Enter or Escape; param is the virtual-key code
    kInPlaceClicked = 2,    // the browse button was clicked; param is its control identifier
    kInPlaceFocusLost = 3,  // param is the window receiving the focus, 0 if none
};

// One report of an in-place editor.
struct InPlaceNotify {
    HWND hwndFrom;       // the edit in its reports and the button's Escape report, else 0
    std::uint32_t code;  // kInPlaceKey, kInPlaceClicked or kInPlaceFocusLost
    UINT_PTR param;      // the key, the button's identifier or the window getting the focus
    POINT pt;            // screen position of the message that caused the report
};

// The registered message number of "ipc_CtrlMsg".
UINT InPlaceMessage();

// Sends `report` to `notify`; true when the reply asks the editor to close.
bool SendInPlaceReport(HWND notify, InPlaceNotify& report);

// Hides an editor that is still visible, without moving, sizing or redrawing it, and gives the
// focus to `notify`.
void HideInPlaceEditor(CWnd& editor, HWND notify);

// The screen position of the message being handled.
POINT CurrentMessagePoint();
