// The framework's wrappers of the common controls: image lists (CImageList), the list view
// (CListCtrl), the up-down control (CSpinButtonCtrl), tooltips (CToolTipCtrl), the tab control
// (CTabCtrl) and the drag list box (CDragListBox). Each wrapper is a thin CWnd (or, for image
// lists, a handle holder) that sends the control's messages with the framework's names and
// argument conventions. The check-list box comes with this header too (afxchecklistbox.h).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "afxwin.h"

#include <kvwin32/commctrl.h>

// The generic names the framework's callers use for the narrow-character messages.
#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#endif
#ifndef TTN_NEEDTEXT
#define TTN_NEEDTEXT TTN_NEEDTEXTA
#endif
#ifndef TOOLTIPS_CLASS
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA
#endif
#ifndef WC_LISTVIEW
#define WC_LISTVIEW WC_LISTVIEWA
#endif
#ifndef WC_TABCONTROL
#define WC_TABCONTROL WC_TABCONTROLA
#endif
#ifndef UPDOWN_CLASS
#define UPDOWN_CLASS UPDOWN_CLASSA
#endif

// An opaque position of the framework's iterations (GetFirstSelectedItemPosition): an item
// index plus one, so that null means the end.
struct __POSITION;
using POSITION = __POSITION*;

// ---- Image lists ------------------------------------------------------------------------------

// Holds an image list handle; a list it created or attached is destroyed with it.
class CImageList : public CObject {
  public:
    HIMAGELIST m_hImageList = nullptr;  // the list, null when none

    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    // Destroys the list it holds.
    ~CImageList() override;

    operator HIMAGELIST() const { return m_hImageList; }  // NOLINT(google-explicit-constructor)
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    // Makes an empty list of cx by cy images (ILC_ flags); FALSE when one is held already or
    // the system refuses.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Makes a list from a bitmap resource of the current resource module, cut every cx
    // pixels, with a mask colour (CLR_NONE: no mask).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF maskColour);
    // Takes a list; FALSE when one is held already or the handle is null.
    BOOL Attach(HIMAGELIST list);
    // Gives up the list without destroying it.
    HIMAGELIST Detach();
    // Destroys the list; FALSE when there is none.
    BOOL DeleteImageList();

    int GetImageCount() const;
    // Adds the images of a bitmap strip with an optional mask bitmap; the first new index, -1.
    int Add(CBitmap* image, CBitmap* mask);
    // Adds the images of a bitmap strip, the pixels of a colour becoming transparent.
    int Add(CBitmap* image, COLORREF maskColour);
    // Removes an image (-1: all); FALSE for a bad index.
    BOOL Remove(int index);
    // Draws an image at a point with ILD_ style.
    BOOL Draw(CDC* dc, int index, POINT point, UINT style);
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
};

// ---- List view --------------------------------------------------------------------------------

// The list view control ("SysListView32").
class CListCtrl : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Inserts a column; nWidth -1 and nSubItem -1 leave those fields out. Its index or -1.
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int InsertColumn(int column, const LVCOLUMNA* info);
    BOOL DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);

    // Inserts an item (with an image); its index or -1.
    int InsertItem(int item, LPCSTR text);
    int InsertItem(int item, LPCSTR text, int image);
    int InsertItem(const LVITEMA* info);
    // Inserts with a mask of fields, state bits and a value.
    int InsertItem(UINT mask, int item, LPCSTR text, UINT state, UINT stateMask, int image,
                   LPARAM lParam);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;

    // Sets the text of an item (subItem 0) or of one of its columns.
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    // The text of an item or column, empty for a bad index.
    CString GetItemText(int item, int subItem) const;
    // Copies the text into a buffer of `length` bytes (always terminated); its length.
    int GetItemText(int item, int subItem, LPSTR buffer, int length) const;
    BOOL GetItem(LVITEMA* info) const;
    BOOL SetItem(const LVITEMA* info);
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    // Sets the state bits of stateMask to state; item -1 sets them on every item.
    BOOL SetItemState(int item, UINT state, UINT stateMask);
    UINT GetItemState(int item, UINT stateMask) const;
    // The next item after `item` (-1: from the start) with the LVNI_ flags, or -1.
    int GetNextItem(int item, int flags) const;
    // The first item after `start` (-1: from the start) matching the description, or -1.
    int FindItem(LVFINDINFOA* find, int start = -1) const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    UINT GetSelectedCount() const;
    // The first selected item as a position for GetNextSelectedItem, null when none.
    POSITION GetFirstSelectedItemPosition() const;
    // The item at a position, moving the position to the next selected item (null at the end).
    int GetNextSelectedItem(POSITION& position) const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;

    // Hands the control an image list (LVSIL_ kind); the previous one as a temporary wrapper
    // (valid until the next SetImageList of the thread; it never destroys the list), or null.
    CImageList* SetImageList(CImageList* list, int kind);
    HIMAGELIST GetImageList(int kind) const;
    // Sets the LVS_EX_ bits; the previous ones.
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;
};

// ---- Up-down control
// -----------------------------------------------------------------------------

