// WildcardPattern: compiling a pattern into pieces and finding them in a name.
#include "Wildcard.h"

namespace {

// Letters compare in upper case, the ASCII letters only: the names are the simulator's, which
// keeps to ASCII.
unsigned char upper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// One position of a piece: a byte to compare without case, or any byte.
struct Item {
    unsigned char byte;
    bool any;
};

}  // namespace

WildcardPattern::WildcardPattern(std::string_view pattern) {
    std::vector<std::vector<Item>> pieces(1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto c = static_cast<unsigned char>(pattern[i]);
        if (c == '*') {
            m_starred = true;
            pieces.emplace_back();
        } else if (c == '?') {
            pieces.back().push_back({0, true});
        } else if (c == '\\') {
            if (++i == pattern.size()) {
                m_never = true;
                return;
            }
            pieces.back().push_back({static_cast<unsigned char>(pattern[i]), false});
        } else {
            pieces.back().push_back({c, false});
        }
    }
    for (const std::vector<Item>& items : pieces) {
        Piece piece;
        piece.length = items.size();
        piece.words = (items.size() + 63) / 64;
        piece.masks.assign(256 * piece.words, 0);
        for (std::size_t pos = 0; pos < items.size(); ++pos) {
            const std::uint64_t bit = std::uint64_t{1} << (pos % 64);
            for (unsigned b = 0; b < 256; ++b) {
                if (items[pos].any ||
                    upper(static_cast<unsigned char>(b)) == upper(items[pos].byte)) {
                    piece.masks[b * piece.words + pos / 64] |= bit;
                }
            }
        }
        m_pieces.push_back(std::move(piece));
    }
}

bool WildcardPattern::matchesAt(const Piece& piece, std::string_view name, std::size_t at) {
    for (std::size_t k = 0; k < piece.length; ++k) {
        if (!piece.accepts(k, static_cast<unsigned char>(name[at + k]))) {
            return false;
        }
    }
    return true;
}

std::size_t WildcardPattern::findAfter(const Piece& piece, std::string_view name,
                                       std::size_t from) {
    if (piece.length == 0) {
        return from;
    }
    if (name.size() - from < piece.length) {
        return std::string_view::npos;
    }
    // Shift-and: bit k of the state is set when the last k + 1 bytes read match the piece's
    // first k + 1 positions.
    const std::size_t words = piece.words;
    const std::size_t top = piece.length - 1;
    if (words == 1) {
        const std::uint64_t done = std::uint64_t{1} << top;
        std::uint64_t state = 0;
        for (std::size_t i = from; i < name.size(); ++i) {
            state = ((state << 1) | 1u) & piece.masks[static_cast<unsigned char>(name[i])];
            if (state & done) {
                return i + 1;
            }
        }
        return std::string_view::npos;
    }
    std::vector<std::uint64_t> state(words, 0);
    for (std::size_t i = from; i < name.size(); ++i) {
        const std::uint64_t* mask = &piece.masks[static_cast<unsigned char>(name[i]) * words];
        std::uint64_t carry = 1;
        for (std::size_t w = 0; w < words; ++w) {
            const std::uint64_t next = state[w] >> 63;
            state[w] = ((state[w] << 1) | carry) & mask[w];
            carry = next;
        }
        if ((state[top / 64] >> (top % 64)) & 1u) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool WildcardPattern::matches(std::string_view name) const {
    if (m_never) {
        return false;
    }
    const Piece& first = m_pieces.front();
    if (!m_starred) {
        return name.size() == first.length && matchesAt(first, name, 0);
    }
    const Piece& last = m_pieces.back();
    if (name.size() < first.length + last.length || !matchesAt(first, name, 0) ||
        !matchesAt(last, name, name.size() - last.length)) {
        return false;
    }
    // The middle pieces, leftmost first, in what lies between the first and the last.
    const std::string_view middle = name.substr(0, name.size() - last.length);
    std::size_t at = first.length;
    for (std::size_t p = 1; p + 1 < m_pieces.size(); ++p) {
        at = findAfter(m_pieces[p], middle, at);
        if (at == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    return WildcardPattern(pattern).matches(name);
}
