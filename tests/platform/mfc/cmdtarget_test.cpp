// Message maps: every kind of entry reaches its handler with the message's arguments unpacked
// as the framework unpacks them, a derived class's entry wins over its base's, and base
// entries still serve what the derived map leaves.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "afxwin.h"
#include "kvwin32/commctrl.h"

namespace {

UINT registeredTestMessage() {
    static const UINT message = RegisterWindowMessageA("KvMfcTestRegistered");
    return message;
}
UINT gRegistered = 0;

class BaseWnd : public CWnd {
  public:
    std::vector<std::string> log;

  protected:
    void OnBaseCommand100() { log.push_back("base command 100"); }
    void OnBaseCommand101() { log.push_back("base command 101"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_COMMAND(100, OnBaseCommand100)
ON_COMMAND(101, OnBaseCommand101)
END_MESSAGE_MAP()

class TestWnd : public BaseWnd {
  protected:
    void OnCommand100() { log.push_back("derived command 100"); }
    void OnClickedRange(UINT id) { log.push_back("clicked range " + std::to_string(id)); }
    void OnEditChange() { log.push_back("edit change"); }
    void OnEditKillFocus() { log.push_back("edit killfocus"); }
    void OnCommandRange(UINT id) { log.push_back("command range " + std::to_string(id)); }
    void OnClick(NMHDR* header, LRESULT* result) {
        log.push_back("notify click " + std::to_string(header->idFrom));
        *result = 7;
    }
    BOOL OnDblClkEx(UINT id, NMHDR*, LRESULT*) {
        log.push_back("notify ex " + std::to_string(id));
        return FALSE;  // lets the range entry have it too
    }
    void OnDblClkRange(UINT id, NMHDR*, LRESULT* result) {
        log.push_back("notify range " + std::to_string(id));
        *result = 3;
    }
    LRESULT OnUser(WPARAM w, LPARAM l) {
        log.push_back("user " + std::to_string(w) + " " + std::to_string(l));
        return 99;
    }
    LRESULT OnRegistered(WPARAM w, LPARAM) {
        log.push_back("registered " + std::to_string(w));
        return 5;
    }
    void OnLButtonDown(UINT flags, CPoint p) {
        log.push_back("lbuttondown " + std::to_string(flags) + " " + std::to_string(p.x) + "," +
                      std::to_string(p.y));
    }
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) {
        log.push_back("keydown " + std::to_string(ch) + " " + std::to_string(repeat) + " " +
                      std::to_string(flags));
    }
    void OnSize(UINT type, int cx, int cy) {
        log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + " " +
                      std::to_string(cy));
    }
    void OnSetFocus(CWnd* old) { log.push_back(old ? "setfocus from window" : "setfocus null"); }
    void OnSysCommand(UINT id, LPARAM) { log.push_back("syscommand " + std::to_string(id)); }
    void OnShowWindow(BOOL show, UINT status) {
        log.push_back("showwindow " + std::to_string(show) + " " + std::to_string(status));
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) {
        log.push_back("ctlcolor " + std::to_string(kind) + (dc ? " dc" : "") + (wnd ? " wnd" : ""));
        return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(0x1234));
    }
    BOOL OnEraseBkgnd(CDC* dc) {
        log.push_back(dc ? "erase dc" : "erase");
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestWnd, BaseWnd)
ON_COMMAND(100, OnCommand100)
ON_CONTROL_RANGE(BN_CLICKED, 200, 210, OnClickedRange)
ON_EN_CHANGE(300, OnEditChange)
ON_EN_KILLFOCUS(300, OnEditKillFocus)
ON_COMMAND_RANGE(500, 505, OnCommandRange)
ON_NOTIFY(NM_CLICK, 400, OnClick)
ON_NOTIFY_EX(NM_DBLCLK, 401, OnDblClkEx)
ON_NOTIFY_RANGE(NM_DBLCLK, 400, 410, OnDblClkRange)
ON_MESSAGE(WM_USER + 5, OnUser)
ON_REGISTERED_MESSAGE(gRegistered, OnRegistered)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_SYSCOMMAND()
ON_WM_SHOWWINDOW()
ON_WM_CTLCOLOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class MessageMapTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        gRegistered = registeredTestMessage();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr));
        child = CreateWindowExA(0, kvtest::kRecorderClass, "", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(child, nullptr);
        wnd.log.clear();
    }
    TestWnd wnd;
    HWND child = nullptr;
};

