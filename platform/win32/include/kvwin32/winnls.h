// Locale information: the system default locale comes from LC_ALL, then LANG.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SABBREVLANGNAME 0x00000003
#define LOCALE_SENGLANGUAGE 0x00001001
#define NORM_IGNORECASE 0x00000001
#define LCMAP_SORTKEY 0x00000400
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

extern "C" {

LCID GetSystemDefaultLCID();
LCID GetUserDefaultLCID();
// Length copied including the terminator; with size 0, the size needed.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
// Compares two strings of the given lengths (-1: up to their terminators) in the word-sort
// order of lstrcmpiA: CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN. Only NORM_IGNORECASE
// comparisons are made; other flags answer 0 (ERROR_INVALID_FLAGS).
int CompareStringA(LCID locale, DWORD flags, LPCSTR a, int countA, LPCSTR b, int countB);
// With LCMAP_SORTKEY (NORM_IGNORECASE or not; keys never order by letter case): writes the
// sort key of the source (count -1: up to its terminator), whose byte-wise order (memcmp, the
// ending zero included) is CompareStringA's; answers the bytes written, or with a destination
// size of 0 the size needed. 0 on failure (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_FLAGS).
int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceCount, LPSTR destination,
                 int destinationSize);

}  // extern "C"

#pragma GCC visibility pop
