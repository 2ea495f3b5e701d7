// The Analysis page: which analysis the simulator runs (the type combo) and which options run
// with it (the check list). The page owns fourteen child-dialog slots, one child per option;
// the child of the selected list item is shown at the placement marker. At Apply the page sets
// every child's m_enabled from the check list, validates the checked ones in list order, and
// only when all pass writes analysisType and lets every child save, in slot order.
#pragma once

#include <afxwin.h>

#include <array>
#include <memory>

#include "AnalysisDlg.h"
#include "AnalysisRules.h"
#include "SimCheckListBox.h"
#include "pages/common/SettingsPage.h"

struct SimProfile;

class CSimAnalysisPage : public CSettingsPage {
  public:
    // A page on template 104 for the profile (not owned; may be null).
    explicit CSimAnalysisPage(SimProfile* profile);
    ~CSimAnalysisPage() override;

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    // Ends, as cancelled, every modal dialog opened from the children, slot by slot (the sheet
    // is being hidden).
    void CloseAllModalDialogs();

    // The item data of the type combo's selection (the type's string id: 114, 105, 104 or
    // 109), 0 when nothing is selected.
    unsigned SelectedTypeData() const;

    // The child dialog of a slot (null for an empty slot or before initialisation).
    CAnalysisDlg* SlotDialog(Slot slot) const;

    int m_analysisType = 0;  // the type as last read or applied
    CComboBox m_typeCombo;
    CSimCheckListBox m_optionList;
    std::array<std::unique_ptr<CAnalysisDlg>, kSlotCount> m_slots;
    CAnalysisDlg* m_current = nullptr;  // the child shown at the marker
    CPoint m_markerTopLeft;             // client coordinates of the marker's corner

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnTypeChange();
    afx_msg void OnOptionSelChange();
    afx_msg void OnOptionDblClk();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // Destroys the children, then builds and creates the thirteen dialogs.
    void buildChildren();
    void destroyChildren();
    // Fills the option list for the selected type, checks and shows its first item.
    void rebuildOptionList();
    // Shows the child of the selected item at the marker.
    void showSelected();
    CAnalysisDlg* childOfItem(int index);
};
