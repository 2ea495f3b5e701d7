// The three modal dialogs of the Monte Carlo child: output file options, distributions and
// parameter files.
#include <afxdlgs.h>

#include <span>
#include <string>

#include "MCWCDlg.h"
#include "MCWCParamFile.h"
#include "MCWCRules.h"
#include "MessageText.h"
#include "kvTessel/MonteCarloSettings.h"
#include "kvwin32/crt.h"
#include "pages/analysis/AnalysisRules.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using O = CMCWCOpt;
using L = CMCLoadSaveOpt;
using R = MonteCarloSettings;

constexpr Field<O, R> kOptionFields[] = {
    comboIndexField(IDC_MCO_FIND, &O::m_collatingFunction, &R::collatingFunction),
    textField(IDC_MCO_THRESHOLD, &O::m_threshold, &R::threshold),
    comboTextField(IDC_MCO_RANGE_FROM, &O::m_rangeFrom, &R::rangeFrom),
    comboTextField(IDC_MCO_RANGE_TO, &O::m_rangeTo, &R::rangeTo),
    radioField(IDC_MCO_HI, &O::m_worstCaseDirection, &R::worstCaseDirection),
    checkField(IDC_MCO_LIST_PARAMS, &O::m_listModelParams, &R::listModelParams),
};
constexpr std::span<const Field<O, R>> kOptions(kOptionFields);

constexpr Field<L, R> kFileFields[] = {
    checkField(IDC_MCL_LOAD, &L::m_loadParams, &R::loadParams),
    textField(IDC_MCL_LOAD_FILE, &L::m_loadParamFile, &R::loadParamFile),
    checkField(IDC_MCL_SAVE, &L::m_saveParams, &R::saveParams),
    textField(IDC_MCL_SAVE_FILE, &L::m_saveParamFile, &R::saveParamFile),
};
constexpr std::span<const Field<L, R>> kFiles(kFileFields);

// The help topic of the distributions dialog.
constexpr const char* kDistributionsHelpTopic = "7485";

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

std::string catalogText(const CatalogMessage& message) {
    std::string text;
    GetMessageText(text, message.module, message.number);
    return text;
}

CString captionOf(const CWnd& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    return caption;
}

constexpr DWORD kOpenFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;

}  // namespace

void AddTextLines(CWnd* combo, UINT textId) {
    auto* box = static_cast<CComboBox*>(combo);
    if (box == nullptr) {
        return;
    }
    const CString all = loadText(textId);
    int start = 0;
    while (start <= all.GetLength()) {
        int end = all.Find('\n', start);
        if (end < 0) {
            end = all.GetLength();
        }
        if (end > start) {
            box->AddString(all.Mid(start, end - start));
        }
        start = end + 1;
    }
}

// ---- CMCWCOpt ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMCWCOpt, CDialog)
ON_CBN_SELCHANGE(IDC_MCO_FIND, OnFindChanged)
END_MESSAGE_MAP()

CMCWCOpt::CMCWCOpt() : CDialog(IDD_MCWC_OPTIONS) {}

void CMCWCOpt::Load(const MonteCarloSettings& record) {
    loadFields(*this, record, kOptions);
}

void CMCWCOpt::Save(MonteCarloSettings& record) const {
    saveFields(*this, record, kOptions);
}

void CMCWCOpt::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kOptions);
}

BOOL CMCWCOpt::OnInitDialog() {
    AddTextLines(GetDlgItem(IDC_MCO_FIND), IDS_MC_COLLATING_ITEMS);
    for (const int id : {IDC_MCO_RANGE_FROM, IDC_MCO_RANGE_TO}) {
        if (auto* range = static_cast<CComboBox*>(GetDlgItem(id))) {
            range->AddString(loadText(IDS_MC_ANY_RANGE));
        }
    }
    CDialog::OnInitDialog();
    applyThresholdRule();
    EnableControls(*this, {IDC_MCO_DIRECTION_GROUP, IDC_MCO_HI, IDC_MCO_LOW}, m_mode == 1);
    return TRUE;
}

void CMCWCOpt::applyThresholdRule() {
    EnableControls(*this, {IDC_MCO_THRESHOLD_LABEL, IDC_MCO_THRESHOLD},
                   ThresholdEnabled(m_collatingFunction));
}

void CMCWCOpt::OnFindChanged() {
    UpdateData(TRUE);
    applyThresholdRule();
}

void CMCWCOpt::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    m_threshold = StripLeadingBlanks(static_cast<LPCSTR>(m_threshold)).c_str();
    if (!CollatingComplete(m_collatingFunction, static_cast<LPCSTR>(m_threshold))) {
        MessageBox(catalogText(msg::enterCollatingThreshold).c_str(), captionOf(*this),
                   MB_ICONEXCLAMATION);
        if (CWnd* threshold = GetDlgItem(IDC_MCO_THRESHOLD)) {
            threshold->SetFocus();
        }
        return;
    }
    EndDialog(IDOK);
}

