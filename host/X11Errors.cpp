// The X error handler of the live window. Kept in a file of its own: the X headers define
// macros (None, Bool, Status ...) that clash with the Windows names the rest of kvhost uses.
#include "X11Errors.h"

#include <X11/Xlib.h>

namespace kvhost {
namespace {

XErrorHandler g_previous = nullptr;  // the handler in place before ours (Xlib's, or SDL's)

int onXError(Display* display, XErrorEvent* error) {
    switch (error->error_code) {
        case BadWindow:
        case BadDrawable:
        case BadMatch:
            // The window is gone or not shown yet; the next frame shows the windows as they
            // are, so nothing needs doing.
            return 0;
        default:
            return g_previous != nullptr ? g_previous(display, error) : 0;
    }
}

}  // namespace

void tolerateVanishedWindows() {
    XErrorHandler previous = XSetErrorHandler(onXError);
    if (previous != onXError) {
        g_previous = previous;
    }
}

}  // namespace kvhost
