// Dialog data exchange: each DDX_ kind in both directions, the framework's parse rules and
// refusals (message, focus, FALSE), and the rule that loading an unchanged text sends nothing.
#include <gtest/gtest.h>

#include "FieldsDialog.h"
#include "MfcFixture.h"

namespace kvtest {
namespace {

class DdxTest : public MfcFixture {
  protected:
    void SetUp() override {
        MfcFixture::SetUp();
        ASSERT_TRUE(dialog.Create(IDD_FIELDS));
        hwnd = dialog.m_hWnd;
    }
    void TearDown() override {
        dialog.DestroyWindow();
        MfcFixture::TearDown();
    }
    LRESULT item(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendDlgItemMessageA(hwnd, id, message, wParam, lParam);
    }
    FieldsDialog dialog;
    HWND hwnd = nullptr;
};

TEST_F(DdxTest, LoadingShowsEveryMember) {
    EXPECT_EQ(itemText(hwnd, IDC_TEXT), "start");
    EXPECT_EQ(itemText(hwnd, IDC_NUMBER), "5");
    EXPECT_EQ(itemText(hwnd, IDC_REAL), "1.5");
    EXPECT_EQ(itemText(hwnd, IDC_UNSIGNED), "7");
    EXPECT_EQ(item(IDC_CHECK, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(item(IDC_RADIO1, BM_GETCHECK), 0);
    EXPECT_EQ(item(IDC_RADIO2, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(item(IDC_RADIO3, BM_GETCHECK), 0);
    EXPECT_EQ(item(IDC_LIST, CB_GETCURSEL), 2);
    EXPECT_EQ(item(IDC_EDITCOMBO, CB_GETCURSEL), 1);  // "be" selects "beta" by prefix
    EXPECT_EQ(itemText(hwnd, IDC_EDITCOMBO), "beta");
    EXPECT_EQ(item(IDC_LISTBOX, LB_GETCURSEL), 1);
    EXPECT_EQ(item(IDC_TEXT, EM_GETLIMITTEXT), 10);  // DDV_MaxChars limits the edit
    EXPECT_EQ(dialog.textChanges, 0);
}

TEST_F(DdxTest, SavingReadsEveryControl) {
    SetDlgItemTextA(hwnd, IDC_TEXT, "new");
    SetDlgItemTextA(hwnd, IDC_NUMBER, "-17");
    SetDlgItemTextA(hwnd, IDC_REAL, "2.5e3");
    SetDlgItemTextA(hwnd, IDC_UNSIGNED, "4000000000");
    item(IDC_CHECK, BM_SETCHECK, BST_UNCHECKED);
    item(IDC_RADIO2, BM_SETCHECK, 0);
    item(IDC_RADIO3, BM_SETCHECK, BST_CHECKED);
    item(IDC_LIST, CB_SETCURSEL, 0);
    SetWindowTextA(GetDlgItem(GetDlgItem(hwnd, IDC_EDITCOMBO), 1001), "typed in");
    item(IDC_LISTBOX, LB_SETCURSEL, 2);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_STREQ(dialog.text, "new");
    EXPECT_EQ(dialog.number, -17);
    EXPECT_DOUBLE_EQ(dialog.real, 2500.0);
    EXPECT_EQ(dialog.unsignedValue, 4000000000U);
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.listIndex, 0);
    EXPECT_STREQ(dialog.combo, "typed in");
    EXPECT_STREQ(dialog.listString, "gamma");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(DdxTest, RadioGroupWithNothingCheckedSavesMinusOne) {
    for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3}) {
        item(id, BM_SETCHECK, 0);
    }
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.radio, -1);
    dialog.radio = 0;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(item(IDC_RADIO1, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(item(IDC_RADIO2, BM_GETCHECK), 0);
}

TEST_F(DdxTest, IntegerParseFollowsTheFrameworkRules) {
    struct Row {
        const char* text;
        bool accepted;
        int value;
    } rows[] = {
        {"0", true, 0},    {"42", true, 42},          {" 42\t", true, 42},
        {"-7", true, -7},  {"+8", true, 8},           {"007", true, 7},
        {"", false, 0},    {"abc", false, 0},         {"12x", false, 0},
        {"1 2", false, 0}, {"-0", false, 0},          {"+", false, 0},
        {"3.5", false, 0}, {"99999999999", false, 0}, {"2147483647", true, 2147483647},
    };
    dialog.maxChars = 100;
    for (const Row& row : rows) {
        desk->queueBoxAnswer(IDOK);
        dialog.number = 1234;  // outside the DDV range: it must be replaced or kept
        SetDlgItemTextA(hwnd, IDC_NUMBER, row.text);
        SetFocus(GetDlgItem(hwnd, IDC_TEXT));
        const size_t boxesBefore = boxes().size();
        // Values outside -1000..1000 are refused by DDV_MinMaxInt after a good parse.
        const bool inRange = row.value >= -1000 && row.value <= 1000;
        const BOOL saved = dialog.UpdateData(TRUE);
        EXPECT_EQ(saved != FALSE, row.accepted && inRange) << "[" << row.text << "]";
        if (row.accepted) {
            EXPECT_EQ(dialog.number, row.value) << "[" << row.text << "]";
        } else {
            EXPECT_EQ(dialog.number, 1234) << "[" << row.text << "]";
            ASSERT_EQ(boxes().size(), boxesBefore + 1) << "[" << row.text << "]";
            EXPECT_EQ(boxes().back()->text, "Please enter an integer.") << "[" << row.text << "]";
            EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDC_NUMBER)) << "[" << row.text << "]";
        }
    }
}

TEST_F(DdxTest, RangeAndRealRefusalsNameTheLimits) {
    desk->queueBoxAnswer(IDOK);
    SetDlgItemTextA(hwnd, IDC_NUMBER, "1001");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0]->text, "Please enter an integer between -1000 and 1000.");

