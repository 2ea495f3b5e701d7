// The list view control ("SysListView32") in report view: items, subitems, columns, states
// and the notifications its parent receives for each change, the mouse and the keyboard
// (see kvwin32/comctl_listview.h; layout and painting are in comctl_listview_view.cpp).
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include "internal/builtin_classes.h"
#include "internal/gdi.h"
#include "internal/listview.h"
#include "kvwin32/ascii.h"

namespace {

using kvwin32::internal::ListViewCell;
using kvwin32::internal::ListViewColumn;
using kvwin32::internal::ListViewItem;
using kvwin32::internal::ListViewState;
using kvwin32::internal::notifyParentNm;
using kvwin32::internal::stateOf;

// Longest text an item, subitem or column keeps.
constexpr std::size_t kMaxText = 4096;
// Extra width LVSCW_AUTOSIZE leaves around the widest text.
constexpr int kAutoSizeMargin = 12;

std::shared_ptr<ListViewState> listViewOf(HWND hwnd) {
    return stateOf<ListViewState>(hwnd);
}

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

int countOf(const ListViewState& s) {
    return static_cast<int>(s.items.size());
}

bool validItem(const ListViewState& s, int item) {
    return item >= 0 && item < countOf(s);
}

std::string boundedText(LPCSTR text) {
    return text ? std::string(text, strnlen(text, kMaxText)) : std::string();
}

// Copies text into a caller's buffer of `size` characters; the number copied.
int copyOut(const std::string& text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

using kvwin32::ascii::compareNoCase;
using kvwin32::ascii::equalNoCase;

ListViewCell& cellOf(ListViewItem& item, int subItem) {
    if (item.cells.size() <= static_cast<std::size_t>(subItem)) {
        item.cells.resize(static_cast<std::size_t>(subItem) + 1);
    }
    return item.cells[static_cast<std::size_t>(subItem)];
}

void setCellText(ListViewCell& cell, LPSTR text) {
    cell.callback = text == LPSTR_TEXTCALLBACKA;
    cell.text = cell.callback ? std::string() : boundedText(text);
}

void invalidateItem(HWND hwnd, const ListViewState& s, int item) {
    RECT rect{};
    if (kvwin32::internal::listViewItemRect(hwnd, s, item, LVIR_BOUNDS, rect)) {
        InvalidateRect(hwnd, &rect, TRUE);
    }
}

// ---- Notifications ----------------------------------------------------------------------------

LRESULT notifyItem(HWND hwnd, UINT code, int item, int subItem, LPARAM param, UINT newState = 0,
                   UINT oldState = 0, UINT changed = 0, POINT at = {}) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = at;
    nm.lParam = param;
    return notifyParentNm(hwnd, nm.hdr, code);
}

UINT modifierFlags() {
    UINT flags = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        flags |= LVKF_SHIFT;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        flags |= LVKF_CONTROL;
    }
    if (GetKeyState(VK_MENU) < 0) {
        flags |= LVKF_ALT;
    }
    return flags;
}

// NM_CLICK, NM_DBLCLK, NM_RCLICK and LVN_ITEMACTIVATE carry an NMITEMACTIVATE.
void notifyActivate(HWND hwnd, UINT code, int item, int subItem, POINT at) {
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = at;
    nm.uKeyFlags = modifierFlags();
    if (auto s = listViewOf(hwnd); s && validItem(*s, item)) {
        nm.lParam = s->items[static_cast<std::size_t>(item)].param;
        nm.uNewState = nm.uOldState = s->items[static_cast<std::size_t>(item)].state;
    }
    notifyParentNm(hwnd, nm.hdr, code);
}

// ---- Changing an item ---------------------------------------------------------------------------

// What a change to an item (its main cell) asks for, as LVM_SETITEMA and LVM_SETITEMSTATE
// describe it.
struct ItemChange {
    UINT mask = 0;         // LVIF_* fields that are given
    UINT state = 0;        // with LVIF_STATE: the new bits
    UINT stateMask = 0;    // with LVIF_STATE: which bits
    int image = 0;         // with LVIF_IMAGE
    LPARAM param = 0;      // with LVIF_PARAM
    LPSTR text = nullptr;  // with LVIF_TEXT
    int indent = 0;        // with LVIF_INDENT
};

bool changeItem(HWND hwnd, int item, const ItemChange& change);

void deselectAllBut(HWND hwnd, int keep) {
    auto s = listViewOf(hwnd);
    for (int i = 0; s && i < countOf(*s); ++i) {
        if (i != keep && (s->items[static_cast<std::size_t>(i)].state & LVIS_SELECTED)) {
            ItemChange off;
            off.mask = LVIF_STATE;
            off.stateMask = LVIS_SELECTED;
            changeItem(hwnd, i, off);
            s = listViewOf(hwnd);
        }
    }
}

int focusedItem(const ListViewState& s) {
    for (int i = 0; i < countOf(s); ++i) {
        if (s.items[static_cast<std::size_t>(i)].state & LVIS_FOCUSED) {
            return i;
        }
    }
    return -1;
}

