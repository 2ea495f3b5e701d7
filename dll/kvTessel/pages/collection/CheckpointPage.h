// The Vavir Window page: when the waveform viewer opens for the profile and what it shows.
// The page stands on its template and keeps the profile it was built with; its controls and
// what it reads from and writes into the profile come with the page's own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CCheckpointPage : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CCheckpointPage(SimProfile* profile);
};
