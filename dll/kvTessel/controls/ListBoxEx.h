// CListBoxEx: an owner-drawn drag list whose rows can be edited in place (an edit over the
// row, with a "..." browse button at its right end when the edit style has bit 0x4000) and
// reordered by dragging or with Alt+arrow keys. Dialogs specialise it through five hooks.
#pragma once

#include <afxcmn.h>

#include <memory>

#include "InPlaceButton.h"
#include "InPlaceEdit.h"
#include "InPlaceNotify.h"

// Edit style bit that also turns the browse button on.
inline constexpr unsigned kEditStyleBrowse = 0x4000;

class CListBoxEx : public CDragListBox {
  public:
    CListBoxEx() = default;
    ~CListBoxEx() override;

    // The styles of the list (child, visible, owner-drawn fixed rows with strings, keyboard
    // notifications, extended selection, a vertical scroll bar always shown, a client edge).
    static constexpr DWORD kListStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
        LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT | LBS_EXTENDEDSEL | LBS_DISABLENOSCROLL;

    // Creates the list with kListStyle added to `style`.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- Hooks -----------------------------------------------------------------------------
    // Replaces row `index` with `text` and `data` (redraw held off meanwhile).
    virtual void ReplaceItem(int index, const char* text, DWORD_PTR data);
    // Replaces the text of row `index`, keeping its item data.
    virtual void SetItemText(int index, const char* text);
    // Whether row `index` may be edited.
    virtual BOOL CanEditItem(int index);
    // Editing of row `index` ends; FALSE rejects the edited text.
    virtual BOOL OnEndEdit(int index, BOOL cancelled);
    // The browse button of the editor on row `index` was clicked.
    virtual void OnBrowse(int index, const InPlaceNotify* report);

    // ---- Operations ------------------------------------------------------------------------
    // Opens the editor on row `index` (-1: the current row; past the end: a new empty row).
    void BeginEdit(int index);
    // Appends an empty row and edits it.
    void EditNewItem();
    // Closes the editor; the row takes the text unless cancelled, and goes when it is empty.
    void EndEdit(BOOL cancel);
    // Moves row `index` one up (nothing for the first row).
    void MoveItemUp(int index);
    // Moves row `index` one down (nothing for the last row).
    void MoveItemDown(int index);
    // Exchanges the text and item data of rows a and b.
    void SwapItems(int a, int b);
    // Sets the edit style word (the editors are made anew when they exist).
    void SetEditStyle(unsigned style);
    // Puts `text` into the open editor and focuses it (used by a browse hook).
    void SetEditText(const char* text);

    // The row last clicked or opened for editing, -1 when none.
    int GetCurrentItem() const { return m_currentItem; }
    // Makes row `index` the current row (-1: none), as a click on it does.
    void SetCurrentItem(int index) { m_currentItem = index; }
    // The row being edited, -1 when no editor is open.
    int GetEditedItem() const { return m_editedItem; }
    unsigned GetEditStyle() const { return m_editStyle; }
    void AllowEditing(BOOL allow) { m_editingAllowed = allow; }
    void AllowMoving(BOOL allow) { m_movingAllowed = allow; }
    CInPlaceEdit* GetEditor() const { return m_edit.get(); }
    CInPlaceButton* GetBrowseButton() const { return m_button.get(); }

    // ---- Platform virtuals -----------------------------------------------------------------
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    void MeasureItem(MEASUREITEMSTRUCT* measure) override;
    void DrawInsert(int index) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    // A report of an editor ("ipc_CtrlMsg"); the reply is the editor's instruction.
    LRESULT OnCtrlMsg(const InPlaceNotify& report);
    DECLARE_MESSAGE_MAP()

  private:
    void CreateEditors();
    void DestroyEditors();
    // Draws the insertion marker of row `index` (inverting: twice erases it).
    void DrawMarker(int index);

    // Window style bits of the in-place edit; kEditStyleBrowse adds the browse button.
    unsigned m_editStyle = kEditStyleBrowse;
    // The in-place edit, created once per window.
    std::unique_ptr<CInPlaceEdit> m_edit;
    // Where the edit is shown, list client coordinates.
    CRect m_editRect;
    // The browse button "...".
    std::unique_ptr<CInPlaceButton> m_button;
    // Where the button is shown.
    CRect m_buttonRect;
    // The row last clicked or opened for editing; -1 none.
    int m_currentItem = -1;
    // The row being edited; -1 when no editor is open.
    int m_editedItem = -1;
    // In-place editing may start.
    BOOL m_editingAllowed = TRUE;
    // Dragging and Alt+arrow moves are possible.
    BOOL m_movingAllowed = TRUE;
};
