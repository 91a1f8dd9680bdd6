#pragma once

#include "platform/Clock.h"

namespace purlo::testing {

// A clock tests move by hand; uptime and the wall clock advance together.
class FakeClock final : public Clock {
public:
    explicit FakeClock(double uptime = 1000, Date now = Date{800000000})
        : uptime_(uptime)
        , now_(now) {}

    double uptime() const override { return uptime_; }
    Date now() const override { return now_; }

    void advance(double seconds) {
        uptime_ += seconds;
        now_ = now_.addingSeconds(seconds);
    }
    void setNow(Date now) { now_ = now; }

private:
    double uptime_;
    Date now_;
};

} // namespace purlo::testing
