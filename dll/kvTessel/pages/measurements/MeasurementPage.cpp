// CMeasurementPage: the variable list with its filter and kinds, the function catalogue, the
// grid of the current analysis's measurements, and the record written back on Apply.
#include "MeasurementPage.h"

#include <afxdd_.h>

#include <cstdio>
#include <vector>
#include <string>

#include "MessageText.h"
#include "PathUtil.h"
#include "kvTessel/SimProfile.h"
#include "pages/analysis/SimAnalysisPage.h"
#include "resource.h"

namespace {

// Help topic of the Measurements page.
constexpr int kHelpTopic = 49185;

// The Analysis page's type ids (its combo's item data) and the analysis they stand for.
constexpr unsigned kTransientType = 114;
constexpr unsigned kDcSweepType = 105;
constexpr unsigned kAcSweepType = 104;

// The function categories, in the combo's order.
enum Category { kAnalogCategory = 0, kMacroCategory = 1, kGoalCategory = 2 };
constexpr UINT kCategoryNames[] = {IDS_FUNCTIONS_ANALOG, IDS_FUNCTIONS_MACROS, IDS_FUNCTIONS_GOAL};

CString loadString(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMeasurementPage, CSettingsPage)
ON_BN_CLICKED(IDC_DISPLAY_AFTER_RUN, OnDisplayClicked)
ON_CBN_SELENDOK(IDC_FUNCTION_CATEGORY, OnCategorySelEndOk)
ON_EN_CHANGE(IDC_VARIABLE_FILTER, OnFilterChange)
ON_BN_CLICKED(IDC_SHOW_VOLTAGES, OnVoltagesClicked)
ON_BN_CLICKED(IDC_SHOW_CURRENTS, OnCurrentsClicked)
ON_BN_CLICKED(IDC_SHOW_POWER, OnPowerClicked)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CMeasurementPage::CMeasurementPage(SimProfile* profile, const CSimAnalysisPage* analysisPage)
    : CSettingsPage(IDD_MEASUREMENT_PAGE, profile, true), m_analysisPage(analysisPage) {}

MeasurementSettings* CMeasurementPage::settings() const {
    return m_pProfile != nullptr ? m_pProfile->measurements : nullptr;
}

void CMeasurementPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VARIABLE_COUNT, m_countLabel);
    DDX_Control(pDX, IDC_FILTER_STATE, m_stateLabel);
    DDX_Control(pDX, IDC_DISPLAY_AFTER_RUN, m_displayCheck);
    DDX_Control(pDX, IDC_SHOW_VOLTAGES, m_voltagesCheck);
    DDX_Control(pDX, IDC_SHOW_CURRENTS, m_currentsCheck);
    DDX_Control(pDX, IDC_SHOW_POWER, m_powerCheck);
    DDX_Control(pDX, IDC_FUNCTION_LIST, m_functionList);
    DDX_Control(pDX, IDC_FUNCTION_CATEGORY, m_categoryCombo);
    DDX_Control(pDX, IDC_VARIABLE_FILTER, m_filterEdit);
    DDX_Control(pDX, IDC_VARIABLE_LIST, m_variableList);
    DDX_Text(pDX, IDC_VARIABLE_FILTER, m_filter);
    DDX_Check(pDX, IDC_SHOW_CURRENTS, m_showCurrents);
    DDX_Check(pDX, IDC_SHOW_VOLTAGES, m_showVoltages);
    DDX_Check(pDX, IDC_SHOW_POWER, m_showPower);
    DDX_Check(pDX, IDC_DISPLAY_AFTER_RUN, m_displayAfterRun);
}

BOOL CMeasurementPage::OnInitDialog() {
    // The kinds start checked and the filter as "*" each time the page is made: the record's
    // showVoltages ... variableFilter are written back, never read, as the page has always
    // done (the listed bytes the host keeps follow the filter the page applies).
    m_initialising = true;
    m_showVoltages = m_showCurrents = m_showPower = m_displayAfterRun = 1;
    m_filter.Empty();
    m_lastFilter = "*";
    m_listedCounts = {};
    m_changed = 0;
    CSettingsPage::OnInitDialog();
    detectDomain();
    m_grid.SubclassDlgItem(IDC_MEASUREMENT_GRID, this);
    m_grid.InitializeGrid();
    UpdateData(FALSE);
    if (const MeasurementSettings* stored = settings()) {
        m_measurements = stored->measureList;
    }
    applyFilter();
    listCheckedKinds();
    buildCatalogue();
    fillGrid();
    m_initialising = false;
    return TRUE;
}

