// Internal: the list box control's state and the contracts between its files:
// ctl_listbox.cpp (the window procedure, items and the LB_* messages), ctl_listbox_layout.cpp
// (string order, the owner, geometry, selection) and ctl_listbox_input.cpp (mouse, keyboard,
// painting). The same control serves as a combo box's list ("ComboLBox").
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "internal/gap_vector.h"
#include "internal/control.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal::listbox {

using kvwin32::internal::ControlState;

inline constexpr int kDefaultItemHeight = 13;  // the height of the system font
inline constexpr int kTextIndent = 1;          // Windows draws item text one pixel in from the left
// LB_ITEMFROMPOINT on an empty list box: item 0, outside (what Windows answers).
inline constexpr LRESULT kNoItemHit = 0x1FFFF;

// One item of a list box.
struct ListItem {
    std::string text;       // the string; empty without LBS_HASSTRINGS
    ULONG_PTR data = 0;     // item data; without LBS_HASSTRINGS also what was "added"
    bool selected = false;  // selection state in a multiple-selection list box
    int height = 0;         // LBS_OWNERDRAWVARIABLE: the height WM_MEASUREITEM answered
};

// The state of a list box, kept with its window from WM_NCCREATE to WM_NCDESTROY.
struct ListBoxState : ControlState {
    HWND self = nullptr;                  // the list box
    HWND combo = nullptr;                 // the combo box a "ComboLBox" works for, or null
    DWORD style = 0;                      // LBS_* bits as created (owner-draw variants reconciled)
    GapVector<ListItem> items;            // the items in display order
    int insertHint = 0;                   // just after the item inserted last
    bool inOrder = true;                  // LB_INSERTSTRING has put nothing into a sorted list
    int selected = -1;                    // single selection: the selected item, -1 for none
    int caret = 0;                        // the item with the focus rectangle
    int anchor = -1;                      // where an extended (Shift) selection range starts
    int top = 0;                          // first visible item
    int itemHeight = kDefaultItemHeight;  // height of every item (owner-draw variable: default)
    int horizontalExtent = 0;             // LB_SETHORIZONTALEXTENT
    int horizontalPos = 0;                // pixels scrolled to the left, 0..extent - width
    int wheelRemain = 0;                  // wheel turned, in WHEEL_DELTA units, not yet scrolled
    bool focused = false;                 // has the keyboard focus
    bool captured = false;                // a mouse button went down on an item
    bool redraw = true;                   // WM_SETREDRAW
    LCID locale = 0x0409;                 // LB_SETLOCALE, kept only to answer LB_GETLOCALE
};

using StatePtr = std::shared_ptr<ListBoxState>;

