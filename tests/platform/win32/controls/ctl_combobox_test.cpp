// Tests of the combo box control: its parts and geometry, the messages it passes to its list,
// the order of the notifications for each way a user chooses (mouse, keys, Escape, focus),
// programmatic calls that notify nothing, owner drawing and the editable field.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MsgSequence.h"
#include "WindowFixture.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvtest::ExpectedMsg;
using kvtest::RecordedMsg;

constexpr int kComboId = 202;
constexpr int kDroppedHeight = 150;

class ComboBoxTest : public kvtest::WindowFixture {
  protected:
    // Answers installed by a test capture its locals: they go before the windows do.
    void TearDown() override {
        rec.setAnswer({});
        kvtest::WindowFixture::TearDown();
    }

    void SetUp() override {
        parent =
            create(WS_OVERLAPPEDWINDOW, nullptr, 0, 50, 50, 300, 300, kvtest::kRecorderParentClass);
        ASSERT_NE(parent, nullptr);
        other = create(WS_CHILD | WS_VISIBLE, parent, 9, 200, 200, 20, 20);
    }

    HWND makeCombo(DWORD style, const std::vector<std::string>& items = {}) {
        HWND combo = CreateWindowExA(
            0, WC_COMBOBOXA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 120, kDroppedHeight, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), nullptr, nullptr);
        for (const auto& item : items) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        return combo;
    }

    static COMBOBOXINFO info(HWND combo) {
        COMBOBOXINFO cbi{};
        cbi.cbSize = sizeof(cbi);
        EXPECT_TRUE(GetComboBoxInfo(combo, &cbi));
        return cbi;
    }

    static void clickAt(HWND hwnd, POINT p) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }

    static void clickCombo(HWND combo) {
        RECT r{};
        GetClientRect(combo, &r);
        clickAt(combo, POINT{r.right / 2, r.bottom / 2});
    }

    static void clickItem(HWND combo, int index) {
        HWND list = info(combo).hwndList;
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        clickAt(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    static void key(HWND hwnd, WPARAM vk, UINT down = WM_KEYDOWN) {
        SendMessageA(hwnd, down, vk, 1);
        SendMessageA(hwnd, down == WM_KEYDOWN ? WM_KEYUP : WM_SYSKEYUP, vk, 0xC0000001);
    }

    ::testing::AssertionResult notified(HWND combo, const std::vector<int>& codes,
                                        const std::string& context) const {
        return notifiedBy(parent, combo, codes, context);
    }

    static bool haveEdit() {
        WNDCLASSA wc{};
        return GetClassInfoA(nullptr, WC_EDITA, &wc) != FALSE;
    }

    static std::string windowText(HWND hwnd) {
        char buffer[64] = {};
        GetWindowTextA(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    HWND parent = nullptr;
    HWND other = nullptr;
};

TEST_F(ComboBoxTest, DropDownListPartsAndGeometry) {
    HWND combo = makeCombo(CBS_DROPDOWNLIST, {"one", "two"});
    ASSERT_NE(combo, nullptr);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 21);  // the field's height, not the dropped height
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 15);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 13);
    COMBOBOXINFO cbi = info(combo);
    EXPECT_EQ(cbi.hwndCombo, combo);
    EXPECT_EQ(cbi.hwndItem, nullptr);
    ASSERT_NE(cbi.hwndList, nullptr);
    char name[32] = {};
    GetClassNameA(cbi.hwndList, name, sizeof(name));
    EXPECT_STREQ(name, WC_COMBOLBOXA);
    EXPECT_FALSE(IsWindowVisible(cbi.hwndList));
    EXPECT_LT(cbi.rcItem.right, cbi.rcButton.left + 1);
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.top, window.top);
    EXPECT_EQ(dropped.bottom - dropped.top, kDroppedHeight);
    // A later resize sets the dropped height and keeps the field's.
    MoveWindow(combo, 10, 10, 120, 90, TRUE);
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 21);
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 90);
    COMBOBOXINFO wrongSize{};
    EXPECT_FALSE(GetComboBoxInfo(combo, &wrongSize));
    EXPECT_FALSE(GetComboBoxInfo(nullptr, &cbi));
    // Destroying the combo box takes its list along.
    DestroyWindow(combo);
    EXPECT_FALSE(IsWindow(cbi.hwndList));
}

