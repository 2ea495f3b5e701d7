// The "Edit" control: the notifications of typing, WM_SETTEXT and EM_REPLACESEL in Windows'
// order, digits-only and limit refusals, the modify flag, selection and margin rules, undo,
// lines of a multi-line edit, keys, the clipboard and what the field paints.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Pixels.h"
#include "WindowFixture.h"
#include "kvwin32/winuser_caret.h"
#include "kvwin32/render.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

using kvtest::ExpectedMsg;
using kvtest::RecordedMsg;

namespace {

constexpr int kId = 77;

class EditTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent =
            create(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 0, 300, 200, kvtest::kRecorderParentClass);
    }
    HWND edit(DWORD style, const char* text = "", int width = 120, int height = 20) {
        return CreateWindowExA(0, WC_EDITA, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width,
                               height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)),
                               nullptr, nullptr);
    }
    std::vector<RecordedMsg> commands() const { return commandsTo(parent); }
    static ExpectedMsg en(HWND e, WORD code) { return notification(e, code); }
    static std::string text(HWND e) {
        char buffer[256] = {};
        GetWindowTextA(e, buffer, sizeof buffer);
        return buffer;
    }
    static void type(HWND e, const std::string& chars) {
        for (char c : chars) {
            SendMessageA(e, WM_CHAR, static_cast<unsigned char>(c), 1);
        }
    }
    static std::pair<DWORD, DWORD> selection(HWND e) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    HWND parent = nullptr;
};

TEST_F(EditTest, TypingNotifiesUpdateThenChangeAndSetsModify) {
    HWND e = edit(ES_AUTOHSCROLL, "old");
    rec.clear();
    // As the Robot types: focus, select all, one WM_CHAR per character.
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 0, -1);
    type(e, "ab");
    EXPECT_EQ(text(e), "ab");
    EXPECT_TRUE(kvtest::compareSequence(commands(),
                                        {en(e, EN_SETFOCUS), en(e, EN_UPDATE), en(e, EN_CHANGE),
                                         en(e, EN_UPDATE), en(e, EN_CHANGE)},
                                        "typing"));
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(selection(e), std::make_pair(DWORD{2}, DWORD{2}));
    SendMessageA(e, EM_SETMODIFY, FALSE, 0);
    EXPECT_FALSE(SendMessageA(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, SetTextNotifiesSingleLineOnlyAndClearsModify) {
    struct Row {
        const char* name;
        DWORD style;
        bool notifies;
    };
    const Row rows[] = {{"single line", ES_AUTOHSCROLL, true},
                        {"multi-line", ES_MULTILINE | ES_AUTOVSCROLL, false}};
    for (const Row& row : rows) {
        HWND e = edit(row.style);
        type(e, "x");
        ASSERT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
        for (const char* value : {"value", "value"}) {  // the same text notifies again
            rec.clear();
            SetWindowTextA(e, value);
            std::vector<ExpectedMsg> expected;
            if (row.notifies) {
                expected = {en(e, EN_UPDATE), en(e, EN_CHANGE)};
            }
            EXPECT_TRUE(kvtest::compareSequence(commands(), expected, row.name));
        }
        EXPECT_EQ(text(e), "value");
        EXPECT_FALSE(SendMessageA(e, EM_GETMODIFY, 0, 0)) << row.name;
        EXPECT_EQ(selection(e), std::make_pair(DWORD{0}, DWORD{0})) << row.name;
        EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0)) << row.name;
        DestroyWindow(e);
    }
}

TEST_F(EditTest, NumberStyleRefusesNonDigitTypingOnly) {
    HWND e = edit(ES_NUMBER | ES_AUTOHSCROLL);
    struct Row {
        char c;
        bool accepted;
    };
    const Row rows[] = {{'1', true},  {'x', false}, {'2', true}, {' ', false},
                        {'-', false}, {'.', false}, {'9', true}};
    std::string expectedText;
    for (const Row& row : rows) {
        rec.clear();
        type(e, std::string(1, row.c));
        if (row.accepted) {
            expectedText += row.c;
        }
        std::vector<ExpectedMsg> expected;
        if (row.accepted) {
            expected = {en(e, EN_UPDATE), en(e, EN_CHANGE)};
        }
        EXPECT_TRUE(kvtest::compareSequence(commands(), expected, std::string("char ") + row.c));
        EXPECT_EQ(text(e), expectedText);
    }
    // Only typing is filtered.
    SetWindowTextA(e, "abc");
    EXPECT_EQ(text(e), "abc");
    SendMessageA(e, EM_SETSEL, 3, 3);
    SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("-x"));
    EXPECT_EQ(text(e), "abc-x");
}

