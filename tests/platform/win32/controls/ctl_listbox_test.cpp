// Tests of the list box control: sorted insertion, the find and select messages, the
// notifications each user action sends (and that programmatic calls do not), single,
// multiple and extended selection, owner drawing, item rectangles, hit tests and scrolling.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MsgSequence.h"
#include "WindowFixture.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvtest::ExpectedMsg;
using kvtest::RecordedMsg;

constexpr int kListId = 101;
constexpr int kItemHeight = 13;

// Holds a key down in the thread's key state for as long as it lives, as the keyboard does
// when its messages are retrieved.
class HeldKey {
  public:
    HeldKey(HWND target, int vk) : m_target(target), m_vk(vk) { send(WM_KEYDOWN); }
    ~HeldKey() { send(WM_KEYUP); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

  private:
    void send(UINT msg) {
        PostMessageA(m_target, msg, static_cast<WPARAM>(m_vk), 0);
        MSG out;
        PeekMessageA(&out, m_target, msg, msg, PM_REMOVE);
    }
    HWND m_target;
    int m_vk;
};

class ListBoxTest : public kvtest::WindowFixture {
  protected:
    // Answers installed by a test capture its locals: they go before the windows do.
    void TearDown() override {
        rec.setAnswer({});
        kvtest::WindowFixture::TearDown();
    }

    void SetUp() override {
        parent =
            create(WS_OVERLAPPEDWINDOW, nullptr, 0, 0, 0, 300, 300, kvtest::kRecorderParentClass);
        ASSERT_NE(parent, nullptr);
    }

    // A list box of the parent, 5 items high unless told, with these items added in order.
    HWND makeList(DWORD style, const std::vector<std::string>& items = {},
                  int height = 5 * kItemHeight) {
        HWND list = CreateWindowExA(
            0, WC_LISTBOXA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 120, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
        for (const auto& item : items) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        return list;
    }

    static std::vector<std::string> contents(HWND list) {
        std::vector<std::string> out;
        auto n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1,
                             '\0');
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(text.size() - 1);
            out.push_back(text);
        }
        return out;
    }

    static std::vector<int> selectedItems(HWND list) {
        std::vector<INT> items(64);
        auto n = SendMessageA(list, LB_GETSELITEMS, items.size(),
                              reinterpret_cast<LPARAM>(items.data()));
        items.resize(n < 0 ? 0 : static_cast<size_t>(n));
        return std::vector<int>(items.begin(), items.end());
    }

    static POINT itemCentre(HWND list, int index) {
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    static void click(HWND list, int index, WPARAM keys = 0) {
        POINT p = itemCentre(list, index);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        SendMessageA(list, WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
    }

    static void doubleClick(HWND list, int index) {
        POINT p = itemCentre(list, index);
        LPARAM at = MAKELPARAM(p.x, p.y);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
    }

    static void key(HWND list, WPARAM vk) {
        SendMessageA(list, WM_KEYDOWN, vk, 1);
        SendMessageA(list, WM_KEYUP, vk, 0xC0000001);
    }

    // The WM_COMMAND messages the parent received, as recorded.
    ::testing::AssertionResult notified(HWND list, const std::vector<int>& codes,
                                        const std::string& context) const {
        return notifiedBy(parent, list, codes, context);
    }

    HWND parent = nullptr;
};

// ---- Sorted insertion ---------------------------------------------------------------------

struct SortCase {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> expected;
};

TEST_F(ListBoxTest, SortedInsertionFollowsWindowsOrder) {
    const SortCase cases[] = {
        {"letter case ignored",
         {"delta", "Alpha", "charlie", "Bravo"},
         {"Alpha", "Bravo", "charlie", "delta"}},
        // An item equal but for case goes where the binary search meets its twin: before it.
        {"duplicates", {"b", "A", "c", "a"}, {"a", "A", "b", "c"}},
        {"exact duplicates kept", {"x", "x", "x"}, {"x", "x", "x"}},
        // Symbols before digits before letters, unlike a byte-wise compare.
        {"symbols and digits", {"b", "_x", "1a", "A"}, {"_x", "1a", "A", "b"}},
        // Hyphens count only between otherwise equal strings (a word sort).
        {"word sort", {"cop", "co-op", "coo"}, {"coo", "co-op", "cop"}},
        // ... and then decide after the letters: no marks first, then the earlier mark, and an
        // apostrophe before a hyphen.
        {"marks last", {"coo-p", "co-op", "coop", "co'op"}, {"coop", "co'op", "co-op", "coo-p"}},
        {"prefix first", {"abc", "ab", "a"}, {"a", "ab", "abc"}},
        // Sorted runs landing before, between and after what is there.
        {"runs",
         {"V(a)", "V(b)", "V(c)", "I(a)", "I(b)", "W(a)", "W(b)", "I(c)", "V(bb)", "A"},
         {"A", "I(a)", "I(b)", "I(c)", "V(a)", "V(b)", "V(bb)", "V(c)", "W(a)", "W(b)"}},
        {"runs with twins", {"a", "b", "b", "B", "c", "a"}, {"a", "a", "B", "b", "b", "c"}},
    };
    for (const auto& c : cases) {
        HWND list = makeList(LBS_SORT, c.added);
        EXPECT_EQ(contents(list), c.expected) << c.name;
        DestroyWindow(list);
    }
}

// A run removed from one place and added again, as a filtered list drops and relists one kind
// of its items; then an item put out of order by LB_INSERTSTRING: LB_ADDSTRING goes on
// searching as Windows does, whatever the order it meets.
TEST_F(ListBoxTest, RunsRemovedAndAddedAgainKeepTheOrder) {
    std::vector<std::string> added;
    for (const char kind : {'V', 'I', 'W'}) {
        for (int i = 0; i < 300; ++i) {
            added.push_back(std::string(1, kind) + "(n" + std::to_string(i) + ")");
        }
    }
    HWND list = makeList(LBS_SORT, added);
    std::vector<std::string> expected = contents(list);
    ASSERT_EQ(expected.size(), 900u);
    EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }));
    const auto first =
        SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("I"));
    ASSERT_EQ(first, 0);
    for (int i = 0; i < 300; ++i) {
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(first), 0);
    }
    EXPECT_EQ(contents(list), std::vector<std::string>(expected.begin() + 300, expected.end()));
    for (int i = 299; i >= 0; --i) {
        const std::string name = "I(n" + std::to_string(i) + ")";
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    EXPECT_EQ(contents(list), expected);
    DestroyWindow(list);

    // A list without room to spare: the removal moves nothing onto itself.
    HWND full = makeList(LBS_SORT, {});
    SendMessageA(full, LB_INITSTORAGE, 3, 0);
    for (const char* item : {"b", "a", "c"}) {
        SendMessageA(full, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(full, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(contents(full), (std::vector<std::string>{"b", "c"}));
    DestroyWindow(full);

    HWND disordered = makeList(LBS_SORT, {});
    SendMessageA(disordered, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("a"));
    SendMessageA(disordered, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("z"));
    EXPECT_EQ(SendMessageA(disordered, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 0);
    DestroyWindow(disordered);
}

TEST_F(ListBoxTest, AddStringAnswersIndexAndInsertStringNeverSorts) {
    HWND list = makeList(LBS_SORT, {"b", "d"});
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("c")), 1);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("z")), 0);
    EXPECT_EQ(
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("a")),
        4);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("q")), LB_ERR);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"z", "b", "c", "d", "a"}));
}

