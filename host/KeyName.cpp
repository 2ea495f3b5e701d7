// The table of key names and their virtual-key codes.
#include "KeyName.h"

#include <array>

#include <windows.h>

namespace kvhost {
namespace {

struct NamedKey {
    std::string_view name;
    std::uint8_t vk;
};

// Named keys; the first name of a code is its canonical one. Letters and digits are their own
// virtual-key codes on Windows ('A' is 0x41) and need no entry.
constexpr std::array<NamedKey, 30> kKeys = {{
    {"Enter", VK_RETURN},   {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE},
    {"Tab", VK_TAB},        {"Space", VK_SPACE},   {"Delete", VK_DELETE}, {"Del", VK_DELETE},
    {"Backspace", VK_BACK}, {"Insert", VK_INSERT}, {"Home", VK_HOME},     {"End", VK_END},
    {"PageUp", VK_PRIOR},   {"PageDown", VK_NEXT}, {"Up", VK_UP},         {"Down", VK_DOWN},
    {"Left", VK_LEFT},      {"Right", VK_RIGHT},   {"F1", VK_F1},         {"F2", VK_F2},
    {"F3", VK_F3},          {"F4", VK_F4},         {"F5", VK_F5},         {"F6", VK_F6},
    {"F7", VK_F7},          {"F8", VK_F8},         {"F9", VK_F9},         {"F10", VK_F10},
    {"F11", VK_F11},        {"F12", VK_F12},
}};

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

Result<KeyStroke> parseKeyName(std::string_view name) {
    KeyStroke key;
    std::string_view rest = name;
    for (std::size_t plus = rest.find('+');
         plus != std::string_view::npos && plus + 1 < rest.size(); plus = rest.find('+')) {
        const std::string_view modifier = rest.substr(0, plus);
        bool* flag = nullptr;
        if (equalsIgnoreCase(modifier, "Alt")) {
            flag = &key.alt;
        } else if (equalsIgnoreCase(modifier, "Shift")) {
            flag = &key.shift;
        } else if (equalsIgnoreCase(modifier, "Ctrl") || equalsIgnoreCase(modifier, "Control")) {
            flag = &key.ctrl;
        }
        if (flag == nullptr || *flag) {
            return Error{"unknown key '" + std::string(name) + "'"};
        }
        *flag = true;
        rest.remove_prefix(plus + 1);
    }
    for (const auto& entry : kKeys) {
        if (equalsIgnoreCase(entry.name, rest)) {
            key.vk = entry.vk;
            return key;
        }
    }
    if (rest.size() == 1) {
        const char c = rest[0];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            key.vk = static_cast<std::uint8_t>(c);
            return key;
        }
        if (c >= 'a' && c <= 'z') {
            key.vk = static_cast<std::uint8_t>(c - ('a' - 'A'));
            return key;
        }
    }
    return Error{"unknown key '" + std::string(name) + "'"};
}

std::string keyStrokeName(const KeyStroke& key) {
    std::string out;
    if (key.ctrl) {
        out += "Ctrl+";
    }
    if (key.alt) {
        out += "Alt+";
    }
    if (key.shift) {
        out += "Shift+";
    }
    for (const auto& entry : kKeys) {
        if (entry.vk == key.vk) {
            return out + std::string(entry.name);
        }
    }
    if ((key.vk >= '0' && key.vk <= '9') || (key.vk >= 'A' && key.vk <= 'Z')) {
        return out + static_cast<char>(key.vk);
    }
    return out + "#" + std::to_string(key.vk);
}

}  // namespace kvhost