TEST_F(EditTest, LimitRefusesTypingWithMaxTextButNotSetText) {
    HWND e = edit(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 3);
    rec.clear();
    type(e, "abcd");
    EXPECT_EQ(text(e), "abc");
    EXPECT_TRUE(kvtest::compareSequence(
        commands(),
        {en(e, EN_UPDATE), en(e, EN_CHANGE), en(e, EN_UPDATE), en(e, EN_CHANGE), en(e, EN_UPDATE),
         en(e, EN_CHANGE), en(e, EN_MAXTEXT)},
        "typing past the limit"));
    // Typing over a selection fits again.
    SendMessageA(e, EM_SETSEL, 1, 2);
    type(e, "Z");
    EXPECT_EQ(text(e), "aZc");
    // WM_SETTEXT is not cut to the limit.
    SetWindowTextA(e, "123456");
    EXPECT_EQ(text(e), "123456");
    // EM_REPLACESEL: EN_MAXTEXT first, then what fits goes in.
    SetWindowTextA(e, "ab");
    SendMessageA(e, EM_SETSEL, 2, 2);
    rec.clear();
    SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_EQ(text(e), "abx");
    EXPECT_TRUE(kvtest::compareSequence(
        commands(), {en(e, EN_MAXTEXT), en(e, EN_UPDATE), en(e, EN_CHANGE)}, "replace past limit"));
    // Zero lifts the limit.
    SendMessageA(e, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, NarrowFieldWithoutAutoScrollRefusesWhatDoesNotFit) {
    // 30 pixels hold five 6-pixel characters.
    HWND e = edit(0, "", 30);
    rec.clear();
    type(e, "abcdef");
    EXPECT_EQ(text(e), "abcde");
    EXPECT_TRUE(kvtest::compareSequence({commands().back()}, {en(e, EN_MAXTEXT)}, "width"));
}

TEST_F(EditTest, SelectionRules) {
    HWND e = edit(ES_AUTOHSCROLL, "abcdef");
    struct Row {
        const char* name;
        WPARAM start;
        LPARAM end;
        DWORD gotStart;
        DWORD gotEnd;
    };
    const Row rows[] = {
        {"all", 0, -1, 0, 6},
        {"range", 1, 3, 1, 3},
        {"reversed is ordered", 4, 1, 1, 4},
        {"start -1 drops the selection at the caret", static_cast<WPARAM>(-1), 0, 1, 1},
        {"end past the text", 2, 100, 2, 6},
        {"caret only", 5, 5, 5, 5},
    };
    rec.clear();
    for (const Row& row : rows) {
        SendMessageA(e, EM_SETSEL, row.start, row.end);
        EXPECT_EQ(selection(e), std::make_pair(row.gotStart, row.gotEnd)) << row.name;
    }
    EXPECT_TRUE(commands().empty()) << "EM_SETSEL notifies nothing";
    // The return value packs the same numbers.
    SendMessageA(e, EM_SETSEL, 2, 4);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(2, 4));
    // The caret is the end EM_SETSEL named last: Right from a reversed selection moves from 1.
    SendMessageA(e, EM_SETSEL, 4, 1);
    SendMessageA(e, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(selection(e), std::make_pair(DWORD{2}, DWORD{2}));
}

TEST_F(EditTest, ReplaceSelNotifiesAndSetsModify) {
    HWND e = edit(ES_AUTOHSCROLL, "hello world");
    SendMessageA(e, EM_SETSEL, 0, 5);
    rec.clear();
    SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("goodbye"));
    EXPECT_EQ(text(e), "goodbye world");
    EXPECT_EQ(selection(e), std::make_pair(DWORD{7}, DWORD{7}));
    EXPECT_TRUE(
        kvtest::compareSequence(commands(), {en(e, EN_UPDATE), en(e, EN_CHANGE)}, "replace"));
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(SendMessageA(e, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
    EXPECT_EQ(text(e), "hello world");
    // Undo of the undo puts the change back (one level, swapped).
    SendMessageA(e, EM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "goodbye world");
    SendMessageA(e, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));
    // A replacement that cannot be undone leaves no record.
    SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
    EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));
    // Null text is ignored.
    rec.clear();
    SendMessageA(e, EM_REPLACESEL, TRUE, 0);
    EXPECT_TRUE(commands().empty());
}

