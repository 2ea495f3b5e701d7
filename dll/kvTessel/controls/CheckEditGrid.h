// MECCheckEditGrid: a grid of a check box column and edit columns that never shows a range
// selection; instead one current row is framed and highlighted. The current cell of a row
// entered from elsewhere is its check box cell.
#pragma once

#include "grid/gxall.h"

class MECCheckEditGrid : public CGXGridWnd {
  public:
    MECCheckEditGrid();

    // Sets the grid up with `rows` rows: 2 columns (check box, then text), headers hidden,
    // no undo, the columns sized to the window.
    virtual void SetupGrid(ROWCOL rows);
    // Highlights a row (selection colours) or gives it its normal colours.
    virtual void HighlightRow(ROWCOL row, BOOL on);
    // Frames a row (and makes it the current row) or removes its frame.
    virtual void FrameRow(ROWCOL row, BOOL on);

    BOOL SetCurrentCell(ROWCOL row, ROWCOL col,
                        UINT flags = GX_SCROLLINVIEW | GX_UPDATENOW) override;
    BOOL ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT repeat = 1, UINT flags = 0) override;
    BOOL OnStartEditing(ROWCOL row, ROWCOL col) override;
    BOOL OnLeftCell(ROWCOL oldRow, ROWCOL oldCol, ROWCOL newRow, ROWCOL newCol) override;
    // The selection-change query: never lets a range show; frames the row a drag reaches.
    BOOL CanChangeSelection(CGXRange* range, BOOL dragging) override;
    BOOL OnLButtonHitRowCol(ROWCOL hitRow, ROWCOL hitCol, ROWCOL dragRow, ROWCOL dragCol,
                            CPoint point, UINT flags, WORD hitState) override;

    // The framed and highlighted row (0: none).
    ROWCOL GetCurrentRow() const { return m_nCurrentRow; }

    // The check box column and the first text column.
    static constexpr ROWCOL kCheckCol = 1;
    static constexpr ROWCOL kTextCol = 2;
    // The control of the text column.
    static constexpr WORD kTextControl = 52512;

  protected:
    // The width of the grid rectangle minus 1, which the columns share.
    int GridWidth() const;
    // Applies a style to every cell of a row (gxOverride or gxExclude).
    void SetRowStyle(ROWCOL row, const CGXStyle& style, GXModifyType mt);

    DWORD m_nCurrentRow = 0;    // the framed and highlighted row
    BYTE m_bSelectRequest = 0;  // a range selection was asked for since the last click
};
