// Bitmaps: creation, DIB sections and DIB copies, ".bmp" files of every depth and orientation
// decoded to exact pixels, malformed files refused, the 3-D colour mapping, resources, and
// the PNG snapshots.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "GdiCanvas.h"
#include "TempDir.h"
#include "internal/dib.h"
#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::PixelImage;

// ---- A ".bmp" writer of the test's own ------------------------------------------------------

void put16(std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

struct BmpImage {
    int width;
    int height;
    int bitCount;
    std::vector<COLORREF> palette;
    std::vector<std::vector<std::uint32_t>> rows;  // top first: indices, or 0xRRGGBB
};

// Packed DIB (header, colour table, bits); `core` writes the 12-byte header.
std::string packedDib(const BmpImage& image, bool topDown, bool core = false) {
    std::string dib;
    if (core) {
        put32(dib, 12);
        put16(dib, image.width);
        put16(dib, image.height);
        put16(dib, 1);
        put16(dib, image.bitCount);
    } else {
        put32(dib, 40);
        put32(dib, static_cast<std::uint32_t>(image.width));
        put32(dib, static_cast<std::uint32_t>(topDown ? -image.height : image.height));
        put16(dib, 1);
        put16(dib, image.bitCount);
        put32(dib, BI_RGB);
        for (int i = 0; i < 5; ++i) {
            put32(dib, 0);  // image size, resolution, colours used (all), important
        }
    }
    if (image.bitCount <= 8) {
        for (std::size_t i = 0; i < (std::size_t{1} << image.bitCount); ++i) {
            const COLORREF c = i < image.palette.size() ? image.palette[i] : 0;
            dib.push_back(static_cast<char>(GetBValue(c)));
            dib.push_back(static_cast<char>(GetGValue(c)));
            dib.push_back(static_cast<char>(GetRValue(c)));
            if (!core) {
                dib.push_back('\0');
            }
        }
    }
    const std::size_t stride = ((image.width * image.bitCount + 31) / 32) * 4;
    for (int n = 0; n < image.height; ++n) {
        const auto& row = image.rows[static_cast<std::size_t>(topDown ? n : image.height - 1 - n)];
        std::string bytes(stride, '\0');
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t v = row[static_cast<std::size_t>(x)];
            switch (image.bitCount) {
                case 1:
                    bytes[x / 8] = static_cast<char>(bytes[x / 8] | (v << (7 - x % 8)));
                    break;
                case 4:
                    bytes[x / 2] = static_cast<char>(bytes[x / 2] | (v << (x % 2 ? 0 : 4)));
                    break;
                case 8:
                    bytes[x] = static_cast<char>(v);
                    break;
                default: {
                    const std::size_t at = static_cast<std::size_t>(x) * (image.bitCount / 8);
                    bytes[at] = static_cast<char>(v & 0xFF);
                    bytes[at + 1] = static_cast<char>((v >> 8) & 0xFF);
                    bytes[at + 2] = static_cast<char>((v >> 16) & 0xFF);
                    break;
                }
            }
        }
        dib += bytes;
    }
    return dib;
}

std::string withFileHeader(const std::string& dib, std::uint32_t bitsOffsetInDib) {
    std::string file = "BM";
    put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    put32(file, 0);
    put32(file, 14 + bitsOffsetInDib);
    return file + dib;
}

std::uint32_t bitsOffset(const BmpImage& image, bool core = false) {
    const std::uint32_t header = core ? 12 : 40;
    const std::uint32_t entry = core ? 3 : 4;
    return header + (image.bitCount <= 8 ? (1u << image.bitCount) * entry : 0);
}

std::uint32_t pixelOf(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The 3x2 test picture: red green blue over white black grey, as colour-table indices.
const std::vector<COLORREF> kPalette = {RGB(0, 0, 0),   RGB(255, 0, 0),     RGB(0, 255, 0),
                                        RGB(0, 0, 255), RGB(255, 255, 255), RGB(128, 128, 128)};
const std::vector<std::vector<std::uint32_t>> kIndices = {{1, 2, 3}, {4, 0, 5}};
const std::vector<std::uint32_t> kExpected = {0xFF0000, 0x00FF00, 0x0000FF,
                                              0xFFFFFF, 0x000000, 0x808080};

BmpImage testImage(int bitCount) {
    BmpImage image{3, 2, bitCount, kPalette, kIndices};
    if (bitCount == 1) {
        image.palette = {RGB(0, 0, 0), RGB(255, 255, 255)};
        image.rows = {{1, 0, 1}, {0, 1, 0}};
    } else if (bitCount > 8) {
        image.palette.clear();
        image.rows = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x808080}};
    }
    return image;
}

