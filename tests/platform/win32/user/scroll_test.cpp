// The standard scroll bars: the values SetScrollInfo keeps, when a bar shows, hides or is
// disabled and what the window hears then, the default state, the hit test, what a press on
// each part of a bar sends, and the thumb and greyed arrows as painted.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/render.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"

namespace {

using kvtest::RecordedMsg;

SCROLLINFO infoOf(UINT mask, int min = 0, int max = 0, UINT page = 0, int pos = 0) {
    return SCROLLINFO{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
}

std::optional<SCROLLINFO> readBar(HWND hwnd, int bar) {
    SCROLLINFO si = infoOf(SIF_ALL);
    if (!GetScrollInfo(hwnd, bar, &si)) {
        return std::nullopt;
    }
    return si;
}

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

int clientWidth(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r.right;
}

class ScrollTest : public kvtest::WindowFixture {
  protected:
    // A top-level window 200 x 150 with the scroll bar styles given.
    HWND makeWindow(DWORD bars) {
        return create(WS_POPUP | WS_VISIBLE | bars, nullptr, 0, 0, 0, 200, 150);
    }

    // The WM_VSCROLL / WM_HSCROLL a window received, as (code, position) pairs.
    std::vector<std::pair<int, int>> scrollsTo(HWND hwnd) const {
        std::vector<std::pair<int, int>> out;
        for (const RecordedMsg& m : rec.log()) {
            if (m.hwnd == hwnd && (m.message == WM_VSCROLL || m.message == WM_HSCROLL)) {
                out.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
            }
        }
        return out;
    }

    bool received(HWND hwnd, UINT message) const {
        for (const RecordedMsg& m : rec.log()) {
            if (m.hwnd == hwnd && m.message == message) {
                return true;
            }
        }
        return false;
    }
};

// Range, page and position as SetScrollInfo keeps them: a backwards range ends where it
// starts, the page is at most the range's size, the position stays in
// [min, max - max(page - 1, 0)], and the answer is the position kept.
TEST_F(ScrollTest, SetScrollInfoKeepsRangePageAndPositionConsistent) {
    struct Case {
        int min, max;
        UINT page;
        int pos;
        int wantMin, wantMax;
        UINT wantPage;
        int wantPos;
    };
    constexpr int kLow = static_cast<int>(0x80000000u);
    constexpr int kHigh = 0x7fffffff;
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 1, 1, 0, 0, 1, 0},
        {5, 10, 0, 0, 5, 10, 0, 5},
        {5, 10, 5, 0, 5, 10, 5, 5},
        {5, 10, 6, 0, 5, 10, 6, 5},
        {5, 10, 7, 0, 5, 10, 6, 5},
        {5, 10, 0xffffffffu, 0, 5, 10, 6, 5},
        {5, 10, 0, 4, 5, 10, 0, 5},
        {5, 10, 0, 10, 5, 10, 0, 10},
        {5, 10, 0, 11, 5, 10, 0, 10},
        {5, 10, 0, kLow, 5, 10, 0, 5},
        {5, 10, 0, kHigh, 5, 10, 0, 10},
        {5, 10, 1, 11, 5, 10, 1, 10},
        {5, 10, 2, 10, 5, 10, 2, 9},
        {5, 10, 3, 9, 5, 10, 3, 8},
        {6, 5, 0, 0, 6, 6, 0, 6},
        {-2, -1, 0, 0, -2, -1, 0, -1},
        {1, -1, 0, 0, 1, 1, 0, 1},
        {kLow, kHigh, 0, 0, kLow, kHigh, 0, 0},
        {kHigh, kLow, 0, 0, kHigh, kHigh, 0, kHigh},
        {kLow, kHigh, 2, 5, kLow, kHigh, 2, 5},
        {0, kHigh, 0x7fffffffu, 5, 0, kHigh, 0x7fffffffu, 1},
        {0, kHigh, 0x80000001u, 5, 0, kHigh, 0x80000000u, 0},
        {-1, kHigh, 0x80000001u, 5, -1, kHigh, 0x80000001u, -1},
    };
    HWND w = makeWindow(WS_VSCROLL);
    for (const Case& c : cases) {
        const SCROLLINFO in = infoOf(SIF_RANGE | SIF_PAGE | SIF_POS, c.min, c.max, c.page, c.pos);
        EXPECT_EQ(SetScrollInfo(w, SB_VERT, &in, FALSE), c.wantPos) << c.min << ".." << c.max;
        const auto out = readBar(w, SB_VERT);
        ASSERT_TRUE(out.has_value());
        EXPECT_EQ(out->nMin, c.wantMin) << c.min << ".." << c.max << " page " << c.page;
        EXPECT_EQ(out->nMax, c.wantMax) << c.min << ".." << c.max << " page " << c.page;
        EXPECT_EQ(out->nPage, c.wantPage) << c.min << ".." << c.max << " page " << c.page;
        EXPECT_EQ(out->nPos, c.wantPos) << c.min << ".." << c.max << " page " << c.page;
    }
}

