// Splitting script lines into arguments.
#include "ScriptLexer.h"

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

}  // namespace

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
        if (line[i] == '#' && (args.empty() || i + 1 >= line.size() || !isDigit(line[i + 1]))) {
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
