// COptionPanel: the modified marking every panel shares.
#include "OptionPanel.h"

#include <afxdlgs.h>

#include "MessageText.h"

void COptionPanel::SetPageModified() {
    if (auto* page = dynamic_cast<CPropertyPage*>(GetParent())) {
        page->SetModified(TRUE);
    }
}

BOOL COptionPanel::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    if (handlerInfo == nullptr && extra == nullptr &&
        MarksModified(MAKEWPARAM(id, static_cast<WORD>(code)))) {
        SetPageModified();
    }
    return CDialog::OnCmdMsg(id, code, extra, handlerInfo);
}

CString OptionText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

void FillItems(CWnd& dialog, int comboId, std::initializer_list<UINT> ids) {
    dialog.SendDlgItemMessage(comboId, CB_RESETCONTENT);
    for (const UINT id : ids) {
        const CString text = OptionText(id);
        dialog.SendDlgItemMessage(comboId, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)));
    }
}

void ShowOptionsHelp() {
    static bool helpReady = false;  // one flag for the page and its dialogs, for the process
    ShowHelpTopic("49190", helpReady, HelpInitReport::catalogMessage);
}
