// The dialog manager: the dialog class "#32770", creating dialogs and their controls from
// templates, the default dialog procedure (DefDlgProcA), EndDialog, dialog units and the
// check-box helpers. Keyboard navigation lives in dlgnav.cpp, modal loops in dlgmodal.cpp.
#include <string>

#include "internal/builtin_classes.h"
#include "internal/dialog.h"
#include "internal/window.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal {
namespace {

// Windows answers these straight from the dialog procedure's return value; every other
// message's answer is what the procedure left in DWLP_MSGRESULT.
bool answersDirectly(UINT msg) {
    switch (msg) {
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}

UINT dialogCode(HWND control) {
    return static_cast<UINT>(SendMessageA(control, WM_GETDLGCODE, 0, 0));
}

bool isPushButton(HWND control) {
    return (dialogCode(control) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// Windows keeps the default look on one push button: the focused push button while the focus
// is on one, else the dialog's default button.
void showAsDefault(HWND dialog, HWND button) {
    HWND old = findDefaultButton(dialog);
    if (old == button) {
        return;
    }
    if (old) {
        SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (button && isPushButton(button)) {
        SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

HWND defaultIdButton(HWND dialog, const DialogState& state) {
    if (state.defaultId == 0) {
        return nullptr;
    }
    DWORD lastError = GetLastError();
    HWND button = GetDlgItem(dialog, state.defaultId);
    SetLastError(lastError);
    return button;
}

void followFocus(HWND dialog, HWND focused) {
    auto state = existingDialogState(dialog);
    if (state == nullptr) {
        return;
    }
    if (focused && isPushButton(focused)) {
        showAsDefault(dialog, focused);
    } else if (HWND byId = defaultIdButton(dialog, *state)) {
        showAsDefault(dialog, byId);
    }
}

void saveFocus(HWND dialog, DialogState& state) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) {
        state.savedFocus = focus;
    }
}

// The control a dialog gives the focus to by default: its first tab stop, or, as on Windows,
// its first visible and enabled control when it has no tab stop.
HWND firstFocusable(HWND dialog) {
    HWND target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    return target ? target : GetNextDlgGroupItem(dialog, nullptr, FALSE);
}

// The control that had the focus last gets it back. As on Windows, activation only gives back
// a focus the dialog had (without selecting an edit's text); WM_SETFOCUS (not activating)
// also chooses the default control of a dialog that never had one, selecting an edit's text.
void restoreFocus(HWND dialog, DialogState& state, bool activating) {
    if (IsIconic(dialog)) {
        return;
    }
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) {
        return;
    }
    HWND target = state.savedFocus;
    if (!IsWindow(target) || !IsChild(dialog, target)) {
        if (activating) {
            return;
        }
        target = firstFocusable(dialog);
    }
    if (target == nullptr) {
        return;
    }
    if (activating) {
        SetFocus(target);
        followFocus(dialog, target);
    } else {
        setDialogFocus(dialog, target);
    }
}

LRESULT eraseBackground(HWND dialog, HDC dc) {
    if (dc == nullptr) {
        return 0;
    }
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (brush == nullptr) {
        brush = reinterpret_cast<HBRUSH>(DefWindowProcA(dialog, WM_CTLCOLORDLG,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(dialog)));
    }
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT setDefaultId(HWND dialog, DialogState& state, WPARAM id) {
    if (state.ended) {
        return TRUE;
    }
    state.defaultId = static_cast<WORD>(id);
    HWND focus = GetFocus();
    // A focused push button keeps the default look; the new default takes it otherwise.
    if (!(focus && IsChild(dialog, focus) && isPushButton(focus))) {
        showAsDefault(dialog, defaultIdButton(dialog, state));
    }
    return TRUE;
}

LRESULT getDefaultId(HWND dialog, const DialogState& state) {
    if (state.ended) {
        return 0;
    }
    if (state.defaultId != 0) {
        return MAKELONG(state.defaultId, DC_HASDEFID);
    }
    if (HWND button = findDefaultButton(dialog)) {
        return MAKELONG(GetDlgCtrlID(button), DC_HASDEFID);
    }
    return 0;
}

// WM_NEXTDLGCTL: lParam TRUE names the control in wParam; else wParam 0 moves to the next tab
// stop after the focus and non-zero to the previous one.
LRESULT nextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
        if (!IsWindow(target) || !IsChild(dialog, target)) {
            return 0;
        }
    } else {
        HWND focus = GetFocus();
        if (focus && !IsChild(dialog, focus)) {
            focus = nullptr;
        }
        target = GetNextDlgTabItem(dialog, focus, wParam != 0);
    }
    if (target) {
        setDialogFocus(dialog, target);
    }
    return 0;
}

// The close box and Alt+F4 act as the Cancel button, unless that button is disabled.
LRESULT closeDialog(HWND dialog) {
    DWORD lastError = GetLastError();
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    SetLastError(lastError);
    if (cancel == nullptr || IsWindowEnabled(cancel)) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
    }
    return 0;
}

LRESULT defaultDialogMessage(HWND dialog, DialogState* state, UINT msg, WPARAM wParam,
                             LPARAM lParam) {
    if (state == nullptr) {
        return DefWindowProcA(dialog, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_ERASEBKGND:
            return eraseBackground(dialog, reinterpret_cast<HDC>(wParam));
        case WM_SHOWWINDOW:
            if (!wParam) {
                saveFocus(dialog, *state);
            }
            return DefWindowProcA(dialog, msg, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                restoreFocus(dialog, *state, true);
            } else {
                saveFocus(dialog, *state);
            }
            return 0;
        case WM_SETFOCUS:
            restoreFocus(dialog, *state, false);
            return 0;
        case DM_SETDEFID:
            return setDefaultId(dialog, *state, wParam);
        case DM_GETDEFID:
            return getDefaultId(dialog, *state);
        case WM_NEXTDLGCTL:
            return nextControl(dialog, wParam, lParam);
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_CLOSE:
            return closeDialog(dialog);
        case WM_NCDESTROY:
            if (state->ownedFont) {
                DeleteObject(state->ownedFont);
                state->ownedFont = nullptr;
            }
            detachState(dialog);
            return DefWindowProcA(dialog, msg, wParam, lParam);
        default:
            return DefWindowProcA(dialog, msg, wParam, lParam);
    }
}

HFONT createTemplateFont(const DialogTemplate& t) {
    LOGFONTA font{};
    // Point sizes at the headless desktop's 96 dots per inch.
    font.lfHeight = -((t.pointSize * 96 + 36) / 72);
    font.lfWeight = t.weight;
    font.lfItalic = t.italic ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    std::size_t length = t.face.size() < LF_FACESIZE - 1 ? t.face.size() : LF_FACESIZE - 1;
    t.face.copy(font.lfFaceName, length);
    font.lfFaceName[length] = '\0';
    return CreateFontIndirectA(&font);
}

// Where a top-level dialog's window goes: its client origin at the template's position in the
// owner's client area (the screen with DS_ABSALIGN or without owner), or centred on the screen
// with DS_CENTER, kept on the screen.
POINT topLevelPosition(const DialogTemplate& t, HWND owner, const RECT& frame, SIZE size) {
    POINT pos{frame.left, frame.top};
    if (t.style & DS_CENTER) {
        pos.x = (kScreenWidth - size.cx) / 2;
        pos.y = (kScreenHeight - size.cy) / 2;
    } else {
        pos.x += dialogUnitsToPixelsX(t.x);
        pos.y += dialogUnitsToPixelsY(t.y);
        if (!(t.style & DS_ABSALIGN) && owner) {
            ClientToScreen(owner, &pos);
        }
    }
    if (pos.x + size.cx > kScreenWidth) {
        pos.x = kScreenWidth - size.cx;
    }
    if (pos.y + size.cy > kScreenHeight) {
        pos.y = kScreenHeight - size.cy;
    }
    pos.x = pos.x < 0 ? 0 : pos.x;
    pos.y = pos.y < 0 ? 0 : pos.y;
    return pos;
}

bool createControls(HWND dialog, HINSTANCE instance, const DialogTemplate& t, DialogState& state) {
    for (const DialogItemTemplate& item : t.items) {
        void* creationData =
            item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
        // The controls of a dialog have the three-dimensional look: a plain border becomes a
        // sunken client edge.
        DWORD style = (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
        DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
        if (style & WS_BORDER) {
            style &= ~static_cast<DWORD>(WS_BORDER);
            exStyle |= WS_EX_CLIENTEDGE;
        }
        HWND control = CreateWindowExA(
            exStyle, item.className.c_str(), item.title.c_str(), style,
            dialogUnitsToPixelsX(item.x), dialogUnitsToPixelsY(item.y),
            dialogUnitsToPixelsX(item.cx), dialogUnitsToPixelsY(item.cy), dialog,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, creationData);
        if (!IsWindow(dialog)) {
            return false;
        }
        if (control == nullptr) {
            if (t.style & DS_NOFAILCREATE) {
                continue;
            }
            return false;
        }
        if (state.font) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), 0);
        }
        // The template's default push button becomes the dialog's default id.
        if (dialogCode(control) & DLGC_DEFPUSHBUTTON) {
            state.defaultId = static_cast<WORD>(item.id);
        }
    }
    return true;
}

}  // namespace

