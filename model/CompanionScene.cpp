#include "model/CompanionScene.h"

#include "base/UnicodeText.h"

namespace purlo {

bool operator==(const CompanionScene& left, const CompanionScene& right) {
    const bool sameTimerLabel =
        left.timerLabel.has_value() == right.timerLabel.has_value() &&
        (!left.timerLabel || canonicallyEqual(*left.timerLabel, *right.timerLabel));
    return left.position == right.position && left.mood == right.mood && left.pose == right.pose &&
           left.message == right.message && left.eyeOffset == right.eyeOffset &&
           left.scale == right.scale && sameTimerLabel && left.isVisible == right.isVisible &&
           left.yawnProgress == right.yawnProgress &&
           left.butterflyPosition == right.butterflyPosition;
}

} // namespace purlo
