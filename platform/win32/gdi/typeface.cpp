// The dialog font's typeface: an outline font read with FreeType, rasterised once per
// character at the size of an 8-point dialog font on a 96 dpi screen (11 pixels to the em,
// 13-pixel lines with the baseline under row 10), or the built-in bitmap font when no font
// file can be loaded.
//
// Glyphs are rendered monochrome with the font's own hinting, as dialogs of the classic look
// show text (no smoothing), so the same font file gives the same pixels on every machine.
// The font file is the one of the font package the build installs (Liberation Sans, whose
// widths match the classic dialog font closely enough for layouts made for it); KV_DIALOG_FONT
// names another file, or "builtin" for the bitmap font.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "internal/gdi.h"
#include "kvwin32/render.h"

namespace kvwin32::internal {
namespace {

constexpr const char* kDefaultRegular =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
constexpr int kPixelsPerEm = 11;  // 8 points at 96 dots per inch
constexpr int kBaseline = kFontAscent;

// Code page 1252 characters 0x80..0x9F as Unicode; 0 where the code page has none.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t unicodeOf(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        return kCp1252High[c - 0x80];
    }
    return c;
}

using GlyphTable = std::array<GlyphImage, 256>;

// The built-in font's cells as glyph images: each 6 pixels wide and 13 high, bold doubling
// every stroke one pixel to the right.
GlyphTable builtinGlyphs(bool bold) {
    GlyphTable table;
    for (int c = 0; c < 256; ++c) {
        GlyphImage& g = table[static_cast<std::size_t>(c)];
        g.advance = kFontAdvance;
        g.width = kFontAdvance;
        g.height = kFontHeight;
        g.ink.assign(static_cast<std::size_t>(g.width * g.height), 0);
        const auto& rows = glyphRows(static_cast<unsigned char>(c));
        for (int row = 0; row < kFontHeight; ++row) {
            unsigned bits = rows[static_cast<std::size_t>(row)];
            if (bold) {
                bits |= bits >> 1;
            }
            for (int col = 0; col < kFontAdvance; ++col) {
                g.ink[static_cast<std::size_t>(row * g.width + col)] =
                    (bits & (0x20u >> col)) ? 1 : 0;
            }
        }
    }
    return table;
}

// Renders every character of one face; false when the face cannot be rendered at all.
bool renderFace(FT_Face face, bool emboldenByHand, GlyphTable& table) {
    if (FT_Set_Pixel_Sizes(face, 0, kPixelsPerEm) != 0) {
        return false;
    }
    // Characters the face lacks show its missing-glyph box, as Windows fonts do.
    for (int c = 0; c < 256; ++c) {
        GlyphImage& g = table[static_cast<std::size_t>(c)];
        const char32_t code = c < 0x20 ? 0 : unicodeOf(static_cast<unsigned char>(c));
        const FT_UInt index = code ? FT_Get_Char_Index(face, code) : 0;
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER | FT_LOAD_MONOCHROME) !=
            0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        g.left = slot->bitmap_left;
        g.top = kBaseline - slot->bitmap_top;
        g.width = static_cast<int>(bitmap.width) + (emboldenByHand ? 1 : 0);
        g.height = static_cast<int>(bitmap.rows);
        g.ink.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
        for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
            const unsigned char* row =
                bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < static_cast<int>(bitmap.width); ++x) {
                if ((row[x / 8] >> (7 - x % 8)) & 1) {
                    g.ink[static_cast<std::size_t>(y * g.width + x)] = 1;
                    if (emboldenByHand) {
                        g.ink[static_cast<std::size_t>(y * g.width + x + 1)] = 1;
                    }
                }
            }
        }
        if (emboldenByHand && c >= 0x20) {
            ++g.advance;
        }
    }
    return true;
}

// The bold face's file beside the regular one ("-Regular" becomes "-Bold"), if any.
std::string boldFileOf(const std::string& regular) {
    const std::string tag = "-Regular.";
    const std::size_t at = regular.rfind(tag);
    if (at == std::string::npos) {
        return std::string();
    }
    return regular.substr(0, at) + "-Bold." + regular.substr(at + tag.size());
}

struct Typeface {
    std::string file;  // empty for the built-in font
    GlyphTable regular;
    GlyphTable bold;
};

// Reads a font file into a typeface; null when FreeType cannot read it.
std::unique_ptr<Typeface> loadTypeface(const std::string& file) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return nullptr;
    }
    auto typeface = std::make_unique<Typeface>();
    typeface->file = file;
    bool ok = false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
        ok = FT_IS_SCALABLE(face) && renderFace(face, false, typeface->regular);
        FT_Done_Face(face);
    }
    if (ok) {
        FT_Face boldFace = nullptr;
        const std::string boldFile = boldFileOf(file);
        if (!boldFile.empty() && FT_New_Face(library, boldFile.c_str(), 0, &boldFace) == 0) {
            ok = renderFace(boldFace, false, typeface->bold);
            FT_Done_Face(boldFace);
        } else if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
            ok = renderFace(face, true, typeface->bold);
            FT_Done_Face(face);
        }
    }
    FT_Done_FreeType(library);
    return ok ? std::move(typeface) : nullptr;
}

// Typefaces loaded so far, kept for the life of the process so that a glyph handed out stays
// valid when another font is chosen.
class Typefaces {
  public:
    static Typefaces& instance() {
        static Typefaces typefaces;
        return typefaces;
    }
    const Typeface& current() {
        const Typeface* face = m_current.load(std::memory_order_acquire);
        if (face == nullptr) {
            std::lock_guard lock(m_mutex);
            if (m_current.load() == nullptr) {
                const char* chosen = std::getenv("KV_DIALOG_FONT");
                const std::string file = chosen && *chosen ? chosen : kDefaultRegular;
                const Typeface* loaded = file == "builtin" ? nullptr : findOrLoad(file);
                m_current.store(loaded ? loaded : &builtin());
            }
            face = m_current.load();
        }
        return *face;
    }
    bool choose(const std::string& file) {
        std::lock_guard lock(m_mutex);
        const Typeface* face = file.empty() ? &builtin() : findOrLoad(file);
        if (face == nullptr) {
            return false;
        }
        m_current.store(face, std::memory_order_release);
        return true;
    }

  private:
    const Typeface& builtin() {
        if (!m_builtin) {
            m_builtin = std::make_unique<Typeface>();
            m_builtin->regular = builtinGlyphs(false);
            m_builtin->bold = builtinGlyphs(true);
        }
        return *m_builtin;
    }
    const Typeface* findOrLoad(const std::string& file) {
        auto it = m_loaded.find(file);
        if (it == m_loaded.end()) {
            it = m_loaded.emplace(file, loadTypeface(file)).first;
        }
        return it->second.get();
    }

    std::mutex m_mutex;
    std::atomic<const Typeface*> m_current{nullptr};
    std::unique_ptr<Typeface> m_builtin;
    std::map<std::string, std::unique_ptr<Typeface>> m_loaded;  // null: the file failed
};

}  // namespace

const GlyphImage& glyphImage(unsigned char c, bool bold) {
    const Typeface& face = Typefaces::instance().current();
    return (bold ? face.bold : face.regular)[c];
}

bool outlineFontInUse() {
    return !Typefaces::instance().current().file.empty();
}

}  // namespace kvwin32::internal

namespace kvwin32 {

std::string dialogFontFile() {
    return internal::Typefaces::instance().current().file;
}

bool setDialogFont(const std::string& file) {
    return internal::Typefaces::instance().choose(file);
}

}  // namespace kvwin32
