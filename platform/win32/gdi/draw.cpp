// The painting calls: rectangle fills and frames, pens and lines, pattern and bit-block
// transfers, and the user32 3-D edges and focus rectangle built on them.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "internal/gdi.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal {

namespace {

// Whether a ternary rop reads the source (its truth table differs between S=0 and S=1).
bool usesSource(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}

// Whether a ternary rop reads the pattern.
bool usesPattern(DWORD rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// The surface position of device (0, 0): where the brush origin is counted from.
POINT deviceOrigin(const DcObject& dc, const DrawTarget& target) {
    return POINT{target.origin.x - dc.state.viewportOrg.x,
                 target.origin.y - dc.state.viewportOrg.y};
}

// The logical rectangle as surface coordinates clipped to what the DC may paint.
RECT toSurface(const DrawTarget& target, const RECT& logical) {
    RECT r = normalized(sane(logical));
    return intersect(RECT{r.left + target.origin.x, r.top + target.origin.y,
                          r.right + target.origin.x, r.bottom + target.origin.y},
                     target.clip);
}

// The pixel a monochrome source becomes on a colour destination: Windows paints 0 bits in
// the destination's text colour and 1 bits in its background colour.
std::uint32_t monoToColor(const DcObject& dest, std::uint32_t pixel) {
    return pixelFromColor(pixel ? dest.state.bkColor : dest.state.textColor);
}

}  // namespace

void paintRect(DcObject& dc, const RECT& logical, const BrushObject* brush, DWORD rop) {
    DrawTarget target = drawTarget(dc);
    if (target.empty()) {
        return;
    }
    const bool needsPattern = usesPattern(rop);
    if (needsPattern && (!brush || brush->log.lbStyle == BS_NULL)) {
        return;
    }
    RECT r = toSurface(target, logical);
    if (isEmpty(r)) {
        return;
    }
    Surface& surface = *target.surface;
    const POINT device = deviceOrigin(dc, target);
    const Surface* pattern = needsPattern ? brush->pattern.get() : nullptr;
    const std::uint32_t solid =
        needsPattern && !pattern ? surface.fit(pixelFromColor(brush->log.lbColor)) : 0;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = surface.row(y);
        for (int x = r.left; x < r.right; ++x) {
            std::uint32_t p = solid;
            if (pattern) {
                // Patterns repeat from the brush origin, counted in device coordinates.
                int px = (x - device.x - dc.state.brushOrg.x) % pattern->width;
                int py = (y - device.y - dc.state.brushOrg.y) % pattern->height;
                px += px < 0 ? pattern->width : 0;
                py += py < 0 ? pattern->height : 0;
                p = pattern->row(py)[px];
                p = surface.fit(pattern->monochrome ? monoToColor(dc, p) : p);
            }
            row[x] = surface.fit(applyRop3(rop, p, 0, row[x]));
        }
    }
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

namespace {

// The brush a FillRect-style call names: a handle, or COLOR_* + 1 for a system colour.
const BrushObject* brushFrom(HBRUSH brush) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= static_cast<std::uintptr_t>(kSysColorCount)) {
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    }
    return GdiTable::instance().get<BrushObject>(brush);
}

const BrushObject* selectedBrush(DcObject& dc) {
    return GdiTable::instance().get<BrushObject>(dc.state.brush);
}

// The pen of the DC, or null when it draws nothing (PS_NULL).
const PenObject* selectedPen(DcObject& dc) {
    auto* pen = GdiTable::instance().get<PenObject>(dc.state.pen);
    return pen && (pen->log.lopnStyle & PS_STYLE_MASK) != PS_NULL ? pen : nullptr;
}

