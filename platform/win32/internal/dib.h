// Internal: the device-independent bitmap decoder behind LoadImageA and LoadBitmapA: ".bmp"
// files and the packed DIBs that RT_BITMAP resources hold.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "kvwin32/windef.h"

namespace kvwin32::internal {

// How the colour table is rewritten before the pixels are resolved (LoadImageA's flags).
struct DibLoadOptions {
    // The greys 128, 192 and 223 become COLOR_3DSHADOW, COLOR_3DFACE and COLOR_3DLIGHT.
    bool map3DColors = false;
    // The colour of the first stored pixel becomes COLOR_WINDOW (COLOR_3DFACE together with
    // map3DColors).
    bool transparent = false;
};

// A decoded image: rows top-down, pixels 0x00RRGGBB.
struct DecodedDib {
    int width = 0;
    int height = 0;
    int bitCount = 0;  // bits per pixel of the source
    std::vector<std::uint32_t> pixels;
};

// The most pixels a decoded image may have (4096 x 4096, 64 MiB of pixels): a bitmap file
// declaring more is refused, whatever its compression.
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{1} << 24;

// Decodes a packed DIB (a BITMAPINFOHEADER or BITMAPCOREHEADER, the colour table, then the
// bits): 1, 4, 8, 16, 24 and 32 bits per pixel, BI_RGB, BI_BITFIELDS, BI_RLE8 and BI_RLE4,
// bottom-up or top-down. Nothing outside the buffer is read; images wider or higher than
// kMaxBitmapSide or holding more than kMaxDibPixels, truncated data and inconsistent headers give
// nullopt.
std::optional<DecodedDib> decodePackedDib(std::span<const std::uint8_t> data,
                                          const DibLoadOptions& options = {});

// Decodes a ".bmp" file: a BITMAPFILEHEADER ("BM") in front of a packed DIB, whose bits start
// at bfOffBits.
std::optional<DecodedDib> decodeBmpFile(std::span<const std::uint8_t> file,
                                        const DibLoadOptions& options = {});

}  // namespace kvwin32::internal
