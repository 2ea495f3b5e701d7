// The Robot's actions: the messages a person's mouse and keyboard produce, sent to the
// control that would get them, after the checks a person's eyes make (a disabled or hidden
// control cannot be used), and the dispatch of what was posted, as a message loop does
// between two user actions.
#include <algorithm>
#include <optional>
#include <cctype>
#include <string>
#include <utility>

#include "internal/robot.h"
#include "internal/tab.h"
#include "internal/window.h"
#include "kvwin32/comctl_tab.h"
#include "kvwin32/comctl_tooltip.h"
#include "kvwin32/prsht.h"
#include "kvwin32/robot.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_cursor.h"
#include "kvwin32/winuser_dialog.h"

namespace kvwin32 {

namespace {

using internal::ControlKind;
using internal::describeControl;
using internal::kindOf;

// Posted messages a pump dispatches at most, so that a window that posts to itself for ever
// cannot hang the Robot.
constexpr int kPumpLimit = 10000;

RobotResult refused(HWND hwnd, std::string why) {
    return RobotResult::failed(RobotFailure::refused, std::move(why), hwnd);
}

RobotResult done(HWND hwnd) {
    return RobotResult::found(hwnd);
}

// Why a person could not use the control, or empty when they could.
std::string unusable(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return "no such control";
    }
    if (!IsWindowVisible(hwnd)) {
        return describeControl(hwnd) + " is hidden";
    }
    // A disabled window takes no input, nor does anything inside a disabled dialog.
    for (HWND w = hwnd; w != nullptr && !internal::isRootWindow(w); w = GetAncestor(w, GA_PARENT)) {
        if (!IsWindowEnabled(w)) {
            return describeControl(hwnd) + " is disabled";
        }
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) {
            break;
        }
    }
    return {};
}

POINT centreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT clientCentre(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return centreOf(rect);
}

LPARAM pointParam(POINT pt) {
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// Mouse button down and up at a point of the window's client area.
void sendClick(HWND hwnd, POINT pt, bool twice) {
    POINT screen = pt;
    ClientToScreen(hwnd, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(pt));
    if (IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_LBUTTONUP, 0, pointParam(pt));
    }
    if (twice && IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pointParam(pt));
        if (IsWindow(hwnd)) {
            SendMessageA(hwnd, WM_LBUTTONUP, 0, pointParam(pt));
        }
    }
}

// The scan code (set 1, as a PC keyboard reports it) of the keys scripts press; 0 for others.
// It goes into bits 16 to 23 of a key message's lParam, where a window may look at it.
UINT scanCodeOf(UINT vk) {
    switch (vk) {
        case VK_ESCAPE:
            return 0x01;
        case VK_BACK:
            return 0x0E;
        case VK_TAB:
            return 0x0F;
        case VK_RETURN:
            return 0x1C;
        case VK_SPACE:
            return 0x39;
        case VK_F2:
            return 0x3C;
        case VK_HOME:
            return 0x47;
        case VK_UP:
            return 0x48;
        case VK_PRIOR:
            return 0x49;
        case VK_LEFT:
            return 0x4B;
        case VK_RIGHT:
            return 0x4D;
        case VK_END:
            return 0x4F;
        case VK_DOWN:
            return 0x50;
        case VK_NEXT:
            return 0x51;
        case VK_INSERT:
            return 0x52;
        case VK_DELETE:
            return 0x53;
        default:
            return 0;
    }
}

// Sends a keyboard message the way a message loop passes it: the host's pre-translation first,
// then the dialog of the window (IsDialogMessageA translates and dispatches it itself when it
// does not use it), else translated and sent to the window. A key press that reaches
// translation posts the characters it types, which the caller then passes on the same way.
KeyFilter& keyFilter() {
    static KeyFilter filter;
    return filter;
}

