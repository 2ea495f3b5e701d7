// The list view control ("SysListView32") in report view: rows of items, each with a text,
// an image from the small image list, a check box from the state image list, a 32-bit value
// and a text per column. Its parent learns of every change with WM_NOTIFY (NMLISTVIEW).
// Messages, notifications, structures and values are those of Windows' common controls;
// styles (LVS_*) are in kvwin32/styles.h.
//
// The user's mouse: a press selects (NM_SETFOCUS first when the list takes the focus), the
// release sends NM_CLICK; a press on the header reports LVN_COLUMNCLICK at the release. In
// report view without LVS_EX_FULLROWSELECT only column 0 of a row hits its item, and a point
// outside the client area hits nothing, so a click meant for an item goes to the centre of its
// LVIR_LABEL rectangle clipped to the client rectangle (LVIR_BOUNDS spans every column, which
// may reach beyond the window).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/comctl_imagelist.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

#define WC_LISTVIEWA "SysListView32"

// ---- Extended styles (LVM_SETEXTENDEDLISTVIEWSTYLE) -----------------------------------------
#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_ONECLICKACTIVATE 0x00000040
#define LVS_EX_TWOCLICKACTIVATE 0x00000080
#define LVS_EX_FLATSB 0x00000100
#define LVS_EX_REGIONAL 0x00000200
#define LVS_EX_INFOTIP 0x00000400
#define LVS_EX_UNDERLINEHOT 0x00000800
#define LVS_EX_UNDERLINECOLD 0x00001000
#define LVS_EX_MULTIWORKAREAS 0x00002000
#define LVS_EX_LABELTIP 0x00004000
#define LVS_EX_BORDERSELECT 0x00008000
#define LVS_EX_DOUBLEBUFFER 0x00010000

// ---- Messages -------------------------------------------------------------------------------
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEMA (LVM_FIRST + 5)
#define LVM_SETITEMA (LVM_FIRST + 6)
#define LVM_INSERTITEMA (LVM_FIRST + 7)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETCALLBACKMASK (LVM_FIRST + 10)
#define LVM_SETCALLBACKMASK (LVM_FIRST + 11)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_FINDITEMA (LVM_FIRST + 13)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_SETITEMPOSITION (LVM_FIRST + 15)
#define LVM_GETITEMPOSITION (LVM_FIRST + 16)
#define LVM_GETSTRINGWIDTHA (LVM_FIRST + 17)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_ARRANGE (LVM_FIRST + 22)
#define LVM_EDITLABELA (LVM_FIRST + 23)
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_GETCOLUMNA (LVM_FIRST + 25)
#define LVM_SETCOLUMNA (LVM_FIRST + 26)
#define LVM_INSERTCOLUMNA (LVM_FIRST + 27)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETVIEWRECT (LVM_FIRST + 34)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_GETORIGIN (LVM_FIRST + 41)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_GETITEMTEXTA (LVM_FIRST + 45)
#define LVM_SETITEMTEXTA (LVM_FIRST + 46)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)

// ---- Notifications (WM_NOTIFY codes) --------------------------------------------------------
#define LVN_ITEMCHANGING (LVN_FIRST - 0)    // NMLISTVIEW; answer TRUE to refuse the change
#define LVN_ITEMCHANGED (LVN_FIRST - 1)     // NMLISTVIEW
#define LVN_INSERTITEM (LVN_FIRST - 2)      // NMLISTVIEW, iItem is the new item
#define LVN_DELETEITEM (LVN_FIRST - 3)      // NMLISTVIEW, before the item goes
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)  // NMLISTVIEW with iItem -1; TRUE: no LVN_DELETEITEMs
#define LVN_BEGINLABELEDITA (LVN_FIRST - 5)
#define LVN_ENDLABELEDITA (LVN_FIRST - 6)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)  // NMLISTVIEW, iSubItem is the column
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_BEGINRDRAG (LVN_FIRST - 11)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)  // NMITEMACTIVATE
#define LVN_HOTTRACK (LVN_FIRST - 21)
#define LVN_GETDISPINFOA (LVN_FIRST - 50)  // NMLVDISPINFOA: fill in callback texts and images
#define LVN_SETDISPINFOA (LVN_FIRST - 51)
#define LVN_KEYDOWN (LVN_FIRST - 55)  // NMLVKEYDOWN, for every WM_KEYDOWN the control receives