TEST_F(ComboBoxTest, ItemsSortFindAndSelectLikeTheListBox) {
    HWND combo = makeCombo(CBS_DROPDOWNLIST | CBS_SORT, {"PNP", "CAP", "npn", "Core", "D", "nmos"});
    const char* expected[] = {"CAP", "Core", "D", "nmos", "npn", "PNP"};
    char text[16];
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)),
                  static_cast<LRESULT>(std::strlen(expected[i])));
        EXPECT_STREQ(text, expected[i]) << i;
    }
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 6, reinterpret_cast<LPARAM>(text)), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 6, 0), CB_ERR);
    struct Case {
        UINT message;
        int start;
        const char* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {CB_FINDSTRING, -1, "n", 3},
        {CB_FINDSTRING, 3, "N", 4},
        {CB_FINDSTRING, 4, "n", 3},
        {CB_FINDSTRING, -1, "co", 1},
        {CB_FINDSTRING, -1, "x", CB_ERR},
        {CB_FINDSTRINGEXACT, -1, "core", 1},
        {CB_FINDSTRINGEXACT, -1, "c", CB_ERR},
        {CB_FINDSTRINGEXACT, 1, "CORE", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendMessageA(combo, c.message, static_cast<WPARAM>(c.start),
                               reinterpret_cast<LPARAM>(c.text)),
                  c.expected)
            << kvtest::messageName(c.message) << " " << c.start << " " << c.text;
    }
    rec.clear();
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("p")),
              5);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("zz")),
              CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(windowText(combo), "PNP");
    EXPECT_TRUE(notified(combo, {}, "CB_SELECTSTRING"));
}

TEST_F(ComboBoxTest, ProgrammaticSelectionNotifiesNothing) {
    HWND combo = makeCombo(CBS_DROPDOWNLIST, {"a", "b", "c"});
    rec.clear();
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(notified(combo, {CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP},
                         "only the drop-down reports itself"));
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_RESETCONTENT, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBoxTest, ChoosingWithTheMouseNotifiesInWindowsOrder) {
    HWND combo = makeCombo(CBS_DROPDOWNLIST, {"DC Bias Only", "Transient", "DC Sweep"});
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    std::vector<std::pair<int, LRESULT>> selectionAt;
    rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND && LOWORD(wParam) == kComboId) {
            selectionAt.emplace_back(HIWORD(wParam), SendMessageA(combo, CB_GETCURSEL, 0, 0));
        }
        return std::nullopt;
    });
    rec.clear();
    clickCombo(combo);
    EXPECT_TRUE(notified(combo, {CBN_SETFOCUS, CBN_DROPDOWN}, "click drops down"));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    HWND list = info(combo).hwndList;
    EXPECT_TRUE(IsWindowVisible(list));
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.left, comboRect.left);

    rec.clear();
    selectionAt.clear();
    clickItem(combo, 2);
    EXPECT_TRUE(notified(combo, {CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}, "choose item 2"));
    ASSERT_EQ(selectionAt.size(), 3U);
    for (const auto& [code, selection] : selectionAt) {
        EXPECT_EQ(selection, 2) << "selection at notification " << code;
    }
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(windowText(combo), "DC Sweep");
}

TEST_F(ComboBoxTest, ClosingWithoutAChoiceCancels) {
    struct Case {
        const char* name;
        void (*close)(HWND combo);
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"escape", [](HWND c) { key(c, VK_ESCAPE); }, {CBN_SELENDCANCEL, CBN_CLOSEUP}},
        {"click outside the list",
         [](HWND c) {
             clickAt(info(c).hwndList, POINT{5, -30});
         },
         {CBN_SELENDCANCEL, CBN_CLOSEUP}},
        {"focus leaves",
         [](HWND c) { SetFocus(GetDlgItem(GetParent(c), 9)); },
         {CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}},
        {"click on the combo again", [](HWND c) { clickCombo(c); }, {CBN_SELENDOK, CBN_CLOSEUP}},
        {"F4", [](HWND c) { key(c, VK_F4); }, {CBN_SELENDCANCEL, CBN_CLOSEUP}},
        {"alt+up", [](HWND c) { key(c, VK_UP, WM_SYSKEYDOWN); }, {CBN_SELENDCANCEL, CBN_CLOSEUP}},
    };
    for (const auto& c : cases) {
        HWND combo = makeCombo(CBS_DROPDOWNLIST, {"a", "b", "c"});
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        clickCombo(combo);
        ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << c.name;
        rec.clear();
        c.close(combo);
        EXPECT_TRUE(notified(combo, c.codes, c.name));
        EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << c.name;
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << c.name;
        DestroyWindow(combo);
    }
}

