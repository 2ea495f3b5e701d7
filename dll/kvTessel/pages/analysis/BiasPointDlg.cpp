// CBiasPointDlg on its field table. Its edits do not mark the page modified: the page already
// is when it is initialised.
#include "BiasPointDlg.h"

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/AcSweepSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CBiasPointDlg;
using R = BiasPointSettings;

// In the order the dialog exchanges them.
constexpr Field<D, R> kFields[] = {
    checkField(IDC_BP_DETAILED_BIAS, &D::m_detailedBias, &R::detailedBias),
    checkField(IDC_SENS_ENABLED, &D::m_sensEnabled, &R::sensEnabled),
    checkField(IDC_TF_ENABLED, &D::m_tfEnabled, &R::tfEnabled),
    textField(IDC_SENS_VARS, &D::m_sensOutputVars, &R::sensOutputVars),
    textField(IDC_TF_INPUT, &D::m_tfInputSource, &R::tfInputSource),
    textField(IDC_TF_OUTPUT, &D::m_tfOutputVar, &R::tfOutputVar),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CBiasPointDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_SENS_ENABLED, OnSensitivity)
ON_BN_CLICKED(IDC_TF_ENABLED, OnTransferFunction)
END_MESSAGE_MAP()

CBiasPointDlg::CBiasPointDlg(BiasPointSettings* record) : m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        loadFields(*this, *record, kTable);
    }
}

void CBiasPointDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable);
}

BOOL CBiasPointDlg::OnInitDialog() {
    CAnalysisDlg::OnInitDialog();
    applyRules();
    return TRUE;
}

void CBiasPointDlg::applyRules() {
    EnableControls(*this, {IDC_SENS_VARS_LABEL, IDC_SENS_VARS}, m_sensEnabled != 0);
    EnableControls(*this, {IDC_TF_INPUT_LABEL, IDC_TF_INPUT, IDC_TF_OUTPUT_LABEL, IDC_TF_OUTPUT},
                   m_tfEnabled != 0);
}

void CBiasPointDlg::OnSensitivity() {
    UpdateData(TRUE);
    applyRules();
}

void CBiasPointDlg::OnTransferFunction() {
    UpdateData(TRUE);
    applyRules();
}

int CBiasPointDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        saveFields(*this, *m_record, kTable);
    }
    return 0;
}

BOOL CBiasPointDlg::Validate() {
    const BiasPointInput input{
        .sensEnabled = m_sensEnabled != 0,
        .sensOutputVars = static_cast<LPCSTR>(m_sensOutputVars),
        .tfEnabled = m_tfEnabled != 0,
        .tfInputSource = static_cast<LPCSTR>(m_tfInputSource),
        .tfOutputVar = static_cast<LPCSTR>(m_tfOutputVar),
    };
    if (const auto refusal = CheckBiasPoint(input)) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
