// The saved states of a checkpoint folder, as its "state_map" file lists them: the points
// saved at simulation times ("SINT" and "TP" lines) and those saved at real times ("RINT"
// lines), each with its point name and its time text. The restart dialog offers the times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <utility>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// Storage for the large arrays of a state map. Blocks of at least kLargeBlock bytes are mapped
// from the system and marked for huge pages: a map of millions of points fills tens of
// megabytes, and touching them a small page at a time costs more than reading the file.
// Smaller blocks come from the heap.
struct StateMapStorage {
    static constexpr std::size_t kLargeBlock = std::size_t{2} << 20;
    static void* allocate(std::size_t bytes);
    static void release(void* block, std::size_t bytes) noexcept;
};

template <class T>
struct StateMapAllocator {
    using value_type = T;
    StateMapAllocator() = default;
    template <class U>
    StateMapAllocator(const StateMapAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(StateMapStorage::allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { StateMapStorage::release(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const StateMapAllocator<U>&) const noexcept {
        return true;
    }
};

// One saved state: its point name and the time it was saved at, as written in the file. The
// texts are views into the map they came from and live as long as it.
struct StatePoint {
    std::string_view name;
    std::string_view time;

    bool operator==(const StatePoint&) const = default;
};

// A growing run of bytes in StateMapStorage, appended to in short pieces.
class StateMapText {
  public:
    StateMapText() = default;
    StateMapText(StateMapText&& other) noexcept { swap(other); }
    StateMapText& operator=(StateMapText&& other) noexcept {
        StateMapText(std::move(other)).swap(*this);
        return *this;
    }
    ~StateMapText() { StateMapStorage::release(m_data, m_capacity); }

    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    // Makes room for `bytes` bytes in all.
    void reserve(std::size_t bytes) {
        if (bytes > m_capacity) {
            reallocate(bytes);
        }
    }
    // Appends `a` and then `b`.
    void append(std::string_view a, std::string_view b) {
        const std::size_t n = a.size() + b.size();
        if (n > m_capacity - m_size) {
            reallocate(std::max(m_size + n, m_capacity * 2));
        }
        copyShort(m_data + m_size, a.data(), a.size());
        copyShort(m_data + m_size + a.size(), b.data(), b.size());
        m_size += n;
    }

  private:
    void swap(StateMapText& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }
    void reallocate(std::size_t capacity) {
        char* data = static_cast<char*>(StateMapStorage::allocate(capacity));
        if (m_size > 0) {
            std::memcpy(data, m_data, m_size);
        }
        StateMapStorage::release(m_data, m_capacity);
        m_data = data;
        m_capacity = capacity;
    }
    // Copies `n` bytes, most often a few: done with two overlapping moves, no call.
    static void copyShort(char* to, const char* from, std::size_t n) {
        if (n >= 8 && n <= 16) {
            std::uint64_t head = 0;
            std::uint64_t tail = 0;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + n - 8, 8);
            std::memcpy(to, &head, 8);
            std::memcpy(to + n - 8, &tail, 8);
        } else if (n >= 4 && n < 8) {
            std::uint32_t head = 0;
            std::uint32_t tail = 0;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + n - 4, 4);
            std::memcpy(to, &head, 4);
            std::memcpy(to + n - 4, &tail, 4);
        } else if (n > 16) {
            std::memcpy(to, from, n);
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                to[i] = from[i];
            }
        }
    }

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
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

    // Where a point's name and time lie in m_text: the name, then the time right after it,
    // packed in one word (offset in the low 44 bits, then the name's and the time's sizes). A
    // field is shorter than a line (1023 characters), so ten bits hold each size. The word is
    // made whole in a register and stored once.
    struct Slot {
        std::uint64_t bits;
        std::size_t offset() const { return bits & ((std::uint64_t{1} << 44) - 1); }
        std::size_t nameSize() const { return (bits >> 44) & 0x3FF; }
        std::size_t timeSize() const { return (bits >> 54) & 0x3FF; }
    };

    Slot store(std::string_view name, std::string_view time) {
        const Slot slot{std::uint64_t{m_text.size()} | std::uint64_t{name.size()} << 44 |
                        std::uint64_t{time.size()} << 54};
        m_text.append(name, time);
        return slot;
    }
    StatePoint point(const Slot& s) const {
        const std::string_view text(m_text.data(), m_text.size());
        return {text.substr(s.offset(), s.nameSize()),
                text.substr(s.offset() + s.nameSize(), s.timeSize())};
    }

    // The names and times of all points, one after another.
    StateMapText m_text;
    std::vector<Slot, StateMapAllocator<Slot>> m_simulation;
    std::vector<Slot, StateMapAllocator<Slot>> m_realTime;
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
    // Reads the line at `pos` of the piece `data` (`size` bytes) in a single pass when it is
    // plain: whole in the piece with its line end, shorter than the limit, without a NUL.
    // Answers where the next line starts, or kNotPlain (nothing read) for any other line.
    std::size_t readPlainLine(const char* data, std::size_t pos, std::size_t size);
    static constexpr std::size_t kNotPlain = static_cast<std::size_t>(-1);
    // Adds the point a line's first four fields give, if they make one.
    void addRecord(std::string_view type, std::string_view name, std::string_view simulationTime,
                   std::string_view realTime);
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