TEST_F(ComboBoxTest, KeysInTheDropDownList) {
    struct Case {
        const char* name;
        void (*act)(HWND combo);
        std::vector<int> codes;
        int selection;
        bool dropped;
    };
    const Case cases[] = {
        {"down in the closed list",
         [](HWND c) { key(c, VK_DOWN); },
         {CBN_SELENDOK, CBN_SELCHANGE},
         2,
         false},
        {"up in the closed list",
         [](HWND c) { key(c, VK_UP); },
         {CBN_SELENDOK, CBN_SELCHANGE},
         0,
         false},
        {"a letter",
         [](HWND c) { SendMessageA(c, WM_CHAR, 'd', 1); },
         {CBN_SELENDOK, CBN_SELCHANGE},
         3,
         false},
        {"alt+down opens", [](HWND c) { key(c, VK_DOWN, WM_SYSKEYDOWN); }, {CBN_DROPDOWN}, 1, true},
        {"F4 opens", [](HWND c) { key(c, VK_F4); }, {CBN_DROPDOWN}, 1, true},
        {"down in the open list, then enter",
         [](HWND c) {
             key(c, VK_F4);
             key(c, VK_DOWN);
             key(c, VK_RETURN);
         },
         {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP},
         2,
         false},
    };
    for (const auto& c : cases) {
        HWND combo = makeCombo(CBS_DROPDOWNLIST, {"a", "b", "c", "delta"});
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SetFocus(combo);
        rec.clear();
        c.act(combo);
        EXPECT_TRUE(notified(combo, c.codes, c.name));
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), c.selection) << c.name;
        EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0, c.dropped) << c.name;
        DestroyWindow(combo);
    }
}

