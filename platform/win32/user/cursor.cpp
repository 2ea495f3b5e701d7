// Cursors and icons of the headless desktop: handles that remember what they show, the
// current cursor with its display count and position, and the transcript's record of the wait
// cursor (shown when the current cursor becomes the wait cursor, removed when it stops being
// it, which is how the framework's wait cursor works on Windows).
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "internal/window.h"
#include "kvwin32/desktop.h"
#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_cursor.h"

namespace {

// The system cursor and icon ids, in the order of their handles.
constexpr WORD kSystemCursorIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                     32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
constexpr WORD kSystemIconIds[] = {32512, 32513, 32514, 32515, 32516, 32517, 32518};
constexpr WORD kWaitId = 32514;
constexpr WORD kAppStartingId = 32650;

// A cursor or icon made from a module's resource.
struct LoadedImage {
    HINSTANCE instance;
    std::string name;  // "#<id>" for an ordinal
    bool icon;
    std::unique_ptr<HICON__> handle;
};

// The cursor state of the session: Windows keeps one cursor, position and display count for
// the input desktop, and shares the system cursors and icons among all programs.
struct CursorState {
    std::mutex mutex;
    HICON__ systemCursors[std::size(kSystemCursorIds)] = {};
    HICON__ systemIcons[std::size(kSystemIconIds)] = {};
    std::vector<LoadedImage> loaded;  // module cursors and icons, shared like LR_SHARED ones
    HCURSOR current = &systemCursors[0];
    int displayCount = 0;
    POINT position{kvwin32::internal::kScreenWidth / 2, kvwin32::internal::kScreenHeight / 2};
};

CursorState& cursorState() {
    static CursorState state;
    return state;
}

bool isOrdinal(LPCSTR name) {
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

std::string nameKey(LPCSTR name) {
    if (isOrdinal(name)) {
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    }
    std::string key(name, strnlen(name, 256));
    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    return key;
}

// A system cursor or icon by id, or null.
HICON systemImage(CursorState& state, LPCSTR name, bool icon) {
    if (!isOrdinal(name)) {
        return nullptr;
    }
    WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    const WORD* ids = icon ? kSystemIconIds : kSystemCursorIds;
    size_t count = icon ? std::size(kSystemIconIds) : std::size(kSystemCursorIds);
    for (size_t i = 0; i < count; ++i) {
        if (ids[i] == id) {
            return icon ? &state.systemIcons[i] : &state.systemCursors[i];
        }
    }
    return nullptr;
}

HICON loadImage(HINSTANCE instance, LPCSTR name, bool icon) {
    if (name == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    CursorState& state = cursorState();
    if (instance == nullptr) {
        std::lock_guard lock(state.mutex);
        if (HICON image = systemImage(state, name, icon)) {
            return image;
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (FindResourceA(instance, name, icon ? RT_GROUP_ICON : RT_GROUP_CURSOR) == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::string key = nameKey(name);
    std::lock_guard lock(state.mutex);
    for (const LoadedImage& image : state.loaded) {
        if (image.instance == instance && image.icon == icon && image.name == key) {
            return image.handle.get();
        }
    }
    state.loaded.push_back(LoadedImage{instance, key, icon, std::make_unique<HICON__>()});
    return state.loaded.back().handle.get();
}

}  // namespace

namespace kvwin32 {

bool isWaitCursor(HCURSOR cursor) {
    if (cursor == nullptr) {
        return false;
    }
    CursorState& state = cursorState();
    std::lock_guard lock(state.mutex);
    return cursor == systemImage(state, MAKEINTRESOURCEA(kWaitId), false) ||
           cursor == systemImage(state, MAKEINTRESOURCEA(kAppStartingId), false);
}

}  // namespace kvwin32

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return loadImage(instance, name, false);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    return loadImage(instance, name, true);
}

HCURSOR SetCursor(HCURSOR cursor) {
    CursorState& state = cursorState();
    HCURSOR previous;
    {
        std::lock_guard lock(state.mutex);
        previous = state.current;
        state.current = cursor;
    }
    bool wasWaiting = kvwin32::isWaitCursor(previous);
    bool waiting = kvwin32::isWaitCursor(cursor);
    if (wasWaiting != waiting) {
        kvwin32::desktop().waitCursor(waiting);
    }
    return previous;
}

HCURSOR GetCursor() {
    CursorState& state = cursorState();
    std::lock_guard lock(state.mutex);
    return state.current;
}

int ShowCursor(BOOL show) {
    CursorState& state = cursorState();
    std::lock_guard lock(state.mutex);
    state.displayCount += show ? 1 : -1;
    return state.displayCount;
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CursorState& state = cursorState();
    std::lock_guard lock(state.mutex);
    *point = state.position;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    CursorState& state = cursorState();
    std::lock_guard lock(state.mutex);
    // The cursor cannot leave the screen.
    state.position.x = std::clamp(x, 0, kvwin32::internal::kScreenWidth - 1);
    state.position.y = std::clamp(y, 0, kvwin32::internal::kScreenHeight - 1);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    // Shared cursors (system ones and those LoadCursorA made) are not destroyed; Windows
    // answers TRUE for them.
    return cursor != nullptr ? TRUE : FALSE;
}

BOOL DestroyIcon(HICON icon) {
    return icon != nullptr ? TRUE : FALSE;
}
