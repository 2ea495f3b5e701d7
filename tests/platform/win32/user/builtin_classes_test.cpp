// The window system's own classes: each is in the class table before the first window of the
// process is made, as a global system class with its own window procedure, and the table of
// built-in classes names exactly these.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "internal/builtin_classes.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/winuser.h"

namespace {

struct BuiltinCase {
    const char* name;
    UINT style;      // class styles Windows gives the class
    bool creatable;  // a window of it can be made with CreateWindowEx
};

const std::vector<BuiltinCase> kBuiltins = {
    {"#32769", CS_GLOBALCLASS, false},
    {"Message", CS_GLOBALCLASS, false},
    {"#32770", CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS, true},
    {"Button", CS_DBLCLKS | CS_PARENTDC, true},
    {"Edit", CS_DBLCLKS | CS_PARENTDC, true},
    {"Static", CS_DBLCLKS | CS_PARENTDC, true},
    {"ListBox", CS_DBLCLKS | CS_PARENTDC, true},
    {"ComboLBox", CS_DBLCLKS | CS_SAVEBITS, true},
    {"ComboBox", CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, true},
    {"SysTabControl32", CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, true},
    {"msctls_updown32", CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW, true},
    {"SysListView32", CS_GLOBALCLASS | CS_DBLCLKS, true},
    {"tooltips_class32", CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS, true},
    {"KvFolderBrowser", 0, true},
};

// What the class table holds for each name when the program starts, taken before any test
// runs and so before the first window of the process is made.
struct AtStartup {
    std::vector<WNDCLASSEXA> classes;
    std::vector<BOOL> found;
    int topLevelWindows = -1;

    AtStartup() {
        for (const auto& c : kBuiltins) {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            found.push_back(GetClassInfoExA(nullptr, c.name, &wc));
            classes.push_back(wc);
        }
        topLevelWindows = 0;
        EnumWindows(
            [](HWND, LPARAM count) {
                ++*reinterpret_cast<int*>(count);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&topLevelWindows));
    }
};
const AtStartup kAtStartup;

TEST(BuiltinClasses, EveryOneIsRegisteredBeforeTheFirstWindow) {
    EXPECT_EQ(kAtStartup.topLevelWindows, 0);
    for (size_t i = 0; i < kBuiltins.size(); ++i) {
        SCOPED_TRACE(kBuiltins[i].name);
        const WNDCLASSEXA& wc = kAtStartup.classes[i];
        ASSERT_NE(kAtStartup.found[i], FALSE);
        EXPECT_NE(wc.lpfnWndProc, nullptr);
        EXPECT_EQ(wc.style, kBuiltins[i].style);
        // A system class belongs to no module.
        EXPECT_EQ(wc.hInstance, nullptr);
    }
}

TEST(BuiltinClasses, TheTableNamesExactlyTheseClasses) {
    std::multiset<std::string> listed;
    for (auto describe : kvwin32::internal::builtinClasses()) {
        listed.insert(describe().lpszClassName);
    }
    std::multiset<std::string> expected;
    for (const auto& c : kBuiltins) {
        expected.insert(c.name);
    }
    EXPECT_EQ(listed, expected);
}

TEST(BuiltinClasses, AreSystemClassesThatStay) {
    HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    for (const auto& c : kBuiltins) {
        SCOPED_TRACE(c.name);
        // Application code cannot take a system class away, nor register one over it.
        EXPECT_FALSE(UnregisterClassA(c.name, nullptr));
        if (!c.creatable) {
            continue;
        }
        HWND hwnd = CreateWindowExA(0, c.name, "", WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr,
                                    nullptr);
        ASSERT_NE(hwnd, nullptr);
        char name[64] = {};
        EXPECT_EQ(GetClassNameA(hwnd, name, sizeof name), static_cast<int>(strlen(c.name)));
        EXPECT_STREQ(name, c.name);
        DestroyWindow(hwnd);
    }
    DestroyWindow(parent);
}

}  // namespace
