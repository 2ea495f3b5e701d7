// CPropertySheet: the framework object of a system property sheet. The window is always made
// modeless (PSH_MODELESS) and bound to the object before its first page is shown; DoModal
// then runs the sheet's own modal loop until the system sheet reports that OK or Cancel closed
// it (PSM_GETCURRENTPAGEHWND answers null), as the framework does, so that the sheet's and the
// pages' message maps see every command while it runs.
#include <cstring>
#include <string>

#include "afxcmn.h"
#include "afxpropsheet.h"

#include <kvwin32/desktop.h>
#include <kvwin32/modal.h>

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_WM_CLOSE()
ON_WM_SYSCOMMAND()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// The window style the sheet being made on this thread is to have: the system sheet offers
// its template to the sheet's callback (PSCB_PRECREATE) before it makes the window. One per
// thread, as windows are made by the thread that owns them.
struct SheetCreation {
    bool active = false;              // a CPropertySheet is making its window
    DWORD style = 0;                  // WS_/DS_ style (DS_SETFONT follows the template)
    DWORD exStyle = 0;                // WS_EX_ style
    CPropertySheet* sheet = nullptr;  // the object the window is bound to
};

SheetCreation& sheetCreation() {
    thread_local SheetCreation creation;
    return creation;
}

// Rewrites the style of a DLGTEMPLATE or DLGTEMPLATEEX in place.
void applyTemplateStyle(void* dialogTemplate, const SheetCreation& creation) {
    auto* bytes = static_cast<unsigned char*>(dialogTemplate);
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, bytes, sizeof version);
    std::memcpy(&signature, bytes + 2, sizeof signature);
    // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style; DLGTEMPLATE: style, exStyle.
    const bool extended = version == 1 && signature == 0xFFFF;
    unsigned char* stylePlace = bytes + (extended ? 12 : 0);
    unsigned char* exStylePlace = bytes + (extended ? 8 : 4);
    DWORD style = 0;
    std::memcpy(&style, stylePlace, sizeof style);
    DWORD wanted = (creation.style & ~static_cast<DWORD>(DS_SETFONT)) | (style & DS_SETFONT);
    std::memcpy(stylePlace, &wanted, sizeof wanted);
    std::memcpy(exStylePlace, &creation.exStyle, sizeof creation.exStyle);
}

int sheetCallback(HWND hwnd, UINT message, LPARAM lParam) {
    const SheetCreation& creation = sheetCreation();
    if (!creation.active) {
        return 0;
    }
    if (message == PSCB_PRECREATE && lParam != 0) {
        applyTemplateStyle(reinterpret_cast<void*>(lParam), creation);
    } else if (message == PSCB_INITIALIZED && creation.sheet != nullptr &&
               creation.sheet->m_hWnd == nullptr) {
        // The window exists and its pages are about to be shown: bind it now, so that the
        // first page's activation already finds its sheet object.
        creation.sheet->SubclassWindow(hwnd);
    }
    return 0;
}

// The buttons the framework hides on a modeless sheet.
constexpr int kStandardButtons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};

// The style of a modal sheet's window (shown by DoModal once it is bound).
constexpr DWORD kModalStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP;
// The framework's default style of a modeless sheet.
constexpr DWORD kModelessStyle =
    WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | WS_VISIBLE;

// A modal loop that keeps dispatching messages nobody typed without the sheet closing is
// hung; after this many it is cancelled.
constexpr int kMaxMessagesWithoutInput = 100000;

bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

bool isPushButton(HWND control) {
    char className[16] = {};
    if (GetClassNameA(control, className, sizeof className) == 0 ||
        std::strcmp(className, "Button") != 0) {
        return false;
    }
    auto kind = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & BS_TYPEMASK;
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_USERBUTTON ||
           kind == BS_OWNERDRAW;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

CPropertySheet::CPropertySheet() {
    commonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) {
    Construct(captionId, parent, selectPage);
}

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage) {
    Construct(caption, parent, selectPage);
}