// A one-pixel line from (x0, y0) up to but not including (x1, y1), in logical coordinates.
void drawLine(DcObject& dc, long long x0, long long y0, long long x1, long long y1,
              std::uint32_t penPixel) {
    DrawTarget target = drawTarget(dc);
    if (target.empty()) {
        return;
    }
    // A line longer than any surface is first cut to the stretch that can reach the clip,
    // so that wild coordinates cost nothing.
    const long long span = std::max(std::llabs(x1 - x0), std::llabs(y1 - y0));
    if (span > 4 * static_cast<long long>(kMaxBitmapSide)) {
        const double cx0 = target.clip.left - target.origin.x - 1.0;
        const double cx1 = target.clip.right - target.origin.x + 1.0;
        const double cy0 = target.clip.top - target.origin.y - 1.0;
        const double cy1 = target.clip.bottom - target.origin.y + 1.0;
        double t0 = 0.0;
        double t1 = 1.0;
        const double dxf = static_cast<double>(x1 - x0);
        const double dyf = static_cast<double>(y1 - y0);
        auto cut = [&](double p, double q) {
            if (p == 0.0) {
                return q >= 0.0;
            }
            const double t = q / p;
            if (p < 0.0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
            return t0 <= t1;
        };
        if (!cut(-dxf, x0 - cx0) || !cut(dxf, cx1 - x0) || !cut(-dyf, y0 - cy0) ||
            !cut(dyf, cy1 - y0)) {
            return;
        }
        const long long nx0 = x0 + static_cast<long long>(dxf * t0);
        const long long ny0 = y0 + static_cast<long long>(dyf * t0);
        const long long nx1 = x0 + static_cast<long long>(dxf * t1);
        const long long ny1 = y0 + static_cast<long long>(dyf * t1);
        x0 = nx0;
        y0 = ny0;
        x1 = nx1;
        y1 = ny1;
    }
    const long long dx = std::llabs(x1 - x0);
    const long long dy = -std::llabs(y1 - y0);
    const long long sx = x0 < x1 ? 1 : -1;
    const long long sy = y0 < y1 ? 1 : -1;
    long long err = dx + dy;
    long long x = x0;
    long long y = y0;
    while (x != x1 || y != y1) {
        if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
            plotPen(dc, target, static_cast<int>(x), static_cast<int>(y), penPixel);
        }
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void hLine(DcObject& dc, int x0, int x1, int y, std::uint32_t pixel) {
    if (x0 < x1) {
        drawLine(dc, x0, y, x1, y, pixel);
    }
}

void vLine(DcObject& dc, int x, int y0, int y1, std::uint32_t pixel) {
    if (y0 < y1) {
        drawLine(dc, x, y0, x, y1, pixel);
    }
}

// ---- DrawEdge colour tables ------------------------------------------------------------

// The system colours of the four lines of an edge, by (edge & 0xF); -1 draws nothing. When an
// edge has only one line, it is drawn in the outer position with that line's colours.
struct EdgeColors {
    signed char topLeftOuter, topLeftInner, bottomRightOuter, bottomRightInner;
};
constexpr signed char kNone = -1;
constexpr std::array<EdgeColors, 16> kEdgeNormal = {{
    {kNone, kNone, kNone, kNone},                                                // 0
    {COLOR_3DLIGHT, kNone, COLOR_3DDKSHADOW, kNone},                             // raised outer
    {COLOR_BTNSHADOW, kNone, COLOR_BTNHIGHLIGHT, kNone},                         // sunken outer
    {kNone, kNone, kNone, kNone},                                                // both outer
    {COLOR_BTNHIGHLIGHT, kNone, COLOR_BTNSHADOW, kNone},                         // raised inner
    {COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},      // EDGE_RAISED
    {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},  // EDGE_ETCHED
    {kNone, kNone, kNone, kNone},                                                // 7
    {COLOR_3DDKSHADOW, kNone, COLOR_3DLIGHT, kNone},                             // sunken inner
    {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},          // EDGE_BUMP
    {COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT},      // EDGE_SUNKEN
    {kNone, kNone, kNone, kNone},                                                // 11
    {kNone, kNone, kNone, kNone},                                                // both inner
    {COLOR_3DLIGHT, kNone, COLOR_3DDKSHADOW, kNone},                             // 13
    {COLOR_BTNSHADOW, kNone, COLOR_BTNHIGHLIGHT, kNone},                         // 14
    {kNone, kNone, kNone, kNone},                                                // 15
}};
// BF_SOFT changes only the top-left lines.
constexpr std::array<EdgeColors, 16> kEdgeSoft = {{
    {kNone, kNone, kNone, kNone},
    {COLOR_BTNHIGHLIGHT, kNone, COLOR_3DDKSHADOW, kNone},
    {COLOR_3DDKSHADOW, kNone, COLOR_BTNHIGHLIGHT, kNone},
    {kNone, kNone, kNone, kNone},
    {COLOR_3DLIGHT, kNone, COLOR_BTNSHADOW, kNone},
    {COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},
    {COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
    {kNone, kNone, kNone, kNone},
    {COLOR_BTNSHADOW, kNone, COLOR_3DLIGHT, kNone},
    {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    {COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT},
    {kNone, kNone, kNone, kNone},
    {kNone, kNone, kNone, kNone},
    {COLOR_BTNHIGHLIGHT, kNone, COLOR_3DDKSHADOW, kNone},
    {COLOR_3DDKSHADOW, kNone, COLOR_BTNHIGHLIGHT, kNone},
    {kNone, kNone, kNone, kNone},
}};

// BF_FLAT and BF_MONO: one colour all round for the outer line (the inner-only edges use
// the fill colour there) and the fill colour for the inner line.
EdgeColors plainEdge(unsigned edge, signed char line, signed char fill) {
    const bool outer = (edge & BDR_OUTER) != 0;
    const bool inner = (edge & BDR_INNER) != 0;
    signed char o = outer ? line : (inner ? fill : kNone);
    signed char i = outer && inner ? fill : kNone;
    return EdgeColors{o, i, o, i};
}

}  // namespace

extern "C" int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    const BrushObject* b = brushFrom(brush);
    if (!context || !rect || !b) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    paintRect(*context, *rect, b, PATCOPY);
    return 1;
}

extern "C" int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    const BrushObject* b = brushFrom(brush);
    if (!context || !rect || !b) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const RECT r = sane(*rect);
    // Windows draws nothing for an empty or inverted rectangle.
    if (r.right <= r.left || r.bottom <= r.top) {
        return 0;
    }
    paintRect(*context, RECT{r.left, r.top, r.right, r.top + 1}, b, PATCOPY);
    paintRect(*context, RECT{r.left, r.bottom - 1, r.right, r.bottom}, b, PATCOPY);
    paintRect(*context, RECT{r.left, r.top, r.left + 1, r.bottom}, b, PATCOPY);
    paintRect(*context, RECT{r.right - 1, r.top, r.right, r.bottom}, b, PATCOPY);
    return 1;
}

extern "C" BOOL InvertRect(HDC dc, const RECT* rect) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    paintRect(*context, *rect, nullptr, DSTINVERT);
    return TRUE;
}

