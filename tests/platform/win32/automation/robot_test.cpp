// The Robot: finding controls by the names scripts give them (own text, label, id, focus,
// offsets, visible before hidden, ambiguity), refusing what a person could not do, and the
// notifications its clicks and typing produce.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/comctl_tab.h"
#include "kvwin32/robot.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvwin32::ControlQuery;
using kvwin32::ItemQuery;
using kvwin32::Robot;
using kvwin32::RobotFailure;

// The children of the test window, in tab order: {class, text, style, id}.
struct ChildLayout {
    const char* cls;
    const char* text;
    DWORD style;
    int id;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const ChildLayout kChildren[] = {
    {"Static", "Run to &time:", kChild, 100},
    {"Edit", "", kChild | WS_TABSTOP, 101},
    {"Static", "Step:", kChild, 102},
    {"Edit", "", kChild | WS_TABSTOP, 103},
    {"Button", "OK", kChild | BS_DEFPUSHBUTTON, IDOK},
    {"Button", "Cancel", kChild | BS_PUSHBUTTON, IDCANCEL},
    {"Button", "&Browse...", kChild, 110},
    {"Button", "&Browse...", kChild, 111},
    {"Button", "Disabled", kChild | WS_DISABLED, 112},
    {"Button", "Hidden one", WS_CHILD, 113},
    {"Button", "Check Point Location", kChild | BS_GROUPBOX, 120},
    {"Button", "", kChild | BS_AUTOCHECKBOX, 121},
    {"Button", "Enable &noise", kChild | BS_AUTOCHECKBOX, 122},
    {"Static", "Orphan label", kChild, 140},
    {"Static", "Value list", kChild, 130},
    {"Edit", "", kChild, 131},
    {"Edit", "", kChild | ES_READONLY, 132},
    {"Button", "Twin", WS_CHILD, 150},
    {"Button", "Twin", WS_CHILD, 151},
    {"Static", "Unnamed", kChild, -1},  // a static of a resource script has id -1
};

class RobotTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        m_window = CreateWindowExA(0, kvtest::kRecorderParentClass, "Test", WS_POPUP | WS_VISIBLE,
                                   0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        int y = 0;
        for (const ChildLayout& layout : kChildren) {
            HWND child = CreateWindowExA(
                0, layout.cls, layout.text, layout.style, 10, y, 120, 18, m_window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), nullptr, nullptr);
            ASSERT_NE(child, nullptr) << layout.cls << " " << layout.text;
            y += 20;
        }
        m_robot.setRoot(m_window);
        rec.clear();
    }

    HWND item(int id) { return GetDlgItem(m_window, id); }
    // The WM_COMMAND notifications the test window received: (id, code) pairs.
    std::vector<std::pair<int, int>> commands() {
        std::vector<std::pair<int, int>> out;
        for (const kvtest::RecordedMsg& m : rec.log()) {
            if (m.hwnd == m_window && m.message == WM_COMMAND) {
                out.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
            }
        }
        return out;
    }

    HWND m_window = nullptr;
    Robot m_robot;
};

struct FindRow {
    const char* ref;  // as byText takes it; "#N" and "focus" as named
    int offset;
    int expectedId;  // 0: refused
    const char* errorPart;
    RobotFailure failure = RobotFailure::none;
};

const FindRow kFindRows[] = {
    {"OK", 0, IDOK, ""},
    {"&OK", 0, IDOK, ""},
    {"  OK ", 0, IDOK, ""},
    {"ok", 0, 0, "no control matches", RobotFailure::noMatch},
    {"Run to time:", 0, 101, ""},  // a label names the edit after it
    {"Run to &time:", 0, 101, ""},
    {"=Run to time:", 0, 100, ""},  // own text only: the label itself
    {"Run to*", 0, 101, ""},
    {"Step:", 0, 103, ""},
    {"Check Point Location", 0, 121, ""},  // a group box names a caption-less check box
    {"=Check Point Location", 0, 120, ""},
    {"Enable noise", 0, 122, ""},
    {"Orphan label", 0, 140, ""},  // the next control is a label: it names nothing
    {"Value list", 0, 131, ""},
    {"Value list", 1, 132, ""},
    {"=Step:", -1, 101, ""},
    {"Value list", 9, 0, "places after", RobotFailure::offsetOutOfRange},
    {"Run to time:", -9, 0, "places before", RobotFailure::offsetOutOfRange},
    {"Browse...", 0, 0, "matches 2 controls", RobotFailure::ambiguous},
    {"Browse...", 1, 0, "matches 2 controls", RobotFailure::ambiguous},
    {"Hidden one", 0, 113, ""},  // hidden, but the only match
    {"Twin", 0, 0, "matches 2 controls", RobotFailure::ambiguous},
    {"Nothing", 0, 0, "no control matches \"Nothing\"", RobotFailure::noMatch},
    {"#103", 0, 103, ""},
    {"#-1", 0, -1, ""},
    {"#999", 0, 0, "no control matches #999", RobotFailure::noMatch},
};

