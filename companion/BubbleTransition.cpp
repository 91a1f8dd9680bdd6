#include "companion/BubbleTransition.h"

#include "companion/BubbleSpring.h"

#include <algorithm>

namespace purlo {
namespace {

constexpr double enteringScale = 0.9;

} // namespace

double BubbleTransition::presence() const {
    return from_ + (to_ - from_) * BubbleSpring::progress(elapsed_);
}

double BubbleTransition::opacity() const {
    return std::clamp(presence(), 0.0, 1.0);
}

double BubbleTransition::scale() const {
    return enteringScale + (1 - enteringScale) * presence();
}

bool BubbleTransition::isSettled() const {
    return from_ == to_ || elapsed_ >= BubbleSpring::settlingTime();
}

void BubbleTransition::retarget(double target) {
    if (target == to_) {
        return;
    }
    from_ = presence();
    to_ = target;
    elapsed_ = 0;
}

void BubbleTransition::settle(double presence) {
    from_ = presence;
    to_ = presence;
    elapsed_ = 0;
}

void BubbleTransition::advance(double seconds) {
    elapsed_ += seconds;
}

} // namespace purlo
