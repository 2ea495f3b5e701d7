// Image lists: cutting strips into images, masks from a colour, drawing through the mask,
// removing, the list's own bitmaps, loading from a bitmap resource, and stale handles.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "kvwin32/commctrl.h"
#include "kvwin32/pixels.h"
#include "kvwin32/resources.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A 32-bit bitmap of `colours.size()` squares of `side` pixels, each of one colour, with the
// top-left pixel of every square white (to be masked out).
HBITMAP strip(const std::vector<COLORREF>& colours, int side, int extraWidth = 0) {
    const int width = side * static_cast<int>(colours.size()) + extraWidth;
    HBITMAP bitmap = CreateBitmap(width, side, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        HBRUSH brush = CreateSolidBrush(colours[i]);
        RECT r{static_cast<int>(i) * side, 0, static_cast<int>(i + 1) * side, side};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        SetPixel(dc, r.left, 0, kWhite);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// A memory DC on a canvas filled with one colour; frees everything when it goes.
class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill) {
        m_bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }

  private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// The list is destroyed with the test.
struct ListHolder {
    HIMAGELIST list;
    ~ListHolder() { ImageList_Destroy(list); }
};

TEST(ImageList, AddCutsAStripIntoWholeImages) {
    ListHolder h{ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 4, 4)};
    ASSERT_NE(h.list, nullptr);
    HBITMAP three = strip({kRed, kGreen, kBlue}, 8);
    EXPECT_EQ(ImageList_Add(h.list, three, nullptr), 0);
    EXPECT_EQ(ImageList_GetImageCount(h.list), 3);
    // A strip 5 pixels too wide for two images adds two; the rest is ignored.
    HBITMAP partial = strip({kGrey, kGrey}, 8, 5);
    EXPECT_EQ(ImageList_Add(h.list, partial, nullptr), 3);
    EXPECT_EQ(ImageList_GetImageCount(h.list), 5);
    // A bitmap narrower than one image adds nothing.
    HBITMAP narrow = CreateBitmap(4, 8, 1, 32, nullptr);
    EXPECT_EQ(ImageList_Add(h.list, narrow, nullptr), -1);
    EXPECT_EQ(ImageList_Add(h.list, nullptr, nullptr), -1);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(h.list, &cx, &cy));
    EXPECT_EQ(cx, 8);
    EXPECT_EQ(cy, 8);
    for (HBITMAP b : {three, partial, narrow}) {
        DeleteObject(b);
    }
}

