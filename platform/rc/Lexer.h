// Tokens of a resource script line: identifiers, numbers, quoted strings (decoded to UTF-16
// from the script's code page, with rc's escapes) and punctuation. Comments are removed before
// lexing by stripComments, which keeps the state of a block comment across lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Diagnostic.h"

namespace kvrc {

enum class TokenKind { Identifier, Number, String, Punct, End };

// The code pages a script may select with #pragma code_page.
enum class CodePage { Windows1252, Utf8 };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;         // identifier or punctuation; a string's bytes between the quotes
    std::uint32_t value = 0;  // a number's value (32 bits, as rc computes)
    std::u16string wide;      // a string's decoded text
    Location where;

    bool is(TokenKind k, std::string_view t) const { return kind == k && text == t; }
    bool isPunct(std::string_view t) const { return is(TokenKind::Punct, t); }
    // Identifiers are keywords without regard to case, as rc reads them.
    bool isKeyword(std::string_view word) const;
};

// Removes // and /* */ comments from a line (quoted strings are left alone); inBlock carries an
// open block comment from one line to the next.
std::string stripComments(std::string_view line, bool& inBlock);

// The tokens of a comment-free line. Throws RcError for an unterminated string or a character
// that starts no token.
std::vector<Token> lexLine(std::string_view line, const Location& where, CodePage codePage);

// The UTF-16 text of script bytes in a code page (invalid UTF-8 becomes U+FFFD).
std::u16string decodeText(std::string_view bytes, CodePage codePage);

}  // namespace kvrc
