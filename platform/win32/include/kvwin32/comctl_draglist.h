// Drag lists: a single-selection list box whose items the user reorders by dragging them.
// MakeDragList subclasses the list box; while the user drags, the list box's parent receives
// the registered message DRAGLISTMSGSTRING with a DRAGLISTINFO, and DrawInsert shows the
// insertion arrow beside the list. Values are those of Windows' common controls.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

// Name of the registered message a drag list sends its parent (RegisterWindowMessageA).
#define DRAGLISTMSGSTRING "commctrl_DragListMsg"

// DRAGLISTINFO::uNotification values.
#define DL_BEGINDRAG (WM_USER + 133)   // button down over an item; non-zero answer starts a drag
#define DL_DRAGGING (WM_USER + 134)    // mouse moved during a drag; the answer is a DL_*CURSOR
#define DL_DROPPED (WM_USER + 135)     // button released: the drag ends here
#define DL_CANCELDRAG (WM_USER + 136)  // Escape or loss of the mouse capture ended the drag

// Answers to DL_DRAGGING: the cursor to show.
#define DL_CURSORSET 0
#define DL_STOPCURSOR 1
#define DL_COPYCURSOR 2
#define DL_MOVECURSOR 3

// What the parent receives with each drag-list message (lParam).
struct DRAGLISTINFO {
    UINT uNotification;  // DL_BEGINDRAG ... DL_CANCELDRAG
    HWND hWnd;           // the drag list box
    POINT ptCursor;      // cursor position in screen coordinates
};
using LPDRAGLISTINFO = DRAGLISTINFO*;

// Turns a list box into a drag list by subclassing it; TRUE also when it is one already,
// FALSE for a bad handle.
BOOL MakeDragList(HWND hLB);
// The index of the item under a screen point, or -1 outside the items; with bAutoScroll, a
// point just above or below the list (within its width) scrolls it by one item and answers -1.
int LBItemFromPt(HWND hLB, POINT pt, BOOL bAutoScroll);
// Draws the insertion arrow beside item nItem of the list box in its parent, erasing the
// previous one; -1 erases it.
void DrawInsert(HWND handParent, HWND hLB, int nItem);

namespace kvwin32 {
// The item DrawInsert last marked for a drag list box, or -1 when no arrow shows.
int dragListInsertMark(HWND hLB);
}  // namespace kvwin32

#pragma GCC visibility pop
