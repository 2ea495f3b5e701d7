// CPropertySheet and CPropertyPage over the system property sheet: the start page, the order of
// OnSetActive and OnKillActive when the user changes tabs (and a page refusing to be left), OK
// asking the current page and applying every page that has a window (and a refusal keeping the
// sheet open), SetModified and the Apply button, Cancel resetting the pages, the modeless
// sheet's end as its owner sees it, and the modal loop.
#include <cstdlib>
#include <string>
#include <vector>

#include "RichControlsSupport.h"
#include "kvwin32/desktop.h"
#include "kvwin32/input.h"

namespace kvtest {
namespace {

// What the pages were asked, in order ("A:set", "B:kill", "C:apply" ...).
using EventLog = std::vector<std::string>;

// A page that records each question of the sheet and answers as the test says.
class LoggingPage : public CPropertyPage {
  public:
    LoggingPage(UINT templateId, std::string name, EventLog& log, UINT captionId = 0)
        : CPropertyPage(templateId, captionId), m_name(std::move(name)), m_log(log) {}

    bool refuseKill = false;    // OnKillActive answers FALSE
    bool refuseApply = false;   // OnApply answers FALSE
    bool refuseCancel = false;  // OnQueryCancel answers FALSE

    CPropertySheet* sheetAtActivation = nullptr;  // GetParentSheet() in the last OnSetActive

    BOOL OnSetActive() override {
        m_log.push_back(m_name + ":set");
        sheetAtActivation = GetParentSheet();
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        m_log.push_back(m_name + ":kill");
        return refuseKill ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        m_log.push_back(m_name + ":apply");
        return refuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnReset() override { m_log.push_back(m_name + ":reset"); }
    BOOL OnQueryCancel() override {
        m_log.push_back(m_name + ":querycancel");
        return refuseCancel ? FALSE : TRUE;
    }

  private:
    std::string m_name;
    EventLog& m_log;
};

class PropertySheetTest : public RichControlsFixture {
  protected:
    void SetUp() override {
        RichControlsFixture::SetUp();
        sheet.AddPage(&a);
        sheet.AddPage(&b);
        sheet.AddPage(&c);
    }
    void TearDown() override {
        sheet.DestroyWindow();
        RichControlsFixture::TearDown();
    }

    // A click on one of the sheet's buttons as the user makes it.
    void clickButton(int id) {
        HWND button = ::GetDlgItem(sheet.m_hWnd, id);
        ASSERT_NE(button, nullptr) << "button " << id;
        sheet.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    // Creates the modeless sheet with the framework's buttons kept (as the library does).
    void createShowingButtons() {
        sheet.m_bModeless = FALSE;  // OnInitDialog keeps the buttons of a sheet not modeless
        ASSERT_TRUE(sheet.Create());
    }

    EventLog log;
    LoggingPage a{IDD_SHEET_PAGE_A, "A", log};
    LoggingPage b{IDD_SHEET_PAGE_B, "B", log, IDS_PAGE_B_TITLE};
    LoggingPage c{IDD_SHEET_PAGE_C, "C", log};
    CPropertySheet sheet{IDS_SHEET_CAPTION};
};

TEST_F(PropertySheetTest, OpensOnTheStartPage) {
    EXPECT_TRUE(sheet.SetActivePage(5));  // recorded; checked when the window is made
    EXPECT_EQ(sheet.GetActiveIndex(), 5);
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    ASSERT_TRUE(sheet.Create());
    EXPECT_FALSE(sheet.SetActivePage(3));
    EXPECT_EQ(log, (EventLog{"B:set"}));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_NE(b.m_hWnd, nullptr);
    EXPECT_EQ(a.m_hWnd, nullptr);  // never shown, never made
    EXPECT_EQ(b.GetParentSheet(), &sheet);
    EXPECT_EQ(b.sheetAtActivation, &sheet);  // bound before the first page was shown
    CString caption;
    sheet.GetWindowText(caption);
    EXPECT_EQ(caption, "Test Sheet");
    // The caption id of page B names its tab.
    TCITEMA item{};
    char text[64] = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(sheet.GetTabControl()->GetItem(1, &item));
    EXPECT_STREQ(text, "Second");
}

TEST_F(PropertySheetTest, TabSwitchAsksTheLeavingPageFirst) {
    ASSERT_TRUE(sheet.Create());
    log.clear();
    EXPECT_TRUE(sheet.SetActivePage(2));
    EXPECT_EQ(log, (EventLog{"A:kill", "C:set"}));
    EXPECT_EQ(sheet.GetActiveIndex(), 2);

    log.clear();
    c.refuseKill = true;
    EXPECT_FALSE(sheet.SetActivePage(&a));
    EXPECT_EQ(log, (EventLog{"C:kill"}));
    EXPECT_EQ(sheet.GetActiveIndex(), 2);

    // Coming back to a page refreshes its controls from its members (not the first time).
    log.clear();
    c.refuseKill = false;
    EXPECT_TRUE(sheet.SetActivePage(&a));
    EXPECT_EQ(log, (EventLog{"C:kill", "A:set"}));
}

TEST_F(PropertySheetTest, OkAppliesEveryPageWithAWindow) {
    createShowingButtons();
    sheet.SetActivePage(2);
    log.clear();
    clickButton(IDOK);
    EXPECT_EQ(log, (EventLog{"C:kill", "A:apply", "C:apply"}));
    EXPECT_FALSE(sheet.ContinueModal());  // the owner now destroys the modeless sheet
}

TEST_F(PropertySheetTest, RefusedApplyKeepsTheSheetOpen) {
    createShowingButtons();
    sheet.SetActivePage(1);
    a.refuseApply = true;
    log.clear();
    clickButton(IDOK);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "B:kill");
    EXPECT_NE(std::find(log.begin(), log.end(), "A:apply"), log.end());
    EXPECT_TRUE(sheet.ContinueModal());

