// Internal: the combo box control's state and the contracts between its files:
// ctl_combobox.cpp (the window procedure, creation, text and the CB_* messages) and
// ctl_combobox_input.cpp (dropping down and closing, focus, mouse, keys, what the list and
// the edit report, painting).
#pragma once

#include <memory>
#include <string>

#include "internal/control.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal::combobox {

using kvwin32::internal::ControlState;

inline constexpr int kListId = 1000;        // the id Windows gives a combo box's list
inline constexpr int kEditId = 1001;        // and its edit field
inline constexpr int kEdge = 3;             // the sunken edge and gap around the field
inline constexpr int kListItemHeight = 13;  // the height of the system font
inline constexpr int kFieldHeight = 15;     // the selection field: the font height and a margin
inline constexpr int kTextIndent = 2;       // text starts inside the field
inline constexpr int kMinListItems = 1;     // a dropped list shows at least one row

// The three kinds of combo box (the low two CBS_* bits).
enum class ComboKind { Simple, DropDown, DropDownList };

// The state of a combo box, kept with its window from WM_NCCREATE to WM_NCDESTROY.
struct ComboState : ControlState {
    HWND self = nullptr;  // the combo box
    HWND list = nullptr;  // its "ComboLBox"
    HWND edit = nullptr;  // its "Edit" (CBS_SIMPLE, CBS_DROPDOWN), or null
    DWORD style = 0;      // CBS_* bits as created
    ComboKind kind = ComboKind::DropDownList;
    int fieldHeight = kFieldHeight;  // height of the selection field (CB_GETITEMHEIGHT -1)
    int droppedHeight = 0;           // combo and list together, as the creator sized them
    int droppedWidth = 0;            // CB_SETDROPPEDWIDTH; 0 means the combo's width
    bool dropped = false;            // the list shows
    bool focused = false;            // the combo or its edit has the focus
    bool captured = false;           // the mouse went down on the combo and it dropped
    bool extendedUi = false;         // CB_SETEXTENDEDUI
    bool keyToList = false;          // a key is being passed on to the list
    bool quietEdit = false;          // the combo itself is setting the edit's text
};

using StatePtr = std::shared_ptr<ComboState>;

// ---- Parts and helpers (ctl_combobox_input.cpp) -------------------------------------------

// Whether the combo box still exists (a parent may destroy it inside a notification).
bool alive(const ComboState& s);
// Whether its list exists.
bool hasList(const ComboState& s);
// Sends a message to the list; CB_ERR without one.
LRESULT toList(const ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends the parent WM_COMMAND with the combo box's id and a CBN_* code.
void notify(const ComboState& s, WORD code);
// The height of a drop-down combo box: its field and the edge around it.
int comboHeight(const ComboState& s);
// The width of the dropped list: CB_SETDROPPEDWIDTH's, but never less than the combo box's.
int droppedWidthOf(const ComboState& s);
// The client rectangle, the drop-down button and the selection field, client coordinates.
RECT clientOf(const ComboState& s);
RECT buttonRect(const ComboState& s);
RECT fieldRect(const ComboState& s);
// The list's selection, or CB_ERR.
int selection(const ComboState& s);
// The text of an item; empty for a bad index.
std::string itemText(const ComboState& s, int index);
// Repaints the field.
void invalidateField(const ComboState& s);
// Sets the edit's text without CBN_EDITCHANGE or CBN_EDITUPDATE.
void setEditQuietly(ComboState& s, const std::string& text);
// Shows an item (-1: none) in the field or the edit.
void showItem(ComboState& s, int index);

// ---- Choosing (ctl_combobox_input.cpp) -------------------------------------------------------

// Drops the list down after CBN_DROPDOWN.
void dropDown(const StatePtr& sp);
// Ends a choice: CBN_SELENDOK or CBN_SELENDCANCEL, then closes the list with CBN_CLOSEUP.
void rollUp(const StatePtr& sp, bool accepted);
// WM_SETFOCUS and WM_KILLFOCUS (next: the window getting the focus).
LRESULT setFocusMessage(const StatePtr& sp);
LRESULT killFocusMessage(const StatePtr& sp, HWND next);
// WM_LBUTTONDOWN and WM_LBUTTONUP on the combo box itself.
LRESULT buttonDown(const StatePtr& sp);
LRESULT buttonUp(const StatePtr& sp);
// WM_KEYDOWN, WM_SYSKEYDOWN and WM_CHAR.
LRESULT keyDown(const StatePtr& sp, WPARAM key, LPARAM lParam);
LRESULT sysKeyDown(const StatePtr& sp, WPARAM key, LPARAM lParam);
LRESULT charTyped(const StatePtr& sp, WPARAM ch, LPARAM lParam);
// WM_COMMAND from the list or the edit, turned into the combo box's own notifications.
LRESULT command(const StatePtr& sp, WPARAM wParam, LPARAM lParam);
// The list's WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM and WM_COMPAREITEM, passed to the
// parent as the combo box's own (ODT_COMBOBOX).
LRESULT forwardItemMessage(const ComboState& s, UINT msg, LPARAM lParam);
// WM_PAINT and WM_PRINTCLIENT: into the DC given, or through BeginPaint.
LRESULT paintMessage(const StatePtr& sp, HDC given);

}  // namespace kvwin32::internal::combobox
