// Message boxes: MessageBoxA and its style bits and answers, with their Windows values. A
// message box needs a person, so the window system hands it to the desktop (kvwin32/desktop.h),
// which answers it and writes it into its transcript.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

// Buttons (the low four bits).
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL

// Icon (bits 4 to 7).
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_USERICON 0x00000080L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONMASK 0x000000F0L

// Default button (bits 8 to 11).
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_DEFMASK 0x00000F00L

// Modality and other flags.
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_MODEMASK 0x00003000L
#define MB_MISCMASK 0x0000C000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_RTLREADING 0x00100000L
#define MB_SERVICE_NOTIFICATION 0x00200000L

// Answers are the standard command ids of kvwin32/styles.h (IDOK, IDCANCEL, IDYES, IDNO ...)
// and the two of MB_CANCELTRYCONTINUE.
#ifndef IDTRYAGAIN
#define IDTRYAGAIN 10
#endif
#ifndef IDCONTINUE
#define IDCONTINUE 11
#endif

// The last error of MessageBoxA for a style it cannot show.
#ifndef ERROR_INVALID_MSGBOX_STYLE
#define ERROR_INVALID_MSGBOX_STYLE 1158L
#endif

// Shows a message box owned by owner and returns the id of the button that closed it, or 0
// when the style is invalid (ERROR_INVALID_MSGBOX_STYLE). A null caption means "Error".
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// MessageBoxA with a language id, which this window system ignores.
int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId);
// Plays the sound for a message box type; there is no sound here, so it only succeeds.
BOOL MessageBeep(UINT type);

#pragma GCC visibility pop
