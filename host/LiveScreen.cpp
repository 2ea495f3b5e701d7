#include "LiveScreen.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>
#include <vector>

#include <windows.h>

#include "X11Errors.h"
#include "kvwin32/render.h"

namespace kvhost {
namespace {

// The windows of the window system a person sees: visible top-level windows of this thread,
// bottom of the z-order first.
std::vector<HWND> shownWindows() {
    std::vector<HWND> out;
    const DWORD thread = GetCurrentThreadId();
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == thread) {
            out.insert(out.begin(), w);
        }
    }
    return out;
}

// The virtual key of an SDL key, or 0. Letters, digits and punctuation follow the keyboard
// layout (SDL's key codes are the characters the layout types); the rest are the keys' own.
UINT virtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<UINT>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<UINT>('0' + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return static_cast<UINT>(VK_F1 + (key - SDLK_F1));
    }
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_SEMICOLON:
            return VK_OEM_1;
        case SDLK_EQUALS:
            return VK_OEM_PLUS;
        case SDLK_COMMA:
            return VK_OEM_COMMA;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        case SDLK_SLASH:
            return VK_OEM_2;
        case SDLK_BACKQUOTE:
            return VK_OEM_3;
        case SDLK_LEFTBRACKET:
            return VK_OEM_4;
        case SDLK_BACKSLASH:
            return VK_OEM_5;
        case SDLK_RIGHTBRACKET:
            return VK_OEM_6;
        case SDLK_QUOTE:
            return VK_OEM_7;
        default:
            return 0;
    }
}

LPARAM pointParam(POINT pt) {
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// The close box of a captioned window, in window coordinates, as the frame paints it.
RECT closeBoxOf(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if ((style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU)) {
        return RECT{};
    }
    const int frame = GetSystemMetrics(SM_CXDLGFRAME) + 1;
    const int side = GetSystemMetrics(SM_CYCAPTION) - 5;
    const int right = window.right - window.left - frame - 2;
    return RECT{right - side - 2, frame + 2, right, frame + 2 + side};
}

// The height of the caption bar below the window's top, 0 without one.
int captionBottom(HWND hwnd) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if ((style & WS_CAPTION) != WS_CAPTION) {
        return 0;
    }
    return GetSystemMetrics(SM_CYDLGFRAME) + 1 + GetSystemMetrics(SM_CYCAPTION);
}

// The visible child of a window that shows at a screen point: of the children under it, the
// one painted last, as the renderer paints (children with WS_CLIPSIBLINGS under the others,
// so a property sheet's page shows, and takes the clicks, above its tab control).
HWND visibleChildAt(HWND parent, POINT screen) {
    HWND under = nullptr;
    bool underClips = true;
    // GW_CHILD is the top of the z-order: the first match of each kind is the one on top.
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        if (!IsWindowVisible(child) || !GetWindowRect(child, &rect) || !PtInRect(&rect, screen)) {
            continue;
        }
        const bool clips = (GetWindowLongA(child, GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
        if (under == nullptr || (underClips && !clips)) {
            under = child;
            underClips = clips;
        }
    }
    return under;
}

// Processor time of the calling thread, in seconds: a frame's cost apart from what other
// programs take of the machine.
double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One window of the window system and the SDL window that shows it.
struct Shown {
    SDL_Window* sdl = nullptr;
    std::vector<std::uint32_t> pixels;  // what the SDL window shows now
    int width = 0;
    int height = 0;
    RECT caption{};  // the draggable part, window coordinates
};

SDL_HitTestResult hitTest(SDL_Window* /*window*/, const SDL_Point* area, void* data) {
    const auto* shown = static_cast<const Shown*>(data);
    const POINT pt{area->x, area->y};
    return PtInRect(&shown->caption, pt) ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
}

}  // namespace

struct LiveScreen::Impl {
    std::map<HWND, std::unique_ptr<Shown>> shown;
    HWND focused = nullptr;  // the window whose SDL window was given the keyboard last
    long long frames = 0;
    double frameSeconds = 0;     // wall-clock time of the frames
    double frameCpuSeconds = 0;  // processor time of this thread in them
    bool ended = false;

    HWND windowOf(Uint32 sdlId) const {
        for (const auto& [hwnd, s] : shown) {
            if (SDL_GetWindowID(s->sdl) == sdlId) {
                return hwnd;
            }
        }
        return nullptr;
    }

    void refresh() {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuSeconds();
        const std::vector<HWND> windows = shownWindows();
        // Windows that are gone or hidden lose their SDL window.
        for (auto it = shown.begin(); it != shown.end();) {
            if (std::find(windows.begin(), windows.end(), it->first) == windows.end()) {
                SDL_DestroyWindow(it->second->sdl);
                it = shown.erase(it);
            } else {
                ++it;
            }
        }
        for (HWND hwnd : windows) {
            show(hwnd);
        }
        // The person's keys go to the window that takes input: the topmost enabled one (a
        // modal dialog over its disabled owner). A new one gets the keyboard when it shows,
        // and the one under it gets it back when it closes.
        HWND active = nullptr;
        for (HWND hwnd : windows) {
            if (IsWindowEnabled(hwnd) && shown.count(hwnd) != 0) {
                active = hwnd;
            }
        }
        if (active != nullptr && active != focused) {
            SDL_RaiseWindow(shown[active]->sdl);
            SDL_SetWindowInputFocus(shown[active]->sdl);
            focused = active;
        }
        frameSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        frameCpuSeconds += threadCpuSeconds() - cpuStart;
        ++frames;
    }

