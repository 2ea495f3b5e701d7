// The wildcard filter of the output variable list: the whole name must match, letters compare
// without case, "?" matches any one character, "*" any run of characters (none included), a
// backslash makes the next pattern character literal, and a pattern ending in a lone backslash
// matches nothing.
//
// A pattern is compiled once into the literal pieces between its stars. The first piece must
// match at the start of the name and the last at its end; each piece between is taken at its
// leftmost place after the one before (a later place never helps a later piece). The pieces
// are found with a bit-parallel scan, so matching costs time proportional to the name's length
// times the number of 64-character blocks of the longest piece, whatever the stars and
// question marks: there is no backtracking.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

class WildcardPattern {
  public:
    explicit WildcardPattern(std::string_view pattern);

    // Whether the whole of `name` matches the pattern.
    bool matches(std::string_view name) const;

  private:
    // The characters of one piece between stars: for each byte value of a name, the bits of
    // the positions it can stand at (its letter case ignored, "?" taking any byte).
    struct Piece {
        std::size_t length = 0;
        std::size_t words = 0;  // 64-bit words per mask
        // masks[byte * words + word]
        std::vector<std::uint64_t> masks;
        bool accepts(std::size_t position, unsigned char byte) const {
            return (masks[byte * words + position / 64] >> (position % 64)) & 1u;
        }
    };

    // Whether the piece matches the name at `at` (which leaves room for it).
    static bool matchesAt(const Piece& piece, std::string_view name, std::size_t at);
    // The end of the leftmost place at or after `from` where the piece matches, or npos.
    static std::size_t findAfter(const Piece& piece, std::string_view name, std::size_t from);

    std::vector<Piece> m_pieces;
    bool m_starred = false;  // at least one star: the first and last pieces are apart
    bool m_never = false;    // a lone backslash at the end
};

// Matches `name` against `pattern` (compiling the pattern for this one use).
bool WildcardMatch(std::string_view pattern, std::string_view name);
