// CDCSaveBiasDlg: "Save Bias Point" of the DC sweep, AC and bias point lists. The file that
// receives the bias point, and the sweep values, run number and temperature at which it is
// saved; the sweep and run conditions apply only to a DC sweep.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct DcSaveBiasSettings;

class CDCSaveBiasDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; may be null); file dialogs open in `profileDir`.
    CDCSaveBiasDlg(DcSaveBiasSettings* record, const CString& profileDir);

    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_noSubcircuits = 0;
    CString m_fileName;
    CString m_mcRunNumber;
    CString m_parametricValue;
    CString m_primaryValue;
    CString m_secondaryValue;
    CString m_temperatureValue;
    CString m_profileDir;
    DcSaveBiasSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    // Each time the dialog is shown, the four sweep and run conditions are enabled only under
    // "DC Sweep".
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
