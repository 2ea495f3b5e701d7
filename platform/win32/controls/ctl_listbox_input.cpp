// The list box and the user: what a click, a double click, a drag with the button down, a
// key or a character does to the selection, and how the items are painted.
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "internal/listbox.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal::listbox {

// ---- Mouse and keyboard -----------------------------------------------------------------------

void buttonDown(const StatePtr& sp, WPARAM keys, LPARAM lParam) {
    ListBoxState& s = *sp;
    if (!s.focused && !s.combo) {
        SetFocus(s.self);
        if (!IsWindow(s.self)) {
            return;
        }
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client = clientOf(s);
    if (s.combo && !PtInRect(&client, pt)) {
        // A dropped list holds the mouse, so a press on its own scroll bar comes here: it is
        // passed on as the non-client press it is, and the list keeps the mouse afterwards.
        POINT screen = pt;
        ClientToScreen(s.self, &screen);
        const LPARAM at = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
        const LRESULT hit = SendMessageA(s.self, WM_NCHITTEST, 0, at);
        if (hit == HTVSCROLL || hit == HTHSCROLL) {
            SendMessageA(s.self, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
            if (IsWindow(s.self) && GetCapture() != s.self) {
                SetCapture(s.self);
            }
            return;
        }
        // A click anywhere else outside it closes the list unchosen.
        SendMessageA(s.combo, CB_SHOWDROPDOWN, FALSE, 0);
        return;
    }
    int index = itemFromPoint(s, pt.y);
    if (index == -1) {
        return;
    }
    s.captured = true;
    SetCapture(s.self);
    if (isMultiSelect(s)) {
        if (!(keys & MK_SHIFT)) {
            s.anchor = index;
        }
        if (keys & MK_CONTROL) {
            setCaret(s, index, false);
            setSelection(s, index, !s.items[static_cast<size_t>(index)].selected);
        } else {
            moveCaret(s, index, false);
            if (s.style & LBS_MULTIPLESEL) {
                setSelection(s, index, !s.items[static_cast<size_t>(index)].selected);
            }
        }
    } else {
        s.anchor = index;
        moveCaret(s, index, false);
    }
}

// The selection notification of a click comes when the button goes up, as on Windows.
void buttonUp(const StatePtr& sp) {
    ListBoxState& s = *sp;
    if (!s.captured) {
        return;
    }
    s.captured = false;
    if (GetCapture() == s.self) {
        ReleaseCapture();
    }
    notifyIfAsked(s, LBN_SELCHANGE);
}

// Dragging with the button down moves the selection along in a single-selection list box.
void mouseMove(const StatePtr& sp, LPARAM lParam) {
    ListBoxState& s = *sp;
    if (!s.captured || isMultiSelect(s)) {
        return;
    }
    int index = itemFromPoint(s, GET_Y_LPARAM(lParam));
    if (index != -1) {
        moveCaret(s, index, false);
    }
}

// The caret item a navigation key leads to, or -1.
int keyTarget(const ListBoxState& s, WPARAM key) {
    int last = count(s) - 1;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            return s.caret > 0 ? s.caret - 1 : -1;
        case VK_DOWN:
        case VK_RIGHT:
            return std::min(s.caret + 1, last);
        case VK_PRIOR:
            return last < 0 ? -1 : std::max(0, s.caret - pageSize(s) + 1);
        case VK_NEXT:
            return std::min(s.caret + pageSize(s) - 1, last);
        case VK_HOME:
            return last < 0 ? -1 : 0;
        case VK_END:
            return last;
        default:
            return -1;
    }
}

LRESULT keyDown(const StatePtr& sp, WPARAM key) {
    ListBoxState& s = *sp;
    int caret = -1;
    if (s.style & LBS_WANTKEYBOARDINPUT) {
        HWND owner = ownerOf(s);
        if (owner) {
            caret = static_cast<int>(SendMessageA(owner, WM_VKEYTOITEM,
                                                  MAKEWPARAM(LOWORD(key), s.caret),
                                                  reinterpret_cast<LPARAM>(s.self)));
        }
        if (caret == -2 || !IsWindow(s.self)) {
            return 0;
        }
    }
    if (caret == -1) {
        // Any navigation key selects the caret item of a single-selection list box that
        // has the caret on an unselected item, even when the caret cannot move.
        bool forceSelection = !isMultiSelect(s) && s.selected != s.caret;
        if (key == VK_SPACE && (s.style & LBS_MULTIPLESEL)) {
            if (validIndex(s, s.caret)) {
                setSelection(s, s.caret, !s.items[static_cast<size_t>(s.caret)].selected);
                notifyIfAsked(s, LBN_SELCHANGE);
            }
            return 0;
        }
        if (key == VK_SPACE) {
            caret = (s.style & LBS_EXTENDEDSEL) ? s.caret : -1;
        } else if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT ||
                   key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END) {
            caret = keyTarget(s, key);
        } else {
            forceSelection = false;
        }
        if (forceSelection) {
            caret = s.caret;
        }
    }
    if (!validIndex(s, caret)) {
        return 0;
    }
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!isMultiSelect(s) || ((s.style & LBS_EXTENDEDSEL) && !shift)) {
        s.anchor = caret;
    }
    moveCaret(s, caret, true);
    notifyIfAsked(s, LBN_SELCHANGE);
    return 0;
}

