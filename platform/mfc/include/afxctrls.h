// The framework's wrappers of the standard controls: thin CWnd classes that send the
// controls' messages (CStatic, CButton, CEdit, CComboBox, CListBox, CScrollBar). Owner-drawn
// buttons, list boxes and combo boxes get their parent's WM_DRAWITEM (and WM_MEASUREITEM,
// WM_COMPAREITEM, WM_DELETEITEM) reflected to their virtual DrawItem (MeasureItem,
// CompareItem, DeleteItem) by the parent's default handlers, as in the framework. The wrappers
// add no data members, so a CWnd from GetDlgItem may be used as one, as the library's pages do.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

// Included by afxwin.h.

class CStatic : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xffff);
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
};

class CButton : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    // Draws an owner-drawn button (BS_OWNERDRAW); derived classes override it.
    virtual void DrawItem(DRAWITEMSTRUCT* draw);
    // Takes the parent's reflected WM_DRAWITEM.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    DWORD GetSel() const;
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars);
    UINT GetLimitText() const;
    void SetModify(BOOL modified = TRUE);
    BOOL GetModify() const;
    void SetMargins(UINT left, UINT right);
    DWORD GetMargins() const;
    // Copies a line into the buffer (bounded by maxLength); the number of characters copied.
    int GetLine(int index, LPSTR buffer, int maxLength) const;
    int GetLineCount() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL Undo();
    BOOL CanUndo() const;
    void Cut();
    void Copy();
    void Paste();
    void Clear();
};

class CComboBox : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // Copies an item's text (the buffer must hold GetLBTextLen + 1); its length or CB_ERR.
    int GetLBText(int index, LPSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCSTR text) const;
    int FindStringExact(int startAfter, LPCSTR text) const;
    int SelectString(int startAfter, LPCSTR text);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int SetItemDataPtr(int index, void* data);
    void* GetItemDataPtr(int index) const;
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    BOOL LimitText(int maxChars);
    BOOL SetEditSel(int start, int end);
    DWORD GetEditSel() const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
    virtual void DrawItem(DRAWITEMSTRUCT* draw);
    virtual void MeasureItem(MEASUREITEMSTRUCT* measure);
    virtual int CompareItem(COMPAREITEMSTRUCT* compare);
    virtual void DeleteItem(DELETEITEMSTRUCT* del);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CListBox : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maxItems, int* items) const;
    // Copies an item's text (the buffer must hold GetTextLen + 1); its length or LB_ERR.
    int GetText(int index, LPSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int FindString(int startAfter, LPCSTR text) const;
    int FindStringExact(int startAfter, LPCSTR text) const;
    int SelectString(int startAfter, LPCSTR text);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int SetItemDataPtr(int index, void* data);
    void* GetItemDataPtr(int index) const;
    int GetItemRect(int index, LPRECT rect) const;
    // The nearest item to a client point; outside is TRUE when the point is outside the items.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
    int GetCaretIndex() const;
    int SetCaretIndex(int index, BOOL scroll = TRUE);
    virtual void DrawItem(DRAWITEMSTRUCT* draw);
    virtual void MeasureItem(MEASUREITEMSTRUCT* measure);
    virtual int CompareItem(COMPAREITEMSTRUCT* compare);
    virtual void DeleteItem(DELETEITEMSTRUCT* del);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CScrollBar : public CWnd {};

#pragma GCC visibility pop