TEST_F(RobotTest, FinderTable) {
    for (const FindRow& row : kFindRows) {
        SCOPED_TRACE(testing::Message() << "REF " << row.ref << " offset " << row.offset);
        ControlQuery query = row.ref[0] == '#' ? ControlQuery::byId(std::atoi(row.ref + 1))
                                               : ControlQuery::byText(row.ref);
        query.offset = row.offset;
        kvwin32::RobotResult found = m_robot.find(query);
        EXPECT_EQ(found.failure, row.failure);
        if (row.expectedId == 0) {
            EXPECT_FALSE(found.ok());
            EXPECT_EQ(found.hwnd, nullptr);
            EXPECT_NE(found.error.find(row.errorPart), std::string::npos) << found.error;
        } else {
            ASSERT_TRUE(found.ok()) << found.error;
            EXPECT_EQ(GetDlgCtrlID(found.hwnd), row.expectedId);
        }
    }
}

TEST_F(RobotTest, AmbiguousNamesListTheCandidates) {
    kvwin32::RobotResult found = m_robot.find(ControlQuery::byText("&Browse..."));
    EXPECT_EQ(found.failure, RobotFailure::ambiguous);
    EXPECT_EQ(found.candidates, (std::vector<HWND>{item(110), item(111)}));
    EXPECT_EQ(found.error,
              "\"&Browse...\" matches 2 controls: the push button \"&Browse...\" (#110), "
              "the push button \"&Browse...\" (#111)");
}

TEST_F(RobotTest, VisibleControlsComeBeforeHiddenOnes) {
    ShowWindow(item(150), SW_SHOW);
    kvwin32::RobotResult found = m_robot.find(ControlQuery::byText("Twin"));
    ASSERT_TRUE(found.ok()) << found.error;
    EXPECT_EQ(found.hwnd, item(150));
}

TEST_F(RobotTest, FocusNamesTheFocusedControl) {
    SetFocus(item(103));
    kvwin32::RobotResult found = m_robot.find(ControlQuery::focused());
    ASSERT_TRUE(found.ok()) << found.error;
    EXPECT_EQ(found.hwnd, item(103));
    ControlQuery before = ControlQuery::focused();
    before.offset = -2;
    EXPECT_EQ(m_robot.find(before).hwnd, item(101));
    SetFocus(nullptr);
    EXPECT_EQ(m_robot.find(ControlQuery::focused()).failure, RobotFailure::noMatch);
}

TEST_F(RobotTest, LabelsAreReadBack) {
    EXPECT_EQ(m_robot.labelOf(item(101)), "Run to &time:");
    EXPECT_EQ(m_robot.labelOf(item(121)), "Check Point Location");
    EXPECT_EQ(m_robot.labelOf(item(132)), "");  // a second edit after a label has none
    EXPECT_EQ(m_robot.labelOf(item(122)), "");  // a check box with a caption has none
}

TEST_F(RobotTest, QueriesDescribeThemselvesAsScriptsWriteThem) {
    EXPECT_EQ(ControlQuery::byText("=Show").describe(), "\"=Show\"");
    EXPECT_EQ(ControlQuery::byText("Number of Threads*").describe(), "\"Number of Threads*\"");
    ControlQuery q = ControlQuery::byText("Details");
    q.offset = -1;
    EXPECT_EQ(q.describe(), "\"Details\"-1");
    EXPECT_EQ(ControlQuery::byId(1001).describe(), "#1001");
    EXPECT_EQ(ControlQuery::byId(-1).describe(), "#-1");
}

struct MatchRow {
    const char* ref;  // as a script writes it: a trailing `*` is a prefix
    const char* control;
    bool matches;
};

