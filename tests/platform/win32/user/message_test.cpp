// Messages and queues: posting and retrieval order, filters, WM_QUIT, WM_PAINT, the headless
// end-of-input rule, keyboard translation, registered messages and threads.
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/input.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"

using kvtest::Posted;
using kvtest::Sent;
using kvtest::WParam;

namespace {

class MessageTest : public kvtest::WindowFixture {
  protected:
    // The messages left in the queue, removed in retrieval order.
    std::vector<UINT> drain(HWND filter = nullptr, UINT first = 0, UINT last = 0) {
        std::vector<UINT> seen;
        MSG msg;
        while (PeekMessageA(&msg, filter, first, last, PM_REMOVE)) {
            seen.push_back(msg.message);
            if (msg.message == WM_PAINT) {
                ValidateRect(msg.hwnd, nullptr);  // due until validated
            }
            if (msg.message == WM_QUIT) {
                break;
            }
        }
        return seen;
    }
};

TEST_F(MessageTest, PostedMessagesComeInOrderAndFiltered) {
    HWND a = create(WS_POPUP);
    HWND child = create(WS_CHILD, a, 1);
    HWND b = create(WS_POPUP);
    auto postAll = [&] {
        PostMessageA(a, WM_USER + 1, 0, 0);
        PostMessageA(b, WM_USER + 2, 0, 0);
        PostMessageA(child, WM_USER + 3, 0, 0);
        PostThreadMessageA(GetCurrentThreadId(), WM_USER + 4, 0, 0);
        PostMessageA(a, WM_APP, 0, 0);
    };
    struct Case {
        const char* name;
        HWND filter;
        UINT first;
        UINT last;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        // The window filter takes the window and its children.
        {"window a", a, 0, 0, {WM_USER + 1, WM_USER + 3, WM_APP}},
        {"range", nullptr, WM_USER + 2, WM_USER + 4, {WM_USER + 2, WM_USER + 3, WM_USER + 4}},
        {"window and range", a, WM_USER + 2, WM_APP, {WM_USER + 3, WM_APP}},
        {"thread messages only", reinterpret_cast<HWND>(-1), 0, 0, {WM_USER + 4}},
        {"everything", nullptr, 0, 0, {WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4, WM_APP}},
    };
    for (const auto& c : cases) {
        postAll();
        // Peeking without removing leaves the message in place.
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, c.filter, c.first, c.last, PM_NOREMOVE)) << c.name;
        EXPECT_EQ(msg.message, c.expected.front()) << c.name;
        EXPECT_EQ(drain(c.filter, c.first, c.last), c.expected) << c.name;
        drain();
    }
}

TEST_F(MessageTest, QuitComesLastAndPassesEveryFilter) {
    HWND hwnd = create(WS_POPUP);
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 1, 0, 0);
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    // A filter that excludes WM_QUIT still gets it.
    EXPECT_EQ(GetMessageA(&msg, hwnd, WM_KEYFIRST, WM_KEYLAST), 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, EmptyQueueEndsInputWithoutSource) {
    MSG msg;
    SetLastError(0);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_FALSE(WaitMessage());
}

TEST_F(MessageTest, EmptyQueueAsksTheInputSource) {
    HWND hwnd = create(WS_POPUP);
    int asked = 0;
    std::vector<UINT> script = {WM_KEYDOWN, WM_CHAR};
    kvwin32::setInputSource([&] {
        ++asked;
        if (script.empty()) {
            return false;
        }
        PostMessageA(hwnd, script.front(), 'A', 0);
        script.erase(script.begin());
        return true;
    });
    MSG msg;
    // Peeking never asks: idle work sees an empty queue first.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_EQ(asked, 3);
}

TEST_F(MessageTest, SourceThatClaimsInputButPostsNoneEndsIt) {
    int asked = 0;
    kvwin32::setInputSource([&] {
        ++asked;
        return true;
    });
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(asked, 1);
}

