// What the Robot reads back: the kind of a control, its texts, items, selection and check
// state, and the rectangles of the items it clicks.
#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>

#include "internal/robot.h"
#include "kvwin32/ascii.h"
#include "kvwin32/comctl_listview.h"
#include "kvwin32/comctl_tab.h"
#include "kvwin32/robot.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/item_text.h"

namespace kvwin32 {

namespace {

// The reader of check-list items the framework installs: it alone knows where its check-list
// box keeps the states (Windows has no check-list box of its own).
struct CheckListReaderSlot {
    std::mutex mutex;
    CheckListReader reader;
};

CheckListReaderSlot& readerSlot() {
    static CheckListReaderSlot slot;
    return slot;
}

// The framework's check-list box answers a registered message with the state of an item:
// a marker bit with the state (0 unchecked, 1 checked, 2 indeterminate); any other window
// answers 0, as DefWindowProc does for a message it does not know.
constexpr const char* kCheckStateMessage = "KvCheckListBoxGetCheck";
constexpr LRESULT kCheckStateAnswered = 0x10000;

std::optional<bool> askCheckState(HWND list, int index) {
    static const UINT message = RegisterWindowMessageA(kCheckStateMessage);
    LRESULT answer = SendMessageA(list, message, static_cast<WPARAM>(index), 0);
    if (answer == LB_ERR || (answer & kCheckStateAnswered) == 0) {
        return std::nullopt;
    }
    return (answer & 0xFFFF) == BST_CHECKED;
}

std::string listViewText(HWND control, int index) {
    char buffer[1024] = "";
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    LRESULT got = SendMessageA(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&item));
    return std::string(buffer, static_cast<size_t>(std::clamp<LRESULT>(got, 0, sizeof buffer - 1)));
}

std::string tabText(HWND control, int index) {
    char buffer[256] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    if (!SendMessageA(control, TCM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return {};
    }
    buffer[sizeof buffer - 1] = '\0';
    // The control may answer with a pointer of its own instead of filling the buffer.
    return item.pszText ? std::string(item.pszText) : std::string();
}

}  // namespace

CheckListReader setCheckListReader(CheckListReader reader) {
    CheckListReaderSlot& slot = readerSlot();
    std::lock_guard lock(slot.mutex);
    CheckListReader previous = std::move(slot.reader);
    slot.reader = std::move(reader);
    return previous;
}

namespace internal {

std::string classOf(HWND hwnd) {
    char name[64] = "";
    int length = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, static_cast<size_t>(std::max(length, 0)));
}

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::clamp(got, 0, length)));
    return text;
}

ControlKind kindOf(HWND hwnd) {
    std::string cls = classOf(hwnd);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (kvwin32::ascii::equalNoCase(cls, "Button")) {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return ControlKind::checkBox;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return ControlKind::radioButton;
            case BS_GROUPBOX:
                return ControlKind::groupBox;
            default:
                return ControlKind::pushButton;
        }
    }
    if (kvwin32::ascii::equalNoCase(cls, "Static")) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
            case SS_SIMPLE:
            case SS_LEFTNOWORDWRAP:
                return ControlKind::staticText;
            default:
                return ControlKind::staticOther;
        }
    }
    struct ClassKind {
        const char* name;
        ControlKind kind;
    };
    static constexpr ClassKind kClasses[] = {
        {"Edit", ControlKind::edit},
        {"ComboBox", ControlKind::comboBox},
        {"ListBox", ControlKind::listBox},
        {"ComboLBox", ControlKind::listBox},
        {"SysListView32", ControlKind::listView},
        {"msctls_updown32", ControlKind::upDown},
        {"SysTabControl32", ControlKind::tabControl},
        {"#32770", ControlKind::dialog},
    };
    for (const ClassKind& entry : kClasses) {
        if (kvwin32::ascii::equalNoCase(cls, entry.name)) {
            return entry.kind;
        }
    }
    return ControlKind::other;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::pushButton:
            return "push button";
        case ControlKind::checkBox:
            return "check box";
        case ControlKind::radioButton:
            return "radio button";
        case ControlKind::groupBox:
            return "group box";
        case ControlKind::staticText:
            return "static text";
        case ControlKind::staticOther:
            return "static picture";
        case ControlKind::edit:
            return "edit";
        case ControlKind::comboBox:
            return "combo box";
        case ControlKind::listBox:
            return "list box";
        case ControlKind::listView:
            return "list view";
        case ControlKind::upDown:
            return "up-down control";
        case ControlKind::tabControl:
            return "tab control";
        case ControlKind::dialog:
            return "dialog";
        case ControlKind::other:
            break;
    }
    return "window";
}

bool isLabel(HWND hwnd) {
    ControlKind kind = kindOf(hwnd);
    return kind == ControlKind::staticText || kind == ControlKind::groupBox;
}

bool isLabelTarget(HWND hwnd) {
    switch (kindOf(hwnd)) {
        case ControlKind::edit:
        case ControlKind::comboBox:
        case ControlKind::listBox:
        case ControlKind::listView:
        case ControlKind::upDown:
            return true;
        case ControlKind::checkBox:
            return windowText(hwnd).find_first_not_of(" \t&") == std::string::npos;
        default:
            return false;
    }
}

