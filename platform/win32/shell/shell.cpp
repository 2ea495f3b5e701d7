// The shell's folder browser, its item id lists and the task allocator they come from.
//
// SHBrowseForFolderA has no tree to show: it makes a hidden window of its own so that the
// program's callback can set the browser up the Windows way (BFFM_INITIALIZED, then
// BFFM_SETSELECTIONA, BFFM_SETSTATUSTEXTA, BFFM_ENABLEOK sent to that window; BFFM_SELCHANGED
// for each selection), then asks the desktop which folder a person chose. An item id list
// here is one element holding a Windows path, allocated from the task allocator like the
// shell's, so programs free it the way they always do.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "internal/builtin_classes.h"
#include "internal/window.h"
#include "kvwin32/desktop.h"
#include "kvwin32/objbase.h"
#include "kvwin32/shlobj.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser.h"

namespace {

// ---- Task allocator ---------------------------------------------------------------------------

// Every block carries its size in front, for GetSize and Realloc; the tag tells our blocks
// from others.
struct alignas(std::max_align_t) BlockHeader {
    SIZE_T size;
    std::uint64_t tag;
};
constexpr std::uint64_t kBlockTag = 0x6b765461736b4d6dULL;

BlockHeader* headerOf(void* block) {
    return static_cast<BlockHeader*>(block) - 1;
}

void* allocateBlock(SIZE_T size) {
    if (size > SIZE_MAX - sizeof(BlockHeader)) {
        return nullptr;
    }
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (header == nullptr) {
        return nullptr;
    }
    header->size = size;
    header->tag = kBlockTag;
    return header + 1;
}

void freeBlock(void* block) {
    if (block == nullptr) {
        return;
    }
    BlockHeader* header = headerOf(block);
    header->tag = 0;
    std::free(header);
}

void* reallocateBlock(void* block, SIZE_T size) {
    if (block == nullptr) {
        return allocateBlock(size);
    }
    if (size == 0) {
        freeBlock(block);
        return nullptr;
    }
    void* grown = allocateBlock(size);
    if (grown == nullptr) {
        return nullptr;  // the old block stays valid
    }
    std::memcpy(grown, block, std::min(size, headerOf(block)->size));
    freeBlock(block);
    return grown;
}

// The interface identifiers the allocator answers to, as their 16 bytes.
constexpr BYTE kIidUnknown[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr BYTE kIidMalloc[16] = {2, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};

// The process's task allocator: one object, never freed, as on Windows.
class TaskAllocator final : public IMalloc {
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        const void* bytes = &iid;
        if (std::memcmp(bytes, kIidUnknown, 16) == 0 || std::memcmp(bytes, kIidMalloc, 16) == 0) {
            *object = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The allocator lives as long as the process; counts are kept only to answer them.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T size) override { return allocateBlock(size); }
    void* Realloc(void* block, SIZE_T size) override { return reallocateBlock(block, size); }
    void Free(void* block) override { freeBlock(block); }
    SIZE_T GetSize(void* block) override {
        return block == nullptr ? static_cast<SIZE_T>(-1) : headerOf(block)->size;
    }
    int DidAlloc(void* block) override {
        if (block == nullptr) {
            return -1;
        }
        return headerOf(block)->tag == kBlockTag ? 1 : 0;
    }
    void HeapMinimize() override {}
};

TaskAllocator& taskAllocator() {
    static TaskAllocator allocator;
    return allocator;
}

// ---- Item id lists ------------------------------------------------------------------------------

// The path an item id list holds; empty for an empty list (the desktop) or a foreign one.
std::string pathOfList(PCIDLIST_ABSOLUTE pidl) {
    if (pidl == nullptr) {
        return {};
    }
    USHORT cb;
    std::memcpy(&cb, pidl, sizeof cb);
    if (cb <= sizeof(USHORT) || cb > sizeof(USHORT) + MAX_PATH) {
        return {};
    }
    const char* bytes = reinterpret_cast<const char*>(pidl) + sizeof(USHORT);
    return std::string(bytes, strnlen(bytes, cb - sizeof(USHORT)));
}

// ---- The browser window ----------------------------------------------------------------------

// What the callback set up through the browser window.
struct BrowserState {
    std::string selection;  // BFFM_SETSELECTIONA
    std::string status;     // BFFM_SETSTATUSTEXTA
    bool okEnabled = true;  // BFFM_ENABLEOK
};

constexpr const char* kBrowserClass = "KvFolderBrowser";
constexpr const char* kStateProperty = "KvFolderBrowserState";

BrowserState* stateOf(HWND hwnd) {
    return static_cast<BrowserState*>(GetPropA(hwnd, kStateProperty));
}

// BFFM_SETSELECTIONA: wParam TRUE means lParam is a path, FALSE an item id list.
void setSelection(BrowserState& state, WPARAM isPath, LPARAM lParam) {
    if (lParam == 0) {
        return;
    }
    if (isPath) {
        const char* path = reinterpret_cast<const char*>(lParam);
        state.selection.assign(path, strnlen(path, MAX_PATH));
    } else {
        state.selection = pathOfList(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
    }
}

LRESULT browserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BrowserState* state = stateOf(hwnd);
    if (state == nullptr) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case BFFM_SETSELECTIONA:
            setSelection(*state, wParam, lParam);
            return 0;
        case BFFM_SETSTATUSTEXTA:
            state->status =
                lParam ? std::string(reinterpret_cast<const char*>(lParam),
                                     strnlen(reinterpret_cast<const char*>(lParam), MAX_PATH))
                       : std::string();
            return 0;
        case BFFM_ENABLEOK:
            state->okEnabled = lParam != 0;
            return 0;
        case BFFM_SETOKTEXT:
        case BFFM_SETEXPANDED:
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

WNDCLASSEXA kvwin32::internal::browserClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = browserProc;
    wc.lpszClassName = kBrowserClass;
    return wc;
}

namespace {

// The name the browser shows for a folder: its last component, or the drive of a root.
std::string displayNameOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 3 && (trimmed.back() == '\\' || trimmed.back() == '/')) {
        trimmed.pop_back();
    }
    size_t pos = trimmed.find_last_of("\\/");
    if (pos == std::string::npos || pos + 1 == trimmed.size()) {
        return trimmed.size() >= 2 && trimmed[1] == ':' ? trimmed.substr(0, 2) : trimmed;
    }
    return trimmed.substr(pos + 1);
}

// The folder as the shell names it: a full path whose drive letter is a capital, as the shell
// writes drives whatever case the name came in (GetFullPathNameA keeps the typed case).
std::string fullPath(const std::string& path) {
    char buffer[MAX_PATH + 1];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) {
        return std::string();
    }
    std::string full(buffer, length);
    if (full.size() >= 2 && full[1] == ':' && full[0] >= 'a' && full[0] <= 'z') {
        full[0] = static_cast<char>(full[0] - 'a' + 'A');
    }
    return full;
}

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Tells the callback about a selection, as the tree does when an item is selected.
void notifySelection(const BROWSEINFOA& info, HWND browser, const std::string& path) {
    if (info.lpfn == nullptr) {
        return;
    }
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathA(path.c_str());
    info.lpfn(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), info.lParam);
    ILFree(pidl);
}

}  // namespace

