// The tab control ("SysTabControl32"): one row of tabs with captions above a display area.
// The row never wraps: when the tabs are wider than the control, the row scrolls so that the
// selected tab is in view, as a single-line tab control does, and a pair of scroll arrows at
// the right end of the row scrolls it by a tab (the left arrow is greyed at the first tab,
// the right one once the last tab shows whole).
//
// Windows' notification protocol, which the property sheet builds on: a click on another tab
// asks the parent first (TCN_SELCHANGING; a non-zero answer refuses), then selects the tab and
// tells the parent (TCN_SELCHANGE). TCM_SETCURSEL selects without notifying.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "internal/gdi.h"
#include "internal/tab.h"
#include "internal/window.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/wingdi.h"

namespace kvwin32::internal {
namespace {

// Geometry of the row, in pixels, for the 13-pixel dialog font.
constexpr int kRowLeft = 2;         // first tab's left edge
constexpr int kRowTop = 2;          // top of the unselected tabs
constexpr int kTabHeight = 19;      // a line of text and its padding
constexpr int kTabPaddingX = 6;     // space left and right of the caption
constexpr int kMinTabWidth = 42;    // Windows keeps short captions readable
constexpr int kPanelGap = 2;        // between the row and the display area's frame
constexpr int kPanelInset = 4;      // display area inside the control's frame
constexpr int kSelectedGrowth = 2;  // the selected tab stands out by this much
constexpr int kRowBottom = kRowTop + kTabHeight;
constexpr int kArrowSize = 16;  // each scroll arrow, square, at the top right

struct TabItem {
    std::string text;  // caption
    int image = -1;    // index in the image list, -1 for none
    LPARAM param = 0;  // application data
    DWORD state = 0;   // TCIS_* bits
};

struct TabState : ControlState {
    std::vector<TabItem> items;      // tabs, left to right
    int selected = -1;               // selected tab, -1 for none
    int focused = -1;                // tab with the focus rectangle
    int firstVisible = 0;            // first tab shown at the left of the row
    HANDLE imageList = nullptr;      // TCM_SETIMAGELIST (kept, not drawn)
    int itemExtra = sizeof(LPARAM);  // TCM_SETITEMEXTRA, fixed once there are tabs
};

// Makes a tab (or none, -1) the selected and focused one. As on Windows the selected tab's
// state shows TCIS_BUTTONPRESSED, and only the selected tab's.
void selectTab(TabState& s, int index) {
    if (s.selected >= 0 && s.selected < static_cast<int>(s.items.size())) {
        s.items[static_cast<std::size_t>(s.selected)].state &=
            ~static_cast<DWORD>(TCIS_BUTTONPRESSED);
    }
    s.selected = index;
    s.focused = index;
    if (index >= 0 && index < static_cast<int>(s.items.size())) {
        s.items[static_cast<std::size_t>(index)].state |= TCIS_BUTTONPRESSED;
    }
}

int tabWidth(const TabItem& item) {
    // Captions are measured as DrawTextA shows them: the "&" prefixes take no room.
    std::string shown;
    for (std::size_t i = 0; i < item.text.size(); ++i) {
        if (item.text[i] == '&' && i + 1 < item.text.size()) {
            ++i;
        }
        if (i < item.text.size()) {
            shown.push_back(item.text[i]);
        }
    }
    int width = textWidth(shown) + 2 * kTabPaddingX;
    return std::max(width, kMinTabWidth);
}

// A tab's rectangle in client coordinates; tabs scrolled out lie left of the control.
RECT tabRect(const TabState& s, int index) {
    int left = kRowLeft;
    if (index >= s.firstVisible) {
        for (int i = s.firstVisible; i < index; ++i) {
            left += tabWidth(s.items[static_cast<std::size_t>(i)]);
        }
    } else {
        for (int i = index; i < s.firstVisible; ++i) {
            left -= tabWidth(s.items[static_cast<std::size_t>(i)]);
        }
    }
    int width = tabWidth(s.items[static_cast<std::size_t>(index)]);
    return RECT{left, kRowTop, left + width, kRowBottom};
}

int clientWidth(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.right;
}

// Whether the tabs are wider than the row, so that the scroll arrows show.
bool scrolls(HWND hwnd, const TabState& s) {
    int right = kRowLeft;
    for (const TabItem& item : s.items) {
        right += tabWidth(item);
    }
    return right + kSelectedGrowth > clientWidth(hwnd);
}

// Right end of the room the tabs show in: the arrows take the end of the row.
int rowRight(HWND hwnd, const TabState& s) {
    const int width = clientWidth(hwnd);
    return scrolls(hwnd, s) ? width - 2 * kArrowSize : width;
}

// The scroll arrows (left, right), when the row scrolls.
std::pair<RECT, RECT> arrowRects(HWND hwnd) {
    const int width = clientWidth(hwnd);
    return {RECT{width - 2 * kArrowSize, 0, width - kArrowSize, kArrowSize},
            RECT{width - kArrowSize, 0, width, kArrowSize}};
}

bool canScrollLeft(const TabState& s) {
    return s.firstVisible > 0;
}

bool canScrollRight(HWND hwnd, const TabState& s) {
    return !s.items.empty() &&
           tabRect(s, static_cast<int>(s.items.size()) - 1).right > rowRight(hwnd, s);
}

bool validIndex(const TabState& s, WPARAM index) {
    return static_cast<INT_PTR>(index) >= 0 && index < s.items.size();
}

void ensureVisible(HWND hwnd, TabState& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.items.size())) {
        return;
    }
    if (index < s.firstVisible) {
        s.firstVisible = index;
    }
    const int width = rowRight(hwnd, s);
    while (s.firstVisible < index && tabRect(s, index).right > width) {
        ++s.firstVisible;
    }
}

