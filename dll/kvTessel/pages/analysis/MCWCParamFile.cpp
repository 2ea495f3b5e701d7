// The parameter file check: lines are read as a C line reader with a 1032-byte buffer reads
// them (at most 1031 characters, a longer line in pieces, a line ending at its first zero
// byte), split into tokens, and the header and rows checked by the first character of each
// token only.
#include "MCWCParamFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <memory>
#include <vector>

#include "MessageText.h"
#include "kvwin32/crt.h"
#include "pages/common/CatalogMessages.h"

namespace {

// Reads the file in large blocks and hands out lines as the line reader would, without a
// copy when a line lies inside the block.
class LineReader {
  public:
    explicit LineReader(std::FILE* file) : m_file(file), m_block(kBlock + kParameterLinePiece) {}

    // The next line (or piece) in `line`, with its end of line; false at the end of the file.
    bool next(std::string_view& line) {
        if (m_end - m_pos < kParameterLinePiece && !m_eof) {
            refill();
        }
        if (m_pos == m_end) {
            return false;
        }
        const std::size_t avail = std::min(m_end - m_pos, kParameterLinePiece);
        const char* start = m_block.data() + m_pos;
        const void* lf = std::memchr(start, '\n', avail);
        const std::size_t length =
            lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1
                          : avail;
        m_pos += length;
        line = std::string_view(start, length);
        return true;
    }

  private:
    static constexpr std::size_t kBlock = 1 << 20;

    // Moves what is left to the front and reads behind it.
    void refill() {
        const std::size_t left = m_end - m_pos;
        std::memmove(m_block.data(), m_block.data() + m_pos, left);
        m_pos = 0;
        m_end = left;
        while (m_end < m_block.size() && !m_eof) {
            const std::size_t got =
                std::fread(m_block.data() + m_end, 1, m_block.size() - m_end, m_file);
            m_end += got;
            if (got == 0) {
                m_eof = true;
            }
        }
    }

    std::FILE* m_file;
    std::vector<char> m_block;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
};

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool beginsNumber(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Calls `each(firstCharacter)` for every token of the line up to `limit` tokens; answers the
// number of tokens seen (at most `limit`). `each` answers false to stop early.
template <class Each>
std::size_t forTokens(std::string_view line, std::size_t limit, Each each) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < limit) {
        while (i < line.size() && isSeparator(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            break;
        }
        ++count;
        if (!each(line[i])) {
            break;
        }
        while (i < line.size() && !isSeparator(line[i])) {
            ++i;
        }
    }
    return count;
}

std::string lineTag(long lineNumber) {
    return " (line " + std::to_string(lineNumber) + ")";
}

}  // namespace

std::optional<std::string> CheckParameterStream(std::FILE* file, const std::string& fullPath,
                                                const ParameterFileTexts& texts) {
    LineReader reader(file);
    std::string_view raw;
    long lineNumber = 0;
    std::size_t columns = 0;  // 0: no header yet
    bool anyRow = false;
    while (reader.next(raw)) {
        ++lineNumber;
        // The line ends at its first zero byte, as a C string does.
        const std::string_view line = raw.substr(0, std::min(raw.find('\0'), raw.size()));
        if (line.empty() || line.front() == '\n') {
            continue;
        }
        std::size_t firstAt = 0;
        while (firstAt < line.size() && isSeparator(line[firstAt])) {
            ++firstAt;
        }
        if (firstAt == line.size() || line[firstAt] == '*') {
            continue;  // a comment, or no tokens at all
        }
        if (columns == 0) {
            bool bad = false;
            columns = forTokens(line, static_cast<std::size_t>(-1), [&bad](char c) {
                bad = bad || !isLetter(c);
                return true;
            });
            if (bad) {
                return "Error" + lineTag(lineNumber) + texts.nameNotLetter + fullPath;
            }
            continue;
        }
        bool bad = false;
        const std::size_t seen = forTokens(line, columns, [&bad](char c) {
            bad = !beginsNumber(c);
            return !bad;
        });
        if (bad) {
            return "Error" + lineTag(lineNumber) + texts.valueNotNumber + fullPath;
        }
        if (seen < columns) {
            return "Error" + lineTag(lineNumber) + ": Parameter value is missing in file - " +
                   fullPath;
        }
        anyRow = true;
    }
    if (columns == 0) {
        return "Error: Parameter table not found in file - " + fullPath;
    }
    if (!anyRow) {
        return "Error: Parameter value is missing in file - " + fullPath;
    }
    return std::nullopt;
}

std::optional<std::string> CheckParameterFile(const std::string& fullPath,
                                              const ParameterFileTexts& texts) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(kvcrt::fopen(fullPath.c_str(), "rb"),
                                                         &std::fclose);
    if (file == nullptr) {
        return "Error: File not found - " + fullPath;
    }
    return CheckParameterStream(file.get(), fullPath, texts);
}

std::optional<std::string> CheckParameterFile(const std::string& fullPath) {
    ParameterFileTexts texts;
    GetMessageText(texts.nameNotLetter, msg::parameterHeaderNotLetter.module,
                   msg::parameterHeaderNotLetter.number);
    GetMessageText(texts.valueNotNumber, msg::parameterValueNotNumber.module,
                   msg::parameterValueNotNumber.number);
    return CheckParameterFile(fullPath, texts);
}
