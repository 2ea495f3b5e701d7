// The help library stand-in: checks the help file once, then hands each topic request to the
// desktop. The library's one piece of state, whether it was initialised and with which file,
// is process-wide as it is in the product's help DLL.
#include <cstring>
#include <string>
#include <string_view>

#include "dv/dvHelp.h"
#include "kvwin32/crt.h"
#include "kvwin32/help.h"
#include <windows.h>

namespace {

// Longest book name or topic text taken from a caller; longer ones are cut there.
constexpr std::size_t kMaxNameLength = 1024;

// What dvInitEx established for the process.
struct HelpLibrary {
    bool initialised = false;  // a dvInitEx succeeded
    std::string helpFile;      // the help file it was given
};

HelpLibrary& helpLibrary() {
    static HelpLibrary library;
    return library;
}

std::string_view boundedText(const char* text) {
    return text ? std::string_view(text, strnlen(text, kMaxNameLength)) : std::string_view();
}

// Why the help file cannot serve, or DV_OK.
int checkHelpFile(const char* helpFile) {
    if (helpFile == nullptr || *helpFile == '\0') {
        return DV_ERR_NO_HELP_PATH;
    }
    if (strnlen(helpFile, MAX_PATH) >= MAX_PATH) {
        // Windows refuses paths this long before looking: the file is simply not found.
        return DV_ERR_FILE_NOT_FOUND;
    }
    const DWORD attributes = GetFileAttributesA(helpFile);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return DV_ERR_FILE_NOT_FOUND;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return DV_ERR_CANNOT_OPEN;
    }
    FILE* file = kvcrt::fopen(helpFile, "rb");
    if (file == nullptr) {
        return DV_ERR_CANNOT_OPEN;
    }
    std::fclose(file);
    return DV_OK;
}

void setError(int* errorCode, int value) {
    if (errorCode != nullptr) {
        *errorCode = value;
    }
}

}  // namespace

extern "C" {

int dvInitEx(const char* helpFile, const char* /*product*/) {
    const int status = checkHelpFile(helpFile);
    if (status != DV_OK) {
        // A failed attempt leaves an earlier success standing, as a retry must not lose it.
        return status;
    }
    HelpLibrary& library = helpLibrary();
    library.initialised = true;
    library.helpFile = helpFile;
    return DV_OK;
}

int dvShowTag(const char* book, const char* tag, int /*reserved1*/, int /*reserved2*/,
              int /*reserved3*/, int* errorCode) {
    if (!helpLibrary().initialised) {
        setError(errorCode, DV_ERR_NOT_INITIALIZED);
        return 0;
    }
    const std::string_view bookName = boundedText(book);
    if (bookName.empty()) {
        setError(errorCode, DV_ERR_NO_BOOK);
        return 0;
    }
    const std::string_view topic = boundedText(tag);
    if (topic.empty()) {
        setError(errorCode, DV_ERR_NO_TOPIC);
        return 0;
    }
    if (!kvwin32::showHelp(bookName, topic)) {
        setError(errorCode, DV_ERR_VIEWER_FAILED);
        return 0;
    }
    setError(errorCode, DV_OK);
    return 1;
}

void dvExit() {
    helpLibrary() = HelpLibrary{};
}

}  // extern "C"
