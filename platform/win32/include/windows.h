// Umbrella header of the Win32 surface: what a Windows source file gets from <windows.h>,
// for the subset this product uses.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winreg.h"
#include "kvwin32/winnls.h"
#include "kvwin32/styles.h"
#include "kvwin32/resources.h"
#include "kvwin32/winuser.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser_draw.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_dialog.h"
#include "kvwin32/winuser_msgbox.h"
#include "kvwin32/winuser_cursor.h"
#include "kvwin32/winuser_caret.h"
#include "kvwin32/winuser_scroll.h"
#include "kvwin32/winuser_menu.h"
#include "kvwin32/commdlg.h"

#pragma GCC visibility pop
