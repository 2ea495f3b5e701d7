// CTempDlg: "Temperature (Sweep)" of every list. One temperature, or a list of temperatures at
// which the whole simulation is repeated.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct TemperatureSettings;

class CTempDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile).
    explicit CTempDlg(TemperatureSettings* record);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_radio = 0;  // 0 one temperature, 1 a list
    CString m_single;
    CString m_list;
    TemperatureSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnSingle();
    afx_msg void OnList();
    DECLARE_MESSAGE_MAP()

  private:
    void enableFor(int radio);
};
