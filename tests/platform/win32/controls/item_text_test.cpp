// Reading an item's text from a list box and from a combo box's list in one call.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kvwin32/item_text.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

struct ItemTextCase {
    const char* className;
    DWORD style;
    UINT addMessage;
    std::optional<std::string> (*read)(HWND, LRESULT);
};

const std::vector<ItemTextCase> kLists = {
    {"ListBox", 0, LB_ADDSTRING, kvwin32::listBoxItemText},
    {"ComboBox", CBS_DROPDOWNLIST, CB_ADDSTRING, kvwin32::comboBoxItemText},
};

TEST(ItemText, ReadsEachItemWholeAndRefusesMissingOnes) {
    const std::string longText(3000, 'x');  // longer than any fixed buffer the readers had
    const std::vector<std::string> items = {"first", "", "with\ttab", longText};
    for (const auto& c : kLists) {
        SCOPED_TRACE(c.className);
        HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                      nullptr, nullptr);
        HWND list = CreateWindowExA(0, c.className, "", WS_CHILD | c.style, 0, 0, 150, 100, parent,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(list, nullptr);
        for (const auto& item : items) {
            SendMessageA(list, c.addMessage, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(c.read(list, static_cast<LRESULT>(i)), items[i]) << "item " << i;
        }
        EXPECT_EQ(c.read(list, static_cast<LRESULT>(items.size())), std::nullopt);
        EXPECT_EQ(c.read(list, -1), std::nullopt);
        EXPECT_EQ(c.read(nullptr, 0), std::nullopt);
        DestroyWindow(parent);
    }
}

}  // namespace
