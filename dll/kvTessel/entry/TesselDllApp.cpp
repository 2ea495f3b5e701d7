// Start-up of the library: what CTesselDllApp::InitInstance does when the shared object is
// loaded, and the help file path rewrite that every entry point that opens the sheet repeats.
#include "TesselDllApp.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <afxdisp.h>
#include <commctrl.h>

#include "InstallEnvironment.h"
#include "PathUtil.h"
#include "ResourceLibrary.h"
#include "ResourceModuleAdapter.h"
#include "crash/CrashDump.h"
#include "grid/gxinit.h"
#include "tds/tds.h"

namespace {

// The parts of a module's full file name, as the C library's _splitpath gives them: drive
// ("C:"), folder with its trailing separator, base name, extension with its dot.
struct SplitPath {
    std::string drive;
    std::string folder;
    std::string base;
    std::string extension;
};

SplitPath splitPath(std::string_view path) {
    SplitPath parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        parts.folder = std::string(path.substr(0, slash + 1));
        path.remove_prefix(slash + 1);
    }
    const std::size_t dot = path.find_last_of('.');
    parts.base = std::string(path.substr(0, dot));
    if (dot != std::string_view::npos) {
        parts.extension = std::string(path.substr(dot));
    }
    return parts;
}

// The framework's version the grid library is told about.
constexpr WORD kFrameworkVersion = 0x0B00;

}  // namespace

AFX_LIBRARY_APPLICATION(CTesselDllApp, theApp);

CTesselDllApp::CTesselDllApp() = default;

BOOL CTesselDllApp::InitInstance() {
    const char* const programName[] = {"tds_root.exe"};
    tdsInit(1, programName);

    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(m_hInstance, modulePath, MAX_PATH);
    const SplitPath parts = splitPath(modulePath);

    Crash_Dump_SetAppName(parts.base.c_str());

    // The framework's module state is what the resource loader reads and changes.
    kvTessel::installResourceModuleState();
    LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, true);

    Crash_Dump_SetDumpPath((parts.drive + parts.folder).c_str());

    GXInit(kFrameworkVersion, nullptr, nullptr);
    GXSetNewGridLineMode(TRUE, 2, TRUE);

    InitCommonControls();

    BeginPerUserRegistration();
    COleObjectFactory::UpdateRegistryAll();
    EndPerUserRegistration();

    FixHelpFilePath(this);
    return TRUE;
}

void FixHelpFilePath(CWinApp* app) {
    if (app == nullptr || app->m_pszHelpFilePath == nullptr) {
        return;
    }
    std::string path = app->m_pszHelpFilePath;
    PathUtil::normalize(path, false);
    std::string fixed(PathUtil::directory(path).in(path));
    fixed += "ventra.chm";
    PathUtil::normalize(fixed, false);
    // The framework owns the string: free the old one, store a copy of the new one.
    std::free(const_cast<char*>(app->m_pszHelpFilePath));
    app->m_pszHelpFilePath = strdup(fixed.c_str());
}
