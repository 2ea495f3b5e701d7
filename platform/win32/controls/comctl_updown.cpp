// The up-down control ("msctls_updown32"): range, position, buddy window and the arrow
// buttons a user clicks (see kvwin32/comctl_updown.h).
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "kvwin32/comctl_updown.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvwin32::internal::ControlState;
using kvwin32::internal::stateOf;

// Names of the properties an up-down control leaves on a buddy it subclasses.
constexpr const char* kBuddyOwnerProp = "KvUpDownOwner";
constexpr const char* kBuddyProcProp = "KvUpDownProc";

// The width Windows gives a vertical up-down when it is made, whatever width it was made
// with, and an aligned one beside its buddy, whatever width it has then.
constexpr int kDefaultWidth = 16;

// An aligned up-down beside an edit reaches this far over the edit's border (moved that far
// towards the edit, or that much wider on the left) and draws the border on round itself, so
// that edit and arrows look like one control.
constexpr int kBuddyBorder = 2;

// Which arrow a click or key press stands for.
enum class Arrow { None, Up, Down };

struct UpDownState : ControlState {
    int minimum = 100;         // UDM_SETRANGE's min: Windows starts with 100..0, so "up" goes down
    int maximum = 0;           // UDM_SETRANGE's max: the value the up arrow heads for
    int position = 0;          // current position, always between minimum and maximum
    HWND buddy = nullptr;      // the buddy window, null when none
    bool buddyIsEdit = false;  // the buddy is an edit control (class "Edit")
    bool buddyInt = false;     // UDS_SETBUDDYINT as created: Windows ignores later style changes
    int base = 10;             // 10 or 16: how the buddy's text shows the position
    std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};  // Windows' default acceleration
    Arrow pressed = Arrow::None;                          // the arrow held down by the mouse
};

std::shared_ptr<UpDownState> upDownOf(HWND hwnd) {
    return stateOf<UpDownState>(hwnd);
}

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

int lowOf(const UpDownState& s) {
    return std::min(s.minimum, s.maximum);
}
int highOf(const UpDownState& s) {
    return std::max(s.minimum, s.maximum);
}
bool inRange(const UpDownState& s, long long value) {
    return value >= lowOf(s) && value <= highOf(s);
}

// ---- The buddy's text ---------------------------------------------------------------------

// The position as the buddy shows it: decimal with the thousands separator of the user's
// locale (the en-US "," here) unless UDS_NOTHOUSANDS, or hexadecimal "0x%04X" in base 16.
std::string formatPosition(int value, int base, bool thousands) {
    if (base == 16) {
        std::array<char, 16> hex{};
        std::snprintf(hex.data(), hex.size(), "0x%04X", static_cast<unsigned>(value));
        return hex.data();
    }
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (thousands) {
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
            digits.insert(static_cast<std::size_t>(i), ",");
        }
    }
    return value < 0 ? "-" + digits : digits;
}

// Writes the position into the buddy with UDS_SETBUDDYINT. Windows leaves a buddy whose text
// already says the same alone, so the buddy sends no EN_CHANGE then.
void showPosition(HWND hwnd, const UpDownState& s) {
    const DWORD style = styleOf(hwnd);
    if (s.buddy == nullptr || !IsWindow(s.buddy) || !s.buddyInt) {
        return;
    }
    const std::string text = formatPosition(s.position, s.base, (style & UDS_NOTHOUSANDS) == 0);
    std::array<char, 64> old{};
    GetWindowTextA(s.buddy, old.data(), static_cast<int>(old.size()));
    if (text != old.data()) {
        SetWindowTextA(s.buddy, text.c_str());
    }
}

