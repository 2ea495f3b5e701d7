// Image lists (see kvwin32/comctl_imagelist.h): the process's table of lists, cutting bitmap
// strips into images and masks, and drawing an image through its mask into a DC.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "internal/gdi.h"
#include "kvwin32/comctl_imagelist.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::BitmapObject;
using kvwin32::internal::DcObject;
using kvwin32::internal::GdiTable;
using kvwin32::internal::Surface;

// Largest image side and count a list accepts: beyond, creation or growth fails as it would
// for lack of memory.
constexpr int kMaxImageSide = 4096;
constexpr int kMaxImages = 65536;

// One image: its pixels (0x00RRGGBB, rows top-down) and, with ILC_MASK, which pixels are
// transparent (the white pixels of the Windows mask).
struct Image {
    std::vector<std::uint32_t> pixels;
    std::vector<bool> transparent;
};

struct ImageList {
    int cx = 0;                      // width of every image
    int cy = 0;                      // height of every image
    UINT flags = 0;                  // ILC_* given at creation
    int grow = 1;                    // how many images the list grows by
    COLORREF background = CLR_NONE;  // ImageList_SetBkColor
    std::vector<Image> images;
    // The list's own bitmaps, a horizontal strip each, made for ImageList_GetImageInfo.
    HBITMAP imageStrip = nullptr;
    HBITMAP maskStrip = nullptr;
    bool stripsCurrent = false;  // whether the strips show the images as they are

    bool masked() const { return (flags & ILC_MASK) != 0; }
    Image blank() const {
        const auto n = static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy);
        return Image{std::vector<std::uint32_t>(n, 0), std::vector<bool>(masked() ? n : 0, false)};
    }
    void dropStrips() {
        for (HBITMAP* strip : {&imageStrip, &maskStrip}) {
            if (*strip != nullptr) {
                DeleteObject(*strip);
                *strip = nullptr;
            }
        }
        stripsCurrent = false;
    }
};

// The process's image lists, as comctl32 keeps them for the process.
class ImageListTable {
  public:
    static ImageListTable& instance() {
        static ImageListTable table;
        return table;
    }
    HIMAGELIST add(std::unique_ptr<ImageList> list) {
        const auto handle = reinterpret_cast<HIMAGELIST>(m_next);
        m_next += 8;
        m_lists.emplace(reinterpret_cast<std::uintptr_t>(handle), std::move(list));
        return handle;
    }
    ImageList* find(HIMAGELIST handle) {
        auto it = m_lists.find(reinterpret_cast<std::uintptr_t>(handle));
        return it == m_lists.end() ? nullptr : it->second.get();
    }
    bool erase(HIMAGELIST handle) {
        auto it = m_lists.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == m_lists.end()) {
            return false;
        }
        it->second->dropStrips();
        m_lists.erase(it);
        return true;
    }
    std::recursive_mutex& mutex() { return m_mutex; }

  private:
    std::recursive_mutex m_mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<ImageList>> m_lists;
    std::uintptr_t m_next = 0x80000;
};

std::unique_lock<std::recursive_mutex> lockLists() {
    return std::unique_lock(ImageListTable::instance().mutex());
}

ImageList* listOf(HIMAGELIST handle) {
    return ImageListTable::instance().find(handle);
}

// A copy of a bitmap's pixels, or nothing for a handle that is no bitmap.
std::optional<Surface> bitmapPixels(HBITMAP bitmap) {
    auto lock = kvwin32::internal::lockGdi();
    auto* object = GdiTable::instance().get<BitmapObject>(bitmap);
    if (object == nullptr || !object->surface) {
        return std::nullopt;
    }
    return *object->surface;
}