// A window made with a scroll bar style has both bars at 0..100; one made without has none
// (GetScrollInfo fails, GetScrollRange answers 0..0), and a style added later makes none.
// Setting either bar of such a window makes both, the other at 0..100.
TEST_F(ScrollTest, BarsExistFromCreationWithAStyleOrFromTheFirstSetting) {
    for (const DWORD style :
         {DWORD{0}, DWORD{WS_HSCROLL}, DWORD{WS_VSCROLL}, DWORD{WS_HSCROLL | WS_VSCROLL}}) {
        HWND w = makeWindow(style);
        const int expectedMax = style ? 100 : 0;
        for (const int bar : {SB_HORZ, SB_VERT}) {
            int min = -1;
            int max = -1;
            EXPECT_TRUE(GetScrollRange(w, bar, &min, &max)) << style;
            EXPECT_EQ(min, 0) << style;
            EXPECT_EQ(max, expectedMax) << style;
            EXPECT_EQ(readBar(w, bar).has_value(), style != 0) << style;
            EXPECT_EQ(GetScrollPos(w, bar), 0) << style;
        }
        DestroyWindow(w);
    }
    HWND later = makeWindow(0);
    SetWindowLongA(later, GWL_STYLE, static_cast<LONG>(styleOf(later) | WS_VSCROLL | WS_HSCROLL));
    EXPECT_FALSE(readBar(later, SB_VERT).has_value()) << "a style added later makes no bar";
    EXPECT_TRUE(SetScrollRange(later, SB_HORZ, 11, 22, FALSE));
    ASSERT_TRUE(readBar(later, SB_VERT).has_value());
    EXPECT_EQ(readBar(later, SB_VERT)->nMax, 100);
    EXPECT_EQ(readBar(later, SB_HORZ)->nMin, 11);
    EXPECT_FALSE(readBar(reinterpret_cast<HWND>(0x4321), SB_VERT).has_value());
    EXPECT_FALSE(readBar(later, SB_CTL).has_value()) << "no window here is a scroll bar control";
}

// Whether a range needs its bar: a range with more than a page shows it, an empty one or one
// no larger than a page hides it and takes the style off, or with SIF_DISABLENOSCROLL keeps
// it shown and disabled. A new page alone never shows a hidden bar.
TEST_F(ScrollTest, TheRangeDecidesWhetherTheBarShows) {
    struct Case {
        const char* name;
        DWORD style;  // the bars the window starts with
        UINT mask;
        int min, max;
        UINT page;
        bool shown;
        bool disabled;
    };
    const Case cases[] = {
        {"more than a page", WS_VSCROLL, SIF_RANGE | SIF_PAGE, 0, 9, 9, true, false},
        {"exactly a page", WS_VSCROLL, SIF_RANGE | SIF_PAGE, 0, 9, 10, false, false},
        {"page larger", WS_VSCROLL, SIF_RANGE | SIF_PAGE, 0, 9, 20, false, false},
        {"empty range", WS_VSCROLL, SIF_RANGE, 5, 5, 0, false, false},
        {"backwards range", WS_VSCROLL, SIF_RANGE, 7, 3, 0, false, false},
        {"no page, some range", WS_VSCROLL, SIF_RANGE, 0, 1, 0, true, false},
        {"disabled instead of hidden", WS_VSCROLL, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9,
         10, true, true},
        {"disable-no-scroll with a range to scroll", WS_VSCROLL,
         SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 20, 10, true, false},
        {"a range brings a hidden bar back", 0, SIF_RANGE | SIF_PAGE, 0, 20, 10, true, false},
        {"a page alone does not", 0, SIF_PAGE, 0, 0, 10, false, false},
    };
    for (const Case& c : cases) {
        HWND w = makeWindow(c.style);
        const SCROLLINFO in = infoOf(c.mask, c.min, c.max, c.page, 0);
        SetScrollInfo(w, SB_VERT, &in, TRUE);
        EXPECT_EQ((styleOf(w) & WS_VSCROLL) != 0, c.shown) << c.name;
        EXPECT_EQ(clientWidth(w), 200 - (c.shown ? GetSystemMetrics(SM_CXVSCROLL) : 0)) << c.name;
        // Disabling a disabled bar changes nothing, so EnableScrollBar answers FALSE.
        EXPECT_EQ(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH) == FALSE, c.disabled) << c.name;
        DestroyWindow(w);
    }
}