// The one rule by which a text query and an item text match a control's text.
const MatchRow kMatches[] = {
    {"OK", "OK", true},
    {"OK", "&OK", true},
    {"&OK", "OK", true},
    {"Browse...", "&Browse...", true},
    {"Perform Fourier Analysis", "Perform &Fourier Analysis", true},
    {"Analysis", "Analysis ", true},  // blanks at the ends are ignored
    {" Analysis", "Analysis", true},
    {"Run to time:", "Run to  time:", false},  // inner blanks must match
    {"ok", "OK", false},                       // case counts
    {"OK", "OK2", false},
    {"Save", "Save as", false},
    {"Number of Threads*", "Number of Threads (0 = auto):", true},
    {"Number of Threads*", "Number of", false},
    {"Num&ber*", "&Number of Threads", true},
    {"*", "anything", true},
    {"Save && Exit", "Save & Exit", true},
    {"&Save as", "Save &as", true},
};

TEST(RobotTextTest, MatchesControlTexts) {
    for (const auto& row : kMatches) {
        const ControlQuery query = ControlQuery::byText(row.ref);
        EXPECT_EQ(kvwin32::robotTextMatches(query.text, row.control, query.prefix), row.matches)
            << "'" << row.ref << "' vs '" << row.control << "'";
    }
}

TEST(RobotTextTest, QueriesThatNameNothing) {
    for (const char* ref : {"", "&", "  & ", "="}) {
        EXPECT_TRUE(ControlQuery::byText(ref).namesNothing()) << "'" << ref << "'";
    }
    for (const char* ref : {"*", "=*", "OK", "=Show"}) {
        EXPECT_FALSE(ControlQuery::byText(ref).namesNothing()) << ref;
    }
    EXPECT_FALSE(ControlQuery::byId(0).namesNothing());
    EXPECT_FALSE(ControlQuery::focused().namesNothing());
}

struct RefusalRow {
    int id;
    const char* action;
    const char* errorPart;
};

const RefusalRow kRefusalRows[] = {
    {112, "click", "is disabled"},       {113, "click", "is hidden"},
    {100, "click", "cannot be clicked"}, {120, "click", "cannot be clicked"},
    {112, "type", "is disabled"},        {IDOK, "type", "takes no typing"},
    {132, "type", "is read-only"},       {113, "key", "is hidden"},
    {101, "select", "has no items"},     {122, "check", "no item"},
};

TEST_F(RobotTest, RefusesWhatAPersonCouldNotDo) {
    for (const RefusalRow& row : kRefusalRows) {
        SCOPED_TRACE(testing::Message() << row.action << " #" << row.id);
        rec.clear();
        std::string action = row.action;
        kvwin32::RobotResult result;
        if (action == "click") {
            result = m_robot.click(item(row.id));
        } else if (action == "type") {
            result = m_robot.type(item(row.id), "x");
        } else if (action == "key") {
            result = m_robot.key(item(row.id), VK_SPACE);
        } else if (action == "select") {
            result = m_robot.select(item(row.id), ItemQuery::at(0));
        } else {
            result = m_robot.check(item(row.id), ItemQuery::at(0), true);
        }
        EXPECT_EQ(result.failure, RobotFailure::refused);
        EXPECT_NE(result.error.find(row.errorPart), std::string::npos) << result.error;
        EXPECT_TRUE(commands().empty());
    }
    // A control inside a disabled window is refused as well.
    EnableWindow(m_window, FALSE);
    EXPECT_NE(m_robot.click(item(IDOK)).error.find("is disabled"), std::string::npos);
    EnableWindow(m_window, TRUE);
    EXPECT_FALSE(m_robot.click(nullptr).ok());
}

TEST_F(RobotTest, ClickingACheckBoxTogglesItAndNotifies) {
    ASSERT_TRUE(m_robot.click(ControlQuery::byText("Enable noise")).ok());
    EXPECT_TRUE(Robot::checked(item(122)));
    ASSERT_TRUE(m_robot.click(item(122)).ok());
    EXPECT_FALSE(Robot::checked(item(122)));
    EXPECT_EQ(commands(), (std::vector<std::pair<int, int>>{{122, BN_CLICKED}, {122, BN_CLICKED}}));
}

TEST_F(RobotTest, ClickingAButtonSendsDownAndUpAtItsCentre) {
    HWND ok = item(IDOK);
    ASSERT_TRUE(m_robot.click(ok).ok());
    EXPECT_EQ(commands(), (std::vector<std::pair<int, int>>{{IDOK, BN_CLICKED}}));
}