CPropertySheet::~CPropertySheet() {
    if (m_tabControl != nullptr) {
        m_tabControl->Detach();  // the tab control is the sheet window's, not the object's
    }
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

void CPropertySheet::Construct(UINT captionId, CWnd* parent, UINT selectPage) {
    CString caption;
    if (captionId != 0) {
        caption.LoadString(captionId);
    }
    Construct(caption.GetString(), parent, selectPage);
}

void CPropertySheet::Construct(LPCSTR caption, CWnd* parent, UINT selectPage) {
    commonConstruct(parent, selectPage);
    m_strCaption = caption;
    m_psh.pszCaption = m_strCaption;
}

void CPropertySheet::commonConstruct(CWnd* parent, UINT selectPage) {
    m_psh = PROPSHEETHEADERA{};
    m_psh.dwSize = sizeof(PROPSHEETHEADERA);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = selectPage;
    m_psh.pfnCallback = &sheetCallback;
    m_psh.pszCaption = m_strCaption;
    m_pParentWnd = parent;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
}

// ---- Pages ------------------------------------------------------------------------------------

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page == nullptr) {
        return;
    }
    m_pages.push_back(page);
    if (m_hWnd != nullptr) {
        // The window takes a page made from the same description.
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page->m_psp)) {
            if (!PropSheet_AddPage(m_hWnd, handle)) {
                DestroyPropertySheetPage(handle);
            }
        }
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    int index = GetPageIndex(page);
    if (index >= 0) {
        RemovePage(index);
    }
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount()) {
        return;
    }
    if (m_hWnd != nullptr) {
        PropSheet_RemovePage(m_hWnd, index, nullptr);
    }
    m_pages.erase(m_pages.begin() + index);
    if (m_psh.nStartPage >= static_cast<UINT>(GetPageCount()) && m_psh.nStartPage > 0) {
        m_psh.nStartPage = 0;
    }
}

int CPropertySheet::GetPageCount() const {
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    if (index < 0 || index >= GetPageCount()) {
        return nullptr;
    }
    return m_pages[static_cast<size_t>(index)];
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const {
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)] == page) {
            return i;
        }
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const {
    if (m_hWnd == nullptr) {
        return static_cast<int>(m_psh.nStartPage);
    }
    HWND current = PropSheet_GetCurrentPageHwnd(m_hWnd);
    if (current == nullptr) {
        return -1;
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)]->m_hWnd == current) {
            return i;
        }
    }
    return PropSheet_HwndToIndex(m_hWnd, current);
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (m_hWnd == nullptr) {
        // As the framework does, the start page is only recorded here (pages may still be
        // added); an index out of range opens the first page when the window is made.
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (index < 0 || index >= GetPageCount()) {
        return FALSE;
    }
    return PropSheet_SetCurSel(m_hWnd, nullptr, index);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
    int index = GetPageIndex(page);
    return index >= 0 ? SetActivePage(index) : FALSE;
}

// ---- Appearance ---------------------------------------------------------------------------------

void CPropertySheet::EnableStackedTabs(BOOL stacked) {
    m_bStacked = stacked ? TRUE : FALSE;
}

void CPropertySheet::SetTitle(LPCSTR text, UINT style) {
    m_strCaption = text;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags = (m_psh.dwFlags & ~static_cast<DWORD>(PSH_PROPTITLE)) | (style & PSH_PROPTITLE);
    if (m_hWnd != nullptr) {
        PropSheet_SetTitle(m_hWnd, style, m_strCaption.GetString());
    }
}

