// Internal: the "Edit" control's state record and the parts of it that only read the state:
// where its text lies (formatting rectangle, lines, character positions), the line queries
// (EM_LINEINDEX, EM_GETLINE, EM_POSFROMCHAR ...) and its painting. ctl_edit.cpp changes the
// state; ctl_edit_view.cpp implements what is declared here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "internal/control.h"
#include "internal/edit_text.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal::edit {

// Text a user may type before EM_LIMITTEXT changes it, as the classic edit control starts.
inline constexpr std::size_t kDefaultLimit = 30000;

// What EM_UNDO restores: the text and selection before the last undoable change.
struct UndoRecord {
    std::string text;
    std::size_t anchor = 0;
    std::size_t caret = 0;
};

// An edit control's state. The text is kept here and mirrored into the window record, so
// that both WM_GETTEXT and the window manager's own reads see it.
struct EditState : ControlState {
    std::string text;                   // the text; multi-line lines end with "\r\n"
    std::size_t anchor = 0;             // fixed end of the selection
    std::size_t caret = 0;              // moving end of the selection, where the caret is
    std::size_t limit = kDefaultLimit;  // EM_LIMITTEXT: most characters typing may reach
    bool modified = false;              // EM_GETMODIFY: changed by the user since WM_SETTEXT
    bool focused = false;               // has the keyboard focus
    bool selecting = false;             // the left mouse button is down and drags the selection
    bool dialogMode = false;            // a dialog asked WM_GETDLGCODE with a message: it is in one
    bool typingUndo = false;            // the undo record was started by typing and grows with it
    char passwordChar = 0;              // EM_SETPASSWORDCHAR; '*' for ES_PASSWORD, 0 shows the text
    int leftMargin = 0;                 // EM_SETMARGINS, pixels
    int rightMargin = 0;
    bool hasFormatRect = false;      // EM_SETRECT set formatRect; otherwise the client area
    RECT formatRect{};               // the rectangle text is laid out in (EM_SETRECT)
    int xOffset = 0;                 // pixels scrolled to the left (single line)
    std::size_t firstLine = 0;       // first visible line (multi-line)
    bool verticalBar = false;        // made multi-line with WS_VSCROLL: keeps that bar in step
    int wheelRemain = 0;             // wheel turned, in WHEEL_DELTA units, not yet scrolled
    std::optional<UndoRecord> undo;  // EM_CANUNDO while set
};

inline DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
inline bool isMultiLine(HWND hwnd) {
    return (styleOf(hwnd) & ES_MULTILINE) != 0;
}
inline bool isReadOnly(HWND hwnd) {
    return (styleOf(hwnd) & ES_READONLY) != 0;
}
inline std::size_t selStart(const EditState& s) {
    return std::min(s.anchor, s.caret);
}
inline std::size_t selEnd(const EditState& s) {
    return std::max(s.anchor, s.caret);
}

// ---- Geometry ----------------------------------------------------------------------------------

// The rectangle text is laid out in: EM_SETRECT's or the client area, less the margins.
RECT formatRect(HWND hwnd, const EditState& state);
// Characters per line when a multi-line edit without horizontal scrolling wraps; 0: no wrap.
std::size_t wrapColumns(HWND hwnd, const EditState& state);
// The displayed lines of the text.
std::vector<EditLine> linesOf(HWND hwnd, const EditState& state);
// Width in pixels of text as the edit shows it (password characters for a password edit),
// bounded so that it never overflows.
int textPixels(const EditState& state, std::string_view text);
// Width in pixels of the characters [from, to) of the edit's text as shown.
int textPixels(const EditState& state, std::size_t from, std::size_t to);
// Left edge of a line's text in client coordinates, by the ES_CENTER/ES_RIGHT alignment.
int lineLeft(HWND hwnd, const EditState& state, const EditLine& line);
// Client coordinates of the top-left corner of a character.
POINT positionOf(HWND hwnd, const EditState& state, std::size_t index);
// The character nearest a point: its index and line.
std::pair<std::size_t, std::size_t> charFromPoint(HWND hwnd, const EditState& state, POINT pt);
// Scrolls so that the caret shows: horizontally for a single line, by lines for several.
void scrollCaret(HWND hwnd, EditState& state);
// Lines that fit wholly in the formatting rectangle of a multi-line edit; at least one.
int visibleLines(HWND hwnd, const EditState& state);
// Sets the vertical scroll bar of a multi-line edit made with one from its lines.
void updateScrollBar(HWND hwnd, const EditState& state);

// ---- Line queries ----------------------------------------------------------------------------

// EM_LINEINDEX: the first character of a line (-1: the caret's line); -1 past the last line.
LRESULT lineIndex(HWND hwnd, const EditState& state, WPARAM line);
// EM_LINELENGTH: a single-line edit answers its whole length; a multi-line edit the length of
// the line holding the index, or with -1 the unselected characters of the selected lines.
LRESULT lineLength(HWND hwnd, const EditState& state, WPARAM index);
// EM_LINEFROMCHAR: the line holding a character (-1: the start of the selection).
LRESULT lineFromChar(HWND hwnd, const EditState& state, WPARAM index);
// EM_GETLINE: the buffer's first WORD is its size; the line is copied without a terminator.
LRESULT getLine(HWND hwnd, const EditState& state, WPARAM line, LPSTR buffer);
// EM_POSFROMCHAR: client coordinates of a character; -1 past the last one.
LRESULT posFromChar(HWND hwnd, const EditState& state, WPARAM index);
// EM_CHARFROMPOS: MAKELONG(character, line) of the character nearest a client point.
LRESULT charFromPos(HWND hwnd, const EditState& state, LPARAM lParam);

// ---- Painting --------------------------------------------------------------------------------

// Paints the field: background and colours from the parent, the text, the selection while
// focused (or with ES_NOHIDESEL), grey text when disabled.
void paintEdit(HWND hwnd, const EditState& state, HDC dc);

}  // namespace kvwin32::internal::edit
