// The framework's wrappers of the list view, up-down, tooltip and tab controls and of image
// lists: what a wrapper sets, the control reports back through the wrapper (columns and item
// texts, states and data, selected-item iteration, 16- and 32-bit ranges, buddies, tools and
// their texts, tabs), and bad arguments fail quietly.
#include <string>
#include <vector>

#include "RichControlsSupport.h"

namespace kvtest {
namespace {

class CommonControlsTest : public RichControlsFixture {
  protected:
    void SetUp() override {
        RichControlsFixture::SetUp();
        ASSERT_TRUE(dialog.make());
    }
    void TearDown() override {
        listCtrl.DestroyWindow();
        spin.DestroyWindow();
        tip.DestroyWindow();
        tabs.DestroyWindow();
        dialog.DestroyWindow();
        RichControlsFixture::TearDown();
    }

    RichDialog dialog;
    CListCtrl listCtrl;
    CSpinButtonCtrl spin;
    CToolTipCtrl tip;
    CTabCtrl tabs;
};

TEST_F(CommonControlsTest, ListCtrlItemsTextsAndData) {
    ASSERT_TRUE(listCtrl.SubclassDlgItem(IDC_LISTCTRL, &dialog));
    EXPECT_EQ(listCtrl.InsertColumn(0, "Variants", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(listCtrl.InsertColumn(1, "Scope"), 1);
    EXPECT_EQ(listCtrl.GetColumnWidth(0), 120);
    EXPECT_EQ(listCtrl.InsertItem(0, "stim.stl"), 0);
    EXPECT_EQ(listCtrl.InsertItem(1, "lib.lib", 0), 1);
    EXPECT_EQ(listCtrl.InsertItem(1, "inc.inc"), 1);
    EXPECT_EQ(listCtrl.GetItemCount(), 3);
    EXPECT_TRUE(listCtrl.SetItemText(2, 1, "design"));
    EXPECT_EQ(listCtrl.GetItemText(2, 0), "lib.lib");
    EXPECT_EQ(listCtrl.GetItemText(2, 1), "design");
    EXPECT_EQ(listCtrl.GetItemText(9, 0), "");

    // A long text comes back whole; a small buffer gets a terminated prefix.
    std::string longText(700, 'x');
    EXPECT_TRUE(listCtrl.SetItemText(0, 0, longText.c_str()));
    EXPECT_EQ(listCtrl.GetItemText(0, 0).str(), longText);
    char small[5] = {'?', '?', '?', '?', '?'};
    EXPECT_EQ(listCtrl.GetItemText(0, 0, small, sizeof small), 4);
    EXPECT_STREQ(small, "xxxx");

    EXPECT_TRUE(listCtrl.SetItemData(1, 0xBEEF));
    EXPECT_EQ(listCtrl.GetItemData(1), 0xBEEFU);
    EXPECT_EQ(listCtrl.GetItemData(7), 0U);

    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "LIB.LIB";
    EXPECT_EQ(listCtrl.FindItem(&find), 2);
    find.flags = LVFI_PARAM;
    find.lParam = 0xBEEF;
    EXPECT_EQ(listCtrl.FindItem(&find), 1);

    EXPECT_TRUE(listCtrl.DeleteItem(0));
    EXPECT_EQ(listCtrl.GetItemCount(), 2);
    EXPECT_TRUE(listCtrl.DeleteAllItems());
    EXPECT_EQ(listCtrl.GetItemCount(), 0);
}

TEST_F(CommonControlsTest, ListCtrlSelectionIteration) {
    ASSERT_TRUE(listCtrl.SubclassDlgItem(IDC_LISTCTRL, &dialog));
    listCtrl.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    for (int i = 0; i < 5; ++i) {
        listCtrl.InsertItem(i, ("item " + std::to_string(i)).c_str());
    }
    EXPECT_EQ(listCtrl.GetFirstSelectedItemPosition(), nullptr);
    listCtrl.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    listCtrl.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(listCtrl.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(listCtrl.GetItemState(2, LVIS_SELECTED), 0U);
    EXPECT_EQ(listCtrl.GetSelectedCount(), 2U);
    std::vector<int> selected;
    for (POSITION pos = listCtrl.GetFirstSelectedItemPosition(); pos != nullptr;) {
        selected.push_back(listCtrl.GetNextSelectedItem(pos));
    }
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    EXPECT_EQ(listCtrl.GetNextItem(-1, LVNI_FOCUSED), 3);
    EXPECT_TRUE(listCtrl.EnsureVisible(4, FALSE));

    DWORD old = listCtrl.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(old & LVS_EX_FULLROWSELECT, 0U);
    EXPECT_EQ(listCtrl.GetExtendedStyle() & LVS_EX_FULLROWSELECT,
              static_cast<DWORD>(LVS_EX_FULLROWSELECT));
}

TEST_F(CommonControlsTest, ListCtrlKeepsTheImageListItIsGiven) {
    ASSERT_TRUE(listCtrl.SubclassDlgItem(IDC_LISTCTRL, &dialog));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4));
    EXPECT_EQ(listCtrl.SetImageList(&images, LVSIL_SMALL), nullptr);
    EXPECT_EQ(listCtrl.GetImageList(LVSIL_SMALL), images.GetSafeHandle());
    CImageList* previous = listCtrl.SetImageList(nullptr, LVSIL_SMALL);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->GetSafeHandle(), images.GetSafeHandle());
}

TEST_F(CommonControlsTest, ImageListHoldsItsHandle) {
    CImageList images;
    EXPECT_EQ(images.GetImageCount(), 0);
    EXPECT_EQ(images.Add(nullptr, RGB(255, 0, 255)), -1);
    ASSERT_TRUE(images.Create(20, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_FALSE(images.Create(20, 16, ILC_COLOR24, 1, 1));  // one list per object
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap("SHEETBTNU"));
    EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.Add(&strip, static_cast<CBitmap*>(nullptr)), 1);
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_TRUE(images.Remove(0));
    EXPECT_FALSE(images.Remove(5));
    EXPECT_EQ(images.GetImageCount(), 1);
    HIMAGELIST handle = images.Detach();
    EXPECT_EQ(images.GetSafeHandle(), nullptr);
    EXPECT_FALSE(images.DeleteImageList());
    EXPECT_TRUE(images.Attach(handle));
    EXPECT_FALSE(images.Attach(handle));
    EXPECT_TRUE(images.DeleteImageList());
}

TEST_F(CommonControlsTest, SpinRangesPositionsAndBuddy) {
    ASSERT_TRUE(spin.SubclassDlgItem(IDC_SPIN, &dialog));
    CWnd* edit = dialog.GetDlgItem(IDC_SPINEDIT);
    ASSERT_NE(edit, nullptr);
    spin.SetBuddy(edit);
    EXPECT_EQ(spin.GetBuddy()->GetSafeHwnd(), edit->GetSafeHwnd());

    struct Row {
        short lower;
        short upper;
    };
    for (const Row& row : {Row{1, 4}, Row{-5, 5}, Row{10, 0}}) {
        spin.SetRange(row.lower, row.upper);
        int lower = 0;
        int upper = 0;
        spin.GetRange(lower, upper);
        EXPECT_EQ(lower, row.lower);
        EXPECT_EQ(upper, row.upper);
    }
    spin.SetRange(1, 4);
    spin.SetPos(3);
    EXPECT_EQ(LOWORD(spin.GetPos()), 3);
    EXPECT_EQ(spin.SetPos(9), 3);  // the previous position; the new one is clamped
    EXPECT_EQ(LOWORD(spin.GetPos()), 4);

    spin.SetRange32(-100000, 100000);
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, -100000);
    EXPECT_EQ(upper, 100000);
    spin.SetPos32(-70000);
    // The buddy is no integer buddy (no UDS_SETBUDDYINT): as on Windows the position is the
    // control's own and the answer flags that the buddy could not give it.
    BOOL error = FALSE;
    EXPECT_EQ(spin.GetPos32(&error), -70000);
    EXPECT_TRUE(error);

