// Positions, frames and visibility: SetWindowPos and ShowWindow sequences, client areas from
// the frame styles, coordinate mapping, hit-testing by point, metrics and rectangles.
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

class WinPosTest : public kvtest::WindowFixture {};

TEST(WinPos, AdjustWindowRectExInsets) {
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        BOOL menu;
        RECT insets;  // left, top, right, bottom grown around the client rectangle
    };
    const Case cases[] = {
        {"popup", WS_POPUP, 0, FALSE, {0, 0, 0, 0}},
        {"border", WS_POPUP | WS_BORDER, 0, FALSE, {1, 1, 1, 1}},
        {"dialog frame", WS_POPUP | WS_DLGFRAME, 0, FALSE, {3, 3, 3, 3}},
        {"caption", WS_POPUP | WS_CAPTION, 0, FALSE, {3, 22, 3, 3}},
        {"overlapped window", WS_OVERLAPPEDWINDOW, 0, FALSE, {4, 23, 4, 4}},
        {"sizing frame alone", WS_POPUP | WS_THICKFRAME, 0, FALSE, {3, 3, 3, 3}},
        {"client edge", WS_CHILD, WS_EX_CLIENTEDGE, FALSE, {2, 2, 2, 2}},
        {"static edge", WS_CHILD, WS_EX_STATICEDGE, FALSE, {1, 1, 1, 1}},
        {"modal frame", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, FALSE, {3, 22, 3, 3}},
        {"tool window", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, FALSE, {3, 19, 3, 3}},
        {"menu", WS_POPUP | WS_CAPTION, 0, TRUE, {3, 41, 3, 3}},
        {"scroll bars do not count", WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, FALSE, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        RECT r{100, 100, 200, 200};
        ASSERT_TRUE(AdjustWindowRectEx(&r, c.style, c.menu, c.exStyle)) << c.name;
        EXPECT_EQ(100 - r.left, c.insets.left) << c.name;
        EXPECT_EQ(100 - r.top, c.insets.top) << c.name;
        EXPECT_EQ(r.right - 200, c.insets.right) << c.name;
        EXPECT_EQ(r.bottom - 200, c.insets.bottom) << c.name;
    }
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_POPUP, FALSE, 0));
}

TEST_F(WinPosTest, ClientAreaFollowsTheFrame) {
    HWND parent = create(WS_POPUP, nullptr, 0, 0, 0, 400, 400);
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        LONG width;
        LONG height;
    };
    const Case cases[] = {
        {"plain", WS_CHILD, 0, 100, 50},
        {"border", WS_CHILD | WS_BORDER, 0, 98, 48},
        {"client edge", WS_CHILD, WS_EX_CLIENTEDGE, 96, 46},
        // Scroll bars come out of the client area, unlike in AdjustWindowRectEx.
        {"vertical scroll bar", WS_CHILD | WS_VSCROLL, 0, 84, 50},
        {"both scroll bars", WS_CHILD | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, 80, 30},
        {"caption", WS_CHILD | WS_CAPTION, 0, 94, 25},
    };
    for (const auto& c : cases) {
        HWND hwnd = create(c.style, parent, 1, 0, 0, 100, 50, kvtest::kRecorderClass, c.exStyle);
        RECT client;
        ASSERT_TRUE(GetClientRect(hwnd, &client)) << c.name;
        EXPECT_EQ(client.left, 0) << c.name;
        EXPECT_EQ(client.right, c.width) << c.name;
        EXPECT_EQ(client.bottom, c.height) << c.name;
        DestroyWindow(hwnd);
    }
}

TEST_F(WinPosTest, OverlappedWindowGetsSizeAndMoveWhenFirstShown) {
    HWND hwnd = create(WS_OVERLAPPEDWINDOW, nullptr, 0, 10, 20, 300, 200);
    rec.clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(rec.matches({{WM_SHOWWINDOW, Sent | WParam, TRUE},
                             {WM_WINDOWPOSCHANGING, Sent},
                             {WM_ACTIVATEAPP, Sent | Optional},
                             {WM_NCACTIVATE, Sent | WParam, TRUE},
                             {WM_ACTIVATE, Sent | WParam, WA_ACTIVE},
                             {WM_SETFOCUS, Sent | DefWinProc},
                             {WM_WINDOWPOSCHANGED, Sent},
                             {WM_SIZE, Sent | WParam | LParam, SIZE_RESTORED, MAKELPARAM(292, 173)},
                             {WM_MOVE, Sent | LParam, 0, MAKELPARAM(14, 43)}},
                            "first show"));
    ShowWindow(hwnd, SW_HIDE);
    rec.clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNA));
    for (const auto& r : rec.log()) {
        EXPECT_NE(r.message, static_cast<UINT>(WM_SIZE)) << "only the first show sizes";
    }
}

