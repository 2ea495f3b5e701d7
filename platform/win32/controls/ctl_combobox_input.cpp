// The combo box and the user: dropping the list down and closing it, the focus, the mouse
// and the keys, what its list and its edit report (turned into CBN_* for the parent in
// Windows' order), and painting the field and the button.
#include <algorithm>
#include <cstring>
#include <string>

#include "internal/combobox.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal::combobox {

bool alive(const ComboState& s) {
    return IsWindow(s.self) != FALSE;
}

bool hasList(const ComboState& s) {
    return s.list && IsWindow(s.list);
}

LRESULT toList(const ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    return hasList(s) ? SendMessageA(s.list, msg, wParam, lParam) : CB_ERR;
}

void notify(const ComboState& s, WORD code) {
    kvwin32::internal::notifyParent(s.self, code);
}

int comboHeight(const ComboState& s) {
    return s.fieldHeight + 2 * kEdge;
}

int buttonWidth() {
    return GetSystemMetrics(SM_CXVSCROLL);
}

RECT clientOf(const ComboState& s) {
    RECT r{};
    GetClientRect(s.self, &r);
    return r;
}

// The drop-down button at the right inside the edge; empty for a simple combo box.
RECT buttonRect(const ComboState& s) {
    RECT c = clientOf(s);
    if (s.kind == ComboKind::Simple) {
        return RECT{c.right, kEdge - 1, c.right, kEdge - 1};
    }
    return RECT{c.right - kEdge + 1 - buttonWidth(), kEdge - 1, c.right - kEdge + 1,
                kEdge - 1 + s.fieldHeight + 2};
}

// The selection field (or where the edit sits).
RECT fieldRect(const ComboState& s) {
    RECT b = buttonRect(s);
    return RECT{kEdge, kEdge,
                std::max<LONG>(kEdge, b.left - (s.kind == ComboKind::Simple ? kEdge : 0)),
                kEdge + s.fieldHeight};
}

int selection(const ComboState& s) {
    return static_cast<int>(toList(s, LB_GETCURSEL, 0, 0));
}

