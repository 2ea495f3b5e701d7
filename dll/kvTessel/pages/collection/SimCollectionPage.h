// The Data Collection page: for voltages, currents, power, digital states and noise, which
// results the simulator writes to its waveform data file ("All", "All but Internal
// Subcircuits", "At Markers Only" or "None"), whether it also writes CSDF data, and the width
// of the values. It owns the profile's DataCollectionSettings.
#pragma once

#include <afxwin.h>

#include <array>
#include <cstdint>

#include "pages/common/SettingsPage.h"

struct SimProfile;

class CSimCollectionPage : public CSettingsPage {
  public:
    // A page on template 105 for the profile (not owned; may be null).
    explicit CSimCollectionPage(SimProfile* profile);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    std::uint32_t m_collectMask = 0;  // the stored mask, widened
    int m_saveCsdf = 0;
    int m_probeDataWidth = 0;  // radio index: 0 32-bit, 1 64-bit
    CComboBox m_voltages;
    CComboBox m_currents;
    CComboBox m_power;
    CComboBox m_digital;
    CComboBox m_noise;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;

    afx_msg void OnVoltagesCloseUp();
    afx_msg void OnDigitalCloseUp();
    afx_msg void OnOtherCloseUp();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // The five lists in the page's order (Voltages, Currents, Power, Digital, Noise).
    std::array<CComboBox*, 5> lists();
    // Disables the Digital list while both it and Voltages show "At Markers Only".
    void applyEnableRule();
};
