// Window classes and the global atom table behind their names: RegisterClass(Ex)A,
// UnregisterClassA, GetClassInfo(Ex)A, GetClassNameA, Get/SetClassLongPtrA.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <strings.h>

#include "internal/builtin_classes.h"
#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {
namespace {

// Atoms of names start here, as Windows' string atoms do; below are integer atoms.
constexpr ATOM kFirstStringAtom = 0xC000;
// Bound on class and window extra bytes; Windows refuses absurd sizes for lack of memory.
constexpr int kMaxExtraBytes = 0x10000;

using ascii::equalNoCase;

struct ClassRegistry;
ATOM registerClassLocked(ClassRegistry& reg, const WNDCLASSEXA& wc, bool system);

// The process-wide class and atom tables of the window system. The built-in classes are
// registered here, from their one table, when the tables are first used: before any window
// can be made and whatever order the library's files were initialised in.
struct ClassRegistry {
    ClassRegistry() {
        for (BuiltinClass describe : builtinClasses()) {
            registerClassLocked(*this, describe(), true);
        }
    }

    std::mutex mutex;
    std::vector<std::string> atoms;  // atoms[i] is the name of atom kFirstStringAtom + i
    std::vector<std::unique_ptr<WindowClass>> classes;

    ATOM atomOf(std::string_view name) const {
        for (size_t i = 0; i < atoms.size(); ++i) {
            if (equalNoCase(atoms[i], name)) {
                return static_cast<ATOM>(kFirstStringAtom + i);
            }
        }
        return 0;
    }
    ATOM addAtomLocked(std::string_view name) {
        if (ATOM atom = atomOf(name)) {
            return atom;
        }
        if (atoms.size() >= 0x10000 - kFirstStringAtom) {
            return 0;
        }
        atoms.emplace_back(name);
        return static_cast<ATOM>(kFirstStringAtom + atoms.size() - 1);
    }
};

ClassRegistry& registry() {
    static ClassRegistry instance;
    return instance;
}

// The name a class argument stands for: the string, or the name of an atom given with
// MAKEINTATOM ("#<n>" for an integer atom nobody named).
std::string classNameOf(const ClassRegistry& reg, LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
        if (atom >= kFirstStringAtom &&
            atom - kFirstStringAtom < static_cast<int>(reg.atoms.size())) {
            return reg.atoms[atom - kFirstStringAtom];
        }
        std::string numbered = "#";
        numbered += std::to_string(atom);
        return numbered;
    }
    return name;
}

bool isApplicationClass(const WindowClass& c) {
    return !c.system && !(c.style & CS_GLOBALCLASS);
}

// Lookup order of Windows: application classes of the instance, global application classes,
// then the system's own.
WindowClass* findClassLocked(ClassRegistry& reg, std::string_view name, HINSTANCE instance,
                             bool includeSystem) {
    WindowClass* global = nullptr;
    WindowClass* system = nullptr;
    for (auto& c : reg.classes) {
        if (!equalNoCase(c->name, name)) {
            continue;
        }
        if (isApplicationClass(*c)) {
            if (instance == nullptr || c->instance == instance) {
                return c.get();
            }
        } else if (!c->system) {
            global = global ? global : c.get();
        } else {
            system = system ? system : c.get();
        }
    }
    if (global) {
        return global;
    }
    return includeSystem ? system : nullptr;
}

ATOM registerClassLocked(ClassRegistry& reg, const WNDCLASSEXA& wc, bool system) {
    if (wc.lpszClassName == nullptr || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (wc.cbClsExtra > kMaxExtraBytes || wc.cbWndExtra > kMaxExtraBytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    std::string name = classNameOf(reg, wc.lpszClassName);
    if (name.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (auto& c : reg.classes) {
        if (!equalNoCase(c->name, name) || c->system != system) {
            continue;
        }
        // An application class clashes with one of the same module, or with any global one.
        if (system || c->instance == wc.hInstance || (c->style & CS_GLOBALCLASS) ||
            (wc.style & CS_GLOBALCLASS)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    ATOM atom = IS_INTRESOURCE(wc.lpszClassName)
                    ? static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(wc.lpszClassName))
                    : reg.addAtomLocked(name);
    if (atom == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = name;
    c->atom = atom;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->classExtra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
    c->windowExtra = wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->smallIcon = wc.hIconSm;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        c->menuName = wc.lpszMenuName;
    }
    c->system = system;
    reg.classes.push_back(std::move(c));
    return atom;
}

ATOM registerClass(const WNDCLASSEXA& wc, bool system) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    return registerClassLocked(reg, wc, system);
}

// Reads or writes a value of sizeOfValue bytes in the class extra bytes, bounds-checked.
bool classExtraFits(const WindowClass& c, int offset, size_t sizeOfValue) {
    return offset >= 0 && static_cast<size_t>(offset) + sizeOfValue <= c.classExtra.size();
}

}  // namespace

ATOM addAtom(std::string_view name) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    return reg.addAtomLocked(name);
}

ATOM findAtom(std::string_view name) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    return reg.atomOf(name);
}

