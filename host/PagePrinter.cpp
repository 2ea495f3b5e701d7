// Text pictures of dialogs and controls.
#include "PagePrinter.h"

#include <sstream>

#include "Ansi.h"
#include "kvwin32/desktop.h"

namespace kvhost {

namespace {

// A control's text (in the library's code page) as the terminal shows it: quoted, UTF-8,
// control characters escaped.
std::string quote(std::string_view text) {
    return ansiToDisplay(kvwin32::transcriptQuote(text));
}

std::string kindOf(HWND control) {
    const std::string cls = kvwin32::Robot::className(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (cls == "Button") {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return "check";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return "radio";
            case BS_GROUPBOX:
                return "group";
            default:
                return "button";
        }
    }
    if (cls == "Static") {
        return "label";
    }
    if (cls == "Edit") {
        return "edit";
    }
    if (cls == "ComboBox") {
        return "combo";
    }
    if (cls == "ListBox") {
        return "list";
    }
    if (cls == "SysListView32") {
        return "listview";
    }
    if (cls == "msctls_updown32") {
        return "updown";
    }
    if (cls == "SysTabControl32") {
        return "tabs";
    }
    if (cls == "#32770") {
        return "dialog";
    }
    return cls;
}

}  // namespace

std::string describeControl(HWND control, const kvwin32::Robot& robot) {
    using kvwin32::Robot;
    std::string kind = kindOf(control);
    std::string line = kind;
    const std::string text = Robot::text(control);
    if (kind == "edit" || kind == "combo" || kind == "list" || kind == "listview" ||
        kind == "updown" || kind == "tabs") {
        const std::string label = robot.labelOf(control);
        if (!label.empty()) {
            line += " " + quote(label);
        }
        if (kind == "edit") {
            line += " = " + quote(text);
        } else {
            line += " = " + quote(Robot::selectedText(control));
            const std::vector<std::string> items = Robot::items(control);
            line += " (" + std::to_string(items.size()) + " items)";
        }
    } else {
        line += " " + quote(text);
        if (kind == "check" || kind == "radio") {
            line += Robot::checked(control) ? " [x]" : " [ ]";
        }
    }
    line += " #" + std::to_string(GetDlgCtrlID(control));
    if (!Robot::enabled(control)) {
        line += " disabled";
    }
    if (!Robot::visible(control)) {
        line += " hidden";
    }
    if (Robot::focused(control)) {
        line += " focused";
    }
    return line;
}

namespace {

// The visible controls of a dialog in tab order, a visible child dialog (a page, a panel)
// with its own heading and its controls indented one step further.
void describeChildren(HWND parent, const kvwin32::Robot& robot, int depth,
                      std::ostringstream& out) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        if (kvwin32::Robot::className(child) == "#32770") {
            out << indent << "page " << quote(kvwin32::Robot::text(child)) << '\n';
            if (depth < 8) {
                describeChildren(child, robot, depth + 1, out);
            }
            continue;
        }
        out << indent << describeControl(child, robot) << '\n';
    }
}

}  // namespace

std::string describeWindows(const kvwin32::Robot& robot) {
    std::ostringstream out;
    const std::vector<HWND> roots = robot.searchRoots();
    if (roots.empty()) {
        return "no dialog is open\n";
    }
    for (HWND root : roots) {
        out << "[" << quote(kvwin32::Robot::text(root)) << "]\n";
        describeChildren(root, robot, 1, out);
    }
    return out.str();
}

}  // namespace kvhost
