// The grid library's core: the grid's parameters and properties (CGXGridParam, CGXProperties),
// the base of cell controls (CGXControl) and CGXGridCore, which keeps the table (row and
// column counts, cell values and styles, column widths, hidden rows and columns), the current
// cell and its editing, and decides through virtual functions that a grid may override.
//
// The grid core is not a window: CGXGridWnd (gxwnd.h) is a window that is also a grid core,
// and turns the window's messages into the core's calls.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <afxwin.h>

#include <map>
#include <memory>
#include <vector>

#include "grid/gxstyle.h"

class CGXGridCore;

// Flags of SetCurrentCell, TransferCurrentCell and the changing calls.
constexpr UINT GX_INVALIDATE = 0x01;      // repaint whatever the change touches
constexpr UINT GX_UPDATENOW = 0x02;       // repaint at once
constexpr UINT GX_NOSETFOCUS = 0x04;      // leave the focus where it is
constexpr UINT GX_SCROLLINVIEW = 0x08;    // scroll the new current cell into view
constexpr UINT GX_DISPLAYEDITWND = 0x10;  // start editing the new current cell
constexpr UINT GX_SMART = 0x20;           // repaint only what changed
constexpr UINT GX_BYMOUSE = 0x80;         // the move comes from the mouse

// Activate-cell flags (CGXGridParam::SetActivateCellFlags): what starts editing a cell.
constexpr UINT GX_CAFOCUS_CLICKINTEXT = 0x01;     // a click on the current cell's text
constexpr UINT GX_CAFOCUS_CLICKONCELL = 0x02;     // a click anywhere on the current cell
constexpr UINT GX_CAFOCUS_DBLCLICKONCELL = 0x08;  // a double click on a cell

// Hit states of OnLButtonHitRowCol.
constexpr WORD GX_HITSTART = 0x04;  // the button went down on the cell
constexpr WORD GX_HITMOVE = 0x08;   // the mouse moved with the button down
constexpr WORD GX_HITEND = 0x10;    // the button went up

// Modes of CGXGridParam::SetHideCurrentCell.
constexpr UINT GX_HIDE_NEVER = 0;          // the current cell is framed
constexpr UINT GX_HIDE_ALWAYS = 1;         // the current cell has no frame of its own
constexpr UINT GX_HIDE_INACTIVEFRAME = 2;  // framed only while the grid has the focus

// Selection flags (CGXGridParam::EnableSelection).
constexpr WORD GX_SELNONE = 0x00;
constexpr WORD GX_SELFULL = 0xFF;

// Entries of the grid's colour table (CGXProperties::SetColor).
constexpr int GX_COLOR_GRIDLINES = 0;
constexpr int GX_COLOR_FIXEDLINES = 1;
constexpr int GX_COLOR_BACKGROUND = 4;  // outside the cells
constexpr int GX_COLOR_COUNT = 8;

// How the grid looks: grid lines and its colour table.
class CGXProperties {
  public:
    CGXProperties();
    void SetDisplayVertLines(BOOL display) { m_vertLines = display != FALSE; }
    void SetDisplayHorzLines(BOOL display) { m_horzLines = display != FALSE; }
    BOOL GetDisplayVertLines() const { return m_vertLines; }
    BOOL GetDisplayHorzLines() const { return m_horzLines; }
    // Sets an entry of the colour table; FALSE for an index out of range.
    BOOL SetColor(int index, COLORREF color);
    // The entry as set (which may name a system colour).
    COLORREF GetColor(int index) const;

  private:
    bool m_vertLines = true;
    bool m_horzLines = true;
    COLORREF m_colors[GX_COLOR_COUNT];
};