TEST_F(RobotTest, TypingReplacesTheTextAndNotifiesChange) {
    SetWindowTextA(item(101), "old");
    rec.clear();
    ASSERT_TRUE(m_robot.type(ControlQuery::byText("Run to time:"), "12ns").ok());
    EXPECT_EQ(Robot::text(item(101)), "12ns");
    EXPECT_TRUE(Robot::focused(item(101)));
    std::vector<std::pair<int, int>> got = commands();
    EXPECT_FALSE(got.empty());
    EXPECT_EQ(std::count(got.begin(), got.end(), std::pair<int, int>{101, EN_CHANGE}), 4);
    // Typing nothing clears the edit with the Delete key.
    ASSERT_TRUE(m_robot.type(item(101), "").ok());
    EXPECT_EQ(Robot::text(item(101)), "");
}

TEST_F(RobotTest, ReadsOfPlainControls) {
    EXPECT_EQ(Robot::text(item(IDOK)), "OK");
    EXPECT_TRUE(Robot::enabled(item(IDOK)));
    EXPECT_FALSE(Robot::enabled(item(112)));
    EXPECT_FALSE(Robot::visible(item(113)));
    EXPECT_EQ(Robot::className(item(101)), "Edit");
    EXPECT_EQ(Robot::count(item(101)), 0);
    EXPECT_TRUE(Robot::items(item(101)).empty());
    EXPECT_EQ(Robot::selectedText(item(IDOK)), "");
}

TEST_F(RobotTest, CheckListReaderIsPluggable) {
    HWND list = CreateWindowExA(
        0, "ListBox", "", kChild | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED, 0, 300, 100, 80, m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(160)), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("alpha"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("beta"));
    // Without a reader the list is no check-list box.
    kvwin32::CheckListReader previous = kvwin32::setCheckListReader({});
    EXPECT_NE(
        m_robot.check(list, ItemQuery::named("beta"), true).error.find("not a check-list box"),
        std::string::npos);
    std::vector<bool> states = {false, true};
    kvwin32::setCheckListReader(
        [&](HWND, int index) { return std::optional<bool>(states[static_cast<size_t>(index)]); });
    // Already in that state: nothing is clicked.
    rec.clear();
    EXPECT_TRUE(m_robot.check(list, ItemQuery::named("beta"), true).ok());
    EXPECT_EQ(Robot::itemChecked(list, ItemQuery::at(1)), true);
    EXPECT_EQ(Robot::itemChecked(list, ItemQuery::named("gamma")), std::nullopt);
    kvwin32::setCheckListReader(std::move(previous));
}

// A list box that answers the check-list state message the way the framework's check-list
// box does, and notes where it was clicked.
struct CheckListState {
    WNDPROC listProc = nullptr;
    std::vector<int> states;
    std::vector<POINT> clicks;
};
LRESULT checkListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UINT stateMessage = RegisterWindowMessageA("KvCheckListBoxGetCheck");
    auto* state = static_cast<CheckListState*>(GetPropA(hwnd, "CheckListState"));
    if (msg == stateMessage) {
        return wParam < state->states.size() ? 0x10000 | state->states[wParam] : LB_ERR;
    }
    if (msg == WM_LBUTTONDOWN) {
        state->clicks.push_back(
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    }
    return CallWindowProcA(state->listProc, hwnd, msg, wParam, lParam);
}

TEST_F(RobotTest, CheckListAnswersTheStateMessage) {
    HWND list =
        CreateWindowExA(0, "ListBox", "", kChild | LBS_HASSTRINGS, 200, 0, 100, 80, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(175)), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("alpha"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("beta"));
    CheckListState state;
    state.states = {BST_CHECKED, BST_UNCHECKED};
    SetPropA(list, "CheckListState", &state);
    state.listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(checkListProc)));
    EXPECT_EQ(Robot::itemChecked(list, ItemQuery::named("alpha")), true);
    EXPECT_EQ(Robot::itemChecked(list, ItemQuery::at(1)), false);
    // Already checked: no click. Unchecked: a click on its check box.
    EXPECT_TRUE(m_robot.check(list, ItemQuery::named("alpha"), true).ok());
    EXPECT_TRUE(state.clicks.empty());
    EXPECT_TRUE(m_robot.check(list, ItemQuery::named("beta"), true).ok());
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    ASSERT_EQ(state.clicks.size(), 1u);
    EXPECT_EQ(state.clicks[0].x, rect.left + 7);
    EXPECT_EQ(state.clicks[0].y, (rect.top + rect.bottom) / 2);
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.listProc));
    RemovePropA(list, "CheckListState");
    DestroyWindow(list);
}

