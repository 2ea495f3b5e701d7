// CMosfetDlg: four option slots on a field table, Reset and Help.
#include "MosfetDlg.h"

#include "OptionPanel.h"
#include "resource.h"

namespace {

using D = CMosfetDlg;
using Row = fields::Field<D, OptionSettings>;

constexpr Row kFields[] = {
    options::optionField(IDC_MOS_DEFAD, &D::m_defad, OptionSlot::DEFAD),
    options::optionField(IDC_MOS_DEFAS, &D::m_defas, OptionSlot::DEFAS),
    options::optionField(IDC_MOS_DEFL, &D::m_defl, OptionSlot::DEFL),
    options::optionField(IDC_MOS_DEFW, &D::m_defw, OptionSlot::DEFW),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(CMosfetDlg, CDialog)
ON_BN_CLICKED(IDC_MOS_RESET, OnReset)
ON_BN_CLICKED(IDHELP, OnHelp)
END_MESSAGE_MAP()

CMosfetDlg::CMosfetDlg() : CDialog(IDD_MOSFET_OPTIONS) {
    options::resetOptionTexts(*this, kTable, true);
    TakeCopy();
}

void CMosfetDlg::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
    }
    TakeCopy();
}

void CMosfetDlg::SaveToProfile() {
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
    }
    TakeCopy();
}

void CMosfetDlg::TakeCopy() {
    m_copy = options::takeCopy(*this, kTable);
}

void CMosfetDlg::RestoreCopy() {
    options::restoreCopy(*this, kTable, m_copy);
}

void CMosfetDlg::CloseIfOpen() {
    if (GetSafeHwnd() != nullptr && IsModal()) {
        EndDialog(IDCANCEL);
    }
}

void CMosfetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

void CMosfetDlg::OnReset() {
    // Without a record there are no defaults to go back to: the texts are emptied.
    options::resetOptionTexts(*this, kTable, m_pOptions != nullptr);
    UpdateData(FALSE);
}

void CMosfetDlg::OnHelp() {
    ShowOptionsHelp();
}