WNDCLASSEXA dialogClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = WC_DIALOG;
    return wc;
}

int dialogUnitsToPixelsX(int units) {
    long long scaled = static_cast<long long>(units) * kDialogBaseUnitX;
    return static_cast<int>(scaled >= 0 ? (scaled + 2) / 4 : (scaled - 2) / 4);
}

int dialogUnitsToPixelsY(int units) {
    long long scaled = static_cast<long long>(units) * kDialogBaseUnitY;
    return static_cast<int>(scaled >= 0 ? (scaled + 4) / 8 : (scaled - 4) / 8);
}

std::shared_ptr<DialogState> existingDialogState(HWND dialog) {
    return stateOf<DialogState>(dialog);
}

std::shared_ptr<DialogState> dialogState(HWND dialog) {
    Window* w = windowRecord(dialog);
    if (w == nullptr) {
        return nullptr;
    }
    if (!w->controlState) {
        return attachState(dialog, std::make_shared<DialogState>());
    }
    return existingDialogState(dialog);
}

HWND findDefaultButton(HWND dialog) {
    for (HWND child : childrenOf(dialog)) {
        Window* w = windowRecord(child);
        if (w == nullptr) {
            continue;
        }
        if (w->exStyle & WS_EX_CONTROLPARENT) {
            if (HWND inner = findDefaultButton(child)) {
                return inner;
            }
        } else if (dialogCode(child) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

void setDialogFocus(HWND dialog, HWND control) {
    if (dialogCode(control) & DLGC_HASSETSEL) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    SetFocus(control);
    // The dialog remembers the control it gave the focus to, as Windows does.
    if (auto state = existingDialogState(dialog); state && IsChild(dialog, control)) {
        state->savedFocus = control;
    }
    followFocus(dialog, control);
}

HWND createDialog(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc,
                  LPARAM initParam, bool modal, const std::function<void(HWND)>& created) {
    // Every dialog has the three-dimensional look, whether its template asks for it or not.
    DWORD style = t.style | DS_3DLOOK;
    DWORD exStyle = t.exStyle;
    // A child dialog (DS_CONTROL) is a control of its parent: no title bar, and the keyboard
    // interface of the parent walks into it.
    if (style & DS_CONTROL) {
        style &= ~static_cast<DWORD>(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_MODALFRAME) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    const bool child = (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
    RECT frame{0, 0, dialogUnitsToPixelsX(t.cx), dialogUnitsToPixelsY(t.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT pos{dialogUnitsToPixelsX(t.x) + frame.left, dialogUnitsToPixelsY(t.y) + frame.top};
    if (!child) {
        pos = topLevelPosition(t, owner, frame, size);
    }
    const char* className = t.className.empty() ? WC_DIALOG : t.className.c_str();
    HWND dialog = CreateWindowExA(exStyle, className, t.title.c_str(),
                                  style & ~static_cast<DWORD>(WS_VISIBLE), pos.x, pos.y, size.cx,
                                  size.cy, owner, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        return nullptr;
    }
    auto state = dialogState(dialog);
    if (state == nullptr) {
        DestroyWindow(dialog);
        return nullptr;
    }
    state->modal = modal;
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (created) {
        created(dialog);
    }
    if (t.hasFont) {
        state->ownedFont = createTemplateFont(t);
        state->font = state->ownedFont;
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), 0);
    }
    if (!IsWindow(dialog) || !createControls(dialog, instance, t, *state)) {
        if (IsWindow(dialog)) {
            DestroyWindow(dialog);
        }
        return nullptr;
    }
    if (state->defaultId != 0) {
        showAsDefault(dialog, defaultIdButton(dialog, *state));
    }
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT wantsFocus =
        SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog)) {
        return nullptr;
    }
    // TRUE asks for the default focus: the first tab stop, looked up again because
    // WM_INITDIALOG may have changed the controls. A hidden child dialog takes none.
    if (wantsFocus && (!(style & DS_CONTROL) || (style & WS_VISIBLE))) {
        if (HWND target = firstFocusable(dialog)) {
            setDialogFocus(dialog, target);
        }
    }
    if ((t.style & WS_VISIBLE) && !modal && !state->ended && IsWindow(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace kvwin32::internal

using namespace kvwin32::internal;

extern "C" LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (windowRecord(dialog) == nullptr) {
        return 0;
    }
    // The record lives until this message is done, even if the procedure destroys the dialog.
    std::shared_ptr<DialogState> state = dialogState(dialog);
    Window* w = windowRecord(dialog);
    const bool hasDialogBytes =
        w && w->extra.size() >= static_cast<std::size_t>(DWLP_USER + sizeof(LONG_PTR));
    DLGPROC proc = nullptr;
    if (hasDialogBytes) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    }
    INT_PTR handled = proc ? proc(dialog, msg, wParam, lParam) : 0;
    if (!IsWindow(dialog)) {
        return answersDirectly(msg) ? handled : 0;
    }
    if (!handled) {
        return defaultDialogMessage(dialog, state.get(), msg, wParam, lParam);
    }
    if (answersDirectly(msg)) {
        return handled;
    }
    return hasDialogBytes ? GetWindowLongPtrA(dialog, DWLP_MSGRESULT) : 0;
}

extern "C" HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent,
                                   DLGPROC dialogProc, LPARAM initParam) {
    if (parent && windowOrError(parent) == nullptr) {
        return nullptr;
    }
    auto read = loadDialogTemplate(instance, templateName);
    if (!read) {
        return nullptr;
    }
    return createDialog(instance, *read, parent, dialogProc, initParam, false);
}

extern "C" HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate,
                                           HWND parent, DLGPROC dialogProc, LPARAM initParam) {
    if (parent && windowOrError(parent) == nullptr) {
        return nullptr;
    }
    auto read = readDialogTemplate(dialogTemplate, kIndirectTemplateLimit);
    if (!read) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return createDialog(instance, *read, parent, dialogProc, initParam, false);
}

extern "C" BOOL EndDialog(HWND dialog, INT_PTR result) {
    auto state = existingDialogState(dialog);
    if (state == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    // The owner is enabled before the dialog hides, so that it can take the activation.
    if (state->disabledOwner) {
        if (IsWindow(state->disabledOwner)) {
            EnableWindow(state->disabledOwner, TRUE);
        }
        state->disabledOwner = nullptr;
    }
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

extern "C" BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (existingDialogState(dialog) == nullptr || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    rect->left = dialogUnitsToPixelsX(rect->left);
    rect->right = dialogUnitsToPixelsX(rect->right);
    rect->top = dialogUnitsToPixelsY(rect->top);
    rect->bottom = dialogUnitsToPixelsY(rect->bottom);
    return TRUE;
}

extern "C" LONG GetDialogBaseUnits() {
    return MAKELONG(kDialogBaseUnitX, kDialogBaseUnitY);
}

extern "C" BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) {
        return FALSE;
    }
    SendMessageA(button, BM_SETCHECK, check, 0);
    return TRUE;
}

extern "C" UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button ? static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0)) : 0;
}

extern "C" BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (windowOrError(dialog) == nullptr) {
        return FALSE;
    }
    for (HWND child : childrenOf(dialog)) {
        int id = GetDlgCtrlID(child);
        if (id >= firstId && id <= lastId) {
            SendMessageA(child, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}