TEST_F(RobotTest, SelectingAListBoxItemClicksItAndNotifies) {
    HWND list =
        CreateWindowExA(0, "ListBox", "", kChild | LBS_NOTIFY, 200, 0, 100, 40, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(170)), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    for (const char* text : {"one", "two", "three", "four", "five", "six", "seven"}) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    rec.clear();
    ASSERT_TRUE(m_robot.select(list, ItemQuery::named("two")).ok());
    EXPECT_EQ(Robot::selectedText(list), "two");
    // An item below the visible ones is scrolled into view first.
    ASSERT_TRUE(m_robot.select(list, ItemQuery::at(6)).ok());
    EXPECT_EQ(Robot::selectedText(list), "seven");
    // The first click also gives the list the focus.
    EXPECT_EQ(commands(), (std::vector<std::pair<int, int>>{
                              {170, LBN_SETFOCUS}, {170, LBN_SELCHANGE}, {170, LBN_SELCHANGE}}));
    EXPECT_EQ(Robot::count(list), 7);
    EXPECT_EQ(Robot::items(list).front(), "one");
    kvwin32::RobotResult missing = m_robot.select(list, ItemQuery::named("eight"));
    EXPECT_NE(missing.error.find("no item \"eight\""), std::string::npos) << missing.error;
}

TEST_F(RobotTest, ChoosingFromADropDownListNotifiesInWindowsOrder) {
    HWND combo =
        CreateWindowExA(0, "ComboBox", "", kChild | CBS_DROPDOWNLIST, 200, 100, 100, 120, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(180)), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* text : {"Linear", "Octave", "Decade"}) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    rec.clear();
    kvwin32::RobotResult result = m_robot.select(combo, ItemQuery::named("Octave"));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(Robot::selectedText(combo), "Octave");
    std::vector<std::pair<int, int>> got = commands();
    std::vector<std::pair<int, int>> notifications;
    for (auto [id, code] : got) {
        if (code == CBN_DROPDOWN || code == CBN_SELENDOK || code == CBN_CLOSEUP ||
            code == CBN_SELCHANGE) {
            notifications.emplace_back(id, code);
        }
    }
    EXPECT_EQ(
        notifications,
        (std::vector<std::pair<int, int>>{
            {180, CBN_DROPDOWN}, {180, CBN_SELENDOK}, {180, CBN_CLOSEUP}, {180, CBN_SELCHANGE}}));
    // Typing is refused: a drop-down list has no edit.
    EXPECT_NE(m_robot.type(combo, "x").error.find("drop-down list"), std::string::npos);
}

TEST_F(RobotTest, ClickingATabAsksTheControlToChange) {
    HWND tab =
        CreateWindowExA(0, "SysTabControl32", "", kChild, 0, 300, 300, 80, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(190)), nullptr, nullptr);
    ASSERT_NE(tab, nullptr);
    const char* captions[] = {"General", "Analysis", "Options"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA tcItem{};
        tcItem.mask = TCIF_TEXT;
        tcItem.pszText = const_cast<char*>(captions[i]);
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tcItem));
    }
    // The notification data lives only while it is sent: note the codes as they arrive.
    std::vector<UINT> codes;
    rec.setAnswer([&](HWND hwnd, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (hwnd == m_window && msg == WM_NOTIFY) {
            UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
            if (code == TCN_SELCHANGING || code == TCN_SELCHANGE) {
                codes.push_back(code);
            }
            return 0;
        }
        return std::nullopt;
    });
    kvwin32::RobotResult result = m_robot.clickTab(tab, ItemQuery::named("Analysis"));
    rec.setAnswer({});
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(Robot::selectedText(tab), "Analysis");
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(Robot::items(tab), (std::vector<std::string>{"General", "Analysis", "Options"}));
    EXPECT_FALSE(m_robot.clickTab(tab, ItemQuery::at(5)).ok());
    EXPECT_FALSE(m_robot.clickTab(item(IDOK), ItemQuery::at(0)).ok());
}

