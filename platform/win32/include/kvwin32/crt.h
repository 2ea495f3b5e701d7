// The C runtime calls the library makes on Windows paths and the Windows environment.
// _access and _putenv keep their Microsoft names; fopen and getenv would collide with the C
// library's own, so they live in namespace kvcrt and library code calls them qualified.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstdio>

extern "C" {

// 0 when the path exists and allows the mode (0 exists, 2 write, 4 read, 6 both), else -1
// with errno set.
int _access(const char* path, int mode);
// "NAME=value" sets a variable of the overlay, "NAME=" removes it; 0 on success, -1 on error.
int _putenv(const char* envstring);

}  // extern "C"

namespace kvcrt {

// fopen on a Windows path, with the case-insensitive lookup of the file system layer; a
// "b" or "t" in the mode is accepted and means nothing more than on POSIX.
FILE* fopen(const char* path, const char* mode);
// The overlay's value of a variable (names are case-insensitive), or null. The pointer stays
// valid until the variable is next changed.
const char* getenv(const char* name);

}  // namespace kvcrt

#pragma GCC visibility pop