    SetDlgItemTextA(hwnd, IDC_NUMBER, "10");
    for (const char* bad : {"1,5", "inf", "0x10", "", "e5"}) {
        desk->queueBoxAnswer(IDOK);
        SetDlgItemTextA(hwnd, IDC_REAL, bad);
        EXPECT_FALSE(dialog.UpdateData(TRUE)) << bad;
        EXPECT_EQ(boxes().back()->text, "Please enter a number.") << bad;
    }
    desk->queueBoxAnswer(IDOK);
    SetDlgItemTextA(hwnd, IDC_REAL, "0.25");
    SetDlgItemTextA(hwnd, IDC_UNSIGNED, "-1");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(boxes().back()->text, "Please enter a positive integer.");
    EXPECT_DOUBLE_EQ(dialog.real, 0.25);  // fields before the refusal were saved
}

TEST_F(DdxTest, RefusalStopsTheRestOfTheExchange) {
    desk->queueBoxAnswer(IDOK);
    SetDlgItemTextA(hwnd, IDC_NUMBER, "nope");
    item(IDC_CHECK, BM_SETCHECK, BST_UNCHECKED);
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.check, 1);  // after the refused field: untouched
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(DdxTest, RefreshingUnchangedFieldsSendsNoChange) {
    // Outside UpdateData every WM_SETTEXT of the edit notifies EN_CHANGE...
    SetDlgItemTextA(hwnd, IDC_TEXT, "start");
    EXPECT_EQ(dialog.textChanges, 1);
    // ...loading sets only what differs, and the dialog's handlers never see the loading.
    dialog.textChanges = 0;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(dialog.textChanges, 0);
}

TEST_F(DdxTest, SetWindowTextOnlyWhenDifferent) {
    HWND edit = GetDlgItem(hwnd, IDC_TEXT);
    dialog.textChanges = 0;
    AfxSetWindowText(edit, "start");
    EXPECT_EQ(dialog.textChanges, 0);
    AfxSetWindowText(edit, "starts");
    EXPECT_EQ(dialog.textChanges, 1);
    AfxSetWindowText(edit, "star");
    EXPECT_EQ(dialog.textChanges, 2);
    AfxSetWindowText(edit, nullptr);
    EXPECT_EQ(itemText(hwnd, IDC_TEXT), "");
    AfxSetWindowText(nullptr, "x");  // no window: nothing
}

TEST_F(DdxTest, TemporaryWrappersAreOfTheControlsClass) {
    // `(CEdit*)GetDlgItem(id)` must name a real CEdit, as pages cast that way.
    struct Row {
        int id;
        bool (*isRightClass)(CWnd*);
        const char* what;
    } rows[] = {
        {IDC_TEXT, [](CWnd* w) { return dynamic_cast<CEdit*>(w) != nullptr; }, "edit"},
        {IDC_CHECK, [](CWnd* w) { return dynamic_cast<CButton*>(w) != nullptr; }, "button"},
        {IDC_LIST, [](CWnd* w) { return dynamic_cast<CComboBox*>(w) != nullptr; }, "combo"},
        {IDC_LISTBOX, [](CWnd* w) { return dynamic_cast<CListBox*>(w) != nullptr; }, "list"},
    };
    for (const Row& row : rows) {
        CWnd* wnd = dialog.GetDlgItem(row.id);
        ASSERT_NE(wnd, nullptr) << row.what;
        EXPECT_TRUE(row.isRightClass(wnd)) << row.what;
    }
    auto* edit = static_cast<CEdit*>(dialog.GetDlgItem(IDC_TEXT));
    edit->SetSel(0, 2);
    int start = -1;
    int end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
    auto* list = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_LIST));
    CString text;
    list->GetLBText(1, text);
    EXPECT_STREQ(text, "beta");
    EXPECT_EQ(list->GetCount(), 3);
}

TEST_F(DdxTest, MissingControlFailsTheExchange) {
    struct Missing : CWnd {
        void DoDataExchange(CDataExchange* dx) override {
            CString value;
            DDX_Text(dx, 4242, value);
        }
    } missing;
    ASSERT_TRUE(missing.Attach(CreateWindowExA(0, kRecorderClass, "", WS_POPUP, 0, 0, 10, 10,
                                               nullptr, nullptr, nullptr, nullptr)));
    EXPECT_FALSE(missing.UpdateData(TRUE));
    EXPECT_FALSE(missing.UpdateData(FALSE));
    missing.DestroyWindow();
    missing.Detach();
}

}  // namespace
}  // namespace kvtest
