// The non-template parts of the field tables: exchanging one row with its control, telling a
// change notification of a row, and the digits-only style.
#include "FieldTable.h"

#include <afxdd_.h>

namespace fields {

void exchangeText(CDataExchange* dx, int id, CString& value) {
    DDX_Text(dx, id, value);
}

void exchangeComboText(CDataExchange* dx, int id, CString& value) {
    DDX_CBString(dx, id, value);
}

void exchangeInt(CDataExchange* dx, int id, Exchange how, int& value) {
    switch (how) {
        case Exchange::check:
            DDX_Check(dx, id, value);
            break;
        case Exchange::radio:
            DDX_Radio(dx, id, value);
            break;
        case Exchange::comboIndex:
            DDX_CBIndex(dx, id, value);
            break;
        case Exchange::text:
        case Exchange::comboString:
            // An int shown in an edit: the framework refuses text that is not an integer.
            DDX_Text(dx, id, value);
            break;
    }
}

namespace {

// Whether control `id` belongs to the radio group that starts at `firstId`: the group runs
// from its first button to the next control with WS_GROUP, as DDX_Radio counts it.
bool inRadioGroup(CWnd& dialog, int firstId, int id) {
    HWND control = ::GetDlgItem(dialog.GetSafeHwnd(), firstId);
    while (control != nullptr) {
        if (::GetDlgCtrlID(control) == id) {
            return true;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
        if (control == nullptr || (::GetWindowLongA(control, GWL_STYLE) & WS_GROUP) != 0) {
            return false;
        }
    }
    return false;
}

}  // namespace

bool isChangeOf(CWnd& dialog, Exchange how, int id, WPARAM wParam) {
    const int control = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (how) {
        case Exchange::text:
            return control == id && code == EN_CHANGE;
        case Exchange::check:
            return control == id && code == BN_CLICKED;
        case Exchange::radio:
            return code == BN_CLICKED && inRadioGroup(dialog, id, control);
        case Exchange::comboIndex:
            return control == id && code == CBN_SELCHANGE;
        case Exchange::comboString:
            return control == id && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE);
    }
    return false;
}

void applyDigitsOnly(CWnd& dialog, std::span<const int> ids) {
    for (int id : ids) {
        if (HWND edit = ::GetDlgItem(dialog.GetSafeHwnd(), id)) {
            ::SetWindowLongA(edit, GWL_STYLE, ::GetWindowLongA(edit, GWL_STYLE) | ES_NUMBER);
        }
    }
}

}  // namespace fields