// ---- Finding and selecting strings ------------------------------------------------------------

struct FindCase {
    UINT message;
    int start;
    const char* text;
    LRESULT expected;
};

TEST_F(ListBoxTest, FindStringTable) {
    HWND list = makeList(0, {"Apple", "apricot", "Banana", "apple pie", "Cherry"});
    const FindCase cases[] = {
        {LB_FINDSTRING, -1, "ap", 0},
        {LB_FINDSTRING, 0, "ap", 1},  // the search starts after the start item
        {LB_FINDSTRING, 1, "ap", 3},
        {LB_FINDSTRING, 3, "ap", 0},  // and wraps round to the top
        {LB_FINDSTRING, 4, "ap", 0},
        {LB_FINDSTRING, -1, "AP", 0},
        {LB_FINDSTRING, -1, "banana", 2},
        {LB_FINDSTRING, 2, "banana", 2},  // the start item itself is searched last
        {LB_FINDSTRING, 99, "ch", 4},     // a start out of range searches from the top
        {LB_FINDSTRING, -7, "ch", 4},
        {LB_FINDSTRING, -1, "x", LB_ERR},
        {LB_FINDSTRING, -1, "", LB_ERR},
        {LB_FINDSTRING, -1, "apple pie and more", LB_ERR},
        {LB_FINDSTRINGEXACT, -1, "apple", 0},
        {LB_FINDSTRINGEXACT, 0, "APPLE", 0},
        {LB_FINDSTRINGEXACT, -1, "appl", LB_ERR},
        {LB_FINDSTRINGEXACT, -1, "APPLE PIE", 3},
        {LB_FINDSTRINGEXACT, 3, "apple pie", 3},
        {LB_FINDSTRINGEXACT, -1, "", LB_ERR},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendMessageA(list, c.message, static_cast<WPARAM>(c.start),
                               reinterpret_cast<LPARAM>(c.text)),
                  c.expected)
            << kvtest::messageName(c.message) << " start " << c.start << " \"" << c.text << "\"";
    }
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 0), LB_ERR);
}

TEST_F(ListBoxTest, SelectStringSelectsThePrefixMatchOrKeepsTheSelection) {
    HWND list = makeList(LBS_NOTIFY, {"Red", "green", "Blue", "grey"});
    rec.clear();
    const FindCase cases[] = {
        {LB_SELECTSTRING, -1, "gr", 1},
        {LB_SELECTSTRING, 1, "GR", 3},
        {LB_SELECTSTRING, 3, "gr", 1},
        {LB_SELECTSTRING, -1, "purple", LB_ERR},
    };
    int expectedSelection = -1;
    for (const auto& c : cases) {
        LRESULT got = SendMessageA(list, c.message, static_cast<WPARAM>(c.start),
                                   reinterpret_cast<LPARAM>(c.text));
        EXPECT_EQ(got, c.expected) << c.text << " from " << c.start;
        if (c.expected != LB_ERR) {
            expectedSelection = static_cast<int>(c.expected);
        }
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), expectedSelection) << c.text;
    }
    EXPECT_TRUE(notified(list, {}, "LB_SELECTSTRING notifies nothing"));
}