TEST_F(EditTest, TypingIsOneUndoStep) {
    HWND e = edit(ES_AUTOHSCROLL, "x");
    SendMessageA(e, EM_SETSEL, 1, 1);
    type(e, "abc");
    EXPECT_EQ(text(e), "xabc");
    SendMessageA(e, EM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "x");
}

TEST_F(EditTest, Margins) {
    HWND e = edit(ES_AUTOHSCROLL, "abc");
    EXPECT_EQ(SendMessageA(e, EM_GETMARGINS, 0, 0), MAKELONG(0, 0));
    SendMessageA(e, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(5, 9));
    EXPECT_EQ(SendMessageA(e, EM_GETMARGINS, 0, 0), MAKELONG(5, 0)) << "only the left one";
    SendMessageA(e, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(1, 9));
    EXPECT_EQ(SendMessageA(e, EM_GETMARGINS, 0, 0), MAKELONG(5, 9));
    // The first character starts at the left margin.
    EXPECT_EQ(LOWORD(SendMessageA(e, EM_POSFROMCHAR, 0, 0)), 5);
    EXPECT_EQ(LOWORD(SendMessageA(e, EM_POSFROMCHAR, 1, 0)), 11);
    SendMessageA(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELONG(EC_USEFONTINFO, EC_USEFONTINFO));
    EXPECT_EQ(SendMessageA(e, EM_GETMARGINS, 0, 0), MAKELONG(3, 3));
    // A new font resets both margins to the font's.
    SendMessageA(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 0));
    SendMessageA(e, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    EXPECT_EQ(SendMessageA(e, EM_GETMARGINS, 0, 0), MAKELONG(3, 3));
    EXPECT_EQ(SendMessageA(e, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(EditTest, MultiLineLines) {
    HWND e = edit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "one\r\ntwo\r\nthree", 120, 60);
    struct Row {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LRESULT result;
    };
    const Row rows[] = {
        {"line count", EM_GETLINECOUNT, 0, 3},
        {"index of line 1", EM_LINEINDEX, 1, 5},
        {"index of line 2", EM_LINEINDEX, 2, 10},
        {"no line 3", EM_LINEINDEX, 3, -1},
        {"length of the line at 6", EM_LINELENGTH, 6, 3},
        {"length of the last line", EM_LINELENGTH, 12, 5},
        {"line of char 4 (the CR)", EM_LINEFROMCHAR, 4, 0},
        {"line of char 10", EM_LINEFROMCHAR, 10, 2},
        {"line of the end", EM_LINEFROMCHAR, 15, 2},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SendMessageA(e, row.msg, row.wParam, 0), row.result) << row.name;
    }
    // EM_GETLINE copies at most the size in the buffer's first WORD, with no terminator.
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    *reinterpret_cast<WORD*>(buffer) = 3;
    EXPECT_EQ(SendMessageA(e, EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 4), "thr#");
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer;
    EXPECT_EQ(SendMessageA(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "two");
    EXPECT_EQ(SendMessageA(e, EM_GETLINE, 9, reinterpret_cast<LPARAM>(buffer)), 0);
    // Positions: line 1 starts one font line lower.
    const LRESULT pos = SendMessageA(e, EM_POSFROMCHAR, 5, 0);
    EXPECT_EQ(HIWORD(pos), 13);
    EXPECT_EQ(SendMessageA(e, EM_CHARFROMPOS, 0, pos), MAKELONG(5, 1));
    EXPECT_EQ(SendMessageA(e, EM_POSFROMCHAR, 15, 0), -1) << "past the last character";
    // Enter in a multi-line edit outside a dialog starts a new line.
    SendMessageA(e, EM_SETSEL, 3, 3);
    type(e, "\r");
    EXPECT_EQ(text(e), "one\r\n\r\ntwo\r\nthree");
    // Backspace and Delete take CR LF as one.
    type(e, "\b");
    EXPECT_EQ(text(e), "one\r\ntwo\r\nthree");
    SendMessageA(e, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(text(e), "onetwo\r\nthree");
}

TEST_F(EditTest, MultiLineWrapsWordsWithoutHorizontalScroll) {
    // 60 pixels hold ten characters.
    HWND e = edit(ES_MULTILINE, "aaaa bbbb cccc dddddddddddd", 60, 80);
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), 10);
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 2, 0), 15);
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 3, 0), 25) << "a long word breaks inside";
    EXPECT_EQ(SendMessageA(e, WM_GETDLGCODE, 0, 0),
              DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    HWND single = edit(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(single, WM_GETDLGCODE, 0, 0),
              DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS);
}