std::vector<std::uint32_t> expectedPixels(int bitCount) {
    if (bitCount == 1) {
        return {0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0};
    }
    return kExpected;
}

class BmpFiles : public testing::Test {
  protected:
    kvtest::TempDir m_dir;

    HBITMAP load(const std::string& name, const std::string& bytes, UINT flags = 0, int cx = 0,
                 int cy = 0) {
        m_dir.write(name, bytes);
        return static_cast<HBITMAP>(LoadImageA(nullptr, m_dir.win(name).c_str(), IMAGE_BITMAP, cx,
                                               cy, LR_LOADFROMFILE | flags));
    }
};

struct DepthCase {
    int bitCount;
    bool topDown;
    bool core;
};

TEST_F(BmpFiles, EachDepthAndOrientationDecodesToTheSamePixels) {
    const DepthCase cases[] = {
        {1, false, false},  {1, true, false},  {4, false, false},  {4, true, false},
        {8, false, false},  {8, true, false},  {24, false, false}, {24, true, false},
        {32, false, false}, {32, true, false}, {8, false, true},   {24, false, true},
        {1, false, true},
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.bitCount << " bits, " << (c.topDown ? "top-down" : "bottom-up")
                     << (c.core ? ", core header" : ""));
        const BmpImage image = testImage(c.bitCount);
        HBITMAP bitmap = load("t.bmp", withFileHeader(packedDib(image, c.topDown, c.core),
                                                      bitsOffset(image, c.core)));
        ASSERT_NE(bitmap, nullptr);
        auto pixels = kvwin32::readPixels(bitmap);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, 3);
        EXPECT_EQ(pixels->height, 2);
        EXPECT_EQ(pixels->pixels, expectedPixels(c.bitCount));
        DeleteObject(bitmap);
    }
}

TEST_F(BmpFiles, RunLengthEncodedImages) {
    struct RleCase {
        const char* name;
        int bitCount;
        int width;
        int height;
        std::string bits;
        std::vector<std::uint32_t> indices;  // top row first
    };
    const RleCase cases[] = {
        // Bottom row: two of index 1 then end of line; top row: an absolute run 2 3 2 then
        // one 4, end of bitmap. Pixels no run reaches keep index 0.
        {"rle8",
         8,
         4,
         2,
         std::string("\x02\x01\x00\x00\x00\x03\x02\x03\x02\x00\x01\x04\x00\x01", 14),
         {2, 3, 2, 4, 1, 1, 0, 0}},
        // A delta moves right 2 and up 1 from the bottom row's start.
        {"rle8 delta",
         8,
         3,
         2,
         std::string("\x00\x02\x02\x01\x01\x05\x00\x01", 8),
         {0, 0, 5, 0, 0, 0}},
        // An encoded run alternates the two nibbles; an absolute run of five nibbles takes
        // three bytes padded to four.
        {"rle4",
         4,
         5,
         2,
         std::string("\x04\x12\x00\x00\x00\x05\x12\x34\x50\x00\x00\x01", 12),
         {1, 2, 3, 4, 5, 1, 2, 1, 2, 0}},
    };
    for (const RleCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dib;
        put32(dib, 40);
        put32(dib, static_cast<std::uint32_t>(c.width));
        put32(dib, static_cast<std::uint32_t>(c.height));
        put16(dib, 1);
        put16(dib, c.bitCount);
        put32(dib, c.bitCount == 8 ? BI_RLE8 : BI_RLE4);
        put32(dib, static_cast<std::uint32_t>(c.bits.size()));
        for (int i = 0; i < 4; ++i) {
            put32(dib, 0);
        }
        for (std::size_t i = 0; i < (std::size_t{1} << c.bitCount); ++i) {
            const COLORREF color = i < kPalette.size() ? kPalette[i] : RGB(1, 1, 1);
            dib.push_back(static_cast<char>(GetBValue(color)));
            dib.push_back(static_cast<char>(GetGValue(color)));
            dib.push_back(static_cast<char>(GetRValue(color)));
            dib.push_back('\0');
        }
        const auto offset = static_cast<std::uint32_t>(dib.size());
        HBITMAP bitmap = load("r.bmp", withFileHeader(dib + c.bits, offset));
        ASSERT_NE(bitmap, nullptr);
        auto pixels = kvwin32::readPixels(bitmap);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t index : c.indices) {
            expected.push_back(pixelOf(kPalette[index]));
        }
        EXPECT_EQ(pixels->pixels, expected);
        DeleteObject(bitmap);
    }
}