TEST_F(ListBoxTest, TextAndDataAnswerErrorsForBadIndices) {
    HWND list = makeList(0, {"one", "three"});
    char buffer[16] = "untouched";
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 5);
    EXPECT_STREQ(buffer, "three");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 3);
    for (WPARAM bad : {WPARAM{2}, static_cast<WPARAM>(-1), WPARAM{1000}}) {
        EXPECT_EQ(SendMessageA(list, LB_GETTEXT, bad, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, bad, 0), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, bad, 0), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, bad, 5), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, bad, 0), LB_ERR);
    }
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 0, 0), LB_ERR);  // no buffer
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 1, 77), TRUE);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 77);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 77);
    EXPECT_EQ(SendMessageA(list, LB_RESETCONTENT, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
}

// ---- Notifications -----------------------------------------------------------------------------

TEST_F(ListBoxTest, UserActionsNotifyTheParent) {
    struct Case {
        const char* name;
        DWORD style;
        void (*act)(HWND list);
        std::vector<int> codes;
        int selection;
    };
    const Case cases[] = {
        {"click", LBS_NOTIFY, [](HWND l) { click(l, 2); }, {LBN_SETFOCUS, LBN_SELCHANGE}, 2},
        {"click without LBS_NOTIFY", 0, [](HWND l) { click(l, 2); }, {LBN_SETFOCUS}, 2},
        // A click on the selected item still reports a selection change, as Windows does.
        {"click twice",
         LBS_NOTIFY,
         [](HWND l) {
             click(l, 1);
             click(l, 1);
         },
         {LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE},
         1},
        {"double click",
         LBS_NOTIFY,
         [](HWND l) { doubleClick(l, 3); },
         {LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK},
         3},
        {"double click without LBS_NOTIFY",
         0,
         [](HWND l) { doubleClick(l, 3); },
         {LBN_SETFOCUS},
         3},
        {"click below the items",
         LBS_NOTIFY,
         [](HWND l) {
             SendMessageA(l, LB_DELETESTRING, 4, 0);
             SendMessageA(l, LB_DELETESTRING, 3, 0);
             SendMessageA(l, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 60));
             SendMessageA(l, WM_LBUTTONUP, 0, MAKELPARAM(5, 60));
         },
         {LBN_SETFOCUS},
         -1},
        {"down key",
         LBS_NOTIFY,
         [](HWND l) {
             SetFocus(l);
             key(l, VK_DOWN);
             key(l, VK_DOWN);
         },
         {LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE},
         1},
        {"end then home",
         LBS_NOTIFY,
         [](HWND l) {
             SetFocus(l);
             key(l, VK_END);
             key(l, VK_HOME);
         },
         {LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE},
         0},
        {"a letter",
         LBS_NOTIFY,
         [](HWND l) {
             SetFocus(l);
             SendMessageA(l, WM_CHAR, 'd', 1);
         },
         {LBN_SETFOCUS, LBN_SELCHANGE},
         3},
        {"focus leaves",
         LBS_NOTIFY,
         [](HWND l) {
             SetFocus(l);
             SetFocus(GetParent(l));
         },
         {LBN_SETFOCUS, LBN_KILLFOCUS},
         -1},
        {"unknown key",
         LBS_NOTIFY,
         [](HWND l) {
             SetFocus(l);
             key(l, VK_F5);
         },
         {LBN_SETFOCUS},
         -1},
    };
    for (const auto& c : cases) {
        HWND list = makeList(c.style, {"alpha", "beta", "gamma", "delta", "epsilon"});
        SetFocus(parent);
        rec.clear();
        c.act(list);
        EXPECT_TRUE(notified(list, c.codes, c.name));
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), c.selection) << c.name;
        DestroyWindow(list);
    }
}

TEST_F(ListBoxTest, ProgrammaticChangesNotifyNothing) {
    HWND single = makeList(LBS_NOTIFY, {"a", "b", "c"});
    HWND multi = makeList(LBS_NOTIFY | LBS_EXTENDEDSEL, {"a", "b", "c"});
    rec.clear();
    EXPECT_EQ(SendMessageA(single, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(single, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(single, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(single, LB_SETCURSEL, 3, 0), LB_ERR);
    SendMessageA(single, LB_SETCARETINDEX, 1, 0);
    SendMessageA(single, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("d"));
    SendMessageA(single, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(multi, LB_SETSEL, TRUE, 1), LB_OKAY);
    SendMessageA(multi, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 2));
    SendMessageA(multi, LB_SETSEL, FALSE, -1);
    EXPECT_TRUE(notified(single, {}, "programmatic"));
}

// ---- Selection modes ---------------------------------------------------------------------------

TEST_F(ListBoxTest, ExtendedSelectionWithShiftAndControl) {
    HWND list = makeList(LBS_EXTENDEDSEL | LBS_NOTIFY, {"a", "b", "c", "d", "e", "f"});
    struct Step {
        const char* name;
        int item;
        WPARAM keys;
        std::vector<int> selected;
        int anchor;
        int caret;
    };
    const Step steps[] = {
        {"click", 1, 0, {1}, 1, 1},
        {"shift click extends from the anchor", 3, MK_SHIFT, {1, 2, 3}, 1, 3},
        {"shift click back over the anchor", 0, MK_SHIFT, {0, 1}, 1, 0},
        {"control click adds", 4, MK_CONTROL, {0, 1, 4}, 4, 4},
        {"control click removes", 1, MK_CONTROL, {0, 4}, 1, 1},
        {"plain click starts again", 5, 0, {5}, 5, 5},
    };
    SetFocus(list);
    for (const auto& s : steps) {
        rec.clear();
        click(list, s.item, s.keys);
        EXPECT_EQ(selectedItems(list), s.selected) << s.name;
        EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), s.anchor) << s.name;
        EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), s.caret) << s.name;
        EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), static_cast<LRESULT>(s.selected.size()))
            << s.name;
        EXPECT_TRUE(notified(list, {LBN_SELCHANGE}, s.name));
    }
}

TEST_F(ListBoxTest, ExtendedSelectionWithShiftArrows) {
    HWND list = makeList(LBS_EXTENDEDSEL, {"a", "b", "c", "d"});
    click(list, 1);
    {
        HeldKey shift(list, VK_SHIFT);
        key(list, VK_DOWN);
        key(list, VK_DOWN);
    }
    EXPECT_EQ(selectedItems(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), 1);
    key(list, VK_UP);  // without Shift the selection collapses onto the caret
    EXPECT_EQ(selectedItems(list), (std::vector<int>{2}));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesEachItem) {
    HWND list = makeList(LBS_MULTIPLESEL, {"a", "b", "c", "d"});
    click(list, 1);
    click(list, 3);
    EXPECT_EQ(selectedItems(list), (std::vector<int>{1, 3}));
    click(list, 1);
    EXPECT_EQ(selectedItems(list), (std::vector<int>{3}));
    SetFocus(list);
    key(list, VK_UP);
    key(list, VK_SPACE);
    EXPECT_EQ(selectedItems(list), (std::vector<int>{0, 3}));
}