// A multi-line edit made with WS_VSCROLL keeps its bar shown: disabled while the lines fit,
// enabled with range 0..lines-1, a page of the lines that fit and the first line shown as
// position once they do not. The bar's codes scroll by lines and pages, never past the last
// page, and tell the parent EN_VSCROLL, except while the thumb is tracked.
TEST_F(EditTest, MultiLineScrollBarFollowsTheLines) {
    HWND e = edit(ES_MULTILINE | ES_AUTOHSCROLL | WS_VSCROLL, "one\r\ntwo", 120, 60);
    const int page = 60 / static_cast<int>(SendMessageA(e, EM_POSFROMCHAR, 5, 0) >> 16);
    EXPECT_NE(GetWindowLongA(e, GWL_STYLE) & WS_VSCROLL, 0) << "shown while the text fits";
    EXPECT_FALSE(EnableScrollBar(e, SB_VERT, ESB_DISABLE_BOTH)) << "and disabled";
    std::string lines;
    for (int i = 0; i < 12; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
    }
    SetWindowTextA(e, lines.c_str());
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 12) << "thirteen lines, the last one empty";
    EXPECT_EQ(si.nPage, static_cast<UINT>(page));
    EXPECT_EQ(si.nPos, 0);
    EXPECT_FALSE(EnableScrollBar(e, SB_VERT, ESB_ENABLE_BOTH)) << "the range enabled it again";
    rec.clear();
    struct Step {
        WPARAM code;
        int first;
        bool notifies;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 1, true},
        {SB_PAGEDOWN, 1 + page, true},
        {MAKEWPARAM(SB_THUMBTRACK, 2), 2, false},
        {MAKEWPARAM(SB_THUMBPOSITION, 3), 3, true},
        {SB_BOTTOM, 13 - page, true},
        {SB_LINEDOWN, 13 - page, false},
        {SB_TOP, 0, true},
        {SB_LINEUP, 0, false},
    };
    for (const Step& step : steps) {
        rec.clear();
        SendMessageA(e, WM_VSCROLL, step.code, 0);
        EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), step.first) << step.code;
        EXPECT_EQ(GetScrollPos(e, SB_VERT), step.first) << step.code;
        EXPECT_EQ(commands().size(), step.notifies ? 1u : 0u) << step.code;
    }
    // The wheel: three lines a notch down, telling the parent; with Ctrl held it goes to the
    // parent instead.
    rec.clear();
    SendMessageA(e, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    EXPECT_EQ(GetScrollPos(e, SB_VERT), 3);
    EXPECT_EQ(commands().size(), 1u);
    SendMessageA(e, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    // Moving the caret to the end scrolls there, and the bar with it.
    SendMessageA(e, EM_SETSEL, lines.size(), lines.size());
    SendMessageA(e, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(GetScrollPos(e, SB_VERT), 13 - page);
    HWND plain = edit(ES_MULTILINE, lines.c_str(), 120, 60);
    EXPECT_EQ(GetWindowLongA(plain, GWL_STYLE) & WS_VSCROLL, 0) << "no bar asked, none made";
}

TEST_F(EditTest, CaretKeys) {
    HWND e = edit(ES_AUTOHSCROLL, "abcdef");
    struct Row {
        const char* name;
        WPARAM key;
        DWORD caret;
    };
    SendMessageA(e, EM_SETSEL, 3, 3);
    const Row rows[] = {{"left", VK_LEFT, 2},
                        {"right", VK_RIGHT, 3},
                        {"home", VK_HOME, 0},
                        {"end", VK_END, 6},
                        {"right at end", VK_RIGHT, 6},
                        {"up acts as left", VK_UP, 5},
                        {"down acts as right", VK_DOWN, 6}};
    rec.clear();
    for (const Row& row : rows) {
        SendMessageA(e, WM_KEYDOWN, row.key, 0);
        EXPECT_EQ(selection(e), std::make_pair(row.caret, row.caret)) << row.name;
    }
    EXPECT_TRUE(commands().empty()) << "moving the caret notifies nothing";
    SendMessageA(e, EM_SETSEL, 1, 1);
    SendMessageA(e, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(text(e), "acdef");
    SendMessageA(e, EM_SETSEL, 0, -1);
    SendMessageA(e, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(text(e), "");
    EXPECT_TRUE(kvtest::compareSequence(
        commands(), {en(e, EN_UPDATE), en(e, EN_CHANGE), en(e, EN_UPDATE), en(e, EN_CHANGE)},
        "two deletes"));
}

TEST_F(EditTest, ReadOnlyTakesNoTypingButProgramChanges) {
    HWND e = edit(ES_AUTOHSCROLL | ES_READONLY, "fixed");
    rec.clear();
    SendMessageA(e, EM_SETSEL, 0, -1);
    type(e, "x\b");
    SendMessageA(e, WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(e, WM_CLEAR, 0, 0);
    EXPECT_EQ(text(e), "fixed");
    EXPECT_TRUE(commands().empty());
    SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("set"));
    EXPECT_EQ(text(e), "set");
    EXPECT_TRUE(SendMessageA(e, EM_SETREADONLY, FALSE, 0));
    EXPECT_FALSE(GetWindowLongA(e, GWL_STYLE) & ES_READONLY);
    type(e, "!");
    EXPECT_EQ(text(e), "set!");
}

TEST_F(EditTest, ClipboardAndCaseAndPassword) {
    HWND upper = edit(ES_AUTOHSCROLL | ES_UPPERCASE, "abc");
    EXPECT_EQ(text(upper), "ABC");
    SendMessageA(upper, EM_SETSEL, 3, 3);
    type(upper, "d");
    EXPECT_EQ(text(upper), "ABCD");
    SendMessageA(upper, EM_SETSEL, 1, 3);
    SendMessageA(upper, WM_CUT, 0, 0);
    EXPECT_EQ(text(upper), "AD");

    HWND multi = edit(ES_MULTILINE | ES_AUTOHSCROLL, "", 120, 60);
    SendMessageA(multi, WM_PASTE, 0, 0);
    EXPECT_EQ(text(multi), "BC");
    // A single-line edit pastes up to the first line break.
    SetWindowTextA(multi, "one\r\ntwo");
    SendMessageA(multi, EM_SETSEL, 0, -1);
    SendMessageA(multi, WM_COPY, 0, 0);
    HWND single = edit(ES_AUTOHSCROLL);
    SendMessageA(single, WM_PASTE, 0, 0);
    EXPECT_EQ(text(single), "one");

    HWND password = edit(ES_AUTOHSCROLL | ES_PASSWORD, "secret");
    EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(text(password), "secret");
    SendMessageA(password, EM_SETSEL, 0, -1);
    SendMessageA(password, WM_COPY, 0, 0);
    SendMessageA(single, EM_SETSEL, 0, -1);
    SendMessageA(single, WM_PASTE, 0, 0);
    EXPECT_EQ(text(single), "one") << "a password is never copied";
}

TEST_F(EditTest, FocusNotifications) {
    HWND a = edit(ES_AUTOHSCROLL, "a");
    HWND b =
        CreateWindowExA(0, WC_EDITA, "b", WS_CHILD | WS_VISIBLE, 10, 40, 50, 20, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId + 1)), nullptr, nullptr);
    SetFocus(a);
    rec.clear();
    SetFocus(b);
    EXPECT_TRUE(kvtest::compareSequence(commands(), {en(a, EN_KILLFOCUS), en(b, EN_SETFOCUS)},
                                        "focus moves"));
    // The edit does not select its text itself when it gets the focus.
    EXPECT_EQ(selection(b), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(EditTest, PaintsTextSelectionAndDisabledColours) {
    HWND e = edit(ES_AUTOHSCROLL, "Some text");
    kvwin32::PixelImage image = kvwin32::renderWindow(e);
    ASSERT_EQ(image.width, 120);
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_WINDOW)), 0) << "window background";
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_WINDOWTEXT)), 20) << "text";
    EXPECT_EQ(kvtest::countColour(image, GetSysColor(COLOR_HIGHLIGHT)), 0) << "no selection shown";
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 0, 4);
    image = kvwin32::renderWindow(e);
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_HIGHLIGHT)), 24 * 5) << "selection";
    // Disabled: static colours and grey text.
    SetFocus(nullptr);
    EnableWindow(e, FALSE);
    image = kvwin32::renderWindow(e);
    EXPECT_EQ(kvtest::countColour(image, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_GRAYTEXT)), 20);
    EXPECT_GT(kvtest::countColour(image, GetSysColor(COLOR_3DFACE)), 0);
}

