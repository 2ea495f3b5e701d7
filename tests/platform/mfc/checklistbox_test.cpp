// CCheckListBox on the owner-drawn list box of the "Rich controls" dialog: which clicks and keys
// toggle a check (by style), the CLBN_CHKCHANGE notification, disabled items, the user's item
// data kept apart from the check states, and the automation query of a check state.
#include <string>
#include <vector>

#include "RichControlsSupport.h"

namespace kvtest {

BEGIN_MESSAGE_MAP(RichDialog, CDialog)
ON_CONTROL(CLBN_CHKCHANGE, IDC_CHECKLIST, OnCheckChange)
ON_REGISTERED_MESSAGE(kDragListMessage, OnDragList)
END_MESSAGE_MAP()

namespace {

class CheckListTest : public RichControlsFixture {
  protected:
    void SetUp() override {
        RichControlsFixture::SetUp();
        ASSERT_TRUE(dialog.make());
        ASSERT_TRUE(list.SubclassDlgItem(IDC_CHECKLIST, &dialog));
        for (const char* text : {"General", "Monte Carlo", "Parametric"}) {
            list.AddString(text);
        }
    }
    void TearDown() override {
        list.DestroyWindow();
        dialog.DestroyWindow();
        RichControlsFixture::TearDown();
    }

