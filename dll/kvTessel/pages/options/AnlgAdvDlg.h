// "Advanced Analog Options": the less common convergence and accuracy options of the analog
// simulator, the bias point stepping methods and the transient integration method. Held by
// the analog panel and run modally; the panel saves it at Apply only when it was confirmed
// with OK, and puts its copy back when it was cancelled.
#pragma once

#include <afxwin.h>

#include "OptionTable.h"

class CAnlgAdvDlg : public CDialog {
  public:
    CAnlgAdvDlg();

    // Keeps the record (may be null), copies its sixteen slots (the four minimum values without
    // surrounding blanks) and nine switches, and takes the copy.
    void LoadFromProfile(OptionSettings* record);
    // Writes the record (only with one) and takes the copy: ITL5, PIVREL, PIVTOL, SOLVER and
    // DMFACTOR by reset-and-compare, the other eleven slots by compare-with-stored, the switches
    // as they are.
    void SaveToProfile();
    void TakeCopy();
    void RestoreCopy();
    // Ends the dialog as cancelled if it is open (the sheet is being hidden).
    void CloseIfOpen();

    BOOL OnInitDialog() override;
    // Takes the algorithm and the method from the lists' selections, then closes with IDOK.
    void OnOK() override;

    CString m_ITL5;
    CString m_PIVREL;
    CString m_PIVTOL;
    CString m_SOLVER;
    CString m_DMFACTOR;
    CString m_WCDEVIATION;
    CString m_METHOD;
    CString m_TRTOL;
    CString m_GMINSTEPS;
    CString m_ITL6;
    CString m_PTRANSTEP;
    CString m_LIMIT;
    CString m_DIODERS;
    CString m_DIODECJO;
    CString m_BJTCJ;
    CString m_CSHUNT;
    int m_NOGMINI = 0;
    int m_STEPGMIN = 0;
    int m_NOSTEPDEP = 0;
    int m_GMINSRC = 0;
    int m_PSEUDOTRAN = 0;
    int m_BRKDEPSRC = 0;
    int m_NOSTEPSRC = 0;
    int m_CONVAID = 0;
    int m_TRANCONV = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnStepRule();
    afx_msg void OnMinimumValue(UINT id);
    afx_msg void OnReset();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // Selects the items of both lists that the SOLVER and METHOD texts name.
    void selectLists();
    // The edits and check boxes that the stepping switches enable or disable.
    void applyStepRules();
    // Each minimum-value check box is checked, and its edit enabled, exactly when its text is
    // not empty.
    void showMinimumValues();

    OptionSettings* m_pOptions = nullptr;  // not owned; may be null
    options::OptionCopy m_copy;
};
