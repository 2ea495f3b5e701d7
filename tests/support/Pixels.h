// Reading painted pixels in tests: how many pixels of an image have a given colour.
#pragma once

#include <cstdint>

#include "kvwin32/pixels.h"
#include "kvwin32/windef.h"

namespace kvtest {

// The 0x00RRGGBB pixel value of a COLORREF (0x00BBGGRR).
inline std::uint32_t pixelOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The number of pixels of the image that are exactly `pixel`.
inline int countPixels(const kvwin32::PixelImage& image, std::uint32_t pixel) {
    int n = 0;
    for (std::uint32_t p : image.pixels) {
        n += p == pixel ? 1 : 0;
    }
    return n;
}

// The number of pixels of the image painted in `color`.
inline int countColour(const kvwin32::PixelImage& image, COLORREF color) {
    return countPixels(image, pixelOf(color));
}

}  // namespace kvtest