    // A user's click (down, up) at a point of the list's client area.
    void click(POINT at) {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // Where the automation clicks an item's box, and an item's centre.
    POINT boxOf(int index) {
        CRect rect;
        list.GetItemRect(index, &rect);
        return POINT{rect.left + 7, (rect.top + rect.bottom) / 2};
    }
    POINT centreOf(int index) {
        CRect rect;
        list.GetItemRect(index, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void pressSpace() {
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
        list.SendMessage(WM_CHAR, ' ', 0x00390001);
        list.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
    }

    RichDialog dialog;
    CCheckListBox list;
};

struct ToggleRow {
    const char* what;
    UINT style;
    bool inBox;  // click in the box (else the item's centre)
    int before;
    int after;          // check after one click
    int notifications;  // CLBN_CHKCHANGE sent
};

TEST_F(CheckListTest, ClickTogglesByStyleAndWhere) {
    const ToggleRow rows[] = {
        {"auto box unchecked", BS_AUTOCHECKBOX, true, 0, 1, 1},
        {"auto box checked", BS_AUTOCHECKBOX, true, 1, 0, 1},
        {"auto outside box", BS_AUTOCHECKBOX, false, 0, 0, 0},
        {"auto3 from checked", BS_AUTO3STATE, true, 1, 2, 1},
        {"auto3 from indeterminate", BS_AUTO3STATE, true, 2, 0, 1},
        {"auto 2 shown as checked", BS_AUTOCHECKBOX, true, 2, 0, 1},
        {"manual box", BS_CHECKBOX, true, 0, 0, 1},
        {"manual 3-state box", BS_3STATE, true, 1, 1, 1},
        {"manual outside", BS_CHECKBOX, false, 1, 1, 0},
    };
    for (const ToggleRow& row : rows) {
        SCOPED_TRACE(row.what);
        list.SetCheckStyle(row.style);
        list.SetCheck(1, row.before);
        dialog.checkChanges = 0;
        click(row.inBox ? boxOf(1) : centreOf(1));
        EXPECT_EQ(list.GetCheck(1), row.after);
        EXPECT_EQ(dialog.checkChanges, row.notifications);
        // Either click selects the item, as any click on a list box item does.
        EXPECT_EQ(list.GetCurSel(), 1);
        EXPECT_EQ(list.GetCheck(0), 0);
    }
}

TEST_F(CheckListTest, SpaceTogglesTheCaretItem) {
    click(centreOf(2));
    ASSERT_EQ(list.GetCaretIndex(), 2);
    dialog.checkChanges = 0;
    pressSpace();
    EXPECT_EQ(list.GetCheck(2), 1);
    pressSpace();
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(dialog.checkChanges, 2);
}

TEST_F(CheckListTest, DoubleClickInTheBoxTogglesTwice) {
    POINT at = boxOf(0);
    click(at);
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(dialog.checkChanges, 2);
}

TEST_F(CheckListTest, DisabledItemIgnoresClicks) {
    list.SetCurSel(0);
    list.Enable(2, FALSE);
    EXPECT_FALSE(list.IsEnabled(2));
    click(boxOf(2));
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(dialog.checkChanges, 0);
    list.Enable(2, TRUE);
    click(boxOf(2));
    EXPECT_EQ(list.GetCheck(2), 1);
}

TEST_F(CheckListTest, UserItemDataSurvivesChecks) {
    int marker = 0;
    list.SetItemData(0, reinterpret_cast<DWORD_PTR>(&marker));
    list.SetCheck(0, 1);
    list.SetItemData(1, 77);
    EXPECT_EQ(list.GetItemData(0), reinterpret_cast<DWORD_PTR>(&marker));
    EXPECT_EQ(list.GetItemData(1), 77U);
    // The raw message answers the user's data too.
    EXPECT_EQ(static_cast<DWORD_PTR>(::SendMessageA(list.m_hWnd, LB_GETITEMDATA, 0, 0)),
              reinterpret_cast<DWORD_PTR>(&marker));
    EXPECT_EQ(list.GetCheck(0), 1);
    // Deleting an item keeps the others' checks and data with them.
    list.SetCheck(2, 1);
    list.SetItemData(2, 99);
    list.DeleteString(1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetItemData(1), 99U);
    EXPECT_EQ(list.GetCheck(0), 1);
    list.ResetContent();
    list.AddString("fresh");
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetItemData(0), 0U);
}

TEST_F(CheckListTest, BadIndexesAreHarmless) {
    list.SetCheck(-1, 1);
    list.SetCheck(3, 1);
    list.SetCheck(0, 7);  // not a check state
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(42), 0);
    EXPECT_TRUE(list.IsEnabled(42));
    click(POINT{7, 500});  // below the items
    EXPECT_EQ(dialog.checkChanges, 0);
}

TEST_F(CheckListTest, AutomationReadsCheckStates) {
    UINT query = RegisterWindowMessageA(KV_CHECKLISTBOX_GETCHECK_MSG);
    list.SetCheckStyle(BS_AUTO3STATE);
    list.SetCheck(1, 1);
    list.SetCheck(2, 2);
    EXPECT_EQ(::SendMessageA(list.m_hWnd, query, 0, 0), KV_CHECKLISTBOX_ANSWERED | 0);
    EXPECT_EQ(::SendMessageA(list.m_hWnd, query, 1, 0), KV_CHECKLISTBOX_ANSWERED | 1);
    EXPECT_EQ(::SendMessageA(list.m_hWnd, query, 2, 0), KV_CHECKLISTBOX_ANSWERED | 2);
    EXPECT_EQ(::SendMessageA(list.m_hWnd, query, 3, 0), LB_ERR);
    // A plain list box does not know the message.
    EXPECT_EQ(::SendDlgItemMessageA(dialog.m_hWnd, IDC_DRAGLIST, query, 0, 0), 0);
}

TEST_F(CheckListTest, ItemsAreTallEnoughForTheBox) {
    EXPECT_GE(list.GetItemHeight(0), CCheckListBox::kCheckSize + 1);
}

TEST(CheckListBinding, BoundThroughCWndFitsItsItems) {
    RichControlsFixtureHolder holder;
    RichDialog dialog;
    ASSERT_TRUE(dialog.make());
    CCheckListBox list;
    // As DDX_Control binds a control: through CWnd::SubclassWindow, whose PreSubclassWindow
    // step is the check list's.
    HWND hwnd = ::GetDlgItem(dialog.m_hWnd, IDC_CHECKLIST);
    ::SendMessageA(hwnd, LB_SETITEMHEIGHT, 0, 3);
    ASSERT_TRUE(static_cast<CWnd&>(list).SubclassWindow(hwnd));
    list.AddString("only");
    EXPECT_GE(list.GetItemHeight(0), CCheckListBox::kCheckSize + 1);
    list.SetCheck(0, 1);
    EXPECT_EQ(list.GetCheck(0), 1);
    list.DestroyWindow();
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace kvtest