// In a row of tabs wider than the control, a tab out of view is reached through the row's
// scroll arrows, whichever side it lies on; the arrows never change the selection.
TEST_F(RobotTest, ATabScrolledOutOfTheRowIsScrolledIntoViewAndClicked) {
    HWND tab = CreateWindowExA(0, "SysTabControl32", "", kChild, 0, 300, 200, 80, m_window, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(tab, nullptr);
    const int count = 10;
    for (int i = 0; i < count; ++i) {
        std::string caption = "Caption number " + std::to_string(i);
        TCITEMA tcItem{};
        tcItem.mask = TCIF_TEXT;
        tcItem.pszText = caption.data();
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tcItem));
    }
    auto shown = [tab](int index) {
        RECT r{};
        SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        TCHITTESTINFO hit{{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, 0};
        return SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == index;
    };
    ASSERT_FALSE(shown(count - 1)) << "the row must be wider than the control";
    for (int target : {count - 1, 0, count - 2, 1}) {
        kvwin32::RobotResult result = m_robot.clickTab(tab, ItemQuery::at(target));
        ASSERT_TRUE(result.ok()) << "tab " << target << ": " << result.error;
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), target);
        EXPECT_TRUE(shown(target));
    }
    DestroyWindow(tab);
}

TEST_F(RobotTest, SpaceKeyOnACheckBoxTogglesIt) {
    HWND box = item(122);
    ASSERT_TRUE(m_robot.key(box, VK_SPACE).ok());
    EXPECT_TRUE(Robot::checked(box));
    EXPECT_TRUE(Robot::focused(box));
}

// A key press types its character once, whether the edit sits in a plain window or in a
// dialog (which translates the press itself), and a press with Ctrl types a control character
// that edits act on rather than show.
TEST_F(RobotTest, AKeyPressTypesItsCharacterOnce) {
    struct Press {
        UINT vk;
        kvwin32::KeyModifiers modifiers;
        const char* text;  // the edit's text after the presses so far
    };
    const Press presses[] = {
        {'A', kvwin32::KeyModifiers::none, "a"},
        {'B', kvwin32::KeyModifiers::shift, "aB"},
        {VK_SPACE, kvwin32::KeyModifiers::none, "aB "},
        {'1', kvwin32::KeyModifiers::shift, "aB !"},
        {VK_OEM_MINUS, kvwin32::KeyModifiers::none, "aB !-"},
        {'Q', kvwin32::KeyModifiers::ctrl, "aB !-"},
        {VK_BACK, kvwin32::KeyModifiers::none, "aB !"},
    };
    HWND dialog = CreateWindowExA(0, "#32770", "Dialog", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    for (HWND parent : {m_window, dialog}) {
        HWND edit = CreateWindowExA(0, "Edit", "", kChild | WS_TABSTOP | ES_AUTOHSCROLL, 0, 300,
                                    150, 18, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(edit, nullptr);
        for (const Press& press : presses) {
            ASSERT_TRUE(m_robot.key(edit, press.vk, press.modifiers).ok());
            EXPECT_EQ(Robot::text(edit), press.text)
                << (parent == dialog ? "in a dialog, " : "in a window, ") << "key " << press.vk;
        }
        DestroyWindow(edit);
    }
    DestroyWindow(dialog);
}

TEST_F(RobotTest, PumpDispatchesWhatWasPosted) {
    PostMessageA(m_window, WM_USER + 7, 1, 2);
    rec.clear();
    m_robot.pump();
    size_t posted = 0;
    for (const kvtest::RecordedMsg& m : rec.log()) {
        if (m.message == WM_USER + 7) {
            ++posted;
        }
    }
    EXPECT_EQ(posted, 1u);
    // Everything was dispatched, paint included.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(RobotTest, TheTopmostModalDialogIsWhereTheSearchGoes) {
    HWND dialog = CreateWindowExA(0, "#32770", "Modal", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                  m_window, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND ok =
        CreateWindowExA(0, "Button", "OK", kChild, 0, 0, 50, 20, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), nullptr, nullptr);
    Robot automatic;
    // The owner still takes input: the dialog is modeless, and the topmost window is searched.
    EXPECT_EQ(kvwin32::topmostModalDialog(), nullptr);
    EnableWindow(m_window, FALSE);
    EXPECT_EQ(kvwin32::topmostModalDialog(), dialog);
    EXPECT_EQ(automatic.find(ControlQuery::byText("OK")).hwnd, ok);
    EXPECT_FALSE(automatic.find(ControlQuery::byText("Cancel")).ok());
    EnableWindow(m_window, TRUE);
    DestroyWindow(dialog);
}

}  // namespace
