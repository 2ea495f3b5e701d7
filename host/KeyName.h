// Key names of the script's `key REF KEY` command ("Enter", "F2", "Alt+Down", "Shift+Tab"):
// a key is a virtual-key code, as the window system delivers it in WM_KEYDOWN, with the
// modifier keys held while it is pressed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Result.h"

namespace kvhost {

// A key press: the virtual-key code (VK_ value) and the modifiers held down.
struct KeyStroke {
    std::uint8_t vk = 0;
    bool alt = false;
    bool shift = false;
    bool ctrl = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The key named `name`: modifiers `Alt+`, `Shift+`, `Ctrl+` (any order, case-insensitive)
// before a key name: Enter, Escape, Tab, Space, Delete, Backspace, Insert, Home, End, PageUp,
// PageDown, Up, Down, Left, Right, F1 to F12, a letter A to Z or a digit 0 to 9.
Result<KeyStroke> parseKeyName(std::string_view name);

// The canonical name of `key` ("Alt+Down"), as parseKeyName reads it back.
std::string keyStrokeName(const KeyStroke& key);

}  // namespace kvhost