TEST_F(EditTest, TheFocusedEditShowsACaretWhereTypingGoes) {
    HWND e = edit(ES_AUTOHSCROLL, "ab");
    RECT caret{};
    EXPECT_FALSE(kvwin32::caretOnWindow(parent, caret)) << "no caret without the focus";
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 2, 2);
    UpdateWindow(e);
    SendMessageA(e, WM_PAINT, 0, 0);
    ASSERT_TRUE(kvwin32::caretOnWindow(parent, caret));
    EXPECT_EQ(caret.right - caret.left, 1);
    EXPECT_EQ(caret.bottom - caret.top, 13);
    RECT edit{};
    GetWindowRect(e, &edit);
    RECT top{};
    GetWindowRect(parent, &top);
    SIZE ab{};
    HDC dc = GetDC(e);
    GetTextExtentPoint32A(dc, "ab", 2, &ab);
    ReleaseDC(e, dc);
    const POINT at{LOWORD(SendMessageA(e, EM_POSFROMCHAR, 0, 0)), 0};
    EXPECT_EQ(caret.left, edit.left - top.left + at.x + ab.cx) << "after the text, in the parent";

    // Typing moves it on by the character's width; hidden and shown again it counts.
    type(e, "W");
    SendMessageA(e, WM_PAINT, 0, 0);
    RECT moved{};
    ASSERT_TRUE(kvwin32::caretOnWindow(parent, moved));
    EXPECT_GT(moved.left, caret.left);
    EXPECT_TRUE(HideCaret(e));
    EXPECT_TRUE(HideCaret(nullptr));
    EXPECT_FALSE(kvwin32::caretOnWindow(parent, moved));
    EXPECT_TRUE(ShowCaret(e));
    EXPECT_FALSE(kvwin32::caretOnWindow(parent, moved)) << "hidden twice, shown once";
    EXPECT_TRUE(ShowCaret(e));
    EXPECT_TRUE(kvwin32::caretOnWindow(parent, moved));
    EXPECT_FALSE(ShowCaret(parent)) << "only the owner shows its caret";

    SetFocus(parent);
    EXPECT_FALSE(kvwin32::caretOnWindow(parent, moved)) << "losing the focus destroys it";
    EXPECT_FALSE(DestroyCaret());
}

