// CAcSweepDlg on its field table, with the points label and the noise rule.
#include "AcSweepDlg.h"

#include <afxdd_.h>

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/AcSweepSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CAcSweepDlg;
using R = AcSweepSettings;

// In the order the dialog exchanges them; the sweep radio comes after row 0 and the combo
// index before the last row.
constexpr Field<D, R> kFields[] = {
    checkField(IDC_NOISE_ENABLED, &D::m_noiseEnabled, &R::noiseEnabled, kMarksModified),
    textField(IDC_AC_POINTS, &D::m_totalPoints, &R::totalPoints, kMarksModified),
    textField(IDC_AC_START_FREQ, &D::m_startFreq, &R::startFreq, kMarksModified),
    textField(IDC_NOISE_SOURCE, &D::m_noiseSource, &R::noiseSource, kMarksModified),
    textField(IDC_NOISE_OUTPUT, &D::m_noiseOutputVoltage, &R::noiseOutputVoltage, kMarksModified),
    textField(IDC_NOISE_INTERVAL, &D::m_noiseInterval, &R::noiseInterval, kMarksModified),
    textField(IDC_AC_END_FREQ, &D::m_endFreq, &R::endFreq, kMarksModified),
    checkField(IDC_AC_DETAILED_BIAS, &D::m_detailedBias, &R::detailedBias, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAcSweepDlg, CAnalysisDlg)
ON_BN_CLICKED(IDC_AC_LINEAR, OnLinear)
ON_BN_CLICKED(IDC_AC_LOG, OnLogarithmic)
ON_CBN_SELCHANGE(IDC_AC_OCTAVE_DECADE, OnOctaveDecade)
ON_BN_CLICKED(IDC_NOISE_ENABLED, OnNoise)
ON_BN_CLICKED(IDC_AC_DETAILED_BIAS, OnDetailedBias)
END_MESSAGE_MAP()

CAcSweepDlg::CAcSweepDlg(AcSweepSettings* record) : m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        const SweepControls shown = AcSweepControlsOf(record->sweepType);
        m_sweepRadio = shown.radio;
        m_octaveDecade = shown.combo;
        loadFields(*this, *record, kTable);
    }
}

void CAcSweepDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    exchangeFields(pDX, *this, kTable.first(1));
    DDX_Radio(pDX, IDC_AC_LINEAR, m_sweepRadio);
    exchangeFields(pDX, *this, kTable.subspan(1, kTable.size() - 2));
    DDX_CBIndex(pDX, IDC_AC_OCTAVE_DECADE, m_octaveDecade);
    exchangeFields(pDX, *this, kTable.last(1));
}

bool CAcSweepDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CAcSweepDlg::OnInitDialog() {
    // The combo is sorted, so "Decade" comes before "Octave" whatever the order of adding.
    if (auto* steps = static_cast<CComboBox*>(GetDlgItem(IDC_AC_OCTAVE_DECADE))) {
        steps->AddString(loadText(IDS_OCTAVE));
        steps->AddString(loadText(IDS_DECADE));
    }
    CAnalysisDlg::OnInitDialog();
    EnableControls(*this, {IDC_AC_OCTAVE_DECADE}, m_sweepRadio == 1);
    applyPointsLabel();
    applyNoiseRule();
    return TRUE;
}

void CAcSweepDlg::applyPointsLabel() {
    SetDlgItemText(IDC_AC_POINTS_LABEL, loadText(AcPointsLabelOf({m_sweepRadio, m_octaveDecade})));
}

void CAcSweepDlg::applyNoiseRule() {
    EnableControls(*this,
                   {IDC_NOISE_OUTPUT_LABEL, IDC_NOISE_OUTPUT, IDC_NOISE_SOURCE_LABEL,
                    IDC_NOISE_SOURCE, IDC_NOISE_INTERVAL_LABEL, IDC_NOISE_INTERVAL},
                   m_noiseEnabled != 0);
}

void CAcSweepDlg::OnLinear() {
    UpdateData(TRUE);
    SetModified(TRUE);
    EnableControls(*this, {IDC_AC_OCTAVE_DECADE}, false);
    applyPointsLabel();
}

void CAcSweepDlg::OnLogarithmic() {
    UpdateData(TRUE);
    SetModified(TRUE);
    EnableControls(*this, {IDC_AC_OCTAVE_DECADE}, true);
    applyPointsLabel();
}

void CAcSweepDlg::OnOctaveDecade() {
    UpdateData(TRUE);
    SetModified(TRUE);
    applyPointsLabel();
}

void CAcSweepDlg::OnNoise() {
    UpdateData(TRUE);
    applyNoiseRule();
}

void CAcSweepDlg::OnDetailedBias() {
    UpdateData(TRUE);
}

int CAcSweepDlg::SaveToProfile(SimProfile*) {
    if (m_record != nullptr) {
        SaveEnabled(*this, m_record);
        m_record->sweepType = AcSweepTypeOf({m_sweepRadio, m_octaveDecade});
        saveFields(*this, *m_record, kTable);
    }
    return 0;
}

BOOL CAcSweepDlg::Validate() {
    const AcSweepInput input{
        .startFreq = static_cast<LPCSTR>(m_startFreq),
        .endFreq = static_cast<LPCSTR>(m_endFreq),
        .totalPoints = static_cast<LPCSTR>(m_totalPoints),
        .noiseEnabled = m_noiseEnabled != 0,
        .noiseOutputVoltage = static_cast<LPCSTR>(m_noiseOutputVoltage),
        .noiseSource = static_cast<LPCSTR>(m_noiseSource),
    };
    if (const auto refusal = CheckAcSweep(input)) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
