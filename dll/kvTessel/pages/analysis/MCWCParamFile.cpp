// The parameter file check: lines are read as a C line reader with a 1032-byte buffer reads
// them (at most 1031 characters, a longer line in pieces, a line ending at its first zero
// byte), split into tokens, and the header and rows checked by the first character of each
// token only.
#include "MCWCParamFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    static constexpr std::size_t kBlock = 1 << 16;

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

// Character classes as a table, so that a line is checked in one pass without a branch per
// character: a separator, a character a value may begin with, a letter.
constexpr unsigned kSeparator = 1;
constexpr unsigned kNumberStart = 2;
constexpr unsigned kLetter = 4;
constexpr auto kClass = [] {
    std::array<unsigned char, 256> table{};
    for (const unsigned char c : {' ', ',', '\t', '\n', '\r'}) {
        table[c] = kSeparator;
    }
    for (unsigned char c = '0'; c <= '9'; ++c) {
        table[c] = kNumberStart;
    }
    for (const unsigned char c : {'+', '-', '.'}) {
        table[c] = kNumberStart;
    }
    for (unsigned char c = 'a'; c <= 'z'; ++c) {
        table[c] = kLetter;
        table[c - 'a' + 'A'] = kLetter;
    }
    return table;
}();

bool isSeparator(char c) {
    return (kClass[static_cast<unsigned char>(c)] & kSeparator) != 0;
}

struct TokenScan {
    std::size_t count;  // the tokens of the line, at most `limit`
    bool bad;           // one of the first `limit` tokens begins with a character not `good`
};

// Counts the tokens of a line (once `limit` are seen, the rest need not be counted) and looks
// at the first character of each of the first `limit`. Sixteen characters at a time where the
// processor has the instructions: the separators of a block become a bit mask, and only the
// token starts in it are visited.
TokenScan scanTokens(std::string_view line, unsigned good, std::size_t limit) {
    std::size_t count = 0;
    bool bad = false;
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    unsigned previousSeparator = 1;
    char tail[16];
    for (std::size_t i = 0; i < line.size() && count < limit; i += 16) {
        const char* block = line.data() + i;
        const std::size_t left = line.size() - i;
        if (left < 16) {
            // The last block is padded with blanks, which start no token, never read past the
            // line.
            std::memset(tail, ' ', sizeof tail);
            std::memcpy(tail, block, left);
            block = tail;
        }
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        const __m128i separators =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, comma)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, tab),
                                      _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(separators));
        unsigned starts = ~mask & ((mask << 1) | previousSeparator) & 0xFFFFu;
        previousSeparator = (mask >> 15) & 1u;
        while (starts != 0 && count < limit) {
            const int at = __builtin_ctz(starts);
            starts &= starts - 1;
            bad = bad || (kClass[static_cast<unsigned char>(block[at])] & good) == 0;
            ++count;
        }
    }
#else
    bool previousSeparator = true;
    for (const char ch : line) {
        const unsigned cls = kClass[static_cast<unsigned char>(ch)];
        const bool separator = (cls & kSeparator) != 0;
        if (previousSeparator && !separator) {
            if (count >= limit) {
                break;
            }
            bad = bad || (cls & good) == 0;
            ++count;
        }
        previousSeparator = separator;
    }
#endif
    return {count, bad};
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
            const TokenScan header = scanTokens(line, kLetter, static_cast<std::size_t>(-1));
            if (header.bad) {
                return "Error" + lineTag(lineNumber) + texts.nameNotLetter + fullPath;
            }
            columns = header.count;
            continue;
        }
        const TokenScan row = scanTokens(line, kNumberStart, columns);
        if (row.bad) {
            return "Error" + lineTag(lineNumber) + texts.valueNotNumber + fullPath;
        }
        if (row.count < columns) {
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
