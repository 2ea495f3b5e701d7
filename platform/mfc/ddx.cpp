// Dialog data exchange: UpdateData, the CDataExchange context, and the DDX_/DDV_ functions
// with the framework's parse rules and refusal messages.
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <string>

#include "afxwin.h"
#include "thread_state.h"
#include "kvwin32/item_text.h"

// ---- UpdateData and the exchange context -----------------------------------------------------

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    if (!m_hWnd) {
        return FALSE;
    }
    CDataExchange dx(this, saveAndValidate);
    // Notifications the exchange itself causes (EN_CHANGE from loading an edit) are not the
    // user's: the window's WM_COMMAND handling drops them while the exchange runs.
    kvmfc::ThreadState& state = kvmfc::threadState();
    HWND const previousLockout = state.lockoutNotifyWindow;
    state.lockoutNotifyWindow = m_hWnd;
    DoDataExchange(&dx);
    state.lockoutNotifyWindow = previousLockout;
    return dx.HasFailed() ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd && m_pDlgWnd->m_hWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
    if (!control) {
        m_failed = true;  // a page naming a control its template lacks: nothing to exchange
        return nullptr;
    }
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    if (control) {
        m_bEditLastControl = TRUE;
    }
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl && IsWindow(m_hWndLastControl)) {
        // The refused field gets the focus, an edit with its whole text selected.
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) {
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    m_failed = true;
}

void AfxSetWindowText(HWND hwnd, LPCSTR text) {
    if (!hwnd) {
        return;
    }
    const std::string wanted = text ? text : "";
    const int length = ::GetWindowTextLengthA(hwnd);
    if (length == static_cast<int>(wanted.size())) {
        std::string shown(static_cast<size_t>(length) + 1, '\0');
        const int copied = ::GetWindowTextA(hwnd, shown.data(), length + 1);
        if (copied == length && shown.compare(0, static_cast<size_t>(length), wanted) == 0) {
            return;  // unchanged: no WM_SETTEXT, so an edit sends no EN_CHANGE
        }
    }
    ::SetWindowTextA(hwnd, wanted.c_str());
}

namespace {

std::string windowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// Tells the user, then refuses the exchange at the last prepared control.
void refuse(CDataExchange* dx, UINT promptId) {
    AfxMessageBox(promptId);
    dx->Fail();
}

void refuseText(CDataExchange* dx, const CString& text, UINT helpId) {
    AfxMessageBox(text, MB_ICONEXCLAMATION, helpId);
    dx->Fail();
}

bool isBlankOrTab(char ch) {
    return ch == ' ' || ch == '\t';
}

// The framework's whole-number parse: blanks and tabs around, an optional sign, decimal digits,
// nothing else. A text whose value reads as 0 without a leading '0' ("", "+", "-0", "abc") is
// not a number. Values outside the target's range are refused too.
bool parseSigned(const std::string& text, long long minValue, long long maxValue,
                 long long& value) {
    const char* p = text.c_str();
    while (isBlankOrTab(*p)) {
        ++p;
    }
    const char first = *p;
    if (!(first == '+' || first == '-' || (first >= '0' && first <= '9'))) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(p, &end, 10);
    if (end == p || (parsed == 0 && first != '0') || errno == ERANGE) {
        return false;
    }
    while (isBlankOrTab(*end)) {
        ++end;
    }
    if (*end != '\0' || parsed < minValue || parsed > maxValue) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseUnsigned(const std::string& text, unsigned long long maxValue,
                   unsigned long long& value) {
    const char* p = text.c_str();
    while (isBlankOrTab(*p)) {
        ++p;
    }
    if (!(*p >= '0' && *p <= '9') && *p != '+') {
        return false;  // a sign other than '+' (or anything else) is not an unsigned number
    }
    long long parsed = 0;
    if (!parseSigned(p, 0, static_cast<long long>(maxValue), parsed)) {
        return false;
    }
    value = static_cast<unsigned long long>(parsed);
    return true;
}

// The framework's real-number parse: blanks around a decimal number with an optional exponent;
// a value of 0 must start with '0' (so "" and "abc" are refused), and the text must end there.
// Only the plain decimal notation Windows' run-time accepts: no hexadecimal, inf or nan.
bool parseReal(const std::string& text, double& value) {
    const char* p = text.c_str();
    while (isBlankOrTab(*p)) {
        ++p;
    }
    for (const char* q = p; *q && !isBlankOrTab(*q); ++q) {
        if (!std::strchr("0123456789.eE+-", *q)) {
            return false;
        }
    }
    const char first = *p;
    char* end = nullptr;
    const double parsed = std::strtod(p, &end);
    if (end == p || (parsed == 0.0 && first != '0') || !std::isfinite(parsed)) {
        return false;
    }
    while (isBlankOrTab(*end)) {
        ++end;
    }
    if (*end != '\0') {
        return false;
    }
    value = parsed;
    return true;
}

enum class ExchangeWith { control, edit };

// The shared opening of the exchanges: nothing once an earlier exchange of the pass has failed,
// else the dialog's control (PrepareCtrl, or PrepareEditCtrl for an edit control, which remember
// it so that a refusal puts the focus there); null when the dialog has none.
HWND controlToExchange(CDataExchange* dx, int id, ExchangeWith kind) {
    if (dx->HasFailed()) {
        return nullptr;
    }
    return kind == ExchangeWith::edit ? dx->PrepareEditCtrl(id) : dx->PrepareCtrl(id);
}

template <typename Int>
void exchangeSigned(CDataExchange* dx, int id, Int& value, long long minValue, long long maxValue) {
    HWND control = controlToExchange(dx, id, ExchangeWith::edit);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!parseSigned(windowText(control), minValue, maxValue, parsed)) {
            refuse(dx, AFX_IDP_PARSE_INT);
            return;
        }
        value = static_cast<Int>(parsed);
    } else {
        AfxSetWindowText(control, std::to_string(static_cast<long long>(value)).c_str());
    }
}

