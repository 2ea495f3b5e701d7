// The "Button" control: push and default push buttons, check boxes (plain, auto, 3-state),
// radio buttons (plain and auto, with the auto group rule), group boxes, owner-drawn buttons
// and image buttons, with the notifications Windows sends their parents.
#include <algorithm>
#include <array>
#include <string>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "internal/window.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvwin32::internal::ControlState;
using kvwin32::internal::notifyParent;
using kvwin32::internal::stateOf;

// A button's own state; the kind lives in the style (BS_TYPEMASK).
struct ButtonState : ControlState {
    UINT check = BST_UNCHECKED;  // BST_CHECKED or BST_INDETERMINATE for the check kinds
    bool pushed = false;         // BST_PUSHED: shown pressed (mouse or Space held on it)
    bool focused = false;        // BST_FOCUS: has the keyboard focus
    bool tracking = false;       // a press (mouse down or Space down) waits for its release
    HANDLE image = nullptr;      // BM_SETIMAGE of a BS_BITMAP or BS_ICON button
};

// How each kind paints.
enum class Painter { Push, Check, Radio, GroupBox, OwnerDraw };

// What each button kind answers and how it behaves, indexed by style & BS_TYPEMASK.
struct ButtonKind {
    UINT dlgCode;   // WM_GETDLGCODE
    UINT maxCheck;  // highest state BM_SETCHECK keeps (larger values are cut to it)
    Painter painter;
};

