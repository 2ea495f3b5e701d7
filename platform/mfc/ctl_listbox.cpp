// CListBox: the framework's wrapper of the "ListBox" control; an owner-drawn list box draws,
// measures, compares and deletes its items in the virtual members its parent's messages reach
// through reflection.
#include <algorithm>
#include <string>

#include "afxwin.h"
#include "kvwin32/item_text.h"

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "ListBox", nullptr, style | WS_CHILD, rect, parent, id);
}

int CListBox::AddString(LPCSTR text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::InsertString(int index, LPCSTR text) {
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CListBox::DeleteString(UINT index) {
    return static_cast<int>(SendMessage(LB_DELETESTRING, index));
}

void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}

int CListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CListBox::GetSel(int index) const {
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
}

int CListBox::SetSel(int index, BOOL select) {
    return static_cast<int>(SendMessage(LB_SETSEL, select, index));
}

int CListBox::GetSelCount() const {
    return static_cast<int>(SendMessage(LB_GETSELCOUNT));
}

int CListBox::GetSelItems(int maxItems, int* items) const {
    if (!items || maxItems <= 0) {
        return 0;
    }
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems),
                                        reinterpret_cast<LPARAM>(items)));
}

int CListBox::GetText(int index, LPSTR buffer) const {
    return static_cast<int>(
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

void CListBox::GetText(int index, CString& text) const {
    text = CString(kvwin32::listBoxItemText(m_hWnd, index).value_or(std::string()));
}

int CListBox::GetTextLen(int index) const {
    return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
}

int CListBox::FindString(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CListBox::FindStringExact(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CListBox::SelectString(int startAfter, LPCSTR text) {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

DWORD_PTR CListBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

int CListBox::SetItemDataPtr(int index, void* data) {
    return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
}

void* CListBox::GetItemDataPtr(int index) const {
    return reinterpret_cast<void*>(GetItemData(index));
}

int CListBox::GetItemRect(int index, LPRECT rect) const {
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
    // LB_ITEMFROMPOINT: the item in the low word, "outside the items" in the high word.
    const DWORD answer =
        static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    outside = HIWORD(answer) != 0;
    return LOWORD(answer);
}

int CListBox::SetItemHeight(int index, UINT height) {
    return static_cast<int>(
        SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
}

int CListBox::GetItemHeight(int index) const {
    return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
}

int CListBox::GetTopIndex() const {
    return static_cast<int>(SendMessage(LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int index) {
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}

int CListBox::GetCaretIndex() const {
    return static_cast<int>(SendMessage(LB_GETCARETINDEX));
}

int CListBox::SetCaretIndex(int index, BOOL scroll) {
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), !scroll));
}

void CListBox::DrawItem(DRAWITEMSTRUCT*) {}
void CListBox::MeasureItem(MEASUREITEMSTRUCT*) {}
int CListBox::CompareItem(COMPAREITEMSTRUCT*) {
    return 0;
}
void CListBox::DeleteItem(DELETEITEMSTRUCT*) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT answer = TRUE;
    switch (message) {
        case WM_DRAWITEM:
            DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            break;
        case WM_MEASUREITEM:
            MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            break;
        case WM_COMPAREITEM:
            answer = CompareItem(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam));
            break;
        case WM_DELETEITEM:
            DeleteItem(reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
            break;
        default:
            return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    if (result) {
        *result = answer;
    }
    return TRUE;
}