// ---- Task allocator functions ---------------------------------------------------------------

LPVOID CoTaskMemAlloc(SIZE_T size) {
    return allocateBlock(size);
}

LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T size) {
    return reallocateBlock(block, size);
}

void CoTaskMemFree(LPVOID block) {
    freeBlock(block);
}

HRESULT CoGetMalloc(DWORD memContext, LPMALLOC* malloc) {
    if (malloc == nullptr) {
        return E_INVALIDARG;
    }
    // MEMCTX_TASK is the only context there is.
    if (memContext != 1) {
        *malloc = nullptr;
        return E_INVALIDARG;
    }
    *malloc = &taskAllocator();
    return S_OK;
}

HRESULT CoInitialize(LPVOID) {
    // COM here is only the allocator and plain interfaces: nothing to set up per thread.
    return S_OK;
}

void CoUninitialize() {}

HRESULT SHGetMalloc(LPMALLOC* malloc) {
    return CoGetMalloc(1, malloc);
}

// ---- Item id lists
// -------------------------------------------------------------------------------

PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR path) {
    size_t length = path ? strnlen(path, MAX_PATH) : 0;
    // One element (size, path, NUL) and the terminating empty element.
    size_t elementSize = sizeof(USHORT) + length + 1;
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(elementSize + sizeof(USHORT)));
    if (bytes == nullptr) {
        return nullptr;
    }
    USHORT cb = static_cast<USHORT>(elementSize);
    std::memcpy(bytes, &cb, sizeof cb);
    if (length > 0) {
        std::memcpy(bytes + sizeof(USHORT), path, length);
    }
    bytes[sizeof(USHORT) + length] = 0;
    USHORT end = 0;
    std::memcpy(bytes + elementSize, &end, sizeof end);
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

