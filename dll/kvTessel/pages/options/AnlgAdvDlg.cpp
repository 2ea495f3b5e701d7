// CAnlgAdvDlg: sixteen option slots and nine switches on a field table, the two lists selected
// by prefix, the stepping enable rules, the minimum-value options with their proposals, Reset
// and Help.
#include "AnlgAdvDlg.h"

#include <array>
#include <optional>
#include <string>

#include "OptionPanel.h"
#include "kvwin32/item_text.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

using D = CAnlgAdvDlg;
using O = OptionSettings;
using Row = fields::Field<D, O>;
using fields::checkField;
using options::kComparesStored;
using options::optionField;

// In exchange order; the algorithm and method lists come last and are not exchanged: their
// texts are taken from the lists' selections at OK.
constexpr Row kFields[] = {
    optionField(IDC_ADV_ITL5, &D::m_ITL5, OptionSlot::ITL5),
    optionField(IDC_ADV_PIVREL, &D::m_PIVREL, OptionSlot::PIVREL),
    optionField(IDC_ADV_PIVTOL, &D::m_PIVTOL, OptionSlot::PIVTOL),
    optionField(IDC_ADV_DMFACTOR, &D::m_DMFACTOR, OptionSlot::DMFACTOR),
    checkField(IDC_ADV_NOGMINI, &D::m_NOGMINI, &O::NOGMINI),
    optionField(IDC_ADV_WCDEVIATION, &D::m_WCDEVIATION, OptionSlot::WCDEVIATION, kComparesStored),
    optionField(IDC_ADV_LIMIT, &D::m_LIMIT, OptionSlot::LIMIT, kComparesStored),
    checkField(IDC_ADV_BRKDEPSRC, &D::m_BRKDEPSRC, &O::BRKDEPSRC),
    optionField(IDC_ADV_DIODERS, &D::m_DIODERS, OptionSlot::DIODERS, kComparesStored),
    optionField(IDC_ADV_DIODECJO, &D::m_DIODECJO, OptionSlot::DIODECJO, kComparesStored),
    optionField(IDC_ADV_BJTCJ, &D::m_BJTCJ, OptionSlot::BJTCJ, kComparesStored),
    checkField(IDC_ADV_CONVAID, &D::m_CONVAID, &O::CONVAID),
    checkField(IDC_ADV_STEPGMIN, &D::m_STEPGMIN, &O::STEPGMIN),
    optionField(IDC_ADV_GMINSTEPS, &D::m_GMINSTEPS, OptionSlot::GMINSTEPS, kComparesStored),
    checkField(IDC_ADV_NOSTEPSRC, &D::m_NOSTEPSRC, &O::NOSTEPSRC),
    optionField(IDC_ADV_ITL6, &D::m_ITL6, OptionSlot::ITL6, kComparesStored),
    checkField(IDC_ADV_NOSTEPDEP, &D::m_NOSTEPDEP, &O::NOSTEPDEP),
    checkField(IDC_ADV_GMINSRC, &D::m_GMINSRC, &O::GMINSRC),
    checkField(IDC_ADV_PSEUDOTRAN, &D::m_PSEUDOTRAN, &O::PSEUDOTRAN),
    optionField(IDC_ADV_PTRANSTEP, &D::m_PTRANSTEP, OptionSlot::PTRANSTEP, kComparesStored),
    optionField(IDC_ADV_TRTOL, &D::m_TRTOL, OptionSlot::TRTOL, kComparesStored),
    optionField(IDC_ADV_CSHUNT, &D::m_CSHUNT, OptionSlot::CSHUNT, kComparesStored),
    checkField(IDC_ADV_TRANCONV, &D::m_TRANCONV, &O::TRANCONV),
    optionField(IDC_ADV_SOLVER, &D::m_SOLVER, OptionSlot::SOLVER),
    optionField(IDC_ADV_METHOD, &D::m_METHOD, OptionSlot::METHOD, kComparesStored),
};
constexpr std::span<const Row> kTable(kFields);
constexpr std::size_t kListRows = 2;
constexpr std::span<const Row> kExchanged = kTable.first(kTable.size() - kListRows);

