// FolderPicker: the folder browser with its start selection, status text and process guard.
#include "FolderPicker.h"

#include <algorithm>
#include <cstring>

namespace {

// One browse at a time in the process (the browser is modal to the user, not to the code
// that a second dialog's button could run meanwhile).
bool g_browsing = false;

// Copies `text` into a fixed buffer, cut to fit.
template <std::size_t N>
void copyBounded(std::array<char, N>& buffer, const char* text) {
    const std::size_t length = text != nullptr ? strnlen(text, N - 1) : 0;
    if (length > 0) {
        std::memcpy(buffer.data(), text, length);
    }
    buffer[length] = '\0';
}

}  // namespace

FolderPicker::FolderPicker(const char* title) {
    copyBounded(m_title, title);
    if (FAILED(SHGetMalloc(&m_allocator))) {
        m_allocator = nullptr;
    }
}

FolderPicker::~FolderPicker() {
    if (m_allocator != nullptr) {
        m_allocator->Release();
    }
}

bool FolderPicker::IsBrowsing() {
    return g_browsing;
}

int CALLBACK FolderPicker::Callback(HWND browser, UINT message, LPARAM lParam, LPARAM data) {
    auto* self = reinterpret_cast<FolderPicker*>(data);
    if (self == nullptr) {
        return 0;
    }
    if (message == BFFM_INITIALIZED) {
        if (!self->m_initialPath.empty()) {
            ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE,
                           reinterpret_cast<LPARAM>(self->m_initialPath.c_str()));
        }
    } else if (message == BFFM_SELCHANGED) {
        std::array<char, MAX_PATH> path{};
        const auto* pidl = reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam);
        // The selection's path, or the item's display name when it has none.
        const char* status = pidl != nullptr && SHGetPathFromIDListA(pidl, path.data())
                                 ? path.data()
                                 : self->m_displayName.data();
        ::SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status));
    }
    return 0;
}

std::optional<std::string> FolderPicker::Browse(const char* initialPath, int /*rootFolderId*/,
                                                UINT flags, HWND owner) {
    if (g_browsing) {
        return std::nullopt;  // another browser is open: the request is ignored
    }
    g_browsing = true;
    m_initialPath = initialPath != nullptr
                        ? std::string(initialPath, strnlen(initialPath, MAX_PATH - 1))
                        : std::string();
    m_displayName[0] = '\0';
    m_path[0] = '\0';

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = m_displayName.data();
    info.lpszTitle = m_title.data();
    info.ulFlags = flags | BIF_STATUSTEXT;
    info.lpfn = &FolderPicker::Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    g_browsing = false;
    if (chosen == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> result;
    if (SHGetPathFromIDListA(chosen, m_path.data())) {
        result = std::string(m_path.data());
    } else {
        result = std::string(m_displayName.data());
    }
    if (m_allocator != nullptr) {
        m_allocator->Free(chosen);
    } else {
        ILFree(chosen);
    }
    return result;
}
