// The grid library's process-wide start-up state: what GXInit and GXSetNewGridLineMode were
// told. Grid windows read it when they are created.
#include "grid/gxinit.h"

#include "grid/gxwnd.h"

#include <mutex>

namespace {

// The one start-up record of the process, as the grid library keeps it.
struct StartupState {
    std::mutex mutex;
    kvgrid::GridStartup startup;
};

StartupState& state() {
    static StartupState s;
    return s;
}

}  // namespace

void GXInit(WORD frameworkVersion, LPCSTR language, LPCSTR resourcePath) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.startup.initialised = true;
    s.startup.frameworkVersion = frameworkVersion;
    s.startup.hasLanguage = language != nullptr && *language != '\0';
    s.startup.hasResourcePath = resourcePath != nullptr && *resourcePath != '\0';
    // Dialog templates name grids by the window class.
    GXRegisterWndClass();
}

void GXSetNewGridLineMode(BOOL enable, UINT lineStyle, BOOL solidFrozen) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.startup.newGridLines = enable != FALSE;
    s.startup.lineStyle = lineStyle;
    s.startup.solidFrozen = solidFrozen != FALSE;
}

namespace kvgrid {

GridStartup gridStartup() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return s.startup;
}

}  // namespace kvgrid
