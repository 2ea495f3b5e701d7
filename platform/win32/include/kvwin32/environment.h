// Extensions around the environment overlay that Windows itself does not have: hosts and tests
// use them to start the library from a known environment.
#pragma once

namespace kvwin32 {

// Throws away every change made through the overlay and copies the process environment again.
// Pointers returned earlier by kvcrt::getenv become invalid.
void resetEnvironmentOverlay();

}  // namespace kvwin32
