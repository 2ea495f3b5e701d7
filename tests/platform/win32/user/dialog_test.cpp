// The dialog manager: dialogs made from templates (controls, ids, positions in pixels from
// dialog units, fonts), WM_INITDIALOG's focus rules, the default dialog procedure's answers,
// default buttons, the check-box helpers, and modal loops driven by queued input.
#include <cstring>
#include <memory>
#include <vector>

#include "DialogTestSupport.h"
#include "kvwin32/desktop.h"
#include "kvwin32/winbase.h"
#include "kvwin32/wingdi.h"

namespace {

using kvtest::DialogFixture;
using kvtest::DialogProbe;

class DialogTest : public DialogFixture {
  protected:
    HWND make(int id, DialogProbe& probe, HWND parent = nullptr) {
        return CreateDialogParamA(nullptr, MAKEINTRESOURCEA(id), parent, DialogProbe::proc,
                                  probe.param());
    }
    DialogProbe probe;
};

TEST_F(DialogTest, ControlsComeInTemplateOrderWithClassIdAndPixelRectangle) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    // x*6/4 and y*13/8, rounded to nearest: the single font's base units.
    struct Row {
        int id;
        const char* cls;
        RECT rect;
    } rows[] = {
        {IDC_NAME_LABEL, "Static", {11, 15, 71, 28}},
        {IDC_NAME, "Edit", {75, 11, 255, 34}},
        {IDC_ENABLED, "Button", {11, 42, 131, 58}},
        {IDC_MODE_GROUP, "Button", {11, 65, 176, 150}},
        {IDC_FAST, "Button", {21, 85, 141, 101}},
        {IDC_KIND, "ComboBox", {186, 65, 336, -1}},
        {IDC_LIST, "ListBox", {186, 124, 336, 189}},
        {IDOK, "Button", {105, 258, 180, 281}},
        {IDC_HELP_BUTTON, "Button", {273, 258, 348, 281}},
    };
    std::vector<int> order;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        order.push_back(GetDlgCtrlID(c));
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_NAME_LABEL, IDC_NAME, IDC_ENABLED, IDC_MODE_GROUP,
                                       IDC_FAST, IDC_SLOW, IDC_PRECISE, IDC_KIND, IDC_KIND_EDIT,
                                       IDC_LIST, IDC_NOTES, IDOK, IDCANCEL, IDC_HELP_BUTTON}));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        HWND c = GetDlgItem(dialog, row.id);
        ASSERT_NE(c, nullptr);
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        EXPECT_STREQ(cls, row.cls);
        EXPECT_TRUE(GetWindowLongA(c, GWL_STYLE) & WS_CHILD);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.rect.left);
        EXPECT_EQ(r.top, row.rect.top);
        EXPECT_EQ(r.right, row.rect.right);
        if (row.rect.bottom >= 0) {  // a combo box decides its own height
            EXPECT_EQ(r.bottom, row.rect.bottom);
        }
    }
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 360);
    EXPECT_EQ(client.bottom, 293);
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "All Controls");
}

// Dialogs have the three-dimensional look: the dialog gets DS_3DLOOK whatever its template
// says, and a control's plain border (WS_BORDER, which EDITTEXT and LISTBOX statements give)
// becomes a sunken client edge; controls without a border keep none.
TEST_F(DialogTest, ControlBordersBecomeSunkenClientEdges) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & DS_3DLOOK);
    struct Row {
        int id;
        bool sunken;
    } rows[] = {
        {IDC_NAME, true}, {IDC_LIST, true},  {IDC_NOTES, true},       {IDC_NAME_LABEL, false},
        {IDOK, false},    {IDC_KIND, false}, {IDC_MODE_GROUP, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        HWND c = GetDlgItem(dialog, row.id);
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(GetWindowLongA(c, GWL_STYLE) & WS_BORDER);
        EXPECT_EQ((GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, row.sunken);
    }
    // The edge takes two pixels a side from the client area.
    RECT window{};
    RECT client{};
    GetWindowRect(GetDlgItem(dialog, IDC_NAME), &window);
    GetClientRect(GetDlgItem(dialog, IDC_NAME), &client);
    EXPECT_EQ(window.right - window.left - client.right, 4);
    EXPECT_EQ(window.bottom - window.top - client.bottom, 4);
}

TEST_F(DialogTest, TopLevelDialogSitsAtTemplatePositionInOwnersClientArea) {
    HWND owner = CreateWindowExA(0, kvtest::kRecorderClass, "", WS_POPUP | WS_VISIBLE, 100, 50, 400,
                                 300, nullptr, nullptr, nullptr, nullptr);
    HWND dialog = make(IDD_ALL_CONTROLS, probe, owner);
    ASSERT_NE(dialog, nullptr);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(origin.x, 100 + 15);  // 10 dialog units
    EXPECT_EQ(origin.y, 50 + 33);   // 20 dialog units
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
}

TEST_F(DialogTest, TemplateFontGoesToEveryControlAndNoFontMeansNone) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    auto font = SendMessageA(dialog, WM_GETFONT, 0, 0);
    EXPECT_NE(font, 0);
    for (int id : {IDC_NAME_LABEL, IDC_NAME, IDOK, IDC_LIST}) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0), font) << id;
    }
    HWND plain = make(IDD_NO_FONT, probe);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(SendMessageA(plain, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(plain, IDOK, WM_GETFONT, 0, 0), 0);
}

