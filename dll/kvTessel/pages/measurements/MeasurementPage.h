// The Measurements page: the measurement expressions evaluated after a run. The sheet builds it
// with its pages but never shows it. The page stands on its template and keeps the profile it was
// built with; its controls and what it reads from and writes into the profile come with the page's
// own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CMeasurementPage : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CMeasurementPage(SimProfile* profile);
};
