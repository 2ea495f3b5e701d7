// COptionsPage: the category list and its three panels, the speed level with its up-down
// control, Apply, Reset, Help and the closing of the panels' modal dialogs.
#include "OptionsPage.h"

#include <afxcmn.h>
#include <afxdd_.h>

#include <cstdlib>

#include "OptAnalg.h"
#include "OptGate.h"
#include "OptOutFl.h"
#include "OptionTable.h"
#include "kvTessel/SimProfile.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

constexpr int kLowestSpeedLevel = 0;
constexpr int kHighestSpeedLevel = 5;

}  // namespace

BEGIN_MESSAGE_MAP(COptionsPage, CSettingsPage)
ON_LBN_SELCHANGE(IDC_OPT_CATEGORY, OnCategoryChanged)
ON_EN_CHANGE(IDC_SPEED_LEVEL, OnSpeedLevelChanged)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

COptionsPage::COptionsPage(SimProfile* profile) : CSettingsPage(IDD_OPTIONS_PAGE, profile, true) {}

COptionsPage::~COptionsPage() = default;

std::array<COptionPanel*, 3> COptionsPage::panels() const {
    return {m_analog.get(), m_gate.get(), m_outputFile.get()};
}

void COptionsPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPT_CATEGORY, m_category);
    DDX_Text(pDX, IDC_SPEED_LEVEL, m_speedLevel);
}

BOOL COptionsPage::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    m_category.ResetContent();
    if (CWnd* marker = GetDlgItem(IDC_OPT_MARKER)) {
        RECT rect{};
        marker->GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_marker = {rect.left, rect.top};
    }
    // Panels of an earlier window of the page go first.
    m_current = nullptr;
    for (COptionPanel* panel : panels()) {
        if (panel != nullptr) {
            panel->DestroyWindow();
        }
    }
    m_analog = std::make_unique<COptAnalg>();
    m_gate = std::make_unique<COptGate>();
    m_outputFile = std::make_unique<COptOutFl>();

    const std::array<std::pair<UINT, UINT>, 3> categories = {{
        {IDS_CATEGORY_ANALOG, IDD_OPT_ANALOG},
        {IDS_CATEGORY_GATE, IDD_OPT_GATE},
        {IDS_CATEGORY_OUTPUT, IDD_OPT_OUTPUT_FILE},
    }};
    const auto all = panels();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const int item = m_category.AddString(OptionText(categories[i].first));
        all[i]->Create(categories[i].second, this);
        m_category.SetItemDataPtr(item, all[i]);
    }
    m_category.SetCurSel(0);
    showCategory();

    if (m_pProfile != nullptr) {
        OptionSettings* record = m_pProfile->options;
        for (COptionPanel* panel : all) {
            panel->LoadFromProfile(record);
        }
        if (record != nullptr) {
            m_speedLevel =
                std::atoi(record->optionValues[slotIndex(OptionSlot::speedLevel)].c_str());
        }
    }
    // The edit shows the level before the up-down control takes it, so that the control finds
    // its buddy's text already right and the page is not marked modified by opening it.
    UpdateData(FALSE);
    SendDlgItemMessage(IDC_SPEED_SPIN, UDM_SETRANGE32, kLowestSpeedLevel, kHighestSpeedLevel);
    SendDlgItemMessage(IDC_SPEED_SPIN, UDM_SETPOS32, 0, m_speedLevel);
    UpdateData(FALSE);
    return TRUE;
}

void COptionsPage::showCategory() {
    const int selected = m_category.GetCurSel();
    ShowControls(*this, {IDC_SPEED_LABEL, IDC_SPEED_TEXT, IDC_SPEED_LEVEL, IDC_SPEED_SPIN},
                 selected == 0);
    if (m_current != nullptr) {
        m_current->ShowWindow(SW_HIDE);
    }
    m_current =
        selected >= 0 ? static_cast<COptionPanel*>(m_category.GetItemDataPtr(selected)) : nullptr;
    if (m_current == nullptr || m_current->GetSafeHwnd() == nullptr) {
        return;
    }
    RECT rect{};
    m_current->GetWindowRect(&rect);
    m_current->MoveWindow(m_marker.x, m_marker.y, rect.right - rect.left, rect.bottom - rect.top,
                          TRUE);
    m_current->ShowWindow(SW_SHOW);
}

void COptionsPage::showPanel(const COptionPanel* panel) {
    const auto all = panels();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == panel && m_category.GetCurSel() != static_cast<int>(i)) {
            m_category.SetCurSel(static_cast<int>(i));
            showCategory();
        }
    }
}

void COptionsPage::OnCategoryChanged() {
    showCategory();
}

void COptionsPage::OnSpeedLevelChanged() {
    SetModified(TRUE);
}

BOOL COptionsPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    // A number a panel refuses has been reported with the focus on its edit: the panel is shown
    // so that the user sees it.
    for (COptionPanel* panel : panels()) {
        if (panel != nullptr && panel->GetSafeHwnd() != nullptr && !panel->UpdateData(TRUE)) {
            showPanel(panel);
            return FALSE;
        }
    }
    if (m_pProfile != nullptr) {
        if (m_pProfile->options != nullptr) {
            ResetAndCompare(*m_pProfile->options, OptionSlot::speedLevel, m_speedLevel);
        }
        for (COptionPanel* panel : panels()) {
            if (panel != nullptr) {
                panel->SaveToProfile();
            }
        }
    }
    return CSettingsPage::OnApply();
}

void COptionsPage::OnReset() {
    if (m_pProfile != nullptr && m_pProfile->options != nullptr) {
        m_speedLevel = std::atoi(OptionDefault(OptionSlot::speedLevel).data());
    }
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    UpdateData(FALSE);
    SendDlgItemMessage(IDC_SPEED_SPIN, UDM_SETPOS32, 0, m_speedLevel);
    SetModified(TRUE);
}

void COptionsPage::CloseAllModalDialogs() {
    if (m_analog != nullptr) {
        m_analog->CloseModalDialogs();
    }
    if (m_gate != nullptr) {
        m_gate->CloseModalDialogs();
    }
}

void COptionsPage::OnHelp() {
    ShowOptionsHelp();
}