TEST_F(BmpFiles, MalformedFilesAreRefused) {
    const BmpImage image = testImage(24);
    const std::string good = withFileHeader(packedDib(image, false), bitsOffset(image));
    auto patched = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
        std::string s = good;
        for (int i = 0; i < bytes; ++i) {
            s[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return s;
    };
    const BmpImage indexed = testImage(8);
    const std::string palettized = withFileHeader(packedDib(indexed, false), bitsOffset(indexed));
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"signature only", "BM"},
        {"wrong signature", "XY" + good.substr(2)},
        {"header size 20", patched(14, 20)},
        {"zero width", patched(18, 0)},
        {"negative width", patched(18, 0xFFFFFFFF)},
        {"huge width", patched(18, 100000)},
        {"huge height", patched(22, 100000)},
        {"two planes", patched(26, 2, 2)},
        {"seven bits", patched(28, 7, 2)},
        {"unknown compression", patched(30, 9)},
        {"RLE8 on 24 bits", patched(30, BI_RLE8)},
        {"truncated bits", good.substr(0, good.size() - 5)},
        {"headers only", good.substr(0, 54)},
        {"truncated colour table", palettized.substr(0, 14 + 40 + 80)},
        {"garbage", "BM" + std::string(200, '\xFF')},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(load("bad.bmp", c.bytes), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.name;
    }
    SetLastError(0);
    EXPECT_EQ(
        LoadImageA(nullptr, m_dir.win("missing.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LoadImageA(nullptr, m_dir.win("x.bmp").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE),
              nullptr);
}

// A BITFIELDS mask with holes in it (0x8001 is bits 0 and 15) spans sixteen bits; the channel is
// scaled by its span, so no pixel spills into the byte above blue.
TEST(BitfieldMasks, MasksWithHolesStayWithinTheirChannel) {
    std::string dib;
    put32(dib, 40);
    put32(dib, 2);
    put32(dib, 1);
    put16(dib, 1);
    put16(dib, 16);
    put32(dib, BI_BITFIELDS);
    for (int i = 0; i < 5; ++i) {
        put32(dib, 0);
    }
    put32(dib, 0x0F00);  // red
    put32(dib, 0x00F0);  // green
    put32(dib, 0x8001);  // blue, with a hole
    put16(dib, 0xFFFF);
    put16(dib, 0x8000);
    const auto bytes = std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(dib.data()), dib.size());
    const auto image = kvwin32::internal::decodePackedDib(bytes, {});
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->pixels.size(), 2u);
    EXPECT_EQ(image->pixels[0], 0xFFFF80u);
    EXPECT_EQ(image->pixels[1], 0x000080u);
}

TEST_F(BmpFiles, Map3DColorsRewritesTheThreeGreysOfTheColourTable) {
    BmpImage image{4,
                   1,
                   8,
                   {RGB(128, 128, 128), RGB(192, 192, 192), RGB(223, 223, 223), RGB(10, 20, 30)},
                   {{0, 1, 2, 3}}};
    const std::string file = withFileHeader(packedDib(image, false), bitsOffset(image));
    HBITMAP plain = load("g.bmp", file);
    HBITMAP mapped = load("g.bmp", file, LR_LOADMAP3DCOLORS);
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(kvwin32::readPixels(plain)->pixels,
              (std::vector<std::uint32_t>{0x808080, 0xC0C0C0, 0xDFDFDF, 0x0A141E}));
    EXPECT_EQ(kvwin32::readPixels(mapped)->pixels,
              (std::vector<std::uint32_t>{pixelOf(GetSysColor(COLOR_3DSHADOW)),
                                          pixelOf(GetSysColor(COLOR_3DFACE)),
                                          pixelOf(GetSysColor(COLOR_3DLIGHT)), 0x0A141E}));
    // Without a colour table there is nothing to map.
    BmpImage grey{1, 1, 24, {}, {{0xDFDFDF}}};
    HBITMAP direct =
        load("d.bmp", withFileHeader(packedDib(grey, false), bitsOffset(grey)), LR_LOADMAP3DCOLORS);
    EXPECT_EQ(kvwin32::readPixels(direct)->pixels, std::vector<std::uint32_t>{0xDFDFDF});
    for (HBITMAP b : {plain, mapped, direct}) {
        DeleteObject(b);
    }
}