TEST_F(ComboBoxTest, DialogCodeAndTextOfADropDownList) {
    HWND combo = makeCombo(CBS_DROPDOWNLIST, {"Octave", "Decade"});
    MSG enter{combo, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_EQ(SendMessageA(combo, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTARROWS | DLGC_WANTCHARS);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(SendMessageA(combo, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(GetWindowTextLengthA(combo), 0);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(GetWindowTextLengthA(combo), 6);
    char small[4] = "xxx";
    EXPECT_EQ(SendMessageA(combo, WM_GETTEXT, sizeof(small), reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_STREQ(small, "Dec");
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Octave")), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETEDITSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_LIMITTEXT, 5, 0), TRUE);
}

TEST_F(ComboBoxTest, OwnerDrawnComboBoxMeasuresAndDrawsAsItself) {
    std::vector<MEASUREITEMSTRUCT> measures;
    std::vector<DRAWITEMSTRUCT> draws;
    std::vector<DELETEITEMSTRUCT> deletes;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        switch (msg) {
            case WM_MEASUREITEM: {
                auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                measures.push_back(*m);
                m->itemHeight = m->itemID == static_cast<UINT>(-1) ? 18 : 16;
                return TRUE;
            }
            case WM_DRAWITEM:
                draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case WM_DELETEITEM:
                deletes.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
                return TRUE;
            default:
                return std::nullopt;
        }
    });
    HWND combo = makeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {"x", "y"});
    ASSERT_EQ(measures.size(), 2U);
    EXPECT_EQ(measures[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(measures[0].CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(measures[0].itemID, static_cast<UINT>(-1));
    EXPECT_EQ(measures[1].itemID, 0U);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 16);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 18 + 6);

    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(combo, CB_SETITEMDATA, 1, 0x77);
    draws.clear();
    HDC dc = GetDC(combo);
    SendMessageA(combo, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(combo, dc);
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_EQ(draws[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(draws[0].itemID, 1U);
    EXPECT_EQ(draws[0].itemData, 0x77U);
    EXPECT_TRUE(draws[0].itemState & ODS_COMBOBOXEDIT);
    EXPECT_EQ(draws[0].hwndItem, combo);

    // The list's items reach the parent as the combo box's own.
    HWND list = info(combo).hwndList;
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    draws.clear();
    dc = GetDC(list);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(list, dc);
    ASSERT_EQ(draws.size(), 2U);
    EXPECT_EQ(draws[1].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(draws[1].CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(draws[1].hwndItem, combo);
    EXPECT_FALSE(draws[1].itemState & ODS_COMBOBOXEDIT);
    EXPECT_TRUE(draws[1].itemState & ODS_SELECTED);

    SendMessageA(combo, CB_DELETESTRING, 1, 0);
    ASSERT_EQ(deletes.size(), 1U);
    EXPECT_EQ(deletes[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(deletes[0].hwndItem, combo);
    EXPECT_EQ(deletes[0].itemData, 0x77U);
}

// Windows moves scroll bars, a border and a client edge asked of a combo box to its list: the
// box itself keeps none of them and has no frame around its client area.
TEST_F(ComboBoxTest, ScrollBarsAndBordersAreTheListsNotTheBoxs) {
    for (const DWORD kind : {DWORD{CBS_DROPDOWNLIST}, DWORD{CBS_DROPDOWN}}) {
        HWND combo =
            CreateWindowExA(WS_EX_CLIENTEDGE, WC_COMBOBOXA, "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_BORDER | kind, 10,
                            10, 120, kDroppedHeight, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(combo, nullptr);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(combo, GWL_STYLE));
        EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL | WS_BORDER), 0u) << kind;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(combo, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, 0u);
        RECT window{};
        RECT client{};
        GetWindowRect(combo, &window);
        GetClientRect(combo, &client);
        EXPECT_EQ(client.right, window.right - window.left) << kind;
        const COMBOBOXINFO cbi = info(combo);
        // The list was made with the scroll bar, which hides while it has nothing to scroll.
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
        EXPECT_TRUE(GetScrollInfo(cbi.hwndList, SB_VERT, &si)) << "the list scrolls";
        EXPECT_EQ(GetWindowLongA(cbi.hwndList, GWL_STYLE) & WS_VSCROLL, 0) << "empty list";
        DestroyWindow(combo);
    }
}

// A dropped list with more items than it shows has its scroll bar; it holds the mouse, so a
// press on the bar reaches it as a click outside its client area, which scrolls the list
// instead of closing it, and the list keeps the mouse for the choice.
TEST_F(ComboBoxTest, TheDroppedListScrollsByItsScrollBar) {
    std::vector<std::string> items;
    for (int i = 0; i < 30; ++i) {
        items.push_back("item " + std::to_string(10 + i));
    }
    HWND combo = makeCombo(CBS_DROPDOWNLIST, items);
    clickCombo(combo);
    HWND list = info(combo).hwndList;
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    ASSERT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0) << "more items than fit";
    EXPECT_EQ(GetCapture(), list);
    RECT client{};
    GetClientRect(list, &client);
    // The lower arrow of the bar, right of the client area, in the list's client coordinates.
    const POINT arrow{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2, client.bottom - 3};
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "still dropped";
    EXPECT_EQ(GetCapture(), list);
    // A few items only: the list has nothing to scroll and shows no bar.
    HWND few = makeCombo(CBS_DROPDOWNLIST, {"a", "b"});
    clickCombo(few);
    EXPECT_EQ(GetWindowLongA(info(few).hwndList, GWL_STYLE) & WS_VSCROLL, 0);
}

// ---- Editable combo boxes ----------------------------------------------------------------------

TEST_F(ComboBoxTest, EditableComboBoxHasItsEdit) {
    ASSERT_TRUE(haveEdit()) << "no edit control is registered";
    HWND combo = makeCombo(CBS_DROPDOWN | CBS_SORT, {"(any)", "10", "20"});
    COMBOBOXINFO cbi = info(combo);
    ASSERT_NE(cbi.hwndItem, nullptr);
    EXPECT_EQ(GetDlgCtrlID(cbi.hwndItem), 1001);
    EXPECT_EQ(GetParent(cbi.hwndItem), combo);
    rec.clear();
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(windowText(cbi.hwndItem), "20");
    EXPECT_EQ(windowText(combo), "20");
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("(")),
              0);
    EXPECT_EQ(windowText(cbi.hwndItem), "(any)");
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("35")), TRUE);
    EXPECT_EQ(windowText(cbi.hwndItem), "35");
    EXPECT_TRUE(notified(combo, {}, "programmatic text changes"));
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 1));
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0U);
    EXPECT_EQ(end, 1U);
}

TEST_F(ComboBoxTest, TypingInTheEditNotifiesEditUpdateThenEditChange) {
    ASSERT_TRUE(haveEdit()) << "no edit control is registered";
    HWND combo = makeCombo(CBS_DROPDOWN, {"alpha", "beta"});
    HWND edit = info(combo).hwndItem;
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    rec.clear();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_TRUE(notified(combo, {CBN_EDITUPDATE, CBN_EDITCHANGE}, "typing"));
    EXPECT_EQ(windowText(combo), "x");
    rec.clear();
    SetFocus(other);
    EXPECT_TRUE(notified(combo, {CBN_SELENDCANCEL, CBN_KILLFOCUS}, "focus leaves the edit"));
}

TEST_F(ComboBoxTest, ChoosingInAnEditableComboBoxSetsTheTextAfterTheNotifications) {
    ASSERT_TRUE(haveEdit()) << "no edit control is registered";
    HWND combo = makeCombo(CBS_DROPDOWN, {"alpha", "beta"});
    HWND edit = info(combo).hwndItem;
    std::vector<std::string> textAt;
    rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND && LOWORD(wParam) == kComboId && HIWORD(wParam) == CBN_SELCHANGE) {
            textAt.push_back(windowText(edit));
        }
        return std::nullopt;
    });
    clickCombo(combo);
    rec.clear();
    clickItem(combo, 1);
    EXPECT_TRUE(notified(combo, {CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}, "choose"));
    ASSERT_EQ(textAt.size(), 1U);
    EXPECT_EQ(textAt[0], "");  // Windows updates the edit after CBN_SELCHANGE
    EXPECT_EQ(windowText(edit), "beta");
}

