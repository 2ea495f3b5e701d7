// The Vavir Window page: whether the waveform viewer (the Vavir window) opens when the profile
// is opened or a simulation runs, whether it opens during the run or after it, and what it
// shows then. It owns the profile's ProbeWindowSettings and reads the General record's
// circuit-file flag.
#pragma once

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CCheckpointPage : public CSettingsPage {
  public:
    // A page on template 136 for the profile (not owned; may be null).
    explicit CCheckpointPage(SimProfile* profile);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    int m_displayOnOpen = 0;
    int m_displayWhen = 0;  // radio index: 0 during the simulation, 1 after it
    int m_displayOnRun = 0;
    int m_showOnDisplay = 0;     // radio index: 0 all markers, 1 last plot, 2 nothing
    bool m_circuitMode = false;  // the design is a circuit file: no schematic markers

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;

    afx_msg void OnDisplayOnOpen();
    afx_msg void OnDisplayOnRun();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // Enables the "when" choices (rule W) and the "Show" group (rule S) from the check boxes;
    // in circuit-file mode "All markers on open schematics." stays disabled (rule C).
    void applyEnableRules();
};
