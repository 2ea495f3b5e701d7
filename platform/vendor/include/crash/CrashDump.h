// The crash-report library. On Windows it wrote a minidump named after the application into the
// dump folder when the process crashed. On Linux the system's own core dumps serve that
// purpose, so this stand-in only records what the library tells it; nothing is installed to
// catch crashes.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>

extern "C" {

// Records the application name dumps would carry; null records an empty name.
void Crash_Dump_SetAppName(const char* appName);
// Records the folder dumps would be written to; null records an empty folder.
void Crash_Dump_SetDumpPath(const char* dumpPath);

}  // extern "C"

namespace crashdump {

// What Crash_Dump_SetAppName last recorded, empty before.
std::string appName();
// What Crash_Dump_SetDumpPath last recorded, empty before.
std::string dumpPath();
// Forgets both (for tests).
void reset();

}  // namespace crashdump

#pragma GCC visibility pop
