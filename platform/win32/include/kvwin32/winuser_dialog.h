// The dialog manager of user32: dialogs made from DLGTEMPLATE / DLGTEMPLATEEX templates, modal
// and modeless, the default dialog procedure, dialog units, keyboard navigation between the
// controls of a dialog and the check-box helpers, with the Windows names, values and semantics.
// The dialog's extra bytes (DWLP_MSGRESULT, DWLP_DLGPROC, DWLP_USER, DLGWINDOWEXTRA) are in
// kvwin32/winuser.h with the other window data offsets.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

extern "C" {

// A dialog procedure: TRUE when it handled the message (its answer then lies in
// DWLP_MSGRESULT, except for the messages that return their answer directly), FALSE to let
// the dialog manager do the default.
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The class of dialogs.
#define WC_DIALOG "#32770"

// ---- Templates --------------------------------------------------------------------------------
// The fixed header of a DLGTEMPLATE; menu, class, title, font and the DLGITEMTEMPLATEs follow
// as variable-length, WORD- and DWORD-aligned fields. A DLGTEMPLATEEX starts with the WORDs
// 1, 0xFFFF instead and is read from the same pointer type.
#pragma pack(push, 2)
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
};
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
};
#pragma pack(pop)
using LPDLGTEMPLATEA = DLGTEMPLATE*;
using LPCDLGTEMPLATEA = const DLGTEMPLATE*;
using LPDLGITEMTEMPLATEA = DLGITEMTEMPLATE*;

// ---- Messages of the dialog manager ------------------------------------------------------------
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
// The high word of a DM_GETDEFID answer when the dialog has a default push button.
#define DC_HASDEFID 0x534B

// WM_NEXTDLGCTL (kvwin32/winuser.h): wParam is the control to focus when lParam is TRUE;
// otherwise the next (wParam 0) or previous (wParam non-zero) tab stop.

// ---- Creating dialogs ---------------------------------------------------------------------------

// Creates a modeless dialog from the template resource `templateName` of the instance; the
// dialog, or null when the template is missing or bad or creation failed. WM_INITDIALOG gets
// initParam.
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                        LPARAM initParam);
// As CreateDialogParamA from a template in memory.
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam);
#define CreateDialogA(inst, name, parent, proc) CreateDialogParamA(inst, name, parent, proc, 0)
#define CreateDialogIndirectA(inst, tmpl, parent, proc) \
    CreateDialogIndirectParamA(inst, tmpl, parent, proc, 0)

// Creates a modal dialog, disables its owner and runs its message loop until EndDialog; the
// value given to EndDialog, or -1 when the dialog could not be made (0 for a bad owner).
// When the input ends inside the loop the dialog is cancelled (IDCANCEL).
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                        LPARAM initParam);
// As DialogBoxParamA from a template in memory.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam);
#define DialogBoxA(inst, name, parent, proc) DialogBoxParamA(inst, name, parent, proc, 0)
#define DialogBoxIndirectA(inst, tmpl, parent, proc) \
    DialogBoxIndirectParamA(inst, tmpl, parent, proc, 0)

// Ends a modal dialog with a result once its procedure returns (the loop then destroys it);
// hides a modeless one. FALSE for a window that is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);

// The dialog class's window procedure: calls the dialog procedure kept at DWLP_DLGPROC and
// does the default for what it leaves.
LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Dialog units -------------------------------------------------------------------------------

// Converts a rectangle from the dialog's units to pixels (horizontal x*cx/4, vertical y*cy/8
// with the base units of the dialog's font); FALSE for a window that is not a dialog.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The base units of the system font: width in the low word, height in the high word.
LONG GetDialogBaseUnits();

// ---- Buttons of a dialog
// -------------------------------------------------------------------------

// Sets a button's check state (BM_SETCHECK); the button notifies nothing.
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
// A button's check state (BM_GETCHECK), 0 when there is no such button.
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks the button `checkId` and clears every other button with an id in first..last.
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);

// ---- Keyboard navigation
// -------------------------------------------------------------------------

// The next (or previous) visible, enabled WS_TABSTOP control after `control` in tab order,
// entering child dialogs that have WS_EX_CONTROLPARENT; wraps around; `control` null starts
// at the beginning (end).
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control of `control`'s group (WS_GROUP starts a
// group), wrapping within the group.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// Handles a message meant for the dialog or one of its controls as the dialog's keyboard
// interface (Tab, arrows, Enter, Escape, access keys); TRUE when it handled (and dispatched)
// the message, which the caller must then not dispatch again.
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
#define IsDialogMessage IsDialogMessageA

}  // extern "C"

#pragma GCC visibility pop
