#pragma once

#include "base/Date.h"

namespace purlo {

// The two clocks: monotonic uptime (seconds the machine has been awake) measures
// every interval; the wall clock dates what is stored and drives the calendar.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double uptime() const = 0;
    virtual Date now() const = 0;
};

class SystemClock final : public Clock {
public:
    double uptime() const override;
    Date now() const override;
};

} // namespace purlo
