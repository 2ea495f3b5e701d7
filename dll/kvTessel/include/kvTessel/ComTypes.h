// The few COM types that the library's in-process-server exports speak (DllCanUnloadNow,
// DllGetClassObject, DllRegisterServer): result codes and class and interface identifiers,
// with their Windows names, layouts and values.
#pragma once

#include <windows.h>

// A COM result code: negative on failure.
using HRESULT = LONG;

// A 128-bit class or interface identifier, laid out as on Windows.
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using CLSID = GUID;
using IID = GUID;
using REFCLSID = const CLSID&;
using REFIID = const IID&;

// Two identifiers are equal when all 128 bits are.
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}

// Result codes the exports return, with their winerror.h values. Macros, as on Windows, and
// guarded so that a platform header that defines them first wins.
#ifndef S_OK
#define S_OK (static_cast<HRESULT>(0L))  // success
#endif
#ifndef S_FALSE
#define S_FALSE (static_cast<HRESULT>(1L))  // success, answer "no"
#endif
#ifndef E_POINTER
#define E_POINTER (static_cast<HRESULT>(0x80004003L))  // invalid pointer argument
#endif
#ifndef E_FAIL
#define E_FAIL (static_cast<HRESULT>(0x80004005L))  // unspecified failure
#endif
#ifndef CLASS_E_CLASSNOTAVAILABLE
#define CLASS_E_CLASSNOTAVAILABLE (static_cast<HRESULT>(0x80040111L))  // no factory for the class
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)  // a success code
#endif
#ifndef FAILED
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)  // a failure code
#endif
