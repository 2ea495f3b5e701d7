// Conversion between the profile's text, bytes in the ANSI code page (Windows-1252), and the
// UTF-8 text of JSON documents, scripts and the console. Windows-1252 is a single-byte code
// page: every byte is one character, so text from the profile always converts to UTF-8; the
// other way refuses characters the code page cannot hold instead of substituting "?" as
// WideCharToMultiByte would by default, because a silently changed file name is worse than an
// error the user can see.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Result.h"

namespace kvhost {

// The Unicode code point of Windows-1252 byte `byte`. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as
// MultiByteToWideChar maps them, so that every byte survives a round trip.
char32_t ansiToCodePoint(unsigned char byte);

// The Windows-1252 byte of code point `cp`, or nothing when the code page cannot hold it.
std::optional<unsigned char> codePointToAnsi(char32_t cp);

// The UTF-8 text of Windows-1252 bytes `ansi` (never fails; zero bytes are kept).
std::string ansiToUtf8(std::string_view ansi);

// The Windows-1252 bytes of UTF-8 text `utf8`; an error when the text is not valid UTF-8 or
// holds a character outside the code page. The message describes the fault without naming
// where the text came from; callers add the key.
Result<std::string> utf8ToAnsi(std::string_view utf8);

// UTF-8 text as it may go to a terminal: every control character (C0, DEL, and the C1
// controls, which the five undefined bytes of the code page stand for) written as an escape,
// `\n`, `\t`, `\r` or `\xNN`, so that no text from a profile or a control can move the
// cursor, change colours or ring the bell. Bytes that are not UTF-8 are escaped as `\xNN` too.
std::string escapeControls(std::string_view utf8);

// Text in the library's code page as the transcript and `print` show it: converted to UTF-8,
// control characters escaped.
std::string ansiToDisplay(std::string_view ansi);

// A JSON document (UTF-8) as it may go to a terminal: JSON escapes the C0 controls already;
// the C1 controls (U+0080 to U+009F, which the code page's undefined bytes stand for) are
// written as \u escapes too, which leaves the document the same JSON.
std::string jsonForTerminal(std::string_view json);

}  // namespace kvhost