// Takes the position from the buddy's text, as Windows does before a step and for
// UDM_GETPOS, since the user may have typed into it. False (the position unchanged) when
// the text is no number of the base or lies outside the range.
bool readPosition(UpDownState& s) {
    if (s.buddy == nullptr || !IsWindow(s.buddy) || !s.buddyInt) {
        return false;
    }
    std::array<char, 64> buffer{};
    GetWindowTextA(s.buddy, buffer.data(), static_cast<int>(buffer.size()));
    std::string text;
    for (const char* p = buffer.data(); *p != '\0'; ++p) {
        if (*p != ',' && *p != ' ') {
            text += *p;
        }
    }
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, s.base);
    if (errno != 0 || end == nullptr || *end != '\0' || !inRange(s, value)) {
        return false;
    }
    s.position = static_cast<int>(value);
    return true;
}

// ---- Buddy subclassing (UDS_ARROWKEYS) ----------------------------------------------------

void step(HWND hwnd, Arrow arrow);
void endScroll(HWND hwnd);

LRESULT buddyProc(HWND buddy, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto owner = static_cast<HWND>(GetPropA(buddy, kBuddyOwnerProp));
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(buddy, kBuddyProcProp));
    if (previous == nullptr) {
        return DefWindowProcA(buddy, msg, wParam, lParam);
    }
    const bool arrowKey = wParam == VK_UP || wParam == VK_DOWN;
    if (IsWindow(owner) && arrowKey && (msg == WM_KEYDOWN || msg == WM_KEYUP)) {
        if (msg == WM_KEYDOWN) {
            step(owner, wParam == VK_UP ? Arrow::Up : Arrow::Down);
        } else {
            endScroll(owner);
        }
        return 0;
    }
    return CallWindowProcA(previous, buddy, msg, wParam, lParam);
}

void subclassBuddy(HWND hwnd, HWND buddy) {
    if (buddy == nullptr || GetPropA(buddy, kBuddyProcProp) != nullptr) {
        return;
    }
    const LONG_PTR previous = GetWindowLongPtrA(buddy, GWLP_WNDPROC);
    SetPropA(buddy, kBuddyOwnerProp, hwnd);
    SetPropA(buddy, kBuddyProcProp, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&buddyProc));
}

// Gives the buddy its own procedure back, unless someone subclassed it after us.
void releaseBuddy(HWND hwnd, HWND buddy) {
    if (buddy == nullptr || !IsWindow(buddy) || GetPropA(buddy, kBuddyOwnerProp) != hwnd) {
        return;
    }
    auto previous = reinterpret_cast<LONG_PTR>(GetPropA(buddy, kBuddyProcProp));
    if (GetWindowLongPtrA(buddy, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&buddyProc)) {
        SetWindowLongPtrA(buddy, GWLP_WNDPROC, previous);
        RemovePropA(buddy, kBuddyOwnerProp);
        RemovePropA(buddy, kBuddyProcProp);
    }
}

bool isEditWindow(HWND hwnd) {
    std::array<char, 16> name{};
    return GetClassNameA(hwnd, name.data(), static_cast<int>(name.size())) > 0 &&
           lstrcmpiA(name.data(), WC_EDITA) == 0;
}

