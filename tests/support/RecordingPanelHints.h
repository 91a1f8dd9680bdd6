#pragma once

#include "platform/PanelHints.h"

#include <cstdint>
#include <vector>

namespace purlo::testing {

// Remembers which native windows were prepared as desktop panels.
class RecordingPanelHints final : public PanelHints {
public:
    void prepare(std::uint64_t nativeWindow) override { prepared.push_back(nativeWindow); }

    std::vector<std::uint64_t> prepared;
};

} // namespace purlo::testing
