#pragma once

namespace purlo {

// The moments of a repeating run that may come late: due every interval seconds from the
// first, and taken at any moment from then until tolerance seconds after. The runs stay on
// that grid however late each is taken, so lateness never adds up, and a run missed
// altogether is not made up.
class TolerantSchedule {
public:
    // Times in seconds on one monotonic clock; an interval below a millisecond counts as one.
    TolerantSchedule(double firstDue, double interval, double tolerance);
    // The first run due about an interval after now, on a grid whose deadlines fall on whole
    // multiples of the interval: the round boundaries a toolkit lines its coarse timers up
    // on, so that a run which wakes the loop itself shares that wake-up with them.
    static TolerantSchedule alignedAfter(double now, double interval, double tolerance);

    // Whether a run is due at now. When it is, the schedule moves on to the first moment
    // of its grid after now.
    bool takeIfDue(double now);
    // When the next run is due, and by when it must be taken.
    double due() const { return due_; }
    double deadline() const { return due_ + tolerance_; }
    double interval() const { return interval_; }

private:
    double due_;
    double interval_;
    double tolerance_;
};

} // namespace purlo
