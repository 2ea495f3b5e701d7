// Property sheets: pages made on first activation, the start page, the PSN_* protocol with
// its refusals (leaving a page, applying), Apply following PSM_CHANGED, Cancel resetting the
// pages, modeless sheets closed by OK or Cancel, and modal sheets driven by queued input.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/desktop.h"
#include "kvwin32/prsht.h"

namespace {

// What one page heard and how it answers.
struct PageScript {
    std::vector<UINT> heard;          // PSN_* codes in order
    std::vector<LPARAM> applyParams;  // lParam of each PSN_APPLY
    LRESULT killActive = FALSE;       // PSN_KILLACTIVE answer
    LRESULT apply = PSNRET_NOERROR;   // PSN_APPLY answer
    LRESULT queryCancel = FALSE;      // PSN_QUERYCANCEL answer
    LRESULT setActive = 0;            // PSN_SETACTIVE answer
    int releases = 0;                 // PSPCB_RELEASE calls
    int creates = 0;                  // PSPCB_CREATE calls
    bool changedAtInit = false;       // reports a change from WM_INITDIALOG
    HWND hwnd = nullptr;              // the page's window, once made

    static INT_PTR proc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            auto* psp = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
            SetWindowLongPtrA(page, DWLP_USER, psp->lParam);
            auto* self = reinterpret_cast<PageScript*>(psp->lParam);
            self->hwnd = page;
            if (self->changedAtInit) {
                PropSheet_Changed(GetParent(page), page);
            }
            return TRUE;
        }
        auto* self = reinterpret_cast<PageScript*>(GetWindowLongPtrA(page, DWLP_USER));
        if (self == nullptr || msg != WM_NOTIFY) {
            return FALSE;
        }
        auto* notify = reinterpret_cast<PSHNOTIFY*>(lParam);
        self->heard.push_back(notify->hdr.code);
        LRESULT result = 0;
        switch (notify->hdr.code) {
            case PSN_KILLACTIVE:
                result = self->killActive;
                break;
            case PSN_APPLY:
                self->applyParams.push_back(notify->lParam);
                result = self->apply;
                break;
            case PSN_QUERYCANCEL:
                result = self->queryCancel;
                break;
            case PSN_SETACTIVE:
                result = self->setActive;
                break;
            default:
                break;
        }
        SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
        return TRUE;
    }
    static UINT callback(HWND, UINT msg, PROPSHEETPAGEA* psp) {
        auto* self = reinterpret_cast<PageScript*>(psp->lParam);
        if (msg == PSPCB_CREATE) {
            ++self->creates;
            return 1;
        }
        if (msg == PSPCB_RELEASE) {
            ++self->releases;
        }
        return 0;
    }
};

class PropertySheetTest : public kvtest::DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        const int templates[] = {IDD_PAGE_ONE, IDD_PAGE_TWO, IDD_PAGE_THREE};
        for (int i = 0; i < 3; ++i) {
            PROPSHEETPAGEA& p = pages[i];
            p.dwSize = sizeof(PROPSHEETPAGEA);
            p.dwFlags = PSP_USECALLBACK;
            p.pszTemplate = MAKEINTRESOURCEA(templates[i]);
            p.pfnDlgProc = PageScript::proc;
            p.pfnCallback = PageScript::callback;
            p.lParam = reinterpret_cast<LPARAM>(&scripts[i]);
        }
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
        header.pszCaption = "Settings";
        header.nPages = 3;
        header.ppsp = pages;
    }
    HWND openModeless() {
        HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
        return sheet;
    }
    HWND current(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
    void clearHeard() {
        for (PageScript& s : scripts) {
            s.heard.clear();
        }
    }

    PROPSHEETPAGEA pages[3]{};
    PageScript scripts[3];
    PROPSHEETHEADERA header{};
};

