// CBitmapButton on the owner-drawn buttons of the "Rich controls" dialog: AutoLoad finds the
// bitmaps named after the caption, SizeToContent fits the button to the up bitmap, the item
// state picks the bitmap DrawItem copies, and a missing bitmap is a failure, not a crash.
#include "RichControlsSupport.h"

namespace kvtest {
namespace {

class BitmapButtonTest : public RichControlsFixture {
  protected:
    void SetUp() override {
        RichControlsFixture::SetUp();
        ASSERT_TRUE(dialog.make());
    }
    void TearDown() override {
        button.DestroyWindow();
        dialog.DestroyWindow();
        RichControlsFixture::TearDown();
    }

    RichDialog dialog;
    CBitmapButton button;
};

TEST_F(BitmapButtonTest, AutoLoadSizesTheButtonToItsBitmap) {
    ASSERT_TRUE(button.AutoLoad(IDC_BITMAPBTN, &dialog));
    CRect rect;
    button.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 20);
    EXPECT_EQ(rect.Height(), 16);
    for (CBitmap* bitmap :
         {&button.m_bitmap, &button.m_bitmapSel, &button.m_bitmapFocus, &button.m_bitmapDisabled}) {
        EXPECT_NE(bitmap->GetSafeHandle(), nullptr);
    }
}

TEST_F(BitmapButtonTest, MissingBitmapsFail) {
    EXPECT_FALSE(button.AutoLoad(IDC_NOBITMAPBTN, &dialog));
    CBitmapButton other;
    EXPECT_FALSE(other.LoadBitmaps("NOSUCHBITMAP"));
    // The up bitmap alone is enough to draw, but a named one that is missing is reported.
    EXPECT_FALSE(other.LoadBitmaps("SHEETBTNU", "NOSUCHBITMAP"));
    EXPECT_NE(other.m_bitmap.GetSafeHandle(), nullptr);
    EXPECT_EQ(other.m_bitmapSel.GetSafeHandle(), nullptr);
    EXPECT_TRUE(other.LoadBitmaps("SHEETBTNU"));
}

TEST_F(BitmapButtonTest, StatePicksTheBitmap) {
    ASSERT_TRUE(button.LoadBitmaps("SHEETBTNU", "SHEETBTND", "SHEETBTNF", "SHEETBTNX"));
    struct Row {
        const char* what;
        UINT state;
        CBitmap* expected;
    };
    const Row rows[] = {
        {"up", 0, &button.m_bitmap},
        {"pressed", ODS_SELECTED, &button.m_bitmapSel},
        {"pressed and focused", ODS_SELECTED | ODS_FOCUS, &button.m_bitmapSel},
        {"focused", ODS_FOCUS, &button.m_bitmapFocus},
        {"focused and disabled", ODS_FOCUS | ODS_DISABLED, &button.m_bitmapFocus},
        {"disabled", ODS_DISABLED, &button.m_bitmapDisabled},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(button.BitmapForState(row.state), row.expected) << row.what;
    }
    // Without a pressed bitmap, pressed shows the focus one when focused, else up.
    button.m_bitmapSel.DeleteObject();
    EXPECT_EQ(button.BitmapForState(ODS_SELECTED), &button.m_bitmap);
    EXPECT_EQ(button.BitmapForState(ODS_SELECTED | ODS_FOCUS), &button.m_bitmapFocus);
}

TEST_F(BitmapButtonTest, DrawItemCopiesTheChosenBitmap) {
    ASSERT_TRUE(button.AutoLoad(IDC_BITMAPBTN, &dialog));
    HDC screen = ::GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 20, 16);
    HGDIOBJ old = SelectObject(dc, target);
    struct Row {
        UINT state;
        COLORREF colour;  // the colour of that bitmap
    };
    for (const Row& row : {Row{0, RGB(255, 0, 0)}, Row{ODS_SELECTED, RGB(0, 255, 0)},
                           Row{ODS_FOCUS, RGB(0, 0, 255)}, Row{ODS_DISABLED, RGB(128, 128, 128)}}) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_BUTTON;
        draw.CtlID = IDC_BITMAPBTN;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = row.state;
        draw.hwndItem = button.m_hWnd;
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, 20, 16};
        button.DrawItem(&draw);
        EXPECT_EQ(GetPixel(dc, 10, 8), row.colour) << "state " << row.state;
    }
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace kvtest
