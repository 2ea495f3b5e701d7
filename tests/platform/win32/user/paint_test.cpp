// Window painting: BeginPaint/EndPaint with the erase and validation Windows does, window DCs
// and their clipping, the class-brush erase, the WM_CTLCOLOR* answers a parent can override,
// and renderWindow over a small window tree.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "Pixels.h"
#include "WindowFixture.h"
#include "kvwin32/pixels.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

using kvtest::RecordedMsg;

namespace {

using kvtest::countPixels;
using kvtest::pixelOf;

// A class whose windows are erased with a system colour brush; unregistered on teardown.
constexpr const char* kBrushClass = "KvPaintTestBrush";

class PaintTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = kBrushClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_HIGHLIGHT + 1));
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    void TearDown() override {
        kvtest::WindowFixture::TearDown();
        UnregisterClassA(kBrushClass, nullptr);
    }
    int erases(HWND hwnd) const {
        int n = 0;
        for (const RecordedMsg& m : rec.log()) {
            n += (m.hwnd == hwnd && m.message == WM_ERASEBKGND) ? 1 : 0;
        }
        return n;
    }
};

TEST_F(PaintTest, BeginPaintErasesAndValidates) {
    HWND w = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 100, 50);
    ValidateRect(w, nullptr);
    const RECT part{10, 5, 40, 20};
    InvalidateRect(w, &part, TRUE);
    rec.clear();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(w, &ps);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ps.hdc, dc);
    EXPECT_EQ(ps.rcPaint.left, 10);
    EXPECT_EQ(ps.rcPaint.bottom, 20);
    EXPECT_EQ(erases(w), 1);
    // The recorder's DefWindowProc has no class brush to erase with: the erase is still owed.
    EXPECT_TRUE(ps.fErase);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE)) << "validated";
    EXPECT_EQ(WindowFromDC(dc), w);
    // The DC paints only the update area.
    RECT clip{};
    EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip.left, 10);
    EXPECT_EQ(clip.right, 40);
    EXPECT_TRUE(EndPaint(w, &ps));
    EXPECT_EQ(WindowFromDC(dc), nullptr) << "released";
    // Outside WM_PAINT there is nothing to paint and nothing to erase.
    rec.clear();
    dc = BeginPaint(w, &ps);
    EXPECT_TRUE(IsRectEmpty(&ps.rcPaint));
    EXPECT_EQ(erases(w), 0);
    EndPaint(w, &ps);
    EXPECT_EQ(BeginPaint(w, nullptr), nullptr);
    EXPECT_EQ(BeginPaint(reinterpret_cast<HWND>(0x1234), &ps), nullptr);
}

TEST_F(PaintTest, DefWindowProcErasesWithTheClassBrush) {
    HWND w = CreateWindowExA(0, kBrushClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    HDC dc = GetDC(w);
    EXPECT_EQ(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(w, dc);
    const kvwin32::PixelImage image = kvwin32::renderWindow(w);
    ASSERT_EQ(image.width, 30);
    EXPECT_EQ(countPixels(image, pixelOf(GetSysColor(COLOR_HIGHLIGHT))), 30 * 20);
    // A window without a class brush is not erased.
    HWND plain = create(WS_POPUP | WS_VISIBLE);
    dc = GetDC(plain);
    EXPECT_EQ(DefWindowProcA(plain, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(plain, dc);
}

TEST_F(PaintTest, WindowDcsAreReleasedOnceAndKnowTheirWindow) {
    HWND w = create(WS_POPUP | WS_VISIBLE);
    HDC dc = GetDC(w);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), w);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    EXPECT_EQ(ReleaseDC(w, dc), 0);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(WindowFromDC(memory), nullptr);
    EXPECT_EQ(ReleaseDC(w, memory), 0);
    DeleteDC(memory);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x4321)), nullptr);
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(PaintTest, ChildDcsSitAtTheirOffsetClippedToTheParent) {
    HWND top = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 60, 40);
    // The child hangs out of its parent's right edge.
    HWND child = create(WS_CHILD | WS_VISIBLE, top, 1, 50, 10, 30, 20);
    HDC dc = GetDC(child);
    RECT all{0, 0, 30, 20};
    FillRect(dc, &all, GetSysColorBrush(COLOR_HIGHLIGHT));
    const kvwin32::PixelImage visible = *kvwin32::readPixels(dc);
    ReleaseDC(child, dc);
    EXPECT_EQ(visible.width, 10) << "only the part inside the parent";
    // Read the top-level surface through a window DC: the fill landed at (50, 10)..(60, 30).
    HDC topDc = GetWindowDC(top);
    const kvwin32::PixelImage surface = *kvwin32::readPixels(topDc);
    ReleaseDC(top, topDc);
    ASSERT_EQ(surface.width, 60);
    const std::uint32_t highlight = pixelOf(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(surface.at(50, 10), highlight);
    EXPECT_EQ(surface.at(59, 29), highlight);
    EXPECT_NE(surface.at(49, 10), highlight);
    EXPECT_NE(surface.at(50, 9), highlight);
    EXPECT_EQ(countPixels(surface, highlight), 10 * 20);
}

