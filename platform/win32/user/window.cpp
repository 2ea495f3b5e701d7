// Window objects and the handle table: creating and destroying windows (with the message
// sequences of Windows), the desktop and message-only roots, and the relations between
// windows (parents, owners, z-order).
#include <algorithm>
#include <deque>
#include <mutex>
#include <strings.h>
#include <unistd.h>

#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// Handles carry a slot index in the low word (offset so that no handle collides with the
// pseudo-handles HWND_TOP, HWND_BOTTOM, HWND_BROADCAST ...) and a generation in the high word,
// so a handle of a destroyed window never names the window that reuses its slot.
constexpr ULONG_PTR kFirstIndex = 0x20;
constexpr size_t kMaxSlots = 0x10000 - kFirstIndex;

struct Slot {
    WORD generation = 0;
    std::unique_ptr<Window> window;
};

// The process-wide window table: every window record, owned by its slot.
class WindowTable {
  public:
    WindowTable() {
        // The classes of both roots are built-in classes (builtin_classes.cpp).
        Window& desktop = allocate();
        desktop.wndClass = findClassForWindow("#32769", nullptr);
        desktop.style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        desktop.window = desktop.client = RECT{0, 0, kScreenWidth, kScreenHeight};
        desktop.proc = DefWindowProcA;
        desktopHandle = desktop.handle;

        Window& message = allocate();
        message.wndClass = findClassForWindow("Message", nullptr);
        message.style = WS_POPUP | WS_CLIPSIBLINGS;
        message.window = message.client = RECT{0, 0, 100, 100};
        message.proc = DefWindowProcA;
        messageHandle = message.handle;
    }

    Window* find(HWND hwnd) {
        auto value = reinterpret_cast<ULONG_PTR>(hwnd);
        ULONG_PTR low = value & 0xffff;
        if (value > 0xffffffffu || low < kFirstIndex) {
            return nullptr;
        }
        std::lock_guard lock(mutex);
        size_t index = low - kFirstIndex;
        if (index >= slots.size() || slots[index].generation != (value >> 16)) {
            return nullptr;
        }
        return slots[index].window.get();
    }

    // A new record with its handle, or throws std::bad_alloc when every slot is used.
    Window& allocate() {
        std::lock_guard lock(mutex);
        size_t index;
        if (!freeSlots.empty()) {
            index = freeSlots.front();
            freeSlots.pop_front();
        } else {
            if (slots.size() >= kMaxSlots) {
                throw std::bad_alloc();
            }
            index = slots.size();
            slots.emplace_back();
        }
        Slot& slot = slots[index];
        slot.generation = static_cast<WORD>(slot.generation == 0xffff ? 1 : slot.generation + 1);
        slot.window = std::make_unique<Window>();
        slot.window->handle = reinterpret_cast<HWND>(
            (static_cast<ULONG_PTR>(slot.generation) << 16) | (index + kFirstIndex));
        return *slot.window;
    }

    void release(HWND hwnd) {
        std::lock_guard lock(mutex);
        size_t index = (reinterpret_cast<ULONG_PTR>(hwnd) & 0xffff) - kFirstIndex;
        slots[index].window.reset();
        // Oldest free slot first: a stale handle's slot stays empty as long as possible.
        freeSlots.push_back(index);
    }

    std::vector<HWND> windowsOf(DWORD threadId) {
        std::lock_guard lock(mutex);
        std::vector<HWND> result;
        for (auto& slot : slots) {
            if (slot.window && slot.window->threadId == threadId) {
                result.push_back(slot.window->handle);
            }
        }
        return result;
    }

    HWND desktopHandle = nullptr;
    HWND messageHandle = nullptr;

  private:
    std::mutex mutex;
    std::vector<Slot> slots;
    std::deque<size_t> freeSlots;
};

WindowTable& table() {
    static WindowTable instance;
    return instance;
}

