// The framework's in-process server support: the class factories a library registers, and
// the answers its DllCanUnloadNow and DllGetClassObject exports give.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/objbase.h"
#include "kvwin32/windef.h"

#ifndef CLASS_E_CLASSNOTAVAILABLE
#define CLASS_E_CLASSNOTAVAILABLE (static_cast<HRESULT>(0x80040111L))
#endif

// The class factories of a module. A module that declares no creatable class has none, so
// registering them all registers nothing.
class COleObjectFactory {
  public:
    // Registers every factory of the current module with the system; TRUE when all were
    // registered (trivially so without factories).
    static BOOL UpdateRegistryAll(BOOL registering = TRUE);
};

// S_OK when no object of the module is alive and no server lock is held, else S_FALSE.
HRESULT AfxDllCanUnloadNow();
// The class factory of a class of the module for an interface; without one, *object is null
// and the answer CLASS_E_CLASSNOTAVAILABLE.
HRESULT AfxDllGetClassObject(const GUID& clsid, const GUID& iid, LPVOID* object);
// Loads a library for the framework (the resource libraries of a module).
HINSTANCE AfxLoadLibrary(LPCSTR fileName);

#pragma GCC visibility pop
