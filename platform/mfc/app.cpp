// The application object and the module state: which application, instance and resource
// module are current for the calling thread, how a library's application is started when the
// library is loaded, the wait cursor, and help requests.
#include <cstdlib>
#include <cstring>
#include <string>

#include "afxwin.h"

namespace {

// A malloc'ed copy, as the framework keeps its application strings (free() releases them).
LPCSTR duplicate(LPCSTR text) {
    return text ? strdup(text) : nullptr;
}

void release(LPCSTR& text) {
    std::free(const_cast<char*>(text));
    text = nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName) : m_pszAppName(duplicate(appName)) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_pCurrentWinApp = this;
    m_hInstance = state->m_hCurrentInstanceHandle;
    if (m_pszAppName) {
        state->m_lpszCurrentAppName = m_pszAppName;
    }
}

CWinApp::~CWinApp() {
    // Leave whichever module state still names this application.
    for (AFX_MODULE_STATE* state : {AfxGetModuleState(), AfxGetAppModuleState()}) {
        if (state->m_pCurrentWinApp == this) {
            state->m_pCurrentWinApp = nullptr;
            state->m_lpszCurrentAppName = nullptr;
        }
    }
    release(m_pszAppName);
    release(m_pszExeName);
    release(m_pszHelpFilePath);
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    if (!msg) {
        return FALSE;
    }
    // From the message's window up to its top-level window, each framework window may take
    // it (a modeless dialog runs IsDialogMessage).
    return CWnd::WalkPreTranslateTree(nullptr, msg);
}

void CWinApp::SetCurrentHandles(HINSTANCE instance) {
    m_hInstance = instance;
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    // "C:\dir\kvTessel64.dll": the base name is the application's default name; the default
    // help file is the module's path with the extension ".HLP", as the framework names it.
    const std::string full(path, length);
    const size_t slash = full.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = full.rfind('.');
    if (dot == std::string::npos || dot < nameStart) {
        dot = full.size();
    }
    std::string base = full.substr(nameStart, dot - nameStart);
    // A shared object "libX.so" is the module the product knows as "X.dll": its name is X.
    if (full.compare(dot, std::string::npos, ".so") == 0 && base.size() > 3 &&
        base.compare(0, 3, "lib") == 0) {
        base.erase(0, 3);
    }
    release(m_pszExeName);
    m_pszExeName = duplicate(base.c_str());
    if (!m_pszAppName) {
        m_pszAppName = duplicate(base.c_str());
    }
    release(m_pszHelpFilePath);
    m_pszHelpFilePath = duplicate((full.substr(0, dot) + ".HLP").c_str());
}

void CWinApp::DoWaitCursor(int code) {
    // The count nests; the wait cursor shows while it is positive and the arrow comes back
    // when it drops to zero.
    if (code > 0) {
        ++m_nWaitCursorCount;
    } else if (code < 0 && m_nWaitCursorCount > 0) {
        --m_nWaitCursorCount;
    }
    if (m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    } else if (code != 0) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    }
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

HICON CWinApp::LoadIcon(LPCSTR name) const {
    return ::LoadIconA(AfxGetResourceHandle(), name);
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR name) const {
    return ::LoadCursorA(nullptr, name);
}

void CWinApp::WinHelp(DWORD_PTR data, UINT cmd) {
    // The help file is the application's; the request goes to the desktop's help.
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : ::GetActiveWindow();
    ::WinHelpA(owner, m_pszHelpFilePath ? m_pszHelpFilePath : "", cmd, data);
}

void CWinApp::OnHelp() {
    WinHelp(0, HELP_FINDER);
}

// ---- The module state and its accessors ------------------------------------------------------

CWinApp* AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = resource;
}

LPCSTR AfxGetAppName() {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp && state->m_pCurrentWinApp->m_pszAppName) {
        return state->m_pCurrentWinApp->m_pszAppName;
    }
    return state->m_lpszCurrentAppName;
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxModuleFromAddress(const void* address) {
    HMODULE module = nullptr;
    const DWORD flags =
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    return GetModuleHandleExA(flags, static_cast<LPCSTR>(address), &module) ? module : nullptr;
}

BOOL AfxInitModuleApplication(CWinApp& app, AFX_MODULE_STATE* state) {
    if (!state) {
        return FALSE;
    }
    HINSTANCE module = AfxModuleFromAddress(&app);
    state->m_pCurrentWinApp = &app;
    state->m_hCurrentInstanceHandle = module;
    if (!state->m_hCurrentResourceHandle) {
        state->m_hCurrentResourceHandle = module;
    }
    app.SetCurrentHandles(module);
    state->m_lpszCurrentAppName = app.m_pszAppName;
    AFX_MANAGE_STATE(state);
    return app.InitInstance();
}

// ---- The wait cursor ---------------------------------------------------------------------------

CWaitCursor::CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(1);
    }
}

CWaitCursor::~CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(-1);
    }
}

void CWaitCursor::Restore() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(0);
    }
}
