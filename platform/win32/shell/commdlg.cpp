// The common file dialogs. There is no dialog window: the request goes to the desktop, and
// its answer is treated as what a person typed into the file-name box and pressed Open or
// Save with. Where the real dialog would refuse the name and stay open (a missing file under
// OFN_FILEMUSTEXIST, a missing folder under OFN_PATHMUSTEXIST, "No" to the overwrite
// question), a headless answer cannot be typed again: the refusal goes into the transcript
// and the dialog ends as cancelled. A hook (OFN_ENABLEHOOK) is accepted but receives no
// messages: there is no dialog window for it to hook.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "kvwin32/ascii.h"
#include "kvwin32/commdlg.h"
#include "kvwin32/desktop.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

// What comdlg32 keeps for CommDlgExtendedError: the error of the thread's last dialog.
struct CommonDialogThreadState {
    DWORD lastError = 0;
};

CommonDialogThreadState& threadState() {
    thread_local CommonDialogThreadState state;
    return state;
}

BOOL failWith(DWORD error) {
    threadState().lastError = error;
    return FALSE;
}

// Filters longer than this are taken as unterminated rather than read on for ever.
constexpr size_t kMaxFilterText = 32 * 1024;

// The "desc\0pattern\0...\0\0" list of a filter (an odd last string has no pattern).
std::vector<kvwin32::FileFilter> parseFilter(LPCSTR filter) {
    std::vector<kvwin32::FileFilter> out;
    if (filter == nullptr) {
        return out;
    }
    size_t used = 0;
    while (*filter != '\0' && used < kMaxFilterText) {
        size_t descLength = strnlen(filter, kMaxFilterText - used);
        kvwin32::FileFilter entry{std::string(filter, descLength), {}};
        filter += descLength + 1;
        used += descLength + 1;
        if (used < kMaxFilterText && *filter != '\0') {
            size_t patternLength = strnlen(filter, kMaxFilterText - used);
            entry.pattern.assign(filter, patternLength);
            filter += patternLength + 1;
            used += patternLength + 1;
        }
        bool complete = !entry.pattern.empty();
        out.push_back(std::move(entry));
        if (!complete) {
            break;
        }
    }
    return out;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// True for "C:..." and "\..." (drive-relative or absolute) and UNC names.
bool isRooted(std::string_view path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && isSeparator(path[0]));
}