constexpr std::array<ButtonKind, 16> kKinds{{
    /* BS_PUSHBUTTON      */ {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* BS_DEFPUSHBUTTON   */ {DLGC_BUTTON | DLGC_DEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* BS_CHECKBOX        */ {DLGC_BUTTON, BST_CHECKED, Painter::Check},
    /* BS_AUTOCHECKBOX    */ {DLGC_BUTTON, BST_CHECKED, Painter::Check},
    /* BS_RADIOBUTTON     */ {DLGC_BUTTON | DLGC_RADIOBUTTON, BST_CHECKED, Painter::Radio},
    /* BS_3STATE          */ {DLGC_BUTTON, BST_INDETERMINATE, Painter::Check},
    /* BS_AUTO3STATE      */ {DLGC_BUTTON, BST_INDETERMINATE, Painter::Check},
    /* BS_GROUPBOX        */ {DLGC_STATIC, BST_UNCHECKED, Painter::GroupBox},
    /* BS_USERBUTTON      */ {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* BS_AUTORADIOBUTTON */ {DLGC_BUTTON | DLGC_RADIOBUTTON, BST_CHECKED, Painter::Radio},
    /* BS_PUSHBOX         */ {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* BS_OWNERDRAW       */ {DLGC_BUTTON, BST_UNCHECKED, Painter::OwnerDraw},
    // Kinds 12 to 15 (split and command-link buttons of later versions) act as push buttons.
    /* 0x0C               */ {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* 0x0D               */ {DLGC_BUTTON | DLGC_DEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* 0x0E               */ {DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
    /* 0x0F               */ {DLGC_BUTTON | DLGC_DEFPUSHBUTTON, BST_UNCHECKED, Painter::Push},
}};

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
UINT kindOf(DWORD style) {
    return style & BS_TYPEMASK;
}
const ButtonKind& kindInfo(HWND hwnd) {
    return kKinds[kindOf(styleOf(hwnd))];
}

// ---- Painting ---------------------------------------------------------------------------------

constexpr int kCheckBoxSize = 13;  // the check box and radio glyphs are 13 pixels square
constexpr int kGlyphTextGap = 4;   // between the glyph and the text

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// The DT_* alignment of the button text from the BS_* alignment bits; push buttons centre by
// default, the other kinds align left.
UINT textFormat(DWORD style, bool pushLook) {
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format |= DT_LEFT;
            break;
        case BS_RIGHT:
            format |= DT_RIGHT;
            break;
        case BS_CENTER:
            format |= DT_CENTER;
            break;
        default:
            format |= pushLook ? DT_CENTER : DT_LEFT;
            break;
    }
    if ((style & BS_VCENTER) == BS_TOP) {
        format |= DT_TOP;
    } else if ((style & BS_VCENTER) == BS_BOTTOM) {
        format |= DT_BOTTOM;
    } else if (!(style & BS_MULTILINE)) {
        format |= DT_VCENTER;
    }
    return format;
}

// The label: an image for BS_BITMAP, otherwise the text, grey when the button is disabled.
void paintLabel(HWND hwnd, const ButtonState& state, HDC dc, RECT rect, UINT format) {
    const DWORD style = styleOf(hwnd);
    if ((style & BS_BITMAP) && state.image) {
        kvwin32::internal::drawBitmapInRect(dc, static_cast<HBITMAP>(state.image), rect, true);
        return;
    }
    if (style & BS_ICON) {
        return;  // icons have no pixels in this window system
    }
    const std::string text = windowText(hwnd);
    SetBkMode(dc, TRANSPARENT);
    if (!kvwin32::internal::isControlEnabled(hwnd)) {
        // A disabled button's label is embossed, as the classic look draws it.
        kvwin32::internal::drawDisabledText(dc, text, rect, format);
        return;
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void paintPush(HWND hwnd, const ButtonState& state, HDC dc, const RECT& client, bool pressed) {
    const DWORD style = styleOf(hwnd);
    kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORBTN);
    RECT r = client;
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    // The default button wears a black frame outside its 3-D edge.
    if (kindOf(style) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    RECT label = r;
    if (pressed) {
        OffsetRect(&label, 1, 1);
    }
    paintLabel(hwnd, state, dc, label, textFormat(style, true));
    if (state.focused) {
        RECT focus = r;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

// The check box glyph: a sunken white box with a tick (grey box for the third state).
void paintCheckGlyph(HDC dc, RECT box, UINT check, bool pushed, bool enabled) {
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool greyFill = pushed || !enabled || check == BST_INDETERMINATE;
    FillRect(dc, &box, GetSysColorBrush(greyFill ? COLOR_3DFACE : COLOR_WINDOW));
    if (check == BST_UNCHECKED) {
        return;
    }
    HPEN pen = CreatePen(
        PS_SOLID, 1,
        GetSysColor(check == BST_INDETERMINATE || !enabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    // A tick three pixels thick: down-right from the left, then up-right.
    for (int row = 0; row < 3; ++row) {
        MoveToEx(dc, box.left + 1, box.top + 3 + row, nullptr);
        LineTo(dc, box.left + 3, box.top + 5 + row);
        LineTo(dc, box.left + 8, box.top + row);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The radio glyph of the classic look: a 12-pixel disc whose two rings are sunken (shadow and
// dark shadow at the top left, highlight and light at the bottom right) round a white inside,
// with a dot in the middle when checked.
void paintRadioGlyph(HDC dc, RECT box, UINT check, bool pushed, bool enabled) {
    constexpr int kSide = 12;
    const int left = box.left + (box.right - box.left - kSide) / 2;
    const int top = box.top + (box.bottom - box.top - kSide) / 2;
    const COLORREF inside = GetSysColor(pushed || !enabled ? COLOR_3DFACE : COLOR_WINDOW);
    const COLORREF dot = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            // Squared distance from the centre, in half pixels.
            const int dx = 2 * x - (kSide - 1);
            const int dy = 2 * y - (kSide - 1);
            const int d = dx * dx + dy * dy;
            const bool topLeft = x + y < kSide - 1;
            COLORREF color;
            if (d > 12 * 12) {
                continue;
            } else if (d > 10 * 10) {
                color = GetSysColor(topLeft ? COLOR_3DSHADOW : COLOR_3DHILIGHT);
            } else if (d > 8 * 8) {
                color = GetSysColor(topLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
            } else if (check != BST_UNCHECKED && d <= 4 * 4) {
                color = dot;
            } else {
                color = inside;
            }
            SetPixel(dc, left + x, top + y, color);
        }
    }
}

void paintCheckOrRadio(HWND hwnd, const ButtonState& state, HDC dc, const RECT& client) {
    const DWORD style = styleOf(hwnd);
    const bool radio = kindInfo(hwnd).painter == Painter::Radio;
    if (style & BS_PUSHLIKE) {
        // A push-like check box or radio button looks pressed while checked.
        paintPush(hwnd, state, dc, client, state.pushed || state.check != BST_UNCHECKED);
        return;
    }
    HBRUSH background = kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, background);
    const bool leftText = (style & BS_LEFTTEXT) != 0;
    const int top = client.top + (client.bottom - client.top - kCheckBoxSize) / 2;
    RECT box{leftText ? client.right - kCheckBoxSize : client.left, top, 0, top + kCheckBoxSize};
    box.right = box.left + kCheckBoxSize;
    RECT label = client;
    if (leftText) {
        label.right = box.left - kGlyphTextGap;
    } else {
        label.left = box.right + kGlyphTextGap;
    }
    const bool enabled = kvwin32::internal::isControlEnabled(hwnd);
    if (radio) {
        paintRadioGlyph(dc, box, state.check, state.pushed, enabled);
    } else {
        paintCheckGlyph(dc, box, state.check, state.pushed, enabled);
    }
    paintLabel(hwnd, state, dc, label, textFormat(style, false));
    if (state.focused) {
        // The focus rectangle surrounds the text.
        const std::string text = windowText(hwnd);
        RECT extent = label;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                  textFormat(style, false) | DT_CALCRECT);
        RECT focus{extent.left - 1, label.top, std::min(extent.right + 1, label.right),
                   label.bottom};
        const int textHeight = extent.bottom - extent.top;
        if (!(style & BS_MULTILINE) && textHeight < label.bottom - label.top) {
            focus.top = label.top + (label.bottom - label.top - textHeight) / 2 - 1;
            focus.bottom = focus.top + textHeight + 2;
        }
        DrawFocusRect(dc, &focus);
    }
}

void paintGroupBox(HWND hwnd, const ButtonState& state, HDC dc, const RECT& client) {
    HBRUSH background = kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORSTATIC);
    // The frame runs through the middle of the caption's first line.
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::string text = windowText(hwnd);
    if (text.empty()) {
        return;
    }
    RECT label{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_CALCRECT);
    InflateRect(&label, 2, 0);
    label.right = std::min(label.right, client.right - 6);
    FillRect(dc, &label, background);
    InflateRect(&label, -2, 0);
    paintLabel(hwnd, state, dc, label, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

// WM_DRAWITEM to the parent: what to draw (action) and the button's state.
void paintOwnerDraw(HWND hwnd, const ButtonState& state, HDC dc, const RECT& client, UINT action) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) {
        return;
    }
    kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORBTN);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(kvwin32::internal::controlId(hwnd));
    item.itemID = 0;
    item.itemAction = action;
    item.itemState = (state.focused ? ODS_FOCUS : 0) | (state.pushed ? ODS_SELECTED : 0) |
                     (kvwin32::internal::isControlEnabled(hwnd) ? 0 : ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void paintButton(HWND hwnd, const ButtonState& state, HDC dc, UINT action) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    if (state.font) {
        SelectObject(dc, state.font);
    }
    switch (kindInfo(hwnd).painter) {
        case Painter::Push:
            paintPush(hwnd, state, dc, client, state.pushed);
            break;
        case Painter::Check:
        case Painter::Radio:
            paintCheckOrRadio(hwnd, state, dc, client);
            break;
        case Painter::GroupBox:
            paintGroupBox(hwnd, state, dc, client);
            break;
        case Painter::OwnerDraw:
            paintOwnerDraw(hwnd, state, dc, client, action);
            break;
    }
    RestoreDC(dc, saved);
}

// A state change shows at once, as Windows paints the button from the message that changed
// it: an owner-drawn button gets WM_DRAWITEM with the action (ODA_SELECT, ODA_FOCUS) while it
// is visible; the others repaint at the next update.
void redraw(HWND hwnd, const ButtonState& state, UINT action) {
    if (kindInfo(hwnd).painter != Painter::OwnerDraw) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    HDC dc = GetDC(hwnd);
    paintButton(hwnd, state, dc, action);
    ReleaseDC(hwnd, dc);
}

// ---- The auto radio group -----------------------------------------------------------------------

// Whether the dialog manager counts a control in a group walk: visible and enabled, as
// GetNextDlgGroupItem skips the others.
bool inGroupWalk(HWND hwnd) {
    return (styleOf(hwnd) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// The siblings of a control's group: from the nearest sibling at or before it with WS_GROUP
// (or the first sibling) up to the next one with WS_GROUP, in tab order.
std::vector<HWND> groupOf(HWND hwnd) {
    std::vector<HWND> siblings = kvwin32::internal::childrenOf(GetParent(hwnd));
    auto self = std::find(siblings.begin(), siblings.end(), hwnd);
    if (self == siblings.end()) {
        return {};
    }
    auto first = self;
    while (first != siblings.begin() && !(styleOf(*first) & WS_GROUP)) {
        --first;
    }
    auto last = self + 1;
    while (last != siblings.end() && !(styleOf(*last) & WS_GROUP)) {
        ++last;
    }
    return std::vector<HWND>(first, last);
}

// A click or key that checks an auto radio button clears the other auto radio buttons of its
// group. BM_SETCHECK alone never does: as on Windows, the message changes one button only.
void uncheckGroupSiblings(HWND hwnd) {
    for (HWND sibling : groupOf(hwnd)) {
        if (sibling != hwnd && IsWindow(sibling) && inGroupWalk(sibling) &&
            kindOf(styleOf(sibling)) == BS_AUTORADIOBUTTON) {
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

// ---- Messages
// -------------------------------------------------------------------------------------

LRESULT setCheck(HWND hwnd, ButtonState& state, WPARAM check) {
    const DWORD style = styleOf(hwnd);
    const UINT kind = kindOf(style);
    const UINT value = std::min<UINT>(static_cast<UINT>(check), kKinds[kind].maxCheck);
    // A checked radio button becomes a tab stop, an unchecked one stops being one, so that
    // Tab lands on the checked button of a group.
    if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
        if (value != BST_UNCHECKED) {
            kvwin32::internal::setStyleBits(*kvwin32::internal::windowRecord(hwnd), WS_TABSTOP, 0);
        } else {
            kvwin32::internal::setStyleBits(*kvwin32::internal::windowRecord(hwnd), 0, WS_TABSTOP);
        }
    }
    if (state.check != value) {
        state.check = value;
        redraw(hwnd, state, ODA_SELECT);
    }
    return 0;
}

LRESULT getState(const ButtonState& state) {
    return static_cast<LRESULT>(state.check | (state.pushed ? BST_PUSHED : 0) |
                                (state.focused ? BST_FOCUS : 0));
}

LRESULT setState(HWND hwnd, ButtonState& state, bool pushed) {
    if (state.pushed != pushed) {
        state.pushed = pushed;
        if (kindOf(styleOf(hwnd)) == BS_USERBUTTON) {
            notifyParent(hwnd, pushed ? BN_HILITE : BN_UNHILITE);
        }
        if (IsWindow(hwnd)) {
            redraw(hwnd, state, ODA_SELECT);
        }
    }
    return 0;
}

// BM_SETSTYLE replaces the kind only (default or not, for the dialog manager); the other
// style bits stay. The button repaints when lParam asks.
LRESULT setStyle(HWND hwnd, WPARAM style, LPARAM redrawNow) {
    kvwin32::internal::Window* w = kvwin32::internal::windowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    kvwin32::internal::setStyleBits(*w, static_cast<DWORD>(style) & BS_TYPEMASK,
                                    BS_TYPEMASK & ~static_cast<DWORD>(style));
    if (redrawNow) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

// A press by mouse or Space: capture, focus, shown pressed.
LRESULT press(HWND hwnd, ButtonState& state, bool byMouse) {
    SetCapture(hwnd);
    if (byMouse) {
        SetFocus(hwnd);
    }
    if (!IsWindow(hwnd)) {
        return 0;
    }
    state.tracking = true;
    return setState(hwnd, state, true);
}

// The release of a press: inside the button (always for Space) it unpresses, sets the new
// check state of the auto kinds, then tells the parent BN_CLICKED; outside only unpresses.
LRESULT release(HWND hwnd, ButtonState& state, bool inside) {
    if (!state.tracking) {
        return 0;
    }
    state.tracking = false;
    if (!state.pushed) {
        ReleaseCapture();
        return 0;
    }
    setState(hwnd, state, false);
    if (!IsWindow(hwnd)) {
        return 0;
    }
    if (!inside) {
        ReleaseCapture();
        return 0;
    }
    switch (kindOf(styleOf(hwnd))) {
        case BS_AUTOCHECKBOX:
            SendMessageA(hwnd, BM_SETCHECK,
                         state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
            break;
        case BS_AUTORADIOBUTTON:
            SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            if (IsWindow(hwnd) && (styleOf(hwnd) & WS_CHILD)) {
                uncheckGroupSiblings(hwnd);
            }
            break;
        case BS_AUTO3STATE:
            // Unchecked, checked, indeterminate, unchecked again.
            SendMessageA(hwnd, BM_SETCHECK,
                         state.check == BST_INDETERMINATE ? BST_UNCHECKED : state.check + 1, 0);
            break;
        default:
            break;
    }
    ReleaseCapture();
    if (IsWindow(hwnd)) {
        notifyParent(hwnd, BN_CLICKED);
    }
    return 0;
}

bool pointInClient(HWND hwnd, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, pt) != FALSE;
}

// A double click notifies BN_DBLCLK on the kinds that report it; on the others it is one
// more press.
LRESULT doubleClick(HWND hwnd, ButtonState& state) {
    const DWORD style = styleOf(hwnd);
    const UINT kind = kindOf(style);
    if ((style & BS_NOTIFY) || kind == BS_RADIOBUTTON || kind == BS_USERBUTTON ||
        kind == BS_OWNERDRAW) {
        notifyParent(hwnd, BN_DOUBLECLICKED);
        return 0;
    }
    return press(hwnd, state, true);
}

LRESULT mouseMove(HWND hwnd, ButtonState& state, LPARAM lParam) {
    if (state.tracking && GetCapture() == hwnd) {
        setState(hwnd, state, pointInClient(hwnd, lParam));
    }
    return 0;
}

LRESULT captureChanged(HWND hwnd, ButtonState& state, HWND gaining) {
    if (gaining != hwnd && state.tracking) {
        state.tracking = false;
        setState(hwnd, state, false);
    }
    return 0;
}

LRESULT setFocus(HWND hwnd, ButtonState& state) {
    state.focused = true;
    redraw(hwnd, state, ODA_FOCUS);
    if (IsWindow(hwnd) && (styleOf(hwnd) & BS_NOTIFY)) {
        notifyParent(hwnd, BN_SETFOCUS);
    }
    return 0;
}

LRESULT killFocus(HWND hwnd, ButtonState& state) {
    state.focused = false;
    redraw(hwnd, state, ODA_FOCUS);
    if (!IsWindow(hwnd)) {
        return 0;
    }
    if (state.tracking && GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (IsWindow(hwnd) && (styleOf(hwnd) & BS_NOTIFY)) {
        notifyParent(hwnd, BN_KILLFOCUS);
    }
    return 0;
}

// BM_CLICK acts as a mouse click at the button's corner; a disabled button ignores it.
LRESULT click(HWND hwnd) {
    if (!IsWindowEnabled(hwnd)) {
        return 0;
    }
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    if (IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    }
    return 0;
}

// BM_SETIMAGE keeps an image of the kind the style shows (IMAGE_BITMAP for BS_BITMAP,
// IMAGE_ICON for BS_ICON) and returns the previous one; any other pairing is refused with 0.
LRESULT setImage(HWND hwnd, ButtonState& state, WPARAM type, LPARAM image) {
    const DWORD style = styleOf(hwnd);
    const bool matches =
        ((style & BS_BITMAP) && type == IMAGE_BITMAP) || ((style & BS_ICON) && type == IMAGE_ICON);
    if (!matches) {
        return 0;
    }
    HANDLE previous = state.image;
    state.image = reinterpret_cast<HANDLE>(image);
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT getImage(HWND hwnd, const ButtonState& state, WPARAM type) {
    const DWORD style = styleOf(hwnd);
    const bool matches =
        ((style & BS_BITMAP) && type == IMAGE_BITMAP) || ((style & BS_ICON) && type == IMAGE_ICON);
    return matches ? reinterpret_cast<LRESULT>(state.image) : 0;
}

LRESULT setText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return result;
}

LRESULT hitTest(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A group box lets clicks through to the controls it surrounds.
    if (kindOf(styleOf(hwnd)) == BS_GROUPBOX) {
        return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        kvwin32::internal::attachState(hwnd, std::make_shared<ButtonState>());
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    std::shared_ptr<ButtonState> state = stateOf<ButtonState>(hwnd);
    if (!state) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_GETDLGCODE:
            return kindInfo(hwnd).dlgCode;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return kvwin32::internal::paintControl(
                hwnd, wParam, [&](HDC dc) { paintButton(hwnd, *state, dc, ODA_DRAWENTIRE); });
        case WM_ERASEBKGND:
            return 1;  // painting covers the whole button
        case WM_SETTEXT:
            return setText(hwnd, msg, wParam, lParam);
        case WM_SETFONT:
            return kvwin32::internal::setControlFont(hwnd, *state, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_NCHITTEST:
            return hitTest(hwnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
            return press(hwnd, *state, true);
        case WM_LBUTTONDBLCLK:
            return doubleClick(hwnd, *state);
        case WM_LBUTTONUP:
            return release(hwnd, *state, pointInClient(hwnd, lParam));
        case WM_MOUSEMOVE:
            return mouseMove(hwnd, *state, lParam);
        case WM_CAPTURECHANGED:
            return captureChanged(hwnd, *state, reinterpret_cast<HWND>(lParam));
        case WM_KEYDOWN:
            return wParam == VK_SPACE ? press(hwnd, *state, false) : 0;
        case WM_KEYUP:
            return wParam == VK_SPACE ? release(hwnd, *state, true) : 0;
        case WM_SETFOCUS:
            return setFocus(hwnd, *state);
        case WM_KILLFOCUS:
            return killFocus(hwnd, *state);
        case BM_GETCHECK:
            return state->check;
        case BM_SETCHECK:
            return setCheck(hwnd, *state, wParam);
        case BM_GETSTATE:
            return getState(*state);
        case BM_SETSTATE:
            return setState(hwnd, *state, wParam != 0);
        case BM_SETSTYLE:
            return setStyle(hwnd, wParam, lParam);
        case BM_CLICK:
            return click(hwnd);
        case BM_SETIMAGE:
            return setImage(hwnd, *state, wParam, lParam);
        case BM_GETIMAGE:
            return getImage(hwnd, *state, wParam);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::buttonClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = buttonProc;
    wc.hCursor = nullptr;
    wc.lpszClassName = WC_BUTTONA;
    return wc;
}