// The grid's parameters: what the user may do and how the grid answers keys and clicks.
class CGXGridParam {
  public:
    CGXGridParam() = default;
    void SetActivateCellFlags(UINT flags) { m_activateFlags = flags; }
    UINT GetActivateCellFlags() const { return m_activateFlags; }
    // What Enter does: 0 nothing (an edit is stored), 1 next row, 2 next column.
    void SetEnterKeyAction(WORD action) { m_enterAction = action; }
    WORD GetEnterKeyAction() const { return m_enterAction; }
    void EnableTrackColWidth(WORD flags = 1) { m_trackColWidth = flags; }
    WORD IsEnableTrackColWidth() const { return m_trackColWidth; }
    void EnableTrackRowHeight(WORD flags = 1) { m_trackRowHeight = flags; }
    WORD IsEnableTrackRowHeight() const { return m_trackRowHeight; }
    void EnableMoveCols(BOOL enable = TRUE) { m_moveCols = enable != FALSE; }
    BOOL IsEnableMoveCols() const { return m_moveCols; }
    void EnableMoveRows(BOOL enable = TRUE) { m_moveRows = enable != FALSE; }
    BOOL IsEnableMoveRows() const { return m_moveRows; }
    void EnableSelection(WORD flags = GX_SELFULL) { m_selection = flags; }
    WORD GetEnableSelection() const { return m_selection; }
    void SetHideCurrentCell(UINT mode) { m_hideCurrentCell = mode; }
    UINT GetHideCurrentCell() const { return m_hideCurrentCell; }
    void EnableUndo(BOOL enable = TRUE) { m_undo = enable != FALSE; }
    BOOL IsEnableUndo() const { return m_undo; }
    CGXProperties* GetProperties() { return &m_properties; }
    const CGXProperties* GetProperties() const { return &m_properties; }

  private:
    UINT m_activateFlags = GX_CAFOCUS_CLICKINTEXT;
    WORD m_enterAction = 0;
    WORD m_trackColWidth = 1;
    WORD m_trackRowHeight = 1;
    bool m_moveCols = true;
    bool m_moveRows = true;
    WORD m_selection = GX_SELFULL;
    UINT m_hideCurrentCell = GX_HIDE_NEVER;
    bool m_undo = true;
    CGXProperties m_properties;
};

// The base of every cell control: draws cells of its kind and, for the current cell, takes
// the keys and clicks and edits the value. One control object serves every cell that names
// its id; Init binds it to the current cell.
class CGXControl {
  public:
    explicit CGXControl(CGXGridCore* grid) : m_pGrid(grid) {}
    virtual ~CGXControl() = default;
    CGXControl(const CGXControl&) = delete;
    CGXControl& operator=(const CGXControl&) = delete;

    CGXGridCore* Grid() const { return m_pGrid; }
    // Binds the control to a cell (the current cell); it is not active yet.
    virtual void Init(ROWCOL row, ROWCOL col);
    // Draws a cell of this control (not the active one: an active editor shows itself).
    virtual void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style);
    // Editing: an active control holds the cell's value while the user changes it.
    virtual BOOL IsActive() { return FALSE; }
    virtual void SetActive(BOOL active);
    // Whether the active control holds changes not yet stored in the cell.
    virtual BOOL GetModify() { return FALSE; }
    virtual void SetModify(BOOL) {}
    // Stores the control's value into its cell; FALSE when there is nothing to store.
    virtual BOOL Store() { return FALSE; }
    // The value the control holds (the cell's value when it is not active).
    virtual BOOL GetValue(CString& value);
    // Starts editing with a typed character; FALSE when the control does not take it.
    virtual BOOL OnGridChar(UINT ch, UINT repeat, UINT flags);
    // A key the grid did not use; TRUE when the control used it.
    virtual BOOL OnGridKeyDown(UINT ch, UINT repeat, UINT flags);
    // A click released on the (current) cell; TRUE when the control used it.
    virtual BOOL LButtonUp(UINT flags, CPoint point);
    // A command from a window of the control (an editor's notifications).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The window of the control while it edits, or null.
    virtual CWnd* GetEditWnd() { return nullptr; }

    ROWCOL m_nRow = 0;
    ROWCOL m_nCol = 0;

  protected:
    CGXGridCore* m_pGrid;
};

// The grid: data, current cell, editing and the decisions a grid may override.
class CGXGridCore {
  public:
    CGXGridCore();
    virtual ~CGXGridCore();
    CGXGridCore(const CGXGridCore&) = delete;
    CGXGridCore& operator=(const CGXGridCore&) = delete;

    // The window the grid shows in (set by CGXGridWnd).
    CWnd* GridWnd() const { return m_pGridWnd; }

    // ---- Set-up ----------------------------------------------------------------------------
    // Prepares the grid for use: parameters, the library's controls (edit, static, check box)
    // and the default row height of the window's font. Called once its window exists.
    virtual void Initialize();
    BOOL IsInitialized() const { return m_initialized; }
    CGXGridParam* GetParam() { return &m_param; }
    // Registers a control under an id (the grid owns it from then on); FALSE for a null
    // control. A control registered again under the same id replaces the old one.
    BOOL RegisterControl(WORD id, CGXControl* control);
    // The control of an id (the edit control for an unknown id).
    CGXControl* GetRegisteredControl(WORD id);
    // The control that draws and edits a cell.
    virtual CGXControl* GetControl(ROWCOL row, ROWCOL col);

