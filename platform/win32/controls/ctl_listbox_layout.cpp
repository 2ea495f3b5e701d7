// The list box's model: the order Windows sorts strings in, what it tells its owner, where
// its items lie and how the selection, the caret and the anchor move.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "internal/listbox.h"
#include "internal/lstrcmp.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal::listbox {

// ---- Comparing strings ------------------------------------------------------------------------

// lstrcmpi's answer: <0, 0 or >0; strings equal but for letter case compare equal.
int compareNoCase(std::string_view a, std::string_view b) {
    return compareStringNoCase(a, b);
}

// ---- Talking to the owner -------------------------------------------------------------------

// A "ComboLBox" talks to its combo box; a list box to its parent at the time of sending.
HWND ownerOf(const ListBoxState& s) {
    return s.combo ? s.combo : GetParent(s.self);
}

void notify(const ListBoxState& s, int code) {
    HWND owner = ownerOf(s);
    if (owner == nullptr) {
        return;
    }
    auto id = static_cast<WORD>(GetDlgCtrlID(s.self));
    SendMessageA(owner, WM_COMMAND, MAKEWPARAM(id, static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(s.self));
}

// LBN_SELCHANGE, LBN_DBLCLK and LBN_SELCANCEL need LBS_NOTIFY; focus notifications do not.
void notifyIfAsked(const ListBoxState& s, int code) {
    if ((s.style & LBS_NOTIFY) && !s.items.empty()) {
        notify(s, code);
    }
}

UINT ownId(const ListBoxState& s) {
    return static_cast<UINT>(GetDlgCtrlID(s.self));
}

// WM_DELETEITEM for an item leaving: Windows sends it for owner-drawn list boxes and for
// items that carry data.
void sendDeleteItem(const ListBoxState& s, int index, ULONG_PTR data) {
    if (!isOwnerDraw(s) && data == 0) {
        return;
    }
    HWND owner = ownerOf(s);
    if (owner == nullptr) {
        return;
    }
    DELETEITEMSTRUCT dis{ODT_LISTBOX, ownId(s), static_cast<UINT>(index), s.self, data};
    SendMessageA(owner, WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

// The owner orders an item against a new one (itemID2 -1) for a sorted list without strings.
int ownerCompare(const ListBoxState& s, int index, ULONG_PTR data) {
    HWND owner = ownerOf(s);
    if (owner == nullptr) {
        return 0;
    }
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = ODT_LISTBOX;
    cis.CtlID = ownId(s);
    cis.hwndItem = s.self;
    cis.itemID1 = static_cast<UINT>(index);
    cis.itemData1 = s.items[static_cast<size_t>(index)].data;
    cis.itemID2 = static_cast<UINT>(-1);
    cis.itemData2 = data;
    cis.dwLocaleId = s.locale;
    return static_cast<int>(
        SendMessageA(owner, WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis)));
}

int measureItem(const ListBoxState& s, UINT itemId, ULONG_PTR data, int height) {
    HWND owner = ownerOf(s);
    if (owner == nullptr) {
        return height;
    }
    RECT client{};
    GetClientRect(s.self, &client);
    MEASUREITEMSTRUCT mis{
        ODT_LISTBOX, ownId(s), itemId, static_cast<UINT>(client.right), static_cast<UINT>(height),
        data};
    SendMessageA(owner, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    return mis.itemHeight > 0 ? static_cast<int>(std::min<UINT>(mis.itemHeight, 255)) : 1;
}

// ---- Geometry -------------------------------------------------------------------------------

RECT clientOf(const ListBoxState& s) {
    RECT r{};
    GetClientRect(s.self, &r);
    return r;
}

int heightOf(const ListBoxState& s, int index) {
    if (isVariable(s) && validIndex(s, index)) {
        return s.items[static_cast<size_t>(index)].height;
    }
    return s.itemHeight;
}

// Top of an item relative to the client area (negative above the top item).
int itemTop(const ListBoxState& s, int index) {
    if (!isVariable(s)) {
        return (index - s.top) * s.itemHeight;
    }
    int y = 0;
    for (int i = s.top; i < index; ++i) {
        y += heightOf(s, i);
    }
    for (int i = index; i < s.top; ++i) {
        y -= heightOf(s, i);
    }
    return y;
}

// Items are as wide as the client area, or as the horizontal extent when that is wider, and
// shift left by the horizontal scroll.
RECT itemRect(const ListBoxState& s, int index) {
    RECT client = clientOf(s);
    int y = itemTop(s, index);
    const int width = std::max<int>(client.right, s.horizontalExtent);
    return RECT{-s.horizontalPos, y, width - s.horizontalPos, y + heightOf(s, index)};
}

// Items that fit wholly from the top item down; at least one.
int pageSize(const ListBoxState& s) {
    int height = clientOf(s).bottom;
    if (!isVariable(s)) {
        return std::max(1, height / std::max(1, s.itemHeight));
    }
    int n = 0;
    for (int i = s.top, y = 0; i < count(s) && (y += heightOf(s, i)) <= height; ++i) {
        ++n;
    }
    return std::max(1, n);
}

// The largest top index that still fills the client area.
int maxTop(const ListBoxState& s) {
    int height = clientOf(s).bottom;
    if (!isVariable(s)) {
        return std::max(0, count(s) - std::max(1, height / std::max(1, s.itemHeight)));
    }
    int y = 0;
    int i = count(s);
    while (i > 0 && y + heightOf(s, i - 1) <= height) {
        y += heightOf(s, --i);
    }
    return std::min(i, std::max(0, count(s) - 1));
}

// The item under a client point: the nearest one above or below, -1 below the last item.
int itemFromPoint(const ListBoxState& s, int y) {
    if (s.items.empty()) {
        return -1;
    }
    int index = s.top;
    if (isVariable(s)) {
        int pos = 0;
        if (y >= 0) {
            while (index < count(s) && (pos += heightOf(s, index)) <= y) {
                ++index;
            }
        } else {
            while (index > 0 && (pos -= heightOf(s, --index)) > y) {
            }
        }
    } else {
        index += y / s.itemHeight;
        if (y < 0) {
            --index;
        }
    }
    if (index < 0) {
        return 0;
    }
    return index >= count(s) ? -1 : index;
}

void invalidateItem(const ListBoxState& s, int index) {
    if (!s.redraw || !validIndex(s, index)) {
        return;
    }
    RECT r = itemRect(s, index);
    InvalidateRect(s.self, &r, TRUE);
}

void invalidateAll(const ListBoxState& s) {
    if (s.redraw) {
        InvalidateRect(s.self, nullptr, TRUE);
    }
}

// A selection or focus change of an owner-drawn item is drawn at once, as Windows does, with
// the action that says what changed; other list boxes repaint the item later.
void repaintItem(const ListBoxState& s, int index, UINT action) {
    if (!isOwnerDraw(s)) {
        invalidateItem(s, index);
        return;
    }
    if (!s.redraw || !validIndex(s, index) || !IsWindowVisible(s.self)) {
        return;
    }
    RECT r = itemRect(s, index);
    RECT client = clientOf(s);
    if (r.bottom <= 0 || r.top >= client.bottom) {
        return;
    }
    HDC dc = GetDC(s.self);
    if (dc == nullptr) {
        return;
    }
    HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
    drawOwnerItem(s, dc, index, r, action);
    if (oldFont) {
        SelectObject(dc, oldFont);
    }
    ReleaseDC(s.self, dc);
}

void setTop(ListBoxState& s, int index) {
    int top = std::clamp(index, 0, maxTop(s));
    if (top != s.top) {
        s.top = top;
        invalidateAll(s);
    }
    updateScrollBar(s);
}

void refitTop(ListBoxState& s) {
    s.top = std::clamp(s.top, 0, maxTop(s));
    s.horizontalPos = std::clamp(s.horizontalPos, 0, maxHorizontalPos(s));
    updateScrollBar(s);
}

int maxHorizontalPos(const ListBoxState& s) {
    return std::max(0, s.horizontalExtent - static_cast<int>(clientOf(s).right));
}

void setHorizontalPos(ListBoxState& s, int pos) {
    pos = std::clamp(pos, 0, maxHorizontalPos(s));
    if (pos != s.horizontalPos) {
        s.horizontalPos = pos;
        invalidateAll(s);
    }
    updateScrollBar(s);
}

// The range covers the items, the page the rows that fit wholly, the position is the top
// item; a list whose items all fit has nothing to scroll, so its bar hides, or with
// LBS_DISABLENOSCROLL shows disabled. Only a list box created with WS_VSCROLL has a bar to
// keep (its style bit comes and goes with the bar), and none while redrawing is off.
// The horizontal bar of a list box made with WS_HSCROLL covers the horizontal extent (none
// until LB_SETHORIZONTALEXTENT sets one, so it starts hidden), its page is the client width.
void updateScrollBar(const ListBoxState& s) {
    if (!s.redraw) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (s.style & LBS_DISABLENOSCROLL) {
        info.fMask |= SIF_DISABLENOSCROLL;
    }
    if (s.style & WS_VSCROLL) {
        info.nMin = 0;
        info.nMax = count(s) - 1;
        info.nPage = static_cast<UINT>(pageSize(s));
        info.nPos = s.top;
        SetScrollInfo(s.self, SB_VERT, &info, TRUE);
    }
    if (s.style & WS_HSCROLL) {
        info.nMin = 0;
        info.nMax = std::max(0, s.horizontalExtent - 1);
        info.nPage = static_cast<UINT>(std::max<LONG>(0, clientOf(s).right));
        info.nPos = s.horizontalPos;
        SetScrollInfo(s.self, SB_HORZ, &info, TRUE);
    }
}

// Scrolls so the item shows: wholly, or at least its top row when partly is enough.
void makeVisible(ListBoxState& s, int index, bool fully) {
    if (!validIndex(s, index)) {
        return;
    }
    if (index < s.top) {
        setTop(s, index);
        return;
    }
    int height = clientOf(s).bottom;
    RECT r = itemRect(s, index);
    if ((fully ? r.bottom : r.top + 1) <= height) {
        return;
    }
    if (!isVariable(s)) {
        setTop(s, index - pageSize(s) + 1);
        return;
    }
    int top = index;
    int y = heightOf(s, index);
    while (top > 0 && y + heightOf(s, top - 1) <= height) {
        y += heightOf(s, --top);
    }
    setTop(s, top);
}

// ---- Selection --------------------------------------------------------------------------------

bool isSelected(const ListBoxState& s, int index) {
    if (!validIndex(s, index)) {
        return false;
    }
    return isMultiSelect(s) ? s.items[static_cast<size_t>(index)].selected : index == s.selected;
}

void selectRange(ListBoxState& s, int first, int last, bool on) {
    first = std::max(first, 0);
    last = std::min(last, count(s) - 1);
    for (int i = first; i <= last; ++i) {
        ListItem& item = s.items[static_cast<size_t>(i)];
        if (item.selected != on) {
            item.selected = on;
            repaintItem(s, i, ODA_SELECT);
        }
    }
}

// Selects or deselects an item (-1: all of them, or none in a single-selection list box);
// LB_ERR for an index out of range. Returns whether the selection changed in changed.
LRESULT setSelection(ListBoxState& s, int index, bool on, bool* changed) {
    if (index < -1 || index >= count(s)) {
        return LB_ERR;
    }
    bool was = false;
    if (isMultiSelect(s)) {
        int first = index == -1 ? 0 : index;
        int last = index == -1 ? count(s) - 1 : index;
        for (int i = first; i <= last; ++i) {
            was = was || s.items[static_cast<size_t>(i)].selected != on;
        }
        selectRange(s, first, last, on);
    } else {
        int target = on ? index : (index == s.selected || index == -1 ? -1 : s.selected);
        was = target != s.selected;
        if (was) {
            int old = s.selected;
            s.selected = target;
            repaintItem(s, old, ODA_SELECT);
            repaintItem(s, target, ODA_SELECT);
        }
    }
    if (changed) {
        *changed = was;
    }
    return LB_OKAY;
}

void setCaret(ListBoxState& s, int index, bool fully) {
    if (!validIndex(s, index)) {
        return;
    }
    if (index != s.caret) {
        int old = s.caret;
        s.caret = index;
        if (s.focused) {
            repaintItem(s, old, ODA_FOCUS);
            repaintItem(s, index, ODA_FOCUS);
        }
    }
    makeVisible(s, index, fully);
}

// Moves the caret as the user does: an extended list selects from the anchor to the caret
// and nothing else, a single-selection list selects the caret item.
void moveCaret(ListBoxState& s, int index, bool fully) {
    if (!validIndex(s, index)) {
        return;
    }
    if (s.style & LBS_EXTENDEDSEL) {
        if (s.anchor != -1) {
            int first = std::min(index, s.anchor);
            int last = std::max(index, s.anchor);
            selectRange(s, 0, first - 1, false);
            selectRange(s, last + 1, count(s) - 1, false);
            selectRange(s, first, last, true);
        }
    } else if (!(s.style & LBS_MULTIPLESEL)) {
        setSelection(s, index, true);
    }
    setCaret(s, index, fully);
}

}  // namespace kvwin32::internal::listbox
