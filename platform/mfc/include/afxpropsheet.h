// The framework's property sheets: CPropertyPage (a dialog shown as one tab of a sheet) and
// CPropertySheet (the window of the system's property sheet, with its pages, OK, Cancel,
// Apply and Help buttons), modal and modeless. The system sheet runs the PSN_/PSM_ protocol;
// these classes bind C++ objects to its windows and turn its notifications into virtual
// functions, as the framework does.
//
// How the windows are bound: a page's PROPSHEETPAGEA carries the page object in lParam and a
// callback that the sheet calls just before it makes the page's window (PSPCB_CREATE); the
// page's dialog procedure then binds the window to the object on the first message the dialog
// manager gives it, so the page's message maps see WM_INITDIALOG and everything after it. The
// sheet's own window is made with PSH_MODELESS (DoModal then runs the modal loop itself, as the
// framework does) and is bound to the sheet object when the system reports it initialised
// (PSCB_INITIALIZED, before the first page is shown); OnInitDialog runs once it is complete.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <memory>
#include <vector>

#include "afxwin.h"

#include <kvwin32/prsht.h>

class CPropertySheet;
class CTabCtrl;

// A page of a property sheet: a dialog template without a frame that the sheet shows under its
// tab. The sheet asks the page through PSN_ notifications, which arrive here as the virtuals
// OnSetActive, OnKillActive, OnApply, OnReset and OnQueryCancel.
class CPropertyPage : public CDialog {
  public:
    // A page of the dialog template `templateId` of the current resource module
    // (AfxGetResourceHandle at construction); a non-zero `captionId` names a string of the
    // string table that replaces the template's caption on the tab.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(LPCSTR templateName, UINT captionId = 0);
    ~CPropertyPage() override;

    // The page's description for the sheet; a derived class may add flags (PSP_HASHELP)
    // before the sheet is created.
    PROPSHEETPAGEA m_psp{};

    // Re-initialises the page for another template (only before it has a window).
    void Construct(UINT templateId, UINT captionId = 0);
    void Construct(LPCSTR templateName, UINT captionId = 0);

    // Tells the sheet that the page has (TRUE) or no longer has (FALSE) unapplied changes,
    // which enables or disables the Apply button; nothing while the page has no window.
    void SetModified(BOOL changed = TRUE);
    // Tells the sheet that the changes cannot be undone: Cancel becomes Close.
    void CancelToClose();
    // Sends PSM_QUERYSIBLINGS to the sheet: every other created page gets the parameters
    // until one answers non-zero; that answer, or 0.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // The page becomes the active one; FALSE refuses. The default loads the controls from the
    // members (UpdateData(FALSE)) on every activation but the first, which OnInitDialog has
    // already done.
    virtual BOOL OnSetActive();
    // The page is about to be left (another tab, OK, Apply); FALSE keeps it active. The
    // default validates and saves the controls (UpdateData(TRUE)).
    virtual BOOL OnKillActive();
    // OK or Apply was pressed; FALSE refuses and the sheet stays open on this page. The
    // default calls OnOK and answers TRUE.
    virtual BOOL OnApply();
    // The sheet was cancelled; the default calls OnCancel.
    virtual void OnReset();
    // A page's OnOK and OnCancel end nothing (the sheet does): both do nothing by default.
    void OnOK() override;
    void OnCancel() override;
    // Cancel is about to happen; FALSE refuses it. The default answers TRUE.
    virtual BOOL OnQueryCancel();

    // Turns the sheet's PSN_ notifications into the virtuals above; other notifications go to
    // the message maps.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // A page leaves keyboard navigation to its sheet (PSM_ISDIALOGMESSAGE), which knows the
    // OK button and the tabs: FALSE.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The sheet object the page's window belongs to, or null.
    CPropertySheet* GetParentSheet() const;

  protected:
    CString m_strCaption;  // the tab's caption from the string table, if any
    // The next OnSetActive is the page's first; as in the framework it is set only at
    // construction, so a page whose window is made again refreshes its controls on its first
    // activation too (OnInitDialog has loaded them already; the refresh changes nothing).
    BOOL m_bFirstSetActive = TRUE;

  private:
    void commonConstruct(LPCSTR templateName, UINT captionId);
    friend class CPropertySheet;
};

