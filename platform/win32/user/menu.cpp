// Menus: menu bars, popup menus and the per-window copies of the system menu, kept in the
// process's menu table as Windows keeps menus among its user objects (see
// kvwin32/winuser_menu.h).
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "internal/window.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winuser_menu.h"

namespace {

using kvwin32::internal::windowRecord;

constexpr DWORD kErrorMenuItemNotFound = 1456;  // ERROR_MENU_ITEM_NOT_FOUND
constexpr UINT kNotFound = static_cast<UINT>(-1);

// Item flags that say how an item is named, not what it is.
constexpr UINT kLocatorFlags = MF_BYPOSITION;
// Item kinds whose "text" argument is no string (a bitmap handle, owner data, nothing).
constexpr UINT kNoTextKinds = MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW;

struct MenuItem {
    UINT flags = 0;         // MF_* kind and state bits, as GetMenuState reports them
    UINT_PTR id = 0;        // command id; the popup's handle for MF_POPUP
    HMENU popup = nullptr;  // the popup the item opens, owned by the menu
    std::string text;       // the text with its "&" and "\t"
};

struct Menu {
    bool popup = false;           // CreatePopupMenu rather than CreateMenu
    std::vector<MenuItem> items;  // in display order
};

// The standard system menu, which every window's copy starts as.
struct SystemItem {
    UINT id;
    const char* text;
};
constexpr SystemItem kSystemMenu[] = {
    {SC_RESTORE, "&Restore"},     {SC_MOVE, "&Move"},         {SC_SIZE, "&Size"},
    {SC_MINIMIZE, "Mi&nimize"},   {SC_MAXIMIZE, "Ma&ximize"}, {0, nullptr},
    {SC_CLOSE, "&Close\tAlt+F4"},
};

// The process's menus and the windows' system menu copies.
class MenuTable {
  public:
    static MenuTable& instance() {
        static MenuTable table;
        return table;
    }

    HMENU create(bool popup) {
        const auto handle = reinterpret_cast<HMENU>(m_next);
        m_next += 4;
        auto menu = std::make_unique<Menu>();
        menu->popup = popup;
        m_menus.emplace(key(handle), std::move(menu));
        return handle;
    }
    Menu* find(HMENU handle) {
        auto it = m_menus.find(key(handle));
        return it == m_menus.end() ? nullptr : it->second.get();
    }
    // Frees a menu and the popups its items open.
    void destroy(HMENU handle) {
        auto it = m_menus.find(key(handle));
        if (it == m_menus.end()) {
            return;
        }
        std::unique_ptr<Menu> menu = std::move(it->second);
        m_menus.erase(it);
        for (const MenuItem& item : menu->items) {
            if (item.popup != nullptr) {
                destroy(item.popup);
            }
        }
        std::erase_if(m_systemMenus, [&](const auto& entry) { return entry.second == handle; });
    }
    // The system menu copy of a window, null when it has none. Copies of windows that are
    // gone are freed on the way, as Windows frees them with the window.
    HMENU systemMenuOf(HWND hwnd) {
        std::vector<HMENU> orphans;
        for (const auto& [window, menu] : m_systemMenus) {
            if (!IsWindow(reinterpret_cast<HWND>(window))) {
                orphans.push_back(menu);
            }
        }
        for (HMENU menu : orphans) {
            destroy(menu);
        }
        auto it = m_systemMenus.find(key(hwnd));
        return it == m_systemMenus.end() ? nullptr : it->second;
    }
    void setSystemMenu(HWND hwnd, HMENU menu) { m_systemMenus[key(hwnd)] = menu; }
    std::recursive_mutex& mutex() { return m_mutex; }

