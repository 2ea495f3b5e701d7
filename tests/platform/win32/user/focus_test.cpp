// Focus, activation, enabling and capture: the messages Windows sends and who ends up with
// the focus.
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"

using kvtest::DefWinProc;
using kvtest::LParam;
using kvtest::Optional;
using kvtest::Sent;
using kvtest::WParam;

namespace {

class FocusTest : public kvtest::WindowFixture {};

WPARAM w(HWND hwnd) {
    return reinterpret_cast<WPARAM>(hwnd);
}
LPARAM l(HWND hwnd) {
    return reinterpret_cast<LPARAM>(hwnd);
}

TEST_F(FocusTest, FocusMovesBetweenSiblings) {
    HWND top = create(WS_POPUP | WS_VISIBLE);
    HWND a = create(WS_CHILD | WS_VISIBLE, top, 1);
    HWND b = create(WS_CHILD | WS_VISIBLE, top, 2);
    ASSERT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);
    SetFocus(a);
    rec.clear();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_TRUE(rec.matches(
        {{WM_KILLFOCUS, Sent | WParam, w(b)}, {WM_SETFOCUS, Sent | WParam, w(a)}}, "a to b"));
    EXPECT_TRUE(rec.matchesFor(a, {{WM_KILLFOCUS, Sent}}, "a hears"));
    EXPECT_EQ(GetFocus(), b);
    // Again: nothing happens.
    rec.clear();
    EXPECT_EQ(SetFocus(b), b);
    EXPECT_TRUE(rec.log().empty());
    // To nobody.
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_TRUE(rec.matches({{WM_KILLFOCUS, Sent | WParam, 0}}, "to nobody"));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(FocusTest, FocusActivatesTheTopLevelWindow) {
    HWND top = create(WS_POPUP);  // hidden windows can take the focus too
    HWND child = create(WS_CHILD, top, 1);
    rec.clear();
    // The previous focus is the one the activation gave to the top-level window.
    EXPECT_EQ(SetFocus(child), top);
    EXPECT_TRUE(rec.matches({{WM_ACTIVATEAPP, Sent | WParam | Optional, TRUE},
                             {WM_NCACTIVATE, Sent | WParam, TRUE},
                             {WM_ACTIVATE, Sent | WParam | LParam, WA_ACTIVE, 0},
                             {WM_SETFOCUS, Sent | DefWinProc | WParam, 0},
                             {WM_KILLFOCUS, Sent | WParam, w(child)},
                             {WM_SETFOCUS, Sent | WParam, w(top)}},
                            "SetFocus(child)"));
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), child);
}

TEST_F(FocusTest, FocusIsRefusedInsideDisabledWindows) {
    HWND top = create(WS_POPUP | WS_VISIBLE);
    HWND enabled = create(WS_CHILD | WS_VISIBLE, top, 1);
    HWND disabled = create(WS_CHILD | WS_VISIBLE | WS_DISABLED, top, 2);
    HWND box = create(WS_CHILD | WS_VISIBLE | WS_DISABLED, top, 3);
    HWND inner = create(WS_CHILD | WS_VISIBLE, box, 4);
    HWND hidden = create(WS_CHILD, top, 5);
    SetFocus(enabled);
    struct Case {
        const char* name;
        HWND target;
        bool accepted;
    };
    const Case cases[] = {
        {"disabled window", disabled, false},
        {"child of a disabled window", inner, false},
        {"hidden window", hidden, true},
    };
    for (const auto& c : cases) {
        SetFocus(enabled);
        rec.clear();
        HWND result = SetFocus(c.target);
        EXPECT_EQ(result, c.accepted ? enabled : nullptr) << c.name;
        EXPECT_EQ(GetFocus(), c.accepted ? c.target : enabled) << c.name;
        EXPECT_EQ(rec.log().empty(), !c.accepted) << c.name;
    }
}

TEST_F(FocusTest, EnableWindowSequencesAndResults) {
    HWND hwnd = create(WS_POPUP);
    struct Step {
        BOOL enable;
        BOOL result;  // TRUE when the window was disabled before
        std::vector<kvtest::ExpectedMsg> expected;
    };
    const Step steps[] = {
        {TRUE, FALSE, {}},
        {FALSE, FALSE, {{WM_CANCELMODE, Sent}, {WM_ENABLE, Sent | WParam, FALSE}}},
        {FALSE, TRUE, {{WM_CANCELMODE, Sent}}},
        {TRUE, TRUE, {{WM_ENABLE, Sent | WParam, TRUE}}},
    };
    int i = 0;
    for (const auto& s : steps) {
        rec.clear();
        EXPECT_EQ(EnableWindow(hwnd, s.enable), s.result) << "step " << i;
        EXPECT_TRUE(rec.matches(s.expected, "step " + std::to_string(i)));
        EXPECT_EQ(IsWindowEnabled(hwnd), s.enable) << "step " << i;
        ++i;
    }
}

