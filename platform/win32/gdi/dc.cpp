// Device contexts: memory DCs over selected bitmaps (and, for the window system, DCs over a
// window's surface), their saved states, colours, modes, origins and clipping, and the
// queries that read them back.
#include <algorithm>
#include <utility>

#include "internal/gdi.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

namespace {

DcObject newDcObject() {
    DcObject dc;
    GdiTable& table = GdiTable::instance();
    // A new DC holds the black pen, the white brush and the system font.
    dc.state.pen = table.stock(BLACK_PEN);
    dc.state.brush = table.stock(WHITE_BRUSH);
    dc.state.font = table.stock(SYSTEM_FONT);
    return dc;
}

HDC addDc(DcObject dc) {
    GdiObject object;
    object.type = dc.windowSurface ? OBJ_DC : OBJ_MEMDC;
    object.data = std::move(dc);
    return static_cast<HDC>(GdiTable::instance().add(std::move(object)));
}

// The clip kind GetClipBox and IntersectClipRect report.
int regionKind(const RECT& box) {
    return isEmpty(box) ? NULLREGION : SIMPLEREGION;
}

// The clip box in device coordinates.
RECT deviceClipBox(DcObject& dc) {
    DrawTarget target = drawTarget(dc);
    POINT device = dc.windowSurface ? dc.windowOrigin : POINT{0, 0};
    RECT box = target.clip;
    if (isEmpty(box)) {
        return RECT{0, 0, 0, 0};
    }
    return RECT{box.left - device.x, box.top - device.y, box.right - device.x,
                box.bottom - device.y};
}

}  // namespace

std::shared_ptr<Surface> dcSurface(DcObject& dc) {
    if (dc.windowSurface) {
        return dc.windowSurface;
    }
    auto* bitmap = GdiTable::instance().get<BitmapObject>(dc.state.bitmap);
    return bitmap ? bitmap->surface : nullptr;
}

DrawTarget drawTarget(DcObject& dc) {
    DrawTarget target;
    std::shared_ptr<Surface> surface = dcSurface(dc);
    if (!surface) {
        return target;
    }
    target.surface = surface.get();
    RECT area{0, 0, surface->width, surface->height};
    POINT device{0, 0};
    if (dc.windowSurface) {
        area = intersect(area, dc.windowArea);
        device = dc.windowOrigin;
    }
    if (dc.state.clip) {
        const RECT& c = *dc.state.clip;
        area = intersect(area, RECT{c.left + device.x, c.top + device.y, c.right + device.x,
                                    c.bottom + device.y});
    }
    target.clip = area;
    target.origin = POINT{device.x + dc.state.viewportOrg.x, device.y + dc.state.viewportOrg.y};
    return target;
}

void plotPen(DcObject& dc, const DrawTarget& target, int x, int y, std::uint32_t penPixel) {
    const long long sx = 1LL * x + target.origin.x;
    const long long sy = 1LL * y + target.origin.y;
    if (sx < target.clip.left || sx >= target.clip.right || sy < target.clip.top ||
        sy >= target.clip.bottom) {
        return;
    }
    std::uint32_t& pixel = target.surface->row(static_cast<int>(sy))[sx];
    pixel = target.surface->fit(applyRop2(dc.state.rop2, penPixel, pixel));
}

