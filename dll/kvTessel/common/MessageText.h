// Messages of the catalogs as the pages use them: fetching a numbered message as text,
// showing it in a message box with an icon chosen from its type, logging each one, and the
// Help button's request to the help library with the reports of its failures.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

// Environment variable naming a file that every fetched or shown message text is appended to.
inline constexpr const char* kMessageLogVariable = "KORVA_LOG_SMI_MESSAGES";
// Environment switch that passes the text of every shown message to the host's session log.
inline constexpr const char* kSessionLogVariable = "KORVA_DUMP_MSGBOX_MESSAGES_IN_SESSION_LOG";

// The message-box icon style for a catalog message type: 1 error, 4 warning, 5 information,
// 7 question, anything else no icon.
UINT MessageStyleForType(int type);

// Puts the substituted text of message `number` of `module` into out and answers 0; answers
// -1 and leaves out alone when the catalogs have no such message.
int GetMessageText(std::string& out, const char* module, int number);
int GetMessageText(std::string& out, const char* module, int number, int param);
int GetMessageText(std::string& out, const char* module, int number, const char* param);

// Shows the message in the framework's message box (caption: the application's name) with
// `style` (0: the icon of the message's type, OK button) and help context `helpId`; answers
// the button pressed, or -1 without a box when the catalogs have no such message.
int ShowMessage(const char* module, int number, UINT style, UINT helpId);
int ShowMessage(const char* module, int number, UINT style, UINT helpId, int param);
int ShowMessage(const char* module, int number, UINT style, UINT helpId, const char* param);

// The common message (module KVCOMMN) reporting a help library status code.
int HelpFailureMessage(int code);

// Shows the message for a help library status code in a box captioned "Help" with the error
// icon; answers 1 when the code is 0 (success), else 0.
int ReportHelpFailure(int code);

// How a page reports that the help library could not be initialised.
enum class HelpInitReport {
    docvaultText,    // "Failed to initialize Docvault : %d", error icon
    catalogMessage,  // catalog message ZAZARIZ 5001 with the status code
};

// A page's Help button: initialises the help library unless `initialised` (the page's own
// flag, set here on success), then asks for the topic of book "vtug" under the wait cursor,
// reporting a failure with ReportHelpFailure.
void ShowHelpTopic(int topic, bool& initialised, HelpInitReport report);
void ShowHelpTopic(const char* topic, bool& initialised, HelpInitReport report);
