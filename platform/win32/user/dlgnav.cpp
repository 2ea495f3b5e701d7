// The keyboard interface of dialogs: the tab order (GetNextDlgTabItem), groups of controls that
// the arrow keys walk (GetNextDlgGroupItem), and IsDialogMessageA, which turns Tab, the arrows,
// Enter, Escape and access keys ("&x" in a control's text) into dialog actions.
//
// Windows walks the controls in z order and enters every visible, enabled child window with
// WS_EX_CONTROLPARENT (a DS_CONTROL child dialog) as if its controls were the dialog's own;
// both walks here work on that flattened list.
#include <cctype>
#include <strings.h>

#include <cstring>
#include <vector>

#include "internal/dialog.h"
#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal {
namespace {

// How deep child dialogs may nest before the walk stops entering them.
constexpr int kMaxControlParentDepth = 16;

// One control of the flattened list.
struct NavEntry {
    HWND hwnd;
    DWORD style;
    bool reachable;  // visible and enabled, and so are the child dialogs around it
};

void collectControls(HWND parent, bool reachable, int depth, std::vector<NavEntry>& out) {
    for (HWND child : childrenOf(parent)) {
        Window* w = windowRecord(child);
        if (w == nullptr) {
            continue;
        }
        bool ok = reachable && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
        if ((w->exStyle & WS_EX_CONTROLPARENT) && depth < kMaxControlParentDepth) {
            collectControls(child, ok, depth + 1, out);
        } else {
            out.push_back({child, w->style, ok});
        }
    }
}

std::vector<NavEntry> controlsOf(HWND dialog) {
    std::vector<NavEntry> out;
    collectControls(dialog, true, 0, out);
    return out;
}

int indexOf(const std::vector<NavEntry>& list, HWND hwnd) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].hwnd == hwnd) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The dialog whose keyboard interface handles a message: a child dialog hands it to the
// dialog it is part of.
HWND outermostDialog(HWND dialog) {
    for (int depth = 0; depth < kMaxControlParentDepth; ++depth) {
        Window* w = windowRecord(dialog);
        if (w == nullptr || !(w->exStyle & WS_EX_CONTROLPARENT) ||
            (w->style & (WS_CHILD | WS_POPUP)) != WS_CHILD || isRootWindow(w->parent) ||
            windowRecord(w->parent) == nullptr) {
            break;
        }
        dialog = w->parent;
    }
    return dialog;
}

UINT dialogCodeFor(HWND control, const MSG* msg) {
    return static_cast<UINT>(
        SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool isClass(HWND hwnd, const char* name) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    return strcasecmp(className, name) == 0;
}

// A multi-line edit with ES_WANTRETURN takes Enter as a new line, whatever it answers.
bool wantsReturn(HWND control) {
    Window* w = windowRecord(control);
    return w && (w->style & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN) &&
           isClass(control, WC_EDITA);
}

void sendCommand(HWND dialog, int id, HWND control) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

HWND itemOrNull(HWND dialog, int id) {
    DWORD lastError = GetLastError();
    HWND item = GetDlgItem(dialog, id);
    SetLastError(lastError);
    return item;
}

// Enter: a focused push button is clicked; else the default button (DM_GETDEFID) unless it is
// disabled; a dialog without one gets IDOK.
void pressEnter(HWND dialog) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && (dialogCodeFor(focus, nullptr) & DLGC_DEFPUSHBUTTON)) {
        sendCommand(dialog, GetDlgCtrlID(focus), focus);
        return;
    }
    DWORD answer = static_cast<DWORD>(SendMessageA(dialog, DM_GETDEFID, 0, 0));
    if (HIWORD(answer) == DC_HASDEFID) {
        HWND button = itemOrNull(dialog, LOWORD(answer));
        if (button == nullptr || IsWindowEnabled(button)) {
            sendCommand(dialog, LOWORD(answer), button);
        }
        return;
    }
    sendCommand(dialog, IDOK, itemOrNull(dialog, IDOK));
}