// The one way an item's main fields change, as Windows does it: nothing happens (and no one
// is told) when nothing would change; LVN_ITEMCHANGING asks the parent, TRUE refuses; the
// change is made; a selection in a single-selection list deselects the others and a new
// focus takes it from the item that had it (each with its own pair of notifications, inside
// this one's); LVN_ITEMCHANGED ends it. False for no such item.
bool changeItem(HWND hwnd, int item, const ItemChange& change) {
    auto s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return false;
    }
    ListViewItem& row = s->items[static_cast<std::size_t>(item)];
    const UINT stateMask = change.stateMask & ~s->callbackMask;
    const UINT newState = (row.state & ~stateMask) | (change.state & stateMask);
    UINT changed = 0;
    if ((change.mask & LVIF_STATE) && newState != row.state) {
        changed |= LVIF_STATE;
    }
    if ((change.mask & LVIF_IMAGE) && change.image != row.image) {
        changed |= LVIF_IMAGE;
    }
    if ((change.mask & LVIF_PARAM) && change.param != row.param) {
        changed |= LVIF_PARAM;
    }
    if (change.mask & LVIF_TEXT) {
        const ListViewCell& cell = cellOf(row, 0);
        const bool callback = change.text == LPSTR_TEXTCALLBACKA;
        if (callback != cell.callback || (!callback && cell.text != boundedText(change.text))) {
            changed |= LVIF_TEXT;
        }
    }
    if ((change.mask & LVIF_INDENT) && change.indent != row.indent) {
        row.indent = change.indent;  // no notification for the indent
    }
    if (changed == 0) {
        return true;
    }
    const UINT oldState = row.state;
    const LPARAM oldParam = row.param;
    if (notifyItem(hwnd, LVN_ITEMCHANGING, item, 0, oldParam, newState, oldState, changed) != 0) {
        return true;
    }
    s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return false;
    }
    ListViewItem& target = s->items[static_cast<std::size_t>(item)];
    if (changed & LVIF_STATE) {
        target.state = (target.state & ~stateMask) | (change.state & stateMask);
    }
    if (changed & LVIF_IMAGE) {
        target.image = change.image;
    }
    if (changed & LVIF_PARAM) {
        target.param = change.param;
    }
    if (changed & LVIF_TEXT) {
        setCellText(cellOf(target, 0), change.text);
    }
    const UINT gained = newState & ~oldState;
    if ((gained & LVIS_SELECTED) && (styleOf(hwnd) & LVS_SINGLESEL)) {
        deselectAllBut(hwnd, item);
    }
    if (gained & LVIS_FOCUSED) {
        s = listViewOf(hwnd);
        for (int i = 0; s && i < countOf(*s); ++i) {
            if (i != item && (s->items[static_cast<std::size_t>(i)].state & LVIS_FOCUSED)) {
                ItemChange off;
                off.mask = LVIF_STATE;
                off.stateMask = LVIS_FOCUSED;
                changeItem(hwnd, i, off);
                s = listViewOf(hwnd);
            }
        }
    }
    s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return true;
    }
    invalidateItem(hwnd, *s, item);
    const ListViewItem& now = s->items[static_cast<std::size_t>(item)];
    notifyItem(hwnd, LVN_ITEMCHANGED, item, 0, now.param, now.state, oldState, changed);
    return true;
}

bool setState(HWND hwnd, int item, UINT state, UINT mask) {
    ItemChange change;
    change.mask = LVIF_STATE;
    change.state = state;
    change.stateMask = mask;
    return changeItem(hwnd, item, change);
}