TEST_F(ListBoxTest, SelectionMessagesByMode) {
    HWND single = makeList(0, {"a", "b", "c", "d"});
    HWND multi = makeList(LBS_MULTIPLESEL, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(SendMessageA(single, LB_GETSELCOUNT, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(single, LB_SETSEL, TRUE, 1), LB_ERR);
    EXPECT_EQ(SendMessageA(single, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1)), LB_ERR);
    EXPECT_EQ(SendMessageA(multi, LB_SETCURSEL, 1, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(multi, LB_SELITEMRANGEEX, 1, 3), LB_OKAY);
    EXPECT_EQ(selectedItems(multi), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SendMessageA(multi, LB_SELITEMRANGEEX, 2, 1), LB_OKAY);  // reversed: deselects
    EXPECT_EQ(selectedItems(multi), (std::vector<int>{3}));
    EXPECT_EQ(SendMessageA(multi, LB_SETSEL, TRUE, -1), LB_OKAY);
    EXPECT_EQ(SendMessageA(multi, LB_GETSELCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageA(multi, LB_GETSEL, 4, 0), 1);
    EXPECT_EQ(SendMessageA(multi, LB_GETSEL, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(multi, LB_SETSEL, TRUE, 9), LB_ERR);
    // The caller's buffer bounds what LB_GETSELITEMS writes.
    INT two[3] = {-1, -1, -1};
    EXPECT_EQ(SendMessageA(multi, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(two)), 2);
    EXPECT_EQ(two[2], -1);
    EXPECT_EQ(SendMessageA(multi, LB_GETSELITEMS, 2, 0), 0);
    // Deleting an item moves the selection of those after it.
    SendMessageA(single, LB_SETCURSEL, 2, 0);
    SendMessageA(single, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(single, LB_GETCURSEL, 0, 0), 1);
    SendMessageA(single, LB_DELETESTRING, 1, 0);
    EXPECT_EQ(SendMessageA(single, LB_GETCURSEL, 0, 0), LB_ERR);
}

// ---- Selection state by style, as Windows reports it -----------------------------------------

// What the four selection queries answer: LB_GETCURSEL, LB_GETANCHORINDEX, LB_GETCARETINDEX and
// LB_GETSELCOUNT.
struct SelectionState {
    LRESULT current, anchor, caret, count;
    bool operator==(const SelectionState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SelectionState& s) {
    return out << "{cursel " << s.current << ", anchor " << s.anchor << ", caret " << s.caret
               << ", selcount " << s.count << "}";
}

SelectionState selectionState(HWND list) {
    return {SendMessageA(list, LB_GETCURSEL, 0, 0), SendMessageA(list, LB_GETANCHORINDEX, 0, 0),
            SendMessageA(list, LB_GETCARETINDEX, 0, 0), SendMessageA(list, LB_GETSELCOUNT, 0, 0)};
}

TEST_F(ListBoxTest, SelectionStateAfterClickKeyAndRangeByStyle) {
    // Four items; a click on the second, then Down; separately, LB_SELITEMRANGE over 1..2.
    struct Row {
        const char* name;
        DWORD style;
        SelectionState fresh, clicked, stepped, ranged;
    };
    constexpr LRESULT E = LB_ERR;
    const Row rows[] = {
        {"single", 0, {E, E, 0, E}, {1, 1, 1, E}, {2, 2, 2, E}, {E, E, 0, E}},
        {"single, no selection", LBS_NOSEL, {E, E, 0, E}, {1, 1, 1, E}, {2, 2, 2, E}, {E, E, 0, E}},
        {"multiple", LBS_MULTIPLESEL, {0, E, 0, 0}, {1, 1, 1, 1}, {2, 1, 2, 1}, {0, E, 0, 2}},
        // No selection turns the multiple kinds into single selection.
        {"multiple, no selection",
         LBS_MULTIPLESEL | LBS_NOSEL,
         {E, E, 0, E},
         {1, 1, 1, E},
         {2, 2, 2, E},
         {E, E, 0, E}},
        {"extended", LBS_EXTENDEDSEL, {0, E, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 1}, {0, E, 0, 2}},
        {"extended, no selection",
         LBS_EXTENDEDSEL | LBS_NOSEL,
         {E, E, 0, E},
         {1, 1, 1, E},
         {2, 2, 2, E},
         {E, E, 0, E}},
        {"extended and multiple",
         LBS_EXTENDEDSEL | LBS_MULTIPLESEL,
         {0, E, 0, 0},
         {1, 1, 1, 1},
         {2, 2, 2, 1},
         {0, E, 0, 2}},
    };
    const std::vector<std::string> items{"First", "Second", "Third", "Fourth"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND list = makeList(row.style | LBS_NOTIFY, items);
        EXPECT_EQ(selectionState(list), row.fresh);
        RECT second{};
        SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left, second.top));
        SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(second.left, second.top));
        EXPECT_EQ(selectionState(list), row.clicked) << "after the click";
        key(list, VK_DOWN);
        EXPECT_EQ(selectionState(list), row.stepped) << "after Down";
        DestroyWindow(list);

        list = makeList(row.style | LBS_NOTIFY, items);
        SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 2));
        EXPECT_EQ(selectionState(list), row.ranged) << "after LB_SELITEMRANGE";
        DestroyWindow(list);
    }
}

