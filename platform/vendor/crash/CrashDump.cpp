// The crash-report stand-in: remembers the application name and dump folder it is given.
#include "crash/CrashDump.h"

namespace {

// What the library told the crash reporter; one per process, like the original's handler.
struct CrashDumpSettings {
    std::string appName;
    std::string dumpPath;

    static CrashDumpSettings& instance() {
        static CrashDumpSettings settings;
        return settings;
    }
};

}  // namespace

extern "C" void Crash_Dump_SetAppName(const char* appName) {
    CrashDumpSettings::instance().appName = appName ? appName : "";
}

extern "C" void Crash_Dump_SetDumpPath(const char* dumpPath) {
    CrashDumpSettings::instance().dumpPath = dumpPath ? dumpPath : "";
}

namespace crashdump {

std::string appName() {
    return CrashDumpSettings::instance().appName;
}

std::string dumpPath() {
    return CrashDumpSettings::instance().dumpPath;
}

void reset() {
    CrashDumpSettings::instance() = CrashDumpSettings{};
}

}  // namespace crashdump
