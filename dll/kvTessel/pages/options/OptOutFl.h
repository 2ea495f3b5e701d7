// The "Output file" panel of the Options page: what the simulator's output (.OUT) file
// includes, the number of digits of printed values and the width of the file.
#pragma once

#include "OptionPanel.h"

class COptOutFl : public COptionPanel {
  public:
    COptOutFl();

    void LoadFromProfile(OptionSettings* record) override;
    BOOL SaveToProfile() override;

    BOOL OnInitDialog() override;

    // The check boxes, in tab order; five show the inverse of a NO switch.
    int m_ACCT = 0;
    int m_EXPAND = 0;
    int m_LIBRARY = 0;
    int m_LIST = 0;
    int m_bias = 1;  // !NOBIAS
    int m_NODE = 0;
    int m_echo = 1;        // !NOECHO
    int m_model = 1;       // !NOMOD
    int m_messages = 1;    // !NOOUTMSG
    int m_pageBreaks = 1;  // !NOPAGE
    int m_OPTS = 0;
    int m_NUMDG = 4;
    CString m_width;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()
};
