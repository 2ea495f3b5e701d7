// The up-down control: steps at the range ends, wrapping, inverted ranges, the parent's
// UDN_DELTAPOS veto, the buddy's text, the automatic buddy and its alignment, arrow keys, the
// width it is made with and the place and width it takes beside its buddy.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

constexpr int kUpDownId = 7;

// What the parent and the buddy received that tells the story of a step.
struct Event {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    bool operator==(const Event&) const = default;
};

class UpDownTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 0, 0, 300, 200,
                        kvtest::kRecorderParentClass);
        buddy = create(WS_CHILD | WS_VISIBLE, parent, 5, 10, 10, 100, 20);
        rec.setAnswer([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg == WM_NOTIFY) {
                auto* nm = reinterpret_cast<NMUPDOWN*>(lParam);
                if (nm->hdr.code == UDN_DELTAPOS) {
                    deltas.push_back({nm->iPos, nm->iDelta});
                    if (newDelta) {
                        nm->iDelta = *newDelta;
                    }
                    return refuse ? 1 : 0;
                }
            }
            return std::nullopt;
        });
    }

    HWND makeUpDown(DWORD style, int x = 150, int y = 10, int cx = 16, int cy = 20) {
        return CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | style, x, y, cx,
                               cy, parent, reinterpret_cast<HMENU>(kUpDownId), nullptr, nullptr);
    }

    // A click on the upper (up) or lower (down) half, as the Robot clicks.
    static void click(HWND updown, bool up) {
        RECT rc{};
        GetClientRect(updown, &rc);
        const int y = up ? rc.bottom / 4 : rc.bottom * 3 / 4;
        SendMessageA(updown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right / 2, y));
        SendMessageA(updown, WM_LBUTTONUP, 0, MAKELPARAM(rc.right / 2, y));
    }

    static int pos(HWND updown) {
        return static_cast<int>(SendMessageA(updown, UDM_GETPOS32, 0, 0));
    }

    std::string text(HWND hwnd) {
        char buffer[64] = {};
        GetWindowTextA(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    std::vector<Event> story() const {
        std::vector<Event> out;
        for (const kvtest::RecordedMsg& m : rec.log()) {
            if (m.message == WM_NOTIFY || m.message == WM_SETTEXT || m.message == WM_VSCROLL ||
                m.message == WM_HSCROLL) {
                out.push_back({m.hwnd, m.message, m.message == WM_NOTIFY ? 0 : m.wParam});
            }
        }
        return out;
    }

    HWND parent = nullptr;
    HWND buddy = nullptr;
    bool refuse = false;
    std::optional<int> newDelta;
    std::vector<std::pair<int, int>> deltas;  // (iPos, iDelta) of each UDN_DELTAPOS
};

TEST_F(UpDownTest, StartsWithTheWindowsDefaultRange) {
    HWND ud = makeUpDown(0);
    EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));
    int lo = -1;
    int hi = -1;
    SendMessageA(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 100);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(pos(ud), 0);
}

TEST_F(UpDownTest, ClicksStepWithinTheRange) {
    struct Row {
        const char* name;
        DWORD style;
        int min, max, start;
        bool up;
        int expected;
    } rows[] = {
        {"up", 0, 0, 10, 5, true, 6},
        {"down", 0, 0, 10, 5, false, 4},
        {"up at max stays", 0, 0, 10, 10, true, 10},
        {"down at min stays", 0, 0, 10, 0, false, 0},
        {"wrap up at max", UDS_WRAP, 0, 10, 10, true, 0},
        {"wrap down at min", UDS_WRAP, 0, 10, 0, false, 10},
        {"inverted range: up goes down", 0, 10, 0, 5, true, 4},
        {"inverted range: down goes up", 0, 10, 0, 5, false, 6},
        {"inverted range: up stops at max", 0, 10, 0, 0, true, 0},
        {"horizontal right half is up", UDS_HORZ, 0, 10, 5, true, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND ud = makeUpDown(row.style, 150, 10, 32, 20);
        SendMessageA(ud, UDM_SETRANGE32, row.min, row.max);
        SendMessageA(ud, UDM_SETPOS32, 0, row.start);
        if (row.style & UDS_HORZ) {
            // The right half steps up, the left half down.
            SendMessageA(ud, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.up ? 24 : 4, 10));
            SendMessageA(ud, WM_LBUTTONUP, 0, MAKELPARAM(row.up ? 24 : 4, 10));
        } else {
            click(ud, row.up);
        }
        EXPECT_EQ(pos(ud), row.expected);
        DestroyWindow(ud);
    }
}

