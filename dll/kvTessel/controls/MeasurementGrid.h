// The grid of measurements: an "enabled" check box and the expression, one measurement a row,
// and a last row, always there and empty, where a new measurement is typed.
//
// What the page uses:
//   SubclassDlgItem(id, page)        bind the dialog's GXWND control, then
//   InitializeGrid()                 once, after subclassing
//   SetupGrid(0)                     empty the grid (only the new-measurement row), then
//   ApplyGridParams()                the grid's parameters
//   InsertMeasurementRow(row)        a row before row (GetRowCount() is the new row)
//   SetValueRange(CGXRange(r, 1), "1" or "0"), SetValueRange(CGXRange(r, 2), expression)
//   GetValueRowCol(r, 1) == "1", GetValueRowCol(r, 2)      read a measurement row back
//   GetRowCount()                    rows 1 .. GetRowCount() - 1 are the measurements
//   SetCurrentCell(row, col, 0x0A)   (0, 0): no current cell; GetCurrentCell(row, col)
//   TransferCurrentCell()            store the pending edit of the current cell
//   RemoveRowIfEmpty(row)            drop a measurement row whose expression is empty
//   InsertTextAtCaret(text)          insert a picked name where the caret of the expression was
//   IsEditing(), IsModified(), SetModified(FALSE)      the editing and modified flags
//   m_bEditing, m_bModified          the same flags as members
// Rows are 1-based (row 0 and column 0 are hidden headers); column 1 is the check box,
// column 2 the expression.
#pragma once

#include <string>
#include <string_view>

#include "controls/CheckEditGrid.h"

// The editor of the expression column: remembers its selection when the focus leaves for
// another window of the page, so that a pick in one of the page's lists inserts there.
class CMeasurementEdit : public CGXEditControl {
  public:
    CMeasurementEdit(CGXGridCore* grid, UINT id);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The remembered selection (-1, -1: none).
    int m_nSelStart = -1;
    int m_nSelEnd = -1;

  protected:
    afx_msg void OnKillFocus(CWnd* newWnd);
    DECLARE_MESSAGE_MAP()
};

class CMeasurementGrid : public MECCheckEditGrid {
  public:
    CMeasurementGrid() = default;

    // The library's Initialize, then the expression editor registered as control 52512.
    void InitializeGrid();
    // Parameters: click on a cell edits, Enter stays, nothing dragged or moved, no range
    // selection, no current-cell frame, no grid lines, window-coloured background.
    void ApplyGridParams();
    // The grid with `rows` measurement rows and the new-measurement row after them.
    void SetupGrid(ROWCOL rows) override;
    // Frames rows, never the new-measurement row.
    void FrameRow(ROWCOL row, BOOL on) override;

    BOOL SetCurrentCell(ROWCOL row, ROWCOL col,
                        UINT flags = GX_SCROLLINVIEW | GX_UPDATENOW) override;
    BOOL ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT repeat = 1, UINT flags = 0) override;
    BOOL OnStartEditing(ROWCOL row, ROWCOL col) override;
    void OnModifyCell(ROWCOL row, ROWCOL col) override;
    BOOL CanSelectCurrentCell(BOOL select, ROWCOL selectRow, ROWCOL selectCol, ROWCOL oldRow,
                              ROWCOL oldCol) override;

    // Inserts a row before row; FALSE when the grid refused.
    BOOL InsertMeasurementRow(ROWCOL row);
    // Removes a row, throwing away the pending edit of the current cell.
    BOOL DeleteMeasurementRow(ROWCOL row);
    // Removes a measurement row whose expression (pending edit included) is empty or blank.
    BOOL RemoveRowIfEmpty(ROWCOL row);
    // Gives the expression column the width the check box column leaves.
    void FitExpressionColumn();
    // Makes the last row the new-measurement row (flag) or a measurement row (not flag).
    void MakeLastRowPlaceholder(BOOL flag);
    // Sets or removes the dash-dot-dot frame of the last row's expression cell.
    void MarkPlaceholderCell(BOOL flag);
    // Inserts text at the remembered caret of the expression being edited.
    void InsertTextAtCaret(LPCSTR text);
    // Where the caret goes after `inserted` was put just before position p of `full`.
    static int CaretAfterInsert(int p, std::string_view inserted, std::string_view full);

    BOOL IsEditing() const { return m_bEditing != 0; }
    BOOL IsModified() const { return m_bModified != 0; }
    void SetModified(BOOL modified) { m_bModified = modified ? 1 : 0; }

    BYTE m_bEditing = 0;   // the current cell was entered for editing the expression
    BYTE m_bModified = 0;  // rows or cells changed since the page last collected them

  protected:
    // Marks the page that owns the grid modified, and the grid.
    void MarkModified();
};
