// Dialog data exchange: the DDX_ functions that move a value between a member and a control
// (to the control when loading, from it with validation when saving), the DDV_ checks that
// refuse a saved value, and the CDataExchange context that UpdateData hands to
// DoDataExchange.
//
// A refusal works as in the framework: the user is told in a message box, the control gets the
// focus (an edit's text selected) and UpdateData answers FALSE. Here a refusal is a return
// path, not an exception: Fail() marks the exchange failed, and every later DDX_/DDV_ call of
// the same exchange does nothing, so the rest of DoDataExchange cannot overwrite members or
// show a second message. Code of a page's own that validates inside DoDataExchange checks
// HasFailed() before going on.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

// Included by afxwin.h.

// The context of one UpdateData run.
class CDataExchange {
  public:
    BOOL m_bSaveAndValidate;           // TRUE: controls -> members, with validation
    CWnd* m_pDlgWnd;                   // the dialog whose controls are exchanged
    HWND m_hWndLastControl = nullptr;  // the control last prepared (the one a refusal names)
    BOOL m_bEditLastControl = FALSE;   // whether it is an edit (its text gets selected)

    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

    // The control with an id, remembered as the last one; null (and the exchange failed)
    // when the dialog has no such control.
    HWND PrepareCtrl(int id);
    // The same for an edit control.
    HWND PrepareEditCtrl(int id);
    // Refuses the exchange: focuses the last control (selecting an edit's text) and makes
    // UpdateData answer FALSE. The message was shown by the caller.
    void Fail();
    // Whether the exchange was refused.
    BOOL HasFailed() const { return m_failed; }

  private:
    bool m_failed = false;
};

// Edits: text, and numbers with the framework's parse rules ("Please enter an integer."
// for a text that is not a whole number, "Please enter a number." for a real, "Please enter
// a positive integer." for an unsigned).
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);  // also DWORD (the same type here)
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, LPSTR value, int maxLength);

// Buttons: check state (0, 1, 2) and the index of the checked button of a radio group that
// starts at the control (-1 when none is checked).
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);

// Combo boxes: selection index; text (loading selects the first item with that prefix in a
// drop-down list and sets the text of an editable one); exact text.
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);

// List boxes: selection index; selected item's text (prefix / exact when loading).
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_LBStringExact(CDataExchange* dx, int id, CString& value);

// Binds a framework control object to the dialog's control once (SubclassDlgItem).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Validation: the length of a text (loading also limits the edit to it) and number ranges.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minVal, long maxVal);
// DWORD is UINT here: the same check.
inline void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minVal, DWORD maxVal) {
    DDV_MinMaxUInt(dx, value, minVal, maxVal);
}
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minVal, float maxVal);

// Sets a window's text only when it differs from what the window shows, so that refreshing
// an unchanged field sends no EN_CHANGE.
void AfxSetWindowText(HWND hwnd, LPCSTR text);

#pragma GCC visibility pop