// The images of a strip: one every cx pixels, as many as fit whole; rows beyond the list's
// height are ignored, missing ones stay black. A mask strip's white pixels are transparent.
std::vector<Image> cutStrip(const ImageList& list, const Surface& image, const Surface* mask) {
    std::vector<Image> out;
    const int count = image.width / list.cx;
    const int rows = std::min(list.cy, image.height);
    for (int i = 0; i < count; ++i) {
        Image img = list.blank();
        for (int y = 0; y < rows; ++y) {
            const std::uint32_t* src = image.row(y) + static_cast<std::ptrdiff_t>(i) * list.cx;
            std::copy_n(src, list.cx,
                        img.pixels.begin() + static_cast<std::ptrdiff_t>(y) * list.cx);
            if (list.masked() && mask != nullptr && y < mask->height) {
                for (int x = 0; x < list.cx; ++x) {
                    const int mx = i * list.cx + x;
                    const bool white = mx < mask->width && (mask->row(y)[mx] & 0xFFFFFF) != 0;
                    img.transparent[static_cast<std::size_t>(y) * list.cx + x] = white;
                }
            }
        }
        out.push_back(std::move(img));
    }
    return out;
}

int appendImages(ImageList& list, std::vector<Image> images) {
    if (images.empty() ||
        list.images.size() + images.size() > static_cast<std::size_t>(kMaxImages)) {
        return -1;
    }
    const int first = static_cast<int>(list.images.size());
    for (Image& img : images) {
        list.images.push_back(std::move(img));
    }
    list.stripsCurrent = false;
    return first;
}

// Builds the strips that ImageList_GetImageInfo hands out: image i at x = i * cx.
void refreshStrips(ImageList& list) {
    if (list.stripsCurrent) {
        return;
    }
    list.dropStrips();
    const int count = std::max<int>(1, static_cast<int>(list.images.size()));
    const int width = std::min(list.cx * count, kvwin32::internal::kMaxBitmapSide);
    list.imageStrip = CreateBitmap(width, list.cy, 1, 32, nullptr);
    if (list.masked()) {
        list.maskStrip = CreateBitmap(width, list.cy, 1, 1, nullptr);
    }
    auto lock = kvwin32::internal::lockGdi();
    auto* image = GdiTable::instance().get<BitmapObject>(list.imageStrip);
    auto* mask = GdiTable::instance().get<BitmapObject>(list.maskStrip);
    for (std::size_t i = 0; i < list.images.size(); ++i) {
        const Image& img = list.images[i];
        for (int y = 0; y < list.cy; ++y) {
            for (int x = 0; x < list.cx; ++x) {
                const auto sx = static_cast<int>(i) * list.cx + x;
                if (sx >= width) {
                    break;
                }
                const std::size_t at = static_cast<std::size_t>(y) * list.cx + x;
                if (image && image->surface) {
                    image->surface->row(y)[sx] = img.pixels[at];
                }
                if (mask && mask->surface) {
                    mask->surface->row(y)[sx] = img.transparent[at] ? 0xFFFFFF : 0;
                }
            }
        }
    }
    list.stripsCurrent = true;
}

std::uint32_t blend(std::uint32_t pixel, std::uint32_t with, int percent) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto a = static_cast<int>((pixel >> shift) & 0xFF);
        const auto b = static_cast<int>((with >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((a * (100 - percent) + b * percent) / 100) << shift;
    }
    return out;
}

// How one pixel of an image is painted for the ILD_* style; nothing for a pixel that lets
// the destination show through.
struct DrawRule {
    bool masked = false;                      // transparent pixels show the background or nothing
    std::optional<std::uint32_t> background;  // what a transparent pixel becomes
    bool maskOnly = false;                    // ILD_MASK: the mask itself in black and white
    int blendPercent = 0;                     // ILD_BLEND25 / ILD_BLEND50
    std::uint32_t blendWith = 0;
};

DrawRule ruleFor(const ImageList& list, COLORREF background, COLORREF foreground, UINT style) {
    DrawRule rule;
    rule.masked = list.masked() && (style & ILD_IMAGE) == 0;
    const COLORREF bk = background == CLR_DEFAULT ? list.background : background;
    if (bk != CLR_NONE && (style & ILD_TRANSPARENT) == 0) {
        rule.background = kvwin32::internal::pixelFromColor(bk);
    }
    rule.maskOnly = (style & ILD_MASK) != 0;
    if (style & ILD_BLEND50) {
        rule.blendPercent = 50;
    } else if (style & ILD_BLEND25) {
        rule.blendPercent = 25;
    }
    const COLORREF fg = foreground == CLR_DEFAULT || foreground == CLR_NONE
                            ? GetSysColor(COLOR_HIGHLIGHT)
                            : foreground;
    rule.blendWith = kvwin32::internal::pixelFromColor(fg);
    return rule;
}

