// The "Gate-level Simulation" panel of the Options page: the timing mode, suppressing error
// messages in the waveform data file, the flip-flops' initial state, the default I/O level of
// A/D interfaces, and the button that opens the advanced gate-level dialog.
#pragma once

#include "GateAdvDlg.h"
#include "OptionPanel.h"

class COptGate : public COptionPanel {
  public:
    COptGate();

    void LoadFromProfile(OptionSettings* record) override;
    BOOL SaveToProfile() override;
    // Ends the advanced gate-level dialog as cancelled if it is open.
    void CloseModalDialogs();

    BOOL OnInitDialog() override;

    int m_timingMode = 1;  // radio index: 0 minimum, 1 typical, 2 maximum, 3 worst case
    int m_ioLevel = 1;
    int m_flipFlop = 2;  // list index: "0", "1", "X"
    int m_suppressWaveformErrors = 0;

    CGateAdvDlg m_advancedDlg;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnAdvanced();
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()

  private:
    bool m_advancedConfirmed = false;  // confirmed with OK since the last load or save
};
