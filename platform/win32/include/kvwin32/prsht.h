// Property sheets: a dialog with a tab control, one child dialog per page and the OK, Cancel,
// Apply and Help buttons, driven by the Windows protocol of PSN_* notifications to the pages and
// PSM_* messages to the sheet. Windows names, values, structures and return values.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_dialog.h"
#include "kvwin32/commctrl.h"  // PSN_FIRST

extern "C" {

// A page made by CreatePropertySheetPageA (or by the sheet from a PROPSHEETPAGEA).
struct KvPropSheetPage;
using HPROPSHEETPAGE = KvPropSheetPage*;

#define MAXPROPPAGES 100

// The id of the sheet's Apply button, as the sheet creates it.
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif

// ---- Pages -----------------------------------------------------------------------------------
#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001  // pResource instead of pszTemplate
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008  // pszTitle replaces the template's caption on the tab
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020  // the Help button is enabled while the page is active
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080  // pfnCallback gets PSPCB_CREATE and PSPCB_RELEASE
#define PSP_PREMATURE 0x00000400

// pfnCallback of a page.
#define PSPCB_ADDREF 0
#define PSPCB_RELEASE 1  // the page is being destroyed
#define PSPCB_CREATE 2   // the page's window is about to be made; 0 refuses

struct PROPSHEETPAGEA;
using LPFNPSPCALLBACKA = UINT (*)(HWND hwnd, UINT msg, PROPSHEETPAGEA* page);

// Describes a page; dwSize is the size of the structure the caller filled (a caller may append
// its own data after it: the sheet passes a copy of all dwSize bytes as the page's lParam of
// WM_INITDIALOG).
struct PROPSHEETPAGEA {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    union {
        LPCSTR pszTemplate;
        LPCDLGTEMPLATEA pResource;
    };
    union {
        HICON hIcon;
        LPCSTR pszIcon;
    };
    LPCSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKA pfnCallback;
    UINT* pcRefParent;
};
using LPPROPSHEETPAGEA = PROPSHEETPAGEA*;
using LPCPROPSHEETPAGEA = const PROPSHEETPAGEA*;
using PROPSHEETPAGE = PROPSHEETPAGEA;
using LPCPROPSHEETPAGE = LPCPROPSHEETPAGEA;
#define PROPSHEETPAGEA_V1_SIZE sizeof(PROPSHEETPAGEA)

// ---- Sheets ----------------------------------------------------------------------------------
#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001  // the caption is "Properties for <pszCaption>"
#define PSH_USEHICON 0x00000002
#define PSH_USEICONID 0x00000004
#define PSH_PROPSHEETPAGE 0x00000008  // ppsp, not phpage
#define PSH_WIZARDHASFINISH 0x00000010
#define PSH_WIZARD 0x00000020
#define PSH_USEPSTARTPAGE 0x00000040
#define PSH_NOAPPLYNOW 0x00000080  // no Apply button
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200  // the sheet has a Help button
#define PSH_MODELESS 0x00000400
#define PSH_RTLREADING 0x00000800
#define PSH_WIZARDCONTEXTHELP 0x00001000

// pfnCallback of a sheet.
#define PSCB_INITIALIZED 1  // the sheet's window exists (hwnd); lParam 0
#define PSCB_PRECREATE 2    // lParam is the sheet's DLGTEMPLATE, which may be changed

using PFNPROPSHEETCALLBACK = int (*)(HWND hwnd, UINT msg, LPARAM lParam);

struct PROPSHEETHEADERA {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HINSTANCE hInstance;
    union {
        HICON hIcon;
        LPCSTR pszIcon;
    };
    LPCSTR pszCaption;
    UINT nPages;
    union {
        UINT nStartPage;
        LPCSTR pStartPage;
    };
    union {
        LPCPROPSHEETPAGEA ppsp;
        HPROPSHEETPAGE* phpage;
    };
    PFNPROPSHEETCALLBACK pfnCallback;
};
using LPPROPSHEETHEADERA = PROPSHEETHEADERA*;
using LPCPROPSHEETHEADERA = const PROPSHEETHEADERA*;
using PROPSHEETHEADER = PROPSHEETHEADERA;
#define PROPSHEETHEADERA_V1_SIZE sizeof(PROPSHEETHEADERA)

// ---- Notifications to the pages (WM_NOTIFY, answer in DWLP_MSGRESULT) -------------------------
#define PSN_SETACTIVE (PSN_FIRST - 0)   // 0 accepts, -1 refuses, a page's id or template redirects
#define PSN_KILLACTIVE (PSN_FIRST - 1)  // TRUE refuses to leave the page
#define PSN_APPLY (PSN_FIRST - 2)       // a PSNRET_* answer
#define PSN_RESET (PSN_FIRST - 3)       // the sheet is cancelled
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)  // TRUE refuses the cancel
#define PSN_GETOBJECT (PSN_FIRST - 10)
#define PSN_TRANSLATEACCELERATOR (PSN_FIRST - 12)
#define PSN_QUERYINITIALFOCUS (PSN_FIRST - 13)

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1               // refuses; the sheet activates the page
#define PSNRET_INVALID_NOCHANGEPAGE 2  // refuses; the sheet activates the page
#define PSNRET_MESSAGEHANDLED 3