// ---- CDistDlg ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDistDlg, CDialog)
ON_LBN_SELCHANGE(IDC_MCD_LIST, OnSelChange)
ON_LBN_SELCANCEL(IDC_MCD_LIST, OnSelCancel)
ON_BN_CLICKED(IDC_MCD_DELETE, OnDelete)
ON_BN_CLICKED(IDC_MCD_SAVE, OnSave)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CDistDlg::CDistDlg() : CDialog(IDD_MC_DISTRIBUTIONS) {}

void CDistDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MCD_NAME, m_name);
    DDX_Text(pDX, IDC_MCD_CURVE, m_curve);
}

BOOL CDistDlg::OnInitDialog() {
    m_name.Empty();
    m_curve.Empty();
    CDialog::OnInitDialog();
    if (auto* list = static_cast<CListBox*>(GetDlgItem(IDC_MCD_LIST))) {
        for (const std::string& name : DistributionNames(m_distributions)) {
            list->AddString(name.c_str());
        }
        list->SetCurSel(-1);
    }
    EnableControls(*this, {IDC_MCD_DELETE}, false);
    return TRUE;
}

void CDistDlg::OnSelChange() {
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_MCD_LIST));
    const int at = list != nullptr ? list->GetCurSel() : -1;
    const std::size_t pair = static_cast<std::size_t>(at) * 2;
    if (at < 0 || pair >= m_distributions.size()) {
        return;
    }
    m_name = m_distributions[pair].c_str();
    m_curve = pair + 1 < m_distributions.size() ? m_distributions[pair + 1].c_str() : "";
    UpdateData(FALSE);
    EnableControls(*this, {IDC_MCD_DELETE}, true);
}

void CDistDlg::OnSelCancel() {
    EnableControls(*this, {IDC_MCD_DELETE}, false);
}

void CDistDlg::OnDelete() {
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_MCD_LIST));
    const int at = list != nullptr ? list->GetCurSel() : -1;
    if (at < 0) {
        return;
    }
    list->DeleteString(static_cast<UINT>(at));
    RemoveDistribution(m_distributions, at);
    m_name.Empty();
    m_curve.Empty();
    UpdateData(FALSE);
    // Nothing is selected any more.
    EnableControls(*this, {IDC_MCD_DELETE}, false);
}

bool CDistDlg::saveCurrent() {
    UpdateData(TRUE);
    if (const auto refusal =
            CheckDistribution(static_cast<LPCSTR>(m_name), static_cast<LPCSTR>(m_curve))) {
        Refuse(*this, *refusal);
        return false;
    }
    if (auto* list = static_cast<CListBox*>(GetDlgItem(IDC_MCD_LIST))) {
        list->AddString(m_name);
    }
    m_distributions.emplace_back(static_cast<LPCSTR>(m_name));
    m_distributions.emplace_back(static_cast<LPCSTR>(m_curve));
    return true;
}

void CDistDlg::OnSave() {
    saveCurrent();
}

void CDistDlg::OnOK() {
    UpdateData(TRUE);
    if (m_name.IsEmpty()) {
        EndDialog(IDOK);
        return;
    }
    const int found = FindDistribution(m_distributions, static_cast<LPCSTR>(m_name));
    if (found >= 0) {
        const std::size_t curve = static_cast<std::size_t>(found) * 2 + 1;
        if (curve < m_distributions.size() &&
            CString(m_distributions[curve].c_str()).CompareNoCase(m_curve) == 0) {
            EndDialog(IDOK);
            return;
        }
    }
    const std::string question =
        catalogText(msg::saveChangedDistribution) + "\n\n" + static_cast<LPCSTR>(m_name);
    if (MessageBox(question.c_str(), captionOf(*this), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        EndDialog(IDOK);
        return;
    }
    if (found >= 0) {
        if (auto* list = static_cast<CListBox*>(GetDlgItem(IDC_MCD_LIST))) {
            list->DeleteString(static_cast<UINT>(found));
        }
        RemoveDistribution(m_distributions, found);
    }
    if (saveCurrent() || !m_curve.IsEmpty()) {
        EndDialog(IDOK);
    }
}

void CDistDlg::OnHelp() {
    static bool helpReady = false;  // one flag for the dialog class, for the process
    ShowHelpTopic(kDistributionsHelpTopic, helpReady, HelpInitReport::catalogMessage);
}

// ---- CMCLoadSaveOpt ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMCLoadSaveOpt, CDialog)
ON_BN_CLICKED(IDC_MCL_LOAD, OnCheckClicked)
ON_BN_CLICKED(IDC_MCL_SAVE, OnCheckClicked)
ON_EN_CHANGE(IDC_MCL_LOAD_FILE, OnEditChanged)
ON_EN_CHANGE(IDC_MCL_SAVE_FILE, OnEditChanged)
ON_BN_CLICKED(IDC_MCL_LOAD_BROWSE, OnLoadBrowse)
ON_BN_CLICKED(IDC_MCL_SAVE_BROWSE, OnSaveBrowse)
END_MESSAGE_MAP()

CMCLoadSaveOpt::CMCLoadSaveOpt() : CDialog(IDD_MC_LOAD_SAVE) {}

void CMCLoadSaveOpt::Load(const MonteCarloSettings& record) {
    loadFields(*this, record, kFiles);
}

void CMCLoadSaveOpt::Save(MonteCarloSettings& record) const {
    saveFields(*this, record, kFiles);
}

void CMCLoadSaveOpt::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kFiles);
}

