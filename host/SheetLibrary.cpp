// Loading the settings library and looking up its exports.
#include "SheetLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace kvhost {

namespace {

template <typename Fn>
bool lookUp(void* handle, const char* name, Fn& out, std::string& missing,
            const char* shownName = nullptr) {
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        if (!missing.empty()) {
            missing += ", ";
        }
        missing += shownName != nullptr ? shownName : name;
        return false;
    }
    out = reinterpret_cast<Fn>(symbol);
    return true;
}

std::string programFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

}  // namespace

Result<SheetLibrary> SheetLibrary::load(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return Error{"cannot load the settings library '" + path +
                     "': " + (why != nullptr ? why : "unknown error")};
    }
    SheetLibrary library;
    library.m_path = path;
    SheetExports& e = library.m_exports;
    std::string missing;
    lookUp(handle, "DllShowSettingsDialog", e.showSettingsDialog, missing);
    lookUp(handle, "DllCreateModelessDialog", e.createModeless, missing);
    lookUp(handle, "DllCreateModelessDialogRunLimited", e.createModelessRunLimited, missing);
    lookUp(handle, "DllShowModelessDialog", e.showModeless, missing);
    lookUp(handle, "DllDeleteModelessDialog", e.deleteModeless, missing);
    lookUp(handle, "DllIsDialogDisplayed", e.isDialogDisplayed, missing);
    lookUp(handle, "DllGetActivePage", e.getActivePage, missing);
    lookUp(handle, "DllSetActivePage", e.setActivePage, missing);
    lookUp(handle, "DllPreTranslateMessage", e.preTranslateMessage, missing);
    lookUp(handle, "DllUpdateGeneralPage", e.updateGeneralPage, missing);
    lookUp(handle, "getModuleVersionInfo", e.getModuleVersionInfo, missing);
    // The registry class is exported with C++ names (the Itanium mangling of g++ and clang).
    lookUp(handle, "_ZN16ISyncCkptReStart13chkptSimEntryE", e.checkpointEntries, missing,
           "ISyncCkptReStart::chkptSimEntry");
    lookUp(handle, "_ZN16ISyncCkptReStart6killObEv", e.endCheckpointRegistry, missing,
           "ISyncCkptReStart::killOb");
    if (!missing.empty()) {
        return Error{"the settings library '" + path + "' lacks the exports " + missing};
    }
    return library;
}

std::string defaultLibraryPath() {
    if (const char* named = std::getenv("KV_TESSEL_LIBRARY"); named != nullptr && *named) {
        return named;
    }
#ifdef KVHOST_BUILT_LIBRARY
    if (access(KVHOST_BUILT_LIBRARY, R_OK) == 0) {
        return KVHOST_BUILT_LIBRARY;
    }
#endif
    const std::string beside = programFolder() + "/libkvTessel64.so";
    if (access(beside.c_str(), R_OK) == 0) {
        return beside;
    }
    return "libkvTessel64.so";
}

}  // namespace kvhost
