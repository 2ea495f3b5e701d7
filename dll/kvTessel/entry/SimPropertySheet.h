// The "Simulation Settings" sheet: one object of every page, six of them shown as tabs, run
// modally for one call or kept by a host as a modeless window it shows, hides and deletes.
#pragma once

#include <afxdlgs.h>

#include "pages/analysis/SimAnalysisPage.h"
#include "pages/collection/CheckpointPage.h"
#include "pages/collection/SimCollectionPage.h"
#include "pages/files/VariantsConfig.h"
#include "pages/general/DesignPage.h"
#include "pages/measurements/MeasurementPage.h"
#include "pages/options/OptionsPage.h"

struct GeneralSettings;
struct SimProfile;

class CSimPropertySheet : public CPropertySheet {
  public:
    // Builds the sheet on the profile (not owned) with its pages; profileScope says whether
    // profile-scope configuration files may be added.
    CSimPropertySheet(SimProfile* profile, CWnd* parent, int profileScope);
    ~CSimPropertySheet() override;

    // Selects the first page: the profile's activePage when its general record names a design
    // file and a profile, General otherwise.
    void ChooseStartPage();
    // Shows (creating the window when there is none), shows topmost, or hides (mode 0: closes
    // the pages' modal dialogs and destroys the window, keeping the objects).
    void ShowModeless(int mode);
    // The sheet side of DllUpdateGeneralPage.
    void UpdateGeneralPage(const GeneralSettings* record, GeneralField field);

    BOOL OnInitDialog() override;

    // Pages, in the order they are built (and destroyed in reverse).
    CSimAnalysisPage m_analysisPage;
    CSimCollectionPage m_collectionPage;
    CVariantsConfig m_filesPage;
    CCheckpointPage m_probeWindowPage;
    CDesignPage m_generalPage;
    COptionsPage m_optionsPage;
    CMeasurementPage m_measurementPage;

    HWND m_hostWnd = nullptr;  // receives the notifications; modeless sheets only
    LPARAM m_hostCookie = 0;   // second parameter of every notification
    SimProfile* m_pProfile;    // the profile being edited; not owned
    int profileScopeEnabled = 0;

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    // The OK button: applies the active page, then every other page that has a window; closes
    // the sheet and tells the host only when all of them accepted.
    void okProcedure();
    // Posts WM_SIMSETTINGS_NOTIFY with a code to the host window, when there is one.
    void notifyHost(WPARAM code);
};
