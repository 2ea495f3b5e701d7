// CDragListBox: the framework's side of a drag list. The system drag list tells the list
// box's parent what the user does with the registered DRAGLISTMSGSTRING message; the parent
// reflects it to this object, which answers through the virtuals BeginDrag, Dragging, Dropped
// and CancelDrag. The default behaviour moves the dragged item (text and item data) to the
// place it was dropped, and marks the insertion point with an inverted bar while dragging.
#include <array>

#include "afxcmn.h"

UINT CDragListBox::dragListMessage() {
    return RegisterWindowMessageA(DRAGLISTMSGSTRING);
}

void CDragListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    // A list box that is a drag list already refuses a second MakeDragList; either way it is
    // one afterwards.
    MakeDragList(m_hWnd);
}

int CDragListBox::ItemFromPt(CPoint point, BOOL autoScroll) const {
    return LBItemFromPt(m_hWnd, point, autoScroll);
}

BOOL CDragListBox::BeginDrag(CPoint point) {
    m_nLast = -1;
    DrawInsert(ItemFromPt(point));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint /*point*/) {
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(CPoint point) {
    // The marker follows the item under the cursor without scrolling; the second look-up
    // scrolls the list when the cursor is past its top or bottom edge.
    int index = ItemFromPt(point, FALSE);
    DrawInsert(index);
    ItemFromPt(point, TRUE);
    return index == -1 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

void CDragListBox::Dropped(int sourceIndex, CPoint point) {
    DrawInsert(-1);
    int target = ItemFromPt(point, FALSE);
    if (sourceIndex < 0 || target < 0 || sourceIndex >= GetCount()) {
        return;
    }
    // Dropping on the item itself or on the one below it leaves the order as it is: the item
    // goes before the target.
    if (target == sourceIndex || target == sourceIndex + 1) {
        return;
    }
    CString text;
    GetText(sourceIndex, text);
    DWORD_PTR data = GetItemData(sourceIndex);
    DeleteString(static_cast<UINT>(sourceIndex));
    if (sourceIndex < target) {
        --target;
    }
    target = InsertString(target, text);
    if (target >= 0) {
        SetItemData(target, data);
        SetCurSel(target);
    }
}

void CDragListBox::DrawInsert(int index) {
    if (index == m_nLast) {
        return;
    }
    DrawSingle(m_nLast);
    DrawSingle(index);
    m_nLast = index;
}

void CDragListBox::DrawSingle(int index) {
    if (index < 0 || m_hWnd == nullptr) {
        return;
    }
    CRect item;
    if (GetItemRect(index, &item) == LB_ERR) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    // A bar four pixels high straddling the item's top edge, inverted through a halftone
    // pattern so that drawing it again erases it; clipped to the list's client area.
    static constexpr std::array<WORD, 8> kHalftone = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                                      0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kHalftone.data());
    HBRUSH brush = pattern != nullptr ? CreatePatternBrush(pattern) : nullptr;
    HDC dc = ::GetDC(m_hWnd);
    if (dc != nullptr && brush != nullptr) {
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        HGDIOBJ old = ::SelectObject(dc, brush);
        ::PatBlt(dc, item.left, item.top - 2, item.Width(), 4, PATINVERT);
        ::SelectObject(dc, old);
    }
    if (dc != nullptr) {
        ::ReleaseDC(m_hWnd, dc);
    }
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    if (pattern != nullptr) {
        DeleteObject(pattern);
    }
}

BOOL CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != dragListMessage()) {
        return CListBox::OnChildNotify(message, wParam, lParam, result);
    }
    auto* info = reinterpret_cast<DRAGLISTINFO*>(lParam);
    LRESULT answer = 0;
    if (info != nullptr) {
        CPoint point(info->ptCursor);
        switch (info->uNotification) {
            case DL_BEGINDRAG:
                answer = BeginDrag(point);
                break;
            case DL_DRAGGING:
                answer = static_cast<LRESULT>(Dragging(point));
                break;
            case DL_DROPPED:
                Dropped(GetCurSel(), point);
                break;
            case DL_CANCELDRAG:
                CancelDrag(point);
                break;
            default:
                break;
        }
    }
    if (result != nullptr) {
        *result = answer;
    }
    return TRUE;
}
