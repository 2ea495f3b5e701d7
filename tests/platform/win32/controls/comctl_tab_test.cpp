// The tab control: items, selection rules, geometry, the notifications of a click
// (TCN_SELCHANGING, which the parent may refuse, then TCN_SELCHANGE), and the scroll arrows of a
// row too wide for the control.
#include <cstring>
#include <string>
#include <vector>

#include "Pixels.h"
#include "WindowFixture.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/render.h"

namespace {

class TabControlTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent =
            create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 400, 300, kvtest::kRecorderParentClass);
        rec.setAnswer([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg != WM_NOTIFY) {
                return std::nullopt;
            }
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            codes.push_back(header->code);
            // The selection each notification sees.
            selections.push_back(static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
            return header->code == TCN_SELCHANGING ? refuse : 0;
        });
        tab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 10, 10, width, 200,
                              parent, reinterpret_cast<HMENU>(77), nullptr, nullptr);
        ASSERT_NE(tab, nullptr);
    }
    int insert(int index, const char* text) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(text);
        item.lParam = index * 10;
        return static_cast<int>(SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&item)));
    }
    void click(int index) {
        RECT r{};
        ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&r)));
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tab, WM_LBUTTONUP, 0, at);
    }
    int curSel() { return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }

    int width = 300;
    HWND parent = nullptr;
    HWND tab = nullptr;
    LRESULT refuse = 0;
    std::vector<UINT> codes;
    std::vector<int> selections;
};

TEST_F(TabControlTest, ItemsAndTheirFields) {
    EXPECT_EQ(curSel(), -1);
    EXPECT_EQ(insert(0, "General"), 0);
    EXPECT_EQ(curSel(), 0);              // the first tab is selected
    EXPECT_EQ(insert(5, "Options"), 1);  // past the end: appended
    EXPECT_EQ(insert(0, "Analysis"), 0);
    EXPECT_EQ(curSel(), 1);  // the selected tab moved right
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(tab, TCM_GETROWCOUNT, 0, 0), 1);

    char buffer[5] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(buffer, "Gene");  // cut to the buffer
    EXPECT_EQ(item.lParam, 0);
    EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMA, 3, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMA, 0, 0));
    EXPECT_EQ(SendMessageA(tab, TCM_INSERTITEMA, 0, 0), -1);

    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Renamed");
    ASSERT_TRUE(SendMessageA(tab, TCM_SETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
    char longer[32] = {};
    item.pszText = longer;
    item.cchTextMax = sizeof longer;
    SendMessageA(tab, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(longer, "Renamed");
    EXPECT_TRUE(codes.empty());
}

TEST_F(TabControlTest, DeletingMovesTheSelection) {
    struct Row {
        int selected;
        int deleted;
        int after;
    } rows[] = {{2, 0, 1}, {0, 2, 0}, {1, 1, -1}};
    for (const Row& row : rows) {
        SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0);
        insert(0, "A");
        insert(1, "B");
        insert(2, "C");
        SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(row.selected), 0);
        EXPECT_TRUE(SendMessageA(tab, TCM_DELETEITEM, static_cast<WPARAM>(row.deleted), 0));
        EXPECT_EQ(curSel(), row.after)
            << "selected " << row.selected << ", deleted " << row.deleted;
    }
    EXPECT_FALSE(SendMessageA(tab, TCM_DELETEITEM, 9, 0));
    SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(curSel(), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabControlTest, SetCurSelAnswersThePreviousAndNotifiesNothing) {
    insert(0, "A");
    insert(1, "B");
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(curSel(), 1);
    EXPECT_TRUE(codes.empty());
}

TEST_F(TabControlTest, ClickAsksThenSelectsThenTells) {
    insert(0, "A");
    insert(1, "B");
    insert(2, "C");
    click(2);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(selections, (std::vector<int>{0, 2}));  // changed between the two
    EXPECT_EQ(curSel(), 2);
    EXPECT_EQ(GetFocus(), tab);
    codes.clear();
    click(2);  // the selected tab again: nothing
    EXPECT_TRUE(codes.empty());
}

TEST_F(TabControlTest, ParentRefusesTheChange) {
    insert(0, "A");
    insert(1, "B");
    refuse = TRUE;
    click(1);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING}));
    EXPECT_EQ(curSel(), 0);
}

TEST_F(TabControlTest, ArrowKeysSelectNeighbours) {
    insert(0, "A");
    insert(1, "B");
    SetFocus(tab);
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(curSel(), 1);
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);  // no tab beyond the last
    EXPECT_EQ(curSel(), 1);
    SendMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(curSel(), 0);
    EXPECT_EQ(SendMessageA(tab, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(TabControlTest, GeometryHitTestAndAdjustRect) {
    insert(0, "First");
    insert(1, "Second");
    RECT a{};
    RECT b{};
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&a));
    SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a.right, b.left);  // one row, side by side
    EXPECT_EQ(a.top, b.top);
    EXPECT_GT(b.right - b.left, 0);
    TCHITTESTINFO hit{{(b.left + b.right) / 2, (b.top + b.bottom) / 2}, 0};
    EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_TRUE(hit.flags & TCHT_ONITEM);
    hit.pt = POINT{a.left, 150};
    EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_NOWHERE));

    RECT window{0, 0, 300, 200};
    RECT display = window;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, a.bottom - 1);  // below the row
    EXPECT_LT(display.right, 300);
    SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
    EXPECT_TRUE(EqualRect(&display, &window));
}

