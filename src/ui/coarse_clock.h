// The clock that paces the event pump and the progress window's counts. It is read once or twice
// for every result line; the kernel's coarse monotonic clock, good to a few milliseconds, is a
// plain memory read where the fine one reads and scales the processor's counter.
#pragma once

#include <chrono>
#include <ctime>

namespace nelvix::ui {

struct CoarseClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<CoarseClock>;
    static constexpr bool is_steady = true;

    static time_point now() noexcept {
        timespec now{};
#if defined(CLOCK_MONOTONIC_COARSE)
        clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
#else
        clock_gettime(CLOCK_MONOTONIC, &now);
#endif
        return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
    }
};

} // namespace nelvix::ui
