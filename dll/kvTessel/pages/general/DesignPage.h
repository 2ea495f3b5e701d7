// The General page: names the simulation profile, shows the design it simulates (a schematic
// design file, read-only, or a circuit file the user may type or browse for) and names the
// simulator's output and waveform data files. It owns the profile's GeneralSettings.
#pragma once

#include "kvTessel/Exports.h"
#include "pages/common/SettingsPage.h"

struct GeneralSettings;
struct SimProfile;

class CDesignPage : public CSettingsPage {
  public:
    // The page on template 137 for the profile (not owned; may be null), loaded from it.
    explicit CDesignPage(SimProfile* profile);

    // Takes the profile folder and, with a general record, every field of it into the members.
    void LoadFromProfile(SimProfile* profile);
    // Writes the members into the profile's general record (input fields only when editable).
    void SaveToProfile();
    // Checks the members in the product's order; shows the first problem, focuses its edit
    // and answers FALSE.
    BOOL ValidateGeneral();
    // Replaces one field from `record`, keeping what the user typed in the others; only while
    // the page has a window and the record is not null. A field beyond notes copies nothing
    // and only rewrites the controls.
    void UpdateField(const GeneralSettings* record, GeneralField field);

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

    // Members, in the order the page has always kept them.
    int m_circuitMode = 0;
    CString m_designFile;
    CString m_schematicName;
    CString m_notes;
    CString m_outputFile;
    CString m_profileName;
    CString m_waveformFile;
    CString m_projectName;
    int m_inputEditable = 1;
    CString m_initialDir;
    bool m_hasInitialDir = false;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;

    afx_msg void OnBrowse();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()
};
