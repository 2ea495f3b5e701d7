// Parsing and editing of one INI file kept as its original bytes (see profile_document.h).
#include "internal/profile_document.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kvwin32::internal {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

unsigned char foldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// The blanks of isProfileBlank; bytes above the space are tested with one comparison.
inline bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' ? (u == ' ' || (u >= '\t' && u <= '\r')) : u == 0x1a;
}

inline std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Eight bytes with the ASCII capitals among them made small; every other byte unchanged.
inline std::uint64_t foldWord(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    const std::uint64_t low7 = w & ~kHigh;
    const std::uint64_t atLeastA = low7 + kOnes * (0x80 - 'A');
    const std::uint64_t aboveZ = low7 + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t capital = atLeastA & ~aboveZ & ~w & kHigh;
    return w | (capital >> 2);
}

inline std::uint64_t load64(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

inline std::uint64_t load32(const char* at) {
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// One multiplication per word. It carries changes upwards only, so the upper bits of the
// result depend on every byte; the hash is taken from there, and the name indexes choose a
// slot by the hash's upper bits too.
inline std::uint64_t mix(std::uint64_t hash, std::uint64_t word) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    return (hash ^ word) * kMultiplier;
}

// Hash of a name read eight bytes at a time with the letters folded, so that names equal
// under profileNamesEqual hash alike. The last bytes are read with loads that may overlap
// bytes already hashed but never reach outside the name.
inline std::uint32_t hashName(std::string_view name) {
    const char* at = name.data();
    const std::size_t size = name.size();
    std::uint64_t hash = 0x243F6A8885A308D3u ^ size;
    if (size >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8)
            hash = mix(hash, foldWord(load64(at + i)));
        if (i < size)
            hash = mix(hash, foldWord(load64(at + size - 8)));
    } else if (size >= 4) {
        hash = mix(hash, foldWord(load32(at)) | (foldWord(load32(at + size - 4)) << 32));
    } else {
        const auto byte = [at](std::size_t i) {
            return std::uint64_t{static_cast<unsigned char>(at[i])};
        };
        const std::uint64_t word =
            size == 0 ? 0 : byte(0) | (byte(size / 2) << 8) | (byte(size - 1) << 16);
        hash = mix(hash, foldWord(word));
    }
    return static_cast<std::uint32_t>(hash >> 32);
}

// Finds the line terminators (CR or LF) of a file in order. Each block of 64 bytes is
// examined once, sixteen bytes at a time where the processor allows, into a mask of the
// positions holding one; a line end is then the lowest bit left in the mask.
class TerminatorScanner {
  public:
    TerminatorScanner(const char* data, std::size_t size) : m_data(data), m_size(size) {}

    // The position of the first CR or LF at or after pos; the size when there is none.
    std::size_t next(std::size_t pos) {
        while (pos < m_size) {
            const std::size_t start = pos & ~std::size_t{63};
            if (start != m_blockStart) {
                m_blockStart = start;
                m_mask = blockMask(start);
            }
            const std::uint64_t left = m_mask & (~std::uint64_t{0} << (pos - start));
            if (left != 0)
                return start + static_cast<std::size_t>(__builtin_ctzll(left));
            pos = start + 64;
        }
        return m_size;
    }

  private:
    std::uint64_t blockMask(std::size_t start) const {
        std::uint64_t mask = 0;
#if defined(__SSE2__)
        if (start + 64 <= m_size) {
            const __m128i lf = _mm_set1_epi8('\n');
            const __m128i cr = _mm_set1_epi8('\r');
            for (int k = 0; k < 4; ++k) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                    m_data + start + 16 * static_cast<std::size_t>(k)));
                const int hits = _mm_movemask_epi8(
                    _mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)));
                mask |= static_cast<std::uint64_t>(static_cast<unsigned>(hits)) << (16 * k);
            }
            return mask;
        }
#endif
        const std::size_t end = std::min(start + 64, m_size);
        for (std::size_t i = start; i < end; ++i) {
            if (m_data[i] == '\n' || m_data[i] == '\r')
                mask |= std::uint64_t{1} << (i - start);
        }
        return mask;
    }

    const char* m_data;
    std::size_t m_size;
    std::size_t m_blockStart = ~std::size_t{0};  // the block m_mask describes
    std::uint64_t m_mask = 0;
};

}  // namespace

bool isProfileBlank(char c) {
    return isBlank(c);
}

std::string_view trimProfileBlanks(std::string_view text) {
    return trimBlanks(text);
}

