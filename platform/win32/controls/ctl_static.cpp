// The "Static" control: labels (with "&" prefixes), images, rectangles, frames and etched
// lines, and the clicks it reports to its parent with SS_NOTIFY.
#include <array>
#include <string>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "internal/window.h"
#include "kvwin32/winuser_controls.h"

namespace {

using kvwin32::internal::ControlState;
using kvwin32::internal::stateOf;

// A static control's own state; what it shows otherwise is its style and its window text.
struct StaticState : ControlState {
    HANDLE image = nullptr;  // bitmap of SS_BITMAP, icon of SS_ICON
};

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
UINT kindOf(HWND hwnd) {
    return styleOf(hwnd) & SS_TYPEMASK;
}

// ---- Painting
// -------------------------------------------------------------------------------------

using Painter = void (*)(HWND, const StaticState&, HDC, const RECT&);

HBRUSH background(HWND hwnd, HDC dc, const RECT& client) {
    HBRUSH brush = kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, brush);
    return brush;
}

// DrawTextA format of each text kind.
UINT textFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format = DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            format |= DT_LEFT;
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
    }
    if (style & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    // SS_CENTERIMAGE centres a single line of text vertically.
    if (style & SS_CENTERIMAGE) {
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    }
    if ((style & SS_ELLIPSISMASK) == SS_ENDELLIPSIS) {
        format |= DT_END_ELLIPSIS | DT_SINGLELINE;
        format &= ~DT_WORDBREAK;
    }
    return format;
}

void paintText(HWND hwnd, const StaticState& /*state*/, HDC dc, const RECT& client) {
    background(hwnd, dc, client);
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    // A disabled label is drawn in the grey text colour.
    if (!kvwin32::internal::isControlEnabled(hwnd)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    RECT r = client;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, textFormat(styleOf(hwnd)));
}

// The rectangle and frame kinds use the 3-D colours: "black" is the dark shadow, "grey" the
// shadow and "white" the highlight.
int shadeOf(UINT kind) {
    switch (kind) {
        case SS_BLACKRECT:
        case SS_BLACKFRAME:
            return COLOR_3DDKSHADOW;
        case SS_GRAYRECT:
        case SS_GRAYFRAME:
            return COLOR_3DSHADOW;
        default:
            return COLOR_3DHIGHLIGHT;
    }
}

void paintRect(HWND hwnd, const StaticState&, HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(shadeOf(kindOf(hwnd))));
}

void paintFrame(HWND hwnd, const StaticState&, HDC dc, const RECT& client) {
    FrameRect(dc, &client, GetSysColorBrush(shadeOf(kindOf(hwnd))));
}

void paintEtched(HWND hwnd, const StaticState&, HDC dc, const RECT& client) {
    RECT r = client;
    switch (kindOf(hwnd)) {
        case SS_ETCHEDHORZ:
            DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
            break;
        case SS_ETCHEDVERT:
            DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
            break;
        default:
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
            break;
    }
}

void paintBitmap(HWND hwnd, const StaticState& state, HDC dc, const RECT& client) {
    background(hwnd, dc, client);
    kvwin32::internal::drawBitmapInRect(dc, static_cast<HBITMAP>(state.image), client,
                                        (styleOf(hwnd) & SS_CENTERIMAGE) != 0);
}

// Icons have no pixels in this window system: only the background shows.
void paintBackgroundOnly(HWND hwnd, const StaticState&, HDC dc, const RECT& client) {
    background(hwnd, dc, client);
}

