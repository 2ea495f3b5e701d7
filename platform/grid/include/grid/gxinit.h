// Start-up of the grid library: the calls an application makes once, before it creates any
// grid window, to tell the library which framework version it runs on and how grid lines are
// drawn. The library remembers what it was told; grids created later follow it.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

// Initialises the grid library for the framework version `frameworkVersion` (0x0B00 for the
// framework this product uses), with an optional language of its resource texts and an
// optional folder of its resource library (null for none). Calling it again re-initialises.
void GXInit(WORD frameworkVersion, LPCSTR language = nullptr, LPCSTR resourcePath = nullptr);

// Chooses the grid-line drawing of grids created from now on: `enable` switches the newer
// drawing on, `lineStyle` is the pen style of the lines, `solidFrozen` draws the lines around
// frozen rows and columns solid.
void GXSetNewGridLineMode(BOOL enable, UINT lineStyle, BOOL solidFrozen);

namespace kvgrid {

// What the application told the grid library at start-up.
struct GridStartup {
    bool initialised = false;
    WORD frameworkVersion = 0;
    bool hasLanguage = false;
    bool hasResourcePath = false;
    bool newGridLines = false;
    UINT lineStyle = 0;
    bool solidFrozen = false;
};

// The start-up state of the process's grid library.
GridStartup gridStartup();

}  // namespace kvgrid

#pragma GCC visibility pop
