// CAutoConvergeDlg: the switch, seven relaxed limits with their enables, Restart; the enable
// rule, Reset and the save that leaves every limit at its default while AutoConverge is off.
#include "AutoConvergeDlg.h"

#include <array>

#include "OptionPanel.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using D = CAutoConvergeDlg;
using O = OptionSettings;
using Row = fields::Field<D, O>;
using fields::checkField;
using options::optionField;

// One relaxed limit: its check box and member, its edit and member, its slot and its enable in
// the record.
struct Limit {
    int checkId;
    int D::*relaxed;
    int editId;
    CString D::*text;
    OptionSlot slot;
    std::int32_t O::*enable;
};
constexpr std::array<Limit, 7> kLimits = {{
    {IDC_AC_ITL1_ON, &D::m_relaxITL1, IDC_AC_ITL1, &D::m_ITL1, OptionSlot::relaxedITL1,
     &O::autoConvergeITL1},
    {IDC_AC_ITL2_ON, &D::m_relaxITL2, IDC_AC_ITL2, &D::m_ITL2, OptionSlot::relaxedITL2,
     &O::autoConvergeITL2},
    {IDC_AC_ITL4_ON, &D::m_relaxITL4, IDC_AC_ITL4, &D::m_ITL4, OptionSlot::relaxedITL4,
     &O::autoConvergeITL4},
    {IDC_AC_RELTOL_ON, &D::m_relaxRELTOL, IDC_AC_RELTOL, &D::m_RELTOL, OptionSlot::relaxedRELTOL,
     &O::autoConvergeRELTOL},
    {IDC_AC_ABSTOL_ON, &D::m_relaxABSTOL, IDC_AC_ABSTOL, &D::m_ABSTOL, OptionSlot::relaxedABSTOL,
     &O::autoConvergeABSTOL},
    {IDC_AC_VNTOL_ON, &D::m_relaxVNTOL, IDC_AC_VNTOL, &D::m_VNTOL, OptionSlot::relaxedVNTOL,
     &O::autoConvergeVNTOL},
    {IDC_AC_PIVTOL_ON, &D::m_relaxPIVTOL, IDC_AC_PIVTOL, &D::m_PIVTOL, OptionSlot::relaxedPIVTOL,
     &O::autoConvergePIVTOL},
}};

// In tab order: the switch, each limit's check box and edit, Restart.
constexpr Row kFields[] = {
    checkField(IDC_AC_ON, &D::m_autoConverge, &O::autoConverge),
    checkField(IDC_AC_ITL1_ON, &D::m_relaxITL1, &O::autoConvergeITL1),
    optionField(IDC_AC_ITL1, &D::m_ITL1, OptionSlot::relaxedITL1),
    checkField(IDC_AC_ITL2_ON, &D::m_relaxITL2, &O::autoConvergeITL2),
    optionField(IDC_AC_ITL2, &D::m_ITL2, OptionSlot::relaxedITL2),
    checkField(IDC_AC_ITL4_ON, &D::m_relaxITL4, &O::autoConvergeITL4),
    optionField(IDC_AC_ITL4, &D::m_ITL4, OptionSlot::relaxedITL4),
    checkField(IDC_AC_RELTOL_ON, &D::m_relaxRELTOL, &O::autoConvergeRELTOL),
    optionField(IDC_AC_RELTOL, &D::m_RELTOL, OptionSlot::relaxedRELTOL),
    checkField(IDC_AC_ABSTOL_ON, &D::m_relaxABSTOL, &O::autoConvergeABSTOL),
    optionField(IDC_AC_ABSTOL, &D::m_ABSTOL, OptionSlot::relaxedABSTOL),
    checkField(IDC_AC_VNTOL_ON, &D::m_relaxVNTOL, &O::autoConvergeVNTOL),
    optionField(IDC_AC_VNTOL, &D::m_VNTOL, OptionSlot::relaxedVNTOL),
    checkField(IDC_AC_PIVTOL_ON, &D::m_relaxPIVTOL, &O::autoConvergePIVTOL),
    optionField(IDC_AC_PIVTOL, &D::m_PIVTOL, OptionSlot::relaxedPIVTOL),
    checkField(IDC_AC_RESTART, &D::m_restart, &O::autoConvergeRestart),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CAutoConvergeDlg, CDialog)
ON_BN_CLICKED(IDC_AC_ON, OnAutoConverge)
ON_BN_CLICKED(IDC_AC_RESET, OnReset)
END_MESSAGE_MAP()

// Texts empty, Restart checked, everything else cleared.
CAutoConvergeDlg::CAutoConvergeDlg() : CDialog(IDD_AUTOCONVERGE) {
    TakeCopy();
}

void CAutoConvergeDlg::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
    }
    TakeCopy();
}

void CAutoConvergeDlg::SaveToProfile() {
    if (m_pOptions == nullptr) {
        return;
    }
    OptionSettings& record = *m_pOptions;
    record.autoConverge = 0;
    for (const Limit& limit : kLimits) {
        ResetAndCompare(record, limit.slot, OptionDefault(limit.slot));
    }
    TakeCopy();
    if (m_autoConverge == 0) {
        return;  // the enables and Restart keep what the record holds
    }
    record.autoConverge = 1;
    for (const Limit& limit : kLimits) {
        record.*limit.enable = this->*limit.relaxed;
        if (this->*limit.relaxed != 0) {
            ResetAndCompare(record, limit.slot, static_cast<LPCSTR>(this->*limit.text));
        }
    }
    record.autoConvergeRestart = m_restart;
}

void CAutoConvergeDlg::TakeCopy() {
    m_copy = options::takeCopy(*this, kTable);
}

void CAutoConvergeDlg::RestoreCopy() {
    options::restoreCopy(*this, kTable, m_copy);
}

void CAutoConvergeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

BOOL CAutoConvergeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    applyEnableRule();
    return TRUE;
}

void CAutoConvergeDlg::applyEnableRule() {
    const bool on = m_autoConverge != 0;
    for (const Limit& limit : kLimits) {
        EnableControls(*this, {limit.checkId, limit.editId}, on);
    }
    EnableControls(*this, {IDC_AC_RESTART}, on);
}

void CAutoConvergeDlg::setAllRelaxed(int on) {
    for (const Limit& limit : kLimits) {
        this->*limit.relaxed = on;
    }
    m_restart = on;
}

void CAutoConvergeDlg::OnAutoConverge() {
    UpdateData(TRUE);
    applyEnableRule();
    setAllRelaxed(m_autoConverge != 0 ? 1 : 0);
    UpdateData(FALSE);
}

void CAutoConvergeDlg::OnReset() {
    if (m_pOptions != nullptr) {
        options::resetOptionTexts(*this, kTable, true);
        setAllRelaxed(m_autoConverge != 0 ? 1 : 0);
    } else {
        // Without a record there are no defaults to go back to.
        options::resetOptionTexts(*this, kTable, false);
        setAllRelaxed(0);
        m_restart = 1;
    }
    UpdateData(FALSE);
}
