// CSimAnalysisPage: the page on its template, with the sheet's Help button.
#include "SimAnalysisPage.h"

#include "resource.h"

CSimAnalysisPage::CSimAnalysisPage(SimProfile* profile)
    : CPropertyPage(IDD_ANALYSIS_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}

void CSimAnalysisPage::CloseAllModalDialogs() {
    // The page opens no modal dialog yet.
}