TEST_F(UpDownTest, AStepAsksTheParentThenMovesThenScrolls) {
    HWND ud = makeUpDown(UDS_SETBUDDYINT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE32, 1, 9);
    SendMessageA(ud, UDM_SETPOS32, 0, 3);
    rec.clear();
    deltas.clear();
    click(ud, true);
    const std::vector<Event> expected = {
        {parent, WM_NOTIFY, 0},
        {buddy, WM_SETTEXT, 0},
        {parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4)},
        {parent, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 4)},
    };
    EXPECT_EQ(story(), expected);
    ASSERT_EQ(deltas.size(), 1u);
    EXPECT_EQ(deltas[0], std::make_pair(3, 1));
    EXPECT_EQ(text(buddy), "4");
}

TEST_F(UpDownTest, TheParentRefusesOrChangesTheStep) {
    HWND ud = makeUpDown(UDS_SETBUDDYINT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE32, 0, 100);
    SendMessageA(ud, UDM_SETPOS32, 0, 50);
    refuse = true;
    rec.clear();
    click(ud, true);
    EXPECT_EQ(pos(ud), 50);
    // The buddy is left alone, but the parent still hears the (unchanged) position.
    const std::vector<Event> refused = {
        {parent, WM_NOTIFY, 0},
        {parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50)},
        {parent, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 50)},
    };
    EXPECT_EQ(story(), refused);
    refuse = false;
    newDelta = 10;
    click(ud, false);
    EXPECT_EQ(pos(ud), 60);
    EXPECT_EQ(text(buddy), "60");
}

TEST_F(UpDownTest, TheBuddyShowsThePositionAsConfigured) {
    struct Row {
        const char* name;
        DWORD style;
        int base;
        int value;
        const char* expected;
    } rows[] = {
        {"thousands", 0, 10, 12345, "12,345"},
        {"millions", 0, 10, 1234567, "1,234,567"},
        {"negative", 0, 10, -4321, "-4,321"},
        {"short", 0, 10, 999, "999"},
        {"no thousands", UDS_NOTHOUSANDS, 10, 12345, "12345"},
        {"hexadecimal", 0, 16, 255, "0x00FF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND ud = makeUpDown(UDS_SETBUDDYINT | row.style);
        SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        SendMessageA(ud, UDM_SETRANGE32, -100000000, 100000000);
        SendMessageA(ud, UDM_SETBASE, row.base, 0);
        SendMessageA(ud, UDM_SETPOS32, 0, row.value);
        EXPECT_EQ(text(buddy), row.expected);
        DestroyWindow(ud);
    }
}

TEST_F(UpDownTest, WhatTheUserTypedIsReadBackBeforeAStep) {
    HWND ud = makeUpDown(UDS_SETBUDDYINT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE32, 0, 5000);
    SendMessageA(ud, UDM_SETPOS32, 0, 1);
    SetWindowTextA(buddy, "1,200");
    click(ud, true);
    EXPECT_EQ(pos(ud), 1201);
    EXPECT_EQ(text(buddy), "1,201");
    // Text that is no number in range: the position stays and UDM_GETPOS reports an error.
    SetWindowTextA(buddy, "abc");
    const LRESULT answer = SendMessageA(ud, UDM_GETPOS, 0, 0);
    EXPECT_EQ(LOWORD(answer), 1201);
    EXPECT_NE(HIWORD(answer), 0);
    BOOL failed = FALSE;
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), 1201);
    EXPECT_TRUE(failed);
}