TEST_F(FocusTest, DisablingTheFocusWindowTakesTheFocus) {
    HWND top = create(WS_POPUP | WS_VISIBLE);
    HWND box = create(WS_CHILD | WS_VISIBLE, top, 1);
    HWND field = create(WS_CHILD | WS_VISIBLE, box, 2);
    SetFocus(field);
    // A disabled parent leaves the focused child as it is.
    EnableWindow(box, FALSE);
    EXPECT_EQ(GetFocus(), field);
    EnableWindow(box, TRUE);
    rec.clear();
    EnableWindow(field, FALSE);
    EXPECT_TRUE(rec.matches({{WM_CANCELMODE, Sent},
                             {WM_KILLFOCUS, Sent | WParam, 0},
                             {WM_ENABLE, Sent | WParam, FALSE}},
                            "disable focus"));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(FocusTest, DestroyingTheFocusWindow) {
    HWND top = create(WS_POPUP | WS_VISIBLE);
    HWND visible = create(WS_CHILD | WS_VISIBLE, top, 1);
    HWND hidden = create(WS_CHILD, top, 2);
    // A visible focused child is hidden first, which hands the focus to its parent.
    SetFocus(visible);
    rec.clear();
    DestroyWindow(visible);
    EXPECT_EQ(GetFocus(), top);
    EXPECT_TRUE(rec.matchesFor(
        top, {{WM_PARENTNOTIFY, Sent, 0, 0}, {WM_SETFOCUS, Sent | WParam, w(visible)}},
        "parent of destroyed child"));
    // A hidden one just takes the focus with it.
    SetFocus(hidden);
    rec.clear();
    DestroyWindow(hidden);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(rec.matchesFor(top, {{WM_PARENTNOTIFY, Sent}}, "parent of hidden child"));
}

TEST_F(FocusTest, ActivationSequence) {
    HWND first = create(WS_POPUP | WS_VISIBLE);
    HWND second = create(WS_POPUP);
    ASSERT_EQ(GetActiveWindow(), first);
    rec.clear();
    EXPECT_EQ(SetActiveWindow(second), first);
    EXPECT_TRUE(rec.matches({{WM_NCACTIVATE, Sent | WParam | LParam, FALSE, l(second)},
                             {WM_ACTIVATE, Sent | WParam | LParam, WA_INACTIVE, l(second)},
                             {WM_NCACTIVATE, Sent | WParam | LParam, TRUE, l(first)},
                             {WM_ACTIVATE, Sent | WParam | LParam, WA_ACTIVE, l(first)},
                             {WM_KILLFOCUS, Sent | DefWinProc | WParam, w(second)},
                             {WM_SETFOCUS, Sent | DefWinProc | WParam, w(first)}},
                            "SetActiveWindow"));
    EXPECT_EQ(GetFocus(), second);
    // Child windows are never active.
    HWND child = create(WS_CHILD, second, 1);
    EXPECT_EQ(SetActiveWindow(child), second);
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(FocusTest, HidingOrDestroyingTheActiveWindowActivatesAnother) {
    HWND owner = create(WS_POPUP | WS_VISIBLE);
    HWND other = create(WS_POPUP | WS_VISIBLE);
    HWND popup = create(WS_POPUP | WS_VISIBLE, owner);
    ASSERT_EQ(GetActiveWindow(), popup);
    // A popup hands the activation to its owner, not to the window below it.
    ShowWindow(popup, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    // Otherwise the next window below takes it.
    SetActiveWindow(other);
    DestroyWindow(other);
    EXPECT_EQ(GetActiveWindow(), owner);
    // With nothing left, nobody is active.
    DestroyWindow(owner);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(FocusTest, Capture) {
    HWND a = create(WS_POPUP);
    HWND b = create(WS_POPUP);
    EXPECT_EQ(SetCapture(a), nullptr);
    rec.clear();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(rec.matchesFor(a, {{WM_CAPTURECHANGED, Sent | LParam, 0, l(b)}}, "lost capture"));
    EXPECT_EQ(GetCapture(), b);
    // WM_CANCELMODE passed to DefWindowProc releases the capture.
    SendMessageA(b, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    SetCapture(a);
    DestroyWindow(a);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