void CMeasurementPage::detectDomain() {
    if (m_analysisPage == nullptr || m_analysisPage->GetSafeHwnd() == nullptr) {
        return;
    }
    switch (m_analysisPage->SelectedTypeData()) {
        case kTransientType:
            m_domain = static_cast<int>(MeasDomain::transient);
            break;
        case kDcSweepType:
            m_domain = static_cast<int>(MeasDomain::dcSweep);
            break;
        case kAcSweepType:
            m_domain = static_cast<int>(MeasDomain::acSweep);
            break;
        default:
            break;  // another analysis, or none: the measurements shown stay
    }
}

void CMeasurementPage::markChanged() {
    // What the page does to its own controls while it starts is no change of the user's.
    if (m_initialising) {
        return;
    }
    SetModified(TRUE);
    m_changed = 1;
}

// ---- Variables ------------------------------------------------------------------------------

bool CMeasurementPage::applyFilter() {
    MeasurementSettings* stored = settings();
    if (stored == nullptr) {
        return false;
    }
    CString typed;
    m_filterEdit.GetWindowText(typed);
    const FilterChoice choice =
        ChooseFilter(typed.GetString(), m_lastFilter.GetString(), m_variableList.GetCount() == 0);
    m_filter = choice.filter.c_str();
    if (choice.apply) {
        MarkListed(*stored, choice.filter);
        m_lastFilter = m_filter;
        showString(m_stateLabel, choice.filter == "*" ? IDS_FULL_LIST : IDS_PARTIAL_LIST);
    }
    if (!EqualNoCase(typed.GetString(), m_filter.GetString())) {
        m_filterEdit.SetWindowText(m_filter);
        m_filterEdit.SetSel(-1, 0);
        m_filterEdit.SendMessage(EM_SCROLLCARET, 0, 0);
    }
    return choice.apply;
}

void CMeasurementPage::listKind(VariableKind kind, bool on) {
    MeasurementSettings* stored = settings();
    if (stored == nullptr) {
        return;
    }
    const auto k = static_cast<std::size_t>(kind);
    if (on) {
        CWaitCursor wait;
        m_listedCounts[k] =
            AddListedNames(m_variableList.GetSafeHwnd(), VariablesOf(*stored, kind));
    } else {
        const char letter[2] = {KindLetter(kind), '\0'};
        const int first = m_variableList.FindString(-1, letter);
        if (first != LB_ERR) {
            for (int i = 0; i < m_listedCounts[k]; ++i) {
                if (m_variableList.DeleteString(static_cast<UINT>(first)) == LB_ERR) {
                    break;
                }
            }
        }
        m_listedCounts[k] = 0;
    }
    showCount();
}

void CMeasurementPage::listCheckedKinds() {
    const int checked[] = {m_showVoltages, m_showCurrents, m_showPower};
    for (const VariableKind kind : kVariableKinds) {
        if (checked[static_cast<std::size_t>(kind)]) {
            listKind(kind, true);
        }
    }
}

void CMeasurementPage::showCount() {
    char text[64];
    std::snprintf(text, sizeof text, loadString(IDS_VARIABLE_COUNT).GetString(),
                  m_variableList.GetCount());
    CString current;
    m_countLabel.GetWindowText(current);
    if (current != text) {
        m_countLabel.SetWindowText(text);
    }
}

void CMeasurementPage::showString(CStatic& label, UINT id) {
    const CString text = loadString(id);
    CString current;
    label.GetWindowText(current);
    if (current != text) {
        label.SetWindowText(text);
    }
}

void CMeasurementPage::kindClicked(VariableKind kind, CButton& check, int& member) {
    markChanged();
    member = check.GetCheck() == BST_CHECKED ? 1 : 0;
    listKind(kind, member != 0);
}

void CMeasurementPage::OnVoltagesClicked() {
    kindClicked(VariableKind::voltage, m_voltagesCheck, m_showVoltages);
}

void CMeasurementPage::OnCurrentsClicked() {
    kindClicked(VariableKind::current, m_currentsCheck, m_showCurrents);
}

void CMeasurementPage::OnPowerClicked() {
    kindClicked(VariableKind::power, m_powerCheck, m_showPower);
}

