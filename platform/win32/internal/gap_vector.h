// A sequence with a gap: a vector whose free room sits where the last insertion or removal
// happened, so that a run of insertions at consecutive places, or of removals at one place,
// moves the elements after it once instead of once per element. Sorted list boxes take their
// items so: a sorted run of names lands in one place, and a run of items leaves from one place.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace kvwin32::internal {

template <class T>
class GapVector {
  public:
    std::size_t size() const { return m_slots.size() - gapLength(); }
    bool empty() const { return size() == 0; }

    T& operator[](std::size_t i) { return m_slots[slot(i)]; }
    const T& operator[](std::size_t i) const { return m_slots[slot(i)]; }

    // Inserts before element `at` (at most size()).
    void insert(std::size_t at, T value) {
        moveGap(at);
        if (m_gapStart == m_gapEnd) {
            grow(std::max<std::size_t>(16, m_slots.size()));
        }
        m_slots[m_gapStart++] = std::move(value);
    }

    // Removes element `at` (below size()).
    void erase(std::size_t at) {
        moveGap(at);
        m_slots[m_gapEnd++] = T();
    }

    // Makes room for `total` elements in all, so that inserting up to there moves nothing
    // but the elements after the gap.
    void reserve(std::size_t total) {
        if (total > size()) {
            grow(total - size());
        }
    }

    // Hands out every element in order and leaves the sequence empty.
    std::vector<T> takeAll() {
        moveGap(size());
        m_slots.resize(m_gapStart);
        std::vector<T> all;
        all.swap(m_slots);
        m_gapStart = 0;
        m_gapEnd = 0;
        return all;
    }

  private:
    std::size_t gapLength() const { return m_gapEnd - m_gapStart; }
    std::size_t slot(std::size_t i) const { return i < m_gapStart ? i : i + gapLength(); }

    void moveGap(std::size_t at) {
        const auto base = m_slots.begin();
        if (m_gapStart == m_gapEnd) {
            // No gap: nothing moves (an element moved onto itself would lose its value).
            m_gapStart = at;
            m_gapEnd = at;
        } else if (at < m_gapStart) {
            std::move_backward(base + static_cast<std::ptrdiff_t>(at),
                               base + static_cast<std::ptrdiff_t>(m_gapStart),
                               base + static_cast<std::ptrdiff_t>(m_gapEnd));
            m_gapEnd -= m_gapStart - at;
            m_gapStart = at;
        } else if (at > m_gapStart) {
            const std::size_t n = at - m_gapStart;
            std::move(base + static_cast<std::ptrdiff_t>(m_gapEnd),
                      base + static_cast<std::ptrdiff_t>(m_gapEnd + n),
                      base + static_cast<std::ptrdiff_t>(m_gapStart));
            m_gapStart += n;
            m_gapEnd += n;
        }
    }

    // Widens the gap by `extra` slots, keeping it where it is.
    void grow(std::size_t extra) {
        std::vector<T> bigger(m_slots.size() + extra);
        std::move(m_slots.begin(), m_slots.begin() + static_cast<std::ptrdiff_t>(m_gapStart),
                  bigger.begin());
        std::move(m_slots.begin() + static_cast<std::ptrdiff_t>(m_gapEnd), m_slots.end(),
                  bigger.begin() + static_cast<std::ptrdiff_t>(m_gapEnd + extra));
        m_gapEnd += extra;
        m_slots.swap(bigger);
    }

    std::vector<T> m_slots;      // the elements, with the gap's slots empty
    std::size_t m_gapStart = 0;  // first slot of the gap
    std::size_t m_gapEnd = 0;    // first slot after the gap
};

}  // namespace kvwin32::internal