TEST_F(PropertySheetTest, StartPageIsMadeAndShownOthersWaitForTheirTurn) {
    header.nStartPage = 1;
    header.dwFlags |= PSH_PROPTITLE;
    HWND sheet = openModeless();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(current(sheet), scripts[1].hwnd);
    EXPECT_TRUE(IsWindowVisible(scripts[1].hwnd));
    EXPECT_EQ(scripts[0].hwnd, nullptr);
    EXPECT_EQ(scripts[0].creates, 0);
    EXPECT_EQ(scripts[1].creates, 1);
    EXPECT_EQ(scripts[1].heard, (std::vector<UINT>{PSN_SETACTIVE}));
    HWND tab = PropSheet_GetTabControl(sheet);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Third");  // the template's caption
    GetWindowTextA(sheet, text, sizeof text);
    EXPECT_STREQ(text, "Properties for Settings");
    // A page is a child dialog inside the sheet, after the tab control in the tab order.
    EXPECT_EQ(GetParent(scripts[1].hwnd), sheet);
    EXPECT_TRUE(GetWindowLongA(scripts[1].hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(GetWindow(tab, GW_HWNDNEXT), scripts[1].hwnd);
}

TEST_F(PropertySheetTest, PagesTakeTheSizeOfTheLargest) {
    HWND sheet = openModeless();
    PropSheet_SetCurSel(sheet, nullptr, 2);
    PropSheet_SetCurSel(sheet, nullptr, 1);
    RECT one{};
    RECT three{};
    GetClientRect(scripts[1].hwnd, &one);
    GetClientRect(scripts[2].hwnd, &three);
    EXPECT_EQ(one.right, 330);   // 220 dialog units
    EXPECT_EQ(one.bottom, 211);  // 130 dialog units
    EXPECT_TRUE(EqualRect(&one, &three));
}

TEST_F(PropertySheetTest, ButtonsOfTheSheet) {
    header.dwFlags |= PSH_HASHELP;
    pages[1].dwFlags |= PSP_HASHELP;
    HWND sheet = openModeless();
    char text[32] = {};
    GetDlgItemTextA(sheet, ID_APPLY_NOW, text, sizeof text);
    EXPECT_STREQ(text, "&Apply");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, ID_APPLY_NOW)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDHELP)));  // page 0 has no help
    PropSheet_SetCurSel(sheet, nullptr, 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, IDHELP)));
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
    EXPECT_EQ(scripts[1].heard.back(), PSN_HELP);
    // OK, Cancel, Apply, Help from left to right along one line.
    RECT ok{};
    RECT help{};
    GetWindowRect(GetDlgItem(sheet, IDOK), &ok);
    GetWindowRect(GetDlgItem(sheet, IDHELP), &help);
    EXPECT_EQ(ok.top, help.top);
    EXPECT_LT(ok.right, help.left);
}

TEST_F(PropertySheetTest, NoApplyNowLeavesApplyOut) {
    header.dwFlags |= PSH_NOAPPLYNOW;
    HWND sheet = openModeless();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, ID_APPLY_NOW)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
}

TEST_F(PropertySheetTest, PageRefusingToBeLeftKeepsTheSheetOnIt) {
    HWND sheet = openModeless();
    scripts[0].killActive = TRUE;
    clearHeard();
    EXPECT_FALSE(PropSheet_SetCurSel(sheet, nullptr, 1));
    EXPECT_EQ(current(sheet), scripts[0].hwnd);
    EXPECT_EQ(scripts[1].hwnd, nullptr);
    // A click on the tab asks the same question.
    HWND tab = PropSheet_GetTabControl(sheet);
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(current(sheet), scripts[0].hwnd);
    EXPECT_EQ(scripts[0].heard, (std::vector<UINT>{PSN_KILLACTIVE, PSN_KILLACTIVE}));
    scripts[0].killActive = FALSE;
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    EXPECT_EQ(current(sheet), scripts[2].hwnd);
    EXPECT_FALSE(IsWindowVisible(scripts[0].hwnd));
    EXPECT_EQ(scripts[2].heard, (std::vector<UINT>{PSN_SETACTIVE}));
}

TEST_F(PropertySheetTest, PageRefusingToBeShownIsSkipped) {
    scripts[1].setActive = -1;
    HWND sheet = openModeless();
    EXPECT_FALSE(PropSheet_SetCurSel(sheet, nullptr, 1));
    EXPECT_EQ(current(sheet), scripts[0].hwnd);
    EXPECT_EQ(SendMessageA(PropSheet_GetTabControl(sheet), TCM_GETCURSEL, 0, 0), 0);
    // A page id as the answer sends the sheet to that page instead.
    scripts[1].setActive = IDD_PAGE_THREE;
    EXPECT_TRUE(PropSheet_SetCurSel(sheet, nullptr, 1));
    EXPECT_EQ(current(sheet), scripts[2].hwnd);
}

