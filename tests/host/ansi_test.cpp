// Windows-1252 <-> UTF-8 conversion of profile text.
#include <string>

#include <gtest/gtest.h>

#include "Ansi.h"

namespace {

using kvhost::ansiToUtf8;
using kvhost::utf8ToAnsi;

struct Pair {
    std::string ansi;
    std::string utf8;
};

// Bytes whose meaning differs from Latin-1, the five bytes the code page leaves undefined, and
// the edges of the ASCII and Latin-1 ranges.
const Pair kPairs[] = {
    {"A", "A"},
    {std::string("\0", 1), std::string("\0", 1)},
    {"\x7F", "\x7F"},
    {"\x80", "\u20AC"},            // euro sign
    {"\x81", "\xC2\x81"},          // undefined: passes through as U+0081
    {"\x8A", "\u0160"},            // S with caron
    {"\x8D", "\xC2\x8D"},          // undefined
    {"\x8F", "\xC2\x8F"},          // undefined
    {"\x90", "\xC2\x90"},          // undefined
    {"\x93\x94", "\u201C\u201D"},  // curly double quotes
    {"\x96", "\u2013"},            // en dash
    {"\x9D", "\xC2\x9D"},          // undefined
    {"\x9F", "\u0178"},            // Y with diaeresis
    {"\xA0", "\u00A0"},
    {"\xE9t\xE9", "\u00E9t\u00E9"},
    {"\xFF", "\u00FF"},
};

TEST(AnsiTest, ConvertsBothWays) {
    for (const auto& row : kPairs) {
        SCOPED_TRACE("utf8 " + row.utf8);
        EXPECT_EQ(ansiToUtf8(row.ansi), row.utf8);
        auto back = utf8ToAnsi(row.utf8);
        ASSERT_TRUE(back.ok()) << back.error();
        EXPECT_EQ(back.value(), row.ansi);
    }
}

TEST(AnsiTest, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        auto back = utf8ToAnsi(ansiToUtf8(one));
        ASSERT_TRUE(back.ok()) << "byte " << b << ": " << back.error();
        EXPECT_EQ(back.value(), one) << "byte " << b;
    }
}

struct Refusal {
    const char* what;
    std::string utf8;
    const char* message;  // part of the error
};

const Refusal kRefusals[] = {
    {"CJK character", "a\u4E2D", "U+4E2D"},
    {"C1 control whose byte holds the euro sign", "\xC2\x80", "U+0080"},
    {"emoji outside the BMP", "\xF0\x9F\x98\x80", "U+1F600"},
    {"truncated sequence", "\xC3", "not valid UTF-8 (byte 0)"},
    {"lone continuation byte", "ab\x80", "not valid UTF-8 (byte 2)"},
    {"overlong slash", "\xC0\xAF", "not valid UTF-8"},
    {"encoded surrogate", "\xED\xA0\x80", "not valid UTF-8"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", "not valid UTF-8"},
    {"invalid lead byte", "\xFF", "not valid UTF-8"},
};

TEST(AnsiTest, RefusesWhatTheCodePageCannotHold) {
    for (const auto& row : kRefusals) {
        auto result = utf8ToAnsi(row.utf8);
        ASSERT_FALSE(result.ok()) << row.what;
        EXPECT_NE(result.error().find(row.message), std::string::npos)
            << row.what << ": " << result.error();
    }
}

struct DisplayRow {
    const char* what;
    std::string ansi;
    std::string shown;
};

// What reaches the terminal for texts of the library: UTF-8, and no control character raw.
const DisplayRow kDisplayRows[] = {
    {"plain text", "Notes: caf\xE9", "Notes: caf\u00E9"},
    {"line break, tab, carriage return", "a\nb\tc\rd", "a\\nb\\tc\\rd"},
    {"escape sequence", "\x1B[2J", "\\x1B[2J"},
    {"bell and NUL", std::string("\x07\0", 2), "\\x07\\x00"},
    {"DEL", "\x7F", "\\x7F"},
    {"undefined bytes stand for C1 controls", "\x81\x8D\x8F\x90\x9D", "\\x81\\x8D\\x8F\\x90\\x9D"},
    {"the euro sign and curly quotes are text", "\x80\x93\x94", "\u20AC\u201C\u201D"},
    {"a backslash stays", "C:\\x", "C:\\x"},
};

TEST(AnsiTest, DisplayEscapesControlCharacters) {
    for (const auto& row : kDisplayRows) {
        EXPECT_EQ(kvhost::ansiToDisplay(row.ansi), row.shown) << row.what;
    }
    // Text already in UTF-8: controls escaped, other characters and stray bytes kept visible.
    EXPECT_EQ(kvhost::escapeControls("\u4E2D\x1B\xC2\x9B"), "\u4E2D\\x1B\\x9B");
    EXPECT_EQ(kvhost::escapeControls("ab\xFF"), "ab\\xFF");
}

TEST(AnsiTest, JsonForTheTerminalEscapesC1Controls) {
    EXPECT_EQ(kvhost::jsonForTerminal("{\"n\": \"a\xC2\x81"
                                      "b\xC2\x9F\xC2\xA0\u00E9\"}"),
              "{\"n\": \"a\\u0081b\\u009f\xC2\xA0\u00E9\"}");
}

}  // namespace