  private:
    template <class T>
    static std::uintptr_t key(T handle) {
        return reinterpret_cast<std::uintptr_t>(handle);
    }
    std::recursive_mutex m_mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Menu>> m_menus;
    std::unordered_map<std::uintptr_t, HMENU> m_systemMenus;  // window -> its copy
    std::uintptr_t m_next = 0x40000;
};

std::unique_lock<std::recursive_mutex> lockMenus() {
    return std::unique_lock(MenuTable::instance().mutex());
}

Menu* menuOrError(HMENU handle) {
    Menu* menu = MenuTable::instance().find(handle);
    if (menu == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    }
    return menu;
}

// Where an item lives: its menu and index.
struct ItemRef {
    Menu* menu = nullptr;
    std::size_t index = 0;
    MenuItem& item() const { return menu->items[index]; }
};

// The item `position` names: by position in this menu, or by command id searched depth
// first through the popups, as Windows searches (an item of a popup wins over a popup item
// that carries the same number).
std::optional<ItemRef> findItem(Menu& menu, UINT position, UINT flags, int depth = 0) {
    if (flags & MF_BYPOSITION) {
        if (position >= menu.items.size()) {
            return std::nullopt;
        }
        return ItemRef{&menu, position};
    }
    if (depth > 32) {
        return std::nullopt;
    }
    std::optional<ItemRef> popupMatch;
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        MenuItem& item = menu.items[i];
        if (item.popup != nullptr) {
            if (Menu* sub = MenuTable::instance().find(item.popup)) {
                if (auto found = findItem(*sub, position, flags, depth + 1)) {
                    return found;
                }
            }
            if (item.id == position && !popupMatch) {
                popupMatch = ItemRef{&menu, i};
            }
        } else if (item.id == position && (item.flags & MF_SEPARATOR) == 0) {
            return ItemRef{&menu, i};
        }
    }
    return popupMatch;
}

// An item as AppendMenuA, InsertMenuA and ModifyMenuA describe it; false for a popup that
// is no menu.
bool makeItem(UINT flags, UINT_PTR idOrPopup, LPCSTR text, MenuItem& item) {
    item.flags = flags & ~kLocatorFlags;
    item.id = idOrPopup;
    item.popup = nullptr;
    item.text.clear();
    if (flags & MF_POPUP) {
        auto popup = reinterpret_cast<HMENU>(idOrPopup);
        if (MenuTable::instance().find(popup) == nullptr) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
        item.popup = popup;
    }
    if ((flags & kNoTextKinds) == 0 && text != nullptr) {
        item.text = text;
    }
    return true;
}

HMENU makeSystemMenu() {
    auto& table = MenuTable::instance();
    HMENU handle = table.create(true);
    Menu* menu = table.find(handle);
    for (const SystemItem& entry : kSystemMenu) {
        MenuItem item;
        item.flags = entry.text ? MF_STRING : MF_SEPARATOR;
        item.id = entry.id;
        item.text = entry.text ? entry.text : "";
        menu->items.push_back(std::move(item));
    }
    return handle;
}

bool isChildWindow(HWND hwnd) {
    return (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & (WS_CHILD | WS_POPUP)) ==
           WS_CHILD;
}

// The item of a menu that `position` names, or none with the last error set (a bad menu
// handle, or ERROR_MENU_ITEM_NOT_FOUND). The caller holds the menu lock.
std::optional<ItemRef> itemOrError(HMENU menu, UINT position, UINT flags) {
    Menu* target = menuOrError(menu);
    if (target == nullptr) {
        return std::nullopt;
    }
    auto found = findItem(*target, position, flags);
    if (!found) {
        SetLastError(kErrorMenuItemNotFound);
    }
    return found;
}

// Takes an item out of a menu; DeleteMenu also destroys the popup it opens, RemoveMenu leaves
// the popup to the caller.
BOOL removeItem(HMENU menu, UINT position, UINT flags, bool destroyPopup) {
    auto lock = lockMenus();
    auto found = itemOrError(menu, position, flags);
    if (!found) {
        return FALSE;
    }
    HMENU popup = found->item().popup;
    found->menu->items.erase(found->menu->items.begin() +
                             static_cast<std::ptrdiff_t>(found->index));
    if (destroyPopup && popup != nullptr) {
        MenuTable::instance().destroy(popup);
    }
    return TRUE;
}

}  // namespace

void kvwin32::internal::destroyWindowMenus(HWND hwnd, HMENU bar) {
    auto lock = lockMenus();
    MenuTable& table = MenuTable::instance();
    if (HMENU copy = table.systemMenuOf(hwnd)) {
        table.destroy(copy);
    }
    if (bar != nullptr) {
        table.destroy(bar);  // nothing when the program destroyed it already
    }
}