// Keys pressed in the edit of a drop-down combo box: Up and Down move through the closed list
// and show the item in the edit, F4 and Alt+Down open it, other keys stay the edit's own.
TEST_F(ComboBoxTest, KeysInTheEditOfAnEditableComboBox) {
    ASSERT_TRUE(haveEdit()) << "no edit control is registered";
    struct Case {
        const char* name;
        void (*act)(HWND edit);
        std::vector<int> codes;
        int selection;
        const char* text;
        bool dropped;
    };
    const Case cases[] = {
        {"down in the closed list",
         [](HWND e) { key(e, VK_DOWN); },
         {CBN_SELENDOK, CBN_SELCHANGE},
         2,
         "c",
         false},
        {"up in the closed list",
         [](HWND e) { key(e, VK_UP); },
         {CBN_SELENDOK, CBN_SELCHANGE},
         0,
         "a",
         false},
        {"F4 opens", [](HWND e) { key(e, VK_F4); }, {CBN_DROPDOWN}, 1, "b", true},
        {"alt+down opens",
         [](HWND e) { key(e, VK_DOWN, WM_SYSKEYDOWN); },
         {CBN_DROPDOWN},
         1,
         "b",
         true},
        {"down in the open list",
         [](HWND e) {
             key(e, VK_F4);
             key(e, VK_DOWN);
         },
         {CBN_DROPDOWN, CBN_SELCHANGE},
         2,
         "c",
         true},
        {"home moves the caret only", [](HWND e) { key(e, VK_HOME); }, {}, 1, "b", false},
    };
    for (const auto& c : cases) {
        HWND combo = makeCombo(CBS_DROPDOWN, {"a", "b", "c", "delta"});
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        HWND edit = info(combo).hwndItem;
        ASSERT_NE(edit, nullptr);
        SetFocus(edit);
        rec.clear();
        c.act(edit);
        EXPECT_TRUE(notified(combo, c.codes, c.name));
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), c.selection) << c.name;
        EXPECT_EQ(windowText(edit), c.text) << c.name;
        EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0, c.dropped) << c.name;
        DestroyWindow(combo);
    }
}

