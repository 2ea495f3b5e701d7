// UI automation: the Robot acts on windows as a user would and reads them back.
//
// Every action produces the messages the real user action produces, sent to the control that
// would get them on Windows: a click is WM_LBUTTONDOWN (MK_LBUTTON) then WM_LBUTTONUP at the
// centre of the control or of the part clicked (a list item, a tab, the list of a combo box);
// typing is SetFocus, EM_SETSEL(0,-1) and one WM_CHAR a character (a Delete key press for an
// empty text); a key press goes through IsDialogMessageA of the control's dialog first, as a
// message loop would pass it. An action on a disabled or hidden control, or on a control of a
// kind the action does not fit, is refused (a typed failure and a text that says why), and
// nothing is sent.
// After each action the Robot dispatches what was posted, as a message loop would between two
// user actions.
//
// Controls are found by a ControlQuery (a script's REF): own text or the text of the label
// that stands before it in tab order, `#ID`, the focus, with an offset in tab order. The
// Robot owns these rules; a script host parses its REFs straight into a ControlQuery. Texts
// are in the code page of the windows (the `A` functions' text), as the controls hold them.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kvwin32/windef.h"
#include "kvwin32/winuser.h"

namespace kvwin32 {

// How a control is named.
struct ControlQuery {
    enum class Kind {
        text,   // by its own text or the text of the label that names it
        id,     // by its control id
        focus,  // the control that has the focus
    };
    Kind kind = Kind::text;
    std::string text;          // for Kind::text; `&` and blanks at the ends are ignored
    bool prefix = false;       // the text names any text that begins with it (REF "abc*")
    bool ownTextOnly = false;  // only the control's own text counts, never a label's (REF "=abc")
    int id = 0;                // for Kind::id
    int offset = 0;            // places after (+) or before (-) the control in tab order

    // A query by text; a trailing `*` makes it a prefix, a leading `=` makes it own-text-only.
    static ControlQuery byText(std::string_view refText);
    // True for a text query that can name no control: nothing is left of its text once `&`
    // and the blanks at the ends are dropped, and it is no prefix ("*" names any text).
    bool namesNothing() const;
    // A query by control id.
    static ControlQuery byId(int id);
    // The control that has the focus.
    static ControlQuery focused();
    // The query as a script writes it ("OK", "#1001", "focus", "Value list"+1), for messages.
    std::string describe() const;
};

// An item of a list box, combo box, list view, tab control or button bar: by text or index.
struct ItemQuery {
    bool byIndex = false;
    int index = 0;
    std::string text;  // compared as a ControlQuery text (`&` and blanks at the ends ignored)

    static ItemQuery at(int index) { return ItemQuery{true, index, {}}; }
    static ItemQuery named(std::string_view text) { return ItemQuery{false, 0, std::string(text)}; }
    std::string describe() const;
};

// Why finding or acting failed.
enum class RobotFailure {
    none,              // it worked
    noMatch,           // no control matches the query (for `focus`: no control has the focus)
    ambiguous,         // several controls match; RobotResult::candidates lists them
    offsetOutOfRange,  // the control matched, but the offset leads outside its scope
    refused,           // the control cannot take the action (hidden, disabled, wrong kind,
                       // no such item): nothing was sent
};

// The result of finding or acting: a window, or a typed failure with a text for people.
struct RobotResult {
    HWND hwnd = nullptr;                        // the control found or acted on
    RobotFailure failure = RobotFailure::none;  // what went wrong, if anything
    std::string error;                          // why, for people; empty on success
    std::vector<HWND> candidates;               // the matches of an ambiguous query

    bool ok() const { return failure == RobotFailure::none; }
    explicit operator bool() const { return ok(); }

    static RobotResult found(HWND hwnd) { return RobotResult{hwnd, RobotFailure::none, {}, {}}; }
    static RobotResult failed(RobotFailure failure, std::string why, HWND hwnd = nullptr) {
        return RobotResult{hwnd, failure, std::move(why), {}};
    }
};

// The keyboard modifiers of a key press.
enum class KeyModifiers : unsigned { none = 0, shift = 1, ctrl = 2, alt = 4 };
constexpr KeyModifiers operator|(KeyModifiers a, KeyModifiers b) {
    return static_cast<KeyModifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool hasModifier(KeyModifiers set, KeyModifiers one) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(one)) != 0;
}

// True when control text `controlText` matches a query text: `&` ignored on both sides,
// blanks at the ends ignored, the rest exact; with prefix, the control text need only begin
// with the query text.
bool robotTextMatches(std::string_view queryText, std::string_view controlText, bool prefix);

// Reads the check state of an item of a check-list box (a list box whose owner draws check
// boxes); nullopt when the list is not one such. Without a reader installed, the Robot asks
// the list with the message registered as "KvCheckListBoxGetCheck" (wParam the index), which
// the framework's check-list box answers with 0x10000 | state.
using CheckListReader = std::function<std::optional<bool>(HWND list, int index)>;
// Installs a reader of check-list items in place of the message; returns the previous one.
CheckListReader setCheckListReader(CheckListReader reader);