TEST_F(WinPosTest, ShowWindowSteps) {
    HWND parent = create(WS_POPUP | WS_VISIBLE);
    HWND child = create(WS_CHILD, parent, 1);
    struct Step {
        int cmd;
        BOOL result;  // was visible before
        std::vector<kvtest::ExpectedMsg> expected;
    };
    const Step steps[] = {
        {SW_SHOW,
         FALSE,
         {{WM_SHOWWINDOW, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGING, Sent},
          {WM_WINDOWPOSCHANGED, Sent}}},
        {SW_SHOW, TRUE, {}},
        {SW_HIDE,
         TRUE,
         {{WM_SHOWWINDOW, Sent | WParam, FALSE},
          {WM_WINDOWPOSCHANGING, Sent},
          {WM_WINDOWPOSCHANGED, Sent}}},
        {SW_HIDE, FALSE, {}},
        {SW_SHOWNORMAL,
         FALSE,
         {{WM_SHOWWINDOW, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGING, Sent},
          {WM_NCCALCSIZE, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGED, Sent}}},
    };
    int i = 0;
    for (const auto& s : steps) {
        rec.clear();
        EXPECT_EQ(ShowWindow(child, s.cmd), s.result) << "step " << i;
        EXPECT_TRUE(rec.matches(s.expected, "step " + std::to_string(i)));
        EXPECT_EQ(IsWindowVisible(child), s.cmd != SW_HIDE) << "step " << i;
        ++i;
    }
    SetLastError(0);
    EXPECT_FALSE(ShowWindow(child, 99));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WinPosTest, VisibilityNeedsEveryAncestor) {
    HWND top = create(WS_POPUP);
    HWND box = create(WS_CHILD | WS_VISIBLE, top, 1);
    HWND field = create(WS_CHILD | WS_VISIBLE, box, 2);
    EXPECT_FALSE(IsWindowVisible(field));
    ShowWindow(top, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(field));
    ShowWindow(box, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(field));
    EXPECT_TRUE(GetWindowLongA(field, GWL_STYLE) & WS_VISIBLE);
    // Message-only windows are never visible.
    HWND message = CreateWindowExA(0, kvtest::kRecorderClass, "", WS_VISIBLE, 0, 0, 10, 10,
                                   HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(message, nullptr);
    EXPECT_FALSE(IsWindowVisible(message));
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, kvtest::kRecorderClass, nullptr), message);
    DestroyWindow(message);
}