// Hiding or showing a bar recomputes the frame: the window hears WM_NCCALCSIZE and a WM_SIZE
// with the new client width; a change that leaves the bar as it was sends neither.
TEST_F(ScrollTest, ShowingOrHidingTheBarResizesTheClientArea) {
    HWND w = makeWindow(WS_VSCROLL | WS_HSCROLL);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_EQ(clientWidth(w), 200 - bar);
    rec.clear();
    SCROLLINFO fits = infoOf(SIF_RANGE | SIF_PAGE, 0, 4, 5);
    SetScrollInfo(w, SB_VERT, &fits, TRUE);
    EXPECT_EQ(styleOf(w) & (WS_VSCROLL | WS_HSCROLL), static_cast<DWORD>(WS_HSCROLL));
    EXPECT_TRUE(received(w, WM_NCCALCSIZE));
    bool sized = false;
    for (const RecordedMsg& m : rec.log()) {
        sized = sized || (m.hwnd == w && m.message == WM_SIZE && LOWORD(m.lParam) == 200);
    }
    EXPECT_TRUE(sized) << "WM_SIZE with the width the bar gave back";
    rec.clear();
    SetScrollInfo(w, SB_VERT, &fits, TRUE);
    EXPECT_FALSE(received(w, WM_NCCALCSIZE)) << "nothing changed";
    SCROLLINFO overflows = infoOf(SIF_RANGE | SIF_PAGE, 0, 40, 5);
    SetScrollInfo(w, SB_VERT, &overflows, TRUE);
    EXPECT_NE(styleOf(w) & WS_VSCROLL, 0u);
    EXPECT_TRUE(received(w, WM_NCCALCSIZE));
    EXPECT_EQ(clientWidth(w), 200 - bar);
}

// The older functions: SetScrollPos answers the previous position, SetScrollInfo the new one;
// ShowScrollBar sets and clears the style bits (SB_BOTH both); EnableScrollBar answers whether
// anything changed; a range wider than a LONG is refused.
TEST_F(ScrollTest, PositionRangeShowAndEnableFunctions) {
    HWND w = makeWindow(WS_VSCROLL);
    ASSERT_TRUE(SetScrollRange(w, SB_VERT, 0, 50, FALSE));
    EXPECT_EQ(SetScrollPos(w, SB_VERT, 30, TRUE), 0);
    EXPECT_EQ(SetScrollPos(w, SB_VERT, 80, TRUE), 30);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 50) << "kept within the range";
    SCROLLINFO pos = infoOf(SIF_POS, 0, 0, 0, 3);
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &pos, FALSE), 3);
    // The structure may leave out its last member; any other size is refused.
    pos.cbSize = sizeof(SCROLLINFO) - sizeof(int);
    pos.nPos = 4;
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &pos, FALSE), 4);
    pos.cbSize = 0;
    pos.nPos = 9;
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &pos, FALSE), 0);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 4);
    int min = 0;
    int max = 0;
    ASSERT_TRUE(GetScrollRange(w, SB_VERT, &min, &max));
    EXPECT_EQ(max, 50);
    SetLastError(0);
    EXPECT_FALSE(SetScrollRange(w, SB_VERT, -10, 0x7fffffff, FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SCROLLBAR_RANGE));

    EXPECT_TRUE(ShowScrollBar(w, SB_BOTH, TRUE));
    EXPECT_EQ(styleOf(w) & (WS_VSCROLL | WS_HSCROLL), static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL));
    EXPECT_TRUE(ShowScrollBar(w, SB_VERT, FALSE));
    EXPECT_EQ(styleOf(w) & (WS_VSCROLL | WS_HSCROLL), static_cast<DWORD>(WS_HSCROLL));
    EXPECT_EQ(clientWidth(w), 200);
    EXPECT_FALSE(ShowScrollBar(nullptr, SB_VERT, TRUE));

    EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH)) << "already enabled";
    EXPECT_TRUE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_UP));
    EXPECT_TRUE(EnableScrollBar(w, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(w, SB_CTL, ESB_ENABLE_BOTH));
    // A range that needs the bar enables it again.
    SCROLLINFO range = infoOf(SIF_RANGE, 0, 60);
    SetScrollInfo(w, SB_VERT, &range, TRUE);
    EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH));
}

