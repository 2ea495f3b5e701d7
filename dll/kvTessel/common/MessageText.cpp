// Fetching, showing and logging catalog messages, and the Help button's path through the help
// library. Every message goes through fetchMessage, which makes sure the module's catalogs are
// registered and asks the message library for the substituted text and the type.
#include "MessageText.h"

#include <array>
#include <cstdio>
#include <optional>
#include <variant>

#include "afxwin.h"
#include "dv/dvHelp.h"
#include "kvErrorManager.h"
#include "kvwin32/crt.h"
#include "resource.h"
#include "sb/SBParamList.h"
#include "sb/SBStatus.h"

namespace {

// A text of the library's string table (captions and texts a translation replaces).
std::string libraryText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return static_cast<LPCSTR>(text);
}

// The optional parameter of a message: none, an int, or a string.
using MessageParam = std::variant<std::monostate, int, const char*>;

// A message as the message library produced it.
struct FetchedMessage {
    std::string text;  // substituted text
    int type = 0;      // catalog type
};

void addParameter(SBParamList& list, const MessageParam& param) {
    if (const int* value = std::get_if<int>(&param)) {
        list.addParameterToList(*value);
    } else if (const char* const* text = std::get_if<const char*>(&param)) {
        list.addParameterToList(*text);
    } else {
        list.addParameterToList();
    }
}

// The message of module/number with its parameter, or nullopt when the catalogs lack it.
std::optional<FetchedMessage> fetchMessage(const char* module, int number,
                                           const MessageParam& param) {
    kvErrorManager::instance().ensureModule(module);
    SBStatus status(false);
    SBParamList params;
    addParameter(params, param);
    status.addMessage(module, number, nullptr, params.getParameterList());
    status.initPosition();
    const SBMessage* message = status.getNext();
    if (message == nullptr) {
        return std::nullopt;
    }
    FetchedMessage fetched{message->getSubstitutedDesc(true).str(), message->getType()};
    status.flushMessages(true);
    return fetched;
}

// Appends the text as one line to the file KORVA_LOG_SMI_MESSAGES names; a file that cannot
// be opened is skipped.
void logMessage(const std::string& text) {
    const char* path = kvcrt::getenv(kMessageLogVariable);
    if (path == nullptr || *path == '\0') {
        return;
    }
    if (FILE* file = kvcrt::fopen(path, "a")) {
        std::fprintf(file, "%s\n", text.c_str());
        std::fclose(file);
    }
}

// With KORVA_DUMP_MSGBOX_MESSAGES_IN_SESSION_LOG set (to anything), the shown text also goes
// to the host's session log, when a host registered one with kvErrorManager; this library
// registers none, so by itself the switch changes nothing.
void dumpToSessionLog(const std::string& text) {
    if (kvcrt::getenv(kSessionLogVariable) == nullptr) {
        return;
    }
    if (const auto& sink = kvErrorManager::instance().sessionLogSink()) {
        sink(text);
    }
}

int getMessageText(std::string& out, const char* module, int number, const MessageParam& param) {
    std::optional<FetchedMessage> message = fetchMessage(module, number, param);
    if (!message) {
        return -1;
    }
    logMessage(message->text);
    out = std::move(message->text);
    return 0;
}

int showMessage(const char* module, int number, UINT style, UINT helpId,
                const MessageParam& param) {
    const std::optional<FetchedMessage> message = fetchMessage(module, number, param);
    if (!message) {
        return -1;
    }
    if (style == 0) {
        style = MessageStyleForType(message->type);
    }
    dumpToSessionLog(message->text);
    logMessage(message->text);
    // The framework's box: captioned with the application's name, owned by the active window.
    return AfxMessageBox(message->text.c_str(), style, helpId);
}

// Help library status codes 0 to 21 and their common messages.
constexpr std::array<int, 22> kHelpFailureMessages = {
    11022, 11004, 11001, 11003, 11005, 11006, 11002, 11007, 11008, 11009, 11010,
    11011, 11018, 11012, 11013, 11014, 11015, 11016, 11017, 11019, 11021, 11020,
};
// The message for any other code, with the code as its parameter.
constexpr int kUnknownHelpFailure = 11023;

constexpr const char* kHelpBook = "vtug";
constexpr const char* kHelpProduct = "ventra";

}  // namespace

UINT MessageStyleForType(int type) {
    switch (type) {
        case 1:
            return MB_ICONERROR;
        case 4:
            return MB_ICONEXCLAMATION;
        case 5:
            return MB_ICONINFORMATION;
        case 7:
            return MB_ICONQUESTION;
        default:
            return 0;
    }
}

int GetMessageText(std::string& out, const char* module, int number) {
    return getMessageText(out, module, number, std::monostate{});
}

int GetMessageText(std::string& out, const char* module, int number, int param) {
    return getMessageText(out, module, number, param);
}

int GetMessageText(std::string& out, const char* module, int number, const char* param) {
    return getMessageText(out, module, number, param);
}

int ShowMessage(const char* module, int number, UINT style, UINT helpId) {
    return showMessage(module, number, style, helpId, std::monostate{});
}

int ShowMessage(const char* module, int number, UINT style, UINT helpId, int param) {
    return showMessage(module, number, style, helpId, param);
}

int ShowMessage(const char* module, int number, UINT style, UINT helpId, const char* param) {
    return showMessage(module, number, style, helpId, param);
}

int HelpFailureMessage(int code) {
    if (code >= 0 && code < static_cast<int>(kHelpFailureMessages.size())) {
        return kHelpFailureMessages[static_cast<std::size_t>(code)];
    }
    return kUnknownHelpFailure;
}

int ReportHelpFailure(int code) {
    const int number = HelpFailureMessage(code);
    std::string text;
    if (number == kUnknownHelpFailure) {
        GetMessageText(text, "KVCOMMN", number, code);
    } else {
        GetMessageText(text, "KVCOMMN", number);
    }
    // The system box, not the framework's: no owner, its own caption, the error icon; shown
    // even when the catalog had no text.
    MessageBoxA(nullptr, text.c_str(), libraryText(IDS_HELP_CAPTION).c_str(), MB_OK | MB_ICONERROR);
    return code == 0 ? 1 : 0;
}

void ShowHelpTopic(int topic, bool& initialised, HelpInitReport report) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", topic);
    ShowHelpTopic(text, initialised, report);
}

void ShowHelpTopic(const char* topic, bool& initialised, HelpInitReport report) {
    if (!initialised) {
        const CWinApp* app = AfxGetApp();
        const char* helpFile = app != nullptr ? app->m_pszHelpFilePath : nullptr;
        const int status = dvInitEx(helpFile, kHelpProduct);
        if (status != DV_OK) {
            // The flag stays down: the next Help press tries again.
            if (report == HelpInitReport::docvaultText) {
                std::string message = libraryText(IDS_HELP_INIT_FAILED);
                // The text holds the status code where it says %d (replaced as text, so a
                // translated text cannot make a format do harm).
                if (const auto at = message.find("%d"); at != std::string::npos) {
                    message.replace(at, 2, std::to_string(status));
                }
                AfxMessageBox(message.c_str(), MB_OK | MB_ICONERROR);
            } else {
                ShowMessage("ZAZARIZ", 5001, 0, 0, status);
            }
            return;
        }
        initialised = true;
    }
    // The wait cursor stays up until the failure report, if any, is dismissed.
    CWaitCursor wait;
    int errorCode = DV_OK;
    if (dvShowTag(kHelpBook, topic, 0, 0, 0, &errorCode) == 0) {
        ReportHelpFailure(errorCode);
    }
}
