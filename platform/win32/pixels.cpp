// Reading pixels back out of bitmaps and DCs, and the small PNG encoder snapshots use: zlib
// "stored" blocks (no compression) with their Adler-32, and CRC-32 over each chunk.
#include "kvwin32/pixels.h"

#include <array>
#include <cstdio>
#include <fstream>

#include "internal/gdi.h"

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

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        c = crcTable()[(c ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

void putBigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    putBigEndian(out, crc32(body, 0));
}

bool writeFile(const std::string& bytes, const std::string& path) {
    // Written beside the target and renamed over it, so a failure leaves no half picture.
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
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
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    putChunk(png, "IHDR", header);

    // Scan lines: a filter byte (0, none) then red, green, blue per pixel.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * image.width));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            raw.push_back(static_cast<char>((p >> 16) & 0xFF));
            raw.push_back(static_cast<char>((p >> 8) & 0xFF));
            raw.push_back(static_cast<char>(p & 0xFF));
        }
    }
    // A zlib stream of stored blocks of at most 65535 bytes each.
    std::string zlib("\x78\x01", 2);
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        zlib.push_back(last ? '\x01' : '\x00');
        zlib.push_back(static_cast<char>(n & 0xFF));
        zlib.push_back(static_cast<char>(n >> 8));
        zlib.push_back(static_cast<char>(~n & 0xFF));
        zlib.push_back(static_cast<char>((~n >> 8) & 0xFF));
        zlib.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (char c : raw) {
        a = (a + static_cast<std::uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(zlib, (b << 16) | a);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", std::string());
    return png;
}

bool writePng(HBITMAP bitmap, const std::string& hostPath) {
    std::optional<PixelImage> image = readPixels(bitmap);
    return image && image->width > 0 && writeFile(encodePng(*image), hostPath);
}

bool writePng(HDC dc, const std::string& hostPath) {
    std::optional<PixelImage> image = readPixels(dc);
    return image && image->width > 0 && writeFile(encodePng(*image), hostPath);
}

}  // namespace kvwin32