// ---- What Windows answers, style by style ------------------------------------------------------

TEST_F(EditTest, DialogCodeByLineKindWhateverTheKey) {
    struct Row {
        const char* name;
        DWORD style;
        LRESULT code;
    };
    const LRESULT single = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const Row rows[] = {
        {"single line", ES_AUTOHSCROLL | ES_AUTOVSCROLL, single},
        {"single line wanting Enter", ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL, single},
        {"multi-line", ES_MULTILINE | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
         single | DLGC_WANTALLKEYS},
        {"multi-line wanting Enter",
         ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
         single | DLGC_WANTALLKEYS},
    };
    for (const Row& row : rows) {
        HWND e = edit(row.style, "Test Text", 300, 300);
        for (WPARAM key : {WPARAM{'A'}, WPARAM{VK_RETURN}, WPARAM{VK_TAB}, WPARAM{VK_ESCAPE},
                           WPARAM{VK_DOWN}, WPARAM{VK_F1}}) {
            MSG msg{};
            msg.hwnd = e;
            msg.message = WM_KEYDOWN;
            msg.wParam = key;
            EXPECT_EQ(SendMessageA(e, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg)), row.code)
                << row.name << ", key " << key;
        }
        DestroyWindow(e);
    }
}

TEST_F(EditTest, TextLimitDefaultsAndZeroByLineKind) {
    struct Row {
        const char* name;
        DWORD style;
        LRESULT unlimited;  // what EM_GETLIMITTEXT answers after EM_SETLIMITTEXT 0
    };
    const Row rows[] = {
        {"single line", ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0x7FFFFFFE},
        {"multi-line", ES_MULTILINE | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
         static_cast<LRESULT>(0xFFFFFFFFu)},
    };
    for (const Row& row : rows) {
        HWND e = edit(row.style, "Test Text", 300, 300);
        EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 30000) << row.name;
        SendMessageA(e, EM_SETLIMITTEXT, 0, 0);
        EXPECT_EQ(static_cast<DWORD>(SendMessageA(e, EM_GETLIMITTEXT, 0, 0)),
                  static_cast<DWORD>(row.unlimited))
            << row.name;
        DestroyWindow(e);
    }
}

