// CDcSweepDlg: one sweep (primary DC, secondary DC or parametric; the page holds three, each on
// its own SweepSettings). What is swept (a source, a global or model parameter, the temperature)
// and how (linear, logarithmic per octave or decade, or a list of values).
#pragma once

#include <afxwin.h>

#include "AnalysisDlg.h"

struct SweepSettings;

class CDcSweepDlg : public CAnalysisDlg {
  public:
    // A child for the sub-record (not owned; null without a profile).
    explicit CDcSweepDlg(SweepSettings* record);

    BOOL OnInitDialog() override;
    int SaveToProfile(SimProfile* profile) override;
    BOOL Validate() override;

    int m_variableKind = 0;  // radio 0 to 4, -1 none
    int m_sweepRadio = -1;   // 0 linear, 1 logarithmic, 2 value list, -1 none
    int m_octaveDecade = 1;  // 0 "Octave", 1 "Decade"
    CString m_sourceName;
    CString m_paramName;
    CString m_modelName;
    CString m_modelType;
    CString m_startValue;
    CString m_endValue;
    CString m_increment;
    CString m_valueList;
    SweepSettings* m_record;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool MarksModified(WPARAM wParam) override;
    afx_msg void OnVariableKind(UINT id);
    afx_msg void OnSweepType();
    afx_msg void OnOctaveDecade();
    DECLARE_MESSAGE_MAP()

  private:
    // Each reads the controls first, then enables by the choice.
    void applyVariableRule();
    void applySweepTypeRule();
    void setIncrementLabel(unsigned textId);
};
