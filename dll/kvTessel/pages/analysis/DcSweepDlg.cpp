// CDcSweepDlg on its field table, with the variable-kind and sweep-type rules and the sweepType
// mapping of AnalysisRules.
#include "DcSweepDlg.h"

#include <afxdd_.h>

#include <span>

#include "AnalysisRules.h"
#include "kvTessel/SweepSettings.h"
#include "pages/common/FieldTable.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using namespace fields;
using D = CDcSweepDlg;
using R = SweepSettings;

// The texts in the order the dialog exchanges them; the model type (row 3) is a combo box whose
// choice alone does not mark the page modified.
constexpr Field<D, R> kFields[] = {
    textField(IDC_END_VALUE, &D::m_endValue, &R::endValue, kMarksModified),
    textField(IDC_INCREMENT, &D::m_increment, &R::increment, kMarksModified),
    textField(IDC_MODEL_NAME, &D::m_modelName, &R::modelName, kMarksModified),
    comboTextField(IDC_MODEL_TYPE, &D::m_modelType, &R::modelType),
    textField(IDC_SOURCE_NAME, &D::m_sourceName, &R::sourceName, kMarksModified),
    textField(IDC_PARAM_NAME, &D::m_paramName, &R::paramName, kMarksModified),
    textField(IDC_START_VALUE, &D::m_startValue, &R::startValue, kMarksModified),
    textField(IDC_SWEEP_VALUES, &D::m_valueList, &R::valueList, kMarksModified),
};
constexpr std::span<const Field<D, R>> kTable(kFields);
constexpr std::size_t kModelTypeRow = 3;

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDcSweepDlg, CAnalysisDlg)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SWEEP_VOLTAGE, IDC_SWEEP_TEMPERATURE, OnVariableKind)
ON_BN_CLICKED(IDC_SWEEP_LINEAR, OnSweepType)
ON_BN_CLICKED(IDC_SWEEP_LOG, OnSweepType)
ON_BN_CLICKED(IDC_SWEEP_LIST, OnSweepType)
ON_CBN_SELCHANGE(IDC_SWEEP_OCTAVE_DECADE, OnOctaveDecade)
END_MESSAGE_MAP()

CDcSweepDlg::CDcSweepDlg(SweepSettings* record) : m_record(record) {
    if (record != nullptr) {
        LoadEnabled(*this, record);
        m_variableKind = record->variableKind;
        const SweepControls shown = SweepControlsOf(record->sweepType);
        m_sweepRadio = shown.radio;
        m_octaveDecade = shown.combo;
        loadFields(*this, *record, kTable);
    }
}

