// Adapts the framework's module state of this library to the resource loader's interface, so
// that a localized resource library loaded at start-up becomes the library's resource handle
// and every later template, string and icon lookup finds it.
#include "ResourceModuleAdapter.h"

#include <afxdisp.h>
#include <afxwin.h>

#include "ResourceLibrary.h"

namespace {

class LibraryModuleState final : public ResourceModuleState {
  public:
    bool hasApplication() const override { return AfxGetApp() != nullptr; }
    HINSTANCE resourceHandle() const override { return AfxGetResourceHandle(); }
    void setResourceHandle(HINSTANCE handle) override { AfxSetResourceHandle(handle); }
    HINSTANCE appInstance() const override {
        CWinApp* app = AfxGetApp();
        return app != nullptr ? app->m_hInstance : nullptr;
    }
    HINSTANCE moduleInstance() const override { return AfxGetInstanceHandle(); }
    HMODULE loadLibrary(LPCSTR path) override { return AfxLoadLibrary(path); }
};

}  // namespace

namespace kvTessel {

void installResourceModuleState() {
    static LibraryModuleState state;
    setResourceModuleState(&state);
}

}  // namespace kvTessel
