// Painting the grid: background, headers, cells through their controls, grid lines, cell
// borders with their pen styles, and the current cell's frame.
#include <algorithm>
#include <string>

#include "grid/gxcore.h"

namespace {

// On/off runs of the pen styles, in pixels (a dash, a dot and the gaps between).
struct DashPattern {
    const int* runs;
    int count;
};

DashPattern patternOf(UINT style) {
    static const int solid[] = {1};
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style & PS_STYLE_MASK) {
        case PS_DASH:
            return {dash, 2};
        case PS_DOT:
            return {dot, 2};
        case PS_DASHDOT:
            return {dashDot, 4};
        case PS_DASHDOTDOT:
            return {dashDotDot, 6};
        default:
            return {solid, 1};
    }
}

// Draws a horizontal (vertical false) or vertical line of length pixels from (x, y) with a
// pen's style; the pattern starts at the line's start.
void styledLine(CDC* dc, int x, int y, int length, bool vertical, UINT style, COLORREF color) {
    const DashPattern p = patternOf(style);
    int run = 0;
    int left = p.runs[0];
    for (int i = 0; i < length; ++i) {
        if (run % 2 == 0) {
            dc->SetPixel(vertical ? x : x + i, vertical ? y + i : y, color);
        }
        if (--left == 0) {
            run = (run + 1) % p.count;
            left = p.runs[run];
        }
    }
}

// One border of a cell, drawn inside the cell's rectangle.
void drawBorder(CDC* dc, const CRect& r, GXBorderType side, const CGXPen& pen, COLORREF color) {
    if ((pen.GetStyle() & PS_STYLE_MASK) == PS_NULL) {
        return;
    }
    const int width = std::clamp(pen.GetWidth(), 1, 8);
    for (int k = 0; k < width; ++k) {
        switch (side) {
            case gxBorderTop:
                styledLine(dc, r.left, r.top + k, r.Width(), false, pen.GetStyle(), color);
                break;
            case gxBorderBottom:
                styledLine(dc, r.left, r.bottom - 1 - k, r.Width(), false, pen.GetStyle(), color);
                break;
            case gxBorderLeft:
                styledLine(dc, r.left + k, r.top, r.Height(), true, pen.GetStyle(), color);
                break;
            case gxBorderRight:
                styledLine(dc, r.right - 1 - k, r.top, r.Height(), true, pen.GetStyle(), color);
                break;
            case gxBorderAll:
                break;
        }
    }
}

// The text of a header: the row number, or the column number.
std::string headerText(ROWCOL row, ROWCOL col) {
    if (row == 0 && col == 0) {
        return {};
    }
    return std::to_string(row == 0 ? col : row);
}

}  // namespace

void CGXGridCore::OnGridDraw(CDC* dc) {
    if (m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr) {
        return;
    }
    EnsureRowHeight();
    const CRect client = GetGridRect();
    const CGXProperties* props = m_param.GetProperties();
    dc->FillSolidRect(&client, ResolveColor(props->GetColor(GX_COLOR_BACKGROUND)));
    auto font = reinterpret_cast<HGDIOBJ>(m_pGridWnd->SendMessage(WM_GETFONT));
    HGDIOBJ oldFont = font != nullptr ? dc->SelectObject(font) : nullptr;
    const COLORREF lineColor = ResolveColor(props->GetColor(GX_COLOR_GRIDLINES));

    // The rows shown: the header row (unless hidden), then from the top row down.
    std::vector<ROWCOL> rows;
    if (!IsRowHidden(0)) {
        rows.push_back(0);
    }
    for (ROWCOL r = m_nTopRow; r >= 1 && r <= m_nRows; ++r) {
        if (IsRowHidden(r)) {
            continue;
        }
        if (CalcRectFromRowCol(r, 0).top >= client.bottom) {
            break;
        }
        rows.push_back(r);
    }
    CGXControl* current = GetCurrentCellControl();
    for (ROWCOL r : rows) {
        for (ROWCOL c = 0; c <= m_nCols; ++c) {
            if (IsColHidden(c)) {
                continue;
            }
            const CRect rect = CalcRectFromRowCol(r, c);
            if (rect.left >= client.right) {
                break;
            }
            if (r == 0 || c == 0) {
                CRect header = rect;
                dc->FillSolidRect(&header, GetSysColor(COLOR_BTNFACE));
                dc->DrawEdge(&header, BDR_RAISEDINNER, BF_RECT);
                dc->SetBkMode(TRANSPARENT);
                dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
                dc->DrawText(headerText(r, c).c_str(), -1, &header,
                             DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
                continue;
            }
            CGXStyle style;
            ComposeStyleRowCol(r, c, &style);
            dc->FillSolidRect(&rect, ResolveColor(style.GetInterior()));
            const bool activeHere =
                current != nullptr && current->IsActive() && IsCurrentCell(r, c);
            if (!activeHere) {
                if (CGXControl* control = GetRegisteredControl(style.GetControl())) {
                    control->Draw(dc, rect, r, c, style);
                }
            }
            if (props->GetDisplayHorzLines()) {
                styledLine(dc, rect.left, rect.bottom - 1, rect.Width(), false, PS_SOLID,
                           lineColor);
            }
            if (props->GetDisplayVertLines()) {
                styledLine(dc, rect.right - 1, rect.top, rect.Height(), true, PS_SOLID, lineColor);
            }
        }
    }
    // Borders after every cell, so that a neighbour's interior never covers them.
    for (ROWCOL r : rows) {
        if (r == 0) {
            continue;
        }
        for (ROWCOL c = 1; c <= m_nCols; ++c) {
            if (IsColHidden(c)) {
                continue;
            }
            CGXStyle style;
            ComposeStyleRowCol(r, c, &style);
            const CRect rect = CalcRectFromRowCol(r, c);
            for (GXBorderType side : {gxBorderTop, gxBorderLeft, gxBorderBottom, gxBorderRight}) {
                if (style.GetIncludeBorders(side)) {
                    const CGXPen pen = style.GetBorders(side);
                    drawBorder(dc, rect, side, pen, ResolveColor(pen.GetColor()));
                }
            }
        }
    }
    // The current cell's frame, unless the grid hides it.
    const UINT hide = m_param.GetHideCurrentCell();
    const bool focused =
        ::GetFocus() == m_pGridWnd->m_hWnd || ::IsChild(m_pGridWnd->m_hWnd, ::GetFocus());
    if (m_nCurRow != 0 && m_nCurCol != 0 && hide != GX_HIDE_ALWAYS &&
        (hide != GX_HIDE_INACTIVEFRAME || focused)) {
        const CRect rect = CalcRectFromRowCol(m_nCurRow, m_nCurCol);
        if (!rect.IsRectEmpty()) {
            const COLORREF frame = GetSysColor(COLOR_WINDOWTEXT);
            for (GXBorderType side : {gxBorderTop, gxBorderLeft, gxBorderBottom, gxBorderRight}) {
                drawBorder(dc, rect, side, CGXPen(PS_SOLID, 2, frame), frame);
            }
        }
    }
    if (oldFont != nullptr) {
        dc->SelectObject(oldFont);
    }
}
