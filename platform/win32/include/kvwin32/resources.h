// Resources of a module: finding, loading and locking them, and loading strings, with the
// Windows names and semantics. A module's resources come from the directory that the resource
// compiler generated for it (see kvwin32/resource_data.h).
//
// How a module's directory is found: first a directory registered for the module with
// KvRegisterResourceDirectory (the way a program hands over its own resources, since a program
// does not export symbols); else the module's exported KV_RESOURCE_DIRECTORY_SYMBOL (the way a
// shared library or a resource-only library, even one loaded as a data file, carries them).
// A null module is the main program.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/resource_data.h"

// A resource ordinal passed where a name is expected: the high bits of the pointer are zero.
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)

// Predefined resource types.
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)
#define RT_DLGINCLUDE MAKEINTRESOURCEA(17)
#define RT_ANICURSOR MAKEINTRESOURCEA(21)
#define RT_ANIICON MAKEINTRESOURCEA(22)
#define RT_HTML MAKEINTRESOURCEA(23)
#define RT_MANIFEST MAKEINTRESOURCEA(24)

// Language ids: a primary language in the low ten bits, a sublanguage above.
#ifndef MAKELANGID
#define MAKELANGID(p, s) (static_cast<WORD>((static_cast<WORD>(s) << 10) | static_cast<WORD>(p)))
#define PRIMARYLANGID(l) (static_cast<WORD>(l) & 0x3ff)
#define SUBLANGID(l) (static_cast<WORD>(l) >> 10)
#endif
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define LANG_FRENCH 0x0c
#define LANG_ITALIAN 0x10
#define LANG_JAPANESE 0x11
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_ENGLISH_UK 0x02
#define SUBLANG_GERMAN 0x01
#define SUBLANG_FRENCH 0x01
#define SUBLANG_ITALIAN 0x01
#define SUBLANG_JAPANESE_JAPAN 0x01
#endif

extern "C" {

// The resource of a type and name in the module's neutral language, else the user's default
// language (GetUserDefaultLCID), else English (United States), else any language; null with
// ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND. Names and types are ordinals
// (MAKEINTRESOURCEA), "#123" for an ordinal, or strings compared without case.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// The same, preferring a language: the exact language, then its primary language with the
// neutral sublanguage, then LANG_NEUTRAL, then any.
HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
// A handle to a resource's data (which stays valid while the module is loaded); null with
// ERROR_RESOURCE_DATA_NOT_FOUND for a handle that names no resource.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The address of the data a LoadResource handle names.
LPVOID LockResource(HGLOBAL data);
// The size of a resource's data in bytes, 0 for a handle that names no resource.
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources need no freeing; always FALSE, as on 32-bit Windows.
BOOL FreeResource(HGLOBAL data);

// Copies string `id` (only its low word counts) of the module's string table into the buffer,
// converted to the ANSI code page, truncated to bufferMax - 1 characters and terminated.
// Returns the number of characters copied; 0 when the string is missing or empty (the last
// error says why when missing); -1 when bufferMax is 0.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// Extension: makes `directory` the resources of `module` (null: the main program) ahead of
// whatever the module exports; a null directory removes the registration. FALSE with
// ERROR_INVALID_DATA when the directory's magic or version is wrong. The directory must live
// as long as the registration.
BOOL KvRegisterResourceDirectory(HMODULE module, const KvResourceDirectory* directory);

}  // extern "C"

#pragma GCC visibility pop
