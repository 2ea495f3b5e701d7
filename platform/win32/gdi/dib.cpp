// The ".bmp" / packed-DIB decoder: header forms, colour tables, the bit depths and the two
// run-length encodings Windows writes, read with every offset checked against the buffer.
#include "internal/dib.h"

#include <algorithm>
#include <bit>

#include "internal/gdi.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal {

namespace {

std::uint32_t readLe(std::span<const std::uint8_t> data, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | data[at + static_cast<std::size_t>(i)];
    }
    return v;
}

// A BITFIELDS channel mask as a shift and width, to scale the channel to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    std::uint32_t extract(std::uint32_t value) const {
        if (bits == 0) {
            return 0;
        }
        std::uint32_t v = (value & mask) >> shift;
        if (bits >= 8) {
            return v >> (bits - 8);
        }
        // Widen by repeating the top bits, so that full scale stays full scale.
        std::uint32_t out = 0;
        int have = 0;
        while (have < 8) {
            out = (out << bits) | v;
            have += bits;
        }
        return out >> (have - 8);
    }
};

Channel channel(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask != 0) {
        c.shift = std::countr_zero(mask);
        // The span from the lowest to the highest set bit, so that a mask with holes still
        // gives a value below 2^bits.
        c.bits = std::bit_width(mask >> c.shift);
    }
    return c;
}

struct Header {
    int width = 0;
    int height = 0;  // rows
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntries = 0;
    int paletteEntrySize = 4;
    std::size_t bitsOffset = 0;  // computed from the header and the colour table
    Channel red, green, blue;
};

std::optional<Header> readHeader(std::span<const std::uint8_t> data) {
    if (data.size() < 12) {
        return std::nullopt;
    }
    Header h;
    const std::uint32_t size = readLe(data, 0, 4);
    std::uint32_t colorsUsed = 0;
    if (size == 12) {
        h.width = static_cast<int>(readLe(data, 4, 2));
        h.height = static_cast<int>(readLe(data, 6, 2));
        if (readLe(data, 8, 2) != 1) {
            return std::nullopt;
        }
        h.bitCount = static_cast<int>(readLe(data, 10, 2));
        h.paletteEntrySize = 3;
    } else if (size >= 40 && size <= 124 && data.size() >= size) {
        const auto width = static_cast<std::int32_t>(readLe(data, 4, 4));
        const auto height = static_cast<std::int32_t>(readLe(data, 8, 4));
        if (readLe(data, 12, 2) != 1 || height == INT32_MIN) {
            return std::nullopt;
        }
        h.width = width;
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.bitCount = static_cast<int>(readLe(data, 14, 2));
        h.compression = readLe(data, 16, 4);
        colorsUsed = readLe(data, 32, 4);
    } else {
        return std::nullopt;
    }
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxBitmapSide || h.height > kMaxBitmapSide) {
        return std::nullopt;
    }
    // A run-length image may declare any size in a few bytes; no image this library shows
    // comes near the limit, so a larger one is refused before anything is allocated for it.
    if (static_cast<std::int64_t>(h.width) * h.height > kMaxDibPixels) {
        return std::nullopt;
    }
    switch (h.compression) {
        case BI_RGB:
            if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
                h.bitCount != 24 && h.bitCount != 32) {
                return std::nullopt;
            }
            break;
        case BI_RLE8:
        case BI_RLE4:
            // Run-length images are always stored bottom-up.
            if (h.bitCount != (h.compression == BI_RLE8 ? 8 : 4) || h.topDown) {
                return std::nullopt;
            }
            break;
        case BI_BITFIELDS:
            if (h.bitCount != 16 && h.bitCount != 32) {
                return std::nullopt;
            }
            break;
        default:
            return std::nullopt;
    }
    std::size_t offset = size;
    if (h.compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header; the later headers carry them inside.
        const std::size_t masksAt = 40;
        if (data.size() < masksAt + 12) {
            return std::nullopt;
        }
        h.red = channel(readLe(data, masksAt, 4));
        h.green = channel(readLe(data, masksAt + 4, 4));
        h.blue = channel(readLe(data, masksAt + 8, 4));
        if (size == 40) {
            offset += 12;
        }
    } else if (h.bitCount == 16) {
        h.red = channel(0x7C00);
        h.green = channel(0x03E0);
        h.blue = channel(0x001F);
    } else if (h.bitCount >= 24) {
        h.red = channel(0xFF0000);
        h.green = channel(0x00FF00);
        h.blue = channel(0x0000FF);
    }
    h.paletteOffset = offset;
    if (h.bitCount <= 8) {
        const std::size_t full = std::size_t{1} << h.bitCount;
        h.paletteEntries = colorsUsed == 0 ? full : std::min<std::size_t>(colorsUsed, full);
    } else {
        // A colour table in front of true-colour bits is a hint for palette devices: skipped.
        h.paletteEntries = std::min<std::size_t>(colorsUsed, 256);
    }
    h.bitsOffset = offset + h.paletteEntries * static_cast<std::size_t>(h.paletteEntrySize);
    if (h.bitsOffset > data.size()) {
        return std::nullopt;
    }
    return h;
}

