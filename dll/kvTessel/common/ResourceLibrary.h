// The localized resource library: dialog templates, strings and icons in the user's language
// come from root\tools\kvResources\<language>\<module>_res.dll, loaded beside the library's own
// resources and, on request, made the library's current resource handle.
#pragma once

#include <string_view>

#include <windows.h>

// How LoadResourceLibrary uses the library it loads.
enum class ResourceLoadMode {
    MakeCurrent = 1,  // load it and make it the library's resource handle
    LoadOnly = 2,     // load it and leave the resource handle alone
    DataFile = 3,     // load it as a data file (no code), even without an application object
};

// The framework's module state as the resource loader sees it: the application object, the
// current resource handle and the instances of the application and the module. The framework
// plugs its own in with setResourceModuleState; until it does, the state has no application.
struct ResourceModuleState {
    virtual ~ResourceModuleState() = default;
    // Whether the module has an application object.
    virtual bool hasApplication() const = 0;
    // The handle resources are currently looked up in.
    virtual HINSTANCE resourceHandle() const = 0;
    // Makes a module the one resources are looked up in.
    virtual void setResourceHandle(HINSTANCE handle) = 0;
    // The application's instance handle.
    virtual HINSTANCE appInstance() const = 0;
    // The module's own instance handle.
    virtual HINSTANCE moduleInstance() const = 0;
    // The framework's library loader; the default loads the file as a library.
    virtual HMODULE loadLibrary(LPCSTR path) { return LoadLibraryA(path); }
};

// The module state the framework plugged in, or a state without an application.
ResourceModuleState& resourceModuleState();

// Plugs in the framework's module state (null restores the state without an application).
// The state must outlive its use by LoadResourceLibrary.
void setResourceModuleState(ResourceModuleState* state);

// Loads the resource library of a module in the system's language (with useLocale) or in
// English, through the module state the framework plugged in; the loaded library, or null.
HMODULE LoadResourceLibrary(std::string_view module, ResourceLoadMode mode, bool useLocale);

// The same with an explicit module state.
HMODULE LoadResourceLibrary(std::string_view module, ResourceLoadMode mode, bool useLocale,
                            ResourceModuleState& state);
