// A fixture for window manager tests: a message recorder for the test, and a teardown that
// leaves the calling thread as it found it (no windows, no focus or activation, an empty
// queue, no input source), whatever the test did.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MsgSequence.h"
#include "kvwin32/input.h"
#include "kvwin32/winuser.h"

namespace kvtest {

class WindowFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        rec.setRecording(false);
        kvwin32::setInputSource({});
        std::vector<HWND> mine;
        EnumWindows(
            [](HWND hwnd, LPARAM list) {
                if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&mine));
        for (HWND hwnd : mine) {
            DestroyWindow(hwnd);
        }
        SetFocus(nullptr);
        SetActiveWindow(nullptr);
        ReleaseCapture();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_PAINT) {
                ValidateRect(msg.hwnd, nullptr);
            }
        }
    }

    // A recording window; parent null makes it top-level.
    HWND create(DWORD style, HWND parent = nullptr, int id = 0, int x = 0, int y = 0, int cx = 100,
                int cy = 50, const char* cls = kRecorderClass, DWORD exStyle = 0) {
        return CreateWindowExA(exStyle, cls, "", style, x, y, cx, cy, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    // The WM_COMMAND messages `parent` received, oldest first; with an id, only that control's.
    std::vector<RecordedMsg> commandsTo(HWND parent, int id = -1) const {
        std::vector<RecordedMsg> out;
        for (const RecordedMsg& m : rec.log()) {
            if (m.hwnd == parent && m.message == WM_COMMAND &&
                (id < 0 || LOWORD(m.wParam) == static_cast<WORD>(id))) {
                out.push_back(m);
            }
        }
        return out;
    }

    // The notification `code` a control sends its parent, as a sequence entry.
    static ExpectedMsg notification(HWND control, WORD code) {
        const auto id = static_cast<WORD>(GetDlgCtrlID(control));
        return {WM_COMMAND, Sent | Parent | WParam | LParam, MAKEWPARAM(id, code),
                reinterpret_cast<LPARAM>(control)};
    }

    // Whether the control's notifications to `parent` were exactly `codes`, in order.
    ::testing::AssertionResult notifiedBy(HWND parent, HWND control, const std::vector<int>& codes,
                                          const std::string& context) const {
        std::vector<ExpectedMsg> expected;
        for (int code : codes) {
            expected.push_back(notification(control, static_cast<WORD>(code)));
        }
        return compareSequence(commandsTo(parent, GetDlgCtrlID(control)), expected, context);
    }

    MsgRecorder rec;
};

}  // namespace kvtest