template <typename Int>
void exchangeUnsigned(CDataExchange* dx, int id, Int& value, unsigned long long maxValue,
                      UINT promptId) {
    HWND control = controlToExchange(dx, id, ExchangeWith::edit);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        unsigned long long parsed = 0;
        if (!parseUnsigned(windowText(control), maxValue, parsed)) {
            refuse(dx, promptId);
            return;
        }
        value = static_cast<Int>(parsed);
    } else {
        AfxSetWindowText(control, std::to_string(static_cast<unsigned long long>(value)).c_str());
    }
}

template <typename Real>
void exchangeReal(CDataExchange* dx, int id, Real& value, int digits) {
    HWND control = controlToExchange(dx, id, ExchangeWith::edit);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        double parsed = 0;
        if (!parseReal(windowText(control), parsed)) {
            refuse(dx, AFX_IDP_PARSE_REAL);
            return;
        }
        value = static_cast<Real>(parsed);
    } else {
        // "%.*g" with the type's decimal digits, as the framework shows reals.
        char text[64];
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        AfxSetWindowText(control, text);
    }
}

}  // namespace

// ---- Edits -------------------------------------------------------------------------------------

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::edit);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = windowText(control);
    } else {
        AfxSetWindowText(control, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, LPSTR value, int maxLength) {
    if (!value || maxLength <= 0) {
        return;
    }
    HWND control = controlToExchange(dx, id, ExchangeWith::edit);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        ::GetWindowTextA(control, value, maxLength);
    } else {
        AfxSetWindowText(
            control, std::string(value, strnlen(value, static_cast<size_t>(maxLength))).c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    exchangeSigned(dx, id, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, long& value) {
    // A Windows long is 32 bits: the range the user may enter is an int's.
    exchangeSigned(dx, id, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, short& value) {
    exchangeSigned(dx, id, value, SHRT_MIN, SHRT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    exchangeUnsigned(dx, id, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* dx, int id, BYTE& value) {
    exchangeUnsigned(dx, id, value, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    exchangeReal(dx, id, value, DBL_DIG);
}

void DDX_Text(CDataExchange* dx, int id, float& value) {
    exchangeReal(dx, id, value, FLT_DIG);
}

// ---- Buttons -----------------------------------------------------------------------------------

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2) {
            value = 0;  // the framework shows an out-of-range state as unchecked
        }
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

namespace {

bool isRadioButton(HWND hwnd) {
    if (::SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
        return true;
    }
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    const DWORD kind = static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    return strcasecmp(className, "Button") == 0 &&
           (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

}  // namespace

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    // The group runs from the control to the next control with WS_GROUP, in z (tab) order; only
    // radio buttons count.
    if (dx->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    do {
        if (isRadioButton(control)) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) != 0) {
                    value = index;
                }
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : 0, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongA(control, GWL_STYLE) & WS_GROUP));
}

// ---- Combo boxes -------------------------------------------------------------------------------

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

namespace {

// A combo box's text: what its edit (or a drop-down list's selection) shows.
CString comboText(HWND control) {
    if (::GetWindowTextLengthA(control) > 0) {
        return CString(windowText(control));
    }
    const LRESULT selected = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (selected < 0) {
        return CString();
    }
    return CString(kvwin32::comboBoxItemText(control, selected).value_or(std::string()));
}

CString listText(HWND control, LRESULT index) {
    return CString(kvwin32::listBoxItemText(control, index).value_or(std::string()));
}

}  // namespace

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = comboText(control);
    } else if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        // No item starts with the text: an editable combo box shows it as typed (a drop-down
        // list ignores it).
        AfxSetWindowText(control, value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = comboText(control);
        return;
    }
    const LRESULT index = ::SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(value.GetString()));
    if (index == CB_ERR) {
        AfxSetWindowText(control, value);
    } else {
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

// ---- List boxes --------------------------------------------------------------------------------

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        const LRESULT index = ::SendMessageA(control, LB_GETCURSEL, 0, 0);
        value = index >= 0 ? listText(control, index) : CString();
    } else {
        // No item with the prefix leaves the selection as it is.
        ::SendMessageA(control, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void DDX_LBStringExact(CDataExchange* dx, int id, CString& value) {
    HWND control = controlToExchange(dx, id, ExchangeWith::control);
    if (!control) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        const LRESULT index = ::SendMessageA(control, LB_GETCURSEL, 0, 0);
        value = index >= 0 ? listText(control, index) : CString();
        return;
    }
    const LRESULT index = ::SendMessageA(control, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(value.GetString()));
    if (index != LB_ERR) {
        ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (dx->HasFailed() || control.m_hWnd) {
        return;  // bound on the first exchange, kept until the window goes
    }
    HWND hwnd = dx->PrepareCtrl(id);
    if (hwnd && !control.SubclassWindow(hwnd)) {
        dx->Fail();
    }
}

// ---- Validation --------------------------------------------------------------------------------

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (dx->HasFailed()) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        if (value.GetLength() > maxChars) {
            CString prompt;
            AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, std::to_string(maxChars).c_str());
            refuseText(dx, prompt, AFX_IDP_PARSE_STRING_SIZE);
        }
    } else if (dx->m_hWndLastControl && dx->m_bEditLastControl) {
        // Loading limits the edit, so the user cannot type more than will be accepted.
        ::SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}

namespace {

void checkRange(CDataExchange* dx, bool inRange, const std::string& minText,
                const std::string& maxText, UINT promptId) {
    if (dx->HasFailed() || !dx->m_bSaveAndValidate || inRange) {
        return;
    }
    CString prompt;
    AfxFormatString2(prompt, promptId, minText.c_str(), maxText.c_str());
    refuseText(dx, prompt, promptId);
}

std::string realText(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

}  // namespace

void DDV_MinMaxInt(CDataExchange* dx, int value, int minVal, int maxVal) {
    checkRange(dx, value >= minVal && value <= maxVal, std::to_string(minVal),
               std::to_string(maxVal), AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minVal, UINT maxVal) {
    checkRange(dx, value >= minVal && value <= maxVal, std::to_string(minVal),
               std::to_string(maxVal), AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long minVal, long maxVal) {
    checkRange(dx, value >= minVal && value <= maxVal, std::to_string(minVal),
               std::to_string(maxVal), AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minVal, double maxVal) {
    checkRange(dx, value >= minVal && value <= maxVal, realText(minVal, DBL_DIG),
               realText(maxVal, DBL_DIG), AFX_IDP_PARSE_REAL_RANGE);
}

void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minVal, float maxVal) {
    checkRange(dx, value >= minVal && value <= maxVal, realText(minVal, FLT_DIG),
               realText(maxVal, FLT_DIG), AFX_IDP_PARSE_REAL_RANGE);
}
