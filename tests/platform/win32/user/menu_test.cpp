// Menus: building and querying menus and popups, enable and check states with their previous
// values, the per-window system menu copy, menu bars of top-level windows, bad handles.
#include <string>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_menu.h"

namespace {

class MenuTest : public kvtest::WindowFixture {};

std::string itemText(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = {};
    GetMenuStringA(menu, item, buffer, sizeof(buffer), flags);
    return buffer;
}

// A menu destroyed with the test.
struct MenuHolder {
    HMENU menu;
    ~MenuHolder() { DestroyMenu(menu); }
};

TEST_F(MenuTest, TheSystemMenuIsAPerWindowCopyOfTheStandardOne) {
    HWND a = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND b = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU menu = GetSystemMenu(a, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetSystemMenu(a, FALSE), menu);  // the same copy each time
    EXPECT_NE(GetSystemMenu(b, FALSE), menu);
    struct Row {
        UINT id;
        const char* text;
    } rows[] = {{SC_RESTORE, "&Restore"},    {SC_MOVE, "&Move"},         {SC_SIZE, "&Size"},
                {SC_MINIMIZE, "Mi&nimize"},  {SC_MAXIMIZE, "Ma&ximize"}, {0, ""},
                {SC_CLOSE, "&Close\tAlt+F4"}};
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetMenuItemID(menu, i), rows[i].id);
        EXPECT_EQ(itemText(menu, static_cast<UINT>(i), MF_BYPOSITION), rows[i].text);
    }
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));

    // A settings sheet greys Maximize and Size and keeps Minimize: exactly that state.
    EXPECT_EQ(EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED,
              static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(GetMenuState(GetSystemMenu(b, FALSE), SC_MAXIMIZE, MF_BYCOMMAND), 0u);
    EXPECT_EQ(EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 0x1234, MF_BYCOMMAND | MF_GRAYED), -1);

    // Reverting drops the copy: the next one is fresh.
    EXPECT_EQ(GetSystemMenu(a, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(menu));
    HMENU fresh = GetSystemMenu(a, FALSE);
    EXPECT_EQ(GetMenuState(fresh, SC_SIZE, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetSystemMenu(nullptr, FALSE), nullptr);
}

TEST_F(MenuTest, ItemsAreAddedChangedAndRemoved) {
    MenuHolder bar{CreateMenu()};
    HMENU file = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(file, MF_STRING, 101, "&Open..."));
    ASSERT_TRUE(AppendMenuA(file, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(file, MF_STRING | MF_CHECKED, 103, "E&xit"));
    ASSERT_TRUE(AppendMenuA(bar.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File"));
    ASSERT_TRUE(AppendMenuA(bar.menu, MF_STRING | MF_GRAYED, 200, "&Help"));
    EXPECT_EQ(GetMenuItemCount(bar.menu), 2);
    EXPECT_EQ(GetSubMenu(bar.menu, 0), file);
    EXPECT_EQ(GetMenuItemID(bar.menu, 0), static_cast<UINT>(-1));  // a popup has no id
    EXPECT_EQ(GetMenuItemID(file, 1), 0u);                         // a separator
    // The popup's count is in the high byte of its state.
    EXPECT_EQ(GetMenuState(bar.menu, 0, MF_BYPOSITION), (3u << 8) | MF_POPUP);
    // Commands are found inside popups.
    EXPECT_EQ(itemText(bar.menu, 103, MF_BYCOMMAND), "E&xit");
    EXPECT_EQ(CheckMenuItem(bar.menu, 103, MF_BYCOMMAND | MF_UNCHECKED),
              static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(bar.menu, 103, MF_BYCOMMAND | MF_CHECKED),
              static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(file, 103, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));

    ASSERT_TRUE(InsertMenuA(file, 103, MF_BYCOMMAND | MF_STRING, 102, "&Save"));
    EXPECT_EQ(GetMenuItemID(file, 2), 102u);
    ASSERT_TRUE(InsertMenuA(file, 0, MF_BYPOSITION | MF_STRING, 100, "&New"));
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    ASSERT_TRUE(ModifyMenuA(file, 100, MF_BYCOMMAND | MF_STRING, 110, "New &Profile"));
    EXPECT_EQ(itemText(file, 0, MF_BYPOSITION), "New &Profile");
    EXPECT_EQ(GetMenuItemID(file, 0), 110u);
    EXPECT_FALSE(ModifyMenuA(file, 999, MF_BYCOMMAND | MF_STRING, 1, "x"));

    ASSERT_TRUE(DeleteMenu(file, 110, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_FALSE(DeleteMenu(file, 110, MF_BYCOMMAND));

    // RemoveMenu keeps the popup alive; DeleteMenu would have destroyed it.
    ASSERT_TRUE(RemoveMenu(bar.menu, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file));
    ASSERT_TRUE(InsertMenuA(bar.menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(file),
                            "&File"));
    ASSERT_TRUE(DeleteMenu(bar.menu, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(file));
}

TEST_F(MenuTest, MenuStringsAreBoundedByTheBuffer) {
    MenuHolder menu{CreatePopupMenu()};
    AppendMenuA(menu.menu, MF_STRING, 1, "Settings...");
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetMenuStringA(menu.menu, 1, small, sizeof(small), MF_BYCOMMAND), 4);
    EXPECT_STREQ(small, "Sett");
    EXPECT_EQ(GetMenuStringA(menu.menu, 1, nullptr, 0, MF_BYCOMMAND), 11);
    EXPECT_EQ(GetMenuStringA(menu.menu, 9, small, sizeof(small), MF_BYCOMMAND), 0);
    EXPECT_STREQ(small, "");
}

TEST_F(MenuTest, MenuBarsBelongToTopLevelWindows) {
    HWND top = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = create(WS_CHILD | WS_VISIBLE, top, 5);
    HMENU bar = CreateMenu();
    EXPECT_TRUE(SetMenu(top, bar));
    EXPECT_EQ(GetMenu(top), bar);
    EXPECT_FALSE(SetMenu(child, bar));
    EXPECT_EQ(GetMenu(child), nullptr);
    EXPECT_TRUE(DrawMenuBar(top));
    EXPECT_TRUE(SetMenu(top, nullptr));
    EXPECT_EQ(GetMenu(top), nullptr);
    EXPECT_TRUE(DestroyMenu(bar));
}

TEST_F(MenuTest, AWindowsMenusDieWithIt) {
    HWND top = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File"));
    ASSERT_TRUE(SetMenu(top, bar));
    HMENU system = GetSystemMenu(top, FALSE);
    ASSERT_NE(system, nullptr);
    // A menu that no window holds any more lives on.
    HMENU released = CreateMenu();
    HWND other = create(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(SetMenu(other, released));
    ASSERT_TRUE(SetMenu(other, nullptr));

    ASSERT_TRUE(DestroyWindow(top));
    ASSERT_TRUE(DestroyWindow(other));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_FALSE(IsMenu(system));
    EXPECT_TRUE(IsMenu(released));
    EXPECT_TRUE(DestroyMenu(released));
}

TEST_F(MenuTest, BadHandlesFailWithTheWindowsError) {
    HMENU menu = CreateMenu();
    ASSERT_TRUE(DestroyMenu(menu));
    SetLastError(0);
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(nullptr));
    EXPECT_FALSE(AppendMenuA(menu, MF_STRING, 1, "x"));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    MenuHolder live{CreateMenu()};
    // A popup that is no menu is refused.
    EXPECT_FALSE(AppendMenuA(live.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "&Gone"));
    EXPECT_EQ(GetMenuItemCount(live.menu), 0);
    HWND top = create(WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(SetMenu(top, menu));
    EXPECT_FALSE(DrawMenuBar(nullptr));
}

}  // namespace