TEST_F(UpDownTest, SetPosClampsAndReturnsThePrevious) {
    HWND ud = makeUpDown(0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELPARAM(20, 10));  // max 20, min 10
    EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELONG(20, 10));
    // The new range took the position 0 into it: 10.
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(15, 0)), 10);
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(99, 0)), 15);
    EXPECT_EQ(pos(ud), 20);
    SendMessageA(ud, UDM_SETPOS32, 0, -5);
    EXPECT_EQ(pos(ud), 10);
    // Without a buddy UDM_GETPOS reports no error.
    EXPECT_EQ(HIWORD(SendMessageA(ud, UDM_GETPOS, 0, 0)), 0);
}

TEST_F(UpDownTest, AutoBuddyTakesThePreviousSiblingAndAlignsBesideIt) {
    struct Row {
        const char* name;
        DWORD align;
        RECT buddyAfter;
        RECT upDownAfter;
    } rows[] = {
        {"right", UDS_ALIGNRIGHT, {10, 10, 94, 30}, {94, 10, 110, 30}},
        {"left", UDS_ALIGNLEFT, {26, 10, 110, 30}, {10, 10, 26, 30}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = create(WS_CHILD | WS_VISIBLE, parent, 11, 10, 10, 100, 20);
        HWND ud = makeUpDown(UDS_AUTOBUDDY | row.align, 200, 100, 16, 40);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), edit);
        RECT b{};
        RECT u{};
        GetWindowRect(edit, &b);
        GetWindowRect(ud, &u);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&u), 2);
        EXPECT_TRUE(EqualRect(&b, &row.buddyAfter))
            << b.left << "," << b.top << "," << b.right << "," << b.bottom;
        EXPECT_TRUE(EqualRect(&u, &row.upDownAfter))
            << u.left << "," << u.top << "," << u.right << "," << u.bottom;
        DestroyWindow(ud);
        DestroyWindow(edit);
    }
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStepUntilTheControlGoes) {
    HWND edit = create(WS_CHILD | WS_VISIBLE, parent, 11, 10, 10, 100, 20);
    const LONG_PTR ownProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    HWND ud = makeUpDown(UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS);
    SendMessageA(ud, UDM_SETRANGE32, 0, 5);
    SendMessageA(ud, UDM_SETPOS32, 0, 2);
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(edit, WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(pos(ud), 3);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(pos(ud), 1);
    EXPECT_EQ(text(edit), "1");
    DestroyWindow(ud);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), ownProc);
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);  // nothing left to step: no crash
    EXPECT_EQ(text(edit), "1");
}

TEST_F(UpDownTest, AccelerationSetsTheStepAndIsReadBack) {
    HWND ud = makeUpDown(0);
    UDACCEL accel[2] = {{0, 3}, {1, 9}};
    EXPECT_TRUE(SendMessageA(ud, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
    EXPECT_FALSE(SendMessageA(ud, UDM_SETACCEL, 0, reinterpret_cast<LPARAM>(accel)));
    UDACCEL back[4] = {};
    EXPECT_EQ(SendMessageA(ud, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(back)), 2);
    EXPECT_EQ(back[0].nInc, 3u);
    EXPECT_EQ(back[1].nInc, 0u);  // only as many as asked for are copied
    SendMessageA(ud, UDM_SETRANGE32, 0, 100);
    click(ud, true);
    EXPECT_EQ(pos(ud), 3);
    EXPECT_EQ(SendMessageA(ud, UDM_SETBASE, 7, 0), 0);  // only 10 and 16
    EXPECT_EQ(SendMessageA(ud, UDM_GETBASE, 0, 0), 10);
}

TEST_F(UpDownTest, CreateUpDownControlSetsEverything) {
    HWND ud = CreateUpDownControl(WS_CHILD | UDS_SETBUDDYINT, 0, 0, 16, 20, parent, 9, nullptr,
                                  buddy, 9, 1, 4);
    ASSERT_NE(ud, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), buddy);
    EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELONG(9, 1));
    EXPECT_EQ(pos(ud), 4);
    EXPECT_EQ(text(buddy), "4");
}

