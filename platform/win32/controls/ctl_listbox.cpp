// The list box control ("ListBox") and the drop-down list of a combo box ("ComboLBox"): items
// with strings and data, sorted insertion, single, multiple and extended selection, owner
// drawing, hit tests, scrolling to the caret, the keyboard and the mouse, and the LBN_*
// notifications Windows sends for them. A "ComboLBox" is the same control working for the
// combo box that created it: its notifications and owner-draw requests go to the combo box,
// which passes them on to its own parent.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "internal/builtin_classes.h"
#include "internal/listbox.h"
#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal::listbox {

// ---- Items ----------------------------------------------------------------------------------

// Where LB_ADDSTRING puts an item: the binary search Windows does with lstrcmpi (or the
// owner's WM_COMPAREITEM), landing on an equal item when it meets one; the end when unsorted.
int sortedPosition(const ListBoxState& s, std::string_view text, ULONG_PTR data) {
    if (s.items.empty() || !(s.style & LBS_SORT)) {
        return count(s);
    }
    // Items added in order land just after the one added before. When the text lies strictly
    // between that item and the next, the search could end nowhere else, so it is not made:
    // adding a sorted run of n strings costs n comparisons, not n binary searches.
    if (hasStrings(s) && s.inOrder && s.insertHint <= count(s)) {
        const int hint = s.insertHint;
        if ((hint == 0 || compareNoCase(s.items[static_cast<size_t>(hint - 1)].text, text) < 0) &&
            (hint == count(s) ||
             compareNoCase(text, s.items[static_cast<size_t>(hint)].text) < 0)) {
            return hint;
        }
    }
    int low = 0;
    int high = count(s) - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int order = hasStrings(s) ? compareNoCase(s.items[static_cast<size_t>(mid)].text, text)
                                  : ownerCompare(s, mid, data);
        if (order == 0) {
            return mid;
        }
        if (order > 0) {
            high = mid - 1;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

LRESULT insertItem(ListBoxState& s, int index, LPARAM lParam) {
    if (index < -1 || index > count(s)) {
        return LB_ERR;
    }
    if (index == -1) {
        index = count(s);
    }
    ListItem item;
    if (hasStrings(s)) {
        // A null string is an empty item, as Windows stores it.
        item.text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
    } else {
        item.data = static_cast<ULONG_PTR>(lParam);
    }
    item.height = s.itemHeight;
    if (isVariable(s)) {
        item.height = measureItem(s, static_cast<UINT>(index), item.data, s.itemHeight);
        if (!IsWindow(s.self)) {
            return LB_ERR;
        }
    }
    auto at = static_cast<size_t>(index);
    s.items.insert(at, std::move(item));
    s.insertHint = index + 1;
    if (!isMultiSelect(s) && s.selected >= index) {
        ++s.selected;
    }
    if (s.anchor >= index) {
        ++s.anchor;
    }
    if (s.caret >= index && count(s) > 1) {
        ++s.caret;
    }
    updateScrollBar(s);
    invalidateAll(s);
    return index;
}

LRESULT addString(ListBoxState& s, LPARAM lParam) {
    std::string_view text = (hasStrings(s) && lParam) ? reinterpret_cast<LPCSTR>(lParam) : "";
    return insertItem(s, sortedPosition(s, text, static_cast<ULONG_PTR>(lParam)), lParam);
}

LRESULT deleteString(const StatePtr& sp, WPARAM wParam) {
    ListBoxState& s = *sp;
    auto index = static_cast<int>(wParam);
    if (!validIndex(s, index)) {
        return LB_ERR;
    }
    sendDeleteItem(s, index, s.items[static_cast<size_t>(index)].data);
    if (!IsWindow(s.self) || !validIndex(s, index)) {
        return LB_ERR;
    }
    s.items.erase(static_cast<size_t>(index));
    if (!isMultiSelect(s)) {
        if (s.selected == index) {
            s.selected = -1;
        } else if (s.selected > index) {
            --s.selected;
        }
    }
    if (s.anchor == index) {
        s.anchor = -1;
    } else if (s.anchor > index) {
        --s.anchor;
    }
    if (s.caret > index || (s.caret == index && s.caret >= count(s))) {
        s.caret = std::max(0, s.caret - 1);
    }
    refitTop(s);
    invalidateAll(s);
    return count(s);
}

void resetContent(const StatePtr& sp) {
    ListBoxState& s = *sp;
    std::vector<ListItem> old = s.items.takeAll();
    s.inOrder = true;
    s.insertHint = 0;
    s.selected = -1;
    s.anchor = -1;
    s.caret = 0;
    s.top = 0;
    updateScrollBar(s);
    invalidateAll(s);
    for (size_t i = 0; i < old.size(); ++i) {
        sendDeleteItem(s, static_cast<int>(i), old[i].data);
        if (!IsWindow(s.self)) {
            return;
        }
    }
}

// Copies an item's text (or, without strings, its data) into the caller's buffer; the
// buffer must hold LB_GETTEXTLEN + 1 bytes, as Windows requires.
LRESULT getText(const ListBoxState& s, WPARAM wParam, LPARAM lParam) {
    auto index = static_cast<int>(wParam);
    if (!validIndex(s, index) || lParam == 0) {
        return LB_ERR;
    }
    const ListItem& item = s.items[static_cast<size_t>(index)];
    if (!hasStrings(s)) {
        std::memcpy(reinterpret_cast<void*>(lParam), &item.data, sizeof(item.data));
        return sizeof(item.data);
    }
    auto* out = reinterpret_cast<char*>(lParam);
    std::memcpy(out, item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT getTextLength(const ListBoxState& s, WPARAM wParam) {
    auto index = static_cast<int>(wParam);
    if (!validIndex(s, index)) {
        return LB_ERR;
    }
    return hasStrings(s) ? static_cast<LRESULT>(s.items[static_cast<size_t>(index)].text.size())
                         : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

// LB_FINDSTRING and LB_FINDSTRINGEXACT: the search begins after the start item, wraps round
// to the top and ends with the start item; a start of -1 (or out of range) searches all
// from the top. Without strings an item matches when its data equals the value.
LRESULT findString(const ListBoxState& s, WPARAM wParam, LPARAM lParam, bool exact) {
    auto start = static_cast<int>(wParam);
    if (!validIndex(s, start)) {
        start = -1;
    }
    int n = count(s);
    if (hasStrings(s)) {
        if (lParam == 0 || *reinterpret_cast<LPCSTR>(lParam) == '\0') {
            return LB_ERR;
        }
    }
    std::string_view wanted = hasStrings(s) ? reinterpret_cast<LPCSTR>(lParam) : "";
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        const ListItem& item = s.items[static_cast<size_t>(i)];
        bool match = !hasStrings(s) ? item.data == static_cast<ULONG_PTR>(lParam)
                     : exact        ? compareNoCase(item.text, wanted) == 0
                                    : ascii::startsWithNoCase(item.text, wanted);
        if (match) {
            return i;
        }
    }
    return LB_ERR;
}

LRESULT selectString(ListBoxState& s, WPARAM wParam, LPARAM lParam) {
    LRESULT index = findString(s, wParam, lParam, false);
    if (index != LB_ERR) {
        moveCaret(s, static_cast<int>(index), true);
        setSelection(s, static_cast<int>(index), true);
    }
    return index;
}

// ---- Selection messages -----------------------------------------------------------------------

// LB_SETCURSEL: a single-selection list box only; -1 clears and answers LB_ERR as Windows
// does. Never a notification.
LRESULT setCurSel(ListBoxState& s, WPARAM wParam) {
    if (isMultiSelect(s)) {
        return LB_ERR;
    }
    auto index = static_cast<int>(wParam);
    if (index < -1 || index >= count(s)) {
        return LB_ERR;
    }
    setCaret(s, index, true);
    setSelection(s, index, true);
    if (index == -1) {
        setSelection(s, -1, false);
    }
    return s.selected;
}

LRESULT getCurSel(const ListBoxState& s) {
    if (isMultiSelect(s)) {
        return s.items.empty() ? LB_ERR : s.caret;
    }
    return s.selected;
}

LRESULT setSel(ListBoxState& s, WPARAM on, LPARAM lParam) {
    if (!isMultiSelect(s)) {
        return LB_ERR;
    }
    auto index = static_cast<int>(lParam);
    if (setSelection(s, index, on != 0) == LB_ERR) {
        return LB_ERR;
    }
    if (on && index != -1) {
        s.anchor = index;
        setCaret(s, index, true);
    }
    return LB_OKAY;
}

LRESULT getSelCount(const ListBoxState& s) {
    if (!isMultiSelect(s)) {
        return LB_ERR;
    }
    LRESULT n = 0;
    for (int i = 0; i < count(s); ++i) {
        n += s.items[static_cast<size_t>(i)].selected ? 1 : 0;
    }
    return n;
}

LRESULT getSelItems(const ListBoxState& s, WPARAM max, LPARAM lParam) {
    if (!isMultiSelect(s)) {
        return LB_ERR;
    }
    auto* out = reinterpret_cast<INT*>(lParam);
    if (out == nullptr) {
        return 0;
    }
    LRESULT n = 0;
    for (int i = 0; i < count(s) && static_cast<WPARAM>(n) < max; ++i) {
        if (s.items[static_cast<size_t>(i)].selected) {
            out[n++] = i;
        }
    }
    return n;
}

// LB_SELITEMRANGEEX: a first index above the last deselects the range.
LRESULT selItemRange(ListBoxState& s, int first, int last, bool on) {
    if (!isMultiSelect(s)) {
        return LB_ERR;
    }
    if (first > last) {
        std::swap(first, last);
    }
    if (last < 0 || first >= count(s)) {
        return LB_OKAY;
    }
    selectRange(s, first, last, on);
    return LB_OKAY;
}

LRESULT setItemHeight(ListBoxState& s, WPARAM wParam, LPARAM lParam) {
    int height = LOWORD(lParam);
    if (height > 255 || height <= 0) {
        return LB_ERR;
    }
    if (isVariable(s)) {
        auto index = static_cast<int>(wParam);
        if (!validIndex(s, index)) {
            return LB_ERR;
        }
        s.items[static_cast<size_t>(index)].height = height;
    } else {
        s.itemHeight = height;
    }
    refitTop(s);
    invalidateAll(s);
    return LB_OKAY;
}

LRESULT getItemHeight(const ListBoxState& s, WPARAM wParam) {
    if (isVariable(s) && !s.items.empty()) {
        auto index = static_cast<int>(wParam);
        return validIndex(s, index) ? heightOf(s, index) : LB_ERR;
    }
    return s.itemHeight;
}

LRESULT getItemRect(const ListBoxState& s, WPARAM wParam, LPARAM lParam) {
    auto index = static_cast<int>(wParam);
    auto* out = reinterpret_cast<RECT*>(lParam);
    if (!validIndex(s, index) || out == nullptr) {
        return LB_ERR;
    }
    *out = itemRect(s, index);
    RECT client = clientOf(s);
    return out->top < client.bottom && out->bottom > 0;
}

// LB_ITEMFROMPOINT: the nearest item in the low word; the high word is 1 when the point is
// outside the client area or outside that item (Windows tests the item, not only the client).
LRESULT itemFromPointMessage(const ListBoxState& s, LPARAM lParam) {
    if (s.items.empty()) {
        return kNoItemHit;
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int index = itemFromPoint(s, pt.y);
    if (index == -1) {
        index = count(s) - 1;
    }
    RECT item = itemRect(s, index);
    RECT client = clientOf(s);
    bool hit = PtInRect(&item, pt) && PtInRect(&client, pt);
    return MAKELONG(index, hit ? 0 : 1);
}

// ---- Creation, focus, the window procedure ---------------------------------------------------

LRESULT create(const StatePtr& sp, const CREATESTRUCTA* cs) {
    ListBoxState& s = *sp;
    if (s.style & LBS_OWNERDRAWFIXED) {
        s.style &= ~static_cast<DWORD>(LBS_OWNERDRAWVARIABLE);
    }
    if (s.style & LBS_EXTENDEDSEL) {
        s.style &= ~static_cast<DWORD>(LBS_MULTIPLESEL);
    }
    // As on Windows, a list box without selection is a single-selection one whatever else its
    // style asks for: its answers and its keys and clicks are those of a plain list.
    if (s.style & LBS_NOSEL) {
        s.style &= ~static_cast<DWORD>(LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
    }
    if (s.style & LBS_COMBOBOX) {
        s.combo = cs && cs->lpCreateParams ? static_cast<HWND>(cs->lpCreateParams) : nullptr;
    }
    // A combo box measures its list's items itself; a list box asks its owner once, at
    // creation, for the height of every item.
    if ((s.style & LBS_OWNERDRAWFIXED) && s.combo == nullptr) {
        s.itemHeight = measureItem(s, 0, 0, kDefaultItemHeight);
    }
    updateScrollBar(s);
    return 0;
}

void setFocusState(const StatePtr& sp, bool focused) {
    ListBoxState& s = *sp;
    s.focused = focused;
    repaintItem(s, s.caret, ODA_FOCUS);
    if (!s.combo) {
        notify(s, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
    }
}

LRESULT listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto state = std::make_shared<ListBoxState>();
        state->self = hwnd;
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        state->style = cs ? static_cast<DWORD>(cs->style) : 0;
        kvwin32::internal::attachState(hwnd, state);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    StatePtr sp = kvwin32::internal::stateOf<ListBoxState>(hwnd);
    if (!sp) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    ListBoxState& s = *sp;
    switch (msg) {
        case WM_CREATE:
            return create(sp, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY:
            resetContent(sp);
            return 0;
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintMessage(sp, reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case WM_SETFONT:
            return kvwin32::internal::setControlFont(hwnd, s, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_SETREDRAW:
            s.redraw = wParam != 0;
            updateScrollBar(s);
            invalidateAll(s);
            return 0;
        case WM_ENABLE:
            invalidateAll(s);
            return 0;
        case WM_SIZE:
            refitTop(s);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            setFocusState(sp, true);
            return 0;
        case WM_KILLFOCUS:
            setFocusState(sp, false);
            return 0;
        case WM_LBUTTONDOWN:
            buttonDown(sp, wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            buttonUp(sp);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (s.combo) {
                buttonDown(sp, wParam, lParam);
            } else {
                notifyIfAsked(s, LBN_DBLCLK);
            }
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(sp, lParam);
            return 0;
        case WM_KEYDOWN:
            return keyDown(sp, wParam);
        case WM_CHAR:
            return charTyped(sp, wParam);
        case WM_VSCROLL:
            return verticalScroll(s, wParam);
        case WM_HSCROLL:
            return horizontalScroll(s, wParam);
        case WM_MOUSEWHEEL:
            return mouseWheel(s, wParam);
        case LB_ADDSTRING:
            return addString(s, lParam);
        case LB_INSERTSTRING:
            s.inOrder = s.inOrder && !(s.style & LBS_SORT);
            return insertItem(s, static_cast<int>(wParam), lParam);
        case LB_DELETESTRING:
            return deleteString(sp, wParam);
        case LB_RESETCONTENT:
            resetContent(sp);
            return TRUE;  // Windows answers TRUE here, not LB_OKAY
        case LB_GETCOUNT:
            return count(s);
        case LB_GETTEXT:
            return getText(s, wParam, lParam);
        case LB_GETTEXTLEN:
            return getTextLength(s, wParam);
        case LB_GETITEMDATA:
            return validIndex(s, static_cast<int>(wParam))
                       ? static_cast<LRESULT>(s.items[wParam].data)
                       : LB_ERR;
        case LB_SETITEMDATA:
            if (!validIndex(s, static_cast<int>(wParam))) {
                return LB_ERR;
            }
            s.items[wParam].data = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case LB_SETCURSEL:
            return setCurSel(s, wParam);
        case LB_GETCURSEL:
            return getCurSel(s);
        case LB_SETSEL:
            return setSel(s, wParam, lParam);
        case LB_GETSEL:
            return validIndex(s, static_cast<int>(wParam))
                       ? (isSelected(s, static_cast<int>(wParam)) ? 1 : 0)
                       : LB_ERR;
        case LB_GETSELCOUNT:
            return getSelCount(s);
        case LB_GETSELITEMS:
            return getSelItems(s, wParam, lParam);
        case LB_SELITEMRANGE:
            return selItemRange(s, LOWORD(lParam), HIWORD(lParam), wParam != 0);
        case LB_SELITEMRANGEEX:
            if (static_cast<int>(wParam) > static_cast<int>(lParam)) {
                return selItemRange(s, static_cast<int>(lParam), static_cast<int>(wParam), false);
            }
            return selItemRange(s, static_cast<int>(wParam), static_cast<int>(lParam), true);
        case LB_SETANCHORINDEX:
            if (static_cast<int>(wParam) < -1 || static_cast<int>(wParam) >= count(s)) {
                return LB_ERR;
            }
            s.anchor = static_cast<int>(wParam);
            return 0;
        case LB_GETANCHORINDEX:
            return s.anchor;
        case LB_SETCARETINDEX:
            if (!validIndex(s, static_cast<int>(wParam))) {
                return LB_ERR;
            }
            setCaret(s, static_cast<int>(wParam), lParam == 0);
            return LB_OKAY;
        case LB_GETCARETINDEX:
            return s.caret;
        case LB_GETTOPINDEX:
            return s.top;
        case LB_SETTOPINDEX:
            if (static_cast<int>(wParam) < 0) {
                return LB_ERR;
            }
            setTop(s, static_cast<int>(wParam));
            return LB_OKAY;
        case LB_GETITEMRECT:
            return getItemRect(s, wParam, lParam);
        case LB_ITEMFROMPOINT:
            return itemFromPointMessage(s, lParam);
        case LB_SETITEMHEIGHT:
            return setItemHeight(s, wParam, lParam);
        case LB_GETITEMHEIGHT:
            return getItemHeight(s, wParam);
        case LB_FINDSTRING:
            return findString(s, wParam, lParam, false);
        case LB_FINDSTRINGEXACT:
            return findString(s, wParam, lParam, true);
        case LB_SELECTSTRING:
            return isMultiSelect(s) ? LB_ERR : selectString(s, wParam, lParam);
        case LB_SETHORIZONTALEXTENT:
            s.horizontalExtent = std::max(0, static_cast<int>(wParam));
            refitTop(s);
            invalidateAll(s);
            return 0;
        case LB_GETHORIZONTALEXTENT:
            return s.horizontalExtent;
        case LB_SETCOLUMNWIDTH:
            return LB_OKAY;
        case LB_INITSTORAGE:
            // Room for wParam more items; Windows answers the items it now has room for.
            s.items.reserve(s.items.size() + wParam);
            return static_cast<LRESULT>(s.items.size() + wParam);
        case LB_SETTABSTOPS:
            return TRUE;
        case LB_SETLOCALE: {
            LCID old = s.locale;
            s.locale = static_cast<LCID>(wParam);
            return static_cast<LRESULT>(old);
        }
        case LB_GETLOCALE:
            return static_cast<LRESULT>(s.locale);
        case LB_GETLISTBOXINFO:
            return pageSize(s);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

WNDCLASSEXA listBoxClass(LPCSTR name, UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = listBoxProc;
    wc.lpszClassName = name;
    return wc;
}

}  // namespace kvwin32::internal::listbox