TEST_F(PaintTest, WindowDcIncludesTheFrame) {
    HWND w = create(WS_POPUP | WS_VISIBLE | WS_BORDER, nullptr, 0, 0, 0, 40, 30);
    HDC client = GetDC(w);
    HDC window = GetWindowDC(w);
    EXPECT_EQ(kvwin32::readPixels(client)->width, 38);
    EXPECT_EQ(kvwin32::readPixels(window)->width, 40);
    ReleaseDC(w, client);
    ReleaseDC(w, window);
    const kvwin32::PixelImage image = kvwin32::renderWindow(w);
    EXPECT_EQ(image.at(0, 0), 0u) << "a plain border is black";
    EXPECT_NE(image.at(1, 1), 0u);
}

TEST_F(PaintTest, ParentColoursOverrideTheControlDefaults) {
    HWND top =
        create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 100, 40, kvtest::kRecorderParentClass);
    HWND label = CreateWindowExA(0, WC_STATICA, "Text", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, top,
                                 nullptr, nullptr, nullptr);
    HBRUSH custom = CreateSolidBrush(RGB(10, 200, 30));
    kvwin32::PixelImage image = kvwin32::renderWindow(label);
    EXPECT_GT(countPixels(image, pixelOf(GetSysColor(COLOR_3DFACE))), 0) << "default colours";
    rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CTLCOLORSTATIC) {
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(200, 0, 0));
            return reinterpret_cast<LRESULT>(custom);
        }
        return std::nullopt;
    });
    image = kvwin32::renderWindow(label);
    EXPECT_GT(countPixels(image, pixelOf(RGB(10, 200, 30))), 60 * 20 / 2) << "the parent's brush";
    EXPECT_GT(countPixels(image, pixelOf(RGB(200, 0, 0))), 10) << "the parent's text colour";
    rec.setAnswer({});
    DeleteObject(custom);
}

TEST_F(PaintTest, RenderPaintsAWindowTree) {
    HWND top =
        create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 200, 100, kvtest::kRecorderParentClass);
    auto control = [&](const char* cls, const char* text, DWORD style, int x, int y, int cx,
                       int cy) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, top,
                               nullptr, nullptr, nullptr);
    };
    HWND label = control(WC_STATICA, "Label", SS_LEFT, 0, 0, 60, 20);
    HWND push = control(WC_BUTTONA, "OK", BS_DEFPUSHBUTTON, 0, 30, 60, 24);
    HWND check = control(WC_BUTTONA, "Off", BS_AUTOCHECKBOX | WS_DISABLED, 100, 0, 80, 20);
    HWND hidden = control(WC_STATICA, "", SS_BLACKRECT, 100, 40, 50, 50);
    ShowWindow(hidden, SW_HIDE);
    // Two overlapping rectangles, neither clipping its siblings: painted from the top of the
    // z-order down, the lower one ends on top.
    HWND under = control(WC_STATICA, "", SS_GRAYRECT, 100, 60, 40, 30);
    HWND over = control(WC_STATICA, "", SS_WHITERECT, 120, 70, 40, 30);
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    (void)label;
    (void)check;
    (void)under;
    SetFocus(push);

    const kvwin32::PixelImage image = kvwin32::renderWindow(top);
    ASSERT_EQ(image.width, 200);
    ASSERT_EQ(image.height, 100);
    auto inBox = [&](int x0, int y0, int x1, int y1, std::uint32_t pixel) {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += image.at(x, y) == pixel ? 1 : 0;
            }
        }
        return n;
    };
    const std::uint32_t text = pixelOf(GetSysColor(COLOR_BTNTEXT));
    const std::uint32_t grey = pixelOf(GetSysColor(COLOR_GRAYTEXT));
    const std::uint32_t face = pixelOf(GetSysColor(COLOR_3DFACE));
    EXPECT_GT(inBox(0, 0, 60, 20, text), 20) << "label text";
    EXPECT_GT(inBox(100 + 17, 0, 180, 20, grey), 10) << "disabled check box text is grey";
    EXPECT_EQ(inBox(100 + 17, 0, 180, 20, text), 0);
    EXPECT_EQ(inBox(100, 40, 150, 60, pixelOf(GetSysColor(COLOR_3DDKSHADOW))), 0)
        << "hidden child not painted";
    // The focus rectangle inverts every other pixel of the face inside the button.
    EXPECT_GT(inBox(0, 30, 60, 54, face ^ 0xFFFFFF), 20) << "focus rectangle";
    EXPECT_EQ(image.at(0, 30), 0u) << "the default button's black frame";
    EXPECT_EQ(image.at(125, 75), pixelOf(GetSysColor(COLOR_3DSHADOW))) << "z-order";
    EXPECT_EQ(image.at(105, 65), pixelOf(GetSysColor(COLOR_3DSHADOW)));
    EXPECT_EQ(image.at(150, 95), pixelOf(GetSysColor(COLOR_3DHIGHLIGHT)));
    // Painting leaves nothing invalid, and an invalid window renders nothing.
    EXPECT_FALSE(GetUpdateRect(push, nullptr, FALSE));
    EXPECT_EQ(kvwin32::renderWindow(reinterpret_cast<HWND>(0x5555)).width, 0);
}