// ---- What Windows answers ----------------------------------------------------------------------

// A buddy without UDS_SETBUDDYINT: the position is the control's own, and UDM_GETPOS flags that
// the buddy could not give it. UDM_SETPOS answers the position before and clamps.
TEST_F(UpDownTest, PositionMessagesWithAPlainBuddy) {
    HWND ud = makeUpDown(UDS_ALIGNRIGHT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(100, 0));
    const LRESULT range = SendMessageA(ud, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 100);
    EXPECT_EQ(HIWORD(range), 0);
    SendMessageA(ud, UDM_SETPOS, 0, MAKELONG(5, 0));
    struct Step {
        int set;
        LRESULT previous;
        int now;
    };
    const Step steps[] = {{0, 5, 0}, {-1, 0, 0}, {100, 0, 100}, {101, 100, 100}};
    for (const Step& step : steps) {
        EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELONG(static_cast<WORD>(step.set), 0)),
                  step.previous)
            << "set " << step.set;
        EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(step.now, 1)) << "set " << step.set;
    }
    // The same with the 32-bit messages.
    SendMessageA(ud, UDM_SETRANGE32, 0, 1000);
    int low = -1, high = -1;
    EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                           reinterpret_cast<LPARAM>(&high)),
              0);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    const Step steps32[] = {
        {500, 100, 500}, {0, 500, 0}, {-1, 0, 0}, {1000, 0, 1000}, {1001, 1000, 1000}};
    for (const Step& step : steps32) {
        EXPECT_EQ(SendMessageA(ud, UDM_SETPOS32, 0, step.set), step.previous) << "set " << step.set;
        BOOL failed = FALSE;
        EXPECT_EQ(SendMessageA(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), step.now);
        EXPECT_TRUE(failed);
    }
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_SETBUDDY, 0, 0)), buddy);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), nullptr);
}

// UDS_SETBUDDYINT counts as it was at creation: adding it later writes nothing, taking it away
// later still writes and reads the buddy.
TEST_F(UpDownTest, BuddyIntegerStyleCountsAsCreated) {
    HWND ud = makeUpDown(UDS_ALIGNRIGHT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(100, 0));
    SetWindowLongA(ud, GWL_STYLE, GetWindowLongA(ud, GWL_STYLE) | UDS_SETBUDDYINT);
    SendMessageA(ud, UDM_SETPOS, 0, 20);
    EXPECT_EQ(text(buddy), "");
    DestroyWindow(ud);

    ud = makeUpDown(UDS_SETBUDDYINT | UDS_ALIGNRIGHT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(100, 0));
    SendMessageA(ud, UDM_SETPOS, 0, 50);
    EXPECT_EQ(text(buddy), "50");
    SetWindowLongA(ud, GWL_STYLE, GetWindowLongA(ud, GWL_STYLE) & ~UDS_SETBUDDYINT);
    SendMessageA(ud, UDM_SETPOS, 0, 20);
    EXPECT_EQ(text(buddy), "20");
    struct Row {
        const char* typed;
        LRESULT answer;
    };
    const Row rows[] = {
        {"10", MAKELONG(10, 0)}, {"11", MAKELONG(11, 0)}, {"21st", MAKELONG(11, 1)}};
    for (const Row& row : rows) {
        SetWindowTextA(buddy, row.typed);
        EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), row.answer) << row.typed;
    }
}