TEST_F(ListBoxTest, SelItemRangeTakesUnsignedBoundsInEitherOrder) {
    struct Row {
        WORD first, last;
        LRESULT selected;  // LB_GETSELCOUNT afterwards, of four items
    };
    const Row rows[] = {
        {1, 2, 2},
        {0, 4, 4},
        {static_cast<WORD>(-5), 5, 0},  // 65531..5: swapped, and 5 is past the end
        {2, 10, 2},
        {4, 10, 0},
        {10, 1, 3},  // swapped: 1..10
        {1, static_cast<WORD>(-1), 3},
    };
    HWND list = makeList(LBS_EXTENDEDSEL, {"a", "b", "c", "d"});
    for (const Row& row : rows) {
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(row.first, row.last)),
                  LB_OKAY);
        EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), row.selected)
            << row.first << ".." << row.last;
        // A range never moves the anchor.
        EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), LB_ERR);
    }
}

TEST_F(ListBoxTest, SetSelMovesAnchorAndCaretSetCurSelDoesNot) {
    for (DWORD style : {DWORD{LBS_EXTENDEDSEL}, DWORD{LBS_MULTIPLESEL}}) {
        SCOPED_TRACE(style == LBS_EXTENDEDSEL ? "extended" : "multiple");
        HWND list = makeList(style, {"a", "b", "c", "d"});
        EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), LB_ERR);
        EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), LB_ERR);
        struct Step {
            BOOL select;
            int index;
            LRESULT anchor, caret;
        };
        for (const Step& step : {Step{TRUE, 0, 0, 0}, Step{TRUE, 1, 1, 1}, Step{FALSE, 1, 1, 1}}) {
            EXPECT_EQ(SendMessageA(list, LB_SETSEL, step.select, step.index), 0);
            EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), step.anchor);
            EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), step.caret);
        }
        DestroyWindow(list);
    }
    HWND single = makeList(0, {"a", "b", "c", "d"});
    EXPECT_EQ(SendMessageA(single, LB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(single, LB_GETANCHORINDEX, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, NoSelectionStyleStillTakesLbSetCurSel) {
    HWND list = makeList(LBS_NOSEL, {"a", "b", "c", "d"});
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 0, 0), 0);
    for (int index : {2, 3}) {
        EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, index, 0), index);
        EXPECT_EQ(SendMessageA(list, LB_GETSEL, index, 0), 1);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), index);
    }
}

// The selection mode is fixed when the list box is created: changing the style bits later
// changes neither what the messages answer nor which items are selected.
TEST_F(ListBoxTest, SelectionModeIsFixedAtCreation) {
    struct Row {
        const char* name;
        DWORD style;
        bool multiple;
    };
    const Row rows[] = {
        {"single", 0, false},
        {"multiple", LBS_MULTIPLESEL, true},
        {"extended", LBS_EXTENDEDSEL, true},
        {"both", LBS_MULTIPLESEL | LBS_EXTENDEDSEL, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND list = makeList(row.style, {});
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>("x")),
                      k);
        }
        const LRESULT setCurSel = row.multiple ? LB_ERR : 2;
        const LRESULT range = row.multiple ? LB_OKAY : LB_ERR;
        const LRESULT count = row.multiple ? 2 : LB_ERR;
        EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), setCurSel);
        EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 0)), range);
        EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 2)), range);
        const std::vector<LRESULT> before =
            row.multiple ? std::vector<LRESULT>{1, 0, 1} : std::vector<LRESULT>{0, 0, 1};
        DWORD style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
        style = row.multiple ? style & ~row.style : style | LBS_MULTIPLESEL | LBS_EXTENDEDSEL;
        SetWindowLongA(list, GWL_STYLE, static_cast<LONG>(style));
        EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), count);
        for (WPARAM k = 0; k < 3; ++k) {
            EXPECT_EQ(SendMessageA(list, LB_GETSEL, k, 0), before[k]) << "item " << k;
        }
        EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 0, 0), row.multiple ? LB_ERR : 0);
        EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 1)), range);
        EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, FALSE, MAKELPARAM(2, 2)), range);
        const std::vector<LRESULT> after =
            row.multiple ? std::vector<LRESULT>{1, 1, 0} : std::vector<LRESULT>{1, 0, 0};
        for (WPARAM k = 0; k < 3; ++k) {
            EXPECT_EQ(SendMessageA(list, LB_GETSEL, k, 0), after[k]) << "item " << k;
        }
        DestroyWindow(list);
    }
}

TEST_F(ListBoxTest, ItemHeightRefusesZeroAndDeletingAnswersTheCountLeft) {
    HWND list = makeList(0, {"a", "b", "c", "d"});
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(20, 0)), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(0, 30)), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(0xff, 0)), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 0xff);
    for (LRESULT left = 3; left >= 0; --left) {
        EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), left);
    }
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), LB_ERR);
}

// In a list that is not sorted, each typed character looks for the next item starting with
// it, from the one after the selection and round to the top; an unmatched one changes nothing.
TEST_F(ListBoxTest, TypedCharactersFindTheNextItemInAnUnsortedList) {
    HWND list = makeList(LBS_NOTIFY, {"b_eta", "a_lpha", "be_ta", "al_pha", "beta", "alpha",
                                      "gamma", "epsilon", "le"});
    struct Step {
        char typed;
        const char* selected;
    };
    const Step steps[] = {{'a', "a_lpha"}, {'l', "le"},      {'p', "le"},
                          {'b', "b_eta"},  {'e', "epsilon"}, {'t', "epsilon"}};
    for (const Step& step : steps) {
        SendMessageA(list, WM_CHAR, static_cast<WPARAM>(step.typed), 0);
        const auto index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        ASSERT_NE(index, LB_ERR) << step.typed;
        EXPECT_EQ(contents(list)[static_cast<size_t>(index)], step.selected)
            << "after '" << step.typed << "'";
    }
}

