// CAcSweepDlg: "General Settings" of the AC list. The frequency sweep (linear, or logarithmic
// per octave or decade), the optional noise analysis and the detailed bias point output.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct AcSweepSettings;

class CAcSweepDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile).
    explicit CAcSweepDlg(AcSweepSettings* record);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_sweepRadio = 0;    // 0 linear, 1 logarithmic
    int m_octaveDecade = 0;  // the sorted combo: 0 "Decade", 1 "Octave"
    int m_noiseEnabled = 0;
    int m_detailedBias = 0;
    CString m_totalPoints;
    CString m_startFreq;
    CString m_endFreq;
    CString m_noiseOutputVoltage;
    CString m_noiseSource;
    CString m_noiseInterval;
    AcSweepSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnLinear();
    afx_msg void OnLogarithmic();
    afx_msg void OnOctaveDecade();
    afx_msg void OnNoise();
    afx_msg void OnDetailedBias();
    DECLARE_MESSAGE_MAP()

  private:
    void applyPointsLabel();
    // The noise edits and labels are enabled exactly while noise is enabled.
    void applyNoiseRule();
};
