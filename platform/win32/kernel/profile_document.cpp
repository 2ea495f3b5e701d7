// Parsing and editing of one INI file kept as its original bytes (see profile_document.h).
#include "internal/profile_document.h"

#include <algorithm>
#include <numeric>

namespace kvwin32::internal {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

unsigned char foldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Three-way ASCII case-insensitive comparison, the order the name indexes are sorted in.
int compareNames(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char fa = foldCase(a[i]);
        const unsigned char fb = foldCase(b[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Indices 0..count-1 sorted by the name nameOf gives, file order kept among equal names so
// that the first match in the file is the first match in the index.
template <typename NameOf>
std::vector<std::size_t> sortedByName(std::size_t count, NameOf nameOf) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return compareNames(nameOf(a), nameOf(b)) < 0;
    });
    return order;
}

// The first index in a sorted order whose name equals the wanted one, or count.
template <typename NameOf>
std::size_t findByName(const std::vector<std::size_t>& order, std::string_view wanted,
                       NameOf nameOf) {
    auto it = std::lower_bound(order.begin(), order.end(), wanted,
                               [&](std::size_t index, std::string_view name) {
                                   return compareNames(nameOf(index), name) < 0;
                               });
    if (it == order.end() || compareNames(nameOf(*it), wanted) != 0)
        return order.size();
    return *it;
}

}  // namespace

bool isProfileBlank(char c) {
    return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1a';
}

std::string_view trimProfileBlanks(std::string_view text) {
    while (!text.empty() && isProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool profileNamesEqual(std::string_view a, std::string_view b) {
    return compareNames(a, b) == 0;
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
    if (all.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        m_start = kUtf8ByteOrderMark.size();
    }

    // Lines end at CR LF, LF or a lone CR: files written by old editors use each of them.
    bool newlineSeen = false;
    for (std::size_t pos = m_start; pos < all.size();) {
        std::size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = all.size();
        std::size_t terminator = 0;
        if (end < all.size()) {
            terminator = (all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1;
            if (!newlineSeen) {
                m_newline = all.substr(end, terminator);
                newlineSeen = true;
            }
        }
        m_lines.push_back({pos, end - pos, terminator});
        pos = end + terminator;
    }

    // Lines before the first header belong to no section: Windows never returns them.
    std::size_t current = 0;
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view text =
            trimProfileBlanks(all.substr(m_lines[i].begin, m_lines[i].length));
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            // The name runs to the last ']' of the line; a '[' line without one is a key line.
            const std::size_t close = text.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                if (inSection)
                    m_sections[current].endLine = i;
                m_sections.push_back(
                    {trimProfileBlanks(text.substr(1, close - 1)), i, m_lines.size(), {}, {}});
                current = m_sections.size() - 1;
                inSection = true;
                continue;
            }
        }
        if (!inSection)
            continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            m_sections[current].entries.push_back({text, {}, false, i});
        } else {
            m_sections[current].entries.push_back({trimProfileBlanks(text.substr(0, equals)),
                                                   trimProfileBlanks(text.substr(equals + 1)), true,
                                                   i});
        }
    }

    for (Section& section : m_sections)
        indexSection(section);
    m_sectionsByName =
        sortedByName(m_sections.size(), [this](std::size_t i) { return m_sections[i].name; });
}

void ProfileDocument::indexSection(Section& section) const {
    section.byKey = sortedByName(section.entries.size(),
                                 [&section](std::size_t i) { return section.entries[i].key; });
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    const auto nameOf = [this](std::size_t i) { return m_sections[i].name; };
    const std::size_t found = findByName(m_sectionsByName, trimProfileBlanks(name), nameOf);
    return found < m_sections.size() ? &m_sections[found] : nullptr;
}

const ProfileDocument::Entry* ProfileDocument::findEntry(const Section& section,
                                                         std::string_view key) {
    const auto nameOf = [&section](std::size_t i) { return section.entries[i].key; };
    const std::size_t found = findByName(section.byKey, trimProfileBlanks(key), nameOf);
    return found < section.entries.size() ? &section.entries[found] : nullptr;
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