std::optional<std::uint32_t> paintedPixel(const DrawRule& rule, std::uint32_t pixel,
                                          bool transparent) {
    if (rule.maskOnly) {
        return transparent ? 0xFFFFFFu : 0u;
    }
    if (rule.masked && transparent) {
        return rule.background;
    }
    return rule.blendPercent ? blend(pixel, rule.blendWith, rule.blendPercent) : pixel;
}

BOOL drawImage(const ImageList& list, int index, HDC dc, int x, int y, int dx, int dy,
               COLORREF background, COLORREF foreground, UINT style) {
    if (index < 0 || index >= static_cast<int>(list.images.size())) {
        return FALSE;
    }
    const Image& img = list.images[static_cast<std::size_t>(index)];
    const int width = dx > 0 ? std::min(dx, list.cx) : list.cx;
    const int height = dy > 0 ? std::min(dy, list.cy) : list.cy;
    const DrawRule rule = ruleFor(list, background, foreground, style);
    auto lock = kvwin32::internal::lockGdi();
    DcObject* object = kvwin32::internal::findDc(dc);
    if (object == nullptr) {
        return FALSE;
    }
    kvwin32::internal::DrawTarget target = kvwin32::internal::drawTarget(*object);
    if (target.surface == nullptr || target.empty()) {
        return TRUE;
    }
    for (int row = 0; row < height; ++row) {
        const long long sy = 1LL * kvwin32::internal::sane(y) + row + target.origin.y;
        if (sy < target.clip.top || sy >= target.clip.bottom) {
            continue;
        }
        for (int col = 0; col < width; ++col) {
            const long long sx = 1LL * kvwin32::internal::sane(x) + col + target.origin.x;
            if (sx < target.clip.left || sx >= target.clip.right) {
                continue;
            }
            const std::size_t at = static_cast<std::size_t>(row) * list.cx + col;
            const bool transparent = list.masked() && img.transparent[at];
            if (auto pixel = paintedPixel(rule, img.pixels[at], transparent)) {
                std::uint32_t& dest = target.surface->row(static_cast<int>(sy))[sx];
                dest = target.surface->fit(*pixel);
            }
        }
    }
    return TRUE;
}

}  // namespace

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide || initial < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto list = std::make_unique<ImageList>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->grow = std::max(grow, 1);
    list->images.reserve(static_cast<std::size_t>(std::min(initial, 1024)));
    auto lock = lockLists();
    return ImageListTable::instance().add(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
    auto lock = lockLists();
    return ImageListTable::instance().erase(handle) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    auto lock = lockLists();
    const ImageList* list = listOf(handle);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    if (list == nullptr || count > static_cast<UINT>(kMaxImages)) {
        return FALSE;
    }
    list->images.resize(count, list->blank());
    list->stripsCurrent = false;
    return TRUE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    std::optional<Surface> pixels = bitmapPixels(image);
    if (list == nullptr || !pixels) {
        return -1;
    }
    std::optional<Surface> maskPixels = bitmapPixels(mask);
    return appendImages(*list, cutStrip(*list, *pixels, maskPixels ? &*maskPixels : nullptr));
}

