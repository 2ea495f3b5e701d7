// The "Button" control: what each kind tells its parent for clicks, Space and BM_CLICK, the
// check state it holds at that moment, the auto radio group rule, owner drawing and the
// dialog codes the dialog manager relies on.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

using kvtest::RecordedMsg;

namespace {

class ButtonTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent =
            create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 300, 200, kvtest::kRecorderParentClass);
    }

    HWND button(DWORD style, int id = 100, const char* text = "Push", int x = 10, int y = 10) {
        return CreateWindowExA(0, WC_BUTTONA, text, WS_CHILD | WS_VISIBLE | style, x, y, 80, 20,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }

    // The WM_COMMAND messages the parent received since the last clear.
    std::vector<RecordedMsg> commands() const { return commandsTo(parent); }

    static void click(HWND control) {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    }

    HWND parent = nullptr;
};

TEST_F(ButtonTest, ClickChangesTheCheckBeforeBnClicked) {
    struct Row {
        const char* name;
        DWORD style;
        UINT afterOne;
        UINT afterTwo;
        UINT afterThree;
    };
    const Row rows[] = {
        {"push", BS_PUSHBUTTON, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"default push", BS_DEFPUSHBUTTON, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"check box", BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"auto check box", BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED, BST_CHECKED},
        {"radio", BS_RADIOBUTTON, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"auto radio", BS_AUTORADIOBUTTON, BST_CHECKED, BST_CHECKED, BST_CHECKED},
        {"3-state", BS_3STATE, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"auto 3-state", BS_AUTO3STATE, BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED},
        {"push-like auto check box", BS_AUTOCHECKBOX | BS_PUSHLIKE, BST_CHECKED, BST_UNCHECKED,
         BST_CHECKED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND b = button(row.style | WS_GROUP);
        // What the parent reads while it handles BN_CLICKED.
        std::vector<LRESULT> seen;
        rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
                seen.push_back(SendMessageA(b, BM_GETCHECK, 0, 0));
            }
            return std::nullopt;
        });
        rec.clear();
        const UINT expected[] = {row.afterOne, row.afterTwo, row.afterThree};
        for (UINT want : expected) {
            click(b);
            EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(want));
            ASSERT_FALSE(seen.empty());
            EXPECT_EQ(seen.back(), static_cast<LRESULT>(want)) << "check state at BN_CLICKED";
        }
        EXPECT_TRUE(kvtest::compareSequence(
            commands(),
            {notification(b, BN_CLICKED), notification(b, BN_CLICKED), notification(b, BN_CLICKED)},
            row.name));
        rec.setAnswer({});
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, ReleaseOutsideOnlyUnpushes) {
    HWND b = button(BS_AUTOCHECKBOX);
    rec.clear();
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), b);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_FOCUS);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(commands().empty());
    // Dragging out and back in while held still clicks.
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(b, BN_CLICKED)}, "drag back"));
}

