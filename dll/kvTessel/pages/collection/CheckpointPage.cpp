// CCheckpointPage: the page on its template, with the sheet's Help button.
#include "CheckpointPage.h"

#include "resource.h"

CCheckpointPage::CCheckpointPage(SimProfile* profile)
    : CSettingsPage(IDD_PROBE_WINDOW_PAGE, profile, true) {}
