// The "Static" control: hit-testing and STN_* notifications by SS_NOTIFY, images by kind,
// the dialog code, and what its label paints.
#include <vector>

#include <gtest/gtest.h>

#include "Pixels.h"
#include "WindowFixture.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

using kvtest::RecordedMsg;

namespace {

class StaticTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent =
            create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 200, 100, kvtest::kRecorderParentClass);
    }
    HWND label(DWORD style, const char* text = "&Name:", int id = 50) {
        return CreateWindowExA(0, WC_STATICA, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 90, 20,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }
    std::vector<RecordedMsg> commands() const { return commandsTo(parent); }
    HWND parent = nullptr;
};

TEST_F(StaticTest, NotifyStyleDecidesHitTestAndClicks) {
    struct Row {
        const char* name;
        DWORD style;
        LRESULT hit;
        bool notifies;
    };
    const Row rows[] = {
        {"plain label", SS_LEFT, HTTRANSPARENT, false},
        {"notifying label", SS_LEFT | SS_NOTIFY, HTCLIENT, true},
        {"frame", SS_ETCHEDFRAME, HTTRANSPARENT, false},
    };
    for (const Row& row : rows) {
        HWND s = label(row.style);
        RECT r;
        GetWindowRect(s, &r);
        EXPECT_EQ(SendMessageA(s, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), row.hit)
            << row.name;
        EXPECT_EQ(SendMessageA(s, WM_GETDLGCODE, 0, 0), DLGC_STATIC) << row.name;
        rec.clear();
        SendMessageA(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(s, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        SendMessageA(s, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        EnableWindow(s, FALSE);
        std::vector<kvtest::ExpectedMsg> expected;
        if (row.notifies) {
            expected = {notification(s, STN_CLICKED), notification(s, STN_DBLCLK),
                        notification(s, STN_DISABLE)};
        }
        EXPECT_TRUE(kvtest::compareSequence(commands(), expected, row.name));
        DestroyWindow(s);
    }
}

TEST_F(StaticTest, ImagesMatchTheKind) {
    HBITMAP bitmap = CreateBitmap(16, 8, 1, 32, nullptr);
    HWND text = label(SS_LEFT);
    EXPECT_EQ(SendMessageA(text, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(SendMessageA(text, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    HWND picture = label(SS_BITMAP, "");
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)),
              0);
    EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(bitmap));
    EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_ICON, 0), 0) << "wrong kind asked";
    // The control takes the size of its bitmap.
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 16);
    EXPECT_EQ(r.bottom, 8);
    // A handle that is not a bitmap is refused and the old image stays.
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(brush)),
              0);
    EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(bitmap));
    // SS_CENTERIMAGE keeps the control's size.
    HWND centred = label(SS_BITMAP | SS_CENTERIMAGE, "");
    SendMessageA(centred, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    GetClientRect(centred, &r);
    EXPECT_EQ(r.right, 90);
    DestroyWindow(picture);
    DestroyWindow(centred);
    DeleteObject(brush);
    DeleteObject(bitmap);
}

TEST_F(StaticTest, LabelPaintsTextGreyWhenDisabledAndRepaintsNewText) {
    HWND s = label(SS_LEFT, "Label");
    kvwin32::PixelImage image = kvwin32::renderWindow(s);
    ASSERT_EQ(image.width, 90);
    ASSERT_EQ(image.height, 20);
    const int dark = kvtest::countColour(image, GetSysColor(COLOR_BTNTEXT));
    EXPECT_GT(dark, 20) << "text pixels";
    EXPECT_EQ(kvtest::countColour(image, GetSysColor(COLOR_GRAYTEXT)), 0);
    // More text, more ink.
    SetWindowTextA(s, "Label, longer");
    EXPECT_GT(kvtest::countColour(kvwin32::renderWindow(s), GetSysColor(COLOR_BTNTEXT)), dark);
    EnableWindow(s, FALSE);
    image = kvwin32::renderWindow(s);
    EXPECT_EQ(kvtest::countColour(image, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_GRAYTEXT)), 20);
    // The prefix "&" is not drawn: "&&" shows one ampersand, "&N" an underlined N.
    SetWindowTextA(s, "&N");
    EnableWindow(s, TRUE);
    const int prefixed = kvtest::countColour(kvwin32::renderWindow(s), GetSysColor(COLOR_BTNTEXT));
    SetWindowLongA(s, GWL_STYLE, GetWindowLongA(s, GWL_STYLE) | SS_NOPREFIX);
    const int literal = kvtest::countColour(kvwin32::renderWindow(s), GetSysColor(COLOR_BTNTEXT));
    EXPECT_NE(prefixed, literal);
}

}  // namespace