std::vector<std::string> itemTexts(HWND control) {
    std::vector<std::string> out;
    int n = Robot::count(control);
    for (int i = 0; i < n; ++i) {
        switch (kindOf(control)) {
            case ControlKind::listBox:
                out.push_back(listBoxItemText(control, i).value_or(std::string()));
                break;
            case ControlKind::comboBox:
                out.push_back(comboBoxItemText(control, i).value_or(std::string()));
                break;
            case ControlKind::listView:
                out.push_back(listViewText(control, i));
                break;
            case ControlKind::tabControl:
                out.push_back(tabText(control, i));
                break;
            default:
                break;
        }
    }
    return out;
}

std::optional<int> findItem(HWND control, const ItemQuery& item, std::string& error) {
    int n = Robot::count(control);
    if (item.byIndex) {
        if (item.index < 0 || item.index >= n) {
            error = "no item " + item.describe() + " in " + describeControl(control) + " (" +
                    std::to_string(n) + " items)";
            return std::nullopt;
        }
        return item.index;
    }
    std::vector<std::string> texts = itemTexts(control);
    std::vector<int> found;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (robotTextMatches(item.text, texts[i], false)) {
            found.push_back(static_cast<int>(i));
        }
    }
    if (found.empty()) {
        error = "no item " + item.describe() + " in " + describeControl(control);
        return std::nullopt;
    }
    // Equal texts are told apart by index; the first is what a person sees first.
    return found.front();
}

std::optional<RECT> itemRect(HWND control, int index) {
    RECT rect{};
    switch (kindOf(control)) {
        case ControlKind::listBox:
            if (SendMessageA(control, LB_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
                return std::nullopt;
            }
            return rect;
        case ControlKind::listView:
            rect.left = LVIR_LABEL;
            if (!SendMessageA(control, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(&rect))) {
                return std::nullopt;
            }
            return rect;
        case ControlKind::tabControl:
            if (!SendMessageA(control, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(&rect))) {
                return std::nullopt;
            }
            return rect;
        default:
            return std::nullopt;
    }
}

std::string describeControl(HWND hwnd) {
    std::string out = std::string("the ") + kindName(kindOf(hwnd));
    std::string text = windowText(hwnd);
    if (!text.empty()) {
        out += " \"" + text + "\"";
    }
    out += " (#" + std::to_string(GetDlgCtrlID(hwnd)) + ")";
    return out;
}

}  // namespace internal

std::string Robot::text(HWND control) {
    return internal::windowText(control);
}

bool Robot::enabled(HWND control) {
    return IsWindowEnabled(control) != FALSE;
}

bool Robot::visible(HWND control) {
    return IsWindowVisible(control) != FALSE;
}

bool Robot::checked(HWND control) {
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<bool> Robot::itemChecked(HWND control, const ItemQuery& item) {
    std::string error;
    std::optional<int> index = internal::findItem(control, item, error);
    if (!index) {
        return std::nullopt;
    }
    CheckListReader reader;
    {
        CheckListReaderSlot& slot = readerSlot();
        std::lock_guard lock(slot.mutex);
        reader = slot.reader;
    }
    return reader ? reader(control, *index) : askCheckState(control, *index);
}

bool Robot::focused(HWND control) {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == control || IsChild(control, focus));
}

std::string Robot::selectedText(HWND control) {
    int selected = -1;
    switch (internal::kindOf(control)) {
        case internal::ControlKind::listBox:
            selected = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
            break;
        case internal::ControlKind::comboBox:
            selected = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
            break;
        case internal::ControlKind::listView:
            selected = static_cast<int>(
                SendMessageA(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            break;
        case internal::ControlKind::tabControl:
            selected = static_cast<int>(SendMessageA(control, TCM_GETCURSEL, 0, 0));
            break;
        default:
            return {};
    }
    std::vector<std::string> texts = internal::itemTexts(control);
    return selected >= 0 && static_cast<size_t>(selected) < texts.size()
               ? texts[static_cast<size_t>(selected)]
               : std::string();
}

std::vector<std::string> Robot::items(HWND control) {
    return internal::itemTexts(control);
}

int Robot::count(HWND control) {
    LRESULT n = 0;
    switch (internal::kindOf(control)) {
        case internal::ControlKind::listBox:
            n = SendMessageA(control, LB_GETCOUNT, 0, 0);
            break;
        case internal::ControlKind::comboBox:
            n = SendMessageA(control, CB_GETCOUNT, 0, 0);
            break;
        case internal::ControlKind::listView:
            n = SendMessageA(control, LVM_GETITEMCOUNT, 0, 0);
            break;
        case internal::ControlKind::tabControl:
            n = SendMessageA(control, TCM_GETITEMCOUNT, 0, 0);
            break;
        default:
            break;
    }
    return static_cast<int>(std::clamp<LRESULT>(n, 0, 1 << 20));
}

std::string Robot::className(HWND hwnd) {
    return internal::classOf(hwnd);
}

}  // namespace kvwin32