TEST_F(BmpFiles, LoadTransparentReplacesTheFirstPixelsColour) {
    // Bottom-up: the first stored pixel is the bottom-left one, index 1.
    BmpImage image{2, 2, 8, {RGB(5, 5, 5), RGB(9, 9, 9)}, {{0, 1}, {1, 0}}};
    const std::string file = withFileHeader(packedDib(image, false), bitsOffset(image));
    HBITMAP window = load("t.bmp", file, LR_LOADTRANSPARENT);
    HBITMAP face = load("t.bmp", file, LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS);
    const std::uint32_t w = pixelOf(GetSysColor(COLOR_WINDOW));
    const std::uint32_t f = pixelOf(GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(kvwin32::readPixels(window)->pixels,
              (std::vector<std::uint32_t>{0x050505, w, w, 0x050505}));
    EXPECT_EQ(kvwin32::readPixels(face)->pixels,
              (std::vector<std::uint32_t>{0x050505, f, f, 0x050505}));
    DeleteObject(window);
    DeleteObject(face);
}

TEST_F(BmpFiles, SizeFlagsStretchAndDibSectionsExposeTheirBits) {
    const BmpImage image = testImage(24);
    const std::string file = withFileHeader(packedDib(image, false), bitsOffset(image));
    HBITMAP big = load("s.bmp", file, 0, 6, 4);
    auto pixels = kvwin32::readPixels(big);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 6);
    EXPECT_EQ(pixels->at(5, 0), 0x0000FFu);
    EXPECT_EQ(pixels->at(2, 3), 0x000000u);
    DeleteObject(big);

    HBITMAP section = load("s.bmp", file, LR_CREATEDIBSECTION);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(section, sizeof info, &info), static_cast<int>(sizeof info));
    ASSERT_NE(info.bmBits, nullptr);
    // Bottom-up rows: the first row in memory is the picture's bottom row.
    EXPECT_EQ(static_cast<const std::uint32_t*>(info.bmBits)[0] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(kvwin32::readPixels(section)->pixels, kExpected);
    DeleteObject(section);
}

// A module's RT_BITMAP resource: the packed DIB without the file header.
TEST(BitmapResources, LoadBitmapReadsAPackedDib) {
    const BmpImage image = testImage(4);
    static std::string dib;
    dib = packedDib(image, false);
    const KvResourceEntry entries[] = {
        {{nullptr, 2},
         {nullptr, 301},
         0,
         reinterpret_cast<const BYTE*>(dib.data()),
         static_cast<DWORD>(dib.size())},
    };
    const KvResourceDirectory directory{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION,
                                        1, entries};
    ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &directory));
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(301));
    HBITMAP missing = LoadBitmapA(nullptr, MAKEINTRESOURCEA(302));
    KvRegisterResourceDirectory(nullptr, nullptr);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(kvwin32::readPixels(bitmap)->pixels, kExpected);
    EXPECT_EQ(missing, nullptr);
    DeleteObject(bitmap);
}

