// CListBoxExBuddy over an owner-drawn button: the layout of the four buttons, the tips, the
// hot and pressed states under the mouse, and what each button does to the list.
#include <gtest/gtest.h>

#include <afxcmn.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "controls/ListBoxExBuddy.h"
#include "kvwin32/resources.h"

namespace {

class BuddyTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                  240, nullptr, nullptr));
        HWND button = ::CreateWindowExA(
            0, "BUTTON", "Directories:", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 200, 24,
            host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(101)), nullptr, nullptr);
        HWND box = ::CreateWindowExA(
            0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 40,
            200, 140, host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr,
            nullptr);
        ASSERT_TRUE(list.SubclassWindow(box));
        ASSERT_TRUE(buddy.SubclassWindow(button));
        buddy.SetListBox(&list);
        for (const char* text : {"zero", "one", "two"}) {
            list.AddString(text);
        }
    }
    void TearDown() override {
        buddy.DestroyWindow();
        list.DestroyWindow();
        host.DestroyWindow();
        KvRegisterResourceDirectory(nullptr, nullptr);
        WindowFixture::TearDown();
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            out.push_back(text.str());
        }
        return out;
    }
    LPARAM at(int button) {
        const CRect r = buddy.ButtonRect(button);
        return MAKELPARAM(r.left + 5, r.top + 5);
    }

    CWnd host;
    CListBoxEx list;
    CListBoxExBuddy buddy;
};

TEST_F(BuddyTest, ButtonsSitAtTheRightEndCentredVertically) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buddy.ButtonRect(i), CRect(200 - 88 + 22 * i, 2, 200 - 66 + 22 * i, 22)) << i;
    }
    buddy.SetWindowPos(nullptr, 0, 0, 150, 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(buddy.ButtonRect(0), CRect(62, 5, 84, 25));
    EXPECT_EQ(buddy.HitTest(CPoint(62, 5)), 0);
    EXPECT_EQ(buddy.HitTest(CPoint(149, 24)), 3);
    EXPECT_EQ(buddy.HitTest(CPoint(61, 10)), CListBoxExBuddy::kNone);
    EXPECT_EQ(buddy.ToolTips().GetToolCount(), 4);
}

TEST_F(BuddyTest, TipsNameTheButtons) {
    const char* expected[] = {"New", "Delete", "Move Up", "Move Down"};
    for (UINT_PTR tool = 1; tool <= 4; ++tool) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = buddy.ToolTips().m_hWnd;
        info.hdr.idFrom = tool;
        info.hdr.code = TTN_NEEDTEXTA;
        buddy.SendMessage(WM_NOTIFY, tool, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, expected[tool - 1]);
    }
}

TEST_F(BuddyTest, EachButtonActsOnTheSelectedRow) {
    struct Row {
        int button;
        int selected;
        std::vector<std::string> texts;
        int selectedAfter;
    };
    const Row table[] = {
        {CListBoxExBuddy::kDelete, 1, {"zero", "two"}, -1},
        {CListBoxExBuddy::kDelete, -1, {"zero", "one", "two"}, -1},
        {CListBoxExBuddy::kMoveUp, 0, {"zero", "one", "two"}, 0},
        {CListBoxExBuddy::kMoveUp, 2, {"zero", "two", "one"}, 1},
        {CListBoxExBuddy::kMoveDown, 2, {"zero", "one", "two"}, 2},
        {CListBoxExBuddy::kMoveDown, 0, {"one", "zero", "two"}, 1},
        {CListBoxExBuddy::kMoveDown, -1, {"zero", "one", "two"}, -1},
    };
    for (const Row& row : table) {
        list.ResetContent();
        for (const char* text : {"zero", "one", "two"}) {
            list.AddString(text);
        }
        list.SetCurSel(row.selected);
        buddy.DoButton(row.button);
        EXPECT_EQ(texts(), row.texts) << row.button << " on " << row.selected;
        EXPECT_EQ(list.GetCurSel(), row.selectedAfter) << row.button << " on " << row.selected;
    }
    buddy.DoButton(CListBoxExBuddy::kNew);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetEditedItem(), 3);
}

TEST_F(BuddyTest, AClickActsOnlyWhenReleasedOverThePressedButton) {
    list.SetCurSel(0);
    buddy.SendMessage(WM_MOUSEMOVE, 0, at(2));
    EXPECT_EQ(buddy.GetHotButton(), 2);
    buddy.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(buddy.GetHotButton(), CListBoxExBuddy::kNone);

    buddy.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1));
    EXPECT_EQ(buddy.GetHotButton(), 1);
    EXPECT_TRUE(buddy.IsPressed());
    EXPECT_EQ(::GetCapture(), buddy.m_hWnd);
    buddy.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(3));
    EXPECT_EQ(buddy.GetHotButton(), 1);  // the pressed button stays hot
    buddy.SendMessage(WM_LBUTTONUP, 0, at(3));
    EXPECT_FALSE(buddy.IsPressed());
    EXPECT_EQ(buddy.GetHotButton(), 3);
    EXPECT_NE(::GetCapture(), buddy.m_hWnd);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two"}));

    buddy.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1));
    buddy.SendMessage(WM_LBUTTONUP, 0, at(1));
    EXPECT_EQ(texts(), (std::vector<std::string>{"one", "two"}));
}

}  // namespace