TEST_F(WinPosTest, SetWindowPosSequences) {
    HWND parent = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 400, 400);
    HWND child = create(WS_CHILD | WS_VISIBLE, parent, 1, 10, 10, 100, 50);
    constexpr UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;
    struct Case {
        const char* name;
        int x, y, cx, cy;
        UINT flags;
        std::vector<kvtest::ExpectedMsg> expected;
        RECT result;  // window rectangle afterwards, in parent client coordinates
    };
    const Case cases[] = {
        {"move",
         20,
         30,
         100,
         50,
         kQuiet,
         {{WM_WINDOWPOSCHANGING, Sent},
          {WM_WINDOWPOSCHANGED, Sent},
          {WM_MOVE, Sent | DefWinProc | LParam, 0, MAKELPARAM(20, 30)}},
         {20, 30, 120, 80}},
        {"resize",
         20,
         30,
         60,
         40,
         kQuiet,
         {{WM_WINDOWPOSCHANGING, Sent},
          {WM_NCCALCSIZE, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGED, Sent},
          {WM_SIZE, Sent | DefWinProc | LParam, SIZE_RESTORED, MAKELPARAM(60, 40)}},
         {20, 30, 80, 70}},
        {"nothing changes",
         20,
         30,
         60,
         40,
         kQuiet,
         {{WM_WINDOWPOSCHANGING, Sent}},
         {20, 30, 80, 70}},
        {"without WM_WINDOWPOSCHANGING",
         0,
         0,
         0,
         0,
         kQuiet | SWP_NOSIZE | SWP_NOSENDCHANGING,
         {{WM_WINDOWPOSCHANGED, Sent}, {WM_MOVE, Sent | DefWinProc}},
         {0, 0, 60, 40}},
        {"frame changed",
         0,
         0,
         0,
         0,
         kQuiet | SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED,
         {{WM_WINDOWPOSCHANGING, Sent},
          {WM_NCCALCSIZE, Sent | WParam, TRUE},
          {WM_WINDOWPOSCHANGED, Sent}},
         {0, 0, 60, 40}},
        {"child activation",
         5,
         5,
         0,
         0,
         SWP_NOZORDER | SWP_NOSIZE,
         {{WM_WINDOWPOSCHANGING, Sent},
          {WM_CHILDACTIVATE, Sent},
          {WM_WINDOWPOSCHANGED, Sent},
          {WM_MOVE, Sent | DefWinProc}},
         {5, 5, 65, 45}},
        {"negative size is none",
         5,
         5,
         -10,
         -10,
         kQuiet,
         {{WM_WINDOWPOSCHANGING, Sent},
          {WM_NCCALCSIZE, Sent},
          {WM_WINDOWPOSCHANGED, Sent},
          {WM_SIZE, Sent | DefWinProc | LParam, SIZE_RESTORED, 0}},
         {5, 5, 5, 5}},
    };
    for (const auto& c : cases) {
        rec.clear();
        ASSERT_TRUE(SetWindowPos(child, nullptr, c.x, c.y, c.cx, c.cy, c.flags)) << c.name;
        EXPECT_TRUE(rec.matches(c.expected, c.name));
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &c.result))
            << c.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(WinPosTest, ZOrder) {
    HWND parent = create(WS_POPUP);
    HWND a = create(WS_CHILD, parent, 1);
    HWND b = create(WS_CHILD, parent, 2);
    HWND c = create(WS_CHILD, parent, 3);
    auto order = [&] {
        std::vector<HWND> list;
        for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            list.push_back(h);
        }
        return list;
    };
    constexpr UINT kOnlyZ = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    rec.clear();
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, kOnlyZ);
    EXPECT_EQ(order(), (std::vector<HWND>{b, c, a}));
    EXPECT_TRUE(rec.matches({{WM_WINDOWPOSCHANGING, Sent}, {WM_WINDOWPOSCHANGED, Sent}}, "bottom"));
    SetWindowPos(c, a, 0, 0, 0, 0, kOnlyZ);
    EXPECT_EQ(order(), (std::vector<HWND>{b, a, c}));
    BringWindowToTop(c);
    EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
    // Already on top: nothing changed, so no WM_WINDOWPOSCHANGED.
    rec.clear();
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, kOnlyZ);
    EXPECT_TRUE(rec.matches({{WM_WINDOWPOSCHANGING, Sent}}, "already on top"));
    // Only siblings can be the window to go after.
    HWND stranger = create(WS_POPUP);
    EXPECT_FALSE(SetWindowPos(a, stranger, 0, 0, 0, 0, kOnlyZ));
}

TEST_F(WinPosTest, CoordinateMapping) {
    HWND top = create(WS_POPUP | WS_BORDER, nullptr, 0, 100, 50, 300, 200);
    HWND child = create(WS_CHILD, top, 1, 10, 20, 50, 40, kvtest::kRecorderClass, WS_EX_CLIENTEDGE);
    POINT p{0, 0};
    ASSERT_TRUE(ClientToScreen(child, &p));
    EXPECT_EQ(p.x, 113);
    EXPECT_EQ(p.y, 73);
    ASSERT_TRUE(ScreenToClient(top, &p));
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, 22);
    POINT q[2] = {{0, 0}, {5, 5}};
    EXPECT_EQ(MapWindowPoints(child, top, q, 2), MAKELONG(12, 22));
    EXPECT_EQ(q[1].x, 17);
    EXPECT_EQ(q[1].y, 27);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 111);
    EXPECT_EQ(r.top, 71);
    EXPECT_EQ(r.right, 161);
    EXPECT_EQ(r.bottom, 111);
}

