// BITMAP, ICON and CURSOR statements: the file layouts turned into Windows' resource layouts.
#include <gtest/gtest.h>

#include "RcTestSupport.h"
#include "Script.h"

namespace {

void put(std::string& s, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
std::uint32_t get(const std::vector<std::uint8_t>& d, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | d.at(at + static_cast<std::size_t>(i));
    return v;
}

// A DIB image as icons and cursors hold it: BITMAPINFOHEADER (height doubled), pixels, mask.
std::string dib(int width, int height, int bits, char fill) {
    std::string s;
    put(s, 40, 4);
    put(s, static_cast<std::uint32_t>(width), 4);
    put(s, static_cast<std::uint32_t>(height * 2), 4);
    put(s, 1, 2);
    put(s, static_cast<std::uint32_t>(bits), 2);
    s += std::string(24, '\0');
    s += std::string(static_cast<std::size_t>(width * height * bits / 8), fill);
    s += std::string(static_cast<std::size_t>(4 * height), '\0');
    return s;
}

// An .ico (type 1) or .cur (type 2) file; for a cursor the two WORDs are the hot spot.
std::string iconFile(int type, const std::vector<std::string>& images, int word1, int word2) {
    std::string s;
    put(s, 0, 2);
    put(s, static_cast<std::uint32_t>(type), 2);
    put(s, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        s.push_back(static_cast<char>(16 * (i + 1)));  // width
        s.push_back(static_cast<char>(16 * (i + 1)));  // height
        s.push_back(0);
        s.push_back(0);
        put(s, static_cast<std::uint32_t>(word1), 2);
        put(s, static_cast<std::uint32_t>(word2), 2);
        put(s, static_cast<std::uint32_t>(images[i].size()), 4);
        put(s, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& img : images)
        s += img;
    return s;
}

TEST(ImageResources, BitmapDropsTheFileHeader) {
    kvtest::TempDir dir;
    std::string info = dib(1, 1, 24, '\x7f').substr(0, 40);
    std::string file = "BM";
    put(file, static_cast<std::uint32_t>(14 + info.size() + 4), 4);
    put(file, 0, 4);
    put(file, 54, 4);
    file += info + "\x01\x02\x03\x00";
    dir.write("Res/Pic.BMP", file);
    // The script names it in another case and with Windows separators.
    kvrc::Script s = rctest::compile(dir, "7 BITMAP DISCARDABLE \"res\\\\pic.bmp\"\n");
    const kvrc::Resource* r = rctest::findResource(s, kvrc::ResourceType::Bitmap, 7);
    ASSERT_TRUE(r);
    EXPECT_EQ(std::string(r->data.begin(), r->data.end()), file.substr(14));
    ASSERT_EQ(s.dependencies.size(), 1u);
    EXPECT_NE(s.dependencies[0].find("Res/Pic.BMP"), std::string::npos);
}

TEST(ImageResources, IconBecomesImagesAndAGroup) {
    kvtest::TempDir dir;
    std::string small = dib(16, 16, 4, '\x11');
    std::string large = dib(32, 32, 8, '\x22');
    dir.write("a.ico", iconFile(1, {small, large}, 1, 4));
    dir.write("b.ico", iconFile(1, {small}, 1, 4));
    kvrc::Script s = rctest::compile(dir, "10 ICON \"a.ico\"\nNAMED ICON \"b.ico\"\n");
    // Images take ordinals 1, 2, 3 in order; each group follows its images.
    ASSERT_EQ(s.resources.size(), 5u);
    const kvrc::Resource* first = rctest::findResource(s, kvrc::ResourceType::Icon, 1);
    const kvrc::Resource* second = rctest::findResource(s, kvrc::ResourceType::Icon, 2);
    ASSERT_TRUE(first && second && rctest::findResource(s, kvrc::ResourceType::Icon, 3));
    EXPECT_EQ(std::string(first->data.begin(), first->data.end()), small);
    EXPECT_EQ(std::string(second->data.begin(), second->data.end()), large);

    const kvrc::Resource* group = rctest::findResource(s, kvrc::ResourceType::GroupIcon, 10);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->data.size(), 6u + 2 * 14);
    EXPECT_EQ(get(group->data, 0, 2), 0u);
    EXPECT_EQ(get(group->data, 2, 2), 1u);
    EXPECT_EQ(get(group->data, 4, 2), 2u);
    // GRPICONDIRENTRY: width, height, colours, reserved, planes, bit count, size, ordinal.
    EXPECT_EQ(group->data[6 + 14], 32);
    EXPECT_EQ(get(group->data, 6 + 14 + 4, 2), 1u);
    EXPECT_EQ(get(group->data, 6 + 14 + 6, 2), 4u);
    EXPECT_EQ(get(group->data, 6 + 14 + 8, 4), large.size());
    EXPECT_EQ(get(group->data, 6 + 14 + 12, 2), 2u);
    EXPECT_TRUE(s.resources[4].name.isName);
    EXPECT_EQ(s.resources[4].name.name, "NAMED");
    EXPECT_EQ(get(s.resources[4].data, 6 + 12, 2), 3u);
}

TEST(ImageResources, CursorImagesCarryTheirHotSpot) {
    kvtest::TempDir dir;
    std::string image = dib(16, 16, 1, '\x33');
    dir.write("c.cur", iconFile(2, {image}, 3, 5));
    kvrc::Script s = rctest::compile(dir, "4 CURSOR \"c.cur\"\n");
    const kvrc::Resource* img = rctest::findResource(s, kvrc::ResourceType::Cursor, 1);
    const kvrc::Resource* group = rctest::findResource(s, kvrc::ResourceType::GroupCursor, 4);
    ASSERT_TRUE(img && group);
    EXPECT_EQ(get(img->data, 0, 2), 3u);
    EXPECT_EQ(get(img->data, 2, 2), 5u);
    EXPECT_EQ(std::string(img->data.begin() + 4, img->data.end()), image);
    ASSERT_EQ(group->data.size(), 6u + 14);
    EXPECT_EQ(get(group->data, 2, 2), 2u);
    // CURSORDIR: width 16, height 32 (both masks), planes and bits from the image header.
    EXPECT_EQ(get(group->data, 6, 2), 16u);
    EXPECT_EQ(get(group->data, 8, 2), 32u);
    EXPECT_EQ(get(group->data, 10, 2), 1u);
    EXPECT_EQ(get(group->data, 12, 2), 1u);
    EXPECT_EQ(get(group->data, 14, 4), image.size() + 4);
    EXPECT_EQ(get(group->data, 18, 2), 1u);
}

}  // namespace
