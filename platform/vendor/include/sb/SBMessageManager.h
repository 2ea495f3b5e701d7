// The message service: the process-wide table of message modules, and where catalog files are
// looked for.
//
// A catalog file name is looked for, in this order, in
//   1. the installation's catalog folder, TDSROOT + "\tools\catalogs" (when TDSROOT is set);
//   2. the catalog folder set with setCatalogFolder, or else the folder of the shared object
//      that holds the message library (catalogs ship beside the library).
// Paths are Windows paths through the kernel services' drive table.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sb/SBMessageModule.h"

class SBMessageManager {
  public:
    // Prepares the message service; later calls do nothing. Answers true.
    static bool initMS();
    // The process-wide manager, prepared on first use if initMS was not called.
    static SBMessageManager& getInstance();

    // The module of that name (case-insensitive), created empty on first request and kept
    // until the process ends; parent, taken from the creating request, is consulted for numbers
    // the module lacks. A null or empty name answers null.
    SBMessageModule* loadModule(const char* name, SBMessageModule* parent = nullptr);
    // The module of that name if it was loaded, else null.
    SBMessageModule* findModule(std::string_view name) const;

    // ---- Extensions for hosts and tests (the original had no equivalent) -----------------

    // Makes folder (a Windows path) the second catalog location instead of the library's own
    // folder; nullopt goes back to the library's folder.
    void setCatalogFolder(std::optional<std::string> folder);
    // The folders a catalog is looked for in, in order, as they stand now: Windows paths, and
    // the library's own folder as a host path ("/...") when no drive covers it.
    std::vector<std::string> catalogFolders() const;
    // Forgets every module (pointers handed out become invalid), every reported catalog and
    // the catalog folder override.
    void reset();

    // Remembers that a catalog could not be registered; answers false when it was already
    // remembered (so it is reported once per process).
    bool noteFailedCatalog(std::string_view fileName);

  private:
    SBMessageManager() = default;

    std::map<std::string, std::unique_ptr<SBMessageModule>> m_modules;  // upper-case name -> module
    std::set<std::string> m_failedCatalogs;      // lower-case file names already reported
    std::optional<std::string> m_catalogFolder;  // override of the library's folder
};

#pragma GCC visibility pop