TEST_F(PropertySheetTest, OkAppliesEveryMadePageAndClosesTheModelessSheet) {
    HWND sheet = openModeless();
    PropSheet_SetCurSel(sheet, nullptr, 1);
    clearHeard();
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(scripts[1].heard, (std::vector<UINT>{PSN_KILLACTIVE, PSN_APPLY}));
    EXPECT_EQ(scripts[0].heard, (std::vector<UINT>{PSN_APPLY}));
    EXPECT_TRUE(scripts[2].heard.empty());  // never shown: no window, nothing to apply
    EXPECT_EQ(scripts[0].applyParams, (std::vector<LPARAM>{TRUE}));
    // Modeless: the window stays for its owner to destroy; the current page says it is done.
    EXPECT_TRUE(IsWindow(sheet));
    EXPECT_EQ(current(sheet), nullptr);
    DestroyWindow(sheet);
    for (PageScript& s : scripts) {
        EXPECT_EQ(s.releases, 1);
    }
}

TEST_F(PropertySheetTest, PageRefusingToApplyKeepsTheSheetOpenOnThatPage) {
    HWND sheet = openModeless();
    PropSheet_SetCurSel(sheet, nullptr, 1);
    PropSheet_SetCurSel(sheet, nullptr, 0);
    scripts[1].apply = PSNRET_INVALID;
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(current(sheet), scripts[1].hwnd);
    EXPECT_TRUE(IsWindowVisible(sheet));
    // The other refusal leaves the sheet where it is.
    PropSheet_SetCurSel(sheet, nullptr, 0);
    scripts[1].apply = PSNRET_INVALID_NOCHANGEPAGE;
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(current(sheet), scripts[0].hwnd);
}

TEST_F(PropertySheetTest, ChangedEnablesApplyAndApplyingDisablesIt) {
    HWND sheet = openModeless();
    HWND apply = GetDlgItem(sheet, ID_APPLY_NOW);
    PropSheet_SetCurSel(sheet, nullptr, 1);
    PropSheet_Changed(sheet, scripts[0].hwnd);
    PropSheet_Changed(sheet, scripts[1].hwnd);
    EXPECT_TRUE(IsWindowEnabled(apply));
    PropSheet_UnChanged(sheet, scripts[0].hwnd);
    EXPECT_TRUE(IsWindowEnabled(apply));  // page 1 is still changed
    PropSheet_UnChanged(sheet, scripts[1].hwnd);
    EXPECT_FALSE(IsWindowEnabled(apply));
    PropSheet_Changed(sheet, scripts[1].hwnd);
    clearHeard();
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), 0);
    EXPECT_EQ(scripts[1].heard, (std::vector<UINT>{PSN_KILLACTIVE, PSN_APPLY}));
    EXPECT_EQ(scripts[1].applyParams, (std::vector<LPARAM>{FALSE}));
    EXPECT_FALSE(IsWindowEnabled(apply));
    EXPECT_EQ(current(sheet), scripts[1].hwnd);  // Apply does not close
}

TEST_F(PropertySheetTest, PageReportingChangesFromInitDialogEnablesApply) {
    scripts[0].changedAtInit = true;
    HWND sheet = openModeless();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, ID_APPLY_NOW)));
}

TEST_F(PropertySheetTest, CancelAsksThenResetsEveryMadePage) {
    HWND sheet = openModeless();
    PropSheet_SetCurSel(sheet, nullptr, 2);
    scripts[2].queryCancel = TRUE;
    clearHeard();
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(scripts[2].heard, (std::vector<UINT>{PSN_QUERYCANCEL}));
    EXPECT_NE(current(sheet), nullptr);
    scripts[2].queryCancel = FALSE;
    clearHeard();
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
    EXPECT_EQ(scripts[2].heard, (std::vector<UINT>{PSN_QUERYCANCEL, PSN_RESET}));
    EXPECT_EQ(scripts[0].heard, (std::vector<UINT>{PSN_RESET}));
    EXPECT_TRUE(scripts[1].heard.empty());
    EXPECT_EQ(current(sheet), nullptr);
}

