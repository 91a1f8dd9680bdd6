#include "companion/BubbleSpring.h"

#include <cmath>
#include <numbers>

namespace purlo {
namespace {

constexpr double naturalFrequency = 2 * std::numbers::pi / BubbleSpring::response;
constexpr double decayRate = BubbleSpring::dampingFraction * naturalFrequency;
// Within a thousandth of the way.
constexpr double restingTolerance = 0.001;

// The distance left shrinks with the decay, times at most this much from the swing.
double swingAmplitude() {
    return 1 / std::sqrt(1 - BubbleSpring::dampingFraction * BubbleSpring::dampingFraction);
}

} // namespace

double BubbleSpring::settlingTime() {
    return std::log(swingAmplitude() / restingTolerance) / decayRate;
}

double BubbleSpring::progress(double t) {
    if (!(t > 0)) {
        return 0;
    }
    if (t >= settlingTime()) {
        return 1;
    }
    // An underdamped oscillator released from rest one unit away from its target.
    const double dampedFrequency =
        naturalFrequency * std::sqrt(1 - dampingFraction * dampingFraction);
    return 1 -
           std::exp(-decayRate * t) * (std::cos(dampedFrequency * t) +
                                       decayRate / dampedFrequency * std::sin(dampedFrequency * t));
}

} // namespace purlo