// The arrows move within the group; a radio button that gets the focus so is also clicked,
// as Windows checks auto radio buttons while the user arrows through them.
void pressArrow(HWND dialog, HWND from, bool previous, const MSG* msg) {
    HWND next = GetNextDlgGroupItem(dialog, from, previous);
    if (next == nullptr) {
        return;
    }
    if (dialogCodeFor(next, msg) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
        SetFocus(next);
        Window* w = windowRecord(next);
        if (w && (w->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
            SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
            SendMessageA(next, BM_CLICK, 0, 0);
        }
        return;
    }
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

// The access key of a text: the character after a single '&' ("&&" is a literal '&').
char accessKeyOf(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p == '&') {
            if (p[1] == '&') {
                ++p;
            } else {
                return p[1];
            }
        }
    }
    return '\0';
}

bool matchesAccessKey(HWND control, const NavEntry& entry, UINT code, char key) {
    if (!entry.reachable || !(code & (DLGC_BUTTON | DLGC_STATIC))) {
        return false;
    }
    if ((code & DLGC_STATIC) && (entry.style & SS_NOPREFIX) && isClass(control, WC_STATICA)) {
        return false;
    }
    char text[256] = {};
    GetWindowTextA(control, text, sizeof text);
    char own = accessKeyOf(text);
    return own != '\0' && ascii::toLower(own) == ascii::toLower(key);
}

// Looks for the control whose access key was typed, starting at the focused control and
// going round the dialog once. A label (static, group box) passes the focus to the next tab
// stop after it; a button is clicked, and a radio button gets the focus first.
bool pressAccessKey(HWND dialog, HWND from, char key) {
    if (key == ' ' || static_cast<unsigned char>(key) < 0x20) {
        return false;
    }
    std::vector<NavEntry> list = controlsOf(dialog);
    const int n = static_cast<int>(list.size());
    int start = indexOf(list, from);
    start = start < 0 ? 0 : start;
    for (int k = 0; k < n; ++k) {
        const NavEntry& entry = list[static_cast<std::size_t>((start + k) % n)];
        UINT code = dialogCodeFor(entry.hwnd, nullptr);
        if (!matchesAccessKey(entry.hwnd, entry, code, key)) {
            continue;
        }
        bool label = (code & DLGC_STATIC) || (entry.style & BS_TYPEMASK) == BS_GROUPBOX;
        if (label || !(code & DLGC_BUTTON)) {
            if (HWND next = GetNextDlgTabItem(dialog, entry.hwnd, FALSE)) {
                setDialogFocus(dialog, next);
            }
        } else {
            if (code & DLGC_RADIOBUTTON) {
                setDialogFocus(dialog, entry.hwnd);
            }
            SendMessageA(entry.hwnd, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

// The keys of the dialog's own keyboard interface; true when the key was the dialog's.
bool handleKeyDown(HWND dialog, const MSG& msg) {
    UINT code = dialogCodeFor(msg.hwnd, &msg);
    if (code & DLGC_WANTMESSAGE) {
        return false;
    }
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) {
                return false;
            }
            SendMessageA(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) {
                return false;
            }
            pressArrow(dialog, msg.hwnd, msg.wParam == VK_LEFT || msg.wParam == VK_UP, &msg);
            return true;
        case VK_CANCEL:
        case VK_ESCAPE:
            sendCommand(dialog, IDCANCEL, itemOrNull(dialog, IDCANCEL));
            return true;
        case VK_EXECUTE:
        case VK_RETURN:
            if (wantsReturn(msg.hwnd)) {
                return false;
            }
            pressEnter(dialog);
            return true;
        default:
            return false;
    }
}

}  // namespace
}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (windowOrError(dialog) == nullptr) {
        return nullptr;
    }
    if (control == dialog || (control && !IsChild(dialog, control))) {
        control = nullptr;
    }
    // As on Windows, there is nothing before no control.
    if (control == nullptr && previous) {
        return nullptr;
    }
    std::vector<NavEntry> list = controlsOf(dialog);
    int start = control ? indexOf(list, control) : -1;
    if (control && start < 0) {
        // A control the walk cannot reach (inside a child that is not a control parent) is
        // walked from among its own siblings, as if it could be reached.
        list = controlsOf(GetParent(control));
        start = indexOf(list, control);
    }
    const int n = static_cast<int>(list.size());
    if (start < 0) {
        start = previous ? n : -1;
    }
    for (int k = 1; k <= n; ++k) {
        int i = previous ? ((start - k) % n + n) % n : (start + k) % n;
        const NavEntry& entry = list[static_cast<std::size_t>(i)];
        if (entry.reachable && (entry.style & WS_TABSTOP)) {
            return entry.hwnd;
        }
    }
    return control;
}