TEST_F(ScrollTest, HitTestFindsTheBars) {
    HWND w = makeWindow(WS_VSCROLL | WS_HSCROLL);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        POINT at;
        LRESULT hit;
    };
    const Case cases[] = {
        {{200 - bar / 2, 40}, HTVSCROLL},
        {{50, 150 - bar / 2}, HTHSCROLL},
        {{50, 40}, HTCLIENT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(c.at.x, c.at.y)), c.hit)
            << c.at.x << "," << c.at.y;
    }
    ShowScrollBar(w, SB_VERT, FALSE);
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(200 - bar / 2, 40)), HTCLIENT);
}

// A press on each part of a vertical bar 150 high (range 0..99, page 10, at 45): the arrows
// scroll a line, the track above and below the thumb a page, each press ends with
// SB_ENDSCROLL once the button is up; the thumb sends SB_THUMBTRACK for each place it is
// dragged to and SB_THUMBPOSITION where it is let go.
TEST_F(ScrollTest, PressesOnTheBarSendTheScrollCodes) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int x = 200 - bar / 2;
    // The thumb: the track between the arrows is 150 - 2 * bar; a tenth of it, placed 45/90
    // of the way along the rest.
    const int track = 150 - 2 * bar;
    const int thumb = (track * 10 + 50) / 100;
    const int thumbTop = bar + ((track - thumb) * 45 + 45) / 90;
    struct Case {
        const char* name;
        int y;
        std::vector<std::pair<int, int>> sent;
    };
    const Case cases[] = {
        {"up arrow", 3, {{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}},
        {"down arrow", 147, {{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}},
        {"track above", bar + 2, {{SB_PAGEUP, 0}, {SB_ENDSCROLL, 0}}},
        {"track below", 150 - bar - 2, {{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}},
        {"thumb", thumbTop + thumb / 2, {{SB_THUMBPOSITION, 45}, {SB_ENDSCROLL, 0}}},
    };
    for (const Case& c : cases) {
        HWND w = makeWindow(WS_VSCROLL);
        SCROLLINFO si = infoOf(SIF_ALL, 0, 99, 10, 45);
        SetScrollInfo(w, SB_VERT, &si, TRUE);
        rec.clear();
        PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, c.y));
        SendMessageA(w, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, c.y));
        EXPECT_EQ(scrollsTo(w), c.sent) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        DestroyWindow(w);
    }
    // Dragging the thumb down by a quarter of its travel and letting go there.
    HWND w = makeWindow(WS_VSCROLL);
    SCROLLINFO si = infoOf(SIF_ALL, 0, 99, 10, 45);
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    rec.clear();
    const int grab = thumbTop + thumb / 2;
    const int moved = grab + (track - thumb) / 4;
    // The thumb's new start along the track, as a share of the track left beside the thumb.
    const int travel = track - thumb;
    const int expected = ((thumbTop - bar + moved - grab) * 90 + travel / 2) / travel;
    // The window sits at the screen's origin, so its client coordinates are screen ones.
    PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, moved));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, moved));
    SendMessageA(w, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, grab));
    const std::vector<std::pair<int, int>> dragged{
        {SB_THUMBTRACK, expected}, {SB_THUMBPOSITION, expected}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(scrollsTo(w), dragged);
    SCROLLINFO trackInfo = infoOf(SIF_POS | SIF_TRACKPOS);
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &trackInfo));
    EXPECT_EQ(trackInfo.nPos, 45) << "the window moves the position itself";
    // A disabled bar or one with nothing to scroll takes no press.
    EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH);
    rec.clear();
    SendMessageA(w, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, 3));
    EXPECT_TRUE(scrollsTo(w).empty());
}