extern "C" BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    RECT r = normalized(sane(RECT{left, top, right, bottom}));
    const PenObject* pen = selectedPen(*context);
    if (!pen) {
        // Without a pen, Windows fills one pixel less to the right and bottom.
        paintRect(*context, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, selectedBrush(*context),
                  PATCOPY);
        return TRUE;
    }
    paintRect(*context, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1},
              selectedBrush(*context), PATCOPY);
    const std::uint32_t p = pixelFromColor(pen->log.lopnColor);
    hLine(*context, r.left, r.right, r.top, p);
    if (r.bottom - 1 > r.top) {
        hLine(*context, r.left, r.right, r.bottom - 1, p);
    }
    vLine(*context, r.left, r.top + 1, r.bottom - 1, p);
    if (r.right - 1 > r.left) {
        vLine(*context, r.right - 1, r.top + 1, r.bottom - 1, p);
    }
    return TRUE;
}

extern "C" BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (previous) {
        *previous = context->state.position;
    }
    context->state.position = POINT{sane(x), sane(y)};
    return TRUE;
}

extern "C" BOOL LineTo(HDC dc, int x, int y) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Every pen draws one pixel wide and solid: the product's controls use nothing else.
    if (const PenObject* pen = selectedPen(*context)) {
        drawLine(*context, context->state.position.x, context->state.position.y, sane(x), sane(y),
                 pixelFromColor(pen->log.lopnColor));
    }
    context->state.position = POINT{sane(x), sane(y)};
    return TRUE;
}

extern "C" BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (usesSource(rop)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    paintRect(*context, RECT{x, y, sane(1LL * x + width), sane(1LL * y + height)},
              selectedBrush(*context), rop);
    return TRUE;
}

