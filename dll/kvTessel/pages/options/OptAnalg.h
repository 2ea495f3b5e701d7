// The "Analog Simulation" panel of the Options page: tolerances, iteration limits, nominal
// temperature, threads, advanced convergence and preordering, and the buttons that open the
// AutoConverge, MOSFET and advanced analog dialogs.
#pragma once

#include "AnlgAdvDlg.h"
#include "AutoConvergeDlg.h"
#include "MosfetDlg.h"
#include "OptionPanel.h"

class COptAnalg : public COptionPanel {
  public:
    COptAnalg();

    void LoadFromProfile(OptionSettings* record) override;
    BOOL SaveToProfile() override;
    // Ends the MOSFET and advanced analog dialogs as cancelled if one is open (the AutoConverge
    // dialog is left alone).
    void CloseModalDialogs();

    CString m_ITL1;
    CString m_ITL2;
    CString m_ITL4;
    CString m_RELTOL;
    CString m_TNOM;
    CString m_VNTOL;
    CString m_ABSTOL;
    CString m_CHGTOL;
    CString m_GMIN;
    CString m_THREADS;
    int m_PREORDER = 0;
    int m_ADVCONV = 1;

    CAnlgAdvDlg m_advancedDlg;
    CMosfetDlg m_mosfetDlg;
    CAutoConvergeDlg m_autoConvergeDlg;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnAutoConverge();
    afx_msg void OnMosfet();
    afx_msg void OnAdvanced();
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()

  private:
    // Runs a contained dialog: OK marks it confirmed and takes its copy; anything else puts the
    // copy back, so that Cancel leaves no trace.
    template <class Dialog>
    void runDialog(Dialog& dialog, bool& confirmed);

    // Whether each contained dialog was confirmed with OK since the last load or save.
    bool m_advancedConfirmed = false;
    bool m_mosfetConfirmed = false;
    bool m_autoConvergeConfirmed = false;
};
