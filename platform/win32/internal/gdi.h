// Internal: the model behind GDI handles shared by the GDI, drawing and window files: the
// process-wide object table, pixel surfaces, device-context state and the raster-operation
// arithmetic every painting call goes through.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "kvwin32/wingdi.h"

namespace kvwin32::internal {

// Number of COLOR_* indices GetSysColor knows.
inline constexpr int kSysColorCount = 31;

// Largest bitmap side the layer creates; bigger requests fail as out of memory would.
inline constexpr int kMaxBitmapSide = 16384;

// A pixel buffer a DC paints into: each pixel 0x00RRGGBB (the memory layout of a 32-bit BGRA
// DIB on a little-endian machine).
struct Surface {
    int width = 0;
    int height = 0;
    bool monochrome = false;  // 1-bit bitmap: every pixel is 0 (black) or 0xFFFFFF (white)
    bool bottomUp = false;    // rows stored bottom row first (DIB sections with positive height)
    std::vector<std::uint32_t> pixels;

    std::uint32_t* row(int y) {
        return pixels.data() + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * width;
    }
    const std::uint32_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * width;
    }
    // The pixel a colour becomes on this surface (black or white on a monochrome one).
    std::uint32_t fit(std::uint32_t pixel) const;
};

// A new surface of that size filled with a pixel; null when the size is out of range.
std::shared_ptr<Surface> makeSurface(int width, int height, bool monochrome,
                                     std::uint32_t fill = 0);

// COLORREF is 0x00BBGGRR; pixels are 0x00RRGGBB.
inline std::uint32_t pixelFromColor(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF colorFromPixel(std::uint32_t p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// Ternary raster operation on whole pixels: the rop's truth-table byte applied bit by bit to
// pattern, source and destination.
std::uint32_t applyRop3(DWORD rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t dest);
// Binary raster operation (R2_*) of a pen on a destination pixel.
std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t dest);

struct PenObject {
    LOGPEN log{};
};

struct BrushObject {
    LOGBRUSH log{};
    std::shared_ptr<const Surface> pattern;  // BS_PATTERN: the bitmap's pixels when created
};

struct FontObject {
    LOGFONTA log{};
};

struct BitmapObject {
    std::shared_ptr<Surface> surface;
    HDC selectedInto = nullptr;  // a bitmap lives in at most one DC at a time
    bool dibSection = false;
};

struct RegionObject {
    RECT rect{};
};

// The part of a DC that SaveDC pushes and RestoreDC pops.
struct DcState {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT viewportOrg{};
    POINT brushOrg{};
    POINT position{};          // MoveToEx / LineTo current position, logical
    std::optional<RECT> clip;  // device coordinates; none = the whole surface
};

struct DcObject {
    DcState state;
    std::vector<DcState> saved;
    // A window's DC paints into the window system's surface instead of a selected bitmap.
    std::shared_ptr<Surface> windowSurface;
    POINT windowOrigin{};  // surface position of device (0, 0)
    RECT windowArea{};     // the surface rectangle the window may paint
};

struct GdiObject {
    DWORD type = 0;          // OBJ_*
    bool permanent = false;  // stock objects and system-colour brushes outlive DeleteObject
    bool deletePending = false;
    std::variant<PenObject, BrushObject, FontObject, BitmapObject, RegionObject, DcObject> data;
};

// The process's GDI objects, as Windows keeps one handle table per process. Every access
// holds the lock from lockGdi().
class GdiTable {
  public:
    static GdiTable& instance();

    HGDIOBJ add(GdiObject object);
    GdiObject* find(HGDIOBJ handle);
    template <class T>
    T* get(HGDIOBJ handle) {
        GdiObject* object = find(handle);
        return object ? std::get_if<T>(&object->data) : nullptr;
    }
    void erase(HGDIOBJ handle) { m_objects.erase(key(handle)); }
    // Whether any DC has the object selected, now or in a saved state.
    bool isSelected(HGDIOBJ handle);
    // Finishes a DeleteObject that waited for the object to leave its last DC.
    void collect(HGDIOBJ handle);
    // Stock object by GetStockObject index, created on first use; null for unknown indices.
    HGDIOBJ stock(int index);
    // Slot of a system-colour brush; GetSysColorBrush fills it on first use.
    HGDIOBJ& sysColorBrush(int index) { return m_sysColorBrushes[static_cast<std::size_t>(index)]; }
    // Slot of the 1x1 monochrome bitmap every memory DC starts with.
    HGDIOBJ& defaultBitmapSlot() { return m_defaultBitmap; }
    std::recursive_mutex& mutex() { return m_mutex; }

  private:
    static std::uintptr_t key(HGDIOBJ handle) { return reinterpret_cast<std::uintptr_t>(handle); }
    std::recursive_mutex m_mutex;
    std::unordered_map<std::uintptr_t, GdiObject> m_objects;
    std::array<HGDIOBJ, DC_PEN + 1> m_stock{};
    std::array<HGDIOBJ, kSysColorCount> m_sysColorBrushes{};
    HGDIOBJ m_defaultBitmap = nullptr;
    std::uintptr_t m_next = 0x10000;
};

inline std::unique_lock<std::recursive_mutex> lockGdi() {
    return std::unique_lock(GdiTable::instance().mutex());
}
inline DcObject* findDc(HDC dc) {
    return GdiTable::instance().get<DcObject>(dc);
}

// The 1x1 monochrome bitmap every memory DC starts with.
HBITMAP defaultBitmap();

// Where and how far a DC may paint: a surface, the surface position of logical (0, 0) and
// the clip in surface coordinates (empty when nothing can be painted).
struct DrawTarget {
    Surface* surface = nullptr;
    POINT origin{};
    RECT clip{};
    bool empty() const { return clip.left >= clip.right || clip.top >= clip.bottom; }
};
DrawTarget drawTarget(DcObject& dc);
// The surface a DC paints into, or null.
std::shared_ptr<Surface> dcSurface(DcObject& dc);

// Coordinates are kept within +-2^28 so that sums of a coordinate, an origin and an offset
// never overflow; nothing paintable lies that far out.
inline constexpr long long kCoordLimit = 1LL << 28;
inline int sane(long long v) {
    return static_cast<int>(v < -kCoordLimit ? -kCoordLimit : (v > kCoordLimit ? kCoordLimit : v));
}
inline RECT sane(const RECT& r) {
    return RECT{sane(r.left), sane(r.top), sane(r.right), sane(r.bottom)};
}

// Rectangle helpers on half-open rectangles.
RECT intersect(const RECT& a, const RECT& b);
inline bool isEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}
RECT normalized(const RECT& r);

