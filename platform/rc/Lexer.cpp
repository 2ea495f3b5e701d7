// Lexer for resource scripts.
#include "Lexer.h"

#include <cctype>
#include <cstdio>

#include "kvwin32/ascii.h"
#include "kvwin32/resource_data.h"

namespace kvrc {

namespace {

bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

using kvwin32::ascii::hexDigit;

void appendUtf8(std::u16string& out, std::string_view bytes, std::size_t& i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    unsigned char lead = b(i);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0x80 && extra == 0) {
        out.push_back(u'\xFFFD');
        ++i;
        return;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    std::size_t k = i + 1;
    for (int n = 0; n < extra; ++n, ++k) {
        if (k >= bytes.size() || (b(k) & 0xC0) != 0x80) {
            out.push_back(u'\xFFFD');
            i = k;
            return;
        }
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    i = k;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
        out.push_back(u'\xFFFD');
    } else if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

// Reads the string starting at the opening quote at `i`; leaves `i` after the closing quote.
// rc reads a doubled quote as one quote and also accepts C's backslash escapes.
Token lexString(std::string_view line, std::size_t& i, bool wide, const Location& where,
                CodePage codePage) {
    Token t;
    t.kind = TokenKind::String;
    t.where = where;
    std::string pending;
    auto flush = [&] {
        t.wide += decodeText(pending, codePage);
        pending.clear();
    };
    std::size_t start = ++i;
    while (true) {
        if (i >= line.size())
            throw RcError(where, "unterminated string");
        char c = line[i];
        if (c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                pending.push_back('"');
                i += 2;
                continue;
            }
            break;
        }
        if (c != '\\' || i + 1 >= line.size()) {
            pending.push_back(c);
            ++i;
            continue;
        }
        char e = line[i + 1];
        i += 2;
        switch (e) {
            case 'n':
                pending.push_back('\n');
                break;
            case 't':
                pending.push_back('\t');
                break;
            case 'r':
                pending.push_back('\r');
                break;
            case 'a':
                pending.push_back('\a');
                break;
            case '\\':
                pending.push_back('\\');
                break;
            case '"':
                pending.push_back('"');
                break;
            case '\'':
                pending.push_back('\'');
                break;
            case 'x':
            case 'X': {
                // Two hex digits in a narrow string, four in a wide one.
                unsigned value = 0;
                int digits = 0;
                while (digits < (wide ? 4 : 2) && i < line.size() && hexDigit(line[i]) >= 0) {
                    value = value * 16 + static_cast<unsigned>(hexDigit(line[i++]));
                    ++digits;
                }
                flush();
                t.wide.push_back(wide ? static_cast<char16_t>(value)
                                      : kvres::fromCp1252(static_cast<unsigned char>(value)));
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    unsigned value = static_cast<unsigned>(e - '0');
                    for (int n = 0; n < 2 && i < line.size() && line[i] >= '0' && line[i] <= '7';
                         ++n)
                        value = value * 8 + static_cast<unsigned>(line[i++] - '0');
                    flush();
                    t.wide.push_back(wide ? static_cast<char16_t>(value)
                                          : kvres::fromCp1252(static_cast<unsigned char>(value)));
                } else {
                    // An unknown escape stays as written.
                    pending.push_back('\\');
                    pending.push_back(e);
                }
        }
    }
    flush();
    t.text = std::string(line.substr(start, i - start));
    ++i;
    return t;
}

Token lexNumber(std::string_view line, std::size_t& i, const Location& where) {
    Token t;
    t.kind = TokenKind::Number;
    t.where = where;
    std::size_t start = i;
    std::uint32_t value = 0;
    if (line[i] == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X')) {
        i += 2;
        while (i < line.size() && hexDigit(line[i]) >= 0)
            value = value * 16 + static_cast<std::uint32_t>(hexDigit(line[i++]));
    } else {
        while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])))
            value = value * 10 + static_cast<std::uint32_t>(line[i++] - '0');
    }
    while (i < line.size() &&
           (line[i] == 'L' || line[i] == 'l' || line[i] == 'U' || line[i] == 'u'))
        ++i;
    if (i < line.size() && isIdentChar(line[i]))
        throw RcError(where,
                      "malformed number '" + std::string(line.substr(start, i - start + 1)) + "'");
    t.text = std::string(line.substr(start, i - start));
    t.value = value;
    return t;
}

}  // namespace

