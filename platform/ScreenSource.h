#pragma once

#include "base/Geometry.h"

#include <vector>

namespace purlo {

// The screens the companion may live on.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;

    // The part of each screen that windows may use (without panels and docks), in
    // global coordinates and in the desktop's order of screens; empty without screens.
    virtual std::vector<Rect> visibleFrames() const = 0;
};

} // namespace purlo