UINT ILGetSize(PCUIDLIST_ABSOLUTE pidl) {
    if (pidl == nullptr) {
        return 0;
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(pidl);
    UINT size = 0;
    for (;;) {
        USHORT cb;
        std::memcpy(&cb, bytes + size, sizeof cb);
        size += sizeof(USHORT);
        // cb counts itself: anything smaller ends the list (a foreign list must not loop).
        if (cb < sizeof(USHORT)) {
            return size;
        }
        size += cb - static_cast<UINT>(sizeof(USHORT));
    }
}

void ILFree(PIDLIST_ABSOLUTE pidl) {
    CoTaskMemFree(pidl);
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE pidl, LPSTR path) {
    if (path == nullptr) {
        return FALSE;
    }
    path[0] = '\0';
    std::string folder = pathOfList(pidl);
    if (folder.empty() || folder.size() >= MAX_PATH) {
        return FALSE;
    }
    std::memcpy(path, folder.c_str(), folder.size() + 1);
    return TRUE;
}

// ---- The folder browser ------------------------------------------------------------------------

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    if (info == nullptr) {
        return nullptr;
    }
    BrowserState state;
    HWND browser =
        CreateWindowExA(0, kBrowserClass, info->lpszTitle ? info->lpszTitle : "", WS_POPUP, 0, 0, 0,
                        0, info->hwndOwner, nullptr, nullptr, nullptr);
    if (browser == nullptr) {
        return nullptr;
    }
    SetPropA(browser, kStateProperty, &state);
    if (info->lpfn != nullptr) {
        info->lpfn(browser, BFFM_INITIALIZED, 0, info->lParam);
        // The tree then selects the item asked for (or its root) and says so.
        notifySelection(*info, browser, state.selection);
    }

    kvwin32::FolderDialogRequest request;
    request.owner = info->hwndOwner;
    request.title =
        info->lpszTitle ? std::string(info->lpszTitle, strnlen(info->lpszTitle, 4096)) : "";
    request.selection = state.selection;
    request.statusText = state.status;
    request.flags = info->ulFlags;
    kvwin32::PathAnswer answer = kvwin32::desktop().folderDialog(request);

    PIDLIST_ABSOLUTE result = nullptr;
    if (answer) {
        std::string folder = answer->empty() ? std::string() : fullPath(*answer);
        if (folder.empty() || !isFolder(folder)) {
            kvwin32::transcriptNote("folder-dialog refused: " + kvwin32::transcriptQuote(*answer) +
                                    " is not a folder");
        } else {
            if (folder != state.selection) {
                notifySelection(*info, browser, folder);
            }
            // The callback may have disabled OK for this folder: then it cannot be chosen.
            if (!state.okEnabled) {
                kvwin32::transcriptNote("folder-dialog refused: OK is disabled for " +
                                        kvwin32::transcriptQuote(folder));
            } else {
                result = ILCreateFromPathA(folder.c_str());
                if (info->pszDisplayName != nullptr) {
                    std::string name = displayNameOf(folder).substr(0, MAX_PATH - 1);
                    std::memcpy(info->pszDisplayName, name.c_str(), name.size() + 1);
                }
                info->iImage = 0;
            }
        }
    }
    RemovePropA(browser, kStateProperty);
    DestroyWindow(browser);
    return result;
}
