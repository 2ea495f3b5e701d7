// Internal: how the "Edit" control lays its text out in lines and steps through it. A
// multi-line edit breaks lines at "\r\n" only (a lone "\n" or "\r" is an ordinary character,
// as in the classic edit control) and, without horizontal scrolling, wraps words at the width
// of its formatting rectangle; a single-line edit is one line, whatever the text holds.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kvwin32::internal {

// One displayed line: characters [start, end) are shown, the next line starts at next (after
// the "\r\n" of a hard break; equal to end after a wrap).
struct EditLine {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// The lines of a text. wrapColumns > 0 wraps after that many characters at the last blank
// that fits (or in the middle of a word longer than the line); 0 never wraps. Always at
// least one line.
std::vector<EditLine> layoutLines(std::string_view text, bool multiLine, std::size_t wrapColumns);

// The line holding a character index (an index at a wrap belongs to the following line; the
// end of the text to the last line).
std::size_t lineOfIndex(const std::vector<EditLine>& lines, std::size_t index);

// The caret index one character before or after an index, stepping over "\r\n" as one.
std::size_t stepBackward(std::string_view text, std::size_t index);
std::size_t stepForward(std::string_view text, std::size_t index);

// The word around an index (a double click selects it): [first, second).
std::pair<std::size_t, std::size_t> wordAt(std::string_view text, std::size_t index);

}  // namespace kvwin32::internal
