// Text pictures of dialogs for people: what `print page`, `print REF` and the interactive
// console show. One line per control, in tab order: its kind, its text or the label that
// names it, its value and its state. The texts are shown in UTF-8 with control characters
// escaped, whatever the controls hold.
#pragma once

#include <string>

#include <windows.h>

#include "kvwin32/robot.h"

namespace kvhost {

// One control as a line: `edit "Simulation &Profile:" = "amp"`, `button "OK" [default]`,
// `check "Skip initial transient" [x] disabled` ...
std::string describeControl(HWND control, const kvwin32::Robot& robot);

// The windows the Robot searches (the topmost modal dialog, or the sheet's active page and
// buttons), each with a heading and its visible controls; "no dialog is open" when none is.
std::string describeWindows(const kvwin32::Robot& robot);

}  // namespace kvhost
