// CTrSvBiasDlg: "Save Bias Point" of the transient list. The file that receives the bias
// information during the run, whether it is saved once at a simulation time or repeatedly, and
// the sweep values, run number and temperature at which it is saved.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct TranSaveBiasSettings;

class CTrSvBiasDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; may be null); file dialogs open in `profileDir`.
    CTrSvBiasDlg(TranSaveBiasSettings* record, const CString& profileDir);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_saveMode = 0;  // radio: 0 once, 1 repeatedly
    int m_noSubcircuits = 0;
    CString m_onceAtTime;
    CString m_repeatEvery;
    CString m_fileName;
    CString m_mcRunNumber;
    CString m_parametricValue;
    CString m_temperatureValue;
    CString m_profileDir;
    TranSaveBiasSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnOnce();
    afx_msg void OnRepeat();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

  private:
    // The time edit (and its "seconds") of the chosen mode is enabled, the other's disabled.
    void applyModeRule(int mode);
};
