// COptionsPage: the page on its template, with the sheet's Help button.
#include "OptionsPage.h"

#include "resource.h"

COptionsPage::COptionsPage(SimProfile* profile)
    : CPropertyPage(IDD_OPTIONS_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}

void COptionsPage::CloseAllModalDialogs() {
    // The page opens no modal dialog yet.
}
