#include <thread>

#include <gtest/gtest.h>

#include "kvwin32/winbase.h"

TEST(LastError, IsPerThread) {
    SetLastError(5);
    DWORD seenByOther = 99;
    std::thread([&] { seenByOther = GetLastError(); }).join();
    EXPECT_EQ(seenByOther, 0u);
    EXPECT_EQ(GetLastError(), 5u);
}
