// Key names of the script's key command.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "KeyName.h"

namespace {

using kvhost::KeyStroke;

struct KeyRow {
    const char* name;
    KeyStroke key;
    const char* canonical;
};

const KeyRow kKeys[] = {
    {"Enter", {VK_RETURN}, "Enter"},
    {"return", {VK_RETURN}, "Enter"},
    {"Escape", {VK_ESCAPE}, "Escape"},
    {"Tab", {VK_TAB}, "Tab"},
    {"Space", {VK_SPACE}, "Space"},
    {"Delete", {VK_DELETE}, "Delete"},
    {"F2", {VK_F2}, "F2"},
    {"f12", {VK_F12}, "F12"},
    {"Up", {VK_UP}, "Up"},
    {"Down", {VK_DOWN}, "Down"},
    {"Left", {VK_LEFT}, "Left"},
    {"Right", {VK_RIGHT}, "Right"},
    {"Home", {VK_HOME}, "Home"},
    {"End", {VK_END}, "End"},
    {"PageDown", {VK_NEXT}, "PageDown"},
    {"Alt+Up", {VK_UP, true}, "Alt+Up"},
    {"Alt+Down", {VK_DOWN, true}, "Alt+Down"},
    {"Shift+Tab", {VK_TAB, false, true}, "Shift+Tab"},
    {"shift+alt+F4", {VK_F4, true, true}, "Alt+Shift+F4"},
    {"Ctrl+a", {'A', false, false, true}, "Ctrl+A"},
    {"Ctrl+Shift+7", {'7', false, true, true}, "Ctrl+Shift+7"},
};

TEST(KeyNameTest, ParsesNamesAndModifiers) {
    for (const auto& row : kKeys) {
        auto key = kvhost::parseKeyName(row.name);
        ASSERT_TRUE(key.ok()) << row.name << ": " << key.error();
        EXPECT_EQ(key.value().vk, row.key.vk) << row.name;
        EXPECT_EQ(key.value(), row.key) << row.name;
        EXPECT_EQ(kvhost::keyStrokeName(key.value()), row.canonical) << row.name;
    }
}

TEST(KeyNameTest, RefusesUnknownNames) {
    for (const char* name : {"", "Entr", "Alt+", "Meta+Up", "Alt+Alt+Up", "F13", "Up+Alt", "ab"}) {
        auto key = kvhost::parseKeyName(name);
        ASSERT_FALSE(key.ok()) << name;
        EXPECT_EQ(key.error(), std::string("unknown key '") + name + "'");
    }
}

}  // namespace
