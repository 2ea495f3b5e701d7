// The tab control ("SysTabControl32"): its styles, messages, item structure and notifications
// with their Windows values. One row of tabs that scrolls when the tabs are wider than the
// control (the property sheet and the framework's CTabCtrl use it so).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"
#include "kvwin32/commctrl.h"  // TCM_FIRST, TCN_FIRST
#include "kvwin32/styles.h"

#define WC_TABCONTROLA "SysTabControl32"

// The TCS_* styles are in kvwin32/styles.h, where the resource compiler reads them too.

// ---- Messages ----------------------------------------------------------------------------------
#define TCM_GETIMAGELIST (TCM_FIRST + 2)
#define TCM_SETIMAGELIST (TCM_FIRST + 3)
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_GETITEMA (TCM_FIRST + 5)
#define TCM_SETITEMA (TCM_FIRST + 6)
#define TCM_INSERTITEMA (TCM_FIRST + 7)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_SETITEMEXTRA (TCM_FIRST + 14)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)
#define TCM_SETITEMSIZE (TCM_FIRST + 41)
#define TCM_REMOVEIMAGE (TCM_FIRST + 42)
#define TCM_SETPADDING (TCM_FIRST + 43)
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETTOOLTIPS (TCM_FIRST + 45)
#define TCM_SETTOOLTIPS (TCM_FIRST + 46)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCM_SETMINTABWIDTH (TCM_FIRST + 49)
#define TCM_DESELECTALL (TCM_FIRST + 50)
#define TCM_HIGHLIGHTITEM (TCM_FIRST + 51)
#define TCM_SETEXTENDEDSTYLE (TCM_FIRST + 52)
#define TCM_GETEXTENDEDSTYLE (TCM_FIRST + 53)
#define TCM_GETITEM TCM_GETITEMA
#define TCM_SETITEM TCM_SETITEMA
#define TCM_INSERTITEM TCM_INSERTITEMA

// ---- Items -------------------------------------------------------------------------------------
#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_RTLREADING 0x0004
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

#define TCIS_BUTTONPRESSED 0x0001
#define TCIS_HIGHLIGHTED 0x0002

// A tab: mask says which fields count; on TCM_GETITEMA the text is copied into pszText,
// truncated to cchTextMax - 1 characters.
struct TCITEMA {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using LPTCITEMA = TCITEMA*;
using TCITEM = TCITEMA;
using TC_ITEMA = TCITEMA;

// TCM_HITTEST: the point in client coordinates; flags say where it fell.
#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)
struct TCHITTESTINFO {
    POINT pt;
    UINT flags;
};
using LPTCHITTESTINFO = TCHITTESTINFO*;
using TC_HITTESTINFO = TCHITTESTINFO;

// WM_NOTIFY payload of TCN_KEYDOWN.
#pragma pack(push, 1)
struct NMTCKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
#pragma pack(pop)

// ---- Notifications (WM_NOTIFY to the parent) ---------------------------------------------------
#define TCN_KEYDOWN (TCN_FIRST - 0)
// Before the selection changes; a non-zero answer refuses the change.
#define TCN_SELCHANGING (TCN_FIRST - 2)
// After the selection changed.
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_GETOBJECT (TCN_FIRST - 3)
#define TCN_FOCUSCHANGE (TCN_FIRST - 4)

// ---- Message helpers ---------------------------------------------------------------------------
// Windows has these as macros; here they are functions of the same names and arguments, so
// that a call whose answer is not needed compiles without warnings.
inline int TabCtrl_GetItemCount(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}
inline BOOL TabCtrl_GetItem(HWND tab, int index, TCITEMA* item) {
    return static_cast<BOOL>(SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(item)));
}
inline BOOL TabCtrl_SetItem(HWND tab, int index, const TCITEMA* item) {
    return static_cast<BOOL>(SendMessageA(tab, TCM_SETITEMA, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(item)));
}
inline int TabCtrl_InsertItem(HWND tab, int index, const TCITEMA* item) {
    return static_cast<int>(SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(item)));
}
inline BOOL TabCtrl_DeleteItem(HWND tab, int index) {
    return static_cast<BOOL>(SendMessageA(tab, TCM_DELETEITEM, static_cast<WPARAM>(index), 0));
}
inline BOOL TabCtrl_DeleteAllItems(HWND tab) {
    return static_cast<BOOL>(SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0));
}
inline BOOL TabCtrl_GetItemRect(HWND tab, int index, RECT* rect) {
    return static_cast<BOOL>(SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(rect)));
}
inline int TabCtrl_GetCurSel(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}
inline int TabCtrl_SetCurSel(HWND tab, int index) {
    return static_cast<int>(SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0));
}
inline int TabCtrl_HitTest(HWND tab, TCHITTESTINFO* info) {
    return static_cast<int>(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
inline void TabCtrl_AdjustRect(HWND tab, BOOL larger, RECT* rect) {
    SendMessageA(tab, TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}
inline int TabCtrl_GetRowCount(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETROWCOUNT, 0, 0));
}
inline int TabCtrl_GetCurFocus(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
}
inline void TabCtrl_SetCurFocus(HWND tab, int index) {
    SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}
inline HIMAGELIST TabCtrl_SetImageList(HWND tab, HIMAGELIST list) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
}
inline HIMAGELIST TabCtrl_GetImageList(HWND tab) {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(tab, TCM_GETIMAGELIST, 0, 0));
}

#pragma GCC visibility pop
