// The settings library as kvhost sees it: a shared object loaded with dlopen whose exports
// are looked up by name, exactly as any host would use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Result.h"
#include "kvTessel/Exports.h"

namespace kvhost {

// The library's exports, each looked up by its C name.
struct SheetExports {
    int (*showSettingsDialog)(SimProfile*) = nullptr;
    CSimPropertySheet* (*createModeless)(SimProfile*, HWND, LPARAM) = nullptr;
    CSimPropertySheet* (*createModelessRunLimited)(SimProfile*, HWND, LPARAM, int, int) = nullptr;
    void (*showModeless)(CSimPropertySheet*, int) = nullptr;
    void (*deleteModeless)(CSimPropertySheet*) = nullptr;
    int (*isDialogDisplayed)(CSimPropertySheet*) = nullptr;
    WORD (*getActivePage)(CSimPropertySheet*) = nullptr;
    void (*setActivePage)(CSimPropertySheet*, std::int16_t) = nullptr;
    int (*preTranslateMessage)(MSG*) = nullptr;
    void (*updateGeneralPage)(CSimPropertySheet*, const GeneralSettings*, GeneralField) = nullptr;
    int (*getModuleVersionInfo)(char*) = nullptr;
    // The exported checkpoint registry (ISyncCkptReStart): its list of entries, which point
    // into the host's profile, and the end of its singleton.
    std::vector<CCheckPointReader*>* checkpointEntries = nullptr;
    void (*endCheckpointRegistry)() = nullptr;
};

// A loaded settings library. It stays loaded until the process ends: its application object
// and windows live in the process's one framework and window system.
class SheetLibrary {
  public:
    // Loads the library at `path` and looks up every export; an error names the file or the
    // missing export.
    static Result<SheetLibrary> load(const std::string& path);

    const SheetExports& exports() const { return m_exports; }
    const std::string& path() const { return m_path; }

  private:
    SheetExports m_exports;
    std::string m_path;
};

// Where kvhost looks for the library when no --library is given: the KV_TESSEL_LIBRARY
// variable, then the library built beside kvhost, then "libkvTessel64.so" beside the program,
// then the name alone (the dynamic loader's search path).
std::string defaultLibraryPath();

}  // namespace kvhost
