// The lexical layer of kvhost's script language: a line is split into blank-separated
// arguments, double quotes group blanks into one argument (with the escapes \" \\ \n \t), and
// `#` starts a comment. Which characters of an argument were quoted is kept, because a few
// marks mean something only when they stand outside quotes (`#ID`, `focus`, a `+N` offset).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Result.h"

namespace kvhost {

// One argument of a script line.
struct Argument {
    // The text with quotes removed and escapes replaced.
    std::string text;
    // For each byte of text: true when it stood inside double quotes.
    std::vector<bool> quoted;

    // True when no byte of the argument was quoted.
    bool plain() const;
    // True when the text is `word` and none of it was quoted (a keyword such as `cancel`).
    bool isKeyword(std::string_view word) const;
};

// An unquoted argument holding `text` (for tests and callers that build commands).
Argument plainArgument(std::string_view text);

// The arguments of one line (without its line break). An unquoted `#` starts a comment at the
// start of the line, and at the start of any later argument unless a digit, or a minus sign
// and a digit, follows it (`#ID`, `#-1` and `#N` name a control or an item); inside an
// argument it is an ordinary character. Blanks
// are spaces, tabs and carriage returns. Outside quotes a backslash is an ordinary character,
// so Windows paths need no quoting; inside quotes a backslash before any other character is
// kept as it is. The error (an unterminated quote) does not name the line.
Result<std::vector<Argument>> splitScriptLine(std::string_view line);

// `arg` with its UTF-8 text converted to the library's code page (Windows-1252), each character
// keeping its quoted mark; an error quoting the text when it is not UTF-8 or holds a character
// the code page cannot represent.
Result<Argument> toLibraryText(const Argument& arg);

// `text` as one script argument: unchanged when it needs no quotes, else quoted with escapes.
std::string quoteScriptArgument(std::string_view text);

}  // namespace kvhost
