// The "Monte Carlo/Worst Case" option of the Analysis page: CMCWCDlg, its child dialog, and the
// three modal dialogs it holds by value: CMCWCOpt (the collating function of the output file),
// CDistDlg (the user distribution curves) and CMCLoadSaveOpt (parameter files to load and save).
// The modal dialogs' values reach the profile at the page's Apply with the child's own, except
// the distribution list, which the profile takes as soon as "Distributions" is confirmed.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <vector>

#include "AnalysisDlg.h"
#include "vnt/vnt_string.h"

struct MonteCarloSettings;

// "Monte Carlo/Worst-Case Output File Options".
class CMCWCOpt : public CDialog {
  public:
    CMCWCOpt();

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_mode = 0;  // the child's mode when it opens the dialog: direction only in worst case
    int m_collatingFunction = 0;
    int m_worstCaseDirection = 0;
    int m_listModelParams = 0;
    CString m_threshold;
    CString m_rangeFrom;
    CString m_rangeTo;

    void Load(const MonteCarloSettings& record);
    void Save(MonteCarloSettings& record) const;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFindChanged();
    DECLARE_MESSAGE_MAP()

  private:
    void applyThresholdRule();
};

// "Distributions": the user distributions as pairs of name and curve text.
class CDistDlg : public CDialog {
  public:
    CDistDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;

    std::vector<vnt_string> m_distributions;  // name, curve, name, curve, ...
    CString m_name;
    CString m_curve;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelChange();
    afx_msg void OnSelCancel();
    afx_msg void OnDelete();
    afx_msg void OnSave();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // Appends the pair of the edits after the checks of "Save"; false when refused.
    bool saveCurrent();
};

// "Load/Save Monte Carlo Parameter File".
class CMCLoadSaveOpt : public CDialog {
  public:
    CMCLoadSaveOpt();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    int m_loadParams = 0;
    int m_saveParams = 0;
    CString m_loadParamFile;
    CString m_saveParamFile;
    CString m_profileDir;

    void Load(const MonteCarloSettings& record);
    void Save(MonteCarloSettings& record) const;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckClicked();
    afx_msg void OnEditChanged();
    afx_msg void OnLoadBrowse();
    afx_msg void OnSaveBrowse();
    DECLARE_MESSAGE_MAP()

  private:
    // Each checked box enables its edit and "Browse..."; an unchecked one empties its name.
    void applyCheckRule();
    void enableOk();

    int m_savedLoad = 0;
    int m_savedSave = 0;
    CString m_savedLoadFile;
    CString m_savedSaveFile;
};

class CMCWCDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile); parameter files without
    // a folder are taken in `profileDir`.
    CMCWCDlg(MonteCarloSettings* record, const CString& profileDir);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;
    // Ends the open output file options or distributions dialog as cancelled.
    void CloseModalDialogs() override;

    int m_mode = 0;
    int m_saveDataMode = 0;
    int m_varyDevices = 0;
    int m_saveSensitivityRuns = 0;
    int m_legacySupport = 0;
    int m_gaussUserParam = 0;
    int m_distributionIndex = 0;
    CString m_outputVariable;
    CString m_numberOfRuns;
    CString m_randomSeed;
    CString m_runsList;
    CString m_deviceTypes;
    CComboBox m_distributionCombo;
    CEdit m_gaussEdit;
    CSpinButtonCtrl m_gaussSpin;
    CMCWCOpt m_options;
    CDistDlg m_distributions;
    CMCLoadSaveOpt m_loadSave;
    MonteCarloSettings* m_record;
    CString m_profileDir;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnMonteCarlo();
    afx_msg void OnWorstCase();
    afx_msg void OnSaveDataChanged();
    afx_msg void OnDistributionChanged();
    afx_msg void OnDistributions();
    afx_msg void OnMoreSettings();
    afx_msg void OnLoadSave();
    DECLARE_MESSAGE_MAP()

  private:
    void fillDistributions(const std::vector<vnt_string>& pairs);
    void applyModeRule();
    void applyGaussUserRule();
};

// Adds the lines of a string-table text to a combo box, in order (the combos' items).
void AddTextLines(CWnd* combo, UINT textId);