// The up-down control ("msctls_updown32").
class CSpinButtonCtrl : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The 16-bit range (lower may exceed upper: the arrows then count down).
    void SetRange(short lower, short upper);
    void GetRange(int& lower, int& upper) const;
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    // Sets the position (clamped by the control); the previous one.
    int SetPos(int position);
    // The position in the low word; the high word is non-zero when the buddy's text is not a
    // number in range, as the control answers.
    int GetPos() const;
    int SetPos32(int position);
    int GetPos32(BOOL* error = nullptr) const;
    // The buddy window; the previous buddy's object (temporary) or null.
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    // Base 10 or 16 of the buddy's text; the previous base, 0 for another value.
    int SetBase(int base);
    UINT GetBase() const;
    BOOL SetAccel(int count, UDACCEL* accel);
    UINT GetAccel(int count, UDACCEL* accel) const;
};

// ---- Tooltips ---------------------------------------------------------------------------------

// The tooltip control ("tooltips_class32"). A tool is a window (id 0: the whole window, the
// tool belongs to its parent, TTF_IDISHWND) or a rectangle of a window with an id.
class CToolTipCtrl : public CWnd {
  public:
    using CWnd::Create;
    // Makes the tooltip window, owned by the parent's window; WS_POPUP is always added.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Adds a tool whose text is a string-table id of the current resource module.
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect = nullptr, UINT_PTR toolId = 0);
    // Adds a tool with a text, or LPSTR_TEXTCALLBACK to ask the owner (TTN_NEEDTEXT).
    BOOL AddTool(CWnd* wnd, LPCSTR text = LPSTR_TEXTCALLBACKA, LPCRECT toolRect = nullptr,
                 UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId = 0);
    // Moves a rectangle tool.
    void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
    // The text of a tool, empty when it has none.
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    int GetToolCount() const;
    // TRUE: tips show; FALSE: they never do.
    void Activate(BOOL activate);
    // Passes a mouse message of a tool's window to the control.
    void RelayEvent(LPMSG msg);
    // The widest a tip may be before it wraps (-1: no limit); the previous width.
    int SetMaxTipWidth(int width);
    void Pop();
    // Fills a TOOLINFOA naming a tool the way the framework names them.
    void FillInToolInfo(TOOLINFOA& info, CWnd* wnd, UINT_PTR toolId) const;
};

// ---- Tab control ------------------------------------------------------------------------------

// The tab control ("SysTabControl32").
class CTabCtrl : public CWnd {
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Inserts a tab with a text (and an image); its index or -1.
    LONG InsertItem(int item, LPCSTR text);
    LONG InsertItem(int item, LPCSTR text, int image);
    LONG InsertItem(int item, TCITEMA* info);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItem(int item, TCITEMA* info) const;
    BOOL SetItem(int item, TCITEMA* info);
    int GetCurSel() const;
    // Selects a tab (no notification); the previous selection or -1.
    int SetCurSel(int item);
    // Converts between the display area and the window rectangle (bLarger: display to window).
    void AdjustRect(BOOL larger, LPRECT rect);
    BOOL GetItemRect(int item, LPRECT rect) const;
    int GetRowCount() const;
};

// ---- Drag list box
// --------------------------------------------------------------------------------

// A list box whose items the user reorders by dragging (MakeDragList). The parent's drag-list
// notifications are reflected to the list box, which turns them into the virtuals BeginDrag,
// Dragging, Dropped and CancelDrag; the default behaviour moves the dragged item to where it
// was dropped, marking the insertion point on the list while dragging.
class CDragListBox : public CListBox {
  public:
    CDragListBox() = default;

    // Turns the list box into a drag list whichever way the object is bound to it (Create,
    // SubclassDlgItem, DDX_Control).
    void PreSubclassWindow() override;

    // The item under a screen point, -1 when none; bAutoScroll scrolls at the edges.
    int ItemFromPt(CPoint point, BOOL autoScroll = TRUE) const;

    // The user pressed the button on an item; TRUE lets the drag start. The default marks
    // the item under the cursor and agrees.
    virtual BOOL BeginDrag(CPoint point);
    // The drag was cancelled; the default erases the marker.
    virtual void CancelDrag(CPoint point);
    // The mouse moved while dragging; the cursor to show (DL_MOVECURSOR over an item,
    // DL_STOPCURSOR elsewhere). The default moves the marker.
    virtual UINT Dragging(CPoint point);
    // The item `sourceIndex` was dropped at a screen point; the default erases the marker
    // and moves the item (text and item data) before the item under the point.
    virtual void Dropped(int sourceIndex, CPoint point);
    // Marks the insertion point above an item (-1: none), erasing the previous mark.
    virtual void DrawInsert(int index);

    // Takes the drag-list notifications; others go to the list box.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The drag-list message number (RegisterWindowMessage of DRAGLISTMSGSTRING).
    static UINT dragListMessage();

  protected:
    int m_nLast = -1;  // the item the marker is drawn at, -1 when none

    // Inverts the marker bar on the top edge of an item (drawing it twice erases it).
    void DrawSingle(int index);
};

#include "afxchecklistbox.h"

#pragma GCC visibility pop