TEST_F(PaintTest, AChildThatClipsItsSiblingsPaintsUnderTheOnesThatOverlapIt) {
    // As in a property sheet: the tab control (WS_CLIPSIBLINGS) is above the page in the
    // z-order, yet the page shows over it.
    HWND top = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 60, 40);
    HWND page = create(WS_CHILD | WS_VISIBLE, top, 1, 10, 10, 20, 20, kBrushClass);
    HWND clipping =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_BLACKRECT, 0,
                        0, 60, 40, top, nullptr, nullptr, nullptr);
    ASSERT_NE(clipping, nullptr);
    SetWindowPos(clipping, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(GetWindow(top, GW_CHILD), clipping) << "the clipping child is on top";
    const kvwin32::PixelImage image = kvwin32::renderWindow(top);
    EXPECT_EQ(image.at(15, 15), pixelOf(GetSysColor(COLOR_HIGHLIGHT))) << "the page shows";
    EXPECT_EQ(image.at(5, 5), 0u) << "the clipping child shows where nothing overlaps it";
    (void)page;
}

// Windows paints siblings from the top of the z-order down: where two without WS_CLIPSIBLINGS
// overlap, the lower one paints last and shows, as an up-down shows over the border of the
// edit it is aligned with.
TEST_F(PaintTest, OverlappingSiblingsPaintFromTheTopDown) {
    HWND top = create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 60, 40);
    HWND upper = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 30,
                                 40, top, nullptr, nullptr, nullptr);
    HWND lower = create(WS_CHILD | WS_VISIBLE, top, 1, 20, 0, 40, 40, kBrushClass);
    ASSERT_NE(upper, nullptr);
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(GetWindow(top, GW_CHILD), upper);
    const std::uint32_t brush = pixelOf(GetSysColor(COLOR_HIGHLIGHT));
    kvwin32::PixelImage image = kvwin32::renderWindow(top);
    EXPECT_EQ(image.at(5, 5), 0u) << "the upper one where nothing overlaps it";
    EXPECT_EQ(image.at(25, 5), brush) << "the lower one, painted last, over the overlap";
    EXPECT_EQ(image.at(45, 5), brush);
    // A lower sibling that clips its siblings leaves the overlap to the upper one.
    SetWindowLongA(lower, GWL_STYLE, GetWindowLongA(lower, GWL_STYLE) | WS_CLIPSIBLINGS);
    image = kvwin32::renderWindow(top);
    EXPECT_EQ(image.at(25, 5), 0u);
    EXPECT_EQ(image.at(45, 5), brush);
    // A transparent sibling waits for the others and paints over them.
    SetWindowLongA(lower, GWL_STYLE, GetWindowLongA(lower, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    SetWindowLongA(upper, GWL_EXSTYLE, GetWindowLongA(upper, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    image = kvwin32::renderWindow(top);
    EXPECT_EQ(image.at(25, 5), 0u);
}

}  // namespace