// What a host's message loop does with a keyboard message before the dialog sees it (a loop
// that runs a library's windows lets the library pre-translate first: an in-place editor takes
// its Enter and Escape there). The Robot delivers every key through it; true means taken.
using KeyFilter = std::function<bool(MSG& msg)>;
// Installs the key filter (none: keys go straight to the dialog); returns the previous one.
KeyFilter setKeyFilter(KeyFilter filter);
// A cell of a grid window as the Robot reads it. The Robot asks a window with the message
// registered as "KvGridCellQuery" (lParam a GridCellQuery* with row and col filled in); a grid
// answers 1 and fills in the rest, any other window answers 0.
struct GridCellQuery {
    int row = 0;          // in: the cell's row (0: the header row)
    int col = 0;          // in: the cell's column (0: the header column)
    bool exists = false;  // the grid has the cell
    bool shown = false;   // the cell is on the screen (rect is where)
    RECT rect{};          // in the grid's client coordinates
    std::string text;     // the cell's value as shown (the editor's text while it edits)
    std::string control;  // "check" for a check box, "edit" for a text cell, else "other"
    int currentRow = 0;   // the grid's current cell, 0 and 0 when it has none
    int currentCol = 0;
    bool editing = false;  // the current cell's editor is active
    int rows = 0;          // the grid's row and column counts (headers not counted)
    int cols = 0;
};
// The message a grid answers with a GridCellQuery.
UINT gridCellQueryMessage();

// The topmost modal dialog of the calling thread (a visible top-level dialog whose owner is
// disabled), or null.
HWND topmostModalDialog();

// Acts on windows as a user would.
class Robot {
  public:
    // A Robot that searches the thread's windows in the automatic order: the topmost modal
    // dialog; else the active page of a property sheet and its visible child dialogs, then
    // the sheet's own buttons and tabs; else the topmost visible top-level window.
    Robot() = default;
    // A Robot that searches only under root.
    explicit Robot(HWND root) : m_root(root) {}

    // Fixes the search root (null: the automatic order).
    void setRoot(HWND root) { m_root = root; }
    // The windows searched, in order, for the current state of the thread's windows.
    std::vector<HWND> searchRoots() const;

    // ---- Finding ----
    // The one control the query names; noMatch when none does, ambiguous when several do
    // (listing them), offsetOutOfRange when the offset leads outside the scope of the match.
    RobotResult find(const ControlQuery& query) const;
    // The label text (`&` kept) that names a control, or empty when none does.
    std::string labelOf(HWND control) const;

    // ---- Actions (each refused on a disabled or hidden control) ----
    // Clicks a button, check box, radio button or a static with SS_NOTIFY.
    RobotResult click(HWND control);
    // Double-clicks a control (down, up, WM_LBUTTONDBLCLK, up).
    RobotResult doubleClick(HWND control);
    // Clicks or double-clicks an item of a list box or list view.
    RobotResult clickItem(HWND control, const ItemQuery& item, bool twice = false);
    // Clicks the button of a button bar whose tooltip text is item.text.
    RobotResult clickPart(HWND control, const ItemQuery& item);
    // Replaces the text of an edit (or an editable combo box's edit) by typing it.
    RobotResult type(HWND control, std::string_view text);
    // Chooses an item of a combo box (with the mouse), list box or list view.
    RobotResult select(HWND control, const ItemQuery& item);
    // Clicks the check box of a check-list item when its state differs from on.
    RobotResult check(HWND control, const ItemQuery& item, bool on);
    // Clicks (or double-clicks) a cell of a grid window; refused when it is no grid or the
    // cell is not shown.
    RobotResult clickCell(HWND grid, int row, int col, bool twice = false);
    // Types text one key at a time into the window that has the focus in control (control
    // itself when the focus is outside it), as a person types on the keyboard: each character
    // is a key down, its WM_CHAR and a key up, the dialog seeing the keys first. Nothing is
    // selected or replaced first (unlike type).
    RobotResult typeKeys(HWND control, std::string_view text);
    // Presses a key (VK_*) in a control, the dialog seeing it first; the key is released
    // where the focus is then (in the next control after a Tab).
    RobotResult key(HWND control, UINT vk, KeyModifiers modifiers = KeyModifiers::none);
    // Clicks a tab of a tab control or of the sheet a tab control belongs to.
    RobotResult clickTab(HWND tabControl, const ItemQuery& item);
    // Dispatches what is posted to the thread's windows without asking the input source.
    void pump();

    // The same actions on the control a query names.
    RobotResult click(const ControlQuery& query);
    RobotResult type(const ControlQuery& query, std::string_view text);
    RobotResult select(const ControlQuery& query, const ItemQuery& item);
    RobotResult key(const ControlQuery& query, UINT vk,
                    KeyModifiers modifiers = KeyModifiers::none);

    // ---- Reads ----
    static std::string text(HWND control);
    static bool enabled(HWND control);
    static bool visible(HWND control);
    // The check state of a button (BST_CHECKED), or of a check-list item.
    static bool checked(HWND control);
    static std::optional<bool> itemChecked(HWND control, const ItemQuery& item);
    static bool focused(HWND control);
    // The selected item's text of a list box, combo box, list view or tab control; empty when none.
    static std::string selectedText(HWND control);
    // The item texts of a list box, combo box, list view or tab control.
    static std::vector<std::string> items(HWND control);
    // The number of items.
    static int count(HWND control);
    // A cell of a grid window; nullopt when the window is no grid.
    static std::optional<GridCellQuery> gridCell(HWND grid, int row, int col);
    // The class name of a window ("Button", "Edit" ...).
    static std::string className(HWND hwnd);

  private:
    HWND m_root = nullptr;
};

}  // namespace kvwin32

#pragma GCC visibility pop
