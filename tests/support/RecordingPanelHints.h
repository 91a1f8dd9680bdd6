#pragma once

#include "platform/PanelHints.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace purlo::testing {

// Remembers which native windows were prepared as desktop panels, and each input area
// given.
class RecordingPanelHints final : public PanelHints {
public:
    void prepare(std::uint64_t nativeWindow) override { prepared.push_back(nativeWindow); }
    void setInputArea(std::uint64_t nativeWindow, PixelArea area) override {
        inputAreas.emplace_back(nativeWindow, area);
    }

    std::vector<std::uint64_t> prepared;
    std::vector<std::pair<std::uint64_t, PixelArea>> inputAreas;
};

} // namespace purlo::testing
