// Tests of drag lists: the notifications a drag sends the list box's parent, in order and
// with their data, cancelling, LBItemFromPt and the insertion mark of DrawInsert.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "MsgSequence.h"
#include "WindowFixture.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

constexpr int kListId = 303;
constexpr int kItemHeight = 13;

class DragListTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 40, 40, 300, 300,
                        kvtest::kRecorderParentClass);
        ASSERT_NE(parent, nullptr);
        list = CreateWindowExA(
            0, WC_LISTBOXA, "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 30, 20, 100, 5 * kItemHeight,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
        ASSERT_NE(list, nullptr);
        for (const char* item : {"zero", "one", "two", "three", "four", "five", "six", "seven"}) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        dragMessage = RegisterWindowMessageA(DRAGLISTMSGSTRING);
        rec.setAnswer(
            [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                if (msg != dragMessage || dragMessage == 0) {
                    return std::nullopt;
                }
                const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
                seen.push_back({info->uNotification, info->hWnd, info->ptCursor, wParam,
                                SendMessageA(list, LB_GETCURSEL, 0, 0)});
                switch (info->uNotification) {
                    case DL_BEGINDRAG:
                        return beginAnswer;
                    case DL_DRAGGING:
                        return DL_MOVECURSOR;
                    default:
                        return 0;
                }
            });
    }

    void TearDown() override {
        rec.setAnswer({});
        kvtest::WindowFixture::TearDown();
    }

    POINT itemCentre(int index) const {
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    POINT onScreen(POINT client) const {
        ClientToScreen(list, &client);
        return client;
    }

    void mouse(UINT msg, POINT p) const {
        SendMessageA(list, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }

    std::vector<UINT> notifications() const {
        std::vector<UINT> out;
        for (const auto& s : seen) {
            out.push_back(s.code);
        }
        return out;
    }

    struct Seen {
        UINT code;
        HWND from;
        POINT cursor;
        WPARAM id;
        LRESULT selection;
    };
    HWND parent = nullptr;
    HWND list = nullptr;
    UINT dragMessage = 0;
    LRESULT beginAnswer = TRUE;
    std::vector<Seen> seen;
};

TEST_F(DragListTest, MakeDragListChecksItsArgument) {
    EXPECT_FALSE(MakeDragList(nullptr));
    EXPECT_FALSE(MakeDragList(reinterpret_cast<HWND>(0x7777)));
    EXPECT_TRUE(MakeDragList(list));
    EXPECT_TRUE(MakeDragList(list));  // once a drag list, it stays one
    EXPECT_NE(dragMessage, 0U);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 8);  // the list box still answers
}

TEST_F(DragListTest, DragSendsBeginDraggingDropped) {
    ASSERT_TRUE(MakeDragList(list));
    POINT from = itemCentre(1);
    POINT over = itemCentre(3);
    mouse(WM_LBUTTONDOWN, from);
    EXPECT_EQ(GetCapture(), list);
    mouse(WM_MOUSEMOVE, itemCentre(2));
    mouse(WM_MOUSEMOVE, over);
    mouse(WM_LBUTTONUP, over);
    EXPECT_EQ(notifications(),
              (std::vector<UINT>{DL_BEGINDRAG, DL_DRAGGING, DL_DRAGGING, DL_DROPPED}));
    ASSERT_EQ(seen.size(), 4U);
    for (const auto& s : seen) {
        EXPECT_EQ(s.from, list);
        EXPECT_EQ(s.id, static_cast<WPARAM>(kListId));
    }
    EXPECT_EQ(seen[0].cursor.x, onScreen(from).x);
    EXPECT_EQ(seen[0].cursor.y, onScreen(from).y);
    EXPECT_EQ(seen[3].cursor.y, onScreen(over).y);
    // The list box selected the pressed item and kept it while the drag moved on.
    EXPECT_EQ(seen[3].selection, 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragListTest, RefusedBeginLeavesAnOrdinaryClick) {
    ASSERT_TRUE(MakeDragList(list));
    beginAnswer = FALSE;
    mouse(WM_LBUTTONDOWN, itemCentre(1));
    mouse(WM_MOUSEMOVE, itemCentre(2));
    mouse(WM_LBUTTONUP, itemCentre(2));
    EXPECT_EQ(notifications(), (std::vector<UINT>{DL_BEGINDRAG}));
    // Without a drag, moving with the button down moves the selection as in any list box.
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(DragListTest, DragsEndCancelled) {
    struct Case {
        const char* name;
        void (*end)(HWND list, HWND parent);
    };
    const Case cases[] = {
        {"escape", [](HWND l, HWND) { SendMessageA(l, WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"right button", [](HWND l, HWND) { SendMessageA(l, WM_RBUTTONDOWN, MK_RBUTTON, 0); }},
        {"capture taken", [](HWND, HWND p) { SetCapture(p); }},
    };
    ASSERT_TRUE(MakeDragList(list));
    for (const auto& c : cases) {
        seen.clear();
        mouse(WM_LBUTTONDOWN, itemCentre(0));
        EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS)
            << c.name;
        c.end(list, parent);
        mouse(WM_MOUSEMOVE, itemCentre(2));  // no longer a drag
        mouse(WM_LBUTTONUP, itemCentre(2));
        EXPECT_EQ(notifications(), (std::vector<UINT>{DL_BEGINDRAG, DL_CANCELDRAG})) << c.name;
        EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0) << c.name;
        ReleaseCapture();
    }
}

TEST_F(DragListTest, ItemFromPointTable) {
    RECT client{};
    GetClientRect(list, &client);
    struct Case {
        const char* name;
        POINT client;
        BOOL autoScroll;
        int expected;
        int top;
    };
    const Case cases[] = {
        {"first item", {5, 2}, FALSE, 0, 0},
        {"third item", {5, 2 * kItemHeight + 6}, FALSE, 2, 0},
        {"last visible row", {5, 5 * kItemHeight - 1}, FALSE, 4, 0},
        {"right of the list", {client.right + 5, 3}, TRUE, -1, 0},
        {"below, no scrolling", {5, client.bottom + 4}, FALSE, -1, 0},
        {"below scrolls down one", {5, client.bottom + 4}, TRUE, -1, 1},
        {"again", {5, client.bottom + 4}, TRUE, -1, 2},
        {"first row after scrolling", {5, 2}, FALSE, 2, 2},
        {"above scrolls up one", {5, -3}, TRUE, -1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LBItemFromPt(list, onScreen(c.client), c.autoScroll), c.expected) << c.name;
        EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), c.top) << c.name;
    }
    EXPECT_EQ(LBItemFromPt(nullptr, POINT{0, 0}, TRUE), -1);
}

TEST_F(DragListTest, DrawInsertRecordsTheMark) {
    ASSERT_TRUE(MakeDragList(list));
    EXPECT_EQ(kvwin32::dragListInsertMark(list), -1);
    DrawInsert(parent, list, 2);
    EXPECT_EQ(kvwin32::dragListInsertMark(list), 2);
    DrawInsert(parent, list, 99);  // no such item: the mark goes
    EXPECT_EQ(kvwin32::dragListInsertMark(list), -1);
    DrawInsert(parent, list, 3);
    DrawInsert(parent, list, -1);
    EXPECT_EQ(kvwin32::dragListInsertMark(list), -1);
    DrawInsert(nullptr, list, 1);
    DrawInsert(parent, nullptr, 1);
    EXPECT_EQ(kvwin32::dragListInsertMark(nullptr), -1);
    // The drag list's record goes with the window.
    DestroyWindow(list);
    EXPECT_EQ(kvwin32::dragListInsertMark(list), -1);
}

}  // namespace