// A user's choice of one item: the others lose their selection first, then the item becomes
// selected and focused, and it anchors later shift-selections.
void selectOnly(HWND hwnd, int item) {
    deselectAllBut(hwnd, item);
    setState(hwnd, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (auto s = listViewOf(hwnd)) {
        s->selectionMark = item;
    }
}

// ---- Items --------------------------------------------------------------------------------------

// Where a new item goes in a sorted list (LVS_SORTASCENDING / LVS_SORTDESCENDING): after the
// items whose text sorts before or equal to it, compared without letter case.
int sortedPosition(HWND hwnd, const ListViewState& s, const std::string& text) {
    const bool descending = (styleOf(hwnd) & LVS_SORTDESCENDING) != 0;
    int at = 0;
    for (; at < countOf(s); ++at) {
        const ListViewItem& row = s.items[static_cast<std::size_t>(at)];
        const std::string other = row.cells.empty() ? std::string() : row.cells[0].text;
        const int order = compareNoCase(text, other);
        if (descending ? order > 0 : order < 0) {
            break;
        }
    }
    return at;
}

LRESULT insertItem(HWND hwnd, ListViewState& s, const LVITEMA* lvi) {
    if (lvi == nullptr || lvi->iItem < 0 || lvi->iSubItem != 0) {
        return -1;
    }
    ListViewItem row;
    if (lvi->mask & LVIF_TEXT) {
        setCellText(cellOf(row, 0), lvi->pszText);
    }
    if (lvi->mask & LVIF_IMAGE) {
        row.image = lvi->iImage;
    }
    if (lvi->mask & LVIF_PARAM) {
        row.param = lvi->lParam;
    }
    if (lvi->mask & LVIF_INDENT) {
        row.indent = std::max(0, lvi->iIndent);
    }
    UINT wanted = 0;
    if (lvi->mask & LVIF_STATE) {
        row.state = lvi->state & lvi->stateMask & ~(LVIS_SELECTED | LVIS_FOCUSED);
        wanted = lvi->state & lvi->stateMask & (LVIS_SELECTED | LVIS_FOCUSED);
    }
    if ((s.exStyle & LVS_EX_CHECKBOXES) && (row.state & LVIS_STATEIMAGEMASK) == 0) {
        row.state |= INDEXTOSTATEIMAGEMASK(1);
    }
    int at = std::min(lvi->iItem, countOf(s));
    if ((styleOf(hwnd) & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !row.cells.empty() &&
        !row.cells[0].callback) {
        at = sortedPosition(hwnd, s, row.cells[0].text);
    }
    const LPARAM param = row.param;
    s.items.insert(s.items.begin() + at, std::move(row));
    if (s.selectionMark >= at) {
        ++s.selectionMark;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    notifyItem(hwnd, LVN_INSERTITEM, at, 0, param);
    // A new item that comes selected or focused takes those the ordinary way, so a single
    // selection list stays single and the parent hears of it.
    if (wanted != 0 && IsWindow(hwnd)) {
        setState(hwnd, at, wanted, wanted);
    }
    return at;
}

LRESULT deleteItem(HWND hwnd, int item) {
    auto s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return FALSE;
    }
    notifyItem(hwnd, LVN_DELETEITEM, item, 0, s->items[static_cast<std::size_t>(item)].param);
    s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return FALSE;
    }
    s->items.erase(s->items.begin() + item);
    if (s->selectionMark == item) {
        s->selectionMark = -1;
    } else if (s->selectionMark > item) {
        --s->selectionMark;
    }
    s->topIndex = std::clamp(s->topIndex, 0, std::max(0, countOf(*s) - 1));
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

// LVN_DELETEALLITEMS first; unless the parent answers TRUE, LVN_DELETEITEM for each item,
// the last first.
LRESULT deleteAllItems(HWND hwnd) {
    auto s = listViewOf(hwnd);
    if (!s) {
        return FALSE;
    }
    if (s->items.empty()) {
        return TRUE;
    }
    const bool quiet = notifyItem(hwnd, LVN_DELETEALLITEMS, -1, 0, 0) != 0;
    if (!quiet) {
        for (int i = s ? countOf(*s) - 1 : -1; i >= 0; --i) {
            s = listViewOf(hwnd);
            if (!s || !validItem(*s, i)) {
                continue;
            }
            notifyItem(hwnd, LVN_DELETEITEM, i, 0, s->items[static_cast<std::size_t>(i)].param);
        }
    }
    s = listViewOf(hwnd);
    if (s) {
        s->items.clear();
        s->topIndex = 0;
        s->selectionMark = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return TRUE;
}

LRESULT setItem(HWND hwnd, const LVITEMA* lvi) {
    auto s = listViewOf(hwnd);
    if (!s || lvi == nullptr || !validItem(*s, lvi->iItem) || lvi->iSubItem < 0) {
        return FALSE;
    }
    if (lvi->iSubItem > 0) {
        // Subitems keep a text (and nothing else shown here); no notifications, as Windows.
        if (lvi->mask & LVIF_TEXT) {
            setCellText(cellOf(s->items[static_cast<std::size_t>(lvi->iItem)], lvi->iSubItem),
                        lvi->pszText);
            invalidateItem(hwnd, *s, lvi->iItem);
        }
        return TRUE;
    }
    ItemChange change;
    change.mask = lvi->mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT);
    change.state = lvi->state;
    change.stateMask = lvi->stateMask;
    change.image = lvi->iImage;
    change.param = lvi->lParam;
    change.text = lvi->pszText;
    change.indent = lvi->iIndent;
    return changeItem(hwnd, lvi->iItem, change) ? TRUE : FALSE;
}

LRESULT getItem(HWND hwnd, LVITEMA* lvi) {
    auto s = listViewOf(hwnd);
    if (!s || lvi == nullptr || !validItem(*s, lvi->iItem) || lvi->iSubItem < 0) {
        return FALSE;
    }
    const ListViewItem& row = s->items[static_cast<std::size_t>(lvi->iItem)];
    const LPARAM param = row.param;
    const UINT state = row.state;
    const int indent = row.indent;
    if (lvi->mask & LVIF_STATE) {
        lvi->state = state & lvi->stateMask;
    }
    if (lvi->mask & LVIF_PARAM) {
        lvi->lParam = param;
    }
    if (lvi->mask & LVIF_INDENT) {
        lvi->iIndent = indent;
    }
    if (lvi->mask & LVIF_IMAGE) {
        lvi->iImage = lvi->iSubItem == 0 ? kvwin32::internal::listViewItemImage(hwnd, lvi->iItem)
                                         : I_IMAGENONE;
    }
    if (lvi->mask & LVIF_TEXT) {
        copyOut(kvwin32::internal::listViewCellText(hwnd, lvi->iItem, lvi->iSubItem), lvi->pszText,
                lvi->cchTextMax);
    }
    return TRUE;
}

LRESULT setItemText(HWND hwnd, WPARAM item, const LVITEMA* lvi) {
    if (lvi == nullptr) {
        return FALSE;
    }
    LVITEMA change{};
    change.mask = LVIF_TEXT;
    change.iItem = static_cast<int>(item);
    change.iSubItem = lvi->iSubItem;
    change.pszText = lvi->pszText;
    return setItem(hwnd, &change);
}

LRESULT getItemText(HWND hwnd, WPARAM item, LVITEMA* lvi) {
    auto s = listViewOf(hwnd);
    if (!s || lvi == nullptr || !validItem(*s, static_cast<int>(item)) || lvi->iSubItem < 0) {
        return 0;
    }
    return copyOut(kvwin32::internal::listViewCellText(hwnd, static_cast<int>(item), lvi->iSubItem),
                   lvi->pszText, lvi->cchTextMax);
}

// LVM_SETITEMSTATE: item -1 changes every item.
LRESULT setItemState(HWND hwnd, WPARAM wParam, const LVITEMA* lvi) {
    auto s = listViewOf(hwnd);
    if (!s || lvi == nullptr) {
        return FALSE;
    }
    const int item = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (item == -1) {
        for (int i = 0; s && i < countOf(*s); ++i) {
            setState(hwnd, i, lvi->state, lvi->stateMask);
            s = listViewOf(hwnd);
        }
        return TRUE;
    }
    return setState(hwnd, item, lvi->state, lvi->stateMask) ? TRUE : FALSE;
}

LRESULT getItemState(const ListViewState& s, WPARAM item, LPARAM mask) {
    const int index = static_cast<int>(static_cast<INT_PTR>(item));
    if (!validItem(s, index)) {
        return 0;
    }
    return s.items[static_cast<std::size_t>(index)].state & static_cast<UINT>(mask);
}

// LVM_GETNEXTITEM: the next item after `start` (-1: from the first) with every state bit the
// flags ask for; LVNI_ABOVE searches upwards; -1 when none.
LRESULT getNextItem(const ListViewState& s, WPARAM wParam, LPARAM lParam) {
    const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
    const auto flags = static_cast<UINT>(lParam);
    UINT wanted = 0;
    if (flags & LVNI_SELECTED)
        wanted |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        wanted |= LVIS_FOCUSED;
    if (flags & LVNI_CUT)
        wanted |= LVIS_CUT;
    if (flags & LVNI_DROPHILITED)
        wanted |= LVIS_DROPHILITED;
    const bool up = (flags & LVNI_ABOVE) != 0;
    const int step = up ? -1 : 1;
    int i = start < 0 ? (up ? -1 : 0) : start + step;
    for (; i >= 0 && i < countOf(s); i += step) {
        if ((s.items[static_cast<std::size_t>(i)].state & wanted) == wanted) {
            return i;
        }
    }
    return -1;
}

// LVM_FINDITEMA: from the item after `start` to the end, then with LVFI_WRAP from the first
// item up to `start`. LVFI_PARAM compares values; LVFI_STRING texts without letter case,
// whole (or as a prefix with LVFI_PARTIAL).
LRESULT findItem(HWND hwnd, WPARAM wParam, const LVFINDINFOA* find) {
    auto s = listViewOf(hwnd);
    if (!s || find == nullptr) {
        return -1;
    }
    const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool byParam = (find->flags & LVFI_PARAM) != 0;
    const bool byText = (find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    if ((!byParam && !byText) || (!byParam && find->psz == nullptr)) {
        return -1;
    }
    const bool partial = (find->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    const std::string wanted = byParam ? std::string() : boundedText(find->psz);
    const int count = countOf(*s);
    const int first = std::max(start + 1, 0);
    const int total = (find->flags & LVFI_WRAP) ? count : count - first;
    for (int n = 0; n < total; ++n) {
        const int i = (first + n) % std::max(count, 1);
        s = listViewOf(hwnd);
        if (!s || !validItem(*s, i)) {
            return -1;
        }
        if (byParam) {
            if (s->items[static_cast<std::size_t>(i)].param == find->lParam) {
                return i;
            }
            continue;
        }
        const std::string text = kvwin32::internal::listViewCellText(hwnd, i, 0);
        const bool match =
            partial ? text.size() >= wanted.size() && kvwin32::ascii::startsWithNoCase(text, wanted)
                    : equalNoCase(text, wanted);
        if (match) {
            return i;
        }
    }
    return -1;
}

LRESULT getItemRect(HWND hwnd, const ListViewState& s, WPARAM item, RECT* rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    const int part = rect->left;
    return kvwin32::internal::listViewItemRect(hwnd, s, static_cast<int>(item), part, *rect)
               ? TRUE
               : FALSE;
}

LRESULT getSubItemRect(HWND hwnd, const ListViewState& s, WPARAM item, RECT* rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    const int part = rect->left;
    const int column = rect->top;
    if (column == 0) {
        return getItemRect(hwnd, s, item, rect);
    }
    return kvwin32::internal::listViewSubItemRect(hwnd, s, static_cast<int>(item), column, part,
                                                  *rect)
               ? TRUE
               : FALSE;
}

LRESULT hitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info, bool subItems) {
    if (info == nullptr) {
        return -1;
    }
    kvwin32::internal::listViewHitTest(hwnd, s, *info, subItems);
    return info->iItem;
}

LRESULT ensureVisible(HWND hwnd, ListViewState& s, WPARAM item) {
    const int index = static_cast<int>(item);
    if (!validItem(s, index)) {
        return FALSE;
    }
    const int page = kvwin32::internal::listViewRowsPerPage(hwnd, s);
    if (index < s.topIndex) {
        s.topIndex = index;
    } else if (index >= s.topIndex + page) {
        s.topIndex = index - page + 1;
    } else {
        return TRUE;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT scroll(HWND hwnd, ListViewState& s, LPARAM dy) {
    const int rows = static_cast<int>(dy) / kvwin32::internal::listViewRowHeight(s);
    const int last = std::max(0, countOf(s) - kvwin32::internal::listViewRowsPerPage(hwnd, s));
    s.topIndex = std::clamp(s.topIndex + rows, 0, last);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

// LVM_SORTITEMS: the comparison gets the items' values; the order of equal items is kept.
LRESULT sortItems(HWND hwnd, WPARAM sortParam, LPARAM compare) {
    auto s = listViewOf(hwnd);
    auto function = reinterpret_cast<PFNLVCOMPARE>(compare);
    if (!s || function == nullptr) {
        return FALSE;
    }
    std::vector<ListViewItem> items = s->items;
    std::stable_sort(items.begin(), items.end(), [&](const ListViewItem& a, const ListViewItem& b) {
        return function(a.param, b.param, static_cast<LPARAM>(sortParam)) < 0;
    });
    s = listViewOf(hwnd);
    if (!s || items.size() != s->items.size()) {
        return FALSE;
    }
    s->items = std::move(items);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT selectedCount(const ListViewState& s) {
    return std::count_if(s.items.begin(), s.items.end(),
                         [](const ListViewItem& i) { return (i.state & LVIS_SELECTED) != 0; });
}

// ---- Image lists and extended styles ------------------------------------------------------------

LRESULT setImageList(HWND hwnd, ListViewState& s, WPARAM which, LPARAM list) {
    auto handle = reinterpret_cast<HIMAGELIST>(list);
    HIMAGELIST* slot = nullptr;
    switch (which) {
        case LVSIL_NORMAL:
            slot = &s.normalImages;
            break;
        case LVSIL_SMALL:
            slot = &s.smallImages;
            break;
        case LVSIL_STATE:
            slot = &s.stateImages;
            if (s.ownStateImages && s.stateImages != handle) {
                ImageList_Destroy(s.stateImages);
                s.ownStateImages = false;
            }
            break;
        default:
            return 0;
    }
    HIMAGELIST previous = *slot;
    *slot = handle;
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT getImageList(const ListViewState& s, WPARAM which) {
    switch (which) {
        case LVSIL_NORMAL:
            return reinterpret_cast<LRESULT>(s.normalImages);
        case LVSIL_SMALL:
            return reinterpret_cast<LRESULT>(s.smallImages);
        case LVSIL_STATE:
            return reinterpret_cast<LRESULT>(s.stateImages);
        default:
            return 0;
    }
}

// Turning LVS_EX_CHECKBOXES on gives the list its check box images and every item the
// unchecked one; turning it off takes them away again, as Windows does.
LRESULT setExtendedStyle(HWND hwnd, ListViewState& s, WPARAM mask, LPARAM styles) {
    const DWORD previous = s.exStyle;
    const DWORD which = mask == 0 ? 0xFFFFFFFFu : static_cast<DWORD>(mask);
    s.exStyle = (s.exStyle & ~which) | (static_cast<DWORD>(styles) & which);
    const bool hadBoxes = (previous & LVS_EX_CHECKBOXES) != 0;
    const bool hasBoxes = (s.exStyle & LVS_EX_CHECKBOXES) != 0;
    if (hasBoxes && !hadBoxes) {
        if (s.stateImages == nullptr) {
            s.stateImages = kvwin32::internal::listViewCheckBoxImages();
            s.ownStateImages = true;
        }
        for (ListViewItem& item : s.items) {
            if ((item.state & LVIS_STATEIMAGEMASK) == 0) {
                item.state |= INDEXTOSTATEIMAGEMASK(1);
            }
        }
    } else if (hadBoxes && !hasBoxes) {
        if (s.ownStateImages) {
            ImageList_Destroy(s.stateImages);
            s.stateImages = nullptr;
            s.ownStateImages = false;
        }
        for (ListViewItem& item : s.items) {
            item.state &= ~static_cast<UINT>(LVIS_STATEIMAGEMASK);
        }
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

// ---- Columns ------------------------------------------------------------------------------------

void applyColumn(ListViewColumn& column, const LVCOLUMNA& lvc) {
    if (lvc.mask & LVCF_FMT) {
        column.fmt = lvc.fmt;
    }
    if (lvc.mask & LVCF_WIDTH) {
        column.cx = std::max(0, lvc.cx);
    }
    if (lvc.mask & LVCF_TEXT) {
        column.text = lvc.pszText == LPSTR_TEXTCALLBACKA ? std::string() : boundedText(lvc.pszText);
    }
    if (lvc.mask & LVCF_SUBITEM) {
        column.subItem = std::max(0, lvc.iSubItem);
    }
    if (lvc.mask & LVCF_IMAGE) {
        column.image = lvc.iImage;
    }
    if (lvc.mask & LVCF_ORDER) {
        column.order = lvc.iOrder;
    }
}

LRESULT insertColumn(HWND hwnd, ListViewState& s, WPARAM index, const LVCOLUMNA* lvc) {
    if (lvc == nullptr) {
        return -1;
    }
    const int at = std::min(static_cast<int>(index), static_cast<int>(s.columns.size()));
    if (at < 0) {
        return -1;
    }
    ListViewColumn column;
    column.subItem = at;
    column.order = at;
    applyColumn(column, *lvc);
    s.columns.insert(s.columns.begin() + at, std::move(column));
    InvalidateRect(hwnd, nullptr, TRUE);
    return at;
}

// Removing a column removes the subitem it showed from every item; the later subitems move
// down one place, as their columns do.
LRESULT deleteColumn(HWND hwnd, ListViewState& s, WPARAM index) {
    const int at = static_cast<int>(index);
    if (at < 0 || at >= static_cast<int>(s.columns.size())) {
        return FALSE;
    }
    const int subItem = s.columns[static_cast<std::size_t>(at)].subItem;
    s.columns.erase(s.columns.begin() + at);
    if (subItem > 0) {
        for (ListViewItem& item : s.items) {
            if (item.cells.size() > static_cast<std::size_t>(subItem)) {
                item.cells.erase(item.cells.begin() + subItem);
            }
        }
        for (ListViewColumn& column : s.columns) {
            if (column.subItem > subItem) {
                --column.subItem;
            }
        }
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT getColumn(const ListViewState& s, WPARAM index, LVCOLUMNA* lvc) {
    if (lvc == nullptr || index >= s.columns.size()) {
        return FALSE;
    }
    const ListViewColumn& column = s.columns[index];
    if (lvc->mask & LVCF_FMT) {
        lvc->fmt = column.fmt;
    }
    if (lvc->mask & LVCF_WIDTH) {
        lvc->cx = column.cx;
    }
    if (lvc->mask & LVCF_TEXT) {
        copyOut(column.text, lvc->pszText, lvc->cchTextMax);
    }
    if (lvc->mask & LVCF_SUBITEM) {
        lvc->iSubItem = column.subItem;
    }
    if (lvc->mask & LVCF_IMAGE) {
        lvc->iImage = column.image;
    }
    if (lvc->mask & LVCF_ORDER) {
        lvc->iOrder = column.order;
    }
    return TRUE;
}

LRESULT setColumn(HWND hwnd, ListViewState& s, WPARAM index, const LVCOLUMNA* lvc) {
    if (lvc == nullptr || index >= s.columns.size()) {
        return FALSE;
    }
    applyColumn(s.columns[index], *lvc);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

// LVSCW_AUTOSIZE fits the widest text of the column; LVSCW_AUTOSIZE_USEHEADER also the
// header's, and makes the last column reach the right edge of the client area.
LRESULT setColumnWidth(HWND hwnd, WPARAM index, LPARAM width) {
    auto s = listViewOf(hwnd);
    if (!s || index >= s->columns.size()) {
        return FALSE;
    }
    int cx = static_cast<int>(static_cast<short>(LOWORD(width)));
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
        const int subItem = index == 0 ? 0 : s->columns[index].subItem;
        int widest = 0;
        for (int i = 0; i < countOf(*s); ++i) {
            const auto text = kvwin32::internal::listViewCellText(hwnd, i, subItem);
            widest = std::max(widest, kvwin32::internal::textWidth(text));
            s = listViewOf(hwnd);
            if (!s || index >= s->columns.size()) {
                return FALSE;
            }
        }
        if (index == 0) {
            RECT label{};
            RECT bounds{};
            if (kvwin32::internal::listViewItemRect(hwnd, *s, 0, LVIR_LABEL, label) &&
                kvwin32::internal::listViewItemRect(hwnd, *s, 0, LVIR_BOUNDS, bounds)) {
                widest += label.left - bounds.left;
            }
        }
        if (cx == LVSCW_AUTOSIZE_USEHEADER) {
            widest = std::max(widest, kvwin32::internal::textWidth(s->columns[index].text));
        }
        cx = widest + kAutoSizeMargin;
        if (cx == kAutoSizeMargin + 0 && widest == 0) {
            cx = kAutoSizeMargin;
        }
        if (width == LVSCW_AUTOSIZE_USEHEADER && index + 1 == s->columns.size()) {
            RECT client{};
            GetClientRect(hwnd, &client);
            const int left = kvwin32::internal::listViewColumnLeft(*s, static_cast<int>(index));
            cx = std::max(cx, static_cast<int>(client.right) - left);
        }
    }
    s->columns[index].cx = std::max(0, cx);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT getColumnWidth(const ListViewState& s, WPARAM index) {
    return index < s.columns.size() ? s.columns[index].cx : 0;
}

// ---- The user ----------------------------------------------------------------------------------

void toggleCheck(HWND hwnd, int item) {
    auto s = listViewOf(hwnd);
    if (!s || !validItem(*s, item)) {
        return;
    }
    const UINT current =
        (s->items[static_cast<std::size_t>(item)].state & LVIS_STATEIMAGEMASK) >> 12;
    setState(hwnd, item, INDEXTOSTATEIMAGEMASK(current == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

// Shift selects from the selection mark to the item; Control toggles the item (not in a
// single-selection list); a plain click selects the item alone.
void clickSelect(HWND hwnd, int item, WPARAM keys) {
    auto s = listViewOf(hwnd);
    if (!s) {
        return;
    }
    const bool single = (styleOf(hwnd) & LVS_SINGLESEL) != 0;
    if (!single && (keys & MK_SHIFT) && validItem(*s, s->selectionMark)) {
        const int from = std::min(s->selectionMark, item);
        const int to = std::max(s->selectionMark, item);
        const int mark = s->selectionMark;
        for (int i = 0; s && i < countOf(*s); ++i) {
            setState(hwnd, i, (i >= from && i <= to) ? LVIS_SELECTED : 0, LVIS_SELECTED);
            s = listViewOf(hwnd);
        }
        setState(hwnd, item, LVIS_FOCUSED, LVIS_FOCUSED);
        if ((s = listViewOf(hwnd))) {
            s->selectionMark = mark;
        }
        return;
    }
    if (!single && (keys & MK_CONTROL)) {
        const UINT selected = s->items[static_cast<std::size_t>(item)].state & LVIS_SELECTED;
        setState(hwnd, item, (selected ^ LVIS_SELECTED) | LVIS_FOCUSED,
                 LVIS_SELECTED | LVIS_FOCUSED);
        if ((s = listViewOf(hwnd))) {
            s->selectionMark = item;
        }
        return;
    }
    selectOnly(hwnd, item);
}

// WM_LBUTTONDOWN: the list takes the focus, then the click selects (or, on a check box,
// toggles it); a click on no item clears the selection. NM_CLICK follows at the button's
// release, as Windows sends it once the button is up.
// The header column under a client point, -1 when the point is not on the header.
int headerColumnAt(HWND hwnd, const ListViewState& s, POINT pt) {
    if (pt.y < 0 || pt.y >= kvwin32::internal::listViewHeaderHeight(hwnd)) {
        return -1;
    }
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const int left = kvwin32::internal::listViewColumnLeft(s, static_cast<int>(c));
        if (pt.x >= left && pt.x < left + s.columns[c].cx) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

LRESULT buttonDown(HWND hwnd, WPARAM keys, LPARAM lParam) {
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    auto s = listViewOf(hwnd);
    if (!s) {
        return 0;
    }
    LVHITTESTINFO info{};
    info.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // A press on the header is the header's: it neither selects nor clicks an item.
    if (info.pt.y >= 0 && info.pt.y < kvwin32::internal::listViewHeaderHeight(hwnd)) {
        s->downColumn = headerColumnAt(hwnd, *s, info.pt);
        return 0;
    }
    s->downColumn = -1;
    kvwin32::internal::listViewHitTest(hwnd, *s, info, false);
    LVHITTESTINFO sub{};
    sub.pt = info.pt;
    kvwin32::internal::listViewHitTest(hwnd, *s, sub, true);
    s->buttonDown = true;
    s->downPoint = info.pt;
    s->downItem = info.iItem;
    s->downSubItem = sub.iItem >= 0 ? sub.iSubItem : 0;
    if (info.iItem < 0) {
        if ((keys & (MK_SHIFT | MK_CONTROL)) == 0) {
            deselectAllBut(hwnd, -1);
        }
        return 0;
    }
    if ((info.flags & LVHT_ONITEMSTATEICON) && (s->exStyle & LVS_EX_CHECKBOXES)) {
        toggleCheck(hwnd, info.iItem);
        return 0;
    }
    clickSelect(hwnd, info.iItem, keys);
    return 0;
}

// A header button released over the column it was pressed on reports LVN_COLUMNCLICK,
// unless LVS_NOSORTHEADER makes the header plain.
LRESULT headerUp(HWND hwnd, ListViewState& s, POINT pt) {
    const int column = s.downColumn;
    s.downColumn = -1;
    if (column >= 0 && headerColumnAt(hwnd, s, pt) == column &&
        (styleOf(hwnd) & LVS_NOSORTHEADER) == 0) {
        notifyItem(hwnd, LVN_COLUMNCLICK, -1, column, 0, 0, 0, 0, pt);
    }
    return 0;
}

LRESULT buttonUp(HWND hwnd, LPARAM lParam) {
    auto s = listViewOf(hwnd);
    if (s && s->downColumn >= 0) {
        return headerUp(hwnd, *s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
    if (!s || !s->buttonDown) {
        return 0;
    }
    s->buttonDown = false;
    notifyActivate(hwnd, NM_CLICK, s->downItem, s->downSubItem, s->downPoint);
    return 0;
}

// WM_LBUTTONDBLCLK: selects as a press does, then NM_DBLCLK, and LVN_ITEMACTIVATE on an
// item. The release that follows sends no NM_CLICK.
LRESULT doubleClick(HWND hwnd, WPARAM keys, LPARAM lParam) {
    buttonDown(hwnd, keys, lParam);
    auto s = listViewOf(hwnd);
    if (!s || s->downColumn >= 0) {
        return 0;
    }
    s->buttonDown = false;
    const int item = s->downItem;
    const int subItem = s->downSubItem;
    const POINT at = s->downPoint;
    notifyActivate(hwnd, NM_DBLCLK, item, subItem, at);
    if (item >= 0 && IsWindow(hwnd)) {
        notifyActivate(hwnd, LVN_ITEMACTIVATE, item, subItem, at);
    }
    return 0;
}

LRESULT rightClick(HWND hwnd, LPARAM lParam) {
    auto s = listViewOf(hwnd);
    if (!s) {
        return 0;
    }
    LVHITTESTINFO info{};
    info.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    kvwin32::internal::listViewHitTest(hwnd, *s, info, true);
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    if (info.iItem >= 0 && IsWindow(hwnd)) {
        if (auto fresh = listViewOf(hwnd);
            fresh && validItem(*fresh, info.iItem) &&
            !(fresh->items[static_cast<std::size_t>(info.iItem)].state & LVIS_SELECTED)) {
            selectOnly(hwnd, info.iItem);
        }
    }
    notifyActivate(hwnd, NM_RCLICK, info.iItem, info.iItem >= 0 ? info.iSubItem : 0, info.pt);
    return 0;
}

// WM_KEYDOWN: LVN_KEYDOWN to the parent first, then the keys of the list: arrows, Home, End,
// Page Up and Page Down move the focus and select the item reached; Space toggles the focused
// item's check box (or selects it); Enter notifies NM_RETURN.
LRESULT keyDown(HWND hwnd, WPARAM key) {
    NMLVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(key);
    notifyParentNm(hwnd, nm.hdr, LVN_KEYDOWN);
    auto s = listViewOf(hwnd);
    if (!s || s->items.empty()) {
        return 0;
    }
    const int count = countOf(*s);
    const int focus = focusedItem(*s);
    const int page = kvwin32::internal::listViewRowsPerPage(hwnd, *s);
    int target = -1;
    switch (key) {
        case VK_UP:
            target = focus < 0 ? 0 : std::max(0, focus - 1);
            break;
        case VK_DOWN:
            target = focus < 0 ? 0 : std::min(count - 1, focus + 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            target = std::max(0, (focus < 0 ? 0 : focus) - page + 1);
            break;
        case VK_NEXT:
            target = std::min(count - 1, (focus < 0 ? 0 : focus) + page - 1);
            break;
        case VK_SPACE:
            if (focus >= 0) {
                if (s->exStyle & LVS_EX_CHECKBOXES) {
                    toggleCheck(hwnd, focus);
                } else {
                    setState(hwnd, focus, LVIS_SELECTED, LVIS_SELECTED);
                }
            }
            return 0;
        case VK_RETURN: {
            NMHDR hdr{};
            notifyParentNm(hwnd, hdr, NM_RETURN);
            return 0;
        }
        default:
            return 0;
    }
    if (target == focus && focus >= 0 &&
        (s->items[static_cast<std::size_t>(focus)].state & LVIS_SELECTED)) {
        return 0;
    }
    selectOnly(hwnd, target);
    if ((s = listViewOf(hwnd))) {
        ensureVisible(hwnd, *s, static_cast<WPARAM>(target));
    }
    return 0;
}

LRESULT focusChange(HWND hwnd, bool gained) {
    auto s = listViewOf(hwnd);
    if (!s) {
        return 0;
    }
    s->hasFocus = gained;
    InvalidateRect(hwnd, nullptr, TRUE);
    NMHDR hdr{};
    notifyParentNm(hwnd, hdr, gained ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

// On destruction the items go with the usual notifications, and the image lists the control
// holds are destroyed unless LVS_SHAREIMAGELISTS says they are shared, as Windows does.
LRESULT destroy(HWND hwnd) {
    deleteAllItems(hwnd);
    auto s = listViewOf(hwnd);
    if (!s) {
        return 0;
    }
    const bool shared = (styleOf(hwnd) & LVS_SHAREIMAGELISTS) != 0;
    for (HIMAGELIST* list : {&s->normalImages, &s->smallImages, &s->stateImages}) {
        const bool own = list == &s->stateImages && s->ownStateImages;
        if (*list != nullptr && (own || !shared)) {
            ImageList_Destroy(*list);
        }
        *list = nullptr;
    }
    return 0;
}

LRESULT setColour(HWND hwnd, COLORREF& slot, LPARAM colour) {
    slot = static_cast<COLORREF>(colour);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT colourOr(COLORREF colour, int sysColour) {
    return colour == CLR_INVALID ? GetSysColor(sysColour) : colour;
}

LRESULT listViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        kvwin32::internal::attachState(hwnd, std::make_shared<ListViewState>());
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto s = listViewOf(hwnd);
    if (!s) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_DESTROY:
            return destroy(hwnd);
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return kvwin32::internal::paintControl(
                hwnd, wParam, [&](HDC dc) { kvwin32::internal::listViewPaint(hwnd, dc); });
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETFONT:
            return kvwin32::internal::setControlFont(hwnd, *s, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            return focusChange(hwnd, true);
        case WM_KILLFOCUS:
            return focusChange(hwnd, false);
        case WM_LBUTTONDOWN:
            return buttonDown(hwnd, wParam, lParam);
        case WM_LBUTTONUP:
            return buttonUp(hwnd, lParam);
        case WM_LBUTTONDBLCLK:
            return doubleClick(hwnd, wParam, lParam);
        case WM_RBUTTONDOWN:
            return rightClick(hwnd, lParam);
        case WM_KEYDOWN:
            return keyDown(hwnd, wParam);
        case LVM_GETITEMCOUNT:
            return countOf(*s);
        case LVM_SETITEMCOUNT:
            return TRUE;
        case LVM_INSERTITEMA:
            return insertItem(hwnd, *s, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_DELETEITEM:
            return deleteItem(hwnd, static_cast<int>(wParam));
        case LVM_DELETEALLITEMS:
            return deleteAllItems(hwnd);
        case LVM_SETITEMA:
            return setItem(hwnd, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_GETITEMA:
            return getItem(hwnd, reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMTEXTA:
            return setItemText(hwnd, wParam, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_GETITEMTEXTA:
            return getItemText(hwnd, wParam, reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMSTATE:
            return setItemState(hwnd, wParam, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_GETITEMSTATE:
            return getItemState(*s, wParam, lParam);
        case LVM_GETNEXTITEM:
            return getNextItem(*s, wParam, lParam);
        case LVM_FINDITEMA:
            return findItem(hwnd, wParam, reinterpret_cast<const LVFINDINFOA*>(lParam));
        case LVM_GETITEMRECT:
            return getItemRect(hwnd, *s, wParam, reinterpret_cast<RECT*>(lParam));
        case LVM_GETSUBITEMRECT:
            return getSubItemRect(hwnd, *s, wParam, reinterpret_cast<RECT*>(lParam));
        case LVM_HITTEST:
            return hitTest(hwnd, *s, reinterpret_cast<LVHITTESTINFO*>(lParam), false);
        case LVM_SUBITEMHITTEST:
            return hitTest(hwnd, *s, reinterpret_cast<LVHITTESTINFO*>(lParam), true);
        case LVM_ENSUREVISIBLE:
            return ensureVisible(hwnd, *s, wParam);
        case LVM_SCROLL:
            return scroll(hwnd, *s, lParam);
        case LVM_GETTOPINDEX:
            return s->topIndex;
        case LVM_GETCOUNTPERPAGE:
            return kvwin32::internal::listViewRowsPerPage(hwnd, *s);
        case LVM_SORTITEMS:
            return sortItems(hwnd, wParam, lParam);
        case LVM_GETSELECTEDCOUNT:
            return selectedCount(*s);
        case LVM_GETSELECTIONMARK:
            return s->selectionMark;
        case LVM_SETSELECTIONMARK: {
            const int previous = s->selectionMark;
            s->selectionMark = static_cast<int>(lParam);
            return previous;
        }
        case LVM_SETIMAGELIST:
            return setImageList(hwnd, *s, wParam, lParam);
        case LVM_GETIMAGELIST:
            return getImageList(*s, wParam);
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
            return setExtendedStyle(hwnd, *s, wParam, lParam);
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return s->exStyle;
        case LVM_INSERTCOLUMNA:
            return insertColumn(hwnd, *s, wParam, reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_DELETECOLUMN:
            return deleteColumn(hwnd, *s, wParam);
        case LVM_GETCOLUMNA:
            return getColumn(*s, wParam, reinterpret_cast<LVCOLUMNA*>(lParam));
        case LVM_SETCOLUMNA:
            return setColumn(hwnd, *s, wParam, reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_SETCOLUMNWIDTH:
            return setColumnWidth(hwnd, wParam, lParam);
        case LVM_GETCOLUMNWIDTH:
            return getColumnWidth(*s, wParam);
        case LVM_GETCALLBACKMASK:
            return s->callbackMask;
        case LVM_SETCALLBACKMASK:
            s->callbackMask = static_cast<UINT>(wParam);
            return TRUE;
        case LVM_GETSTRINGWIDTHA:
            return lParam
                       ? kvwin32::internal::textWidth(boundedText(reinterpret_cast<LPCSTR>(lParam)))
                       : 0;
        case LVM_SETBKCOLOR:
            return setColour(hwnd, s->background, lParam);
        case LVM_GETBKCOLOR:
            return colourOr(s->background, COLOR_WINDOW);
        case LVM_SETTEXTCOLOR:
            return setColour(hwnd, s->textColour, lParam);
        case LVM_GETTEXTCOLOR:
            return colourOr(s->textColour, COLOR_WINDOWTEXT);
        case LVM_SETTEXTBKCOLOR:
            return setColour(hwnd, s->textBackground, lParam);
        case LVM_GETTEXTBKCOLOR:
            return colourOr(s->textBackground, COLOR_WINDOW);
        case LVM_REDRAWITEMS:
        case LVM_UPDATE:
        case LVM_ARRANGE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case LVM_GETHEADER:
            return 0;  // the header is drawn by the list itself, not a child window
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::listViewClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = listViewProc;
    wc.lpszClassName = WC_LISTVIEWA;
    return wc;
}