TEST_F(WinPosTest, WindowsFromPoints) {
    HWND parent = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 600, 500, 200, 200);
    HWND a = create(WS_CHILD | WS_VISIBLE, parent, 1, 10, 10, 50, 50);
    HWND b = create(WS_CHILD, parent, 2, 100, 10, 50, 50);
    HWND c = create(WS_CHILD | WS_VISIBLE | WS_DISABLED, parent, 3, 10, 100, 50, 50);
    HWND d = create(WS_CHILD | WS_VISIBLE, parent, 4, 100, 100, 50, 50, kvtest::kRecorderClass,
                    WS_EX_TRANSPARENT);
    struct Case {
        POINT p;
        UINT flags;
        HWND child;   // ChildWindowFromPointEx
        HWND screen;  // WindowFromPoint of the same place
    };
    const Case cases[] = {
        {{20, 20}, CWP_ALL, a, a},
        {{110, 20}, CWP_ALL, b, parent},
        {{110, 20}, CWP_SKIPINVISIBLE, parent, parent},
        {{20, 110}, CWP_ALL, c, parent},
        {{20, 110}, CWP_SKIPDISABLED, parent, parent},
        {{110, 110}, CWP_ALL, d, d},
        {{110, 110}, CWP_SKIPTRANSPARENT, parent, d},
        {{190, 190}, CWP_ALL, parent, parent},
        {{300, 300}, CWP_ALL, nullptr, GetDesktopWindow()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChildWindowFromPointEx(parent, c.p, c.flags), c.child)
            << c.p.x << "," << c.p.y << " flags " << c.flags;
        POINT screen{c.p.x + 600, c.p.y + 500};
        EXPECT_EQ(WindowFromPoint(screen), c.screen) << c.p.x << "," << c.p.y;
    }
}

TEST_F(WinPosTest, DefaultAndLimitedSizes) {
    HWND overlapped = CreateWindowExA(0, kvtest::kRecorderClass, "", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(overlapped, &r);
    EXPECT_EQ(r.right - r.left, 768);
    EXPECT_EQ(r.bottom - r.top, 576);
    HWND popup = CreateWindowExA(0, kvtest::kRecorderClass, "", WS_POPUP, CW_USEDEFAULT, 0,
                                 CW_USEDEFAULT, 0, nullptr, nullptr, nullptr, nullptr);
    GetWindowRect(popup, &r);
    EXPECT_TRUE(IsRectEmpty(&r));
    // Overlapped windows are never smaller than the minimum tracking size.
    HWND tiny = create(WS_OVERLAPPEDWINDOW, nullptr, 0, 0, 0, 50, 10);
    GetWindowRect(tiny, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
}

TEST(WinPos, SystemMetrics) {
    struct Case {
        int index;
        int value;
    };
    const Case cases[] = {
        {SM_CXSCREEN, 1024},
        {SM_CYSCREEN, 768},
        {SM_CYCAPTION, 19},
        {SM_CXBORDER, 1},
        {SM_CXDLGFRAME, 3},
        {SM_CXFRAME, 4},
        {SM_CXEDGE, 2},
        {SM_CXVSCROLL, 16},
        {SM_CYMENU, 19},
        {SM_CMONITORS, 1},
        {-1, 0},
        {9999, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetSystemMetrics(c.index), c.value) << "index " << c.index;
    }
}

TEST(WinPos, RectangleHelpers) {
    struct Case {
        RECT a;
        RECT b;
        BOOL meets;
        RECT intersection;
        RECT unionRect;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}, {0, 0, 20, 20}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, {0, 0, 20, 10}},
        {{0, 0, 0, 0}, {5, 5, 20, 20}, FALSE, {0, 0, 0, 0}, {5, 5, 20, 20}},
        {{3, 3, 1, 1}, {0, 0, 2, 2}, FALSE, {0, 0, 0, 0}, {0, 0, 2, 2}},
    };
    int i = 0;
    for (const auto& c : cases) {
        RECT r;
        EXPECT_EQ(IntersectRect(&r, &c.a, &c.b), c.meets) << "row " << i;
        EXPECT_TRUE(EqualRect(&r, &c.intersection)) << "row " << i;
        UnionRect(&r, &c.a, &c.b);
        EXPECT_TRUE(EqualRect(&r, &c.unionRect)) << "row " << i;
        ++i;
    }
    RECT r{0, 0, 10, 10};
    EXPECT_TRUE(PtInRect(&r, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&r, POINT{10, 5}));
}

}  // namespace