TEST(ImageList, DrawingShowsTheImageThroughItsMask) {
    ListHolder h{ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 2, 2)};
    HBITMAP images = strip({kRed, kGreen}, 8);
    ASSERT_EQ(ImageList_AddMasked(h.list, images, kWhite), 0);
    DeleteObject(images);
    struct Row {
        const char* name;
        COLORREF listBackground;
        UINT style;
        COLORREF atMasked;  // the white corner pixel, masked out
        COLORREF atImage;   // any other pixel of image 1
    } rows[] = {
        {"no background: the canvas shows", CLR_NONE, ILD_NORMAL, kBlue, kGreen},
        {"background colour fills the mask", kGrey, ILD_NORMAL, kGrey, kGreen},
        {"transparent ignores the background", kGrey, ILD_TRANSPARENT, kBlue, kGreen},
        {"image without mask shows the blackened key", CLR_NONE, ILD_IMAGE, RGB(0, 0, 0), kGreen},
        {"mask only", CLR_NONE, ILD_MASK, kWhite, RGB(0, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ImageList_SetBkColor(h.list, row.listBackground);
        Canvas canvas(20, 20, kBlue);
        EXPECT_TRUE(ImageList_Draw(h.list, 1, canvas.dc(), 4, 6, row.style));
        EXPECT_EQ(canvas.at(4, 6), row.atMasked);
        EXPECT_EQ(canvas.at(8, 10), row.atImage);
        EXPECT_EQ(canvas.at(3, 6), kBlue);   // left of the image: untouched
        EXPECT_EQ(canvas.at(12, 6), kBlue);  // right of it
    }
    // Selected images are blended halfway with the highlight colour.
    Canvas canvas(20, 20, kBlue);
    ImageList_SetBkColor(h.list, CLR_NONE);
    EXPECT_TRUE(
        ImageList_DrawEx(h.list, 0, canvas.dc(), 0, 0, 0, 0, CLR_NONE, kBlue, ILD_SELECTED));
    EXPECT_EQ(canvas.at(3, 3), RGB(127, 0, 127));
    // A clipped draw paints only dx by dy pixels.
    Canvas clipped(20, 20, kBlue);
    EXPECT_TRUE(
        ImageList_DrawEx(h.list, 0, clipped.dc(), 0, 0, 3, 3, CLR_NONE, CLR_DEFAULT, ILD_NORMAL));
    EXPECT_EQ(clipped.at(2, 2), kRed);
    EXPECT_EQ(clipped.at(3, 3), kBlue);
    EXPECT_FALSE(ImageList_Draw(h.list, 2, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(h.list, 0, nullptr, 0, 0, ILD_NORMAL));
}

TEST(ImageList, RemoveMovesTheLaterImagesUp) {
    ListHolder h{ImageList_Create(4, 4, ILC_COLOR32, 3, 1)};
    HBITMAP images = strip({kRed, kGreen, kBlue}, 4);
    ImageList_Add(h.list, images, nullptr);
    DeleteObject(images);
    EXPECT_TRUE(ImageList_Remove(h.list, 1));
    EXPECT_EQ(ImageList_GetImageCount(h.list), 2);
    Canvas canvas(4, 4, kWhite);
    ImageList_Draw(h.list, 1, canvas.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(2, 2), kBlue);
    EXPECT_FALSE(ImageList_Remove(h.list, 5));
    EXPECT_TRUE(ImageList_RemoveAll(h.list));
    EXPECT_EQ(ImageList_GetImageCount(h.list), 0);
}

TEST(ImageList, ImageInfoNamesTheListsOwnBitmaps) {
    ListHolder h{ImageList_Create(6, 6, ILC_COLOR32 | ILC_MASK, 2, 2)};
    HBITMAP images = strip({kRed, kGreen}, 6);
    ImageList_AddMasked(h.list, images, kWhite);
    DeleteObject(images);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(h.list, 1, &info));
    EXPECT_EQ(info.rcImage.left, 6);
    EXPECT_EQ(info.rcImage.right, 12);
    auto pixels = kvwin32::readPixels(info.hbmImage);
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(pixels->at(8, 3), 0x00FF00u);
    auto mask = kvwin32::readPixels(info.hbmMask);
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->at(6, 0) & 0xFFFFFF, 0xFFFFFFu);  // the masked corner
    EXPECT_EQ(mask->at(8, 3) & 0xFFFFFF, 0u);
    EXPECT_FALSE(ImageList_GetImageInfo(h.list, 2, &info));
}

TEST(ImageList, SizeChangesAndDuplicates) {
    ListHolder h{ImageList_Create(4, 4, ILC_COLOR32, 1, 1)};
    HBITMAP images = strip({kRed, kGreen}, 4);
    ImageList_Add(h.list, images, nullptr);
    DeleteObject(images);
    ListHolder copy{ImageList_Duplicate(h.list)};
    EXPECT_EQ(ImageList_GetImageCount(copy.list), 2);
    EXPECT_TRUE(ImageList_SetIconSize(h.list, 5, 7));
    EXPECT_EQ(ImageList_GetImageCount(h.list), 0);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(h.list, &cx, &cy);
    EXPECT_EQ(cx, 5);
    EXPECT_EQ(cy, 7);
    EXPECT_EQ(ImageList_GetImageCount(copy.list), 2);
    EXPECT_TRUE(ImageList_SetImageCount(copy.list, 5));
    EXPECT_EQ(ImageList_GetImageCount(copy.list), 5);
    EXPECT_EQ(ImageList_SetBkColor(copy.list, kGrey), CLR_NONE);
    EXPECT_EQ(ImageList_GetBkColor(copy.list), kGrey);
}