BOOL CMCLoadSaveOpt::OnInitDialog() {
    CDialog::OnInitDialog();
    applyCheckRule();
    m_savedLoad = m_loadParams;
    m_savedSave = m_saveParams;
    m_savedLoadFile = m_loadParamFile;
    m_savedSaveFile = m_saveParamFile;
    return TRUE;
}

void CMCLoadSaveOpt::applyCheckRule() {
    if (m_loadParams == 0) {
        m_loadParamFile.Empty();
    }
    if (m_saveParams == 0) {
        m_saveParamFile.Empty();
    }
    UpdateData(FALSE);
    EnableControls(*this, {IDC_MCL_LOAD_FILE, IDC_MCL_LOAD_BROWSE}, m_loadParams != 0);
    EnableControls(*this, {IDC_MCL_SAVE_FILE, IDC_MCL_SAVE_BROWSE}, m_saveParams != 0);
}

void CMCLoadSaveOpt::enableOk() {
    EnableControls(*this, {IDOK}, true);
}

void CMCLoadSaveOpt::OnCheckClicked() {
    UpdateData(TRUE);
    applyCheckRule();
    enableOk();
}

void CMCLoadSaveOpt::OnEditChanged() {
    UpdateData(TRUE);
    enableOk();
}

void CMCLoadSaveOpt::OnLoadBrowse() {
    const CString filter = loadText(IDS_MC_PARAM_FILTER);
    CFileDialog dialog(TRUE, loadText(IDS_MC_PARAM_EXTENSION), nullptr, kOpenFlags, filter, this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() == IDOK) {
        const std::string full = static_cast<LPCSTR>(dialog.GetPathName());
        m_loadParamFile = StoredBiasFileName(full, static_cast<LPCSTR>(m_profileDir)).c_str();
        UpdateData(FALSE);
        // The check reads the file picked, at its full path; it only informs.
        if (const auto error = CheckParameterFile(full)) {
            AfxMessageBox(error->c_str());
        }
    }
    enableOk();
}

void CMCLoadSaveOpt::OnSaveBrowse() {
    UpdateData(TRUE);
    const CString filter = loadText(IDS_MC_PARAM_FILTER);
    CFileDialog dialog(FALSE, nullptr, nullptr, kSaveFlags, filter, this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() == IDOK) {
        m_saveParamFile = StoredBiasFileName(static_cast<LPCSTR>(dialog.GetPathName()),
                                             static_cast<LPCSTR>(m_profileDir))
                              .c_str();
        UpdateData(FALSE);
    }
    enableOk();
}

void CMCLoadSaveOpt::OnOK() {
    UpdateData(TRUE);
    ParamFileNames names{static_cast<LPCSTR>(m_loadParamFile),
                         static_cast<LPCSTR>(m_saveParamFile)};
    const ParamFileNames completed =
        CompleteParamFileNames(names, static_cast<LPCSTR>(m_profileDir));
    // The extension shows in the edit at once; the folder only in the stored names.
    if (!names.save.empty() && names.save.find('.') == std::string::npos) {
        m_saveParamFile += ".mcp";
        UpdateData(FALSE);
    }
    m_loadParamFile = completed.load.c_str();
    m_saveParamFile = completed.save.c_str();
    if (const auto refusal = CheckParamFileNames(m_loadParams != 0, completed, m_saveParams != 0)) {
        Refuse(*this, *refusal);
        return;
    }
    if (m_loadParams != 0) {
        if (FILE* file = kvcrt::fopen(completed.load.c_str(), "r")) {
            std::fclose(file);
        } else {
            ShowMessage(msg::parameterFileUnreadable.module, msg::parameterFileUnreadable.number, 0,
                        0);
            return;
        }
    }
    if (m_saveParams != 0 && PathUtil::exists(completed.save)) {
        if (ShowMessage(msg::overwriteParameterFile.module, msg::overwriteParameterFile.number,
                        MB_YESNO | MB_ICONQUESTION, 0) != IDYES) {
            return;
        }
    }
    EndDialog(IDOK);
}

void CMCLoadSaveOpt::OnCancel() {
    m_loadParams = m_savedLoad;
    m_saveParams = m_savedSave;
    m_loadParamFile = m_savedLoadFile;
    m_saveParamFile = m_savedSaveFile;
    EndDialog(IDCANCEL);
}
