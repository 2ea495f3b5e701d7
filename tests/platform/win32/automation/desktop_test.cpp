// The desktop seam: switching desktops, the transcript and its echo, help and the wait
// cursor, and user input driven by a scripted desktop into a message loop.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/desktop.h"
#include "kvwin32/help.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_cursor.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

using kvwin32::TranscriptKind;

kvwin32::ScriptedDesktop& scripted() {
    return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
}

TEST(DesktopSwitch, SetDesktopReturnsThePreviousAndDefaultsToNone) {
    auto first = std::make_unique<kvwin32::ScriptedDesktop>();
    kvwin32::Desktop* firstAddress = first.get();
    std::unique_ptr<kvwin32::Desktop> original = kvwin32::setDesktop(std::move(first));
    EXPECT_EQ(&kvwin32::desktop(), firstAddress);
    std::unique_ptr<kvwin32::Desktop> back = kvwin32::setDesktop(nullptr);
    EXPECT_EQ(back.get(), firstAddress);
    EXPECT_NE(dynamic_cast<kvwin32::NoneDesktop*>(&kvwin32::desktop()), nullptr);
    kvwin32::setDesktop(std::move(original));
    kvwin32::setInputSource({});
}

TEST(DesktopTranscript, EchoSeesEveryLineAsItHappens) {
    kvwin32::DesktopScope scope(std::make_unique<kvwin32::ScriptedDesktop>());
    std::vector<std::string> echoed;
    kvwin32::desktop().transcript().setEcho(
        [&](std::string_view line) { echoed.emplace_back(line); });
    kvwin32::transcriptNote("modal dialog cancelled");
    EXPECT_TRUE(kvwin32::showHelp("vtug", "49186"));
    kvwin32::desktop().transcript().hostMessage(nullptr, WM_USER + 5, 3, 7, "notify 3 cookie 7");
    const std::vector<std::string> expected = {"modal dialog cancelled", "help \"vtug\" \"49186\"",
                                               "notify 3 cookie 7"};
    EXPECT_EQ(echoed, expected);
    EXPECT_EQ(kvwin32::desktop().transcript().lines(), expected);
    const kvwin32::TranscriptEntry* help =
        kvwin32::desktop().transcript().last(TranscriptKind::help);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->book, "vtug");
    EXPECT_EQ(help->text, "49186");
    const kvwin32::TranscriptEntry* message =
        kvwin32::desktop().transcript().last(TranscriptKind::hostMessage);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->message, static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(message->lParam, 7);
}

TEST(DesktopTranscript, QuoteEscapesAsScriptsWriteTexts) {
    EXPECT_EQ(kvwin32::transcriptQuote("a\"b\\c\nd\te"), "\"a\\\"b\\\\c\\nd\\te\"");
    EXPECT_EQ(kvwin32::transcriptQuote(""), "\"\"");
}

TEST(DesktopHelp, WinHelpRecordsContextsAndQuitsSilently) {
    kvwin32::DesktopScope scope(nullptr);
    EXPECT_TRUE(WinHelpA(nullptr, "product.hlp", HELP_CONTEXT, 49188));
    EXPECT_TRUE(WinHelpA(nullptr, "product.hlp", HELP_QUIT, 0));
    EXPECT_TRUE(WinHelpA(nullptr, "product.hlp", HELP_FINDER, 0));
    const std::vector<std::string> expected = {"help \"product.hlp\" \"49188\"",
                                               "help \"product.hlp\" \"contents\""};
    EXPECT_EQ(kvwin32::desktop().transcript().lines(), expected);
}

TEST(DesktopCursor, WaitCursorIsRecordedWhenShownAndRemoved) {
    kvwin32::DesktopScope scope(nullptr);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(arrow, wait);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), wait);  // system cursors are shared
    HCURSOR before = SetCursor(arrow);
    kvwin32::desktop().transcript().clear();
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(GetCursor(), wait);
    SetCursor(wait);  // already waiting: no second line
    SetCursor(arrow);
    const std::vector<std::string> expected = {"wait-cursor on", "wait-cursor off"};
    EXPECT_EQ(kvwin32::desktop().transcript().lines(), expected);
    SetCursor(before);
    SetLastError(0);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(DesktopCursor, PositionStaysOnTheScreenAndDisplayCountCounts) {
    POINT saved;
    ASSERT_TRUE(GetCursorPos(&saved));
    EXPECT_TRUE(SetCursorPos(-5, 5000));
    POINT p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, GetSystemMetrics(SM_CYSCREEN) - 1);
    SetCursorPos(saved.x, saved.y);
    EXPECT_FALSE(GetCursorPos(nullptr));
    int count = ShowCursor(FALSE);
    EXPECT_EQ(ShowCursor(TRUE), count + 1);
}