// The pixels of a vertical bar: the thumb's bottom edge (the dark shadow line) where page and
// position put it, none on a disabled bar, and arrows greyed (no black glyph) when disabled.
TEST_F(ScrollTest, TheThumbAndDisabledArrowsArePainted) {
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int track = 150 - 2 * bar;
    const std::uint32_t dark = [] {
        const COLORREF c = GetSysColor(COLOR_3DDKSHADOW);
        return static_cast<std::uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    }();
    // Rows of the track where the bar's middle column is the dark shadow: the thumb's bottom.
    auto thumbBottoms = [&](HWND w) {
        const kvwin32::PixelImage image = kvwin32::renderWindow(w);
        std::vector<int> rows;
        for (int y = bar; y < 150 - bar; ++y) {
            if (image.at(200 - bar / 2, y) == dark) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    auto glyphPixels = [&](HWND w) {
        const kvwin32::PixelImage image = kvwin32::renderWindow(w);
        int n = 0;
        for (int y = 3; y < bar - 3; ++y) {
            for (int x = 200 - bar + 3; x < 200 - 3; ++x) {
                n += image.at(x, y) == 0 ? 1 : 0;
            }
        }
        return n;
    };
    struct Case {
        UINT page;
        int pos;
        int size;  // expected thumb length
    };
    const Case cases[] = {{10, 0, (track * 10 + 50) / 100},
                          {50, 25, (track * 50 + 50) / 100},
                          {1, 98, 8},
                          {0, 50, bar}};
    for (const Case& c : cases) {
        HWND w = makeWindow(WS_VSCROLL);
        SCROLLINFO si = infoOf(SIF_ALL, 0, 99, c.page, c.pos);
        SetScrollInfo(w, SB_VERT, &si, TRUE);
        const int maxPos = 99 - static_cast<int>(c.page > 0 ? c.page - 1 : 0);
        const int top = bar + ((track - c.size) * c.pos + maxPos / 2) / maxPos;
        EXPECT_EQ(thumbBottoms(w), std::vector<int>{top + c.size - 1}) << "page " << c.page;
        EXPECT_GT(glyphPixels(w), 0) << "an enabled arrow is black";
        EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH);
        EXPECT_TRUE(thumbBottoms(w).empty()) << "a disabled bar has no thumb";
        EXPECT_EQ(glyphPixels(w), 0) << "its arrows are greyed";
        DestroyWindow(w);
    }
    HWND idle = makeWindow(WS_VSCROLL);
    SCROLLINFO fits = infoOf(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10);
    SetScrollInfo(idle, SB_VERT, &fits, TRUE);
    EXPECT_TRUE(thumbBottoms(idle).empty());
    EXPECT_EQ(glyphPixels(idle), 0);
    // A bar shown on purpose with nothing to scroll is enabled: its thumb fills the track.
    HWND forced = makeWindow(WS_VSCROLL);
    fits.fMask = SIF_RANGE | SIF_PAGE;
    SetScrollInfo(forced, SB_VERT, &fits, TRUE);
    ASSERT_EQ(GetWindowLongA(forced, GWL_STYLE) & WS_VSCROLL, 0);
    ShowScrollBar(forced, SB_VERT, TRUE);
    EXPECT_EQ(thumbBottoms(forced), std::vector<int>{150 - bar - 1});
    EXPECT_GT(glyphPixels(forced), 0);
}

}  // namespace
