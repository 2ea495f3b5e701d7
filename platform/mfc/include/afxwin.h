// The framework's window layer: command targets and message maps, CWnd (a C++ object bound
// to a window handle), CDialog, the application object CWinApp with the module state that
// says whose resources and application are current, the wait cursor and AfxMessageBox. The
// control wrappers (afxctrls.h) and dialog data exchange (afxdd_.h) are included at the end.
//
// How a CWnd sees its messages: a window that belongs to a CWnd has AfxWndProc as its window
// procedure (the CWnd subclassed it, keeping the previous procedure in m_pfnSuper). AfxWndProc
// finds the CWnd in the calling thread's handle map and calls its virtual WindowProc, which
// dispatches through the message maps (OnWndMsg); a message no entry takes goes to
// DefWindowProc, that is, to the previous procedure. Dialogs are subclassed by the dialog
// procedure of the framework on the first message the dialog manager gives it (WM_SETFONT or
// WM_INITDIALOG, before any control exists), so the maps see every message from then on.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <memory>

#include "afx.h"
#include "afxgdi.h"
#include "afxmsg_.h"
#include "afxres.h"
#include "atltypes.h"
#include "kvwin32/help.h"

class CWnd;
class CDialog;
class CWinApp;
class CDataExchange;
class CScrollBar;
struct AFX_MODULE_STATE;
struct CCreateContext;

// WM_NOTIFY handlers get the notification and where to store its result.
struct AFX_NOTIFY {
    LRESULT* pResult;  // the answer to WM_NOTIFY (0 unless a handler sets it)
    NMHDR* pNMHDR;     // the notification
};

// Where OnCmdMsg found a handler, for callers that only ask (not used by the library).
struct AFX_CMDHANDLERINFO {
    class CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Notification codes for OnCmdMsg: WM_COMMAND codes are passed as they are; a WM_NOTIFY code
// travels as MAKELONG(code, WM_NOTIFY) with an AFX_NOTIFY as pExtra.
#define CN_NOTIFY_CODE(code) static_cast<int>(MAKELONG(code, WM_NOTIFY))

// An object that can receive commands through a message map.
class CCmdTarget : public CObject {
  public:
    CCmdTarget() = default;
    // Routes a command (nCode a WM_COMMAND notification code) or a notification
    // (CN_NOTIFY_CODE) to the first entry of the maps that matches; TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Shows the wait cursor until the matching EndWaitCursor (counted).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The root's map (no entries, no base).
    static const AFX_MSGMAP* GetThisMessageMap();
    // The map of the object's most derived class.
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Searches a message map chain for an entry of a message (and code and id range for
// WM_COMMAND/WM_NOTIFY); null when none. Exposed for the framework's own files and tests.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                            UINT id);

// A window as the framework sees it: the C++ object of a window handle.
class CWnd : public CCmdTarget {
    DECLARE_MESSAGE_MAP()

  public:
    HWND m_hWnd = nullptr;  // the window, null when the object has none

    CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys the window if the object still owns one.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }  // NOLINT(google-explicit-constructor)
    HWND GetSafeHwnd() const { return m_hWnd; }

    // ---- The handle map -------------------------------------------------------------------
    // The object of a window: its own (permanent) object, else a temporary wrapper that lives
    // until the window dies or the thread's next clean-up; null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // The permanent object of a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // Binds the object to a window without subclassing it; FALSE when either is taken.
    BOOL Attach(HWND hwnd);
    // Unbinds the window (which lives on); the handle.
    HWND Detach();
    // Binds the object to a window and routes the window's messages through its message maps
    // (the previous procedure becomes the default); FALSE when the window is not one or the
    // object already has a window.
    BOOL SubclassWindow(HWND hwnd);
    // SubclassWindow of a dialog item.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its previous procedure back and unbinds it; the handle.
    HWND UnsubclassWindow();
    // Runs once the object holds its window and before the window's messages reach the
    // object: from SubclassWindow (so also SubclassDlgItem and DDX_Control), and from creation.
    // Derived controls prepare their window here; the default does nothing.
    virtual void PreSubclassWindow();

    // ---- Creation and destruction -----------------------------------------------------------
    // Creates a child window of a registered class (null class: the framework's own "AfxWnd"
    // class) and binds the object to it; the object sees every message from WM_NCCREATE on
    // when the class is the framework's, and from the return of CreateWindowEx on otherwise.
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, CCreateContext* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU idOrMenu,
                          LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    // Destroys the window (the object stays); FALSE when there is none.
    virtual BOOL DestroyWindow();
    // Called after the window's last message (WM_NCDESTROY); an object created with new may
    // delete itself here.
    virtual void PostNcDestroy();

    // ---- Messages ----------------------------------------------------------------------------
    // The default processing of the message being handled (the previous procedure).
    LRESULT Default();
    // Passes a message to the previous procedure (DefWindowProcA when there is none).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches a message through the maps, else to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The maps' handling: TRUE with *result when an entry took the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND: reflection to a framework control first, then OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflection first, then OnCmdMsg.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Gives the window a chance to translate a message of the thread's loop; TRUE when done.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // A message a parent reflects to this control (owner drawing); TRUE when it handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Reflects the message being handled to the framework object of a child; TRUE when the
    // child handled it.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // Walks the children of a window for PreTranslateMessage (from the focus up to this).
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // ---- Data exchange ------------------------------------------------------------------------
    // Exchanges the dialog's members with its controls (derived classes call DDX_ functions).
    virtual void DoDataExchange(CDataExchange* dx);
    // Loads the controls from the members (FALSE) or validates and saves them (TRUE); FALSE
    // when a field was refused (the user was told, the field has the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // ---- Relations and items ------------------------------------------------------------------
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* hwnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    // The nearest ancestor (or owner) that is not a child window.
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT cmd) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    BOOL IsChild(const CWnd* wnd) const;

