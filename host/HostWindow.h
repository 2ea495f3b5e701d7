// kvhost's own top-level window: the window a host hands to a modeless sheet, which receives
// WM_SIMSETTINGS_NOTIFY. Every notification it receives goes into the desktop's transcript
// and into a list the script's expect-notify reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

namespace kvhost {

// One WM_SIMSETTINGS_NOTIFY the host window received.
struct Notification {
    WPARAM code = 0;
    LPARAM cookie = 0;
};

class HostWindow {
  public:
    // Creates the (hidden) host window on the calling thread.
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    // Every notification received, oldest first.
    const std::vector<Notification>& notifications() const { return m_notifications; }

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    std::vector<Notification> m_notifications;
};

// The transcript line of a notification: "notify CODE (NAME) cookie N".
std::string notificationLine(const Notification& notification);

}  // namespace kvhost