// The WM_NOTIFY payload of the PSN_* notifications; lParam is TRUE for PSN_APPLY from OK and
// for PSN_RESET from the close box.
struct PSHNOTIFY {
    NMHDR hdr;
    LPARAM lParam;
};
using LPPSHNOTIFY = PSHNOTIFY*;

// ---- Messages to the sheet
// -----------------------------------------------------------------------
#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_REMOVEPAGE (WM_USER + 102)
#define PSM_ADDPAGE (WM_USER + 103)
#define PSM_CHANGED (WM_USER + 104)
#define PSM_RESTARTWINDOWS (WM_USER + 105)
#define PSM_REBOOTSYSTEM (WM_USER + 106)
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#define PSM_QUERYSIBLINGS (WM_USER + 108)
#define PSM_UNCHANGED (WM_USER + 109)
#define PSM_APPLY (WM_USER + 110)
#define PSM_SETTITLEA (WM_USER + 111)
#define PSM_SETWIZBUTTONS (WM_USER + 112)
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_SETCURSELID (WM_USER + 114)
#define PSM_SETFINISHTEXTA (WM_USER + 115)
#define PSM_GETTABCONTROL (WM_USER + 116)
#define PSM_ISDIALOGMESSAGE (WM_USER + 117)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSM_INSERTPAGE (WM_USER + 119)
#define PSM_HWNDTOINDEX (WM_USER + 129)
#define PSM_INDEXTOHWND (WM_USER + 130)
#define PSM_PAGETOINDEX (WM_USER + 131)
#define PSM_INDEXTOPAGE (WM_USER + 132)
#define PSM_IDTOINDEX (WM_USER + 133)
#define PSM_INDEXTOID (WM_USER + 134)
#define PSM_GETRESULT (WM_USER + 135)
#define PSM_SETTITLE PSM_SETTITLEA

// PSM_PRESSBUTTON buttons.
#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6
#define PSBTN_MAX 6

// PSM_SETWIZBUTTONS flags (wizards are not made; the values are for code that names them).
#define PSWIZB_BACK 0x00000001
#define PSWIZB_NEXT 0x00000002
#define PSWIZB_FINISH 0x00000004
#define PSWIZB_DISABLEDFINISH 0x00000008

// What PropertySheetA returns for a modal sheet besides 0 (cancelled, or nothing applied)
// and -1 (error); 1 when changes were applied.
#define ID_PSRESTARTWINDOWS 0x2
#define ID_PSREBOOTSYSTEM (ID_PSRESTARTWINDOWS | 0x1)

// ---- Functions ---------------------------------------------------------------------------------

// Makes a page from its description (copied, dwSize bytes); null when dwSize is too small or
// the page's callback refuses (PSP_USECALLBACK: PSPCB_ADDREF is not sent, as by Windows 95).
HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page);
// Frees a page that no sheet took (PSPCB_RELEASE when it has a callback); FALSE for null.
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);
// Creates a sheet with its pages. Modal: runs it and returns 1 when a page's changes were
// applied, 0 when cancelled with nothing applied, -1 on error. PSH_MODELESS: returns the
// sheet's window at once (the host's loop passes messages through PSM_ISDIALOGMESSAGE and
// destroys the sheet once PSM_GETCURRENTPAGEHWND answers null).
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);

}  // extern "C"

