// Pixel surfaces and the raster-operation arithmetic that every GDI painting call shares.
#include <algorithm>

#include "internal/gdi.h"

namespace kvwin32::internal {

std::uint32_t Surface::fit(std::uint32_t pixel) const {
    if (!monochrome) {
        return pixel & 0xFFFFFF;
    }
    // Monochrome surfaces keep black and white; other colours go to the nearer of the two
    // by brightness.
    const unsigned sum = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
    return sum >= 384 ? 0xFFFFFF : 0;
}

std::shared_ptr<Surface> makeSurface(int width, int height, bool monochrome, std::uint32_t fill) {
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
        return nullptr;
    }
    auto surface = std::make_shared<Surface>();
    surface->width = width;
    surface->height = height;
    surface->monochrome = monochrome;
    surface->pixels.assign(static_cast<std::size_t>(width) * height, surface->fit(fill));
    return surface;
}

std::uint32_t applyRop3(DWORD rop, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dest) {
    // The third byte of a ternary rop is its truth table, indexed by pattern*4 + source*2 +
    // dest: SRCCOPY is 0xCC (the source bit), PATINVERT 0x5A (pattern xor dest).
    const unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (table & (1u << i)) {
            result |= ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) &
                      ((i & 1) ? dest : ~dest);
        }
    }
    return result & 0xFFFFFF;
}

std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t dest) {
    // R2 codes are one more than a truth table indexed by pen*2 + dest: R2_COPYPEN (13) is
    // 0b1100, R2_XORPEN (7) is 0b0110.
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        rop2 = R2_COPYPEN;
    }
    const unsigned table = static_cast<unsigned>(rop2 - 1);
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if (table & (1u << i)) {
            result |= ((i & 2) ? pen : ~pen) & ((i & 1) ? dest : ~dest);
        }
    }
    return result & 0xFFFFFF;
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (isEmpty(r)) {
        r = RECT{0, 0, 0, 0};
    }
    return r;
}

RECT normalized(const RECT& r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

}  // namespace kvwin32::internal
