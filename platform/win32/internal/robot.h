// Internal: what the Robot's files (robot.cpp, robot_find.cpp, robot_read.cpp) share: the kind
// of a control as a user sees it, window texts, item lookup in composite controls, and the
// scopes a search walks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kvwin32/robot.h"
#include "kvwin32/winuser.h"

namespace kvwin32::internal {

// What a control is to a user (decided by class and style).
enum class ControlKind {
    pushButton,   // push and default push buttons, owner-drawn buttons
    checkBox,     // check boxes of every kind (2-state, 3-state, auto)
    radioButton,  // radio buttons, auto or not
    groupBox,     // a group box: a frame with a caption, a label
    staticText,   // a static control showing text: a label
    staticOther,  // a static icon, bitmap, frame or line
    edit,
    comboBox,
    listBox,
    listView,
    upDown,
    tabControl,
    dialog,  // a dialog ("#32770"): a page or child dialog when it is a child
    other,
};

// The class name of a window ("" for a dead one).
std::string classOf(HWND hwnd);
// The window text, whole.
std::string windowText(HWND hwnd);
// The kind of a control.
ControlKind kindOf(HWND hwnd);
// A readable name of a kind ("push button", "edit" ...), for refusals.
const char* kindName(ControlKind kind);
// True for a label: a static text or a group box.
bool isLabel(HWND hwnd);
// True for a control a label can name: an edit, combo box, list box, list view, up-down
// control, or a check box without a caption.
bool isLabelTarget(HWND hwnd);

// A scope of a search: the controls in tab order (dialog containers left out, hidden child
// dialogs skipped with all they hold).
std::vector<HWND> scopeControls(HWND root);
// The direct children of a sheet that are not dialogs (its buttons and tab control).
std::vector<HWND> sheetOwnControls(HWND sheet);
// The active page of a property sheet, or null when hwnd is no sheet.
HWND activePageOf(HWND hwnd);
// The control a label names within the controls of its scope, or null.
HWND labelledBy(const std::vector<HWND>& controls, size_t labelIndex);

// The item texts of a list box, combo box, list view or tab control.
std::vector<std::string> itemTexts(HWND control);
// The index of the item a query names, or nullopt with why in error.
std::optional<int> findItem(HWND control, const ItemQuery& item, std::string& error);
// The rectangle of an item in the client coordinates of the window that shows it (a list box,
// a list view or a tab control); nullopt when it has none.
std::optional<RECT> itemRect(HWND control, int index);

// "the push button "OK" (#1)", for refusals and candidate lists.
std::string describeControl(HWND hwnd);

}  // namespace kvwin32::internal