// The transparent pixels turn black in the stored image, as Windows blackens them so that
// drawing through the mask shows the background unchanged.
int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF maskColour) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    std::optional<Surface> pixels = bitmapPixels(image);
    if (list == nullptr || !pixels) {
        return -1;
    }
    std::vector<Image> images = cutStrip(*list, *pixels, nullptr);
    if (list->masked() && maskColour != CLR_NONE) {
        const std::uint32_t key = kvwin32::internal::pixelFromColor(maskColour);
        for (Image& img : images) {
            for (std::size_t i = 0; i < img.pixels.size(); ++i) {
                if ((img.pixels[i] & 0xFFFFFF) == key) {
                    img.transparent[i] = true;
                    img.pixels[i] = 0;
                }
            }
        }
    }
    return appendImages(*list, std::move(images));
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    std::optional<Surface> pixels = bitmapPixels(image);
    if (list == nullptr || !pixels || index < 0 || index >= static_cast<int>(list->images.size())) {
        return FALSE;
    }
    std::optional<Surface> maskPixels = bitmapPixels(mask);
    std::vector<Image> images = cutStrip(*list, *pixels, maskPixels ? &*maskPixels : nullptr);
    if (images.empty()) {
        return FALSE;
    }
    list->images[static_cast<std::size_t>(index)] = std::move(images.front());
    list->stripsCurrent = false;
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    if (list == nullptr || index < -1 || index >= static_cast<int>(list->images.size())) {
        return FALSE;
    }
    if (index == -1) {
        list->images.clear();
    } else {
        list->images.erase(list->images.begin() + index);
    }
    list->stripsCurrent = false;
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    if (list == nullptr) {
        return CLR_NONE;
    }
    const COLORREF previous = list->background;
    list->background = colour;
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
    auto lock = lockLists();
    const ImageList* list = listOf(handle);
    return list ? list->background : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dc, int x, int y, UINT style) {
    return ImageList_DrawEx(handle, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST handle, int index, HDC dc, int x, int y, int dx, int dy,
                      COLORREF background, COLORREF foreground, UINT style) {
    auto lock = lockLists();
    const ImageList* list = listOf(handle);
    if (list == nullptr) {
        return FALSE;
    }
    return drawImage(*list, index, dc, x, y, dx, dy, background, foreground, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
    auto lock = lockLists();
    const ImageList* list = listOf(handle);
    if (list == nullptr || cx == nullptr || cy == nullptr) {
        return FALSE;
    }
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST handle, int cx, int cy) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    if (list == nullptr || cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide) {
        return FALSE;
    }
    list->cx = cx;
    list->cy = cy;
    list->images.clear();
    list->stripsCurrent = false;
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST handle, int index, IMAGEINFO* info) {
    auto lock = lockLists();
    ImageList* list = listOf(handle);
    if (list == nullptr || info == nullptr || index < 0 ||
        index >= static_cast<int>(list->images.size())) {
        return FALSE;
    }
    refreshStrips(*list);
    info->hbmImage = list->imageStrip;
    info->hbmMask = list->maskStrip;
    info->Unused1 = 0;
    info->Unused2 = 0;
    info->rcImage = RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy};
    return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST handle) {
    auto lock = lockLists();
    const ImageList* list = listOf(handle);
    if (list == nullptr) {
        return nullptr;
    }
    auto copy = std::make_unique<ImageList>();
    copy->cx = list->cx;
    copy->cy = list->cy;
    copy->flags = list->flags;
    copy->grow = list->grow;
    copy->background = list->background;
    copy->images = list->images;
    return ImageListTable::instance().add(std::move(copy));
}

// cx 0 takes square images as high as the bitmap, as Windows infers them.
HIMAGELIST ImageList_LoadImageA(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF crMask,
                                UINT type, UINT flags) {
    if (type != IMAGE_BITMAP || name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto bitmap = static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, flags));
    if (bitmap == nullptr) {
        return nullptr;
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    const int width = cx > 0 ? cx : info.bmHeight;
    HIMAGELIST list = nullptr;
    if (width > 0 && info.bmWidth >= width) {
        const UINT ilc = ILC_COLOR32 | (crMask != CLR_NONE ? ILC_MASK : 0);
        list = ImageList_Create(width, info.bmHeight, ilc, info.bmWidth / width, grow);
        const int added = crMask != CLR_NONE ? ImageList_AddMasked(list, bitmap, crMask)
                                             : ImageList_Add(list, bitmap, nullptr);
        if (added < 0) {
            ImageList_Destroy(list);
            list = nullptr;
        }
    }
    DeleteObject(bitmap);
    return list;
}

}  // extern "C"
