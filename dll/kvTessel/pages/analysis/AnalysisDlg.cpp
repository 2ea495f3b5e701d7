// CAnalysisDlg: the operations every child dialog of the Analysis page shares.
#include "AnalysisDlg.h"

#include <afxdlgs.h>

int CAnalysisDlg::SaveToProfile(SimProfile*) {
    return 0;
}

void CAnalysisDlg::SetModified(BOOL modified) {
    // The parent is the Analysis page, a property page; a dialog created elsewhere (a test's
    // own parent) has nothing to mark.
    if (auto* page = dynamic_cast<CPropertyPage*>(GetParent())) {
        page->SetModified(modified);
    }
}

BOOL CAnalysisDlg::Validate() {
    return TRUE;
}

void CAnalysisDlg::CloseModalDialogs() {}

bool CAnalysisDlg::MarksModified(WPARAM) {
    return false;
}

BOOL CAnalysisDlg::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    // A caller that only asks whether a handler exists passes handlerInfo: nothing happened.
    if (handlerInfo == nullptr && extra == nullptr &&
        MarksModified(MAKEWPARAM(id, static_cast<WORD>(code)))) {
        SetModified(TRUE);
    }
    return CDialog::OnCmdMsg(id, code, extra, handlerInfo);
}
