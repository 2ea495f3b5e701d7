// COptGate: the gate-level options on a field table, Reset and the advanced dialog.
#include "OptGate.h"

#include <afxcmn.h>

#include "resource.h"

namespace {

using P = COptGate;
using O = OptionSettings;
using Row = fields::Field<P, O>;
using fields::Exchange;
using fields::kMarksModified;
using options::intSlotField;

// In exchange order; every one marks the page modified. The timing slot holds 1 to 4, the
// radio group counts from 0.
constexpr Row kFields[] = {
    intSlotField(IDC_GATE_MINIMUM, &P::m_timingMode, OptionSlot::timingMode, Exchange::radio,
                 kMarksModified | options::kFromOne),
    intSlotField(IDC_GATE_IO_LEVEL, &P::m_ioLevel, OptionSlot::adIoLevel, Exchange::text,
                 kMarksModified),
    intSlotField(IDC_GATE_FLIPFLOP, &P::m_flipFlop, OptionSlot::flipFlopInitialState,
                 Exchange::comboIndex, kMarksModified),
    fields::checkField(IDC_GATE_SUPPRESS, &P::m_suppressWaveformErrors, &O::suppressWaveformErrors,
                       kMarksModified),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(COptGate, COptionPanel)
ON_BN_CLICKED(IDC_GATE_ADVANCED, OnAdvanced)
ON_BN_CLICKED(IDC_GATE_RESET, OnReset)
END_MESSAGE_MAP()

COptGate::COptGate() : COptionPanel(IDD_OPT_GATE) {}

void COptGate::DoDataExchange(CDataExchange* pDX) {
    COptionPanel::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

bool COptGate::MarksModified(WPARAM wParam) {
    return fields::marksModified(*this, kTable, wParam);
}

BOOL COptGate::OnInitDialog() {
    FillItems(*this, IDC_GATE_FLIPFLOP, {IDS_FLIPFLOP_0, IDS_FLIPFLOP_1, IDS_FLIPFLOP_X});
    COptionPanel::OnInitDialog();
    SendDlgItemMessage(IDC_GATE_IO_SPIN, UDM_SETRANGE32, 1, 4);
    SendDlgItemMessage(IDC_GATE_IO_SPIN, UDM_SETPOS32, 0, m_ioLevel);
    return TRUE;
}

void COptGate::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    m_advancedConfirmed = false;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
        m_advancedDlg.LoadFromProfile(record);
    }
    if (GetSafeHwnd() != nullptr) {
        UpdateData(FALSE);
    }
}

BOOL COptGate::SaveToProfile() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
        if (m_advancedConfirmed) {
            m_advancedDlg.SaveToProfile();
        }
    }
    m_advancedConfirmed = false;
    return TRUE;
}

void COptGate::CloseModalDialogs() {
    m_advancedDlg.CloseIfOpen();
}

void COptGate::OnAdvanced() {
    if (m_advancedDlg.DoModal() == IDOK) {
        m_advancedConfirmed = true;
        SetPageModified();
    }
}

void COptGate::OnReset() {
    // Typical timing, I/O level 1, flip-flops X; the suppress box keeps its state.
    m_timingMode = 1;
    m_ioLevel = 1;
    m_flipFlop = 2;
    UpdateData(FALSE);
    SetPageModified();
}
