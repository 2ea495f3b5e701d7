// Line layout and caret steps of the "Edit" control's text (see internal/edit_text.h).
#include <algorithm>
#include <utility>

#include "internal/edit_text.h"

namespace kvwin32::internal {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits one paragraph [start, end) into wrapped lines; the last one gets next = after.
void wrapParagraph(std::string_view text, std::size_t start, std::size_t end, std::size_t after,
                   std::size_t columns, std::vector<EditLine>& lines) {
    std::size_t pos = start;
    while (columns > 0 && end - pos > columns) {
        // Break after the last blank that fits; a word longer than the line breaks inside it.
        std::size_t cut = pos + columns;
        std::size_t blank = cut;
        while (blank > pos && !isBlank(text[blank])) {
            --blank;
        }
        if (blank > pos || isBlank(text[pos])) {
            cut = blank + 1;
        }
        lines.push_back(EditLine{pos, cut, cut});
        pos = cut;
    }
    lines.push_back(EditLine{pos, end, after});
}

}  // namespace

std::vector<EditLine> layoutLines(std::string_view text, bool multiLine, std::size_t wrapColumns) {
    std::vector<EditLine> lines;
    if (!multiLine) {
        lines.push_back(EditLine{0, text.size(), text.size()});
        return lines;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find("\r\n", start);
        if (found == std::string_view::npos) {
            wrapParagraph(text, start, text.size(), text.size(), wrapColumns, lines);
            break;
        }
        wrapParagraph(text, start, found, found + 2, wrapColumns, lines);
        start = found + 2;
    }
    return lines;
}

std::size_t lineOfIndex(const std::vector<EditLine>& lines, std::size_t index) {
    // The last line whose start is at or before the index.
    auto it = std::upper_bound(
        lines.begin(), lines.end(), index,
        [](std::size_t value, const EditLine& line) { return value < line.start; });
    return it == lines.begin() ? 0 : static_cast<std::size_t>(it - lines.begin()) - 1;
}

std::size_t stepBackward(std::string_view text, std::size_t index) {
    index = std::min(index, text.size());
    if (index == 0) {
        return 0;
    }
    if (index >= 2 && text[index - 2] == '\r' && text[index - 1] == '\n') {
        return index - 2;
    }
    return index - 1;
}

std::size_t stepForward(std::string_view text, std::size_t index) {
    if (index >= text.size()) {
        return text.size();
    }
    if (text[index] == '\r' && index + 1 < text.size() && text[index + 1] == '\n') {
        return index + 2;
    }
    return index + 1;
}

std::pair<std::size_t, std::size_t> wordAt(std::string_view text, std::size_t index) {
    index = std::min(index, text.size());
    auto inWord = [&](std::size_t i) {
        const char c = text[i];
        return !isBlank(c) && c != '\r' && c != '\n';
    };
    std::size_t first = index;
    while (first > 0 && inWord(first - 1)) {
        --first;
    }
    std::size_t second = index;
    while (second < text.size() && inWord(second)) {
        ++second;
    }
    return {first, second};
}

}  // namespace kvwin32::internal
