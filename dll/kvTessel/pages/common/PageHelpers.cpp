// The sheet title and the control group helpers.
#include "PageHelpers.h"

#include <string>

#include "resource.h"

CString SheetCaption() {
    CString caption;
    AfxLoadString(IDS_SHEET_CAPTION, caption);
    return caption;
}

CString SheetTitle(std::string_view profileName) {
    return SheetCaption() + " - " + CString(std::string(profileName).c_str());
}

void ShowControls(CWnd& dialog, std::initializer_list<int> ids, bool show) {
    for (int id : ids) {
        if (CWnd* control = dialog.GetDlgItem(id)) {
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
        }
    }
}

void EnableControls(CWnd& dialog, std::initializer_list<int> ids, bool enable) {
    for (int id : ids) {
        if (CWnd* control = dialog.GetDlgItem(id)) {
            control->EnableWindow(enable ? TRUE : FALSE);
        }
    }
}
