// COptAnalg: the analog options on a field table, Reset, and the three contained dialogs with
// their confirmed flags and copies.
#include "OptAnalg.h"

#include "OptionsPage.h"
#include "ProcessorCount.h"
#include "resource.h"

namespace {

using P = COptAnalg;
using O = OptionSettings;
using Row = fields::Field<P, O>;
using fields::checkField;
using fields::kMarksModified;
using options::optionField;

// In exchange order. Every edit but THREADS marks the page modified; the check boxes do not
// (their values are still written at Apply).
constexpr Row kFields[] = {
    optionField(IDC_ANLG_ITL1, &P::m_ITL1, OptionSlot::ITL1, kMarksModified),
    optionField(IDC_ANLG_ITL2, &P::m_ITL2, OptionSlot::ITL2, kMarksModified),
    optionField(IDC_ANLG_ITL4, &P::m_ITL4, OptionSlot::ITL4, kMarksModified),
    optionField(IDC_ANLG_RELTOL, &P::m_RELTOL, OptionSlot::RELTOL, kMarksModified),
    optionField(IDC_ANLG_TNOM, &P::m_TNOM, OptionSlot::TNOM, kMarksModified),
    optionField(IDC_ANLG_VNTOL, &P::m_VNTOL, OptionSlot::VNTOL, kMarksModified),
    optionField(IDC_ANLG_ABSTOL, &P::m_ABSTOL, OptionSlot::ABSTOL, kMarksModified),
    optionField(IDC_ANLG_CHGTOL, &P::m_CHGTOL, OptionSlot::CHGTOL, kMarksModified),
    optionField(IDC_ANLG_GMIN, &P::m_GMIN, OptionSlot::GMIN, kMarksModified),
    optionField(IDC_ANLG_THREADS, &P::m_THREADS, OptionSlot::THREADS),
    checkField(IDC_ANLG_PREORDER, &P::m_PREORDER, &O::PREORDER),
    checkField(IDC_ANLG_ADVCONV, &P::m_ADVCONV, &O::ADVCONV),
};
constexpr std::span<const Row> kTable(kFields);

}  // namespace

BEGIN_MESSAGE_MAP(COptAnalg, COptionPanel)
ON_BN_CLICKED(IDC_ANLG_AUTOCONVERGE, OnAutoConverge)
ON_BN_CLICKED(IDC_ANLG_MOSFET, OnMosfet)
ON_BN_CLICKED(IDC_ANLG_ADVANCED, OnAdvanced)
ON_BN_CLICKED(IDC_ANLG_RESET, OnReset)
END_MESSAGE_MAP()

// A panel that never sees a record shows the built-in defaults.
COptAnalg::COptAnalg() : COptionPanel(IDD_OPT_ANALOG) {
    options::resetOptionTexts(*this, kTable, true);
}

void COptAnalg::DoDataExchange(CDataExchange* pDX) {
    COptionPanel::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kTable);
}

bool COptAnalg::MarksModified(WPARAM wParam) {
    return fields::marksModified(*this, kTable, wParam);
}

void COptAnalg::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    m_advancedConfirmed = m_mosfetConfirmed = m_autoConvergeConfirmed = false;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
        m_advancedDlg.LoadFromProfile(record);
        m_mosfetDlg.LoadFromProfile(record);
        m_autoConvergeDlg.LoadFromProfile(record);
    }
    if (GetSafeHwnd() != nullptr) {
        // The count is only shown: the THREADS text is not checked against it.
        CString label;
        label.Format(static_cast<UINT>(IDS_THREADS_LABEL), ProcessorCount());
        SetDlgItemText(IDC_ANLG_THREADS_LABEL, label);
        UpdateData(FALSE);
    }
}

BOOL COptAnalg::SaveToProfile() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
        // The advanced dialog's switches (STEPGMIN among them) are written only by its save.
        if (m_advancedConfirmed) {
            m_advancedDlg.SaveToProfile();
        }
        if (m_mosfetConfirmed) {
            m_mosfetDlg.SaveToProfile();
        }
        if (m_autoConvergeConfirmed) {
            m_autoConvergeDlg.SaveToProfile();
        }
    }
    m_advancedConfirmed = m_mosfetConfirmed = m_autoConvergeConfirmed = false;
    return TRUE;
}

void COptAnalg::CloseModalDialogs() {
    m_mosfetDlg.CloseIfOpen();
    m_advancedDlg.CloseIfOpen();
}

template <class Dialog>
void COptAnalg::runDialog(Dialog& dialog, bool& confirmed) {
    if (dialog.DoModal() == IDOK) {
        confirmed = true;
        dialog.TakeCopy();
        SetPageModified();
    } else {
        dialog.RestoreCopy();
    }
}

void COptAnalg::OnAutoConverge() {
    runDialog(m_autoConvergeDlg, m_autoConvergeConfirmed);
}

void COptAnalg::OnMosfet() {
    runDialog(m_mosfetDlg, m_mosfetConfirmed);
}

void COptAnalg::OnAdvanced() {
    runDialog(m_advancedDlg, m_advancedConfirmed);
}

void COptAnalg::OnReset() {
    if (m_pOptions != nullptr) {
        options::resetOptionTexts(*this, kTable, true);
        m_PREORDER = 0;
        m_ADVCONV = 1;
    } else {
        // Without a record the tolerances and limits are emptied; THREADS keeps its text.
        const CString threads = m_THREADS;
        options::resetOptionTexts(*this, kTable, false);
        m_THREADS = threads;
    }
    UpdateData(FALSE);
    SetPageModified();
    if (auto* page = dynamic_cast<COptionsPage*>(GetParent())) {
        page->OnReset();  // the speed level returns to 3 as well
    }
}
