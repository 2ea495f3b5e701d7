// The picture of CListBoxExBuddy's four buttons: an 88 by 20 pixel, 16-colour Windows bitmap
// file image (998 bytes) carried by the program, with the faces New, Delete, Move Up and Move
// Down, 22 by 20 pixels each, left to right, on the light grey that LR_LOADMAP3DCOLORS turns
// into the button face colour.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

// Size of the bitmap file image.
inline constexpr std::size_t kButtonBarImageSize = 998;

// The bitmap file image.
const std::array<unsigned char, kButtonBarImageSize>& ButtonBarImage();

// Writes the image to the file `fileName` (in the current folder when relative), loads it
// from there as a bitmap with the 3D colours mapped, and deletes the file. Null when the file
// cannot be written or read back; the caller owns the bitmap.
HBITMAP LoadButtonBarBitmap(const char* fileName);
