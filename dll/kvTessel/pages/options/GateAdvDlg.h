// "Advanced Gate-level Simulation Options": drive strengths, the default delay scaling and the
// error message limits of the gate-level simulator. Held by the gate panel and run modally; it
// keeps no copy, so Cancel closes it without reading its controls.
#pragma once

#include <afxwin.h>

#include "OptionTable.h"

class CGateAdvDlg : public CDialog {
  public:
    CGateAdvDlg();

    // Keeps the record (may be null) and copies its seven slots.
    void LoadFromProfile(OptionSettings* record);
    // Writes the seven slots by reset-and-compare (only with a record).
    void SaveToProfile();
    // Ends the dialog as cancelled if it is open (the sheet is being hidden).
    void CloseIfOpen();

    CString m_digdrvf;
    CString m_digdrvz;
    CString m_digerrdefault;
    CString m_digerrlimit;
    CString m_digmntyscale;
    CString m_digovrdrv;
    CString m_digtymxscale;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnReset();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    OptionSettings* m_pOptions = nullptr;  // not owned; may be null
};