    // ---- Text ---------------------------------------------------------------------------------
    void SetWindowText(LPCSTR text);
    int GetWindowText(LPSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, LPCSTR text);
    int GetDlgItemText(int id, LPSTR buffer, int maxCount) const;
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The id of the first checked radio button in [firstId, lastId], 0 when none.
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // ---- State, position, painting
    // ----------------------------------------------------------------
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    // Centres the window over its owner (or the alternate window), else the screen.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; TRUE when the style changed. nFlags other than 0 also
    // calls SetWindowPos(SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    // The window's system menu (a temporary wrapper), null when it has none.
    CMenu* GetSystemMenu(BOOL revert) const;
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    // A message box owned by the window; the caption defaults to the application's name.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    // Runs IsDialogMessageA for the window.
    BOOL IsDialogMessage(LPMSG msg);
    // Asks the application's help for a topic (HELP_CONTEXT: dwData is the context number).
    virtual void WinHelp(DWORD_PTR data, UINT cmd = HELP_CONTEXT);

    // ---- Handlers with the framework's default processing (Default()) --------------------------
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnDestroy();
    // Lets the previous procedure see WM_NCDESTROY, unbinds the window, then PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    // Reflects to a framework control first (its CtlColor), else Default().
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Owner-draw messages: reflected to the framework object of the control (DrawItem,
    // MeasureItem, CompareItem, DeleteItem), else Default().
    afx_msg void OnDrawItem(int id, DRAWITEMSTRUCT* draw);
    afx_msg void OnMeasureItem(int id, MEASUREITEMSTRUCT* measure);
    afx_msg int OnCompareItem(int id, COMPAREITEMSTRUCT* compare);
    afx_msg void OnDeleteItem(int id, DELETEITEMSTRUCT* del);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg BOOL OnHelpInfo(HELPINFO* info);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnNcMouseMove(UINT hitTest, CPoint point);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    // The Help command: the help topic of the window's dialog (HID_BASE_RESOURCE + its help
    // id) through the application's WinHelp.
    afx_msg void OnHelp();

  protected:
    // The procedure messages go to by default: the window's procedure before subclassing.
    WNDPROC m_pfnSuper = nullptr;
    // Returns the address of the member that keeps the previous procedure (MFC's hook).
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
    friend LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend class CWndHandleMap;
    bool m_temporary = false;  // a wrapper made by FromHandle, owned by the handle map
    // The module state current when the object took its window: every message to the window
    // runs in it, as a library's windows run in the library's state whoever dispatches them.
    AFX_MODULE_STATE* m_pModuleState = nullptr;
};

// How FromHandle wraps a window of a class that has no framework object: with an object of
// the framework class that stands for the window class ("Edit": CEdit, "Button": CButton,
// "ComboBox": CComboBox, "ListBox": CListBox, "Static": CStatic, "ScrollBar": CScrollBar; any
// other class: CWnd). So `(CEdit*)GetDlgItem(IDC_NAME)`, the framework idiom, names an object
// that really is a CEdit. Wrapper classes of other window classes register here (once, at load).
using AfxWrapperFactory = std::unique_ptr<CWnd> (*)();
void AfxRegisterWrapperClass(LPCSTR windowClass, AfxWrapperFactory factory);

// The window procedure of every window bound to a framework object.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls a framework object's WindowProc for a message, keeping it as the message Default()
// passes on.
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog procedure of framework dialogs: binds the dialog to its CDialog on the first
// message and calls OnInitDialog for WM_INITDIALOG.
INT_PTR AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A dialog box of a template, modal (DoModal) or modeless (Create).
class CDialog : public CWnd {
    DECLARE_MESSAGE_MAP()

