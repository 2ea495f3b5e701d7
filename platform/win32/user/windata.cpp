// The data a window carries: Get/SetWindowLong(Ptr)A values and extra bytes, the window text
// (always through WM_SETTEXT/WM_GETTEXT, so that controls can keep their own) and properties.
#include <cstring>
#include <strings.h>

#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::Window;
using kvwin32::internal::windowOrError;
using kvwin32::internal::windowRecord;

// Extra bytes are read and written at any offset, with the bounds checked against the size
// of the value, as Windows does (ERROR_INVALID_INDEX past the end).
template <typename T>
bool extraFits(const Window& w, int offset) {
    return offset >= 0 && static_cast<size_t>(offset) + sizeof(T) <= w.extra.size();
}

template <typename T>
T readExtra(const Window& w, int offset) {
    T value{};
    std::memcpy(&value, w.extra.data() + offset, sizeof(T));
    return value;
}

template <typename T>
T writeExtra(Window& w, int offset, T value) {
    T old = readExtra<T>(w, offset);
    std::memcpy(w.extra.data() + offset, &value, sizeof(T));
    return old;
}

// GWLP_HWNDPARENT answers the owner of a top-level window and the parent of a child.
HWND parentOrOwner(const Window& w) {
    return kvwin32::internal::isRootWindow(w.parent) ? w.owner : w.parent;
}

// Style changes are announced before (the window may still alter the new value) and after.
LONG_PTR changeStyle(HWND hwnd, int index, DWORD newValue) {
    Window* w = windowRecord(hwnd);
    DWORD old = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{old, newValue};
    kvwin32::internal::callWindow(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(&ss));
    if ((w = windowRecord(hwnd)) == nullptr) {
        return 0;
    }
    if (index == GWL_STYLE) {
        // Top-level windows always clip their siblings.
        if ((w->style & (WS_CHILD | WS_POPUP)) != WS_CHILD) {
            ss.styleNew |= WS_CLIPSIBLINGS;
        }
        w->style = ss.styleNew;
    } else {
        // WS_EX_TOPMOST changes only through SetWindowPos.
        ss.styleNew =
            (ss.styleNew & ~static_cast<DWORD>(WS_EX_TOPMOST)) | (w->exStyle & WS_EX_TOPMOST);
        w->exStyle = ss.styleNew;
    }
    ss.styleOld = old;
    kvwin32::internal::callWindow(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG_PTR>(static_cast<LONG>(old));
}

std::string propertyKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    }
    return name;
}

}  // namespace

extern "C" LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (index >= 0) {
        if (!extraFits<LONG_PTR>(*w, index)) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return readExtra<LONG_PTR>(*w, index);
    }
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        case GWLP_ID:
            return static_cast<LONG_PTR>(w->id);
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(parentOrOwner(*w));
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}

extern "C" LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (index >= 0) {
        if (!extraFits<LONG_PTR>(*w, index)) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return writeExtra<LONG_PTR>(*w, index, value);
    }
    LONG_PTR old = 0;
    switch (index) {
        case GWL_STYLE:
        case GWL_EXSTYLE:
            return changeStyle(hwnd, index, static_cast<DWORD>(value));
        case GWLP_ID:
            old = static_cast<LONG_PTR>(w->id);
            w->id = static_cast<UINT_PTR>(value);
            return old;
        case GWLP_USERDATA:
            old = w->userData;
            w->userData = value;
            return old;
        case GWLP_WNDPROC:
            // Subclassing: the caller keeps the old procedure for CallWindowProcA.
            old = reinterpret_cast<LONG_PTR>(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HINSTANCE:
            old = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        case GWLP_HWNDPARENT: {
            HWND target = reinterpret_cast<HWND>(value);
            if (!kvwin32::internal::isRootWindow(w->parent)) {
                return reinterpret_cast<LONG_PTR>(SetParent(hwnd, target));
            }
            // For a top-level window this sets the owner (its top-level ancestor).
            old = reinterpret_cast<LONG_PTR>(w->owner);
            if (target && windowOrError(target) == nullptr) {
                return 0;
            }
            w->owner = target ? GetAncestor(target, GA_ROOT) : nullptr;
            return old;
        }
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}

// The 32-bit calls cannot carry pointers: on 64-bit Windows the pointer indexes fail.
namespace {

bool isPointerIndex(int index) {
    return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

// The window whose extra bytes hold a LONG at a non-negative index, or null with the last
// error set (a stale handle, or an index past the class's extra bytes).
Window* windowWithExtraLong(HWND hwnd, int index) {
    Window* w = windowOrError(hwnd);
    if (w != nullptr && !extraFits<LONG>(*w, index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    return w;
}

}  // namespace

extern "C" LONG GetWindowLongA(HWND hwnd, int index) {
    if (isPointerIndex(index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (index >= 0) {
        Window* w = windowWithExtraLong(hwnd, index);
        return w ? readExtra<LONG>(*w, index) : 0;
    }
    return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

extern "C" LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (isPointerIndex(index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (index >= 0) {
        Window* w = windowWithExtraLong(hwnd, index);
        return w ? writeExtra<LONG>(*w, index, value) : 0;
    }
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return static_cast<LONG>(
            SetWindowLongPtrA(hwnd, index, static_cast<LONG_PTR>(static_cast<DWORD>(value))));
    }
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

extern "C" WORD GetWindowWord(HWND hwnd, int index) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (!extraFits<WORD>(*w, index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return readExtra<WORD>(*w, index);
}

extern "C" WORD SetWindowWord(HWND hwnd, int index, WORD value) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (!extraFits<WORD>(*w, index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return writeExtra<WORD>(*w, index, value);
}

extern "C" BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (windowOrError(hwnd) == nullptr) {
        return FALSE;
    }
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

extern "C" int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount) {
    if (text == nullptr || maxCount <= 0) {
        return 0;
    }
    text[0] = '\0';
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    // Another thread's window answers its stored text without a message, as on Windows.
    if (w->threadId != GetCurrentThreadId()) {
        size_t n = std::min(w->text.size(), static_cast<size_t>(maxCount - 1));
        std::memcpy(text, w->text.data(), n);
        text[n] = '\0';
        return static_cast<int>(n);
    }
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                         reinterpret_cast<LPARAM>(text)));
}

extern "C" int GetWindowTextLengthA(HWND hwnd) {
    if (windowOrError(hwnd) == nullptr) {
        return 0;
    }
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string key = propertyKey(name);
    for (auto& p : w->props) {
        // Property names are atoms, which ignore letter case.
        if (strcasecmp(p.name.c_str(), key.c_str()) == 0) {
            p.data = data;
            return TRUE;
        }
    }
    w->props.push_back({std::move(key), data});
    return TRUE;
}

extern "C" HANDLE GetPropA(HWND hwnd, LPCSTR name) {
    Window* w = windowRecord(hwnd);
    if (w == nullptr || name == nullptr) {
        return nullptr;
    }
    std::string key = propertyKey(name);
    for (auto& p : w->props) {
        if (strcasecmp(p.name.c_str(), key.c_str()) == 0) {
            return p.data;
        }
    }
    return nullptr;
}

extern "C" HANDLE RemovePropA(HWND hwnd, LPCSTR name) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr || name == nullptr) {
        return nullptr;
    }
    std::string key = propertyKey(name);
    for (auto it = w->props.begin(); it != w->props.end(); ++it) {
        if (strcasecmp(it->name.c_str(), key.c_str()) == 0) {
            HANDLE data = it->data;
            w->props.erase(it);
            return data;
        }
    }
    return nullptr;
}
