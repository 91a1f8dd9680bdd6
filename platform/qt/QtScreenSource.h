#pragma once

#include "platform/ScreenSource.h"

namespace purlo {

// The screens Qt knows, each with the area its panels leave free.
class QtScreenSource final : public ScreenSource {
public:
    std::vector<Rect> visibleFrames() const override;
};

} // namespace purlo
