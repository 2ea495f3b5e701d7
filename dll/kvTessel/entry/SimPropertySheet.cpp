// CSimPropertySheet: building the sheet and choosing its first page, the window's
// initialisation, the OK/Cancel/Apply procedures with the host notifications, and the
// modeless show/hide cycle.
#include "SimPropertySheet.h"

#include "kvTessel/Exports.h"
#include "kvTessel/SimProfile.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

CSimPropertySheet::CSimPropertySheet(SimProfile* profile, CWnd* parent, int profileScope)
    : CPropertySheet(IDS_SHEET_CAPTION, parent, 0),
      m_analysisPage(profile),
      m_collectionPage(profile),
      m_filesPage(profile),
      m_probeWindowPage(profile),
      m_generalPage(profile),
      m_optionsPage(profile),
      m_measurementPage(profile, &m_analysisPage),
      m_pProfile(profile) {
    AddPage(&m_generalPage);
    AddPage(&m_analysisPage);
    AddPage(&m_filesPage);
    AddPage(&m_optionsPage);
    AddPage(&m_collectionPage);
    AddPage(&m_probeWindowPage);
    profileScopeEnabled = profileScope;
    EnableStackedTabs(FALSE);
}

CSimPropertySheet::~CSimPropertySheet() {
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

void CSimPropertySheet::ChooseStartPage() {
    int start = 0;
    const GeneralSettings* general = m_pProfile != nullptr ? m_pProfile->general : nullptr;
    if (general != nullptr && !general->designFile.empty() && !general->profileName.empty()) {
        start = m_pProfile->activePage;
    }
    // An index the sheet does not have goes to the framework as it is; the framework opens
    // its first page then.
    SetActivePage(start);
}

BOOL CSimPropertySheet::OnInitDialog() {
    // A modeless framework sheet hides OK, Cancel and Apply; this one keeps them.
    const BOOL modeless = m_bModeless;
    m_bModeless = FALSE;
    const BOOL result = CPropertySheet::OnInitDialog();
    m_bModeless = modeless;

    if (CMenu* menu = GetSystemMenu(FALSE)) {
        menu->EnableMenuItem(SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
        menu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
        menu->EnableMenuItem(SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    }
    if (m_pProfile != nullptr && m_pProfile->general != nullptr) {
        SetTitle(SheetTitle(m_pProfile->general->profileName));
        if (m_pProfile->general->circuitMode == 1) {
            SetActivePage(&m_generalPage);
        }
    }
    ModifyStyle(0, WS_CAPTION | WS_SYSMENU);
    SetIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_SETTINGS_SHEET)), TRUE);
    return result;
}

BOOL CSimPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            okProcedure();
            return TRUE;
        case IDCANCEL: {
            const BOOL handled = CPropertySheet::OnCommand(wParam, lParam);
            if (m_bModeless && GetSafeHwnd() != nullptr) {
                DestroyWindow();
            }
            notifyHost(SETTINGS_NOTIFY_CANCEL);
            return handled;
        }
        case ID_APPLY_NOW: {
            const BOOL handled = CPropertySheet::OnCommand(wParam, lParam);
            notifyHost(SETTINGS_NOTIFY_APPLY);
            return handled;
        }
        default:
            return CPropertySheet::OnCommand(wParam, lParam);
    }
}

void CSimPropertySheet::okProcedure() {
    CPropertyPage* active = GetActivePage();
    if (active != nullptr) {
        if (!active->UpdateData(TRUE) || active->OnApply() != 1) {
            return;
        }
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = GetPage(i);
        if (page == active || page->GetSafeHwnd() == nullptr) {
            continue;
        }
        if (page->OnApply() != 1) {
            return;
        }
    }
    // A modal run ends with its window, as a modeless sheet does.
    DestroyWindow();
    notifyHost(SETTINGS_NOTIFY_OK);
}

void CSimPropertySheet::notifyHost(WPARAM code) {
    if (m_hostWnd != nullptr) {
        ::PostMessageA(m_hostWnd, WM_SIMSETTINGS_NOTIFY, code, m_hostCookie);
    }
}

void CSimPropertySheet::ShowModeless(int mode) {
    if (mode != SETTINGS_SHOW_HIDE) {
        if (GetSafeHwnd() != nullptr) {
            ShowWindow(SW_SHOW);
            SetForegroundWindow();
        } else {
            Create(nullptr, static_cast<DWORD>(-1), 0);
        }
        if (mode == SETTINGS_SHOW_TOPMOST && GetSafeHwnd() != nullptr) {
            ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        const int index = GetActiveIndex();
        if (index >= 0 && GetSafeHwnd() != nullptr) {
            SetActivePage(index);
        }
        return;
    }
    m_analysisPage.CloseAllModalDialogs();
    m_optionsPage.CloseAllModalDialogs();
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

void CSimPropertySheet::UpdateGeneralPage(const GeneralSettings* record, GeneralField field) {
    if (record == nullptr) {
        return;
    }
    m_generalPage.UpdateField(record, field);
    if (field == GeneralField::profileName) {
        SetTitle(SheetTitle(record->profileName));
    }
}
