// FolderPicker: the shell's folder browser as the checkpoint and restart dialogs open it. It
// preselects a start folder, shows the path of each selection as status text, and lets only
// one browser of the process be open at a time: a second request while one is open returns at
// once with no result.
#pragma once

#include <afxwin.h>

#include <array>
#include <optional>
#include <string>

#include "kvwin32/shlobj.h"

class FolderPicker {
  public:
    // A picker with `title` above the tree (at most 259 characters are kept).
    explicit FolderPicker(const char* title);
    ~FolderPicker();
    FolderPicker(const FolderPicker&) = delete;
    FolderPicker& operator=(const FolderPicker&) = delete;

    // Opens the browser rooted at the desktop (the only root folder id offered, 0), with
    // `flags` plus the status text, `initialPath` selected at start when not empty, owned by
    // `owner` (may be null). The chosen folder's path, or its display name when it has no
    // path; nullopt on Cancel, and at once while another FolderPicker browse is open.
    std::optional<std::string> Browse(const char* initialPath, int rootFolderId, UINT flags,
                                      HWND owner = nullptr);

    // Whether a FolderPicker browse is open in this process.
    static bool IsBrowsing();

  private:
    static int CALLBACK Callback(HWND browser, UINT message, LPARAM lParam, LPARAM data);

    // Bounded texts, as the shell's buffers are.
    std::array<char, MAX_PATH> m_title{};
    std::array<char, MAX_PATH> m_displayName{};
    std::array<char, MAX_PATH> m_path{};
    // The folder to select at start.
    std::string m_initialPath;
    // The shell's allocator, held while the picker lives.
    LPMALLOC m_allocator = nullptr;
};
