// CMeasurementGrid and its expression editor CMeasurementEdit.
#include "controls/MeasurementGrid.h"

#include <afxpropsheet.h>

#include <cctype>
#include <string>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

// ---- CMeasurementEdit ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMeasurementEdit, CGXEditControl)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CMeasurementEdit::CMeasurementEdit(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {}

BOOL CMeasurementEdit::OnCommand(WPARAM wParam, LPARAM lParam) {
    return CGXEditControl::OnCommand(wParam, lParam);
}

void CMeasurementEdit::OnKillFocus(CWnd* newWnd) {
    CWnd* gridWnd = Grid()->GridWnd();
    const HWND to = newWnd != nullptr ? newWnd->m_hWnd : nullptr;
    if (gridWnd != nullptr && to != gridWnd->m_hWnd && m_nRow > 0 &&
        m_nCol == MECCheckEditGrid::kTextCol) {
        m_nSelStart = -1;
        m_nSelEnd = -1;
        if (IsActive()) {
            GetSel(m_nSelStart, m_nSelEnd);
        }
    }
    Default();
}

// ---- Set-up -------------------------------------------------------------------------------

void CMeasurementGrid::InitializeGrid() {
    Initialize();
    RegisterControl(kTextControl, new CMeasurementEdit(this, kTextControl));
}

void CMeasurementGrid::ApplyGridParams() {
    CGXGridParam* param = GetParam();
    param->SetActivateCellFlags(GX_CAFOCUS_CLICKONCELL);
    param->SetEnterKeyAction(0);
    param->EnableTrackColWidth(0);
    param->EnableMoveCols(FALSE);
    param->EnableMoveRows(FALSE);
    param->EnableSelection(GX_SELFULL);
    param->SetHideCurrentCell(GX_HIDE_ALWAYS);
    CGXProperties* props = param->GetProperties();
    props->SetDisplayVertLines(FALSE);
    props->SetDisplayHorzLines(FALSE);
    props->SetColor(GX_COLOR_BACKGROUND, GX_SYSCOLOR_FLAGS | COLOR_WINDOW);
    Redraw();
}

void CMeasurementGrid::SetupGrid(ROWCOL rows) {
    MECCheckEditGrid::SetupGrid(rows);
    InsertRows(GetRowCount() + 1, 1);
    MakeLastRowPlaceholder(TRUE);
}

void CMeasurementGrid::FrameRow(ROWCOL row, BOOL on) {
    if (row != 0 && row == GetRowCount()) {
        CGXStyle style;
        ComposeStyleRowCol(row, kCheckCol, &style);
        if (style.GetControl() != GX_IDS_CTRL_CHECKBOX3D) {
            // The new-measurement row is never framed.
            if (on) {
                m_nCurrentRow = row;
            }
            return;
        }
    }
    MECCheckEditGrid::FrameRow(row, on);
}

void CMeasurementGrid::MakeLastRowPlaceholder(BOOL flag) {
    const ROWCOL last = GetRowCount();
    if (last == 0) {
        return;
    }
    SetStyleRange(CGXRange(last, kCheckCol),
                  CGXStyle().SetControl(flag ? kTextControl : GX_IDS_CTRL_CHECKBOX3D));
    // The dash-dot-dot border goes before the row is framed: excluding it afterwards would
    // take the frame's borders of the cell with it.
    if (!flag) {
        MarkPlaceholderCell(FALSE);
    }
    FrameRow(last, !flag);
    if (flag) {
        MarkPlaceholderCell(TRUE);
    }
    // A new measurement starts enabled.
    SetValueRange(CGXRange(last, kCheckCol), flag ? "" : "1");
}

void CMeasurementGrid::MarkPlaceholderCell(BOOL flag) {
    const ROWCOL last = GetRowCount();
    if (last == 0) {
        return;
    }
    CGXStyle style;
    style.SetBorders(gxBorderAll, CGXPen(PS_DASHDOTDOT, 1, GX_GRIDCOLOR_FLAGS | 0));
    SetStyleRange(CGXRange(last, kTextCol), style, flag ? gxOverride : gxExclude);
}

// ---- Rows ---------------------------------------------------------------------------------

void CMeasurementGrid::FitExpressionColumn() {
    const int width = GridWidth() - GetColWidth(kCheckCol);
    if (GetColWidth(kTextCol) != width && width >= 0) {
        SetColWidth(kTextCol, kTextCol, width);
    }
}

BOOL CMeasurementGrid::InsertMeasurementRow(ROWCOL row) {
    if (!InsertRows(row, 1)) {
        return FALSE;
    }
    FitExpressionColumn();
    return TRUE;
}

BOOL CMeasurementGrid::DeleteMeasurementRow(ROWCOL row) {
    TransferCurrentCell(FALSE);
    if (!RemoveRows(row, row)) {
        return FALSE;
    }
    FitExpressionColumn();
    return TRUE;
}

BOOL CMeasurementGrid::RemoveRowIfEmpty(ROWCOL row) {
    if (row == 0 || row >= GetRowCount()) {
        return FALSE;
    }
    CGXControl* editor = GetControl(row, kTextCol);
    if (editor != nullptr && editor->m_nRow == row && editor->m_nCol == kTextCol &&
        editor->IsActive() && editor->GetModify()) {
        editor->Store();
    }
    const std::string& value = GetValueRowCol(row, kTextCol).str();
    const size_t first = value.find_first_not_of(" \t\r\n\v\f");
    if (first != std::string::npos) {
        return FALSE;
    }
    return DeleteMeasurementRow(row);
}

void CMeasurementGrid::MarkModified() {
    if (auto* page = dynamic_cast<CPropertyPage*>(GetParent())) {
        page->SetModified(TRUE);
    }
    m_bModified = 1;
}

