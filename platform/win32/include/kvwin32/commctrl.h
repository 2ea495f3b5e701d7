// The common controls (list view, up-down, tooltip, image lists, drag lists, tab control,
// property sheets): their shared notification codes and initialisation, and one header per
// control with its messages and structures, with their Windows values.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

// ---- Generic WM_NOTIFY codes every common control may send -------------------------------------
#define NM_FIRST 0U
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)

// First notification code of each control family.
#define LVN_FIRST (0U - 100U)
#define LVN_LAST (0U - 199U)
#define PSN_FIRST (0U - 200U)
#define PSN_LAST (0U - 299U)
#define TTN_FIRST (0U - 520U)
#define TTN_LAST (0U - 549U)
#define TCN_FIRST (0U - 550U)
#define TCN_LAST (0U - 580U)
#define UDN_FIRST (0U - 721U)
#define UDN_LAST (0U - 729U)

// First message of each control family.
#define LVM_FIRST 0x1000
#define TCM_FIRST 0x1300
#define CCM_FIRST 0x2000

// ---- Initialisation ----------------------------------------------------------------------------
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_STANDARD_CLASSES 0x00004000

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

// The common control classes are registered when the window system starts; these only check
// their argument, as a program must still call them on Windows.
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

#include "kvwin32/comctl_draglist.h"
#include "kvwin32/comctl_imagelist.h"
#include "kvwin32/comctl_listview.h"
#include "kvwin32/comctl_tab.h"
#include "kvwin32/comctl_tooltip.h"
#include "kvwin32/comctl_updown.h"
#include "kvwin32/prsht.h"

#pragma GCC visibility pop
