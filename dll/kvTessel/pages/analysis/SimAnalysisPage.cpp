// CSimAnalysisPage: the page on its template, with the sheet's Help button.
#include "SimAnalysisPage.h"

#include "resource.h"

CSimAnalysisPage::CSimAnalysisPage(SimProfile* profile)
    : CSettingsPage(IDD_ANALYSIS_PAGE, profile, true) {}

void CSimAnalysisPage::CloseAllModalDialogs() {
    // The page opens no modal dialog yet.
}
