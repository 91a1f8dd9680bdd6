#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace purlo {

double SystemClock::uptime() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

Date SystemClock::now() const {
    return Date::fromSystemClock(std::chrono::system_clock::now());
}

} // namespace purlo
