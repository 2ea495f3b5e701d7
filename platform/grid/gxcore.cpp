// The grid core: the table, the current cell and its editing, keys and the mouse on cells.
#include "grid/gxcore.h"

#include <algorithm>
#include <utility>

#include "grid/gxctrl.h"

namespace {

// The default width of the header column and of columns never sized.
constexpr int kHeaderColWidth = 32;
constexpr int kDefaultColWidth = 64;

bool keyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

}  // namespace

// ---- CGXProperties, CGXControl ---------------------------------------------------------------

CGXProperties::CGXProperties() {
    for (COLORREF& c : m_colors) {
        c = GX_SYSCOLOR_FLAGS | COLOR_WINDOWTEXT;
    }
    m_colors[GX_COLOR_GRIDLINES] = GX_SYSCOLOR_FLAGS | COLOR_BTNSHADOW;
    m_colors[GX_COLOR_FIXEDLINES] = GX_SYSCOLOR_FLAGS | COLOR_WINDOWFRAME;
    m_colors[GX_COLOR_BACKGROUND] = GX_SYSCOLOR_FLAGS | COLOR_APPWORKSPACE;
}

BOOL CGXProperties::SetColor(int index, COLORREF color) {
    if (index < 0 || index >= GX_COLOR_COUNT) {
        return FALSE;
    }
    m_colors[index] = color;
    return TRUE;
}

COLORREF CGXProperties::GetColor(int index) const {
    return index >= 0 && index < GX_COLOR_COUNT ? m_colors[index] : 0;
}

void CGXControl::Init(ROWCOL row, ROWCOL col) {
    m_nRow = row;
    m_nCol = col;
}

void CGXControl::Draw(CDC* dc, const CRect& rect, ROWCOL, ROWCOL, const CGXStyle& style) {
    const CString& text = style.GetValue();
    if (text.IsEmpty()) {
        return;
    }
    CRect r = rect;
    r.left += 2;
    r.right -= 2;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_pGrid->ResolveColor(style.GetTextColor()));
    dc->DrawText(text, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

void CGXControl::SetActive(BOOL) {}

BOOL CGXControl::GetValue(CString& value) {
    value = m_pGrid->GetValueRowCol(m_nRow, m_nCol);
    return TRUE;
}

BOOL CGXControl::OnGridChar(UINT, UINT, UINT) {
    return FALSE;
}

BOOL CGXControl::OnGridKeyDown(UINT, UINT, UINT) {
    return FALSE;
}

BOOL CGXControl::LButtonUp(UINT, CPoint) {
    return FALSE;
}

BOOL CGXControl::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

// ---- Set-up -------------------------------------------------------------------------------

CGXGridCore::CGXGridCore() {
    m_colWidths.assign(1, kHeaderColWidth);
    Resize(0, 0);
}

CGXGridCore::~CGXGridCore() = default;

void CGXGridCore::Initialize() {
    if (m_controls.find(GX_IDS_CTRL_EDIT) == m_controls.end()) {
        m_controls[GX_IDS_CTRL_EDIT] = std::make_unique<CGXEditControl>(this, GX_IDS_CTRL_EDIT);
    }
    if (m_controls.find(GX_IDS_CTRL_STATIC) == m_controls.end()) {
        m_controls[GX_IDS_CTRL_STATIC] = std::make_unique<CGXStatic>(this);
    }
    if (m_controls.find(GX_IDS_CTRL_CHECKBOX3D) == m_controls.end()) {
        m_controls[GX_IDS_CTRL_CHECKBOX3D] = std::make_unique<CGXCheckBox>(this);
    }
    m_initialized = true;
    EnsureRowHeight();
    Redraw();
}

void CGXGridCore::EnsureRowHeight() {
    if (m_rowHeight > 0 || m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr) {
        return;
    }
    // A row is as high as a line of the window's font with a small margin.
    HDC dc = GetDC(m_pGridWnd->m_hWnd);
    auto font = reinterpret_cast<HGDIOBJ>(m_pGridWnd->SendMessage(WM_GETFONT));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    ReleaseDC(m_pGridWnd->m_hWnd, dc);
    m_rowHeight = std::max<int>(tm.tmHeight + 5, 12);
}

BOOL CGXGridCore::RegisterControl(WORD id, CGXControl* control) {
    if (control == nullptr) {
        return FALSE;
    }
    if (CGXControl* current = GetCurrentCellControl(); current != nullptr && current->IsActive()) {
        CGXStyle style;
        ComposeStyleRowCol(m_nCurRow, m_nCurCol, &style);
        if (style.GetControl() == id) {
            current->SetActive(FALSE);
        }
    }
    m_controls[id].reset(control);
    return TRUE;
}

CGXControl* CGXGridCore::GetRegisteredControl(WORD id) {
    auto it = m_controls.find(id);
    if (it == m_controls.end()) {
        it = m_controls.find(GX_IDS_CTRL_EDIT);
    }
    return it != m_controls.end() ? it->second.get() : nullptr;
}

CGXControl* CGXGridCore::GetControl(ROWCOL row, ROWCOL col) {
    CGXStyle style;
    if (!ComposeStyleRowCol(row, col, &style)) {
        return nullptr;
    }
    return GetRegisteredControl(style.GetControl());
}

// ---- Rows and columns ---------------------------------------------------------------------

void CGXGridCore::Resize(ROWCOL rows, ROWCOL cols) {
    m_nRows = rows;
    m_nCols = cols;
    m_cells.resize(rows + 1);
    for (auto& row : m_cells) {
        row.resize(cols + 1);
    }
    m_rowStyles.resize(rows + 1);
    m_colStyles.resize(cols + 1);
    m_hiddenRows.resize(rows + 1, false);
    m_hiddenCols.resize(cols + 1, false);
    m_colWidths.resize(cols + 1, kDefaultColWidth);
    if (m_nCurRow > rows || m_nCurCol > cols) {
        if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
            control->SetActive(FALSE);
        }
        m_nCurRow = m_nCurCol = 0;
    }
    m_nTopRow = std::clamp<ROWCOL>(m_nTopRow, 1, std::max<ROWCOL>(rows, 1));
}