// A property sheet: a caption, a row of tabs and the pages added to it. Built without a
// window; DoModal runs it modally, Create makes it modeless.
class CPropertySheet : public CWnd {
  public:
    using CWnd::Create;
    CPropertySheet();
    // A sheet with a caption (a string-table id or a text), a parent and the page to open on.
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    // The sheet's description: a caller may add PSH_NOAPPLYNOW or PSH_HASHELP before the
    // window is made. Pages and the start page are filled in when the window is made.
    PROPSHEETHEADERA m_psh{};
    BOOL m_bModeless = FALSE;  // made by Create (the framework hides the standard buttons)
    BOOL m_bStacked = TRUE;    // tabs wrap onto several rows (FALSE: one scrolling row)
    CWnd* m_pParentWnd = nullptr;

    void Construct(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    void Construct(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

    // ---- Pages ------------------------------------------------------------------------------
    // Adds a page at the end (and to the window when there is one). The sheet does not own it.
    void AddPage(CPropertyPage* page);
    // Removes a page by object or index (and from the window when there is one).
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const;
    // The page at an index, null out of range.
    CPropertyPage* GetPage(int index) const;
    // The index of a page, -1 when it is not one of the sheet's.
    int GetPageIndex(CPropertyPage* page) const;
    // The active page: the window's current page, else the page it will open on.
    CPropertyPage* GetActivePage() const;
    // Index of the active page: the window's current page (-1 when it has none), else the
    // recorded start page.
    int GetActiveIndex() const;
    // Before the window exists: records the page to open on (TRUE; an index out of range
    // opens the first page); afterwards: switches to it now (the leaving page may refuse).
    // FALSE for an index out of range, a page not of the sheet or a refused switch.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);

    // ---- Appearance
    // ------------------------------------------------------------------------------ TRUE (the
    // default): tabs wrap onto several rows; FALSE: one row that scrolls.
    void EnableStackedTabs(BOOL stacked);
    // Sets the caption (PSH_PROPTITLE style: "Properties for ..."), now or at creation.
    void SetTitle(LPCSTR text, UINT style = 0);
    // The tab control of the window (an object the sheet keeps bound to it, without
    // subclassing it), null before the window exists.
    CTabCtrl* GetTabControl() const;

    // ---- Running ------------------------------------------------------------------------------
    // Runs the sheet modally: IDOK or IDCANCEL (the push button that closed it), 0 when the
    // sheet was closed otherwise, -1 when it could not be made. The window is gone on return.
    virtual INT_PTR DoModal();
    // Makes the modeless sheet; style -1 is WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME
    // | DS_CONTEXTHELP | WS_VISIBLE. FALSE when the window could not be made.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1),
                        DWORD exStyle = 0);
    // Runs when the window has been made: single-row tabs unless stacked, the standard buttons
    // hidden for a modeless sheet, the window centred. TRUE.
    virtual BOOL OnInitDialog();
    // Presses one of the sheet's buttons (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...).
    void PressButton(int button);
    // Ends a modal sheet with a result (or, modeless, closes the window's page set).
    void EndDialog(int result);
    // Whether the system sheet still has a current page: FALSE once OK or Cancel closed it.
    // A modeless sheet's owner tests this after each message and then destroys the window.
    BOOL ContinueModal();
    // Keyboard navigation of a modeless sheet (Tab, Ctrl+Tab, access keys): PSM_ISDIALOGMESSAGE
    // for keyboard messages to the sheet or its descendants.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Remembers which push button was pressed (the modal result), then lets the system sheet
    // handle OK, Cancel, Apply and Help, unless the message maps took the command.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  protected:
    std::vector<CPropertyPage*> m_pages;  // the pages in tab order, not owned
    CString m_strCaption;                 // the caption text m_psh points at
    int m_nModalResult = 0;               // IDOK/IDCANCEL of the button that closed the sheet
    bool m_endModal = false;              // EndDialog asked the modal loop to stop
    mutable std::unique_ptr<CTabCtrl> m_tabControl;  // GetTabControl's object, made on demand

    // Fills m_psh with copies of the pages' descriptions (kept in `descriptions`, which must
    // outlive the PropertySheetA call) and a start page in range.
    void BuildPropPageArray(std::vector<PROPSHEETPAGEA>& descriptions);
    // Makes the window (PSH_MODELESS) with a style and binds it; FALSE on failure.
    BOOL createSheetWindow(HWND parent, DWORD style, DWORD exStyle);
    // The sheet's modal loop; the result of DoModal.
    int runModalLoop();

    afx_msg void OnClose();
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    // Lets go of the tab control's object with the window, then the framework's end.
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    void commonConstruct(CWnd* parent, UINT selectPage);
    friend class CPropertyPage;
};

#pragma GCC visibility pop
