// The GDI object table: pens, brushes, fonts, bitmaps and regions behind their handles, the
// stock objects, selecting objects into DCs and deleting them.
#include <cstring>

#include "internal/gdi.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

namespace {

// The stock objects Windows creates per process, by GetStockObject index.
GdiObject makeStock(int index) {
    GdiObject object;
    object.permanent = true;
    auto brush = [&](UINT style, COLORREF color) {
        object.type = OBJ_BRUSH;
        object.data = BrushObject{LOGBRUSH{style, color, 0}, nullptr};
    };
    auto pen = [&](UINT style, COLORREF color) {
        object.type = OBJ_PEN;
        object.data = PenObject{LOGPEN{style, POINT{0, 0}, color}};
    };
    switch (index) {
        case WHITE_BRUSH:
            brush(BS_SOLID, RGB(255, 255, 255));
            break;
        case LTGRAY_BRUSH:
            brush(BS_SOLID, RGB(192, 192, 192));
            break;
        case GRAY_BRUSH:
            brush(BS_SOLID, RGB(128, 128, 128));
            break;
        case DKGRAY_BRUSH:
            brush(BS_SOLID, RGB(64, 64, 64));
            break;
        case BLACK_BRUSH:
            brush(BS_SOLID, RGB(0, 0, 0));
            break;
        case NULL_BRUSH:
            brush(BS_NULL, 0);
            break;
        case WHITE_PEN:
            pen(PS_SOLID, RGB(255, 255, 255));
            break;
        case BLACK_PEN:
            pen(PS_SOLID, RGB(0, 0, 0));
            break;
        case NULL_PEN:
            pen(PS_NULL, 0);
            break;
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case ANSI_VAR_FONT:
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
        case SYSTEM_FIXED_FONT:
        case DEFAULT_GUI_FONT:
            // One built-in font serves every stock font; they differ only by handle.
            object.type = OBJ_FONT;
            object.data = FontObject{defaultGuiFont()};
            break;
        default:
            object.type = 0;
            break;
    }
    return object;
}

bool refersTo(const DcState& state, HGDIOBJ handle) {
    return state.pen == handle || state.brush == handle || state.font == handle ||
           state.bitmap == handle;
}

}  // namespace

GdiTable& GdiTable::instance() {
    static GdiTable table;
    return table;
}

HGDIOBJ GdiTable::add(GdiObject object) {
    const std::uintptr_t value = m_next;
    m_next += 4;
    m_objects.emplace(value, std::move(object));
    return reinterpret_cast<HGDIOBJ>(value);
}

GdiObject* GdiTable::find(HGDIOBJ handle) {
    auto it = m_objects.find(key(handle));
    return it == m_objects.end() ? nullptr : &it->second;
}

bool GdiTable::isSelected(HGDIOBJ handle) {
    for (auto& [value, object] : m_objects) {
        if (auto* dc = std::get_if<DcObject>(&object.data)) {
            if (refersTo(dc->state, handle)) {
                return true;
            }
            for (const DcState& state : dc->saved) {
                if (refersTo(state, handle)) {
                    return true;
                }
            }
        }
    }
    return false;
}

void GdiTable::collect(HGDIOBJ handle) {
    GdiObject* object = find(handle);
    if (!object) {
        return;
    }
    if (auto* bitmap = std::get_if<BitmapObject>(&object->data)) {
        if (bitmap->selectedInto && !isSelected(handle)) {
            bitmap->selectedInto = nullptr;
        }
    }
    if (object->deletePending && !isSelected(handle)) {
        erase(handle);
    }
}

HGDIOBJ GdiTable::stock(int index) {
    if (index < 0 || index >= static_cast<int>(m_stock.size())) {
        return nullptr;
    }
    if (!m_stock[index]) {
        GdiObject object = makeStock(index);
        if (object.type == 0) {
            return nullptr;
        }
        m_stock[index] = add(std::move(object));
    }
    return m_stock[index];
}

HBITMAP defaultBitmap() {
    GdiTable& table = GdiTable::instance();
    HGDIOBJ& bitmap = table.defaultBitmapSlot();
    if (!bitmap) {
        GdiObject object;
        object.type = OBJ_BITMAP;
        object.permanent = true;
        object.data = BitmapObject{makeSurface(1, 1, true), nullptr, false};
        bitmap = table.add(std::move(object));
    }
    return static_cast<HBITMAP>(bitmap);
}

namespace {

HGDIOBJ addObject(DWORD type, decltype(GdiObject::data) data) {
    GdiObject object;
    object.type = type;
    object.data = std::move(data);
    return GdiTable::instance().add(std::move(object));
}

}  // namespace

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HGDIOBJ GetStockObject(int index) {
    auto lock = lockGdi();
    return GdiTable::instance().stock(index);
}

