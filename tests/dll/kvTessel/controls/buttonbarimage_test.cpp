// The button bar's picture: a 998-byte 88 by 20, 4-bit bitmap file image, loaded through a
// temporary file that is gone afterwards, with light grey mapped to the button face colour.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "controls/ButtonBarImage.h"

namespace {

std::uint32_t read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

TEST(ButtonBarImage, IsA4BitBitmapFileOf88By20) {
    const auto& image = ButtonBarImage();
    EXPECT_EQ(image[0], 'B');
    EXPECT_EQ(image[1], 'M');
    EXPECT_EQ(read32(&image[2]), 998u);
    EXPECT_EQ(read32(&image[10]), 118u);
    EXPECT_EQ(read32(&image[18]), 88u);
    EXPECT_EQ(read32(&image[22]), 20u);
    EXPECT_EQ(image[28], 4);
    EXPECT_EQ(read32(&image[30]), 0u);  // uncompressed
    // Each face differs from the others and none is blank.
    for (int a = 0; a < 4; ++a) {
        bool blank = true;
        for (int row = 0; row < 20; ++row) {
            for (int i = 0; i < 11; ++i) {
                if (image[118 + row * 44 + a * 11 + i] != 0x77) {
                    blank = false;
                }
            }
        }
        EXPECT_FALSE(blank) << "face " << a;
    }
}

TEST(ButtonBarImage, LoadsThroughATemporaryFileThatGoes) {
    kvtest::TempDir dir;
    HBITMAP bitmap = LoadButtonBarBitmap((dir.win() + "\\bmpDataFile").c_str());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir.host() + "/bmpDataFile"));
    BITMAP info{};
    ASSERT_NE(::GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 88);
    EXPECT_EQ(info.bmHeight, 20);
    // The corner pixel is the light grey background: mapped to the button face colour.
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    EXPECT_EQ(::GetPixel(dc, 0, 0), ::GetSysColor(COLOR_3DFACE));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);

    EXPECT_EQ(LoadButtonBarBitmap((dir.win() + "\\missing\\bmpDataFile").c_str()), nullptr);
}

}  // namespace
