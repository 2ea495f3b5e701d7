// Bitmaps: device-dependent bitmaps (monochrome or 32-bit), 32-bit DIB sections, copying rows
// in and out as DIBs, and loading ".bmp" files and RT_BITMAP resources with LoadImageA.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "internal/dib.h"
#include "internal/gdi.h"
#include "internal/hostpath.h"
#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_draw.h"

using namespace kvwin32::internal;

namespace {

// Largest ".bmp" file LoadImageA reads: a 16384x16384 32-bit image and its headers.
constexpr std::uintmax_t kMaxBmpFileSize = 1024ull * 1024 * 1024 + 4096;

HBITMAP addBitmap(std::shared_ptr<Surface> surface, bool dibSection = false) {
    GdiObject object;
    object.type = OBJ_BITMAP;
    object.data = BitmapObject{std::move(surface), nullptr, dibSection};
    return static_cast<HBITMAP>(GdiTable::instance().add(std::move(object)));
}

// Row stride of a DIB with this width and depth: dword aligned.
std::size_t dibStride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

std::shared_ptr<Surface> surfaceFrom(const DecodedDib& image, bool monochrome) {
    auto surface = makeSurface(image.width, image.height, monochrome);
    if (!surface) {
        return nullptr;
    }
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        surface->pixels[i] = surface->fit(image.pixels[i]);
    }
    return surface;
}

// Nearest-neighbour resize for LoadImageA's cx and cy.
std::shared_ptr<Surface> resized(const Surface& from, int width, int height) {
    auto to = makeSurface(width, height, from.monochrome);
    if (!to) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * from.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * from.width / (2LL * width));
            to->row(y)[x] = from.row(sy)[sx];
        }
    }
    return to;
}

std::optional<std::vector<std::uint8_t>> readFile(LPCSTR windowsPath) {
    std::optional<std::string> host = hostPath(windowsPath);
    if (!host) {
        return std::nullopt;  // hostPath set the last error
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxBmpFileSize) {
        SetLastError(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        SetLastError(ERROR_READ_FAULT);
        return std::nullopt;
    }
    return bytes;
}

// The packed DIB of a module's RT_BITMAP resource.
std::optional<std::span<const std::uint8_t>> bitmapResource(HINSTANCE instance, LPCSTR name) {
    HRSRC resource = FindResourceA(instance, name, RT_BITMAP);
    if (!resource) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data),
                                         SizeofResource(instance, resource));
}

// Whether the header describes a top-down DIB (negative height).
bool topDown(const BITMAPINFO* info) {
    return info->bmiHeader.biHeight < 0;
}

}  // namespace

extern "C" HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount,
                                const void* bits) {
    if (width < 0 || height < 0 || planes != 1 ||
        (bitCount != 1 && bitCount != 24 && bitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = lockGdi();
    if (width == 0 || height == 0) {
        // Windows hands out its 1x1 monochrome bitmap for an empty size.
        return defaultBitmap();
    }
    auto surface = makeSurface(width, height, bitCount == 1);
    if (!surface) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (bits) {
        // Device-dependent rows are word aligned.
        const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 15) / 16) * 2;
        const auto* in = static_cast<const std::uint8_t*>(bits);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = in + static_cast<std::size_t>(y) * stride;
            std::uint32_t* out = surface->row(y);
            for (int x = 0; x < width; ++x) {
                if (bitCount == 1) {
                    out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
                } else {
                    const std::size_t at = static_cast<std::size_t>(x) * (bitCount / 8);
                    out[x] = (static_cast<std::uint32_t>(row[at + 2]) << 16) |
                             (static_cast<std::uint32_t>(row[at + 1]) << 8) | row[at];
                }
            }
        }
    }
    return addBitmap(std::move(surface));
}