extern "C" DWORD GetObjectType(HGDIOBJ handle) {
    auto lock = lockGdi();
    GdiObject* object = GdiTable::instance().find(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return object->type;
}

extern "C" HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    auto lock = lockGdi();
    GdiTable& table = GdiTable::instance();
    DcObject* context = findDc(dc);
    GdiObject* object = table.find(handle);
    if (!context || !object || object->deletePending) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ* slot = nullptr;
    switch (object->type) {
        case OBJ_PEN:
            slot = &context->state.pen;
            break;
        case OBJ_BRUSH:
            slot = &context->state.brush;
            break;
        case OBJ_FONT:
            slot = &context->state.font;
            break;
        case OBJ_REGION:
            return reinterpret_cast<HGDIOBJ>(
                static_cast<LONG_PTR>(SelectClipRgn(dc, static_cast<HRGN>(handle))));
        case OBJ_BITMAP: {
            // Only memory DCs hold bitmaps, and a bitmap lives in one DC at a time.
            // The default 1x1 bitmap is shared by every memory DC.
            auto& bitmap = std::get<BitmapObject>(object->data);
            if (context->windowSurface || (bitmap.selectedInto && bitmap.selectedInto != dc)) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            if (!object->permanent) {
                bitmap.selectedInto = dc;
            }
            slot = &context->state.bitmap;
            break;
        }
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
    HGDIOBJ previous = *slot;
    *slot = handle;
    if (previous != handle) {
        table.collect(previous);
    }
    return previous;
}

extern "C" BOOL DeleteObject(HGDIOBJ handle) {
    auto lock = lockGdi();
    GdiTable& table = GdiTable::instance();
    GdiObject* object = table.find(handle);
    if (!object || object->type == OBJ_DC || object->type == OBJ_MEMDC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (object->permanent) {
        return TRUE;
    }
    // Windows lets a program delete a pen or brush that is still selected: the handle stays
    // usable by that DC and dies when the DC lets go of it.
    object->deletePending = true;
    table.collect(handle);
    return TRUE;
}

extern "C" int GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
    auto lock = lockGdi();
    GdiObject* object = GdiTable::instance().find(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto copy = [&](const auto& value) -> int {
        const int needed = static_cast<int>(sizeof(value));
        if (!buffer) {
            return needed;
        }
        // Windows copies as much as fits and reports what it copied.
        const int count = size < needed ? size : needed;
        if (count <= 0) {
            return 0;
        }
        std::memcpy(buffer, &value, static_cast<std::size_t>(count));
        return count;
    };
    if (auto* pen = std::get_if<PenObject>(&object->data)) {
        return copy(pen->log);
    }
    if (auto* brush = std::get_if<BrushObject>(&object->data)) {
        return copy(brush->log);
    }
    if (auto* font = std::get_if<FontObject>(&object->data)) {
        return copy(font->log);
    }
    if (auto* bitmap = std::get_if<BitmapObject>(&object->data)) {
        const Surface& s = *bitmap->surface;
        BITMAP info{};
        info.bmWidth = s.width;
        info.bmHeight = s.height;
        info.bmPlanes = 1;
        info.bmBitsPixel = s.monochrome ? 1 : 32;
        // Device-dependent rows are word aligned; DIB section rows are dword aligned.
        info.bmWidthBytes = s.monochrome ? ((s.width + 15) / 16) * 2 : s.width * 4;
        info.bmBits = bitmap->dibSection ? bitmap->surface->pixels.data() : nullptr;
        return copy(info);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

extern "C" HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    switch (type) {
        case OBJ_PEN:
            return context->state.pen;
        case OBJ_BRUSH:
            return context->state.brush;
        case OBJ_FONT:
            return context->state.font;
        case OBJ_BITMAP:
            return context->state.bitmap;
        default:
            return nullptr;
    }
}

extern "C" HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush) {
    if (!logBrush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL) {
        // Hatched and DIB-pattern brushes are not used by the product; pattern brushes come
        // from CreatePatternBrush.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = lockGdi();
    LOGBRUSH log = *logBrush;
    log.lbHatch = 0;
    return static_cast<HBRUSH>(addObject(OBJ_BRUSH, BrushObject{log, nullptr}));
}

extern "C" HBRUSH CreateSolidBrush(COLORREF color) {
    LOGBRUSH log{BS_SOLID, color & 0xFFFFFF, 0};
    return CreateBrushIndirect(&log);
}

extern "C" HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto lock = lockGdi();
    auto* source = GdiTable::instance().get<BitmapObject>(bitmap);
    if (!source) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // The brush keeps a copy: later changes to the bitmap do not show through it.
    auto pattern = std::make_shared<Surface>(*source->surface);
    LOGBRUSH log{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
    return static_cast<HBRUSH>(addObject(OBJ_BRUSH, BrushObject{log, std::move(pattern)}));
}

extern "C" HPEN CreatePenIndirect(const LOGPEN* logPen) {
    if (!logPen || (logPen->lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = lockGdi();
    LOGPEN log = *logPen;
    log.lopnWidth.y = 0;
    if (log.lopnWidth.x < 0) {
        log.lopnWidth.x = 0;
    }
    return static_cast<HPEN>(addObject(OBJ_PEN, PenObject{log}));
}

extern "C" HPEN CreatePen(int style, int width, COLORREF color) {
    LOGPEN log{static_cast<UINT>(style), POINT{width, 0}, color & 0xFFFFFF};
    return CreatePenIndirect(&log);
}

extern "C" HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
    if (!logFont) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = lockGdi();
    FontObject font{*logFont};
    font.log.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(addObject(OBJ_FONT, font));
}

extern "C" HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight,
                             DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                             DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                             DWORD pitchAndFamily, LPCSTR faceName) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = static_cast<BYTE>(italic);
    log.lfUnderline = static_cast<BYTE>(underline);
    log.lfStrikeOut = static_cast<BYTE>(strikeOut);
    log.lfCharSet = static_cast<BYTE>(charSet);
    log.lfOutPrecision = static_cast<BYTE>(outPrecision);
    log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    log.lfQuality = static_cast<BYTE>(quality);
    log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) {
        std::strncpy(log.lfFaceName, faceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&log);
}

extern "C" HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto lock = lockGdi();
    RegionObject region{normalized(RECT{left, top, right, bottom})};
    return static_cast<HRGN>(addObject(OBJ_REGION, region));
}

extern "C" HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}
