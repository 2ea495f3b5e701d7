// The transient analysis: CTransientDlg, the "General Settings" child of the transient list
// (run-to time, start of saving, maximum step, SKIPBP, resume mode), and CTranOptions, the modal
// "Transient Output File Options" it opens (print step, Fourier analysis, detailed bias point).
// The options dialog is held by value, so its values survive between openings; they reach the
// profile at the page's Apply, with the transient dialog's own.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct TransientSettings;

class CTranOptions : public CDialog {
  public:
    CTranOptions();

    BOOL OnInitDialog() override;

    int m_fourierEnabled = 0;
    int m_detailedBias = 0;
    CString m_printStep;
    CString m_centerFreq;
    CString m_outputVars;
    CString m_harmonics;

    void Load(const TransientSettings& record);
    void Save(TransientSettings& record) const;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFourierClicked();
    DECLARE_MESSAGE_MAP()

  private:
    // The Fourier fields are enabled exactly while "Perform Fourier Analysis" is checked.
    void applyFourierRule();
};

class CTransientDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile).
    explicit CTransientDlg(TransientSettings* record);

    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;
    // Ends the open "Transient Output File Options" as cancelled.
    void CloseModalDialogs() override;

    int m_skipBiasPoint = 0;
    int m_resumeMode = 0;
    CString m_runToTime;
    CString m_startSaving;
    CString m_maxStep;
    CTranOptions m_options;
    TransientSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnOutputFileOptions();
    DECLARE_MESSAGE_MAP()
};
