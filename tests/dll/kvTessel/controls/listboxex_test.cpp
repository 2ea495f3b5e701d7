// CListBoxEx and its in-place editors on a framework window: the replies to the editors'
// reports, opening and closing the editor, the keys, moves, drags from every row to every
// place of a three-row list, and the editors' focus-loss rules.
#include <gtest/gtest.h>

#include <afxcmn.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "controls/ListBoxEx.h"

namespace {

// A list that records its hooks and can refuse an edit.
class RecordingList : public CListBoxEx {
  public:
    std::vector<std::string> hooks;
    BOOL acceptEdit = TRUE;

    BOOL OnEndEdit(int index, BOOL cancelled) override {
        hooks.push_back("end " + std::to_string(index) + (cancelled ? " cancelled" : ""));
        return acceptEdit;
    }
    void OnBrowse(int index, const InPlaceNotify* report) override {
        hooks.push_back("browse " + std::to_string(index) + " id " +
                        std::to_string(report != nullptr ? report->param : 0));
    }
};

// The list's parent: reflects the drag-list notifications to the list, as a dialog does.
class HostWindow : public CWnd {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CDragListBox::dragListMessage()) {
            const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
            LRESULT result = 0;
            if (info != nullptr && CWnd::ReflectLastMsg(info->hWnd, &result)) {
                return result;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ListBoxExTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                  200, nullptr, nullptr));
        // As a dialog binds it: a plain list box of a template, subclassed.
        HWND box = ::CreateWindowExA(
            0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10,
            200, 140, host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr,
            nullptr);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(list.SubclassWindow(box));
        fill({"zero", "one", "two"});
    }
    void TearDown() override {
        list.DestroyWindow();
        host.DestroyWindow();
        WindowFixture::TearDown();
    }

    void fill(const std::vector<std::string>& texts) {
        list.ResetContent();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            list.AddString(texts[i].c_str());
            list.SetItemData(static_cast<int>(i), 100 + i);
        }
    }
    // Rows as "text/data".
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            out.push_back(text.str() + "/" + std::to_string(list.GetItemData(i)));
        }
        return out;
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
    LRESULT report(std::uint32_t code, UINT_PTR param, HWND from = nullptr) {
        InPlaceNotify r{from, code, param, POINT{0, 0}};
        return list.SendMessage(InPlaceMessage(), 0, reinterpret_cast<LPARAM>(&r));
    }
    bool editing() { return list.GetEditedItem() != -1 && list.GetEditor()->IsWindowVisible(); }
    void typeInEditor(const char* text) { list.GetEditor()->SetWindowText(text); }
    CPoint screenCentre(int index) {
        CRect rect;
        list.GetItemRect(index, &rect);
        CPoint point((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        list.ClientToScreen(&point);
        return point;
    }
    LRESULT drag(UINT code, CPoint screen) {
        DRAGLISTINFO info{code, list.m_hWnd, screen};
        return host.SendMessage(CDragListBox::dragListMessage(), 100,
                                reinterpret_cast<LPARAM>(&info));
    }
    void key(UINT message, UINT vk, UINT flags = 0) {
        list.SendMessage(message, vk, MAKELPARAM(1, flags));
    }
    void click(int index, UINT message = WM_LBUTTONDOWN) {
        CRect rect;
        list.GetItemRect(index, &rect);
        list.SendMessage(message, MK_LBUTTON, MAKELPARAM(rect.left + 5, rect.top + 2));
        if (message == WM_LBUTTONDOWN) {
            list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 5, rect.top + 2));
        }
    }

    HostWindow host;
    RecordingList list;
};