    // ---- Rows and columns -------------------------------------------------------------------
    virtual BOOL SetRowCount(ROWCOL rows, UINT flags = GX_UPDATENOW);
    virtual BOOL SetColCount(ROWCOL cols, UINT flags = GX_UPDATENOW);
    // The number of rows and columns, headers not counted: the last row's index.
    ROWCOL GetRowCount() const { return m_nRows; }
    ROWCOL GetColCount() const { return m_nCols; }
    // Inserts count empty rows before row (1 .. row count + 1); FALSE out of range.
    virtual BOOL InsertRows(ROWCOL row, ROWCOL count, int* widths = nullptr,
                            CObject* oldStyles = nullptr, UINT flags = GX_UPDATENOW);
    // Removes the rows from..to (1 .. row count); FALSE out of range.
    virtual BOOL RemoveRows(ROWCOL from, ROWCOL to, UINT flags = GX_UPDATENOW);
    BOOL HideRows(ROWCOL from, ROWCOL to, BOOL hide = TRUE, UINT flags = GX_UPDATENOW);
    BOOL HideCols(ROWCOL from, ROWCOL to, BOOL hide = TRUE, UINT flags = GX_UPDATENOW);
    BOOL IsRowHidden(ROWCOL row) const;
    BOOL IsColHidden(ROWCOL col) const;
    BOOL SetColWidth(ROWCOL from, ROWCOL to, int width, UINT flags = GX_UPDATENOW);
    // The width of a column (0 when hidden).
    int GetColWidth(ROWCOL col) const;
    void SetDefaultRowHeight(int height) { m_rowHeight = height; }
    // The height of a row (0 when hidden).
    int GetRowHeight(ROWCOL row) const;

