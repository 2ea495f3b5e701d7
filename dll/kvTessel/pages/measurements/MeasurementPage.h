// The Measurements page: the measurement expressions the simulator evaluates after a run, kept
// per analysis (transient, DC sweep, AC sweep), with the design's output variables (filtered
// by a wildcard pattern) and the function catalogue to pick names from. The sheet builds it
// with its pages but never shows it as a tab. It owns the profile's MeasurementSettings.
#pragma once

#include <afxwin.h>

#include <array>
#include <vector>

#include "ProbeFunctions.h"
#include "VariableListing.h"
#include "controls/MeasurementGrid.h"
#include "pages/common/SettingsPage.h"
#include "vnt/MeasData.h"

class CSimAnalysisPage;
struct MeasurementSettings;
struct SimProfile;

class CMeasurementPage : public CSettingsPage {
  public:
    // A page on template 159 for the profile (not owned; may be null); the measurements shown
    // are those of the analysis `analysisPage` has selected (not owned; may be null).
    explicit CMeasurementPage(SimProfile* profile, const CSimAnalysisPage* analysisPage = nullptr);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The controls.
    CStatic m_countLabel;
    CStatic m_stateLabel;
    CButton m_displayCheck;
    CButton m_voltagesCheck;
    CButton m_currentsCheck;
    CButton m_powerCheck;
    CListBox m_functionList;
    CComboBox m_categoryCombo;
    CEdit m_filterEdit;
    CListBox m_variableList;

    CMeasurementGrid m_grid;  // the measurements of the current analysis
    CString m_filter;         // the filter edit's text
    int m_showCurrents = 1;
    int m_showVoltages = 1;
    int m_showPower = 1;
    int m_displayAfterRun = 1;

    // The measurements of all three analyses, as the page edits them.
    std::vector<MeasData> m_measurements;
    // The catalogue: macros and goal functions (names as inserted, goal function texts as
    // shown) and the operators and built-in functions (names as inserted).
    std::vector<ProbeFunctionEntry> m_macros;
    std::vector<ProbeFunctionEntry> m_goalFunctions;
    std::vector<AnalogFunction> m_analogFunctions;
    // How many variables of each kind the last listing added (voltages, currents, power).
    std::array<int, 3> m_listedCounts{};
    int m_checkColumn = 1;
    int m_expressionColumn = 2;
    int m_changed = 0;  // something to write back
    int m_domain = 0;   // MeasDomain of the measurements shown
    CString m_lastFilter = "*";

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnDisplayClicked();
    afx_msg void OnCategorySelEndOk();
    afx_msg void OnFilterChange();
    afx_msg void OnVoltagesClicked();
    afx_msg void OnCurrentsClicked();
    afx_msg void OnPowerClicked();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    // The record the page edits, null without a profile or one.
    MeasurementSettings* settings() const;
    // Follows the Analysis page's selected analysis, when that page has a window.
    void detectDomain();
    // Marks the page modified and sets the changed flag.
    void markChanged();

    // The filter edit's text made the filter; whether the listed variables changed.
    bool applyFilter();
    // Lists (on) or removes (off) the listed variables of one kind, then shows the count.
    void listKind(VariableKind kind, bool on);
    // Lists the checked kinds: voltages, currents, power.
    void listCheckedKinds();
    // A kind's check box was clicked.
    void kindClicked(VariableKind kind, CButton& check, int& member);
    void showCount();
    // Sets a label's text when it differs, from the string table.
    void showString(CStatic& label, UINT id);

    // The operators, built-in functions, macros and goal functions.
    void buildCatalogue();
    // Lists the functions of the category the combo shows.
    void fillFunctionList();
    // The text a pick in the variable or function list inserts.
    CString pickedText(HWND list) const;

    // ---- The grid of the measurements shown --------------------------------------------------
    // Shows the measurements of the current analysis.
    void fillGrid();
    // Takes the edited rows back into the page's list (only when the grid changed).
    void collectGrid();
    // Leaving the page: the current row goes when its expression was emptied.
    void dropEmptiedRow();
    // Whether an expression is being edited, so that picks insert into it.
    bool gridEditing() const;
    // Whether the grid changed since it was last collected; clearing it.
    bool gridModified() const;
    void clearGridModified();
    // Inserts a picked name where the caret of the expression being edited was.
    void insertIntoExpression(const CString& text);

    // Writes the page into the record when something changed.
    void writeBack();

    const CSimAnalysisPage* m_analysisPage;
    bool m_initialising = false;  // the page fills its own controls
};