// A new range takes the position into it without rewriting the buddy, so the old text reads
// as out of range; an inverted range steps the other way under the arrow keys.
TEST_F(UpDownTest, NewRangeClampsThePositionButNotTheBuddysText) {
    HWND edit = create(WS_CHILD | WS_VISIBLE, parent, 11, 10, 10, 100, 20);
    SetWindowTextA(edit, "50");
    HWND ud = makeUpDown(UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(100, 0));
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, 50), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(1, 40));
    const LRESULT range = SendMessageA(ud, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 1);
    EXPECT_EQ(HIWORD(range), 40);
    UDACCEL accel{0, 5};
    EXPECT_EQ(SendMessageA(ud, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel)), TRUE);
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(40, 1));
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELONG(0, 0)), 40);
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(1, 0));
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELONG(2, 0)), 1);
    EXPECT_EQ(SendMessageA(edit, WM_KEYDOWN, VK_UP, 0), 0);
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(1, 0));
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELONG(50, 0)), 1);
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(40, 0));
}

TEST_F(UpDownTest, BaseTakesTenOrSixteenAndAnswersThePrevious) {
    HWND ud = makeUpDown(UDS_ALIGNRIGHT);
    struct Step {
        WPARAM set;
        LRESULT answer;
        LRESULT base;
    };
    const Step steps[] = {{10, 10, 10}, {80, 0, 10}, {16, 10, 16}, {80, 0, 16}, {10, 16, 10}};
    for (const Step& step : steps) {
        EXPECT_EQ(SendMessageA(ud, UDM_SETBASE, step.set, 0), step.answer) << step.set;
        EXPECT_EQ(SendMessageA(ud, UDM_GETBASE, 0, 0), step.base) << step.set;
    }
    DestroyWindow(ud);
    // A new base rewrites the buddy of an integer up-down.
    ud = makeUpDown(UDS_SETBUDDYINT | UDS_ALIGNRIGHT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(ud, UDM_SETRANGE, 0, MAKELONG(100, 0));
    SendMessageA(ud, UDM_SETPOS, 0, 50);
    EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, 10), 50);
    EXPECT_EQ(text(buddy), "10");
    EXPECT_EQ(SendMessageA(ud, UDM_SETBASE, 16, 0), 10);
    EXPECT_NE(text(buddy), "10");
}

TEST_F(UpDownTest, CreateUpDownControlWithAPlainBuddy) {
    HWND ud = CreateUpDownControl(WS_CHILD | WS_BORDER | WS_VISIBLE, 0, 0, 300, 200, parent, 1,
                                  nullptr, buddy, 100, 10, 50);
    ASSERT_NE(ud, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), buddy);
    EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELONG(100, 10));
    EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELONG(50, 1));
}

// ---- Size and place -----------------------------------------------------------------------------