// A character moves to the next item that starts with it (after the caret, wrapping round).
LRESULT charTyped(const StatePtr& sp, WPARAM ch) {
    ListBoxState& s = *sp;
    int caret = -1;
    if (s.style & LBS_WANTKEYBOARDINPUT) {
        HWND owner = ownerOf(s);
        if (owner) {
            caret =
                static_cast<int>(SendMessageA(owner, WM_CHARTOITEM, MAKEWPARAM(LOWORD(ch), s.caret),
                                              reinterpret_cast<LPARAM>(s.self)));
        }
        if (caret == -2 || !IsWindow(s.self)) {
            return 0;
        }
    }
    if (caret == -1 && hasStrings(s)) {
        char text[2] = {static_cast<char>(ch), '\0'};
        caret = static_cast<int>(
            findString(s, static_cast<WPARAM>(s.caret), reinterpret_cast<LPARAM>(text), false));
    }
    if (!validIndex(s, caret)) {
        return 0;
    }
    if (!isMultiSelect(s) && s.selected == -1) {
        setSelection(s, caret, true);
    }
    moveCaret(s, caret, true);
    notifyIfAsked(s, LBN_SELCHANGE);
    return 0;
}

// Kept within range by setTop: a target far out of int's range is cut to it first.
int toIndex(long long target) {
    return static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX));
}

LRESULT verticalScroll(ListBoxState& s, WPARAM wParam) {
    if (const auto top = scrollRequestTarget(wParam, s.top, pageSize(s), maxTop(s))) {
        setTop(s, toIndex(*top));
    }
    return 0;
}

// A line of the horizontal bar is a pixel, a page the client width.
LRESULT horizontalScroll(ListBoxState& s, WPARAM wParam) {
    if (const auto pos =
            scrollRequestTarget(wParam, s.horizontalPos, clientOf(s).right, maxHorizontalPos(s))) {
        setHorizontalPos(s, toIndex(*pos));
    }
    return 0;
}

// The wheel scrolls three rows a notch, as Windows does by default, but never more than a
// page.
LRESULT mouseWheel(ListBoxState& s, WPARAM wParam) {
    constexpr int kRowsPerNotch = 3;
    if (const int rows = wheelRows(s.wheelRemain, wParam, std::min(kRowsPerNotch, pageSize(s)))) {
        setTop(s, s.top - rows);
    }
    return 0;
}

// ---- Painting -------------------------------------------------------------------------------

UINT drawState(const ListBoxState& s, int index) {
    UINT state = 0;
    if (isSelected(s, index)) {
        state |= ODS_SELECTED;
    }
    if (s.focused && index == s.caret) {
        state |= ODS_FOCUS;
    }
    if (!IsWindowEnabled(s.self)) {
        state |= ODS_DISABLED;
    }
    return state;
}

void drawOwnerItem(const ListBoxState& s, HDC dc, int index, const RECT& rect, UINT action) {
    HWND owner = ownerOf(s);
    if (owner == nullptr) {
        return;
    }
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = ownId(s);
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = action;
    dis.itemState = drawState(s, index);
    dis.hwndItem = s.self;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = s.items[static_cast<size_t>(index)].data;
    SendMessageA(owner, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void drawTextItem(const ListBoxState& s, HDC dc, int index, const RECT& rect) {
    const ListItem& item = s.items[static_cast<size_t>(index)];
    bool selected = isSelected(s, index);
    COLORREF oldText = 0;
    COLORREF oldBack = 0;
    if (selected) {
        oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    } else if (!IsWindowEnabled(s.self)) {
        oldText = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        oldBack = GetBkColor(dc);
    }
    ExtTextOutA(dc, rect.left + kTextIndent, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect,
                item.text.c_str(), static_cast<UINT>(item.text.size()), nullptr);
    if (selected || !IsWindowEnabled(s.self)) {
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if (s.focused && index == s.caret) {
        DrawFocusRect(dc, &rect);
    }
}

void paint(const StatePtr& sp, HDC dc) {
    ListBoxState& s = *sp;
    RECT client = clientOf(s);
    HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
    HBRUSH brush = kvwin32::internal::controlColors(s.self, dc, WM_CTLCOLORLISTBOX);
    if (!IsWindow(s.self)) {
        return;
    }
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    for (int i = s.top; i < count(s); ++i) {
        RECT r = itemRect(s, i);
        if (r.top >= client.bottom) {
            break;
        }
        if (isOwnerDraw(s)) {
            drawOwnerItem(s, dc, i, r, ODA_DRAWENTIRE);
            if (!IsWindow(s.self) || i >= count(s)) {
                return;
            }
        } else {
            drawTextItem(s, dc, i, r);
        }
    }
    if (oldFont) {
        SelectObject(dc, oldFont);
    }
}

// WM_PAINT paints into the DC in wParam when there is one (WM_PRINTCLIENT always has one).
LRESULT paintMessage(const StatePtr& sp, HDC given) {
    return paintControl(sp->self, reinterpret_cast<WPARAM>(given), [&](HDC dc) { paint(sp, dc); });
}

}  // namespace kvwin32::internal::listbox