    void show(HWND hwnd) {
        kvwin32::PixelImage image = kvwin32::renderWindow(hwnd);
        if (image.width <= 0 || image.height <= 0) {
            return;
        }
        // The caret blinks over the window, inverting what is under it, as the system draws it.
        RECT caret{};
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
        if (kvwin32::caretOnWindow(hwnd, caret) && (ms / GetCaretBlinkTime()) % 2 == 0) {
            for (int y = std::max<int>(caret.top, 0); y < std::min<int>(caret.bottom, image.height);
                 ++y) {
                for (int x = std::max<int>(caret.left, 0);
                     x < std::min<int>(caret.right, image.width); ++x) {
                    std::uint32_t& p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
                    p ^= 0xFFFFFF;
                }
            }
        }
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        char title[256] = {};
        GetWindowTextA(hwnd, title, sizeof title);
        auto& slot = shown[hwnd];
        if (!slot) {
            slot = std::make_unique<Shown>();
            slot->sdl = SDL_CreateWindow(title, rect.left, rect.top, image.width, image.height,
                                         SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
            if (slot->sdl == nullptr) {
                shown.erase(hwnd);
                return;
            }
            SDL_SetWindowHitTest(slot->sdl, hitTest, slot.get());
        }
        Shown& s = *slot;
        if (s.width != image.width || s.height != image.height) {
            SDL_SetWindowSize(s.sdl, image.width, image.height);
            s.pixels.clear();
        }
        if (std::string(SDL_GetWindowTitle(s.sdl)) != title) {
            SDL_SetWindowTitle(s.sdl, title);
        }
        const RECT close = closeBoxOf(hwnd);
        s.caption = RECT{0, 0, close.left > 0 ? close.left : image.width, captionBottom(hwnd)};
        if (s.pixels == image.pixels) {
            return;  // nothing changed
        }
        SDL_Surface* surface = SDL_GetWindowSurface(s.sdl);
        if (surface == nullptr) {
            return;
        }
        SDL_ConvertPixels(image.width, image.height, SDL_PIXELFORMAT_RGB888, image.pixels.data(),
                          image.width * 4, surface->format->format, surface->pixels,
                          surface->pitch);
        SDL_UpdateWindowSurface(s.sdl);
        s.pixels = image.pixels;
        s.width = image.width;
        s.height = image.height;
    }

    // The window under a point of a top-level window (window coordinates), and the point in
    // its client coordinates. The mouse goes to the capture window while there is one.
    HWND target(HWND top, int x, int y, POINT& client) {
        RECT rect{};
        GetWindowRect(top, &rect);
        POINT screen{rect.left + x, rect.top + y};
        HWND hit = GetCapture();
        if (hit == nullptr) {
            hit = top;
            for (int depth = 0; depth < 32; ++depth) {
                HWND child = visibleChildAt(hit, screen);
                if (child == nullptr) {
                    break;
                }
                hit = child;
            }
        }
        SetCursorPos(screen.x, screen.y);
        client = screen;
        ScreenToClient(hit, &client);
        return hit;
    }

    bool mouseButton(const SDL_MouseButtonEvent& e, bool down) {
        HWND top = windowOf(e.windowID);
        if (top == nullptr || e.button != SDL_BUTTON_LEFT) {
            return false;
        }
        if (!IsWindowEnabled(top)) {
            return false;  // a window under a modal dialog takes no input
        }
        const RECT close = closeBoxOf(top);
        const POINT at{e.x, e.y};
        if (PtInRect(&close, at)) {
            if (!down) {
                PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return !down;
        }
        POINT client{};
        HWND hwnd = target(top, e.x, e.y, client);
        if (!IsWindowEnabled(hwnd)) {
            return false;
        }
        // A press on a window's scroll bar is a non-client one, which DefWindowProc follows
        // until the button comes up (the release then goes to the window holding the capture).
        if (down && GetCapture() == nullptr) {
            POINT screen = client;
            ClientToScreen(hwnd, &screen);
            const LPARAM at = pointParam(screen);
            const LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, at);
            if (hit == HTVSCROLL || hit == HTHSCROLL) {
                PostMessageA(hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
                return true;
            }
        }
        UINT message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (down && e.clicks >= 2 && (GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS) != 0) {
            message = WM_LBUTTONDBLCLK;
        }
        PostMessageA(hwnd, message, down ? MK_LBUTTON : 0, pointParam(client));
        return true;
    }

    bool mouseMotion(const SDL_MouseMotionEvent& e) {
        HWND top = windowOf(e.windowID);
        if (top == nullptr || !IsWindowEnabled(top)) {
            return false;
        }
        POINT client{};
        HWND hwnd = target(top, e.x, e.y, client);
        PostMessageA(hwnd, WM_MOUSEMOVE, (e.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0,
                     pointParam(client));
        return true;
    }

    // The wheel turns for the window under the mouse (as Windows does unless told to send it
    // to the focus); a window that does not scroll passes it to its parent.
    bool mouseWheel(const SDL_MouseWheelEvent& e) {
        HWND top = windowOf(e.windowID);
        if (top == nullptr || !IsWindowEnabled(top) || e.y == 0) {
            return false;
        }
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        POINT client{};
        HWND hwnd = target(top, x, y, client);
        POINT screen = client;
        ClientToScreen(hwnd, &screen);
        const int notches = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
        PostMessageA(hwnd, WM_MOUSEWHEEL,
                     MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA))),
                     pointParam(screen));
        return true;
    }