TEST_F(MessageMapTest, EachEntryKindReachesItsHandler) {
    NMHDR click{nullptr, 400, NM_CLICK};
    NMHDR dblclk{nullptr, 401, NM_DBLCLK};
    NMHDR other{nullptr, 402, NM_DBLCLK};
    click.hwndFrom = dblclk.hwndFrom = other.hwndFrom = child;
    const LPARAM ctl = reinterpret_cast<LPARAM>(child);
    struct Row {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> expected;
        LRESULT result;
    };
    const Row rows[] = {
        {"derived command over base",
         WM_COMMAND,
         MAKEWPARAM(100, 0),
         0,
         {"derived command 100"},
         1},
        {"base command", WM_COMMAND, MAKEWPARAM(101, 0), 0, {"base command 101"}, 1},
        {"unmapped command", WM_COMMAND, MAKEWPARAM(102, 0), 0, {}, 0},
        {"control range", WM_COMMAND, MAKEWPARAM(205, BN_CLICKED), ctl, {"clicked range 205"}, 1},
        {"control range end", WM_COMMAND, MAKEWPARAM(211, BN_CLICKED), ctl, {}, 0},
        {"edit change", WM_COMMAND, MAKEWPARAM(300, EN_CHANGE), ctl, {"edit change"}, 1},
        {"edit kill focus", WM_COMMAND, MAKEWPARAM(300, EN_KILLFOCUS), ctl, {"edit killfocus"}, 1},
        {"command range (menu)", WM_COMMAND, MAKEWPARAM(503, 0), 0, {"command range 503"}, 1},
        {"notify", WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&click), {"notify click 400"}, 7},
        {"notify ex then range",
         WM_NOTIFY,
         401,
         reinterpret_cast<LPARAM>(&dblclk),
         {"notify ex 401", "notify range 401"},
         3},
        {"notify range", WM_NOTIFY, 402, reinterpret_cast<LPARAM>(&other), {"notify range 402"}, 3},
        {"user message", WM_USER + 5, 11, 22, {"user 11 22"}, 99},
        {"registered message", registeredTestMessage(), 4, 0, {"registered 4"}, 5},
        {"mouse", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), {"lbuttondown 1 3,4"}, 0},
        {"key", WM_KEYDOWN, VK_F1, MAKELPARAM(1, 0x3b), {"keydown 112 1 59"}, 0},
        {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(20, 30), {"size 0 20 30"}, 0},
        {"set focus", WM_SETFOCUS, 0, 0, {"setfocus null"}, 0},
        {"system command", WM_SYSCOMMAND, SC_CLOSE, 0, {"syscommand 61536"}, 0},
        {"show window", WM_SHOWWINDOW, TRUE, 0, {"showwindow 1 0"}, 0},
        {"colour", WM_CTLCOLOREDIT, 0, ctl, {"ctlcolor 1 wnd"}, 0x1234},
    };
    for (const Row& row : rows) {
        wnd.log.clear();
        const LRESULT result = SendMessageA(wnd.m_hWnd, row.message, row.wParam, row.lParam);
        EXPECT_EQ(wnd.log, row.expected) << row.what;
        EXPECT_EQ(result, row.result) << row.what;
    }
}

TEST_F(MessageMapTest, UnmappedMessagesReachThePreviousProcedure) {
    SetWindowTextA(wnd.m_hWnd, "title");  // WM_SETTEXT: DefWindowProc keeps the text
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "title");
    EXPECT_TRUE(wnd.log.empty());
}

TEST_F(MessageMapTest, FromHandleFindsTheObjectOrAWrapper) {
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    CWnd* temp = CWnd::FromHandle(child);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, child);
    EXPECT_EQ(CWnd::FromHandle(child), temp);  // the same wrapper while the window lives
    EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(temp->GetParent(), &wnd);
}

TEST_F(MessageMapTest, DestroyingTheWindowUnbindsTheObject) {
    HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_FALSE(wnd.DestroyWindow());  // no window: FALSE, nothing touched
}

TEST_F(MessageMapTest, SubclassingChainsToThePreviousProcedure) {
    HWND edit =
        CreateWindowExA(0, "Edit", "abc", WS_CHILD, 0, 0, 50, 14, wnd.m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(300)), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const auto original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        CEdit control;
        ASSERT_TRUE(control.SubclassWindow(edit));
        EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
        EXPECT_FALSE(control.SubclassWindow(edit));  // already bound
        CString text;
        control.GetWindowText(text);  // answered by the edit's own procedure
        EXPECT_STREQ(text, "abc");
        EXPECT_EQ(control.UnsubclassWindow(), edit);
    }
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_TRUE(IsWindow(edit));  // an unsubclassed object leaves its window alone
}

// Records each PreSubclassWindow with what it sees of its window at that moment.
class PreparingWnd : public CWnd {
  public:
    std::vector<std::string> log;
    void PreSubclassWindow() override {
        const bool replaced =
            GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc);
        log.push_back(std::string(m_hWnd != nullptr ? "bound" : "unbound") +
                      (replaced ? " after subclassing" : ""));
    }
};

// The framework's step for a control's own preparation runs once per binding, with the object
// holding its window: before the procedure is replaced when subclassing, and for the
// framework's own class (whose procedure needs no replacing) at the window's first message.
TEST_F(MessageMapTest, PreSubclassWindowRunsOnceForEachWayOfBinding) {
    HWND edit =
        CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 50, 14, wnd.m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(301)), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    {
        PreparingWnd bySubclass;
        ASSERT_TRUE(bySubclass.SubclassDlgItem(301, &wnd));
        EXPECT_EQ(bySubclass.log, std::vector<std::string>{"bound"});
        EXPECT_FALSE(bySubclass.SubclassWindow(edit));  // refused: no second preparation
        EXPECT_EQ(bySubclass.log.size(), 1u);
        bySubclass.UnsubclassWindow();
    }
    {
        PreparingWnd created;  // a window of a system class, bound when it exists
        ASSERT_TRUE(
            created.CreateEx(0, "Button", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, nullptr));
        EXPECT_EQ(created.log, std::vector<std::string>{"bound"});
        created.DestroyWindow();
    }
    {
        PreparingWnd framework;  // the framework's class: bound at its first message
        ASSERT_TRUE(
            framework.CreateEx(0, nullptr, "f", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, nullptr));
        EXPECT_EQ(framework.log, std::vector<std::string>{"bound"});
        framework.DestroyWindow();
    }
    {
        PreparingWnd attached;  // Attach alone binds without subclassing: no preparation
        ASSERT_TRUE(attached.Attach(edit));
        EXPECT_TRUE(attached.log.empty());
        attached.Detach();
    }
}

}  // namespace
