// CSimAnalysisPage: the type combo, the option list, the child slots and their placement,
// Apply in the product's order, and Help.
#include "SimAnalysisPage.h"

#include <afxdd_.h>

#include "AcSweepDlg.h"
#include "BiasPointDlg.h"
#include "CheckPointDlg.h"
#include "DCSaveBiasDlg.h"
#include "DcSweepDlg.h"
#include "LoadBiasDlg.h"
#include "MCWCDlg.h"
#include "MessageText.h"
#include "RestartSimDlg.h"
#include "TempDlg.h"
#include "TransientDlg.h"
#include "TrSvBiasDlg.h"
#include "kvTessel/SimProfile.h"
#include "resource.h"

namespace {

// Help topic of the Analysis page.
constexpr int kHelpTopic = 49186;
// The list index of "Restart Simulation" (only the transient list has an eighth item).
constexpr int kRestartItem = 7;

// The order in which the children's windows are created.
constexpr Slot kCreationOrder[] = {
    Slot::transient,         Slot::acSweep,          Slot::temperature,     Slot::loadBias,
    Slot::dcPrimarySweep,    Slot::dcSecondarySweep, Slot::parametricSweep, Slot::biasPoint,
    Slot::transientSaveBias, Slot::dcSaveBias,       Slot::monteCarlo,      Slot::checkpoint,
    Slot::restart,
};

// The template of each slot's dialog, in slot order (0: the empty slot).
constexpr UINT kSlotTemplates[kSlotCount] = {
    IDD_TRANSIENT_DLG,    IDD_AC_SWEEP_DLG,  IDD_DC_SWEEP_DLG,    IDD_BIAS_POINT_DLG,
    IDD_MCWC_DLG,         IDD_DC_SWEEP_DLG,  IDD_TEMPERATURE_DLG, IDD_TRAN_SAVE_BIAS_DLG,
    IDD_DC_SAVE_BIAS_DLG, IDD_LOAD_BIAS_DLG, IDD_DC_SWEEP_DLG,    0,
    IDD_CHECKPOINT_DLG,   IDD_RESTART_DLG,
};

std::size_t at(Slot slot) {
    return static_cast<std::size_t>(slot);
}

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSimAnalysisPage, CSettingsPage)
ON_CBN_SELCHANGE(IDC_ANALYSIS_TYPE, OnTypeChange)
ON_LBN_SELCHANGE(IDC_OPTION_LIST, OnOptionSelChange)
ON_LBN_DBLCLK(IDC_OPTION_LIST, OnOptionDblClk)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CSimAnalysisPage::CSimAnalysisPage(SimProfile* profile)
    : CSettingsPage(IDD_ANALYSIS_PAGE, profile, true) {
    if (profile != nullptr) {
        m_analysisType = profile->analysisType;
    }
}

CSimAnalysisPage::~CSimAnalysisPage() {
    destroyChildren();
}

void CSimAnalysisPage::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANALYSIS_TYPE, m_typeCombo);
    DDX_Control(pDX, IDC_OPTION_LIST, m_optionList);
}

CAnalysisDlg* CSimAnalysisPage::SlotDialog(Slot slot) const {
    return m_slots[at(slot)].get();
}

unsigned CSimAnalysisPage::SelectedTypeData() const {
    if (m_typeCombo.GetSafeHwnd() == nullptr) {
        return 0;
    }
    const int index = m_typeCombo.GetCurSel();
    return index == CB_ERR ? 0 : static_cast<unsigned>(m_typeCombo.GetItemData(index));
}

void CSimAnalysisPage::destroyChildren() {
    m_current = nullptr;
    for (auto& child : m_slots) {
        if (child != nullptr) {
            if (child->GetSafeHwnd() != nullptr) {
                child->DestroyWindow();
            }
            child.reset();
        }
    }
}

void CSimAnalysisPage::buildChildren() {
    destroyChildren();
    SimProfile* p = m_pProfile;
    const CString dir = p != nullptr ? CString(p->profileDir.c_str()) : CString();
    m_slots[at(Slot::transient)] =
        std::make_unique<CTransientDlg>(p != nullptr ? p->transient : nullptr);
    m_slots[at(Slot::acSweep)] = std::make_unique<CAcSweepDlg>(p != nullptr ? p->acSweep : nullptr);
    m_slots[at(Slot::dcPrimarySweep)] =
        std::make_unique<CDcSweepDlg>(p != nullptr ? p->dcPrimarySweep : nullptr);
    m_slots[at(Slot::biasPoint)] =
        std::make_unique<CBiasPointDlg>(p != nullptr ? p->biasPoint : nullptr);
    m_slots[at(Slot::monteCarlo)] =
        std::make_unique<CMCWCDlg>(p != nullptr ? p->monteCarlo : nullptr, dir);
    m_slots[at(Slot::parametricSweep)] =
        std::make_unique<CDcSweepDlg>(p != nullptr ? p->parametricSweep : nullptr);
    m_slots[at(Slot::temperature)] =
        std::make_unique<CTempDlg>(p != nullptr ? p->temperature : nullptr);
    m_slots[at(Slot::transientSaveBias)] =
        std::make_unique<CTrSvBiasDlg>(p != nullptr ? p->transientSaveBias : nullptr, dir);
    m_slots[at(Slot::dcSaveBias)] =
        std::make_unique<CDCSaveBiasDlg>(p != nullptr ? p->dcSaveBias : nullptr, dir);
    m_slots[at(Slot::loadBias)] =
        std::make_unique<CLoadBiasDlg>(p != nullptr ? p->loadBias : nullptr, dir);
    m_slots[at(Slot::dcSecondarySweep)] =
        std::make_unique<CDcSweepDlg>(p != nullptr ? p->dcSecondarySweep : nullptr);
    m_slots[at(Slot::checkpoint)] =
        std::make_unique<CCheckPointDlg>(p != nullptr ? p->checkpoint : nullptr, dir);
    m_slots[at(Slot::restart)] =
        std::make_unique<CRestartSimDlg>(p != nullptr ? p->restart : nullptr, dir);
    for (const Slot slot : kCreationOrder) {
        m_slots[at(slot)]->Create(kSlotTemplates[at(slot)], this);
    }
}

