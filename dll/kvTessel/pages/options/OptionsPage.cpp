// COptionsPage: the page on its template, with the sheet's Help button.
#include "OptionsPage.h"

#include "resource.h"

COptionsPage::COptionsPage(SimProfile* profile) : CSettingsPage(IDD_OPTIONS_PAGE, profile, true) {}

void COptionsPage::CloseAllModalDialogs() {
    // The page opens no modal dialog yet.
}