bool isChildStyle(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

void unlink(Window& w) {
    if (Window* parent = windowRecord(w.parent)) {
        std::erase(parent->children, w.handle);
    }
}

// WM_PARENTNOTIFY climbs from a child to each ancestor for as long as the window it leaves is
// a child without WS_EX_NOPARENTNOTIFY; the low word of wParam is the event, the high word the
// id of the window the event happened to.
void sendParentNotify(HWND hwnd, UINT event) {
    HWND current = hwnd;
    for (;;) {
        Window* w = windowRecord(current);
        if (w == nullptr || !isChildStyle(w->style) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) {
            return;
        }
        HWND parent = w->parent;
        if (parent == nullptr || isRootWindow(parent)) {
            return;
        }
        Window* origin = windowRecord(hwnd);
        UINT id = origin ? static_cast<UINT>(origin->id) : 0;
        callWindow(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(hwnd));
        current = parent;
    }
}

// WM_DESTROY goes to a window before its children, while they all still exist.
void sendDestroyMessages(HWND hwnd) {
    if (threadInput().active == hwnd) {
        activateOtherWindow(hwnd);
    }
    callWindow(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : childrenOf(hwnd)) {
        if (windowRecord(child)) {
            sendDestroyMessages(child);
        }
    }
}

// Frees a window after its children; each gets WM_NCDESTROY as the last message it sees.
void freeWindow(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || w->nonclientSent) {
        return;
    }
    w->destroying = true;
    for (HWND child : childrenOf(hwnd)) {
        freeWindow(child);
    }
    if ((w = windowRecord(hwnd)) == nullptr) {
        return;
    }
    w->nonclientSent = true;
    callWindow(hwnd, WM_NCDESTROY, 0, 0);
    if ((w = windowRecord(hwnd)) == nullptr) {
        return;
    }
    forgetWindowInput(hwnd);
    dropPostedMessages(hwnd);
    if ((w->style & WS_CHILD) == 0) {
        destroyWindowMenus(hwnd, w->menu);  // a child's menu field holds its id instead
    }
    unlink(*w);
    for (HWND owned : ownedWindows(hwnd)) {
        windowRecord(owned)->owner = nullptr;
    }
    --w->wndClass->windowCount;
    table().release(hwnd);
}

// Fills in CW_USEDEFAULT the way Windows does: overlapped windows get the origin and three
// quarters of the screen, other windows zero.
void defaultPlacement(CREATESTRUCTA& cs) {
    bool overlapped = (cs.style & (WS_CHILD | WS_POPUP)) == 0;
    if (cs.x == CW_USEDEFAULT) {
        cs.x = 0;
        cs.y = 0;
    }
    if (cs.cx == CW_USEDEFAULT) {
        cs.cx = overlapped ? kScreenWidth * 3 / 4 - cs.x : 0;
        cs.cy = overlapped ? kScreenHeight * 3 / 4 - cs.y : 0;
    }
}