extern "C" HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (windowOrError(dialog) == nullptr) {
        return nullptr;
    }
    if (control == dialog) {
        control = nullptr;
    }
    std::vector<NavEntry> list = controlsOf(dialog);
    if (control == nullptr) {
        if (previous) {
            return nullptr;
        }
        for (const NavEntry& entry : list) {
            if (entry.reachable) {
                return entry.hwnd;
            }
        }
        return nullptr;
    }
    int at = indexOf(list, control);
    if (at < 0 && IsChild(dialog, control)) {
        // As for tabs: a control the walk cannot reach is walked among its own siblings.
        list = controlsOf(GetParent(control));
        at = indexOf(list, control);
    }
    if (at < 0) {
        return nullptr;
    }
    const int n = static_cast<int>(list.size());
    // The group runs from the nearest WS_GROUP control at or before this one (going round
    // the dialog) up to the next WS_GROUP control; without any WS_GROUP all controls are one.
    bool anyGroup = false;
    for (const NavEntry& entry : list) {
        anyGroup = anyGroup || (entry.style & WS_GROUP);
    }
    std::vector<int> members;
    int first = 0;
    if (anyGroup) {
        first = at;
        while (!(list[static_cast<std::size_t>(first)].style & WS_GROUP)) {
            first = (first - 1 + n) % n;
        }
    }
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        if (k > 0 && anyGroup && (list[static_cast<std::size_t>(i)].style & WS_GROUP)) {
            break;
        }
        members.push_back(i);
    }
    const int m = static_cast<int>(members.size());
    int pos = 0;
    while (pos < m && members[static_cast<std::size_t>(pos)] != at) {
        ++pos;
    }
    for (int k = 1; k <= m; ++k) {
        int j = previous ? ((pos - k) % m + m) % m : (pos + k) % m;
        const NavEntry& entry =
            list[static_cast<std::size_t>(members[static_cast<std::size_t>(j)])];
        if (entry.reachable) {
            return entry.hwnd;
        }
    }
    return control;
}

extern "C" BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (msg == nullptr || dialog == nullptr || windowRecord(dialog) == nullptr ||
        msg->hwnd == nullptr) {
        return FALSE;
    }
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) {
        return FALSE;
    }
    dialog = outermostDialog(dialog);
    switch (msg->message) {
        case WM_KEYDOWN:
            if (handleKeyDown(dialog, *msg)) {
                return TRUE;
            }
            break;
        case WM_CHAR: {
            UINT code = dialogCodeFor(msg->hwnd, msg);
            if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) {
                break;
            }
            if (msg->wParam == '\t' && (code & DLGC_WANTTAB)) {
                break;
            }
            if (pressAccessKey(dialog, msg->hwnd, static_cast<char>(msg->wParam))) {
                return TRUE;
            }
            break;
        }
        case WM_SYSCHAR:
            if (pressAccessKey(dialog, msg->hwnd, static_cast<char>(msg->wParam))) {
                return TRUE;
            }
            break;
        default:
            break;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