TEST_F(ComboBoxTest, SimpleComboBoxKeepsItsListOpen) {
    ASSERT_TRUE(haveEdit()) << "no edit control is registered";
    HWND combo = makeCombo(CBS_SIMPLE, {"first", "second"});
    COMBOBOXINFO cbi = info(combo);
    ASSERT_NE(cbi.hwndList, nullptr);
    EXPECT_EQ(GetParent(cbi.hwndList), combo);
    EXPECT_EQ(GetDlgCtrlID(cbi.hwndList), 1000);
    EXPECT_TRUE(GetWindowLongA(cbi.hwndList, GWL_STYLE) & WS_VISIBLE);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, kDroppedHeight);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    rec.clear();
    clickItem(combo, 1);
    EXPECT_TRUE(notified(combo, {CBN_SELENDOK, CBN_SELCHANGE}, "click in the open list"));
    EXPECT_EQ(windowText(cbi.hwndItem), "second");
}

// ---- What Windows reports, style by style ------------------------------------------------------

// Down, Down, Up from no selection: each key selects and notifies CBN_SELCHANGE. A combo box
// with an edit writes the new text into it only after the notification, so the owner reads
// the previous text there; a drop-down list shows the new item at once.
TEST_F(ComboBoxTest, ArrowKeysNotifySelChangeBeforeTheEditShowsTheChoice) {
    struct Row {
        const char* name;
        DWORD style;
        const char* editSeen[3];  // the field's text while CBN_SELCHANGE is handled
    };
    const Row rows[] = {
        {"simple", CBS_SIMPLE, {"", "alpha", "beta"}},
        {"drop-down", CBS_DROPDOWN, {"", "alpha", "beta"}},
        {"drop-down list", CBS_DROPDOWNLIST, {"alpha", "beta", "alpha"}},
    };
    const char* const listSeen[3] = {"alpha", "beta", "alpha"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.style != CBS_DROPDOWNLIST && !haveEdit()) {
            ADD_FAILURE() << "the edit class is missing";
            continue;
        }
        HWND combo = makeCombo(row.style, {"alpha", "beta"});
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        std::vector<std::pair<std::string, std::string>> seen;
        rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
                char item[32] = {};
                const auto index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
                SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(item));
                seen.emplace_back(item, windowText(combo));
            }
            return std::nullopt;
        });
        for (WPARAM vk : {WPARAM{VK_DOWN}, WPARAM{VK_DOWN}, WPARAM{VK_UP}}) {
            SendMessageA(combo, WM_KEYDOWN, vk, 0);
        }
        ASSERT_EQ(seen.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(seen[i].first, listSeen[i]) << "key " << i;
            EXPECT_EQ(seen[i].second, row.editSeen[i]) << "key " << i;
        }
        // The message selects silently.
        seen.clear();
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        EXPECT_TRUE(seen.empty());
        rec.setAnswer({});
        DestroyWindow(combo);
    }
}

// The drop-down width is never less than the combo box's own width; zero leaves the width as
// it was, and each call answers the width in effect.
TEST_F(ComboBoxTest, DroppedWidthIsAtLeastTheBoxWidth) {
    for (DWORD style : {DWORD{CBS_DROPDOWN}, DWORD{CBS_DROPDOWNLIST}}) {
        HWND combo = makeCombo(style);
        RECT window{};
        GetWindowRect(combo, &window);
        const LRESULT width = window.right - window.left;
        struct Step {
            WPARAM set;
            LRESULT answered;
        };
        const Step steps[] = {
            {static_cast<WPARAM>(-1), width},
            {0, width},
            {static_cast<WPARAM>(width - 3), width},
            {static_cast<WPARAM>(2 * width), 2 * width},
            {0, 2 * width},
            {1, width},
        };
        for (const Step& step : steps) {
            EXPECT_EQ(SendMessageA(combo, CB_SETDROPPEDWIDTH, step.set, 0), step.answered)
                << "set " << static_cast<LONG_PTR>(step.set);
            EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0), step.answered)
                << "after " << static_cast<LONG_PTR>(step.set);
        }
        DestroyWindow(combo);
    }
}