    // A refusal of the current page itself stops before any apply.
    log.clear();
    a.refuseApply = false;
    sheet.SetActivePage(1);
    b.refuseKill = true;
    log.clear();
    clickButton(IDOK);
    EXPECT_EQ(log, (EventLog{"B:kill"}));
    EXPECT_TRUE(sheet.ContinueModal());
}

TEST_F(PropertySheetTest, SetModifiedEnablesApplyUntilApplied) {
    createShowingButtons();
    HWND apply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    a.SetModified(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(apply));
    a.SetModified(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    a.SetModified();
    log.clear();
    clickButton(ID_APPLY_NOW);
    EXPECT_EQ(log, (EventLog{"A:kill", "A:apply"}));
    EXPECT_FALSE(::IsWindowEnabled(apply));
    EXPECT_TRUE(sheet.ContinueModal());  // Apply does not close the sheet
}

TEST_F(PropertySheetTest, CancelResetsThePages) {
    createShowingButtons();
    sheet.SetActivePage(1);
    log.clear();
    b.refuseCancel = true;
    clickButton(IDCANCEL);
    EXPECT_EQ(log, (EventLog{"B:querycancel"}));
    EXPECT_TRUE(sheet.ContinueModal());
    log.clear();
    b.refuseCancel = false;
    clickButton(IDCANCEL);
    EXPECT_EQ(log, (EventLog{"B:querycancel", "A:reset", "B:reset"}));
    EXPECT_FALSE(sheet.ContinueModal());
}

TEST_F(PropertySheetTest, ModelessSheetHidesItsButtonsAndKeepsTabsInOneRow) {
    sheet.EnableStackedTabs(FALSE);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.IsWindowVisible());
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW}) {
        HWND button = ::GetDlgItem(sheet.m_hWnd, id);
        if (button != nullptr) {
            EXPECT_FALSE(::IsWindowVisible(button)) << id;
        }
    }
    CTabCtrl* tab = sheet.GetTabControl();
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetStyle() & TCS_MULTILINE, 0U);
    EXPECT_EQ(tab->GetItemCount(), 3);
}

// The system sheet opens at its owner's client origin; the framework centres it (over the
// screen when it has no owner), modal or modeless, so the whole sheet shows.
TEST_F(PropertySheetTest, TheFrameworkCentresTheSheetOnTheScreen) {
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    auto expectCentred = [&](const RECT& r) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, screenW);
        EXPECT_LE(r.bottom, screenH);
        EXPECT_LE(std::abs((r.left + r.right) - screenW), 1) << r.left << "," << r.right;
        EXPECT_LE(std::abs((r.top + r.bottom) - screenH), 1) << r.top << "," << r.bottom;
    };
    {
        SCOPED_TRACE("modeless");
        ASSERT_TRUE(sheet.Create());
        RECT r{};
        sheet.GetWindowRect(&r);
        expectCentred(r);
        sheet.DestroyWindow();
    }
    {
        SCOPED_TRACE("modal");
        RECT r{};
        bool seen = false;
        kvwin32::setInputSource([&]() {
            if (seen) {
                return false;
            }
            seen = true;
            ::GetWindowRect(sheet.m_hWnd, &r);
            HWND cancel = ::GetDlgItem(sheet.m_hWnd, IDCANCEL);
            return ::PostMessageA(sheet.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(cancel)) != FALSE;
        });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
        kvwin32::setInputSource({});
        ASSERT_TRUE(seen);
        expectCentred(r);
    }
}