// ---- Message helpers ---------------------------------------------------------------------------
// Windows has these as macros; here they are functions of the same names and arguments, so
// that a call whose answer is not needed compiles without warnings.
inline BOOL PropSheet_SetCurSel(HWND sheet, HPROPSHEETPAGE page, int index) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(page)));
}
inline BOOL PropSheet_SetCurSelByID(HWND sheet, int id) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_SETCURSELID, 0, static_cast<LPARAM>(id)));
}
inline void PropSheet_RemovePage(HWND sheet, int index, HPROPSHEETPAGE page) {
    SendMessageA(sheet, PSM_REMOVEPAGE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(page));
}
inline BOOL PropSheet_AddPage(HWND sheet, HPROPSHEETPAGE page) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(page)));
}
inline BOOL PropSheet_Changed(HWND sheet, HWND page) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0));
}
inline void PropSheet_UnChanged(HWND sheet, HWND page) {
    SendMessageA(sheet, PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
}
inline void PropSheet_CancelToClose(HWND sheet) {
    SendMessageA(sheet, PSM_CANCELTOCLOSE, 0, 0);
}
inline int PropSheet_QuerySiblings(HWND sheet, WPARAM wParam, LPARAM lParam) {
    return static_cast<int>(SendMessageA(sheet, PSM_QUERYSIBLINGS, wParam, lParam));
}
inline void PropSheet_SetTitle(HWND sheet, DWORD style, LPCSTR text) {
    SendMessageA(sheet, PSM_SETTITLEA, style, reinterpret_cast<LPARAM>(text));
}
inline BOOL PropSheet_PressButton(HWND sheet, int button) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0));
}
inline HWND PropSheet_GetTabControl(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
}
inline BOOL PropSheet_IsDialogMessage(HWND sheet, LPMSG msg) {
    return static_cast<BOOL>(
        SendMessageA(sheet, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)));
}
inline HWND PropSheet_GetCurrentPageHwnd(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
inline BOOL PropSheet_Apply(HWND sheet) {
    return static_cast<BOOL>(SendMessageA(sheet, PSM_APPLY, 0, 0));
}
inline void PropSheet_RestartWindows(HWND sheet) {
    SendMessageA(sheet, PSM_RESTARTWINDOWS, 0, 0);
}
inline void PropSheet_RebootSystem(HWND sheet) {
    SendMessageA(sheet, PSM_REBOOTSYSTEM, 0, 0);
}
inline int PropSheet_HwndToIndex(HWND sheet, HWND page) {
    return static_cast<int>(
        SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}
inline HWND PropSheet_IndexToHwnd(HWND sheet, int index) {
    return reinterpret_cast<HWND>(
        SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}
inline int PropSheet_PageToIndex(HWND sheet, HPROPSHEETPAGE page) {
    return static_cast<int>(
        SendMessageA(sheet, PSM_PAGETOINDEX, 0, reinterpret_cast<LPARAM>(page)));
}
inline HPROPSHEETPAGE PropSheet_IndexToPage(HWND sheet, int index) {
    return reinterpret_cast<HPROPSHEETPAGE>(
        SendMessageA(sheet, PSM_INDEXTOPAGE, static_cast<WPARAM>(index), 0));
}
inline int PropSheet_IdToIndex(HWND sheet, int id) {
    return static_cast<int>(SendMessageA(sheet, PSM_IDTOINDEX, 0, static_cast<LPARAM>(id)));
}
inline LRESULT PropSheet_IndexToId(HWND sheet, int index) {
    return SendMessageA(sheet, PSM_INDEXTOID, static_cast<WPARAM>(index), 0);
}
inline LRESULT PropSheet_GetResult(HWND sheet) {
    return SendMessageA(sheet, PSM_GETRESULT, 0, 0);
}

#pragma GCC visibility pop
