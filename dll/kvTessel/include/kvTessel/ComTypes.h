// The few COM types that the library's in-process-server exports speak (DllCanUnloadNow,
// DllGetClassObject, DllRegisterServer): result codes (S_OK, S_FALSE, E_POINTER, E_FAIL,
// CLASS_E_CLASSNOTAVAILABLE) and class and interface identifiers (GUID, CLSID, IID, REFCLSID,
// REFIID), with their Windows names, layouts and values, as the platform's COM header has them.
#pragma once

#include <windows.h>

#include "kvwin32/objbase.h"
