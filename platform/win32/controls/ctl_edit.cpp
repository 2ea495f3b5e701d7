// The "Edit" control: single-line and multi-line text fields with selection, limit, margins,
// modify flag, one level of undo, the clipboard, and the notifications Windows sends their
// parents (EN_UPDATE then EN_CHANGE after each change, EN_MAXTEXT, EN_SETFOCUS/KILLFOCUS).
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "internal/builtin_classes.h"
#include "internal/control.h"
#include "internal/edit_control.h"
#include "internal/edit_text.h"
#include "internal/gdi.h"
#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/winuser_caret.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

using kvwin32::internal::EditLine;
using kvwin32::internal::notifyParent;
using kvwin32::internal::stateOf;

// EM_LIMITTEXT(0) lifts the limit to the largest a single-line or a multi-line edit takes.
constexpr std::size_t kMaxSingleLineLimit = 0x7FFFFFFE;
constexpr std::size_t kMaxMultiLineLimit = 0xFFFFFFFF;

using namespace kvwin32::internal::edit;

// ---- Changing the text -----------------------------------------------------------------------

void mirrorText(HWND hwnd, const EditState& state) {
    if (kvwin32::internal::Window* w = kvwin32::internal::windowRecord(hwnd)) {
        w->text = state.text;
    }
}

void setSelection(HWND hwnd, EditState& state, std::size_t anchor, std::size_t caret) {
    state.anchor = std::min(anchor, state.text.size());
    state.caret = std::min(caret, state.text.size());
    InvalidateRect(hwnd, nullptr, FALSE);
}

// ES_UPPERCASE and ES_LOWERCASE convert every text that goes in.
std::string convertCase(HWND hwnd, std::string_view text) {
    std::string out(text);
    const DWORD style = styleOf(hwnd);
    if (style & ES_LOWERCASE) {
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    } else if (style & ES_UPPERCASE) {
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    }
    return out;
}

// How a replacement of the selection came about, which decides its side effects.
enum class Change {
    Typing,   // WM_CHAR, Delete, Backspace, paste, cut, clear: limit, undo, modify flag
    Replace,  // EM_REPLACESEL: the same; undo only when its wParam asks
    SetText,  // WM_SETTEXT: no limit, no undo, clears the modify flag
};

