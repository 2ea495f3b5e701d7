// The grid library's cell controls: the text editor (CGXEditControl, a child edit window shown
// over the current cell while it is edited), the 3D check box (CGXCheckBox, control 20131) and
// the static text (CGXStatic).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "grid/gxcore.h"

// Edits a cell's text in a single-line edit window over the cell. Keys the edit window does
// not use for editing (Tab, Enter, Escape, Up, Down, Page Up, Page Down, Ctrl with a letter)
// go to the grid's ProcessKeys first, with the editor as sender.
class CGXEditControl : public CEdit, public CGXControl {
  public:
    // An editor of the grid; id is the edit window's control id.
    CGXEditControl(CGXGridCore* grid, UINT id);
    ~CGXEditControl() override;

    void Init(ROWCOL row, ROWCOL col) override;
    void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style) override;
    BOOL IsActive() override { return m_bActive; }
    // Active: the edit window takes the cell's value and shows over the cell; inactive: it
    // hides (what it holds is not stored: see Store).
    void SetActive(BOOL active) override;
    BOOL GetModify() override;
    void SetModify(BOOL modified) override;
    BOOL Store() override;
    BOOL GetValue(CString& value) override;
    BOOL OnGridChar(UINT ch, UINT repeat, UINT flags) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CWnd* GetEditWnd() override { return m_hWnd != nullptr ? this : nullptr; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Creates the edit window (hidden) as a child of the grid on first use.
    BOOL CreateEditWnd();

    UINT m_nID;
    BOOL m_bActive = FALSE;
    BOOL m_bLoading = FALSE;  // the text is being set by the grid, not typed
};

// A 3D check box: the value "1" is checked, anything else not. A click on the current cell or
// Space toggles it (and tells the grid, OnModifyCell).
class CGXCheckBox : public CGXControl {
  public:
    explicit CGXCheckBox(CGXGridCore* grid) : CGXControl(grid) {}
    void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style) override;
    BOOL OnGridKeyDown(UINT ch, UINT repeat, UINT flags) override;
    BOOL LButtonUp(UINT flags, CPoint point) override;
    // Toggles the current cell's value; FALSE when it is read-only or disabled.
    BOOL Toggle();
    // The check box's square inside a cell rectangle.
    static CRect BoxRect(const CRect& cell);
};

// Text that shows and is never edited.
class CGXStatic : public CGXControl {
  public:
    explicit CGXStatic(CGXGridCore* grid) : CGXControl(grid) {}
};

#pragma GCC visibility pop
