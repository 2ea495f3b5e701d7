// Internal: one private-profile (INI) file held as its original bytes plus an index of its
// sections and key lines. Lookups follow the Windows rules (case-insensitive names, blanks
// trimmed, first match wins) and go through hash tables of the names; edits splice new text
// into the original bytes, so every line an edit does not touch comes back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvwin32::internal {

// Blanks as the profile functions see them: tab to carriage return, space, and ^Z (the DOS
// end-of-file mark, found in files copied from old media).
bool isProfileBlank(char c);

// Text without the profile blanks at either end.
std::string_view trimProfileBlanks(std::string_view text);

// ASCII case-insensitive equality. Bytes of 0x80 and above compare exactly: the files are kept
// in whatever encoding they were written in and no code page is assumed.
// Inline: the name indexes call it for every candidate they find.
inline bool profileNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// Hash of a name that ignores ASCII case, as profileNamesEqual compares names.
std::uint32_t profileNameHash(std::string_view name);

// A hash table from names to the first of a list of items with that name (the list's order
// decides which is first). Built once; lookups compare a stored hash before any name.
class ProfileNameIndex {
  public:
    // Indexes items 0..count-1; nameOf(i) gives the name of item i, hashOf(i) its hash.
    template <typename NameOf, typename HashOf>
    void build(std::size_t count, NameOf nameOf, HashOf hashOf);

    // The first item whose name equals this one (the hash given is profileNameHash(name)),
    // or npos.
    template <typename NameOf>
    std::size_t find(std::string_view name, std::uint32_t hash, NameOf nameOf) const;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  private:
    // The slot a hash starts looking from: its upper bits, the ones profileNameHash mixes
    // best.
    std::size_t home(std::uint32_t hash) const { return hash >> m_shift; }

    // A slot holds the hash in its upper half and index + 1 in its lower half; 0 is empty.
    std::vector<std::uint64_t> m_slots;
    unsigned m_shift = 32;  // 32 - log2 of the number of slots
};

// A value without one pair of matching surrounding quotes ("x" or 'x'), as Windows returns it.
std::string_view unquoteProfileValue(std::string_view value);

// The number at the start of a value as GetPrivateProfileInt reads it: leading blanks and
// control characters skipped, an optional sign, a "0x", "0o" or "0b" prefix, then digits up to
// the first that does not belong; no digits give 0, and overflow wraps modulo 2^32.
std::uint32_t profileValueToInteger(std::string_view value);

class ProfileDocument {
  public:
    // One line of a section that is neither blank, a comment, nor a section header.
    struct Entry {
        std::string_view key;    // trimmed text before the first '=' (the whole line without one)
        std::string_view value;  // trimmed text after the first '='; empty without one
        bool hasValue;           // the line has an '='
        std::uint32_t keyHash;   // profileNameHash(key)
        std::size_t line;        // index of the line in the file
    };

    // A "[name]" header and the lines up to the next header.
    struct Section {
        std::string_view name;           // trimmed text between '[' and the last ']'
        std::size_t headerLine;          // index of the header line
        std::size_t endLine;             // one past the last line of the section
        std::uint32_t nameHash;          // profileNameHash(name)
        std::span<const Entry> entries;  // key lines in file order
        ProfileNameIndex byKey;          // the first entry of each key
    };

    // Parses the bytes of a file; a leading UTF-8 byte-order mark is skipped but kept.
    explicit ProfileDocument(std::string bytes);
    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;

    // The file's bytes exactly as read.
    const std::string& bytes() const { return m_bytes; }
    // Sections in file order, duplicates included.
    const std::vector<Section>& sections() const { return m_sections; }

    // The first section with this name (blanks around the name ignored), or null.
    const Section* findSection(std::string_view name) const;
    // The first line of a section with this key (blanks around the key ignored), or null.
    static const Entry* findEntry(const Section& section, std::string_view key);

    // The file's bytes with key=value set in the first section of that name: an existing key
    // line is rewritten in place, a new key goes after the section's last key line, a new
    // section goes at the end of the file. nullopt when the bytes would not change.
    std::optional<std::string> withValue(std::string_view section, std::string_view key,
                                         std::string_view value) const;
    // The file's bytes without the lines of that key in the first section of that name;
    // nullopt when there is no such line.
    std::optional<std::string> withoutKey(std::string_view section, std::string_view key) const;
    // The file's bytes without every section of that name, headers and lines; nullopt when
    // there is none.
    std::optional<std::string> withoutSection(std::string_view section) const;

    // The line terminator new lines get: the file's first one, CR LF for a file without any.
    std::string_view newline() const { return m_newline; }

  private:
    // A line of the file; the terminator (CR LF, LF or CR) follows the text.
    // Offsets are 32-bit: files are read up to kMaxReadFileBytes, far below 4 GiB.
    struct Line {
        std::uint32_t begin;       // offset of the first byte
        std::uint32_t length;      // bytes of text, terminator excluded
        std::uint32_t terminator;  // bytes of the terminator: 0 (last line), 1 or 2
    };

    void parse();
    std::size_t lineEnd(std::size_t line) const;
    std::string spliced(std::size_t begin, std::size_t end, std::string_view text) const;
    // Text to insert after a line so that it starts on a line of its own.
    std::string lineBreakAfter(std::size_t line) const;

    std::string m_bytes;                  // the file as read
    std::size_t m_start = 0;              // offset of the first line (after a byte-order mark)
    std::vector<Line> m_lines;            // every line of the file
    std::vector<Entry> m_entries;         // the key lines of every section, section by section
    std::vector<Section> m_sections;      // sections in file order
    ProfileNameIndex m_sectionsByName;    // the first section of each name
    std::string_view m_newline = "\r\n";  // terminator for new lines
};

template <typename NameOf, typename HashOf>
void ProfileNameIndex::build(std::size_t count, NameOf nameOf, HashOf hashOf) {
    // At most two thirds full, so that a probe sequence stays short.
    std::size_t capacity = 8;
    m_shift = 29;
    while (capacity < count + count / 2) {
        capacity *= 2;
        --m_shift;
    }
    m_slots.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    // Slots are reached at random: the one an item a few places ahead will need is fetched
    // while this one is placed.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count)
            __builtin_prefetch(&m_slots[home(hashOf(i + kAhead))], 1);
        const std::uint32_t hash = hashOf(i);
        std::size_t at = home(hash);
        bool duplicate = false;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            const std::uint64_t slot = m_slots[at];
            if (static_cast<std::uint32_t>(slot >> 32) == hash &&
                profileNamesEqual(nameOf(static_cast<std::size_t>(slot & 0xFFFFFFFFu) - 1),
                                  nameOf(i))) {
                duplicate = true;  // an earlier item has the name: it stays the first
                break;
            }
        }
        if (!duplicate)
            m_slots[at] = (std::uint64_t{hash} << 32) | (i + 1);
    }
}

template <typename NameOf>
std::size_t ProfileNameIndex::find(std::string_view name, std::uint32_t hash, NameOf nameOf) const {
    if (m_slots.empty())
        return npos;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = home(hash); m_slots[at] != 0; at = (at + 1) & mask) {
        const std::uint64_t slot = m_slots[at];
        if (static_cast<std::uint32_t>(slot >> 32) != hash)
            continue;
        const std::size_t index = static_cast<std::size_t>(slot & 0xFFFFFFFFu) - 1;
        if (profileNamesEqual(nameOf(index), name))
            return index;
    }
    return npos;
}

}  // namespace kvwin32::internal