TEST(ImageList, CreationRefusesImpossibleSizes) {
    struct Row {
        int cx, cy, initial;
    } rows[] = {{0, 16, 1}, {16, 0, 1}, {-1, 16, 1}, {16, 16, -1}, {100000, 16, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.cx << "x" << row.cy << " initial " << row.initial);
        EXPECT_EQ(ImageList_Create(row.cx, row.cy, ILC_COLOR32, row.initial, 1), nullptr);
    }
}

TEST(ImageList, DestroyedHandlesFailEverywhere) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_TRUE(ImageList_Destroy(list));
    HBITMAP images = strip({kRed}, 4);
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Add(list, images, nullptr), -1);
    EXPECT_EQ(ImageList_AddMasked(list, images, kWhite), -1);
    EXPECT_FALSE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetBkColor(list), CLR_NONE);
    int cx = 0;
    int cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(list, &cx, &cy));
    Canvas canvas(4, 4, kWhite);
    EXPECT_FALSE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(ImageList_Duplicate(list), nullptr);
    EXPECT_FALSE(ImageList_Destroy(nullptr));
    DeleteObject(images);
}

// A packed 24-bit DIB, bottom-up, of two 4x4 squares: red, then white with a green centre.
std::vector<BYTE> twoSquaresDib() {
    std::vector<BYTE> dib(40 + 8 * 3 * 4, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            dib[at + i] = static_cast<BYTE>(v >> (8 * i));
        }
    };
    put32(0, 40);
    put32(4, 8);
    put32(8, 4);
    dib[12] = 1;
    dib[14] = 24;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            BYTE* p = &dib[40 + static_cast<std::size_t>(y) * 24 + static_cast<std::size_t>(x) * 3];
            const bool centre = x >= 5 && x <= 6 && y >= 1 && y <= 2;
            if (x < 4) {
                p[2] = 255;  // red
            } else if (centre) {
                p[1] = 255;  // green
            } else {
                p[0] = p[1] = p[2] = 255;  // white
            }
        }
    }
    return dib;
}

TEST(ImageList, LoadsABitmapResourceWithAMaskColour) {
    const std::vector<BYTE> dib = twoSquaresDib();
    const KvResourceEntry entry{
        {nullptr, 2}, {nullptr, 130}, 0, dib.data(), static_cast<DWORD>(dib.size())};
    const KvResourceDirectory directory{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION,
                                        1, &entry};
    HMODULE module = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x7e5b0000));
    ASSERT_TRUE(KvRegisterResourceDirectory(module, &directory));
    ListHolder h{ImageList_LoadImageA(module, MAKEINTRESOURCEA(130), 4, 1, kWhite, IMAGE_BITMAP,
                                      LR_CREATEDIBSECTION)};
    ASSERT_NE(h.list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(h.list), 2);
    Canvas canvas(4, 4, kBlue);
    ImageList_Draw(h.list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kBlue);  // white became transparent
    EXPECT_EQ(canvas.at(1, 1), kGreen);
    // Only bitmaps; a missing resource gives no list.
    EXPECT_EQ(ImageList_LoadImageA(module, MAKEINTRESOURCEA(131), 4, 1, kWhite, IMAGE_BITMAP, 0),
              nullptr);
    EXPECT_EQ(ImageList_LoadImageA(module, MAKEINTRESOURCEA(130), 4, 1, kWhite, IMAGE_ICON, 0),
              nullptr);
    KvRegisterResourceDirectory(module, nullptr);
}

}  // namespace
