// The combo box control ("ComboBox"): a selection field with a list ("ComboLBox") that drops
// down below it (CBS_DROPDOWNLIST, CBS_DROPDOWN) or stays open under it (CBS_SIMPLE), and for
// the editable kinds an "Edit" child with id 1001 as the field. The list keeps the items; the
// combo box translates CB_* into LB_* for it, turns the list's and the edit's notifications
// into CBN_* for its own parent, and passes the list's owner-draw requests on as ODT_COMBOBOX.
//
// Windows' order of notifications, which dialogs depend on: a click drops the list down after
// CBN_DROPDOWN; choosing an item with the mouse selects it, then CBN_SELENDOK, CBN_CLOSEUP and
// CBN_SELCHANGE follow, and only then does an edit field take the item's text; closing without
// a choice (Escape, a click elsewhere, the focus leaving) sends CBN_SELENDCANCEL then
// CBN_CLOSEUP. CB_SETCURSEL and CB_SELECTSTRING notify nothing.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "internal/builtin_classes.h"
#include "internal/combobox.h"
#include "internal/window.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_draw.h"

namespace kvwin32::internal::combobox {
// ---- Text ---------------------------------------------------------------------------------------

LRESULT setText(const StatePtr& sp, LPARAM lParam) {
    ComboState& s = *sp;
    if (!s.edit || !IsWindow(s.edit)) {
        return CB_ERR;  // a drop-down list has no text of its own to set
    }
    setEditQuietly(s, lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
    return TRUE;
}

LRESULT getText(const ComboState& s, WPARAM size, LPARAM lParam) {
    if (s.edit && IsWindow(s.edit)) {
        return SendMessageA(s.edit, WM_GETTEXT, size, lParam);
    }
    auto* out = reinterpret_cast<char*>(lParam);
    if (out == nullptr || size == 0) {
        return 0;
    }
    int index = selection(s);
    std::string text = index >= 0 ? itemText(s, index) : std::string();
    size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT getTextLength(const ComboState& s) {
    if (s.edit && IsWindow(s.edit)) {
        return SendMessageA(s.edit, WM_GETTEXTLENGTH, 0, 0);
    }
    int index = selection(s);
    return index >= 0 ? static_cast<LRESULT>(itemText(s, index).size()) : 0;
}

// ---- Messages that change the selection or the items -------------------------------------------

LRESULT setCurSel(const StatePtr& sp, WPARAM wParam) {
    ComboState& s = *sp;
    LRESULT result = toList(s, LB_SETCURSEL, wParam, 0);
    if (result >= 0) {
        toList(s, LB_SETTOPINDEX, wParam, 0);
    }
    showItem(s, selection(s));
    return result;
}

LRESULT selectString(const StatePtr& sp, WPARAM start, LPARAM text) {
    ComboState& s = *sp;
    LRESULT index = toList(s, LB_SELECTSTRING, start, text);
    if (index >= 0) {
        showItem(s, static_cast<int>(index));
    }
    return index;
}

LRESULT resetContent(const StatePtr& sp) {
    ComboState& s = *sp;
    toList(s, LB_RESETCONTENT, 0, 0);
    if (alive(s)) {
        showItem(s, -1);
    }
    return TRUE;
}

LRESULT deleteString(const StatePtr& sp, WPARAM index) {
    LRESULT result = toList(*sp, LB_DELETESTRING, index, 0);
    if (alive(*sp) && !sp->edit) {
        invalidateField(*sp);
    }
    return result;
}

LRESULT setItemHeight(const StatePtr& sp, WPARAM index, LPARAM height) {
    ComboState& s = *sp;
    if (static_cast<int>(index) != -1) {
        return toList(s, LB_SETITEMHEIGHT, index, height);
    }
    if (height <= 0 || height > 255) {
        return CB_ERR;
    }
    s.fieldHeight = static_cast<int>(height);
    if (s.kind != ComboKind::Simple) {
        RECT window{};
        GetWindowRect(s.self, &window);
        SetWindowPos(s.self, nullptr, 0, 0, window.right - window.left, comboHeight(s),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CB_OKAY;
}

LRESULT comboBoxInfo(const ComboState& s, LPARAM lParam) {
    auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
    if (info == nullptr || info->cbSize != sizeof(COMBOBOXINFO)) {
        return FALSE;
    }
    info->rcItem = fieldRect(s);
    info->rcButton = buttonRect(s);
    info->stateButton = s.kind == ComboKind::Simple ? 0x8000 /* STATE_SYSTEM_INVISIBLE */
                        : s.dropped                 ? 0x0008 /* STATE_SYSTEM_PRESSED */
                                                    : 0;
    info->hwndCombo = s.self;
    info->hwndItem = s.edit;
    info->hwndList = s.list;
    return TRUE;
}

LRESULT droppedControlRect(const ComboState& s, LPARAM lParam) {
    auto* out = reinterpret_cast<RECT*>(lParam);
    if (out == nullptr) {
        return CB_ERR;
    }
    RECT window{};
    GetWindowRect(s.self, &window);
    int width = droppedWidthOf(s);
    int height = std::max(s.droppedHeight, comboHeight(s));
    *out = RECT{window.left, window.top, window.left + width, window.top + height};
    return CB_OKAY;
}

LRESULT editSelection(const ComboState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!s.edit || !IsWindow(s.edit)) {
        return CB_ERR;
    }
    if (msg == CB_GETEDITSEL) {
        return SendMessageA(s.edit, EM_GETSEL, wParam, lParam);
    }
    // CB_SETEDITSEL packs the two positions in lParam; -1 as a start removes the selection.
    auto start = static_cast<WPARAM>(static_cast<INT_PTR>(static_cast<short>(LOWORD(lParam))));
    auto end = static_cast<LPARAM>(static_cast<short>(HIWORD(lParam)));
    SendMessageA(s.edit, EM_SETSEL, start, end);
    return TRUE;
}

// ---- Creation and layout ----------------------------------------------------------------------

// Places the edit on the field and a simple combo box's list under it.
void layout(ComboState& s) {
    RECT field = fieldRect(s);
    if (s.edit && IsWindow(s.edit)) {
        MoveWindow(s.edit, field.left, field.top, field.right - field.left,
                   field.bottom - field.top, TRUE);
    }
    if (s.kind == ComboKind::Simple && hasList(s)) {
        RECT c = clientOf(s);
        int top = comboHeight(s);
        MoveWindow(s.list, 0, top, c.right, std::max<LONG>(0, c.bottom - top), TRUE);
    }
}

// The owner tells an owner-drawn combo box how high its field (item -1) and, when fixed,
// its items (item 0) are.
void measureOwnerDraw(ComboState& s, int width) {
    HWND parent = GetParent(s.self);
    if (!(s.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || parent == nullptr) {
        return;
    }
    auto id = static_cast<UINT>(GetDlgCtrlID(s.self));
    MEASUREITEMSTRUCT field{ODT_COMBOBOX,
                            id,
                            static_cast<UINT>(-1),
                            static_cast<UINT>(width),
                            static_cast<UINT>(s.fieldHeight),
                            0};
    SendMessageA(parent, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&field));
    s.fieldHeight = std::clamp(static_cast<int>(field.itemHeight), 1, 255);
    if (s.style & CBS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT item{
            ODT_COMBOBOX, id, 0, static_cast<UINT>(width), static_cast<UINT>(kListItemHeight), 0};
        SendMessageA(parent, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&item));
        toList(s, LB_SETITEMHEIGHT, 0, std::clamp(static_cast<int>(item.itemHeight), 1, 255));
    }
}

DWORD listStyleFor(const ComboState& s) {
    DWORD style = LBS_COMBOBOX | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_CLIPSIBLINGS;
    style |= s.kind == ComboKind::Simple ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    if (s.style & CBS_SORT) {
        style |= LBS_SORT;
    }
    // As on Windows, the list keeps strings unless the owner draws items without them.
    if ((s.style & CBS_HASSTRINGS) || !(s.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) {
        style |= LBS_HASSTRINGS;
    }
    if (s.style & CBS_OWNERDRAWFIXED) {
        style |= LBS_OWNERDRAWFIXED;
    } else if (s.style & CBS_OWNERDRAWVARIABLE) {
        style |= LBS_OWNERDRAWVARIABLE;
    }
    if (s.style & CBS_DISABLENOSCROLL) {
        style |= LBS_DISABLENOSCROLL;
    }
    return style;
}

LRESULT create(const StatePtr& sp, const CREATESTRUCTA* cs) {
    ComboState& s = *sp;
    if (cs == nullptr) {
        return -1;
    }
    s.droppedHeight = cs->cy;
    HINSTANCE instance = cs->hInstance;
    bool simple = s.kind == ComboKind::Simple;
    HMENU listId = simple ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)) : nullptr;
    s.list = CreateWindowExA(0, WC_COMBOLBOXA, nullptr, listStyleFor(s), 0, 0, cs->cx,
                             kListItemHeight, s.self, listId, instance, s.self);
    if (s.list == nullptr || !alive(s)) {
        return -1;
    }
    measureOwnerDraw(s, cs->cx);
    if (!alive(s)) {
        return -1;
    }
    if (s.kind != ComboKind::DropDownList) {
        DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT;
        if (s.style & CBS_AUTOHSCROLL) {
            editStyle |= ES_AUTOHSCROLL;
        }
        if (s.style & CBS_UPPERCASE) {
            editStyle |= ES_UPPERCASE;
        } else if (s.style & CBS_LOWERCASE) {
            editStyle |= ES_LOWERCASE;
        }
        s.edit = CreateWindowExA(0, WC_EDITA, "", editStyle, 0, 0, 0, 0, s.self,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance,
                                 nullptr);
        if (!alive(s)) {
            return -1;
        }
    }
    if (!simple) {
        SetWindowPos(s.self, nullptr, 0, 0, cs->cx, comboHeight(s),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    layout(s);
    return 0;
}

// A drop-down combo box keeps the height of its field: a new height is the dropped height.
LRESULT positionChanging(ComboState& s, WINDOWPOS* wp) {
    if (wp == nullptr || s.kind == ComboKind::Simple || (wp->flags & SWP_NOSIZE)) {
        return 0;
    }
    if (wp->cy != comboHeight(s)) {
        s.droppedHeight = wp->cy;
        wp->cy = comboHeight(s);
    }
    return 0;
}

void destroy(ComboState& s) {
    if (s.kind != ComboKind::Simple && hasList(s)) {
        HWND list = s.list;
        s.list = nullptr;
        DestroyWindow(list);
    }
}

LRESULT getDialogCode(const ComboState& s, LPARAM lParam) {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    // An open list wants Enter and Escape for itself: they end the choice, not the dialog.
    if (msg && msg->message == WM_KEYDOWN && s.dropped &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

LRESULT setFont(const StatePtr& sp, WPARAM font, LPARAM redraw) {
    ComboState& s = *sp;
    if (s.edit && IsWindow(s.edit)) {
        SendMessageA(s.edit, WM_SETFONT, font, redraw);
    }
    toList(s, WM_SETFONT, font, redraw);
    return kvwin32::internal::setControlFont(s.self, s, font, redraw);
}

LRESULT comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto state = std::make_shared<ComboState>();
        state->self = hwnd;
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        state->style = cs ? static_cast<DWORD>(cs->style) : 0;
        switch (state->style & 3) {
            case CBS_SIMPLE:
                state->kind = ComboKind::Simple;
                break;
            case CBS_DROPDOWN:
                state->kind = ComboKind::DropDown;
                break;
            default:
                state->kind = ComboKind::DropDownList;
                break;
        }
        kvwin32::internal::attachState(hwnd, state);
        // Scroll bars, a border and a client edge asked for a combo box belong to its list, not
        // to the box: Windows takes them off the box's own styles before its frame is measured.
        SetWindowLongA(hwnd, GWL_STYLE,
                       GetWindowLongA(hwnd, GWL_STYLE) & ~(WS_BORDER | WS_HSCROLL | WS_VSCROLL));
        SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    StatePtr sp = kvwin32::internal::stateOf<ComboState>(hwnd);
    if (!sp) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    ComboState& s = *sp;
    switch (msg) {
        case WM_CREATE:
            return create(sp, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY:
            destroy(s);
            return 0;
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_WINDOWPOSCHANGING:
            positionChanging(s, reinterpret_cast<WINDOWPOS*>(lParam));
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_SIZE:
            layout(s);
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paintMessage(sp, reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            return setFont(sp, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_ENABLE:
            if (!wParam && s.dropped) {
                rollUp(sp, false);
            }
            if (alive(s) && s.edit && IsWindow(s.edit)) {
                EnableWindow(s.edit, static_cast<BOOL>(wParam));
            }
            invalidateField(s);
            return 0;
        case WM_GETDLGCODE:
            return getDialogCode(s, lParam);
        case WM_SETFOCUS:
            return setFocusMessage(sp);
        case WM_KILLFOCUS:
            return killFocusMessage(sp, reinterpret_cast<HWND>(wParam));
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return buttonDown(sp);
        case WM_LBUTTONUP:
            return buttonUp(sp);
        case WM_CAPTURECHANGED:
            s.captured = s.captured && reinterpret_cast<HWND>(lParam) == hwnd;
            return 0;
        case WM_KEYDOWN:
            return keyDown(sp, wParam, lParam);
        case WM_SYSKEYDOWN:
            return sysKeyDown(sp, wParam, lParam);
        case WM_CHAR:
            return charTyped(sp, wParam, lParam);
        case WM_COMMAND:
            return command(sp, wParam, lParam);
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
            return forwardItemMessage(s, msg, lParam);
        case WM_SETTEXT:
            return setText(sp, lParam);
        case WM_GETTEXT:
            return getText(s, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return getTextLength(s);
        case CB_ADDSTRING:
            return toList(s, LB_ADDSTRING, 0, lParam);
        case CB_INSERTSTRING:
            return toList(s, LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING:
            return deleteString(sp, wParam);
        case CB_RESETCONTENT:
            return resetContent(sp);
        case CB_GETCOUNT:
            return toList(s, LB_GETCOUNT, 0, 0);
        case CB_GETCURSEL:
            return toList(s, LB_GETCURSEL, 0, 0);
        case CB_SETCURSEL:
            return setCurSel(sp, wParam);
        case CB_GETLBTEXT:
            return toList(s, LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN:
            return toList(s, LB_GETTEXTLEN, wParam, 0);
        case CB_GETITEMDATA:
            return toList(s, LB_GETITEMDATA, wParam, 0);
        case CB_SETITEMDATA:
            return toList(s, LB_SETITEMDATA, wParam, lParam);
        case CB_FINDSTRING:
            return toList(s, LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT:
            return toList(s, LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING:
            return selectString(sp, wParam, lParam);
        case CB_SHOWDROPDOWN:
            if (wParam) {
                dropDown(sp);
            } else if (s.dropped) {
                rollUp(sp, false);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return s.dropped ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            return droppedControlRect(s, lParam);
        case CB_LIMITTEXT:
            if (s.edit && IsWindow(s.edit)) {
                SendMessageA(s.edit, EM_LIMITTEXT, wParam, 0);
            }
            return TRUE;
        case CB_GETEDITSEL:
        case CB_SETEDITSEL:
            return editSelection(s, msg, wParam, lParam);
        case CB_SETITEMHEIGHT:
            return setItemHeight(sp, wParam, lParam);
        case CB_GETITEMHEIGHT:
            return static_cast<int>(wParam) == -1 ? s.fieldHeight
                                                  : toList(s, LB_GETITEMHEIGHT, wParam, 0);
        case CB_SETEXTENDEDUI:
            s.extendedUi = wParam != 0;
            return CB_OKAY;
        case CB_GETEXTENDEDUI:
            return s.extendedUi ? TRUE : FALSE;
        case CB_GETTOPINDEX:
            return toList(s, LB_GETTOPINDEX, 0, 0);
        case CB_SETTOPINDEX:
            return toList(s, LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : CB_OKAY;
        case CB_SETHORIZONTALEXTENT:
            toList(s, LB_SETHORIZONTALEXTENT, wParam, 0);
            return 0;
        case CB_GETHORIZONTALEXTENT:
            return toList(s, LB_GETHORIZONTALEXTENT, 0, 0);
        case CB_SETDROPPEDWIDTH:
            // As on Windows, zero (or less) keeps the width set before, and the list is never
            // narrower than the box: the answer is the width in effect.
            if (static_cast<int>(wParam) > 0) {
                s.droppedWidth = static_cast<int>(wParam);
            }
            return droppedWidthOf(s);
        case CB_GETDROPPEDWIDTH:
            return droppedWidthOf(s);
        case CB_INITSTORAGE:
            return toList(s, LB_INITSTORAGE, wParam, lParam);
        case CB_SETLOCALE:
            return toList(s, LB_SETLOCALE, wParam, 0);
        case CB_GETLOCALE:
            return toList(s, LB_GETLOCALE, 0, 0);
        case CB_GETCOMBOBOXINFO:
            return comboBoxInfo(s, lParam);
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

WNDCLASSEXA comboBoxClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = comboBoxProc;
    wc.lpszClassName = WC_COMBOBOXA;
    return wc;
}

}  // namespace kvwin32::internal::combobox

BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
    if (!IsWindow(combo) || info == nullptr) {
        return FALSE;
    }
    return SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE
                                                                                      : FALSE;
}