// Paints a logical rectangle with a brush through a ternary rop that uses the pattern and
// the destination (PATCOPY, PATINVERT, DSTINVERT, ...). A null brush paints nothing.
void paintRect(DcObject& dc, const RECT& logical, const BrushObject* brush, DWORD rop);
// Paints one logical pixel with the DC's pen mix.
void plotPen(DcObject& dc, const DrawTarget& target, int x, int y, std::uint32_t penPixel);

// ---- The dialog font (font.cpp, typeface.cpp) ------------------------------------------------

inline constexpr int kFontAdvance = 6;     // the built-in font's cells are 6 pixels wide
inline constexpr int kFontHeight = 13;     // every line is 13 high: the dialog base units 6x13
inline constexpr int kFontAscent = 10;     // rows above the baseline
inline constexpr int kFontUnderline = 11;  // row of the underline ("&" prefixes, lfUnderline)

// Rows of a character's cell in the built-in font, top first; bit 5 (0x20) is the leftmost
// column. Bytes outside the printable ASCII range get a box.
const std::array<std::uint8_t, kFontHeight>& glyphRows(unsigned char c);
// The LOGFONTA of DEFAULT_GUI_FONT.
LOGFONTA defaultGuiFont();
// Metrics of the dialog font as a font created from that LOGFONTA reports them.
TEXTMETRICA textMetrics(const LOGFONTA& font);

// A character of the dialog font as painted: the pen moves on by advance; the glyph's ink is
// a width x height block of 0/1 bytes whose top-left lies left pixels right of the pen and
// top rows below the top of the 13-pixel line.
struct GlyphImage {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;
};
// The glyph of an ANSI (code page 1252) character in the typeface in use: the outline font
// read with FreeType when one is loaded, else the built-in font's cell.
const GlyphImage& glyphImage(unsigned char c, bool bold);
// Pixels the pen moves on for one character.
inline int charAdvance(unsigned char c, bool bold = false) {
    return glyphImage(c, bold).advance;
}
// Width in pixels of a run of text.
inline int textWidth(std::string_view text, bool bold = false) {
    int width = 0;
    for (char c : text) {
        width += charAdvance(static_cast<unsigned char>(c), bold);
    }
    return width;
}
// Whether the dialog font is an outline font read from a file (else the built-in font).
bool outlineFontInUse();

// Whether the DC's font is a bold one (text is measured and painted with the bold face).
bool boldFontSelected(DcObject& dc);
// Paints a run of text with its cell's top-left at a logical point: glyph pixels in the text
// colour, the cell background in the background colour when the mode is OPAQUE. Characters
// at underline indices (e.g. a "&" prefix) get the underline row; clip is logical and optional.
void paintText(DcObject& dc, int x, int y, std::string_view text, const RECT* clip,
               const std::vector<std::size_t>& underline = {}, const INT* dx = nullptr);

// ---- Window DCs (for the window system) ------------------------------------------------------

// A DC that paints into a window's surface: device (0, 0) is at origin on the surface and
// painting is limited to area. DeleteDC releases it.
HDC createSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const RECT& area);

}  // namespace kvwin32::internal