void CDcSweepDlg::DoDataExchange(CDataExchange* pDX) {
    CAnalysisDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SWEEP_VOLTAGE, m_variableKind);
    exchangeFields(pDX, *this, kTable.first(kModelTypeRow));
    if (!pDX->m_bSaveAndValidate &&
        (m_modelType.IsEmpty() ||
         SendDlgItemMessage(IDC_MODEL_TYPE, CB_FINDSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(m_modelType.GetString())) == CB_ERR)) {
        // A type that begins no item (an empty one included) leaves the combo box empty.
        SendDlgItemMessage(IDC_MODEL_TYPE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else {
        exchangeFields(pDX, *this, kTable.subspan(kModelTypeRow, 1));
    }
    exchangeFields(pDX, *this, kTable.subspan(kModelTypeRow + 1));
    DDX_CBIndex(pDX, IDC_SWEEP_OCTAVE_DECADE, m_octaveDecade);
    DDX_Radio(pDX, IDC_SWEEP_LINEAR, m_sweepRadio);
}

bool CDcSweepDlg::MarksModified(WPARAM wParam) {
    return marksModified(*this, kTable, wParam);
}

BOOL CDcSweepDlg::OnInitDialog() {
    // The template's items: the model types (sorted by the combo) and, in this order, the
    // logarithmic step kinds.
    if (auto* types = static_cast<CComboBox*>(GetDlgItem(IDC_MODEL_TYPE))) {
        CString all = loadText(IDS_MODEL_TYPES);
        int start = 0;
        while (start <= all.GetLength()) {
            int end = all.Find('\n', start);
            if (end < 0) {
                end = all.GetLength();
            }
            if (end > start) {
                types->AddString(all.Mid(start, end - start));
            }
            start = end + 1;
        }
    }
    if (auto* steps = static_cast<CComboBox*>(GetDlgItem(IDC_SWEEP_OCTAVE_DECADE))) {
        steps->AddString(loadText(IDS_OCTAVE));
        steps->AddString(loadText(IDS_DECADE));
    }
    CAnalysisDlg::OnInitDialog();
    applyVariableRule();
    applySweepTypeRule();
    return TRUE;
}

void CDcSweepDlg::applyVariableRule() {
    UpdateData(TRUE);
    const VariableEnables on = EnablesOfVariableKind(m_variableKind);
    EnableControls(*this, {IDC_SOURCE_NAME_LABEL, IDC_SOURCE_NAME}, on.sourceName);
    EnableControls(*this,
                   {IDC_MODEL_TYPE_LABEL, IDC_MODEL_TYPE, IDC_MODEL_NAME_LABEL, IDC_MODEL_NAME},
                   on.model);
    EnableControls(*this, {IDC_PARAM_NAME_LABEL, IDC_PARAM_NAME}, on.paramName);
}

void CDcSweepDlg::applySweepTypeRule() {
    UpdateData(TRUE);
    const SweepTypeEnables on = EnablesOfSweepType(m_sweepRadio, m_octaveDecade);
    EnableControls(*this,
                   {IDC_START_VALUE_LABEL, IDC_START_VALUE, IDC_END_VALUE_LABEL, IDC_END_VALUE,
                    IDC_INCREMENT_LABEL, IDC_INCREMENT},
                   on.range);
    EnableControls(*this, {IDC_SWEEP_OCTAVE_DECADE}, on.octaveDecade);
    EnableControls(*this, {IDC_SWEEP_VALUES}, on.valueList);
    if (on.incrementLabel) {
        setIncrementLabel(*on.incrementLabel);
    }
}

void CDcSweepDlg::setIncrementLabel(unsigned textId) {
    SetDlgItemText(IDC_INCREMENT_LABEL, loadText(textId));
}

void CDcSweepDlg::OnVariableKind(UINT) {
    applyVariableRule();
    SetModified(TRUE);
}

void CDcSweepDlg::OnSweepType() {
    applySweepTypeRule();
    SetModified(TRUE);
}

void CDcSweepDlg::OnOctaveDecade() {
    UpdateData(TRUE);
    if (m_sweepRadio == 1) {
        if (const auto label = EnablesOfSweepType(m_sweepRadio, m_octaveDecade).incrementLabel) {
            setIncrementLabel(*label);
        }
    }
}

int CDcSweepDlg::SaveToProfile(SimProfile*) {
    if (m_record == nullptr) {
        return 0;
    }
    SaveEnabled(*this, m_record);
    m_record->sweepType = SweepTypeOf({m_sweepRadio, m_octaveDecade});
    if (m_variableKind >= 0) {
        m_record->variableKind = m_variableKind;
    }
    saveFields(*this, *m_record, kTable);
    return 0;
}

BOOL CDcSweepDlg::Validate() {
    const SweepInput input{
        .variableKind = m_variableKind,
        .sweepRadio = m_sweepRadio,
        .sourceName = static_cast<LPCSTR>(m_sourceName),
        .paramName = static_cast<LPCSTR>(m_paramName),
        .modelName = static_cast<LPCSTR>(m_modelName),
        .modelType = static_cast<LPCSTR>(m_modelType),
        .startValue = static_cast<LPCSTR>(m_startValue),
        .endValue = static_cast<LPCSTR>(m_endValue),
        .increment = static_cast<LPCSTR>(m_increment),
        .valueList = static_cast<LPCSTR>(m_valueList),
    };
    if (const auto refusal = CheckSweep(input)) {
        return Refuse(*this, *refusal);
    }
    return TRUE;
}