void deliverKey(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{target, message, wParam, lParam, 0, {}};
    if (const KeyFilter& filter = keyFilter(); filter && filter(msg)) {
        return;  // the host's loop took it
    }
    HWND dialog = GetAncestor(target, GA_ROOT);
    if (dialog != nullptr && kindOf(dialog) == ControlKind::dialog &&
        IsDialogMessageA(dialog, &msg)) {
        return;
    }
    if (IsWindow(target)) {
        TranslateMessage(&msg);
        SendMessageA(target, message, wParam, lParam);
    }
}

// Passes on the characters the translation of a key press posted, in the order a message loop
// would fetch them.
void deliverTypedCharacters() {
    MSG typed;
    while (PeekMessageA(&typed, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
           PeekMessageA(&typed, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
        deliverKey(typed.hwnd, typed.message, typed.wParam, typed.lParam);
    }
}

// Holds modifier keys down for one key press, as GetKeyState sees them.
class ModifierKeys {
  public:
    explicit ModifierKeys(KeyModifiers modifiers) {
        BYTE* keys = internal::threadInput().keys;
        for (auto [flag, vk] :
             {std::pair{KeyModifiers::shift, VK_SHIFT}, std::pair{KeyModifiers::ctrl, VK_CONTROL},
              std::pair{KeyModifiers::alt, VK_MENU}}) {
            m_saved[vk] = keys[vk];
            if (hasModifier(modifiers, flag)) {
                keys[vk] |= 0x80;
            }
        }
    }
    ~ModifierKeys() {
        BYTE* keys = internal::threadInput().keys;
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
            keys[vk] = m_saved[vk];
        }
    }
    ModifierKeys(const ModifierKeys&) = delete;
    ModifierKeys& operator=(const ModifierKeys&) = delete;

  private:
    BYTE m_saved[256] = {};
};

}  // namespace

KeyFilter setKeyFilter(KeyFilter filter) {
    return std::exchange(keyFilter(), std::move(filter));
}

void Robot::pump() {
    MSG msg;
    for (int i = 0; i < kPumpLimit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            // The quit belongs to the loop that runs the program; leave it for that loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.message == WM_PAINT && msg.hwnd != nullptr) {
            // A window that does not validate would be painted for ever.
            ValidateRect(msg.hwnd, nullptr);
        }
    }
}

RobotResult Robot::click(HWND control) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    ControlKind kind = kindOf(control);
    bool clickable = kind == ControlKind::pushButton || kind == ControlKind::checkBox ||
                     kind == ControlKind::radioButton ||
                     (kind == ControlKind::staticText || kind == ControlKind::staticOther
                          ? (GetWindowLongA(control, GWL_STYLE) & SS_NOTIFY) != 0
                          : false);
    if (!clickable) {
        return refused(control, describeControl(control) + " cannot be clicked");
    }
    sendClick(control, clientCentre(control), false);
    pump();
    return done(control);
}

RobotResult Robot::doubleClick(HWND control) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    sendClick(control, clientCentre(control), true);
    pump();
    return done(control);
}

RobotResult Robot::clickItem(HWND control, const ItemQuery& item, bool twice) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    ControlKind kind = kindOf(control);
    if (kind != ControlKind::listBox && kind != ControlKind::listView) {
        return refused(control, describeControl(control) + " has no items to click");
    }
    std::string error;
    std::optional<int> index = internal::findItem(control, item, error);
    if (!index) {
        return refused(control, error);
    }
    std::optional<RECT> rect = internal::itemRect(control, *index);
    RECT client{};
    GetClientRect(control, &client);
    if (rect && (rect->top < client.top || rect->bottom > client.bottom)) {
        // A person scrolls the item into view first.
        if (kind == ControlKind::listBox) {
            SendMessageA(control, LB_SETTOPINDEX, static_cast<WPARAM>(*index), 0);
        } else {
            SendMessageA(control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(*index), FALSE);
        }
        rect = internal::itemRect(control, *index);
    }
    // The part of the item a person can see: a label wider than the control, or scrolled
    // sideways, is clicked where it shows.
    RECT visible{};
    if (!rect || !IntersectRect(&visible, &*rect, &client)) {
        return refused(control, "item " + item.describe() + " of " + describeControl(control) +
                                    " is not shown");
    }
    sendClick(control, centreOf(visible), twice);
    pump();
    return done(control);
}

