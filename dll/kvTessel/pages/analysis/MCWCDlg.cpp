// CMCWCDlg, the Monte Carlo/Worst Case child of the Analysis page, on its field table.
#include "MCWCDlg.h"

#include <span>

#include "MCWCRules.h"
#include "SheetLimits.h"
#include "kvTessel/MonteCarloSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using T = CMCWCDlg;
using R = MonteCarloSettings;

// In the order the dialog exchanges them. The GaussUser digit (an int shown as text) and the
// distribution (the combo's selection, whose items come from the list) are exchanged apart.
constexpr Field<T, R> kFields[] = {
    radioField(IDC_MC_MODE_MC, &T::m_mode, &R::mode),
    textField(IDC_MC_OUTPUT_VAR, &T::m_outputVariable, &R::outputVariable, kMarksModified),
    textField(IDC_MC_RUNS, &T::m_numberOfRuns, &R::numberOfRuns, kMarksModified | kDigitsOnly),
    textField(IDC_MC_SEED, &T::m_randomSeed, &R::randomSeed, kMarksModified | kDigitsOnly),
    comboIndexField(IDC_MC_SAVE_DATA, &T::m_saveDataMode, &R::saveDataMode),
    textField(IDC_MC_RUNS_LIST, &T::m_runsList, &R::runsList, kMarksModified),
    comboIndexField(IDC_WC_VARY, &T::m_varyDevices, &R::varyDevices),
    textField(IDC_WC_TYPES, &T::m_deviceTypes, &R::deviceTypes, kMarksModified),
    checkField(IDC_WC_SAVE_RUNS, &T::m_saveSensitivityRuns, &R::saveSensitivityRuns,
               kMarksModified),
    checkField(IDC_MC_LEGACY, &T::m_legacySupport, &R::legacySupport, kMarksModified),
};
constexpr std::span<const Field<T, R>> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CMCWCDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_MC_MODE_MC, OnMonteCarlo)
ON_BN_CLICKED(IDC_MC_MODE_WC, OnWorstCase)
ON_CBN_SELCHANGE(IDC_MC_SAVE_DATA, OnSaveDataChanged)
ON_CBN_SELCHANGE(IDC_MC_DISTRIBUTION, OnDistributionChanged)
ON_BN_CLICKED(IDC_MC_DISTRIBUTIONS, OnDistributions)
ON_BN_CLICKED(IDC_MC_MORE_SETTINGS, OnMoreSettings)
ON_BN_CLICKED(IDC_MC_LOAD_SAVE, OnLoadSave)
END_MESSAGE_MAP()

CMCWCDlg::CMCWCDlg(MonteCarloSettings* record, const CString& profileDir)
    : m_record(record), m_profileDir(profileDir) {
    m_loadSave.m_profileDir = profileDir;
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTable);
        m_gaussUserParam = record->gaussUserParam;
        m_distributionIndex = record->distributionIndex;
        m_options.Load(*record);
        m_loadSave.Load(*record);
    }
}

void CMCWCDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MC_DISTRIBUTION, m_distributionCombo);
    DDX_Control(pDX, IDC_MC_GAUSS_DIGIT, m_gaussEdit);
    DDX_Control(pDX, IDC_MC_GAUSS_SPIN, m_gaussSpin);
    exchangeFields(pDX, *this, kTable);
    DDX_Text(pDX, IDC_MC_GAUSS_DIGIT, m_gaussUserParam);
}

bool CMCWCDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CMCWCDlg::OnInitDialog() {
    AddTextLines(GetDlgItem(IDC_MC_SAVE_DATA), IDS_MC_SAVE_DATA_ITEMS);
    AddTextLines(GetDlgItem(IDC_WC_VARY), IDS_MC_VARY_ITEMS);
    applyDigitsOnly(*this, kTable);
    CAnalysisDlg::OnInitDialog();
    m_gaussSpin.SetBuddy(&m_gaussEdit);
    m_gaussSpin.SetRange(1, 9);
    m_gaussEdit.SetLimitText(1);
    // Without a profile the combo still offers the three built-in distributions.
    const int stored = m_distributionIndex;
    fillDistributions(m_record != nullptr ? m_record->distributions : std::vector<vnt_string>{});
    m_distributionCombo.SetCurSel(stored);
    m_distributionIndex = m_distributionCombo.GetCurSel();
    applyGaussUserRule();
    applyModeRule();
    return TRUE;
}

