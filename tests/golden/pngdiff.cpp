// kvpngdiff EXPECTED.png ACTUAL.png [DIFFERENCE.png]: compares two pictures pixel by pixel.
// Exit status 0 when they are equal, 1 when they differ (the difference picture is written
// when asked), 2 when a file cannot be read.
//
// kvpngdiff --from-xwd SCREEN.xwd X Y WIDTH HEIGHT OUT.png: cuts a rectangle out of a screen
// dump in X's window dump format (xwd -root) and writes it as a PNG picture, so that what a
// display shows can be compared with a snapshot.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "kvwin32/pixels.h"

namespace {

// A 32-bit big-endian field of the dump's header.
std::uint32_t field(const std::string& bytes, std::size_t index) {
    const std::size_t at = index * 4;
    if (at + 4 > bytes.size()) {
        return 0;
    }
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return v;
}

int shiftOf(std::uint32_t mask) {
    int shift = 0;
    while (mask != 0 && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The pixels of a ZPixmap dump of 24 or 32 bits a pixel; nullopt for any other dump.
std::optional<kvwin32::PixelImage> readXwd(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::uint32_t headerSize = field(bytes, 0);
    const std::uint32_t format = field(bytes, 2);
    const std::uint32_t width = field(bytes, 4);
    const std::uint32_t height = field(bytes, 5);
    const std::uint32_t byteOrder = field(bytes, 7);  // 0: least significant byte first
    const std::uint32_t bitsPerPixel = field(bytes, 11);
    const std::uint32_t bytesPerLine = field(bytes, 12);
    const std::uint32_t masks[3] = {field(bytes, 14), field(bytes, 15), field(bytes, 16)};
    const std::uint32_t colors = field(bytes, 19);
    if (field(bytes, 1) != 7 || format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) ||
        width == 0 || height == 0 || width > 16384 || height > 16384) {
        return std::nullopt;
    }
    const std::size_t data = std::size_t{headerSize} + std::size_t{colors} * 12;
    if (data + std::size_t{bytesPerLine} * height > bytes.size()) {
        return std::nullopt;
    }
    kvwin32::PixelImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(std::size_t{width} * height);
    const std::size_t step = bitsPerPixel / 8;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = data + std::size_t{y} * bytesPerLine + x * step;
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < step; ++i) {
                const std::uint32_t b = static_cast<unsigned char>(bytes[at + i]);
                v |= byteOrder == 0 ? b << (8 * i) : b << (8 * (step - 1 - i));
            }
            std::uint32_t rgb = 0;
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t part = (v & masks[c]) >> shiftOf(masks[c]);
                rgb |= (part & 0xFF) << (16 - 8 * c);
            }
            image.pixels[std::size_t{y} * width + x] = rgb;
        }
    }
    return image;
}

int cutFromXwd(char** argv) {
    const std::optional<kvwin32::PixelImage> screen = readXwd(argv[2]);
    if (!screen) {
        std::fprintf(stderr, "kvpngdiff: %s is not a readable screen dump\n", argv[2]);
        return 2;
    }
    const int x = std::atoi(argv[3]);
    const int y = std::atoi(argv[4]);
    const int w = std::atoi(argv[5]);
    const int h = std::atoi(argv[6]);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > screen->width || y + h > screen->height) {
        std::fprintf(stderr, "kvpngdiff: the rectangle is not on the screen\n");
        return 2;
    }
    kvwin32::PixelImage cut;
    cut.width = w;
    cut.height = h;
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            cut.pixels.push_back(screen->at(x + col, y + row));
        }
    }
    if (!kvwin32::writePng(cut, argv[7])) {
        std::fprintf(stderr, "kvpngdiff: cannot write %s\n", argv[7]);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 8 && std::string(argv[1]) == "--from-xwd") {
        return cutFromXwd(argv);
    }
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr,
                     "usage: kvpngdiff EXPECTED.png ACTUAL.png [DIFFERENCE.png]\n"
                     "       kvpngdiff --from-xwd SCREEN.xwd X Y WIDTH HEIGHT OUT.png\n");
        return 2;
    }
    const std::optional<kvwin32::PixelImage> expected = kvwin32::readPng(argv[1]);
    const std::optional<kvwin32::PixelImage> actual = kvwin32::readPng(argv[2]);
    if (!expected || !actual) {
        std::fprintf(stderr, "kvpngdiff: cannot read %s\n", expected ? argv[2] : argv[1]);
        return 2;
    }
    const kvwin32::ImageDifference difference = kvwin32::compareImages(*expected, *actual);
    if (difference.differing == 0) {
        return 0;
    }
    std::fprintf(stderr, "kvpngdiff: %lld pixels differ (%dx%d expected, %dx%d actual)\n",
                 difference.differing, expected->width, expected->height, actual->width,
                 actual->height);
    if (argc == 4 && !kvwin32::writePng(difference.picture, argv[3])) {
        std::fprintf(stderr, "kvpngdiff: cannot write %s\n", argv[3]);
    }
    return 1;
}
