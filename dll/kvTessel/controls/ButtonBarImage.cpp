// The button bar's picture, drawn here in code: a sheet with a folded corner (New), a red
// cross (Delete) and two black arrows (Move Up, Move Down).
#include "ButtonBarImage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "kvwin32/crt.h"

namespace {

constexpr int kWidth = 88;
constexpr int kHeight = 20;
constexpr int kFace = 22;
constexpr int kRowBytes = kWidth / 2;  // 44: already a multiple of four
constexpr std::size_t kPixelOffset = 14 + 40 + 16 * 4;

// Indices of the standard 16-colour palette.
enum Colour : std::uint8_t { black = 0, grey = 8, lightGrey = 7, red = 9, white = 15 };

// The standard 16-colour palette as B, G, R.
constexpr std::uint8_t kPalette[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

// The colour of pixel (x, y) of face `face`, y from the top.
Colour facePixel(int face, int x, int y) {
    switch (face) {
        case 0: {  // New: a white sheet with a folded top-right corner
            const int left = 6;
            const int right = 15;
            const int top = 3;
            const int bottom = 16;
            if (x < left || x > right || y < top || y > bottom) {
                return lightGrey;
            }
            const int fold = (x - (right - 4)) - (y - top);  // > 0 beyond the fold's diagonal
            if (fold > 0) {
                return lightGrey;
            }
            if (fold == 0 || x == left || y == bottom || x == right || y == top) {
                return black;
            }
            if (x >= right - 4 && y <= top + 4 && (x == right - 4 || y == top + 4)) {
                return grey;
            }
            return white;
        }
        case 1: {  // Delete: a red cross two pixels thick
            if (x < 6 || x > 15 || y < 5 || y > 14) {
                return lightGrey;
            }
            const int dx = x - 6;
            const int dy = y - 5;
            return (std::abs(dx - dy) <= 1 || std::abs(dx + dy - 9) <= 1) ? red : lightGrey;
        }
        case 2:
        case 3: {  // Move Up and Move Down: a black arrow, head and shaft
            const int row = face == 2 ? y : kHeight - 1 - y;
            const int centre = 11;
            if (row >= 4 && row <= 9) {  // the head, widening downwards
                return std::abs(x - centre) <= row - 4 ? black : lightGrey;
            }
            if (row >= 10 && row <= 15) {  // the shaft
                return (x >= centre - 2 && x <= centre + 2) ? black : lightGrey;
            }
            return lightGrey;
        }
        default:
            return lightGrey;
    }
}

void put16(unsigned char* p, std::uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<unsigned char>(v >> (8 * i));
    }
}

std::array<unsigned char, kButtonBarImageSize> makeImage() {
    std::array<unsigned char, kButtonBarImageSize> image{};
    unsigned char* p = image.data();
    // BITMAPFILEHEADER
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, kButtonBarImageSize);
    put32(p + 10, kPixelOffset);
    // BITMAPINFOHEADER: 88 by 20, bottom-up, one plane, 4 bits, uncompressed, 16 colours
    put32(p + 14, 40);
    put32(p + 18, kWidth);
    put32(p + 22, kHeight);
    put16(p + 26, 1);
    put16(p + 28, 4);
    put32(p + 34, kRowBytes * kHeight);
    put32(p + 46, 16);
    for (int i = 0; i < 16; ++i) {
        unsigned char* entry = p + 54 + 4 * i;
        entry[0] = kPalette[i][0];
        entry[1] = kPalette[i][1];
        entry[2] = kPalette[i][2];
    }
    for (int y = 0; y < kHeight; ++y) {
        unsigned char* row =
            p + kPixelOffset + static_cast<std::size_t>(kHeight - 1 - y) * kRowBytes;
        for (int x = 0; x < kWidth; ++x) {
            const auto colour = static_cast<unsigned char>(facePixel(x / kFace, x % kFace, y));
            row[x / 2] |= (x % 2 == 0) ? static_cast<unsigned char>(colour << 4) : colour;
        }
    }
    return image;
}

}  // namespace

const std::array<unsigned char, kButtonBarImageSize>& ButtonBarImage() {
    static const std::array<unsigned char, kButtonBarImageSize> image = makeImage();
    return image;
}

HBITMAP LoadButtonBarBitmap(const char* fileName) {
    // Through the platform's file functions, so that a relative name is in the process's
    // current folder and a drive path is mapped as every other path of the library.
    std::FILE* file = kvcrt::fopen(fileName, "wb");
    if (file == nullptr) {
        return nullptr;  // the bar then shows no pictures
    }
    const auto& image = ButtonBarImage();
    const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    const bool closed = std::fclose(file) == 0;
    HBITMAP bitmap = nullptr;
    if (written && closed) {
        bitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
    }
    ::DeleteFileA(fileName);
    return bitmap;
}