void CMCWCDlg::fillDistributions(const std::vector<vnt_string>& pairs) {
    m_distributionCombo.ResetContent();
    AddTextLines(&m_distributionCombo, IDS_MC_BUILTIN_DISTRIBUTIONS);
    for (const std::string& name : DistributionNames(pairs)) {
        m_distributionCombo.AddString(name.c_str());
    }
    m_distributionCombo.SetCurSel(0);
    m_distributionIndex = 0;
    UpdateData(TRUE);
    applyGaussUserRule();
}

void CMCWCDlg::applyModeRule() {
    const McwcEnables on = EnablesOfMcwcMode(m_mode, m_saveDataMode);
    EnableControls(*this,
                   {IDC_MC_GROUP, IDC_MC_RUNS_LABEL, IDC_MC_RUNS, IDC_MC_DIST_LABEL,
                    IDC_MC_DISTRIBUTION, IDC_MC_GAUSS_DIGIT, IDC_MC_GAUSS_SPIN,
                    IDC_MC_DISTRIBUTIONS, IDC_MC_SEED_LABEL, IDC_MC_SEED, IDC_MC_SEED_RANGE,
                    IDC_MC_SAVE_LABEL, IDC_MC_SAVE_DATA, IDC_MC_RUNS_UNIT, IDC_MC_LOAD_SAVE},
                   on.monteCarlo);
    EnableControls(*this, {IDC_MC_RUNS_LIST}, on.runsList);
    EnableControls(*this,
                   {IDC_WC_GROUP, IDC_WC_VARY_LABEL, IDC_WC_VARY, IDC_WC_TOLERANCES,
                    IDC_WC_TYPES_LABEL, IDC_WC_TYPES, IDC_WC_SAVE_RUNS},
                   on.worstCase);
}

void CMCWCDlg::applyGaussUserRule() {
    const bool shown = GaussUserShown(m_distributionCombo.GetCurSel());
    ShowControls(*this, {IDC_MC_GAUSS_DIGIT, IDC_MC_GAUSS_SPIN}, shown);
}

void CMCWCDlg::OnMonteCarlo() {
    UpdateData(TRUE);
    applyModeRule();
}

void CMCWCDlg::OnWorstCase() {
    UpdateData(TRUE);
    applyModeRule();
}

void CMCWCDlg::OnSaveDataChanged() {
    UpdateData(TRUE);
    applyModeRule();
}

void CMCWCDlg::OnDistributionChanged() {
    UpdateData(TRUE);
    m_distributionIndex = m_distributionCombo.GetCurSel();
    applyGaussUserRule();
}

void CMCWCDlg::OnDistributions() {
    if (m_record != nullptr) {
        m_distributions.m_distributions = m_record->distributions;
    }
    if (m_distributions.DoModal() != IDOK) {
        return;
    }
    // The list reaches the profile at once, not at the page's Apply.
    if (m_record != nullptr) {
        m_record->distributions = m_distributions.m_distributions;
    }
    SetModified(TRUE);
    fillDistributions(m_distributions.m_distributions);
}

void CMCWCDlg::OnMoreSettings() {
    UpdateData(TRUE);
    m_options.m_mode = m_mode;
    if (m_options.DoModal() == IDOK) {
        SetModified(TRUE);
    }
}

void CMCWCDlg::OnLoadSave() {
    UpdateData(TRUE);
    if (m_loadSave.DoModal() == IDOK) {
        SetModified(TRUE);
    }
}

int CMCWCDlg::SaveToProfile(SimProfile*) {
    if (m_record == nullptr) {
        return 0;
    }
    SaveEnabled(*this, m_record);
    saveFields(*this, *m_record, kTable);
    m_record->gaussUserParam = m_gaussUserParam;
    if (m_distributionCombo.GetSafeHwnd() != nullptr) {
        m_distributionIndex = m_distributionCombo.GetCurSel();
    }
    m_record->distributionIndex = m_distributionIndex;
    m_options.Save(*m_record);
    m_loadSave.Save(*m_record);
    return 0;
}

BOOL CMCWCDlg::Validate() {
    if (const auto refusal =
            CheckMonteCarlo(static_cast<LPCSTR>(m_outputVariable), m_mode,
                            static_cast<LPCSTR>(m_numberOfRuns), kvTessel::maxMonteCarloRuns())) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}

void CMCWCDlg::CloseModalDialogs() {
    if (m_options.GetSafeHwnd() != nullptr) {
        m_options.EndDialog(IDCANCEL);
    }
    if (m_distributions.GetSafeHwnd() != nullptr) {
        m_distributions.EndDialog(IDCANCEL);
    }
}