// How many EN_CHANGE, EN_MAXTEXT and EN_UPDATE each change sends, and what length it leaves.
TEST_F(EditTest, NotificationCountsOfReplaceAndSetText) {
    const std::string line = "this is a long string.";
    std::string lines;
    for (int i = 0; i < 4; ++i) {
        lines += (i ? "\r\n" : "") + line;
    }
    struct Row {
        const char* name;
        DWORD style;
        bool limited;  // EM_SETLIMITTEXT 5 first
        bool replace;  // EM_REPLACESEL into an empty field, else WM_SETTEXT
        const std::string* text;
        std::size_t length;
        int change, maxText, update;
    };
    const DWORD multi = ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    const Row rows[] = {
        {"single, replace", ES_AUTOHSCROLL, false, true, &line, line.size(), 1, 0, 1},
        {"single, set", ES_AUTOHSCROLL, false, false, &line, line.size(), 1, 0, 1},
        {"single, replace with lines", ES_AUTOHSCROLL, false, true, &lines, lines.size(), 1, 0, 1},
        {"single, replace past the limit", ES_AUTOHSCROLL, true, true, &line, 5, 1, 1, 1},
        {"single, set past the limit", ES_AUTOHSCROLL, true, false, &line, line.size(), 1, 0, 1},
        {"multi, replace", multi, false, true, &lines, lines.size(), 1, 0, 1},
        {"multi, set", multi, false, false, &lines, lines.size(), 0, 0, 0},
        {"multi, replace past the limit", multi, true, true, &lines, 5, 1, 1, 1},
        {"multi, set past the limit", multi, true, false, &lines, lines.size(), 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND e = edit(row.style, "", 50, 50);
        if (row.limited) {
            SendMessageA(e, EM_SETLIMITTEXT, 5, 0);
        }
        rec.clear();
        SendMessageA(e, row.replace ? EM_REPLACESEL : WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(row.text->c_str()));
        EXPECT_EQ(static_cast<std::size_t>(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0)), row.length);
        int change = 0, maxText = 0, update = 0;
        for (const RecordedMsg& m : commands()) {
            const WORD code = HIWORD(m.wParam);
            change += code == EN_CHANGE;
            maxText += code == EN_MAXTEXT;
            update += code == EN_UPDATE;
        }
        EXPECT_EQ(change, row.change);
        EXPECT_EQ(maxText, row.maxText);
        EXPECT_EQ(update, row.update);
        DestroyWindow(e);
    }
}

// WM_CHAR answers 1; the owner may replace the text from EN_UPDATE and the edit keeps it.
TEST_F(EditTest, OwnerMayReplaceTheTextWhileHandlingEnUpdate) {
    HWND e = edit(WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, "", 150, 50);
    rec.setAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) {
            if (text(e) == "foo") {
                SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bar"));
            }
            SendMessageA(e, EM_SETSEL, 1023, 1023);
        }
        return std::nullopt;
    });
    for (char c : std::string("foo")) {
        EXPECT_EQ(SendMessageA(e, WM_CHAR, static_cast<WPARAM>(c), 1), 1);
    }
    rec.setAnswer({});
    EXPECT_EQ(text(e), "bar");
    // Setting the text leaves an empty selection at the start.
    SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("this is a long string."));
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), 0);
}

TEST_F(EditTest, SettingOneMarginKeepsTheOther) {
    HWND e = edit(WS_BORDER | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "Test Text", 300, 300);
    const LRESULT before = SendMessageA(e, EM_GETMARGINS, 0, 0);
    SendMessageA(e, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(10, 0));
    LRESULT margins = SendMessageA(e, EM_GETMARGINS, 0, 0);
    EXPECT_EQ(LOWORD(margins), 10);
    EXPECT_EQ(HIWORD(margins), HIWORD(before));
    SendMessageA(e, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, 10));
    margins = SendMessageA(e, EM_GETMARGINS, 0, 0);
    EXPECT_EQ(LOWORD(margins), 10);
    EXPECT_EQ(HIWORD(margins), 10);
}

}  // namespace