    EXPECT_EQ(spin.SetBase(16), 10);
    EXPECT_EQ(spin.GetBase(), 16U);
    UDACCEL accel[2] = {{0, 1}, {2, 5}};
    EXPECT_TRUE(spin.SetAccel(2, accel));
    UDACCEL back[2] = {};
    EXPECT_EQ(spin.GetAccel(2, back), 2U);
    EXPECT_EQ(back[1].nInc, 5U);
}

TEST_F(CommonControlsTest, ToolTipToolsAndTexts) {
    ASSERT_TRUE(tip.Create(&dialog));
    EXPECT_NE(tip.GetStyle() & WS_POPUP, 0U);
    CWnd* edit = dialog.GetDlgItem(IDC_SPINEDIT);
    ASSERT_NE(edit, nullptr);
    RECT area{0, 0, 30, 20};
    EXPECT_TRUE(tip.AddTool(edit, "Edit tip"));
    EXPECT_TRUE(tip.AddTool(&dialog, IDS_TIP_TEXT, &area, 7));
    EXPECT_TRUE(tip.AddTool(&dialog, LPSTR_TEXTCALLBACK, &area, 8));
    EXPECT_FALSE(tip.AddTool(nullptr, "no window"));
    EXPECT_EQ(tip.GetToolCount(), 3);

    CString text;
    tip.GetText(text, edit);
    EXPECT_EQ(text, "Edit tip");
    tip.GetText(text, &dialog, 7);
    EXPECT_EQ(text, "Tip from the table");
    tip.UpdateTipText("Changed", edit);
    tip.GetText(text, edit);
    EXPECT_EQ(text, "Changed");

    TOOLINFOA info;
    tip.FillInToolInfo(info, edit, 0);
    EXPECT_EQ(info.uFlags & TTF_IDISHWND, static_cast<UINT>(TTF_IDISHWND));
    EXPECT_EQ(info.hwnd, dialog.m_hWnd);
    EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(edit->m_hWnd));

    tip.SetMaxTipWidth(200);
    EXPECT_EQ(tip.SetMaxTipWidth(300), 200);
    tip.Activate(FALSE);
    tip.DelTool(edit);
    EXPECT_EQ(tip.GetToolCount(), 2);
}

TEST_F(CommonControlsTest, TabCtrlTabs) {
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 120), &dialog, 3000));
    EXPECT_EQ(tabs.InsertItem(0, "General"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Analysis "), 1);
    EXPECT_EQ(tabs.InsertItem(1, "Options"), 1);
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    CRect item;
    EXPECT_TRUE(tabs.GetItemRect(1, &item));
    EXPECT_GT(item.Width(), 0);
    EXPECT_FALSE(tabs.GetItemRect(5, &item));
    CRect display(0, 0, 300, 120);
    tabs.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, 0);
    CRect window = display;
    tabs.AdjustRect(TRUE, &window);
    EXPECT_EQ(window, CRect(0, 0, 300, 120));
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetItemCount(), 2);
}

}  // namespace
}  // namespace kvtest