// ---- Item fields, states and searches ---------------------------------------------------------
#define LVIF_TEXT 0x00000001
#define LVIF_IMAGE 0x00000002
#define LVIF_PARAM 0x00000004
#define LVIF_STATE 0x00000008
#define LVIF_INDENT 0x00000010
#define LVIF_NORECOMPUTE 0x00000800
#define LVIF_DI_SETITEM 0x00001000

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000
// The state bits of state image i (1-based; with LVS_EX_CHECKBOXES 1 is unchecked, 2 checked).
#define INDEXTOSTATEIMAGEMASK(i) (static_cast<UINT>(i) << 12)

// A text or image the parent supplies on demand with LVN_GETDISPINFOA.
#define LPSTR_TEXTCALLBACKA (reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1)))
#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)

// LVM_GETNEXTITEM flags.
#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800

// LVFINDINFOA flags.
#define LVFI_PARAM 0x0001      // the item whose value is lParam
#define LVFI_STRING 0x0002     // the item whose text equals psz, in any letter case
#define LVFI_SUBSTRING 0x0004  // (as LVFI_PARTIAL)
#define LVFI_PARTIAL 0x0008    // with LVFI_STRING: whose text begins with psz
#define LVFI_WRAP 0x0020       // go on from the first item after the last
#define LVFI_NEARESTXY 0x0040

// LVM_GETITEMRECT parts (RECT::left on the way in).
#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

// LVHITTESTINFO::flags.
#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

// LVM_SETIMAGELIST / LVM_GETIMAGELIST lists.
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

// ---- Columns --------------------------------------------------------------------------------
#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

// LVM_SETCOLUMNWIDTH widths that size a column to its contents.
#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

// ---- Structures -----------------------------------------------------------------------------

// An item or subitem, for LVM_INSERTITEMA, LVM_SETITEMA, LVM_GETITEMA and the *TEXT messages.
struct LVITEMA {
    UINT mask;       // LVIF_* fields that are valid
    int iItem;       // row
    int iSubItem;    // column (0: the item itself)
    UINT state;      // LVIS_* bits
    UINT stateMask;  // which state bits to set or get
    LPSTR pszText;   // text, or the buffer to receive it, or LPSTR_TEXTCALLBACKA
    int cchTextMax;  // size of pszText's buffer when receiving
    int iImage;      // index in the small image list, or I_IMAGECALLBACK
    LPARAM lParam;   // the item's value
    int iIndent;     // indent in image widths
    int iGroupId;    // (groups are not supported)
    UINT cColumns;
    UINT* puColumns;
    int* piColFmt;
    int iGroup;
};
using LPLVITEMA = LVITEMA*;
using LVITEM = LVITEMA;
using LV_ITEMA = LVITEMA;
using LV_ITEM = LVITEMA;

// A column, for LVM_INSERTCOLUMNA, LVM_SETCOLUMNA, LVM_GETCOLUMNA.
struct LVCOLUMNA {
    UINT mask;       // LVCF_* fields that are valid
    int fmt;         // LVCFMT_*
    int cx;          // width in pixels
    LPSTR pszText;   // header text, or the buffer to receive it
    int cchTextMax;  // size of pszText's buffer when receiving
    int iSubItem;    // the subitem the column shows
    int iImage;
    int iOrder;
    int cxMin;
    int cxDefault;
    int cxIdeal;
};
using LPLVCOLUMNA = LVCOLUMNA*;
using LVCOLUMN = LVCOLUMNA;
using LV_COLUMNA = LVCOLUMNA;
using LV_COLUMN = LVCOLUMNA;

// What LVM_FINDITEMA looks for.
struct LVFINDINFOA {
    UINT flags;     // LVFI_*
    LPCSTR psz;     // text for LVFI_STRING
    LPARAM lParam;  // value for LVFI_PARAM
    POINT pt;
    UINT vkDirection;
};
using LVFINDINFO = LVFINDINFOA;
using LV_FINDINFOA = LVFINDINFOA;
using LV_FINDINFO = LVFINDINFOA;

