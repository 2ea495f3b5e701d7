// The up-down control ("msctls_updown32"): a pair of arrow buttons that step a position within
// a range, usually beside a "buddy" edit whose text shows the position. A step asks the parent
// first (UDN_DELTAPOS), then moves, updates the buddy and reports WM_VSCROLL (WM_HSCROLL with
// UDS_HORZ). Messages, notifications and structures are those of Windows' common controls;
// styles (UDS_*) are in kvwin32/styles.h.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/commctrl.h"
#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

#define UPDOWN_CLASSA "msctls_updown32"

// The 16-bit range limits of UDM_SETRANGE.
#define UD_MAXVAL 0x7fff
#define UD_MINVAL (-UD_MAXVAL)

// ---- Messages -------------------------------------------------------------------------------
#define UDM_SETRANGE (WM_USER + 101)  // lParam MAKELONG(max, min), 16-bit
#define UDM_GETRANGE (WM_USER + 102)  // MAKELONG(max, min)
#define UDM_SETPOS (WM_USER + 103)    // lParam LOWORD: position; the previous one
#define UDM_GETPOS (WM_USER + 104)    // LOWORD the position, HIWORD non-zero on error
#define UDM_SETBUDDY (WM_USER + 105)  // wParam the buddy; the previous one
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)  // wParam count, lParam UDACCEL[]
#define UDM_GETACCEL (WM_USER + 108)  // wParam count, lParam UDACCEL[]; the number there is
#define UDM_SETBASE (WM_USER + 109)   // 10 or 16; the previous base, 0 for another
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)  // wParam min, lParam max
#define UDM_GETRANGE32 (WM_USER + 112)  // wParam int* min, lParam int* max
#define UDM_SETPOS32 (WM_USER + 113)    // lParam position; the previous one
#define UDM_GETPOS32 (WM_USER + 114)    // lParam BOOL* set TRUE on error

// ---- Notifications --------------------------------------------------------------------------
#define UDN_DELTAPOS (UDN_FIRST - 1)  // NMUPDOWN; answer non-zero to refuse the step

// The scroll codes of the WM_VSCROLL / WM_HSCROLL an up-down control sends its parent are
// those of the scroll bars.
#include "kvwin32/winuser_scroll.h"

// One step size of the acceleration table: after nSec seconds of holding, steps of nInc.
struct UDACCEL {
    UINT nSec;
    UINT nInc;
};
using LPUDACCEL = UDACCEL*;

// The payload of UDN_DELTAPOS: the position before the step and the step asked for. The
// parent may change iDelta before answering.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;
using NM_UPDOWN = NMUPDOWN;

extern "C" {
// Creates an up-down control with its buddy, range and position set; null on failure.
HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                         HINSTANCE instance, HWND buddy, int upper, int lower, int pos);
}  // extern "C"

#pragma GCC visibility pop
