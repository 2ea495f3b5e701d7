// The common file dialogs: OPENFILENAMEA, GetOpenFileNameA, GetSaveFileNameA, GetFileTitleA
// and CommDlgExtendedError, with their Windows layouts and values. A file dialog needs a
// person, so it goes to the desktop (kvwin32/desktop.h); what the desktop answers is taken as
// a person types it into the file-name box: relative to the dialog's folder, with the default
// extension added when it has none, checked against OFN_FILEMUSTEXIST/OFN_PATHMUSTEXIST and
// confirmed with a message box under OFN_OVERWRITEPROMPT.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>

#include "kvwin32/windef.h"

// The hook procedure of an old-style or Explorer-style file dialog.
using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// What a program asks of a file dialog, and where the answer goes.
struct OPENFILENAMEA {
    DWORD lStructSize;        // sizeof(OPENFILENAMEA) or OPENFILENAME_SIZE_VERSION_400A
    HWND hwndOwner;           // owner window, may be null
    HINSTANCE hInstance;      // module of a dialog template (OFN_ENABLETEMPLATE)
    LPCSTR lpstrFilter;       // "desc\0pattern\0desc\0pattern\0\0", may be null
    LPSTR lpstrCustomFilter;  // user-defined filter pair, kept as given
    DWORD nMaxCustFilter;     // size of lpstrCustomFilter
    DWORD nFilterIndex;       // 1-based filter shown first, updated with the chosen one
    LPSTR lpstrFile;          // initial file name in, full path out
    DWORD nMaxFile;           // size of lpstrFile in characters
    LPSTR lpstrFileTitle;     // file name without folder out, may be null
    DWORD nMaxFileTitle;      // size of lpstrFileTitle
    LPCSTR lpstrInitialDir;   // folder the dialog opens in, may be null
    LPCSTR lpstrTitle;        // caption, null for "Open" / "Save As"
    DWORD Flags;              // OFN_* bits; OFN_READONLY and OFN_EXTENSIONDIFFERENT out
    WORD nFileOffset;         // offset of the file name in lpstrFile
    WORD nFileExtension;      // offset of the extension (after the dot) in lpstrFile
    LPCSTR lpstrDefExt;       // extension (without dot) added to a name without one
    LPARAM lCustData;         // handed to the hook with WM_INITDIALOG
    LPOFNHOOKPROC lpfnHook;   // hook procedure (OFN_ENABLEHOOK)
    LPCSTR lpTemplateName;    // dialog template name (OFN_ENABLETEMPLATE)
    void* pvReserved;         // reserved
    DWORD dwReserved;         // reserved
    DWORD FlagsEx;            // OFN_EX_* bits
};
using LPOPENFILENAMEA = OPENFILENAMEA*;
using OPENFILENAME = OPENFILENAMEA;
using LPOPENFILENAME = OPENFILENAMEA*;

// The size of the structure before the Windows 2000 members, which programs still pass.
#define OPENFILENAME_SIZE_VERSION_400A (offsetof(OPENFILENAMEA, pvReserved))
#define OPENFILENAME_SIZE_VERSION_400 OPENFILENAME_SIZE_VERSION_400A

// Flags.
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLEINCLUDENOTIFY 0x00400000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000
#define OFN_EX_NOPLACESBAR 0x00000001

// Extended errors (CommDlgExtendedError); 0 after a cancel.
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAIL 0x000C
#define FNERR_FILENAMECODES 0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

// Notifications an Explorer-style hook receives in WM_NOTIFY (OFNOTIFYA).
#define CDN_FIRST (0U - 601U)
#define CDN_INITDONE (CDN_FIRST - 0x0000)
#define CDN_SELCHANGE (CDN_FIRST - 0x0001)
#define CDN_FOLDERCHANGE (CDN_FIRST - 0x0002)
#define CDN_SHAREVIOLATION (CDN_FIRST - 0x0003)
#define CDN_HELP (CDN_FIRST - 0x0004)
#define CDN_FILEOK (CDN_FIRST - 0x0005)
#define CDN_TYPECHANGE (CDN_FIRST - 0x0006)

// Shows an open-file dialog; TRUE with the chosen path in lpstrFile, FALSE on cancel or error
// (CommDlgExtendedError tells which: 0 for cancel).
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
// Shows a save-file dialog; as GetOpenFileNameA.
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
// The error of the last common dialog call of the thread (0 when it succeeded or was cancelled).
DWORD CommDlgExtendedError();
// Copies the file name part of a path into title: 0 on success, the size needed (terminator
// included) when the buffer is too small, a negative value for an invalid name.
short GetFileTitleA(LPCSTR file, LPSTR title, WORD bufferSize);

#pragma GCC visibility pop
