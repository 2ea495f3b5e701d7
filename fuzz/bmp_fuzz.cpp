// Fuzz target: the ".bmp" and packed-DIB decoder on arbitrary bytes. Every input must give an
// image within the size limits or nothing, never a read outside the buffer; a few bytes that
// declare a huge image are refused at once (a slow input is a failure, as a crash is).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "internal/dib.h"
#include "internal/gdi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    kvwin32::internal::DibLoadOptions options;
    options.map3DColors = size > 0 && (data[size - 1] & 1);
    options.transparent = size > 0 && (data[size - 1] & 2);
    for (const auto& image : {kvwin32::internal::decodeBmpFile(bytes, options),
                              kvwin32::internal::decodePackedDib(bytes, options)}) {
        if (!image) {
            continue;
        }
        if (image->width <= 0 || image->height <= 0 ||
            image->width > kvwin32::internal::kMaxBitmapSide ||
            image->height > kvwin32::internal::kMaxBitmapSide ||
            static_cast<std::int64_t>(image->width) * image->height >
                kvwin32::internal::kMaxDibPixels ||
            image->pixels.size() != static_cast<std::size_t>(image->width) * image->height) {
            std::abort();
        }
        for (std::uint32_t p : image->pixels) {
            if (p > 0xFFFFFF) {
                std::abort();
            }
        }
    }
    return 0;
}