RECT rectIn(HWND parent, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A vertical up-down is 16 pixels wide once made, whatever width it was made with; a horizontal
// one keeps the size it was made with (with a border, 2 pixels high leaves no client area).
TEST_F(UpDownTest, AVerticalUpDownIsMadeSixteenPixelsWide) {
    struct Row {
        const char* name;
        DWORD style;
        int cx, cy;
        SIZE window;
        SIZE client;
    } rows[] = {
        {"no width", WS_BORDER, 0, 0, {16, 0}, {14, 0}},
        {"two wide", WS_BORDER, 2, 0, {16, 0}, {14, 0}},
        {"wider than the default", WS_BORDER, 100, 40, {16, 40}, {14, 38}},
        {"no border", 0, 50, 20, {16, 20}, {16, 20}},
        {"horizontal, no height", UDS_HORZ | WS_BORDER, 0, 0, {0, 0}, {0, 0}},
        {"horizontal, two high", UDS_HORZ | WS_BORDER, 40, 2, {40, 2}, {38, 0}},
        {"horizontal, a hundred high", UDS_HORZ | WS_BORDER, 40, 100, {40, 100}, {38, 98}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND ud = makeUpDown(row.style, 20, 30, row.cx, row.cy);
        const RECT window = rectIn(parent, ud);
        RECT client{};
        GetClientRect(ud, &client);
        EXPECT_EQ(show(window), show(RECT{20, 30, 20 + row.window.cx, 30 + row.window.cy}));
        EXPECT_EQ(client.right, row.client.cx);
        EXPECT_EQ(client.bottom, row.client.cy);
        DestroyWindow(ud);
    }
}

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the buddy gives up 16 pixels on that side, whatever width the
// up-down has, and the up-down takes them, 16 wide. Beside an edit it reaches 2 pixels over the
// edit's border. Without either style nothing moves.
TEST_F(UpDownTest, AnAlignedUpDownTakesTheDefaultWidthFromItsBuddy) {
    struct Row {
        const char* name;
        DWORD style;
        const char* buddyClass;
        int width;  // the up-down's width before it gets its buddy
        RECT buddyAfter;
        RECT upDownAfter;
    } rows[] = {
        {"right", UDS_ALIGNRIGHT, kvtest::kRecorderClass, 16, {10, 10, 94, 30}, {94, 10, 110, 30}},
        {"left", UDS_ALIGNLEFT, kvtest::kRecorderClass, 16, {26, 10, 110, 30}, {10, 10, 26, 30}},
        {"right of an edit", UDS_ALIGNRIGHT, WC_EDITA, 16, {10, 10, 94, 30}, {92, 10, 108, 30}},
        {"left of an edit", UDS_ALIGNLEFT, WC_EDITA, 16, {26, 10, 110, 30}, {10, 10, 28, 30}},
        {"made wider, right",
         UDS_ALIGNRIGHT,
         kvtest::kRecorderClass,
         40,
         {10, 10, 94, 30},
         {94, 10, 110, 30}},
        {"made wider, edit", UDS_ALIGNRIGHT, WC_EDITA, 40, {10, 10, 94, 30}, {92, 10, 108, 30}},
        {"horizontal",
         UDS_HORZ | UDS_ALIGNRIGHT,
         WC_EDITA,
         40,
         {10, 10, 94, 30},
         {92, 10, 108, 30}},
        {"not aligned", 0, WC_EDITA, 40, {10, 10, 110, 30}, {150, 60, 190, 80}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND bud = create(WS_CHILD | WS_VISIBLE, parent, 11, 10, 10, 100, 20, row.buddyClass,
                          WS_EX_CLIENTEDGE);
        HWND ud = makeUpDown(row.style, 150, 60, 40, 20);
        SetWindowPos(ud, nullptr, 0, 0, row.width, 20, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(bud), 0), 0);
        EXPECT_EQ(show(rectIn(parent, bud)), show(row.buddyAfter));
        EXPECT_EQ(show(rectIn(parent, ud)), show(row.upDownAfter));
        DestroyWindow(ud);
        DestroyWindow(bud);
    }
}

// Each UDM_SETBUDDY aligns anew, even with the buddy the control has: the buddy gives up the
// same width again and keeps its height.
TEST_F(UpDownTest, SettingTheSameBuddyAgainShrinksItAgain) {
    HWND edit = create(WS_CHILD | WS_VISIBLE, parent, 11, 100, 100, 100, 100, WC_EDITA);
    HWND ud = makeUpDown(UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 200, 150);
    const int widths[] = {84, 68};
    for (int expected : widths) {
        SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        const RECT r = rectIn(parent, edit);
        EXPECT_EQ(r.right - r.left, expected);
        EXPECT_EQ(r.bottom - r.top, 100);
    }
    EXPECT_EQ(
        reinterpret_cast<HWND>(SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0)),
        edit);
}

// Taking the buddy away answers the buddy there was and leaves the control's size as it is,
// vertical or horizontal, even one made horizontal and turned vertical later.
TEST_F(UpDownTest, LosingTheBuddyKeepsTheSize) {
    struct Row {
        const char* name;
        DWORD style;
        bool withBuddy;     // made with the buddy (UDM_SETBUDDY right after creation)
        bool turnVertical;  // UDS_HORZ taken away, then the buddy set
    } rows[] = {
        {"horizontal with a buddy", UDS_HORZ, true, false},
        {"vertical with a buddy", 0, true, false},
        {"aligned beside an edit", UDS_ALIGNRIGHT, true, false},
        {"made horizontal, then vertical", UDS_HORZ, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = create(WS_CHILD | WS_VISIBLE, parent, 11, 10, 10, 100, 20, WC_EDITA);
        HWND ud = makeUpDown(WS_BORDER | row.style, 0, 0, 120, 90);
        if (row.withBuddy) {
            SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        }
        if (row.turnVertical) {
            EXPECT_EQ(SendMessageA(ud, UDM_SETBUDDY, 0, 0), 0);
            SetWindowLongA(ud, GWL_STYLE, GetWindowLongA(ud, GWL_STYLE) & ~UDS_HORZ);
            EXPECT_EQ(SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0), 0);
        }
        const RECT before = rectIn(parent, ud);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_SETBUDDY, 0, 0)), edit);
        EXPECT_EQ(show(rectIn(parent, ud)), show(before));
        EXPECT_EQ(SendMessageA(ud, UDM_SETBUDDY, 0, 0), 0);
        EXPECT_EQ(show(rectIn(parent, ud)), show(before));
        DestroyWindow(ud);
        DestroyWindow(edit);
    }
}

