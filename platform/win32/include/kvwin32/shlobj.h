// The shell's folder browser and item id lists: BROWSEINFOA, SHBrowseForFolderA, the
// BFFM_* callback messages, SHGetPathFromIDListA, SHGetMalloc and ILFree, with their Windows
// layouts and values. A folder browser needs a person, so it goes to the desktop
// (kvwin32/desktop.h). An item id list here holds one file-system path; like the shell's, it
// comes from the task allocator and is freed with CoTaskMemFree, ILFree or IMalloc::Free.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/objbase.h"
#include "kvwin32/windef.h"

#pragma pack(push, 1)
// One element of an item id list: a byte count (cb included) and the element's bytes.
struct SHITEMID {
    USHORT cb;
    BYTE abID[1];
};
// An item id list: elements one after another, ended by an element with cb == 0.
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using PCUIDLIST_ABSOLUTE = const ITEMIDLIST*;

// The callback of a folder browser: told BFFM_INITIALIZED, BFFM_SELCHANGED ...
using BFFCALLBACK = int (*)(HWND hwnd, UINT msg, LPARAM lParam, LPARAM data);

// What a program asks of a folder browser.
struct BROWSEINFOA {
    HWND hwndOwner;              // owner window
    PCIDLIST_ABSOLUTE pidlRoot;  // root of the tree (null: the desktop)
    LPSTR pszDisplayName;        // receives the chosen folder's display name (MAX_PATH bytes)
    LPCSTR lpszTitle;            // text above the tree
    UINT ulFlags;                // BIF_* bits
    BFFCALLBACK lpfn;            // callback, may be null
    LPARAM lParam;               // handed to the callback
    int iImage;                  // receives the image index of the folder
};
using LPBROWSEINFOA = BROWSEINFOA*;
using BROWSEINFO = BROWSEINFOA;
using LPBROWSEINFO = BROWSEINFOA*;

// Flags.
#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#define BIF_STATUSTEXT 0x00000004
#define BIF_RETURNFSANCESTORS 0x00000008
#define BIF_EDITBOX 0x00000010
#define BIF_VALIDATE 0x00000020
#define BIF_NEWDIALOGSTYLE 0x00000040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BIF_BROWSEINCLUDEURLS 0x00000080
#define BIF_UAHINT 0x00000100
#define BIF_NONEWFOLDERBUTTON 0x00000200
#define BIF_NOTRANSLATETARGETS 0x00000400
#define BIF_BROWSEFORCOMPUTER 0x00001000
#define BIF_BROWSEFORPRINTER 0x00002000
#define BIF_BROWSEINCLUDEFILES 0x00004000
#define BIF_SHAREABLE 0x00008000

// Messages the browser sends its callback.
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_VALIDATEFAILEDA 3
#define BFFM_IUNKNOWN 5

// Messages the callback sends the browser window.
#define BFFM_SETSTATUSTEXTA (0x0400 + 100)
#define BFFM_ENABLEOK (0x0400 + 101)
#define BFFM_SETSELECTIONA (0x0400 + 102)
#define BFFM_SETOKTEXT (0x0400 + 105)
#define BFFM_SETEXPANDED (0x0400 + 106)
#define BFFM_SETSTATUSTEXT BFFM_SETSTATUSTEXTA
#define BFFM_SETSELECTION BFFM_SETSELECTIONA

// Shows a folder browser; the chosen folder as an item id list (free it with CoTaskMemFree),
// or null on cancel.
PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info);
#define SHBrowseForFolder SHBrowseForFolderA
// Copies the file-system path of an item id list into path (MAX_PATH bytes); FALSE for a
// list that names no file-system folder.
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE pidl, LPSTR path);
#define SHGetPathFromIDList SHGetPathFromIDListA
// The shell's allocator (the task allocator), AddRef'd.
HRESULT SHGetMalloc(LPMALLOC* malloc);
// Frees an item id list; null is ignored.
void ILFree(PIDLIST_ABSOLUTE pidl);
// A new item id list for a Windows path (no check that it exists); free it with ILFree.
PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR path);
// The size in bytes of an item id list, terminator included (0 for null).
UINT ILGetSize(PCUIDLIST_ABSOLUTE pidl);

#pragma GCC visibility pop
