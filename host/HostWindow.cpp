// The host window: registration of its class, and the recording of the notifications a
// modeless sheet posts to it.
#include "HostWindow.h"

#include <string>

#include "kvTessel/Exports.h"
#include "kvwin32/desktop.h"

namespace kvhost {

namespace {

constexpr const char* kClassName = "kvhostWindow";

ATOM registerHostClass() {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = kClassName;
        wc.cbWndExtra = sizeof(LONG_PTR);
        return RegisterClassA(&wc);
    }();
    return atom;
}

const char* codeName(WPARAM code) {
    switch (code) {
        case SETTINGS_NOTIFY_OK:
            return "OK";
        case SETTINGS_NOTIFY_CANCEL:
            return "Cancel";
        case SETTINGS_NOTIFY_APPLY:
            return "Apply";
        default:
            return "unknown";
    }
}

}  // namespace

std::string notificationLine(const Notification& n) {
    return "notify " + std::to_string(n.code) + " (" + codeName(n.code) + ") cookie " +
           std::to_string(static_cast<long long>(n.cookie));
}

HostWindow::HostWindow() {
    registerHostClass();
    m_hwnd = CreateWindowExA(0, kClassName, "kvhost", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
    if (m_hwnd != nullptr) {
        SetWindowLongPtrA(m_hwnd, 0, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
    }
}

HostWindow::~HostWindow() {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        SetWindowLongPtrA(m_hwnd, 0, 0);
        DestroyWindow(m_hwnd);
    }
}

LRESULT CALLBACK HostWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hwnd, 0));
    if (self != nullptr && msg == WM_SIMSETTINGS_NOTIFY) {
        const Notification n{wParam, lParam};
        self->m_notifications.push_back(n);
        kvwin32::desktop().transcript().hostMessage(hwnd, msg, wParam, lParam, notificationLine(n));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace kvhost