    // ---- Values and styles ------------------------------------------------------------------
    // Merges a style into every cell of the range (or the rows', columns' or table's style).
    virtual BOOL SetStyleRange(const CGXRange& range, const CGXStyle& style,
                               GXModifyType mt = gxOverride, int type = 0,
                               UINT flags = GX_UPDATENOW);
    BOOL SetValueRange(const CGXRange& range, LPCSTR value, GXModifyType mt = gxOverride,
                       int type = 0, UINT flags = GX_UPDATENOW);
    // The style of a cell as it shows: table, column, row and cell styles composed.
    BOOL ComposeStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle* style) const;
    // The cell's value (empty outside the table).
    const CString& GetValueRowCol(ROWCOL row, ROWCOL col) const;
    // The style set on the cell itself (not composed); null outside the table.
    const CGXStyle* GetCellStyle(ROWCOL row, ROWCOL col) const;

    // ---- The current cell ---------------------------------------------------------------------
    // Moves the current cell (row or column 0: no current cell); FALSE when refused.
    virtual BOOL SetCurrentCell(ROWCOL row, ROWCOL col,
                                UINT flags = GX_SCROLLINVIEW | GX_UPDATENOW);
    BOOL GetCurrentCell(ROWCOL& row, ROWCOL& col) const;
    BOOL GetCurrentCell(ROWCOL* row, ROWCOL* col) const;
    BOOL IsCurrentCell(ROWCOL row, ROWCOL col) const;
    // The control of the current cell, or null.
    CGXControl* GetCurrentCellControl();
    // Ends editing of the current cell: with save, its pending changes are stored; without,
    // they are thrown away. TRUE when there is a current cell.
    virtual BOOL TransferCurrentCell(BOOL saveAndValidate = TRUE, UINT flags = GX_UPDATENOW,
                                     BOOL createHint = TRUE);
    // Starts editing the current cell (asking OnStartEditing); TRUE when its control is active.
    BOOL StartEditing(UINT flags = 0);
    // Scrolls rows so that the cell is shown.
    BOOL ScrollCellInView(ROWCOL row, ROWCOL col, UINT flags = GX_UPDATENOW);

    // ---- Geometry -----------------------------------------------------------------------------
    // The cell's rectangle in the window's client area (empty when not shown).
    CRect CalcRectFromRowCol(ROWCOL row, ROWCOL col) const;
    // The cell at a client point; FALSE when the point is on no cell.
    BOOL HitTest(CPoint point, ROWCOL& row, ROWCOL& col) const;
    ROWCOL GetTopRow() const { return m_nTopRow; }
    // The client rectangle of the grid's window.
    CRect GetGridRect() const;

    // ---- Decisions a grid may override ------------------------------------------------------
    // Keys from the grid or from a cell's editor (sender); TRUE when used.
    virtual BOOL ProcessKeys(CWnd* sender, UINT message, UINT ch, UINT repeat = 1, UINT flags = 0);
    // Asked before editing of a cell starts; FALSE refuses.
    virtual BOOL OnStartEditing(ROWCOL row, ROWCOL col);
    // The current cell left (old) for another (new); FALSE is ignored.
    virtual BOOL OnLeftCell(ROWCOL oldRow, ROWCOL oldCol, ROWCOL newRow, ROWCOL newCol);
    // The user changed a cell (an editor's text, a check box).
    virtual void OnModifyCell(ROWCOL row, ROWCOL col);
    // Asked when the current cell is left (select FALSE, the new cell given) and when a cell
    // is about to become current (select TRUE); FALSE keeps things as they are.
    virtual BOOL CanSelectCurrentCell(BOOL select, ROWCOL selectRow, ROWCOL selectCol,
                                      ROWCOL oldRow, ROWCOL oldCol);
    // Before a range selection is cleared; FALSE keeps it.
    virtual BOOL PrepareClearSelection();
    // The selection-change query, the virtual between PrepareClearSelection and
    // OnChangedSelection (CanChangeSelection is this library's name for it): asked when the
    // user would select a range of cells (range; dragging: the mouse is dragged across cells
    // with its button down). FALSE refuses the selection, so no range shows; the library's
    // own answer is TRUE when selection is enabled.
    virtual BOOL CanChangeSelection(CGXRange* range, BOOL dragging);
    // After a range selection changed.
    virtual void OnChangedSelection(const CGXRange* range, BOOL isDragging, BOOL key);
    // The mouse on a cell: the hit cell, the cell it is dragged to, the hit state
    // (GX_HITSTART, GX_HITMOVE, GX_HITEND); TRUE when handled.
    virtual BOOL OnLButtonHitRowCol(ROWCOL hitRow, ROWCOL hitCol, ROWCOL dragRow, ROWCOL dragCol,
                                    CPoint point, UINT flags, WORD hitState);

    // ---- Painting ------------------------------------------------------------------------------
    // Paints the whole grid into a DC (client coordinates).
    virtual void OnGridDraw(CDC* dc);
    // Redraws the grid's window (at once with GX_UPDATENOW).
    void Redraw(UINT flags = GX_UPDATENOW);
    // The RGB colour a grid colour names (see gxstyle.h).
    COLORREF ResolveColor(COLORREF color) const;

    // Repaint the whole grid when the current cell moves (not only the two cells), for grids
    // whose look depends on the current row.
    BOOL m_bRefreshOnSetCurrentCell = FALSE;
    // An active editor stays active when the focus leaves the grid for another window (else
    // its changes are stored and editing ends).
    BOOL m_bKeepEditOnKillFocus = FALSE;

  protected:
    // CGXGridWnd binds the core to its window.
    void AttachGridWnd(CWnd* wnd) { m_pGridWnd = wnd; }
    // Called when the editor of the current cell starts or ends.
    void SetEditorFocus();
    friend class CGXGridWnd;

    // Mouse state, kept by the window.
    struct MouseState {
        bool down = false;
        bool dragged = false;
        ROWCOL hitRow = 0, hitCol = 0;
        ROWCOL dragRow = 0, dragCol = 0;
    };
    MouseState m_mouse;

  private:
    void Resize(ROWCOL rows, ROWCOL cols);
    void EnsureRowHeight();

    CWnd* m_pGridWnd = nullptr;
    CGXGridParam m_param;
    bool m_initialized = false;
    ROWCOL m_nRows = 0;
    ROWCOL m_nCols = 0;
    // Styles: [row][col] of cells 0..rows x 0..cols; per row, per column, the table.
    std::vector<std::vector<CGXStyle>> m_cells;
    std::vector<CGXStyle> m_rowStyles;
    std::vector<CGXStyle> m_colStyles;
    CGXStyle m_tableStyle;
    std::vector<bool> m_hiddenRows;
    std::vector<bool> m_hiddenCols;
    std::vector<int> m_colWidths;
    int m_rowHeight = 0;
    ROWCOL m_nTopRow = 1;
    ROWCOL m_nCurRow = 0;
    ROWCOL m_nCurCol = 0;
    int m_moveDepth = 0;  // nested SetCurrentCell calls (a decision may move the cell itself)
    std::map<WORD, std::unique_ptr<CGXControl>> m_controls;
};

#pragma GCC visibility pop