TEST_F(PropertySheetTest, ModelessLoopPassesMessagesThroughTheSheet) {
    HWND sheet = openModeless();
    HWND edit = GetDlgItem(scripts[0].hwnd, IDC_PAGE_EDIT);
    SetFocus(edit);
    MSG msg{edit, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(PropSheet_IsDialogMessage(sheet, &msg));
    EXPECT_EQ(GetFocus(), GetDlgItem(scripts[0].hwnd, IDC_PAGE_CHECK));
    press(VK_CONTROL);
    msg = MSG{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(PropSheet_IsDialogMessage(sheet, &msg));
    release(VK_CONTROL);
    EXPECT_EQ(current(sheet), scripts[1].hwnd);
    HWND other = create(WS_POPUP);
    msg = MSG{other, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(PropSheet_IsDialogMessage(sheet, &msg));
}

TEST_F(PropertySheetTest, PageHandlesAndRemoval) {
    header.dwFlags &= ~static_cast<DWORD>(PSH_PROPSHEETPAGE);
    HPROPSHEETPAGE handles[3];
    for (int i = 0; i < 3; ++i) {
        handles[i] = CreatePropertySheetPageA(&pages[i]);
        ASSERT_NE(handles[i], nullptr);
    }
    header.phpage = handles;
    HWND sheet = openModeless();
    EXPECT_EQ(PropSheet_PageToIndex(sheet, handles[2]), 2);
    EXPECT_EQ(PropSheet_IndexToPage(sheet, 1), handles[1]);
    EXPECT_EQ(PropSheet_IdToIndex(sheet, IDD_PAGE_TWO), 1);
    PropSheet_RemovePage(sheet, 1, nullptr);
    EXPECT_EQ(scripts[1].releases, 1);
    EXPECT_EQ(SendMessageA(PropSheet_GetTabControl(sheet), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(PropSheet_PageToIndex(sheet, handles[2]), 1);
    DestroyWindow(sheet);
    EXPECT_EQ(scripts[0].releases, 1);
    EXPECT_EQ(scripts[2].releases, 1);
}

TEST_F(PropertySheetTest, BadArgumentsFail) {
    EXPECT_EQ(PropertySheetA(nullptr), -1);
    PROPSHEETHEADERA small = header;
    small.dwSize = 4;
    EXPECT_EQ(PropertySheetA(&small), -1);
    PROPSHEETPAGEA bad = pages[0];
    bad.dwSize = 8;
    EXPECT_EQ(CreatePropertySheetPageA(&bad), nullptr);
    EXPECT_EQ(CreatePropertySheetPageA(nullptr), nullptr);
    EXPECT_FALSE(DestroyPropertySheetPage(nullptr));
    PROPSHEETPAGEA missing = pages[0];
    missing.pszTemplate = MAKEINTRESOURCEA(4711);
    header.ppsp = &missing;
    header.nPages = 1;
    EXPECT_EQ(PropertySheetA(&header), -1);
}

// ---- What Windows answers ----------------------------------------------------------------------

TEST_F(PropertySheetTest, AddPageAndAPageThatCannotBeMade) {
    header.dwFlags &= ~static_cast<DWORD>(PSH_PROPSHEETPAGE);
    HPROPSHEETPAGE first = CreatePropertySheetPageA(&pages[0]);
    ASSERT_NE(first, nullptr);
    header.phpage = &first;
    header.nPages = 1;
    HWND sheet = openModeless();
    ASSERT_NE(sheet, nullptr);
    HWND tab = PropSheet_GetTabControl(sheet);
    EXPECT_EQ(SendMessageA(sheet, PSM_ADDPAGE, 0,
                           reinterpret_cast<LPARAM>(CreatePropertySheetPageA(&pages[1]))),
              TRUE);
    EXPECT_EQ(SendMessageA(sheet, PSM_ADDPAGE, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(sheet, PSM_ADDPAGE, 0,
                           reinterpret_cast<LPARAM>(CreatePropertySheetPageA(&pages[2]))),
              TRUE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    // A page whose dialog cannot be made joins the sheet; choosing it takes it out again.
    PROPSHEETPAGEA broken = pages[0];
    broken.dwFlags = 0;
    broken.pszTemplate = MAKEINTRESOURCEA(4711);
    EXPECT_EQ(SendMessageA(sheet, PSM_ADDPAGE, 0,
                           reinterpret_cast<LPARAM>(CreatePropertySheetPageA(&broken))),
              TRUE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(sheet, PSM_SETCURSEL, 3, 1), TRUE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    // No page has index 400.
    EXPECT_EQ(SendMessageA(sheet, PSM_INDEXTOHWND, 400, 0), 0);
    DestroyWindow(sheet);
}

TEST_F(PropertySheetTest, RemovingTheOnlyPageLeavesNoCurrentPage) {
    header.nPages = 1;
    HWND sheet = openModeless();
    ASSERT_NE(sheet, nullptr);
    ShowWindow(sheet, SW_NORMAL);
    SendMessageA(sheet, PSM_REMOVEPAGE, 0, 0);
    EXPECT_EQ(current(sheet), nullptr);
    DestroyWindow(sheet);
}

// ---- The sheet's window: style and place -----------------------------------------------------

// Windows' sheets: a popup with a caption, system menu and "?" button, a modal frame, the
// dialog font, 3D look, clipping its siblings; not centred (no DS_CENTER). PSCB_PRECREATE
// offers that style in the template and takes back what the callback leaves there.
constexpr DWORD kSheetStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU |
                              DS_CONTEXTHELP | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;

// What a sheet's callback saw and what it takes away from the template's style.
struct SheetCallbackScript {
    DWORD offered = 0;
    DWORD takeAway = 0;
    DWORD styleAtInit = 0;
};
SheetCallbackScript* callbackScript = nullptr;

int CALLBACK styleCallback(HWND sheet, UINT msg, LPARAM lParam) {
    if (callbackScript == nullptr) {
        return 0;
    }
    if (msg == PSCB_PRECREATE) {
        auto* t = reinterpret_cast<DLGTEMPLATE*>(lParam);
        callbackScript->offered = t->style;
        t->style &= ~callbackScript->takeAway;
    } else if (msg == PSCB_INITIALIZED) {
        callbackScript->styleAtInit = static_cast<DWORD>(GetWindowLongA(sheet, GWL_STYLE));
    }
    return 0;
}

TEST_F(PropertySheetTest, TheSheetHasTheStyleOfWindows) {
    struct Row {
        const char* name;
        DWORD flags;     // added to PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK
        bool desktop;    // owned by the desktop window, as Windows' own tests make it
        DWORD takeAway;  // what the callback takes out of the template's style
        DWORD expected;
    } rows[] = {
        {"owned by the desktop", 0, true, 0, kSheetStyle},
        {"without an owner", 0, false, 0, kSheetStyle},
        {"with Help and without Apply", PSH_HASHELP | PSH_NOAPPLYNOW, true, 0, kSheetStyle},
        {"the callback takes the ? button and the system menu away", 0, true,
         DS_CONTEXTHELP | WS_SYSMENU,
         WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | DS_MODALFRAME | DS_SETFONT |
             DS_3DLOOK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SheetCallbackScript script;
        script.takeAway = row.takeAway;
        callbackScript = &script;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK | row.flags;
        header.pfnCallback = styleCallback;
        header.hwndParent = row.desktop ? GetDesktopWindow() : nullptr;
        HWND sheet = openModeless();
        callbackScript = nullptr;
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(script.offered, kSheetStyle);
        EXPECT_EQ(script.styleAtInit, row.expected & ~static_cast<DWORD>(WS_VISIBLE));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(sheet, GWL_STYLE)), row.expected);
        DestroyWindow(sheet);
    }
}

// Without DS_CENTER a sheet opens as any popup dialog does: its client area at the template's
// position (0, 0) in its owner's client area, on the screen's origin without owner. One its
// size would take past the screen's edge is moved back onto the screen, whole.
TEST_F(PropertySheetTest, TheSheetOpensAtItsOwnersClientOrigin) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    struct Row {
        const char* name;
        POINT ownerAt;  // {-1, -1}: no owner
    } rows[] = {
        {"no owner", {-1, -1}},
        {"owner near the origin", {40, 30}},
        {"owner in the middle", {200, 150}},
        {"owner near the bottom right", {screenW - 120, screenH - 90}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND owner = nullptr;
        if (row.ownerAt.x >= 0) {
            owner = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, row.ownerAt.x,
                           row.ownerAt.y, 300, 200);
        }
        header.hwndParent = owner;
        HWND sheet = openModeless();
        ASSERT_NE(sheet, nullptr);
        POINT wanted{0, 0};
        if (owner != nullptr) {
            ClientToScreen(owner, &wanted);
        }
        RECT window{};
        GetWindowRect(sheet, &window);
        // The client origin where the owner's is, unless the frame would leave the screen.
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(sheet, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(sheet, GWL_EXSTYLE)));
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const LONG left = std::clamp<LONG>(wanted.x + frame.left, 0, screenW - width);
        const LONG top = std::clamp<LONG>(wanted.y + frame.top, 0, screenH - height);
        EXPECT_EQ(window.left, left);
        EXPECT_EQ(window.top, top);
        EXPECT_LE(window.right, screenW);
        EXPECT_LE(window.bottom, screenH);
        if (row.ownerAt.x >= 0 && row.ownerAt.x < 250) {
            POINT client{0, 0};
            ClientToScreen(sheet, &client);
            EXPECT_EQ(client.x, wanted.x);
            EXPECT_EQ(client.y, wanted.y);
        }
        DestroyWindow(sheet);
        if (owner != nullptr) {
            DestroyWindow(owner);
        }
    }
}

// ---- Modal sheets driven by queued input ----------------------------------------------------

class ModalPropertySheetTest : public PropertySheetTest {
  protected:
    void SetUp() override {
        PropertySheetTest::SetUp();
        header.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    }
    kvwin32::ScriptedDesktop& scripted() {
        return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
    }
    kvwin32::DesktopScope scope{std::make_unique<kvwin32::ScriptedDesktop>()};
};

TEST_F(ModalPropertySheetTest, OkAfterAChangeReturnsOne) {
    scripted().queueAction([this] {
        HWND sheet = GetParent(scripts[0].hwnd);
        PropSheet_Changed(sheet, scripts[0].hwnd);
        PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(PropertySheetA(&header), 1);
    EXPECT_EQ(scripts[0].applyParams, (std::vector<LPARAM>{TRUE}));
    EXPECT_EQ(scripts[0].releases, 1);
}

// A modal sheet has the style of a modeless one, and its owner is disabled while it is open.
TEST_F(ModalPropertySheetTest, AModalSheetHasTheStyleOfWindows) {
    HWND owner = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 100, 100, 300, 200);
    header.hwndParent = owner;
    DWORD style = 0;
    BOOL ownerEnabled = TRUE;
    POINT client{0, 0};
    scripted().queueAction([&] {
        HWND sheet = GetParent(scripts[0].hwnd);
        style = static_cast<DWORD>(GetWindowLongA(sheet, GWL_STYLE));
        ownerEnabled = IsWindowEnabled(owner);
        ClientToScreen(sheet, &client);
        PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(style, kSheetStyle);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    POINT wanted{0, 0};
    ClientToScreen(owner, &wanted);
    EXPECT_EQ(client.x, wanted.x);
    EXPECT_EQ(client.y, wanted.y);
}

TEST_F(ModalPropertySheetTest, EndOfInputCancelsTheSheet) {
    EXPECT_EQ(PropertySheetA(&header), 0);
    EXPECT_EQ(scripts[0].heard, (std::vector<UINT>{PSN_SETACTIVE, PSN_QUERYCANCEL, PSN_RESET}));
    const kvwin32::TranscriptEntry* note =
        scripted().transcript().last(kvwin32::TranscriptKind::note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->line.find("input ended in modal dialog \"Settings\": cancelled"),
              std::string::npos)
        << note->line;
}

}  // namespace