// A minimum-value option: its check box, its edit, its text and the slot whose proposal the
// edit takes when the box is checked.
struct MinimumValue {
    int checkId;
    int editId;
    CString D::*text;
    OptionSlot slot;
};
constexpr std::array<MinimumValue, 4> kMinimumValues = {{
    {IDC_ADV_DIODERS_ON, IDC_ADV_DIODERS, &D::m_DIODERS, OptionSlot::DIODERS},
    {IDC_ADV_DIODECJO_ON, IDC_ADV_DIODECJO, &D::m_DIODECJO, OptionSlot::DIODECJO},
    {IDC_ADV_BJTCJ_ON, IDC_ADV_BJTCJ, &D::m_BJTCJ, OptionSlot::BJTCJ},
    {IDC_ADV_CSHUNT_ON, IDC_ADV_CSHUNT, &D::m_CSHUNT, OptionSlot::CSHUNT},
}};

// The switches, all cleared by Reset.
constexpr std::array<int D::*, 9> kSwitches = {
    &D::m_NOGMINI,   &D::m_STEPGMIN,  &D::m_NOSTEPDEP, &D::m_GMINSRC,  &D::m_PSEUDOTRAN,
    &D::m_BRKDEPSRC, &D::m_NOSTEPSRC, &D::m_CONVAID,   &D::m_TRANCONV,
};

// Selects the item a text names by prefix, ignoring case (CB_SELECTSTRING), or the first.
void selectByText(CWnd& dialog, int listId, const CString& text) {
    if (dialog.SendDlgItemMessage(listId, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text))) == CB_ERR) {
        dialog.SendDlgItemMessage(listId, CB_SETCURSEL, 0);
    }
}

// The selected item's text, or nothing when the list has no selection.
std::optional<CString> selectedText(CWnd& dialog, int listId) {
    const auto index = dialog.SendDlgItemMessage(listId, CB_GETCURSEL);
    if (index == CB_ERR) {
        return std::nullopt;
    }
    HWND list = nullptr;
    dialog.GetDlgItem(listId, &list);
    auto text = kvwin32::comboBoxItemText(list, index);
    if (!text) {
        return std::nullopt;
    }
    return CString(*text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CAnlgAdvDlg, CDialog)
ON_BN_CLICKED(IDC_ADV_STEPGMIN, OnStepRule)
ON_BN_CLICKED(IDC_ADV_PSEUDOTRAN, OnStepRule)
ON_BN_CLICKED(IDC_ADV_NOSTEPSRC, OnStepRule)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADV_DIODERS_ON, IDC_ADV_DIODERS_ON, OnMinimumValue)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADV_DIODECJO_ON, IDC_ADV_DIODECJO_ON, OnMinimumValue)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADV_BJTCJ_ON, IDC_ADV_BJTCJ_ON, OnMinimumValue)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADV_CSHUNT_ON, IDC_ADV_CSHUNT_ON, OnMinimumValue)
ON_BN_CLICKED(IDC_ADV_RESET, OnReset)
ON_BN_CLICKED(IDHELP, OnHelp)
END_MESSAGE_MAP()

CAnlgAdvDlg::CAnlgAdvDlg() : CDialog(IDD_ANALOG_ADVANCED) {
    options::resetOptionTexts(*this, kTable, true);
    TakeCopy();
}

void CAnlgAdvDlg::LoadFromProfile(OptionSettings* record) {
    m_pOptions = record;
    if (record != nullptr) {
        options::loadOptions(*this, *record, kTable);
        for (const MinimumValue& value : kMinimumValues) {
            (this->*value.text).Trim();
        }
    }
    TakeCopy();
}

