// ASCII text helpers shared by the platform and the library: letter case folded for A-Z only
// (Windows compares class names, registry and profile names, file names and extensions
// without regard to letter case, whatever the C locale says), and trimming of blanks. Not a
// Win32 interface.
#pragma once

#include <algorithm>
#include <string_view>

// Header-only helpers: every library that uses them keeps its own hidden copy, so none of
// them becomes part of a library's exported surface.
#pragma GCC visibility push(hidden)

namespace kvwin32::ascii {

// Blanks of a line: spaces and tabs.
inline constexpr std::string_view kBlanks = " \t";
// White space as the C library's isspace sees it in the C locale.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

constexpr char toLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char toUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = toLower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

constexpr bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLower(x) == toLower(y);
           });
}

// Negative, zero or positive as a sorts before, with or after b once both are lower-cased
// (bytes compared unsigned, a prefix first).
constexpr int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(toLower(a[i]));
        const auto y = static_cast<unsigned char>(toLower(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

constexpr bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalNoCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// The text without the given characters at its start, at its end, or at both.
constexpr std::string_view trimLeft(std::string_view s, std::string_view blanks = kBlanks) {
    const std::size_t first = s.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

constexpr std::string_view trimRight(std::string_view s, std::string_view blanks = kBlanks) {
    const std::size_t last = s.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

constexpr std::string_view trim(std::string_view s, std::string_view blanks = kBlanks) {
    return trimRight(trimLeft(s, blanks), blanks);
}

}  // namespace kvwin32::ascii

#pragma GCC visibility pop
