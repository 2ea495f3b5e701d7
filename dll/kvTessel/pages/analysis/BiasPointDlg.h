// CBiasPointDlg: "General Settings" of the bias point list. Detailed bias point output, a DC
// sensitivity analysis (.SENS) and a small-signal DC gain (.TF).
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct BiasPointSettings;

class CBiasPointDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile).
    explicit CBiasPointDlg(BiasPointSettings* record);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_detailedBias = 0;
    int m_sensEnabled = 0;
    int m_tfEnabled = 0;
    CString m_sensOutputVars;
    CString m_tfOutputVar;
    CString m_tfInputSource;
    BiasPointSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSensitivity();
    afx_msg void OnTransferFunction();
    DECLARE_MESSAGE_MAP()

  private:
    void applyRules();
};