TEST_F(PropertySheetTest, StartPageOutOfRangeOpensTheFirst) {
    sheet.SetActivePage(7);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(log, (EventLog{"A:set"}));
}

TEST_F(PropertySheetTest, DestroyedWindowCanBeMadeAgain) {
    ASSERT_TRUE(sheet.Create());
    sheet.SetActivePage(2);
    sheet.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(c.m_hWnd, nullptr);
    EXPECT_FALSE(sheet.ContinueModal());
    log.clear();
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(log, (EventLog{"A:set"}));
}

TEST_F(PropertySheetTest, PagesComeAndGo) {
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetPageIndex(&c), 2);
    EXPECT_EQ(sheet.GetPage(3), nullptr);
    EXPECT_EQ(sheet.GetPage(-1), nullptr);
    sheet.RemovePage(&b);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetPageIndex(&b), -1);
    ASSERT_TRUE(sheet.Create());
    sheet.AddPage(&b);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
    EXPECT_TRUE(sheet.SetActivePage(&b));
    EXPECT_EQ(sheet.GetActivePage(), &b);
}

TEST_F(PropertySheetTest, ModalSheetIsCancelledWhenTheInputEnds) {
    log.clear();
    INT_PTR result = sheet.DoModal();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(log, (EventLog{"A:set", "A:querycancel", "A:reset"}));
    const kvwin32::TranscriptEntry* note =
        kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->line.find("input ended in modal property sheet \"Test Sheet\""),
              std::string::npos)
        << note->line;
}

TEST_F(PropertySheetTest, ModalSheetEndsWithTheButtonPressed) {
    struct Case {
        const char* what;
        int button;
        INT_PTR result;
    };
    for (const Case& row : {Case{"OK", IDOK, IDOK}, Case{"Cancel", IDCANCEL, IDCANCEL}}) {
        SCOPED_TRACE(row.what);
        bool posted = false;
        kvwin32::setInputSource([&]() {
            if (posted) {
                return false;
            }
            posted = true;
            HWND sheetWindow = sheet.m_hWnd;
            HWND button = ::GetDlgItem(sheetWindow, row.button);
            return ::PostMessageA(sheetWindow, WM_COMMAND, MAKEWPARAM(row.button, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button)) != FALSE;
        });
        EXPECT_EQ(sheet.DoModal(), row.result);
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        kvwin32::setInputSource({});
    }
}

TEST_F(PropertySheetTest, ModelessKeyboardGoesThroughTheSheet) {
    ASSERT_TRUE(sheet.Create());
    MSG outside{};
    outside.message = WM_KEYDOWN;
    outside.wParam = VK_TAB;
    EXPECT_FALSE(sheet.PreTranslateMessage(&outside));  // not the sheet's window
    MSG mouse{};
    mouse.hwnd = sheet.m_hWnd;
    mouse.message = WM_MOUSEMOVE;
    EXPECT_FALSE(sheet.PreTranslateMessage(&mouse));
    EXPECT_FALSE(a.PreTranslateMessage(&mouse));  // pages leave navigation to the sheet
}

TEST_F(PropertySheetTest, PageOnlyTalksToItsSheetBeforeItHasAWindow) {
    // Without a window, SetModified and the sheet messages are quietly ignored.
    a.SetModified(TRUE);
    a.CancelToClose();
    EXPECT_EQ(a.QuerySiblings(1, 2), 0);
    EXPECT_EQ(a.GetParentSheet(), nullptr);
    EXPECT_EQ(a.m_psp.lParam, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(b.m_psp.dwFlags & PSP_USETITLE, static_cast<DWORD>(PSP_USETITLE));
    EXPECT_EQ(a.m_psp.dwFlags & PSP_USETITLE, 0U);
}

}  // namespace
}  // namespace kvtest
