// The live window of `kvhost --window`: every visible top-level window of the window system
// shown as a window on the person's desktop through SDL2 (X11 or Wayland), painted from the
// same pixels a snapshot saves and repainted when they change. The person's mouse and
// keyboard become the window system's own input messages, posted into the thread's queue as
// the desktop's input, so every control behaves as it does under the Robot.
//
// The windows are borderless: the caption, frame and close box are the window system's own,
// painted in the classic look; dragging the caption moves the window.
#pragma once

#include <memory>
#include <string>

#include "Result.h"

namespace kvhost {

class LiveScreen {
  public:
    // Opens the display; an error (no display, SDL cannot start) names the reason.
    static Result<std::unique_ptr<LiveScreen>> open();
    ~LiveScreen();
    LiveScreen(const LiveScreen&) = delete;
    LiveScreen& operator=(const LiveScreen&) = delete;

    // Shows the windows as they are now, then waits for the person's input and posts it into
    // the calling thread's queue (with a WM_NULL to wake the asking loop). False when the
    // person ended the session (closed the display) or no window is left to show.
    bool nextInput();
    // Shows the windows as they are now without waiting.
    void refresh();

    // Frames shown and the mean time of one (painting, copying and presenting every window),
    // for the frame-time line KV_WINDOW_STATS=1 prints.
    long long frames() const;
    double meanFrameMilliseconds() const;
    // The same in processor time of the thread, apart from what other programs take.
    double meanFrameCpuMilliseconds() const;

  private:
    struct Impl;
    explicit LiveScreen(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kvhost