inline bool hasStrings(const ListBoxState& s) {
    return (s.style & LBS_HASSTRINGS) || !(s.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
}
inline bool isOwnerDraw(const ListBoxState& s) {
    return (s.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}
inline bool isMultiSelect(const ListBoxState& s) {
    return (s.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}
inline bool isVariable(const ListBoxState& s) {
    return (s.style & LBS_OWNERDRAWVARIABLE) != 0;
}
inline int count(const ListBoxState& s) {
    return static_cast<int>(s.items.size());
}
inline bool validIndex(const ListBoxState& s, long long index) {
    return index >= 0 && index < count(s);
}

// ---- ctl_listbox_layout.cpp: string order, the owner, geometry, selection -------------------

// lstrcmpi's order: <0, 0 or >0, strings equal but for letter case comparing equal.
int compareNoCase(std::string_view a, std::string_view b);
// Who hears from the list: the combo box of a "ComboLBox", else the parent at this moment.
HWND ownerOf(const ListBoxState& s);
// Sends the owner WM_COMMAND with the list's id and the code.
void notify(const ListBoxState& s, int code);
// notify for the codes that need LBS_NOTIFY, and only when there are items.
void notifyIfAsked(const ListBoxState& s, int code);
// The list box's control id.
UINT ownId(const ListBoxState& s);
// WM_DELETEITEM for an item leaving, when Windows sends one (owner-draw, or item data).
void sendDeleteItem(const ListBoxState& s, int index, ULONG_PTR data);
// The owner's WM_COMPAREITEM answer for an item against new data (itemID2 -1).
int ownerCompare(const ListBoxState& s, int index, ULONG_PTR data);
// The height the owner gives an item through WM_MEASUREITEM (1 to 255).
int measureItem(const ListBoxState& s, UINT itemId, ULONG_PTR data, int height);
// The list's client rectangle.
RECT clientOf(const ListBoxState& s);
// The height of an item.
int heightOf(const ListBoxState& s, int index);
// An item's rectangle in client coordinates (above the client area for items above the top).
RECT itemRect(const ListBoxState& s, int index);
// How many items fit wholly from the top item down; at least one.
int pageSize(const ListBoxState& s);
// The largest top index that still fills the client area.
int maxTop(const ListBoxState& s);
// The item at a client y: the nearest one above, -1 below the last item.
int itemFromPoint(const ListBoxState& s, int y);
// Invalidates one item, or the whole list, unless redrawing is off.
void invalidateItem(const ListBoxState& s, int index);
void invalidateAll(const ListBoxState& s);
// Shows that an item's selection (ODA_SELECT) or focus (ODA_FOCUS) changed.
void repaintItem(const ListBoxState& s, int index, UINT action);
// Scrolls to a top index, kept within 0..maxTop, and keeps the scroll bar in step.
void setTop(ListBoxState& s, int index);
// After the items, their height or the client area changed: the top index back within
// 0..maxTop, and the scroll bar in step.
void refitTop(ListBoxState& s);
// Sets the scroll bars' ranges, pages and positions from the list.
void updateScrollBar(const ListBoxState& s);
// The furthest the items scroll to the left: the extent beyond the client width.
int maxHorizontalPos(const ListBoxState& s);
// Scrolls the items left by pos pixels, kept within 0..maxHorizontalPos.
void setHorizontalPos(ListBoxState& s, int pos);
// Scrolls so that an item shows, wholly or at least its top row.
void makeVisible(ListBoxState& s, int index, bool fully);
// Whether an item is selected.
bool isSelected(const ListBoxState& s, int index);
// Selects or deselects a range of items of a multiple-selection list box.
void selectRange(ListBoxState& s, int first, int last, bool on);
// Selects or deselects an item (-1: all, or none in a single-selection list); LB_ERR for an
// index out of range; changed tells whether anything changed.
LRESULT setSelection(ListBoxState& s, int index, bool on, bool* changed = nullptr);
// Moves the caret to an item and scrolls it into view.
void setCaret(ListBoxState& s, int index, bool fully);
// Moves the caret as the user does, selecting as the selection mode wants.
void moveCaret(ListBoxState& s, int index, bool fully);

// ---- ctl_listbox_input.cpp: mouse, keyboard, painting ----------------------------------------

// WM_LBUTTONDOWN (and WM_LBUTTONDBLCLK in a combo box's list).
void buttonDown(const StatePtr& sp, WPARAM keys, LPARAM lParam);
// WM_LBUTTONUP: the end of a click, with its LBN_SELCHANGE.
void buttonUp(const StatePtr& sp);
// WM_MOUSEMOVE with the button down.
void mouseMove(const StatePtr& sp, LPARAM lParam);
// WM_KEYDOWN and WM_CHAR.
LRESULT keyDown(const StatePtr& sp, WPARAM key);
LRESULT charTyped(const StatePtr& sp, WPARAM ch);
// WM_VSCROLL and WM_HSCROLL.
LRESULT verticalScroll(ListBoxState& s, WPARAM wParam);
LRESULT horizontalScroll(ListBoxState& s, WPARAM wParam);
// WM_MOUSEWHEEL.
LRESULT mouseWheel(ListBoxState& s, WPARAM wParam);
// The ODS_* state an item is drawn in.
UINT drawState(const ListBoxState& s, int index);
// Asks the owner to draw an item (WM_DRAWITEM) with the action.
void drawOwnerItem(const ListBoxState& s, HDC dc, int index, const RECT& rect, UINT action);
// WM_PAINT and WM_PRINTCLIENT: into the DC given, or through BeginPaint.
LRESULT paintMessage(const StatePtr& sp, HDC given);

// ---- ctl_listbox.cpp --------------------------------------------------------------------------

// LB_FINDSTRING (exact false) and LB_FINDSTRINGEXACT: the index found, or LB_ERR.
LRESULT findString(const ListBoxState& s, WPARAM wParam, LPARAM lParam, bool exact);

}  // namespace kvwin32::internal::listbox