extern "C" {

HMENU CreateMenu() {
    auto lock = lockMenus();
    return MenuTable::instance().create(false);
}

HMENU CreatePopupMenu() {
    auto lock = lockMenus();
    return MenuTable::instance().create(true);
}

BOOL DestroyMenu(HMENU menu) {
    auto lock = lockMenus();
    if (menuOrError(menu) == nullptr) {
        return FALSE;
    }
    MenuTable::instance().destroy(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    auto lock = lockMenus();
    return MenuTable::instance().find(menu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    return InsertMenuA(menu, kNotFound, flags | MF_BYPOSITION, idOrPopup, text);
}

// A position past the end appends; so does a command id that no item has, as Windows does.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    if (target == nullptr) {
        return FALSE;
    }
    MenuItem item;
    if (!makeItem(flags, idOrPopup, text, item)) {
        return FALSE;
    }
    std::size_t index = target->items.size();
    if (flags & MF_BYPOSITION) {
        index = std::min<std::size_t>(position, target->items.size());
    } else if (auto found = findItem(*target, position, flags)) {
        target = found->menu;
        index = found->index;
    }
    target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(index),
                         std::move(item));
    return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    auto lock = lockMenus();
    auto found = itemOrError(menu, position, flags);
    if (!found) {
        return FALSE;
    }
    MenuItem item;
    if (!makeItem(flags, idOrPopup, text, item)) {
        return FALSE;
    }
    // A popup replaced by something else is destroyed, as Windows frees it.
    HMENU oldPopup = found->item().popup;
    found->item() = std::move(item);
    if (oldPopup != nullptr && oldPopup != found->item().popup) {
        MenuTable::instance().destroy(oldPopup);
    }
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return removeItem(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return removeItem(menu, position, flags, false);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    auto found = target ? findItem(*target, item, enable) : std::nullopt;
    if (!found) {
        return -1;
    }
    constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;
    const UINT previous = found->item().flags & kStateBits;
    found->item().flags = (found->item().flags & ~kStateBits) | (enable & kStateBits);
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    auto found = target ? findItem(*target, item, check) : std::nullopt;
    if (!found) {
        return kNotFound;
    }
    const UINT previous = found->item().flags & MF_CHECKED;
    found->item().flags = (found->item().flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    auto found = target ? findItem(*target, item, flags) : std::nullopt;
    if (!found) {
        return kNotFound;
    }
    const MenuItem& it = found->item();
    if (it.popup != nullptr) {
        const Menu* sub = MenuTable::instance().find(it.popup);
        const auto count = static_cast<UINT>(sub ? sub->items.size() : 0);
        return ((count & 0xFF) << 8) | (it.flags & 0xFF);
    }
    return it.flags;
}

int GetMenuItemCount(HMENU menu) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    return target ? static_cast<int>(target->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    auto lock = lockMenus();
    Menu* target = MenuTable::instance().find(menu);
    if (target == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= target->items.size()) {
        return kNotFound;
    }
    const MenuItem& item = target->items[static_cast<std::size_t>(position)];
    return item.popup != nullptr ? kNotFound : static_cast<UINT>(item.id);
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
    auto lock = lockMenus();
    Menu* target = menuOrError(menu);
    auto found = target ? findItem(*target, item, flags) : std::nullopt;
    if (!found) {
        if (text != nullptr && maxCount > 0) {
            text[0] = '\0';
        }
        return 0;
    }
    const std::string& value = found->item().text;
    if (text == nullptr || maxCount <= 0) {
        return static_cast<int>(value.size());
    }
    const std::size_t n = std::min(value.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(text, value.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}

HMENU GetSubMenu(HMENU menu, int position) {
    auto lock = lockMenus();
    Menu* target = MenuTable::instance().find(menu);
    if (target == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= target->items.size()) {
        return nullptr;
    }
    return target->items[static_cast<std::size_t>(position)].popup;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    kvwin32::internal::Window* w = kvwin32::internal::windowOrError(hwnd);
    if (w == nullptr || isChildWindow(hwnd)) {
        return FALSE;
    }
    {
        auto lock = lockMenus();
        if (menu != nullptr && menuOrError(menu) == nullptr) {
            return FALSE;
        }
    }
    w->menu = menu;
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    const kvwin32::internal::Window* w = windowRecord(hwnd);
    if (w == nullptr || isChildWindow(hwnd)) {
        return nullptr;
    }
    return w->menu;
}

// The copy starts as the standard menu with every entry enabled; Windows greys entries for
// the window's state only while it shows the menu, which never happens headless, so what
// a program greys or checks is exactly what the copy holds.
HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (windowRecord(hwnd) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto lock = lockMenus();
    auto& table = MenuTable::instance();
    HMENU copy = table.systemMenuOf(hwnd);
    if (revert) {
        if (copy != nullptr) {
            table.destroy(copy);
        }
        return nullptr;
    }
    if (copy == nullptr) {
        copy = makeSystemMenu();
        table.setSystemMenu(hwnd, copy);
    }
    return copy;
}

BOOL DrawMenuBar(HWND hwnd) {
    return kvwin32::internal::windowOrError(hwnd) != nullptr ? TRUE : FALSE;
}

}  // extern "C"
