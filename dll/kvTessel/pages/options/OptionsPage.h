// The Options page: the simulator's analog, gate-level and output file options.
// The page stands on its template and keeps the profile it was built with; its controls and
// what it reads from and writes into the profile come with the page's own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class COptionsPage : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit COptionsPage(SimProfile* profile);

    // Ends, as cancelled, every modal dialog opened from the page (the sheet is being hidden).
    void CloseAllModalDialogs();
};
