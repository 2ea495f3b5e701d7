// CLoadBiasDlg: "Load Bias Point" of every list. The file the simulator reads an initial bias
// point from; a file in the profile's folder is kept as its bare name.
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct LoadBiasSettings;

class CLoadBiasDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; may be null); file dialogs open in `profileDir`.
    CLoadBiasDlg(LoadBiasSettings* record, const CString& profileDir);

    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    CString m_fileName;
    CString m_profileDir;
    LoadBiasSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};
