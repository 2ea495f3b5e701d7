// Text output: TextOutA and ExtTextOutA with the built-in font, and DrawTextA's formatting
// rules (alignment, "&" prefixes, word breaks, end ellipsis, DT_CALCRECT).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "internal/gdi.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal {

bool boldFontSelected(DcObject& dc) {
    auto* font = GdiTable::instance().get<FontObject>(dc.state.font);
    return font && font->log.lfWeight >= FW_BOLD;
}

void paintText(DcObject& dc, int x, int y, std::string_view text, const RECT* clip,
               const std::vector<std::size_t>& underline, const INT* dx) {
    DrawTarget target = drawTarget(dc);
    if (target.empty()) {
        return;
    }
    RECT area = target.clip;
    if (clip) {
        const RECT c = normalized(sane(*clip));
        area = intersect(area, RECT{c.left + target.origin.x, c.top + target.origin.y,
                                    c.right + target.origin.x, c.bottom + target.origin.y});
    }
    if (isEmpty(area)) {
        return;
    }
    auto* font = GdiTable::instance().get<FontObject>(dc.state.font);
    const bool bold = boldFontSelected(dc);
    const bool underlined = font && font->log.lfUnderline;
    Surface& surface = *target.surface;
    const std::uint32_t ink = surface.fit(pixelFromColor(dc.state.textColor));
    const std::uint32_t paper = surface.fit(pixelFromColor(dc.state.bkColor));
    long long penX = 1LL * sane(x) + target.origin.x;
    const long long lineY = 1LL * sane(y) + target.origin.y;
    auto put = [&](long long px, long long py, std::uint32_t pixel) {
        if (px >= area.left && px < area.right && py >= area.top && py < area.bottom) {
            surface.row(static_cast<int>(py))[px] = pixel;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphImage& glyph = glyphImage(static_cast<unsigned char>(text[i]), bold);
        const long long advance = dx ? dx[i] : glyph.advance;
        if (penX >= area.right && advance >= 0) {
            break;
        }
        // An opaque background fills the character's whole cell, the line's height high.
        if (dc.state.bkMode == OPAQUE) {
            for (int row = 0; row < kFontHeight; ++row) {
                for (long long col = 0; col < advance; ++col) {
                    put(penX + col, lineY + row, paper);
                }
            }
        }
        for (int row = 0; row < glyph.height; ++row) {
            for (int col = 0; col < glyph.width; ++col) {
                if (glyph.ink[static_cast<std::size_t>(row * glyph.width + col)]) {
                    put(penX + glyph.left + col, lineY + glyph.top + row, ink);
                }
            }
        }
        const bool lineUnder =
            underlined || std::find(underline.begin(), underline.end(), i) != underline.end();
        if (lineUnder) {
            // The underline spans the character's advance.
            for (long long col = 0; col < advance; ++col) {
                put(penX + col, lineY + kFontUnderline, ink);
            }
        }
        penX += advance;
    }
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

namespace {

// A line of DrawTextA output: its characters and which of them carry a prefix underline.
struct Line {
    std::string text;
    std::vector<bool> underlined;

    int width(bool bold) const { return textWidth(text, bold); }
    void append(char c, bool underline) {
        text.push_back(c);
        underlined.push_back(underline);
    }
    std::vector<std::size_t> underlineIndices() const {
        std::vector<std::size_t> indices;
        for (std::size_t i = 0; i < underlined.size(); ++i) {
            if (underlined[i]) {
                indices.push_back(i);
            }
        }
        return indices;
    }
};

// Removes "&" prefixes: "&x" shows x underlined, "&&" shows one "&", a final lone "&" shows
// nothing. Tabs become spaces to the next multiple of eight characters with DT_EXPANDTABS.
Line resolvePrefixes(std::string_view text, UINT format) {
    Line out;
    const bool prefixes = !(format & DT_NOPREFIX);
    bool underlineNext = false;
    std::size_t column = 0;  // characters since the last line break, for tab stops
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (prefixes && c == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out.append('&', false);
                ++column;
                ++i;
            } else {
                underlineNext = true;
            }
            continue;
        }
        if (c == '\t') {
            // Without DT_EXPANDTABS a tab is a blank one cell wide.
            const std::size_t spaces = (format & DT_EXPANDTABS) ? 8 - column % 8 : 1;
            for (std::size_t k = 0; k < spaces; ++k) {
                out.append(' ', false);
            }
            column += spaces;
            underlineNext = false;
            continue;
        }
        column = (c == '\r' || c == '\n') ? 0 : column + 1;
        out.append(c, underlineNext && !(format & DT_HIDEPREFIX));
        underlineNext = false;
    }
    return out;
}

// Splits at CR LF, LF or CR (each a single break) unless DT_SINGLELINE.
std::vector<Line> splitLines(const Line& all, UINT format) {
    std::vector<Line> lines(1);
    for (std::size_t i = 0; i < all.text.size(); ++i) {
        const char c = all.text[i];
        if (!(format & DT_SINGLELINE) && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < all.text.size() && all.text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
            continue;
        }
        lines.back().append(c, all.underlined[i]);
    }
    return lines;
}

// Breaks a line between words so that each piece fits the width; a word wider than the
// width stays whole on a line of its own. The blanks at a break are dropped.
void wrapLine(const Line& line, int width, bool bold, std::vector<Line>& out) {
    std::size_t start = 0;
    const std::size_t n = line.text.size();
    if (n == 0) {
        out.push_back(line);
        return;
    }
    while (start < n) {
        std::size_t end = n;
        // The characters from start that fit the width end at fit.
        std::size_t fit = start;
        for (int used = 0; fit < n; ++fit) {
            used += charAdvance(static_cast<unsigned char>(line.text[fit]), bold);
            if (used > width) {
                break;
            }
        }
        if (fit < n) {
            // Last blank at or before the limit; else the end of the first word.
            std::size_t breakAt = std::string::npos;
            for (std::size_t i = start; i <= fit && i < n; ++i) {
                if (line.text[i] == ' ') {
                    breakAt = i;
                }
            }
            if (breakAt == std::string::npos || breakAt == start) {
                breakAt = line.text.find(' ', start + 1);
                if (breakAt == std::string::npos) {
                    breakAt = n;
                }
            }
            end = breakAt;
        }
        Line piece;
        std::size_t pieceEnd = end;
        while (pieceEnd > start && line.text[pieceEnd - 1] == ' ' && end != n) {
            --pieceEnd;
        }
        for (std::size_t i = start; i < pieceEnd; ++i) {
            piece.append(line.text[i], line.underlined[i]);
        }
        out.push_back(std::move(piece));
        start = end;
        while (start < n && line.text[start] == ' ' && end != n) {
            ++start;
        }
    }
}

// Cuts a line to the width with "..." at its end when it does not fit.
void endEllipsis(Line& line, int width, bool bold) {
    if (line.width(bold) <= width) {
        return;
    }
    const int room = width - textWidth("...", bold);
    std::size_t keep = 0;
    for (int used = 0; keep < line.text.size(); ++keep) {
        used += charAdvance(static_cast<unsigned char>(line.text[keep]), bold);
        if (used > room) {
            break;
        }
    }
    line.text.resize(std::min(keep, line.text.size()));
    line.underlined.resize(line.text.size());
    for (int i = 0; i < 3; ++i) {
        line.append('.', false);
    }
}

}  // namespace

