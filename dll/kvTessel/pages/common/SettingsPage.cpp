// CSettingsPage: the state and behaviour common to the sheet's pages.
#include "SettingsPage.h"

CSettingsPage::CSettingsPage(UINT templateId, SimProfile* profile, bool hasHelp)
    : CPropertyPage(templateId), m_pProfile(profile) {
    if (hasHelp) {
        m_psp.dwFlags |= PSP_HASHELP;
    }
}

bool CSettingsPage::MarksModified(WPARAM) {
    return false;
}

BOOL CSettingsPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    // A caller that only asks whether a handler exists passes handlerInfo: nothing happened.
    if (handlerInfo == nullptr && extra == nullptr &&
        MarksModified(MAKEWPARAM(id, static_cast<WORD>(code)))) {
        SetModified(TRUE);
    }
    return CPropertyPage::OnCmdMsg(id, code, extra, handlerInfo);
}
