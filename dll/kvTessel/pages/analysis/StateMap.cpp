// Reading a "state_map" file. The file may be anything (a half-written map, another file
// saved under the name, gigabytes of it), so the parser goes through it in blocks, keeps at
// most one line's text and never reads past what it was given.
//
// Choices where the original reader was loose: a CR alone ends a line, as CR LF and LF do, so
// maps written with old Mac line ends list all their states; a line longer than the reader's
// buffer keeps its first 1023 characters and the rest of the line is skipped rather than read
// as a line of its own; a NUL ends the line's text, as it ends a C string.
#include "StateMap.h"

#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

void* StateMapStorage::allocate(std::size_t bytes) {
    if (bytes >= kLargeBlock) {
        void* block =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Advice only: without huge pages the block works the same, a little slower to fill.
        madvise(block, bytes, MADV_HUGEPAGE);
        return block;
    }
    return ::operator new(bytes);
}

void StateMapStorage::release(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    if (bytes >= kLargeBlock) {
        munmap(block, bytes);
    } else {
        ::operator delete(block);
    }
}

namespace {

// White space that ends a field (blanks separate fields; line ends never reach a line).
bool endsField(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// The next field of `line` from `pos`: runs of blanks separate fields and a field is cut at its
// first other white-space character. Empty when the line has no more fields.
std::string_view nextField(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && line[pos] == ' ') {
        ++pos;
    }
    const std::size_t start = pos;
    std::size_t cut = std::string_view::npos;
    for (; pos < line.size() && line[pos] != ' '; ++pos) {
        if (cut == std::string_view::npos && endsField(line[pos])) {
            cut = pos;
        }
    }
    return line.substr(start, (cut == std::string_view::npos ? pos : cut) - start);
}

// The text of a line as the reader's buffer holds it: up to a NUL, at most the line limit.
std::string_view bounded(std::string_view line, bool& cut) {
    cut = false;
    if (const void* nul = std::memchr(line.data(), '\0', line.size()); nul != nullptr) {
        line =
            line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
        cut = true;
    }
    if (line.size() >= kStateMapLineLimit) {
        line = line.substr(0, kStateMapLineLimit);
        cut = true;
    }
    return line;
}

// What a record type names.
enum class Record { other, simulationTime, realTime };

// The record type of field 1, compared ignoring case (c | 0x20 is lower case for letters and
// equals a lower-case letter only for that letter's two cases).
Record recordOf(std::string_view type) {
    auto is = [&type](const char* lower) {
        for (std::size_t i = 0; i < type.size(); ++i) {
            if ((type[i] | 0x20) != lower[i]) {
                return false;
            }
        }
        return true;
    };
    if (type.size() == 4) {
        if (is("sint")) {
            return Record::simulationTime;
        }
        if (is("rint")) {
            return Record::realTime;
        }
    } else if (type.size() == 2 && is("tp")) {
        return Record::simulationTime;
    }
    return Record::other;
}

// What a character at or below ' ' is to the single-pass reader of plain lines (every
// character above ' ' is field text).
enum CharClass : unsigned char {
    kText,   // a control character without a meaning here: field text
    kBlank,  // separates fields
    kCut,    // other white space: ends the field's text, the field runs on to the next blank
    kLf,     // ends the line
    kCr,     // ends the line, alone or with an LF after it
    kNul,    // ends the line's text: left to the general reader
};

constexpr std::array<unsigned char, 33> kCharClass = [] {
    std::array<unsigned char, 33> table{};
    table[' '] = kBlank;
    table['\t'] = kCut;
    table['\v'] = kCut;
    table['\f'] = kCut;
    table['\n'] = kLf;
    table['\r'] = kCr;
    table[0] = kNul;
    return table;
}();

}  // namespace

void StateMapParser::parseLine(std::string_view line) {
    std::size_t pos = 0;
    const std::string_view type = nextField(line, pos);
    const std::string_view name = nextField(line, pos);
    const std::string_view simulationTime = nextField(line, pos);
    const std::string_view realTime = nextField(line, pos);
    addRecord(type, name, simulationTime, realTime);
}

void StateMapParser::addRecord(std::string_view type, std::string_view name,
                               std::string_view simulationTime, std::string_view realTime) {
    const Record record = recordOf(type);
    if (record == Record::other || name.empty() || simulationTime.empty()) {
        return;
    }
    if (record == Record::simulationTime) {
        m_map.addSimulationPoint(name, simulationTime);
    } else if (!realTime.empty()) {
        m_map.addRealTimePoint(name, realTime);
    }
}

namespace {

// The first character from `p` that is a blank or a control character (at or below ' '), or
// `end`. Field text is mostly printable, so eight characters are tested at a time: a byte below
// 0x21 sets its top bit in (x - 0x21..21) & ~x, and the lowest such byte is found exactly.
const char* nextBelowPrintable(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    // Borrows run towards the high bytes, so only the lowest flagged byte is sure: the first in
    // memory on a little-endian machine. Others test one character at a time.
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, sizeof word);
            if (const std::uint64_t found = (word - kOnes * 0x21) & ~word & kTops; found != 0) {
                return p + std::countr_zero(found) / 8;
            }
            p += 8;
        }
    }
    while (p != end && static_cast<unsigned char>(*p) > 0x20) {
        ++p;
    }
    return p;
}

}  // namespace

