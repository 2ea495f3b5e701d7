// Menus: menu bars of top-level windows, popup menus and each window's system menu, as lists
// of items (a command id or a popup, a text, enable and check states). Headless: menus are
// never shown; programs build and query them and grey or check items, and the Robot reads
// them back. Names, values and semantics are those of user32. windows.h includes this file.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

// ---- Item flags (AppendMenuA, InsertMenuA, ModifyMenuA, GetMenuState) -------------------------
#define MF_INSERT 0x00000000
#define MF_CHANGE 0x00000080
#define MF_APPEND 0x00000100
#define MF_DELETE 0x00000200
#define MF_REMOVE 0x00001000
#define MF_BYCOMMAND 0x00000000   // the item is named by its command id (searched in popups too)
#define MF_BYPOSITION 0x00000400  // the item is named by its 0-based position
#define MF_SEPARATOR 0x00000800
#define MF_ENABLED 0x00000000
#define MF_GRAYED 0x00000001
#define MF_DISABLED 0x00000002
#define MF_UNCHECKED 0x00000000
#define MF_CHECKED 0x00000008
#define MF_USECHECKBITMAPS 0x00000200
#define MF_STRING 0x00000000
#define MF_BITMAP 0x00000004
#define MF_OWNERDRAW 0x00000100
#define MF_POPUP 0x00000010
#define MF_MENUBARBREAK 0x00000020
#define MF_MENUBREAK 0x00000040
#define MF_UNHILITE 0x00000000
#define MF_HILITE 0x00000080
#define MF_DEFAULT 0x00001000
#define MF_SYSMENU 0x00002000
#define MF_HELP 0x00004000
#define MF_RIGHTJUSTIFY 0x00004000
#define MF_MOUSESELECT 0x00008000

#define MFS_GRAYED 0x00000003
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_DEFAULT MF_DEFAULT

// ---- WM_SYSCOMMAND ids of the system menu besides those in winuser.h ---------------------------
#ifndef SC_KEYMENU
#define SC_NEXTWINDOW 0xF040
#define SC_PREVWINDOW 0xF050
#define SC_VSCROLL 0xF070
#define SC_HSCROLL 0xF080
#define SC_MOUSEMENU 0xF090
#define SC_KEYMENU 0xF100
#define SC_TASKLIST 0xF130
#define SC_DEFAULT 0xF160
#endif

extern "C" {

// A new empty menu bar; DestroyMenu frees it unless a window still uses it.
HMENU CreateMenu();
// A new empty popup menu.
HMENU CreatePopupMenu();
// Frees a menu and its popups; FALSE (ERROR_INVALID_MENU_HANDLE) for a bad handle.
BOOL DestroyMenu(HMENU menu);
// True while the handle names a live menu.
BOOL IsMenu(HMENU menu);
// Appends an item: a command (idOrPopup is its id), a popup (MF_POPUP: idOrPopup is the
// HMENU, now owned by this menu) or a separator; text is the item's text ("&" marks the
// mnemonic, "\t" starts the accelerator text).
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// Inserts an item before the one `position` names (in the popup that holds it); a position
// past the end, or a command id no item has, appends.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// Replaces an item's kind, id, text and states.
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// Removes an item; a popup it opens is destroyed.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Removes an item; a popup it opens stays alive (the caller's again).
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Sets MF_ENABLED, MF_GRAYED or MF_DISABLED; the previous state (MF_GRAYED | MF_DISABLED
// bits), -1 when the item is not there.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
// Sets MF_CHECKED or MF_UNCHECKED; the previous check state, -1 when the item is not there.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
// The item's MF_* flags (for a popup, the item count in the high byte), -1 when not there.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// The number of items, -1 for a bad handle.
int GetMenuItemCount(HMENU menu);
// The command id of the item at `position`: -1 for a popup or no item; 0 for a separator.
UINT GetMenuItemID(HMENU menu, int position);
// Copies an item's text (truncated to maxCount - 1 characters); its length, 0 when none.
// A null buffer returns the full length.
int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags);
// The popup the item at `position` opens, null for a command or no item.
HMENU GetSubMenu(HMENU menu, int position);
// Gives a top-level window a menu bar (null removes it); FALSE for a child window.
BOOL SetMenu(HWND hwnd, HMENU menu);
// The window's menu bar, null for none or for a child window.
HMENU GetMenu(HWND hwnd);
// The window's own copy of the system menu (made on first use); with revert TRUE, destroys the
// copy and returns null, the window going back to the standard menu.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
// Redraws a window's menu bar (nothing to draw headless); FALSE for a bad window.
BOOL DrawMenuBar(HWND hwnd);

}  // extern "C"

#pragma GCC visibility pop
