// Internal: the window manager's records and the contracts between its files (window.cpp,
// class.cpp, message.cpp, focus.cpp, winpos.cpp, defwnd.cpp) and the window procedures built
// on it (controls, dialog manager). A control reaches its own record through windowRecord().
//
// Threads: a window belongs to the thread that created it. Any thread may test a handle, ask
// for its thread and post to it; everything else is for the owning thread, as the product
// has one UI thread. The handle table is locked; the records themselves are not.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kvwin32/winuser.h"

namespace kvwin32::internal {

struct Surface;

// One standard scroll bar of a window (scroll.cpp), in the values of SCROLLINFO.
struct ScrollBarState {
    int min = 0;            // range, min <= max
    int max = 100;          // standard bars start at 0..100, as Windows makes them
    UINT page = 0;          // page size, at most the range's size
    int pos = 0;            // in min..max - max(page - 1, 0)
    UINT disabled = 0;      // ESB_DISABLE_* arrows
    bool tracking = false;  // the thumb is being dragged
    int trackPos = 0;       // where the dragged thumb stands
};

// The standard scroll bars of a window, made when a window with WS_VSCROLL or WS_HSCROLL
// passes WM_NCCREATE to DefWindowProc or when a scroll function first sets either bar.
struct ScrollBars {
    ScrollBarState horz;
    ScrollBarState vert;
};

// A registered window class.
struct WindowClass {
    std::string name;              // name as registered (compared without letter case)
    ATOM atom = 0;                 // atom the name maps to
    UINT style = 0;                // CS_* bits
    WNDPROC proc = nullptr;        // procedure new windows start with
    std::vector<BYTE> classExtra;  // cbClsExtra bytes, zeroed
    int windowExtra = 0;           // cbWndExtra: extra bytes of each window
    HINSTANCE instance = nullptr;  // registering module (application classes)
    HICON icon = nullptr;          // hIcon
    HICON smallIcon = nullptr;     // hIconSm
    HCURSOR cursor = nullptr;      // hCursor
    HBRUSH background = nullptr;   // hbrBackground (a brush or COLOR_* + 1)
    std::string menuName;          // lpszMenuName when given as a string
    bool system = false;           // registered by the window system, not unregistrable
    int windowCount = 0;           // live windows of the class (blocks UnregisterClass)
};

// A named window property.
struct WindowProperty {
    std::string name;  // the name, or "#<atom>" for an atom
    HANDLE data = nullptr;
};

// A window. Coordinates are relative to the parent's client area, as Windows keeps them.
struct Window {
    HWND handle = nullptr;              // own handle
    WindowClass* wndClass = nullptr;    // class (kept alive by windowCount)
    DWORD style = 0;                    // WS_* and class-specific style bits
    DWORD exStyle = 0;                  // WS_EX_* bits
    UINT_PTR id = 0;                    // control id of a child (the hMenu of CreateWindow)
    HMENU menu = nullptr;               // menu of a top-level window (kept, never drawn)
    HWND parent = nullptr;              // parent; the desktop or message root for top-levels
    HWND owner = nullptr;               // owner of a top-level window
    std::vector<HWND> children;         // children in z-order, topmost first (= tab order)
    std::string text;                   // window text as DefWindowProc keeps it
    RECT window{};                      // window rectangle in parent client coordinates
    RECT client{};                      // client rectangle in parent client coordinates
    WNDPROC proc = nullptr;             // current window procedure (subclassing changes it)
    HINSTANCE instance = nullptr;       // GWLP_HINSTANCE
    LONG_PTR userData = 0;              // GWLP_USERDATA
    std::vector<BYTE> extra;            // cbWndExtra bytes, zeroed
    std::vector<WindowProperty> props;  // SetPropA values
    DWORD threadId = 0;                 // creating thread
    RECT update{};                      // bounding box of the invalid area (client coords)
    bool hasUpdate = false;             // whether update holds an invalid area
    bool needSize = false;              // WM_SIZE/WM_MOVE owed to an overlapped window
    bool destroying = false;            // DestroyWindow has started on it
    bool nonclientSent = false;         // WM_NCDESTROY already sent
    // State record of a system control's procedure (see internal/control.h); the record keeps
    // it until the window is freed, whatever the procedure did with WM_NCDESTROY.
    std::shared_ptr<void> controlState;
    // Its standard scroll bars' state, or null before any (scroll.cpp).
    std::shared_ptr<ScrollBars> scrollBars;
    // Pixels of a top-level window, which it and its children paint into (paint.cpp).
    std::shared_ptr<Surface> surface;
};

// ---- Handle table (window.cpp) ------------------------------------------------------------

// The record of a live window, or null (stale, null or foreign handles).
Window* windowRecord(HWND hwnd);
// As windowRecord; sets ERROR_INVALID_WINDOW_HANDLE when there is no such window.
Window* windowOrError(HWND hwnd);
// The desktop window, root of the top-level windows.
HWND desktopWindow();
// The root of message-only windows (HWND_MESSAGE parents).
HWND messageRoot();
// Whether a window is the desktop or the message root.
bool isRootWindow(HWND hwnd);
// A snapshot of a window's children (topmost first); empty for a dead window.
std::vector<HWND> childrenOf(HWND hwnd);
// Top-level windows owned by a window.
std::vector<HWND> ownedWindows(HWND owner);
// Moves a window within its parent's z-order: after insertAfter, or to HWND_TOP/HWND_BOTTOM.
void relinkWindow(Window& window, HWND insertAfter);
// Sets the style bits and returns the previous ones, sending no messages.
DWORD setStyleBits(Window& window, DWORD set, DWORD clear);
// Every window of a thread.
std::vector<HWND> windowsOfThread(DWORD threadId);

// ---- Classes and atoms (class.cpp) --------------------------------------------------------

// The global atom table that class names and registered messages share: the atom of a name
// (compared without letter case) in 0xC000..0xFFFF, added when new; 0 when the table is full.
ATOM addAtom(std::string_view name);
// The atom of a name already in the table, or 0.
ATOM findAtom(std::string_view name);

// The class CreateWindowEx uses for a name or atom: an application class of the instance,
// then a global class, then a system class; null when none.
WindowClass* findClassForWindow(LPCSTR name, HINSTANCE instance);

// ---- Messages (message.cpp) -----------------------------------------------------------------

// Per-thread state of the window manager (Windows keeps it with the thread's queue).
struct ThreadInput {
    HWND focus = nullptr;    // keyboard focus
    HWND active = nullptr;   // active top-level window
    HWND capture = nullptr;  // mouse capture
    BYTE keys[256] = {};     // key state: 0x80 down, 0x01 toggled
};
// The calling thread's focus, activation and key state.
ThreadInput& threadInput();
// Drops the messages posted to a window (it is being destroyed).
void dropPostedMessages(HWND hwnd);
// Calls a window procedure with the message, as SendMessageA does for the owning thread.
LRESULT callWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Menus (menu.cpp) -----------------------------------------------------------------------

// Frees the menu bar and the system menu copy of a top-level window being freed, as Windows
// destroys a window's menus with it.
void destroyWindowMenus(HWND hwnd, HMENU bar);

// ---- Focus and activation (focus.cpp) -------------------------------------------------------

// Activates another top-level window of the thread when hwnd leaves (hidden or destroyed).
void activateOtherWindow(HWND hwnd);
// Forgets focus, activation and capture held by a window being freed, sending nothing.
void forgetWindowInput(HWND hwnd);
// Activates a top-level window (null deactivates); false when refused.
bool activateWindow(HWND hwnd);

// ---- Geometry (winpos.cpp) ------------------------------------------------------------------

// Thickness of the non-client frame on each side for the styles (caption included, no menu).
RECT frameInsets(DWORD style, DWORD exStyle);
// The client rectangle DefWindowProc computes inside a window rectangle for the styles
// (frame, caption, client edge, scroll bars).
RECT clientRectFor(DWORD style, DWORD exStyle, const RECT& window);
// Origin of a window's client area in screen coordinates.
POINT clientOrigin(HWND hwnd);
// A window's client rectangle in its window coordinates (from its window rectangle's top
// left), where its frame and scroll bars are painted around it; empty for a dead window.
RECT clientRectInWindow(HWND hwnd);
// Sends WM_SIZE then WM_MOVE for the current client rectangle (creation, first show).
void sendSizeAndMove(HWND hwnd);
// The headless screen.
inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

// ---- Standard scroll bars (scroll.cpp) --------------------------------------------------------

// DefWindowProc's WM_NCCREATE: the scroll bars of a window created with WS_VSCROLL/WS_HSCROLL.
void createScrollBars(Window& window);
// The rectangle of a window's shown bar (SB_HORZ, SB_VERT) in window coordinates (relative to
// its window rectangle's top left); false when the bar does not show.
bool scrollBarRect(HWND hwnd, int bar, RECT& rect);
// Paints a window's shown scroll bars (and the corner between two) into its window DC.
void paintScrollBars(HWND hwnd, HDC windowDc);
// The WM_NCHITTEST answer of a window's scroll bars for a screen point: HTVSCROLL,
// HTHSCROLL, or HTNOWHERE when the point is on neither.
LRESULT scrollBarHitTest(HWND hwnd, POINT screen);
// DefWindowProc's SC_VSCROLL / SC_HSCROLL: follows the mouse pressed on a bar at a screen
// point until the button is released, sending the window WM_VSCROLL / WM_HSCROLL.
void trackScrollBar(HWND hwnd, int bar, POINT screen);

// ---- Painting (paint.cpp) ----------------------------------------------------------------------

// DefWindowProc's WM_ERASEBKGND: fills the client area with the class background brush;
// TRUE when there was one to fill with.
LRESULT eraseBackground(HWND hwnd, HDC dc);

}  // namespace kvwin32::internal