HDC createSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const RECT& area) {
    if (!surface) {
        return nullptr;
    }
    auto lock = lockGdi();
    DcObject dc = newDcObject();
    dc.windowSurface = std::move(surface);
    dc.windowOrigin = POINT{sane(origin.x), sane(origin.y)};
    dc.windowArea = sane(area);
    return addDc(std::move(dc));
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

namespace {

// The DC behind a handle, setting ERROR_INVALID_HANDLE when there is none.
DcObject* dcOrFail(HDC dc) {
    DcObject* object = findDc(dc);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
}

}  // namespace

extern "C" HDC CreateCompatibleDC(HDC dc) {
    auto lock = lockGdi();
    if (dc && !findDc(dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    DcObject memory = newDcObject();
    memory.state.bitmap = defaultBitmap();
    GdiObject object;
    object.type = OBJ_MEMDC;
    object.data = std::move(memory);
    return static_cast<HDC>(GdiTable::instance().add(std::move(object)));
}

extern "C" BOOL DeleteDC(HDC dc) {
    auto lock = lockGdi();
    GdiTable& table = GdiTable::instance();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return FALSE;
    }
    std::vector<HGDIOBJ> held;
    auto collectState = [&](const DcState& s) {
        held.insert(held.end(), {s.pen, s.brush, s.font, s.bitmap});
    };
    collectState(object->state);
    for (const DcState& s : object->saved) {
        collectState(s);
    }
    table.erase(dc);
    // Objects this DC held may now be free to leave, or to die if deleted while selected.
    for (HGDIOBJ handle : held) {
        if (handle) {
            table.collect(handle);
        }
    }
    return TRUE;
}

extern "C" int SaveDC(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return 0;
    }
    object->saved.push_back(object->state);
    return static_cast<int>(object->saved.size());
}

extern "C" BOOL RestoreDC(HDC dc, int savedDC) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return FALSE;
    }
    const int depth = static_cast<int>(object->saved.size());
    // Positive: the level SaveDC returned; negative: relative to the newest save.
    const int level = savedDC < 0 ? depth + savedDC + 1 : savedDC;
    if (savedDC == 0 || level < 1 || level > depth) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DcState previous = object->state;
    object->state = object->saved[static_cast<std::size_t>(level - 1)];
    object->saved.resize(static_cast<std::size_t>(level - 1));
    GdiTable& table = GdiTable::instance();
    if (auto* bitmap = table.get<BitmapObject>(object->state.bitmap)) {
        if (!table.find(object->state.bitmap)->permanent) {
            bitmap->selectedInto = dc;
        }
    }
    for (HGDIOBJ handle : {previous.pen, previous.brush, previous.font, previous.bitmap}) {
        if (handle) {
            table.collect(handle);
        }
    }
    return TRUE;
}

extern "C" COLORREF SetTextColor(HDC dc, COLORREF color) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return CLR_INVALID;
    }
    return std::exchange(object->state.textColor, color & 0xFFFFFF);
}

extern "C" COLORREF GetTextColor(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    return object ? object->state.textColor : CLR_INVALID;
}

extern "C" COLORREF SetBkColor(HDC dc, COLORREF color) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return CLR_INVALID;
    }
    return std::exchange(object->state.bkColor, color & 0xFFFFFF);
}

extern "C" COLORREF GetBkColor(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    return object ? object->state.bkColor : CLR_INVALID;
}

extern "C" int SetBkMode(HDC dc, int mode) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return 0;
    }
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return std::exchange(object->state.bkMode, mode);
}

extern "C" int GetBkMode(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    return object ? object->state.bkMode : 0;
}

extern "C" int SetROP2(HDC dc, int rop2) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return 0;
    }
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return std::exchange(object->state.rop2, rop2);
}

extern "C" int GetROP2(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    return object ? object->state.rop2 : 0;
}

extern "C" UINT SetTextAlign(HDC dc, UINT align) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return GDI_ERROR;
    }
    return std::exchange(object->state.textAlign, align);
}

extern "C" UINT GetTextAlign(HDC dc) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    return object ? object->state.textAlign : GDI_ERROR;
}

extern "C" BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return FALSE;
    }
    if (previous) {
        *previous = object->state.viewportOrg;
    }
    object->state.viewportOrg = POINT{sane(x), sane(y)};
    return TRUE;
}

extern "C" BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object || !origin) {
        return FALSE;
    }
    *origin = object->state.viewportOrg;
    return TRUE;
}