TEST_F(ButtonTest, SpaceKeyClicksLikeTheMouse) {
    HWND b = button(BS_AUTOCHECKBOX);
    SetFocus(b);
    rec.clear();
    SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(commands().empty()) << "nothing before the release";
    SendMessageA(b, WM_CHAR, ' ', 0);
    SendMessageA(b, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(b, BN_CLICKED)}, "space"));
    // A key release without its press does nothing.
    rec.clear();
    SendMessageA(b, WM_KEYUP, VK_SPACE, 0);
    SendMessageA(b, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(b, WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, SetCheckIsSilentAndBoundedByKind) {
    struct Row {
        const char* name;
        DWORD style;
        WPARAM set;
        LRESULT kept;
    };
    const Row rows[] = {
        {"push ignores checks", BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
        {"check box", BS_CHECKBOX, BST_CHECKED, BST_CHECKED},
        {"check box has two states", BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED},
        {"3-state keeps the third", BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
        {"too large is cut", BS_AUTO3STATE, 7, BST_INDETERMINATE},
        {"radio", BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {"group box", BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
    };
    for (const Row& row : rows) {
        HWND b = button(row.style);
        rec.clear();
        SendMessageA(b, BM_SETCHECK, row.set, 0);
        EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), row.kept) << row.name;
        EXPECT_TRUE(commands().empty()) << row.name;
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, BmClickOnlyOnEnabledButtons) {
    HWND b = button(BS_AUTOCHECKBOX);
    rec.clear();
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(b, BN_CLICKED)}, "enabled"));
    EnableWindow(b, FALSE);
    rec.clear();
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonTest, AutoRadioClearsItsGroupOnly) {
    // Tab order: a1 (group start), a2, plain radio, a3, then b1 (next group), b2.
    HWND a1 = button(BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND a2 = button(BS_AUTORADIOBUTTON, 2);
    HWND plain = button(BS_RADIOBUTTON, 3);
    HWND a3 = button(BS_AUTORADIOBUTTON, 4);
    HWND b1 = button(BS_AUTORADIOBUTTON | WS_GROUP, 5);
    HWND b2 = button(BS_AUTORADIOBUTTON, 6);
    for (HWND h : {a1, plain, a3, b1}) {
        SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    }
    // The message checks one button only: a1 and a3 are both checked now.
    EXPECT_EQ(SendMessageA(a1, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(a3, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(b1, BM_GETCHECK, 0, 0), BST_CHECKED);
    rec.clear();
    click(a2);
    struct Row {
        HWND hwnd;
        const char* name;
        LRESULT check;
    };
    const Row rows[] = {{a1, "a1", BST_UNCHECKED},
                        {a2, "a2", BST_CHECKED},
                        {plain, "plain radio keeps its check", BST_CHECKED},
                        {a3, "a3", BST_UNCHECKED},
                        {b1, "next group untouched", BST_CHECKED},
                        {b2, "b2", BST_UNCHECKED}};
    for (const Row& row : rows) {
        EXPECT_EQ(SendMessageA(row.hwnd, BM_GETCHECK, 0, 0), row.check) << row.name;
    }
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(a2, BN_CLICKED)}, "only a2"));
    // The checked radio button is the group's tab stop.
    EXPECT_TRUE(GetWindowLongA(a2, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(a3, GWL_STYLE) & WS_TABSTOP);
}

// As on Windows, BM_SETCHECK changes the button it is sent to and nothing else, whatever the
// kind: only a click or a key clears the rest of an auto radio group.
TEST_F(ButtonTest, SetCheckChangesOnlyTheButtonItIsSentTo) {
    struct Row {
        const char* name;
        DWORD style;
        LRESULT firstAfter;       // the first button's check after BM_SETCHECK on the second
        LRESULT firstAfterClick;  // ... and after a click on the third
    };
    const Row rows[] = {
        {"auto radio", BS_AUTORADIOBUTTON, BST_CHECKED, BST_UNCHECKED},
        {"radio", BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {"check box", BS_CHECKBOX, BST_CHECKED, BST_CHECKED},
        {"auto check box", BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},
        {"3-state", BS_3STATE, BST_CHECKED, BST_CHECKED},
        {"auto 3-state", BS_AUTO3STATE, BST_CHECKED, BST_CHECKED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND first = button(row.style | WS_GROUP, 1);
        HWND second = button(row.style, 2);
        HWND third = button(row.style, 3);
        SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
        rec.clear();
        SendMessageA(second, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), row.firstAfter);
        EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_TRUE(commands().empty()) << "BM_SETCHECK notifies nobody";
        click(third);
        EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), row.firstAfterClick);
        EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), row.firstAfterClick);
        for (HWND h : {first, second, third}) {
            DestroyWindow(h);
        }
    }
}

