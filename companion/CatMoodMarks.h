#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CellTarget.h"
#include "model/CatMood.h"

namespace purlo {

// The small signs of a mood around the cat: a question mark's dots, a thought
// cloud, sparkles, a flush with sweat, a sleeping Z, a purring blush. All in the
// body context but the blush, which sits on her cheeks and moves with the head.
struct CatMoodMarks {
    static void draw(CatMood mood, const CatAnimationFrame& frame, const CellTarget& body,
                     const CellTarget& head);
};

} // namespace purlo