  public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);
    ~CDialog() override;

    using CWnd::Create;

    LPCSTR m_lpszTemplateName = nullptr;  // the template (MAKEINTRESOURCE of an id, or a name)
    UINT m_nIDHelp = 0;                   // help id of the dialog (its template id)
    CWnd* m_pParentWnd = nullptr;         // parent given at construction

    // Creates the modeless dialog; FALSE when the template is missing or creation failed.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(LPCSTR templateName, CWnd* parent = nullptr);
    // Runs the dialog modally; the EndDialog result, IDCANCEL when the input ended, -1 when
    // the dialog could not be created.
    virtual INT_PTR DoModal();
    // Loads the controls (UpdateData(FALSE)); TRUE to let the dialog manager set the focus.
    virtual BOOL OnInitDialog();
    // Validates and saves (UpdateData(TRUE)), then ends the dialog with IDOK; a refused field
    // keeps it open.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();
    // Ends a modal dialog with a result, or hides a modeless one.
    void EndDialog(int result);
    // Moves the focus to a control as the dialog manager does (selecting an edit's text).
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT rect) const;
    // A modeless dialog's keyboard navigation (IsDialogMessageA).
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL IsModal() const { return m_modal; }

  protected:
    bool m_modal = false;  // inside DoModal
};

// The module state: whose application and resources are current. Each shared object using
// the framework has its own (AfxGetStaticModuleState), the main program another; the calling
// thread has one current state, switched with AFX_MANAGE_STATE for the span of a scope.
struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;           // the module's application object
    HINSTANCE m_hCurrentInstanceHandle = nullptr;  // the module's instance
    HINSTANCE m_hCurrentResourceHandle = nullptr;  // where resources are looked up
    LPCSTR m_lpszCurrentAppName = nullptr;         // the application's name
    BOOL m_bDLL = FALSE;                           // a shared object's state
};

// The calling thread's current module state (the main program's until switched).
AFX_MODULE_STATE* AfxGetModuleState();
// The main program's module state.
AFX_MODULE_STATE* AfxGetAppModuleState();
// Makes a module state current on the calling thread; the previous one.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

namespace kvmfc_detail {
// The module state of the shared object (or program) this code is linked into: hidden
// visibility gives every shared object its own copy, as a static library does on Windows.
[[gnu::visibility("hidden")]] inline AFX_MODULE_STATE* staticModuleState() {
    static AFX_MODULE_STATE state;
    return &state;
}
}  // namespace kvmfc_detail

// The module state of the calling module itself.
#define AfxGetStaticModuleState() (::kvmfc_detail::staticModuleState())

// Makes a module state current for the lifetime of the object.
class AFX_MAINTAIN_STATE2 {
  public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_previous(AfxSetModuleState(state)) {}
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_previous); }
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

  private:
    AFX_MODULE_STATE* m_previous;
};
using AFX_MAINTAIN_STATE = AFX_MAINTAIN_STATE2;

// Switches to a module state until the end of the enclosing scope (exported functions of a
// library begin with AFX_MANAGE_STATE(AfxGetStaticModuleState())).
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// The application object: one per module, registered with the module state that is current
// when it is constructed.
class CWinApp : public CCmdTarget {
    DECLARE_MESSAGE_MAP()