WindowClass* findClassForWindow(LPCSTR name, HINSTANCE instance) {
    if (name == nullptr) {
        return nullptr;
    }
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    return findClassLocked(reg, classNameOf(reg, name), instance, true);
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                   wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                   wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, nullptr};
    return registerClass(ex, false);
}

extern "C" ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    // Windows checks the structure size before anything else.
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return registerClass(*wc, false);
}

extern "C" BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    if (className == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    WindowClass* c = findClassLocked(reg, classNameOf(reg, className), instance, false);
    if (c == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    std::erase_if(reg.classes, [c](const auto& p) { return p.get() == c; });
    return TRUE;
}

extern "C" BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, LPWNDCLASSEXA out) {
    if (className == nullptr || out == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    WindowClass* c = findClassLocked(reg, classNameOf(reg, className), instance, true);
    if (c == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    out->style = c->style;
    out->lpfnWndProc = c->proc;
    out->cbClsExtra = static_cast<int>(c->classExtra.size());
    out->cbWndExtra = c->windowExtra;
    // Windows reports the instance the caller asked with, not the registering one.
    out->hInstance = c->system ? nullptr : c->instance;
    out->hIcon = c->icon;
    out->hIconSm = c->smallIcon;
    out->hCursor = c->cursor;
    out->hbrBackground = c->background;
    out->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
    out->lpszClassName = className;
    // GetClassInfoExA returns the class atom, not just TRUE.
    return c->atom;
}

extern "C" BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, LPWNDCLASSA out) {
    if (out == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WNDCLASSEXA ex{};
    if (!GetClassInfoExA(instance, className, &ex)) {
        return FALSE;
    }
    *out = WNDCLASSA{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                     ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return TRUE;
}

extern "C" int GetClassNameA(HWND hwnd, LPSTR buffer, int maxCount) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (buffer == nullptr || maxCount <= 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string& name = w->wndClass->name;
    size_t n = std::min(name.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

extern "C" ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    const WindowClass& c = *w->wndClass;
    if (index >= 0) {
        if (!classExtraFits(c, index, sizeof(ULONG_PTR))) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        ULONG_PTR value = 0;
        std::memcpy(&value, c.classExtra.data() + index, sizeof(value));
        return value;
    }
    switch (index) {
        case GCL_STYLE:
            return c.style;
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(c.windowExtra);
        case GCL_CBCLSEXTRA:
            return c.classExtra.size();
        case GCLP_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(c.proc);
        case GCLP_HMODULE:
            return reinterpret_cast<ULONG_PTR>(c.instance);
        case GCLP_HBRBACKGROUND:
            return reinterpret_cast<ULONG_PTR>(c.background);
        case GCLP_HCURSOR:
            return reinterpret_cast<ULONG_PTR>(c.cursor);
        case GCLP_HICON:
            return reinterpret_cast<ULONG_PTR>(c.icon);
        case GCLP_HICONSM:
            return reinterpret_cast<ULONG_PTR>(c.smallIcon);
        case GCW_ATOM:
            return c.atom;
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}

extern "C" DWORD GetClassLongA(HWND hwnd, int index) {
    if (index >= 0) {
        Window* w = windowOrError(hwnd);
        if (w == nullptr) {
            return 0;
        }
        if (!classExtraFits(*w->wndClass, index, sizeof(DWORD))) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        DWORD value = 0;
        std::memcpy(&value, w->wndClass->classExtra.data() + index, sizeof(value));
        return value;
    }
    return static_cast<DWORD>(GetClassLongPtrA(hwnd, index));
}

extern "C" ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    Window* w = windowOrError(hwnd);
    if (w == nullptr) {
        return 0;
    }
    WindowClass& c = *w->wndClass;
    auto swap = [](auto& field, auto newValue) {
        auto old = reinterpret_cast<ULONG_PTR>(field);
        field = newValue;
        return old;
    };
    if (index >= 0) {
        if (!classExtraFits(c, index, sizeof(LONG_PTR))) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        ULONG_PTR old = 0;
        std::memcpy(&old, c.classExtra.data() + index, sizeof(old));
        std::memcpy(c.classExtra.data() + index, &value, sizeof(value));
        return old;
    }
    switch (index) {
        case GCL_STYLE: {
            ULONG_PTR old = c.style;
            c.style = static_cast<UINT>(value);
            return old;
        }
        case GCLP_WNDPROC:
            return swap(c.proc, reinterpret_cast<WNDPROC>(value));
        case GCLP_HBRBACKGROUND:
            return swap(c.background, reinterpret_cast<HBRUSH>(value));
        case GCLP_HCURSOR:
            return swap(c.cursor, reinterpret_cast<HCURSOR>(value));
        case GCLP_HICON:
            return swap(c.icon, reinterpret_cast<HICON>(value));
        case GCLP_HICONSM:
            return swap(c.smallIcon, reinterpret_cast<HICON>(value));
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}
