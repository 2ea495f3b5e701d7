// The saved states of a checkpoint folder, as its "state_map" file lists them: the points
// saved at simulation times ("SINT" and "TP" lines) and those saved at real times ("RINT"
// lines), each with its point name and its time text. The restart dialog offers the times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// One saved state: its point name and the time it was saved at, as written in the file. The
// texts are views into the map they came from and live as long as it.
struct StatePoint {
    std::string_view name;
    std::string_view time;

    bool operator==(const StatePoint&) const = default;
};

// A parsed "state_map": simulation-time points and real-time points, each in file order. The
// texts of all points are kept together in one buffer, so that a map of millions of points
// costs two small records a point and no allocation of its own.
class StateMap {
  public:
    // The number of simulation-time points.
    int simulationCount() const { return static_cast<int>(m_simulation.size()); }
    // The number of real-time points.
    int realTimeCount() const { return static_cast<int>(m_realTime.size()); }
    // Simulation-time point `i` (0 <= i < simulationCount()).
    StatePoint simulationPoint(int i) const {
        return point(m_simulation[static_cast<std::size_t>(i)]);
    }
    // Real-time point `i` (0 <= i < realTimeCount()).
    StatePoint realTimePoint(int i) const { return point(m_realTime[static_cast<std::size_t>(i)]); }

    // Makes room for the points of `bytes` bytes of file at most, so that the storage of a
    // large map is not copied as it grows (pages not written are never touched).
    // Files past kReserveLimit grow as they go.
    void reserveFor(std::size_t bytes) {
        if (bytes > kReserveLimit) {
            return;
        }
        m_text.reserve(bytes);
        m_simulation.reserve(bytes / kShortestPointLine);
        m_realTime.reserve(bytes / kShortestPointLine);
    }

    // Appends a simulation-time point.
    void addSimulationPoint(std::string_view name, std::string_view time) {
        m_simulation.push_back(store(name, time));
    }
    // Appends a real-time point.
    void addRealTimePoint(std::string_view name, std::string_view time) {
        m_realTime.push_back(store(name, time));
    }

  private:
    // The shortest line that gives a point, "TP a 1" and its line end.
    static constexpr std::size_t kShortestPointLine = 7;
    // The largest file whose room is made beforehand (room of about three times its size).
    static constexpr std::size_t kReserveLimit = std::size_t{1} << 30;

    // Where a point's name and time lie in m_text: the name, then the time right after it. A
    // field is shorter than a line (1023 characters), so ten bits hold each size.
    struct Slot {
        std::uint64_t offset : 44;
        std::uint64_t nameSize : 10;
        std::uint64_t timeSize : 10;
    };

    Slot store(std::string_view name, std::string_view time) {
        const Slot slot{m_text.size(), name.size(), time.size()};
        m_text.append(name).append(time);
        return slot;
    }
    StatePoint point(const Slot& s) const {
        const std::string_view text(m_text);
        return {text.substr(s.offset, s.nameSize), text.substr(s.offset + s.nameSize, s.timeSize)};
    }

    // The names and times of all points, one after another.
    std::string m_text;
    std::vector<Slot> m_simulation;
    std::vector<Slot> m_realTime;
};

// The longest line content read: the file's lines are read into a 1024-byte buffer.
inline constexpr std::size_t kStateMapLineLimit = 1023;

// Reads a "state_map" in pieces of any size (a file or a text may end a line in any piece).
// Lines end at LF, CR or CR LF. Fields are separated by runs of blanks and each is cut at its
// first other white-space character; a NUL ends the line's text. Field 1 names the record
// (compared ignoring case): "SINT" and "TP" take fields 2 (name) and 3 (simulation time),
// "RINT" fields 2 (name) and 4 (real time). Lines of other types, empty lines and lines that
// lack a needed field are skipped. A line is read up to kStateMapLineLimit characters; the
// rest of a longer line is not read. Any bytes give a map: what could be read of them.
class StateMapParser {
  public:
    // Makes room for the points of a file of `bytes` bytes (optional; see StateMap::reserveFor).
    void expect(std::size_t bytes) { m_map.reserveFor(bytes); }
    // Reads the next piece of the file.
    void feed(std::string_view bytes);
    // Ends the file (a last line without a line end counts) and hands over the map.
    StateMap finish();

  private:
    // Parses one line's text (without its line end, at most kStateMapLineLimit characters).
    void parseLine(std::string_view line);
    // Adds `bytes` (part of the current line) to the line, up to the line limit.
    void appendToLine(std::string_view bytes);
    // Ends the current line.
    void endLine();

    // The map read so far.
    StateMap m_map;
    // Text of the current line so far, bounded by kStateMapLineLimit.
    std::string m_line;
    // The current line reached the limit or a NUL: the rest of it is not read.
    bool m_lineClosed = false;
    // The last byte fed was a CR: an LF that follows belongs to the same line end.
    bool m_afterCr = false;
};

// The map of the whole text `text`.
StateMap ParseStateMap(std::string_view text);

// The map of what remains to be read of the open file `file` (read in blocks; never closed here).
StateMap ParseStateMap(std::FILE* file);
