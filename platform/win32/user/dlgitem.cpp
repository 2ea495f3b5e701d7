// Dialog item helpers: finding a child by id and reading or writing its text and numbers.
// They work on any parent window, not only dialogs, as on Windows.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

using kvwin32::internal::Window;

// GetDlgItemInt's reading of a number: blanks before and after, an optional minus sign when
// signed, decimal digits; anything else, or a value that does not fit, is no number.
bool parseDialogInt(const char* text, bool isSigned, UINT& value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    bool negative = false;
    if (isSigned && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (!std::isdigit(static_cast<unsigned char>(*p))) {
        return false;
    }
    unsigned long long magnitude = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
        if (magnitude > 0xffffffffull) {
            return false;
        }
        ++p;
    }
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    if (*p != '\0') {
        return false;
    }
    if (isSigned) {
        if (negative ? magnitude > 0x80000000ull : magnitude > 0x7fffffffull) {
            return false;
        }
        value = static_cast<UINT>(negative ? -static_cast<long long>(magnitude)
                                           : static_cast<long long>(magnitude));
    } else {
        value = static_cast<UINT>(magnitude);
    }
    return true;
}

}  // namespace

extern "C" HWND GetDlgItem(HWND dialog, int id) {
    if (kvwin32::internal::windowOrError(dialog) == nullptr) {
        return nullptr;
    }
    for (HWND child : kvwin32::internal::childrenOf(dialog)) {
        Window* w = kvwin32::internal::windowRecord(child);
        if (w && static_cast<int>(w->id) == id) {
            return child;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

extern "C" int GetDlgCtrlID(HWND hwnd) {
    Window* w = kvwin32::internal::windowOrError(hwnd);
    return w ? static_cast<int>(w->id) : 0;
}

extern "C" LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam,
                                       LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

extern "C" BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    return static_cast<BOOL>(
        SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

extern "C" UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount) {
    if (HWND item = GetDlgItem(dialog, id)) {
        return static_cast<UINT>(GetWindowTextA(item, text, maxCount));
    }
    if (text && maxCount > 0) {
        text[0] = '\0';
    }
    return 0;
}

extern "C" BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    if (isSigned) {
        std::snprintf(text, sizeof(text), "%d", static_cast<int>(value));
    } else {
        std::snprintf(text, sizeof(text), "%u", value);
    }
    return SetDlgItemTextA(dialog, id, text);
}

extern "C" UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) {
        *translated = FALSE;
    }
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        return 0;
    }
    int length = GetWindowTextLengthA(item);
    if (length <= 0) {
        return 0;
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(item, text.data(), length + 1);
    UINT value = 0;
    if (!parseDialogInt(text.c_str(), isSigned != FALSE, value)) {
        return 0;
    }
    if (translated) {
        *translated = TRUE;
    }
    return value;
}
