// What every control shares: painting. WM_PRINTCLIENT paints a control into the DC it brings,
// whatever the control, and leaves that DC's state as it came.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GdiCanvas.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 60;
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

struct PrintCase {
    const char* className;
    DWORD style;
    void (*fill)(HWND control);  // content to paint, or null
};

void addListItem(HWND list) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
}

void addComboItem(HWND combo) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void addTab(HWND tab) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>("General");
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

const std::vector<PrintCase> kControls = {
    {"Button", BS_PUSHBUTTON, nullptr},
    {"Button", BS_AUTOCHECKBOX, nullptr},
    {"Static", SS_LEFT, nullptr},
    {"Edit", ES_LEFT | WS_BORDER, nullptr},
    {"ListBox", LBS_NOTIFY | WS_BORDER, addListItem},
    {"ComboBox", CBS_DROPDOWNLIST, addComboItem},
    {"SysTabControl32", 0, addTab},
    {"msctls_updown32", 0, nullptr},
    {"SysListView32", LVS_REPORT, nullptr},
    {"tooltips_class32", 0, nullptr},
};

long long paintedPixels(const kvwin32::PixelImage& image) {
    long long painted = 0;
    for (std::uint32_t p : image.pixels) {
        painted += RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) != kUnpainted;
    }
    return painted;
}

class ControlPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
    }
    void TearDown() override { DestroyWindow(m_parent); }

    HWND make(const PrintCase& c) {
        const bool popup = std::string(c.className) == TOOLTIPS_CLASSA;
        const DWORD style = c.style | (popup ? WS_POPUP : WS_CHILD | WS_VISIBLE);
        HWND hwnd = CreateWindowExA(0, c.className, "Text", style, 0, 0, kWidth, kHeight, m_parent,
                                    nullptr, nullptr, nullptr);
        if (hwnd != nullptr && popup) {
            SetWindowPos(hwnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hwnd != nullptr && c.fill != nullptr) {
            c.fill(hwnd);
        }
        return hwnd;
    }

    // Makes each control in turn, sends it `message` with a fresh canvas's DC (prepared first
    // when asked), and hands the control, the DC, the answer and the pixels to check.
    template <typename Check>
    void paintEach(UINT message, LPARAM flags, Check check, void (*prepare)(HDC) = nullptr) {
        for (const auto& c : kControls) {
            SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
            HWND control = make(c);
            ASSERT_NE(control, nullptr);
            kvtest::GdiCanvas canvas(kWidth, kHeight, kUnpainted);
            if (prepare != nullptr) {
                prepare(canvas.dc());
            }
            const LRESULT answer =
                SendMessageA(control, message, reinterpret_cast<WPARAM>(canvas.dc()), flags);
            check(control, canvas.dc(), answer, canvas.pixels());
            DestroyWindow(control);
        }
    }

    HWND m_parent = nullptr;
};

TEST_F(ControlPaintTest, PrintClientPaintsIntoTheGivenDc) {
    paintEach(WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND,
              [](HWND control, HDC, LRESULT answer, const kvwin32::PixelImage& painted) {
                  EXPECT_EQ(answer, 0);
                  // Every control fills at least its background: most of its client area is
                  // painted.
                  RECT client{};
                  GetClientRect(control, &client);
                  const long long area = static_cast<long long>(client.right) * client.bottom;
                  EXPECT_GT(paintedPixels(painted) * 2, area);
              });
}

TEST_F(ControlPaintTest, PrintClientLeavesTheDcAsItCame) {
    const auto prepare = [](HDC dc) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        SetBkMode(dc, OPAQUE);
        SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));  // a font no control picks
    };
    paintEach(
        WM_PRINTCLIENT, PRF_CLIENT,
        [](HWND, HDC dc, LRESULT, const kvwin32::PixelImage&) {
            EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
            EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
            EXPECT_EQ(GetBkMode(dc), OPAQUE);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(ANSI_FIXED_FONT));
        },
        prepare);
}

TEST_F(ControlPaintTest, PaintWithADcPaintsIntoIt) {
    // A WM_PAINT that brings a DC in wParam paints into that DC, as the controls of Windows do.
    paintEach(WM_PAINT, 0, [](HWND, HDC, LRESULT, const kvwin32::PixelImage& painted) {
        EXPECT_GT(paintedPixels(painted), 0);
    });
}

}  // namespace