// The field's selection: empty until the combo box takes the focus, which selects the whole
// text once; typing replaces it; CB_SETEDITSEL with a start of -1 leaves the caret at the end.
TEST_F(ComboBoxTest, EditSelectionFollowsFocusAsOnWindows) {
    ASSERT_TRUE(haveEdit());
    HWND combo = makeCombo(CBS_SIMPLE);
    HWND edit = info(combo).hwndItem;
    auto selection = [&] {
        DWORD start = 99, end = 99;
        const LRESULT packed = SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(LOWORD(packed), start);
        EXPECT_EQ(HIWORD(packed), end);
        return std::make_pair(start, end);
    };
    using Sel = std::pair<DWORD, DWORD>;
    EXPECT_EQ(selection(), (Sel{0, 0}));
    SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Jason1"));
    EXPECT_EQ(windowText(combo), "Jason1");
    EXPECT_EQ(selection(), (Sel{0, 0}));
    rec.clear();
    SendMessageA(combo, WM_SETFOCUS, 0, reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(selection(), (Sel{0, 6}));
    EXPECT_TRUE(notified(combo, {CBN_SETFOCUS}, "taking the focus"));
    SendMessageA(combo, WM_CHAR, 'A', 0x1c0001);
    EXPECT_EQ(windowText(combo), "A");
    EXPECT_EQ(selection(), (Sel{1, 1}));
    SendMessageA(combo, WM_SETFOCUS, 0, reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(selection(), (Sel{1, 1})) << "a second WM_SETFOCUS selects nothing";
    // Losing the focus empties the selection.
    rec.clear();
    SetFocus(other);
    EXPECT_TRUE(notified(combo, {CBN_SELENDCANCEL, CBN_KILLFOCUS}, "losing the focus"));
    EXPECT_EQ(SendMessageA(combo, CB_GETEDITSEL, 0, 0), 0);
    DestroyWindow(combo);

    combo = makeCombo(CBS_SIMPLE);
    edit = info(combo).hwndItem;
    SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Jason2"));
    SendMessageA(combo, WM_SETFOCUS, 0, reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(selection(), (Sel{0, 6}));
    SendMessageA(combo, CB_SETEDITSEL, 0, -1);
    SendMessageA(combo, WM_CHAR, 'A', 0x1c0001);
    EXPECT_EQ(windowText(combo), "Jason2A");
}

// CB_SETITEMHEIGHT with -1 sets the height of the selection field: the box is that plus six
// pixels high.
TEST_F(ComboBoxTest, SelectionFieldHeightSetsTheBoxHeight) {
    for (DWORD style : {DWORD{CBS_DROPDOWN}, DWORD{CBS_DROPDOWNLIST}}) {
        HWND combo = makeCombo(style);
        for (int height = 1; height < 30; ++height) {
            SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
            RECT client{};
            GetClientRect(combo, &client);
            EXPECT_EQ(client.bottom - client.top, height + 6) << "field height " << height;
            EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), height);
        }
        DestroyWindow(combo);
    }
}

// The list of a combo box notifies, keeps strings and knows its combo box; the list of a
// drop-down is shown only while dropped.
TEST_F(ComboBoxTest, ListStylesByKind) {
    struct Row {
        const char* name;
        DWORD style;
        DWORD listStyle;
    };
    const DWORD common = WS_CLIPSIBLINGS | LBS_COMBOBOX | LBS_HASSTRINGS | LBS_NOTIFY;
    const Row rows[] = {
        {"simple", CBS_SIMPLE, common | WS_VISIBLE},
        {"drop-down", CBS_DROPDOWN, common},
        {"drop-down list", CBS_DROPDOWNLIST, common},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND combo = makeCombo(row.style);
        HWND list = info(combo).hwndList;
        // The frame and the kind of window of the list are this system's own (a drop-down's
        // list is a pop-up here, not a child of the desktop); the rest is as on Windows.
        const DWORD relevant =
            WS_CLIPSIBLINGS | WS_VISIBLE | LBS_COMBOBOX | LBS_HASSTRINGS | LBS_NOTIFY | LBS_SORT;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & relevant, row.listStyle);
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & relevant,
                  row.listStyle | WS_VISIBLE);
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & relevant, row.listStyle);
        DestroyWindow(combo);
    }
}

}  // namespace