std::size_t StateMapParser::readPlainLine(const char* data, std::size_t pos, std::size_t size) {
    const char* const begin = data + pos;
    const char* const end = data + size;
    // The record type, the name, the simulation time and the real time; further fields are
    // passed over to the line end.
    std::string_view fields[4];
    int count = 0;
    const char* fieldStart = nullptr;  // the field being read, if any
    const char* cut = nullptr;         // where its text ends, if cut before its end
    const char* p = begin;
    auto endField = [&](const char* at) {
        if (fieldStart != nullptr && count < 4) {
            fields[count++] = std::string_view(
                fieldStart, static_cast<std::size_t>((cut != nullptr ? cut : at) - fieldStart));
        }
        fieldStart = nullptr;
        cut = nullptr;
    };
    while (true) {
        const char* const next = nextBelowPrintable(p, end);
        if (next != p && fieldStart == nullptr) {
            fieldStart = p;
        }
        p = next;
        if (p == end || p - begin >= static_cast<std::ptrdiff_t>(kStateMapLineLimit)) {
            return kNotPlain;  // the line goes on in the next piece, or is longer than a line
        }
        // Tested in the order they are met: blanks between fields, then line ends.
        const unsigned char c = kCharClass[static_cast<unsigned char>(*p)];
        if (c == kBlank) {
            endField(p);
        } else if (c == kLf || c == kCr) {
            if (c == kCr && p + 1 == end) {
                return kNotPlain;  // an LF in the next piece would belong to this line end
            }
            endField(p);
            addRecord(fields[0], fields[1], fields[2], fields[3]);
            return static_cast<std::size_t>(p + (c == kCr && p[1] == '\n' ? 2 : 1) - data);
        } else if (c == kNul) {
            return kNotPlain;
        } else {
            if (fieldStart == nullptr) {
                fieldStart = p;
            }
            if (c == kCut && cut == nullptr) {
                cut = p;
            }
        }
        ++p;
    }
}

void StateMapParser::appendToLine(std::string_view bytes) {
    if (m_lineClosed || bytes.empty()) {
        return;
    }
    bool cut = false;
    bytes = bounded(bytes, cut);
    const std::size_t room = kStateMapLineLimit - m_line.size();
    if (bytes.size() >= room) {
        bytes = bytes.substr(0, room);
        cut = true;
    }
    m_line.append(bytes);
    m_lineClosed = cut;
}

void StateMapParser::endLine() {
    parseLine(m_line);
    m_line.clear();
    m_lineClosed = false;
}

void StateMapParser::feed(std::string_view bytes) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    if (m_afterCr && size > 0) {
        m_afterCr = false;
        if (data[0] == '\n') {
            pos = 1;  // the LF of a CR LF
        }
    }
    // The next LF is found once and kept, so that a long run of CR-ended lines scans the
    // piece once rather than once per line.
    std::size_t nextLf = 0;
    bool lfKnown = false;
    while (pos < size) {
        // Most lines lie whole in the piece and hold no NUL: those are read in a single pass.
        if (m_line.empty() && !m_lineClosed) {
            if (const std::size_t next = readPlainLine(data, pos, size); next != kNotPlain) {
                pos = next;
                continue;
            }
        }
        if (!lfKnown || nextLf < pos) {
            const void* lf = std::memchr(data + pos, '\n', size - pos);
            nextLf = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data)
                                   : size;
            lfKnown = true;
        }
        const void* cr = std::memchr(data + pos, '\r', nextLf - pos);
        const std::size_t end =
            cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : nextLf;
        const std::string_view text(data + pos, end - pos);
        if (end == size) {
            appendToLine(text);
            return;  // the line goes on in the next piece
        }
        if (m_line.empty() && !m_lineClosed) {
            bool cut = false;
            parseLine(bounded(text, cut));  // the whole line is in this piece: read it in place
        } else {
            appendToLine(text);
            endLine();
        }
        pos = end + 1;
        if (data[end] == '\r') {
            if (pos == size) {
                m_afterCr = true;
            } else if (data[pos] == '\n') {
                ++pos;
            }
        }
    }
}

StateMap StateMapParser::finish() {
    if (!m_line.empty()) {
        endLine();
    }
    m_line.clear();
    m_lineClosed = false;
    m_afterCr = false;
    StateMap map = std::move(m_map);
    m_map = StateMap{};
    return map;
}

StateMap ParseStateMap(std::string_view text) {
    StateMapParser parser;
    parser.feed(text);
    return parser.finish();
}

StateMap ParseStateMap(std::FILE* file) {
    StateMapParser parser;
    struct stat info {};
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        parser.expect(static_cast<std::size_t>(info.st_size));
    }
    std::vector<char> block(1 << 16);
    std::size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
        parser.feed(std::string_view(block.data(), got));
    }
    return parser.finish();
}