  public:
    // Registers the object as the current module's application; the name (copied) may be null
    // (the module's file name without folder and extension is used when it is initialised).
    explicit CWinApp(LPCSTR appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    // Frees the strings it owns and leaves the module state.
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;       // owned: malloc'ed copy
    LPCSTR m_pszExeName = nullptr;       // owned: base name of the module
    LPCSTR m_pszHelpFilePath = nullptr;  // owned (free()/strdup): the help file
    HINSTANCE m_hInstance = nullptr;     // the module
    CWnd* m_pMainWnd = nullptr;          // the main window, if any
    int m_nWaitCursorCount = 0;          // BeginWaitCursor nesting

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Gives the application a chance to translate a message (the active window's dialog
    // navigation); TRUE when it was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // nCode 1 shows the wait cursor, -1 ends one, 0 restores it.
    virtual void DoWaitCursor(int code);
    HICON LoadIcon(UINT id) const;
    HICON LoadIcon(LPCSTR name) const;
    HCURSOR LoadStandardCursor(LPCSTR name) const;
    // Shows help from the application's help file.
    virtual void WinHelp(DWORD_PTR data, UINT cmd = HELP_CONTEXT);
    // The message box of AfxMessageBox.
    virtual int DoMessageBox(LPCSTR prompt, UINT type, UINT helpId);
    afx_msg void OnHelp();

    // Binds the application to its module: instance, name and default help file path
    // (<module folder>\<base name>.chm); called by AfxInitModuleApplication.
    void SetCurrentHandles(HINSTANCE instance);
};

// The current module's application object, or null.
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);
LPCSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
// The module (main program or shared object) whose image holds an address.
HINSTANCE AfxModuleFromAddress(const void* address);

// Initialises a library's application object on load: binds it to the module that holds it,
// then runs its InitInstance with the module's state current.
BOOL AfxInitModuleApplication(CWinApp& app, AFX_MODULE_STATE* state);

// How a shared object declares its application object so that it is constructed with the
// library's own module state and its InitInstance runs when the library is loaded:
//     AFX_LIBRARY_APPLICATION(CTesselDllApp, theApp);
// defines `CTesselDllApp theApp;` between two hidden helpers of the same translation unit (C++
// constructs them in order): the first makes the library's state current, the second runs
// InitInstance and restores the loader's state.
class AfxModuleLoadScope {
  public:
    explicit AfxModuleLoadScope(AFX_MODULE_STATE* state)
        : m_state(state), m_previous(AfxSetModuleState(state)) {
        state->m_bDLL = TRUE;
    }
    // Runs the application's start-up, then restores the caller's state.
    BOOL finish(CWinApp& app) {
        BOOL ok = AfxInitModuleApplication(app, m_state);
        AfxSetModuleState(m_previous);
        return ok;
    }

  private:
    AFX_MODULE_STATE* m_state;
    AFX_MODULE_STATE* m_previous;
};
#define AFX_LIBRARY_APPLICATION(AppClass, name)                            \
    static AfxModuleLoadScope name##LoadScope_{AfxGetStaticModuleState()}; \
    AppClass name;                                                         \
    [[maybe_unused]] static const BOOL name##Initialised_ = name##LoadScope_.finish(name)

// Shows the wait cursor for its lifetime.
class CWaitCursor {
  public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// A message box with the application's name as caption, owned by the active window.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The same with a text of the current resource module's string table (or the framework's own
// text of an AFX_IDP_ prompt).
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
// Loads a string: the current resource module's string table, then the framework's own
// prompts; FALSE when neither has it.
BOOL AfxLoadString(UINT id, CString& text);
// Replaces %1 (and %2) in a string-table text.
void AfxFormatString1(CString& result, UINT formatId, LPCSTR arg1);
void AfxFormatString2(CString& result, UINT formatId, LPCSTR arg1, LPCSTR arg2);
// The same on a given format text.
CString AfxFormatStringText(LPCSTR format, LPCSTR arg1, LPCSTR arg2 = nullptr);
// Registers a window class of the framework; the class name (kept by the framework).
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);

#include "afxctrls.h"
#include "afxdd_.h"
// The check-list box is a CListBox of this header, as in the framework.
#include "afxchecklistbox.h"

#pragma GCC visibility pop