TEST_F(TabControlTest, RowScrollsToShowTheSelectedTab) {
    for (int i = 0; i < 12; ++i) {
        insert(i, "A long caption");
    }
    SendMessageA(tab, TCM_SETCURSEL, 11, 0);
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&r));
    EXPECT_LE(r.right, width);
    EXPECT_GE(r.left, 0);
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_LT(r.left, 0);  // scrolled out on the left
    SendMessageA(tab, TCM_SETCURSEL, 0, 0);
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_GE(r.left, 0);
}

// The two arrow buttons at the top right of the row: 16-pixel squares, each with a raised
// edge (its inner top line white) and a black or greyed arrow.
struct Arrows {
    bool shown = false;
    bool leftEnabled = false;
    bool rightEnabled = false;
};

Arrows arrowsOf(HWND tab) {
    const kvwin32::PixelImage image = kvwin32::renderWindow(tab);
    Arrows a;
    const int right = image.width;
    auto blackIn = [&](int left) {
        int n = 0;
        for (int y = 1; y < 15; ++y) {
            for (int x = left + 2; x < left + 14; ++x) {
                n += image.at(x, y) == 0 ? 1 : 0;
            }
        }
        return n;
    };
    // The raised edge's inner white line runs along the top of both buttons.
    int white = 0;
    for (int x = right - 31; x < right - 1; ++x) {
        white += image.at(x, 1) == 0xFFFFFF ? 1 : 0;
    }
    a.shown = white >= 24;
    a.leftEnabled = blackIn(right - 32) > 0;
    a.rightEnabled = blackIn(right - 16) > 0;
    return a;
}

TEST_F(TabControlTest, ARowTooWideScrollsWithItsArrows) {
    for (int i = 0; i < 4; ++i) {
        insert(i, "Short");
    }
    EXPECT_FALSE(arrowsOf(tab).shown) << "the tabs fit";
    for (int i = 4; i < 9; ++i) {
        insert(i, "Data Collection");
    }
    Arrows a = arrowsOf(tab);
    EXPECT_TRUE(a.shown);
    EXPECT_FALSE(a.leftEnabled) << "the first tab shows";
    EXPECT_TRUE(a.rightEnabled);

    RECT first{};
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const LPARAM rightArrow = MAKELPARAM(width - 8, 8);
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, rightArrow);
    SendMessageA(tab, WM_LBUTTONUP, 0, rightArrow);
    RECT moved{};
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_LT(moved.left, first.left) << "the row scrolled by a tab";
    EXPECT_EQ(curSel(), 0) << "scrolling leaves the selection";
    EXPECT_TRUE(codes.empty()) << "and tells the parent nothing";
    EXPECT_TRUE(arrowsOf(tab).leftEnabled);

    // Scrolled to its end, the right arrow greys; selecting the last tab shows it whole.
    for (int i = 0; i < 10; ++i) {
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, rightArrow);
        SendMessageA(tab, WM_LBUTTONUP, 0, rightArrow);
    }
    a = arrowsOf(tab);
    EXPECT_FALSE(a.rightEnabled);
    RECT last{};
    SendMessageA(tab, TCM_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(last.right, width - 32) << "the last tab shows left of the arrows";

    const LPARAM leftArrow = MAKELPARAM(width - 24, 8);
    for (int i = 0; i < 20; ++i) {
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, leftArrow);
        SendMessageA(tab, WM_LBUTTONUP, 0, leftArrow);
    }
    SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(moved.left, first.left);
    EXPECT_FALSE(arrowsOf(tab).leftEnabled);
}

// ---- What Windows answers ----------------------------------------------------------------------

// The focus follows the selection; TCM_SETCURFOCUS answers 0, ignores an index past the end,
// and on a tab control of tabs (not buttons) selects the item it focuses.
TEST_F(TabControlTest, FocusFollowsTheSelectionAndSetCurFocusSelects) {
    for (int i = 0; i < 5; ++i) {
        insert(i, "Tab");
    }
    const auto focus = [this] {
        return static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
    };
    EXPECT_EQ(focus(), 0);
    codes.clear();
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURFOCUS, 0, 0), 0);
    EXPECT_TRUE(codes.empty()) << "focusing the focused tab does nothing";
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURFOCUS, 4, 0), 0);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(focus(), 4);
    EXPECT_EQ(curSel(), 4);
    // Taking the focus away only tells of the change.
    codes.clear();
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(-10), 0), 0);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGE}));
    EXPECT_EQ(focus(), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 1, 0), -1);
    EXPECT_EQ(focus(), 1);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURFOCUS, 6, 0), 0);
    EXPECT_EQ(focus(), 1);
}

