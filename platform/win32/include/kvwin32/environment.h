// Extensions around the environment overlay that Windows itself does not have: hosts and tests
// use them to start the library from a known environment.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

namespace kvwin32 {

// Throws away every change made through the overlay and copies the process environment again.
// Pointers returned earlier by kvcrt::getenv become invalid.
void resetEnvironmentOverlay();

}  // namespace kvwin32

#pragma GCC visibility pop