RobotResult Robot::clickPart(HWND control, const ItemQuery& item) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    ControlKind kind = kindOf(control);
    if (kind == ControlKind::listBox || kind == ControlKind::listView) {
        return clickItem(control, item);
    }
    if (kind == ControlKind::tabControl) {
        return clickTab(control, item);
    }
    // A button bar: its buttons are known by their tooltips, as a person hovering learns them.
    std::vector<HWND> parts;
    for (HWND child : internal::childrenOf(control)) {
        if (IsWindowVisible(child)) {
            parts.push_back(child);
        }
    }
    HWND part = nullptr;
    if (item.byIndex) {
        part = item.index >= 0 && static_cast<size_t>(item.index) < parts.size()
                   ? parts[static_cast<size_t>(item.index)]
                   : nullptr;
    } else {
        for (HWND candidate : parts) {
            std::optional<std::string> tip = tooltipTextAt(candidate);
            if (tip && robotTextMatches(item.text, *tip, false)) {
                part = candidate;
                break;
            }
        }
        popTooltips();
    }
    if (part == nullptr) {
        // A bar that draws its buttons itself has a tool for each button's area.
        const std::vector<RECT> areas = tooltipToolRects(control);
        std::optional<POINT> at;
        if (item.byIndex) {
            if (item.index >= 0 && static_cast<size_t>(item.index) < areas.size()) {
                at = centreOf(areas[static_cast<size_t>(item.index)]);
            }
        } else {
            for (const RECT& area : areas) {
                std::optional<std::string> tip = tooltipTextAt(control, centreOf(area));
                if (tip && robotTextMatches(item.text, *tip, false)) {
                    at = centreOf(area);
                    break;
                }
            }
            popTooltips();
        }
        if (at) {
            sendClick(control, *at, false);
            pump();
            return done(control);
        }
    }
    if (part == nullptr) {
        return refused(control, "no part " + item.describe() + " in " + describeControl(control));
    }
    if (std::string why = unusable(part); !why.empty()) {
        return refused(part, why);
    }
    sendClick(part, clientCentre(part), false);
    pump();
    return done(part);
}

RobotResult Robot::type(HWND control, std::string_view text) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    HWND edit = control;
    if (kindOf(control) == ControlKind::comboBox) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        SendMessageA(control, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
        edit = info.hwndItem;
        if (edit == nullptr || kindOf(edit) != ControlKind::edit) {
            return refused(control,
                           describeControl(control) + " is a drop-down list: it takes no typing");
        }
    } else if (kindOf(control) != ControlKind::edit) {
        return refused(control, describeControl(control) + " takes no typing");
    }
    if (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) {
        return refused(control, describeControl(control) + " is read-only");
    }
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        // Clearing a selected text is a Delete key press.
        SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
        SendMessageA(edit, WM_KEYUP, VK_DELETE, static_cast<LPARAM>(0xC0000001u));
    }
    for (char c : text) {
        if (!IsWindow(edit)) {
            break;
        }
        // A line break is typed with Enter.
        char typed = c == '\n' ? '\r' : c;
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(typed)), 1);
    }
    pump();
    return done(control);
}

