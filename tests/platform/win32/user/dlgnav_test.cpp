// The keyboard interface of dialogs: the tab order across a DS_CONTROL child dialog, arrow
// keys in radio groups, Enter and Escape with and without a default button, access keys, and
// the default button following the focus.
#include <algorithm>
#include <vector>

#include "DialogTestSupport.h"

namespace {

using kvtest::DialogFixture;
using kvtest::DialogProbe;
using kvtest::focusedId;

class DialogNavigationTest : public DialogFixture {
  protected:
    HWND make(int id, HWND parent = nullptr) {
        HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(id), parent, DialogProbe::proc,
                                         probe.param());
        if (dialog && !parent) {
            ShowWindow(dialog, SW_SHOW);
        }
        return dialog;
    }
    void focus(HWND dialog, int id) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
    }
    // The host with its child dialog in the place of the hidden placeholder, so that the child's
    // controls come between "before" and "after" in the tab order.
    HWND makeHostWithChild() {
        HWND host = make(IDD_HOST);
        child = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_CHILD), host, DialogProbe::proc,
                                   childProbe.param());
        SetWindowPos(child, GetDlgItem(host, IDC_CHILD_PLACE), 0, 40, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(child, SW_SHOW);
        return host;
    }
    DialogProbe probe;
    DialogProbe childProbe;
    HWND child = nullptr;
};

TEST_F(DialogNavigationTest, TabAndShiftTabWalkIntoTheChildDialog) {
    HWND host = makeHostWithChild();
    focus(host, IDC_BEFORE);
    // Both radio buttons are tab stops until one of them is checked (the resource compiler
    // gives AUTORADIOBUTTON WS_TABSTOP, and checking moves it to the checked button).
    const std::vector<int> forward = {IDC_CHILD_FIRST,
                                      IDC_CHILD_SECOND,
                                      IDC_CHILD_RADIO_A,
                                      IDC_CHILD_RADIO_B,
                                      IDC_CHILD_LAST,
                                      IDC_AFTER,
                                      IDOK,
                                      IDCANCEL,
                                      IDC_BEFORE};
    for (std::size_t i = 0; i < forward.size(); ++i) {
        key(host, VK_TAB);
        EXPECT_EQ(focusedId(), forward[i]) << "Tab number " << i + 1;
    }
    press(VK_SHIFT);
    for (std::size_t i = forward.size() - 1; i-- > 0;) {
        key(host, VK_TAB);
        EXPECT_EQ(focusedId(), forward[i]) << "Shift+Tab back to row " << i;
    }
    release(VK_SHIFT);
}

TEST_F(DialogNavigationTest, TabSkipsHiddenAndDisabledControls) {
    HWND host = makeHostWithChild();
    EnableWindow(GetDlgItem(child, IDC_CHILD_FIRST), FALSE);
    ShowWindow(GetDlgItem(child, IDC_CHILD_SECOND), SW_HIDE);
    focus(host, IDC_BEFORE);
    key(host, VK_TAB);
    EXPECT_EQ(focusedId(), IDC_CHILD_RADIO_A);
    // A disabled child dialog takes none of its controls into the order.
    EnableWindow(child, FALSE);
    focus(host, IDC_BEFORE);
    key(host, VK_TAB);
    EXPECT_EQ(focusedId(), IDC_AFTER);
}

TEST_F(DialogNavigationTest, GetNextDlgTabItemTable) {
    HWND host = makeHostWithChild();
    struct Row {
        int from;  // 0: no control
        BOOL previous;
        int expected;
    } rows[] = {
        {0, FALSE, IDC_BEFORE},
        {0, TRUE, IDCANCEL},
        {IDC_BEFORE, TRUE, IDCANCEL},
        {IDC_AFTER, TRUE, IDC_CHILD_LAST},
        {IDC_CHILD_PLACE, FALSE, IDC_CHILD_FIRST},
    };
    for (const Row& row : rows) {
        HWND from = row.from ? GetDlgItem(host, row.from) : nullptr;
        if (row.from && from == nullptr) {
            from = GetDlgItem(child, row.from);
        }
        HWND next = GetNextDlgTabItem(host, from, row.previous);
        EXPECT_EQ(next ? GetDlgCtrlID(next) : 0, row.expected)
            << "from " << row.from << (row.previous ? " backwards" : " forwards");
    }
    EXPECT_EQ(GetNextDlgTabItem(nullptr, nullptr, FALSE), nullptr);
}