int hitTest(HWND hwnd, const TabState& s, POINT pt) {
    const int width = rowRight(hwnd, s);
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        RECT r = tabRect(s, i);
        if (r.right <= 0 || r.left >= width) {
            continue;
        }
        if (PtInRect(&r, pt)) {
            return i;
        }
    }
    return -1;
}

// Selects a tab the way a user does: the parent may refuse (TCN_SELCHANGING) and hears of
// the change (TCN_SELCHANGE) after it happened.
void selectByUser(HWND hwnd, const std::shared_ptr<TabState>& s, int index) {
    if (index == s->selected || index < 0 || index >= static_cast<int>(s->items.size())) {
        return;
    }
    NMHDR header{};
    if (notifyParentNm(hwnd, header, TCN_SELCHANGING) != 0 || !IsWindow(hwnd)) {
        return;
    }
    if (index >= static_cast<int>(s->items.size())) {
        return;  // the parent removed tabs meanwhile
    }
    selectTab(*s, index);
    ensureVisible(hwnd, *s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
    NMHDR changed{};
    notifyParentNm(hwnd, changed, TCN_SELCHANGE);
}

// TCM_SETCURFOCUS on a row of tabs: focusing a tab selects it as a click does (the parent may
// refuse); an index below zero takes focus and selection away and only tells the parent of
// the change; an index past the end, or the focused tab, changes nothing. It answers 0.
LRESULT setCurFocus(HWND hwnd, const std::shared_ptr<TabState>& s, WPARAM wParam) {
    const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (index == s->focused || index >= static_cast<int>(s->items.size())) {
        return 0;
    }
    if (index < 0) {
        selectTab(*s, -1);
        InvalidateRect(hwnd, nullptr, TRUE);
        NMHDR changed{};
        notifyParentNm(hwnd, changed, TCN_SELCHANGE);
        return 0;
    }
    selectByUser(hwnd, s, index);
    return 0;
}

LRESULT insertItem(HWND hwnd, TabState& s, WPARAM index, const TCITEMA* item) {
    if (item == nullptr || static_cast<INT_PTR>(index) < 0) {
        return -1;
    }
    std::size_t at = std::min<std::size_t>(index, s.items.size());
    TabItem tab;
    if ((item->mask & TCIF_TEXT) && item->pszText) {
        tab.text = item->pszText;
    }
    if (item->mask & TCIF_IMAGE) {
        tab.image = item->iImage;
    }
    if (item->mask & TCIF_PARAM) {
        tab.param = item->lParam;
    }
    if (item->mask & TCIF_STATE) {
        tab.state = item->dwState & item->dwStateMask;
    }
    tab.state &= ~static_cast<DWORD>(TCIS_BUTTONPRESSED);
    s.items.insert(s.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(tab));
    // Without a focused tab (the first one inserted, or after the focus was taken away) the
    // new tab becomes the selected and focused one, as on Windows; a tab inserted before the
    // selection moves it.
    if (s.focused < 0) {
        selectTab(s, static_cast<int>(at));
    } else if (s.selected >= static_cast<int>(at)) {
        ++s.selected;
        s.focused = s.selected;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return static_cast<LRESULT>(at);
}

LRESULT getItem(const TabState& s, WPARAM index, TCITEMA* item) {
    if (item == nullptr) {
        return FALSE;
    }
    if (!validIndex(s, index)) {
        // As on Windows, the fields asked for are cleared; a text buffer is left alone.
        if (item->mask & TCIF_IMAGE) {
            item->iImage = 0;
        }
        if (item->mask & TCIF_PARAM) {
            item->lParam = 0;
        }
        if (item->mask & TCIF_STATE) {
            item->dwState = 0;
        }
        return FALSE;
    }
    const TabItem& tab = s.items[index];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        std::size_t length =
            std::min<std::size_t>(tab.text.size(), static_cast<std::size_t>(item->cchTextMax) - 1);
        tab.text.copy(item->pszText, length);
        item->pszText[length] = '\0';
    }
    if (item->mask & TCIF_IMAGE) {
        item->iImage = tab.image;
    }
    if (item->mask & TCIF_PARAM) {
        item->lParam = tab.param;
    }
    if (item->mask & TCIF_STATE) {
        item->dwState = tab.state & item->dwStateMask;
    }
    return TRUE;
}

LRESULT setItem(HWND hwnd, TabState& s, WPARAM index, const TCITEMA* item) {
    if (item == nullptr || !validIndex(s, index)) {
        return FALSE;
    }
    TabItem& tab = s.items[index];
    if (item->mask & TCIF_TEXT) {
        tab.text = item->pszText ? item->pszText : "";
    }
    if (item->mask & TCIF_IMAGE) {
        tab.image = item->iImage;
    }
    if (item->mask & TCIF_PARAM) {
        tab.param = item->lParam;
    }
    if (item->mask & TCIF_STATE) {
        tab.state = (tab.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT deleteItem(HWND hwnd, TabState& s, WPARAM index) {
    if (!validIndex(s, index)) {
        return FALSE;
    }
    const int at = static_cast<int>(index);
    s.items.erase(s.items.begin() + at);
    // Windows leaves no tab selected when the selected one goes.
    if (at == s.selected) {
        selectTab(s, -1);
    } else if (at < s.selected) {
        --s.selected;
    }
    s.focused = s.selected;
    s.firstVisible =
        std::clamp(s.firstVisible, 0, std::max(0, static_cast<int>(s.items.size()) - 1));
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT deleteAll(HWND hwnd, TabState& s) {
    s.items.clear();
    s.selected = -1;
    s.focused = -1;
    s.firstVisible = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

// TCM_SETCURSEL answers the tab selected before. An index below zero leaves no tab selected
// (nor focused); one past the end changes nothing and answers -1.
LRESULT setCurSel(HWND hwnd, TabState& s, WPARAM index) {
    int previous = s.selected;
    if (static_cast<INT_PTR>(index) < 0) {
        selectTab(s, -1);
        InvalidateRect(hwnd, nullptr, TRUE);
        return previous;
    }
    if (!validIndex(s, index)) {
        return -1;
    }
    selectTab(s, static_cast<int>(index));
    ensureVisible(hwnd, s, s.selected);
    InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

LRESULT getItemRect(const TabState& s, WPARAM index, RECT* rect) {
    if (rect == nullptr || !validIndex(s, index)) {
        return FALSE;
    }
    *rect = tabRect(s, static_cast<int>(index));
    return TRUE;
}

LRESULT hitTestMessage(HWND hwnd, const TabState& s, TCHITTESTINFO* info) {
    if (info == nullptr) {
        return -1;
    }
    int index = hitTest(hwnd, s, info->pt);
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
    return index;
}

// TCM_ADJUSTRECT: the display area inside a window rectangle, or (larger) the window
// rectangle around a display area.
LRESULT adjustRect(BOOL larger, RECT* rect) {
    if (rect == nullptr) {
        return -1;
    }
    const int sign = larger ? -1 : 1;
    rect->left += sign * kPanelInset;
    rect->right -= sign * kPanelInset;
    rect->top += sign * (kRowBottom + kPanelGap);
    rect->bottom -= sign * kPanelInset;
    return 0;
}

void paint(HWND hwnd, const TabState& s, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    RECT panel = client;
    panel.top = kRowBottom;
    DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT | BF_SOFT);
    HGDIOBJ oldFont = SelectObject(dc, s.font ? s.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int right = rowRight(hwnd, s);
    // The tabs show left of the arrows; the selected one is painted last, over its neighbours.
    SaveDC(dc);
    IntersectClipRect(dc, 0, 0, right, client.bottom);
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        if (i != s.selected) {
            order.push_back(i);
        }
    }
    if (s.selected >= 0 && s.selected < static_cast<int>(s.items.size())) {
        order.push_back(s.selected);
    }
    for (int i : order) {
        RECT r = tabRect(s, i);
        if (r.right <= 0 || r.left >= right) {
            continue;
        }
        if (i == s.selected) {
            InflateRect(&r, kSelectedGrowth, 0);
            r.top -= kSelectedGrowth;
            r.bottom += 1;
            FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
        }
        DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        const std::string& text = s.items[static_cast<std::size_t>(i)].text;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (i == s.focused && GetFocus() == hwnd) {
            RECT focusRect = r;
            InflateRect(&focusRect, -3, -3);
            DrawFocusRect(dc, &focusRect);
        }
    }
    RestoreDC(dc, -1);
    if (scrolls(hwnd, s)) {
        const auto [left, rightArrow] = arrowRects(hwnd);
        drawArrowButton(dc, left, ArrowDirection::Left, false, canScrollLeft(s));
        drawArrowButton(dc, rightArrow, ArrowDirection::Right, false, canScrollRight(hwnd, s));
    }
    SelectObject(dc, oldFont);
}

LRESULT keyDown(HWND hwnd, const std::shared_ptr<TabState>& s, WPARAM key, LPARAM flags) {
    NMTCKEYDOWN down{};
    down.wVKey = static_cast<WORD>(key);
    down.flags = static_cast<UINT>(flags);
    notifyParentNm(hwnd, down.hdr, TCN_KEYDOWN);
    if (!IsWindow(hwnd)) {
        return 0;
    }
    int count = static_cast<int>(s->items.size());
    int target = s->selected;
    switch (key) {
        case VK_LEFT:
        case VK_UP:
            target = std::max(0, s->selected - 1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            target = std::min(count - 1, s->selected + 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        default:
            return 0;
    }
    selectByUser(hwnd, s, target);
    return 0;
}

LRESULT buttonDown(HWND hwnd, const std::shared_ptr<TabState>& s, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (scrolls(hwnd, *s)) {
        // The arrows scroll the row by a tab; the selection stays.
        const auto [left, right] = arrowRects(hwnd);
        if (PtInRect(&left, pt) || PtInRect(&right, pt)) {
            if (PtInRect(&left, pt) && canScrollLeft(*s)) {
                --s->firstVisible;
            } else if (PtInRect(&right, pt) && canScrollRight(hwnd, *s)) {
                ++s->firstVisible;
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
    }
    int index = hitTest(hwnd, *s, pt);
    Window* w = windowRecord(hwnd);
    if (w && !(w->style & TCS_FOCUSNEVER)) {
        SetFocus(hwnd);
    }
    if (index >= 0 && IsWindow(hwnd)) {
        selectByUser(hwnd, s, index);
    }
    return 0;
}

LRESULT tabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        attachState(hwnd, std::make_shared<TabState>());
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    std::shared_ptr<TabState> s = stateOf<TabState>(hwnd);
    if (s == nullptr) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_NCDESTROY:
            detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintControl(hwnd, wParam, [&](HDC dc) { paint(hwnd, *s, dc); });
        case WM_SETFONT:
            return setControlFont(hwnd, *s, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_LBUTTONDOWN:
            return buttonDown(hwnd, s, lParam);
        case WM_KEYDOWN:
            return keyDown(hwnd, s, wParam, lParam);
        case WM_SIZE:
            ensureVisible(hwnd, *s, s->selected);
            return 0;
        case TCM_INSERTITEMA:
            return insertItem(hwnd, *s, wParam, reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_GETITEMA:
            return getItem(*s, wParam, reinterpret_cast<TCITEMA*>(lParam));
        case TCM_SETITEMA:
            return setItem(hwnd, *s, wParam, reinterpret_cast<const TCITEMA*>(lParam));
        case TCM_DELETEITEM:
            return deleteItem(hwnd, *s, wParam);
        case TCM_DELETEALLITEMS:
            return deleteAll(hwnd, *s);
        case TCM_GETITEMCOUNT:
            return static_cast<LRESULT>(s->items.size());
        case TCM_GETCURSEL:
            return s->selected;
        case TCM_SETCURSEL:
            return setCurSel(hwnd, *s, wParam);
        case TCM_GETCURFOCUS:
            return s->focused;
        case TCM_SETCURFOCUS:
            return setCurFocus(hwnd, s, wParam);
        case TCM_GETITEMRECT:
            return getItemRect(*s, wParam, reinterpret_cast<RECT*>(lParam));
        case TCM_HITTEST:
            return hitTestMessage(hwnd, *s, reinterpret_cast<TCHITTESTINFO*>(lParam));
        case TCM_ADJUSTRECT:
            return adjustRect(static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
        case TCM_GETROWCOUNT:
            return s->items.empty() ? 0 : 1;
        case TCM_SETIMAGELIST: {
            HANDLE previous = s->imageList;
            s->imageList = reinterpret_cast<HANDLE>(lParam);
            return reinterpret_cast<LRESULT>(previous);
        }
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(s->imageList);
        case TCM_SETITEMEXTRA:
            // Each tab keeps an LPARAM whatever the size asked for; as on Windows the size
            // is refused once there are tabs, or when it is negative.
            if (!s->items.empty() || static_cast<int>(wParam) < 0) {
                return FALSE;
            }
            s->itemExtra = static_cast<int>(wParam);
            return TRUE;
        case TCM_SETITEMSIZE:
        case TCM_SETPADDING:
        case TCM_SETMINTABWIDTH:
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

std::optional<std::pair<RECT, RECT>> tabScrollArrows(HWND tab) {
    std::shared_ptr<TabState> s = stateOf<TabState>(tab);
    if (!s || !scrolls(tab, *s)) {
        return std::nullopt;
    }
    return arrowRects(tab);
}

WNDCLASSEXA tabClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = tabProc;
    wc.lpszClassName = WC_TABCONTROLA;
    return wc;
}

}  // namespace kvwin32::internal