TEST_F(ListBoxTest, FindStringInASortedListIgnoresCase) {
    HWND list = makeList(LBS_SORT | LBS_HASSTRINGS, {"abci", "AbCI", "abcI", "abcO", "abcP"});
    const FindCase cases[] = {
        {LB_FINDSTRING, -1, "ab", 0},   {LB_FINDSTRINGEXACT, -1, "ab", LB_ERR},
        {LB_FINDSTRING, -1, "abc", 0},  {LB_FINDSTRINGEXACT, -1, "abc", LB_ERR},
        {LB_FINDSTRING, -1, "abci", 0}, {LB_FINDSTRINGEXACT, -1, "abci", 0},
        {LB_FINDSTRING, -1, "ABCI", 0}, {LB_FINDSTRINGEXACT, -1, "ABCI", 0},
        {LB_FINDSTRING, -1, "abcp", 4}, {LB_FINDSTRINGEXACT, -1, "abcp", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendMessageA(list, c.message, static_cast<WPARAM>(c.start),
                               reinterpret_cast<LPARAM>(c.text)),
                  c.expected)
            << kvtest::messageName(c.message) << " \"" << c.text << "\"";
    }
}

// ---- Geometry ----------------------------------------------------------------------------------

TEST_F(ListBoxTest, ItemRectsFollowTheTopIndex) {
    HWND list = makeList(0, {"0", "1", "2", "3", "4", "5", "6", "7"});
    RECT client{};
    GetClientRect(list, &client);
    RECT r{};
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), kItemHeight);
    EXPECT_NE(SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)), LB_ERR);
    EXPECT_EQ(r.top, kItemHeight);
    EXPECT_EQ(r.bottom, 2 * kItemHeight);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&r)), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, 2, 0), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 2);
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, -2 * kItemHeight);
    // The top index stops where the last item reaches the bottom.
    SendMessageA(list, LB_SETTOPINDEX, 7, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 3);
}

TEST_F(ListBoxTest, ItemFromPointTable) {
    HWND list = makeList(0, {"0", "1", "2"});
    struct Case {
        int x, y;
        int item;
        int outside;
    };
    const Case cases[] = {
        {5, 1, 0, 0},
        {5, kItemHeight + 3, 1, 0},
        {5, 3 * kItemHeight - 1, 2, 0},
        {5, 3 * kItemHeight + 2, 2, 1},  // below the last item: the nearest, but no hit
        {5, 500, 2, 1},                  // below the client area
        {-3, 3, 0, 1},                   // left of it
        {5, -4, 0, 1},                   // above it
    };
    for (const auto& c : cases) {
        LRESULT got = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(LOWORD(got), c.item) << c.x << "," << c.y;
        EXPECT_EQ(HIWORD(got), c.outside) << c.x << "," << c.y;
    }
    HWND empty = makeList(0);
    EXPECT_EQ(SendMessageA(empty, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 5)), 0x1FFFF);
}

TEST_F(ListBoxTest, SelectionAndKeysScrollTheCaretIntoView) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) {
        items.push_back("item " + std::to_string(100 + i));
    }
    HWND list = makeList(0, items);
    SendMessageA(list, LB_SETCURSEL, 10, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 6);  // 10 is the last whole row
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 2);
    SetFocus(list);
    key(list, VK_NEXT);  // a page is five rows: the caret moves to the bottom of it
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 6);
    key(list, VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 19);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 15);
    EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 19);
}

// ---- The scroll bar ----------------------------------------------------------------------------

// The bar a list box made with WS_VSCROLL keeps: range 0..count-1, a page of the rows that fit
// (five here), the top index as position. It shows only while the items overflow, or with
// LBS_DISABLENOSCROLL stays shown and disabled.
TEST_F(ListBoxTest, ScrollBarShowsOnlyWhileTheItemsOverflow) {
    struct Case {
        const char* name;
        DWORD style;
        int items;
        bool shown;
        bool disabled;
    };
    const Case cases[] = {
        {"empty", WS_VSCROLL, 0, false, false},
        {"all fit", WS_VSCROLL, 5, false, false},
        {"one more than fits", WS_VSCROLL, 6, true, false},
        {"no scroll bar asked", 0, 30, false, false},
        {"disabled while all fit", WS_VSCROLL | LBS_DISABLENOSCROLL, 3, true, true},
        {"enabled when they overflow", WS_VSCROLL | LBS_DISABLENOSCROLL, 9, true, false},
    };
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    for (const Case& c : cases) {
        std::vector<std::string> items;
        for (int i = 0; i < c.items; ++i) {
            items.push_back("item " + std::to_string(i));
        }
        HWND list = makeList(c.style, items);
        const auto style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
        EXPECT_EQ((style & WS_VSCROLL) != 0, c.shown) << c.name;
        RECT client{};
        GetClientRect(list, &client);
        EXPECT_EQ(client.right, 120 - (c.shown ? bar : 0)) << c.name;
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        if (c.style & WS_VSCROLL) {
            ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si)) << c.name;
            EXPECT_EQ(si.nMax, std::max(0, c.items - 1)) << c.name;
            // The page is at most the range's size.
            EXPECT_EQ(si.nPage, static_cast<UINT>(std::min(5, std::max(1, c.items)))) << c.name;
        }
        EXPECT_EQ(EnableScrollBar(list, SB_VERT, ESB_DISABLE_BOTH) == FALSE, c.disabled) << c.name;
        DestroyWindow(list);
    }
}

