// Extension for tests, the Robot and snapshots: painting a window tree into pixels. Every
// control keeps what it shows in its own state, so a window painted here looks as it would on
// a screen, and the picture can be inspected or saved as PNG (kvwin32/pixels.h).
#pragma once

#include "kvwin32/pixels.h"
#include "kvwin32/windef.h"

namespace kvwin32 {

// Paints a window and its visible descendants into its top-level window's surface (the
// frame first, then the window's WM_PAINT, then its children bottom of the z-order first,
// each after its parent) and returns the pixels of the window rectangle. The window itself is
// painted even when hidden; hidden children are not. An empty image for an invalid window.
PixelImage renderWindow(HWND hwnd);

}  // namespace kvwin32
