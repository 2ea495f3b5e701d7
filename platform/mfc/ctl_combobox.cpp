// CComboBox: the framework's wrapper of the "ComboBox" control; an owner-drawn combo box
// draws, measures, compares and deletes its items in the virtual members its parent's
// messages reach through reflection.
#include <algorithm>
#include <string>

#include "afxwin.h"
#include "kvwin32/item_text.h"

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "ComboBox", nullptr, style | WS_CHILD, rect, parent, id);
}

int CComboBox::AddString(LPCSTR text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::InsertString(int index, LPCSTR text) {
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CComboBox::DeleteString(UINT index) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CComboBox::GetLBText(int index, LPSTR buffer) const {
    return static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

void CComboBox::GetLBText(int index, CString& text) const {
    text = CString(kvwin32::comboBoxItemText(m_hWnd, index).value_or(std::string()));
}

int CComboBox::GetLBTextLen(int index) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
}

int CComboBox::FindString(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CComboBox::FindStringExact(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CComboBox::SelectString(int startAfter, LPCSTR text) {
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

int CComboBox::SetItemDataPtr(int index, void* data) {
    return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
}

void* CComboBox::GetItemDataPtr(int index) const {
    return reinterpret_cast<void*>(GetItemData(index));
}

void CComboBox::ShowDropDown(BOOL show) {
    SendMessage(CB_SHOWDROPDOWN, show);
}

BOOL CComboBox::GetDroppedState() const {
    return SendMessage(CB_GETDROPPEDSTATE) != 0;
}

BOOL CComboBox::LimitText(int maxChars) {
    return SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)) != 0;
}

BOOL CComboBox::SetEditSel(int start, int end) {
    return SendMessage(CB_SETEDITSEL, 0, MAKELONG(start, end)) != 0;
}

DWORD CComboBox::GetEditSel() const {
    return static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
}

int CComboBox::GetTopIndex() const {
    return static_cast<int>(SendMessage(CB_GETTOPINDEX));
}

int CComboBox::SetTopIndex(int index) {
    return static_cast<int>(SendMessage(CB_SETTOPINDEX, static_cast<WPARAM>(index)));
}

void CComboBox::DrawItem(DRAWITEMSTRUCT*) {}
void CComboBox::MeasureItem(MEASUREITEMSTRUCT*) {}
int CComboBox::CompareItem(COMPAREITEMSTRUCT*) {
    return 0;
}
void CComboBox::DeleteItem(DELETEITEMSTRUCT*) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
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
