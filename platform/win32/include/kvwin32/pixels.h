// Extension for tests, the Robot and snapshots: reading back what a DC or a bitmap shows,
// and saving it as a PNG picture.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kvwin32/windef.h"

namespace kvwin32 {

// A copy of pixels: rows top-down, each pixel 0x00RRGGBB.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The pixels of a bitmap; nullopt for a handle that is not a bitmap.
std::optional<PixelImage> readPixels(HBITMAP bitmap);
// What a DC paints into: the bitmap selected into a memory DC, or the part of a window's
// surface the DC covers. nullopt for a handle that is not a DC.
std::optional<PixelImage> readPixels(HDC dc);

// The image as a PNG file's bytes (8-bit RGB); empty for an empty or malformed image.
std::string encodePng(const PixelImage& image);
// The pixels of a PNG file's bytes (any colour type; alpha is dropped); nullopt when the
// bytes are not a readable PNG picture.
std::optional<PixelImage> decodePng(const std::string& bytes);
// Reads a PNG file at a host path; nullopt when it cannot be read.
std::optional<PixelImage> readPng(const std::string& hostPath);
// Writes an image as a PNG file at a host path (through a temporary file renamed over it);
// false when the image is empty or the file cannot be written.
bool writePng(const PixelImage& image, const std::string& hostPath);

// How two images differ, pixel by pixel: the number of pixels that differ (a pixel that only
// one of them has counts too) and a picture of the difference, the size of the larger, with
// equal pixels washed out towards white and differing ones in pure red.
struct ImageDifference {
    long long differing = 0;
    PixelImage picture;
};
ImageDifference compareImages(const PixelImage& expected, const PixelImage& actual);

// Writes a bitmap's or DC's pixels as a PNG file at a host path; false when the handle has no
// pixels or the file cannot be written (a failed write leaves no file behind).
bool writePng(HBITMAP bitmap, const std::string& hostPath);
bool writePng(HDC dc, const std::string& hostPath);

}  // namespace kvwin32

#pragma GCC visibility pop
