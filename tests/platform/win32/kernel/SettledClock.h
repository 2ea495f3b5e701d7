// While alive, the clock that caches of files and folders judge settling by runs a minute
// ahead, so that what a test has just written counts as long unchanged.
#pragma once

#include <cstdint>
#include <ctime>

#include "internal/hostpath.h"

namespace kvtest {

class SettledClock {
  public:
    SettledClock() { kvwin32::internal::setFileClockForTesting(&aMinuteAhead); }
    ~SettledClock() { kvwin32::internal::setFileClockForTesting(nullptr); }
    SettledClock(const SettledClock&) = delete;
    SettledClock& operator=(const SettledClock&) = delete;

  private:
    static std::int64_t aMinuteAhead() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return (static_cast<std::int64_t>(now.tv_sec) + 60) * 1'000'000'000 + now.tv_nsec;
    }
};

}  // namespace kvtest