extern "C" BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    auto lock = lockGdi();
    DcObject* to = findDc(dest);
    if (!to) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!usesSource(rop)) {
        paintRect(*to, RECT{x, y, sane(1LL * x + width), sane(1LL * y + height)},
                  selectedBrush(*to), rop);
        return TRUE;
    }
    DcObject* from = findDc(source);
    if (!from) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) {
        return TRUE;
    }
    DrawTarget dt = drawTarget(*to);
    DrawTarget st = drawTarget(*from);
    if (dt.empty() || !st.surface) {
        return TRUE;
    }
    const Surface& src = *st.surface;
    Surface& dst = *dt.surface;
    const bool mirrorX = (width < 0) != (sourceWidth < 0);
    const bool mirrorY = (height < 0) != (sourceHeight < 0);
    const RECT destRect =
        normalized(sane(RECT{x, y, sane(1LL * x + width), sane(1LL * y + height)}));
    const RECT srcRect = normalized(sane(RECT{sourceX, sourceY, sane(1LL * sourceX + sourceWidth),
                                              sane(1LL * sourceY + sourceHeight)}));
    const long long dw = destRect.right - destRect.left;
    const long long dh = destRect.bottom - destRect.top;
    const long long sw = srcRect.right - srcRect.left;
    const long long sh = srcRect.bottom - srcRect.top;
    const RECT clip = toSurface(dt, destRect);
    if (isEmpty(clip)) {
        return TRUE;
    }
    // Read the source first so that a blit within one surface sees the old pixels.
    const int cw = clip.right - clip.left;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(cw));
    std::vector<bool> valid(static_cast<std::size_t>(cw));
    std::vector<std::uint32_t> block(static_cast<std::size_t>(cw) * (clip.bottom - clip.top));
    std::vector<bool> blockValid(block.size());
    const BrushObject* brush = selectedBrush(*to);
    const std::uint32_t patternPixel =
        brush && brush->log.lbStyle == BS_SOLID ? dst.fit(pixelFromColor(brush->log.lbColor)) : 0;
    for (int sy = clip.top; sy < clip.bottom; ++sy) {
        long long i = sy - dt.origin.y - destRect.top;
        long long j = (2 * i + 1) * sh / (2 * dh);
        if (mirrorY) {
            j = sh - 1 - j;
        }
        const long long srcY = srcRect.top + j + st.origin.y;
        for (int sx = clip.left; sx < clip.right; ++sx) {
            long long k = sx - dt.origin.x - destRect.left;
            long long m = (2 * k + 1) * sw / (2 * dw);
            if (mirrorX) {
                m = sw - 1 - m;
            }
            const long long srcX = srcRect.left + m + st.origin.x;
            const std::size_t at = static_cast<std::size_t>(sy - clip.top) * cw + (sx - clip.left);
            if (srcX < 0 || srcY < 0 || srcX >= src.width || srcY >= src.height) {
                continue;
            }
            std::uint32_t p = src.row(static_cast<int>(srcY))[srcX] & 0xFFFFFF;
            if (src.monochrome && !dst.monochrome) {
                p = monoToColor(*to, p);
            } else if (!src.monochrome && dst.monochrome) {
                // A colour source on a monochrome destination: its background colour
                // becomes white, everything else black.
                p = p == pixelFromColor(from->state.bkColor) ? 0xFFFFFF : 0;
            }
            block[at] = p;
            blockValid[at] = true;
        }
    }
    for (int sy = clip.top; sy < clip.bottom; ++sy) {
        std::uint32_t* out = dst.row(sy);
        for (int sx = clip.left; sx < clip.right; ++sx) {
            const std::size_t at = static_cast<std::size_t>(sy - clip.top) * cw + (sx - clip.left);
            if (blockValid[at]) {
                out[sx] = dst.fit(applyRop3(rop, patternPixel, block[at], out[sx]));
            }
        }
    }
    return TRUE;
}