TEST_F(DialogNavigationTest, ArrowsMoveWithinRadioGroupAndCheckAutoRadios) {
    HWND dialog = make(IDD_RADIO_GROUPS);
    focus(dialog, IDC_COLOR_RED);
    struct Step {
        UINT key;
        int focused;
    } steps[] = {
        {VK_DOWN, IDC_COLOR_GREEN}, {VK_DOWN, IDC_COLOR_BLUE},  {VK_RIGHT, IDC_COLOR_RED},
        {VK_UP, IDC_COLOR_BLUE},    {VK_LEFT, IDC_COLOR_GREEN},
    };
    for (const Step& step : steps) {
        probe.commands.clear();
        key(dialog, step.key);
        EXPECT_EQ(focusedId(), step.focused) << "key " << step.key;
        for (int id : {IDC_COLOR_RED, IDC_COLOR_GREEN, IDC_COLOR_BLUE}) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, id), id == step.focused ? 1u : 0u)
                << "after key " << step.key << ", button " << id;
        }
        ASSERT_FALSE(probe.commands.empty());
        for (WPARAM command : probe.commands) {
            EXPECT_EQ(command, MAKEWPARAM(step.focused, BN_CLICKED));
        }
    }
    // The next group ends at the check boxes.
    focus(dialog, IDC_SIZE_SMALL);
    key(dialog, VK_DOWN);
    EXPECT_EQ(focusedId(), IDC_SIZE_LARGE);
    key(dialog, VK_DOWN);
    EXPECT_EQ(focusedId(), IDC_SIZE_SMALL);
}

TEST_F(DialogNavigationTest, GetNextDlgGroupItemTable) {
    HWND dialog = make(IDD_RADIO_GROUPS);
    ShowWindow(GetDlgItem(dialog, IDC_COLOR_GREEN), SW_HIDE);
    struct Row {
        int from;
        BOOL previous;
        int expected;
    } rows[] = {
        {IDC_COLOR_RED, FALSE, IDC_COLOR_BLUE},  // the hidden one is skipped
        {IDC_COLOR_RED, TRUE, IDC_COLOR_BLUE},
        {IDC_COLOR_BLUE, FALSE, IDC_COLOR_RED},
        {IDC_SIZE_LARGE, FALSE, IDC_SIZE_SMALL},
        {IDC_BOLD, FALSE, IDC_ITALIC},
        {IDOK, FALSE, IDCANCEL},
        // The first push button has no WS_GROUP: it belongs to the last group, OK's.
        {IDCANCEL, FALSE, IDC_FIRST_BUTTON},
        {IDC_FIRST_BUTTON, FALSE, IDOK},
    };
    for (const Row& row : rows) {
        HWND next = GetNextDlgGroupItem(dialog, GetDlgItem(dialog, row.from), row.previous);
        EXPECT_EQ(next ? GetDlgCtrlID(next) : 0, row.expected)
            << "from " << row.from << (row.previous ? " backwards" : " forwards");
    }
}

TEST_F(DialogNavigationTest, EnterAndEscapeCommands) {
    struct Row {
        int dialogId;
        int focusId;
        UINT key;
        int command;  // 0: none
    } rows[] = {
        {IDD_ALL_CONTROLS, IDC_NAME, VK_RETURN, IDOK},  // the default button
        {IDD_ALL_CONTROLS, IDC_NAME, VK_ESCAPE, IDCANCEL},
        {IDD_ALL_CONTROLS, IDCANCEL, VK_RETURN, IDCANCEL},  // a focused push button
        {IDD_ALL_CONTROLS, IDC_NOTES, VK_RETURN, 0},        // ES_WANTRETURN keeps Enter
        {IDD_NO_DEFAULT, IDC_NAME, VK_RETURN, IDOK},        // no default: IDOK anyway
        {IDD_RADIO_GROUPS, IDC_FIRST_BUTTON, VK_RETURN, IDC_FIRST_BUTTON},
    };
    for (const Row& row : rows) {
        HWND dialog = make(row.dialogId);
        focus(dialog, row.focusId);
        probe.commands.clear();
        key(dialog, row.key);
        std::vector<WPARAM> buttons;
        for (WPARAM command : probe.commands) {
            if (HIWORD(command) == BN_CLICKED) {
                buttons.push_back(LOWORD(command));
            }
        }
        std::vector<WPARAM> expected;
        if (row.command) {
            expected.push_back(static_cast<WPARAM>(row.command));
        }
        EXPECT_EQ(buttons, expected)
            << "dialog " << row.dialogId << ", focus " << row.focusId << ", key " << row.key;
        DestroyWindow(dialog);
    }
}

