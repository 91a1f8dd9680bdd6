#pragma once

namespace purlo {

// The spring the speech bubble comes and goes with: a response of 0.28 s and a damping
// fraction of 0.72, so it arrives quickly, overshoots by a few percent and settles.
struct BubbleSpring {
    static constexpr double response = 0.28;
    static constexpr double dampingFraction = 0.72;

    // The share of the way covered t seconds after the start: 0 at the start (and
    // before), 1 once settled.
    static double progress(double t);
    // After this many seconds the spring is taken as at rest.
    static double settlingTime();
};

} // namespace purlo
