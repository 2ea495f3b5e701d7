// What the "Edit" control shows and where: its formatting rectangle, line layout, character
// positions and scrolling, the line queries, and its painting (see internal/edit_control.h).
#include <algorithm>
#include <cstring>
#include <string>

#include "internal/edit_control.h"
#include "internal/gdi.h"
#include "internal/window.h"

namespace kvwin32::internal::edit {

// ---- Geometry
// -------------------------------------------------------------------------------------

RECT formatRect(HWND hwnd, const EditState& state) {
    RECT r{};
    if (state.hasFormatRect) {
        r = state.formatRect;
    } else {
        GetClientRect(hwnd, &r);
    }
    r.left += state.leftMargin;
    r.right -= state.rightMargin;
    if (r.right < r.left) {
        r.right = r.left;
    }
    return r;
}

// Multi-line edits without horizontal scrolling wrap words at the formatting width.
std::size_t wrapColumns(HWND hwnd, const EditState& state) {
    const DWORD style = styleOf(hwnd);
    if (!(style & ES_MULTILINE) || (style & (ES_AUTOHSCROLL | WS_HSCROLL))) {
        return 0;
    }
    // Lines wrap at a count of characters of the average width, as the layout of lines is
    // kept in characters.
    const RECT r = formatRect(hwnd, state);
    const int width = r.right - r.left;
    return width >= kvwin32::internal::kFontAdvance
               ? static_cast<std::size_t>(width / kvwin32::internal::kFontAdvance)
               : 0;
}

std::vector<EditLine> linesOf(HWND hwnd, const EditState& state) {
    return kvwin32::internal::layoutLines(state.text, isMultiLine(hwnd), wrapColumns(hwnd, state));
}

int textPixels(const EditState& state, std::string_view text) {
    // Beyond a million characters the width no longer matters: nothing that far shows.
    text = text.substr(0, std::min<std::size_t>(text.size(), 1u << 20));
    if (state.passwordChar) {
        return static_cast<int>(text.size()) *
               kvwin32::internal::charAdvance(static_cast<unsigned char>(state.passwordChar));
    }
    return kvwin32::internal::textWidth(text);
}

int textPixels(const EditState& state, std::size_t from, std::size_t to) {
    from = std::min(from, state.text.size());
    to = std::clamp(to, from, state.text.size());
    return textPixels(state, std::string_view(state.text).substr(from, to - from));
}

// Left edge of a line's text in client coordinates, by the ES_CENTER/ES_RIGHT alignment.
int lineLeft(HWND hwnd, const EditState& state, const EditLine& line) {
    const RECT r = formatRect(hwnd, state);
    const int width = textPixels(state, line.start, line.end);
    switch (styleOf(hwnd) & (ES_CENTER | ES_RIGHT)) {
        case ES_CENTER:
            return r.left + (r.right - r.left - width) / 2 - state.xOffset;
        case ES_RIGHT:
            return r.right - width - state.xOffset;
        default:
            return r.left - state.xOffset;
    }
}

POINT positionOf(HWND hwnd, const EditState& state, std::size_t index) {
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const std::size_t line = kvwin32::internal::lineOfIndex(lines, index);
    const EditLine& l = lines[line];
    const RECT r = formatRect(hwnd, state);
    const long long row = static_cast<long long>(line) - static_cast<long long>(state.firstLine);
    return POINT{lineLeft(hwnd, state, l) + textPixels(state, l.start, std::min(index, l.end)),
                 kvwin32::internal::sane(r.top + row * kvwin32::internal::kFontHeight)};
}

// The character nearest a point: its index and line.
std::pair<std::size_t, std::size_t> charFromPoint(HWND hwnd, const EditState& state, POINT pt) {
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const RECT r = formatRect(hwnd, state);
    long long row = pt.y < r.top ? 0 : (pt.y - r.top) / kvwin32::internal::kFontHeight;
    row += static_cast<long long>(state.firstLine);
    const std::size_t line = static_cast<std::size_t>(
        std::clamp<long long>(row, 0, static_cast<long long>(lines.size()) - 1));
    const EditLine& l = lines[line];
    // The nearest boundary between characters: past a character's middle is after it.
    const int x = pt.x - lineLeft(hwnd, state, l);
    std::size_t column = 0;
    for (int left = 0; l.start + column < l.end; ++column) {
        const int advance = textPixels(state, l.start + column, l.start + column + 1);
        if (x < left + (advance + 1) / 2) {
            break;
        }
        left += advance;
    }
    return {l.start + column, line};
}

// Scrolls so that the caret shows: horizontally for a single line, by lines for several.
void scrollCaret(HWND hwnd, EditState& state) {
    const RECT r = formatRect(hwnd, state);
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const std::size_t line = kvwin32::internal::lineOfIndex(lines, state.caret);
    if (isMultiLine(hwnd)) {
        const int visible = visibleLines(hwnd, state);
        if (line < state.firstLine) {
            state.firstLine = line;
        } else if (line >= state.firstLine + static_cast<std::size_t>(visible)) {
            state.firstLine = line - static_cast<std::size_t>(visible) + 1;
        }
        updateScrollBar(hwnd, state);
        return;
    }
    const int caretX = textPixels(state, 0, state.caret);
    const int width = r.right - r.left;
    if (caretX - state.xOffset > width) {
        state.xOffset = caretX - width;
    } else if (caretX < state.xOffset) {
        state.xOffset = caretX;
    }
}
int visibleLines(HWND hwnd, const EditState& state) {
    const RECT r = formatRect(hwnd, state);
    return std::max(1, (r.bottom - r.top) / kvwin32::internal::kFontHeight);
}

// The range covers the lines, the page the lines that fit, the position is the first line
// shown. The bar stays shown while the text fits, disabled, as Windows keeps an edit's bar.
void updateScrollBar(HWND hwnd, const EditState& state) {
    if (!state.verticalBar) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax =
        static_cast<int>(std::min<std::size_t>(linesOf(hwnd, state).size(), 0x7fffffff)) - 1;
    info.nPage = static_cast<UINT>(visibleLines(hwnd, state));
    info.nPos = static_cast<int>(std::min<std::size_t>(state.firstLine, 0x7fffffff));
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

// ---- Lines -------------------------------------------------------------------------------------

LRESULT lineIndex(HWND hwnd, const EditState& state, WPARAM line) {
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    std::size_t wanted = static_cast<std::size_t>(line);
    if (static_cast<int>(line) == -1) {
        wanted = kvwin32::internal::lineOfIndex(lines, state.caret);
    }
    return wanted < lines.size() ? static_cast<LRESULT>(lines[wanted].start) : -1;
}

// EM_LINELENGTH: a single-line edit answers its whole length; a multi-line edit the length of
// the line holding the index, or with -1 the unselected characters of the selected lines.
LRESULT lineLength(HWND hwnd, const EditState& state, WPARAM index) {
    if (!isMultiLine(hwnd)) {
        return static_cast<LRESULT>(state.text.size());
    }
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    if (static_cast<int>(index) == -1) {
        const EditLine& first = lines[kvwin32::internal::lineOfIndex(lines, selStart(state))];
        const EditLine& last = lines[kvwin32::internal::lineOfIndex(lines, selEnd(state))];
        return static_cast<LRESULT>((selStart(state) - first.start) +
                                    (last.end > selEnd(state) ? last.end - selEnd(state) : 0));
    }
    const std::size_t at = std::min<std::size_t>(index, state.text.size());
    const EditLine& l = lines[kvwin32::internal::lineOfIndex(lines, at)];
    return static_cast<LRESULT>(l.end - l.start);
}

LRESULT lineFromChar(HWND hwnd, const EditState& state, WPARAM index) {
    const std::size_t at = static_cast<int>(index) == -1
                               ? selStart(state)
                               : std::min<std::size_t>(index, state.text.size());
    return static_cast<LRESULT>(kvwin32::internal::lineOfIndex(linesOf(hwnd, state), at));
}

// EM_GETLINE: the buffer's first WORD is its size; the line is copied without a terminator.
LRESULT getLine(HWND hwnd, const EditState& state, WPARAM line, LPSTR buffer) {
    if (buffer == nullptr) {
        return 0;
    }
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const std::size_t wanted = isMultiLine(hwnd) ? static_cast<std::size_t>(line) : 0;
    if (wanted >= lines.size()) {
        return 0;
    }
    const EditLine& l = lines[wanted];
    const std::size_t n = std::min<std::size_t>(l.end - l.start, size);
    std::memcpy(buffer, state.text.data() + l.start, n);
    return static_cast<LRESULT>(n);
}

// EM_POSFROMCHAR: client coordinates of a character; -1 past the last one.
LRESULT posFromChar(HWND hwnd, const EditState& state, WPARAM index) {
    if (index >= state.text.size()) {
        return -1;
    }
    const POINT pt = positionOf(hwnd, state, index);
    return MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

LRESULT charFromPos(HWND hwnd, const EditState& state, LPARAM lParam) {
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const auto [index, line] = charFromPoint(hwnd, state, pt);
    return MAKELONG(std::min<std::size_t>(index, 0xFFFF), std::min<std::size_t>(line, 0xFFFF));
}
// ---- Painting ---------------------------------------------------------------------------------

// Disabled and read-only edits take the static colours, as Windows asks WM_CTLCOLORSTATIC
// for them; an editable one asks WM_CTLCOLOREDIT.
void paintEdit(HWND hwnd, const EditState& state, HDC dc) {
    const DWORD style = styleOf(hwnd);
    const bool enabled = kvwin32::internal::isControlEnabled(hwnd);
    const UINT colorMessage =
        enabled && !(style & ES_READONLY) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    const int saved = SaveDC(dc);
    if (state.font) {
        SelectObject(dc, state.font);
    }
    HBRUSH brush = kvwin32::internal::controlColors(hwnd, dc, colorMessage);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    if (!enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    const COLORREF textColor = GetTextColor(dc);
    const RECT area = formatRect(hwnd, state);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    // The selection shows while the edit has the focus, or always with ES_NOHIDESEL.
    const bool showSelection = state.focused || (style & ES_NOHIDESEL);
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const int visible = std::max(1, (area.bottom - area.top) / kvwin32::internal::kFontHeight + 1);
    for (std::size_t i = state.firstLine;
         i < lines.size() && i < state.firstLine + static_cast<std::size_t>(visible); ++i) {
        const EditLine& line = lines[i];
        std::string shown = state.text.substr(line.start, line.end - line.start);
        if (state.passwordChar) {
            shown.assign(shown.size(), state.passwordChar);
        }
        const int x = lineLeft(hwnd, state, line);
        const int y =
            area.top + static_cast<int>(i - state.firstLine) * kvwin32::internal::kFontHeight;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColor);
        TextOutA(dc, x, y, shown.c_str(), static_cast<int>(shown.size()));
        const std::size_t from = std::max(selStart(state), line.start);
        const std::size_t to = std::min(selEnd(state), line.end);
        if (showSelection && from < to) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            TextOutA(dc, x + textPixels(state, line.start, from), y,
                     shown.c_str() + (from - line.start), static_cast<int>(to - from));
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace kvwin32::internal::edit
