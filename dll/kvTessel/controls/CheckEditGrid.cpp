// MECCheckEditGrid: one framed and highlighted current row instead of range selections.
#include "controls/CheckEditGrid.h"

#include <cstring>

namespace {

// The frame of the current row: a 1-pixel solid pen of colour value 10.
CGXPen framePen() {
    return CGXPen(PS_SOLID, 1, 10);
}

bool ctrlHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

bool shiftHeld() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Keys that, released with Ctrl held, set the current cell again for editing.
bool isReeditKey(UINT ch) {
    return ch == 82 || ch == 90 || ch == 114 || ch == 122;
}

// True for a dialog window (a dialog box or a property page).
bool isDialog(HWND hwnd) {
    char name[16] = {};
    return GetClassNameA(hwnd, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

}  // namespace

MECCheckEditGrid::MECCheckEditGrid() {
    // The two core members this grid sets to 1: the whole grid is repainted when the current
    // cell moves (a row's frame and colours change with it), and an editor stays active when
    // the focus leaves for another window of the dialog (a pick in a list inserts into it).
    m_bRefreshOnSetCurrentCell = 1;
    m_bKeepEditOnKillFocus = 1;
}

int MECCheckEditGrid::GridWidth() const {
    return GetGridRect().Width() - 1;
}

void MECCheckEditGrid::SetupGrid(ROWCOL rows) {
    GetParam()->EnableUndo(FALSE);
    // A fresh table: the rows of an earlier set-up go with everything they held.
    SetRowCount(0);
    m_nCurrentRow = 0;
    SetColCount(2);
    SetRowCount(rows);
    HideRows(0, 0);
    HideCols(0, 0);
    const int width = GridWidth();
    SetColWidth(kCheckCol, kCheckCol, static_cast<int>(width * 0.05));
    SetColWidth(kTextCol, kTextCol, static_cast<int>(width * 0.95));
    SetStyleRange(CGXRange().SetCols(kCheckCol), CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D));
    SetStyleRange(CGXRange().SetCols(kTextCol), CGXStyle().SetControl(kTextControl));
}

void MECCheckEditGrid::SetRowStyle(ROWCOL row, const CGXStyle& style, GXModifyType mt) {
    if (row == 0 || row > GetRowCount() || GetColCount() == 0) {
        return;
    }
    SetStyleRange(CGXRange(row, 1, row, GetColCount()), style, mt);
}

void MECCheckEditGrid::HighlightRow(ROWCOL row, BOOL on) {
    CGXStyle style;
    style.SetTextColor(GetSysColor(on ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    style.SetInterior(GetSysColor(on ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetRowStyle(row, style, gxOverride);
}

void MECCheckEditGrid::FrameRow(ROWCOL row, BOOL on) {
    if (row == 0 || row > GetRowCount()) {
        return;
    }
    const GXModifyType mt = on ? gxOverride : gxExclude;
    CGXStyle topBottom;
    topBottom.SetBorders(gxBorderTop, framePen()).SetBorders(gxBorderBottom, framePen());
    SetRowStyle(row, topBottom, mt);
    SetStyleRange(CGXRange(row, 1), CGXStyle().SetBorders(gxBorderLeft, framePen()), mt);
    SetStyleRange(CGXRange(row, GetColCount()), CGXStyle().SetBorders(gxBorderRight, framePen()),
                  mt);
    if (on) {
        m_nCurrentRow = row;
    }
}

BOOL MECCheckEditGrid::SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags) {
    if (row != 0 && col != 0) {
        if (row == m_nCurrentRow && col != kCheckCol && !(flags & GX_INVALIDATE)) {
            return CGXGridWnd::SetCurrentCell(row, col, flags);
        }
        // Entering a row (or asked again): the row is framed and highlighted, and its check
        // box cell becomes current, whatever column was asked.
        FrameRow(row, TRUE);
        HighlightRow(row, TRUE);
        m_nCurrentRow = row;
        return CGXGridWnd::SetCurrentCell(row, kCheckCol, flags);
    }
    BOOL done = CGXGridWnd::SetCurrentCell(row, col, flags);
    m_nCurrentRow = row;
    return done;
}

BOOL MECCheckEditGrid::CanChangeSelection(CGXRange* range, BOOL dragging) {
    if (range == nullptr) {
        return FALSE;
    }
    m_bSelectRequest = 1;
    FrameRow(m_nCurrentRow, FALSE);
    HighlightRow(m_nCurrentRow, FALSE);
    if (dragging) {
        const ROWCOL row = range->top == m_nCurrentRow ? range->bottom : range->top;
        FrameRow(row, TRUE);
        HighlightRow(row, TRUE);
    }
    return FALSE;
}

BOOL MECCheckEditGrid::OnLButtonHitRowCol(ROWCOL hitRow, ROWCOL hitCol, ROWCOL dragRow,
                                          ROWCOL dragCol, CPoint point, UINT flags, WORD hitState) {
    if (m_bSelectRequest && (hitState & GX_HITEND)) {
        SetCurrentCell(dragRow, kCheckCol, GX_BYMOUSE | GX_SCROLLINVIEW);
        m_bSelectRequest = 0;
    }
    return CGXGridWnd::OnLButtonHitRowCol(hitRow, hitCol, dragRow, dragCol, point, flags, hitState);
}

BOOL MECCheckEditGrid::OnLeftCell(ROWCOL oldRow, ROWCOL oldCol, ROWCOL newRow, ROWCOL newCol) {
    if (oldRow != 0 && (newRow != oldRow || newCol == 0)) {
        FrameRow(oldRow, FALSE);
        HighlightRow(oldRow, FALSE);
    }
    return CGXGridWnd::OnLeftCell(oldRow, oldCol, newRow, newCol);
}

BOOL MECCheckEditGrid::OnStartEditing(ROWCOL row, ROWCOL col) {
    const BOOL agreed = CGXGridWnd::OnStartEditing(row, col);
    if (agreed && col == kTextCol) {
        // The expression is edited on normal colours.
        HighlightRow(row, FALSE);
    }
    return agreed;
}

BOOL MECCheckEditGrid::ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT repeat, UINT flags) {
    ROWCOL row = 0;
    ROWCOL col = 0;
    const bool hasCell = GetCurrentCell(row, col) != FALSE;
    const UINT move = GX_SCROLLINVIEW | GX_UPDATENOW;
    if (message == WM_KEYDOWN && hasCell && !ctrlHeld()) {
        switch (ch) {
            case VK_RETURN:
            case VK_ESCAPE:
                break;
            case VK_SPACE:
                if (col == kTextCol) {
                    SetCurrentCell(row, kCheckCol, move);
                    return TRUE;
                }
                // Space on another column starts the expression like any other key.
                SetCurrentCell(row, kTextCol, move);
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_DELETE:
                return FALSE;  // the cell's editor takes them
            default:
                if (col != kTextCol) {
                    SetCurrentCell(row, kTextCol, move);
                }
                break;
        }
    }
    if (message == WM_KEYUP && hasCell && (ch == VK_ESCAPE || (ctrlHeld() && isReeditKey(ch)))) {
        if (ch == VK_ESCAPE) {
            SetCurrentCell(row, kCheckCol, move);
        } else {
            SetCurrentCell(row, col, GX_DISPLAYEDITWND);
        }
        return TRUE;
    }
    if (ch == VK_TAB) {
        if (message == WM_KEYDOWN) {
            CWnd* parent = GetParent();
            if (parent != nullptr && isDialog(parent->m_hWnd)) {
                HWND next = ::GetNextDlgTabItem(parent->m_hWnd, m_hWnd, shiftHeld());
                if (next != nullptr && next != m_hWnd) {
                    parent->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
                }
                return TRUE;
            }
        } else if (message == WM_KEYUP && sender == this) {
            // The grid entered with Tab: its current row's check box, or the first row's.
            ROWCOL target = hasCell ? row : (m_nCurrentRow != 0 ? m_nCurrentRow : 1);
            if (target <= GetRowCount()) {
                SetCurrentCell(target, kCheckCol, move);
            }
            return TRUE;
        }
    }
    return CGXGridWnd::ProcessKeys(sender, message, ch, repeat, flags);
}
