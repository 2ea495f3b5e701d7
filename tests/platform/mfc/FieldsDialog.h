// The tests' dialog with a field of every kind dialog data exchange handles (template
// IDD_FIELDS), recording the edits its handlers saw.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"
#include "resource.h"

namespace kvtest {

// An owner-drawn button that records the draw requests reflected to it.
class OwnerButton : public CButton {
  public:
    std::vector<UINT> drawnActions;  // itemAction of each DrawItem call
    void DrawItem(DRAWITEMSTRUCT* draw) override { drawnActions.push_back(draw->itemAction); }
};

class FieldsDialog : public CDialog {
  public:
    FieldsDialog() : CDialog(IDD_FIELDS) {}

    CString text = "start";
    int maxChars = 10;
    int number = 5;
    double real = 1.5;
    UINT unsignedValue = 7;
    int check = 1;
    int radio = 1;
    int listIndex = 2;
    CString combo = "be";
    CString listString = "beta";
    OwnerButton owner;
    int textChanges = 0;
    int initCount = 0;
    int nonClientDestroys = 0;

    BOOL OnInitDialog() override {
        ++initCount;
        for (const char* item : {"alpha", "beta", "gamma"}) {
            SendDlgItemMessage(IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            SendDlgItemMessage(IDC_EDITCOMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            SendDlgItemMessage(IDC_LISTBOX, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_TEXT, text);
        DDV_MaxChars(dx, text, maxChars);
        DDX_Text(dx, IDC_NUMBER, number);
        DDV_MinMaxInt(dx, number, -1000, 1000);
        DDX_Text(dx, IDC_REAL, real);
        DDX_Text(dx, IDC_UNSIGNED, unsignedValue);
        DDX_Check(dx, IDC_CHECK, check);
        DDX_Radio(dx, IDC_RADIO1, radio);
        DDX_CBIndex(dx, IDC_LIST, listIndex);
        DDX_CBString(dx, IDC_EDITCOMBO, combo);
        DDX_LBString(dx, IDC_LISTBOX, listString);
        DDX_Control(dx, IDC_OWNERDRAW, owner);
    }

    void PostNcDestroy() override { ++nonClientDestroys; }

  protected:
    void OnTextChange() { ++textChanges; }
    DECLARE_MESSAGE_MAP()
};

// (Its message map is defined in dialog_test.cpp.)

// The text a control of a dialog shows.
inline std::string itemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace kvtest
