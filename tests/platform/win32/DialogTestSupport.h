// Test helpers for dialogs: a fixture that hands this program's test dialogs (res/tests.rc) to
// the window system and cleans up after each test, a dialog procedure that records what it is
// sent and answers as a test tells it, and the keyboard as the dialog manager sees it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/resources.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_dialog.h"
#include "resource.h"

namespace kvtest {

// Registers the program's resources for a test and removes them afterwards; windows, focus
// and the queue are reset by WindowFixture.
class DialogFixture : public WindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
    }
    void TearDown() override {
        WindowFixture::TearDown();
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
            release(vk);
        }
        KvRegisterResourceDirectory(nullptr, nullptr);
    }

  public:
    // Leaves a key down or up in the thread's key state, as retrieving its message does.
    static void press(int vk) { track(WM_KEYDOWN, vk); }
    static void release(int vk) { track(WM_KEYUP, vk); }

    // A key press as the dialog's loop would handle it: WM_KEYDOWN to the focused window
    // through IsDialogMessageA, then whatever that posted, dispatched the same way.
    static void key(HWND dialog, UINT vk, UINT message = WM_KEYDOWN) {
        MSG msg{GetFocus() ? GetFocus() : dialog, message, vk, 0, 0, {}};
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        pump(dialog);
    }
    // A character (WM_CHAR or, with Alt, WM_SYSCHAR) to the focused window.
    static void character(HWND dialog, char c, bool alt = false) {
        key(dialog, static_cast<unsigned char>(c), alt ? WM_SYSCHAR : WM_CHAR);
    }
    // Dispatches what is queued through the dialog's keyboard interface.
    static void pump(HWND dialog) {
        MSG msg;
        for (int guard = 0; guard < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
            if (msg.message == WM_PAINT) {
                ValidateRect(msg.hwnd, nullptr);
                continue;
            }
            if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

  private:
    static void track(UINT message, int vk) {
        PostThreadMessageA(GetCurrentThreadId(), message, static_cast<WPARAM>(vk), 0);
        MSG msg;
        PeekMessageA(&msg, nullptr, message, message, PM_REMOVE);
    }
};

// A dialog procedure that records what it gets; `initParam` of the dialog is the probe.
struct DialogProbe {
    std::vector<WPARAM> commands;     // wParam of every WM_COMMAND
    std::vector<UINT> notifications;  // code of every WM_NOTIFY
    HWND initFocus = nullptr;         // wParam of WM_INITDIALOG
    INT_PTR initAnswer = TRUE;        // what WM_INITDIALOG answers
    // Handles a message first; nothing means "not handled" (FALSE).
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> handler;

    LPARAM param() { return reinterpret_cast<LPARAM>(this); }

    static INT_PTR proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        }
        auto* probe = reinterpret_cast<DialogProbe*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (probe == nullptr) {
            return FALSE;
        }
        if (msg == WM_INITDIALOG) {
            probe->initFocus = reinterpret_cast<HWND>(wParam);
        } else if (msg == WM_COMMAND) {
            probe->commands.push_back(wParam);
        } else if (msg == WM_NOTIFY) {
            probe->notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        }
        if (probe->handler) {
            if (INT_PTR handled = probe->handler(dialog, msg, wParam, lParam)) {
                return handled;
            }
        }
        return msg == WM_INITDIALOG ? probe->initAnswer : FALSE;
    }
};

// The control id of the focused window, 0 when none.
inline int focusedId() {
    return GetFocus() ? GetDlgCtrlID(GetFocus()) : 0;
}

}  // namespace kvtest