    bool key(const SDL_KeyboardEvent& e, bool down) {
        const UINT vk = virtualKeyOf(e.keysym.sym);
        HWND focus = GetFocus();
        if (vk == 0 || focus == nullptr) {
            return false;
        }
        const bool alt = (e.keysym.mod & KMOD_ALT) != 0 && vk != VK_MENU;
        LPARAM flags = 1 | (alt ? (1 << 29) : 0);
        if (!down) {
            flags |= static_cast<LPARAM>(0xC0000000u);
        }
        const UINT message =
            alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        PostMessageA(focus, message, vk, flags);
        return true;
    }

    bool windowEvent(const SDL_WindowEvent& e) {
        HWND top = windowOf(e.windowID);
        if (top == nullptr) {
            return false;
        }
        switch (e.event) {
            case SDL_WINDOWEVENT_CLOSE:
                PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
                return true;
            case SDL_WINDOWEVENT_MOVED:
                SetWindowPos(top, nullptr, e.data1, e.data2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return true;
            case SDL_WINDOWEVENT_EXPOSED:
                if (auto it = shown.find(top); it != shown.end()) {
                    it->second->pixels.clear();  // show it again whole
                }
                return true;
            default:
                return false;
        }
    }

    // Turns one SDL event into input; true when it posted anything.
    bool handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                ended = true;
                return false;
            case SDL_MOUSEBUTTONDOWN:
                return mouseButton(e.button, true);
            case SDL_MOUSEBUTTONUP:
                return mouseButton(e.button, false);
            case SDL_MOUSEMOTION:
                return mouseMotion(e.motion);
            case SDL_MOUSEWHEEL:
                return mouseWheel(e.wheel);
            case SDL_KEYDOWN:
                return key(e.key, true);
            case SDL_KEYUP:
                return key(e.key, false);
            case SDL_WINDOWEVENT:
                return windowEvent(e.window);
            default:
                return false;
        }
    }

    bool nextInput() {
        for (;;) {
            refresh();
            if (ended || shown.empty()) {
                return false;
            }
            SDL_Event e;
            if (!SDL_WaitEventTimeout(&e, 250)) {
                continue;
            }
            bool posted = handle(e);
            // Take what else is waiting, so a burst of motion is one frame.
            while (SDL_PollEvent(&e)) {
                posted = handle(e) || posted;
            }
            if (ended) {
                return false;
            }
            if (posted) {
                PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
                return true;
            }
        }
    }
};

LiveScreen::LiveScreen(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

LiveScreen::~LiveScreen() {
    for (auto& [hwnd, s] : m_impl->shown) {
        SDL_DestroyWindow(s->sdl);
    }
    SDL_Quit();
}

Result<std::unique_ptr<LiveScreen>> LiveScreen::open() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return Error{std::string("cannot open the display: ") + SDL_GetError()};
    }
    // Only a desktop a person sees will do: SDL falls back to drivers that show nothing (or
    // take over the console) when there is no X11 or Wayland display, unless asked for one.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && driver != "x11" && driver != "wayland") {
        SDL_Quit();
        return Error{
            "cannot open the display: no X11 or Wayland display (DISPLAY and "
            "WAYLAND_DISPLAY are not set)"};
    }
    if (driver == "x11") {
        tolerateVanishedWindows();
    }
    // Typed characters come from key presses (TranslateMessage), not from SDL's text input.
    SDL_StopTextInput();
    return std::unique_ptr<LiveScreen>(new LiveScreen(std::make_unique<Impl>()));
}

bool LiveScreen::nextInput() {
    return m_impl->nextInput();
}

void LiveScreen::refresh() {
    m_impl->refresh();
}

long long LiveScreen::frames() const {
    return m_impl->frames;
}

double LiveScreen::meanFrameMilliseconds() const {
    return m_impl->frames > 0 ? 1000.0 * m_impl->frameSeconds / m_impl->frames : 0.0;
}

double LiveScreen::meanFrameCpuMilliseconds() const {
    return m_impl->frames > 0 ? 1000.0 * m_impl->frameCpuSeconds / m_impl->frames : 0.0;
}

}  // namespace kvhost