void CMeasurementPage::OnFilterChange() {
    markChanged();
    // Typing a name's beginning selects the first variable that begins so; a wildcard at the
    // start selects nothing.
    CString typed;
    m_filterEdit.GetWindowText(typed);
    if (!typed.IsEmpty() && typed.GetString()[0] != '*' && typed.GetString()[0] != '?' &&
        m_variableList.SelectString(-1, typed) != LB_ERR) {
        return;
    }
    m_variableList.SetCurSel(-1);
}

void CMeasurementPage::OnDisplayClicked() {
    m_displayAfterRun = m_displayCheck.GetCheck() == BST_CHECKED ? 1 : 0;
    markChanged();
}

BOOL CMeasurementPage::PreTranslateMessage(MSG* msg) {
    const HWND variables = m_variableList.GetSafeHwnd();
    const HWND functions = m_functionList.GetSafeHwnd();
    if (gridEditing() && (msg->hwnd == variables || msg->hwnd == functions) &&
        ((msg->message == WM_KEYUP && msg->wParam == VK_SPACE) || msg->message == WM_LBUTTONUP)) {
        insertIntoExpression(pickedText(msg->hwnd));
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
        msg->hwnd == m_filterEdit.GetSafeHwnd()) {
        if (applyFilter()) {
            m_variableList.ResetContent();
            listCheckedKinds();
        }
        return TRUE;
    }
    return CSettingsPage::PreTranslateMessage(msg);
}

CString CMeasurementPage::pickedText(HWND list) const {
    CString text;
    if (list == m_variableList.GetSafeHwnd()) {
        const int index = m_variableList.GetCurSel();
        if (index != LB_ERR) {
            m_variableList.GetText(index, text);
        }
        return text;
    }
    const int index = m_functionList.GetCurSel();
    if (index == LB_ERR) {
        return text;
    }
    const auto i = static_cast<std::size_t>(index);
    switch (m_categoryCombo.GetCurSel()) {
        case kMacroCategory:
            if (i < m_macros.size()) {
                text = m_macros[i].name.c_str();
            }
            break;
        case kGoalCategory:
            if (i < m_goalFunctions.size()) {
                text = m_goalFunctions[i].name.c_str();
            }
            break;
        default:
            m_functionList.GetText(index, text);
            break;
    }
    return text;
}

// ---- Catalogue ------------------------------------------------------------------------------

void CMeasurementPage::buildCatalogue() {
    m_analogFunctions.clear();
    for (const AnalogFunction& op : AnalogOperators()) {
        m_analogFunctions.push_back(op);
    }
    for (const AnalogFunction& f : BuiltinAnalogFunctions()) {
        m_analogFunctions.push_back(
            {InsertionText(f.name, static_cast<std::size_t>(f.argumentCount), true),
             f.argumentCount});
    }
    // The design's own function file sits beside its waveform data.
    std::string designFile;
    if (m_pProfile != nullptr && m_pProfile->general != nullptr) {
        designFile = m_pProfile->general->waveformFile;
        PathUtil::setExtension(designFile, ".prb");
    }
    ProbeFunctions functions;
    functions.Load(designFile.c_str());  // what could be read is kept either way
    m_macros = *functions.GetMacros();
    for (ProbeFunctionEntry& macro : m_macros) {
        macro.name = InsertionText(macro.name, macro.arguments.size(), false);
    }
    m_goalFunctions = *functions.GetGoalFunctions();
    for (ProbeFunctionEntry& goal : m_goalFunctions) {
        goal.name = InsertionText(goal.name, goal.arguments.size(), false);
        goal.text = GoalDisplayText(goal.text);
    }
    m_categoryCombo.ResetContent();
    for (const UINT name : kCategoryNames) {
        m_categoryCombo.AddString(loadString(name));
    }
    m_categoryCombo.SetCurSel(kGoalCategory);
    fillFunctionList();
}

void CMeasurementPage::fillFunctionList() {
    const int category = m_categoryCombo.GetCurSel();
    if (category == CB_ERR) {
        return;
    }
    m_functionList.ResetContent();
    switch (category) {
        case kAnalogCategory:
            for (const AnalogFunction& f : m_analogFunctions) {
                m_functionList.AddString(f.name.c_str());
            }
            break;
        case kMacroCategory:
            for (const ProbeFunctionEntry& macro : m_macros) {
                m_functionList.AddString(macro.text.c_str());
            }
            break;
        default:
            for (const ProbeFunctionEntry& goal : m_goalFunctions) {
                m_functionList.AddString(goal.text.c_str());
            }
            break;
    }
}

void CMeasurementPage::OnCategorySelEndOk() {
    fillFunctionList();
}

