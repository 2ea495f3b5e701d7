// CTrSvBiasDlg on its field table, with the save mode rule and the save-as Browse.
#include "TrSvBiasDlg.h"

#include <afxdlgs.h>

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/TransientSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CTrSvBiasDlg;
using R = TranSaveBiasSettings;

// In the order the dialog exchanges them. The radios and the check box mark nothing.
constexpr Field<D, R> kFields[] = {
    textField(IDC_TSB_ONCE_TIME, &D::m_onceAtTime, &R::onceAtTime, kMarksModified),
    textField(IDC_TSB_REPEAT_TIME, &D::m_repeatEvery, &R::repeatEvery, kMarksModified),
    radioField(IDC_TSB_ONCE, &D::m_saveMode, &R::saveMode),
    textField(IDC_TSB_FILE, &D::m_fileName, &R::fileName, kMarksModified),
    textField(IDC_TSB_MC_RUN, &D::m_mcRunNumber, &R::mcRunNumber, kMarksModified),
    checkField(IDC_TSB_NO_SUBCIRCUITS, &D::m_noSubcircuits, &R::noSubcircuits),
    textField(IDC_TSB_PARAMETRIC, &D::m_parametricValue, &R::parametricValue, kMarksModified),
    textField(IDC_TSB_TEMPERATURE, &D::m_temperatureValue, &R::temperatureValue, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

// Save-as dialog: hide read-only, prompt before overwriting, the folder must exist.
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;

}  // namespace

BEGIN_MESSAGE_MAP(CTrSvBiasDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_TSB_ONCE, OnOnce)
ON_BN_CLICKED(IDC_TSB_REPEAT, OnRepeat)
ON_BN_CLICKED(IDC_TSB_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CTrSvBiasDlg::CTrSvBiasDlg(TranSaveBiasSettings* record, const CString& profileDir)
    : m_profileDir(profileDir), m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTable);
    }
}

void CTrSvBiasDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

bool CTrSvBiasDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CTrSvBiasDlg::OnInitDialog() {
    CAnalysisDlg::OnInitDialog();
    applyModeRule(m_saveMode);
    return TRUE;
}

void CTrSvBiasDlg::applyModeRule(int mode) {
    // A stored mode other than 1 shows the once-at time editable, as mode 0 does.
    const bool repeat = mode == 1;
    EnableControls(*this, {IDC_TSB_ONCE_TIME, IDC_TSB_ONCE_UNIT}, !repeat);
    EnableControls(*this, {IDC_TSB_REPEAT_TIME, IDC_TSB_REPEAT_UNIT}, repeat);
}

void CTrSvBiasDlg::OnOnce() {
    applyModeRule(0);
}

void CTrSvBiasDlg::OnRepeat() {
    applyModeRule(1);
}

int CTrSvBiasDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        saveFields(*this, *m_record, kTable);
    }
    return 0;
}

BOOL CTrSvBiasDlg::Validate() {
    if (const auto refusal = CheckSaveBiasFile(static_cast<LPCSTR>(m_fileName), IDC_TSB_FILE)) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}

void CTrSvBiasDlg::OnBrowse() {
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, nullptr, m_fileName, kSaveFlags, nullptr, this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_fileName = dialog.GetPathName();
    UpdateData(FALSE);
}