TEST_F(DialogTest, InitDialogTrueFocusesFirstTabStopWithItsTextSelected) {
    probe.handler = [](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            SetDlgItemTextA(dialog, IDC_NAME, "hello");
        }
        return FALSE;
    };
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(probe.initFocus, GetDlgItem(dialog, IDC_NAME));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NAME));
    DWORD start = 0;
    DWORD end = 0;
    SendDlgItemMessageA(dialog, IDC_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

TEST_F(DialogTest, InitDialogFalseKeepsTheFocusTheProcedureChose) {
    probe.initAnswer = FALSE;
    probe.handler = [](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            SetFocus(GetDlgItem(dialog, IDC_ENABLED));
        }
        return FALSE;
    };
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(kvtest::focusedId(), IDC_ENABLED);
}

// A dialog whose WM_INITDIALOG answers FALSE without choosing a focus has none; when it then
// takes the focus it hands it to its first tab stop, which is the checked radio button of a
// group (checking one makes it the group's tab stop).
TEST_F(DialogTest, FocusGoesToTheFirstTabStopWhenTheDialogTakesIt) {
    SetFocus(nullptr);
    probe.initAnswer = FALSE;
    probe.handler = [](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            EnableWindow(GetDlgItem(dialog, IDC_FIRST_BUTTON), FALSE);
            SendDlgItemMessageA(dialog, IDC_COLOR_RED, BM_SETCHECK, BST_UNCHECKED, 0);
            SendDlgItemMessageA(dialog, IDC_COLOR_GREEN, BM_SETCHECK, BST_CHECKED, 0);
        }
        return FALSE;
    };
    HWND dialog = make(IDD_RADIO_GROUPS, probe);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    SetFocus(dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_COLOR_GREEN));
}

// WM_SETFOCUS to a dialog puts the focus back on its control and selects an edit's whole text;
// WM_ACTIVATE leaves the selection alone.
TEST_F(DialogTest, SetFocusSelectsTheEditsTextButActivateDoesNot) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, IDC_NAME);
    SetWindowTextA(edit, "Hello world");
    const auto selection = [edit] {
        DWORD start = 99, end = 99;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    SetFocus(nullptr);
    SendMessageA(dialog, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>{0, 11}));
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(DialogTest, ProcedureAnswersThroughMsgResultExceptDirectMessages) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    probe.handler = [brush](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_USER + 50) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1234);
            return TRUE;
        }
        if (msg == WM_CTLCOLORDLG) {
            return reinterpret_cast<INT_PTR>(brush);
        }
        return FALSE;
    };
    HWND dialog = make(IDD_NO_DEFAULT, probe);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(dialog, WM_USER + 50, 0, 0), 1234);
    EXPECT_EQ(SendMessageA(dialog, WM_USER + 51, 0, 0), 0);
    EXPECT_EQ(SendMessageA(dialog, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog)),
              reinterpret_cast<LRESULT>(brush));
    DestroyWindow(dialog);
    DeleteObject(brush);
}

TEST_F(DialogTest, DefaultIdFollowsTemplateAndSetDefId) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    EXPECT_TRUE(SendMessageA(dialog, DM_SETDEFID, IDC_HELP_BUTTON, 0));
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDC_HELP_BUTTON, DC_HASDEFID));
    auto kind = [&](int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & 0xF; };
    EXPECT_EQ(kind(IDC_HELP_BUTTON), BS_DEFPUSHBUTTON);
    EXPECT_EQ(kind(IDOK), BS_PUSHBUTTON);

    HWND none = make(IDD_NO_DEFAULT, probe);
    EXPECT_EQ(SendMessageA(none, DM_GETDEFID, 0, 0), 0);
}