// The colour table as pixels, rewritten as LoadImageA's flags ask.
std::vector<std::uint32_t> readPalette(std::span<const std::uint8_t> data, const Header& h) {
    std::vector<std::uint32_t> palette;
    if (h.bitCount > 8) {
        return palette;
    }
    palette.resize(std::size_t{1} << h.bitCount, 0);
    for (std::size_t i = 0; i < h.paletteEntries; ++i) {
        const std::size_t at = h.paletteOffset + i * static_cast<std::size_t>(h.paletteEntrySize);
        // Entries are blue, green, red (and a reserved byte).
        palette[i] = (static_cast<std::uint32_t>(data[at + 2]) << 16) |
                     (static_cast<std::uint32_t>(data[at + 1]) << 8) | data[at];
    }
    return palette;
}

void mapPalette(std::vector<std::uint32_t>& palette, std::optional<std::uint8_t> firstIndex,
                const DibLoadOptions& options) {
    if (options.map3DColors) {
        // The three greys Windows documents for LR_LOADMAP3DCOLORS.
        for (std::uint32_t& entry : palette) {
            if (entry == 0x808080) {
                entry = pixelFromColor(GetSysColor(COLOR_3DSHADOW));
            } else if (entry == 0xC0C0C0) {
                entry = pixelFromColor(GetSysColor(COLOR_3DFACE));
            } else if (entry == 0xDFDFDF) {
                entry = pixelFromColor(GetSysColor(COLOR_3DLIGHT));
            }
        }
    }
    if (options.transparent && firstIndex && *firstIndex < palette.size()) {
        palette[*firstIndex] =
            pixelFromColor(GetSysColor(options.map3DColors ? COLOR_3DFACE : COLOR_WINDOW));
    }
}

// Row of the image (top-down) that the n-th stored row is.
int imageRow(const Header& h, int stored) {
    return h.topDown ? stored : h.height - 1 - stored;
}

