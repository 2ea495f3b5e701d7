// A fixture for window manager tests: a message recorder for the test, and a teardown that
// leaves the calling thread as it found it (no windows, no focus or activation, an empty
// queue, no input source), whatever the test did.
#pragma once

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

    MsgRecorder rec;
};

}  // namespace kvtest