// ---- The grid -------------------------------------------------------------------------------

// Flags of the grid's current cell moves: scroll it into view, repaint at once.
constexpr UINT kMoveFlags = 0x0A;

void CMeasurementPage::fillGrid() {
    if (m_grid.GetSafeHwnd() == nullptr) {
        return;
    }
    m_grid.SetupGrid(0);
    m_grid.ApplyGridParams();
    for (const MeasData& m : m_measurements) {
        if (m.getDomain() != m_domain) {
            continue;
        }
        const ROWCOL row = m_grid.GetRowCount();  // the new-measurement row
        if (!m_grid.InsertMeasurementRow(row)) {
            break;
        }
        m_grid.SetValueRange(CGXRange(row, static_cast<ROWCOL>(m_checkColumn)),
                             m.isEnabled() ? "1" : "0");
        m_grid.SetValueRange(CGXRange(row, static_cast<ROWCOL>(m_expressionColumn)),
                             m.getExpression().c_str());
    }
    m_grid.SetCurrentCell(0, 0, kMoveFlags);
}

void CMeasurementPage::collectGrid() {
    if (m_grid.GetSafeHwnd() == nullptr || !m_grid.IsModified()) {
        return;
    }
    // The other analyses' measurements keep their places; this one's move to the end.
    std::erase_if(m_measurements, [this](const MeasData& m) { return m.getDomain() == m_domain; });
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (m_grid.GetCurrentCell(row, col)) {
        m_grid.TransferCurrentCell();
    }
    for (ROWCOL r = 1; r < m_grid.GetRowCount(); ++r) {
        const CString& enabled = m_grid.GetValueRowCol(r, static_cast<ROWCOL>(m_checkColumn));
        const CString& expression =
            m_grid.GetValueRowCol(r, static_cast<ROWCOL>(m_expressionColumn));
        m_measurements.emplace_back(expression.GetString(), enabled == "1",
                                    static_cast<char>(m_domain));
    }
    m_grid.SetModified(FALSE);
    m_changed = 1;
}

void CMeasurementPage::dropEmptiedRow() {
    ROWCOL row = 0;
    ROWCOL col = 0;
    if (m_grid.GetSafeHwnd() == nullptr || !m_grid.GetCurrentCell(row, col) || row == 0) {
        return;
    }
    if (m_grid.RemoveRowIfEmpty(row)) {
        m_grid.SetCurrentCell(row, 1, kMoveFlags);
    }
}

bool CMeasurementPage::gridEditing() const {
    return m_grid.GetSafeHwnd() != nullptr && m_grid.IsEditing();
}

bool CMeasurementPage::gridModified() const {
    return m_grid.GetSafeHwnd() != nullptr && m_grid.IsModified();
}

void CMeasurementPage::clearGridModified() {
    m_grid.SetModified(FALSE);
}

void CMeasurementPage::insertIntoExpression(const CString& text) {
    m_grid.InsertTextAtCaret(text);
}

// ---- Activation and writing back ------------------------------------------------------------

BOOL CMeasurementPage::OnSetActive() {
    const int shown = m_domain;
    detectDomain();
    if (m_domain != shown) {
        fillGrid();
    }
    return CSettingsPage::OnSetActive();
}

BOOL CMeasurementPage::OnKillActive() {
    if (m_displayAfterRun) {
        dropEmptiedRow();
    }
    collectGrid();
    return CSettingsPage::OnKillActive();
}

BOOL CMeasurementPage::OnApply() {
    collectGrid();
    writeBack();
    return CSettingsPage::OnApply();
}

void CMeasurementPage::writeBack() {
    MeasurementSettings* stored = settings();
    if ((!m_changed && !gridModified()) || stored == nullptr) {
        return;
    }
    stored->variableFilter = m_filter.GetString();
    stored->showVoltages = m_showVoltages;
    stored->showCurrents = m_showCurrents;
    stored->showPower = m_showPower;
    stored->displayAfterRun = m_displayAfterRun;
    stored->changed = m_changed;
    stored->measureList.resize(m_measurements.size());
    for (std::size_t i = 0; i < m_measurements.size(); ++i) {
        stored->measureList[i] = m_measurements[i];
    }
    m_changed = 0;
    clearGridModified();
}

void CMeasurementPage::OnHelp() {
    static bool helpReady = false;  // one flag for the page class, for the process
    ShowHelpTopic(kHelpTopic, helpReady, HelpInitReport::catalogMessage);
}
