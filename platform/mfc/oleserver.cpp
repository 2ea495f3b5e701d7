// In-process server support of the framework for a module without creatable classes: no
// factories to register or hand out, and nothing that keeps the module loaded.
#include "afxdisp.h"

#include <windows.h>

BOOL COleObjectFactory::UpdateRegistryAll(BOOL) {
    return TRUE;
}

HRESULT AfxDllCanUnloadNow() {
    return S_OK;
}

HRESULT AfxDllGetClassObject(const GUID&, const GUID&, LPVOID* object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

HINSTANCE AfxLoadLibrary(LPCSTR fileName) {
    return LoadLibraryA(fileName);
}