TEST(Bitmaps, CreateBitmapReadsWordAlignedRows) {
    const BYTE mono[4] = {0xA0, 0x00, 0x40, 0x00};  // rows "101", "010"
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, mono);
    EXPECT_EQ(kvwin32::readPixels(bitmap)->pixels,
              (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0}));
    DeleteObject(bitmap);
    EXPECT_EQ(CreateBitmap(3, 2, 1, 8, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(-1, 2, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 2, 1, 32, nullptr), nullptr);
    BITMAP info{};
    GetObjectA(CreateBitmap(0, 5, 1, 32, nullptr), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 1) << "an empty size gives the 1x1 monochrome bitmap";
    EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST(Bitmaps, DibSectionBitsAndDibCopiesAgree) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;  // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    auto* p = static_cast<std::uint32_t*>(bits);
    p[0] = 0xFF112233;  // bottom-left, with an alpha byte GDI ignores
    p[3] = 0x00445566;  // top-right
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x44, 0x55, 0x66));

    // Copy out top-down at 24 bits: rows padded to 8 bytes.
    BITMAPINFO out = bmi;
    out.bmiHeader.biHeight = -2;
    out.bmiHeader.biBitCount = 24;
    BYTE buffer[16] = {};
    EXPECT_EQ(GetDIBits(dc, section, 0, 2, buffer, &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(buffer[3], 0x66);  // top row, second pixel: blue first
    EXPECT_EQ(buffer[5], 0x44);
    EXPECT_EQ(buffer[8], 0x33);
    // And back in through the same description.
    HBITMAP copy = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_EQ(SetDIBits(dc, copy, 0, 2, buffer, &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(kvwin32::readPixels(copy)->pixels, kvwin32::readPixels(section)->pixels);

    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(dc, copy, 0, 2, nullptr, &query, DIB_RGB_COLORS), 2);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
    EXPECT_EQ(query.bmiHeader.biSizeImage, 16u);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
    DeleteObject(copy);
    bmi.bmiHeader.biBitCount = 8;
    EXPECT_EQ(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

// ---- PNG snapshots -------------------------------------------------------------------------

TEST(PngSnapshot, WritesAPngThatReadsBackPixelForPixel) {
    kvtest::TempDir dir;
    kvtest::GdiCanvas canvas(3, 2, RGB(255, 0, 0));
    SetPixel(canvas.dc(), 2, 1, RGB(1, 2, 3));
    ASSERT_TRUE(kvwin32::writePng(canvas.dc(), dir.host("shot.png")));
    const std::string png = dir.read("shot.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    const std::optional<kvwin32::PixelImage> back = kvwin32::readPng(dir.host("shot.png"));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 2);
    EXPECT_EQ(back->pixels, (std::vector<std::uint32_t>{0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000,
                                                        0xFF0000, 0x010203}));

    EXPECT_FALSE(kvwin32::writePng(reinterpret_cast<HBITMAP>(0x99), dir.host("no.png")));
    EXPECT_FALSE(kvwin32::writePng(canvas.bitmap(), dir.host("missing/folder/x.png")));
    EXPECT_FALSE(kvwin32::writePng(kvwin32::PixelImage{}, dir.host("empty.png")));
    EXPECT_EQ(dir.read("empty.png"), "<missing>");
}

TEST(PngSnapshot, DecodingRefusesWhatIsNotAPicture) {
    EXPECT_FALSE(kvwin32::decodePng(""));
    EXPECT_FALSE(kvwin32::decodePng("\x89PNG\r\n\x1a\n"));
    std::string cut = kvwin32::encodePng(kvwin32::PixelImage{2, 2, {1, 2, 3, 4}});
    ASSERT_FALSE(cut.empty());
    EXPECT_TRUE(kvwin32::decodePng(cut));
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(kvwin32::decodePng(cut));
    EXPECT_TRUE(kvwin32::encodePng(kvwin32::PixelImage{2, 2, {1}}).empty()) << "short pixels";
}

}  // namespace

namespace {

// A run-length ".bmp" of the given size whose bits are just "end of bitmap": a few bytes
// that declare as many pixels as the header likes.
std::string tinyRle8(std::int32_t width, std::int32_t height) {
    std::string info(40, '\0');
    auto put = [](std::string& s, std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(info, 0, 40, 4);
    put(info, 4, static_cast<std::uint32_t>(width), 4);
    put(info, 8, static_cast<std::uint32_t>(height), 4);
    put(info, 12, 1, 2);
    put(info, 14, 8, 2);
    put(info, 16, BI_RLE8, 4);
    put(info, 32, 2, 4);  // two colours
    const std::string palette = std::string("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8);
    const std::string bits("\x00\x01", 2);
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    put(file, 2, static_cast<std::uint32_t>(14 + info.size() + palette.size() + bits.size()), 4);
    put(file, 10, static_cast<std::uint32_t>(14 + info.size() + palette.size()), 4);
    return file + info + palette + bits;
}

TEST(RunLengthLimits, ASmallFileDeclaringAHugeImageIsRefused) {
    const auto decode = [](const std::string& file) {
        return kvwin32::internal::decodeBmpFile(
            std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    };
    // 8965 x 15876 from 66 bytes: refused before anything is allocated for it.
    EXPECT_FALSE(decode(tinyRle8(8965, 15876)));
    EXPECT_FALSE(decode(tinyRle8(4097, 4096)));
    // The largest image allowed still decodes; every pixel is the first colour.
    const auto largest = decode(tinyRle8(4096, 4096));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->pixels.size(), std::size_t{4096} * 4096);
    EXPECT_EQ(largest->pixels.front(), 0u);
}

}  // namespace