CTabCtrl* CPropertySheet::GetTabControl() const {
    HWND tab = m_hWnd != nullptr ? PropSheet_GetTabControl(m_hWnd) : nullptr;
    if (m_tabControl != nullptr && m_tabControl->m_hWnd != tab) {
        m_tabControl->Detach();  // the window it stood for is gone with its sheet
    }
    if (tab == nullptr) {
        return nullptr;
    }
    if (m_tabControl == nullptr) {
        m_tabControl = std::make_unique<CTabCtrl>();
    }
    if (m_tabControl->m_hWnd == nullptr && !m_tabControl->Attach(tab)) {
        // Another framework object owns the tab control already: that one serves.
        return dynamic_cast<CTabCtrl*>(CWnd::FromHandlePermanent(tab));
    }
    return m_tabControl.get();
}

// ---- Making the window ------------------------------------------------------------------------

void CPropertySheet::BuildPropPageArray(std::vector<PROPSHEETPAGEA>& descriptions) {
    // The system copies each description (dwSize bytes) while it makes the sheet.
    descriptions.clear();
    descriptions.reserve(m_pages.size());
    for (CPropertyPage* page : m_pages) {
        descriptions.push_back(page->m_psp);
        // A page that asks for help gives the sheet its Help button, as the framework does.
        if (page->m_psp.dwFlags & PSP_HASHELP) {
            m_psh.dwFlags |= PSH_HASHELP;
        }
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.nPages = static_cast<UINT>(descriptions.size());
    m_psh.ppsp = descriptions.data();
    if (m_psh.nStartPage >= m_psh.nPages) {
        m_psh.nStartPage = 0;
    }
}

BOOL CPropertySheet::createSheetWindow(HWND parent, DWORD style, DWORD exStyle) {
    if (m_hWnd != nullptr || m_pages.empty()) {
        return FALSE;
    }
    std::vector<PROPSHEETPAGEA> descriptions;
    BuildPropPageArray(descriptions);
    m_psh.hwndParent = parent;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = &sheetCallback;

    SheetCreation& creation = sheetCreation();
    const SheetCreation previous = creation;
    creation = SheetCreation{true, style, exStyle, this};
    INT_PTR made = PropertySheetA(&m_psh);
    creation = previous;

    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    m_psh.ppsp = nullptr;
    auto hwnd = reinterpret_cast<HWND>(made);
    if (made == 0 || made == -1 || !::IsWindow(hwnd)) {
        if (m_hWnd != nullptr) {
            Detach();
        }
        return FALSE;
    }
    if (m_hWnd != hwnd && (m_hWnd != nullptr || !SubclassWindow(hwnd))) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    OnInitDialog();
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    if (!m_bStacked) {
        // One row of tabs that scrolls instead of wrapping.
        if (HWND tab = PropSheet_GetTabControl(m_hWnd)) {
            auto tabStyle = static_cast<DWORD>(::GetWindowLongA(tab, GWL_STYLE));
            if ((tabStyle & TCS_MULTILINE) != 0) {
                ::SetWindowLongA(tab, GWL_STYLE, static_cast<LONG>(tabStyle & ~TCS_MULTILINE));
            }
        }
    }
    if (m_bModeless) {
        // A modeless sheet's owner closes it: the window ends above the button row, and the
        // standard buttons are hidden and disabled.
        if (HWND ok = ::GetDlgItem(m_hWnd, IDOK)) {
            RECT window{};
            RECT button{};
            ::GetWindowRect(m_hWnd, &window);
            ::GetWindowRect(ok, &button);
            if (button.top > window.top) {
                SetWindowPos(nullptr, 0, 0, window.right - window.left, button.top - window.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        for (int id : kStandardButtons) {
            if (HWND button = ::GetDlgItem(m_hWnd, id)) {
                ::ShowWindow(button, SW_HIDE);
                ::EnableWindow(button, FALSE);
            }
        }
    }
    if ((GetStyle() & WS_CHILD) == 0) {
        CenterWindow();
    }
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    if (style == static_cast<DWORD>(-1)) {
        style = kModelessStyle;
    }
    if (parent == nullptr) {
        parent = m_pParentWnd;
    }
    m_bModeless = TRUE;
    m_nModalResult = 0;
    m_endModal = false;
    return createSheetWindow(parent != nullptr ? parent->GetSafeHwnd() : nullptr, style, exStyle);
}

// ---- Running ------------------------------------------------------------------------------------

INT_PTR CPropertySheet::DoModal() {
    if (m_hWnd != nullptr) {
        return -1;
    }
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr && ::IsWindow(m_pParentWnd->GetSafeHwnd())) {
        owner = ::GetAncestor(m_pParentWnd->GetSafeHwnd(), GA_ROOT);
    }
    bool ownerDisabled = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    m_nModalResult = 0;
    m_endModal = false;
    m_bModeless = FALSE;
    INT_PTR result = -1;
    if (createSheetWindow(owner, kModalStyle, 0)) {
        ShowWindow(SW_SHOWNORMAL);
        result = runModalLoop();
    }
    if (m_hWnd != nullptr) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (ownerDisabled && ::IsWindow(owner)) {
        ::EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(owner);
    }
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    return result;
}

int CPropertySheet::runModalLoop() {
    const kvwin32::ModalLoopScope modalLoop(m_hWnd);
    int withoutInput = 0;
    while (ContinueModal()) {
        MSG msg{};
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop up to the application's own, which must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        const char* why = nullptr;
        if (got == -1) {
            why = "input ended";
        } else {
            withoutInput = isUserInput(msg.message) ? 0 : withoutInput + 1;
            if (!CWnd::WalkPreTranslateTree(m_hWnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (withoutInput > kMaxMessagesWithoutInput && ContinueModal()) {
                why = "no input";
            }
        }
        if (why != nullptr) {
            // Nobody is left to answer the sheet: it is cancelled as by its Cancel button.
            CString caption;
            if (::IsWindow(m_hWnd)) {
                GetWindowText(caption);
                HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
                SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                            reinterpret_cast<LPARAM>(cancel));
            }
            m_nModalResult = IDCANCEL;
            m_endModal = true;
            kvwin32::transcriptNote(std::string(why) + " in modal property sheet \"" +
                                    caption.str() + "\": cancelled");
            break;
        }
    }
    return m_nModalResult;
}

BOOL CPropertySheet::ContinueModal() {
    if (m_endModal || m_hWnd == nullptr || !::IsWindow(m_hWnd)) {
        return FALSE;
    }
    return PropSheet_GetCurrentPageHwnd(m_hWnd) != nullptr ? TRUE : FALSE;
}

void CPropertySheet::EndDialog(int result) {
    m_nModalResult = result;
    m_endModal = true;
    if (m_bModeless && m_hWnd != nullptr) {
        DestroyWindow();
    }
}

void CPropertySheet::PressButton(int button) {
    if (m_hWnd != nullptr) {
        ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    }
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
    if (msg == nullptr || m_hWnd == nullptr) {
        return FALSE;
    }
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) {
        return FALSE;
    }
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) {
        return FALSE;
    }
    return PropSheet_IsDialogMessage(m_hWnd, msg);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The message maps first: a derived sheet may handle OK, Cancel or Apply itself.
    if (CWnd::OnCommand(wParam, lParam)) {
        return TRUE;
    }
    auto control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr && HIWORD(wParam) == BN_CLICKED && isPushButton(control)) {
        m_nModalResult = LOWORD(wParam);
    }
    return FALSE;
}

void CPropertySheet::OnClose() {
    m_nModalResult = IDCANCEL;
    if (m_bModeless) {
        DestroyWindow();
        return;
    }
    Default();
}

void CPropertySheet::OnSysCommand(UINT id, LPARAM /*lParam*/) {
    if ((id & 0xFFF0) == SC_CLOSE) {
        m_nModalResult = IDCANCEL;
        if (m_bModeless) {
            SendMessage(WM_CLOSE);
            return;
        }
    }
    Default();
}

void CPropertySheet::OnNcDestroy() {
    if (m_tabControl != nullptr) {
        m_tabControl->Detach();
    }
    CWnd::OnNcDestroy();
}
