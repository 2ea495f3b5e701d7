// Splitting script lines into arguments.
#include "ScriptLexer.h"

#include "Ansi.h"
#include "kvwin32/desktop.h"

#include <algorithm>

namespace kvhost {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when `text` begins with a digit, or a minus sign and a digit: `#` before it names an
// id or an index rather than starting a comment.
bool startsNumber(std::string_view text) {
    if (!text.empty() && text[0] == '-') {
        text.remove_prefix(1);
    }
    return !text.empty() && isDigit(text[0]);
}

// The bytes of the UTF-8 sequence that starts with `lead` (1 for a byte that starts none).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return lead >= 0xC0 ? 2 : 1;
}

}  // namespace

Result<Argument> toLibraryText(const Argument& arg) {
    Result<std::string> converted = utf8ToAnsi(arg.text);
    if (!converted) {
        return Error{"'" + arg.text + "' " + converted.error()};
    }
    // Valid UTF-8 converted to a single-byte code page: one byte for each sequence.
    Argument out;
    out.text = std::move(converted).value();
    out.quoted.reserve(out.text.size());
    for (std::size_t i = 0; i < arg.text.size();
         i += sequenceLength(static_cast<unsigned char>(arg.text[i]))) {
        out.quoted.push_back(arg.quoted[i]);
    }
    return out;
}

bool Argument::plain() const {
    return std::none_of(quoted.begin(), quoted.end(), [](bool q) { return q; });
}

bool Argument::isKeyword(std::string_view word) const {
    return text == word && plain();
}

Argument plainArgument(std::string_view text) {
    return Argument{std::string(text), std::vector<bool>(text.size(), false)};
}

Result<std::vector<Argument>> splitScriptLine(std::string_view line) {
    std::vector<Argument> args;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#' && (args.empty() || !startsNumber(line.substr(i + 1)))) {
            break;
        }
        Argument arg;
        while (i < line.size() && !isBlank(line[i])) {
            if (line[i] != '"') {
                arg.text += line[i];
                arg.quoted.push_back(false);
                ++i;
                continue;
            }
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < line.size()) {
                    const char next = line[i + 1];
                    if (next == '"' || next == '\\') {
                        c = next;
                        ++i;
                    } else if (next == 'n') {
                        c = '\n';
                        ++i;
                    } else if (next == 't') {
                        c = '\t';
                        ++i;
                    }
                }
                arg.text += c;
                arg.quoted.push_back(true);
                ++i;
            }
            if (!closed) {
                return Error{"unterminated quote"};
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string quoteScriptArgument(std::string_view text) {
    const bool needsQuotes =
        text.empty() || text.front() == '#' || std::any_of(text.begin(), text.end(), [](char c) {
            return isBlank(c) || c == '"' || static_cast<unsigned char>(c) < 0x20;
        });
    if (!needsQuotes) {
        return std::string(text);
    }
    // Scripts and transcript lines escape a quoted text the same way.
    return kvwin32::transcriptQuote(text);
}

}  // namespace kvhost
