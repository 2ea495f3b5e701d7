// The framework's check-list box CCheckListBox: an owner-drawn list box (LBS_OWNERDRAWFIXED
// with LBS_HASSTRINGS) that draws a check box at the left of every item and lets the user
// toggle it with the mouse or the Space key, telling the parent with CLBN_CHKCHANGE.
//
// Where the check states live: as in the framework, each item's list-box item data points at
// a small record of the check box object (check state, enabled flag, the user's own item
// data). The control answers LB_GETITEMDATA and LB_SETITEMDATA with the user's data, so
// callers (and GetItemData/SetItemData) never see the record.
//
// Reading a check state from outside the framework (the automation Robot, which does not link
// it): send the window the message registered under KV_CHECKLISTBOX_GETCHECK_MSG with the item
// index in wParam. A check-list box answers KV_CHECKLISTBOX_ANSWERED | state (state 0
// unchecked, 1 checked, 2 indeterminate), or LB_ERR for an index out of range; any other
// window answers 0 (DefWindowProc's answer to a message it does not know).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <memory>
#include <vector>

#include "afxwin.h"

// The notification code of WM_COMMAND a check-list box sends its parent when the user changed
// an item's check (the framework's value).
#ifndef CLBN_CHKCHANGE
#define CLBN_CHKCHANGE 40
#endif

// Name of the registered message that asks a check-list box for an item's check state.
#define KV_CHECKLISTBOX_GETCHECK_MSG "KvCheckListBoxGetCheck"
// Bit set in every answer of a check-list box to that message.
#define KV_CHECKLISTBOX_ANSWERED 0x10000

// A list box whose items carry check boxes.
class CCheckListBox : public CListBox {
  public:
    using CListBox::Create;
    // Size of the check box drawn at the left of each item; a click whose x lies left of
    // item.left + kCheckSize + 2 hits it.
    static constexpr int kCheckSize = 13;

    CCheckListBox();
    ~CCheckListBox() override;

    // Makes the list box; the style must hold LBS_OWNERDRAWFIXED (or VARIABLE) and
    // LBS_HASSTRINGS.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Fits the item height of a fixed owner-draw list to the check box, whichever way the
    // object is bound to its window (Create, SubclassDlgItem, DDX_Control).
    void PreSubclassWindow() override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE; the AUTO styles
    // toggle on a click in the box or Space, the others only notify the parent.
    void SetCheckStyle(UINT style);
    UINT GetCheckStyle() const;
    // Sets an item's check (0, 1, or 2 for the 3-state styles); nothing for a bad index.
    void SetCheck(int index, int check);
    // An item's check, 0 for a bad index.
    int GetCheck(int index);
    // Enables or greys one item (a disabled item ignores clicks).
    void Enable(int index, BOOL enabled = TRUE);
    // Whether an item is enabled (TRUE for a bad index).
    BOOL IsEnabled(int index);

    // Where the check box of an item is drawn, given the item's check area and the default
    // box position; derived classes may move it.
    virtual CRect OnGetCheckPosition(CRect itemRect, CRect checkRect);

    // Draws an item's text after the check area (the framework has already drawn the box);
    // itemData is the user's data.
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    // Items are as tall as the font's line and at least the check box plus one.
    void MeasureItem(MEASUREITEMSTRUCT* measure) override;
    // Called with the user's item data when an item goes.
    void DeleteItem(DELETEITEMSTRUCT* del) override;
    // The reflected owner-draw messages: draws the check box, then DrawItem; MeasureItem;
    // DeleteItem with the user's data.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Answers item-data messages with the user's data and the automation query.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The number of the registered automation message.
    static UINT getCheckMessage();

  protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

    // The item under a client point (-1 when none) and whether the point is in its box.
    int CheckFromPoint(CPoint point, BOOL& inCheck);
    void InvalidateCheck(int index);
    void InvalidateItem(int index);
    // The height an item needs for the font and the check box.
    int CalcMinimumItemHeight();

  private:
    // What an item's list-box data points at.
    struct CheckRecord {
        int check = 0;           // 0, 1 or 2
        BOOL enabled = TRUE;     // clicks are taken
        DWORD_PTR userData = 0;  // the caller's item data
    };

    // Toggles an item as a user's click or Space does, then notifies CLBN_CHKCHANGE.
    void toggleByUser(int index);
    // Sends the parent WM_COMMAND with CLBN_CHKCHANGE.
    void notifyCheckChange();
    // The record of an item, or null when it has none (or the index is bad).
    CheckRecord* recordOf(int index);
    // The record of an item, created (keeping its item data as the user's) when missing;
    // null for a bad index.
    CheckRecord* ensureRecord(int index);
    // Frees records no item points at any more (after deletions).
    void collectRecords();
    // Sets the item height to CalcMinimumItemHeight for a fixed owner-draw list.
    void fitItemHeight();
    void drawCheckBox(const DRAWITEMSTRUCT& draw);

    UINT m_nStyle = BS_AUTOCHECKBOX;                      // the check style
    int m_cyText = 0;                                     // height of a line of text, 0 until known
    std::vector<std::unique_ptr<CheckRecord>> m_records;  // every record the items point at
};

#pragma GCC visibility pop