TEST_F(MessageTest, PaintComesAfterPostedMessagesUntilValidated) {
    HWND hidden = create(WS_POPUP);
    HWND shown = create(WS_POPUP | WS_VISIBLE);
    MSG msg;
    drain();
    ValidateRect(shown, nullptr);
    InvalidateRect(hidden, nullptr, TRUE);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "hidden windows do not paint";

    RECT r1{0, 0, 10, 10};
    RECT r2{20, 5, 30, 40};
    InvalidateRect(shown, &r1, TRUE);
    InvalidateRect(shown, &r2, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(shown, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.right, 30);
    EXPECT_EQ(update.bottom, 40);

    PostMessageA(shown, WM_USER, 0, 0);
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, shown);
    // Still due until someone validates: DefWindowProc's WM_PAINT does.
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_FALSE(GetUpdateRect(shown, &update, FALSE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, UpdateWindowPaintsAtOnce) {
    HWND hwnd = create(WS_POPUP | WS_VISIBLE);
    InvalidateRect(hwnd, nullptr, TRUE);
    rec.clear();
    UpdateWindow(hwnd);
    EXPECT_TRUE(rec.matches({{WM_PAINT, Sent}}, "UpdateWindow"));
    rec.clear();
    UpdateWindow(hwnd);
    EXPECT_TRUE(rec.log().empty());
}

TEST_F(MessageTest, TranslateMessageTypesCharacters) {
    HWND hwnd = create(WS_POPUP);
    struct Case {
        UINT vk;
        bool shift;
        char expected;  // 0: nothing typed
    };
    const Case cases[] = {
        {'A', false, 'a'},         {'A', true, 'A'},         {'7', false, '7'},
        {'7', true, '&'},          {VK_SPACE, false, ' '},   {VK_RETURN, false, '\r'},
        {VK_OEM_MINUS, true, '_'}, {VK_NUMPAD3, false, '3'}, {VK_LEFT, false, 0},
        {VK_F1, true, 0},          {VK_BACK, false, '\b'},
    };
    MSG msg;
    for (const auto& c : cases) {
        if (c.shift) {
            PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0);
        }
        PostMessageA(hwnd, WM_KEYDOWN, c.vk, 0x1e0001);
        if (c.shift) {
            ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
        }
        ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
        EXPECT_TRUE(TranslateMessage(&msg));
        if (c.expected) {
            ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "vk " << c.vk;
            EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR)) << "vk " << c.vk;
            EXPECT_EQ(msg.wParam, static_cast<WPARAM>(static_cast<BYTE>(c.expected)))
                << "vk " << c.vk << " shift " << c.shift;
            EXPECT_EQ(msg.lParam, 0x1e0001) << "vk " << c.vk;
        } else {
            EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "vk " << c.vk;
        }
        if (c.shift) {
            PostMessageA(hwnd, WM_KEYUP, VK_SHIFT, 0);
            ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
        }
        EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    }
    MSG other{hwnd, WM_USER, 0, 0, 0, {}};
    EXPECT_FALSE(TranslateMessage(&other));
}

TEST_F(MessageTest, RegisteredMessages) {
    UINT a = RegisterWindowMessageA("KvTest.Changed");
    UINT b = RegisterWindowMessageA("kvtest.CHANGED");
    UINT c = RegisterWindowMessageA("KvTest.Other");
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    for (UINT id : {a, c}) {
        EXPECT_GE(id, 0xC000u);
        EXPECT_LE(id, 0xFFFFu);
    }
    SetLastError(0);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
}

TEST_F(MessageTest, DispatchCallsTheProcedureAndReturnsItsResult) {
    HWND hwnd = create(WS_POPUP);
    rec.setAnswer([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) {
            return 99;
        }
        return std::nullopt;
    });
    PostMessageA(hwnd, WM_USER, 1, 2);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    rec.clear();
    EXPECT_EQ(DispatchMessageA(&msg), 99);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 99);
    EXPECT_EQ(CallWindowProcA(nullptr, hwnd, WM_USER, 0, 0), 0);
    PostMessageA(hwnd, WM_USER + 5, 0, 0);
    rec.clear();
    rec.dispatchPosted();
    EXPECT_TRUE(rec.matches({{WM_USER + 5, Posted}}, "dispatched"));
}

TEST_F(MessageTest, MessagesOfDestroyedWindowsAreDropped) {
    HWND keep = create(WS_POPUP);
    HWND gone = create(WS_POPUP);
    PostMessageA(gone, WM_USER, 0, 0);
    PostMessageA(keep, WM_USER + 1, 0, 0);
    PostMessageA(gone, WM_USER + 2, 0, 0);
    DestroyWindow(gone);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER + 1}));
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessageTest, PointerMessagesCannotBePosted) {
    HWND hwnd = create(WS_POPUP);
    for (UINT msg : {WM_SETTEXT, WM_GETTEXT, WM_WINDOWPOSCHANGED, WM_CREATE}) {
        SetLastError(0);
        EXPECT_FALSE(PostMessageA(hwnd, msg, 0, 0)) << msg;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MESSAGE_SYNC_ONLY)) << msg;
    }
}

TEST_F(MessageTest, ThreadsPostToEachOther) {
    HWND hwnd = create(WS_POPUP);
    DWORD me = GetCurrentThreadId();
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, nullptr), me);
    BOOL posted = FALSE;
    BOOL postedToWindow = FALSE;
    LRESULT sent = -1;
    DWORD sendError = 0;
    DWORD otherId = 0;
    std::thread([&] {
        otherId = GetCurrentThreadId();
        posted = PostThreadMessageA(me, WM_USER + 7, 1, 2);
        postedToWindow = PostMessageA(hwnd, WM_USER + 8, 0, 0);
        // Sending would have to wait for this thread: refused.
        sent = SendMessageA(hwnd, WM_USER, 0, 0);
        sendError = GetLastError();
    }).join();
    EXPECT_TRUE(posted);
    EXPECT_TRUE(postedToWindow);
    EXPECT_EQ(sent, 0);
    EXPECT_EQ(sendError, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_NE(otherId, me);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
    // The other thread has ended, and its queue with it.
    SetLastError(0);
    EXPECT_FALSE(PostThreadMessageA(otherId, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

}  // namespace