TEST_F(DialogTest, EndDialogHidesModelessDialogAndRefusesOtherWindows) {
    HWND dialog = make(IDD_NO_DEFAULT, probe);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(EndDialog(dialog, 7));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(IsWindowVisible(dialog));
    HWND plain = create(WS_POPUP);
    EXPECT_FALSE(EndDialog(plain, 1));
    EXPECT_FALSE(EndDialog(nullptr, 1));
}

TEST_F(DialogTest, MapDialogRectAndBaseUnitsUseOneRule) {
    HWND dialog = make(IDD_NO_DEFAULT, probe);
    struct Row {
        RECT in, out;
    } rows[] = {
        {{0, 0, 4, 8}, {0, 0, 6, 13}},
        {{1, 1, 3, 3}, {2, 2, 5, 5}},  // 1.5 and 1.625 round up, 4.5 and 4.875 too
        {{10, 20, 240, 180}, {15, 33, 360, 293}},
        {{-4, -8, 0, 0}, {-6, -13, 0, 0}},
    };
    for (const Row& row : rows) {
        RECT r = row.in;
        ASSERT_TRUE(MapDialogRect(dialog, &r));
        EXPECT_TRUE(EqualRect(&r, &row.out)) << row.in.left << "," << row.in.top << " -> " << r.left
                                             << "," << r.top << "," << r.right << "," << r.bottom;
    }
    RECT r{};
    EXPECT_FALSE(MapDialogRect(create(WS_POPUP), &r));
    EXPECT_FALSE(MapDialogRect(dialog, nullptr));
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
}

TEST_F(DialogTest, CheckHelpersSetStatesWithoutNotifying) {
    HWND dialog = make(IDD_RADIO_GROUPS, probe);
    probe.commands.clear();
    EXPECT_TRUE(CheckRadioButton(dialog, IDC_COLOR_RED, IDC_COLOR_BLUE, IDC_COLOR_GREEN));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COLOR_RED), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COLOR_GREEN), BST_CHECKED);
    EXPECT_TRUE(CheckRadioButton(dialog, IDC_COLOR_RED, IDC_COLOR_BLUE, IDC_COLOR_BLUE));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COLOR_GREEN), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COLOR_BLUE), BST_CHECKED);
    EXPECT_TRUE(CheckDlgButton(dialog, IDC_BOLD, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BOLD), BST_CHECKED);
    EXPECT_FALSE(CheckDlgButton(dialog, 4242, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 4242), 0u);
    EXPECT_TRUE(probe.commands.empty());
}

TEST_F(DialogTest, ChildDialogIsAControlParentWithoutFrame) {
    HWND host = make(IDD_HOST, probe);
    DialogProbe childProbe;
    HWND child = make(IDD_CHILD, childProbe, host);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), host);
    EXPECT_TRUE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(GetWindowLongA(child, GWL_STYLE) & WS_CAPTION);
    // A hidden child dialog takes no focus from its WM_INITDIALOG.
    EXPECT_NE(GetParent(GetFocus()), child);
    // The child's probe lives in this function: the child goes before it does.
    DestroyWindow(child);
}

TEST_F(DialogTest, CloseBoxPostsCancelUnlessCancelIsDisabled) {
    HWND dialog = make(IDD_ALL_CONTROLS, probe);
    probe.commands.clear();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    pump(dialog);
    EXPECT_EQ(probe.commands, (std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    probe.commands.clear();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    pump(dialog);
    EXPECT_TRUE(probe.commands.empty());
}

// An old-style DLGTEMPLATE in memory: a header, empty menu and class, a title, one button.
std::vector<WORD> oldTemplate() {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&t](const char* s) {
        for (; *s; ++s) {
            t.push_back(static_cast<unsigned char>(*s));
        }
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION);
    dword(0);
    t.push_back(1);  // one item
    for (WORD v : {0, 0, 100, 50}) {
        t.push_back(v);
    }
    t.push_back(0);  // no menu
    t.push_back(0);  // dialog class
    text("Old");
    while (t.size() % 2) {
        t.push_back(0);  // items start on a DWORD
    }
    dword(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    dword(0);
    for (WORD v : {4, 8, 40, 16}) {
        t.push_back(v);
    }
    t.push_back(IDOK);
    t.push_back(0xFFFF);
    t.push_back(0x0080);  // Button
    text("Go");
    t.push_back(0);  // no creation data
    return t;
}

TEST_F(DialogTest, OldStyleTemplateInMemory) {
    std::vector<WORD> t = oldTemplate();
    HWND dialog = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                             nullptr, DialogProbe::proc, probe.param());
    ASSERT_NE(dialog, nullptr);
    HWND button = GetDlgItem(dialog, IDOK);
    ASSERT_NE(button, nullptr);
    char text[16] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "Go");
    char cls[16] = {};
    GetClassNameA(button, cls, sizeof cls);
    EXPECT_STREQ(cls, "Button");
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "Old");
}

