// "MOSFET Options": the default drain and source areas, length and width of MOSFETs (DEFAD,
// DEFAS, DEFL, DEFW). Held by the analog panel and run modally; the panel saves it at Apply
// only when it was confirmed with OK, and puts its copy back when it was cancelled.
#pragma once

#include <afxwin.h>

#include "OptionTable.h"

class CMosfetDlg : public CDialog {
  public:
    CMosfetDlg();

    // Keeps the record (may be null), copies its four slots and takes the copy.
    void LoadFromProfile(OptionSettings* record);
    // Writes the four slots by reset-and-compare (only with a record) and takes the copy.
    void SaveToProfile();
    // Takes the copy that Cancel goes back to; puts it back.
    void TakeCopy();
    void RestoreCopy();
    // Ends the dialog as cancelled if it is open (the sheet is being hidden).
    void CloseIfOpen();

    CString m_defad;
    CString m_defas;
    CString m_defl;
    CString m_defw;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnReset();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    OptionSettings* m_pOptions = nullptr;  // not owned; may be null
    options::OptionCopy m_copy;
};
