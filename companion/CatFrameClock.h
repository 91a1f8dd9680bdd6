#pragma once

#include "model/CatMood.h"

namespace purlo {

// How often the animated cat redraws: the frame rate is the main cost control, so
// calm moods run at 12 frames a second, lively ones at 24 and sleep at 4.
struct CatFrameClock {
    static double interval(CatMood mood);
};

} // namespace purlo