// A point (client coordinates) in; the item, subitem and part under it out.
struct LVHITTESTINFO {
    POINT pt;
    UINT flags;  // LVHT_*
    int iItem;   // -1 when on no item
    int iSubItem;
    int iGroup;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;
using LV_HITTESTINFO = LVHITTESTINFO;

// The payload of most list view notifications.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;       // the item, -1 when none
    int iSubItem;    // the subitem or column
    UINT uNewState;  // LVIS_* after the change
    UINT uOldState;  // LVIS_* before it
    UINT uChanged;   // LVIF_* that change
    POINT ptAction;  // where the mouse acted (LVN_BEGINDRAG, LVN_COLUMNCLICK)
    LPARAM lParam;   // the item's value
};
using LPNMLISTVIEW = NMLISTVIEW*;
using NM_LISTVIEW = NMLISTVIEW;

// The payload of NM_CLICK, NM_DBLCLK, NM_RCLICK and LVN_ITEMACTIVATE from a list view.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;     // the item clicked, -1 when none
    int iSubItem;  // the column clicked
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;  // the click, client coordinates
    LPARAM lParam;
    UINT uKeyFlags;  // LVKF_* modifier keys held
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

#define LVKF_ALT 0x0001
#define LVKF_CONTROL 0x0002
#define LVKF_SHIFT 0x0004

// The payload of LVN_KEYDOWN.
struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;  // the virtual key
    UINT flags;  // always 0
};
using LPNMLVKEYDOWN = NMLVKEYDOWN*;
using LV_KEYDOWN = NMLVKEYDOWN;

// The payload of LVN_GETDISPINFOA / LVN_SETDISPINFOA.
struct NMLVDISPINFOA {
    NMHDR hdr;
    LVITEMA item;
};
using LV_DISPINFOA = NMLVDISPINFOA;
using LV_DISPINFO = NMLVDISPINFOA;

// LVM_SORTITEMS comparison: negative when the first item's value sorts first.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// ---- Message helpers (the common controls' ListView_* wrappers) --------------------------------
inline int ListView_GetItemCount(HWND hwnd) {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));
}
inline int ListView_InsertItem(HWND hwnd, const LVITEMA* item) {
    return static_cast<int>(SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
}
inline int ListView_InsertColumn(HWND hwnd, int column, const LVCOLUMNA* col) {
    return static_cast<int>(SendMessageA(hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                         reinterpret_cast<LPARAM>(col)));
}
inline BOOL ListView_DeleteAllItems(HWND hwnd) {
    return static_cast<BOOL>(SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0));
}
inline int ListView_GetNextItem(HWND hwnd, int start, UINT flags) {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(start),
                                         static_cast<LPARAM>(flags)));
}
inline void ListView_SetItemState(HWND hwnd, int item, UINT state, UINT mask) {
    LVITEMA lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
}
inline UINT ListView_GetItemState(HWND hwnd, int item, UINT mask) {
    return static_cast<UINT>(
        SendMessageA(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}
inline void ListView_SetCheckState(HWND hwnd, int item, BOOL check) {
    ListView_SetItemState(hwnd, item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}
inline BOOL ListView_GetCheckState(HWND hwnd, int item) {
    return static_cast<BOOL>((ListView_GetItemState(hwnd, item, LVIS_STATEIMAGEMASK) >> 12) - 1);
}
inline void ListView_SetItemText(HWND hwnd, int item, int subItem, LPSTR text) {
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = text;
    SendMessageA(hwnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
}
inline void ListView_GetItemText(HWND hwnd, int item, int subItem, LPSTR text, int size) {
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = text;
    lvi.cchTextMax = size;
    SendMessageA(hwnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
}
inline DWORD ListView_SetExtendedListViewStyle(HWND hwnd, DWORD styles) {
    return static_cast<DWORD>(
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(styles)));
}
inline HIMAGELIST ListView_SetImageList(HWND hwnd, HIMAGELIST list, int which) {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(
        hwnd, LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
}

#pragma GCC visibility pop