void paintOwnerDraw(HWND hwnd, const StaticState&, HDC dc, const RECT& client) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) {
        return;
    }
    kvwin32::internal::controlColors(hwnd, dc, WM_CTLCOLORSTATIC);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(kvwin32::internal::controlId(hwnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = kvwin32::internal::isControlEnabled(hwnd) ? 0 : ODS_DISABLED;
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// How each kind paints, indexed by style & SS_TYPEMASK.
constexpr std::array<Painter, 19> kPainters{
    /* SS_LEFT           */ paintText,
    /* SS_CENTER         */ paintText,
    /* SS_RIGHT          */ paintText,
    /* SS_ICON           */ paintBackgroundOnly,
    /* SS_BLACKRECT      */ paintRect,
    /* SS_GRAYRECT       */ paintRect,
    /* SS_WHITERECT      */ paintRect,
    /* SS_BLACKFRAME     */ paintFrame,
    /* SS_GRAYFRAME      */ paintFrame,
    /* SS_WHITEFRAME     */ paintFrame,
    /* SS_USERITEM       */ paintBackgroundOnly,
    /* SS_SIMPLE         */ paintText,
    /* SS_LEFTNOWORDWRAP */ paintText,
    /* SS_OWNERDRAW      */ paintOwnerDraw,
    /* SS_BITMAP         */ paintBitmap,
    /* SS_ENHMETAFILE    */ paintBackgroundOnly,
    /* SS_ETCHEDHORZ     */ paintEtched,
    /* SS_ETCHEDVERT     */ paintEtched,
    /* SS_ETCHEDFRAME    */ paintEtched,
};

void paintStatic(HWND hwnd, const StaticState& state, HDC dc) {
    const UINT kind = kindOf(hwnd);
    if (kind >= kPainters.size()) {
        return;  // kinds 0x13 to 0x1F do not exist: nothing is drawn
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    if (state.font) {
        SelectObject(dc, state.font);
    }
    kPainters[kind](hwnd, state, dc, client);
    RestoreDC(dc, saved);
}

// ---- Images ------------------------------------------------------------------------------------

bool isBitmap(HANDLE image) {
    return image != nullptr && GetObjectType(image) == OBJ_BITMAP;
}

// A new bitmap resizes the control to the bitmap unless SS_CENTERIMAGE or SS_REALSIZECONTROL
// keeps its size; a handle that is not a bitmap is refused and nothing changes.
LRESULT setBitmap(HWND hwnd, StaticState& state, HANDLE bitmap) {
    if (bitmap != nullptr && !isBitmap(bitmap)) {
        return 0;
    }
    HANDLE previous = state.image;
    state.image = bitmap;
    BITMAP info{};
    if (bitmap && !(styleOf(hwnd) & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) &&
        GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
        SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth, info.bmHeight,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT setIcon(HWND hwnd, StaticState& state, HANDLE icon) {
    HANDLE previous = state.image;
    state.image = icon;
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

// STM_SETIMAGE takes an image of the kind the style shows: IMAGE_BITMAP for SS_BITMAP,
// IMAGE_ICON or IMAGE_CURSOR for SS_ICON; any other pairing answers 0 and changes nothing.
LRESULT setImage(HWND hwnd, StaticState& state, WPARAM type, LPARAM image) {
    const UINT kind = kindOf(hwnd);
    const auto handle = reinterpret_cast<HANDLE>(image);
    if (type == IMAGE_BITMAP && kind == SS_BITMAP) {
        return setBitmap(hwnd, state, handle);
    }
    if ((type == IMAGE_ICON || type == IMAGE_CURSOR) && kind == SS_ICON) {
        return setIcon(hwnd, state, handle);
    }
    return 0;
}

LRESULT getImage(HWND hwnd, const StaticState& state, WPARAM type) {
    const UINT kind = kindOf(hwnd);
    const bool matches = (type == IMAGE_BITMAP && kind == SS_BITMAP) ||
                         ((type == IMAGE_ICON || type == IMAGE_CURSOR) && kind == SS_ICON);
    return matches ? reinterpret_cast<LRESULT>(state.image) : 0;
}

// The image a template names for SS_BITMAP: a resource of the creating module, by name or
// by ordinal (an integer resource, or the 0xFF-led ordinal text dialog templates carry).
void loadCreationImage(HWND hwnd, StaticState& state, const CREATESTRUCTA* cs) {
    if (cs == nullptr || cs->lpszName == nullptr || kindOf(hwnd) != SS_BITMAP) {
        return;
    }
    LPCSTR name = cs->lpszName;
    if (!IS_INTRESOURCE(name) && static_cast<unsigned char>(name[0]) == 0xff) {
        const auto low = static_cast<unsigned char>(name[1]);
        const auto high = low ? static_cast<unsigned char>(name[2]) : 0;
        name = MAKEINTRESOURCEA(low | (high << 8));
    } else if (!IS_INTRESOURCE(name) && name[0] == '\0') {
        return;
    }
    if (HBITMAP bitmap = LoadBitmapA(cs->hInstance, name)) {
        setBitmap(hwnd, state, bitmap);
    }
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT create(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    kvwin32::internal::attachState(hwnd, std::make_shared<StaticState>());
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

// A static control is transparent to the mouse unless it reports clicks (SS_NOTIFY).
LRESULT hitTest(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!(styleOf(hwnd) & SS_NOTIFY)) {
        return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT notifyIf(HWND hwnd, WORD code) {
    if (styleOf(hwnd) & SS_NOTIFY) {
        kvwin32::internal::notifyParent(hwnd, code);
    }
    return 0;
}

LRESULT enable(HWND hwnd, bool enabled) {
    InvalidateRect(hwnd, nullptr, TRUE);
    return notifyIf(hwnd, enabled ? STN_ENABLE : STN_DISABLE);
}

LRESULT setText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return result;
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        return create(hwnd, wParam, lParam);
    }
    std::shared_ptr<StaticState> state = stateOf<StaticState>(hwnd);
    if (!state) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_CREATE:
            loadCreationImage(hwnd, *state, reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return kvwin32::internal::paintControl(hwnd, wParam,
                                                   [&](HDC dc) { paintStatic(hwnd, *state, dc); });
        case WM_ERASEBKGND:
            return 1;  // painting covers the whole control
        case WM_SETTEXT:
            return setText(hwnd, msg, wParam, lParam);
        case WM_SETFONT:
            return kvwin32::internal::setControlFont(hwnd, *state, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_ENABLE:
            return enable(hwnd, wParam != 0);
        case WM_NCHITTEST:
            return hitTest(hwnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
            return notifyIf(hwnd, STN_CLICKED);
        case WM_LBUTTONDBLCLK:
            return notifyIf(hwnd, STN_DBLCLK);
        case STM_SETIMAGE:
            return setImage(hwnd, *state, wParam, lParam);
        case STM_GETIMAGE:
            return getImage(hwnd, *state, wParam);
        case STM_SETICON:
            return kindOf(hwnd) == SS_ICON ? setIcon(hwnd, *state, reinterpret_cast<HANDLE>(wParam))
                                           : 0;
        case STM_GETICON:
            return getImage(hwnd, *state, IMAGE_ICON);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::staticClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = staticProc;
    wc.lpszClassName = WC_STATICA;
    return wc;
}
