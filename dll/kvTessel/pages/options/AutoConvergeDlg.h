// "AutoConverge Options": whether the simulator relaxes its limits by itself when a bias point
// does not converge, which of seven limits it may relax and to what, and whether it restarts.
// Held by the analog panel and run modally; the panel saves it at Apply only when it was
// confirmed with OK, and puts its copy back when it was cancelled.
#pragma once

#include <afxwin.h>

#include "OptionTable.h"

class CAutoConvergeDlg : public CDialog {
  public:
    CAutoConvergeDlg();

    // Keeps the record (may be null), copies the switch, the seven limits with their enables and
    // Restart, and takes the copy.
    void LoadFromProfile(OptionSettings* record);
    // Writes the record (only with one): every relaxed limit back at its default with flag 0,
    // then, while AutoConverge is on, the switches and the checked limits that differ from
    // their defaults. Takes the copy.
    void SaveToProfile();
    void TakeCopy();
    void RestoreCopy();

    BOOL OnInitDialog() override;

    int m_autoConverge = 0;
    // Whether each limit is relaxed, and to what.
    int m_relaxITL1 = 0;
    int m_relaxITL2 = 0;
    int m_relaxITL4 = 0;
    int m_relaxRELTOL = 0;
    int m_relaxABSTOL = 0;
    int m_relaxVNTOL = 0;
    int m_relaxPIVTOL = 0;
    CString m_ITL1;
    CString m_ITL2;
    CString m_ITL4;
    CString m_RELTOL;
    CString m_ABSTOL;
    CString m_VNTOL;
    CString m_PIVTOL;
    int m_restart = 1;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAutoConverge();
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()

  private:
    // The seven limits, their check boxes and Restart are enabled exactly while AutoConverge is
    // checked.
    void applyEnableRule();
    // Every limit's check box and Restart take `on`.
    void setAllRelaxed(int on);

    OptionSettings* m_pOptions = nullptr;  // not owned; may be null
    options::OptionCopy m_copy;
};
