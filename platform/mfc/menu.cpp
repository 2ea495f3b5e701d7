// CMenu: the framework's menu wrapper (the library only edits its sheet's system menu).
#include "afxwin.h"
#include "thread_state.h"

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu) {
        return nullptr;
    }
    auto& temps = kvmfc::threadState().temporaryMenus;
    if (auto it = temps.find(menu); it != temps.end()) {
        return it->second.get();
    }
    for (auto it = temps.begin(); it != temps.end();) {
        it = ::IsMenu(it->first) ? std::next(it) : temps.erase(it);
    }
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = menu;
    CMenu* result = wrapper.get();
    temps.emplace(menu, std::move(wrapper));
    return result;
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu) {
        return FALSE;
    }
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
    return ::DeleteMenu(m_hMenu, position, flags);
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags) {
    return ::RemoveMenu(m_hMenu, position, flags);
}

UINT CMenu::GetMenuState(UINT id, UINT flags) const {
    return ::GetMenuState(m_hMenu, id, flags);
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int position) const {
    return ::GetMenuItemID(m_hMenu, position);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text) {
    return ::AppendMenuA(m_hMenu, flags, id, text);
}

UINT CMenu::CheckMenuItem(UINT id, UINT check) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, id, check));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const {
    return m_hWnd ? CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)) : nullptr;
}