TEST_F(DialogNavigationTest, DisabledDefaultButtonIgnoresEnter) {
    HWND dialog = make(IDD_ALL_CONTROLS);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    focus(dialog, IDC_NAME);
    probe.commands.clear();
    key(dialog, VK_RETURN);
    for (WPARAM command : probe.commands) {
        EXPECT_NE(LOWORD(command), IDOK);
    }
}

TEST_F(DialogNavigationTest, AccessKeys) {
    HWND dialog = make(IDD_ALL_CONTROLS);
    focus(dialog, IDC_NAME);
    // Alt+letter from anywhere: a label hands the focus on, buttons are clicked.
    character(dialog, 'f', true);
    EXPECT_EQ(focusedId(), IDC_FAST);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FAST), 1u);
    character(dialog, 'N', true);
    EXPECT_EQ(focusedId(), IDC_NAME);
    character(dialog, 'e', true);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ENABLED), 1u);
    probe.commands.clear();
    character(dialog, 'h', true);
    EXPECT_NE(std::find(probe.commands.begin(), probe.commands.end(),
                        MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED)),
              probe.commands.end());
    // A plain letter is an access key only where the focused control takes no characters.
    focus(dialog, IDC_NAME);
    character(dialog, 'e');
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ENABLED), 1u);
    char text[16] = {};
    GetDlgItemTextA(dialog, IDC_NAME, text, sizeof text);
    EXPECT_STREQ(text, "e");
    focus(dialog, IDOK);
    character(dialog, 's');
    EXPECT_EQ(focusedId(), IDC_SLOW);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SLOW), 1u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FAST), 0u);
}

TEST_F(DialogNavigationTest, DefaultLookFollowsFocusBetweenPushButtons) {
    HWND dialog = make(IDD_ALL_CONTROLS);
    auto kind = [&](int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & 0xF; };
    focus(dialog, IDOK);
    EXPECT_EQ(kind(IDOK), BS_DEFPUSHBUTTON);
    key(dialog, VK_TAB);  // to Cancel
    EXPECT_EQ(focusedId(), IDCANCEL);
    EXPECT_EQ(kind(IDCANCEL), BS_DEFPUSHBUTTON);
    EXPECT_EQ(kind(IDOK), BS_PUSHBUTTON);
    key(dialog, VK_TAB);  // to Help
    EXPECT_EQ(kind(IDC_HELP_BUTTON), BS_DEFPUSHBUTTON);
    EXPECT_EQ(kind(IDCANCEL), BS_PUSHBUTTON);
    key(dialog, VK_TAB);  // round to the edit: the dialog's default comes back
    EXPECT_EQ(focusedId(), IDC_NAME);
    EXPECT_EQ(kind(IDOK), BS_DEFPUSHBUTTON);
    EXPECT_EQ(kind(IDC_HELP_BUTTON), BS_PUSHBUTTON);
}

TEST_F(DialogNavigationTest, MessagesOfOtherWindowsAreNotTheDialogs) {
    HWND dialog = make(IDD_NO_DEFAULT);
    HWND other = create(WS_POPUP);
    MSG msg{other, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(IsDialogMessageA(dialog, &msg));
    EXPECT_FALSE(IsDialogMessageA(dialog, nullptr));
    EXPECT_FALSE(IsDialogMessageA(nullptr, &msg));
}

}  // namespace
