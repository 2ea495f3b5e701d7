// The Analysis page: which analysis the simulator runs and the options that run with it.
// The page stands on its template and keeps the profile it was built with; its controls and
// what it reads from and writes into the profile come with the page's own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CSimAnalysisPage : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CSimAnalysisPage(SimProfile* profile);

    // Ends, as cancelled, every modal dialog opened from the page (the sheet is being hidden).
    void CloseAllModalDialogs();
};