// ---- Decisions ----------------------------------------------------------------------------

BOOL CMeasurementGrid::SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags) {
    m_bEditing = (flags & GX_DISPLAYEDITWND) ? 1 : 0;
    return MECCheckEditGrid::SetCurrentCell(row, col, flags);
}

BOOL CMeasurementGrid::OnStartEditing(ROWCOL row, ROWCOL col) {
    const BOOL agreed = MECCheckEditGrid::OnStartEditing(row, col);
    if (!agreed) {
        return FALSE;
    }
    if (row == GetRowCount()) {
        CGXStyle style;
        ComposeStyleRowCol(row, kCheckCol, &style);
        if (style.GetControl() != GX_IDS_CTRL_CHECKBOX3D) {
            // Editing the new-measurement row makes it a measurement and adds a fresh one.
            MakeLastRowPlaceholder(FALSE);
            InsertMeasurementRow(GetRowCount() + 1);
            MakeLastRowPlaceholder(TRUE);
            if (col == kCheckCol) {
                return FALSE;  // its check box was clicked: it is checked, nothing to edit
            }
        }
    }
    m_bEditing = col == kTextCol ? 1 : 0;
    return agreed;
}

void CMeasurementGrid::OnModifyCell(ROWCOL row, ROWCOL col) {
    MarkModified();
    MECCheckEditGrid::OnModifyCell(row, col);
}

BOOL CMeasurementGrid::CanSelectCurrentCell(BOOL select, ROWCOL selectRow, ROWCOL selectCol,
                                            ROWCOL oldRow, ROWCOL oldCol) {
    if (!select && selectRow != oldRow && RemoveRowIfEmpty(oldRow)) {
        // The row below the removed one moved up into its place.
        const ROWCOL target = selectRow > oldRow ? selectRow - 1 : selectRow;
        SetCurrentCell(target, kCheckCol, GX_SCROLLINVIEW | GX_UPDATENOW);
        return FALSE;
    }
    return MECCheckEditGrid::CanSelectCurrentCell(select, selectRow, selectCol, oldRow, oldCol);
}

BOOL CMeasurementGrid::ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT repeat, UINT flags) {
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (message == WM_KEYDOWN && ch == VK_DELETE && GetCurrentCell(row, col) && row > 0 &&
        row < GetRowCount() && col > 0) {
        DeleteMeasurementRow(row);
        SetCurrentCell(row, kCheckCol, GX_SCROLLINVIEW | GX_UPDATENOW);
        MarkModified();
    }
    return MECCheckEditGrid::ProcessKeys(sender, message, ch, repeat, flags);
}

// ---- Inserting a picked name ----------------------------------------------------------------

void CMeasurementGrid::InsertTextAtCaret(LPCSTR text) {
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (!GetCurrentCell(row, col) || row == 0 || col != kTextCol) {
        return;
    }
    auto* editor = dynamic_cast<CMeasurementEdit*>(GetControl(row, col));
    if (editor == nullptr || editor->m_nSelStart == -1 || editor->m_nSelEnd == -1) {
        return;
    }
    SetCurrentCell(row, col, GX_DISPLAYEDITWND | GX_SCROLLINVIEW);
    if (!editor->IsActive()) {
        return;
    }
    const std::string inserted = text != nullptr ? text : "";
    editor->SetSel(editor->m_nSelStart, editor->m_nSelEnd);
    editor->SendMessage(EM_SCROLLCARET);
    editor->ReplaceSel(inserted.c_str());
    int start = 0;
    int end = 0;
    editor->GetSel(start, end);
    CString full;
    editor->GetWindowText(full);
    const int caret = CaretAfterInsert(end, inserted, full.str());
    editor->SetSel(caret, caret);
    editor->SendMessage(EM_SCROLLCARET);
    ScrollCellInView(row, col);
    // The next pick goes where this one left the caret (the focus stays in the list).
    editor->m_nSelStart = caret;
    editor->m_nSelEnd = caret;
}

int CMeasurementGrid::CaretAfterInsert(int p, std::string_view inserted, std::string_view full) {
    const int length = static_cast<int>(inserted.size());
    const int s = p - length;
    // A function whose argument places are still empty: just after its "(".
    const size_t open = inserted.find('(');
    if (open != std::string_view::npos) {
        const size_t close = inserted.find(')', open + 1);
        if (close != std::string_view::npos) {
            const std::string_view between = inserted.substr(open + 1, close - open - 1);
            if (between.find_first_not_of(" \t,") == std::string_view::npos) {
                return s + static_cast<int>(open) + 1;
            }
        }
    }
    if (s < 0 || p < 0 || p > static_cast<int>(full.size())) {
        return p;
    }
    // What stands before the insertion, "(" and blanks skipped.
    int i = s - 1;
    while (i >= 1 &&
           (full[static_cast<size_t>(i)] == '(' || isBlank(full[static_cast<size_t>(i)]))) {
        --i;
    }
    if (i < 1) {
        return p;
    }
    const auto before = static_cast<unsigned char>(full[static_cast<size_t>(i)]);
    if (!std::isalnum(before) && before != ',') {
        return p;
    }
    // An argument list goes on: past the next comma, else past its closing parenthesis.
    size_t j = static_cast<size_t>(p);
    while (j < full.size() && (isBlank(full[j]) || full[j] == ',' || full[j] == ')')) {
        ++j;
    }
    const std::string_view run = full.substr(static_cast<size_t>(p), j - static_cast<size_t>(p));
    if (const size_t comma = run.find(','); comma != std::string_view::npos) {
        return p + 1 + static_cast<int>(comma);
    }
    if (const size_t paren = run.rfind(')'); paren != std::string_view::npos) {
        return p + 1 + static_cast<int>(paren);
    }
    return p;
}