std::optional<DecodedDib> decodeUncompressed(std::span<const std::uint8_t> bits, const Header& h,
                                             std::vector<std::uint32_t> palette,
                                             const DibLoadOptions& options) {
    const std::size_t stride =
        ((static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.bitCount) + 31) / 32) * 4;
    if (bits.size() / stride < static_cast<std::size_t>(h.height)) {
        return std::nullopt;
    }
    DecodedDib image;
    image.width = h.width;
    image.height = h.height;
    image.bitCount = h.bitCount;
    image.pixels.resize(static_cast<std::size_t>(h.width) * h.height);
    if (h.bitCount <= 8) {
        // The first stored pixel picks the transparent colour.
        mapPalette(palette, static_cast<std::uint8_t>(bits[0] >> (8 - h.bitCount)), options);
    }
    for (int stored = 0; stored < h.height; ++stored) {
        const std::uint8_t* row = bits.data() + static_cast<std::size_t>(stored) * stride;
        std::uint32_t* out =
            image.pixels.data() + static_cast<std::size_t>(imageRow(h, stored)) * h.width;
        for (int x = 0; x < h.width; ++x) {
            std::uint32_t p = 0;
            switch (h.bitCount) {
                case 1:
                    p = palette[(row[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    p = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
                    break;
                case 8:
                    p = palette[row[x]];
                    break;
                case 16:
                case 32: {
                    const std::size_t at = static_cast<std::size_t>(x) * (h.bitCount / 8);
                    std::uint32_t v = row[at] | (row[at + 1] << 8);
                    if (h.bitCount == 32) {
                        v |= (static_cast<std::uint32_t>(row[at + 2]) << 16) |
                             (static_cast<std::uint32_t>(row[at + 3]) << 24);
                    }
                    p = (h.red.extract(v) << 16) | (h.green.extract(v) << 8) | h.blue.extract(v);
                    break;
                }
                case 24: {
                    const std::size_t at = static_cast<std::size_t>(x) * 3;
                    p = (static_cast<std::uint32_t>(row[at + 2]) << 16) |
                        (static_cast<std::uint32_t>(row[at + 1]) << 8) | row[at];
                    break;
                }
                default:
                    break;
            }
            out[x] = p;
        }
    }
    return image;
}

std::optional<DecodedDib> decodeRle(std::span<const std::uint8_t> bits, const Header& h,
                                    std::vector<std::uint32_t> palette,
                                    const DibLoadOptions& options) {
    const bool four = h.compression == BI_RLE4;
    // Pixels a run does not reach keep colour index 0.
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(h.width) * h.height, 0);
    std::optional<std::uint8_t> first;
    int x = 0;
    int y = 0;  // stored row: 0 is the bottom
    std::size_t at = 0;
    auto put = [&](std::uint8_t index) {
        if (!first) {
            first = index;
        }
        if (x < h.width && y < h.height) {
            indices[static_cast<std::size_t>(h.height - 1 - y) * h.width + x] = index;
        }
        ++x;
    };
    bool ended = false;
    while (!ended && y < h.height && at + 1 < bits.size()) {
        const std::uint8_t count = bits[at];
        const std::uint8_t value = bits[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: one index repeated, or two nibbles alternating.
            for (int i = 0; i < count && x < h.width; ++i) {
                put(four ? static_cast<std::uint8_t>(i % 2 ? value & 0xF : value >> 4) : value);
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                ended = true;
                break;
            case 2:  // delta: move right and up
                if (at + 1 >= bits.size()) {
                    return std::nullopt;
                }
                x += bits[at];
                y += bits[at + 1];
                at += 2;
                break;
            default: {  // an absolute run of `value` indices, padded to a 16-bit boundary
                const std::size_t bytes = four ? (value + 1u) / 2 : value;
                if (at + bytes > bits.size()) {
                    return std::nullopt;
                }
                for (int i = 0; i < value; ++i) {
                    const std::uint8_t b = bits[at + (four ? i / 2 : i)];
                    put(four ? static_cast<std::uint8_t>(i % 2 ? b & 0xF : b >> 4) : b);
                }
                at += bytes + (bytes & 1);
                break;
            }
        }
    }
    mapPalette(palette, first, options);
    DecodedDib image;
    image.width = h.width;
    image.height = h.height;
    image.bitCount = h.bitCount;
    image.pixels.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        image.pixels[i] = palette[indices[i] < palette.size() ? indices[i] : 0];
    }
    return image;
}

std::optional<DecodedDib> decodeAt(std::span<const std::uint8_t> info, std::size_t bitsOffset,
                                   const DibLoadOptions& options) {
    std::optional<Header> h = readHeader(info);
    if (!h) {
        return std::nullopt;
    }
    if (bitsOffset == 0) {
        bitsOffset = h->bitsOffset;
    }
    if (bitsOffset >= info.size()) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> palette = readPalette(info, *h);
    std::span<const std::uint8_t> bits = info.subspan(bitsOffset);
    if (h->compression == BI_RLE8 || h->compression == BI_RLE4) {
        return decodeRle(bits, *h, std::move(palette), options);
    }
    return decodeUncompressed(bits, *h, std::move(palette), options);
}

}  // namespace

std::optional<DecodedDib> decodePackedDib(std::span<const std::uint8_t> data,
                                          const DibLoadOptions& options) {
    return decodeAt(data, 0, options);
}

std::optional<DecodedDib> decodeBmpFile(std::span<const std::uint8_t> file,
                                        const DibLoadOptions& options) {
    constexpr std::size_t kFileHeader = 14;
    if (file.size() < kFileHeader || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t offBits = readLe(file, 10, 4);
    std::span<const std::uint8_t> info = file.subspan(kFileHeader);
    // bfOffBits counts from the start of the file; one that points into the headers is
    // ignored and the bits are taken to follow the colour table.
    std::optional<Header> h = readHeader(info);
    if (!h) {
        return std::nullopt;
    }
    std::size_t bitsOffset = h->bitsOffset;
    if (offBits >= kFileHeader + h->bitsOffset && offBits < file.size()) {
        bitsOffset = offBits - kFileHeader;
    }
    return decodeAt(info, bitsOffset, options);
}

}  // namespace kvwin32::internal
