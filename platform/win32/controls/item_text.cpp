// Reading an item's text from a list box or a combo box's list.
#include "kvwin32/item_text.h"

#include <algorithm>

#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace kvwin32 {
namespace {

std::optional<std::string> itemText(HWND control, LRESULT index, UINT lengthMessage,
                                    UINT textMessage) {
    if (index < 0 || !IsWindow(control)) {
        return std::nullopt;
    }
    const LRESULT length = SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return std::nullopt;  // LB_ERR and CB_ERR: no such item (or no such control)
    }
    // The length the control reported bounds what it may copy, with room for the terminator.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(control, textMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) {
        return std::nullopt;
    }
    text.resize(std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
    return text;
}

}  // namespace

std::optional<std::string> listBoxItemText(HWND listBox, LRESULT index) {
    return itemText(listBox, index, LB_GETTEXTLEN, LB_GETTEXT);
}

std::optional<std::string> comboBoxItemText(HWND comboBox, LRESULT index) {
    return itemText(comboBox, index, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

}  // namespace kvwin32
