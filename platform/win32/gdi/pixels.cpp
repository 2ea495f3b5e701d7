// Reading pixels back out of bitmaps and DCs, and PNG pictures of them (libpng): snapshots,
// golden images and the pictures a failed comparison leaves behind.
#include "kvwin32/pixels.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "internal/gdi.h"
#include "kvwin32/file_write.h"

namespace kvwin32 {

namespace {

using internal::GdiTable;
using internal::Surface;

PixelImage copyArea(const Surface& surface, const RECT& area) {
    const RECT r = internal::intersect(area, RECT{0, 0, surface.width, surface.height});
    PixelImage image;
    if (internal::isEmpty(r)) {
        return image;
    }
    image.width = r.right - r.left;
    image.height = r.bottom - r.top;
    image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* row = surface.row(y);
        for (int x = r.left; x < r.right; ++x) {
            image.pixels.push_back(row[x] & 0xFFFFFF);
        }
    }
    return image;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp /*png*/) {}

bool writeFile(const std::string& bytes, const std::string& path) {
    // Through the one whole-file write: a failure leaves no half picture, a link stays a link.
    return kvwin32::writeWholeFile(path, bytes) == 0;
}

}  // namespace

std::optional<PixelImage> readPixels(HBITMAP bitmap) {
    auto lock = internal::lockGdi();
    auto* object = GdiTable::instance().get<internal::BitmapObject>(bitmap);
    if (!object) {
        return std::nullopt;
    }
    const Surface& s = *object->surface;
    return copyArea(s, RECT{0, 0, s.width, s.height});
}

std::optional<PixelImage> readPixels(HDC dc) {
    auto lock = internal::lockGdi();
    internal::DcObject* object = internal::findDc(dc);
    if (!object) {
        return std::nullopt;
    }
    std::shared_ptr<Surface> surface = internal::dcSurface(*object);
    if (!surface) {
        return PixelImage{};
    }
    const RECT area =
        object->windowSurface ? object->windowArea : RECT{0, 0, surface->width, surface->height};
    return copyArea(*surface, area);
}

std::string encodePng(const PixelImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return std::string();
    }
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return std::string();
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * 3);
    // libpng reports errors by jumping back here; nothing below owns resources but png/info.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::string();
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>((p >> 16) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>((p >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(p & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::optional<PixelImage> decodePng(const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    // Pictures larger than any window are refused rather than allocated.
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    PixelImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    // BGRA bytes on a little-endian machine are 0xAARRGGBB words: the alpha is dropped below.
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    for (std::uint32_t& p : out.pixels) {
        p &= 0x00FFFFFF;
    }
    return out;
}

std::optional<PixelImage> readPng(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return decodePng(bytes);
}

bool writePng(const PixelImage& image, const std::string& hostPath) {
    const std::string png = encodePng(image);
    return !png.empty() && writeFile(png, hostPath);
}

ImageDifference compareImages(const PixelImage& expected, const PixelImage& actual) {
    ImageDifference d;
    d.picture.width = std::max(expected.width, actual.width);
    d.picture.height = std::max(expected.height, actual.height);
    d.picture.pixels.assign(static_cast<std::size_t>(d.picture.width) * d.picture.height, 0xFF0000);
    for (int y = 0; y < d.picture.height; ++y) {
        for (int x = 0; x < d.picture.width; ++x) {
            const bool inExpected = x < expected.width && y < expected.height;
            const bool inActual = x < actual.width && y < actual.height;
            std::uint32_t& out =
                d.picture.pixels[static_cast<std::size_t>(y) * d.picture.width + x];
            if (inExpected && inActual && expected.at(x, y) == actual.at(x, y)) {
                // A quarter of the colour on three quarters white.
                const std::uint32_t p = actual.at(x, y);
                std::uint32_t washed = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const std::uint32_t c = (p >> shift) & 0xFF;
                    washed |= ((c + 3 * 255) / 4) << shift;
                }
                out = washed;
            } else {
                ++d.differing;
            }
        }
    }
    return d;
}

bool writePng(HBITMAP bitmap, const std::string& hostPath) {
    std::optional<PixelImage> image = readPixels(bitmap);
    return image && image->width > 0 && writePng(*image, hostPath);
}

bool writePng(HDC dc, const std::string& hostPath) {
    std::optional<PixelImage> image = readPixels(dc);
    return image && image->width > 0 && writePng(*image, hostPath);
}

}  // namespace kvwin32
