// Reading the text of an item of a list box or of a combo box's list in one call: the length
// message, a buffer of that size, the text message. Not a Win32 interface.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <optional>
#include <string>

#include "kvwin32/windef.h"

namespace kvwin32 {

// The text of item `index` of a list box (LB_GETTEXTLEN, LB_GETTEXT); nullopt when the list
// has no such item.
std::optional<std::string> listBoxItemText(HWND listBox, LRESULT index);

// The text of item `index` of a combo box's list (CB_GETLBTEXTLEN, CB_GETLBTEXT); nullopt when
// the list has no such item.
std::optional<std::string> comboBoxItemText(HWND comboBox, LRESULT index);

}  // namespace kvwin32

#pragma GCC visibility pop
