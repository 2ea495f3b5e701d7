// Internal: the list view control's state record, shared by its message handling
// (comctl_listview.cpp) and its layout and painting (comctl_listview_view.cpp). Report view
// only: rows top-down under an optional header, columns left to right.
#pragma once

#include <string>
#include <vector>

#include "internal/control.h"
#include "kvwin32/comctl_listview.h"

namespace kvwin32::internal {

// One cell of a row: the item's own text (column 0) or a subitem's.
struct ListViewCell {
    std::string text;       // the text when not a callback
    bool callback = false;  // LPSTR_TEXTCALLBACKA: the parent supplies it (LVN_GETDISPINFOA)
};

struct ListViewItem {
    std::vector<ListViewCell> cells;  // indexed by subitem; missing ones are empty
    int image = 0;                    // small image index, or I_IMAGECALLBACK
    LPARAM param = 0;                 // the program's value
    UINT state = 0;                   // LVIS_* bits, state image index included
    int indent = 0;                   // in small image widths
};

struct ListViewColumn {
    int fmt = LVCFMT_LEFT;  // LVCFMT_* (column 0 is always left aligned)
    int cx = 0;             // width in pixels
    std::string text;       // header text
    int subItem = 0;        // the subitem the column shows
    int image = 0;          // header image (kept, not drawn)
    int order = 0;          // display order (kept; columns show in index order)
};

struct ListViewState : ControlState {
    std::vector<ListViewItem> items;        // rows, top to bottom
    std::vector<ListViewColumn> columns;    // left to right
    DWORD exStyle = 0;                      // LVS_EX_*
    HIMAGELIST normalImages = nullptr;      // LVSIL_NORMAL (kept for icon views, unused)
    HIMAGELIST smallImages = nullptr;       // LVSIL_SMALL: the images beside the text
    HIMAGELIST stateImages = nullptr;       // LVSIL_STATE: check boxes and the like
    bool ownStateImages = false;            // the state list is the check boxes we made
    int topIndex = 0;                       // first row shown
    int selectionMark = -1;                 // anchor of shift-click ranges
    UINT callbackMask = 0;                  // LVM_SETCALLBACKMASK
    COLORREF background = CLR_INVALID;      // LVM_SETBKCOLOR; CLR_INVALID: COLOR_WINDOW
    COLORREF textColour = CLR_INVALID;      // LVM_SETTEXTCOLOR; CLR_INVALID: COLOR_WINDOWTEXT
    COLORREF textBackground = CLR_INVALID;  // LVM_SETTEXTBKCOLOR
    bool hasFocus = false;                  // between WM_SETFOCUS and WM_KILLFOCUS
    bool buttonDown = false;                // a WM_LBUTTONDOWN awaits its WM_LBUTTONUP
    POINT downPoint{};                      // where it went down
    int downItem = -1;                      // the item it went down on
    int downSubItem = 0;                    // and the column
    int downColumn = -1;                    // the header column it went down on, -1 for none
};

// ---- Layout (comctl_listview_view.cpp) -------------------------------------------------------

// Height of the column header, 0 with LVS_NOCOLUMNHEADER.
int listViewHeaderHeight(HWND hwnd);
// Height of a row: the text or the tallest image, whichever is higher, and a pixel.
int listViewRowHeight(const ListViewState& s);
// Left edge of a column (its index), in client coordinates.
int listViewColumnLeft(const ListViewState& s, int column);
// Width of the rows: every column, or the client width without columns.
int listViewRowWidth(HWND hwnd, const ListViewState& s);
// Rows that fit in the client area below the header (at least 1).
int listViewRowsPerPage(HWND hwnd, const ListViewState& s);
// A part (LVIR_*) of an item's row in column 0, in client coordinates; false for no item.
bool listViewItemRect(HWND hwnd, const ListViewState& s, int item, int part, RECT& rect);
// The cell of item and subitem column (LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL).
bool listViewSubItemRect(HWND hwnd, const ListViewState& s, int item, int column, int part,
                         RECT& rect);
// What lies under a client point: the item (-1), its column and LVHT_* flags. Without
// LVS_EX_FULLROWSELECT only column 0 of a row hits its item, as Windows' report view has it.
void listViewHitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO& info, bool subItems);
// The text of a cell as shown, asking the parent with LVN_GETDISPINFOA for a callback text.
std::string listViewCellText(HWND hwnd, int item, int subItem);
// The image of an item as shown, asking the parent for I_IMAGECALLBACK.
int listViewItemImage(HWND hwnd, int item);
// WM_PAINT.
void listViewPaint(HWND hwnd, HDC dc);
// The two check box images (unchecked, checked) LVS_EX_CHECKBOXES draws from.
HIMAGELIST listViewCheckBoxImages();

}  // namespace kvwin32::internal