void CAnlgAdvDlg::SaveToProfile() {
    if (m_pOptions != nullptr) {
        options::saveOptions(*this, *m_pOptions, kTable);
    }
    TakeCopy();
}

void CAnlgAdvDlg::TakeCopy() {
    m_copy = options::takeCopy(*this, kTable);
}

void CAnlgAdvDlg::RestoreCopy() {
    options::restoreCopy(*this, kTable, m_copy);
}

void CAnlgAdvDlg::CloseIfOpen() {
    if (GetSafeHwnd() != nullptr && IsModal()) {
        EndDialog(IDCANCEL);
    }
}

void CAnlgAdvDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    fields::exchangeFields(pDX, *this, kExchanged);
}

BOOL CAnlgAdvDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillItems(*this, IDC_ADV_SOLVER, {IDS_SOLVER_DEFAULT, IDS_SOLVER_0, IDS_SOLVER_1});
    // The method list sorts its items: "Default", "Gear", "Trapezoidal".
    FillItems(*this, IDC_ADV_METHOD, {IDS_METHOD_DEFAULT, IDS_METHOD_TRAPEZOIDAL, IDS_METHOD_GEAR});
    selectLists();
    UpdateData(TRUE);
    applyStepRules();
    showMinimumValues();
    return TRUE;
}

void CAnlgAdvDlg::selectLists() {
    selectByText(*this, IDC_ADV_SOLVER, m_SOLVER);
    selectByText(*this, IDC_ADV_METHOD, m_METHOD);
}

void CAnlgAdvDlg::applyStepRules() {
    EnableControls(*this, {IDC_ADV_GMINSTEPS}, m_STEPGMIN != 0);
    EnableControls(*this, {IDC_ADV_PTRANSTEP}, m_PSEUDOTRAN != 0);
    EnableControls(*this, {IDC_ADV_ITL6, IDC_ADV_NOSTEPDEP, IDC_ADV_GMINSRC}, m_NOSTEPSRC == 0);
}

void CAnlgAdvDlg::showMinimumValues() {
    for (const MinimumValue& value : kMinimumValues) {
        const bool used = !(this->*value.text).IsEmpty();
        CheckDlgButton(value.checkId, used ? BST_CHECKED : BST_UNCHECKED);
        EnableControls(*this, {value.editId}, used);
    }
}

void CAnlgAdvDlg::OnStepRule() {
    UpdateData(TRUE);
    applyStepRules();
}

void CAnlgAdvDlg::OnMinimumValue(UINT id) {
    UpdateData(TRUE);
    for (const MinimumValue& value : kMinimumValues) {
        if (value.checkId != static_cast<int>(id)) {
            continue;
        }
        const bool used = IsDlgButtonChecked(value.checkId) == BST_CHECKED;
        this->*value.text =
            used ? CString(std::string(OptionProposal(value.slot)).c_str()) : CString();
        EnableControls(*this, {value.editId}, used);
    }
    UpdateData(FALSE);
}

void CAnlgAdvDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    // A text typed into a list that names none of its items is not taken.
    if (const auto solver = selectedText(*this, IDC_ADV_SOLVER)) {
        m_SOLVER = *solver;
    }
    if (const auto method = selectedText(*this, IDC_ADV_METHOD)) {
        m_METHOD = *method;
    }
    EndDialog(IDOK);
}

void CAnlgAdvDlg::OnReset() {
    if (m_pOptions != nullptr) {
        options::resetOptionTexts(*this, kTable, true);
    } else {
        // Without a record there are no defaults to go back to.
        options::resetOptionTexts(*this, kTable, false);
        m_SOLVER = OptionDefault(OptionSlot::SOLVER).data();
    }
    for (int D::*value : kSwitches) {
        this->*value = 0;
    }
    selectLists();
    UpdateData(FALSE);
    applyStepRules();
    showMinimumValues();
}

void CAnlgAdvDlg::OnHelp() {
    ShowOptionsHelp();
}