// An aligned up-down beside an edit: it draws the edit's border on round its arrows.
bool hasBuddyBorder(HWND hwnd, const UpDownState& s) {
    return s.buddy != nullptr && s.buddyIsEdit && IsWindow(s.buddy) &&
           (styleOf(hwnd) & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) != 0;
}

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the buddy gives up the default width on that side, as it
// does on Windows each time it is made the buddy (again), and the control stands in the space
// with that width, as high as the buddy; beside an edit it reaches over the edit's border.
void alignWithBuddy(HWND hwnd, const UpDownState& s) {
    const DWORD style = styleOf(hwnd);
    if ((style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) == 0 || s.buddy == nullptr) {
        return;
    }
    HWND parent = GetParent(s.buddy);
    RECT bud{};
    GetWindowRect(s.buddy, &bud);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bud), 2);
    int width = kDefaultWidth;
    int x = 0;
    if (style & UDS_ALIGNLEFT) {
        x = bud.left;
        bud.left += kDefaultWidth;
    } else {
        bud.right -= kDefaultWidth;
        x = bud.right;
    }
    SetWindowPos(s.buddy, nullptr, bud.left, bud.top, bud.right - bud.left, bud.bottom - bud.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (hasBuddyBorder(hwnd, s)) {
        if (style & UDS_ALIGNLEFT) {
            width += kBuddyBorder;
        } else {
            x -= kBuddyBorder;
        }
    }
    SetWindowPos(hwnd, nullptr, x, bud.top, width, bud.bottom - bud.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A buddy taken away leaves the control where and as large as it is: Windows does not give
// it back its default width then.
HWND setBuddy(HWND hwnd, UpDownState& s, HWND buddy) {
    HWND previous = s.buddy;
    if (buddy != nullptr && !IsWindow(buddy)) {
        buddy = nullptr;
    }
    releaseBuddy(hwnd, previous);
    s.buddy = buddy;
    s.buddyIsEdit = buddy != nullptr && isEditWindow(buddy);
    if (buddy != nullptr) {
        if (styleOf(hwnd) & UDS_ARROWKEYS) {
            subclassBuddy(hwnd, buddy);
        }
        alignWithBuddy(hwnd, s);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return previous;
}

// ---- Stepping -----------------------------------------------------------------------------

// The step the first acceleration entry gives, towards the maximum for the up arrow; an
// inverted range (maximum below minimum) steps the other way.
int deltaFor(const UpDownState& s, Arrow arrow) {
    int delta = s.accel.empty() ? 1 : static_cast<int>(s.accel.front().nInc);
    if (arrow == Arrow::Down) {
        delta = -delta;
    }
    return s.maximum < s.minimum ? -delta : delta;
}

// Moves by delta; at an end the position stops there, or with UDS_WRAP goes on from the
// other end. True when the position changed.
bool offsetPosition(HWND hwnd, UpDownState& s, int delta) {
    const long long target = static_cast<long long>(s.position) + delta;
    int next = 0;
    if (inRange(s, target)) {
        next = static_cast<int>(target);
    } else if (styleOf(hwnd) & UDS_WRAP) {
        next = target > highOf(s) ? lowOf(s) : highOf(s);
    } else {
        next = target > highOf(s) ? highOf(s) : lowOf(s);
    }
    const bool changed = next != s.position;
    s.position = next;
    return changed;
}

void sendScroll(HWND hwnd, WORD code, int position) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) {
        return;
    }
    const UINT msg = (styleOf(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessageA(parent, msg, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(hwnd));
}

// One step as the user makes it: UDN_DELTAPOS asks the parent (which may refuse or change
// the delta), the position moves, the buddy shows it, and WM_VSCROLL/WM_HSCROLL with
// SB_THUMBPOSITION follows whether or not the position moved, as Windows sends it.
void step(HWND hwnd, Arrow arrow) {
    auto s = upDownOf(hwnd);
    if (!s || arrow == Arrow::None) {
        return;
    }
    readPosition(*s);
    NMUPDOWN nm{};
    nm.iPos = s->position;
    nm.iDelta = deltaFor(*s, arrow);
    const LRESULT refused = kvwin32::internal::notifyParentNm(hwnd, nm.hdr, UDN_DELTAPOS);
    if (!IsWindow(hwnd)) {
        return;
    }
    if (refused == 0 && offsetPosition(hwnd, *s, nm.iDelta)) {
        showPosition(hwnd, *s);
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    if (IsWindow(hwnd)) {
        sendScroll(hwnd, SB_THUMBPOSITION, s->position);
    }
}

// The end of a press (button or arrow key released): SB_ENDSCROLL to the parent.
void endScroll(HWND hwnd) {
    if (auto s = upDownOf(hwnd)) {
        sendScroll(hwnd, SB_ENDSCROLL, s->position);
    }
}

// The arrow under a client point: the upper (or with UDS_HORZ the right) half is "up".
Arrow arrowAt(HWND hwnd, POINT pt) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    if (!PtInRect(&rc, pt)) {
        return Arrow::None;
    }
    if (styleOf(hwnd) & UDS_HORZ) {
        return pt.x >= (rc.right + rc.left) / 2 ? Arrow::Up : Arrow::Down;
    }
    return pt.y < (rc.bottom + rc.top) / 2 ? Arrow::Up : Arrow::Down;
}

LRESULT buttonDown(HWND hwnd, LPARAM lParam) {
    auto s = upDownOf(hwnd);
    if (!s || !kvwin32::internal::isControlEnabled(hwnd)) {
        return 0;
    }
    const Arrow arrow = arrowAt(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (arrow == Arrow::None) {
        return 0;
    }
    // A buddy edit takes the focus when its arrows are clicked, as on Windows.
    if (s->buddy != nullptr && IsWindow(s->buddy)) {
        SetFocus(s->buddy);
    }
    s->pressed = arrow;
    InvalidateRect(hwnd, nullptr, FALSE);
    step(hwnd, arrow);
    return 0;
}

LRESULT buttonUp(HWND hwnd) {
    auto s = upDownOf(hwnd);
    if (!s || s->pressed == Arrow::None) {
        return 0;
    }
    s->pressed = Arrow::None;
    InvalidateRect(hwnd, nullptr, FALSE);
    endScroll(hwnd);
    return 0;
}

LRESULT keyDown(HWND hwnd, WPARAM key) {
    if ((styleOf(hwnd) & UDS_ARROWKEYS) && (key == VK_UP || key == VK_DOWN)) {
        step(hwnd, key == VK_UP ? Arrow::Up : Arrow::Down);
    }
    return 0;
}

// ---- Messages -----------------------------------------------------------------------------

// A vertical up-down takes the default width, whatever width it was made with (a horizontal
// one keeps its size), then with UDS_AUTOBUDDY the window before it as its buddy.
LRESULT create(HWND hwnd, const CREATESTRUCTA* cs) {
    auto s = upDownOf(hwnd);
    if (s) {
        s->buddyInt = (styleOf(hwnd) & UDS_SETBUDDYINT) != 0;
    }
    if (cs != nullptr && !(styleOf(hwnd) & UDS_HORZ)) {
        SetWindowPos(hwnd, nullptr, 0, 0, kDefaultWidth, cs->cy,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    if (s && (styleOf(hwnd) & UDS_AUTOBUDDY)) {
        setBuddy(hwnd, *s, GetWindow(hwnd, GW_HWNDPREV));
    }
    return 0;
}

// A new range takes the position into it, as on Windows, without touching the buddy's text.
void keepPositionInRange(UpDownState& s) {
    s.position = std::clamp(s.position, lowOf(s), highOf(s));
}

LRESULT setPosition(HWND hwnd, UpDownState& s, long long value) {
    const int previous = s.position;
    s.position = static_cast<int>(std::clamp<long long>(value, lowOf(s), highOf(s)));
    showPosition(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
    return previous;
}

// The position, read from the buddy first. As on Windows the answer flags an error when a
// buddy's text cannot give the position: a buddy that is not kept as an integer, or one whose
// text is no number in range.
LRESULT getPosition(UpDownState& s, bool wide, LPARAM lParam) {
    const bool hasBuddy = s.buddy != nullptr && IsWindow(s.buddy);
    const bool failed = hasBuddy && !readPosition(s);
    if (wide) {
        if (auto* error = reinterpret_cast<BOOL*>(lParam)) {
            *error = failed ? TRUE : FALSE;
        }
        return s.position;
    }
    return MAKELONG(static_cast<WORD>(s.position), failed ? 1 : 0);
}

LRESULT setAccel(UpDownState& s, WPARAM count, LPARAM lParam) {
    const auto* table = reinterpret_cast<const UDACCEL*>(lParam);
    if (table == nullptr || count == 0 || count > 256) {
        return FALSE;
    }
    s.accel.assign(table, table + count);
    return TRUE;
}

LRESULT getAccel(const UpDownState& s, WPARAM count, LPARAM lParam) {
    auto* table = reinterpret_cast<UDACCEL*>(lParam);
    if (table != nullptr) {
        std::copy_n(s.accel.begin(), std::min<std::size_t>(count, s.accel.size()), table);
    }
    return static_cast<LRESULT>(s.accel.size());
}

LRESULT setBase(HWND hwnd, UpDownState& s, WPARAM base) {
    if (base != 10 && base != 16) {
        return 0;
    }
    const int previous = s.base;
    s.base = static_cast<int>(base);
    showPosition(hwnd, s);
    return previous;
}

LRESULT getRange32(const UpDownState& s, WPARAM wParam, LPARAM lParam) {
    if (auto* minimum = reinterpret_cast<int*>(wParam)) {
        *minimum = s.minimum;
    }
    if (auto* maximum = reinterpret_cast<int*>(lParam)) {
        *maximum = s.maximum;
    }
    return 0;
}

// An arrow of three short lines in the middle of a button, up or down (right or left).
void drawArrow(HDC dc, const RECT& r, bool up, bool horizontal) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int i = 0; i < 3; ++i) {
        if (horizontal) {
            const int x = up ? cx - 1 + i : cx + 1 - i;
            MoveToEx(dc, x, cy - i, nullptr);
            LineTo(dc, x, cy + i + 1);
        } else {
            const int y = up ? cy - 1 + i : cy + 1 - i;
            MoveToEx(dc, cx - i, y, nullptr);
            LineTo(dc, cx + i + 1, y);
        }
    }
    SelectObject(dc, old);
}

// Beside an edit the control looks like a part of the edit: the edit's frame (its sunken
// client edge, or the black line of WS_BORDER) goes on round the control's top, bottom and
// far side, and the edit's background fills the rest of the border and the strip between the
// edit and the arrows, where the control covers the edit's own frame. The rectangle left for
// the arrows.
RECT paintBuddyBorder(HWND hwnd, const UpDownState& s, HDC dc, const RECT& rc) {
    const bool left = (styleOf(hwnd) & UDS_ALIGNLEFT) != 0;
    const auto buddyStyle = static_cast<DWORD>(GetWindowLongA(s.buddy, GWL_STYLE));
    const auto buddyExStyle = static_cast<DWORD>(GetWindowLongA(s.buddy, GWL_EXSTYLE));
    const bool editable =
        kvwin32::internal::isControlEnabled(s.buddy) && !(buddyStyle & ES_READONLY);
    const int saved = SaveDC(dc);
    HBRUSH background = kvwin32::internal::controlColors(
        s.buddy, dc, editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    RestoreDC(dc, saved);
    FillRect(dc, &rc, background);
    if (buddyExStyle & WS_EX_CLIENTEDGE) {
        RECT frame = rc;
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_TOP | BF_BOTTOM | (left ? BF_LEFT : BF_RIGHT));
    } else if (buddyStyle & WS_BORDER) {
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT lines[] = {
            {rc.left, rc.top, rc.right, rc.top + 1},
            {rc.left, rc.bottom - 1, rc.right, rc.bottom},
            left ? RECT{rc.left, rc.top, rc.left + 1, rc.bottom}
                 : RECT{rc.right - 1, rc.top, rc.right, rc.bottom},
        };
        for (const RECT& line : lines) {
            FillRect(dc, &line, black);
        }
    }
    // The border on three sides and the strip on the edit's side are equally wide.
    RECT arrows = rc;
    InflateRect(&arrows, -kBuddyBorder, -kBuddyBorder);
    return arrows;
}

// Two raised buttons, each with its arrow; the pressed one sunken.
void paint(HWND hwnd, HDC dc) {
    auto s = upDownOf(hwnd);
    if (s) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        if (hasBuddyBorder(hwnd, *s)) {
            rc = paintBuddyBorder(hwnd, *s, dc, rc);
        }
        const bool horizontal = (styleOf(hwnd) & UDS_HORZ) != 0;
        RECT up = rc;
        RECT down = rc;
        if (horizontal) {
            down.right = up.left = (rc.left + rc.right) / 2;
        } else {
            up.bottom = down.top = (rc.top + rc.bottom) / 2;
        }
        for (auto [part, arrow] : {std::pair{up, Arrow::Up}, std::pair{down, Arrow::Down}}) {
            FillRect(dc, &part, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, &part, s->pressed == arrow ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            drawArrow(dc, part, arrow == Arrow::Up, horizontal);
        }
    }
}

LRESULT destroy(HWND hwnd) {
    if (auto s = upDownOf(hwnd)) {
        releaseBuddy(hwnd, s->buddy);
        s->buddy = nullptr;
    }
    return 0;
}

LRESULT upDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        kvwin32::internal::attachState(hwnd, std::make_shared<UpDownState>());
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto s = upDownOf(hwnd);
    if (!s) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_CREATE:
            return create(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY:
            return destroy(hwnd);
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return kvwin32::internal::paintControl(hwnd, wParam, [&](HDC dc) { paint(hwnd, dc); });
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return buttonDown(hwnd, lParam);
        case WM_LBUTTONUP:
            return buttonUp(hwnd);
        case WM_KEYDOWN:
            return keyDown(hwnd, wParam);
        case WM_KEYUP:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                endScroll(hwnd);
            }
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case UDM_SETRANGE:
            s->maximum = static_cast<short>(LOWORD(lParam));
            s->minimum = static_cast<short>(HIWORD(lParam));
            keepPositionInRange(*s);
            return 0;
        case UDM_GETRANGE:
            return MAKELONG(static_cast<WORD>(s->maximum), static_cast<WORD>(s->minimum));
        case UDM_SETRANGE32:
            s->minimum = static_cast<int>(wParam);
            s->maximum = static_cast<int>(lParam);
            keepPositionInRange(*s);
            return 0;
        case UDM_GETRANGE32:
            return getRange32(*s, wParam, lParam);
        case UDM_SETPOS:
            return setPosition(hwnd, *s, static_cast<short>(LOWORD(lParam)));
        case UDM_SETPOS32:
            return setPosition(hwnd, *s, static_cast<int>(lParam));
        case UDM_GETPOS:
            return getPosition(*s, false, lParam);
        case UDM_GETPOS32:
            return getPosition(*s, true, lParam);
        case UDM_SETBUDDY:
            return reinterpret_cast<LRESULT>(setBuddy(hwnd, *s, reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(s->buddy);
        case UDM_SETACCEL:
            return setAccel(*s, wParam, lParam);
        case UDM_GETACCEL:
            return getAccel(*s, wParam, lParam);
        case UDM_SETBASE:
            return setBase(hwnd, *s, wParam);
        case UDM_GETBASE:
            return s->base;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::upDownClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = upDownProc;
    wc.lpszClassName = UPDOWN_CLASSA;
    return wc;
}

extern "C" HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                                    HINSTANCE instance, HWND buddy, int upper, int lower, int pos) {
    HWND hwnd =
        CreateWindowExA(0, UPDOWN_CLASSA, nullptr, style, x, y, cx, cy, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (hwnd == nullptr) {
        return nullptr;
    }
    SendMessageA(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(hwnd, UDM_SETRANGE, 0,
                 MAKELONG(static_cast<WORD>(upper), static_cast<WORD>(lower)));
    SendMessageA(hwnd, UDM_SETPOS, 0, MAKELONG(static_cast<WORD>(pos), 0));
    return hwnd;
}