BOOL CGXGridCore::SetRowCount(ROWCOL rows, UINT flags) {
    if (m_nCurRow > rows) {
        TransferCurrentCell(FALSE);
        m_nCurRow = m_nCurCol = 0;
    }
    Resize(rows, m_nCols);
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::SetColCount(ROWCOL cols, UINT flags) {
    if (m_nCurCol > cols) {
        TransferCurrentCell(FALSE);
        m_nCurRow = m_nCurCol = 0;
    }
    Resize(m_nRows, cols);
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::InsertRows(ROWCOL row, ROWCOL count, int*, CObject*, UINT flags) {
    if (row < 1 || row > m_nRows + 1 || count == 0 || count > 0x7FFFFFF - m_nRows) {
        return FALSE;
    }
    auto at = static_cast<std::ptrdiff_t>(row);
    m_cells.insert(m_cells.begin() + at, count, std::vector<CGXStyle>(m_nCols + 1));
    m_rowStyles.insert(m_rowStyles.begin() + at, count, CGXStyle());
    m_hiddenRows.insert(m_hiddenRows.begin() + at, count, false);
    m_nRows += count;
    if (m_nCurRow >= row) {
        m_nCurRow += count;
        if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
            control->m_nRow = m_nCurRow;
        }
    }
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::RemoveRows(ROWCOL from, ROWCOL to, UINT flags) {
    if (from < 1 || from > to || to > m_nRows) {
        return FALSE;
    }
    const ROWCOL count = to - from + 1;
    if (m_nCurRow >= from && m_nCurRow <= to) {
        // The current cell goes with its row; what its editor held is lost.
        if (CGXControl* control = GetCurrentCellControl();
            control != nullptr && control->IsActive()) {
            CWnd* edit = control->GetEditWnd();
            bool hadFocus = edit != nullptr && ::GetFocus() == edit->m_hWnd;
            control->SetActive(FALSE);
            if (hadFocus && m_pGridWnd != nullptr) {
                m_pGridWnd->SetFocus();
            }
        }
        m_nCurRow = m_nCurCol = 0;
    } else if (m_nCurRow > to) {
        m_nCurRow -= count;
        if (CGXControl* control = GetCurrentCellControl(); control != nullptr) {
            control->m_nRow = m_nCurRow;
        }
    }
    auto first = static_cast<std::ptrdiff_t>(from);
    auto last = static_cast<std::ptrdiff_t>(to) + 1;
    m_cells.erase(m_cells.begin() + first, m_cells.begin() + last);
    m_rowStyles.erase(m_rowStyles.begin() + first, m_rowStyles.begin() + last);
    m_hiddenRows.erase(m_hiddenRows.begin() + first, m_hiddenRows.begin() + last);
    m_nRows -= count;
    m_nTopRow = std::clamp<ROWCOL>(m_nTopRow, 1, std::max<ROWCOL>(m_nRows, 1));
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::HideRows(ROWCOL from, ROWCOL to, BOOL hide, UINT flags) {
    if (from > to || to > m_nRows) {
        return FALSE;
    }
    for (ROWCOL r = from; r <= to; ++r) {
        m_hiddenRows[r] = hide != FALSE;
    }
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::HideCols(ROWCOL from, ROWCOL to, BOOL hide, UINT flags) {
    if (from > to || to > m_nCols) {
        return FALSE;
    }
    for (ROWCOL c = from; c <= to; ++c) {
        m_hiddenCols[c] = hide != FALSE;
    }
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::IsRowHidden(ROWCOL row) const {
    return row <= m_nRows && m_hiddenRows[row];
}

BOOL CGXGridCore::IsColHidden(ROWCOL col) const {
    return col <= m_nCols && m_hiddenCols[col];
}

BOOL CGXGridCore::SetColWidth(ROWCOL from, ROWCOL to, int width, UINT flags) {
    if (from > to || to > m_nCols || width < 0) {
        return FALSE;
    }
    for (ROWCOL c = from; c <= to; ++c) {
        m_colWidths[c] = width;
    }
    Redraw(flags);
    return TRUE;
}

int CGXGridCore::GetColWidth(ROWCOL col) const {
    if (col > m_nCols || m_hiddenCols[col]) {
        return 0;
    }
    return m_colWidths[col];
}

int CGXGridCore::GetRowHeight(ROWCOL row) const {
    if (row > m_nRows || m_hiddenRows[row]) {
        return 0;
    }
    return m_rowHeight > 0 ? m_rowHeight : 19;
}

// ---- Values and styles --------------------------------------------------------------------

BOOL CGXGridCore::SetStyleRange(const CGXRange& range, const CGXStyle& style, GXModifyType mt, int,
                                UINT flags) {
    if (!range.IsValid()) {
        return FALSE;
    }
    switch (range.rtType) {
        case CGXRange::rtTable:
            m_tableStyle.ChangeStyle(style, mt);
            break;
        case CGXRange::rtRows:
            if (range.top > m_nRows) {
                return FALSE;
            }
            for (ROWCOL r = range.top; r <= std::min(range.bottom, m_nRows); ++r) {
                m_rowStyles[r].ChangeStyle(style, mt);
            }
            break;
        case CGXRange::rtCols:
            if (range.left > m_nCols) {
                return FALSE;
            }
            for (ROWCOL c = range.left; c <= std::min(range.right, m_nCols); ++c) {
                m_colStyles[c].ChangeStyle(style, mt);
            }
            break;
        case CGXRange::rtCells:
            if (range.top > m_nRows || range.left > m_nCols) {
                return FALSE;
            }
            for (ROWCOL r = range.top; r <= std::min(range.bottom, m_nRows); ++r) {
                for (ROWCOL c = range.left; c <= std::min(range.right, m_nCols); ++c) {
                    m_cells[r][c].ChangeStyle(style, mt);
                }
            }
            break;
    }
    Redraw(flags);
    return TRUE;
}

BOOL CGXGridCore::SetValueRange(const CGXRange& range, LPCSTR value, GXModifyType mt, int type,
                                UINT flags) {
    return SetStyleRange(range, CGXStyle().SetValue(value), mt, type, flags);
}

BOOL CGXGridCore::ComposeStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle* style) const {
    if (row > m_nRows || col > m_nCols || style == nullptr) {
        return FALSE;
    }
    *style = m_tableStyle;
    style->ChangeStyle(m_colStyles[col], gxOverride);
    style->ChangeStyle(m_rowStyles[row], gxOverride);
    style->ChangeStyle(m_cells[row][col], gxOverride);
    return TRUE;
}

const CString& CGXGridCore::GetValueRowCol(ROWCOL row, ROWCOL col) const {
    static const CString empty;
    if (row > m_nRows || col > m_nCols) {
        return empty;
    }
    for (const CGXStyle* s :
         {&m_cells[row][col], &m_rowStyles[row], &m_colStyles[col], &m_tableStyle}) {
        if (s->GetIncludeValue()) {
            return s->GetValue();
        }
    }
    return empty;
}

const CGXStyle* CGXGridCore::GetCellStyle(ROWCOL row, ROWCOL col) const {
    if (row > m_nRows || col > m_nCols) {
        return nullptr;
    }
    return &m_cells[row][col];
}

// ---- The current cell -----------------------------------------------------------------------

BOOL CGXGridCore::GetCurrentCell(ROWCOL& row, ROWCOL& col) const {
    row = m_nCurRow;
    col = m_nCurCol;
    return m_nCurRow != 0 && m_nCurCol != 0;
}

BOOL CGXGridCore::GetCurrentCell(ROWCOL* row, ROWCOL* col) const {
    if (row != nullptr) {
        *row = m_nCurRow;
    }
    if (col != nullptr) {
        *col = m_nCurCol;
    }
    return m_nCurRow != 0 && m_nCurCol != 0;
}

BOOL CGXGridCore::IsCurrentCell(ROWCOL row, ROWCOL col) const {
    return m_nCurRow != 0 && m_nCurRow == row && m_nCurCol == col;
}

CGXControl* CGXGridCore::GetCurrentCellControl() {
    if (m_nCurRow == 0 || m_nCurCol == 0) {
        return nullptr;
    }
    CGXControl* control = GetControl(m_nCurRow, m_nCurCol);
    if (control != nullptr && (control->m_nRow != m_nCurRow || control->m_nCol != m_nCurCol)) {
        control->Init(m_nCurRow, m_nCurCol);
    }
    return control;
}

BOOL CGXGridCore::SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags) {
    const bool none = row == 0 || col == 0;
    if (!none && (row > m_nRows || col > m_nCols)) {
        return FALSE;
    }
    const ROWCOL oldRow = m_nCurRow;
    const ROWCOL oldCol = m_nCurCol;
    const bool hadCell = oldRow != 0 && oldCol != 0;
    if (hadCell && oldRow == row && oldCol == col) {
        if (flags & GX_SCROLLINVIEW) {
            ScrollCellInView(row, col, flags);
        }
        if (flags & GX_DISPLAYEDITWND) {
            StartEditing(flags);
        }
        return TRUE;
    }
    if (hadCell) {
        // The decision may itself move the current cell (and answer FALSE).
        if (!CanSelectCurrentCell(FALSE, row, col, oldRow, oldCol)) {
            return FALSE;
        }
        if (m_nCurRow != oldRow || m_nCurCol != oldCol) {
            return FALSE;
        }
        TransferCurrentCell(TRUE, flags);
        if (m_nCurRow != oldRow || m_nCurCol != oldCol) {
            return FALSE;
        }
        OnLeftCell(oldRow, oldCol, row, col);
    }
    if (!none && !CanSelectCurrentCell(TRUE, row, col, oldRow, oldCol)) {
        return FALSE;
    }
    if (!none && (row > m_nRows || col > m_nCols)) {
        return FALSE;  // a decision above removed rows
    }
    m_nCurRow = none ? 0 : row;
    m_nCurCol = none ? 0 : col;
    if (!none) {
        if (CGXControl* control = GetControl(row, col); control != nullptr) {
            control->Init(row, col);
        }
        if (flags & GX_SCROLLINVIEW) {
            ScrollCellInView(row, col, flags);
        }
        if (flags & GX_DISPLAYEDITWND) {
            StartEditing(flags);
        }
    }
    if (m_bRefreshOnSetCurrentCell || m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr) {
        Redraw(flags | GX_UPDATENOW);
    } else {
        // Only the cells that change their look: the one left and the new current one.
        for (const auto& [r, c] : {std::pair{oldRow, oldCol}, std::pair{m_nCurRow, m_nCurCol}}) {
            const CRect rect = CalcRectFromRowCol(r, c);
            if (!rect.IsRectEmpty()) {
                m_pGridWnd->InvalidateRect(&rect, FALSE);
            }
        }
        m_pGridWnd->UpdateWindow();
    }
    return TRUE;
}

BOOL CGXGridCore::TransferCurrentCell(BOOL saveAndValidate, UINT flags, BOOL) {
    CGXControl* control = GetCurrentCellControl();
    if (control == nullptr) {
        return FALSE;
    }
    if (control->IsActive()) {
        if (saveAndValidate && control->GetModify()) {
            control->Store();
        }
        CWnd* edit = control->GetEditWnd();
        bool hadFocus = edit != nullptr && ::GetFocus() == edit->m_hWnd;
        control->SetActive(FALSE);
        if (hadFocus && m_pGridWnd != nullptr) {
            m_pGridWnd->SetFocus();
        }
        Redraw(flags);
    }
    return TRUE;
}

BOOL CGXGridCore::StartEditing(UINT) {
    CGXControl* control = GetCurrentCellControl();
    if (control == nullptr) {
        return FALSE;
    }
    if (!control->IsActive()) {
        const ROWCOL row = m_nCurRow;
        const ROWCOL col = m_nCurCol;
        if (!OnStartEditing(row, col)) {
            return FALSE;
        }
        // The decision may have changed the table; the cell may have another control now.
        control = GetCurrentCellControl();
        if (control == nullptr || m_nCurRow != row || m_nCurCol != col) {
            return FALSE;
        }
        control->SetActive(TRUE);
    }
    SetEditorFocus();
    return control->IsActive();
}

void CGXGridCore::SetEditorFocus() {
    CGXControl* control = GetCurrentCellControl();
    CWnd* edit = control != nullptr && control->IsActive() ? control->GetEditWnd() : nullptr;
    if (edit == nullptr || m_pGridWnd == nullptr) {
        return;
    }
    // The editor takes the focus only from the grid itself: a pick in another window of the
    // dialog leaves the focus there.
    if (::GetFocus() == m_pGridWnd->m_hWnd) {
        edit->SetFocus();
    }
}

BOOL CGXGridCore::ScrollCellInView(ROWCOL row, ROWCOL, UINT flags) {
    if (row == 0 || row > m_nRows) {
        return FALSE;
    }
    if (row < m_nTopRow) {
        m_nTopRow = row;
        Redraw(flags);
        return TRUE;
    }
    const CRect client = GetGridRect();
    for (int guard = 0; guard < 100000 && m_nTopRow < row; ++guard) {
        CRect cell = CalcRectFromRowCol(row, 1);
        if (cell.bottom <= client.bottom) {
            break;
        }
        ++m_nTopRow;
    }
    Redraw(flags);
    return TRUE;
}

// ---- Geometry -------------------------------------------------------------------------------

CRect CGXGridCore::GetGridRect() const {
    CRect rect(0, 0, 0, 0);
    if (m_pGridWnd != nullptr && m_pGridWnd->m_hWnd != nullptr) {
        m_pGridWnd->GetClientRect(&rect);
    }
    return rect;
}

CRect CGXGridCore::CalcRectFromRowCol(ROWCOL row, ROWCOL col) const {
    if (row > m_nRows || col > m_nCols || IsRowHidden(row) || IsColHidden(col) ||
        (row != 0 && row < m_nTopRow)) {
        return CRect(0, 0, 0, 0);
    }
    int x = 0;
    for (ROWCOL c = 0; c < col; ++c) {
        x += GetColWidth(c);
    }
    int y = 0;
    if (row != 0) {
        y = GetRowHeight(0);
        for (ROWCOL r = m_nTopRow; r < row; ++r) {
            y += GetRowHeight(r);
        }
    }
    return CRect(x, y, x + GetColWidth(col), y + GetRowHeight(row));
}

BOOL CGXGridCore::HitTest(CPoint point, ROWCOL& row, ROWCOL& col) const {
    int x = 0;
    bool foundCol = false;
    for (ROWCOL c = 0; c <= m_nCols; ++c) {
        int w = GetColWidth(c);
        if (point.x >= x && point.x < x + w) {
            col = c;
            foundCol = true;
            break;
        }
        x += w;
    }
    if (!foundCol || point.y < 0) {
        return FALSE;
    }
    int y = GetRowHeight(0);
    if (point.y < y) {
        row = 0;
        return !IsRowHidden(0);
    }
    for (ROWCOL r = m_nTopRow; r <= m_nRows; ++r) {
        int h = GetRowHeight(r);
        if (point.y >= y && point.y < y + h) {
            row = r;
            return TRUE;
        }
        y += h;
    }
    return FALSE;
}

// ---- Decisions ------------------------------------------------------------------------------

namespace {

// The next shown row from row in steps of delta (within 1..rows), or row when there is none.
ROWCOL stepRow(const CGXGridCore& grid, ROWCOL row, int delta) {
    ROWCOL r = row;
    int left = delta < 0 ? -delta : delta;
    while (left > 0) {
        ROWCOL next = r;
        do {
            if (delta < 0 ? next <= 1 : next >= grid.GetRowCount()) {
                return r;
            }
            next = delta < 0 ? next - 1 : next + 1;
        } while (grid.IsRowHidden(next));
        r = next;
        --left;
    }
    return r;
}

ROWCOL stepCol(const CGXGridCore& grid, ROWCOL col, int delta) {
    ROWCOL c = col;
    do {
        if (delta < 0 ? c <= 1 : c >= grid.GetColCount()) {
            return col;
        }
        c = delta < 0 ? c - 1 : c + 1;
    } while (grid.IsColHidden(c));
    return c;
}

}  // namespace

BOOL CGXGridCore::ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT, UINT) {
    if (message != WM_KEYDOWN) {
        return FALSE;
    }
    ROWCOL row = 0;
    ROWCOL col = 0;
    const bool has = GetCurrentCell(row, col) != FALSE;
    CGXControl* control = GetCurrentCellControl();
    const bool active = control != nullptr && control->IsActive();
    const bool fromEditor = active && sender != nullptr && sender == control->GetEditWnd();
    const bool ctrl = keyDown(VK_CONTROL);
    const bool shift = keyDown(VK_SHIFT);
    const UINT move = GX_SCROLLINVIEW | GX_UPDATENOW;
    if (!has) {
        if (ch == VK_UP || ch == VK_DOWN || ch == VK_TAB || ch == VK_PRIOR || ch == VK_NEXT) {
            ROWCOL first = stepRow(*this, 0, 1);
            ROWCOL firstCol = stepCol(*this, 0, 1);
            return first != 0 && firstCol != 0 && SetCurrentCell(first, firstCol, move);
        }
        return FALSE;
    }
    switch (ch) {
        case VK_ESCAPE:
            return active && TransferCurrentCell(FALSE);
        case VK_RETURN: {
            if (active) {
                TransferCurrentCell(TRUE);
            }
            const WORD action = m_param.GetEnterKeyAction();
            if (action == 1) {
                SetCurrentCell(stepRow(*this, row, 1), col, move);
            } else if (action == 2) {
                SetCurrentCell(row, stepCol(*this, col, 1), move);
            }
            return TRUE;
        }
        case VK_F2:
            StartEditing();
            return TRUE;
        case VK_UP:
        case VK_DOWN:
            SetCurrentCell(stepRow(*this, row, ch == VK_UP ? -1 : 1), col, move);
            return TRUE;
        case VK_PRIOR:
        case VK_NEXT: {
            const int page =
                std::max(1, GetGridRect().Height() / std::max(1, GetRowHeight(row)) - 1);
            SetCurrentCell(stepRow(*this, row, ch == VK_PRIOR ? -page : page), col, move);
            return TRUE;
        }
        case VK_HOME:
        case VK_END:
            if (!ctrl) {
                return FALSE;
            }
            SetCurrentCell(ch == VK_HOME ? stepRow(*this, 0, 1) : stepRow(*this, m_nRows + 1, -1),
                           col, move);
            return TRUE;
        case VK_LEFT:
        case VK_RIGHT:
            if (fromEditor) {
                return FALSE;  // the editor moves its caret
            }
            SetCurrentCell(row, stepCol(*this, col, ch == VK_LEFT ? -1 : 1), move);
            return TRUE;
        case VK_TAB: {
            ROWCOL c = stepCol(*this, col, shift ? -1 : 1);
            ROWCOL r = row;
            if (c == col) {
                ROWCOL next = stepRow(*this, row, shift ? -1 : 1);
                if (next == row) {
                    return TRUE;
                }
                r = next;
                c = shift ? stepCol(*this, m_nCols + 1, -1) : stepCol(*this, 0, 1);
            }
            SetCurrentCell(r, c, move);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

BOOL CGXGridCore::OnStartEditing(ROWCOL row, ROWCOL col) {
    CGXStyle style;
    if (!ComposeStyleRowCol(row, col, &style) || style.GetReadOnly() || !style.GetEnabled()) {
        return FALSE;
    }
    // Only an editor edits; a check box changes with a click or Space.
    return dynamic_cast<CGXEditControl*>(GetRegisteredControl(style.GetControl())) != nullptr;
}

BOOL CGXGridCore::OnLeftCell(ROWCOL, ROWCOL, ROWCOL, ROWCOL) {
    return TRUE;
}

void CGXGridCore::OnModifyCell(ROWCOL, ROWCOL) {}

BOOL CGXGridCore::CanSelectCurrentCell(BOOL, ROWCOL, ROWCOL, ROWCOL, ROWCOL) {
    return TRUE;
}

BOOL CGXGridCore::PrepareClearSelection() {
    return TRUE;
}

BOOL CGXGridCore::CanChangeSelection(CGXRange* range, BOOL) {
    return range != nullptr && m_param.GetEnableSelection() != GX_SELNONE;
}

void CGXGridCore::OnChangedSelection(const CGXRange*, BOOL, BOOL) {}

BOOL CGXGridCore::OnLButtonHitRowCol(ROWCOL hitRow, ROWCOL hitCol, ROWCOL dragRow, ROWCOL dragCol,
                                     CPoint point, UINT flags, WORD hitState) {
    if (hitRow == 0 || hitCol == 0) {
        return FALSE;  // the headers take no clicks
    }
    if (hitState & GX_HITSTART) {
        SetCurrentCell(hitRow, hitCol, GX_SCROLLINVIEW | GX_UPDATENOW | GX_BYMOUSE);
        return TRUE;
    }
    if ((hitState & GX_HITEND) && !m_mouse.dragged && hitRow == dragRow && hitCol == dragCol &&
        IsCurrentCell(hitRow, hitCol)) {
        CGXControl* control = GetCurrentCellControl();
        if (control == nullptr) {
            return FALSE;
        }
        if (control->LButtonUp(flags, point)) {
            return TRUE;
        }
        if (m_param.GetActivateCellFlags() & (GX_CAFOCUS_CLICKONCELL | GX_CAFOCUS_CLICKINTEXT)) {
            StartEditing();
        }
        return TRUE;
    }
    return FALSE;
}

// ---- Painting -------------------------------------------------------------------------------

COLORREF CGXGridCore::ResolveColor(COLORREF color) const {
    const COLORREF flags = color & 0xFF000000;
    if (flags == GX_GRIDCOLOR_FLAGS) {
        COLORREF entry = m_param.GetProperties()->GetColor(static_cast<int>(color & 0xFF));
        // A table entry may name a system colour, never another table entry.
        return (entry & 0xFF000000) == GX_SYSCOLOR_FLAGS
                   ? GetSysColor(static_cast<int>(entry & 0xFF))
                   : (entry & 0xFFFFFF);
    }
    if (flags == GX_SYSCOLOR_FLAGS) {
        return GetSysColor(static_cast<int>(color & 0xFF));
    }
    return color & 0xFFFFFF;
}

void CGXGridCore::Redraw(UINT flags) {
    if (m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr) {
        return;
    }
    m_pGridWnd->Invalidate(FALSE);
    if (flags & GX_UPDATENOW) {
        m_pGridWnd->UpdateWindow();
    }
}