RobotResult Robot::select(HWND control, const ItemQuery& item) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    ControlKind kind = kindOf(control);
    if (kind == ControlKind::listBox || kind == ControlKind::listView) {
        return clickItem(control, item);
    }
    if (kind != ControlKind::comboBox) {
        return refused(control, describeControl(control) + " has no items to select");
    }
    std::string error;
    std::optional<int> index = internal::findItem(control, item, error);
    if (!index) {
        return refused(control, error);
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    SendMessageA(control, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (info.hwndList == nullptr) {
        return refused(control, describeControl(control) + " shows no list");
    }
    bool dropDown = (GetWindowLongA(control, GWL_STYLE) & 0x3) != CBS_SIMPLE;
    if (dropDown) {
        // Open the list with its button, as a person does.
        sendClick(control, centreOf(info.rcButton), false);
        if (!IsWindowVisible(info.hwndList)) {
            return refused(control, describeControl(control) + " did not open its list");
        }
    }
    std::optional<RECT> rect = internal::itemRect(info.hwndList, *index);
    if (rect) {
        RECT client{};
        GetClientRect(info.hwndList, &client);
        if (rect->top < client.top || rect->bottom > client.bottom) {
            SendMessageA(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(*index), 0);
            rect = internal::itemRect(info.hwndList, *index);
        }
    }
    if (!rect) {
        return refused(control, "item " + item.describe() + " of " + describeControl(control) +
                                    " is not shown");
    }
    sendClick(info.hwndList, centreOf(*rect), false);
    pump();
    if (SendMessageA(control, CB_GETCURSEL, 0, 0) != *index) {
        return refused(control, describeControl(control) + " did not take item " + item.describe());
    }
    return done(control);
}

RobotResult Robot::check(HWND control, const ItemQuery& item, bool on) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    std::string error;
    std::optional<int> index = internal::findItem(control, item, error);
    if (!index) {
        return refused(control, error);
    }
    std::optional<bool> state = itemChecked(control, item);
    if (!state) {
        return refused(control, describeControl(control) + " is not a check-list box");
    }
    if (*state == on) {
        return done(control);
    }
    std::optional<RECT> rect = internal::itemRect(control, *index);
    if (!rect) {
        return refused(control, "item " + item.describe() + " of " + describeControl(control) +
                                    " is not shown");
    }
    // The check box sits at the left end of the item.
    sendClick(control, POINT{rect->left + 7, (rect->top + rect->bottom) / 2}, false);
    pump();
    return done(control);
}

RobotResult Robot::key(HWND control, UINT vk, KeyModifiers modifiers) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    if (GetFocus() != control && !IsChild(control, GetFocus())) {
        SetFocus(control);
    }
    HWND target = GetFocus() != nullptr ? GetFocus() : control;
    bool alt = hasModifier(modifiers, KeyModifiers::alt);
    {
        ModifierKeys held(modifiers);
        // Alt+key is a system key: WM_SYSKEYDOWN with the context bit (29) set.
        const LPARAM scan = static_cast<LPARAM>(scanCodeOf(vk)) << 16;
        LPARAM downParam = 1 | scan | (alt ? (1 << 29) : 0);
        LPARAM upParam = static_cast<LPARAM>(0xC0000001u) | scan | (alt ? (1 << 29) : 0);
        deliverKey(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, downParam);
        // The characters come from translating the key press, as a keyboard's do: once, and
        // only when the press was not taken before translation.
        deliverTypedCharacters();
        // The key is released where the focus is then: a key that moved the focus (Tab into
        // another control) is released in the control it moved to, as on a keyboard.
        HWND release = GetFocus() != nullptr ? GetFocus() : target;
        if (IsWindow(release)) {
            deliverKey(release, alt ? WM_SYSKEYUP : WM_KEYUP, vk, upParam);
        }
    }
    pump();
    return done(control);
}

UINT gridCellQueryMessage() {
    static const UINT message = RegisterWindowMessageA("KvGridCellQuery");
    return message;
}

std::optional<GridCellQuery> Robot::gridCell(HWND grid, int row, int col) {
    if (grid == nullptr || !IsWindow(grid)) {
        return std::nullopt;
    }
    GridCellQuery query;
    query.row = row;
    query.col = col;
    if (SendMessageA(grid, gridCellQueryMessage(), 0, reinterpret_cast<LPARAM>(&query)) != 1) {
        return std::nullopt;
    }
    return query;
}

RobotResult Robot::clickCell(HWND grid, int row, int col, bool twice) {
    if (std::string why = unusable(grid); !why.empty()) {
        return refused(grid, why);
    }
    std::optional<GridCellQuery> cell = gridCell(grid, row, col);
    if (!cell) {
        return refused(grid, describeControl(grid) + " is no grid");
    }
    const std::string name = "cell " + std::to_string(row) + "," + std::to_string(col);
    if (!cell->exists) {
        return refused(grid, describeControl(grid) + " has no " + name);
    }
    RECT client{};
    GetClientRect(grid, &client);
    RECT visible{};
    if (!cell->shown || !IntersectRect(&visible, &cell->rect, &client)) {
        return refused(grid, name + " of " + describeControl(grid) + " is not shown");
    }
    sendClick(grid, centreOf(visible), twice);
    pump();
    return done(grid);
}