// ---- Input from a scripted desktop into a message loop ---------------------------------------

// A window that ends a hand-made modal loop when it receives WM_COMMAND.
struct LoopState {
    bool done = false;
    int result = 0;
    std::vector<UINT> seen;
};

LRESULT loopWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = static_cast<LoopState*>(GetPropA(hwnd, "LoopState"));
    if (state != nullptr && (msg >= WM_USER || msg == WM_COMMAND)) {
        state->seen.push_back(msg);
    }
    if (state != nullptr && msg == WM_COMMAND) {
        state->done = true;
        state->result = LOWORD(wParam);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A modal loop as a dialog manager runs it: until the window says it is done, or the input
// ends (then it cancels and notes it).
int runLoop(LoopState& state) {
    MSG msg;
    while (!state.done) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
            kvwin32::transcriptNote("loop cancelled: input ended");
            return IDCANCEL;
        }
        if (got == 0) {
            break;
        }
        DispatchMessageA(&msg);
    }
    return state.result;
}

class DesktopInputTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = loopWindowProc;
        wc.lpszClassName = "KvDesktopLoopTest";
        ASSERT_NE(RegisterClassA(&wc), 0);
        m_window = CreateWindowExA(0, "KvDesktopLoopTest", "loop", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        SetPropA(m_window, "LoopState", &m_state);
    }
    void TearDown() override {
        DestroyWindow(m_window);
        WindowFixture::TearDown();
        UnregisterClassA("KvDesktopLoopTest", nullptr);
    }

    kvwin32::DesktopScope m_scope{std::make_unique<kvwin32::ScriptedDesktop>()};
    HWND m_window = nullptr;
    LoopState m_state;
};

TEST_F(DesktopInputTest, ActionsRunOneAtATimeWhenTheLoopAsks) {
    std::vector<int> ran;
    scripted().queueAction([&] {
        ran.push_back(1);
        PostMessageA(m_window, WM_USER + 1, 0, 0);
    });
    // An action that only sends still wakes the loop.
    scripted().queueAction([&] {
        ran.push_back(2);
        EXPECT_EQ(m_state.seen.size(), 1u);  // the first action's message came first
        SendMessageA(m_window, WM_USER + 2, 0, 0);
    });
    scripted().queueAction([&] {
        ran.push_back(3);
        SendMessageA(m_window, WM_COMMAND, IDOK, 0);
    });
    scripted().queueAction([&] { ran.push_back(4); });
    EXPECT_EQ(runLoop(m_state), IDOK);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(m_state.seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_COMMAND}));
    EXPECT_EQ(scripted().pendingActions(), 1u);
}

TEST_F(DesktopInputTest, LoopCancelsWhenTheActionsEnd) {
    scripted().queueAction([&] { PostMessageA(m_window, WM_USER + 1, 0, 0); });
    EXPECT_EQ(runLoop(m_state), IDCANCEL);
    EXPECT_EQ(m_state.seen, (std::vector<UINT>{WM_USER + 1}));
    EXPECT_EQ(kvwin32::desktop().transcript().lines(),
              (std::vector<std::string>{"loop cancelled: input ended"}));
}

TEST_F(DesktopInputTest, ActionMayAnswerABoxOpenedInsideIt) {
    // A nested box inside an action takes the answer queued for it.
    scripted().queueBoxAnswer(IDNO);
    int answer = 0;
    scripted().queueAction([&] {
        answer = MessageBoxA(m_window, "Keep?", "Loop", MB_YESNO);
        SendMessageA(m_window, WM_COMMAND, answer, 0);
    });
    EXPECT_EQ(runLoop(m_state), IDNO);
    EXPECT_EQ(answer, IDNO);
}

TEST_F(DesktopInputTest, NoneDesktopEndsALoopAtOnce) {
    kvwin32::DesktopScope none(nullptr);
    EXPECT_EQ(runLoop(m_state), IDCANCEL);
    EXPECT_TRUE(m_state.seen.empty());
}

}  // namespace
