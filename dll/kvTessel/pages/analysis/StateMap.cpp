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
#include <sys/stat.h>

#include <utility>

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

}  // namespace

void StateMapParser::parseLine(std::string_view line) {
    std::size_t pos = 0;
    const Record record = recordOf(nextField(line, pos));
    if (record == Record::other) {
        return;
    }
    const std::string_view name = nextField(line, pos);
    const std::string_view simulationTime = nextField(line, pos);
    if (name.empty()) {
        return;
    }
    if (record == Record::simulationTime) {
        if (!simulationTime.empty()) {
            m_map.addSimulationPoint(name, simulationTime);
        }
    } else if (!simulationTime.empty()) {
        const std::string_view realTime = nextField(line, pos);
        if (!realTime.empty()) {
            m_map.addRealTimePoint(name, realTime);
        }
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
