// The Data Collection page: which results the simulator writes to its waveform data file.
// The page stands on its template and keeps the profile it was built with; its controls and
// what it reads from and writes into the profile come with the page's own work.
#pragma once

#include <afxdlgs.h>

struct SimProfile;

class CSimCollectionPage : public CPropertyPage {
  public:
    // A page on its template for the profile (not owned; may be null).
    explicit CSimCollectionPage(SimProfile* profile);

  protected:
    SimProfile* m_pProfile;
};