std::string itemText(const ComboState& s, int index) {
    LRESULT length = toList(s, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got =
        toList(s, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : std::min(static_cast<size_t>(got), static_cast<size_t>(length)));
    return text;
}

void invalidateField(const ComboState& s) {
    InvalidateRect(s.self, nullptr, TRUE);
}

// Sets the edit's text without CBN_EDITCHANGE/CBN_EDITUPDATE: only the user's typing counts.
void setEditQuietly(ComboState& s, const std::string& text) {
    if (!s.edit || !IsWindow(s.edit)) {
        return;
    }
    s.quietEdit = true;
    SendMessageA(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    s.quietEdit = false;
}

// The field shows the item: an edit takes its text (all of it selected), the drop-down list
// repaints.
void showItem(ComboState& s, int index) {
    if (s.edit) {
        setEditQuietly(s, index >= 0 ? itemText(s, index) : std::string());
        if (s.edit && IsWindow(s.edit)) {
            SendMessageA(s.edit, EM_SETSEL, 0, -1);
        }
    } else {
        invalidateField(s);
    }
}

// ---- Dropping down and closing ----------------------------------------------------------------

int droppedWidthOf(const ComboState& s) {
    RECT window{};
    GetWindowRect(s.self, &window);
    return std::max<int>(window.right - window.left, s.droppedWidth);
}

RECT droppedListRect(const ComboState& s) {
    RECT window{};
    GetWindowRect(s.self, &window);
    int width = droppedWidthOf(s);
    int itemHeight = std::max(1, static_cast<int>(toList(s, LB_GETITEMHEIGHT, 0, 0)));
    int items = std::max(kMinListItems, static_cast<int>(toList(s, LB_GETCOUNT, 0, 0)));
    int border = 2 * GetSystemMetrics(SM_CYBORDER);
    int height = std::max(s.droppedHeight - comboHeight(s), itemHeight + border);
    height = std::min(height, items * itemHeight + border);
    return RECT{window.left, window.bottom, window.left + width, window.bottom + height};
}

void dropDown(const StatePtr& sp) {
    ComboState& s = *sp;
    if (s.dropped || s.kind == ComboKind::Simple || !hasList(s)) {
        return;
    }
    notify(s, CBN_DROPDOWN);
    if (!alive(s) || !hasList(s)) {
        return;
    }
    s.dropped = true;
    if (s.edit) {
        // An editable combo box opens on the first item that starts with the edit's text.
        int length = GetWindowTextLengthA(s.edit);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(s.edit, text.data(), length + 1);
        LRESULT found = length > 0 ? toList(s, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text.c_str()))
                                   : LB_ERR;
        toList(s, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    }
    int current = selection(s);
    toList(s, LB_SETTOPINDEX, current < 0 ? 0 : static_cast<WPARAM>(current), 0);
    if (current >= 0) {
        toList(s, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
    }
    RECT r = droppedListRect(s);
    SetWindowPos(s.list, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    invalidateField(s);
}

// Ends a choice: CBN_SELENDOK or CBN_SELENDCANCEL always, as Windows sends one even when the
// list was not open, then CBN_CLOSEUP when it was.
void rollUp(const StatePtr& sp, bool accepted) {
    ComboState& s = *sp;
    notify(s, accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!alive(s) || !s.dropped) {
        return;
    }
    s.dropped = false;
    if (hasList(s)) {
        if (GetCapture() == s.list) {
            ReleaseCapture();
        }
        ShowWindow(s.list, SW_HIDE);
    }
    invalidateField(s);
    notify(s, CBN_CLOSEUP);
}

void flip(const StatePtr& sp) {
    if (sp->dropped) {
        rollUp(sp, false);
    } else {
        dropDown(sp);
    }
}

// ---- Focus ------------------------------------------------------------------------------------

void gainFocus(const StatePtr& sp) {
    ComboState& s = *sp;
    if (s.focused) {
        return;
    }
    if (!s.edit) {
        invalidateField(s);
    } else {
        // Taking the focus selects the whole text of the edit; losing it empties the
        // selection again, as on Windows.
        SendMessageA(s.edit, EM_SETSEL, 0, -1);
    }
    notify(s, CBN_SETFOCUS);
    if (alive(s)) {
        s.focused = true;
    }
}

void loseFocus(const StatePtr& sp) {
    ComboState& s = *sp;
    if (!s.focused) {
        return;
    }
    rollUp(sp, false);
    if (!alive(s)) {
        return;
    }
    s.focused = false;
    if (!s.edit) {
        invalidateField(s);
    } else if (IsWindow(s.edit)) {
        SendMessageA(s.edit, EM_SETSEL, 0, 0);
    }
    notify(s, CBN_KILLFOCUS);
}

LRESULT setFocusMessage(const StatePtr& sp) {
    if (sp->edit && IsWindow(sp->edit)) {
        SetFocus(sp->edit);
        return 0;
    }
    gainFocus(sp);
    return 0;
}

// The focus moving to the combo's own edit or list is no loss.
LRESULT killFocusMessage(const StatePtr& sp, HWND next) {
    if (next == nullptr || (next != sp->edit && next != sp->list)) {
        loseFocus(sp);
    }
    return 0;
}

// ---- Mouse and keyboard -----------------------------------------------------------------------

// A click drops the list down (the combo holds the mouse until the button is up); a click while
// it is down closes it, accepting the list's selection. In an editable combo box Windows only
// gets the click on the button, as the edit covers the rest; here any click the combo box
// receives counts.
LRESULT buttonDown(const StatePtr& sp) {
    ComboState& s = *sp;
    if (!s.focused) {
        SetFocus(s.edit ? s.edit : s.self);
        if (!alive(s)) {
            return 0;
        }
    }
    if (s.kind == ComboKind::Simple) {
        return 0;
    }
    if (s.dropped) {
        rollUp(sp, true);
        if (alive(s) && s.captured) {
            s.captured = false;
            ReleaseCapture();
        }
        return 0;
    }
    s.captured = true;
    SetCapture(s.self);
    dropDown(sp);
    return 0;
}

// The button going up hands the mouse to the dropped list, which tracks the choice.
LRESULT buttonUp(const StatePtr& sp) {
    ComboState& s = *sp;
    if (!s.captured) {
        return 0;
    }
    s.captured = false;
    if (GetCapture() == s.self) {
        ReleaseCapture();
    }
    if (s.dropped && hasList(s)) {
        SetCapture(s.list);
    }
    return 0;
}

LRESULT passKeyToList(const StatePtr& sp, UINT msg, WPARAM wParam, LPARAM lParam) {
    ComboState& s = *sp;
    if (!hasList(s)) {
        return 0;
    }
    s.keyToList = true;
    LRESULT answer = SendMessageA(s.list, msg, wParam, lParam);
    if (alive(s)) {
        s.keyToList = false;
    }
    return answer;
}

LRESULT keyDown(const StatePtr& sp, WPARAM key, LPARAM lParam) {
    ComboState& s = *sp;
    if (key == VK_F4 && !s.extendedUi) {
        flip(sp);
        return 0;
    }
    if (s.dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
        rollUp(sp, key == VK_RETURN);
        return 0;
    }
    if (s.extendedUi && !s.dropped && key == VK_DOWN) {
        dropDown(sp);
        return 0;
    }
    // The edit part hands over only Up and Down; in the closed list they choose the previous
    // or next item as in a drop-down list.
    if (s.edit && !s.dropped && key != VK_UP && key != VK_DOWN) {
        return 0;
    }
    return passKeyToList(sp, WM_KEYDOWN, key, lParam);
}

// Alt+Up and Alt+Down open or close the list.
LRESULT sysKeyDown(const StatePtr& sp, WPARAM key, LPARAM lParam) {
    if (key == VK_UP || key == VK_DOWN) {
        flip(sp);
        return 0;
    }
    return DefWindowProcA(sp->self, WM_SYSKEYDOWN, key, lParam);
}

LRESULT charTyped(const StatePtr& sp, WPARAM ch, LPARAM lParam) {
    ComboState& s = *sp;
    if (s.edit && IsWindow(s.edit)) {
        return SendMessageA(s.edit, WM_CHAR, ch, lParam);
    }
    return passKeyToList(sp, WM_CHAR, ch, lParam);
}

// ---- What the list and the edit report --------------------------------------------------------

// The list's selection changed by the user. A key in the open list only moves the selection
// (CBN_SELCHANGE); a choice with the mouse, or a key in the closed list, ends the choice first.
void listSelectionChanged(const StatePtr& sp, bool changed) {
    ComboState& s = *sp;
    bool keepOpen = s.keyToList && s.dropped;
    if (!keepOpen) {
        rollUp(sp, changed);
        if (!alive(s)) {
            return;
        }
    }
    notify(s, CBN_SELCHANGE);
    if (alive(s) && changed) {
        showItem(s, selection(s));
    }
}

LRESULT listCommand(const StatePtr& sp, WORD code) {
    switch (code) {
        case LBN_SELCHANGE:
            listSelectionChanged(sp, true);
            break;
        case LBN_SELCANCEL:
            listSelectionChanged(sp, false);
            break;
        case LBN_DBLCLK:
            notify(*sp, CBN_DBLCLK);
            break;
        case static_cast<WORD>(LBN_ERRSPACE):
            notify(*sp, static_cast<WORD>(CBN_ERRSPACE));
            break;
        default:
            break;
    }
    return 0;
}

LRESULT editCommand(const StatePtr& sp, WORD code) {
    ComboState& s = *sp;
    switch (code) {
        case EN_CHANGE:
            if (!s.quietEdit) {
                notify(s, CBN_EDITCHANGE);
            }
            break;
        case EN_UPDATE:
            if (!s.quietEdit) {
                notify(s, CBN_EDITUPDATE);
            }
            break;
        case EN_SETFOCUS:
            gainFocus(sp);
            break;
        case EN_KILLFOCUS:
            if (!IsChild(s.self, GetFocus()) && GetFocus() != s.self) {
                loseFocus(sp);
            }
            break;
        case EN_ERRSPACE:
            notify(s, static_cast<WORD>(CBN_ERRSPACE));
            break;
        default:
            break;
    }
    return 0;
}

LRESULT command(const StatePtr& sp, WPARAM wParam, LPARAM lParam) {
    auto from = reinterpret_cast<HWND>(lParam);
    if (from != nullptr && from == sp->list) {
        return listCommand(sp, HIWORD(wParam));
    }
    if (from != nullptr && from == sp->edit) {
        return editCommand(sp, HIWORD(wParam));
    }
    return 0;
}

// The list's owner-draw requests reach the combo box's parent as the combo box's own.
LRESULT forwardItemMessage(const ComboState& s, UINT msg, LPARAM lParam) {
    HWND parent = GetParent(s.self);
    if (parent == nullptr || lParam == 0) {
        return 0;
    }
    auto id = static_cast<UINT>(GetDlgCtrlID(s.self));
    switch (msg) {
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            d->CtlType = ODT_COMBOBOX;
            d->CtlID = id;
            d->hwndItem = s.self;
            break;
        }
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            m->CtlType = ODT_COMBOBOX;
            m->CtlID = id;
            break;
        }
        case WM_DELETEITEM: {
            auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
            d->CtlType = ODT_COMBOBOX;
            d->CtlID = id;
            d->hwndItem = s.self;
            break;
        }
        case WM_COMPAREITEM: {
            auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
            c->CtlType = ODT_COMBOBOX;
            c->CtlID = id;
            c->hwndItem = s.self;
            break;
        }
        default:
            break;
    }
    return SendMessageA(parent, msg, id, lParam);
}

// ---- Painting -------------------------------------------------------------------------------

void drawField(const ComboState& s, HDC dc) {
    RECT field = fieldRect(s);
    int index = selection(s);
    bool highlight = s.focused && !s.dropped;
    if (s.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        HWND parent = GetParent(s.self);
        if (parent == nullptr) {
            return;
        }
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(s.self));
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0U) |
                        (IsWindowEnabled(s.self) ? 0U : static_cast<UINT>(ODS_DISABLED));
        dis.hwndItem = s.self;
        dis.hDC = dc;
        dis.rcItem = field;
        dis.itemData =
            index >= 0
                ? static_cast<ULONG_PTR>(toList(s, LB_GETITEMDATA, static_cast<WPARAM>(index), 0))
                : 0;
        SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    std::string text = index >= 0 ? itemText(s, index) : std::string();
    if (highlight) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    } else if (!IsWindowEnabled(s.self)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    ExtTextOutA(dc, field.left + kTextIndent, field.top + 1, ETO_OPAQUE | ETO_CLIPPED, &field,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
    if (highlight) {
        DrawFocusRect(dc, &field);
    }
}

void paint(const StatePtr& sp, HDC dc) {
    ComboState& s = *sp;
    RECT client = clientOf(s);
    HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
    UINT colorMessage = IsWindowEnabled(s.self) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    HBRUSH brush = kvwin32::internal::controlColors(s.self, dc, colorMessage);
    if (!alive(s)) {
        return;
    }
    RECT inner = client;
    if (s.kind != ComboKind::Simple) {
        FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT);
        RECT button = buttonRect(s);
        FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &button, s.dropped ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        if (s.dropped) {
            OffsetRect(&button, 1, 1);
        }
        kvwin32::internal::drawArrowGlyph(dc, button, kvwin32::internal::ArrowDirection::Down,
                                          IsWindowEnabled(s.self) != FALSE);
    }
    if (!s.edit) {
        drawField(s, dc);
    }
    if (oldFont && alive(s)) {
        SelectObject(dc, oldFont);
    }
}

LRESULT paintMessage(const StatePtr& sp, HDC given) {
    return paintControl(sp->self, reinterpret_cast<WPARAM>(given), [&](HDC dc) { paint(sp, dc); });
}

}  // namespace kvwin32::internal::combobox