// Replaces the selection and notifies the parent. Typing and EM_REPLACESEL respect the limit:
// EN_MAXTEXT goes first, and what fits (maybe nothing) goes in; a single-line edit without
// ES_AUTOHSCROLL also refuses text that would not fit its width. Returns false when nothing
// changed.
bool replaceSelection(HWND hwnd, EditState& state, std::string_view insert, Change change,
                      bool canUndo) {
    std::string text = convertCase(hwnd, insert);
    const std::size_t start = selStart(state);
    const std::size_t end = selEnd(state);
    const std::size_t kept = state.text.size() - (end - start);
    if (change != Change::SetText) {
        bool tooLong = kept + text.size() > state.limit;
        const DWORD style = styleOf(hwnd);
        if (!tooLong && !(style & (ES_MULTILINE | ES_AUTOHSCROLL))) {
            const RECT r = formatRect(hwnd, state);
            tooLong = textPixels(state, state.text.substr(0, start) + text +
                                            state.text.substr(end)) > r.right - r.left &&
                      !text.empty();
        }
        if (tooLong) {
            notifyParent(hwnd, EN_MAXTEXT);
            if (!IsWindow(hwnd)) {
                return false;
            }
            const std::size_t room = state.limit > kept ? state.limit - kept : 0;
            text.resize(std::min(text.size(), room));
            if (!(style & (ES_MULTILINE | ES_AUTOHSCROLL))) {
                const RECT r = formatRect(hwnd, state);
                // Only the characters that still fit the width go in.
                const int room =
                    r.right - r.left -
                    textPixels(state, state.text.substr(0, start) + state.text.substr(end));
                std::size_t fits = 0;
                for (int used = 0; fits < text.size(); ++fits) {
                    used += textPixels(state, std::string_view(text).substr(fits, 1));
                    if (used > room) {
                        break;
                    }
                }
                text.resize(fits);
            }
        }
        if (text.empty() && start == end) {
            return false;
        }
    }
    if (change == Change::SetText) {
        state.undo.reset();
        state.typingUndo = false;
    } else if (canUndo) {
        // Typing that continues where the last typing stopped extends the same undo record.
        const bool continues = change == Change::Typing && state.typingUndo && start == end;
        if (!continues) {
            state.undo = UndoRecord{state.text, state.anchor, state.caret};
        }
        state.typingUndo = change == Change::Typing;
    }
    state.text.replace(start, end - start, text);
    state.anchor = state.caret = start + text.size();
    mirrorText(hwnd, state);
    if (change != Change::SetText) {
        state.modified = true;
    }
    scrollCaret(hwnd, state);
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

// EN_UPDATE (about to show the new text), then EN_CHANGE (shown), as Windows sends them.
void notifyChange(HWND hwnd) {
    notifyParent(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) {
        notifyParent(hwnd, EN_CHANGE);
    }
}

void typeText(HWND hwnd, EditState& state, std::string_view text) {
    if (replaceSelection(hwnd, state, text, Change::Typing, true)) {
        notifyChange(hwnd);
    }
}

// ---- Messages ---------------------------------------------------------------------------------

// Whether the edit is the edit part of a combo box (its parent's class is "ComboBox").
bool isComboBoxEdit(HWND hwnd) {
    char parentClass[16] = {};
    const int n = GetClassNameA(GetParent(hwnd), parentClass, sizeof parentClass);
    return n > 0 && kvwin32::ascii::equalNoCase(std::string_view(parentClass, n), WC_COMBOBOXA);
}

// WM_SETTEXT replaces everything, puts the caret at the start and clears the modify flag and
// the undo record. A single-line edit tells its parent EN_UPDATE and EN_CHANGE even when the
// text is the same; a multi-line edit, and the edit of a combo box, tell nothing.
LRESULT setText(HWND hwnd, EditState& state, LPCSTR text) {
    state.anchor = 0;
    state.caret = state.text.size();
    const std::string_view value = (text && !IS_INTRESOURCE(text)) ? std::string_view(text) : "";
    replaceSelection(hwnd, state, value, Change::SetText, false);
    state.modified = false;
    state.xOffset = 0;
    state.firstLine = 0;
    updateScrollBar(hwnd, state);
    setSelection(hwnd, state, 0, 0);
    if (!isMultiLine(hwnd) && !isComboBoxEdit(hwnd)) {
        notifyChange(hwnd);
    }
    return TRUE;
}

LRESULT getText(const EditState& state, WPARAM size, LPSTR buffer) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(state.text.size(), size - 1);
    std::memcpy(buffer, state.text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

// EM_GETSEL: the ordered selection as MAKELONG(start, end) and through the optional pointers.
LRESULT getSel(const EditState& state, WPARAM startOut, LPARAM endOut) {
    const std::size_t start = selStart(state);
    const std::size_t end = selEnd(state);
    if (auto* p = reinterpret_cast<DWORD*>(startOut)) {
        *p = static_cast<DWORD>(start);
    }
    if (auto* p = reinterpret_cast<DWORD*>(endOut)) {
        *p = static_cast<DWORD>(end);
    }
    return MAKELONG(std::min<std::size_t>(start, 0xFFFF), std::min<std::size_t>(end, 0xFFFF));
}

// EM_SETSEL: start -1 removes the selection (the caret stays); other values are cut to the
// text length, and start > end keeps the caret at end. No notification.
LRESULT setSel(HWND hwnd, EditState& state, WPARAM start, LPARAM end) {
    const auto first = static_cast<std::size_t>(static_cast<DWORD>(start));
    const auto last = static_cast<std::size_t>(static_cast<DWORD>(end));
    if (static_cast<int>(start) == -1) {
        setSelection(hwnd, state, state.caret, state.caret);
    } else {
        setSelection(hwnd, state, first, last);
    }
    return 0;
}

LRESULT replaceSel(HWND hwnd, EditState& state, WPARAM canUndo, LPCSTR text) {
    if (text == nullptr || IS_INTRESOURCE(text)) {
        return 0;
    }
    if (replaceSelection(hwnd, state, text, Change::Replace, canUndo != 0)) {
        notifyChange(hwnd);
    }
    return 0;
}

LRESULT limitText(HWND hwnd, EditState& state, WPARAM limit) {
    const std::size_t most = isMultiLine(hwnd) ? kMaxMultiLineLimit : kMaxSingleLineLimit;
    state.limit = limit == 0 ? most : std::min<std::size_t>(limit, most);
    return 0;
}

int defaultMargin() {
    // EC_USEFONTINFO gives half the average character width, as for the TrueType dialog
    // font the built-in font stands for.
    return kvwin32::internal::kFontAdvance / 2;
}

LRESULT setMargins(HWND hwnd, EditState& state, WPARAM which, LPARAM margins) {
    if (which & EC_LEFTMARGIN) {
        state.leftMargin = LOWORD(margins) == EC_USEFONTINFO ? defaultMargin() : LOWORD(margins);
    }
    if (which & EC_RIGHTMARGIN) {
        state.rightMargin = HIWORD(margins) == EC_USEFONTINFO ? defaultMargin() : HIWORD(margins);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT setFont(HWND hwnd, EditState& state, WPARAM font, LPARAM redraw) {
    // A new font resets both margins to the font's own.
    state.leftMargin = state.rightMargin = defaultMargin();
    return kvwin32::internal::setControlFont(hwnd, state, font, redraw);
}

LRESULT undo(HWND hwnd, EditState& state) {
    if (!state.undo || isReadOnly(hwnd)) {
        return FALSE;
    }
    // Undoing swaps the record with the present, so a second EM_UNDO redoes.
    UndoRecord previous = std::move(*state.undo);
    state.undo = UndoRecord{state.text, state.anchor, state.caret};
    state.typingUndo = false;
    state.text = std::move(previous.text);
    mirrorText(hwnd, state);
    state.modified = true;
    setSelection(hwnd, state, previous.anchor, previous.caret);
    scrollCaret(hwnd, state);
    notifyChange(hwnd);
    return TRUE;
}

// ---- Clipboard --------------------------------------------------------------------------------

std::string selectedText(const EditState& state) {
    return state.text.substr(selStart(state), selEnd(state) - selStart(state));
}

LRESULT copy(HWND hwnd, const EditState& state) {
    // A password field never gives its text away.
    if ((styleOf(hwnd) & ES_PASSWORD) || selStart(state) == selEnd(state)) {
        return 0;
    }
    kvwin32::internal::ClipboardText::instance().set(selectedText(state));
    return 0;
}

LRESULT clear(HWND hwnd, EditState& state) {
    if (isReadOnly(hwnd) || selStart(state) == selEnd(state)) {
        return 0;
    }
    typeText(hwnd, state, "");
    return 0;
}

LRESULT cut(HWND hwnd, EditState& state) {
    if (styleOf(hwnd) & ES_PASSWORD) {
        return 0;
    }
    copy(hwnd, state);
    return clear(hwnd, state);
}

// WM_PASTE: a single-line edit takes the clipboard text up to its first line break.
LRESULT paste(HWND hwnd, EditState& state) {
    if (isReadOnly(hwnd)) {
        return 0;
    }
    std::string text = kvwin32::internal::ClipboardText::instance().text();
    if (!isMultiLine(hwnd)) {
        text = text.substr(0, text.find_first_of("\r\n"));
    }
    typeText(hwnd, state, text);
    return 0;
}

// ---- Keyboard and mouse -------------------------------------------------------------------------

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Moves the caret; with Shift the anchor stays and the selection grows.
void moveCaret(HWND hwnd, EditState& state, std::size_t to) {
    const std::size_t anchor = keyDown(VK_SHIFT) ? state.anchor : to;
    setSelection(hwnd, state, anchor, to);
    scrollCaret(hwnd, state);
}

std::size_t verticalTarget(HWND hwnd, const EditState& state, int delta) {
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const std::size_t line = kvwin32::internal::lineOfIndex(lines, state.caret);
    const long long target = static_cast<long long>(line) + delta;
    if (target < 0 || target >= static_cast<long long>(lines.size())) {
        return state.caret;
    }
    const std::size_t column = state.caret - lines[line].start;
    const EditLine& l = lines[static_cast<std::size_t>(target)];
    return l.start + std::min(column, l.end - l.start);
}

// Delete removes the selection, or the character after the caret; Shift+Delete cuts.
void deleteForward(HWND hwnd, EditState& state) {
    if (isReadOnly(hwnd)) {
        return;
    }
    if (selStart(state) != selEnd(state)) {
        if (keyDown(VK_SHIFT)) {
            cut(hwnd, state);
        } else {
            clear(hwnd, state);
        }
        return;
    }
    if (state.caret >= state.text.size()) {
        return;
    }
    state.anchor = kvwin32::internal::stepForward(state.text, state.caret);
    typeText(hwnd, state, "");
}

LRESULT onKeyDown(HWND hwnd, EditState& state, WPARAM key, LPARAM lParam) {
    const bool multi = isMultiLine(hwnd);
    // The edit of a combo box leaves Up, Down and F4 to the combo box: they move through its
    // list or open it.
    if (!multi && (key == VK_UP || key == VK_DOWN || key == VK_F4) && isComboBoxEdit(hwnd)) {
        return SendMessageA(GetParent(hwnd), WM_KEYDOWN, key, lParam);
    }
    const bool control = keyDown(VK_CONTROL);
    const std::vector<EditLine> lines = linesOf(hwnd, state);
    const EditLine& line = lines[kvwin32::internal::lineOfIndex(lines, state.caret)];
    switch (key) {
        case VK_LEFT:
            moveCaret(hwnd, state, kvwin32::internal::stepBackward(state.text, state.caret));
            break;
        case VK_RIGHT:
            moveCaret(hwnd, state, kvwin32::internal::stepForward(state.text, state.caret));
            break;
        // A single-line edit takes Up and Down as Left and Right.
        case VK_UP:
            moveCaret(hwnd, state,
                      multi ? verticalTarget(hwnd, state, -1)
                            : kvwin32::internal::stepBackward(state.text, state.caret));
            break;
        case VK_DOWN:
            moveCaret(hwnd, state,
                      multi ? verticalTarget(hwnd, state, 1)
                            : kvwin32::internal::stepForward(state.text, state.caret));
            break;
        case VK_HOME:
            moveCaret(hwnd, state, control || !multi ? 0 : line.start);
            break;
        case VK_END:
            moveCaret(hwnd, state, control || !multi ? state.text.size() : line.end);
            break;
        case VK_DELETE:
            deleteForward(hwnd, state);
            break;
        case VK_INSERT:
            if (keyDown(VK_SHIFT)) {
                paste(hwnd, state);
            } else if (control) {
                copy(hwnd, state);
            }
            break;
        default:
            break;
    }
    return 0;
}

void backspace(HWND hwnd, EditState& state) {
    if (selStart(state) == selEnd(state)) {
        if (state.caret == 0) {
            return;
        }
        state.anchor = kvwin32::internal::stepBackward(state.text, state.caret);
    }
    typeText(hwnd, state, "");
}

// WM_CHAR: control characters edit (Backspace, Enter and Tab in a multi-line edit) or reach
// the clipboard (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z); printable characters replace the selection.
// ES_NUMBER refuses anything but digits with a beep; a read-only edit takes nothing.
LRESULT onChar(HWND hwnd, EditState& state, WPARAM wParam) {
    const auto c = static_cast<unsigned char>(wParam);
    const DWORD style = styleOf(hwnd);
    const bool readOnly = (style & ES_READONLY) != 0;
    switch (c) {
        case 0x03:  // Ctrl+C
            return copy(hwnd, state);
        case 0x16:  // Ctrl+V
            return paste(hwnd, state);
        case 0x18:  // Ctrl+X
            return readOnly ? 0 : cut(hwnd, state);
        case 0x1A:  // Ctrl+Z
            return undo(hwnd, state);
        case '\b':
            if (!readOnly) {
                backspace(hwnd, state);
            }
            return 0;
        case '\r':
            // Enter starts a new line where the edit wants it: ES_WANTRETURN, or outside a
            // dialog. In a dialog it belongs to the default button.
            if ((style & ES_MULTILINE) && !readOnly &&
                ((style & ES_WANTRETURN) || !state.dialogMode)) {
                typeText(hwnd, state, "\r\n");
            }
            return 0;
        case '\t':
            if ((style & ES_MULTILINE) && !readOnly) {
                typeText(hwnd, state, "\t");
            }
            return 0;
        default:
            break;
    }
    if (c < 0x20 || readOnly) {
        return 0;
    }
    if ((style & ES_NUMBER) && !(c >= '0' && c <= '9')) {
        MessageBeep(MB_OK);
        return 0;
    }
    const char typed = static_cast<char>(c);
    typeText(hwnd, state, std::string_view(&typed, 1));
    return 0;
}

LRESULT onLButtonDown(HWND hwnd, EditState& state, LPARAM lParam) {
    SetFocus(hwnd);
    if (!IsWindow(hwnd) || GetFocus() != hwnd) {
        return 0;
    }
    const auto [index, line] =
        charFromPoint(hwnd, state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    (void)line;
    moveCaret(hwnd, state, index);
    state.selecting = true;
    SetCapture(hwnd);
    return 0;
}

LRESULT onMouseMove(HWND hwnd, EditState& state, LPARAM lParam) {
    if (state.selecting && GetCapture() == hwnd) {
        const auto [index, line] =
            charFromPoint(hwnd, state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        (void)line;
        setSelection(hwnd, state, state.anchor, index);
        scrollCaret(hwnd, state);
    }
    return 0;
}

LRESULT onLButtonUp(HWND hwnd, EditState& state) {
    if (state.selecting) {
        state.selecting = false;
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
    }
    return 0;
}

LRESULT onDoubleClick(HWND hwnd, EditState& state) {
    const auto [first, second] = kvwin32::internal::wordAt(state.text, state.caret);
    setSelection(hwnd, state, first, second);
    return 0;
}

// Where the caret stands: before the character at the caret, in client coordinates.
POINT caretPoint(HWND hwnd, const EditState& state) {
    return positionOf(hwnd, state, state.caret);
}

LRESULT onSetFocus(HWND hwnd, EditState& state) {
    state.focused = true;
    // The caret, one pixel wide and a line high; painting puts it where typing goes.
    CreateCaret(hwnd, nullptr, 1, kvwin32::internal::kFontHeight);
    SetCaretPos(caretPoint(hwnd, state).x, caretPoint(hwnd, state).y);
    ShowCaret(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    notifyParent(hwnd, EN_SETFOCUS);
    return 0;
}

LRESULT onKillFocus(HWND hwnd, EditState& state) {
    state.focused = false;
    DestroyCaret();
    InvalidateRect(hwnd, nullptr, FALSE);
    notifyParent(hwnd, EN_KILLFOCUS);
    return 0;
}

LRESULT getDlgCode(HWND hwnd, EditState& state, LPARAM message) {
    LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    if (isMultiLine(hwnd)) {
        code |= DLGC_WANTALLKEYS;
    }
    if (message != 0) {
        state.dialogMode = true;
    }
    return code;
}

LRESULT setReadOnly(HWND hwnd, WPARAM readOnly) {
    if (kvwin32::internal::Window* w = kvwin32::internal::windowRecord(hwnd)) {
        kvwin32::internal::setStyleBits(*w, readOnly ? ES_READONLY : 0, readOnly ? 0 : ES_READONLY);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT setRect(HWND hwnd, EditState& state, const RECT* rect) {
    if (rect == nullptr) {
        state.hasFormatRect = false;
    } else {
        state.hasFormatRect = true;
        state.formatRect = kvwin32::internal::sane(*rect);
    }
    updateScrollBar(hwnd, state);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT getRect(HWND hwnd, const EditState& state, RECT* rect) {
    if (rect) {
        *rect = formatRect(hwnd, state);
    }
    return 0;
}

LRESULT firstVisibleLine(HWND hwnd, const EditState& state) {
    if (isMultiLine(hwnd)) {
        return static_cast<LRESULT>(state.firstLine);
    }
    // The first character whose left edge is not scrolled out.
    std::size_t index = 0;
    for (int left = 0; index < state.text.size() && left < state.xOffset; ++index) {
        left += textPixels(state, index, index + 1);
    }
    return static_cast<LRESULT>(index);
}

// Shows the lines from `top` on, never past the last page; a scroll that moved tells the
// parent EN_VSCROLL when asked to.
void scrollToLine(HWND hwnd, EditState& state, long long top, bool notify) {
    const auto lines = static_cast<long long>(linesOf(hwnd, state).size());
    top = std::clamp<long long>(top, 0, std::max<long long>(0, lines - visibleLines(hwnd, state)));
    if (static_cast<std::size_t>(top) != state.firstLine) {
        state.firstLine = static_cast<std::size_t>(top);
        InvalidateRect(hwnd, nullptr, TRUE);
        if (notify) {
            notifyParent(hwnd, EN_VSCROLL);
        }
    }
    updateScrollBar(hwnd, state);
}

// WM_VSCROLL from the bar of a multi-line edit: by lines, by pages of the lines that fit, or to
// where the thumb is dragged, never past the last page. Each scroll but the thumb's tracking
// tells the parent EN_VSCROLL.
LRESULT onVScroll(HWND hwnd, EditState& state, WPARAM wParam) {
    if (!isMultiLine(hwnd)) {
        return 0;
    }
    const auto lines = static_cast<long long>(linesOf(hwnd, state).size());
    if (const auto top = kvwin32::internal::scrollRequestTarget(
            wParam, static_cast<long long>(state.firstLine), visibleLines(hwnd, state), lines)) {
        scrollToLine(hwnd, state, *top, LOWORD(wParam) != SB_THUMBTRACK);
    }
    return 0;
}

// The wheel scrolls a multi-line edit three lines a notch (at most its line count), turns
// smaller than a line adding up, as Windows does by default; with Shift or Ctrl held, or in a
// single-line edit, it goes on to the parent.
LRESULT onMouseWheel(HWND hwnd, EditState& state, WPARAM wParam, LPARAM lParam) {
    if (!isMultiLine(hwnd) || (LOWORD(wParam) & (MK_SHIFT | MK_CONTROL))) {
        return DefWindowProcA(hwnd, WM_MOUSEWHEEL, wParam, lParam);
    }
    constexpr std::size_t kLinesPerNotch = 3;
    const auto perNotch = static_cast<int>(std::min(kLinesPerNotch, linesOf(hwnd, state).size()));
    if (const int lines = kvwin32::internal::wheelRows(state.wheelRemain, wParam, perNotch)) {
        scrollToLine(hwnd, state, static_cast<long long>(state.firstLine) - lines, true);
    }
    return 0;
}

LRESULT onPaint(HWND hwnd, const EditState& state, WPARAM givenDc) {
    kvwin32::internal::paintControl(hwnd, givenDc, [&](HDC dc) { paintEdit(hwnd, state, dc); });
    if (state.focused && givenDc == 0) {
        // The caret follows the text as it is shown.
        const POINT at = caretPoint(hwnd, state);
        SetCaretPos(at.x, at.y);
    }
    return 0;
}

// ---- Creation ----------------------------------------------------------------------------------

LRESULT onCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto state = kvwin32::internal::attachState(hwnd, std::make_shared<EditState>());
    if (!state) {
        return FALSE;
    }
    const DWORD style = styleOf(hwnd);
    state->verticalBar = (style & ES_MULTILINE) && (style & WS_VSCROLL);
    // ES_PASSWORD only applies to a single-line edit; a multi-line edit is never masked.
    if ((style & ES_PASSWORD) && !(style & ES_MULTILINE)) {
        state->passwordChar = '*';
    }
    // ES_NUMBER and the letter cases of ES_UPPERCASE/ES_LOWERCASE are kept in the style.
    const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        state->text = convertCase(hwnd, cs->lpszName);
        mirrorText(hwnd, *state);
    }
    return result;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        return onCreate(hwnd, msg, wParam, lParam);
    }
    std::shared_ptr<EditState> state = stateOf<EditState>(hwnd);
    if (!state) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    EditState& s = *state;
    switch (msg) {
        case WM_NCDESTROY:
            kvwin32::internal::detachState(hwnd);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_CREATE:
        case WM_SIZE:
            updateScrollBar(hwnd, s);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_VSCROLL:
            return onVScroll(hwnd, s, wParam);
        case WM_MOUSEWHEEL:
            return onMouseWheel(hwnd, s, wParam, lParam);
        case WM_GETDLGCODE:
            return getDlgCode(hwnd, s, lParam);
        case WM_SETTEXT:
            return setText(hwnd, s, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return getText(s, wParam, reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(s.text.size());
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return onPaint(hwnd, s, wParam);
        case WM_ERASEBKGND:
            return 1;  // painting covers the whole control
        case WM_SETFONT:
            return setFont(hwnd, s, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_SETFOCUS:
            return onSetFocus(hwnd, s);
        case WM_KILLFOCUS:
            return onKillFocus(hwnd, s);
        case WM_CHAR:
            // As on Windows, the edit answers 1 to every character it is sent.
            onChar(hwnd, s, wParam);
            return 1;
        case WM_KEYDOWN:
            return onKeyDown(hwnd, s, wParam, lParam);
        case WM_SYSKEYDOWN:
            // Alt+Up and Alt+Down in a combo box's edit open or close the list.
            if ((wParam == VK_UP || wParam == VK_DOWN) && isComboBoxEdit(hwnd)) {
                return SendMessageA(GetParent(hwnd), WM_SYSKEYDOWN, wParam, lParam);
            }
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
            return onLButtonDown(hwnd, s, lParam);
        case WM_MOUSEMOVE:
            return onMouseMove(hwnd, s, lParam);
        case WM_LBUTTONUP:
            return onLButtonUp(hwnd, s);
        case WM_LBUTTONDBLCLK:
            return onDoubleClick(hwnd, s);
        case WM_CUT:
            return cut(hwnd, s);
        case WM_COPY:
            return copy(hwnd, s);
        case WM_PASTE:
            return paste(hwnd, s);
        case WM_CLEAR:
            return clear(hwnd, s);
        case EM_GETSEL:
            return getSel(s, wParam, lParam);
        case EM_SETSEL:
            return setSel(hwnd, s, wParam, lParam);
        case EM_REPLACESEL:
            return replaceSel(hwnd, s, wParam, reinterpret_cast<LPCSTR>(lParam));
        case EM_LIMITTEXT:
            return limitText(hwnd, s, wParam);
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(s.limit);
        case EM_GETMODIFY:
            return s.modified ? TRUE : FALSE;
        case EM_SETMODIFY:
            s.modified = wParam != 0;
            return 0;
        case EM_SETMARGINS:
            return setMargins(hwnd, s, wParam, lParam);
        case EM_GETMARGINS:
            return MAKELONG(s.leftMargin, s.rightMargin);
        case EM_CANUNDO:
            return s.undo ? TRUE : FALSE;
        case EM_UNDO:
        case WM_UNDO:
            return undo(hwnd, s);
        case EM_EMPTYUNDOBUFFER:
            s.undo.reset();
            s.typingUndo = false;
            return 0;
        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(linesOf(hwnd, s).size());
        case EM_LINEINDEX:
            return lineIndex(hwnd, s, wParam);
        case EM_LINELENGTH:
            return lineLength(hwnd, s, wParam);
        case EM_LINEFROMCHAR:
            return lineFromChar(hwnd, s, wParam);
        case EM_GETLINE:
            return getLine(hwnd, s, wParam, reinterpret_cast<LPSTR>(lParam));
        case EM_POSFROMCHAR:
            return posFromChar(hwnd, s, wParam);
        case EM_CHARFROMPOS:
            return charFromPos(hwnd, s, lParam);
        case EM_SCROLLCARET:
            scrollCaret(hwnd, s);
            InvalidateRect(hwnd, nullptr, FALSE);
            return TRUE;
        case EM_GETFIRSTVISIBLELINE:
            return firstVisibleLine(hwnd, s);
        case EM_SETREADONLY:
            return setReadOnly(hwnd, wParam);
        case EM_SETPASSWORDCHAR:
            s.passwordChar = isMultiLine(hwnd) ? 0 : static_cast<char>(wParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(s.passwordChar);
        case EM_GETRECT:
            return getRect(hwnd, s, reinterpret_cast<RECT*>(lParam));
        case EM_SETRECT:
        case EM_SETRECTNP:
            return setRect(hwnd, s, reinterpret_cast<const RECT*>(lParam));
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::editClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = editProc;
    wc.lpszClassName = WC_EDITA;
    return wc;
}