// Without a tab stop the first control takes the focus: when the dialog is made, and when a
// dialog that never had the focus is sent WM_SETFOCUS. Activation alone gives it none.
TEST_F(DialogTest, WithoutTabStopsTheFirstControlTakesTheFocus) {
    std::vector<WORD> t = oldTemplate();  // one push button without WS_TABSTOP
    const auto* tmpl = reinterpret_cast<LPCDLGTEMPLATEA>(t.data());
    HWND dialog =
        CreateDialogIndirectParamA(nullptr, tmpl, nullptr, DialogProbe::proc, probe.param());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    DestroyWindow(dialog);

    DialogProbe quiet;
    quiet.initAnswer = FALSE;
    SetFocus(nullptr);
    dialog = CreateDialogIndirectParamA(nullptr, tmpl, nullptr, DialogProbe::proc, quiet.param());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), nullptr);
    SendMessageA(dialog, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
    DestroyWindow(dialog);
}

TEST_F(DialogTest, MissingTemplateFails) {
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(9999), nullptr, DialogProbe::proc, 0),
              nullptr);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(9999), nullptr, DialogProbe::proc, 0), -1);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, nullptr, DialogProbe::proc, 0), -1);
}

// ---- Modal dialogs driven by queued input ------------------------------------------------------

class ModalDialogTest : public DialogTest {
  protected:
    kvwin32::ScriptedDesktop& scripted() {
        return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
    }
    kvwin32::DesktopScope scope{std::make_unique<kvwin32::ScriptedDesktop>()};

    // Queues a key press into the focused window, as the user's next input.
    void queueKey(UINT vk) {
        scripted().queueAction([vk] {
            HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
            PostMessageA(target, WM_KEYDOWN, vk, 0);
            PostMessageA(target, WM_KEYUP, vk, 0);
        });
    }
};

TEST_F(ModalDialogTest, EnterEndsWithDefaultButtonAndOwnerIsDisabledMeanwhile) {
    HWND owner = create(WS_POPUP | WS_VISIBLE);
    BOOL ownerEnabledInside = TRUE;
    probe.handler = [&](HWND dialog, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
            ownerEnabledInside = IsWindowEnabled(owner);
            EndDialog(dialog, 42);
            return TRUE;
        }
        return FALSE;
    };
    queueKey(VK_RETURN);
    INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ALL_CONTROLS), owner,
                                     DialogProbe::proc, probe.param());
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowA(nullptr, "All Controls"), nullptr);  // destroyed
}

TEST_F(ModalDialogTest, EscapeSendsCancelToTheProcedure) {
    probe.handler = [](HWND dialog, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    };
    queueKey(VK_ESCAPE);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ALL_CONTROLS), nullptr,
                              DialogProbe::proc, probe.param()),
              IDCANCEL);
    EXPECT_EQ(scripted().pendingActions(), 0u);
}

TEST_F(ModalDialogTest, InputEndingInsideTheLoopCancelsAndNotesIt) {
    // The procedure ignores IDCANCEL: the loop ends the dialog itself.
    queueKey(VK_TAB);
    INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ALL_CONTROLS), nullptr,
                                     DialogProbe::proc, probe.param());
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_FALSE(probe.commands.empty());
    EXPECT_EQ(probe.commands.back(), MAKEWPARAM(IDCANCEL, BN_CLICKED));
    const kvwin32::TranscriptEntry* note =
        scripted().transcript().last(kvwin32::TranscriptKind::note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->line.find("input ended in modal dialog \"All Controls\": cancelled"),
              std::string::npos)
        << note->line;
}

TEST_F(ModalDialogTest, QuitEndsTheLoopAndIsPostedAgain) {
    scripted().queueAction([] { PostQuitMessage(3); });
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_NO_DEFAULT), nullptr, DialogProbe::proc,
                              probe.param()),
              IDCANCEL);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