// 0x00RRGGBB of a system colour, as rendered pixels hold it.
std::uint32_t pixelOf(int sysColour) {
    const COLORREF c = GetSysColor(sysColour);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Beside an edit the control draws the edit's frame on round its top, bottom and far side and
// the edit's background inside it, around the arrows; beside another window it draws none.
TEST_F(UpDownTest, BesideAnEditTheEditsFrameGoesOnRoundTheArrows) {
    struct Pixel {
        int x, y;
        std::uint32_t colour;
    };
    const std::uint32_t black = 0;
    struct Row {
        const char* name;
        DWORD align;
        DWORD buddyStyle, buddyExStyle;
        std::vector<Pixel> pixels;  // in the up-down's window, 20 high
    } rows[] = {
        {"right of a bordered edit",
         UDS_ALIGNRIGHT,
         WS_BORDER,
         0,
         {{8, 0, black},
          {8, 19, black},
          {15, 10, black},
          {8, 1, pixelOf(COLOR_WINDOW)},
          {0, 10, pixelOf(COLOR_WINDOW)},
          {1, 10, pixelOf(COLOR_WINDOW)}}},
        {"left of a bordered edit",
         UDS_ALIGNLEFT,
         WS_BORDER,
         0,
         {{0, 10, black},
          {9, 0, black},
          {17, 10, pixelOf(COLOR_WINDOW)},
          {16, 10, pixelOf(COLOR_WINDOW)}}},
        {"right of a sunken edit",
         UDS_ALIGNRIGHT,
         0,
         WS_EX_CLIENTEDGE,
         {{8, 0, pixelOf(COLOR_BTNSHADOW)},
          {8, 1, pixelOf(COLOR_3DDKSHADOW)},
          {15, 10, pixelOf(COLOR_BTNHIGHLIGHT)},
          {8, 19, pixelOf(COLOR_BTNHIGHLIGHT)},
          {0, 10, pixelOf(COLOR_WINDOW)}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = create(WS_CHILD | WS_VISIBLE | row.buddyStyle, parent, 11, 10, 10, 100, 20,
                           WC_EDITA, row.buddyExStyle);
        HWND ud = makeUpDown(row.align);
        SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        const kvwin32::PixelImage image = kvwin32::renderWindow(ud);
        ASSERT_EQ(image.height, 20);
        for (const Pixel& p : row.pixels) {
            ASSERT_LT(p.x, image.width);
            EXPECT_EQ(image.at(p.x, p.y), p.colour) << p.x << "," << p.y;
        }
        DestroyWindow(ud);
        DestroyWindow(edit);
    }
    // Beside a window that is no edit the arrows fill the control: no frame, no background.
    HWND ud = makeUpDown(UDS_ALIGNRIGHT);
    SendMessageA(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    const kvwin32::PixelImage image = kvwin32::renderWindow(ud);
    ASSERT_EQ(image.width, 16);
    EXPECT_NE(image.at(8, 0), black);
    EXPECT_NE(image.at(0, 10), pixelOf(COLOR_WINDOW));
}

}  // namespace
