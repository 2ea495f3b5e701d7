// Locale information: the system default locale comes from LC_ALL, then LANG.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SABBREVLANGNAME 0x00000003
#define LOCALE_SENGLANGUAGE 0x00001001
// Comparison flags. For ASCII text only NORM_IGNORECASE (LINGUISTIC_IGNORECASE alike),
// NORM_IGNORESYMBOLS and SORT_STRINGSORT change the order; the others concern characters beyond
// ASCII (accents, kana, widths) and are accepted without effect. SORT_DIGITSASNUMBERS is refused.
#define NORM_IGNORECASE 0x00000001
#define NORM_IGNORENONSPACE 0x00000002
#define NORM_IGNORESYMBOLS 0x00000004
#define SORT_DIGITSASNUMBERS 0x00000008
#define LINGUISTIC_IGNORECASE 0x00000010
#define LINGUISTIC_IGNOREDIACRITIC 0x00000020
#define SORT_STRINGSORT 0x00001000
#define NORM_IGNOREKANATYPE 0x00010000
#define NORM_IGNOREWIDTH 0x00020000
#define NORM_LINGUISTIC_CASING 0x08000000
#define LOCALE_USE_CP_ACP 0x40000000
#define LCMAP_SORTKEY 0x00000400
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

extern "C" {

LCID GetSystemDefaultLCID();
LCID GetUserDefaultLCID();
// Length copied including the terminator; with size 0, the size needed.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
// Compares two strings of the given lengths (-1: up to their terminators; NUL characters inside
// a counted string weigh nothing) in Windows' word sort: symbols before digits before letters;
// then, where nothing else differs, lower case before upper case (unless NORM_IGNORECASE); last,
// hyphens and apostrophes, which weigh nothing before that (SORT_STRINGSORT: they sort as the
// symbols they are). NORM_IGNORESYMBOLS drops spaces and punctuation. Answers CSTR_LESS_THAN,
// CSTR_EQUAL or CSTR_GREATER_THAN; 0 on failure (ERROR_INVALID_FLAGS, ERROR_INVALID_PARAMETER).
int CompareStringA(LCID locale, DWORD flags, LPCSTR a, int countA, LPCSTR b, int countB);
// With LCMAP_SORTKEY and CompareStringA's flags: writes the sort key of the source (count -1: up
// to its terminator), whose byte-wise order (memcmp, the ending zero included; no other byte is
// zero) is CompareStringA's under the same flags. A key takes at most 2 * count + 2 bytes with
// NORM_IGNORECASE, 3 * count + 2 without. Answers the bytes written, or with a destination size
// of 0 the size needed; 0 on failure (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_FLAGS: no other
// mapping is made; ERROR_INVALID_PARAMETER, also for a count of 0).
int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceCount, LPSTR destination,
                 int destinationSize);

}  // extern "C"

#pragma GCC visibility pop