BOOL CSimAnalysisPage::OnInitDialog() {
    CSettingsPage::OnInitDialog();

    CRect marker;
    if (CWnd* place = GetDlgItem(IDC_PLACEMENT_MARKER)) {
        place->GetWindowRect(&marker);
        ScreenToClient(&marker);
    }
    m_markerTopLeft = marker.TopLeft();

    m_typeCombo.ResetContent();
    for (const unsigned id : kTypeStringIds) {
        const int index = m_typeCombo.AddString(loadText(id));
        m_typeCombo.SetItemData(index, id);
    }

    buildChildren();

    // A stored type outside 0 to 3 leaves the combo without a selection: no list, no child.
    m_typeCombo.SetCurSel(m_analysisType);
    rebuildOptionList();
    SetModified(TRUE);

    for (int i = 1; i < m_optionList.GetCount(); ++i) {
        if (CAnalysisDlg* child = childOfItem(i)) {
            m_optionList.SetCheck(i, child->m_enabled != 0 ? 1 : 0);
        }
    }
    return TRUE;
}

CAnalysisDlg* CSimAnalysisPage::childOfItem(int index) {
    return reinterpret_cast<CAnalysisDlg*>(m_optionList.GetItemData(index));
}

void CSimAnalysisPage::rebuildOptionList() {
    const unsigned type = SelectedTypeData();
    if (type == 0) {
        return;
    }
    m_optionList.ResetContent();
    for (const OptionItem& item : OptionsOfType(type)) {
        const int index = m_optionList.AddString(loadText(item.textId));
        m_optionList.SetItemData(index, reinterpret_cast<DWORD_PTR>(SlotDialog(item.slot)));
    }
    m_optionList.SetCheck(0, 1);
    m_optionList.SetCurSel(0);
    showSelected();
    SetModified(TRUE);
}

void CSimAnalysisPage::showSelected() {
    const int index = m_optionList.GetCurSel();
    if (index == LB_ERR) {
        return;
    }
    CAnalysisDlg* child = childOfItem(index);
    if (index == 0) {
        m_optionList.SetCheck(0, 1);  // the first item cannot stay unchecked once selected
    }
    if (child == m_current) {
        return;
    }
    if (m_current != nullptr) {
        m_current->ShowWindow(SW_HIDE);
    }
    m_current = child;
    if (child != nullptr) {
        CRect own;
        child->GetWindowRect(&own);
        child->MoveWindow(m_markerTopLeft.x, m_markerTopLeft.y, own.Width(), own.Height(), TRUE);
        child->ShowWindow(SW_SHOW);
        if (index == kRestartItem) {
            child->SendMessage(kReloadCheckpoints, 1, 0);
        }
    }
    SetModified(TRUE);
}

void CSimAnalysisPage::OnTypeChange() {
    rebuildOptionList();
}

void CSimAnalysisPage::OnOptionSelChange() {
    showSelected();
}

void CSimAnalysisPage::OnOptionDblClk() {
    // A double click toggles the check; the first item stays checked.
    if (m_optionList.GetCurSel() == 0) {
        m_optionList.SetCheck(0, 1);
    }
}

BOOL CSimAnalysisPage::OnApply() {
    if (m_current != nullptr) {
        m_current->UpdateData(TRUE);
    }
    if (const int type = m_typeCombo.GetCurSel(); type >= 0) {
        m_analysisType = type;
    }
    for (auto& child : m_slots) {
        if (child != nullptr) {
            child->m_enabled = 0;
            child->UpdateData(TRUE);
        }
    }
    // The checkpoint dialog sets the flag again while it validates.
    ISyncCkptReStart::Instance()->SetChkptFlag(false);

    for (int i = 0; i < m_optionList.GetCount(); ++i) {
        CAnalysisDlg* child = childOfItem(i);
        if (child == nullptr || m_optionList.GetCheck(i) == 0) {
            continue;
        }
        child->m_enabled = 1;
        if (!child->Validate()) {
            // The child has shown its message and focused its control; show it with the focus
            // kept there.
            const HWND focus = ::GetFocus();
            m_optionList.SetCurSel(i);
            showSelected();
            if (focus != nullptr) {
                ::SetFocus(focus);
            }
            return FALSE;
        }
    }
    if (m_pProfile == nullptr) {
        return TRUE;
    }
    m_pProfile->analysisType = m_analysisType;
    if (m_pProfile->monteCarlo != nullptr) {
        m_pProfile->monteCarlo->analysisType = m_analysisType;
    }
    for (auto& child : m_slots) {
        if (child != nullptr) {
            child->SaveToProfile(m_pProfile);
        }
    }
    return CSettingsPage::OnApply();
}

void CSimAnalysisPage::CloseAllModalDialogs() {
    for (auto& child : m_slots) {
        if (child != nullptr) {
            child->CloseModalDialogs();
        }
    }
}

void CSimAnalysisPage::OnHelp() {
    static bool helpReady = false;  // one flag for the page class, for the process
    ShowHelpTopic(kHelpTopic, helpReady, HelpInitReport::catalogMessage);
}