// Offset of the file name (after the last separator or drive colon).
size_t fileNameOffset(std::string_view path) {
    size_t pos = path.find_last_of("\\/:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

// Offset of the extension after its dot within the file name, or npos.
size_t extensionOffset(std::string_view path) {
    size_t name = fileNameOffset(path);
    size_t dot = path.find_last_of('.');
    return dot == std::string_view::npos || dot < name ? std::string_view::npos : dot + 1;
}

// The default extension as a program gives it. The dialog wants it without a dot; programs
// also pass "*.ext" (a filter pattern), which the dialog uses as ".ext".
std::string defaultExtensionOf(LPCSTR defExt) {
    std::string_view ext = defExt ? defExt : "";
    while (!ext.empty() && (ext.front() == '*' || ext.front() == '.')) {
        ext.remove_prefix(1);
    }
    return std::string(ext);
}

std::string currentDirectory() {
    char buffer[MAX_PATH + 1];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string fullPath(const std::string& path) {
    char buffer[MAX_PATH + 1];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

bool exists(const std::string& path, bool folder) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    return folder == ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

std::string folderOf(const std::string& path) {
    size_t name = fileNameOffset(path);
    std::string folder = path.substr(0, name);
    // Keep "C:\" for a file of a root folder; drop the separator otherwise.
    if (folder.size() > 3 && isSeparator(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

void refuse(std::string_view why) {
    kvwin32::transcriptNote("file-dialog refused: " + std::string(why));
}

// Shows the dialog of either kind; the shared body of GetOpenFileNameA and GetSaveFileNameA.
BOOL runFileDialog(LPOPENFILENAMEA ofn, kvwin32::FileDialogKind kind) {
    threadState().lastError = 0;
    if (ofn == nullptr) {
        return failWith(CDERR_INITIALIZATION);
    }
    if (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
        ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A) {
        return failWith(CDERR_STRUCTSIZE);
    }
    if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
        return failWith(CDERR_INITIALIZATION);
    }
    if ((ofn->Flags & OFN_ENABLEHOOK) && ofn->lpfnHook == nullptr) {
        return failWith(CDERR_NOHOOK);
    }
    const bool open = kind == kvwin32::FileDialogKind::open;

    kvwin32::FileDialogRequest request;
    request.owner = ofn->hwndOwner;
    request.kind = kind;
    request.title = ofn->lpstrTitle ? ofn->lpstrTitle : (open ? "Open" : "Save As");
    request.filters = parseFilter(ofn->lpstrFilter);
    request.filterIndex = static_cast<int>(ofn->nFilterIndex);
    request.defaultExtension = defaultExtensionOf(ofn->lpstrDefExt);
    request.initialName.assign(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    request.initialFolder =
        ofn->lpstrInitialDir && *ofn->lpstrInitialDir ? ofn->lpstrInitialDir : currentDirectory();
    request.flags = ofn->Flags;

    kvwin32::PathAnswer answer = kvwin32::desktop().fileDialog(request);
    if (!answer) {
        return FALSE;  // cancelled: CommDlgExtendedError reports 0
    }

    // What was typed, as the dialog reads it: relative to the folder it shows.
    std::string typed = *answer;
    while (!typed.empty() && typed.back() == ' ') {
        typed.pop_back();
    }
    if (typed.empty() || typed.find_first_of("*?\"<>|") != std::string::npos) {
        refuse(kvwin32::transcriptQuote(typed) + " is not a valid file name");
        return FALSE;
    }
    std::string path = isRooted(typed) ? typed : request.initialFolder + "\\" + typed;
    path = fullPath(path);
    if (path.empty() || isSeparator(path.back())) {
        refuse(kvwin32::transcriptQuote(typed) + " is not a valid file name");
        return FALSE;
    }
    if (extensionOffset(path) == std::string::npos && !request.defaultExtension.empty()) {
        path += "." + request.defaultExtension;
    }

    bool pathMustExist = (ofn->Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0;
    if (pathMustExist && !exists(folderOf(path), true)) {
        refuse("the folder of " + kvwin32::transcriptQuote(path) + " does not exist");
        return FALSE;
    }
    if (open && (ofn->Flags & OFN_FILEMUSTEXIST) && !exists(path, false)) {
        refuse(kvwin32::transcriptQuote(path) + " does not exist");
        return FALSE;
    }
    // The overwrite question belongs to the save dialog; the open dialog ignores the flag.
    if (!open && (ofn->Flags & OFN_OVERWRITEPROMPT) && exists(path, false)) {
        std::string question =
            path.substr(fileNameOffset(path)) + " already exists.\nDo you want to replace it?";
        if (MessageBoxA(ofn->hwndOwner, question.c_str(), "Confirm Save As",
                        MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) {
            refuse(kvwin32::transcriptQuote(path) + " is not to be replaced");
            return FALSE;
        }
    }

    // The result, bounded by the caller's buffer; too small a buffer gets the size needed in
    // its first two bytes, as Windows reports it.
    if (path.size() + 1 > ofn->nMaxFile) {
        if (ofn->nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(std::min<size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn->lpstrFile, &needed, sizeof needed);
        }
        return failWith(FNERR_BUFFERTOOSMALL);
    }
    std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    size_t nameOffset = fileNameOffset(path);
    size_t extOffset = extensionOffset(path);
    ofn->nFileOffset = static_cast<WORD>(nameOffset);
    // Without an extension the offset names the terminator.
    ofn->nFileExtension =
        static_cast<WORD>(extOffset == std::string::npos ? path.size() : extOffset);
    if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
        std::string title = path.substr(nameOffset);
        size_t length = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
        std::memcpy(ofn->lpstrFileTitle, title.data(), length);
        ofn->lpstrFileTitle[length] = '\0';
    }
    if (ofn->nFilterIndex == 0 && !request.filters.empty() && ofn->lpstrCustomFilter == nullptr) {
        ofn->nFilterIndex = 1;
    }
    std::string extension = extOffset == std::string::npos ? std::string() : path.substr(extOffset);
    bool sameExtension = kvwin32::ascii::equalNoCase(extension, request.defaultExtension);
    if (ofn->lpstrDefExt != nullptr && !sameExtension) {
        ofn->Flags |= OFN_EXTENSIONDIFFERENT;
    } else {
        ofn->Flags &= ~static_cast<DWORD>(OFN_EXTENSIONDIFFERENT);
    }
    ofn->Flags &= ~static_cast<DWORD>(OFN_READONLY);
    // Without OFN_NOCHANGEDIR the dialog leaves the current directory in the chosen folder.
    if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
        SetCurrentDirectoryA(folderOf(path).c_str());
    }
    return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    return runFileDialog(ofn, kvwin32::FileDialogKind::open);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    return runFileDialog(ofn, kvwin32::FileDialogKind::save);
}

DWORD CommDlgExtendedError() {
    return threadState().lastError;
}

short GetFileTitleA(LPCSTR file, LPSTR title, WORD bufferSize) {
    if (file == nullptr) {
        return -1;
    }
    std::string_view path(file, strnlen(file, MAX_PATH + 1));
    if (path.empty() || path.size() > MAX_PATH ||
        path.find_first_of("*?\"<>|") != std::string_view::npos) {
        return -1;
    }
    std::string_view name = path.substr(fileNameOffset(path));
    // A path that ends in a folder separator or a drive names no file.
    if (name.empty()) {
        return -1;
    }
    size_t needed = name.size() + 1;
    if (title == nullptr || bufferSize < needed) {
        return static_cast<short>(needed);
    }
    std::memcpy(title, name.data(), name.size());
    title[name.size()] = '\0';
    return 0;
}
