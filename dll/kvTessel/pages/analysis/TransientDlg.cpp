// CTransientDlg and CTranOptions on their field tables.
#include "TransientDlg.h"

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/TransientSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using T = CTransientDlg;
using O = CTranOptions;
using R = TransientSettings;

// In the order the dialog exchanges them.
constexpr Field<T, R> kTransientFields[] = {
    checkField(IDC_SKIP_BIAS_POINT, &T::m_skipBiasPoint, &R::skipBiasPoint, kMarksModified),
    textField(IDC_RUN_TO_TIME, &T::m_runToTime, &R::runToTime, kMarksModified),
    textField(IDC_MAX_STEP, &T::m_maxStep, &R::maxStep, kMarksModified),
    textField(IDC_START_SAVING, &T::m_startSaving, &R::startSaving, kMarksModified),
    checkField(IDC_RESUME_MODE, &T::m_resumeMode, &R::resumeMode, kMarksModified),
};
constexpr std::span<const Field<T, R>> kTransient(kTransientFields);

constexpr Field<O, R> kOptionFields[] = {
    textField(IDC_HARMONICS, &O::m_harmonics, &R::fourierHarmonics),
    checkField(IDC_FOURIER_ENABLED, &O::m_fourierEnabled, &R::fourierEnabled),
    textField(IDC_FOURIER_VARS, &O::m_outputVars, &R::fourierOutputVars),
    textField(IDC_CENTER_FREQ, &O::m_centerFreq, &R::fourierCenterFreq),
    checkField(IDC_TRAN_DETAILED_BIAS, &O::m_detailedBias, &R::detailedBias),
    textField(IDC_PRINT_STEP, &O::m_printStep, &R::printStep),
};
constexpr std::span<const Field<O, R>> kOptions(kOptionFields);

}  // namespace

// ---- CTranOptions
// ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTranOptions, CDialog)
ON_BN_CLICKED(IDC_FOURIER_ENABLED, OnFourierClicked)
END_MESSAGE_MAP()

CTranOptions::CTranOptions() : CDialog(IDD_TRAN_OPTIONS) {}

void CTranOptions::Load(const TransientSettings& record) {
    loadFields(*this, record, kOptions);
}

void CTranOptions::Save(TransientSettings& record) const {
    saveFields(*this, record, kOptions);
}

void CTranOptions::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kOptions);
}

BOOL CTranOptions::OnInitDialog() {
    CDialog::OnInitDialog();
    applyFourierRule();
    return TRUE;
}

void CTranOptions::applyFourierRule() {
    EnableControls(*this,
                   {IDC_CENTER_FREQ_LABEL, IDC_CENTER_FREQ, IDC_CENTER_FREQ_UNIT,
                    IDC_HARMONICS_LABEL, IDC_HARMONICS, IDC_FOURIER_VARS_LABEL, IDC_FOURIER_VARS},
                   m_fourierEnabled != 0);
}

void CTranOptions::OnFourierClicked() {
    UpdateData(TRUE);
    applyFourierRule();
}

// ---- CTransientDlg
// --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTransientDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_OUTPUT_FILE_OPTIONS, OnOutputFileOptions)
END_MESSAGE_MAP()

CTransientDlg::CTransientDlg(TransientSettings* record) : m_startSaving("0"), m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTransient);
        m_options.Load(*record);
    }
}

void CTransientDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTransient);
}

bool CTransientDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTransient, wParam);
}

int CTransientDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        saveFields(*this, *m_record, kTransient);
        m_options.Save(*m_record);
    }
    return 0;
}

BOOL CTransientDlg::Validate() {
    if (const auto refusal = CheckTransient(static_cast<LPCSTR>(m_runToTime))) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}

void CTransientDlg::CloseModalDialogs() {
    if (m_options.GetSafeHwnd() != nullptr) {
        m_options.EndDialog(IDCANCEL);
    }
}

void CTransientDlg::OnOutputFileOptions() {
    if (m_options.DoModal() == IDOK) {
        SetModified(TRUE);
    }
}
