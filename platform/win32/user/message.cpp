// Messages and queues: one queue per thread, sent messages as direct calls, posted messages,
// WM_QUIT and WM_PAINT synthesized on retrieval, the thread's input source, and the keyboard
// translation of TranslateMessage.
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>
#include <unordered_map>

#include "internal/window.h"
#include "kvwin32/input.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// A thread's message queue and the input state Windows keeps with it.
struct ThreadQueue {
    std::mutex mutex;          // guards posted, quitPending, quitCode (other threads post)
    std::deque<MSG> posted;    // posted messages in arrival order
    bool quitPending = false;  // PostQuitMessage was called
    int quitCode = 0;          // its exit code
    ThreadInput input;         // focus, activation, capture, key state (owner thread only)
    InputSource source;        // the desktop's input for this thread (owner thread only)
    MSG last{};                // the message last retrieved (GetMessageTime, GetMessagePos)
};

// The process-wide map from thread ids to queues, for PostThreadMessageA and posting to a
// window of another thread.
struct QueueRegistry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

QueueRegistry& registry() {
    static QueueRegistry instance;
    return instance;
}

// The calling thread's queue, made on first use and unregistered when the thread ends.
struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    DWORD threadId = 0;
    QueueHolder() : queue(std::make_shared<ThreadQueue>()), threadId(GetCurrentThreadId()) {
        std::lock_guard lock(registry().mutex);
        registry().queues[threadId] = queue;
    }
    ~QueueHolder() {
        std::lock_guard lock(registry().mutex);
        registry().queues.erase(threadId);
    }
};

ThreadQueue& ownQueue() {
    thread_local QueueHolder holder;
    return *holder.queue;
}

std::shared_ptr<ThreadQueue> queueOfThread(DWORD threadId) {
    if (threadId == GetCurrentThreadId()) {
        ownQueue();
    }
    std::lock_guard lock(registry().mutex);
    auto it = registry().queues.find(threadId);
    return it == registry().queues.end() ? nullptr : it->second;
}

DWORD tickCount() {
    using namespace std::chrono;
    return static_cast<DWORD>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Messages whose parameters point into the sender's memory cannot be posted.
bool isSendOnly(UINT msg) {
    switch (msg) {
        case WM_CREATE:
        case WM_NCCREATE:
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETMINMAXINFO:
        case WM_NCCALCSIZE:
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
        case WM_STYLECHANGING:
        case WM_STYLECHANGED:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
            return true;
        default:
            return false;
    }
}

bool postTo(ThreadQueue& queue, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(queue.mutex);
    queue.posted.push_back(MSG{hwnd, msg, wParam, lParam, tickCount(), POINT{0, 0}});
    return true;
}

// The window filter of GetMessage takes the window and its descendants; (HWND)-1 takes only
// messages posted to the thread.
bool windowMatches(HWND filter, HWND target) {
    if (filter == nullptr) {
        return true;
    }
    if (filter == reinterpret_cast<HWND>(-1)) {
        return target == nullptr;
    }
    return target == filter || IsChild(filter, target);
}

bool rangeMatches(UINT msg, UINT first, UINT last) {
    if (first == 0 && last == 0) {
        return true;
    }
    return msg >= first && msg <= last;
}

// The topmost-first search for a window due for WM_PAINT: a parent paints before its children.
HWND findPaintWindow(HWND root, DWORD threadId, HWND filter) {
    for (HWND child : childrenOf(root)) {
        Window* w = windowRecord(child);
        if (w == nullptr || !(w->style & WS_VISIBLE)) {
            continue;
        }
        if (w->threadId == threadId && w->hasUpdate && windowMatches(filter, child)) {
            return child;
        }
        if (HWND found = findPaintWindow(child, threadId, filter)) {
            return found;
        }
    }
    return nullptr;
}

// Windows keeps the key state of a thread as its keyboard messages are retrieved.
void trackKeyState(ThreadQueue& queue, const MSG& msg) {
    BYTE* keys = queue.input.keys;
    auto vk = static_cast<BYTE>(msg.wParam);
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        if (!(keys[vk] & 0x80)) {
            keys[vk] ^= 0x01;
        }
        keys[vk] |= 0x80;
    } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

// Looks for the next message in Windows' order: posted messages, then WM_QUIT (which passes
// every filter), then WM_PAINT for a window with an invalid area.
bool retrieve(MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    ThreadQueue& queue = ownQueue();
    {
        std::lock_guard lock(queue.mutex);
        for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
            if (windowMatches(filter, it->hwnd) && rangeMatches(it->message, first, last)) {
                out = *it;
                if (remove) {
                    queue.posted.erase(it);
                }
                if (remove) {
                    trackKeyState(queue, out);
                }
                queue.last = out;
                return true;
            }
        }
        if (queue.quitPending) {
            out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, tickCount(), {}};
            if (remove) {
                queue.quitPending = false;
            }
            queue.last = out;
            return true;
        }
    }
    if (rangeMatches(WM_PAINT, first, last)) {
        if (HWND hwnd = findPaintWindow(desktopWindow(), GetCurrentThreadId(), filter)) {
            out = MSG{hwnd, WM_PAINT, 0, 0, tickCount(), {}};
            queue.last = out;
            return true;
        }
    }
    return false;
}

