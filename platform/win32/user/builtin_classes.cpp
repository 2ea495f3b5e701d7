// The table of the window system's own classes. The class table registers every entry when it
// is first used (see class.cpp), so each exists before the first window, dialog or control.
#include "internal/builtin_classes.h"

#include "kvwin32/commctrl.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32::internal {
namespace {

// The desktop window's class and the class of the root of message-only windows.
WNDCLASSEXA rootClass(LPCSTR name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.style = CS_GLOBALCLASS;
    wc.lpszClassName = name;
    return wc;
}

constexpr BuiltinClass kBuiltinClasses[] = {
    [] { return rootClass("#32769"); },
    [] { return rootClass("Message"); },
    dialogClass,
    buttonClass,
    editClass,
    staticClass,
    [] { return listbox::listBoxClass(WC_LISTBOXA, CS_DBLCLKS | CS_PARENTDC); },
    // The list of a combo box saves what lies under it while it shows, as Windows' popup does.
    [] { return listbox::listBoxClass(WC_COMBOLBOXA, CS_DBLCLKS | CS_SAVEBITS); },
    combobox::comboBoxClass,
    tabClass,
    upDownClass,
    listViewClass,
    tooltipClass,
    browserClass,
};

}  // namespace

std::span<const BuiltinClass> builtinClasses() {
    return kBuiltinClasses;
}

}  // namespace kvwin32::internal
