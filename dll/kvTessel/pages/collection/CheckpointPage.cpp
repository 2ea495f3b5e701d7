// CCheckpointPage: the page on its template, with the sheet's Help button.
#include "CheckpointPage.h"

#include "resource.h"

CCheckpointPage::CCheckpointPage(SimProfile* profile)
    : CPropertyPage(IDD_PROBE_WINDOW_PAGE), m_pProfile(profile) {
    m_psp.dwFlags |= PSP_HASHELP;
}
