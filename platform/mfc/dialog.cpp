// CDialog: dialogs from templates, modal (DialogBoxParamA) and modeless (CreateDialogParamA),
// whose windows are bound to their CDialog by the framework's dialog procedure on the first
// message the dialog manager hands it, before any control exists.
#include "afxwin.h"
#include "thread_state.h"

using kvmfc::threadState;

// IDOK and IDCANCEL (the buttons, Enter and Escape) go to OnOK and OnCancel.
BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) {
        kvmfc::ThreadState& state = threadState();
        CWnd* init = state.windowInit;
        // WM_INITDIALOG carries the CDialog as its parameter; a dialog manager that gives
        // nothing earlier is bound there.
        if (!init && message == WM_INITDIALOG) {
            init = reinterpret_cast<CDialog*>(lParam);
        }
        if (init && !init->m_hWnd) {
            state.windowInit = nullptr;
            if (init->SubclassWindow(hwnd)) {
                wnd = init;
            }
        }
    }
    if (message == WM_INITDIALOG) {
        if (auto* dialog = dynamic_cast<CDialog*>(wnd)) {
            return dialog->OnInitDialog();
        }
        return TRUE;
    }
    return FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)),
      m_nIDHelp(templateId),
      m_pParentWnd(parent) {}

CDialog::CDialog(LPCSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent) {
    if (IS_INTRESOURCE(templateName)) {
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(templateName));
    }
}

CDialog::~CDialog() {
    if (m_hWnd) {
        DestroyWindow();
    }
}

namespace {

// The module that holds a dialog template: the current resource module, else the module of
// the application (the framework looks through its module chain the same way).
HINSTANCE templateModule(LPCSTR templateName) {
    HINSTANCE resource = AfxGetResourceHandle();
    if (templateName && FindResourceA(resource, templateName, RT_DIALOG)) {
        return resource;
    }
    HINSTANCE instance = AfxGetInstanceHandle();
    if (templateName && FindResourceA(instance, templateName, RT_DIALOG)) {
        return instance;
    }
    return resource;
}

// The owner of a modal dialog without a parent: the thread's active window.
HWND safeOwner(CWnd* parent) {
    if (parent && parent->m_hWnd) {
        return parent->m_hWnd;
    }
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd) {
        return app->m_pMainWnd->m_hWnd;
    }
    return ::GetActiveWindow();
}

}  // namespace

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (!m_nIDHelp) {
        m_nIDHelp = templateId;
    }
    return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent) {
    if (m_hWnd || !templateName) {
        return FALSE;
    }
    m_lpszTemplateName = templateName;
    if (parent) {
        m_pParentWnd = parent;
    }
    kvmfc::ThreadState& state = threadState();
    CWnd* const previousInit = state.windowInit;
    state.windowInit = this;
    HWND hwnd = CreateDialogParamA(templateModule(templateName), templateName,
                                   m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &AfxDlgProc,
                                   reinterpret_cast<LPARAM>(this));
    state.windowInit = previousInit;
    if (!hwnd) {
        return FALSE;
    }
    if (!m_hWnd) {
        SubclassWindow(hwnd);
    }
    return m_hWnd == hwnd;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd || !m_lpszTemplateName) {
        return -1;
    }
    kvmfc::ThreadState& state = threadState();
    CWnd* const previousInit = state.windowInit;
    state.windowInit = this;
    m_modal = true;
    const INT_PTR result =
        DialogBoxParamA(templateModule(m_lpszTemplateName), m_lpszTemplateName,
                        safeOwner(m_pParentWnd), &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    state.windowInit = previousInit;
    if (m_hWnd && !IsWindow(m_hWnd)) {
        Detach();  // the dialog manager destroyed it without our procedure seeing the end
    }
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;  // the refusing field told the user and has the focus
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (m_hWnd && control && control->m_hWnd) {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
    }
}

void CDialog::NextDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::SetDefID(UINT id) {
    ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT rect) const {
    ::MapDialogRect(m_hWnd, rect);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // A modeless dialog's keyboard interface; a modal one has its own loop.
    if (!m_hWnd || m_modal || !msg) {
        return FALSE;
    }
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) {
        return FALSE;
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}