TEST_F(ListBoxExTest, RepliesToEveryReport) {
    struct Row {
        const char* what;
        std::uint32_t code;
        int param;  // -1: the edit's handle, -2: the button's, -3: the host's
        LRESULT reply;
        bool stillEditing;
        std::vector<std::string> hooks;
        std::vector<std::string> texts;
    };
    const Row table[] = {
        {"Escape", kInPlaceKey, VK_ESCAPE, 1, false, {"end 1 cancelled"}, {"zero", "one", "two"}},
        {"Enter", kInPlaceKey, VK_RETURN, 1, false, {"end 1"}, {"zero", "typed", "two"}},
        {"browse click", kInPlaceClicked, 2, 0, true, {"browse 1 id 2"}, {"zero", "one", "two"}},
        {"focus to the edit", kInPlaceFocusLost, -1, 0, true, {}, {"zero", "one", "two"}},
        {"focus to the button", kInPlaceFocusLost, -2, 0, true, {}, {"zero", "one", "two"}},
        {"focus elsewhere", kInPlaceFocusLost, -3, 1, false, {"end 1"}, {"zero", "typed", "two"}},
        {"focus to nowhere", kInPlaceFocusLost, 0, 1, false, {"end 1"}, {"zero", "typed", "two"}},
        {"unknown code", 9, 0, 1, true, {}, {"zero", "one", "two"}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        fill({"zero", "one", "two"});
        list.hooks.clear();
        list.BeginEdit(1);
        ASSERT_TRUE(editing());
        typeInEditor("typed");
        UINT_PTR param = static_cast<UINT_PTR>(row.param);
        if (row.param == -1) {
            param = reinterpret_cast<UINT_PTR>(list.GetEditor()->m_hWnd);
        } else if (row.param == -2) {
            param = reinterpret_cast<UINT_PTR>(list.GetBrowseButton()->m_hWnd);
        } else if (row.param == -3) {
            param = reinterpret_cast<UINT_PTR>(host.m_hWnd);
        }
        EXPECT_EQ(report(row.code, param), row.reply);
        EXPECT_EQ(list.GetEditedItem() != -1, row.stillEditing);
        EXPECT_EQ(list.hooks, row.hooks);
        EXPECT_EQ(texts(), row.texts);
        if (list.GetEditedItem() != -1) {
            list.EndEdit(TRUE);
        }
    }
}

TEST_F(ListBoxExTest, EnterRejectedByTheHookKeepsTheOldText) {
    list.acceptEdit = FALSE;
    list.BeginEdit(0);
    typeInEditor("changed");
    EXPECT_EQ(report(kInPlaceKey, VK_RETURN), 1);
    EXPECT_FALSE(editing());
    EXPECT_FALSE(list.GetBrowseButton()->IsWindowVisible());
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two"}));
}

TEST_F(ListBoxExTest, NewAppendsAnEmptyRowAndEscapeTakesItAway) {
    list.EditNewItem();
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(list.GetEditedItem(), 3);
    EXPECT_EQ(list.GetCurrentItem(), 3);
    EXPECT_TRUE(editing());
    EXPECT_EQ(::GetFocus(), list.GetEditor()->m_hWnd);
    report(kInPlaceKey, VK_ESCAPE);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two"}));

    list.EditNewItem();
    typeInEditor("three");
    report(kInPlaceKey, VK_RETURN);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two", "three"}));
    EXPECT_EQ(list.GetCurSel(), 3);
}

TEST_F(ListBoxExTest, ClearedTextDeletesTheRowWithEnterOrEscape) {
    for (UINT keyCode : {VK_RETURN, VK_ESCAPE}) {
        fill({"zero", "one", "two"});
        list.BeginEdit(1);
        typeInEditor("");
        report(kInPlaceKey, keyCode);
        EXPECT_EQ(rows(), (std::vector<std::string>{"zero/100", "two/102"})) << keyCode;
    }
}

TEST_F(ListBoxExTest, EditorPlacementWithAndWithoutBrowse) {
    CRect item;
    list.GetItemRect(1, &item);
    list.BeginEdit(1);
    CRect edit;
    CRect button;
    list.GetEditor()->GetWindowRect(&edit);
    list.GetBrowseButton()->GetWindowRect(&button);
    list.ScreenToClient(&edit);
    list.ScreenToClient(&button);
    EXPECT_EQ(edit, CRect(item.left, item.top - 2, item.right - 30, item.bottom + 2));
    EXPECT_EQ(button, CRect(item.right - 30, item.top - 2, item.right, item.bottom + 2));
    EXPECT_TRUE(list.GetBrowseButton()->IsWindowVisible());
    EXPECT_NE(::GetFocus(), list.GetBrowseButton()->m_hWnd);
    list.EndEdit(TRUE);

    list.SetEditStyle(0);
    list.BeginEdit(1);
    list.GetEditor()->GetWindowRect(&edit);
    list.ScreenToClient(&edit);
    EXPECT_EQ(edit, CRect(item.left, item.top - 2, item.right, item.bottom + 2));
    EXPECT_FALSE(list.GetBrowseButton()->IsWindowVisible());
    CString text;
    list.GetEditor()->GetWindowText(text);
    EXPECT_EQ(text.str(), "one");
}

TEST_F(ListBoxExTest, OneEditorAtATimeAndOnlyWhenAllowed) {
    list.BeginEdit(0);
    list.BeginEdit(2);
    EXPECT_EQ(list.GetEditedItem(), 0);
    list.EndEdit(TRUE);
    list.AllowEditing(FALSE);
    list.BeginEdit(2);
    EXPECT_EQ(list.GetEditedItem(), -1);
    click(1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(list.GetEditedItem(), -1);
    list.AllowEditing(TRUE);
    click(1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(list.GetEditedItem(), 1);
}

TEST_F(ListBoxExTest, F2AndDeleteActOnTheRowLastClicked) {
    key(WM_KEYDOWN, VK_F2);
    EXPECT_EQ(list.GetEditedItem(), -1);  // no row clicked yet
    click(2);
    list.SetCurSel(0);  // the selection moves, the clicked row stays current
    key(WM_KEYDOWN, VK_F2);
    EXPECT_EQ(list.GetEditedItem(), 2);
    list.EndEdit(TRUE);
    key(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one"}));
}

TEST_F(ListBoxExTest, AltArrowsMoveTheSelectedRowWhenTheFlagIsSet) {
    struct Row {
        UINT vk;
        UINT flags;
        int selected;
        std::vector<std::string> rows;
        int selectedAfter;
    };
    // The flag word: scan code in the low byte, 0x2000 with Alt. Moves need bit 3 (8) too.
    const UINT alt = 0x2000;
    const Row table[] = {
        {VK_UP, alt | 8, 1, {"one/101", "zero/100", "two/102"}, 0},
        {VK_LEFT, alt | 8, 2, {"zero/100", "two/102", "one/101"}, 1},
        {VK_RIGHT, alt | 8, 0, {"one/101", "zero/100", "two/102"}, 1},
        {VK_DOWN, alt | 8, 1, {"zero/100", "two/102", "one/101"}, 2},
        {VK_DOWN, alt, 1, {"zero/100", "one/101", "two/102"}, 1},
        {VK_UP, alt | 8, 0, {"zero/100", "one/101", "two/102"}, 0},
        {VK_DOWN, alt | 8, 2, {"zero/100", "one/101", "two/102"}, 2},
        {VK_UP, alt | 8, -1, {"zero/100", "one/101", "two/102"}, -1},
    };
    for (const Row& row : table) {
        fill({"zero", "one", "two"});
        list.SetCurSel(row.selected);
        key(WM_SYSKEYDOWN, row.vk, row.flags);
        EXPECT_EQ(rows(), row.rows) << row.vk << " from " << row.selected;
        EXPECT_EQ(list.GetCurSel(), row.selectedAfter) << row.vk << " from " << row.selected;
    }
    fill({"zero", "one", "two"});
    list.AllowMoving(FALSE);
    list.SetCurSel(1);
    key(WM_SYSKEYDOWN, VK_UP, alt | 8);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two"}));
}

TEST_F(ListBoxExTest, DragFromEveryRowToEveryPlace) {
    // The dragged row goes before the row it is dropped on; below the last row is no place.
    for (int from = 0; from < 3; ++from) {
        for (int onto = 0; onto <= 3; ++onto) {
            fill({"a", "b", "c"});
            std::vector<std::string> expected = {"a/100", "b/101", "c/102"};
            if (onto < 3 && onto != from && onto != from + 1) {
                const std::string moved = expected[static_cast<std::size_t>(from)];
                expected.erase(expected.begin() + from);
                const int at = from < onto ? onto - 1 : onto;
                expected.insert(expected.begin() + at, moved);
            }
            list.SetCurSel(from);
            CPoint point = screenCentre(onto < 3 ? onto : 2);
            if (onto == 3) {
                point.y += 200;
            }
            EXPECT_EQ(drag(DL_BEGINDRAG, screenCentre(from)), TRUE);
            drag(DL_DRAGGING, point);
            drag(DL_DROPPED, point);
            EXPECT_EQ(rows(), expected) << "from " << from << " onto " << onto;
        }
    }
}

TEST_F(ListBoxExTest, NoDragWhileEditingOrWhenMovingIsOff) {
    list.BeginEdit(0);
    EXPECT_EQ(drag(DL_BEGINDRAG, screenCentre(1)), 0);
    list.SetCurSel(1);
    drag(DL_DROPPED, screenCentre(0));
    list.EndEdit(TRUE);
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "one", "two"}));
    list.AllowMoving(FALSE);
    EXPECT_EQ(drag(DL_BEGINDRAG, screenCentre(1)), 0);
}

TEST_F(ListBoxExTest, MovesKeepItemDataAndStopAtTheEnds) {
    list.MoveItemUp(0);
    list.MoveItemDown(2);
    EXPECT_EQ(rows(), (std::vector<std::string>{"zero/100", "one/101", "two/102"}));
    list.MoveItemDown(0);
    EXPECT_EQ(rows(), (std::vector<std::string>{"one/101", "zero/100", "two/102"}));
    EXPECT_EQ(list.GetCurSel(), 1);
    list.SwapItems(2, 0);
    EXPECT_EQ(rows(), (std::vector<std::string>{"two/102", "zero/100", "one/101"}));
}

TEST_F(ListBoxExTest, FocusMovingBetweenTheEditorsKeepsEditing) {
    list.BeginEdit(1);
    typeInEditor("typed");
    list.GetBrowseButton()->SetFocus();
    EXPECT_TRUE(editing());
    list.GetEditor()->SetFocus();
    EXPECT_TRUE(editing());
    host.SetFocus();
    EXPECT_FALSE(editing());
    EXPECT_FALSE(list.GetEditor()->IsWindowVisible());
    EXPECT_EQ(texts(), (std::vector<std::string>{"zero", "typed", "two"}));
}

TEST_F(ListBoxExTest, EditorsKeepTheirKeysFromTheDialog) {
    list.BeginEdit(0);
    typeInEditor("new");
    MSG enter{list.GetEditor()->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, POINT{0, 0}};
    EXPECT_TRUE(list.GetEditor()->PreTranslateMessage(&enter));
    EXPECT_FALSE(editing());
    EXPECT_EQ(::GetFocus(), list.m_hWnd);
    EXPECT_EQ(texts(), (std::vector<std::string>{"new", "one", "two"}));

    list.BeginEdit(1);
    MSG escape{list.GetBrowseButton()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, POINT{0, 0}};
    EXPECT_TRUE(list.GetBrowseButton()->PreTranslateMessage(&escape));
    EXPECT_FALSE(editing());
    EXPECT_EQ(list.hooks.back(), "end 1 cancelled");

    MSG other{list.GetEditor()->m_hWnd, WM_KEYDOWN, 'A', 0, 0, POINT{0, 0}};
    EXPECT_FALSE(list.GetEditor()->PreTranslateMessage(&other));
}

TEST_F(ListBoxExTest, BrowseClickReportsTheButtonAndKeepsEditing) {
    list.BeginEdit(2);
    list.GetBrowseButton()->SendMessage(BM_CLICK, 0, 0);
    EXPECT_EQ(list.hooks, (std::vector<std::string>{"browse 2 id 2"}));
    EXPECT_TRUE(editing());
    list.SetEditText("C:\\chosen");
    CString text;
    list.GetEditor()->GetWindowText(text);
    EXPECT_EQ(text.str(), "C:\\chosen");
    EXPECT_EQ(::GetFocus(), list.GetEditor()->m_hWnd);
}

}  // namespace