size_t queuedCount(ThreadQueue& queue) {
    std::lock_guard lock(queue.mutex);
    return queue.posted.size() + (queue.quitPending ? 1 : 0);
}

// Asks the thread's input source for more input; false when the input has ended.
bool askInputSource() {
    ThreadQueue& queue = ownQueue();
    if (!queue.source) {
        return false;
    }
    // The source may replace itself while it runs; keep the running one alive.
    InputSource source = queue.source;
    size_t before = queuedCount(queue);
    // A source that claims input but posted none has ended too: asking it again would spin.
    return source() && queuedCount(queue) != before;
}

// The character a key types with the shift state, for the US keyboard layout; 0 for none.
char characterOf(UINT vk, bool shift, bool capsLock, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) {
            return static_cast<char>(vk - 'A' + 1);
        }
        bool upper = shift != capsLock;
        return static_cast<char>(upper ? vk : vk - 'A' + 'a');
    }
    if (control) {
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        static constexpr char kShifted[] = ")!@#$%^&*(";
        return shift ? kShifted[vk - '0'] : static_cast<char>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return static_cast<char>('0' + (vk - VK_NUMPAD0));
    }
    struct KeyChar {
        UINT vk;
        char plain;
        char shifted;
    };
    static constexpr KeyChar kKeys[] = {
        {VK_SPACE, ' ', ' '},     {VK_RETURN, '\r', '\r'},  {VK_BACK, '\b', '\b'},
        {VK_TAB, '\t', '\t'},     {VK_ESCAPE, 0x1b, 0x1b},  {VK_MULTIPLY, '*', '*'},
        {VK_ADD, '+', '+'},       {VK_SUBTRACT, '-', '-'},  {VK_DECIMAL, '.', '.'},
        {VK_DIVIDE, '/', '/'},    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},
        {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'},
        {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
        {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
    };
    for (const auto& k : kKeys) {
        if (k.vk == vk) {
            return shift ? k.shifted : k.plain;
        }
    }
    return 0;
}

}  // namespace

ThreadInput& threadInput() {
    return ownQueue().input;
}

void dropPostedMessages(HWND hwnd) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return;
    }
    auto queue = queueOfThread(w->threadId);
    if (queue == nullptr) {
        return;
    }
    std::lock_guard lock(queue->mutex);
    std::erase_if(queue->posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

LRESULT callWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    WNDPROC proc = w->proc ? w->proc : DefWindowProcA;
    return proc(hwnd, msg, wParam, lParam);
}

}  // namespace kvwin32::internal

namespace kvwin32 {

InputSource setInputSource(InputSource source) {
    auto& queue = internal::ownQueue();
    InputSource previous = std::move(queue.source);
    queue.source = std::move(source);
    return previous;
}

}  // namespace kvwin32

using namespace kvwin32::internal;

extern "C" DWORD GetCurrentThreadId() {
    // Every window call asks; the kernel is asked once per thread.
    thread_local const DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
    return id;
}

extern "C" LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (HWND top : childrenOf(desktopWindow())) {
            Window* w = windowRecord(top);
            if (w && w->threadId == GetCurrentThreadId()) {
                callWindow(top, msg, wParam, lParam);
            }
        }
        return 0;
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    // The product drives its windows from one thread; a send from another thread would have
    // to wait for the owner, and nothing here ever waits, so it is refused.
    if (w->threadId != 0 && w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return callWindow(hwnd, msg, wParam, lParam);
}

extern "C" BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (isSendOnly(msg)) {
        SetLastError(ERROR_MESSAGE_SYNC_ONLY);
        return FALSE;
    }
    auto queue = queueOfThread(threadId);
    if (queue == nullptr) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return postTo(*queue, nullptr, msg, wParam, lParam);
}

