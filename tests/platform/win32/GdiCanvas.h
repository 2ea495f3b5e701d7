// Test helper: a memory DC holding a 32-bit bitmap to paint on, released with the test, and
// helpers to read and describe what was painted.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

#include "kvwin32/pixels.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser_draw.h"

namespace kvtest {

class GdiCanvas {
  public:
    GdiCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(CreateBitmap(width, height, 1, 32, nullptr)) {
        m_previous = SelectObject(m_dc, m_bitmap);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~GdiCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    // The colour of a bitmap pixel, whatever the DC's origin and clip.
    COLORREF at(int x, int y) const {
        auto image = kvwin32::readPixels(m_bitmap);
        const std::uint32_t p = image->at(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    kvwin32::PixelImage pixels() const { return *kvwin32::readPixels(m_bitmap); }

  private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

// A picture of an image for failure messages: one character per pixel from a legend of
// colours, '?' for others.
inline std::string picture(const kvwin32::PixelImage& image,
                           std::initializer_list<std::pair<COLORREF, char>> legend) {
    std::ostringstream out;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            const COLORREF c = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            char ch = '?';
            for (const auto& [color, mark] : legend) {
                if (color == c) {
                    ch = mark;
                    break;
                }
            }
            out << ch;
        }
        out << '\n';
    }
    return out.str();
}

// The smallest rectangle holding every pixel of a colour (empty when there is none).
inline RECT inkBox(const kvwin32::PixelImage& image, COLORREF color) {
    RECT box{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            if (RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == color) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    if (box.right == 0) {
        box = RECT{0, 0, 0, 0};
    }
    return box;
}

}  // namespace kvtest
