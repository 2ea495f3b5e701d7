// CGateAdvDlg: seven option slots on a field table, Reset and Help.
#include "GateAdvDlg.h"

#include "OptionPanel.h"
#include "resource.h"

namespace {

using D = CGateAdvDlg;
using Row = fields::Field<D, OptionSettings>;

// In exchange order.
constexpr Row kFields[] = {
    options::optionField(IDC_GADV_DIGDRVF, &D::m_digdrvf, OptionSlot::DIGDRVF),
    options::optionField(IDC_GADV_DIGDRVZ, &D::m_digdrvz, OptionSlot::DIGDRVZ),
    options::optionField(IDC_GADV_DIGERRDEFAULT, &D::m_digerrdefault, OptionSlot::DIGERRDEFAULT),
    options::optionField(IDC_GADV_DIGERRLIMIT, &D::m_digerrlimit, OptionSlot::DIGERRLIMIT),
    options::optionField(IDC_GADV_DIGMNTYSCALE, &D::m_digmntyscale, OptionSlot::DIGMNTYSCALE),
    options::optionField(IDC_GADV_DIGOVRDRV, &D::m_digovrdrv, OptionSlot::DIGOVRDRV),
    options::optionField(IDC_GADV_DIGTYMXSCALE, &D::m_digtymxscale, OptionSlot::DIGTYMXSCALE),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CGateAdvDlg, CDialog)
ON_BN_CLICKED(IDC_GADV_RESET, OnReset)
ON_BN_CLICKED(IDHELP, OnHelp)
END_MESSAGE_MAP()

CGateAdvDlg::CGateAdvDlg() : CDialog(IDD_GATE_ADVANCED) {
    options::resetOptionTexts(*this, kTable, true);
}

void CGateAdvDlg::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
    }
}

void CGateAdvDlg::SaveToProfile() {
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
    }
}

void CGateAdvDlg::CloseIfOpen() {
    if (GetSafeHwnd() != nullptr && IsModal()) {
        EndDialog(IDCANCEL);
    }
}

void CGateAdvDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

void CGateAdvDlg::OnReset() {
    // Without a record there are no defaults to go back to: the texts are emptied.
    options::resetOptionTexts(*this, kTable, m_pOptions != nullptr);
    UpdateData(FALSE);
}

void CGateAdvDlg::OnHelp() {
    ShowOptionsHelp();
}