// Space on an auto radio button clears its group like a click.
TEST_F(ButtonTest, SpaceOnAnAutoRadioClearsItsGroup) {
    HWND a1 = button(BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND a2 = button(BS_AUTORADIOBUTTON, 2);
    SendMessageA(a1, BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(a2);
    rec.clear();
    SendMessageA(a2, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(a2, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(SendMessageA(a2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(a1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(a2, BN_CLICKED)}, "space"));
}

TEST_F(ButtonTest, AutoRadioGroupSkipsHiddenAndDisabledSiblings) {
    HWND a1 = button(BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND hidden = button(BS_AUTORADIOBUTTON, 2);
    HWND disabled = button(BS_AUTORADIOBUTTON | WS_DISABLED, 3);
    HWND a4 = button(BS_AUTORADIOBUTTON, 4);
    ShowWindow(hidden, SW_HIDE);
    SendMessageA(hidden, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(disabled, BM_SETCHECK, BST_CHECKED, 0);
    click(a4);
    EXPECT_EQ(SendMessageA(a4, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(a1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(hidden, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(disabled, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, DialogCodesByKind) {
    struct Row {
        const char* name;
        DWORD style;
        LRESULT code;
    };
    const Row rows[] = {
        {"push", BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {"default push", BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {"check box", BS_CHECKBOX, DLGC_BUTTON},
        {"auto check box", BS_AUTOCHECKBOX, DLGC_BUTTON},
        {"radio", BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {"auto radio", BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {"3-state", BS_AUTO3STATE, DLGC_BUTTON},
        {"group box", BS_GROUPBOX, DLGC_STATIC},
        {"owner draw", BS_OWNERDRAW, DLGC_BUTTON},
    };
    for (const Row& row : rows) {
        HWND b = button(row.style);
        EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), row.code) << row.name;
        DestroyWindow(b);
    }
}

TEST_F(ButtonTest, SetStyleSwitchesTheDefaultStateOnly) {
    HWND b = button(BS_PUSHBUTTON | BS_NOTIFY | BS_MULTILINE);
    SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(b, GWL_STYLE));
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_TRUE(style & BS_NOTIFY);
    EXPECT_TRUE(style & BS_MULTILINE);
    SendMessageA(b, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
    EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ButtonTest, NotifyStyleReportsFocusAndDoubleClicks) {
    HWND other = button(BS_PUSHBUTTON, 7, "Other", 10, 50);
    HWND b = button(BS_PUSHBUTTON | BS_NOTIFY);
    rec.clear();
    SetFocus(b);
    SetFocus(other);
    EXPECT_TRUE(kvtest::compareSequence(
        commands(), {notification(b, BN_SETFOCUS), notification(b, BN_KILLFOCUS)}, "focus"));
    // The Robot's double click: down, up, double click, up.
    rec.clear();
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(b, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(kvtest::compareSequence(commands(),
                                        {notification(b, BN_SETFOCUS), notification(b, BN_CLICKED),
                                         notification(b, BN_DOUBLECLICKED)},
                                        "BS_NOTIFY double click"));
    // Without BS_NOTIFY the second press is another click.
    HWND plain = button(BS_PUSHBUTTON, 8, "Plain", 10, 80);
    rec.clear();
    SendMessageA(plain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(plain, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(plain, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    std::vector<RecordedMsg> mine;
    for (const RecordedMsg& m : commands()) {
        if (m.lParam == reinterpret_cast<LPARAM>(plain)) {
            mine.push_back(m);
        }
    }
    EXPECT_TRUE(kvtest::compareSequence(
        mine, {notification(plain, BN_CLICKED), notification(plain, BN_CLICKED)}, "plain"));
}

struct DrawCall {
    UINT action;
    UINT state;
    UINT ctlType;
    UINT ctlId;
    bool hasDc;
};

TEST_F(ButtonTest, OwnerDrawAsksTheParentToDrawEachChange) {
    HWND b = button(BS_OWNERDRAW, 42);
    std::vector<DrawCall> calls;
    rec.setAnswer([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            calls.push_back({item->itemAction, item->itemState, item->CtlType, item->CtlID,
                             item->hDC != nullptr});
            return TRUE;
        }
        return std::nullopt;
    });
    rec.clear();
    click(b);
    const std::vector<std::pair<UINT, UINT>> expected = {
        {ODA_FOCUS, ODS_FOCUS},                  // the press takes the focus
        {ODA_SELECT, ODS_SELECTED | ODS_FOCUS},  // shown pressed
        {ODA_SELECT, ODS_FOCUS},                 // released
    };
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(calls[i].action, expected[i].first) << "call " << i;
        EXPECT_EQ(calls[i].state, expected[i].second) << "call " << i;
        EXPECT_EQ(calls[i].ctlType, static_cast<UINT>(ODT_BUTTON));
        EXPECT_EQ(calls[i].ctlId, 42u);
        EXPECT_TRUE(calls[i].hasDc);
    }
    EXPECT_TRUE(kvtest::compareSequence(commands(), {notification(b, BN_CLICKED)}, "owner draw"));
    // A repaint draws the whole button; disabled shows in the state.
    calls.clear();
    SetFocus(nullptr);
    EnableWindow(b, FALSE);
    kvwin32::renderWindow(b);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(calls.back().state, static_cast<UINT>(ODS_DISABLED));
    rec.setAnswer({});
}

TEST_F(ButtonTest, GroupBoxLetsClicksThroughAndImagesMatchTheStyle) {
    HWND group = button(BS_GROUPBOX, 9, "Group");
    EXPECT_EQ(SendMessageA(group, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTTRANSPARENT);
    HWND push = button(BS_PUSHBUTTON);
    EXPECT_EQ(SendMessageA(push, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTCLIENT);

    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HWND text = button(BS_PUSHBUTTON, 10);
    EXPECT_EQ(SendMessageA(text, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(SendMessageA(text, BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "a text button keeps none";
    HWND image = button(BS_PUSHBUTTON | BS_BITMAP, 11);
    EXPECT_EQ(SendMessageA(image, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(SendMessageA(image, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
    EXPECT_EQ(SendMessageA(image, BM_SETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap))
        << "the previous image comes back";
    DestroyWindow(image);
    DeleteObject(bitmap);
}

}  // namespace
