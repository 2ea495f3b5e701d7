// The Data Collection page: which results the simulator writes to its waveform data file.
// The page stands on its template and keeps the profile it was built with; its controls and
// what it reads from and writes into the profile come with the page's own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CSimCollectionPage : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CSimCollectionPage(SimProfile* profile);
};
