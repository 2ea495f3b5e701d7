// Locale information: the system default locale comes from LC_ALL, then LANG.
#pragma once

#include "kvwin32/windef.h"

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SABBREVLANGNAME 0x00000003
#define LOCALE_SENGLANGUAGE 0x00001001

extern "C" {

LCID GetSystemDefaultLCID();
LCID GetUserDefaultLCID();
// Length copied including the terminator; with size 0, the size needed.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);

}  // extern "C"
