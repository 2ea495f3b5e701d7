// The Configuration Files page: the stimulus, library and include files the simulator loads, and
// the library search path. The page stands on its template and keeps the profile it was built with;
// its controls and what it reads from and writes into the profile come with the page's own work.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CVariantsConfig : public CSettingsPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CVariantsConfig(SimProfile* profile);
};
