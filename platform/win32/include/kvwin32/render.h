// Extension for tests, the Robot and snapshots: painting a window tree into pixels. Every
// control keeps what it shows in its own state, so a window painted here looks as it would on
// a screen, and the picture can be inspected or saved as PNG (kvwin32/pixels.h).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>

#include "kvwin32/pixels.h"
#include "kvwin32/windef.h"

namespace kvwin32 {

// Paints a window and its visible descendants into its top-level window's surface (the
// frame first, then the window's WM_PAINT, then its children bottom of the z-order first,
// each after its parent) and returns the pixels of the window rectangle. The window itself is
// painted even when hidden; hidden children are not. An empty image for an invalid window.
PixelImage renderWindow(HWND hwnd);

// The dialog font every DC paints text with: the outline font file in use, empty when the
// built-in bitmap font is. By default the file of the font package the build installs
// (Liberation Sans); the environment variable KV_DIALOG_FONT names another file, or
// "builtin" for the bitmap font. A file that cannot be read leaves the built-in font.
std::string dialogFontFile();
// Chooses the dialog font for the rest of the process: a font file, or "" for the built-in
// font. False (and no change) when the file cannot be read as an outline font.
bool setDialogFont(const std::string& file);

}  // namespace kvwin32

#pragma GCC visibility pop