std::uint32_t profileNameHash(std::string_view name) {
    return hashName(name);
}

std::string_view unquoteProfileValue(std::string_view value) {
    // Windows drops one pair of quotes only when the value both starts and ends with the same
    // quote character; a lone quote stays.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::uint32_t profileValueToInteger(std::string_view value) {
    // The rules of the system's own string-to-integer conversion with base 0, which Windows
    // applies to the value: "-1" gives 0xFFFFFFFF, "4294967297" gives 1, "42A" gives 42 and
    // "B42" gives 0.
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        switch (value[i + 1]) {
            case 'x':
                base = 16;
                break;
            case 'o':
                base = 8;
                break;
            case 'b':
                base = 2;
                break;
            default:
                break;
        }
        if (base != 10)
            i += 2;
    }
    std::uint32_t total = 0;
    for (; i < value.size(); ++i) {
        const unsigned char c = foldCase(value[i]);
        std::uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'z') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

ProfileDocument::ProfileDocument(std::string bytes) : m_bytes(std::move(bytes)) {
    parse();
}

void ProfileDocument::parse() {
    const std::string_view all = m_bytes;
    const char* const data = all.data();
    const std::size_t size = all.size();
    if (all.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        m_start = kUtf8ByteOrderMark.size();
    }

    // One pass over the lines. Lines end at CR LF, LF or a lone CR: files written by old
    // editors use each of them. Line ends are found a block of the file at a time.
    TerminatorScanner terminators(data, size);
    // Room for the usual line length up front: memory reserved and never touched costs
    // nothing, a vector grown line by line copies itself many times.
    m_lines.reserve(size / 16 + 16);
    m_entries.reserve(size / 16 + 16);
    std::vector<std::size_t> firstEntry;  // index in m_entries of each section's first entry
    bool newlineSeen = false;
    bool inSection = false;  // lines before the first header belong to no section
    for (std::size_t pos = m_start; pos < size;) {
        const std::size_t end = terminators.next(pos);
        std::size_t terminator = 0;
        if (end < size)
            terminator = (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1;
        if (terminator != 0 && !newlineSeen) {
            m_newline = all.substr(end, terminator);
            newlineSeen = true;
        }
        const std::size_t lineIndex = m_lines.size();
        m_lines.push_back({static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(end - pos),
                           static_cast<std::uint32_t>(terminator)});
        const std::string_view text = trimBlanks(all.substr(pos, end - pos));
        pos = end + terminator;

        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            // The name runs to the last ']' of the line; a '[' line without one is a key line.
            const std::size_t close = text.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                if (inSection)
                    m_sections.back().endLine = lineIndex;
                const std::string_view name = trimBlanks(text.substr(1, close - 1));
                m_sections.push_back({name, lineIndex, 0, hashName(name), {}, {}});
                firstEntry.push_back(m_entries.size());
                inSection = true;
                continue;
            }
        }
        if (!inSection)
            continue;
        // Keys are short: the '=' is looked for in place rather than through a call.
        const char* equalsAt = nullptr;
        for (const char *at = text.data(), *end = at + text.size(); at != end; ++at) {
            if (*at == '=') {
                equalsAt = at;
                break;
            }
        }
        if (!equalsAt) {
            m_entries.push_back({text, {}, false, hashName(text), lineIndex});
        } else {
            const std::size_t equals = static_cast<std::size_t>(equalsAt - text.data());
            const std::string_view key = trimBlanks(text.substr(0, equals));
            m_entries.push_back(
                {key, trimBlanks(text.substr(equals + 1)), true, hashName(key), lineIndex});
        }
    }
    if (inSection)
        m_sections.back().endLine = m_lines.size();

    firstEntry.push_back(m_entries.size());
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        Section& section = m_sections[i];
        section.entries = std::span<const Entry>(m_entries).subspan(
            firstEntry[i], firstEntry[i + 1] - firstEntry[i]);
        section.byKey.build(
            section.entries.size(), [&section](std::size_t i) { return section.entries[i].key; },
            [&section](std::size_t i) { return section.entries[i].keyHash; });
    }
    m_sectionsByName.build(
        m_sections.size(), [this](std::size_t i) { return m_sections[i].name; },
        [this](std::size_t i) { return m_sections[i].nameHash; });
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    name = trimBlanks(name);
    const std::size_t found = m_sectionsByName.find(
        name, hashName(name), [this](std::size_t i) { return m_sections[i].name; });
    return found != ProfileNameIndex::npos ? &m_sections[found] : nullptr;
}

