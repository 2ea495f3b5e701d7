// Cursors and icons: LoadCursorA, SetCursor, GetCursor, ShowCursor, the cursor position,
// LoadIconA, with the system cursor and icon ids of Windows. Nothing is drawn: a cursor is a
// handle that remembers what it shows. The wait cursor matters to the product (it is shown
// around slow work), so the desktop's transcript records when it is shown and removed.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/resources.h"
#include "kvwin32/windef.h"

// System cursors (LoadCursorA with a null instance).
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_UPARROW MAKEINTRESOURCEA(32516)
#define IDC_SIZE MAKEINTRESOURCEA(32640)
#define IDC_ICON MAKEINTRESOURCEA(32641)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)
#define IDC_HELP MAKEINTRESOURCEA(32651)
// IDC_HAND (32649) is left out: resource scripts commonly define a symbol of that name.

// System icons (LoadIconA with a null instance).
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDI_HAND MAKEINTRESOURCEA(32513)
#define IDI_QUESTION MAKEINTRESOURCEA(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCEA(32515)
#define IDI_ASTERISK MAKEINTRESOURCEA(32516)
#define IDI_WINLOGO MAKEINTRESOURCEA(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

// A system cursor (null instance and an IDC_* id) or a cursor resource of a module (by name
// or MAKEINTRESOURCE id); null with ERROR_RESOURCE_NAME_NOT_FOUND when there is none.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// Makes cursor the current one (null hides it); returns the previous.
HCURSOR SetCursor(HCURSOR cursor);
// The current cursor.
HCURSOR GetCursor();
// Adds (TRUE) or takes (FALSE) one from the display count; returns the new count (the cursor
// shows while it is 0 or more).
int ShowCursor(BOOL show);
// The cursor position in screen coordinates.
BOOL GetCursorPos(LPPOINT point);
// Moves the cursor (clamped to the screen).
BOOL SetCursorPos(int x, int y);
// Destroys a cursor made from a module's resource; system cursors are shared and stay.
BOOL DestroyCursor(HCURSOR cursor);
// A system icon (null instance and an IDI_* id) or an icon resource of a module; null with
// ERROR_RESOURCE_NAME_NOT_FOUND when there is none.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// Destroys an icon made from a module's resource; system icons stay.
BOOL DestroyIcon(HICON icon);

namespace kvwin32 {

// True when cursor is the system wait cursor (IDC_WAIT or IDC_APPSTARTING).
bool isWaitCursor(HCURSOR cursor);

}  // namespace kvwin32

#pragma GCC visibility pop
