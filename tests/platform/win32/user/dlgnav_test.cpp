// The keyboard interface of dialogs: the tab order across a DS_CONTROL child dialog, arrow
// keys in radio groups, Enter and Escape with and without a default button, access keys, and
// the default button following the focus.
#include <algorithm>
#include <map>
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
        {0, TRUE, 0},  // as on Windows, nothing comes before no control
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

// GetNextDlgTabItem and GetNextDlgGroupItem over a deep tree of controls, as Windows walks it:
// children of a WS_EX_CONTROLPARENT window are walked into, those of a DS_CONTROL window without
// it are not; hidden and disabled controls are skipped, controls without WS_TABSTOP too for
// tabs but not for groups; a group runs from a WS_GROUP control to the next and wraps.
TEST_F(DialogNavigationTest, NextTabAndGroupItemsOfADeepTree) {
    struct Node {
        int id;
        int parent;  // 0: the top window
        DWORD style;
        DWORD exStyle;
    };
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD ctlParent = WS_EX_CONTROLPARENT;
    const Node tree[] = {
        {1, 0, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS, WS_EX_WINDOWEDGE},
        {20, 1, child | WS_GROUP, 0},
        {2, 1, child, ctlParent},
        {60, 2, child | WS_TABSTOP, 0},
        // A disabled container: its groups are still walked.
        {8, 2, child | WS_DISABLED | WS_TABSTOP, ctlParent},
        {85, 8, child | WS_TABSTOP | WS_GROUP, 0},
        {9, 8, WS_CHILD, ctlParent},
        {86, 9, child, 0},
        {87, 9, child, 0},
        {31, 8, child | WS_GROUP, 0},
        {10, 2, child, ctlParent},
        {88, 10, child | WS_GROUP, 0},
        {11, 10, WS_CHILD, ctlParent},
        {89, 11, child, 0},
        {32, 11, child | WS_GROUP, 0},
        {90, 11, child, 0},
        {33, 10, child | WS_GROUP, 0},
        {21, 2, child | WS_GROUP, 0},
        {61, 2, child | WS_TABSTOP, 0},
        {3, 1, child | DS_CONTROL, 0},
        {22, 3, child | WS_GROUP, 0},
        {62, 3, child | WS_TABSTOP, 0},
        {7, 3, child, ctlParent},
        {4, 7, child | DS_CONTROL, 0},
        {83, 4, child, 0},
        {5, 4, child | DS_CONTROL, 0},
        {29, 5, child | WS_GROUP, 0},
        {81, 5, child, 0},
        // The dialog most rows walk in.
        {6, 5, child, ctlParent},
        {63, 6, child | WS_DISABLED | WS_TABSTOP, 0},
        {64, 6, WS_CHILD | WS_TABSTOP, 0},
        {65, 6, WS_CHILD | WS_DISABLED | WS_TABSTOP, 0},
        {66, 6, child, 0},
        {23, 6, child | WS_GROUP, 0},
        {67, 6, child | WS_TABSTOP, 0},
        {24, 6, WS_CHILD | WS_DISABLED | WS_GROUP, 0},
        {68, 6, child | WS_DISABLED | WS_TABSTOP, 0},
        {69, 6, WS_CHILD | WS_TABSTOP, 0},
        {25, 6, child | WS_GROUP, 0},
        {70, 6, child, 0},
        {71, 6, child | WS_DISABLED | WS_TABSTOP, 0},
        {72, 6, child | WS_TABSTOP, 0},
        {73, 6, child | WS_DISABLED | WS_TABSTOP, 0},
        {26, 6, child | WS_GROUP, 0},
        {74, 6, child | WS_TABSTOP, 0},
        {75, 6, child | WS_TABSTOP, 0},
        {27, 6, child | WS_DISABLED | WS_GROUP, 0},
        {76, 6, child | WS_TABSTOP, 0},
        {77, 6, child | WS_TABSTOP, 0},
        {28, 6, WS_CHILD | WS_GROUP, 0},
        {78, 6, child | WS_TABSTOP, 0},
        {79, 6, child, 0},
        {80, 6, child | WS_DISABLED | WS_TABSTOP, 0},
        {82, 5, child, 0},
        {30, 5, child | WS_GROUP, 0},
        {84, 4, child | WS_TABSTOP, 0},
    };
    std::map<int, HWND> made;
    for (const Node& node : tree) {
        HWND parent = node.parent ? made.at(node.parent) : nullptr;
        HWND hwnd = CreateWindowExA(
            node.exStyle, WC_STATICA, "", node.style, 10, 10, 10, 10, parent,
            node.parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(2000 + node.id)) : nullptr,
            nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr) << node.id;
        made[node.id] = hwnd;
    }
    const auto idOf = [&](HWND h) {
        for (const auto& [id, hwnd] : made) {
            if (hwnd == h) {
                return id;
            }
        }
        return h ? -1 : 0;
    };
    struct Row {
        int dialog;
        int from;  // 0: none
        bool tab;
        bool previous;
        int expected;  // 0: none
    };
    const Row rows[] = {
        {6, 0, false, true, 0},    {6, 0, true, true, 0},     {6, 6, false, true, 0},
        {6, 6, true, true, 0},     {6, 0, false, false, 66},  {6, 0, true, false, 67},
        {6, 6, false, false, 66},  {6, 6, true, false, 67},   {4, 83, true, false, 84},
        {4, 83, false, false, 5},  {5, 81, true, false, 67},  {5, 81, false, false, 66},
        {5, 82, true, true, 78},   {5, 82, false, true, 79},  {6, 70, false, false, 72},
        {6, 72, false, false, 25}, {6, 75, false, false, 26}, {6, 77, false, false, 76},
        {6, 79, false, false, 66}, {6, 71, false, false, 72}, {6, 64, false, false, 66},
        {6, 25, false, false, 70}, {6, 68, false, false, 68}, {6, 25, false, true, 72},
        {1, 70, false, false, 72}, {1, 70, true, false, 72},  {6, 67, true, false, 72},
        {6, 72, true, true, 67},   {2, 0, false, false, 60},  {2, 0, true, false, 60},
    };
    for (const Row& row : rows) {
        HWND dialog = made.at(row.dialog);
        HWND from = row.from ? made.at(row.from) : nullptr;
        HWND got = row.tab ? GetNextDlgTabItem(dialog, from, row.previous)
                           : GetNextDlgGroupItem(dialog, from, row.previous);
        EXPECT_EQ(idOf(got), row.expected)
            << (row.previous ? "previous " : "next ") << (row.tab ? "tab" : "group") << " item of "
            << row.from << " in " << row.dialog;
    }
    DestroyWindow(made.at(1));
}

}  // namespace
