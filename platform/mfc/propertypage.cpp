// CPropertyPage: a dialog shown by the system property sheet as one of its pages. The sheet
// makes the page's window from m_psp; the page's callback tells the framework which object
// the window belongs to just before it is made, so the framework's dialog procedure binds it
// on its first message. The sheet then speaks to the page with PSN_ notifications, which
// OnNotify turns into the page's virtuals, storing the answer where the sheet reads it.
#include "afxpropsheet.h"
#include "thread_state.h"

namespace {

// The page's PROPSHEETPAGEA callback: PSPCB_CREATE comes just before the sheet makes the
// page's window, with the page's description (whose lParam is the page object).
UINT pageCallback(HWND /*hwnd*/, UINT message, PROPSHEETPAGEA* description) {
    if (message == PSPCB_CREATE && description != nullptr) {
        auto* page = reinterpret_cast<CPropertyPage*>(description->lParam);
        if (page == nullptr || page->m_hWnd != nullptr) {
            return FALSE;  // one window per page object
        }
        kvmfc::threadState().windowInit = page;
    }
    return TRUE;
}

// Stores a notification's answer both ways the sheet may read it: as the window procedure's
// result (which the framework returns) and in the dialog's DWLP_MSGRESULT.
void setAnswer(HWND page, LRESULT* result, LRESULT answer) {
    if (result != nullptr) {
        *result = answer;
    }
    if (page != nullptr) {
        SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    }
}

}  // namespace

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) {
    commonConstruct(MAKEINTRESOURCEA(templateId), captionId);
}

CPropertyPage::CPropertyPage(LPCSTR templateName, UINT captionId) {
    commonConstruct(templateName, captionId);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT templateId, UINT captionId) {
    if (m_hWnd == nullptr) {
        commonConstruct(MAKEINTRESOURCEA(templateId), captionId);
    }
}

void CPropertyPage::Construct(LPCSTR templateName, UINT captionId) {
    if (m_hWnd == nullptr) {
        commonConstruct(templateName, captionId);
    }
}

void CPropertyPage::commonConstruct(LPCSTR templateName, UINT captionId) {
    m_psp = PROPSHEETPAGEA{};
    m_psp.dwSize = sizeof(PROPSHEETPAGEA);
    m_psp.dwFlags = PSP_USECALLBACK;
    // The template is looked up in the module whose resources are current now: a library's
    // pages are built with the library's module state, whatever is current when shown.
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = templateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &pageCallback;
    m_strCaption.Empty();
    if (captionId != 0 && m_strCaption.LoadString(captionId)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_lpszTemplateName = templateName;
    m_nIDHelp =
        IS_INTRESOURCE(templateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(templateName)) : 0;
    m_bFirstSetActive = TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    return dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL changed) {
    // Allowed before the window exists (pages mark themselves while loading): nothing to tell.
    if (m_hWnd == nullptr) {
        return;
    }
    if (HWND sheet = ::GetParent(m_hWnd)) {
        ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED,
                       reinterpret_cast<WPARAM>(m_hWnd), 0);
    }
}

void CPropertyPage::CancelToClose() {
    if (m_hWnd != nullptr) {
        if (HWND sheet = ::GetParent(m_hWnd)) {
            ::SendMessageA(sheet, PSM_CANCELTOCLOSE, 0, 0);
        }
    }
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
    if (m_hWnd == nullptr) {
        return 0;
    }
    HWND sheet = ::GetParent(m_hWnd);
    return sheet != nullptr ? ::SendMessageA(sheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive) {
        // OnInitDialog has just loaded the controls.
        m_bFirstSetActive = FALSE;
        return TRUE;
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE) ? TRUE : FALSE;
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* /*msg*/) {
    return FALSE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // The message maps (and reflection to the page's controls) come first.
    if (CDialog::OnNotify(wParam, lParam, result)) {
        return TRUE;
    }
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || m_hWnd == nullptr) {
        return FALSE;
    }
    // Only the sheet (or the page itself) speaks the PSN_ protocol.
    if (header->hwndFrom != m_hWnd && header->hwndFrom != ::GetParent(m_hWnd)) {
        return FALSE;
    }
    switch (header->code) {
        case PSN_SETACTIVE:
            // 0 accepts the activation, -1 refuses it.
            setAnswer(m_hWnd, result, OnSetActive() ? 0 : -1);
            return TRUE;
        case PSN_KILLACTIVE:
            // TRUE keeps the user on the page.
            setAnswer(m_hWnd, result, OnKillActive() ? FALSE : TRUE);
            return TRUE;
        case PSN_APPLY:
            setAnswer(m_hWnd, result, OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
            return TRUE;
        case PSN_RESET:
            OnReset();
            setAnswer(m_hWnd, result, 0);
            return TRUE;
        case PSN_QUERYCANCEL:
            // TRUE refuses the cancel.
            setAnswer(m_hWnd, result, OnQueryCancel() ? FALSE : TRUE);
            return TRUE;
        case PSN_HELP:
            SendMessage(WM_COMMAND, ID_HELP);
            setAnswer(m_hWnd, result, 0);
            return TRUE;
        default:
            return FALSE;
    }
}