extern "C" BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                       int sourceY, DWORD rop) {
    return StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

extern "C" BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (flags & BF_DIAGONAL) {
        // Diagonal edges are not used by the product's controls.
        return FALSE;
    }
    const unsigned kind = edge & (BDR_INNER | BDR_OUTER);
    EdgeColors colors = kEdgeNormal[kind];
    if (flags & BF_MONO) {
        colors = plainEdge(kind, COLOR_WINDOWFRAME, COLOR_WINDOW);
    } else if (flags & BF_FLAT) {
        colors = plainEdge(kind, COLOR_BTNSHADOW, COLOR_BTNFACE);
    } else if (flags & BF_SOFT) {
        colors = kEdgeSoft[kind];
    }
    // Windows reports FALSE, and leaves the middle alone, for an edge that asks for both a
    // raised and a sunken line on one level, and for flat and mono edges.
    const bool ok = (kind & BDR_INNER) != BDR_INNER && (kind & BDR_OUTER) != BDR_OUTER &&
                    !(flags & (BF_FLAT | BF_MONO));
    auto pixel = [](signed char index) { return pixelFromColor(GetSysColor(index)); };
    const RECT r = sane(*rect);
    const int lt = (flags & BF_TOPLEFT) == BF_TOPLEFT ? 1 : 0;
    const int rt = (flags & BF_TOPRIGHT) == BF_TOPRIGHT ? 1 : 0;
    const int lb = (flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT ? 1 : 0;
    const int rb = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT ? 1 : 0;
    // The bottom and right lines are drawn after the top and left ones and own the corners
    // they share.
    if (colors.topLeftOuter != kNone) {
        const std::uint32_t p = pixel(colors.topLeftOuter);
        if (flags & BF_TOP)
            hLine(*context, r.left, r.right, r.top, p);
        if (flags & BF_LEFT)
            vLine(*context, r.left, r.top, r.bottom, p);
    }
    if (colors.bottomRightOuter != kNone) {
        const std::uint32_t p = pixel(colors.bottomRightOuter);
        if (flags & BF_BOTTOM)
            hLine(*context, r.left, r.right, r.bottom - 1, p);
        if (flags & BF_RIGHT)
            vLine(*context, r.right - 1, r.top, r.bottom, p);
    }
    if (colors.topLeftInner != kNone) {
        const std::uint32_t p = pixel(colors.topLeftInner);
        if (flags & BF_TOP)
            hLine(*context, r.left + lt, r.right - rt, r.top + 1, p);
        if (flags & BF_LEFT)
            vLine(*context, r.left + 1, r.top + lt, r.bottom - lb, p);
    }
    if (colors.bottomRightInner != kNone) {
        const std::uint32_t p = pixel(colors.bottomRightInner);
        if (flags & BF_BOTTOM)
            hLine(*context, r.left + lb, r.right - rb, r.bottom - 2, p);
        if (flags & BF_RIGHT)
            vLine(*context, r.right - 2, r.top + rt, r.bottom - rb, p);
    }
    if (((flags & BF_MIDDLE) && ok) || (flags & BF_ADJUST)) {
        // The border is as thick as the lines the edge has, whatever their colours.
        const int width = ((kind & BDR_OUTER) ? 1 : 0) + ((kind & BDR_INNER) ? 1 : 0);
        RECT inside = r;
        if (flags & BF_LEFT)
            inside.left += width;
        if (flags & BF_RIGHT)
            inside.right -= width;
        if (flags & BF_TOP)
            inside.top += width;
        if (flags & BF_BOTTOM)
            inside.bottom -= width;
        if ((flags & BF_MIDDLE) && ok) {
            BrushObject face{LOGBRUSH{BS_SOLID, GetSysColor(COLOR_BTNFACE), 0}, nullptr};
            paintRect(*context, inside, &face, PATCOPY);
        }
        if (flags & BF_ADJUST) {
            *rect = inside;
        }
    }
    return ok;
}

extern "C" BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DrawTarget target = drawTarget(*context);
    if (target.empty()) {
        return TRUE;
    }
    const RECT r = normalized(sane(*rect));
    const POINT device = deviceOrigin(*context, target);
    // A one-pixel frame inverted through a 50% checkerboard anchored at device (0, 0): every
    // pixel whose device x + y is even flips, so a second call restores the pixels. Corner
    // pixels are visited once so that they flip once.
    auto flip = [&](int x, int y) {
        const int sx = x + target.origin.x;
        const int sy = y + target.origin.y;
        if (sx < target.clip.left || sx >= target.clip.right || sy < target.clip.top ||
            sy >= target.clip.bottom || ((sx - device.x + sy - device.y) & 1) != 0) {
            return;
        }
        std::uint32_t& p = target.surface->row(sy)[sx];
        p = target.surface->fit(p ^ 0xFFFFFF);
    };
    if (r.right <= r.left || r.bottom <= r.top) {
        return TRUE;
    }
    // Only the stretch of each side that can meet the clip is walked.
    const int xFirst = std::max(r.left, target.clip.left - target.origin.x);
    const int xEnd = std::min(r.right, target.clip.right - target.origin.x);
    const int yFirst = std::max(r.top + 1, target.clip.top - target.origin.y);
    const int yEnd = std::min(r.bottom - 1, target.clip.bottom - target.origin.y);
    for (int x = xFirst; x < xEnd; ++x) {
        flip(x, r.top);
        if (r.bottom - 1 > r.top) {
            flip(x, r.bottom - 1);
        }
    }
    for (int y = yFirst; y < yEnd; ++y) {
        flip(r.left, y);
        if (r.right - 1 > r.left) {
            flip(r.right - 1, y);
        }
    }
    return TRUE;
}
