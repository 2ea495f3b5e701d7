// Help requests: the product's help library and WinHelpA hand the book and topic to the
// desktop, which records them (and shows them, when it has a viewer).
#include <cstring>
#include <string>

#include "kvwin32/desktop.h"
#include "kvwin32/help.h"

namespace kvwin32 {

bool showHelp(std::string_view book, std::string_view topic) {
    return desktop().help(book, topic);
}

}  // namespace kvwin32

BOOL WinHelpA(HWND, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    std::string book =
        helpFile ? std::string(helpFile, strnlen(helpFile, MAX_PATH)) : std::string();
    switch (command) {
        case HELP_QUIT:
            // Closing a viewer that is not there: nothing to record.
            return TRUE;
        case HELP_CONTEXT:
        case HELP_CONTEXTPOPUP:
            return kvwin32::showHelp(book, std::to_string(data)) ? TRUE : FALSE;
        case HELP_KEY:
        case HELP_PARTIALKEY: {
            const char* key = reinterpret_cast<const char*>(data);
            std::string text = key ? std::string(key, strnlen(key, 1024)) : std::string();
            return kvwin32::showHelp(book, "key:" + text) ? TRUE : FALSE;
        }
        case HELP_CONTENTS:
        case HELP_FINDER:
            return kvwin32::showHelp(book, "contents") ? TRUE : FALSE;
        default:
            return kvwin32::showHelp(book, "command:" + std::to_string(command)) ? TRUE : FALSE;
    }
}