extern "C" BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return FALSE;
    }
    if (previous) {
        *previous = object->state.viewportOrg;
    }
    object->state.viewportOrg.x = sane(1LL * object->state.viewportOrg.x + dx);
    object->state.viewportOrg.y = sane(1LL * object->state.viewportOrg.y + dy);
    return TRUE;
}

extern "C" BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return FALSE;
    }
    if (previous) {
        *previous = object->state.brushOrg;
    }
    object->state.brushOrg = POINT{x, y};
    return TRUE;
}

extern "C" int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return ERROR;
    }
    const POINT org = object->state.viewportOrg;
    RECT device = normalized(sane(
        RECT{sane(left) + org.x, sane(top) + org.y, sane(right) + org.x, sane(bottom) + org.y}));
    object->state.clip = object->state.clip ? intersect(*object->state.clip, device) : device;
    return regionKind(deviceClipBox(*object));
}

extern "C" int SelectClipRgn(HDC dc, HRGN region) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return ERROR;
    }
    if (!region) {
        object->state.clip.reset();
    } else {
        auto* rgn = GdiTable::instance().get<RegionObject>(region);
        if (!rgn) {
            SetLastError(ERROR_INVALID_HANDLE);
            return ERROR;
        }
        // The DC keeps a copy: the region stays the caller's to change or delete.
        object->state.clip = sane(rgn->rect);
    }
    return regionKind(deviceClipBox(*object));
}

extern "C" int GetClipBox(HDC dc, LPRECT rect) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object || !rect) {
        return ERROR;
    }
    RECT box = deviceClipBox(*object);
    const POINT org = object->state.viewportOrg;
    *rect = isEmpty(box)
                ? RECT{0, 0, 0, 0}
                : RECT{box.left - org.x, box.top - org.y, box.right - org.x, box.bottom - org.y};
    return regionKind(box);
}

extern "C" int GetDeviceCaps(HDC dc, int index) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return 0;
    }
    switch (index) {
        // The headless display: 96 dots per inch, 32 bits per pixel, 1024x768 unless the DC
        // paints a window surface of another size.
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case HORZRES:
            return object->windowSurface ? object->windowSurface->width : 1024;
        case VERTRES:
            return object->windowSurface ? object->windowSurface->height : 768;
        default:
            return 0;
    }
}

extern "C" BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object || !metrics) {
        return FALSE;
    }
    auto* font = GdiTable::instance().get<FontObject>(object->state.font);
    *metrics = textMetrics(font ? font->log : defaultGuiFont());
    return TRUE;
}

extern "C" BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object || !size || count < 0 || (count > 0 && !text)) {
        if (object) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return FALSE;
    }
    size->cx = textWidth(std::string_view(text, static_cast<std::size_t>(count)),
                         boldFontSelected(*object));
    size->cy = kFontHeight;
    return TRUE;
}

extern "C" COLORREF GetPixel(HDC dc, int x, int y) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return CLR_INVALID;
    }
    DrawTarget target = drawTarget(*object);
    const int sx = sane(x) + target.origin.x;
    const int sy = sane(y) + target.origin.y;
    if (target.empty() || sx < target.clip.left || sx >= target.clip.right ||
        sy < target.clip.top || sy >= target.clip.bottom) {
        return CLR_INVALID;
    }
    return colorFromPixel(target.surface->row(sy)[sx]);
}

extern "C" COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    auto lock = lockGdi();
    DcObject* object = dcOrFail(dc);
    if (!object) {
        return CLR_INVALID;
    }
    DrawTarget target = drawTarget(*object);
    const int sx = sane(x) + target.origin.x;
    const int sy = sane(y) + target.origin.y;
    if (target.empty() || sx < target.clip.left || sx >= target.clip.right ||
        sy < target.clip.top || sy >= target.clip.bottom) {
        return CLR_INVALID;
    }
    const std::uint32_t pixel = target.surface->fit(pixelFromColor(color));
    target.surface->row(sy)[sx] = pixel;
    return colorFromPixel(pixel);
}