// The bar follows the list however it scrolls (LB_SETTOPINDEX, keys, the bar's own codes),
// hides when deleting makes the rest fit, and shows again when items are added.
TEST_F(ListBoxTest, ScrollBarStaysInStepWithTheList) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) {
        items.push_back("item " + std::to_string(100 + i));
    }
    HWND list = makeList(WS_VSCROLL, items);
    auto position = [&] { return GetScrollPos(list, SB_VERT); };
    SendMessageA(list, LB_SETTOPINDEX, 7, 0);
    EXPECT_EQ(position(), 7);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(position(), 0);
    SetFocus(list);
    key(list, VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 15);
    EXPECT_EQ(position(), 15);
    SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 4), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 4);
    EXPECT_EQ(position(), 4);
    SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 9);
    SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(position(), 14);
    // The wheel: three rows a notch back up; half notches add up; a turn down starts afresh.
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(position(), 11);
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    EXPECT_EQ(position(), 10) << "a row and a half: one row now";
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    EXPECT_EQ(position(), 8) << "the half row left over and another row and a half";
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(position(), 11);
    while (SendMessageA(list, LB_GETCOUNT, 0, 0) > 5) {
        SendMessageA(list, LB_DELETESTRING, 0, 0);
    }
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0) << "the rest fit";
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one more"));
    EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0);
}

// The horizontal bar of a list box made with WS_HSCROLL follows the horizontal extent: none
// until one wider than the list is set, then range 0..extent-1 with the client width as
// page; the bar's codes shift the items left, never past the extent.
TEST_F(ListBoxTest, HorizontalBarFollowsTheHorizontalExtent) {
    HWND list = makeList(WS_HSCROLL, {"a", "b"});
    auto hasBar = [&] { return (GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL) != 0; };
    EXPECT_FALSE(hasBar()) << "no extent yet";
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 100, 0);
    EXPECT_FALSE(hasBar()) << "narrower than the list";
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 300, 0);
    ASSERT_TRUE(hasBar());
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom, 5 * kItemHeight - GetSystemMetrics(SM_CYHSCROLL));
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(si.nPage, static_cast<UINT>(client.right));
    SendMessageA(list, WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageA(list, WM_HSCROLL, SB_LINERIGHT, 0);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.left, -2);
    EXPECT_EQ(item.right, 298);
    SendMessageA(list, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 300 - client.right);
    SendMessageA(list, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), 300 - client.right) << "never past the extent";
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 0, 0);
    EXPECT_FALSE(hasBar());
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.left, 0);
}

// A person clicking the list's scroll bar: the lower arrow scrolls a line, dragging the thumb
// to the bottom scrolls to the last page.
TEST_F(ListBoxTest, ClickingTheScrollBarScrollsTheList) {
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) {
        items.push_back("item " + std::to_string(100 + i));
    }
    HWND list = makeList(WS_VSCROLL, items);
    RECT window{};
    GetWindowRect(list, &window);
    const int x = window.right - GetSystemMetrics(SM_CXVSCROLL) / 2;
    PostMessageA(list, WM_LBUTTONUP, 0, 0);
    const LPARAM downArrow = MAKELPARAM(x, window.bottom - 3);
    ASSERT_EQ(SendMessageA(list, WM_NCHITTEST, 0, downArrow), HTVSCROLL);
    SendMessageA(list, WM_NCLBUTTONDOWN, HTVSCROLL, downArrow);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
    // The thumb starts just below the upper arrow; dragged far down it stops at the end.
    POINT grab{x, window.top + GetSystemMetrics(SM_CYVSCROLL) + 3};
    POINT far{x, window.bottom + 200};
    ScreenToClient(list, &far);
    PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(far.x, far.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(far.x, far.y));
    SendMessageA(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 15);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 15);
}

// ---- Owner drawing ------------------------------------------------------------------------------

struct DrawCall {
    UINT ctlType, ctlId, itemId, action, state;
    HWND item;
    RECT rect;
};

TEST_F(ListBoxTest, OwnerDrawFixedMeasuresOnceAndDrawsWithStates) {
    std::vector<MEASUREITEMSTRUCT> measures;
    std::vector<DrawCall> draws;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measures.push_back(*m);
            m->itemHeight = 20;
            return TRUE;
        }
        if (msg == WM_DRAWITEM) {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            draws.push_back({d->CtlType, d->CtlID, d->itemID, d->itemAction, d->itemState,
                             d->hwndItem, d->rcItem});
            return TRUE;
        }
        return std::nullopt;
    });
    HWND list = makeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {"a", "b", "c"}, 100);
    ASSERT_EQ(measures.size(), 1U);
    EXPECT_EQ(measures[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(measures[0].CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(measures[0].itemID, 0U);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 20);

    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SetFocus(list);
    SendMessageA(list, LB_SETCARETINDEX, 2, 0);
    draws.clear();
    HDC dc = GetDC(list);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(list, dc);
    ASSERT_EQ(draws.size(), 3U);
    const UINT states[] = {0, ODS_SELECTED, ODS_FOCUS};
    for (UINT i = 0; i < 3; ++i) {
        EXPECT_EQ(draws[i].ctlType, static_cast<UINT>(ODT_LISTBOX)) << i;
        EXPECT_EQ(draws[i].itemId, i);
        EXPECT_EQ(draws[i].action, static_cast<UINT>(ODA_DRAWENTIRE)) << i;
        EXPECT_EQ(draws[i].state, states[i]) << i;
        EXPECT_EQ(draws[i].item, list);
        EXPECT_EQ(draws[i].rect.top, static_cast<LONG>(20 * i)) << i;
        EXPECT_EQ(draws[i].rect.bottom, static_cast<LONG>(20 * i + 20)) << i;
    }
    EnableWindow(list, FALSE);
    draws.clear();
    dc = GetDC(list);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(list, dc);
    ASSERT_FALSE(draws.empty());
    EXPECT_TRUE(draws[0].state & ODS_DISABLED);
}

TEST_F(ListBoxTest, OwnerDrawSelectionChangesDrawAtOnce) {
    std::vector<DrawCall> draws;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_DRAWITEM) {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            draws.push_back({d->CtlType, d->CtlID, d->itemID, d->itemAction, d->itemState,
                             d->hwndItem, d->rcItem});
            return TRUE;
        }
        return std::nullopt;
    });
    ShowWindow(parent, SW_SHOWNA);
    HWND list = makeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {"a", "b", "c"});
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    draws.clear();
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    ASSERT_EQ(draws.size(), 2U);
    EXPECT_EQ(draws[0].itemId, 0U);
    EXPECT_EQ(draws[0].action, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(draws[0].state & ODS_SELECTED, 0U);
    EXPECT_EQ(draws[1].itemId, 2U);
    EXPECT_EQ(draws[1].action, static_cast<UINT>(ODA_SELECT));
    EXPECT_EQ(draws[1].state & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
    draws.clear();
    SetFocus(list);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().action, static_cast<UINT>(ODA_FOCUS));
    EXPECT_TRUE(draws.back().state & ODS_FOCUS);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresEachItem) {
    std::vector<MEASUREITEMSTRUCT> measures;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measures.push_back(*m);
            m->itemHeight = 10 + 5 * m->itemID;
            return TRUE;
        }
        return std::nullopt;
    });
    HWND list = makeList(LBS_OWNERDRAWVARIABLE, {});
    ASSERT_TRUE(measures.empty());
    for (ULONG_PTR data : {ULONG_PTR{0x11}, ULONG_PTR{0x22}, ULONG_PTR{0x33}}) {
        SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(data));
    }
    ASSERT_EQ(measures.size(), 3U);
    EXPECT_EQ(measures[2].itemID, 2U);
    EXPECT_EQ(measures[2].itemData, 0x33U);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 2, 0), 20);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 10 + 15);
    EXPECT_EQ(LOWORD(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(3, 26))), 2);
    // Without LBS_HASSTRINGS the "text" is the item data.
    ULONG_PTR text = 0;
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&text)),
              static_cast<LRESULT>(sizeof(ULONG_PTR)));
    EXPECT_EQ(text, 0x22U);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 0x33), 2);
}

