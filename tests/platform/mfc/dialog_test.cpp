// CDialog: modal runs driven by queued user input (OK runs UpdateData, a refused field keeps the
// dialog open, the end of input cancels), and the modeless lifecycle.
#include <gtest/gtest.h>

#include "FieldsDialog.h"
#include "MfcFixture.h"

namespace kvtest {

BEGIN_MESSAGE_MAP(FieldsDialog, CDialog)
ON_EN_CHANGE(IDC_TEXT, OnTextChange)
END_MESSAGE_MAP()

namespace {

// Presses a push button of a dialog as its click notifies the dialog.
void press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class DialogTest : public MfcFixture {};

TEST_F(DialogTest, ModalOkSavesTheFieldsAfterARefusal) {
    FieldsDialog dialog;
    int focusAfterRefusal = 0;
    DWORD selectionAfterRefusal = 0;
    desk->queueAction([&] {
        EXPECT_EQ(itemText(dialog.m_hWnd, IDC_NUMBER), "5");  // loaded by OnInitDialog
        SetDlgItemTextA(dialog.m_hWnd, IDC_NUMBER, "12x");
        press(dialog.m_hWnd, IDOK);  // refused: the dialog stays open
    });
    desk->queueAction([&] {
        focusAfterRefusal = GetDlgCtrlID(GetFocus());
        selectionAfterRefusal =
            static_cast<DWORD>(SendDlgItemMessageA(dialog.m_hWnd, IDC_NUMBER, EM_GETSEL, 0, 0));
        SetDlgItemTextA(dialog.m_hWnd, IDC_NUMBER, " 42 ");
        SetDlgItemTextA(dialog.m_hWnd, IDC_TEXT, "typed");
        press(dialog.m_hWnd, IDOK);
    });
    desk->queueBoxAnswer(IDOK);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.number, 42);
    EXPECT_STREQ(dialog.text, "typed");
    EXPECT_EQ(dialog.textChanges, 1);  // the user's edit, not the loading
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.nonClientDestroys, 1);

    const auto shown = boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->text, "Please enter an integer.");
    EXPECT_EQ(shown[0]->caption, "Tessel Tests");
    EXPECT_EQ(shown[0]->icon, kvwin32::BoxIcon::warning);
    EXPECT_EQ(focusAfterRefusal, IDC_NUMBER);
    EXPECT_EQ(LOWORD(selectionAfterRefusal), 0);
    EXPECT_EQ(HIWORD(selectionAfterRefusal), 3);  // "12x" selected whole
}

TEST_F(DialogTest, ModalCancelKeepsTheMembers) {
    FieldsDialog dialog;
    desk->queueAction([&] {
        SetDlgItemTextA(dialog.m_hWnd, IDC_NUMBER, "77");
        press(dialog.m_hWnd, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.number, 5);
}

TEST_F(DialogTest, EndOfInputCancelsTheModalDialog) {
    FieldsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, MissingTemplateFailsWithoutAWindow) {
    CDialog dialog(IDD_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(IDD_MISSING));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, ModelessLifecycle) {
    FieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    HWND first = dialog.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(first), &dialog);
    EXPECT_EQ(itemText(first, IDC_TEXT), "start");
    EXPECT_FALSE(dialog.Create(IDD_FIELDS));  // one window at a time

    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.owner.m_hWnd, nullptr);  // the bound control let go with its window
    EXPECT_EQ(dialog.nonClientDestroys, 1);

    // The same object makes a new window, with its controls bound again.
    dialog.text = "again";
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    EXPECT_EQ(itemText(dialog.m_hWnd, IDC_TEXT), "again");
    EXPECT_NE(dialog.owner.m_hWnd, nullptr);
    EXPECT_EQ(dialog.initCount, 2);
}

TEST_F(DialogTest, ObjectGoingAwayDestroysItsWindow) {
    HWND hwnd = nullptr;
    {
        FieldsDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_FIELDS));
        hwnd = dialog.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(DialogTest, ModelessOkRefusesAndThenHides) {
    FieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    SetDlgItemTextA(dialog.m_hWnd, IDC_TEXT, "far too long for ten");
    desk->queueBoxAnswer(IDOK);
    press(dialog.m_hWnd, IDOK);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0]->text, "Please enter no more than 10 characters.");
    EXPECT_TRUE(IsWindow(dialog.m_hWnd));
    EXPECT_TRUE(IsWindowVisible(dialog.m_hWnd) ||
                !(GetWindowLongA(dialog.m_hWnd, GWL_STYLE) & WS_VISIBLE));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.m_hWnd, IDC_TEXT));
}

TEST_F(DialogTest, OwnerDrawIsReflectedToTheControlObject) {
    FieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FIELDS));
    HWND button = GetDlgItem(dialog.m_hWnd, IDC_OWNERDRAW);
    ASSERT_EQ(dialog.owner.m_hWnd, button);
    dialog.owner.drawnActions.clear();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = IDC_OWNERDRAW;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = button;
    EXPECT_TRUE(
        SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDC_OWNERDRAW, reinterpret_cast<LPARAM>(&draw)));
    ASSERT_EQ(dialog.owner.drawnActions.size(), 1u);
    EXPECT_EQ(dialog.owner.drawnActions[0], static_cast<UINT>(ODA_DRAWENTIRE));

    // A draw request for a control without a framework object is not reflected anywhere.
    draw.hwndItem = GetDlgItem(dialog.m_hWnd, IDOK);
    SendMessageA(dialog.m_hWnd, WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(dialog.owner.drawnActions.size(), 1u);
}

}  // namespace
}  // namespace kvtest
