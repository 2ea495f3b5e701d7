// Loading the localized resource library of a module.
#include "ResourceLibrary.h"

#include <array>
#include <string>

#include "InstallEnvironment.h"

namespace {

constexpr const char* kDefaultLanguage = "ENU";

// The module state before the framework plugs its own in: no application object, no handles.
struct NoFrameworkState final : ResourceModuleState {
    bool hasApplication() const override { return false; }
    HINSTANCE resourceHandle() const override { return nullptr; }
    void setResourceHandle(HINSTANCE) override {}
    HINSTANCE appInstance() const override { return nullptr; }
    HINSTANCE moduleInstance() const override { return nullptr; }
};

// Which module state the framework has plugged in; one per process, like the framework's own
// module state.
struct ModuleStateSlot {
    NoFrameworkState none;
    ResourceModuleState* plugged = nullptr;

    static ModuleStateSlot& instance() {
        static ModuleStateSlot slot;
        return slot;
    }
};

// The system default locale's three-letter language name ("ENU", "DEU", "JPN").
std::string systemLanguage() {
    std::array<char, 16> name{};
    int n = GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, name.data(),
                           static_cast<int>(name.size()));
    if (n <= 1)
        return kDefaultLanguage;
    name.back() = '\0';
    return name.data();
}

std::string libraryPath(std::string_view module, std::string_view language) {
    return InstallFolder(0, false) + "\\tools\\kvResources\\" + std::string(language) + "\\" +
           std::string(module) + "_res.dll";
}

}  // namespace

ResourceModuleState& resourceModuleState() {
    auto& slot = ModuleStateSlot::instance();
    return slot.plugged ? *slot.plugged : slot.none;
}

void setResourceModuleState(ResourceModuleState* state) {
    ModuleStateSlot::instance().plugged = state;
}

HMODULE LoadResourceLibrary(std::string_view module, ResourceLoadMode mode, bool useLocale) {
    return LoadResourceLibrary(module, mode, useLocale, resourceModuleState());
}

HMODULE LoadResourceLibrary(std::string_view module, ResourceLoadMode mode, bool useLocale,
                            ResourceModuleState& state) {
    const bool dataFile = mode == ResourceLoadMode::DataFile;
    if (!dataFile && !state.hasApplication())
        return nullptr;

    const std::string language = useLocale ? systemLanguage() : kDefaultLanguage;
    const std::string path = libraryPath(module, language);
    // Only the locale's own file is tested: a missing language folder means the library's
    // built-in resources, not the English library.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    if (!dataFile && (!state.resourceHandle() || !state.appInstance() || !state.moduleInstance()))
        return nullptr;

    auto& libraries = InstallEnvironmentCache::instance().resourceLibraries;
    const std::string key(module);
    auto known = libraries.find(key);
    HMODULE library = nullptr;
    if (known != libraries.end()) {
        library = known->second.library;
    } else {
        library = LoadLibraryExA(path.c_str(), nullptr, dataFile ? LOAD_LIBRARY_AS_DATAFILE : 0);
        if (!library) {
            // A locale library that exists but will not load (damaged, wrong architecture)
            // falls back to the English one.
            library = state.loadLibrary(libraryPath(module, kDefaultLanguage).c_str());
        }
        if (!library)
            return nullptr;
    }

    HINSTANCE previous = state.resourceHandle();
    if (mode == ResourceLoadMode::MakeCurrent)
        state.setResourceHandle(library);
    if (known == libraries.end())
        libraries.emplace(key, LoadedResourceLibrary{previous, library});
    return library;
}