// WS_EX_WINDOWEDGE follows the frame styles; callers cannot choose it.
DWORD fixedExStyle(DWORD style, DWORD exStyle) {
    if (exStyle & WS_EX_DLGMODALFRAME) {
        return exStyle | WS_EX_WINDOWEDGE;
    }
    if ((style & (WS_DLGFRAME | WS_THICKFRAME)) &&
        !((exStyle & WS_EX_STATICEDGE) && (style & (WS_CHILD | WS_POPUP)))) {
        return exStyle | WS_EX_WINDOWEDGE;
    }
    return exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

// Overlapped and sizable windows are asked for their size limits, which bound the size.
void applyMinMaxInfo(HWND hwnd, CREATESTRUCTA& cs) {
    if (!(cs.style & WS_THICKFRAME) && (cs.style & (WS_POPUP | WS_CHILD))) {
        return;
    }
    RECT frame = frameInsets(static_cast<DWORD>(cs.style), cs.dwExStyle);
    MINMAXINFO info{};
    info.ptMaxSize = {kScreenWidth + frame.left + frame.right,
                      kScreenHeight + frame.top + frame.bottom - GetSystemMetrics(SM_CYCAPTION)};
    info.ptMaxPosition = {-frame.left, -frame.left};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    callWindow(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    cs.cx = std::max(std::min(cs.cx, static_cast<int>(info.ptMaxTrackSize.x)),
                     static_cast<int>(info.ptMinTrackSize.x));
    cs.cy = std::max(std::min(cs.cy, static_cast<int>(info.ptMaxTrackSize.y)),
                     static_cast<int>(info.ptMinTrackSize.y));
}

// A window that failed WM_NCCREATE or WM_CREATE is taken down again.
HWND abandonCreation(HWND hwnd, bool sendDestroy) {
    if (sendDestroy && windowRecord(hwnd)) {
        sendDestroyMessages(hwnd);
    }
    freeWindow(hwnd);
    return nullptr;
}

HWND createWindow(CREATESTRUCTA cs, HWND parentArg) {
    WindowClass* cls = findClassForWindow(cs.lpszClass, cs.hInstance);
    if (cls == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND parent = desktopWindow();
    HWND owner = nullptr;
    if (parentArg == HWND_MESSAGE) {
        parent = messageRoot();
    } else if (parentArg != nullptr) {
        if (windowOrError(parentArg) == nullptr) {
            return nullptr;
        }
        if (isChildStyle(static_cast<DWORD>(cs.style))) {
            parent = parentArg;
        } else {
            // Only top-level windows own others.
            owner = GetAncestor(parentArg, GA_ROOT);
            if (owner == desktopWindow() || owner == messageRoot()) {
                owner = nullptr;
            }
        }
    } else if (isChildStyle(static_cast<DWORD>(cs.style))) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    defaultPlacement(cs);
    // A thread that makes a window has a message queue from then on, as on Windows.
    threadInput();

    Window* w;
    try {
        w = &table().allocate();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HWND hwnd = w->handle;
    w->wndClass = cls;
    ++cls->windowCount;
    w->proc = cls->proc;
    w->instance = cs.hInstance;
    w->threadId = GetCurrentThreadId();
    w->parent = parent;
    w->owner = owner;
    // WS_VISIBLE comes last, from the show sequence once the window is complete.
    w->style = static_cast<DWORD>(cs.style) & ~static_cast<DWORD>(WS_VISIBLE);
    if (!isChildStyle(w->style)) {
        // Top-level windows always clip their siblings; overlapped ones always have a caption
        // and get their first WM_SIZE/WM_MOVE when first shown.
        w->style |= WS_CLIPSIBLINGS;
        if (!(w->style & WS_POPUP)) {
            w->style |= WS_CAPTION;
            w->needSize = true;
        }
        w->menu = cs.hMenu;
    } else {
        w->id = reinterpret_cast<UINT_PTR>(cs.hMenu);
    }
    w->exStyle = fixedExStyle(w->style, cs.dwExStyle);
    w->extra.assign(static_cast<size_t>(cls->windowExtra), 0);
    // Children are added below their siblings (creation order is tab order); top-level windows
    // come on top.
    relinkWindow(*w, isChildStyle(w->style) ? HWND_BOTTOM : HWND_TOP);

    applyMinMaxInfo(hwnd, cs);
    if ((w = windowRecord(hwnd)) == nullptr) {
        return nullptr;
    }
    cs.cx = std::max(cs.cx, 0);
    cs.cy = std::max(cs.cy, 0);
    w->window = RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    w->client = w->window;

    if (!callWindow(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        return abandonCreation(hwnd, false);
    }
    if (windowRecord(hwnd) == nullptr) {
        return nullptr;
    }
    RECT client = windowRecord(hwnd)->window;
    callWindow(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if ((w = windowRecord(hwnd)) == nullptr) {
        return nullptr;
    }
    w->client = client;
    if (callWindow(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        return abandonCreation(hwnd, true);
    }
    if ((w = windowRecord(hwnd)) == nullptr) {
        return nullptr;
    }
    if (!w->needSize) {
        sendSizeAndMove(hwnd);
    }
    sendParentNotify(hwnd, WM_CREATE);
    if (windowRecord(hwnd) == nullptr) {
        return nullptr;
    }
    if (cs.style & WS_VISIBLE) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return windowRecord(hwnd) ? hwnd : nullptr;
}

void collectDescendants(HWND hwnd, std::vector<HWND>& out) {
    for (HWND child : childrenOf(hwnd)) {
        out.push_back(child);
        collectDescendants(child, out);
    }
}

}  // namespace

Window* windowRecord(HWND hwnd) {
    return table().find(hwnd);
}

Window* windowOrError(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return w;
}

HWND desktopWindow() {
    return table().desktopHandle;
}
HWND messageRoot() {
    return table().messageHandle;
}
bool isRootWindow(HWND hwnd) {
    return hwnd == desktopWindow() || hwnd == messageRoot();
}

std::vector<HWND> childrenOf(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    return w ? w->children : std::vector<HWND>{};
}

std::vector<HWND> ownedWindows(HWND owner) {
    std::vector<HWND> result;
    for (HWND top : childrenOf(desktopWindow())) {
        if (Window* w = windowRecord(top); w && w->owner == owner) {
            result.push_back(top);
        }
    }
    return result;
}

void relinkWindow(Window& w, HWND insertAfter) {
    Window* parent = windowRecord(w.parent);
    if (parent == nullptr) {
        return;
    }
    auto& list = parent->children;
    std::erase(list, w.handle);
    if (insertAfter == HWND_BOTTOM) {
        list.push_back(w.handle);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        // Topmost windows stay above the others.
        auto pos = list.begin();
        if (!(w.exStyle & WS_EX_TOPMOST)) {
            while (pos != list.end()) {
                Window* other = windowRecord(*pos);
                if (other == nullptr || !(other->exStyle & WS_EX_TOPMOST)) {
                    break;
                }
                ++pos;
            }
        }
        list.insert(pos, w.handle);
    } else {
        auto pos = std::find(list.begin(), list.end(), insertAfter);
        list.insert(pos == list.end() ? list.begin() : pos + 1, w.handle);
    }
}

DWORD setStyleBits(Window& w, DWORD set, DWORD clear) {
    DWORD old = w.style;
    w.style = (w.style | set) & ~clear;
    return old;
}

std::vector<HWND> windowsOfThread(DWORD threadId) {
    return table().windowsOf(threadId);
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                                int x, int y, int width, int height, HWND parent, HMENU menu,
                                HINSTANCE instance, LPVOID param) {
    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent == HWND_MESSAGE ? messageRoot() : parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    return createWindow(cs, parent);
}

extern "C" BOOL DestroyWindow(HWND hwnd) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    // The roots cannot be destroyed, nor a window of another thread.
    if (isRootWindow(hwnd) || w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) {
        return TRUE;
    }
    w->destroying = true;
    bool child = isChildStyle(w->style);
    if (child) {
        sendParentNotify(hwnd, WM_DESTROY);
    }
    if ((w = windowRecord(hwnd)) == nullptr) {
        return TRUE;
    }
    if (w->style & WS_VISIBLE) {
        // Only child windows get WM_SHOWWINDOW when destroyed.
        if (child) {
            ShowWindow(hwnd, SW_HIDE);
        } else {
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (windowRecord(hwnd) == nullptr) {
        return TRUE;
    }
    if (!child) {
        for (HWND owned : ownedWindows(hwnd)) {
            Window* o = windowRecord(owned);
            if (o && o->threadId == GetCurrentThreadId()) {
                DestroyWindow(owned);
            } else if (o) {
                o->owner = nullptr;
            }
        }
    }
    if (windowRecord(hwnd) == nullptr) {
        return TRUE;
    }
    sendDestroyMessages(hwnd);
    freeWindow(hwnd);
    return TRUE;
}

extern "C" BOOL IsWindow(HWND hwnd) {
    return windowRecord(hwnd) != nullptr;
}

extern "C" DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (processId) {
        *processId = static_cast<DWORD>(getpid());
    }
    return w->threadId;
}

extern "C" HWND GetDesktopWindow() {
    return desktopWindow();
}

extern "C" HWND GetWindow(HWND hwnd, UINT cmd) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    if (cmd == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    if (cmd == GW_OWNER) {
        return w->owner;
    }
    if (cmd == GW_ENABLEDPOPUP) {
        return nullptr;
    }
    Window* parent = windowRecord(w->parent);
    if (parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = parent->children;
    auto pos = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (cmd) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return pos + 1 < siblings.end() ? *(pos + 1) : nullptr;
        case GW_HWNDPREV:
            return pos != siblings.begin() ? *(pos - 1) : nullptr;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" HWND GetParent(HWND hwnd) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    // A popup answers its owner even when it also has WS_CHILD.
    if (w->style & WS_POPUP) {
        return w->owner;
    }
    if (w->style & WS_CHILD) {
        return w->parent;
    }
    return nullptr;
}

extern "C" HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr || hwnd == desktopWindow()) {
        return nullptr;
    }
    switch (flags) {
        case GA_PARENT:
            return w->parent;
        case GA_ROOT:
        case GA_ROOTOWNER: {
            HWND root = hwnd;
            for (Window* r = w; r->parent && !isRootWindow(r->parent);) {
                root = r->parent;
                r = windowRecord(root);
            }
            if (flags == GA_ROOTOWNER) {
                while (HWND up = GetParent(root)) {
                    root = up;
                }
            }
            return root;
        }
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" BOOL IsChild(HWND parent, HWND hwnd) {
    for (Window* w = windowRecord(hwnd); w && isChildStyle(w->style) && !(w->style & WS_POPUP);
         w = windowRecord(w->parent)) {
        if (w->parent == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

extern "C" HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : desktopWindow(), GW_CHILD);
}

extern "C" HWND SetParent(HWND child, HWND newParent) {
    Window* w = windowOrError(child);
    if (w == nullptr) {
        return nullptr;
    }
    if (newParent == nullptr) {
        newParent = desktopWindow();
    } else if (newParent == HWND_MESSAGE) {
        newParent = messageRoot();
    } else if (windowOrError(newParent) == nullptr) {
        return nullptr;
    }
    // A window cannot go under itself or one of its descendants.
    if (isRootWindow(child) || newParent == child || IsChild(child, newParent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HWND oldParent = w->parent;
    BOOL wasVisible = ShowWindow(child, SW_HIDE);
    if ((w = windowRecord(child)) == nullptr || windowRecord(newParent) == nullptr) {
        return nullptr;
    }
    unlink(*w);
    w->parent = newParent;
    relinkWindow(*w, HWND_TOP);
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | (wasVisible ? SWP_SHOWWINDOW : 0));
    return oldParent;
}

extern "C" BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (proc == nullptr) {
        return FALSE;
    }
    std::vector<HWND> all;
    collectDescendants(parent ? parent : desktopWindow(), all);
    for (HWND hwnd : all) {
        // Windows destroyed by an earlier call are skipped.
        if (windowRecord(hwnd) && !proc(hwnd, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

extern "C" BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (proc == nullptr) {
        return FALSE;
    }
    for (HWND hwnd : childrenOf(desktopWindow())) {
        if (windowRecord(hwnd) && !proc(hwnd, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

extern "C" HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    if (parent == nullptr) {
        parent = desktopWindow();
    } else if (parent == HWND_MESSAGE) {
        parent = messageRoot();
    } else if (windowOrError(parent) == nullptr) {
        return nullptr;
    }
    WindowClass* wanted = nullptr;
    if (className) {
        wanted = findClassForWindow(className, nullptr);
        if (wanted == nullptr) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
    }
    std::vector<HWND> children = childrenOf(parent);
    auto pos = children.begin();
    if (childAfter) {
        pos = std::find(children.begin(), children.end(), childAfter);
        if (pos == children.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        ++pos;
    }
    for (; pos != children.end(); ++pos) {
        Window* w = windowRecord(*pos);
        if (w == nullptr) {
            continue;
        }
        // Classes match by name, so an application class matches the system one it hides.
        if (wanted && strcasecmp(w->wndClass->name.c_str(), wanted->name.c_str()) != 0) {
            continue;
        }
        if (windowName && !kvwin32::ascii::equalNoCase(w->text, windowName)) {
            continue;
        }
        return *pos;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

extern "C" HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}