const ProfileDocument::Entry* ProfileDocument::findEntry(const Section& section,
                                                         std::string_view key) {
    key = trimBlanks(key);
    const std::size_t found = section.byKey.find(
        key, hashName(key), [&section](std::size_t i) { return section.entries[i].key; });
    return found != ProfileNameIndex::npos ? &section.entries[found] : nullptr;
}

std::size_t ProfileDocument::lineEnd(std::size_t line) const {
    const Line& l = m_lines[line];
    return l.begin + l.length + l.terminator;
}

std::string ProfileDocument::spliced(std::size_t begin, std::size_t end,
                                     std::string_view text) const {
    std::string out;
    out.reserve(m_bytes.size() - (end - begin) + text.size());
    out.append(m_bytes, 0, begin);
    out.append(text);
    out.append(m_bytes, end, std::string::npos);
    return out;
}

std::string ProfileDocument::lineBreakAfter(std::size_t line) const {
    // Only the file's last line can lack a terminator; it gets one so that new text starts
    // on a line of its own. Its own bytes stay as they were.
    return m_lines[line].terminator == 0 ? std::string(m_newline) : std::string();
}

std::optional<std::string> ProfileDocument::withValue(std::string_view section,
                                                      std::string_view key,
                                                      std::string_view value) const {
    if (const Section* found = findSection(section)) {
        if (const Entry* entry = findEntry(*found, key)) {
            // The line is rewritten as key=value, keeping the key as the file spells it and
            // the line's own terminator.
            const Line& line = m_lines[entry->line];
            std::string text(entry->key);
            text += '=';
            text += value;
            if (std::string_view(m_bytes).substr(line.begin, line.length) == text) {
                return std::nullopt;
            }
            return spliced(line.begin, line.begin + line.length, text);
        }
        // A new key follows the section's last key line, so blank lines and comments that
        // separate it from the next section stay where they are.
        const std::size_t after =
            found->entries.empty() ? found->headerLine : found->entries.back().line;
        std::string text = lineBreakAfter(after);
        text += trimProfileBlanks(key);
        text += '=';
        text += value;
        text += m_newline;
        const std::size_t at = lineEnd(after);
        // In a file that ends its lines with a lone CR, a new line in front of an LF-ended
        // blank line would swallow that blank line into a CR LF; end it with CR LF instead.
        if (text.back() == '\r' && at < m_bytes.size() && m_bytes[at] == '\n')
            text += '\n';
        return spliced(at, at, text);
    }

    // A new section goes at the end of the file, without a blank line before it (as Windows
    // NT writes it).
    std::string text = m_lines.empty() ? std::string() : lineBreakAfter(m_lines.size() - 1);
    text += '[';
    text += trimProfileBlanks(section);
    text += ']';
    text += m_newline;
    text += trimProfileBlanks(key);
    text += '=';
    text += value;
    text += m_newline;
    return spliced(m_bytes.size(), m_bytes.size(), text);
}

std::optional<std::string> ProfileDocument::withoutKey(std::string_view section,
                                                       std::string_view key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    // Every line of the key in that section goes, so that the key reads as missing afterwards
    // rather than showing a later duplicate.
    const std::string_view wanted = trimProfileBlanks(key);
    std::string out;
    std::size_t copied = 0;
    bool removed = false;
    for (const Entry& entry : found->entries) {
        if (!profileNamesEqual(entry.key, wanted))
            continue;
        const std::size_t begin = m_lines[entry.line].begin;
        out.append(m_bytes, copied, begin - copied);
        copied = lineEnd(entry.line);
        removed = true;
    }
    if (!removed)
        return std::nullopt;
    out.append(m_bytes, copied, std::string::npos);
    return out;
}

std::optional<std::string> ProfileDocument::withoutSection(std::string_view section) const {
    // Every section of that name goes, so that the section reads as missing afterwards.
    const std::string_view wanted = trimProfileBlanks(section);
    std::string out;
    std::size_t copied = 0;
    bool removed = false;
    for (const Section& s : m_sections) {
        if (!profileNamesEqual(s.name, wanted))
            continue;
        const std::size_t begin = m_lines[s.headerLine].begin;
        out.append(m_bytes, copied, begin - copied);
        copied = lineEnd(s.endLine - 1);
        removed = true;
    }
    if (!removed)
        return std::nullopt;
    out.append(m_bytes, copied, std::string::npos);
    return out;
}

}  // namespace kvwin32::internal
