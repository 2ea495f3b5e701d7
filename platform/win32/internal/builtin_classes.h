// Internal: the window classes of the window system itself (dialogs, controls, the desktop),
// registered from one table when the class table is first used, so that every one of them
// exists before the first window is made, whatever order the library's files were loaded in.
#pragma once

#include <span>

#include "kvwin32/winuser.h"

namespace kvwin32::internal {

// A built-in class is a function that describes it (name, window procedure, styles, extra
// bytes); the description is taken once, when the table is registered.
using BuiltinClass = WNDCLASSEXA (*)();

// Every built-in class, in the order they are registered.
std::span<const BuiltinClass> builtinClasses();

// Descriptions of the classes, each beside its window procedure.
WNDCLASSEXA dialogClass();    // user/dialog.cpp
WNDCLASSEXA buttonClass();    // controls/ctl_button.cpp
WNDCLASSEXA editClass();      // controls/ctl_edit.cpp
WNDCLASSEXA staticClass();    // controls/ctl_static.cpp
WNDCLASSEXA tabClass();       // controls/comctl_tab.cpp
WNDCLASSEXA upDownClass();    // controls/comctl_updown.cpp
WNDCLASSEXA listViewClass();  // controls/comctl_listview.cpp
WNDCLASSEXA tooltipClass();   // controls/comctl_tooltip.cpp
WNDCLASSEXA browserClass();   // shell/shell.cpp
namespace listbox {
WNDCLASSEXA listBoxClass(LPCSTR name, UINT style);  // controls/ctl_listbox.cpp
}
namespace combobox {
WNDCLASSEXA comboBoxClass();  // controls/ctl_combobox.cpp
}

}  // namespace kvwin32::internal