extern "C" BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (isSendOnly(msg)) {
        SetLastError(ERROR_MESSAGE_SYNC_ONLY);
        return FALSE;
    }
    if (hwnd == nullptr) {
        return PostThreadMessageA(GetCurrentThreadId(), msg, wParam, lParam);
    }
    if (hwnd == HWND_BROADCAST) {
        for (HWND top : childrenOf(desktopWindow())) {
            if (Window* w = windowRecord(top)) {
                if (auto queue = queueOfThread(w->threadId)) {
                    postTo(*queue, top, msg, wParam, lParam);
                }
            }
        }
        return TRUE;
    }
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    // The roots belong to no thread; what is posted to them is read by the poster.
    auto queue = queueOfThread(w->threadId ? w->threadId : GetCurrentThreadId());
    if (queue == nullptr) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return postTo(*queue, hwnd, msg, wParam, lParam);
}

extern "C" BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && windowOrError(hwnd) == nullptr) {
        return FALSE;
    }
    return retrieve(*msg, hwnd, first, last, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

extern "C" BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && windowOrError(hwnd) == nullptr) {
        return -1;
    }
    for (;;) {
        if (retrieve(*msg, hwnd, first, last, true)) {
            return msg->message == WM_QUIT ? 0 : 1;
        }
        // Headless rule: an empty queue asks the input source; when it has nothing more, the
        // input has ended and the loop must stop instead of waiting for a person.
        if (!askInputSource()) {
            SetLastError(ERROR_NO_MORE_ITEMS);
            return -1;
        }
    }
}

extern "C" BOOL WaitMessage() {
    MSG msg;
    for (;;) {
        if (retrieve(msg, nullptr, 0, 0, false)) {
            return TRUE;
        }
        if (!askInputSource()) {
            SetLastError(ERROR_NO_MORE_ITEMS);
            return FALSE;
        }
    }
}

extern "C" DWORD GetQueueStatus(UINT flags) {
    DWORD status = 0;
    ThreadQueue& queue = ownQueue();
    {
        std::lock_guard lock(queue.mutex);
        for (const MSG& m : queue.posted) {
            if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) {
                status |= QS_KEY;
            } else if (m.message == WM_MOUSEMOVE) {
                status |= QS_MOUSEMOVE;
            } else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
                status |= QS_MOUSEBUTTON;
            } else {
                status |= QS_POSTMESSAGE;
            }
        }
        if (queue.quitPending) {
            status |= QS_POSTMESSAGE;
        }
    }
    if (findPaintWindow(desktopWindow(), GetCurrentThreadId(), nullptr)) {
        status |= QS_PAINT;
    }
    status &= flags;
    return (status << 16) | status;
}

extern "C" void PostQuitMessage(int exitCode) {
    ThreadQueue& queue = ownQueue();
    std::lock_guard lock(queue.mutex);
    queue.quitPending = true;
    queue.quitCode = exitCode;
}

extern "C" BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            break;
        // Key releases count as translated although they type nothing.
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return TRUE;
        default:
            return FALSE;
    }
    const BYTE* keys = threadInput().keys;
    bool shift = (keys[VK_SHIFT] & 0x80) != 0;
    bool control = (keys[VK_CONTROL] & 0x80) != 0;
    bool capsLock = (keys[VK_CAPITAL] & 0x01) != 0;
    char c = characterOf(static_cast<UINT>(msg->wParam), shift, capsLock, control);
    if (c != 0) {
        UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        PostMessageA(msg->hwnd, charMsg, static_cast<BYTE>(c), msg->lParam);
    }
    return TRUE;
}

extern "C" LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    Window* w = windowOrError(msg->hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (w->threadId != 0 && w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return callWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

extern "C" UINT RegisterWindowMessageA(LPCSTR string) {
    if (string == nullptr || *string == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Registered messages share the global atom table with class names, as on Windows.
    ATOM atom = addAtom(string);
    if (atom == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return atom;
}

extern "C" LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam,
                                   LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

extern "C" BOOL InSendMessage() {
    return FALSE;
}

extern "C" LONG GetMessageTime() {
    return static_cast<LONG>(ownQueue().last.time);
}

extern "C" DWORD GetMessagePos() {
    const POINT& pt = ownQueue().last.pt;
    return static_cast<DWORD>(MAKELONG(pt.x, pt.y));
}

extern "C" short GetKeyState(int virtKey) {
    if (virtKey < 0 || virtKey > 255) {
        return 0;
    }
    BYTE state = threadInput().keys[virtKey];
    return static_cast<short>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

extern "C" short GetAsyncKeyState(int virtKey) {
    if (virtKey < 0 || virtKey > 255) {
        return 0;
    }
    return (threadInput().keys[virtKey] & 0x80) ? static_cast<short>(0x8000) : 0;
}