bool Token::isKeyword(std::string_view word) const {
    if (kind != TokenKind::Identifier || text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    return true;
}

std::string stripComments(std::string_view line, bool& inBlock) {
    std::string out;
    out.reserve(line.size());
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (inBlock) {
            if (c == '*' && next == '/') {
                inBlock = false;
                ++i;
                out.push_back(' ');
            }
            continue;
        }
        if (inString) {
            out.push_back(c);
            if (c == '\\' && next != '\0') {
                out.push_back(next);
                ++i;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '/' && next == '/') {
            break;
        } else if (c == '/' && next == '*') {
            inBlock = true;
            ++i;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

std::u16string decodeText(std::string_view bytes, CodePage codePage) {
    std::u16string out;
    out.reserve(bytes.size());
    if (codePage == CodePage::Windows1252) {
        for (char c : bytes)
            out.push_back(kvres::fromCp1252(static_cast<unsigned char>(c)));
        return out;
    }
    for (std::size_t i = 0; i < bytes.size();)
        appendUtf8(out, bytes, i);
    return out;
}

std::vector<Token> lexLine(std::string_view line, const Location& where, CodePage codePage) {
    static constexpr std::string_view kTwoCharPuncts[] = {
        "==", "!=", "<=", ">=", "&&", "||", "<<", ">>"};
    static constexpr std::string_view kOneCharPuncts = ",|()+-*/~&!{}=<>^%?:.#;";
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\x1A') {
            ++i;
            continue;
        }
        if ((c == 'L' || c == 'l') && i + 1 < line.size() && line[i + 1] == '"') {
            ++i;
            tokens.push_back(lexString(line, i, true, where, codePage));
            continue;
        }
        if (c == '"') {
            tokens.push_back(lexString(line, i, false, where, codePage));
            continue;
        }
        if (isIdentStart(c)) {
            std::size_t start = i;
            while (i < line.size() && isIdentChar(line[i]))
                ++i;
            Token t;
            t.kind = TokenKind::Identifier;
            t.text = std::string(line.substr(start, i - start));
            t.where = where;
            tokens.push_back(std::move(t));
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            tokens.push_back(lexNumber(line, i, where));
            continue;
        }
        if (c == '\'') {
            // A character constant, as headers use them in #define.
            if (i + 2 >= line.size() || line[i + 2] != '\'')
                throw RcError(where, "malformed character constant");
            Token t;
            t.kind = TokenKind::Number;
            t.value = static_cast<unsigned char>(line[i + 1]);
            t.text = std::string(line.substr(i, 3));
            t.where = where;
            tokens.push_back(std::move(t));
            i += 3;
            continue;
        }
        Token t;
        t.kind = TokenKind::Punct;
        t.where = where;
        bool two = false;
        for (std::string_view p : kTwoCharPuncts)
            if (line.substr(i, 2) == p)
                two = true;
        if (two) {
            t.text = std::string(line.substr(i, 2));
            i += 2;
        } else if (kOneCharPuncts.find(c) != std::string_view::npos) {
            t.text = std::string(1, c);
            ++i;
        } else {
            char shown[8];
            std::snprintf(shown, sizeof shown, "\\x%02X", static_cast<unsigned char>(c));
            throw RcError(where,
                          std::string("unexpected character '") +
                              (std::isprint(static_cast<unsigned char>(c)) ? std::string(1, c)
                                                                           : std::string(shown)) +
                              "'");
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

}  // namespace kvrc
