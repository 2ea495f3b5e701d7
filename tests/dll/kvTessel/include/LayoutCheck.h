// Compile-time checks that a record's members lie in a given order with nothing between them:
// each member starts where the previous one ends (rounded up to its alignment), and the record
// ends after the last one. A forgotten, invented or reordered member breaks the check.
#pragma once

#include <cstddef>
#include <type_traits>

namespace layout {

// Where one member lies: its offset, size and alignment.
struct Member {
    std::size_t offset;
    std::size_t size;
    std::size_t align;
};

// `n` rounded up to a multiple of `align`.
constexpr std::size_t alignUp(std::size_t n, std::size_t align) {
    return (n + align - 1) / align * align;
}

// True when `members` follow each other without gaps from `start`, and a record of
// `recordSize` bytes and alignment `recordAlign` ends right after the last one.
template <std::size_t N>
constexpr bool contiguous(const Member (&members)[N], std::size_t start, std::size_t recordSize,
                          std::size_t recordAlign) {
    std::size_t expected = start;
    for (const Member& m : members) {
        if (m.offset != alignUp(expected, m.align)) {
            return false;
        }
        expected = m.offset + m.size;
    }
    return recordSize == alignUp(expected, recordAlign);
}

}  // namespace layout

// One member of record T, for layout::contiguous.
#define KV_MEMBER(T, m)                                       \
    layout::Member {                                          \
        offsetof(T, m), sizeof(T::m), alignof(decltype(T::m)) \
    }

// Asserts that the listed members are exactly the members of the standard-layout record T,
// in this order.
#define KV_ASSERT_LAYOUT(T, ...)                                                 \
    static_assert(std::is_standard_layout_v<T>, #T " must stay a plain record"); \
    static_assert(layout::contiguous({__VA_ARGS__}, 0, sizeof(T), alignof(T)),   \
                  #T ": members out of order, missing or extra")