RobotResult Robot::typeKeys(HWND control, std::string_view text) {
    if (std::string why = unusable(control); !why.empty()) {
        return refused(control, why);
    }
    if (GetFocus() != control && !IsChild(control, GetFocus())) {
        SetFocus(control);
    }
    for (char c : text) {
        const auto ch = static_cast<unsigned char>(c == '\n' ? '\r' : c);
        // The key of a letter or digit is its upper-case character; a blank is Space, Enter
        // and Tab their keys; anything else a punctuation key of the keyboard.
        UINT vk = 0xDE;
        if (std::isalnum(ch)) {
            vk = static_cast<UINT>(std::toupper(ch));
        } else if (ch == ' ') {
            vk = VK_SPACE;
        } else if (ch == '\r') {
            vk = VK_RETURN;
        } else if (ch == '\t') {
            vk = VK_TAB;
        }
        // Each message goes to the focus of the moment: a key may move it (into a cell's
        // editor, to the next control).
        auto focus = [control] { return GetFocus() != nullptr ? GetFocus() : control; };
        deliverKey(focus(), WM_KEYDOWN, vk, 1);
        // Translating the key posts the character of the keyboard layout; the text's own
        // character is typed instead.
        MSG translated;
        while (PeekMessageA(&translated, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        }
        deliverKey(focus(), WM_CHAR, ch, 1);
        deliverKey(focus(), WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        pump();
    }
    return done(control);
}

RobotResult Robot::clickTab(HWND tabControl, const ItemQuery& item) {
    HWND tab = tabControl;
    if (kindOf(tab) == ControlKind::dialog) {
        tab = reinterpret_cast<HWND>(SendMessageA(tabControl, PSM_GETTABCONTROL, 0, 0));
    }
    if (tab == nullptr || kindOf(tab) != ControlKind::tabControl) {
        return refused(tabControl, describeControl(tabControl) + " has no tabs");
    }
    if (std::string why = unusable(tab); !why.empty()) {
        return refused(tab, why);
    }
    std::string error;
    std::optional<int> index = internal::findItem(tab, item, error);
    if (!index) {
        return refused(tab, error);
    }
    // A tab scrolled out of the row is brought into view as a person does it: with the row's
    // scroll arrows, a tab a click, towards the side it lies on.
    const auto count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int scrolled = 0;; ++scrolled) {
        std::optional<RECT> rect = internal::itemRect(tab, *index);
        if (!rect) {
            break;
        }
        TCHITTESTINFO hit{centreOf(*rect), 0};
        if (SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == *index) {
            sendClick(tab, hit.pt, false);
            pump();
            return done(tab);
        }
        const auto arrows = internal::tabScrollArrows(tab);
        if (!arrows || scrolled >= count) {
            break;
        }
        sendClick(tab, centreOf(rect->left < 0 ? arrows->first : arrows->second), false);
        pump();
    }
    return refused(tab, "tab " + item.describe() + " is not shown");
}

RobotResult Robot::click(const ControlQuery& query) {
    RobotResult found = find(query);
    return found ? click(found.hwnd) : found;
}

RobotResult Robot::type(const ControlQuery& query, std::string_view text) {
    RobotResult found = find(query);
    return found ? type(found.hwnd, text) : found;
}

RobotResult Robot::select(const ControlQuery& query, const ItemQuery& item) {
    RobotResult found = find(query);
    return found ? select(found.hwnd, item) : found;
}

RobotResult Robot::key(const ControlQuery& query, UINT vk, KeyModifiers modifiers) {
    RobotResult found = find(query);
    return found ? key(found.hwnd, vk, modifiers) : found;
}

}  // namespace kvwin32
