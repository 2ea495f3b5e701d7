// Protocol errors of the X display that the live window can outlive.
#pragma once

namespace kvhost {

// On an X11 display: a request about a window that went away before the server handled it
// (a message box that closed while the live window raised or focused it) no longer ends the
// program, as Xlib's default handler would, losing the person's edits; any other error is
// still Xlib's to handle. Call once the display is open.
void tolerateVanishedWindows();

}  // namespace kvhost