TEST_F(ListBoxTest, SortedOwnerDrawWithoutStringsAsksTheOwnerToCompare) {
    std::vector<COMPAREITEMSTRUCT> compares;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMPAREITEM) {
            auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
            compares.push_back(*c);
            return c->itemData1 < c->itemData2 ? -1 : (c->itemData1 > c->itemData2 ? 1 : 0);
        }
        return std::nullopt;
    });
    HWND list = makeList(LBS_OWNERDRAWFIXED | LBS_SORT);
    for (LPARAM data : {30, 10, 20}) {
        SendMessageA(list, LB_ADDSTRING, 0, data);
    }
    ASSERT_FALSE(compares.empty());
    EXPECT_EQ(compares[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(compares[0].hwndItem, list);
    EXPECT_EQ(compares[0].itemID2, static_cast<UINT>(-1));
    for (WPARAM i = 0; i < 3; ++i) {
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), static_cast<LRESULT>(10 * (i + 1)));
    }
}

TEST_F(ListBoxTest, DeleteItemFollowsWindowsRule) {
    std::vector<DELETEITEMSTRUCT> deletes;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_DELETEITEM) {
            deletes.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return std::nullopt;
    });
    // A plain list box reports only the items that carry data.
    HWND plain = makeList(0, {"a", "b", "c"});
    SendMessageA(plain, LB_SETITEMDATA, 1, 0x55);
    SendMessageA(plain, LB_DELETESTRING, 0, 0);
    EXPECT_TRUE(deletes.empty());
    SendMessageA(plain, LB_RESETCONTENT, 0, 0);
    ASSERT_EQ(deletes.size(), 1U);
    EXPECT_EQ(deletes[0].itemID, 0U);
    EXPECT_EQ(deletes[0].itemData, 0x55U);
    EXPECT_EQ(deletes[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(deletes[0].hwndItem, plain);
    // An owner-drawn one reports every item, also when it is destroyed.
    deletes.clear();
    HWND drawn = makeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {"a", "b"});
    SendMessageA(drawn, LB_DELETESTRING, 1, 0);
    ASSERT_EQ(deletes.size(), 1U);
    EXPECT_EQ(deletes[0].itemID, 1U);
    DestroyWindow(drawn);
    EXPECT_EQ(deletes.size(), 2U);
}

// ---- Keyboard input for the owner --------------------------------------------------------------

TEST_F(ListBoxTest, WantKeyboardInputAsksTheOwnerFirst) {
    std::vector<std::pair<UINT, WPARAM>> asked;
    LRESULT answer = -1;
    rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM) {
            asked.emplace_back(msg, wParam);
            return answer;
        }
        return std::nullopt;
    });
    HWND list = makeList(LBS_WANTKEYBOARDINPUT, {"a", "b", "c"});
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    key(list, VK_DOWN);
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].first, static_cast<UINT>(WM_VKEYTOITEM));
    EXPECT_EQ(asked[0].second, MAKEWPARAM(VK_DOWN, 1));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    answer = -2;  // the owner handled it
    key(list, VK_UP);
    SendMessageA(list, WM_CHAR, 'a', 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    ASSERT_EQ(asked.size(), 3U);
    EXPECT_EQ(asked[2].first, static_cast<UINT>(WM_CHARTOITEM));
    EXPECT_EQ(asked[2].second, MAKEWPARAM('a', 2));
    answer = 0;  // the owner names the item to go to
    key(list, VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxTest, PaintsTheSelectionHighlight) {
    ShowWindow(parent, SW_SHOWNA);
    HWND list = makeList(0, {"aaaa", "bbbb"});
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    HDC dc = GetDC(list);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    // Right of the text every row shows its background: the window colour, then highlight.
    EXPECT_EQ(GetPixel(dc, 100, 5), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, 100, kItemHeight + 5), GetSysColor(COLOR_HIGHLIGHT));
    ReleaseDC(list, dc);
}

}  // namespace
