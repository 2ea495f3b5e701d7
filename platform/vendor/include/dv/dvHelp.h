// The help library stand-in: the two calls the settings pages make to show a help topic.
// dvInitEx checks the product's help file once per process; dvShowTag then hands a book and a
// topic to the desktop (kvwin32::showHelp), which records the request and shows it when it has
// a viewer. Failures are reported as the numbered codes below, which the caller turns into
// common messages (KVCOMMN 11001 to 11023) of its own.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

extern "C" {

// Status codes of the help library. 0 is success; the others name what went wrong.
enum DvStatus : int {
    DV_OK = 0,                   // the request was carried out
    DV_ERR_NOT_INITIALIZED = 1,  // dvShowTag before a successful dvInitEx
    DV_ERR_FILE_NOT_FOUND = 2,   // the help file does not exist
    DV_ERR_BAD_FORMAT = 3,       // the help file is damaged or of an unknown format
    DV_ERR_NO_BOOK = 4,          // no help book was named
    DV_ERR_NO_TOPIC = 5,         // no topic was named, or it is not in the book
    DV_ERR_CANNOT_OPEN = 6,      // the help file exists but cannot be read (a folder, say)
    DV_ERR_NO_MEMORY = 7,
    DV_ERR_VIEWER_FAILED = 8,  // the desktop has no viewer that could show the topic
    DV_ERR_INDEX = 9,
    DV_ERR_SEARCH = 10,
    DV_ERR_CONFIG = 11,
    DV_ERR_BUSY = 12,
    DV_ERR_NO_HELP_PATH = 13,  // no help file was named at all
    DV_ERR_NO_BROWSER = 14,
    DV_ERR_BROWSER = 15,
    DV_ERR_VERSION = 16,
    DV_ERR_ACCESS_DENIED = 17,
    DV_ERR_CANCELLED = 18,
    DV_ERR_LICENSE = 19,
    DV_ERR_WINDOW = 20,
    DV_ERR_TIMEOUT = 21,
};

// Prepares the help system with the product's help file (a Windows path) for the product
// (may be null); answers DV_OK, or the status code that says why help cannot be shown. A
// later successful call replaces the help file of an earlier one.
int dvInitEx(const char* helpFile, const char* product);

// Shows topic `tag` of help book `book`; the three reserved arguments are passed as 0. Answers
// non-zero when the desktop took the request, else 0 with the reason in *errorCode (which may
// be null); *errorCode is DV_OK on success.
int dvShowTag(const char* book, const char* tag, int reserved1, int reserved2, int reserved3,
              int* errorCode);

// ---- Extension for hosts and tests (the original had no equivalent) --------------------
// Forgets a successful dvInitEx, as if the process had just started.
void dvExit();

}  // extern "C"

#pragma GCC visibility pop