extern "C" HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context || width < 0 || height < 0) {
        SetLastError(context ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (width == 0 || height == 0) {
        return defaultBitmap();
    }
    // A memory DC makes bitmaps like the one it holds: a fresh memory DC still holds the
    // monochrome default bitmap, the classic trap of drawing into a black-and-white copy.
    std::shared_ptr<Surface> current = dcSurface(*context);
    const bool monochrome = !context->windowSurface && current && current->monochrome;
    auto surface = makeSurface(width, height, monochrome);
    if (!surface) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return addBitmap(std::move(surface));
}

extern "C" HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits,
                                    HANDLE section, DWORD) {
    if (bits) {
        *bits = nullptr;
    }
    if (!info || usage != DIB_RGB_COLORS || section || info->bmiHeader.biSize < 40 ||
        info->bmiHeader.biBitCount != 32 || info->bmiHeader.biPlanes != 1 ||
        (info->bmiHeader.biCompression != BI_RGB &&
         info->bmiHeader.biCompression != BI_BITFIELDS) ||
        info->bmiHeader.biHeight == INT32_MIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const int width = info->bmiHeader.biWidth;
    const int height =
        info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    auto lock = lockGdi();
    auto surface = makeSurface(width, height, false);
    if (!surface) {
        SetLastError(width <= 0 || height <= 0 ? ERROR_INVALID_PARAMETER : ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    surface->bottomUp = !topDown(info);
    if (bits) {
        *bits = surface->pixels.data();
    }
    return addBitmap(std::move(surface), true);
}

extern "C" int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits,
                         BITMAPINFO* info, UINT usage) {
    auto lock = lockGdi();
    auto* object = GdiTable::instance().get<BitmapObject>(bitmap);
    if (!findDc(dc) || !object || !info || info->bmiHeader.biSize < 40 || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Surface& s = *object->surface;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // Describe the bitmap: its size, depth and the bytes its bits take.
        h.biWidth = s.width;
        h.biHeight = s.height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.monochrome ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(dibStride(s.width, h.biBitCount) * s.height);
        return s.height;
    }
    if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB ||
        h.biWidth != s.width || h.biHeight == 0 || h.biHeight == INT32_MIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t stride = dibStride(s.width, h.biBitCount);
    const bool down = h.biHeight < 0;
    const UINT total = static_cast<UINT>(s.height);
    if (start >= total) {
        return 0;
    }
    const UINT count = std::min(lines, total - start);
    auto* out = static_cast<std::uint8_t*>(bits);
    for (UINT n = 0; n < count; ++n) {
        // Scan line numbers count from the bottom for a bottom-up DIB.
        const UINT scan = start + n;
        const int y = down ? static_cast<int>(scan) : s.height - 1 - static_cast<int>(scan);
        std::uint8_t* row = out + static_cast<std::size_t>(n) * stride;
        const std::uint32_t* in = s.row(y);
        for (int x = 0; x < s.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(x) * (h.biBitCount / 8);
            row[at] = static_cast<std::uint8_t>(in[x]);
            row[at + 1] = static_cast<std::uint8_t>(in[x] >> 8);
            row[at + 2] = static_cast<std::uint8_t>(in[x] >> 16);
            if (h.biBitCount == 32) {
                row[at + 3] = 0;
            }
        }
    }
    return static_cast<int>(count);
}

extern "C" int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
                         const BITMAPINFO* info, UINT usage) {
    auto lock = lockGdi();
    auto* object = GdiTable::instance().get<BitmapObject>(bitmap);
    if (!object || !bits || !info || info->bmiHeader.biSize < 40 || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    Surface& s = *object->surface;
    if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB ||
        h.biWidth != s.width || h.biHeight == 0 || h.biHeight == INT32_MIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t stride = dibStride(s.width, h.biBitCount);
    const bool down = h.biHeight < 0;
    const UINT total = static_cast<UINT>(s.height);
    if (start >= total) {
        return 0;
    }
    const UINT count = std::min(lines, total - start);
    const auto* in = static_cast<const std::uint8_t*>(bits);
    for (UINT n = 0; n < count; ++n) {
        const UINT scan = start + n;
        const int y = down ? static_cast<int>(scan) : s.height - 1 - static_cast<int>(scan);
        const std::uint8_t* row = in + static_cast<std::size_t>(n) * stride;
        std::uint32_t* out = s.row(y);
        for (int x = 0; x < s.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(x) * (h.biBitCount / 8);
            out[x] = s.fit((static_cast<std::uint32_t>(row[at + 2]) << 16) |
                           (static_cast<std::uint32_t>(row[at + 1]) << 8) | row[at]);
        }
    }
    return static_cast<int>(count);
}

extern "C" HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy,
                             UINT flags) {
    if (type != IMAGE_BITMAP || !name || cx < 0 || cy < 0) {
        // Icons and cursors are not loaded by this layer.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DibLoadOptions options;
    options.map3DColors = (flags & LR_LOADMAP3DCOLORS) != 0;
    options.transparent = (flags & LR_LOADTRANSPARENT) != 0;
    std::optional<DecodedDib> image;
    if (flags & LR_LOADFROMFILE) {
        std::optional<std::vector<std::uint8_t>> bytes = readFile(name);
        if (!bytes) {
            return nullptr;
        }
        image = decodeBmpFile(*bytes, options);
    } else {
        std::optional<std::span<const std::uint8_t>> packed = bitmapResource(instance, name);
        if (!packed) {
            return nullptr;  // FindResourceA set the last error
        }
        image = decodePackedDib(*packed, options);
    }
    if (!image) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    auto lock = lockGdi();
    std::shared_ptr<Surface> surface = surfaceFrom(*image, (flags & LR_MONOCHROME) != 0);
    if (surface && (cx || cy)) {
        // A zero side keeps the image's own size.
        surface = resized(*surface, cx ? cx : surface->width, cy ? cy : surface->height);
    }
    if (!surface) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if ((flags & LR_CREATEDIBSECTION) && !surface->monochrome) {
        // A DIB section stores its rows bottom-up, as the ".bmp" did.
        auto flipped = std::make_shared<Surface>(*surface);
        flipped->bottomUp = true;
        for (int y = 0; y < surface->height; ++y) {
            std::copy(surface->row(y), surface->row(y) + surface->width, flipped->row(y));
        }
        return addBitmap(std::move(flipped), true);
    }
    return addBitmap(std::move(surface));
}

extern "C" HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    return static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, 0));
}