TEST_F(TabControlTest, SetCurSelRulesAndTheSelectedItemsState) {
    for (int i = 0; i < 5; ++i) {
        insert(i, "Tab");
    }
    const auto focus = [this] {
        return static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
    };
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 4, 0), 0);
    EXPECT_EQ(curSel(), 4);
    EXPECT_EQ(focus(), 4);
    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(-10), 0);
    EXPECT_EQ(curSel(), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 1, 0), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 6, 0), -1);
    EXPECT_EQ(focus(), 1);
    TCITEMA item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.dwState, static_cast<DWORD>(TCIS_BUTTONPRESSED))
        << "the selected tab is pressed";
    // No selection: the focus goes too, and the item is no longer pressed.
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(-1), 0), 1);
    EXPECT_EQ(focus(), -1);
    item.dwState = TCIS_BUTTONPRESSED;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.dwState, 0u);
    EXPECT_TRUE(codes.empty());
}

// TCM_GETITEMA of an index that does not exist answers FALSE and clears what the mask asked
// for, except the caller's text buffer.
TEST_F(TabControlTest, GetItemOfAMissingIndexClearsTheAskedFields) {
    for (int i = 0; i < 5; ++i) {
        insert(i, "Tab");
    }
    char text[32] = "a";
    struct Row {
        const char* name;
        WPARAM index;
        UINT mask;
        DWORD stateMask;
    };
    const Row rows[] = {
        {"data", 5, TCIF_PARAM, 0},
        {"image", 5, TCIF_IMAGE, 0},
        {"text", 5, TCIF_TEXT, 0},
        {"state without mask", 5, TCIF_STATE, 0},
        {"state", 5, TCIF_STATE, TCIS_BUTTONPRESSED},
        {"data at -1", static_cast<WPARAM>(-1), TCIF_PARAM, 0},
        {"data at -2", static_cast<WPARAM>(-2), TCIF_PARAM, 0},
    };
    for (const Row& row : rows) {
        TCITEMA item;
        std::memset(&item, 0xcc, sizeof item);
        item.mask = row.mask;
        item.pszText = text;
        item.dwStateMask = row.stateMask;
        item.dwState = TCIS_BUTTONPRESSED;
        EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMA, row.index, reinterpret_cast<LPARAM>(&item)))
            << row.name;
        if (row.mask == TCIF_PARAM) {
            EXPECT_EQ(item.lParam, 0) << row.name;
        } else if (row.mask == TCIF_IMAGE) {
            EXPECT_EQ(item.iImage, 0) << row.name;
        } else if (row.mask == TCIF_TEXT) {
            EXPECT_EQ(text[0], 'a') << row.name;
        } else {
            EXPECT_EQ(item.dwState, 0u) << row.name;
        }
    }
}

// Inserting into a tab control without a focused tab focuses the new one; deleting answers TRUE
// and leaves the focus where it was, or nowhere.
TEST_F(TabControlTest, InsertingAndDeletingKeepTheFocusAsWindowsDoes) {
    const auto focus = [this] {
        return static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
    };
    EXPECT_EQ(curSel(), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(focus(), -1);
    EXPECT_EQ(insert(1, "TAB"), 0);
    EXPECT_EQ(focus(), 0);
    EXPECT_EQ(insert(2, "TAB"), 1);
    EXPECT_EQ(focus(), 0);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(-1), 0), 0);
    EXPECT_EQ(focus(), -1);
    EXPECT_EQ(insert(3, "TAB"), 2);
    EXPECT_EQ(focus(), 2);

    SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0);
    insert(0, "A");
    insert(1, "B");
    EXPECT_EQ(focus(), 0);
    EXPECT_EQ(SendMessageA(tab, TCM_DELETEITEM, 1, 0), TRUE);
    EXPECT_EQ(focus(), 0);
    SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(SendMessageA(tab, TCM_DELETEITEM, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(focus(), -1);
}

TEST_F(TabControlTest, ItemExtraAndAdjustRectAnswers) {
    EXPECT_EQ(SendMessageA(tab, TCM_ADJUSTRECT, FALSE, 0), -1);
    EXPECT_EQ(SendMessageA(tab, TCM_ADJUSTRECT, TRUE, 0), -1);
    struct Row {
        WPARAM size;
        LRESULT answer;
    };
    for (const Row& row : {Row{0, TRUE}, Row{static_cast<WPARAM>(-1), FALSE}, Row{2, TRUE}}) {
        EXPECT_EQ(SendMessageA(tab, TCM_SETITEMEXTRA, row.size, 0), row.answer)
            << static_cast<LONG_PTR>(row.size);
    }
    // Once there are tabs the size of their data is fixed.
    SendMessageA(tab, TCM_SETITEMEXTRA, sizeof(LPARAM), 0);
    insert(0, "A");
    EXPECT_EQ(SendMessageA(tab, TCM_SETITEMEXTRA, 2, 0), FALSE);
    for (int i = 1; i < 5; ++i) {
        insert(i, "Tab");
    }
    EXPECT_EQ(SendMessageA(tab, TCM_GETROWCOUNT, 0, 0), 1);
}

}  // namespace