extern "C" BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                            UINT count, const INT* dx) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (count > 0 && !text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // ETO_OPAQUE paints the rectangle in the background colour even with nothing to write,
    // which is how frameworks fill solid rectangles.
    if ((options & ETO_OPAQUE) && rect) {
        BrushObject paper{LOGBRUSH{BS_SOLID, context->state.bkColor, 0}, nullptr};
        paintRect(*context, *rect, &paper, PATCOPY);
    }
    if (count == 0) {
        return TRUE;
    }
    const std::string_view run(text, count);
    const bool bold = boldFontSelected(*context);
    long long width = 0;
    for (UINT i = 0; i < count; ++i) {
        width += dx ? dx[i] : charAdvance(static_cast<unsigned char>(text[i]), bold);
    }
    const UINT align = context->state.textAlign;
    long long left = (align & TA_UPDATECP) ? context->state.position.x : x;
    long long top = (align & TA_UPDATECP) ? context->state.position.y : y;
    if ((align & TA_CENTER) == TA_CENTER) {
        left -= width / 2;
    } else if (align & TA_RIGHT) {
        left -= width;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top -= kFontAscent;
    } else if (align & TA_BOTTOM) {
        top -= kFontHeight;
    }
    paintText(*context, sane(left), sane(top), run, (options & ETO_CLIPPED) ? rect : nullptr, {},
              dx);
    if (align & TA_UPDATECP) {
        context->state.position.x = sane(context->state.position.x + width);
    }
    return TRUE;
}

extern "C" BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

extern "C" int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    auto lock = lockGdi();
    DcObject* context = findDc(dc);
    if (!context || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!text) {
        return 0;
    }
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    const RECT r = sane(*rect);
    const int available = r.right - r.left;
    const bool bold = boldFontSelected(*context);
    std::vector<Line> lines;
    if (length > 0 || (format & DT_SINGLELINE)) {
        const Line all = resolvePrefixes(std::string_view(text, length), format);
        for (Line& line : splitLines(all, format)) {
            if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
                wrapLine(line, available, bold, lines);
            } else {
                lines.push_back(std::move(line));
            }
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (Line& line : lines) {
            endEllipsis(line, available, bold);
        }
    }
    const int height = static_cast<int>(lines.size()) * kFontHeight;
    int widest = 0;
    for (const Line& line : lines) {
        widest = std::max(widest, line.width(bold));
    }
    if (format & DT_CALCRECT) {
        // Only the size is wanted: the rectangle keeps its top-left corner.
        rect->right = sane(1LL * r.left + widest);
        rect->bottom = sane(1LL * r.top + height);
        return height;
    }
    // Vertical alignment applies to single lines only.
    long long y = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            y = (1LL * r.top + r.bottom - height) / 2;
        } else if (format & DT_BOTTOM) {
            y = 1LL * r.bottom - height;
        }
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &r;
    long long lineY = y;
    for (const Line& line : lines) {
        long long x = r.left;
        if (format & DT_CENTER) {
            x = (1LL * r.left + r.right - line.width(bold)) / 2;
        } else if (format & DT_RIGHT) {
            x = 1LL * r.right - line.width(bold);
        }
        if (!(format & DT_CALCRECT)) {
            paintText(*context, sane(x), sane(lineY), line.text, clip, line.underlineIndices());
        }
        lineY += kFontHeight;
    }
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) {
        return static_cast<int>(y + height - r.top);
    }
    return height;
}
